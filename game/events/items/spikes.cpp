// Spikes hurt the player's side that moves into them; the magnetic shield
// and invincibility keep the player safe.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "runtime/collision.h"

#include <cmath>

namespace {

constexpr double magnetic_shield = 3;

// The speed component that points into the spikes: G for the floor and
// ceiling spikes, B for the wall spikes; `towards` gives its sign.
struct Spikes {
    int spikes;
    int sensor;
    char speed;
    int towards;  // +1: the speed must be >= 0; -1: <= 0
};

void touch(Frames& frames, const Spikes& s)
{
    if (!frames.level_group_43)
        return;
    ObjectList& values = frames.instances[types::PlayerMovementValues_80];
    ObjectList& others = frames.instances[types::PlayerOthers_75];
    const double speed = get_value(values, s.speed);
    if (speed * s.towards < 0 || get_value(others, 'D') != 0 || get_value(others, 'B') == magnetic_shield)
        return;
    select_all(frames.instances[s.sensor]);
    select_all(frames.instances[s.spikes]);
    if (!check_overlap(frames.instances[s.sensor], frames.instances[s.spikes]))
        return;
    set_value(values, 'R', 1);
    add_value(frames.instances[types::GUILifeBaseMeter_77], 'B', std::fabs(0.5 * speed) + 10);
}

}  // namespace

void Frames::event_func_1772() { touch(*this, {types::HazardSpikesUp_133, types::PlayerSensorBottomBig_95, 'G', +1}); }

void Frames::event_func_1773() { touch(*this, {types::HazardSpikesDown_134, types::PlayerSensorTopBig_93, 'G', -1}); }

void Frames::event_func_1774() { touch(*this, {types::HazardSpikesLeft_135, types::PlayerSensorRightBig_91, 'B', +1}); }

void Frames::event_func_1775() { touch(*this, {types::HazardSpikesRight_136, types::PlayerSensorLeftBig_89, 'B', -1}); }
