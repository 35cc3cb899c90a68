// The extra life: it appears at the player when the crystal countdown runs
// out, walks the terrain (falls, lands, turns at walls), is caught by the
// player, circles the player in a rising spiral while the jingle is queued,
// then flies to the HUD's lives icon and adds a life.
#include "audio/media.h"
#include "game/events/items/pickups.h"
#include "game/events/stage_loops/music_queue.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "objects/counter.h"
#include "runtime/collision.h"
#include "runtime/manager.h"
#include "runtime/movement.h"

#include <algorithm>
#include <cmath>

namespace {

// Directions 7 to 9 hold the probe images that the wall and floor tests use.
constexpr int right_probe = 7;
constexpr int floor_probe = 8;
constexpr int left_probe = 9;
constexpr int air_animation = 8;
constexpr int caught_animation = 7;
constexpr double flying_to_hud = 120;
constexpr int hud_layer = 6;
constexpr unsigned caught_sample = 32;
constexpr unsigned flight_sample = 33;

Active* as_active(FrameObject* object) { return static_cast<Active*>(object); }

ObjectList& lives(Frames& f) { return f.instances[types::ObjectExtraLife_289]; }

double character(Frames& f) { return get_value(f.instances[types::PlayerMovementValues_80], 'A'); }

// Lives more than 50 pixels beyond the view neither walk nor fall.
bool near_view(const FrameObject* life) { return !life->is_near_border(-50); }

bool free_life(const FrameObject* life) { return get_value(*life, 'E') == 0; }

void show_probe(Frames& f, int probe)
{
    for_each_instance(lives(f), [probe](FrameObject* life) { as_active(life)->force_direction(probe); });
}

void walk(Frames& f, bool rightwards)
{
    if (!select(lives(f), [rightwards](FrameObject* life) {
            const double side = get_value(*life, 'C');
            return near_view(life) && as_active(life)->get_frame() > 3 && (rightwards ? side > 0 : side < 0) &&
                   !life->overlaps_background();
        }))
        return;
    for_each_selected(lives(f), [](FrameObject* life) {
        life->set_x(to_int(life->get_x() + get_value(*life, 'C') * get_value(*life, 'D')));
    });
}

void fall(ObjectList& falling)
{
    for_each_selected(falling, [](FrameObject* life) {
        life->set_y(to_int(life->get_y() + get_value(*life, 'B')));
        set_value(life, 'B', std::min(get_value(*life, 'B') + 0.25, 12.0));
    });
}

void shift_down(Frames& f, int dy)
{
    for_each_instance(lives(f), [dy](FrameObject* life) { life->set_y(life->get_y() + dy); });
}

// A wall met by the probe on one side turns the life the other way.
void turn_at_wall(Frames& f, double side, double facing)
{
    if (!select(lives(f), [](FrameObject* life) { return life->overlaps_background(); }))
        return;
    const int direction = to_int(character(f) + facing);
    for_each_selected(lives(f), [side, direction](FrameObject* life) {
        set_value(life, 'C', side);
        life->set_direction(direction, true);
    });
}

bool catchable(Frames& f, FrameObject* life)
{
    return pickups::at_player(f, *life, 32) && free_life(life) && get_value(*life, 'B') >= 0;
}

bool circling(const FrameObject* life)
{
    const double e = get_value(*life, 'E');
    return e > 0 && e < flying_to_hud;
}

}  // namespace

// A life near the view sparkles every 15 gameplay ticks.
void Frames::event_func_1628()
{
    if (!level_group_43)
        return;
    if (select(lives(*this), [](FrameObject* life) { return !life->is_near_border(-40); }) &&
        to_int(global_values->get(3)) % 15 == 5)
        pickups::sparkle_near(*this, lives(*this), 1628);
}

// The crystal countdown ran out: it starts over, and a life appears at the
// player. Without the countdown on the HUD nothing runs out (read as the
// default object's 0, a life would appear every tick).
void Frames::event_func_1629()
{
    if (!level_group_43)
        return;
    Counter* countdown = static_cast<Counter*>(instance_of(instances[types::GUICrystal_78]));
    if (!countdown || countdown->value > 0)
        return;
    countdown->set(global_values->get(18));
    ObjectList& player = instances[types::Player_87];
    select_all(player);
    create_at_each(*this, player, lives(*this), create_objectextralife_289);
}

