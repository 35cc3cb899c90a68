// Texture fonts: fonts that arrive rasterised in the asset file's font block.
// Each font packs its glyph coverage into one single-channel atlas texture
// and draws a string glyph by glyph, one textured quad each, with the font
// effect. The layout over these fonts is in graphics/fonts.h.
#pragma once

#include "graphics/color.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class BaseStream;

struct FTPoint {
    double x = 0.0, y = 0.0, z = 0.0;

    FTPoint() = default;
    FTPoint(double x, double y, double z = 0.0) : x(x), y(y), z(z) {}
    FTPoint operator+(const FTPoint& other) const { return {x + other.x, y + other.y, z + other.z}; }
    FTPoint operator-(const FTPoint& other) const { return {x - other.x, y - other.y, z - other.z}; }
    FTPoint& operator+=(const FTPoint& other) { return *this = *this + other; }
    bool operator==(const FTPoint&) const = default;
};

struct FTBBox {
    FTPoint lower, upper;

    FTBBox() = default;
    FTBBox(const FTPoint& lower, const FTPoint& upper) : lower(lower), upper(upper) {}
    bool IsValid() const
    {
        return lower.x <= upper.x && lower.y <= upper.y && lower.z <= upper.z;
    }
    // Moves both corners.
    FTBBox& operator+=(const FTPoint& move);
    // Grows to cover the other box too.
    FTBBox& operator|=(const FTBBox& other);
    bool operator==(const FTBBox&) const = default;
};

// Walks UTF-8 text (T is char or unsigned char) code by code, stopping at
// the terminating 0: a sequence cut short by it never reads past it.
template <typename T>
class FTUnicodeStringItr {
public:
    explicit FTUnicodeStringItr(const T* string) : current(string), next(string) { read_utf8(); }
    FTUnicodeStringItr& operator++()
    {
        current = next;
        read_utf8();
        return *this;
    }
    unsigned int operator*() const { return code; }
    const T* getBufferFromHere() const { return current; }
    bool operator==(const FTUnicodeStringItr& other) const { return current == other.current; }

private:
    void read_utf8();

    const T* current;
    const T* next;
    unsigned int code = 0;
};

// Character code below 0x110000 -> glyph-list index, in a three-level table
// of 128-entry blocks made as the codes need them.
class FTCharToGlyphIndexMap {
public:
    FTCharToGlyphIndexMap() = default;
    virtual ~FTCharToGlyphIndexMap() { clear(); }
    FTCharToGlyphIndexMap(const FTCharToGlyphIndexMap&) = delete;
    FTCharToGlyphIndexMap& operator=(const FTCharToGlyphIndexMap&) = delete;

    void clear();
    // 0 when the code has no glyph.
    unsigned int find(unsigned int code) const;
    void insert(unsigned int code, int index);

private:
    using Leaf = std::array<int32_t, 128>;
    using Middle = std::array<std::unique_ptr<Leaf>, 128>;
    std::unique_ptr<Middle> root[128];
};

class FTGlyph {
public:
    // Reads one glyph record and copies its coverage into the atlas at (x, y).
    FTGlyph(BaseStream& stream, uint8_t* atlas, int x, int y, int atlas_width, int atlas_height);

    float Advance() const { return float(advance.x); }
    const FTBBox& BBox() const { return bbox; }
    // Draws the glyph with its pen at `pen` (y is the baseline, growing down).
    const FTPoint& Render(const FTPoint& pen) const;

    unsigned int code = 0;
    FTPoint advance;
    FTBBox bbox;
    int width = 0, height = 0;  // as placed in the atlas (cut at its edges)
    FTPoint corner;             // bitmap left, bitmap top above the baseline
    FTPoint uv[2];              // top-left and bottom-right in the atlas
    unsigned int texture = 0;
};

class FTTextureFont;

class FTGlyphContainer {
public:
    explicit FTGlyphContainer(FTTextureFont* font);

    void Add(FTGlyph* glyph, unsigned int code);
    unsigned int FontIndex(unsigned int code) const { return map.find(code); }
    const FTGlyph* Glyph(unsigned int code) const;
    FTBBox BBox(unsigned int code) const;
    float Advance(unsigned int code, unsigned int next_code) const;
    FTPoint Render(unsigned int code, unsigned int next_code, const FTPoint& pen) const;
    size_t size() const { return glyphs.size(); }
    // Entry 0 is always null: index 0 means no glyph.
    const std::vector<std::unique_ptr<FTGlyph>>& list() const { return glyphs; }

private:
    FTTextureFont* font;
    FTCharToGlyphIndexMap map;
    std::vector<std::unique_ptr<FTGlyph>> glyphs;
};

class FTTextureFont {
public:
    static constexpr int max_atlas_size = 1024;

    // Reads one font of the font block and packs its atlas.
    explicit FTTextureFont(BaseStream& stream);
    FTTextureFont(const FTTextureFont&) = delete;
    FTTextureFont& operator=(const FTTextureFont&) = delete;

    float Ascender() const { return ascender; }
    float Descender() const { return descender; }
    float LineHeight() const { return line_height; }
    bool CheckGlyph(unsigned int code) const;
    FTPoint KernAdvance(unsigned int, unsigned int) const { return FTPoint(); }

    // len counts characters; -1 walks to the terminating 0.
    FTBBox BBox(const char* text, int len = -1, FTPoint position = FTPoint(),
                FTPoint spacing = FTPoint()) const;
    float Advance(const char* text, int len = -1, FTPoint spacing = FTPoint()) const;
    // Draws with the baseline at position.y; returns the pen after the text.
    FTPoint Render(const char* text, int len = -1, FTPoint position = FTPoint(),
                   FTPoint spacing = FTPoint()) const;

    int face_size = 0;
    float cell_width = 0.0f, line_height = 0.0f, ascender = 0.0f, descender = 0.0f;
    int glyph_count = 0;
    int atlas_width = 0, atlas_height = 0;
    unsigned int texture = 0;
    int cell_height_pixels = 0, cell_width_pixels = 0;
    int margin = 3;
    int pen_x = 0, pen_y = 0;
    std::unique_ptr<FTGlyphContainer> glyphs;

private:
    // Glyph records of this font that are still to be read after an overflow.
    void skip_glyphs(BaseStream& stream, int count);
};

// The smallest power of two at or above size (0 for 0), at most max.
int ClampSize(int size, int max);

// A font description; only size, bold and italic are read.
struct Font {
    Font(const char* name, int size, bool bold, bool italic, bool underline)
        : name(name), size(size), bold(bold), italic(italic), underline(underline)
    {
    }
    const char* name;
    int size;
    bool bold, italic, underline;
};

extern Font font3;
// The colour glyphs are drawn in; text objects set it before they draw.
extern Color text_color;

// Appends every font of the asset file's font block; true when any is loaded.
bool load_fonts(std::vector<FTTextureFont*>& fonts);
// Loads the fonts on the first call; later calls repeat its result.
bool init_font();
// The loaded font whose face size is nearest to size (the first wins a tie); null when none.
FTTextureFont* get_font(int size);
