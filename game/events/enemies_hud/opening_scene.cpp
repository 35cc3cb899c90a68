// Act 1's opening scene, played before the player gets control when the act
// is entered fresh. The boss rises out of the ground on a swaying path,
// weaving behind and in front of the foreground rocks, while the black card
// clears and the camera follows its head up; then its rider climbs the
// path, jumps off and dashes away past a launched background plane, the
// card darkens again and control is handed back.
#include "audio/media.h"
#include "game/events/enemies_hud/background_planes.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "game/objects/type_ids.h"
#include "objects/active.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double risen = 120, slow_rise_from = 110;
constexpr double card_cleared = 200;
constexpr double segment_lag = 4, segment_rest = -30;
constexpr unsigned rumble_sample = 31, jump_sample = 52;
constexpr int facing_right = 0, facing_left = 16, plane_pass = 4;

// Climbing, jumping, dashing, gone: the rider's phases (value B).
constexpr double climbing = 0, jumping = 1, dashing = 2, gone = 3;
constexpr double climb_ends = 122;

bool rising(const Frames& f) { return f.level_group_43 && f.level_group_68 && f.level_group_34; }
bool cut_scene(const Frames& f) { return f.level_group_43 && f.level_group_68 && f.level_group_60; }

ObjectList& heads(Frames& frames) { return frames.instances[types::BossVashkelHead_273]; }
ObjectList& segments(Frames& frames) { return frames.instances[types::BossVashkelBody_274]; }
ObjectList& rocks(Frames& frames) { return frames.instances[types::FrontRock1_276]; }
ObjectList& riders(Frames& frames) { return frames.instances[types::NPCVashkel_275]; }
ObjectList& cards(Frames& frames) { return frames.instances[types::LevelCardFade_208]; }

Active* active(FrameObject* object) { return static_cast<Active*>(object); }

// The boss's swaying path: how far right of home it is at progress p.
double sway(double p) { return (120 - 0.4 * p) * event_sin(4 * p) + 0.7 * p; }

// The head where one is needed: the first selected, else the newest.
const FrameObject& first_head(Frames& frames)
{
    const FrameObject* head = heads(frames).back_selection();
    return head ? *head : instance_or_default(heads(frames));
}

// Numbers the list's instances 0, 1, 2 ... (plus `first`) in selection order.
void number_all(ObjectList& list, char name, int first)
{
    int n = first;
    for_each_instance(list, [&n, name](FrameObject* object) { set_value(object, name, n++); });
}

// Visits every segment with the head it follows (the heads wrap).
template <class Action>
void for_each_segment_with_head(Frames& frames, Action action)
{
    int i = 0;
    for_each_instance(segments(frames), [&](FrameObject* segment) {
        const FrameObject* head = heads(frames).get_wrapped_selection(i++);
        if (head)
            action(segment, *head);
    });
}

bool head_progress(Frames& frames, bool (*test)(double progress))
{
    return select(heads(frames), [test](FrameObject* head) { return test(get_value(*head, 'A')); });
}

// The head turns at the outer parts of the sway (sine beyond half).
void turn_head(Frames& frames, bool (*beyond)(double sine), int direction)
{
    if (!rising(frames) || !head_progress(frames, [](double a) { return a > 0; }))
        return;
    if (!beyond(event_sin(4 * get_value(*heads(frames).back_selection(), 'A'))))
        return;
    if (!filter(heads(frames), [direction](FrameObject* head) { return !head->test_directions(1u << direction); }))
        return;
    for_each_selected(heads(frames), [direction](FrameObject* head) {
        head->set_direction(direction, true);
        active(head)->force_frame(0);
        active(head)->restore_frame();
    });
}

// Pairs the instances above the rock tagged `tag` with the rocks so tagged,
// in selection order, each going behind its rock; with one such rock only
// the first goes behind it.
void behind_rock(Frames& frames, ObjectList& movers, double tag)
{
    if (!select(rocks(frames), [tag](FrameObject* rock) { return get_value(*rock, 'A') == tag; }))
        return;
    const int rock_y = rocks(frames).back_selection()->get_y();
    if (!select(movers, [rock_y](FrameObject* mover) { return mover->get_y() < rock_y; }))
        return;
    ObjectIterator rock(rocks(frames));
    for (ObjectIterator mover(movers); !mover.done() && !rock.done(); ++mover, ++rock)
        (*mover)->move_back(*rock);
}

