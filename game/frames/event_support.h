// What every event uses the same way: group switches, selecting and
// filtering instances, the instance of a single-instance type, run-once
// conditions, once flags, every-N-seconds timers, creating instances,
// random numbers from the event's seed group and number conversions
// (docs/events.md). Fast loops are Frames::run_loop and run_named_loop.
#pragma once

#include "game/frames/event_index.h"
#include "game/objects/type_ids.h"
#include "runtime/frame.h"
#include "runtime/frameobject.h"
#include "runtime/lists.h"
#include "runtime/values.h"

#include <cmath>
#include <cstdint>
#include <string>

class Active;

// Values by letter ('A' ...) and flags by bit ---------------------------------
// A missing object (or one without alterables) reads 0 and takes no writes.
inline double get_value(const FrameObject& object, char name)
{
    return object.alterables ? object.alterables->values.get(unsigned(name - 'A')) : 0.0;
}

inline void set_value(FrameObject* object, char name, double number)
{
    if (object && object->alterables)
        object->alterables->values.set(unsigned(name - 'A'), number);
}

inline bool get_flag(const FrameObject& object, int bit)
{
    return object.alterables && ((uint32_t(object.alterables->flags) >> bit) & 1u);
}

inline void set_flag(FrameObject* object, int bit, bool on)
{
    if (!object || !object->alterables)
        return;
    if (on)
        object->alterables->flags |= int32_t(1u << bit);
    else
        object->alterables->flags &= ~int32_t(1u << bit);
}

// Adds `delta` to a value; nothing without an object.
inline void add_value(FrameObject* object, char name, double delta)
{
    if (object)
        set_value(object, name, get_value(*object, name) + delta);
}

inline void set_string(FrameObject* object, unsigned index, const std::string& text)
{
    if (object && object->alterables)
        object->alterables->strings.get(index) = text;
}

// Sets a value on every instance of the type.
void set_value_of_all(ObjectList& list, char name, double number);

// The collision layer an instance is on (0 without one).
int layer_index(const FrameObject& object);

// A position in an instance's layer (frame coordinates less the layer's offset).
struct LayerPoint {
    int x, y;
};

// An instance's action point in its layer's coordinates.
LayerPoint action_point_on_layer(const FrameObject& object);

// Fades work on the semi-transparency, 0 (opaque) ... 128 (invisible); a
// semi-transparency t is stored as the alpha (128 - t) * 2 within 0 ... 255.
inline int semi_transparency(const FrameObject& object) { return object.blend_color.get_semi_transparency(); }

inline void set_semi_transparency(FrameObject& object, int t)
{
    object.blend_color.a = clamp_color_component(256 - 2 * t);
}

// Groups ----------------------------------------------------------------------

inline void activate_group(bool& group) { group = true; }
inline void deactivate_group(bool& group) { group = false; }

// Selection -------------------------------------------------------------------

// Selects every instance of the type, the newest first.
inline void select_all(ObjectList& list) { list.clear_selection(); }
inline void select_all(QualifierList& group) { group.clear_selection(); }

// Selects every instance of the group's members except the lists it shares
// with `kept`, which keep their selection: a group tested against another
// that holds some of the same lists.
void select_all_but(QualifierList& group, const QualifierList& kept);

// Keeps the selected instances for which `test` holds, in chain order; true
// when any is left.
template <class Test>
bool filter(ObjectList& list, Test test)
{
    for (ObjectIterator it(list); !it.done(); ++it)
        if (!test(*it))
            it.deselect();
    return list.has_selection();
}

template <class Test>
bool filter(QualifierList& group, Test test)
{
    for (QualifierIterator it(group); !it.done(); ++it)
        if (!test(*it))
            it.deselect();
    return group.has_selection();
}

// Select all, then filter: an object condition at the start of an event.
template <class List, class Test>
bool select(List& list, Test test)
{
    select_all(list);
    return filter(list, test);
}

// Keeps the selected instances for which `test(instance, first)` holds, where
// `first` is the first instance still selected when the instance is tested
// (itself when no earlier one was kept): a condition that compares each
// instance with a value read "of the type" while the selection is walked.
template <class Test>
bool filter_with_first(ObjectList& list, Test test)
{
    FrameObject* first = nullptr;
    for (ObjectIterator it(list); !it.done(); ++it) {
        FrameObject* object = *it;
        if (!test(object, first ? *first : *object))
            it.deselect();
        else if (!first)
            first = object;
    }
    return list.has_selection();
}

// Runs `action` on each selected instance in chain order.
template <class Action>
void for_each_selected(ObjectList& list, Action action)
{
    for (ObjectIterator it(list); !it.done(); ++it)
        action(*it);
}

template <class Action>
void for_each_selected(QualifierList& group, Action action)
{
    for (QualifierIterator it(group); !it.done(); ++it)
        action(*it);
}

// An action on a type that no condition selected acts on every instance.
template <class List, class Action>
void for_each_instance(List& list, Action action)
{
    select_all(list);
    for_each_selected(list, action);
}

// The instance of a single-instance type: the last one added; null when the
// type has none (writes then write nothing).
inline FrameObject* instance_of(ObjectList& list) { return list.back; }

// The values an event reads of an instance that may be missing: the
// runtime's default instance stands in for it.
FrameObject& instance_or_default(ObjectList& list);

// The same for a type of animated objects, whose animation an event reads:
// the kind's default instance stands in, never a plain object.
Active& active_or_default(ObjectList& list);

