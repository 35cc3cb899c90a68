// The icon a broken box leaves: it rises, throws five pieces of debris and
// hands out its reward: petals and hearts, crystals, or a shield.
#include "audio/media.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "runtime/movement.h"

#include <vector>

namespace {

constexpr int petal_icon = 1;
constexpr int crystal_icon = 2;
constexpr int crate_icon = 7;
constexpr int debris_pieces = 5;
constexpr int rise_ticks = 32;
constexpr int shield_age = 64;
constexpr int hearts_per_icon = 3;
constexpr int debris_shader = 28;

int frame_of(const FrameObject* icon) { return static_cast<const Active*>(icon)->get_frame(); }

// One piece of debris per selected icon; the piece made last flies off with
// the speed, frame and direction of the first icon's throw count.
FrameObject* throw_debris(Frames& f, int event, int base_speed, int speed_range, double frame_base)
{
    ObjectList& icons = f.instances[types::MonitorIcon_125];
    ObjectList& debris = f.instances[types::EffectsDebris_266];
    create_at_each(f, icons, debris, create_effectsdebris_266, 16, 12);
    for_each_selected(icons, [](FrameObject* icon) { add_value(icon, 'C', 1); });
    FrameObject* piece = debris.back_selection();
    const FrameObject* icon = icons.back_selection();
    if (!piece || !icon)
        return nullptr;
    const double thrown = get_value(*icon, 'C');
    piece->get_movement()->set_speed(base_speed + randrange_event(event, speed_range));
    static_cast<Active*>(piece)->force_frame(to_int(thrown + frame_base));
    piece->set_direction(to_int(2 * thrown + 4), true);
    return piece;
}

// Three hearts per icon, scattered up to 15 pixels either way.
void release_hearts(Frames& f, const std::vector<FrameObject*>& icons)
{
    ObjectList& hearts = f.instances[types::EffectsHeart_314];
    bool first = true;
    for (FrameObject* icon : icons)
        for (int i = 0; i < hearts_per_icon; ++i) {
            FrameObject* heart = create_effectsheart_314(icon->x + 16, icon->y + 10);
            first ? create_instance(f, hearts, heart, layer_index(*icon)) : create_another(f, hearts, heart, layer_index(*icon));
            first = false;
        }
    for_each_selected(hearts, [](FrameObject* heart) {
        const int x_plus = randrange_event(1692, 16);
        const int x_minus = randrange_event(1692, 16);
        heart->set_x(heart->get_x() + x_plus - x_minus);
        const int y_plus = randrange_event(1692, 16);
        const int y_minus = randrange_event(1692, 16);
        heart->set_y(heart->get_y() + y_plus - y_minus);
        set_value(heart, 'B', randrange_event(1692, 36));
        set_value(heart, 'A', heart->get_x());
    });
}

// The player's shield from a shield icon at age 64. The copy events want
// no shield worn as well, which the first has just given.
void award_shield(Frames& f, int icon_frame, unsigned sample, double shield, bool only_unshielded)
{
    ObjectList& others = f.instances[types::PlayerOthers_75];
    if (only_unshielded && !instance_holds(others, [](const FrameObject& o) { return get_value(o, 'B') <= 0; }))
        return;
    ObjectList& icons = f.instances[types::MonitorIcon_125];
    if (!select(icons, [icon_frame](FrameObject* icon) {
            return get_value(*icon, 'A') >= shield_age && frame_of(icon) == icon_frame;
        }))
        return;
    media.play_id(sample, -1, 1);
    set_value(others, 'B', shield);
    for_each_selected(icons, [](FrameObject* icon) { icon->destroy(); });
    const double mode = f.global_values->get(12);
    set_value(others, 'C', mode >= 2 ? 2 : mode < 0 ? 0 : mode);
}

}  // namespace

void Frames::event_func_1687()
{
    if (!level_group_43)
        return;
    ObjectList& shells = instances[types::MonitorBroken_118];
    if (select(shells, [](FrameObject* shell) { return !get_flag(*shell, 1); }))
        for_each_selected(shells, [](FrameObject* shell) { set_flag(shell, 1, true); });
}

void Frames::event_func_1688()
{
    if (level_group_43)
        for_each_instance(instances[types::MonitorIcon_125], [](FrameObject* icon) { add_value(icon, 'A', 1); });
}

