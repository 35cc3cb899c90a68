// Level layouts: the text files that list an act's initial instances, one
// placement per line (docs/level-layout.md), and their placement in a frame.
#pragma once

#include <string_view>
#include <vector>

class Frame;
struct ClassInfo;

struct LayoutRow {
    const ClassInfo* info = nullptr;  // never null in a row the reader returns
    int x = 0;
    int y = 0;
    bool background = false;  // add_background_object, else add_object
    int layer = 0;            // 0-7
    int line = 0;             // 1-based line of the file, for messages
};

// Reads a layout through the platform's files ("./levels/act1.layout"). A
// missing (the platform's line) or oversize file gives one console line and no rows; each bad line
// gives one line naming file and line and is skipped.
std::vector<LayoutRow> read_level_layout(const char* path);
// The same for text already in memory; `path` only names it in messages.
std::vector<LayoutRow> parse_level_layout(std::string_view text, const char* path);
// Creates each row's instance with its class's factory and adds it to the
// frame's layer, in row order.
void place_level_layout(Frame& frame, const std::vector<LayoutRow>& rows);