// The riders in a phase; with `moving`, only those past frame 2 of their
// animation.
bool select_riders(Frames& frames, double phase, bool moving = false)
{
    return cut_scene(frames) && select(riders(frames), [phase, moving](FrameObject* rider) {
               return get_value(*rider, 'B') == phase && (!moving || active(rider)->get_frame() >= 2);
           });
}

bool select_climbing(Frames& frames, bool (*test)(double progress))
{
    return select_riders(frames, climbing) &&
           filter(riders(frames), [test](FrameObject* rider) { return test(get_value(*rider, 'A')); });
}

}  // namespace

// The boss rise ------------------------------------------------------------

void Frames::event_func_1965()
{
    if (!rising(*this) || !run_once(run_once_1965, loop_count))
        return;
    number_all(segments(*this), 'B', 1);
    for_each_instance(heads(*this), [](FrameObject* head) {
        set_value(head, 'C', head->get_x());
        set_value(head, 'D', head->get_y());
    });
    for_each_segment_with_head(*this, [](FrameObject* segment, const FrameObject& head) {
        set_value(segment, 'D', get_value(head, 'D'));
    });
    number_all(rocks(*this), 'A', 0);
    set_display_center(first_head(*this).get_x() + 40, std::nullopt);
    set_display_center(std::nullopt, first_head(*this).get_y() - 50);
    for_each_instance(heads(*this), [](FrameObject* head) {
        active(head)->force_frame(6);
        active(head)->restore_frame();
    });
    for_each_instance(segments(*this), [](FrameObject* segment) {
        active(segment)->set_scale(float(std::min(1.2 - 0.05 * get_value(*segment, 'B'), 1.0)));
    });
    deactivate_group(level_group_25);
    deactivate_group(level_group_8);
}

void Frames::event_func_1966()
{
    if (rising(*this) && select(rocks(*this), [](FrameObject* rock) { return get_value(*rock, 'A') <= 1; }))
        for_each_selected(rocks(*this), [](FrameObject* rock) { rock->move_front(); });
}

void Frames::event_func_1967()
{
    if (!rising(*this) || !(get_value(cards(*this), 'A') < card_cleared))
        return;
    for_each_instance(cards(*this), [](FrameObject* card) {
        set_semi_transparency(*card, semi_transparency(*card) + 4);
        add_value(card, 'A', 4);
    });
}

void Frames::event_func_1968()
{
    if (!rising(*this) || !select(heads(*this), [](FrameObject* head) { return get_value(*head, 'D') > 0; }))
        return;
    for_each_selected(heads(*this), [](FrameObject* head) { head->set_y(to_int(get_value(*head, 'D'))); });
    for_each_instance(segments(*this),
                      [](FrameObject* segment) { segment->set_y(to_int(get_value(*segment, 'D'))); });
}

// Each segment follows the head's path 4 progress units a segment later.
void Frames::event_func_1969()
{
    if (!rising(*this))
        return;
    for_each_instance(heads(*this), [](FrameObject* head) {
        head->set_x(to_int(get_value(*head, 'C') + sway(get_value(*head, 'A'))));
    });
    for_each_segment_with_head(*this, [](FrameObject* segment, const FrameObject& head) {
        const double progress =
            std::max(get_value(head, 'A') - segment_lag * get_value(*segment, 'B'), segment_rest);
        set_value(segment, 'A', progress);
        segment->set_x(to_int(get_value(head, 'C') + sway(progress)));
    });
}

void Frames::event_func_1970()
{
    if (rising(*this) && head_progress(*this, [](double a) { return a < risen; }))
        run_loop(fast_loop_serpent_step, 1, &Frames::loop_serpent_step_4);
}

void Frames::event_func_1971()
{
    if (rising(*this) && to_int(global_values->get(3)) % 10 == 5 &&
        head_progress(*this, [](double a) { return a < slow_rise_from; }))
        media.play_id(rumble_sample, -1, 1);
}

void Frames::event_func_1972()
{
    if (rising(*this) && to_int(global_values->get(3)) % 15 == 5 &&
        head_progress(*this, [](double a) { return a >= slow_rise_from; }))
        media.play_id(rumble_sample, -1, 1);
}

