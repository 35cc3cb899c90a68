// The music calls "stop_music" and "reset_music": a stop without a number
// silences everything and rewinds the queue; with a number it stops that
// track and walks the queue; a reset restarts the track or clears the saved
// position of its first queued entry. The queue cursor ends where it was.
#include "audio/media.h"
#include "base/convert.h"
#include "game/events/player_physics/sensors.h"
#include "game/events/stage_loops/music_queue.h"
#include "objects/arrayext.h"
#include "objects/stringparser.h"

#include <vector>

using namespace player_sensors;

namespace {

constexpr size_t bare_call_length = 12;  // "stop_music()"

// The call being processed; none reads as an empty call.
size_t call_length(Frames& frames)
{
    const FrameObject* parser = instance_of(frames.instances[types::StringParser_184]);
    return parser ? static_cast<const StringParser*>(parser)->text.size() : 0;
}

double call_number(Frames& frames)
{
    FrameObject* parser = instance_of(frames.instances[types::StringParser_184]);
    if (!parser)
        return 0.0;
    const std::string& element = static_cast<StringParser*>(parser)->get_element(2);
    return fast_atof(element.data(), element.data() + element.size());
}

int& cursor(FrameObject* queue) { return static_cast<ArrayObject*>(queue)->data.current_x; }

void rewind_queues(Frames& frames)
{
    for_each_instance(frames.instances[types::QueueMusic_51], [](FrameObject* queue) { cursor(queue) = 0; });
}

void stop_controllers(ObjectList& controllers)
{
    for_each_selected(controllers, [](FrameObject* controller) {
        set_value(controller, 'D', -1);
        set_value(controller, 'G', 0);
    });
}

template <class List>
std::vector<FrameObject*> selected(List& list)
{
    std::vector<FrameObject*> kept;
    for_each_selected(list, [&](FrameObject* object) { kept.push_back(object); });
    return kept;
}

// The controllers not playing track n remember the queue cursors, the queue
// is walked from the front up to the first one's cursor, and the cursors go
// back. Without a queue there is nothing to walk.
void walk_queue_before_cursor(Frames& frames, FastLoop& loop, void (Frames::*body)())
{
    const double number = call_number(frames);
    ObjectList& controllers = frames.instances[types::ControllerMusic_49];
    if (!select(controllers, [&](FrameObject* c) { return get_value(*c, 'D') != number; }))
        return;
    ObjectList& queues = frames.instances[types::QueueMusic_51];
    select_all(queues);
    const std::vector<FrameObject*> saved_queues = selected(queues);
    if (saved_queues.empty())
        return;
    const std::vector<FrameObject*> kept = selected(controllers);
    for (size_t k = 0; k < kept.size(); ++k)
        set_value(kept[k], 'E', cursor(saved_queues[k % saved_queues.size()]));
    rewind_queues(frames);
    frames.run_loop(loop, to_int(get_value(*kept.front(), 'E')), body);
    for (size_t k = 0; k < saved_queues.size(); ++k)
        cursor(saved_queues[k]) = to_int(get_value(*kept[k % kept.size()], 'E'));
}

}  // namespace

void Frames::event_func_530()
{
    if (!level_group_43 || call_length(*this) != bare_call_length)
        return;
    media.stop_channel(music::channel);
    rewind_queues(*this);
    select_all(instances[types::ControllerMusic_49]);
    stop_controllers(instances[types::ControllerMusic_49]);
}

void Frames::event_func_531()
{
    if (!level_group_43 || call_length(*this) <= bare_call_length)
        return;
    const double number = call_number(*this);
    ObjectList& controllers = instances[types::ControllerMusic_49];
    if (!select(controllers, [&](FrameObject* c) { return get_value(*c, 'D') == number; }))
        return;
    media.stop_channel(music::channel);
    stop_controllers(controllers);
}

void Frames::event_func_532()
{
    if (!level_group_43 || call_length(*this) <= bare_call_length)
        return;
    walk_queue_before_cursor(*this, fast_loop_iterate_query_me_stop, &Frames::loop_iterate_query_me_stop_4);
}

void Frames::loop_process_call_stop_music_4()
{
    event_func_530();
    event_func_531();
    event_func_532();
}

// The first queued entry of the track forgets its saved position.
void Frames::event_func_568()
{
    if (!level_group_43)
        return;
    const double number = call_number(*this);
    if (!select(instances[types::QueueMusic_51], [&](FrameObject* queue) {
            return static_cast<ArrayObject*>(queue)->get_value(cursor(queue), 0, 0) == number;
        }))
        return;
    for_each_instance(instances[types::QueueMusic_51],
                      [](FrameObject* queue) { static_cast<ArrayObject*>(queue)->set_value(0, cursor(queue), 1, 0); });
    fast_loop_iterate_query_me_reset.running = false;
}

void Frames::loop_iterate_query_me_reset_4()
{
    event_func_568();
    event_func_457();
}

void Frames::event_func_569()
{
    if (!level_group_43)
        return;
    const double number = call_number(*this);
    if (!select(instances[types::ControllerMusic_49], [&](FrameObject* c) { return get_value(*c, 'D') == number; }))
        return;
    if (global_values->get(4) >= 0)
        media.set_channel_position(music::channel, 0);
}

void Frames::event_func_570()
{
    if (level_group_43)
        walk_queue_before_cursor(*this, fast_loop_iterate_query_me_reset, &Frames::loop_iterate_query_me_reset_4);
}
