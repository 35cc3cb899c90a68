// Dorrik's aimed shot (mode 31): he brakes to a stop on the ground, holds
// the orb in front of him, turns with left and right and aims with up and
// down; letting go of the special fires it, a charged orb as a heavy shot
// with recoil; the mode ends when the orb's events finish the shot.
#include "audio/media.h"
#include "game/events/move_sets/dorrik_moves.h"

#include <algorithm>

using namespace dorrik;

namespace {

constexpr unsigned aim_sample = 199, normal_shot_sample = 197, heavy_shot_sample = 198;
constexpr double aiming = 4, fired = 5, finishing = 6;
constexpr int charged_animation = 2, aim_animation = 11, heavy_animation = 5;

bool aim_on(const Frames& f) { return events_on(f, &Frames::level_group_5); }

double player_value(Frames& f, char letter) { return get_value(movement(f), letter); }
bool held(Frames& f, char letter) { return get_value(input(f), letter) == 1; }

// The aim frames: on the ground 0 neutral, 1 up, 2 down; in the air 4 more.
int aim_frame(Frames& f, int aim) { return to_int(4 * (1 - player_value(f, 'L')) + aim); }

void show_aim(Frames& f, int aim)
{
    const int frame = aim_frame(f, aim);
    for_each_instance(dorrik_skins(f), [frame](FrameObject* skin) { as_active(skin)->force_frame(frame); });
}

bool aiming_orb(Frames& f) { return dorrik::orb_in(f, aiming); }

// The special let go while aiming, with or without a charged orb.
bool released(Frames& f, bool charged)
{
    return get_value(input(f), 'N') == 0 && aiming_orb(f) && orb(f)->test_animation(charged_animation) == charged;
}

// The shot leaves: the orb's position and the player's speed kept, the
// hands emptied.
void fire(Frames& f, Active& shot, unsigned sample)
{
    set_value(&shot, 'A', fired);
    set_value(&shot, 'D', shot.get_x());
    set_value(&shot, 'E', shot.get_y());
    set_value(&shot, 'B', player_value(f, 'B'));
    media.play_id(sample, -1, 1);
    for_each_instance(dorrik_skins(f), [](FrameObject* skin) {
        set_value(skin, 'G', 0);
        set_value(skin, 'F', 0);
    });
}

// Keeps the skins showing the aim frame `aim`, for a charged shot let go.
bool heavy_aim(Frames& f, int aim)
{
    if (!released(f, true))
        return false;
    const int frame = aim_frame(f, aim);
    return select(dorrik_skins(f), [frame](FrameObject* skin) { return as_active(skin)->get_frame() == frame; });
}

}  // namespace

void Frames::event_func_1340()
{
    if (!aim_on(*this))
        return;
    Active* held_orb = orb(*this);
    const double state = get_value(orb_list(*this), 'A');
    if (!held_orb || state == aiming || state == fired || state == finishing)
        return;
    held_orb->force_frame(0);
    held_orb->restore_frame();
    set_value(held_orb, 'A', aiming);
    set_value(held_orb, 'F', 0);
    set_value(held_orb, 'D', held_orb->get_x());
    set_value(held_orb, 'E', held_orb->get_y());
    held_orb->force_animation(aim_animation);
    media.play_id(aim_sample, -1, 1);
}

void Frames::event_func_1341()
{
    if (aim_on(*this) && player_value(*this, 'L') == 1 && player_value(*this, 'B') > 0)
        set_value(movement(*this), 'B', std::max(player_value(*this, 'B') - 0.2, 0.0));
}

void Frames::event_func_1342()
{
    if (aim_on(*this) && player_value(*this, 'L') == 1 && player_value(*this, 'B') < 0)
        set_value(movement(*this), 'B', std::min(player_value(*this, 'B') + 0.2, 0.0));
}

void Frames::event_func_1343()
{
    const double speed = player_value(*this, 'B');
    if (aim_on(*this) && player_value(*this, 'L') == 1 && speed > -2 && speed < 2)
        set_value(movement(*this), 'B', 0);
}

