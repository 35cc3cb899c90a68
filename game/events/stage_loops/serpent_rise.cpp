// The serpent of act 1's boss set piece rises behind the foreground rocks,
// bobbing: each step raises its phase (A) and lifts the head and the body
// segments by the bobbing term and a share of their phase, a quarter share
// from phase 110 on. The segment pass draws a segment that has risen above
// the rock tagged 2 behind it.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"

#include <cmath>

namespace {

bool rising(const Frames& frames) { return frames.level_group_43 && frames.level_group_68 && frames.level_group_34; }

// How far a part with phase `a` rises this step.
double rise(double a, double share) { return std::abs(event_sin(4 * a)) + a * 0.01 * share; }

void lift(FrameObject* part, double share) { add_value(part, 'D', -rise(get_value(*part, 'A'), share)); }

// Selects the heads whose phase passes `test`.
bool head_holds(Frames& frames, bool (*test)(double))
{
    return select(frames.instances[types::BossVashkelHead_273],
                  [test](FrameObject* head) { return test(get_value(*head, 'A')); });
}

// The segments that have a phase rise when a head is in the phase range.
void lift_segments(Frames& frames, bool (*head_test)(double), double share)
{
    ObjectList& segments = frames.instances[types::BossVashkelBody_274];
    if (!select(segments, [](FrameObject* segment) { return get_value(*segment, 'A') > 0; }))
        return;
    if (!head_holds(frames, head_test))
        return;
    for_each_selected(segments, [share](FrameObject* segment) { lift(segment, share); });
}

bool early(double a) { return a < 110; }
bool late(double a) { return a >= 110; }
bool early_and_started(double a) { return a > 0 && a < 110; }
bool late_and_started(double a) { return a > 0 && a >= 110; }

void advance_head(Frames& frames, bool (*test)(double), double step)
{
    if (rising(frames) && head_holds(frames, test))
        for_each_selected(frames.instances[types::BossVashkelHead_273],
                          [step](FrameObject* head) { add_value(head, 'A', step); });
}

void lift_head(Frames& frames, bool (*test)(double), double share)
{
    if (rising(frames) && head_holds(frames, test))
        for_each_selected(frames.instances[types::BossVashkelHead_273],
                          [share](FrameObject* head) { lift(head, share); });
}

}  // namespace

void Frames::event_func_418() { advance_head(*this, early, 0.5); }

void Frames::event_func_419() { advance_head(*this, late, 0.125); }

void Frames::event_func_420() { lift_head(*this, early_and_started, 1); }

void Frames::event_func_421()
{
    if (rising(*this))
        lift_segments(*this, early, 1);
}

void Frames::event_func_422() { lift_head(*this, late_and_started, 0.25); }

void Frames::event_func_423()
{
    if (rising(*this))
        lift_segments(*this, late, 0.25);
}

void Frames::loop_serpent_step_4()
{
    event_func_418();
    event_func_419();
    event_func_420();
    event_func_421();
    event_func_422();
    event_func_423();
}

// Segment i + 1, once above the rock tagged 2, goes behind it.
void Frames::event_func_450()
{
    if (!rising(*this))
        return;
    const double number = fast_loop_serpent_segments.index + 1;
    ObjectList& segments = instances[types::BossVashkelBody_274];
    if (!select(segments, [number](FrameObject* segment) { return get_value(*segment, 'B') == number; }))
        return;
    ObjectList& rocks = instances[types::FrontRock1_276];
    if (!select(rocks, [](FrameObject* rock) { return get_value(*rock, 'A') == 2; }))
        return;
    const int rock_y = (*ObjectIterator(rocks))->get_y();
    if (!filter(segments, [rock_y](FrameObject* segment) { return segment->get_y() < rock_y; }))
        return;
    ObjectIterator rock(rocks);
    for (ObjectIterator segment(segments); !segment.done() && !rock.done(); ++segment, ++rock)
        (*segment)->move_back(*rock);
}

void Frames::loop_serpent_segments_4() { event_func_450(); }
