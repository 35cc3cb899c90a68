// The spore pod: it waits (D 0), shoots up at 8 pixels a tick (D 1) with a
// splash where it rises through the water line, brakes from a limiter on,
// spits three spores at the top, drops back to where it started (D 2) and
// waits again; struck (D 4), it bursts on landing into a keystone and
// debris. Its spores fly under gravity until they burst (flag 0) and vanish
// when the burst animation ends; a burst near the view shakes the camera.
#include "audio/media.h"
#include "game/events/act2/water_splash.h"
#include "game/events/enemies_hud/enemy_landing.h"
#include "game/frames/event_support.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "runtime/collision.h"

#include <algorithm>

namespace {

constexpr int waiting = 0, rising = 1, falling = 2, struck = 4;
constexpr int spit_animation = 7, struck_animation = 8, landing_animation = 11, spore_burst_animation = 7;
constexpr double rise_speed = -8.0, brake = 0.2, drift = -0.2, fall_gravity = 0.025, top_fall_speed = 2.0;
constexpr double spore_gravity = 0.1, top_spore_speed = 4.0;
constexpr unsigned splash_sample = 14, burst_sample = 26, spore_sample = 171;
constexpr int spores_per_spit = 3, debris_passes = 5;

ObjectList& pods(Frames& f) { return f.instances[types::EnemySporePod_393]; }
ObjectList& spores(Frames& f) { return f.instances[types::EnemySporeProjectile_403]; }
ObjectList& level(Frames& f) { return f.instances[types::MasterLevel_53]; }

Active* sprite(FrameObject* object) { return static_cast<Active*>(object); }

bool select_pods_in_state(Frames& f, int state)
{
    return select(pods(f), [state](FrameObject* p) { return get_value(*p, 'D') == state; });
}

// The pod shows G of the last tick, then moves by E.
void step_pod(FrameObject* pod)
{
    pod->set_y(to_int(get_value(*pod, 'G')));
    add_value(pod, 'G', get_value(*pod, 'E'));
}

bool burst_unreported(const FrameObject& spore) { return get_flag(spore, 0) && !get_flag(spore, 1); }

}  // namespace

void Frames::event_func_2314()
{
    if (level_group_43 && select(pods(*this), [](FrameObject* p) { return get_flag(*p, 6); }))
        for_each_selected(pods(*this), [](FrameObject* p) { set_value(p, 'D', struck); });
}

// A new rise only near the view, once the landing animation has played out.
void Frames::event_func_2315()
{
    if (!level_group_43 || !select(pods(*this), [](FrameObject* p) {
            return get_value(*p, 'D') == waiting && !p->is_near_border(-100) &&
                   !sprite(p)->test_animation(landing_animation);
        }))
        return;
    for_each_selected(pods(*this), [](FrameObject* p) {
        set_value(p, 'E', rise_speed);
        add_value(p, 'D', 1);
        set_flag(p, 1, false);
        set_flag(p, 2, false);
        set_value(p, 'G', p->get_y());
        set_value(p, 'H', p->get_y());
    });
}

void Frames::event_func_2316()
{
    if (!level_group_43 || !select_pods_in_state(*this, rising))
        return;
    for_each_selected(pods(*this), [](FrameObject* p) {
        step_pod(p);
        const double braking = get_flag(*p, 2) ? brake : 0;
        set_value(p, 'E', std::min(get_value(*p, 'E') + braking, drift));
    });
}

// Rising through the water line: one splash for the pods crossing together.
void Frames::event_func_2317()
{
    const double line = get_value(level(*this), 'B') + 8;
    if (!level_group_43 || !select(pods(*this), [line](FrameObject* p) {
            return get_value(*p, 'D') == rising && p->get_y() < line && !get_flag(*p, 1);
        }))
        return;
    const int x = pods(*this).back_selection()->get_x();
    splash_on_water_line(*this, x);
    media.play_id(splash_sample, -1, 1);
    for_each_selected(pods(*this), [](FrameObject* p) { set_flag(p, 1, true); });
}

void Frames::event_func_2318()
{
    if (!level_group_43 || !select_pods_in_state(*this, rising))
        return;
    ObjectList& limiters = instances[types::EnemyLimiter_163];
    select_all(limiters);
    if (check_overlap(pods(*this), limiters))
        for_each_selected(pods(*this), [](FrameObject* p) { set_flag(p, 2, true); });
}

