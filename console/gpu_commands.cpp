#include "console/gpu_commands.h"

#include <algorithm>
#include <utility>

namespace {

struct Recorder {
    bool put_off = false;
    std::vector<Command> recorded;
};

Recorder recorder;

// Drops the waiting commands whose output nothing can read any more.
void drop_unread()
{
    std::vector<CommandSurfaces> surfaces;
    surfaces.reserve(recorder.recorded.size());
    for (const Command& command : recorder.recorded)
        surfaces.push_back(command.surfaces);
    const std::vector<size_t> kept = commands_still_needed(surfaces);
    if (kept.size() == recorder.recorded.size())
        return;
    std::vector<Command> left;
    left.reserve(kept.size());
    for (size_t i : kept)
        left.push_back(std::move(recorder.recorded[i]));
    recorder.recorded.swap(left);
}

}  // namespace

void commands_set_put_off(bool put_off)
{
    recorder.put_off = put_off;
}

bool commands_put_off()
{
    return recorder.put_off;
}

void commands_issue(Command&& command)
{
    if (!recorder.put_off) {
        player_make(command);
        return;
    }
    const bool whole = command.surfaces.whole;
    recorder.recorded.push_back(std::move(command));
    if (whole)
        drop_unread();
}

void commands_settle()
{
    if (recorder.recorded.empty())
        return;
    std::vector<Command> commands;
    commands.swap(recorder.recorded);
    for (const Command& command : commands)
        player_make(command);
}

void commands_settle_if_used(uint32_t texture)
{
    for (const Command& command : recorder.recorded) {
        const CommandSurfaces& s = command.surfaces;
        if (s.target == texture || s.reads_all ||
            std::find(s.reads, s.reads + s.read_count, texture) != s.reads + s.read_count) {
            commands_settle();
            return;
        }
    }
}

size_t commands_waiting()
{
    return recorder.recorded.size();
}
