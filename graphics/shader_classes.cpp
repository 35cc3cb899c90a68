// Uniform lookups and parameter uploads of the effect shader classes, driven
// by the uniform lists in shader.h.
#include "graphics/shader.h"

#include <type_traits>

#define QUORVELLA_UPLOAD_FLOAT BaseShader::set_float
#define QUORVELLA_UPLOAD_INT BaseShader::set_int
#define QUORVELLA_UPLOAD_COLOUR BaseShader::set_vec4
// Uniforms that no effect uploads keep whatever the program starts with.
#define QUORVELLA_UPLOAD_NONE(parameters, hash, offset)

// Parameter keys are hashed when the code is compiled.
#define QUORVELLA_HASH_OF(name) \
    int(std::integral_constant<unsigned, hash_shader_parameter(#name, sizeof(#name) - 1)>::value)

#define QUORVELLA_LOOKUP_UNIFORM(name, form) name = get_uniform(#name);
#define QUORVELLA_UPLOAD_UNIFORM(name, form) \
    QUORVELLA_UPLOAD_##form(parameters, QUORVELLA_HASH_OF(name), int(name));

#define QUORVELLA_DEFINE_CLASS(object_name, Class, id, flags, param)                          \
    void Class::initialize_parameters() { QUORVELLA_UNIFORMS_##Class(QUORVELLA_LOOKUP_UNIFORM) } \
    void Class::set_parameters([[maybe_unused]] const ShaderParameters* parameters)                          \
    {                                                                                         \
        QUORVELLA_UNIFORMS_##Class(QUORVELLA_UPLOAD_UNIFORM)                                  \
    }
QUORVELLA_SHADER_TABLE(QUORVELLA_DEFINE_CLASS)
#undef QUORVELLA_DEFINE_CLASS
