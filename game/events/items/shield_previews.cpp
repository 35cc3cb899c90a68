// A shield box shows its shield inside it from the first time it comes near
// the view, and the preview stays on the box as it moves; the crystal and
// invincibility boxes glitter.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "objects/active.h"

#include <initializer_list>

namespace {

constexpr int preview_margin = -50;
constexpr int sparkle_margin = -30;

using Factory = Active* (*)(int, int);

struct Preview {
    int type;
    Factory make;
};

bool in_view(const FrameObject* box, int margin) { return !box->is_near_border(margin); }

// Each box of the type that comes near the view for the first time gets its
// preview(s); the preview made last of each type remembers the first box.
void create_previews(Frames& f, int box_type, std::initializer_list<Preview> previews)
{
    ObjectList& boxes = f.instances[box_type];
    if (!select(boxes, [](FrameObject* box) { return in_view(box, preview_margin) && !get_flag(*box, 1); }))
        return;
    for_each_selected(boxes, [](FrameObject* box) { set_flag(box, 1, true); });
    FrameObject* first_box = boxes.back_selection();
    for (const Preview& preview : previews) {
        ObjectList& list = f.instances[preview.type];
        create_at_each(f, boxes, list, preview.make, 16, 12);
        if (FrameObject* last = list.back_selection(); last && first_box)
            set_value(last, 'C', double(first_box->get_fixed()));
    }
}

// The previews that name the newest box of the type follow the boxes, the
// k-th of them the box instance N - (k mod N).
void keep_on_box(Frames& f, int preview_type, int box_type)
{
    ObjectList& boxes = f.instances[box_type];
    ObjectList& previews = f.instances[preview_type];
    const FrameObject* newest = instance_of(boxes);
    if (!newest || !select(previews, [newest](FrameObject* p) { return get_object_from_fixed(get_value(*p, 'C')) == newest; }))
        return;
    int k = 0;
    for_each_selected(previews, [&](FrameObject* preview) {
        if (const FrameObject* box = paired_instance(boxes, k++))
            preview->set_global_position(box->get_x() + 16, box->get_y() + 12);
        set_value(preview, 'D', 0);
    });
}

// A sparkle at each selected box's action point, on its layer.
void sparkle_on(Frames& f, ObjectList& boxes)
{
    ObjectList& sparkles = f.instances[types::Sparkle5_183];
    bool first = true;
    for_each_selected(boxes, [&](FrameObject* box) {
        FrameObject* sparkle = create_sparkle5_183(box->x, box->y);
        first ? create_instance(f, sparkles, sparkle, layer_index(*box))
              : create_another(f, sparkles, sparkle, layer_index(*box));
        first = false;
        if (sparkle)
            sparkle->set_global_position(box->get_action_x(), box->get_action_y());
    });
}

// Boxes in view on the ticks where the gameplay count is 1 modulo `period`;
// never while the count is not stored.
bool glitters(Frames& f, ObjectList& boxes, int period)
{
    if (!select(boxes, [](FrameObject* box) { return in_view(box, sparkle_margin); }))
        return false;
    return f.global_values->size() > 3 && to_int(f.global_values->get(3)) % period == 1;
}

}  // namespace

void Frames::event_func_1693()
{
    ObjectList& boxes = instances[types::MonitorCrystals_120];
    if (level_group_43 && glitters(*this, boxes, 30))
        sparkle_on(*this, boxes);
}

void Frames::event_func_1696()
{
    if (level_group_43)
        create_previews(*this, types::MonitorWoodShield_311, {{types::ShieldWood_103, create_shieldwood_103}});
}

void Frames::event_func_1697()
{
    if (level_group_43)
        keep_on_box(*this, types::ShieldWood_103, types::MonitorWoodShield_311);
}

void Frames::event_func_1700()
{
    if (level_group_43)
        create_previews(*this, types::MonitorEarthShield_312, {{types::ShieldEarth_315, create_shieldearth_315}});
}

void Frames::event_func_1701()
{
    if (level_group_43)
        keep_on_box(*this, types::ShieldEarth_315, types::MonitorEarthShield_312);
}

void Frames::event_func_1704()
{
    if (level_group_43)
        create_previews(*this, types::MonitorFireShield_121,
                        {{types::ShieldFlameBack_152, create_shieldflameback_152},
                         {types::ShieldFlameFront_104, create_shieldflamefront_104}});
}

void Frames::event_func_1705()
{
    if (level_group_43)
        keep_on_box(*this, types::ShieldFlameFront_104, types::MonitorFireShield_121);
}

void Frames::event_func_1706()
{
    if (level_group_43)
        keep_on_box(*this, types::ShieldFlameBack_152, types::MonitorFireShield_121);
}

void Frames::event_func_1709()
{
    if (level_group_43)
        create_previews(*this, types::MonitorMetalShield_122,
                        {{types::ShieldMagnetic_105, create_shieldmagnetic_105}});
}

void Frames::event_func_1710()
{
    if (level_group_43)
        keep_on_box(*this, types::ShieldMagnetic_105, types::MonitorMetalShield_122);
}

void Frames::event_func_1713()
{
    if (level_group_43)
        create_previews(*this, types::MonitorWaterShield_123, {{types::ShieldWater_106, create_shieldwater_106}});
}

void Frames::event_func_1714()
{
    if (level_group_43)
        keep_on_box(*this, types::ShieldWater_106, types::MonitorWaterShield_123);
}

// The invincibility box glitters and steps its frame every five ticks.
void Frames::event_func_1717()
{
    ObjectList& boxes = instances[types::MonitorInvincibility_124];
    if (!level_group_43 || !glitters(*this, boxes, 5))
        return;
    sparkle_on(*this, boxes);
    for_each_selected(boxes, [](FrameObject* box) {
        Active* active = static_cast<Active*>(box);
        active->force_frame((active->get_frame() + 1) % 10);
    });
}