void Frames::event_func_1630()
{
    if (level_group_43)
        show_probe(*this, right_probe);
}

void Frames::event_func_1631()
{
    if (level_group_43)
        walk(*this, true);
}

void Frames::event_func_1632()
{
    if (level_group_43)
        show_probe(*this, left_probe);
}

void Frames::event_func_1633()
{
    if (level_group_43)
        walk(*this, false);
}

void Frames::event_func_1634()
{
    if (level_group_43)
        show_probe(*this, floor_probe);
}

void Frames::event_func_1635()
{
    if (!level_group_43)
        return;
    if (select(lives(*this), [](FrameObject* life) {
            return near_view(life) && free_life(life) && get_value(*life, 'B') >= 0 && !life->overlaps_background();
        }))
        fall(lives(*this));
}

// A rising life goes up through the ground.
void Frames::event_func_1636()
{
    if (!level_group_43)
        return;
    if (select(lives(*this),
               [](FrameObject* life) { return near_view(life) && free_life(life) && get_value(*life, 'B') < 0; }))
        fall(lives(*this));
}

void Frames::event_func_1637()
{
    if (level_group_43)
        shift_down(*this, 1);
}

// Nothing a pixel below: the life is in the air.
void Frames::event_func_1638()
{
    if (!level_group_43)
        return;
    if (select(lives(*this), [](FrameObject* life) {
            return free_life(life) && !life->overlaps_background() && !as_active(life)->test_animation(air_animation);
        }))
        for_each_selected(lives(*this), [](FrameObject* life) { as_active(life)->force_animation(air_animation); });
}

void Frames::event_func_1639()
{
    if (level_group_43)
        shift_down(*this, -1);
}

// A falling life lands and is lifted out of the floor.
void Frames::event_func_1640()
{
    if (!level_group_43)
        return;
    if (!select(lives(*this), [](FrameObject* life) {
            return near_view(life) && free_life(life) && get_value(*life, 'B') >= 0 && life->overlaps_background();
        }))
        return;
    for_each_selected(lives(*this), [](FrameObject* life) {
        set_value(life, 'B', 0);
        as_active(life)->force_animation(0);
    });
    run_loop(fast_loop_extralife_floor, 12, &Frames::loop_extralife_floor_4);
}

void Frames::event_func_1641()
{
    if (level_group_43)
        turn_at_wall(*this, -1, 16);
}

void Frames::event_func_1642()
{
    if (level_group_43)
        turn_at_wall(*this, 1, 0);
}

// The life shows the image of its own direction again.
void Frames::event_func_1643()
{
    if (level_group_43)
        for_each_instance(lives(*this), [](FrameObject* life) { as_active(life)->force_direction(life->get_direction()); });
}

// The one-up jingle is queued, unless the level keeps the music.
void Frames::event_func_1644()
{
    if (!level_group_43 || !select(lives(*this), [this](FrameObject* life) { return catchable(*this, life); }))
        return;
    if (get_value(instances[types::MasterLevel_53], 'Y') == 0)
        music::write_call(*this, "play_music(" + global_strings->get(2) + ",1,2)");
}

void Frames::event_func_1645()
{
    if (!level_group_43 || !select(lives(*this), [this](FrameObject* life) { return catchable(*this, life); }))
        return;
    for_each_selected(lives(*this), [](FrameObject* life) { as_active(life)->force_animation(caught_animation); });
    media.play_id(caught_sample, -1, 1);
    for_each_selected(lives(*this), [](FrameObject* life) { set_value(life, 'E', 1); });
    FrameObject* skin = instance_of(instances[types::PlayerSkinYelto_102]);
    if (FrameObject* first = lives(*this).back_selection(); first && skin)
        first->move_front(skin);
}

// A caught life stays within the view.
void Frames::event_func_1646()
{
    if (!level_group_43)
        return;
    if (!select(lives(*this), [](FrameObject* life) { return get_value(*life, 'E') > 0; }))
        return;
    const int left = new_display_x, top = new_display_y;
    for_each_selected(lives(*this), [left, top](FrameObject* life) {
        life->set_x(std::clamp(life->get_x(), left, left + Frame::screen_width));
        life->set_y(std::clamp(life->get_y(), top - 100, top + 340));
    });
}

