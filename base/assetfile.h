// The reader of the packed asset file: finds an item by kind and id.
#pragma once

#include "platform/files.h"

class AssetFile : public BaseFile {
public:
    enum AssetType {
        IMAGE_DATA = 0,
        SOUND_DATA = 1,
        FONT_DATA = 2,
        SHADER_DATA = 3,
        FILE_DATA = 4,
    };

    static constexpr int image_count = 6534;
    static constexpr int sound_count = 216;
    static constexpr int font_count = 1;
    static constexpr int shader_count = 32;
    static constexpr int file_count = 18;
    static constexpr unsigned int preload_size = image_count * 2;  // 13068
    static constexpr unsigned int tables_size =
        (image_count + sound_count + font_count + shader_count + file_count) * 4;  // 27204
    static constexpr unsigned int items_start = preload_size + tables_size;     // 40272

    void open();
    // Positions the file at the first byte of item `id` of `kind`.
    void set_item(int id, AssetType kind);

    static int item_count(AssetType kind);
    // The offset table entry, for readers and tests; 0 when out of range.
    static unsigned int item_offset(int id, AssetType kind);
    static bool tables_loaded();
    // The host path of the file, escaped for a message.
    static std::string host_name();
    // Tests only: the next lookup reads the tables again.
    static void forget_tables();

private:
    void load_tables();
    void check_tables();
};
