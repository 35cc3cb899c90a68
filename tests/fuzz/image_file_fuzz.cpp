// A loose picture file in any format the image loader knows.
#include "graphics/image.h"
#include "graphics/testing.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/harnesses.h"

int fuzz_image_file(const uint8_t* data, size_t size)
{
    fuzz_graphics_setup();
    const std::string path = put_fuzz_file("picture", data, size);
    // An opaque key: pictures without alpha get it from the key colour.
    const TransparentColor key(255, 0, 255, 255);
    if (FileImage* image = get_image_cache(path, 0, 0, 0, 0, key))
        image->upload_texture();
    image_forget_all();
    return 0;
}