void Frames::event_func_1973()
{
    turn_head(*this, [](double sine) { return sine > 0.5; }, facing_right);
}

void Frames::event_func_1974()
{
    turn_head(*this, [](double sine) { return sine < -0.5; }, facing_left);
}

void Frames::event_func_1975()
{
    if (!rising(*this))
        return;
    for_each_instance(segments(*this), [](FrameObject* segment) {
        active(segment)->force_frame(to_int((event_sin(4 * get_value(*segment, 'A')) + 1) * 2));
    });
    run_loop(fast_loop_serpent_segments, segments(*this).size(), &Frames::loop_serpent_segments_4);
}

void Frames::event_func_1976()
{
    if (rising(*this))
        behind_rock(*this, heads(*this), 2);
}

void Frames::event_func_1977()
{
    if (rising(*this))
        behind_rock(*this, heads(*this), 4);
}

void Frames::event_func_1978()
{
    if (rising(*this))
        behind_rock(*this, segments(*this), 4);
}

void Frames::event_func_1979()
{
    const int line = new_display_y + 80;
    if (rising(*this) && select(heads(*this), [line](FrameObject* head) { return head->get_y() < line; }))
        set_display_center(std::nullopt, heads(*this).back_selection()->get_y() + 40);
}

void Frames::event_func_1980()
{
    if (!rising(*this) || !head_progress(*this, [](double a) { return a >= risen; }))
        return;
    deactivate_group(level_group_34);
    activate_group(level_group_60);
}

// The rider's cut-scene ----------------------------------------------------

void Frames::event_func_1981()
{
    if (select_riders(*this, climbing))
        for_each_selected(riders(*this), [](FrameObject* rider) { rider->set_y(to_int(get_value(*rider, 'E'))); });
}

void Frames::event_func_1982()
{
    if (!select_riders(*this, climbing) || !run_once(run_once_1982, loop_count))
        return;
    int i = 0;
    for_each_selected(riders(*this), [&](FrameObject* rider) {
        const FrameObject& head = paired_or_default(heads(*this), i++);
        rider->move_back();
        rider->set_global_position(2881, 297);
        set_value(rider, 'A', get_value(head, 'A') - 40);
        set_value(rider, 'E', get_value(head, 'D') + 180);
        active(rider)->force_animation(1);
    });
}

// The rider climbs the boss's path while the view drifts up and right.
void Frames::event_func_1983()
{
    if (!select_climbing(*this, [](double a) { return a < climb_ends; }))
        return;
    set_display_center(std::nullopt, new_display_y + 119);
    int i = 0;
    for_each_selected(riders(*this), [&](FrameObject* rider) {
        const FrameObject& head = paired_or_default(heads(*this), i++);
        const double progress = get_value(*rider, 'A');
        rider->set_x(to_int(get_value(head, 'C') + sway(progress)));
        add_value(rider, 'E', -(0.02 * progress + std::fabs(event_sin(4 * progress))));
        set_value(rider, 'A', progress + 0.5);
    });
    set_display_center(new_display_x + 214, std::nullopt);
}

void Frames::event_func_1984()
{
    if (select_climbing(*this, [](double a) { return a > 85; }) && run_once(run_once_1984, loop_count))
        for_each_selected(riders(*this), [](FrameObject* rider) { rider->set_visible(true); });
}

void Frames::event_func_1985()
{
    if (select_climbing(*this, [](double a) { return a > 114; }))
        for_each_selected(riders(*this), [](FrameObject* rider) { rider->set_direction(facing_left, true); });
}

void Frames::event_func_1986()
{
    if (select_climbing(*this, [](double a) { return a >= climb_ends; }))
        for_each_selected(riders(*this), [](FrameObject* rider) { active(rider)->force_animation(11); });
}

void Frames::event_func_1987()
{
    if (select_riders(*this, climbing))
        for_each_selected(riders(*this), [](FrameObject* rider) { rider->move_back(); });
}

// The wind-up over, it turns right for the jump.
void Frames::event_func_1988()
{
    if (!select_climbing(*this, [](double a) { return a >= climb_ends; }) ||
        !filter(riders(*this), [](FrameObject* rider) { return active(rider)->is_animation_finished(11); }))
        return;
    for_each_selected(riders(*this), [](FrameObject* rider) {
        set_value(rider, 'B', jumping);
        active(rider)->force_animation(7);
        rider->set_direction(facing_right, true);
    });
}

