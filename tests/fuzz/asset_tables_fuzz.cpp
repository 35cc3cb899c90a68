// A whole asset file: the preload list and offset tables, then the first
// items of each kind through their readers.
#include "audio/media.h"
#include "audio/sound_data.h"
#include "base/assetfile.h"
#include "graphics/fonts.h"
#include "graphics/image.h"
#include "graphics/render.h"
#include "graphics/shader.h"
#include "graphics/testing.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/harnesses.h"

namespace {

constexpr int items_per_kind = 3;

// Every table entry, looked up the way the readers look them up.
void visit_every_item()
{
    AssetFile file;
    file.open();
    for (int kind = 0; kind < 5; ++kind) {
        const auto type = AssetFile::AssetType(kind);
        for (int id = 0; id < AssetFile::item_count(type); ++id) {
            file.set_item(id, type);
            char word[4];
            file.read(word, sizeof word);
        }
    }
}

void read_sounds()
{
    Media table;
    AssetFile file;
    file.open();
    for (int id = 0; id < items_per_kind; ++id) {
        file.set_item(id, AssetFile::SOUND_DATA);
        table.add_cache(unsigned(id), file);
        delete table.sounds[id];
    }
}

void read_fonts()
{
    std::vector<FTTextureFont*> fonts;
    load_fonts(fonts);
    for (FTTextureFont* font : fonts) {
        if (font->texture)
            Render::delete_tex(font->texture);
        delete font;
    }
}

}  // namespace

int fuzz_asset_tables(const uint8_t* data, size_t size)
{
    fuzz_graphics_setup();
    put_fuzz_file("Assets.dat", data, size);
    AssetFile::forget_tables();
    visit_every_item();
    for (unsigned handle = 0; handle < items_per_kind; ++handle)
        get_internal_image(handle)->upload_texture();
    image_forget_all();
    read_sounds();
    read_fonts();
    texture_shader.initialize();
    shader_forget_all();
    return 0;
}
