// Images of the asset file and of image files, the image cache and the
// recoloured-copy cache.
#pragma once

#include "graphics/color.h"

#include <cstdint>
#include <string>

constexpr int image_handle_count = 6534;

class Image {
public:
    enum Flags : uint16_t {
        USED = 1,
        FILE_IMAGE = 2,
        INTERNAL = 4,
        STATIC = 8,
        KEEP_PIXELS = 16,
        LINEAR_FILTER = 32,
    };

    Image() = default;
    explicit Image(int handle);
    Image(int hot_x, int hot_y, int action_x, int action_y);
    virtual ~Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    void destroy();
    void unload();
    bool is_valid() const { return pixels != nullptr || texture != 0; }
    void set_static() { flags |= STATIC; }
    void set_filter(bool linear_filter);

    void load();
    void upload_texture();
    Image* copy() const;
    void replace(const Color& from, const Color& to);

    void draw(int x, int y, Color color = Color(), float angle = 0.0f, float scale_x = 1.0f,
              float scale_y = 1.0f);
    void draw(int x, int y, int src_x, int src_y, int src_width, int src_height,
              Color color = Color());

    uint16_t handle = 0;
    uint16_t flags = 0;
    int16_t hotspot_x = 0, hotspot_y = 0;
    int16_t action_x = 0, action_y = 0;
    int16_t width = 0, height = 0;
    unsigned int texture = 0;
    uint8_t* pixels = nullptr;

protected:
    virtual void load_file() {}

private:
    void load_asset();
    bool ensure_texture();
};

class FileImage : public Image {
public:
    FileImage(const std::string& path, int hot_x, int hot_y, int action_x, int action_y,
              TransparentColor transparent);

    void set_transparent_color(TransparentColor color);

    std::string path;
    TransparentColor transparent;

protected:
    void load_file() override;
};

struct ReplacedImages {
    int count = 0;
    struct Pair {
        Color from, to;
    } pairs[10];

    void replace(const Color& from, const Color& to);
    Image* apply(Image* image, Image* source);
    Image* apply_direct(Image* image, Image* source);
};

struct ReplacedImage {
    ReplacedImage(Image* source, Image* copy, uint32_t key) : source(source), copy(copy), key(key) {}
    Image* source;
    Image* copy;
    uint32_t key;
    // The pairs themselves: two lists can share a weighted sum.
    ReplacedImages pairs;
};

extern Image empty_image;

void open_image_file();
Image* get_internal_image(unsigned int handle);
// Loads and uploads every image of the asset file's preload list, in order,
// and makes each static.
void preload_images();
// A batch of loads (a list walked at once): only its first failure is
// reported; end_image_batch gives the count, for one closing line.
void begin_image_batch();
int end_image_batch();
FileImage* get_image_cache(const std::string& path, int, int, int, int,
                           TransparentColor transparent);
void reset_image_cache();
void flush_image_cache();
