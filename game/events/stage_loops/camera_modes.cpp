// The camera's three modes, one named loop each, run once a tick by the
// camera events: mode 0 follows the player with a dead zone, a landing
// ease, the look-up and look-down pans and the look-ahead; mode 1 moves to
// the boss limits; mode 2 glides onto the player and hands back to mode 0.
// Every event here acts only while play and free play (off in cut-scenes)
// are on.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/type_ids.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The camera controller's values and the player's movement values, as the
// camera events read and write them.
struct Camera {
    FrameObject* camera;
    const FrameObject* player;

    double get(char name) const { return get_value(*camera, name); }
    void set(char name, double number) const { set_value(camera, name, number); }
    double pm(char name) const { return get_value(*player, name); }
};

// The camera while play and free play are on; none otherwise, nor without a
// camera: every event here writes it, so none would have an effect.
std::optional<Camera> active_camera(Frames& frames)
{
    if (!frames.level_group_43 || !frames.level_group_8)
        return std::nullopt;
    FrameObject* camera = instance_of(frames.instances[types::MasterCamera_190]);
    if (!camera)
        return std::nullopt;
    return Camera{camera, &instance_or_default(frames.instances[types::PlayerMovementValues_80])};
}

// Events 375 to 383: the landing ease, then the dead zone on the ground and
// in the air.
void follow_player(const Camera& c)
{
    if (c.pm('L') != c.get('V') && c.pm('L') == 1)
        c.set('W', c.get('B') - c.pm('Y'));
    if (c.pm('L') == 1 && c.get('W') > 0)
        c.set('W', std::max(c.get('W') - 4, 0.0));
    if (c.pm('L') == 1 && c.get('W') < 0)
        c.set('W', std::min(c.get('W') + 4, 0.0));
    if (c.pm('L') == 1)
        c.set('B', std::min(std::max(c.pm('Y') + c.get('W'), c.get('D') + c.get('Y')), c.get('F') - c.get('Y')));
    if (c.pm('X') < c.get('A') + c.get('I') && c.get('A') > c.get('C') + c.get('X'))
        c.set('A', c.pm('X') - c.get('I'));
    if (c.pm('X') > c.get('A') + c.get('J') && c.get('A') < c.get('E') - c.get('X'))
        c.set('A', c.pm('X') - c.get('J'));
    if (c.pm('L') == 0 && c.pm('Y') < c.get('B') + c.get('K') && c.get('B') > c.get('D') + c.get('Y'))
        c.set('B', c.pm('Y') - c.get('K'));
    if (c.pm('L') == 0 && c.pm('Y') > c.get('B') + c.get('L') && c.get('B') < c.get('F') - c.get('Y'))
        c.set('B', c.pm('Y') - c.get('L'));
    set_flag(c.camera, 0, false);
}

// Events 385 to 388: the look-up counter and the pan it holds.
void settle_look_up(const Camera& c)
{
    if (!get_flag(*c.camera, 0))
        c.set('N', 0);
    if (c.get('N') < c.get('P') && c.get('O') < c.get('P') && c.get('H') < 0)
        c.set('H', std::min(c.get('H') + 2, 0.0));
    if (c.get('N') >= c.get('P'))
        c.set('H', std::max(c.get('H') - 2, -c.get('R')));
    set_flag(c.camera, 1, false);
}

// Events 390 to 392: the look-down counter and the pan it holds.
void settle_look_down(const Camera& c)
{
    if (!get_flag(*c.camera, 1))
        c.set('O', 0);
    if (c.get('O') < c.get('P') && c.get('N') < c.get('P') && c.get('H') > 0)
        c.set('H', std::max(c.get('H') - 2, 0.0));
    if (c.get('O') >= c.get('P'))
        c.set('H', std::min(c.get('H') + 2, c.get('R')));
}

// Events 393 to 398: the look-ahead builds while running fast on the ground
// or in the two states that build it at any speed.
void build_look_ahead(const Camera& c)
{
    const auto ahead = [&c](double step) { c.set('G', std::min(c.get('G') + step, c.get('Q'))); };
    const auto behind = [&c](double step) { c.set('G', std::max(c.get('G') - step, -c.get('Q'))); };
    if (c.pm('B') >= 5 && c.pm('Q') == 1 && c.pm('L') == 1)
        ahead(2);
    if (c.pm('B') <= -5 && c.pm('Q') == -1 && c.pm('L') == 1)
        behind(2);
    if (c.pm('M') == 5 && c.pm('Q') == 1)
        ahead(2.5);
    if (c.pm('M') == 5 && c.pm('Q') == -1)
        behind(2.5);
    if (c.pm('M') == 19 && c.pm('Q') == 1)
        ahead(2);
    if (c.pm('M') == 19 && c.pm('Q') == -1)
        behind(2);
}

