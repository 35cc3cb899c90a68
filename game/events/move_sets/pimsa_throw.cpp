// Pimsa's throw (movement mode 28): animation 22 once; from its frame 2 one
// projectile along the player's angle, faster the faster she runs, for 20
// energy; braking on the ground; over when the animation has played.
#include "game/events/move_sets/pimsa_moves.h"

#include "game/objects/classes.h"

#include <algorithm>
#include <cmath>

using namespace pimsa_moves;

namespace {

constexpr int throw_animation = 22;
constexpr double throw_energy = 20;

bool throw_on(const Frames& f) { return move_on(f, &Frames::level_group_36); }

double braked(Frames& f, double speed)
{
    const double step = 3 * get_value(player(f), 'E');
    return speed >= 0 ? std::max(speed - step, 0.0) : std::min(speed + step, 0.0);
}

// The throw's speed along angle `o` (degrees, the player's rotation, y
// down): exact zeros where the angle is a quarter turn the events name.
void aim(FrameObject* projectile, double o, double k)
{
    const double c = o == -90 || o == -270 ? 0.0 : std::cos(o / 57.29577951308232);
    const double s = o == -180 ? 0.0 : -std::sin(o / 57.29577951308232);
    set_value(projectile, 'C', c * k);
    set_value(projectile, 'D', s * k);
}

}  // namespace

void Frames::event_func_1214()
{
    if (!throw_on(*this))
        return;
    set_state(*this, 16);
    for_each_instance(skins(*this), [](FrameObject* skin) { sprite(skin)->force_animation(throw_animation); });
}

void Frames::event_func_1215()
{
    if (!throw_on(*this) || get_value(player(*this), 'L') != 1)
        return;
    const double b = get_value(player(*this), 'B');
    if (b >= 0)
        set_value(player(*this), 'B', braked(*this, b));
}

void Frames::event_func_1216()
{
    if (!throw_on(*this) || get_value(player(*this), 'L') != 1)
        return;
    const double b = get_value(player(*this), 'B');
    if (b <= 0)
        set_value(player(*this), 'B', braked(*this, b));
}

void Frames::event_func_1217()
{
    if (!throw_on(*this))
        return;
    if (select(skins(*this), [](FrameObject* skin) { return frame_of(*skin) < 2; }))
        for_each_selected(skins(*this), [](FrameObject* skin) { set_flag(skin, 18, false); });
}

void Frames::event_func_1218()
{
    if (!throw_on(*this))
        return;
    ObjectList& list = skins(*this);
    if (!select(list, [](FrameObject* skin) { return frame_of(*skin) >= 2 && !get_flag(*skin, 18); }))
        return;
    play_sample(57);
    FrameObject* projectile =
        create_at_action_points(*this, list, instances[types::PlayerProjectile_336], create_playerprojectile_336);
    if (!projectile)
        return;
    set_value(projectile, 'A', projectile->get_x());
    set_value(projectile, 'B', projectile->get_y());
    ObjectList& p = player(*this);
    const double k = (std::abs(get_value(p, 'B')) * 0.5 + 6) * get_value(p, 'Q');
    aim(projectile, get_value(p, 'O'), k);
    for_each_selected(list, [](FrameObject* skin) { set_flag(skin, 18, true); });
    sprite(projectile)->force_animation(8);
    set_energy(*this, energy(*this) - throw_energy);
    set_value(projectile, 'I', 15);
}

// Ahead of the tick: the animation ended in this tick's object update.
void Frames::event_func_1219()
{
    if (!throw_on(*this))
        return;
    auto finished = [](FrameObject* skin) { return sprite(skin)->animation_finished == throw_animation; };
    if (select(skins(*this), finished))
        set_value(player(*this), 'M', 0);
}
