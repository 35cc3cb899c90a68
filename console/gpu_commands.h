// The graphics library's clears, copies, uploads and draws as records that
// carry everything they need, so that a command can be made now or, headless,
// kept and made only when something reads what it writes
// (console/picture_commands.h says which are still needed). The recorder
// (gpu_commands.cpp) keeps, drops and settles them; the player
// (gpu_player.cpp) makes one on GL, changing only what GL does not hold yet.
#pragma once

#include "console/gpu.h"
#include "console/picture_commands.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

struct AttributeBinding {
    uint32_t buffer = 0;
    uint32_t stride = 0;
    uint32_t offset = 0;
    bool operator==(const AttributeBinding&) const = default;
};

struct SampledUnit {
    uint32_t unit;
    uint32_t texture, sampler;
};

// Everything one draw needs, so that it can be made later exactly as now.
struct DrawCall {
    GX2ContextState state;
    const GX2FetchShader* fetch = nullptr;
    AttributeBinding attributes[max_attribute_buffers];
    const GX2VertexShader* vertex = nullptr;
    GX2PixelShader* pixel = nullptr;
    std::vector<GX2UniformValue> uniforms;
    SampledUnit units[max_sampler_units] = {};
    int unit_count = 0;
    uint32_t indices = 0;
    uint32_t count = 0, index_offset = 0;
    bool wide = false;
};

struct Clear {
    uint32_t framebuffer = 0;
    float color[4] = {};
};

struct Blit {
    uint32_t source = 0, target = 0;
    int source_width = 0, source_height = 0, target_width = 0, target_height = 0;
};

struct Upload {
    uint32_t buffer = 0;
    uint32_t offset = 0, total = 0;
    bool discard = false;
    std::vector<uint8_t> bytes;
};

struct Command {
    enum Kind : uint8_t { DRAW, CLEAR, BLIT, UPLOAD, DISCARD };
    Kind kind = DRAW;
    CommandSurfaces surfaces;
    DrawCall draw;
    Clear clear;
    Blit blit;
    Upload upload;
};

inline bool same_blend(const GX2ContextState& a, const GX2ContextState& b)
{
    return a.blend_enabled == b.blend_enabled && std::equal(a.blend, a.blend + 6, b.blend);
}

inline bool same_viewport(const GX2ContextState& a, const GX2ContextState& b)
{
    return std::equal(a.viewport, a.viewport + 4, b.viewport) &&
           a.depth_range[0] == b.depth_range[0] && a.depth_range[1] == b.depth_range[1];
}

// The recorder ------------------------------------------------------------------

// Headless, commands wait until something reads what they make.
void commands_set_put_off(bool put_off);
bool commands_put_off();
// Made now, or headless kept until something reads what it makes; a command
// that covers its target whole drops those whose output nothing can read.
void commands_issue(Command&& command);
// Makes every command still waiting, in order.
void commands_settle();
// Before a texture is changed or freed, the waiting commands that use it are made.
void commands_settle_if_used(uint32_t texture);
size_t commands_waiting();

// The player ---------------------------------------------------------------------

void player_make(const Command& command);
void player_upload(uint32_t buffer, uint32_t offset, uint32_t size, uint32_t total, bool discard,
                   const uint8_t* bytes);
// GL no longer holds the context state (a clear, copy, read or show changed it).
void player_forget_state();
// Binds a texture on the active unit for its set-up; the unit's draw binding
// is then unknown.
void player_bind_for_setup(uint32_t texture);
// A deleted texture's name may come back for another texture.
void player_forget_texture(uint32_t texture);
// Links the pixel program with the vertex program; a failure is one line and
// leaves the pixel program without a GL program.
void player_link(GX2PixelShader* pixel, const GX2VertexShader* vertex);
uint64_t player_draws_made();
