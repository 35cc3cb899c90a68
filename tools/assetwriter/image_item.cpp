#include "tools/assetwriter/image_item.h"

#include "tools/assetwriter/asset_writer.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <cstdlib>

std::string zlib_compress(const std::vector<uint8_t>& bytes)
{
    int length = 0;
    unsigned char* data = stbi_zlib_compress(const_cast<unsigned char*>(bytes.data()),
                                             int(bytes.size()), &length, 8);
    std::string out(reinterpret_cast<const char*>(data), size_t(length));
    STBIW_FREE(data);
    return out;
}

std::string image_item(const ImageItemSource& image)
{
    if (image.width <= 0 || image.height <= 0 ||
        image.rgba.size() != size_t(image.width) * size_t(image.height) * 4)
        return {};
    const std::string stream = zlib_compress(image.rgba);
    std::string out;
    for (const int field : {image.width, image.height, image.hot_x, image.hot_y, image.action_x,
                            image.action_y})
        put_u16(out, uint16_t(int16_t(field)));
    put_u32(out, uint32_t(stream.size()));
    return out + stream;
}

namespace {

void append(void* context, void* data, int size)
{
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), size_t(size));
}

}  // namespace

std::string png_file(int width, int height, int channels, const std::vector<uint8_t>& pixels)
{
    std::string out;
    stbi_write_png_to_func(append, &out, width, height, channels, pixels.data(), width * channels);
    return out;
}
