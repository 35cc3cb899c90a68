// An act's initial instances: the rows its set-up always places, merged with
// the level content of its layout file (docs/level-layout.md).
#pragma once

#include "game/frames/level_layout.h"

#include <span>
#include <vector>

class Frame;

// A row of tools/content/act<N>_fixed.tsv, as the build writes it.
struct FixedLayoutRow {
    const char* class_name;
    int x;
    int y;
    bool background;
    int layer;
};

// The rows act 1 or 2 always places, in creation order; none for another number.
std::span<const FixedLayoutRow> fixed_layout_rows(int act);
// The same as layout rows. A class the class table lacks gives one console
// line and no row.
std::vector<LayoutRow> fixed_layout(int act);

// The act's placement: layer by layer, in each layer the background objects
// before the objects, the file's rows in file order with the fixed rows at
// their place among them. A file row equal to a fixed row stands for it: each
// fixed row is placed once, in the fixed order; one the file lacks goes before
// the next fixed row the file has, or after the file's rows of its layer and
// kind.
std::vector<LayoutRow> merge_level_layout(const std::vector<LayoutRow>& fixed,
                                          const std::vector<LayoutRow>& file_rows);

// Reads the act's layout file, merges it with the fixed rows and places
// the result. A missing or damaged file leaves the fixed rows and what
// could be read.
void place_act_layout(Frame& frame, int act, const char* path);