// An icon rises a pixel a tick through its first 31 ticks.
void Frames::event_func_1689()
{
    if (!level_group_43)
        return;
    ObjectList& icons = instances[types::MonitorIcon_125];
    if (select(icons, [](FrameObject* icon) { return get_value(*icon, 'A') < rise_ticks; }))
        for_each_selected(icons,
                          [](FrameObject* icon) { icon->set_global_position(icon->get_x(), icon->get_y() - 1); });
}

// Shield, crystal and invincibility icons throw shaded debris.
void Frames::event_func_1690()
{
    if (!level_group_43)
        return;
    if (!select(instances[types::MonitorIcon_125], [](FrameObject* icon) {
            const int frame = frame_of(icon);
            return (frame == 10 || frame == 11 || (frame >= 2 && frame <= 6)) && get_value(*icon, 'C') < debris_pieces;
        }))
        return;
    if (FrameObject* piece = throw_debris(*this, 1690, 50, 30, 35))
        piece->set_shader(debris_shader);
}

// The crate icon throws its planks.
void Frames::event_func_1691()
{
    if (!level_group_43)
        return;
    if (select(instances[types::MonitorIcon_125], [](FrameObject* icon) {
            return frame_of(icon) == crate_icon && get_value(*icon, 'C') < debris_pieces;
        }))
        throw_debris(*this, 1691, 40, 80, 110);
}

// A petal icon bursts into six petals and three hearts in its first tick.
void Frames::event_func_1692()
{
    if (!level_group_43)
        return;
    ObjectList& icons = instances[types::MonitorIcon_125];
    if (!select(icons, [](FrameObject* icon) { return frame_of(icon) == petal_icon; }))
        return;
    std::vector<FrameObject*> bursting;
    for_each_selected(icons, [&bursting](FrameObject* icon) {
        icon->destroy();
        bursting.push_back(icon);
    });
    ObjectList& ring_loss = instances[types::MasterRingLoss_129];
    set_value(ring_loss, 'A', 4);
    set_value(ring_loss, 'B', bursting.front()->get_x() + 16);
    set_value(ring_loss, 'C', bursting.front()->get_y() + 8);
    set_value(ring_loss, 'J', 1);
    run_loop(fast_loop_spawn_rings, 6, &Frames::loop_spawn_rings_4);
    release_hearts(*this, bursting);
}

void Frames::event_func_1694()
{
    if (!level_group_43)
        return;
    if (select(instances[types::MonitorIcon_125], [](FrameObject* icon) { return frame_of(icon) == crystal_icon; }))
        run_loop(fast_loop_spawn_crystals, 8, &Frames::loop_spawn_crystals_4);
}

// The crystal icon goes with its fifth piece of debris.
void Frames::event_func_1695()
{
    if (!level_group_43)
        return;
    ObjectList& icons = instances[types::MonitorIcon_125];
    if (select(icons, [](FrameObject* icon) {
            return frame_of(icon) == crystal_icon && get_value(*icon, 'C') >= debris_pieces;
        }))
        for_each_selected(icons, [](FrameObject* icon) { icon->destroy(); });
}

void Frames::event_func_1698()
{
    if (level_group_43)
        award_shield(*this, 10, 0, 1, false);
}

void Frames::event_func_1699()
{
    if (level_group_43)
        award_shield(*this, 10, 0, 1, true);
}

void Frames::event_func_1702()
{
    if (level_group_43)
        award_shield(*this, 11, 50, 5, false);
}

void Frames::event_func_1703()
{
    if (level_group_43)
        award_shield(*this, 11, 50, 5, true);
}

void Frames::event_func_1707()
{
    if (level_group_43)
        award_shield(*this, 3, 2, 2, false);
}

void Frames::event_func_1708()
{
    if (level_group_43)
        award_shield(*this, 3, 2, 2, true);
}

void Frames::event_func_1711()
{
    if (level_group_43)
        award_shield(*this, 4, 1, 3, false);
}

void Frames::event_func_1712()
{
    if (level_group_43)
        award_shield(*this, 4, 1, 3, true);
}

void Frames::event_func_1715()
{
    if (level_group_43)
        award_shield(*this, 5, 3, 4, false);
}

void Frames::event_func_1716()
{
    if (level_group_43)
        award_shield(*this, 5, 3, 4, true);
}
