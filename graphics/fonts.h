// Text layout over a texture font: lines of at most a given width, broken at
// whitespace, at forced breaks and by the East Asian punctuation rules, each
// line starting at the left edge.
#pragma once

#include "graphics/font.h"

enum TextAlignment { ALIGN_LEFT = 1 };

bool is_linebreak(unsigned int code);
bool is_line_extender(unsigned int code);
bool is_break_start(unsigned int code);

class FTSimpleLayout {
public:
    void SetFont(FTTextureFont* font) { this->font = font; }
    FTTextureFont* GetFont() const { return font; }
    void SetLineLength(float length) { line_length = length; }
    float GetLineLength() const { return line_length; }

    // Draws the text with its origin at position; len is not used (the
    // text runs to its terminating 0).
    void Render(const char* text, int len = -1, FTPoint position = FTPoint());
    // The box of the laid-out text relative to its origin.
    FTBBox BBox(const char* text, int len = -1, FTPoint position = FTPoint());

    // Breaks the text into lines: measures into bounds, or draws without.
    void WrapText(const char* text, int len, FTPoint position, FTBBox* bounds);
    // One line: `last` is the index of its last character, -1 for the rest.
    void OutputWrapped(const char* text, int last, FTPoint position, float remaining,
                       FTBBox* bounds);
    void RenderSpace(const char* text, int last, FTPoint position, float extra);

    FTPoint pen;
    FTTextureFont* font = nullptr;
    float line_length = 100.0f;
    TextAlignment alignment = ALIGN_LEFT;
    float line_spacing = 1.0f;
    float vertical_tab_spacing = 5.0f / 3.0f;
};
