#include "runtime/common.h"

#include "base/convert.h"
#include "console/os.h"
#include "runtime/layer.h"

double int_pow(double base, int exponent)
{
    double result = 1.0;
    if (exponent < 0)
        return 1.0 / int_pow(base, exponent == INT32_MIN ? INT32_MAX : -exponent);
    while (exponent != 0) {
        if (exponent & 1)
            result *= base;
        exponent >>= 1;
        base *= base;
    }
    return result;
}

double get_angle(int x1, int y1, int x2, int y2)
{
    double angle = std::atan2(double(y1 - y2), double(x2 - x1)) * 57.29577951308232;
    if (angle < 0.0)
        angle += 360.0;
    return angle;
}

void transform_pos(int& x, int& y, FrameObject* instance)
{
    const int d = instance->direction;
    double c, s;
    switch (d) {
    case 0: c = 1.0; s = 0.0; break;
    case 8: c = 0.0; s = -1.0; break;
    case 16: c = -1.0; s = 0.0; break;
    case 24: c = 0.0; s = 1.0; break;
    default: {
        const double radians = d * 11.25 / 57.29577951308232;
        c = std::cos(radians);
        s = -std::sin(radians);
    }
    }
    const double new_x = x * c - y * s;
    const double new_y = x * s + y * c;
    x = saturate_to_int(new_x);
    y = saturate_to_int(new_y);
}

namespace {
// Numbers one list's chain from `value` on; returns the next number. Counted
// in double, so that a start near the 32-bit limit cannot overflow.
double spread_chain(ObjectList& list, unsigned index, double value)
{
    for (int item = list.head(); item != 0; item = list.items[size_t(item)].next, value += 1.0) {
        FrameObject* object = list.items[size_t(item)].obj;
        if (object->alterables)
            object->alterables->values.set(index, value);
    }
    return value;
}
}  // namespace

void spread_value(ObjectList& list, int index, int start)
{
    spread_chain(list, unsigned(index), double(start));
}

void spread_value(QualifierList& group, int index, int start)
{
    double value = double(start);
    for (int i = 0; i < group.count; ++i)
        value = spread_chain(*group.lists[i], unsigned(index), value);
}

double string_to_double(const std::string& text)
{
    if (text.empty())
        return 0.0;
    return fast_atof(text.data(), text.data() + text.size());
}

std::string left_string(const std::string& text, int count)
{
    if (count < 0)
        return std::string();
    return text.substr(0, size_t(count));
}

std::string mid_string(const std::string& text, int start, int count)
{
    const int length = int(text.size());
    start = start < 0 ? 0 : start > length ? length : start;
    const int room = length - start;
    count = count < 0 ? 0 : count > room ? room : count;
    return text.substr(size_t(start), size_t(count));
}

// Random picks and single-instance lookups ----------------------------------------

namespace {

bool unpickable(const FrameObject* object)
{
    return (object->flags & (FrameObject::DESTROYING | FrameObject::FADEOUT)) != 0;
}

FrameObject* or_fallback(FrameObject* object, FrameObject* fallback)
{
    return object ? object : fallback;
}

bool in_zone(const FrameObject* object, int x1, int y1, int x2, int y2)
{
    const int x = object->x + object->layer->off_x;
    const int y = object->y + object->layer->off_y;
    return x >= x1 && x < x2 && y >= y1 && y < y2;
}

}  // namespace

int drop_unpickable(ObjectList& list)
{
    int kept = 0;
    for (ObjectIterator it(list); !it.done(); ++it) {
        if (unpickable(*it))
            it.deselect();
        else
            ++kept;
    }
    return kept;
}

FrameObject* keep_chain_item(ObjectList& list, int k)
{
    int item = list.head();
    while (k-- > 0)
        item = list.items[size_t(item)].next;
    list.items[0].next = item;
    list.items[size_t(item)].next = 0;
    return list.items[size_t(item)].obj;
}

void report_invalid_pick_count()
{
    OSReport("Invalid pick_random count!\n");
}

FrameObject* get_single(ObjectList& list, FrameObject* fallback)
{
    return or_fallback(list.back_selection(), fallback);
}

FrameObject* get_single(ObjectList& list, int index, FrameObject* fallback)
{
    return or_fallback(list.get_wrapped_selection(index), fallback);
}

FrameObject* get_single(QualifierList& group, FrameObject* fallback)
{
    return or_fallback(group.back_selection(), fallback);
}

FrameObject* get_single(QualifierList& group, int index, FrameObject* fallback)
{
    return or_fallback(group.get_wrapped_selection(index), fallback);
}

FrameObject* get_instance(ObjectList& list, FrameObject* fallback)
{
    return or_fallback(list.back, fallback);
}

FrameObject* get_instance(ObjectList& list, int index)
{
    return list.wrapped_instance(index);
}

FrameObject* get_instance(ObjectList& list, int index, FrameObject* fallback)
{
    return or_fallback(get_instance(list, index), fallback);
}

int objects_in_zone(ObjectList& list, int x1, int y1, int x2, int y2)
{
    int count = 0;
    for (int item = list.head(); item != 0; item = list.items[size_t(item)].next) {
        const FrameObject* object = list.items[size_t(item)].obj;
        if (!unpickable(object) && in_zone(object, x1, y1, x2, y2))
            ++count;
    }
    return count;
}

void pick_objects_in_zone(ObjectList& list, int x1, int y1, int x2, int y2)
{
    for (ObjectIterator it(list); !it.done(); ++it) {
        if (unpickable(*it) || !in_zone(*it, x1, y1, x2, y2))
            it.deselect();
    }
}
