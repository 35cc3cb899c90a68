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

std::string bmp_file(int width, int height, const std::vector<uint8_t>& rgb)
{
    const int row = (width * 3 + 3) / 4 * 4;
    std::string out = "BM";
    put_u32(out, uint32_t(54 + row * height));
    put_u32(out, 0);
    put_u32(out, 54);
    put_u32(out, 40);
    put_u32(out, uint32_t(width));
    put_u32(out, uint32_t(height));
    put_u16(out, 1);
    put_u16(out, 24);
    put_u32(out, 0);  // uncompressed
    put_u32(out, uint32_t(row * height));
    put_u32(out, 2835);  // 72 dpi
    put_u32(out, 2835);
    put_u32(out, 0);
    put_u32(out, 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const size_t p = (size_t(y) * size_t(width) + size_t(x)) * 3;
            out += char(rgb[p + 2]);
            out += char(rgb[p + 1]);
            out += char(rgb[p]);
        }
        out.append(size_t(row - width * 3), '\0');
    }
    return out;
}
