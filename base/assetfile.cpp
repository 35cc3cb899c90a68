#include "base/assetfile.h"

#include "base/stream.h"
#include "console/fs.h"
#include "console/os.h"

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
    // The tables are read, and checked against the file's size, at the first open.
    if (!loaded && is_open()) {
        load_tables();
        seek(0, 0);
    }
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

std::string AssetFile::host_name()
{
    return printable_text(fs_host_path(convert_path("./Assets.dat")));
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
    if (is_open())
        check_tables();
}

// A file cut short loses the items whose bodies start past its new end; the
// readers would each fail on their own, so one line says how many are gone.
void AssetFile::check_tables()
{
    const unsigned int size = get_size();
    const std::string name = host_name();
    if (size < items_start) {
        host_report("%s is cut off at %u bytes: its item tables are incomplete\n", name.c_str(),
                    size);
        return;
    }
    int items = 0, cut_off = 0;
    for (int kind = 0; kind < 5; ++kind) {
        for (int id = 0; id < counts[kind]; ++id) {
            const unsigned int offset = tables[kind][id];
            items += offset != 0;
            cut_off += offset != 0 && offset >= size;
        }
    }
    if (cut_off > 0)
        host_report("%s is cut off at %u bytes: %d of its %d items lie past its end\n", name.c_str(),
                       size, cut_off, items);
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
