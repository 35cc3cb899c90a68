// The skins recoloured from the palette each character was given in the
// save data: each event is one palette of one character and fires once per
// level start, when that palette is the saved one.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "graphics/color.h"
#include "objects/active.h"
#include "objects/arrayext.h"

#include <cstddef>
#include <initializer_list>

namespace {

// The save data's row of each character's palette number, at column 1.
constexpr int yelto_row = 21;
constexpr int pimsa_row = 22;
constexpr int bike_row = 23;
constexpr int dorrik_row = 24;

struct Rgb {
    int r, g, b;
};

const Rgb yelto_sources[] = {{104, 200, 248}, {0, 144, 248}, {0, 108, 200}, {0, 64, 168}, {0, 36, 88}};
const Rgb yelto_palettes[4][5] = {
    {{120, 252, 64}, {40, 184, 0}, {24, 148, 56}, {0, 124, 80}, {0, 64, 48}},
    {{248, 132, 248}, {248, 32, 244}, {200, 0, 180}, {144, 0, 104}, {88, 0, 64}},
    {{248, 200, 40}, {248, 152, 0}, {200, 80, 0}, {160, 0, 32}, {88, 0, 40}},
    {{160, 160, 128}, {100, 100, 80}, {72, 72, 72}, {32, 32, 64}, {8, 8, 32}},
};

const Rgb pimsa_sources[] = {{200, 0, 0}, {96, 0, 0}};
const Rgb pimsa_palettes[4][2] = {
    {{248, 252, 0}, {176, 132, 0}},
    {{248, 100, 248}, {168, 36, 168}},
    {{96, 116, 248}, {0, 0, 248}},
    {{232, 232, 232}, {128, 128, 128}},
};

const Rgb bike_sources[] = {{248, 128, 96}, {248, 0, 0}, {176, 0, 0}, {120, 0, 40}};
const Rgb bike_palettes[3][4] = {
    {{248, 248, 0}, {216, 216, 0}, {160, 160, 0}, {100, 100, 0}},
    {{248, 176, 248}, {248, 100, 248}, {168, 36, 168}, {100, 0, 100}},
    {{0, 200, 240}, {0, 100, 248}, {0, 0, 248}, {0, 0, 128}},
};

const Rgb dorrik_sources[] = {{248, 196, 72}, {248, 120, 40}, {192, 84, 0}, {112, 28, 0}};
const Rgb dorrik_palettes[4][4] = {
    {{248, 140, 72}, {248, 48, 40}, {192, 16, 0}, {112, 0, 8}},
    {{72, 252, 224}, {40, 172, 248}, {0, 112, 192}, {0, 80, 112}},
    {{248, 188, 184}, {248, 40, 232}, {192, 0, 168}, {104, 0, 112}},
    {{160, 140, 88}, {96, 72, 56}, {48, 28, 16}, {24, 12, 8}},
};

// The palette number saved for a character; 0 where the save data has no
// such cell.
int saved_palette(Frames& f, int row)
{
    auto* save = static_cast<ArrayObject*>(instance_of(f.instances[types::SaveData_10]));
    return save ? save->get_value(1, row, -1) : 0;
}

// Whether the event of `palette` fires now: the character's skin is still
// there, its saved palette is this one, and it has not fired since the
// level started.
bool palette_due(Frames& f, int skin, int row, int palette, bool& done)
{
    if (!f.level_group_43 || !f.level_group_23 || f.instances[skin].back == nullptr)
        return false;
    if (saved_palette(f, row) != palette)
        return false;
    return once(done);
}

template <size_t N>
void recolour(FrameObject* skin, const Rgb (&sources)[N], const Rgb (&colours)[N])
{
    if (!skin)
        return;
    auto* active = static_cast<Active*>(skin);
    for (size_t i = 0; i < N; ++i)
        active->replace_color(Color(sources[i].r, sources[i].g, sources[i].b, 255),
                              Color(colours[i].r, colours[i].g, colours[i].b, 255));
}

template <size_t N>
void recolour_all(Frames& f, std::initializer_list<int> types, const Rgb (&sources)[N], const Rgb (&colours)[N])
{
    for (const int type : types)
        for_each_instance(f.instances[type], [&](FrameObject* skin) { recolour(skin, sources, colours); });
}

void yelto(Frames& f, int palette, bool& done)
{
    if (palette_due(f, types::PlayerSkinYelto_102, yelto_row, palette, done))
        recolour(instance_of(f.instances[types::PlayerSkinYelto_102]), yelto_sources, yelto_palettes[palette - 1]);
}

// Pimsa's colours carry over to her bike.
void pimsa(Frames& f, int palette, bool& done)
{
    if (palette_due(f, types::PlayerSkinPimsa_324, pimsa_row, palette, done))
        recolour_all(f, {types::PlayerSkinPimsa_324, types::PlayerSkinPimsaBike_338}, pimsa_sources,
                     pimsa_palettes[palette - 1]);
}

// The fuel pickups wear the bike's colours.
void bike(Frames& f, int palette, bool& done)
{
    if (palette_due(f, types::PlayerSkinPimsaBike_338, bike_row, palette, done))
        recolour_all(f, {types::PlayerSkinPimsaBike_338, types::ObjectFuel_341}, bike_sources,
                     bike_palettes[palette - 1]);
}

void dorrik(Frames& f, int palette, bool& done)
{
    if (palette_due(f, types::PlayerSkinDorrik_339, dorrik_row, palette, done))
        recolour_all(f, {types::PlayerSkinDorrik_339}, dorrik_sources, dorrik_palettes[palette - 1]);
}

}  // namespace

void Frames::event_func_595() { yelto(*this, 1, once_595); }
void Frames::event_func_596() { yelto(*this, 2, once_596); }
void Frames::event_func_597() { yelto(*this, 3, once_597); }
void Frames::event_func_598() { yelto(*this, 4, once_598); }
void Frames::event_func_607() { pimsa(*this, 1, once_607); }
void Frames::event_func_608() { pimsa(*this, 2, once_608); }
void Frames::event_func_609() { pimsa(*this, 3, once_609); }
void Frames::event_func_610() { pimsa(*this, 4, once_610); }
void Frames::event_func_614() { bike(*this, 1, once_614); }
void Frames::event_func_615() { bike(*this, 2, once_615); }
void Frames::event_func_616() { bike(*this, 3, once_616); }
void Frames::event_func_623() { dorrik(*this, 1, once_623); }
void Frames::event_func_624() { dorrik(*this, 2, once_624); }
void Frames::event_func_625() { dorrik(*this, 3, once_625); }
void Frames::event_func_626() { dorrik(*this, 4, once_626); }
