// The puff shot and the wobbling riser, animated by their age and the
// global count; the explosive shot, which stops and explodes for a while.
#include "game/events/move_sets/hespin_weapons.h"
#include "game/objects/classes.h"
#include "objects/active.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr int puff_shot = 10;
constexpr int explosive_shot = 11;
constexpr int riser = 12;
constexpr double puff_end = -4;
constexpr double explosion_start = -20;
constexpr double riser_wobble = 15;
constexpr double riser_wobble_degrees = 35;
constexpr int explosion_spread = 25;
constexpr int explosion_speed = 50;

bool spent_puff_shot(FrameObject* shot)
{
    return get_value(*shot, 'J') == puff_shot && get_value(*shot, 'H') >= puff_end;
}

bool flying_explosive_shot(FrameObject* shot)
{
    return get_value(*shot, 'J') == explosive_shot && get_value(*shot, 'H') <= explosion_start;
}

bool exploding_shot(FrameObject* shot)
{
    return get_value(*shot, 'J') == explosive_shot && get_value(*shot, 'H') > explosion_start;
}

// The age of the first exploding shot, which paces every explosion's effects.
bool select_exploding(Frames& f, double& age)
{
    ObjectList& shots = f.instances[types::PlayerProjectile_336];
    if (!select(shots, exploding_shot))
        return false;
    age = std::fabs(get_value(*shots.back_selection(), 'H'));
    return true;
}

}  // namespace

// The puff shot plays frames 12 to 21 with its age.
void Frames::event_func_1424()
{
    if (!hespin::armed(*this))
        return;
    for_each_shot(*this, of_kind(puff_shot), [](FrameObject* shot) {
        static_cast<Active*>(shot)->force_frame(to_int(12 + (get_value(*shot, 'H') + 20) * 0.6));
    });
}

void Frames::event_func_1425()
{
    if (!hespin::armed(*this))
        return;
    for_each_shot(*this, spent_puff_shot, [](FrameObject* shot) { shot->destroy(); });
}

// An explosive shot touching anything in flight starts exploding.
void Frames::event_func_1427()
{
    if (!hespin::armed(*this) ||
        !select_filtered_then_touching(*this, flying_explosive_shot,
                                       {Contact::solids_flag_0_off, Contact::background, Contact::enemies}))
        return;
    for_each_selected(instances[types::PlayerProjectile_336],
                      [](FrameObject* shot) { set_value(shot, 'H', explosion_start + 1); });
}

// Exploding, it stands still facing up and plays on from its fired frame.
void Frames::event_func_1428()
{
    if (!hespin::armed(*this))
        return;
    for_each_shot(*this, exploding_shot, [](FrameObject* shot) {
        shot->set_direction(8, true);
        static_cast<Active*>(shot)->restore_frame();
        set_value(shot, 'C', 0);
        set_value(shot, 'D', 0);
    });
}

// An explosion sound every fifth count of its age.
void Frames::event_func_1429()
{
    double age = 0;
    if (!hespin::armed(*this) || !select_exploding(*this, age) || std::fmod(age, 5.0) != 3)
        return;
    run_named_loop("sound_explode" + std::to_string(3 + randrange_event(1429, 3)), 1);
}

// An explosion sprite near the shot every other count, and a shake.
void Frames::event_func_1430()
{
    double age = 0;
    if (!hespin::armed(*this) || !select_exploding(*this, age) || std::fmod(age, 2.0) != 0)
        return;
    auto* explosion = static_cast<Active*>(create_at_each(*this, instances[types::PlayerProjectile_336],
                                                          instances[types::EffectsExplosion06_291],
                                                          create_effectsexplosion06_291));
    explosion->set_x(explosion->get_x() + randrange_event(1430, 2 * explosion_spread + 1) - explosion_spread);
    explosion->set_y(explosion->get_y() + randrange_event(1430, 2 * explosion_spread + 1) - explosion_spread);
    explosion->force_speed(explosion_speed);
    shake_at_least(*this, 2);
}

// The riser cycles its frames, speeds upwards and swings on a sine of its age.
void Frames::event_func_1431()
{
    if (!hespin::armed(*this))
        return;
    const int frame = global_frame(*this, 26, 3);
    for_each_shot(*this, of_kind(riser), [frame](FrameObject* shot) {
        static_cast<Active*>(shot)->force_frame(frame);
        set_value(shot, 'D', std::max(get_value(*shot, 'D') - 0.1, -10.0));
        set_value(shot, 'C',
                  riser_wobble * get_value(*shot, 'N') * event_sin(riser_wobble_degrees * get_value(*shot, 'H')));
    });
}
