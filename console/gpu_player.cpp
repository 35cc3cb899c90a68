#include "console/gpu_commands.h"

#include "console/os.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstring>

namespace {

// Blend factors and combines by the library's numbers.
constexpr GLenum blend_factors[] = {
    GL_ZERO,      GL_ONE,                 GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR,
    GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_DST_ALPHA, GL_ONE_MINUS_DST_ALPHA,
    GL_DST_COLOR, GL_ONE_MINUS_DST_COLOR,
};
constexpr GLenum blend_combines[] = {
    GL_FUNC_ADD, GL_FUNC_SUBTRACT, GL_MIN, GL_MAX, GL_FUNC_REVERSE_SUBTRACT,
};

// What GL holds, so that a command changes only what differs.
struct Held {
    // The context state; unknown after a clear, a copy or a read.
    GX2ContextState state;
    bool state_known = false;
    // What each texture unit holds.
    GLuint unit_textures[max_sampler_units] = {};
    GLuint unit_samplers[max_sampler_units] = {};
    GLuint active_unit = 0;
    GLuint program = 0;
    // The vertex fetch.
    const GX2FetchShader* fetch = nullptr;
    AttributeBinding attributes[max_attribute_buffers];
    bool attributes_known = false;
    uint32_t enabled_attributes = 0;
    uint64_t draws_made = 0;
};

Held held;

GLenum factor(uint32_t value)
{
    return value < std::size(blend_factors) ? blend_factors[value] : GL_ONE;
}

GLenum combine(uint32_t value)
{
    return value < std::size(blend_combines) ? blend_combines[value] : GL_FUNC_ADD;
}

void apply_blend(const GX2ContextState& state)
{
    if (state.blend_enabled)
        glEnable(GL_BLEND);
    else
        glDisable(GL_BLEND);
    glBlendFuncSeparate(factor(state.blend[0]), factor(state.blend[1]), factor(state.blend[3]),
                        factor(state.blend[4]));
    glBlendEquationSeparate(combine(state.blend[2]), combine(state.blend[5]));
}

void apply_viewport(const GX2ContextState& state)
{
    const int32_t* v = state.viewport;
    glViewport(v[0], v[1], v[2], v[3]);
    glDepthRange(state.depth_range[0], state.depth_range[1]);
}

void apply_scissor(const GX2ContextState& state)
{
    const int32_t* s = state.scissor;
    glEnable(GL_SCISSOR_TEST);
    glScissor(s[0], s[1], s[2], s[3]);
}

void apply_color_buffer(const GX2ContextState& state)
{
    glBindFramebuffer(GL_FRAMEBUFFER,
                      state.color_buffer ? state.color_buffer->surface.gl_framebuffer : 0);
}

// Brings GL to a draw's state, changing only what differs.
void apply_state(const GX2ContextState& want)
{
    GX2ContextState& gl = held.state;
    const bool known = held.state_known;
    const bool target = !known || want.color_buffer != gl.color_buffer;
    const bool viewport = !known || !same_viewport(want, gl);
    const bool scissor = !known || !std::equal(want.scissor, want.scissor + 4, gl.scissor);
    const bool blend = !known || !same_blend(want, gl);
    if (target)
        apply_color_buffer(want);
    if (viewport)
        apply_viewport(want);
    if (scissor)
        apply_scissor(want);
    if (blend)
        apply_blend(want);
    gl = want;
    held.state_known = true;
}

void use_program(GLuint program)
{
    if (held.program != program)
        glUseProgram(program);
    held.program = program;
}

void bind_attributes(const GX2FetchShader* fetch, const AttributeBinding* attributes)
{
    if (held.attributes_known && held.fetch == fetch &&
        std::equal(attributes, attributes + max_attribute_buffers, held.attributes))
        return;
    held.attributes_known = true;
    held.fetch = fetch;
    std::copy(attributes, attributes + max_attribute_buffers, held.attributes);
    uint32_t& enabled = held.enabled_attributes;  // attribute locations switched on
    uint32_t wanted = 0;
    for (uint32_t i = 0; fetch && i < fetch->count; ++i) {
        const GX2AttribStream& stream = fetch->streams[i];
        if (stream.location >= 16 || stream.buffer >= max_attribute_buffers)
            continue;
        const AttributeBinding& binding = attributes[stream.buffer];
        glBindBuffer(GL_ARRAY_BUFFER, binding.buffer);
        const void* offset = reinterpret_cast<const void*>(uintptr_t(binding.offset + stream.offset));
        if (stream.format == GX2_ATTRIB_FORMAT_UNORM_8_8_8_8)
            glVertexAttribPointer(stream.location, 4, GL_UNSIGNED_BYTE, GL_TRUE,
                                  GLsizei(binding.stride), offset);
        else
            glVertexAttribPointer(stream.location, 2, GL_FLOAT, GL_FALSE, GLsizei(binding.stride),
                                  offset);
        wanted |= 1u << stream.location;
    }
    for (uint32_t location = 0; location < 16; ++location) {
        const uint32_t bit = 1u << location;
        if ((wanted & bit) && !(enabled & bit))
            glEnableVertexAttribArray(location);
        else if (!(wanted & bit) && (enabled & bit))
            glDisableVertexAttribArray(location);
    }
    enabled = wanted;
}

void apply_uniforms(GX2PixelShader& pixel, const std::vector<GX2UniformValue>& values)
{
    pixel.gl_uniform_values.resize(pixel.uniforms.size());
    const size_t count = std::min(values.size(), pixel.uniforms.size());
    for (size_t i = 0; i < count; ++i) {
        GX2UniformValue& value = pixel.gl_uniform_values[i];
        if (!values[i].set || values[i] == value)
            continue;
        value = values[i];
        const GLint location = pixel.gl_uniform_locations[i];
        float floats[4];
        int32_t ints[4];
        memcpy(floats, value.bits, sizeof floats);
        memcpy(ints, value.bits, sizeof ints);
        switch (pixel.uniforms[i].type) {
        case GX2_VAR_TYPE_FLOAT: glUniform1f(location, floats[0]); break;
        case GX2_VAR_TYPE_INT: glUniform1i(location, ints[0]); break;
        case GX2_VAR_TYPE_VEC2: glUniform2fv(location, 1, floats); break;
        case GX2_VAR_TYPE_VEC4: glUniform4fv(location, 1, floats); break;
        }
    }
}

void bind_unit(const SampledUnit& unit)
{
    if (held.unit_textures[unit.unit] != unit.texture) {
        if (held.active_unit != unit.unit)
            glActiveTexture(GL_TEXTURE0 + unit.unit);
        held.active_unit = unit.unit;
        glBindTexture(GL_TEXTURE_2D, unit.texture);
        held.unit_textures[unit.unit] = unit.texture;
    }
    if (held.unit_samplers[unit.unit] != unit.sampler)
        glBindSampler(unit.unit, unit.sampler);
    held.unit_samplers[unit.unit] = unit.sampler;
}

void make_draw(const DrawCall& draw)
{
    apply_state(draw.state);
    if (draw.pixel->linked_with != draw.vertex)
        player_link(draw.pixel, draw.vertex);
    if (!draw.pixel->gl_program)
        return;
    use_program(draw.pixel->gl_program);
    apply_uniforms(*draw.pixel, draw.uniforms);
    for (int i = 0; i < draw.unit_count; ++i)
        bind_unit(draw.units[i]);
    bind_attributes(draw.fetch, draw.attributes);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, draw.indices);
    ++held.draws_made;
    const void* first =
        reinterpret_cast<const void*>(uintptr_t(draw.index_offset * (draw.wide ? 4 : 2)));
    glDrawElements(GL_TRIANGLES, GLsizei(draw.count), draw.wide ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT,
                   first);
}