// At the top of the rise: the fan of three spores, once for all pods.
void Frames::event_func_2319()
{
    if (!level_group_43 || !select(pods(*this), [](FrameObject* p) {
            return get_value(*p, 'D') == rising && get_value(*p, 'E') >= drift;
        }))
        return;
    for_each_selected(pods(*this), [](FrameObject* p) {
        add_value(p, 'D', 1);
        set_value(p, 'F', 2.0);
        sprite(p)->force_animation(spit_animation);
    });
    run_loop(fast_loop_sporepod, spores_per_spit, &Frames::loop_sporepod_5);
}

void Frames::event_func_2320()
{
    if (!level_group_43 || !select_pods_in_state(*this, falling))
        return;
    for_each_selected(pods(*this), [](FrameObject* p) {
        step_pod(p);
        set_value(p, 'E', std::min(get_value(*p, 'E') + fall_gravity, top_fall_speed));
    });
}

// Back home: the home height is the first kept pod's, as the test runs.
void Frames::event_func_2321()
{
    if (!level_group_43 || !select_pods_in_state(*this, falling))
        return;
    if (!filter_with_first(pods(*this), [](FrameObject* p, const FrameObject& first) {
            return p->get_y() >= get_value(first, 'H');
        }))
        return;
    for_each_selected(pods(*this), [](FrameObject* p) {
        sprite(p)->force_animation(landing_animation);
        set_value(p, 'D', waiting);
    });
}

void Frames::event_func_2322()
{
    if (level_group_43 && select_pods_in_state(*this, struck))
        for_each_selected(pods(*this), [](FrameObject* p) { sprite(p)->force_animation(struck_animation); });
}

void Frames::event_func_2323()
{
    if (!level_group_43 || !select_landed(*this, pods(*this)))
        return;
    FrameObject* keystone =
        create_at_each(*this, pods(*this), instances[types::ObjectKeystone_278], create_objectkeystone_278);
    keystone->set_direction(2, true);
    create_at_each(*this, pods(*this), instances[types::EffectsExplosion01_130], create_effectsexplosion01_130);
    media.play_id(burst_sample, -1, 1);
    for_each_selected(pods(*this), [](FrameObject* p) { set_value(p, 'A', -5); });
    run_loop(fast_loop_spawndebris, debris_passes, &Frames::loop_spawndebris_5);
}

void Frames::event_func_2324()
{
    if (level_group_43 && select(pods(*this), [](FrameObject* p) { return get_value(*p, 'A') == -1; }))
        for_each_selected(pods(*this), [](FrameObject* p) { p->destroy(); });
}

void Frames::event_func_2325()
{
    if (!level_group_43 || !select(spores(*this), [](FrameObject* s) { return !get_flag(*s, 0); }))
        return;
    for_each_selected(spores(*this), [](FrameObject* s) {
        s->set_x(to_int(get_value(*s, 'A')));
        s->set_y(to_int(get_value(*s, 'B')));
        add_value(s, 'A', get_value(*s, 'C'));
        add_value(s, 'B', get_value(*s, 'D'));
        set_value(s, 'D', std::min(get_value(*s, 'D') + spore_gravity, top_spore_speed));
    });
}

void Frames::event_func_2326()
{
    if (!level_group_43 || !select(spores(*this), [](FrameObject* s) {
            return burst_unreported(*s) && !s->is_near_border(-80);
        }))
        return;
    media.play_id(spore_sample, -1, 1);
    ObjectList& camera = instances[types::MasterCamera_190];
    set_value(camera, 'Z', std::min(get_value(camera, 'Z') + 2, 2.0));
}

void Frames::event_func_2327()
{
    if (level_group_43 && select(spores(*this), [](FrameObject* s) { return burst_unreported(*s); }))
        for_each_selected(spores(*this), [](FrameObject* s) { set_flag(s, 1, true); });
}

void Frames::event_func_2328()
{
    if (level_group_43 && select(spores(*this), [](FrameObject* s) {
            return sprite(s)->animation_finished == spore_burst_animation;
        }))
        for_each_selected(spores(*this), [](FrameObject* s) { s->destroy(); });
}
