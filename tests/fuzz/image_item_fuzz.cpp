// An image item of the asset file: placement fields, size, zlib stream.
#include "graphics/image.h"
#include "graphics/testing.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/harnesses.h"

int fuzz_image_item(const uint8_t* data, size_t size)
{
    fuzz_graphics_setup();
    put_fuzz_item(data, size);
    Image* image = get_internal_image(0);
    image->upload_texture();
    image_forget_all();
    return 0;
}
