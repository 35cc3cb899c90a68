// The loops that throw things out of one point: a broken item box leaves
// its icon, an icon throws its petals or crystals in a fan about straight
// up, a hurt player scatters petal-loss sparks (and, riding, drops the
// bike), and a dig throws crystals to either side in turn.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "runtime/movement.h"

namespace {

// Icon frames: what a broken box's icon awards.
constexpr int petal_icon = 1;

bool icon_shows(const FrameObject* icon, int frame) { return static_cast<const Active*>(icon)->get_frame() == frame; }

// The first petal or crystal of a throw moves off in `direction`.
void throw_off(FrameObject* item, int direction)
{
    item->advance_movement(1);
    item->set_direction(direction, true);
}

// Crystals of one icon: the first new one flies in direction i + 5, and
// each icon counts the crystals it threw in F, seven at most.
void throw_crystals(Frames& frames, int icon_frame, int i)
{
    ObjectList& icons = frames.instances[types::MonitorIcon_125];
    if (!select(icons, [=](FrameObject* icon) { return icon_shows(icon, icon_frame) && get_value(*icon, 'F') < 7; }))
        return;
    FrameObject* crystal =
        create_at_each(frames, icons, frames.instances[types::ObjectCrystal_239], create_objectcrystal_239, 16, 10);
    if (crystal) {
        throw_off(crystal, i + 5);
        set_flag(crystal, 0, true);
    }
    for_each_selected(icons, [](FrameObject* icon) { add_value(icon, 'F', 1); });
}

}  // namespace

// A box marked to open (flag 6) whose I names this pass leaves its icon,
// showing the box's kind and facing its way.
void Frames::event_func_304()
{
    if (!level_group_43)
        return;
    const int pass = fast_loop_itm.index;
    if (!select(qualifier_13, [pass](FrameObject* box) { return get_value(*box, 'I') == pass + 1 && get_flag(*box, 6); }))
        return;
    FrameObject* icon = create_at_each(*this, qualifier_13, instances[types::MonitorIcon_125], create_monitoricon_125);
    for_each_selected(qualifier_13, [](FrameObject* box) {
        set_flag(box, 0, false);
        box->destroy();
    });
    FrameObject* box = qualifier_13.back_selection();
    if (!icon || !box)
        return;
    static_cast<Active*>(icon)->force_frame(to_int(get_value(*box, 'C')));
    icon->set_direction(box->get_direction(), true);
}

void Frames::loop_itm_4() { event_func_304(); }

// The petal icon goes on the last pass; being destroyed, it still throws
// that pass's petal.
void Frames::event_func_305()
{
    if (!level_group_43 || fast_loop_spawn_rings.index != 5)
        return;
    ObjectList& icons = instances[types::MonitorIcon_125];
    if (select(icons, [](FrameObject* icon) { return icon_shows(icon, petal_icon); }))
        for_each_selected(icons, [](FrameObject* icon) { icon->destroy(); });
}

void Frames::event_func_306()
{
    if (!level_group_43)
        return;
    ObjectList& icons = instances[types::MonitorIcon_125];
    if (!select(icons, [](FrameObject* icon) { return icon_shows(icon, petal_icon); }))
        return;
    FrameObject* petal = create_at_each(*this, icons, instances[types::ObjectPetal_117], create_objectpetal_117, 16, 10);
    if (!petal)
        return;
    throw_off(petal, fast_loop_spawn_rings.index + 5);
    set_value(petal, 'A', 2);
}

void Frames::loop_spawn_rings_4()
{
    event_func_305();
    event_func_306();
}

// Knocked off the bike: Pimsa goes on foot and the bike is left behind.
void Frames::event_func_327()
{
    if (!level_group_43 || !level_group_23 || !level_group_73)
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    if (!select(values, [](FrameObject* v) { return get_value(*v, 'A') == 3; }))
        return;
    auto can_fall = [](FrameObject* bike) { return !get_flag(*bike, 6) && get_value(*bike, 'C') <= 1.0; };
    if (!select(instances[types::PlayerSkinPimsaBike_338], can_fall))
        return;
    global_values->set(1, 2);
    for_each_selected(values, [](FrameObject* v) { set_value(v, 'A', 2); });
    ObjectList& player = instances[types::Player_87];
    select_all(player);
    set_flag(create_at_each(*this, player, instances[types::ObjectBike_340], create_objectbike_340), 6, true);
}

// One petal-loss spark: faster and shorter-lived with each pass, in a
// random direction and at a random angle.
void Frames::event_func_328()
{
    if (!level_group_43 || !level_group_23 || !level_group_7)
        return;
    const int pass = fast_loop_petal_loss.index;
    ObjectList& player = instances[types::Player_87];
    select_all(player);
    FrameObject* spark = create_at_each(*this, player, instances[types::EffectsShield_313], create_effectsshield_313);
    if (!spark)
        return;
    spark->get_movement()->set_speed(pass + 25);
    spark->set_direction(randrange_event(328, 32), true);
    spark->set_angle(randrange_event(328, 360), 0);
    add_value(spark, 'A', -(4 * pass));
}

void Frames::loop_petal_loss_4()
{
    event_func_327();
    event_func_328();
}

void Frames::event_func_365()
{
    if (level_group_43)
        throw_crystals(*this, 2, fast_loop_spawn_crystals.index);
}

void Frames::event_func_366()
{
    if (level_group_43)
        throw_crystals(*this, 7, fast_loop_spawn_crystals.index);
}

void Frames::loop_spawn_crystals_4()
{
    event_func_365();
    event_func_366();
}

// Dug crystals fly out either side of straight up, further each pair:
// directions 7, 9, 6, 10, 5, 11 ...
void Frames::event_func_329()
{
    if (!level_group_43 || !level_group_23 || !level_group_26)
        return;
    const int pass = fast_loop_dig_crystals.index;
    const int side = pass % 2 == 0 ? -1 : 1;
    ObjectList& dig = instances[types::PlayerDig_344];
    select_all(dig);
    FrameObject* crystal = create_at_each(*this, dig, instances[types::ObjectCrystal_239], create_objectcrystal_239);
    if (!crystal)
        return;
    throw_off(crystal, 8 + (pass / 2 + 1) * side);
    set_flag(crystal, 0, true);
}

void Frames::loop_dig_crystals_4() { event_func_329(); }
