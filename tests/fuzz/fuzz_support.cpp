#include "tests/fuzz/fuzz_support.h"

#include "audio/device.h"
#include "base/assetfile.h"
#include "console/audio_device.h"
#include "graphics/render.h"
#include "platform/files.h"
#include "tests/support/volumes.h"
#include "tools/assetwriter/asset_writer.h"

#include <fstream>

namespace {

TempVolumes& volumes()
{
    static TempVolumes instance;
    return instance;
}

bool holds_input(int kind, int id)
{
    switch (kind) {
    case AssetFile::SHADER_DATA:
        return id == fuzz_shader_id;
    default:
        return id == 0;
    }
}

// The preload list and the tables, the same for every input.
const std::string& item_header()
{
    static const std::string header = [] {
        std::string out(AssetFile::preload_size, '\0');
        for (int kind = 0; kind < 5; ++kind) {
            for (int id = 0; id < AssetFile::item_count(AssetFile::AssetType(kind)); ++id)
                put_u32(out, holds_input(kind, id) ? AssetFile::items_start : 0);
        }
        return out;
    }();
    return header;
}

void write_host(const std::string& path, const std::string& head, const uint8_t* data, size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(head.data(), std::streamsize(head.size()));
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
}

}  // namespace

void fuzz_setup()
{
    static const bool ready = [] {
        volumes();
        for (int slot = 0; slot < fs_client_slots; ++slot)
            get_fs_data(slot);
        return true;
    }();
    (void)ready;
}

void fuzz_graphics_setup()
{
    fuzz_setup();
    static const bool ready = [] {
        Render::init();
        return true;
    }();
    (void)ready;
}

void fuzz_audio_setup()
{
    fuzz_setup();
    static const bool ready = [] {
        audio_set_manual_stepping(true);
        TessaroAudio::global_device = new TessaroAudio::AudioDevice();
        TessaroAudio::ax_startup(0, nullptr);
        return true;
    }();
    (void)ready;
}

std::string put_fuzz_file(const std::string& name, const uint8_t* data, size_t size)
{
    write_host(volumes().content + "/" + name, std::string(), data, size);
    return "./" + name;
}

void put_fuzz_item(const uint8_t* data, size_t size)
{
    write_host(volumes().content + "/Assets.dat", item_header(), data, size);
    AssetFile::forget_tables();
}
