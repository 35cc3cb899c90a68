#include "console/picture_commands.h"

#include <algorithm>

std::vector<size_t> commands_still_needed(const std::vector<CommandSurfaces>& commands)
{
    // Walking back from the end: a surface is "covered" when a later kept
    // command overwrites it whole before anything kept reads it.
    std::vector<SurfaceKey> covered;
    std::vector<size_t> kept;
    for (size_t i = commands.size(); i-- > 0;) {
        const CommandSurfaces& command = commands[i];
        const auto found = std::find(covered.begin(), covered.end(), command.target);
        if (command.target && found != covered.end())
            continue;
        kept.push_back(i);
        if (command.whole && command.target)
            covered.push_back(command.target);
        if (command.reads_all)
            covered.clear();
        for (int r = 0; r < command.read_count; ++r)
            covered.erase(std::remove(covered.begin(), covered.end(), command.reads[r]),
                          covered.end());
    }
    std::reverse(kept.begin(), kept.end());
    return kept;
}