void Frames::event_func_1344()
{
    if (!aim_on(*this) || !aiming_orb(*this) || held(*this, 'A') != held(*this, 'B'))
        return;
    set_value(orb_list(*this), 'C', 0);
    show_aim(*this, 0);
}

void Frames::event_func_1345()
{
    if (!aim_on(*this) || !aiming_orb(*this) || !held(*this, 'A') || held(*this, 'B'))
        return;
    set_value(orb_list(*this), 'C', 45 * player_value(*this, 'Q'));
    show_aim(*this, 1);
}

void Frames::event_func_1346()
{
    if (!aim_on(*this) || !aiming_orb(*this) || !held(*this, 'B') || held(*this, 'A'))
        return;
    show_aim(*this, 2);
    set_value(orb_list(*this), 'C', -45 * player_value(*this, 'Q'));
}

void Frames::event_func_1347()
{
    if (!aim_on(*this) || !aiming_orb(*this))
        return;
    Active& held_orb = *orb(*this);
    set_value(others(*this), 'Y', 20);
    const FrameObject& skin = instance_or_default(dorrik_skins(*this));
    held_orb.set_direction(skin.get_direction(), true);
    add_value(&held_orb, 'C', skin.get_angle());
    held_orb.set_angle(to_int(get_value(held_orb, 'C')), 0);
    // 12 pixels above the player along the ground's normal.
    const FrameObject& player = instance_or_default(instances[types::Player_87]);
    const double angle = player_value(*this, 'O');
    held_orb.set_x(to_int(player.get_x() - 12 * event_sin(angle)));
    held_orb.set_y(to_int(player.get_y() - 12 * event_cos(angle)));
    held_orb.set_visible(true);
    set_value(&held_orb, 'G', player_value(*this, 'Q'));
    for_each_instance(dorrik_skins(*this), [](FrameObject* s) { as_active(s)->restore_frame(); });
}

void Frames::event_func_1348()
{
    if (aim_on(*this) && released(*this, false))
        fire(*this, *orb(*this), normal_shot_sample);
}

void Frames::event_func_1349()
{
    if (aim_on(*this) && heavy_aim(*this, 1))
        set_value(movement(*this), 'G', std::max(player_value(*this, 'G') + 5, 5.0));
}

void Frames::event_func_1350()
{
    if (!aim_on(*this) || !heavy_aim(*this, 2))
        return;
    set_value(movement(*this), 'G', std::min(player_value(*this, 'G') - 5, -5.0));
    set_value(movement(*this), 'L', 0);
    set_value(movement(*this), 'N', 0);
    set_value(instances[types::PlayerActionValuesA_86], 'C', 1);
}

void Frames::event_func_1351()
{
    if (!aim_on(*this) || !released(*this, true))
        return;
    Active& shot = *orb(*this);
    fire(*this, shot, heavy_shot_sample);
    shot.force_animation(heavy_animation);
    ObjectList& camera = instances[types::MasterCamera_190];
    set_value(camera, 'Z', std::max(get_value(camera, 'Z'), 4.0));
    for_each_instance(dorrik_skins(*this), [](FrameObject* skin) { set_value(skin, 'E', 0); });
    // The recoil pushes him away from where he faced.
    const double facing = get_value(shot, 'G');
    set_value(movement(*this), 'Q', facing);
    set_value(movement(*this), 'B', player_value(*this, 'B') - 7 * facing);
}

void Frames::event_func_1352()
{
    if (!aim_on(*this) || !dorrik::orb_in(*this, finishing))
        return;
    const double airborne = 1 - player_value(*this, 'L');
    set_value(movement(*this), 'M', airborne);
    set_value(others(*this), 'Y', 40 * airborne);
    for_each_instance(dorrik_skins(*this), [](FrameObject* skin) { as_active(skin)->restore_frame(); });
    set_value(movement(*this), 'T', 1);
}

void Frames::event_func_1353()
{
    if (aim_on(*this) && aiming_orb(*this) && held(*this, 'D'))
        set_value(movement(*this), 'Q', 1);
}

void Frames::event_func_1354()
{
    if (aim_on(*this) && aiming_orb(*this) && held(*this, 'C'))
        set_value(movement(*this), 'Q', -1);
}
