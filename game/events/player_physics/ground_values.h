// What the run, brake, slope, layer, mode-switch and energy events share:
// the types they name, and the single support objects as they read and
// write them (a missing instance reads as the default object and takes no
// writes).
#pragma once

#include "game/frames/event_support.h"
#include "runtime/frameobject.h"
#include "runtime/layer.h"
#include "runtime/values.h"

#include <string>

namespace player_ground {

// The timer's digit counters, minutes first.
constexpr int gui_timer_counters[] = {types::GUITimerM_213,      types::GUITimerS_211,  types::GUITimerMilli_207,
                                      types::GUITimerMilli2_210, types::GUITimerS2_212, types::GUITimerM2_214};

// One single-instance support object: its last-added instance.
class Single {
public:
    explicit Single(ObjectList& list) : list(list) {}

    double operator[](char name) const { return get_value(instance_or_default(list), name); }
    void set(char name, double number) const { set_value(instance_of(list), name, number); }
    bool flag(int bit) const { return get_flag(instance_or_default(list), bit); }
    void set_flag(int bit, bool on) const { ::set_flag(instance_of(list), bit, on); }
    void set_string(unsigned index, const std::string& text) const
    {
        FrameObject* object = instance_of(list);
        if (object && object->alterables)
            object->alterables->strings.get(index) = text;
    }
    int x() const { return instance_or_default(list).get_x(); }
    int y() const { return instance_or_default(list).get_y(); }

private:
    ObjectList& list;
};

inline int layer_index(const FrameObject& object) { return object.layer ? object.layer->index : 0; }

// Modes 2 to 6 move the player by other means than the run and boost events.
inline bool run_blocked_by_mode(double mode)
{
    return mode == 2 || mode == 3 || mode == 4 || mode == 5 || mode == 6;
}

}  // namespace player_ground
