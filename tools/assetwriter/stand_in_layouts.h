// The level layout files of the stand-in content, embedded at build time
// from tools/content/*.layout (tools/generators/embed_files.py).
#pragma once

#include <string>
#include <utility>
#include <vector>

// (path below the content folder, bytes), by file name; empty when the
// source tree had none.
const std::vector<std::pair<std::string, std::string>>& stand_in_layout_files();