// Events 399 and 400: the look-ahead shrinks when slow and in no building
// state, or in the air.
bool look_ahead_fades(const Camera& c)
{
    const bool slow = c.pm('B') > -5 && c.pm('B') < 5 && c.pm('M') != 5 && c.pm('M') != 19;
    return slow || c.pm('L') == 0;
}

// A look pose counts when only its own direction is held and the player
// stands still in it.
bool holds_pose(Frames& frames, const Camera& c, char held, char other, int state)
{
    ObjectList& input = frames.instances[types::PlayerInput_21];
    return get_value(input, held) == 1 && get_value(input, other) == 0 && c.pm('M') == state && c.pm('L') == 1 &&
           c.pm('B') == 0 && c.pm('S') == 1;
}

}  // namespace

void Frames::event_func_369()
{
    const auto c = active_camera(*this);
    const double px = instance_or_default(instances[types::Player_87]).get_x();
    if (c && c->get('A') < px)
        c->set('A', std::min(c->get('A') + 6 + std::min(std::fabs(c->get('G')), 4.0) + std::fabs(c->pm('B')) / 1.5, px));
}

void Frames::event_func_370()
{
    const auto c = active_camera(*this);
    const double px = instance_or_default(instances[types::Player_87]).get_x();
    if (c && c->get('A') > px)
        c->set('A',
               std::max(c->get('A') - 6 + std::max(-std::fabs(c->get('G')), -4.0) - std::fabs(c->pm('B')) / 1.5, px));
}

void Frames::event_func_371()
{
    const auto c = active_camera(*this);
    const double py = instance_or_default(instances[types::Player_87]).get_y();
    if (c && c->get('B') < py)
        c->set('B', std::min(c->get('B') + 6 + std::fabs(c->pm('G')) * 0.5, py));
}

void Frames::event_func_372()
{
    const auto c = active_camera(*this);
    const double py = instance_or_default(instances[types::Player_87]).get_y();
    if (c && c->get('B') > py)
        c->set('B', std::max(c->get('B') - 6 - std::fabs(c->pm('G')) * 0.5, py));
}

void Frames::event_func_373()
{
    const auto c = active_camera(*this);
    const FrameObject& player = instance_or_default(instances[types::Player_87]);
    if (c && c->get('A') == player.get_x() && c->get('B') == player.get_y())
        c->set('M', 0);
}

void Frames::loop_camera_mode2_4()
{
    event_func_369();
    event_func_370();
    event_func_371();
    event_func_372();
    event_func_373();
}

void Frames::loop_camera_mode1_4()
{
    if (const auto c = active_camera(*this)) {
        c->set('M', 0);
        c->set('U', 1);
    }
}

void Frames::loop_camera_mode0_4()
{
    const auto c = active_camera(*this);
    if (!c)
        return;
    follow_player(*c);
    event_func_384();
    settle_look_up(*c);
    event_func_389();
    settle_look_down(*c);
    build_look_ahead(*c);
    event_func_399();
    event_func_400();
}

void Frames::event_func_384()
{
    const auto c = active_camera(*this);
    if (c && holds_pose(*this, *c, 'A', 'B', 2)) {
        c->set('N', c->get('N') + 1);
        set_flag(c->camera, 0, true);
    }
}

void Frames::event_func_389()
{
    const auto c = active_camera(*this);
    if (c && holds_pose(*this, *c, 'B', 'A', 3)) {
        c->set('O', c->get('O') + 1);
        set_flag(c->camera, 1, true);
    }
}

void Frames::event_func_399()
{
    const auto c = active_camera(*this);
    if (c && c->get('G') > 0 && look_ahead_fades(*c))
        c->set('G', std::max(c->get('G') - 2, 0.0));
}

void Frames::event_func_400()
{
    const auto c = active_camera(*this);
    if (c && c->get('G') < 0 && look_ahead_fades(*c))
        c->set('G', std::min(c->get('G') + 2, 0.0));
}
