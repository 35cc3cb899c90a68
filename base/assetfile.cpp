#include "base/assetfile.h"

#include "base/stream.h"

namespace {

unsigned int image_offsets[AssetFile::image_count];
unsigned int sound_offsets[AssetFile::sound_count];
unsigned int font_offsets[AssetFile::font_count];
unsigned int shader_offsets[AssetFile::shader_count];
unsigned int file_offsets[AssetFile::file_count];

unsigned int* const tables[5] = {image_offsets, sound_offsets, font_offsets, shader_offsets,
                                 file_offsets};
const int counts[5] = {AssetFile::image_count, AssetFile::sound_count, AssetFile::font_count,
                       AssetFile::shader_count, AssetFile::file_count};

bool loaded = false;

}  // namespace

void AssetFile::open()
{
    BaseFile::open("./Assets.dat", "r");
}

int AssetFile::item_count(AssetType kind)
{
    return kind >= 0 && kind < 5 ? counts[kind] : 0;
}

unsigned int AssetFile::item_offset(int id, AssetType kind)
{
    if (id < 0 || id >= item_count(kind))
        return 0;
    return tables[kind][id];
}

bool AssetFile::tables_loaded()
{
    return loaded;
}

void AssetFile::forget_tables()
{
    loaded = false;
}

void AssetFile::load_tables()
{
    // Flag first: the tables are read at most once per process, even when the reads fail.
    loaded = true;
    // The tables sit right after the preload list, wherever this file was left.
    seek(preload_size, 0);
    FileStream stream(*this);
    for (int kind = 0; kind < 5; ++kind) {
        for (int id = 0; id < counts[kind]; ++id)
            tables[kind][id] = unsigned(stream.read_int32());
    }
    if (is_open() && get_size() < items_start)
        OSReport("Asset file is truncated: its item tables are incomplete\n");
}

void AssetFile::set_item(int id, AssetType kind)
{
    if (id < 0 || id >= item_count(kind)) {
        OSReport("Invalid asset item: kind %d, id %d\n", int(kind), id);
        return;
    }
    if (!loaded)
        load_tables();
    seek(tables[kind][id], 0);
}