void Frames::event_func_1989()
{
    if (!select_riders(*this, jumping) ||
        !filter(riders(*this), [](FrameObject* rider) { return active(rider)->get_frame() == 2; }) ||
        !run_once(run_once_1989, loop_count))
        return;
    for_each_selected(riders(*this), [](FrameObject* rider) {
        set_value(rider, 'D', -5);
        set_value(rider, 'C', 2);
    });
}

void Frames::event_func_1990()
{
    if (!cut_scene(*this) || !select(riders(*this), [](FrameObject* rider) {
            const double phase = get_value(*rider, 'B');
            return (phase == jumping || phase == dashing) && active(rider)->get_frame() >= 2;
        }))
        return;
    for_each_selected(riders(*this), [](FrameObject* rider) {
        rider->set_x(to_int(rider->get_x() + get_value(*rider, 'C')));
        rider->set_y(to_int(rider->get_y() + get_value(*rider, 'D')));
        set_value(rider, 'D', std::min(get_value(*rider, 'D') + 0.2, 8.0));
    });
}

void Frames::event_func_1991()
{
    if (!select_riders(*this, jumping, true) ||
        !filter(riders(*this), [](FrameObject* rider) { return get_value(*rider, 'D') > 3; }))
        return;
    for_each_selected(riders(*this), [](FrameObject* rider) {
        active(rider)->force_animation(9);
        set_value(rider, 'B', dashing);
    });
}

// The dash: a burst and a sample where it leaves, and a plane passes by.
void Frames::event_func_1992()
{
    if (!select_riders(*this, dashing, true) || !run_once(run_once_1992, loop_count))
        return;
    for_each_selected(riders(*this), [](FrameObject* rider) { set_value(rider, 'C', 8); });
    media.play_id(jump_sample, -1, 1);
    create_at_each(*this, riders(*this), instances[types::EffectsWhiteBurst_31], create_effectswhiteburst_31);
    for_each_selected(riders(*this), [](FrameObject* rider) {
        rider->move_back();
        set_value(rider, 'D', 0);
    });
    ObjectList& planes = instances[types::LevelBackgroundPlane2_352];
    create_at_each(*this, riders(*this), planes, create_levelbackgroundplane2_352);
    for_each_selected(planes, [this](FrameObject* plane) { launch_background_plane(*this, plane); });
}

// The camera shakes around a plane passing the view.
void Frames::event_func_1993()
{
    ObjectList& planes = instances[types::LevelBackgroundPlane2_352];
    const int left = new_display_x - 50;
    if (!cut_scene(*this) || !select(planes, [left](FrameObject* plane) {
            return plane->test_directions(1u << plane_pass) && plane->get_x() > left;
        }))
        return;
    const FrameObject& plane = *planes.back_selection();
    const double shake = get_value(plane, 'F');
    const double x = get_value(plane, 'D') - shake + randrange_event(1993, to_int(2 * shake));
    set_display_center(to_int(x), std::nullopt);
    const double y = get_value(plane, 'E') - shake + randrange_event(1993, to_int(2 * shake));
    set_display_center(std::nullopt, to_int(y));
}

void Frames::event_func_1994()
{
    const int past_view = new_display_x + 466;
    if (select_riders(*this, dashing) &&
        filter(riders(*this), [past_view](FrameObject* rider) { return rider->get_x() > past_view; }))
        for_each_selected(riders(*this), [](FrameObject* rider) { set_value(rider, 'B', gone); });
}

void Frames::event_func_1995()
{
    if (!select_riders(*this, gone) || !(get_value(cards(*this), 'A') > 0))
        return;
    for_each_instance(cards(*this), [](FrameObject* card) {
        add_value(card, 'A', -2);
        set_semi_transparency(*card, to_int(get_value(*card, 'A')));
    });
}

void Frames::event_func_1996()
{
    if (!select_riders(*this, gone) || !(get_value(cards(*this), 'A') <= 0))
        return;
    deactivate_group(level_group_68);
    run_loop(fast_loop_cutscene_end, 1, &Frames::loop_cutscene_end_4);
    set_value(instances[types::MasterCamera_190], 'Z', 0);
}
