#include "game/frames/event_index.h"

#include "console/os.h"

#include <algorithm>

const EventIndexRow* find_event(int event)
{
    const EventIndexRow* end = event_index + event_index_size;
    const EventIndexRow* row =
        std::lower_bound(event_index, end, event, [](const EventIndexRow& r, int n) { return r.event < n; });
    return row != end && row->event == event ? row : nullptr;
}

namespace {
RandomState unlisted;
bool reported = false;
}  // namespace

RandomState& event_random_state(int event)
{
    if (const EventIndexRow* row = find_event(event))
        return seed_group_state(row->seed_group);
    if (!reported) {
        OSReport("Event %d is not in the event index\n", event);
        reported = true;
    }
    return unlisted;
}

void reset_event_seed_groups()
{
    for (int group = 0; group < seed_group_count; ++group)
        seed_group_state(group) = RandomState{};
    unlisted = RandomState{};
    reported = false;
}
