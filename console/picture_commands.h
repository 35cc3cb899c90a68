// What a put-off picture is made of: the graphics library's clears, copies,
// uploads and draws, in order, each with the surfaces it writes and reads.
// Headless, nothing looks at most pictures; their commands wait here and are
// made only when something reads what they write. A command whose output is
// covered whole before anything reads it is dropped unmade.
#pragma once

#include <cstdint>
#include <iterator>
#include <vector>

// A surface a command writes or reads: a texture's host name (a framebuffer
// goes by its texture), or a buffer's name with `buffer_surface` set.
using SurfaceKey = uint32_t;
constexpr SurfaceKey buffer_surface = 0x80000000u;

// What one draw of the graphics library can bind: every sampler unit and
// every attribute buffer, each a surface it reads.
constexpr uint32_t max_sampler_units = 16;
constexpr uint32_t max_attribute_buffers = 4;

struct CommandSurfaces {
    SurfaceKey target = 0;  // 0: the window's own framebuffer, always kept
    bool whole = false;     // covers all of the target: what it held is past
    SurfaceKey reads[max_sampler_units + max_attribute_buffers] = {};
    int read_count = 0;
    bool reads_all = false;  // read more than it can name: everything before it is kept

    void add_read(SurfaceKey key)
    {
        for (int i = 0; i < read_count; ++i)
            if (reads[i] == key)
                return;
        if (!key)
            return;
        if (read_count < int(std::size(reads)))
            reads[read_count++] = key;
        else
            reads_all = true;
    }
};

// Keeps, in order, the indices of the commands whose output something may
// still read: every surface counts as read after the last command.
std::vector<size_t> commands_still_needed(const std::vector<CommandSurfaces>& commands);
