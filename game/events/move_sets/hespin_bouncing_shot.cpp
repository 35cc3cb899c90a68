// The bouncing shot: pulled upwards without limit, it bounces off the
// background, then waits two ticks before it can bounce again.
#include "audio/media.h"
#include "game/events/move_sets/hespin_weapons.h"
#include "objects/active.h"

namespace {

constexpr int bouncing_shot = 15;
constexpr double pull = 0.16;
constexpr unsigned bounce_sample = 27;
constexpr double after_bounce = 4;

// The bouncing shots ready to bounce whose `component` passes `sign_test`
// bounce it back when the background lies at (dx, dy) from the first one.
template <class SignTest>
void bounce(Frames& f, char component, SignTest sign_test, int dx, int dy)
{
    ObjectList& shots = f.instances[types::PlayerProjectile_336];
    if (!select(shots, [&](FrameObject* shot) {
            return get_value(*shot, 'J') == bouncing_shot && sign_test(get_value(*shot, component)) &&
                   get_value(*shot, 'K') == 1;
        }))
        return;
    const FrameObject* first = shots.back_selection();
    if (!f.test_obstacle(first->get_x() + dx, first->get_y() + dy))
        return;
    media.play_id(bounce_sample, -1, 1);
    for_each_selected(shots, [component](FrameObject* shot) {
        set_value(shot, 'K', after_bounce);
        set_value(shot, component, -get_value(*shot, component));
    });
}

bool positive(double v) { return v > 0; }
bool negative(double v) { return v < 0; }

}  // namespace

// It cycles frames 22 to 25 and is pulled upwards.
void Frames::event_func_1441()
{
    if (!hespin::armed(*this))
        return;
    const int frame = 22 + level_tick(*this) % 4;
    for_each_shot(*this, of_kind(bouncing_shot), [frame](FrameObject* shot) {
        static_cast<Active*>(shot)->force_frame(frame);
        add_value(shot, 'D', -pull);
    });
}

// Probes 24 pixels ahead sideways, 16 up or down.
void Frames::event_func_1442()
{
    if (hespin::armed(*this))
        bounce(*this, 'C', positive, 24, 0);
}

void Frames::event_func_1443()
{
    if (hespin::armed(*this))
        bounce(*this, 'C', negative, -24, 0);
}

void Frames::event_func_1444()
{
    if (hespin::armed(*this))
        bounce(*this, 'D', positive, 0, 16);
}

void Frames::event_func_1445()
{
    if (hespin::armed(*this))
        bounce(*this, 'D', negative, 0, -16);
}

// Every projectile's hit state counts back down to 1.
void Frames::event_func_1446()
{
    if (!hespin::armed(*this))
        return;
    for_each_shot(
        *this, [](FrameObject* shot) { return get_value(*shot, 'K') > 1; },
        [](FrameObject* shot) { add_value(shot, 'K', -1); });
}
