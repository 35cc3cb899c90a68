// The GLSL programs of the effect shaders: every shader object's item, each
// program declaring the samplers and uniforms that its class looks up.
#pragma once

#include "console/shader_container.h"

#include <string>
#include <utility>
#include <vector>

// The vertex and pixel program of shader item `asset_id` (0..31); empty for
// any other id.
std::vector<ShaderContainerProgram> effect_programs(int asset_id);
// The text program: the vertex colour with the atlas coverage as alpha.
std::vector<ShaderContainerProgram> font_programs();
// All 32 shader items, as (asset id, item).
std::vector<std::pair<int, std::string>> every_shader_item();
