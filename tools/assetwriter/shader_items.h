// Shader items of the asset file: a 32-bit byte count, then our shader
// container (docs/shader-container.md) with one vertex and one pixel program.
#pragma once

#include "console/shader_container.h"

#include <string>
#include <vector>

// Asset ids of the plain texture program and the text program.
constexpr int texture_shader_id = 14;
constexpr int font_shader_id = 7;

// The item's bytes for the programs.
std::string shader_item(const std::vector<ShaderContainerProgram>& programs);
// The vertex program of every quad: position, colour and texture coordinate,
// and with `background` the background's coordinate too.
ShaderContainerProgram quad_vertex_program(bool background);
// The plain texture program: the texture times the vertex colour.
std::vector<ShaderContainerProgram> texture_programs();
// The items of the plain texture and the text programs, as (asset id, item);
// every_shader_item() (effect_programs.h) has all 32.
std::vector<std::pair<int, std::string>> demo_shader_items();