// The spiral: a turn that quickens with the square of the age, rising half
// a pixel a tick, with a sparkle behind the life.
void Frames::event_func_1647()
{
    if (!level_group_43 || !select(lives(*this), circling))
        return;
    const FrameObject& player = instance_or_default(instances[types::Player_87]);
    for_each_selected(lives(*this), [&player](FrameObject* life) {
        const double age = get_value(*life, 'E');
        life->set_x(to_int(player.get_x() + event_cos(age * (age * 0.1)) * 25));
        life->set_y(to_int(player.get_y() - age * 0.5));
        set_value(life, 'E', age + 1);
    });
    FrameObject* sparkle = pickups::sparkle_near(*this, lives(*this), 1647);
    FrameObject* first = lives(*this).back_selection();
    if (first && sparkle)
        sparkle->move_back(first);
    if (FrameObject* skin = instance_of(instances[types::PlayerSkinYelto_102]); first && skin)
        first->move_front(skin);
    const int facing = to_int(character(*this));
    for_each_selected(lives(*this), [facing](FrameObject* life) { life->set_direction(facing, true); });
}

// On the far half of each turn the life passes behind the player.
void Frames::event_func_1648()
{
    if (!level_group_43 || !select(lives(*this), circling))
        return;
    FrameObject* first = lives(*this).back_selection();
    const double age = first ? get_value(*first, 'E') : 0;
    const double angle = age * (age * 0.1);
    if (!first || angle == 180 || !(event_sin(angle) > 0))
        return;
    if (FrameObject* hair = instance_of(instances[types::PlayerSkinYeltoHair_209]))
        first->move_back(hair);
    const int facing = to_int(character(*this) + 16);
    for_each_selected(lives(*this), [facing](FrameObject* life) { life->set_direction(facing, true); });
}

void Frames::event_func_1649()
{
    if (!level_group_43)
        return;
    if (!select(lives(*this), [](FrameObject* life) { return get_value(*life, 'E') >= flying_to_hud && !get_flag(*life, 3); }))
        return;
    for_each_selected(lives(*this), [](FrameObject* life) {
        life->set_layer(hud_layer);
        life->get_movement()->set_speed(80);
    });
    media.play_id(flight_sample, -1, 1);
    for_each_selected(lives(*this), [](FrameObject* life) { set_flag(life, 3, true); });
}

// The flight heads for the lives icon, showing the current character.
// Without an icon it heads for the default object's place.
void Frames::event_func_1650()
{
    if (!level_group_43)
        return;
    if (!select(lives(*this), [](FrameObject* life) { return get_value(*life, 'E') >= flying_to_hud; }))
        return;
    const FrameObject& icon = instance_or_default(instances[types::GUIIcon_108]);
    const int who = to_int(character(*this));
    for_each_selected(lives(*this), [&icon, who](FrameObject* life) {
        double angle = std::atan2(double(life->get_y() - icon.get_y()), double(icon.get_x() - life->get_x())) *
                       57.29577951308232;
        if (angle < 0)
            angle += 360;
        life->set_direction(to_int(angle / 11.25), true);
        as_active(life)->force_direction(16 * (life->get_direction() / 16) + who);
    });
}

void Frames::event_func_1651()
{
    if (!level_group_43)
        return;
    ObjectList& icons = instances[types::GUIIcon_108];
    if (!select(lives(*this), [](FrameObject* life) { return get_value(*life, 'E') >= flying_to_hud; }))
        return;
    select_all(icons);
    if (!check_overlap(lives(*this), icons))
        return;
    for_each_selected(lives(*this), [](FrameObject* life) { life->destroy(); });
    set_lives(manager.lives + 1);
    pickups::scatter_sparkles(*this, lives(*this), 5, 1651, 16, 16);
    if (const FrameObject* icon = icons.back_selection())
        create_instance(*this, instances[types::Obj1up_174], create_obj1up_174(icon->x + 22, icon->y + 4),
                        layer_index(*icon));
}