// Copies the common top-left rectangle; leaves the framebuffers changed.
void make_blit(const Blit& blit)
{
    const int width = std::min(blit.source_width, blit.target_width);
    const int height = std::min(blit.source_height, blit.target_height);
    player_forget_state();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, blit.source);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, blit.target);
    glDisable(GL_SCISSOR_TEST);
    glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
}

void make_clear(const Clear& clear)
{
    player_forget_state();
    glBindFramebuffer(GL_FRAMEBUFFER, clear.framebuffer);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(clear.color[0], clear.color[1], clear.color[2], clear.color[3]);
    glClear(GL_COLOR_BUFFER_BIT);
}

}  // namespace

void player_make(const Command& command)
{
    switch (command.kind) {
    case Command::DRAW: make_draw(command.draw); break;
    case Command::CLEAR: make_clear(command.clear); break;
    case Command::BLIT: make_blit(command.blit); break;
    case Command::UPLOAD: {
        const Upload& u = command.upload;
        player_upload(u.buffer, u.offset, uint32_t(u.bytes.size()), u.total, u.discard,
                      u.bytes.data());
        break;
    }
    case Command::DISCARD: break;
    }
}

void player_upload(uint32_t buffer, uint32_t offset, uint32_t size, uint32_t total, bool discard,
                   const uint8_t* bytes)
{
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    if (discard)
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(total), nullptr, GL_STREAM_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, GLintptr(offset), GLsizeiptr(size), bytes);
}

void player_forget_state()
{
    held.state_known = false;
}

void player_bind_for_setup(uint32_t texture)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    held.unit_textures[held.active_unit] = ~0u;
}

void player_forget_texture(uint32_t texture)
{
    for (GLuint& bound : held.unit_textures)
        if (bound == texture)
            bound = ~0u;
}

void player_link(GX2PixelShader* pixel, const GX2VertexShader* vertex)
{
    if (pixel->gl_program) {
        glDeleteProgram(pixel->gl_program);
        if (held.program == pixel->gl_program)
            held.program = ~0u;
    }
    pixel->linked_with = vertex;
    pixel->link_failed = true;
    pixel->gl_program = 0;
    pixel->gl_uniform_values.clear();
    if (!vertex->gl_shader || !pixel->gl_shader)
        return;
    const GLuint program = glCreateProgram();
    glAttachShader(program, vertex->gl_shader);
    glAttachShader(program, pixel->gl_shader);
    for (const GX2ShaderVar& attribute : vertex->attributes)
        if (attribute.location != 0xFFFFFFFF)
            glBindAttribLocation(program, attribute.location, attribute.identifier().c_str());
    glLinkProgram(program);
    GLint ok = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok) {
        host_report("Could not link shader program\n");
        glDeleteProgram(program);
        return;
    }
    use_program(program);
    for (const GX2ShaderVar& sampler : pixel->samplers)
        glUniform1i(glGetUniformLocation(program, sampler.identifier().c_str()),
                    GLint(sampler.location));
    pixel->gl_uniform_locations.clear();
    for (const GX2ShaderVar& uniform : pixel->uniforms)
        pixel->gl_uniform_locations.push_back(
            glGetUniformLocation(program, uniform.identifier().c_str()));
    pixel->gl_program = program;
    pixel->link_failed = false;
}

uint64_t player_draws_made()
{
    return held.draws_made;
}
