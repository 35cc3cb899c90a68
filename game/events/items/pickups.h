// What the collectibles share: the player's pick-up box, the pull that
// draws a homing item onto the player, and the forced frames that animate
// them all on the frame timer.
#pragma once

#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "objects/active.h"

#include <algorithm>
#include <cmath>

namespace pickups {

// Strictly inside the box about the player's position: 20 pixels to either
// side and below, `above` pixels above.
inline bool at_player(Frames& frames, const FrameObject& item, int above)
{
    const FrameObject& player = instance_or_default(frames.instances[types::Player_87]);
    const int px = player.get_x(), py = player.get_y(), x = item.get_x(), y = item.get_y();
    return px - 20 < x && x < px + 20 && py - above < y && y < py + 20;
}

// Moves an item `weight` percent of the way to the player's exact position,
// and draws it one percent harder next time.
inline void home_in(Frames& frames, FrameObject* item, char weight)
{
    ObjectList& values = frames.instances[types::PlayerMovementValues_80];
    const double share = get_value(*item, weight);
    item->set_x(to_int((item->get_x() * (100 - share) + get_value(values, 'X') * share) * 0.01));
    item->set_y(to_int((item->get_y() * (100 - share) + get_value(values, 'Y') * share) * 0.01));
    set_value(item, weight, std::min(share + 1, 100.0));
}

// Shows frame trunc(fmod(t * 1000 / period_ms, frames)) of the frame timer t.
inline void show_timer_frame(ObjectList& items, double seconds, double period_ms, double frames)
{
    const int frame = to_int(std::fmod(seconds * 1000 / period_ms, frames));
    for_each_instance(items, [frame](FrameObject* item) { static_cast<Active*>(item)->force_frame(frame); });
}

// The movement modes in which the player takes nothing: dying (9) and, for
// petals, 10; for crystals and keystones, hurt (8).
inline double movement_mode(Frames& frames)
{
    return get_value(frames.instances[types::PlayerMovementValues_80], 'M');
}

// `count` sparkles for each selected source, the i-th of them moved to the
// i-th source (wrapping) plus a random offset of (plus - minus) each way.
inline void scatter_sparkles(Frames& frames, ObjectList& sources, int count, int event, int plus, int minus)
{
    ObjectList& sparkles = frames.instances[types::RingSparkle_179];
    bool first = true;
    for_each_selected(sources, [&](FrameObject* source) {
        for (int n = 0; n < count; ++n) {
            FrameObject* sparkle = create_ringsparkle_179(source->x, source->y);
            first ? create_instance(frames, sparkles, sparkle, layer_index(*source))
                  : create_another(frames, sparkles, sparkle, layer_index(*source));
            first = false;
        }
    });
    int i = 0;
    for_each_selected(sparkles, [&](FrameObject* sparkle) {
        const FrameObject* source = sources.get_wrapped_selection(i++);
        if (!source)
            return;
        const int x_plus = randrange_event(event, plus);
        const int x_minus = randrange_event(event, minus);
        sparkle->set_x(source->get_x() + x_plus - x_minus);
        const int y_plus = randrange_event(event, plus);
        const int y_minus = randrange_event(event, minus);
        sparkle->set_y(source->get_y() + y_plus - y_minus);
    });
}

// One sparkle at each selected source; the first of them moved off the
// first source by up to 15 pixels each way, and returned.
inline FrameObject* sparkle_near(Frames& frames, ObjectList& sources, int event)
{
    FrameObject* sparkle =
        create_at_each(frames, sources, frames.instances[types::RingSparkle_179], create_ringsparkle_179);
    const FrameObject* source = sources.back_selection();
    if (!sparkle || !source)
        return sparkle;
    const int x_plus = randrange_event(event, 16);
    const int x_minus = randrange_event(event, 16);
    sparkle->set_x(source->get_x() + x_plus - x_minus);
    const int y_plus = randrange_event(event, 16);
    const int y_minus = randrange_event(event, 16);
    sparkle->set_y(source->get_y() + y_plus - y_minus);
    return sparkle;
}

}  // namespace pickups