// Values and flags of a single-instance type, by its list: reads of a type
// without an instance give the default object's, writes write nothing.
inline double get_value(ObjectList& list, char name) { return get_value(instance_or_default(list), name); }
inline void set_value(ObjectList& list, char name, double number) { set_value(instance_of(list), name, number); }
inline void add_value(ObjectList& list, char name, double delta) { add_value(instance_of(list), name, delta); }
inline bool get_flag(ObjectList& list, int bit) { return get_flag(instance_or_default(list), bit); }
inline void set_flag(ObjectList& list, int bit, bool on) { set_flag(instance_of(list), bit, on); }
inline void set_string(ObjectList& list, unsigned index, const std::string& text)
{
    set_string(instance_of(list), index, text);
}

// A condition on the instance of a single-instance type: false without one.
template <class Test>
bool instance_holds(ObjectList& list, Test test)
{
    const FrameObject* object = instance_of(list);
    return object && object->alterables && test(*object);
}

// Pairs the k-th instance an event visits with an instance of another type:
// instance N - (k mod N) of that type's list, so k = 0 gives the newest and
// the pairing wraps. Null when the type has no instance (N = 0) or k < 0.
FrameObject* paired_instance(ObjectList& list, int k);

// The same for reads: the runtime's default instance stands in for none.
FrameObject& paired_or_default(ObjectList& list, int k);

// Conditions with state -------------------------------------------------------

// Run once while true: holds on the first tick its conditions hold, then
// again only after a tick on which they did not. Call it where everything
// before it held.
inline bool run_once(unsigned& counter, int tick)
{
    const unsigned last = counter;
    counter = unsigned(tick) + 2;
    return last <= unsigned(tick);
}

// Once per entry into the frame.
inline bool once(bool& done)
{
    if (done)
        return false;
    done = true;
    return true;
}

// Every `period` seconds: adds the tick's time, holds when the period is
// reached and keeps the remainder.
inline bool every(float& timer, float frame_time, float period)
{
    const float sum = timer + frame_time;
    if (sum < period) {
        timer = sum;
        return false;
    }
    timer = sum - period;
    return true;
}

// Creating instances ----------------------------------------------------------

// A create action's first instance: the type's chain holds only what the
// action creates, the newest first.
FrameObject* create_instance(Frame& frame, ObjectList& list, FrameObject* created, int layer);
// Each further instance of the same action.
FrameObject* create_another(Frame& frame, ObjectList& list, FrameObject* created, int layer);

// Create at each selected source: one instance of `make(x, y)` per selected
// source, at the layer position `place(source)` gives, on the source's layer.
// Returns the first made, which the rest of the action addresses. With no
// source, one is made at (0, 0) on layer 0 and destroyed at once, so that the
// type's selection is still what the action made.
template <class Sources, class Make, class Place>
FrameObject* create_at_places(Frame& frame, Sources& sources, ObjectList& made, Make make, Place place)
{
    FrameObject* first = nullptr;
    for_each_selected(sources, [&](FrameObject* source) {
        const int layer = layer_index(*source);
        const LayerPoint at = place(*source);
        FrameObject* object = make(at.x, at.y);
        if (!first)
            first = create_instance(frame, made, object, layer);
        else
            create_another(frame, made, object, layer);
    });
    if (first)
        return first;
    first = create_instance(frame, made, make(0, 0), 0);
    if (first)
        first->destroy();
    return first;
}

// At each source's position plus (dx, dy).
template <class Sources, class Make>
FrameObject* create_at_each(Frame& frame, Sources& sources, ObjectList& made, Make make, int dx = 0, int dy = 0)
{
    return create_at_places(frame, sources, made, make, [dx, dy](const FrameObject& source) {
        return LayerPoint{source.x + dx, source.y + dy};
    });
}

// At each source's action point, turned into its layer's coordinates.
template <class Sources, class Make>
FrameObject* create_at_action_points(Frame& frame, Sources& sources, ObjectList& made, Make make)
{
    return create_at_places(frame, sources, made, make, action_point_on_layer);
}

// Numbers ---------------------------------------------------------------------

// A number as an integer: truncated toward zero; out of range saturates and
// NaN gives the smallest integer.
inline int32_t to_int(double value)
{
    if (!(value == value))
        return INT32_MIN;
    if (value >= 2147483647.0)
        return INT32_MAX;
    if (value <= -2147483648.0)
        return INT32_MIN;
    return int32_t(value);
}

// The level's tick counter (global value 3), which the acts' events count
// up, as the events read it: truncated, 0 when unset.
inline int level_tick(const Frame& frame) { return to_int(frame.global_values->get(3)); }

// The piece of `text` of at most `length` characters from character
// `start`, cut to the text: a start before the text or past its end, or a
// length of 0 or less, gives an empty piece.
std::string text_piece(const std::string& text, int64_t start, int64_t length);

// Degree sine and cosine as the events write them: the angle over
// 57.29577951308232, with exact zeros only where the events ask for them
// (the sine of 180, the cosine of 90 and 270).
inline double event_sin(double degrees) { return degrees == 180.0 ? 0.0 : std::sin(degrees / 57.29577951308232); }

inline double event_cos(double degrees)
{
    return degrees == 90.0 || degrees == 270.0 ? 0.0 : std::cos(degrees / 57.29577951308232);
}

// A random integer below n drawn from the seed group of `event`.
int randrange_event(int event, int n);

// One of the selected instances at random, drawn from the seed group of
// `event`; it becomes the whole selection. Null when none can be picked.
FrameObject* pick_random_instance(int event, ObjectList& list);

// The same over the selected members of an object group: the pick becomes
// the group's whole selection (every other member's chain is emptied).
FrameObject* pick_random_member(int event, QualifierList& group);
