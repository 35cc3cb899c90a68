// Shader items of the asset file: a 32-bit byte count, then our shader
// container (docs/shader-container.md) with one vertex and one pixel program.
#pragma once

#include "console/shader_container.h"

#include <string>
#include <vector>

// The item's bytes for the programs.
std::string shader_item(const std::vector<ShaderContainerProgram>& programs);
// The plain texture program: the texture times the vertex colour.
std::vector<ShaderContainerProgram> texture_programs();
// The items of the plain texture and the text programs, as (asset id, item);
// every_shader_item() (effect_programs.h) has all 32.
std::vector<std::pair<int, std::string>> demo_shader_items();
