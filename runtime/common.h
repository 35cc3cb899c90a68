// Support functions of the event code: random numbers drawn from the calling
// source file's own generator, safe division, powers, angles, positions,
// numbering of selections, string cuts and the random picks.
#pragma once

#include "runtime/frameobject.h"
#include "runtime/lists.h"

#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <string>

// One generator per source file that includes this header: 0 at start and
// never seeded, so every run draws the same sequence in each file.
[[maybe_unused]] static uint32_t event_random_seed = 0;

// One step of this file's generator: r in 0..32767.
static inline unsigned event_random_step()
{
    event_random_seed = event_random_seed * 214013u + 2531011u;
    return (event_random_seed >> 16) & 0x7FFFu;
}

static inline unsigned randrange_event(int n)
{
    const unsigned r = event_random_step();
    return ((unsigned(n) & 0xFFFFu) * r) >> 15;
}

// The left operand of the events' division and remainder: a zero divisor
// gives 0.0.
template <class T>
struct MathHelperValue {
    T value;
    explicit MathHelperValue(T v) : value(v) {}
};

template <class T>
inline double operator/(MathHelperValue<T> a, double b)
{
    return b == 0.0 ? 0.0 : double(a.value) / b;
}

template <class T>
inline double operator%(const MathHelperValue<T>& a, double b)
{
    return b == 0.0 ? 0.0 : std::fmod(double(a.value), b);
}

double int_pow(double base, int exponent);
double get_angle(int x1, int y1, int x2, int y2);
void transform_pos(int& x, int& y, FrameObject* instance);
void spread_value(ObjectList& list, int index, int start);
void spread_value(QualifierList& group, int index, int start);
double string_to_double(const std::string& text);
std::string left_string(const std::string& text, int count);
std::string mid_string(const std::string& text, int start, int count);

// Random picks and single-instance lookups -----------------------------------

// Unlinks destroyed and fading instances from a chain; returns how many stay.
int drop_unpickable(ObjectList& list);
// Makes the k-th item of the chain (0 is the head) the whole chain.
FrameObject* keep_chain_item(ObjectList& list, int k);

static inline FrameObject* pick_random(ObjectList& list)
{
    const int n = drop_unpickable(list);
    if (n == 0)
        return nullptr;
    const unsigned k = (unsigned(n) * event_random_step()) >> 15;
    return keep_chain_item(list, int(k));
}

// One member of a group at random, by a draw of 0 ... 32767: its list keeps
// it as the selection, the group's other lists are emptied.
template <class Draw>
FrameObject* pick_random_with(QualifierList& group, Draw draw)
{
    int n = 0;
    for (int i = 0; i < group.count; ++i)
        n += drop_unpickable(*group.lists[i]);
    if (n == 0)
        return nullptr;
    int k = int((unsigned(n) * draw()) >> 15);
    FrameObject* picked = nullptr;
    for (int i = 0; i < group.count; ++i) {
        ObjectList& list = *group.lists[i];
        int members = 0;
        for (int item = list.head(); item != 0; item = list.items[size_t(item)].next)
            ++members;
        if (!picked && k < members)
            picked = keep_chain_item(list, k);
        else
            list.empty_selection();
        k -= members;
    }
    return picked;
}

static inline FrameObject* pick_random(QualifierList& group)
{
    return pick_random_with(group, event_random_step);
}

void report_invalid_pick_count();

static inline int pick_random(int count, ...)
{
    if (count == 0)
        report_invalid_pick_count();
    const unsigned k = (unsigned(count) * event_random_step()) >> 15;
    va_list arguments;
    va_start(arguments, count);
    int answer = 0;
    for (unsigned i = 0; i <= k && int(i) < count; ++i)
        answer = va_arg(arguments, int);
    va_end(arguments);
    return answer;
}

FrameObject* get_single(ObjectList& list, FrameObject* fallback);
FrameObject* get_single(ObjectList& list, int index, FrameObject* fallback);
FrameObject* get_single(QualifierList& group, FrameObject* fallback);
FrameObject* get_single(QualifierList& group, int index, FrameObject* fallback);
FrameObject* get_instance(ObjectList& list, FrameObject* fallback);
FrameObject* get_instance(ObjectList& list, int index);
FrameObject* get_instance(ObjectList& list, int index, FrameObject* fallback);
int objects_in_zone(ObjectList& list, int x1, int y1, int x2, int y2);
void pick_objects_in_zone(ObjectList& list, int x1, int y1, int x2, int y2);
