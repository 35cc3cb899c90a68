#include "graphics/image.h"

#include "base/assetfile.h"
#include "base/size_policy.h"
#include "base/stream.h"
#include "console/os.h"
#include "console/workers.h"
#include "graphics/picture_decoder.h"
#include "graphics/render_internal.h"
#include "graphics/testing.h"

#include <bitset>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <unordered_map>
#include <vector>

Image empty_image;

namespace {

AssetFile image_file;
Image* handle_table[image_handle_count] = {};
std::unordered_map<std::string, FileImage*> file_images;
std::vector<ReplacedImage> replaced_images;

size_t pixel_bytes(int width, int height)
{
    return size_t(width) * size_t(height) * 4;
}

// While a batch of loads is open (start-up's preloading, a frame's list):
// its failures so far. One damaged image can stand for every entry of a
// list, so a batch reports only its first failure; its owner reports the
// count. Outside a batch a handle that failed is reported once a run.
int* batch_failures = nullptr;
std::bitset<image_handle_count> failed_handles;

void report_load_failure(unsigned int handle, const char* reason)
{
    const bool known = handle < unsigned(image_handle_count) && failed_handles[handle];
    if (handle < unsigned(image_handle_count))
        failed_handles[handle] = true;
    if (batch_failures ? (*batch_failures)++ > 0 : known)
        return;
    OSReport("Could not load image %u\n", handle);
    OSReport("%s\n", reason);
}

Image* table_entry(unsigned int handle)
{
    Image*& entry = handle_table[handle];
    if (!entry) {
        entry = new Image(int(handle));
        entry->flags |= Image::INTERNAL;
    }
    return entry;
}

// The quad is staged; put the colour on it and draw with the image's texture.
void finish_draw(Color color, unsigned int texture)
{
    insert_color(color);
    draw_tex_impl(texture);
}

uint32_t replacement_key(const ReplacedImages& list)
{
    uint32_t key = 0, k = 0;
    for (int i = 0; i < list.count; ++i) {
        const ReplacedImages::Pair& pair = list.pairs[i];
        const uint8_t bytes[6] = {pair.from.r, pair.from.g, pair.from.b,
                                  pair.to.r,   pair.to.g,   pair.to.b};
        for (const uint8_t byte : bytes)
            key += uint32_t(byte) * ++k;
    }
    return key;
}

bool same_rgb(const Color& a, const Color& b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

bool same_pairs(const ReplacedImages& a, const ReplacedImages& b)
{
    if (a.count != b.count)
        return false;
    for (int i = 0; i < a.count; ++i)
        if (!same_rgb(a.pairs[i].from, b.pairs[i].from) || !same_rgb(a.pairs[i].to, b.pairs[i].to))
            return false;
    return true;
}

}  // namespace

// Construction and ownership -----------------------------------------------------------

Image::Image(int handle) : handle(uint16_t(handle)) {}

Image::Image(int hot_x, int hot_y, int action_x, int action_y)
    : hotspot_x(int16_t(hot_x)), hotspot_y(int16_t(hot_y)), action_x(int16_t(action_x)),
      action_y(int16_t(action_y))
{
}

Image::~Image()
{
    unload();
}

void Image::destroy()
{
    if (flags & INTERNAL)
        return;
    delete this;
}

void Image::unload()
{
    free(pixels);
    pixels = nullptr;
    if (texture)
        Render::delete_tex(texture);
    texture = 0;
}

void Image::set_filter(bool linear_filter)
{
    if (linear_filter == ((flags & LINEAR_FILTER) != 0))
        return;
    flags = linear_filter ? uint16_t(flags | LINEAR_FILTER) : uint16_t(flags & ~LINEAR_FILTER);
    if (texture)
        Render::set_filter(texture, linear_filter);
}

// Loading and uploading --------------------------------------------------------------

void Image::load()
{
    flags |= USED;
    if (texture || pixels)
        return;
    if (flags & FILE_IMAGE)
        load_file();
    else
        load_asset();
}

namespace {

// An asset image between reading and decoding: the compressed bytes read on
// the loading thread, the pixels inflated on any thread.
struct PendingImage {
    Image* image = nullptr;
    std::vector<char> compressed;
    uint8_t* pixels = nullptr;
    const char* failure = nullptr;
};

// Reads the item's header into the image and its compressed bytes; false
// with the reason when the image cannot be had.
bool read_asset(Image* image, PendingImage& pending)
{
    pending.image = image;
    open_image_file();
    image_file.set_item(image->handle, AssetFile::IMAGE_DATA);
    FileStream stream(image_file);
    image->width = stream.read_int16();
    image->height = stream.read_int16();
    image->hotspot_x = stream.read_int16();
    image->hotspot_y = stream.read_int16();
    image->action_x = stream.read_int16();
    image->action_y = stream.read_int16();
    const uint32_t compressed_size = uint32_t(stream.read_int32());
    // Refuse sizes that would allocate nothing sensible or read past the file.
    if (!image_size_allowed(image->width, image->height)) {
        pending.failure = "bad image size";
        return false;
    }
    const unsigned int remaining = image_file.get_size() - image_file.tell();
    if (!image_file.is_open() || compressed_size > remaining) {
        pending.failure = "read past buffer";
        return false;
    }
    pending.compressed.resize(compressed_size);
    image_file.read(pending.compressed.data(), compressed_size);
    return true;
}

// Touches nothing but `pending`: runs on any thread.
void decode_asset(PendingImage& pending)
{
    const size_t size = pixel_bytes(pending.image->width, pending.image->height);
    pending.pixels = static_cast<uint8_t*>(malloc(size));
    if (!pending.pixels) {
        pending.failure = "out of memory";
        return;
    }
    const int written = inflate_zlib(reinterpret_cast<char*>(pending.pixels), int(size),
                                     pending.compressed.data(), int(pending.compressed.size()));
    if (written < 0) {
        pending.failure = picture_failure_reason();
        free(pending.pixels);
        pending.pixels = nullptr;
        return;
    }
    // A stream that ends early leaves defined pixels behind.
    memset(pending.pixels + written, 0, size - size_t(written));
    std::vector<char>().swap(pending.compressed);
}

void finish_asset(PendingImage& pending)
{
    if (pending.failure)
        report_load_failure(pending.image->handle, pending.failure);
    else
        pending.image->pixels = pending.pixels;
}

}  // namespace

void Image::load_asset()
{
    PendingImage pending;
    if (read_asset(this, pending))
        decode_asset(pending);
    finish_asset(pending);
}

bool Image::ensure_texture()
{
    if (!texture)
        upload_texture();
    return texture != 0;
}

void Image::upload_texture()
{
    if (texture || !pixels)
        return;
    texture = Render::create_tex(pixels, Render::RGBA, width, height);
    if (texture)
        Render::set_filter(texture, (flags & LINEAR_FILTER) != 0);
    if (!(flags & KEEP_PIXELS) && texture) {
        free(pixels);
        pixels = nullptr;
    }
}

void open_image_file()
{
    if (!image_file.is_open())
        image_file.open();
}

Image* get_internal_image(unsigned int handle)
{
    if (handle >= unsigned(image_handle_count)) {
        OSReport("Invalid image handle %u\n", handle);
        return &empty_image;
    }
    Image* image = table_entry(handle);
    image->load();
    return image;
}

namespace {
int open_batch_failures = 0;
}

void begin_image_batch()
{
    open_batch_failures = 0;
    batch_failures = &open_batch_failures;
}

int end_image_batch()
{
    batch_failures = nullptr;
    return open_batch_failures;
}

namespace {

// One entry of the preload list. `decoded`: its first load, read at once and
// decoded on any core; otherwise (a handle listed again) it is loaded as
// any other load would be, when its turn comes.
struct PreloadEntry {
    Image* image;
    bool decoded;
};

struct Preload {
    std::vector<PreloadEntry> entries;
    std::vector<PendingImage> pending;  // one per decoded entry, in list order
    std::vector<int> pending_of;        // entry -> pending index, or -1
};

// Decoded images that may wait for their upload: enough to keep every core
// busy, few enough that their pixels stay small beside the textures.
constexpr int preload_ahead = 128;

void decode_preloaded(int index, void* context)
{
    Preload& preload = *static_cast<Preload*>(context);
    const int pending = preload.pending_of[size_t(index)];
    if (pending >= 0 && !preload.pending[size_t(pending)].failure)
        decode_asset(preload.pending[size_t(pending)]);
}

// In list order, on the loading thread: the upload order, and so the
// texture slots, are those of one load after the other.
void upload_preloaded(int index, void* context)
{
    Preload& preload = *static_cast<Preload*>(context);
    const PreloadEntry& entry = preload.entries[size_t(index)];
    const int pending = preload.pending_of[size_t(index)];
    if (pending >= 0) {
        entry.image->flags |= Image::USED;
        finish_asset(preload.pending[size_t(pending)]);
    } else {
        entry.image->load();
    }
    entry.image->upload_texture();
    // Start-up's images stay for the whole run: no frame's flush frees them.
    entry.image->set_static();
}

}  // namespace

void preload_images()
{
    AssetFile list;
    list.open();
    FileStream stream(list);
    begin_image_batch();
    Preload preload;
    preload.entries.reserve(image_handle_count);
    preload.pending_of.reserve(image_handle_count);
    std::bitset<image_handle_count> listed;
    for (int i = 0; i < image_handle_count; ++i) {
        const unsigned int handle = uint16_t(stream.read_int16());
        if (handle < unsigned(image_handle_count)) {
            Image* image = table_entry(handle);
            const bool decoded = !listed[handle] && !image->texture && !image->pixels;
            listed[handle] = true;
            preload.entries.push_back({image, decoded});
        }
    }
    // The compressed bytes are read here, in list order; the failures they
    // show are reported at their entry's turn.
    for (const PreloadEntry& entry : preload.entries) {
        preload.pending_of.push_back(entry.decoded ? int(preload.pending.size()) : -1);
        if (entry.decoded) {
            preload.pending.emplace_back();
            read_asset(entry.image, preload.pending.back());
        }
    }
    run_in_order(int(preload.entries.size()), preload_ahead, decode_preloaded, upload_preloaded,
                 &preload);
    const int failures = end_image_batch();
    if (failures > 1)
        OSReport("%d preloaded images could not be loaded\n", failures);
    list.close();
}

FileImage* get_image_cache(const std::string& path, int, int, int, int,
                           TransparentColor transparent)
{
    const auto found = file_images.find(path);
    if (found != file_images.end())
        return found->second;
    FileImage* image = new FileImage(path, 0, 0, 0, 0, transparent);
    image->load();
    if (!image->is_valid()) {
        delete image;
        image = nullptr;
    } else {
        image->flags |= Image::USED | Image::INTERNAL;
    }
    file_images[path] = image;
    return image;
}

void reset_image_cache()
{
    for (Image* image : handle_table)
        if (image)
            image->flags &= uint16_t(~Image::USED);
}

void flush_image_cache()
{
    for (Image* image : handle_table)
        if (image && !(image->flags & (Image::USED | Image::STATIC)))
            image->unload();
}

void image_forget_all()
{
    failed_handles.reset();
    // The handles' images stay allocated: the generated classes keep their
    // images for the run. Each goes back to the state of a first use.
    for (Image* image : handle_table)
        if (image) {
            image->unload();
            image->flags = Image::INTERNAL;
            image->hotspot_x = image->hotspot_y = image->action_x = image->action_y = 0;
            image->width = image->height = 0;
        }
    for (auto& [path, image] : file_images)
        delete image;
    file_images.clear();
    for (ReplacedImage& entry : replaced_images)
        delete entry.copy;
    replaced_images.clear();
    if (image_file.is_open())
        image_file.close();
}

// Copies and colour replacement ------------------------------------------------------------

Image* Image::copy() const
{
    if (pixels) {
        Image* copy = new Image(int(handle));
        copy->width = width;
        copy->height = height;
        const size_t size = pixel_bytes(width, height);
        copy->pixels = static_cast<uint8_t*>(malloc(size));
        memcpy(copy->pixels, pixels, size);
        return copy;
    }
    Image* copy;
    if (flags & FILE_IMAGE) {
        const FileImage& file = static_cast<const FileImage&>(*this);
        copy = new FileImage(file.path, hotspot_x, hotspot_y, action_x, action_y, file.transparent);
    } else {
        copy = new Image(int(handle));
    }
    copy->load();
    return copy;
}

void Image::replace(const Color& from, const Color& to)
{
    if (!pixels) {
        OSReport("Could not replace color in unloaded image\n");
        return;
    }
    const size_t count = size_t(width) * size_t(height);
    for (size_t i = 0; i < count; ++i) {
        uint8_t* pixel = pixels + i * 4;
        if (pixel[0] == from.r && pixel[1] == from.g && pixel[2] == from.b) {
            pixel[0] = to.r;
            pixel[1] = to.g;
            pixel[2] = to.b;
        }
    }
}

void ReplacedImages::replace(const Color& from, const Color& to)
{
    if (count >= 10) {
        OSReport("Max color replacements reached\n");
        return;
    }
    pairs[count++] = {from, to};
}

Image* ReplacedImages::apply(Image* image, Image* source)
{
    Image* result = apply_direct(image, source);
    count = 0;
    return result;
}

Image* ReplacedImages::apply_direct(Image* image, Image* source)
{
    const uint32_t key = replacement_key(*this);
    for (const ReplacedImage& entry : replaced_images)
        if (entry.key == key && entry.source == source && same_pairs(entry.pairs, *this))
            return entry.copy;
    Image* copy = image->copy();
    for (int i = 0; i < count; ++i)
        copy->replace(pairs[i].from, pairs[i].to);
    replaced_images.emplace_back(source, copy, key);
    replaced_images.back().pairs = *this;
    copy->flags |= Image::KEEP_PIXELS;
    return copy;
}

// Drawing --------------------------------------------------------------------------------

void Image::draw(int x, int y, Color color, float angle, float scale_x, float scale_y)
{
    if (!ensure_texture())
        return;
    select_plain_shader();
    if (angle == 0.0f && scale_x == 1.0f && scale_y == 1.0f) {
        const int x1 = x - hotspot_x, y1 = y - hotspot_y;
        insert_quad(x1, y1, x1 + width, y1 + height);
    } else {
        const double radians = double(angle) / 57.29577951308232;
        const double c = std::cos(radians), s = std::sin(radians);
        const double x0 = -hotspot_x * double(scale_x), x1 = (width - hotspot_x) * double(scale_x);
        const double y0 = -hotspot_y * double(scale_y), y1 = (height - hotspot_y) * double(scale_y);
        const double local[8] = {x0, y0, x1, y0, x1, y1, x0, y1};
        float corners[8];
        for (int i = 0; i < 4; ++i) {
            const double px = local[i * 2], py = local[i * 2 + 1];
            corners[i * 2] = float(x + px * c + py * s);
            corners[i * 2 + 1] = float(y - px * s + py * c);
        }
        insert_quad(corners);
    }
    insert_texcoord1(0.0f, 0.0f, 1.0f, 1.0f);
    finish_draw(color, texture);
}

void Image::draw(int x, int y, int src_x, int src_y, int src_width, int src_height, Color color)
{
    if (!ensure_texture())
        return;
    select_plain_shader();
    insert_quad(x, y, x + src_width, y + src_height);
    const float left = float(src_x) / float(width), top = float(src_y) / float(height);
    insert_texcoord1(left, top, left + float(src_width) / float(width),
                     top + float(src_height) / float(height));
    finish_draw(color, texture);
}

// File images ------------------------------------------------------------------------------

FileImage::FileImage(const std::string& path, int hot_x, int hot_y, int action_x, int action_y,
                     TransparentColor transparent)
    : Image(hot_x, hot_y, action_x, action_y), path(path), transparent(transparent)
{
    flags |= FILE_IMAGE;
}

void FileImage::load_file()
{
    BaseFile file(path.c_str(), "r");
    if (!file.is_open()) {
        OSReport("Could not open image \"%s\"\n", printable_text(path).c_str());
        return;
    }
    std::vector<unsigned char> bytes(file.get_size());
    const unsigned int got = file.read(bytes.data(), unsigned(bytes.size()));
    file.close();
    if (got > unsigned(INT_MAX) || !picture_format_known(bytes.data(), int(got))) {
        OSReport("Could not load image \"%s\": not a PNG or BMP picture\n",
                 printable_text(path).c_str());
        return;
    }
    int w = 0, h = 0, channels = 0;
    // The header's size first: an oversize picture is refused before it is decoded.
    if (picture_info(bytes.data(), int(got), w, h, channels) &&
        image_size_allowed(w, h))
        pixels = decode_picture(bytes.data(), int(got), w, h, channels);
    // What was decoded must be what the header announced.
    if (pixels && !image_size_allowed(w, h)) {
        free_picture(pixels);
        pixels = nullptr;
    }
    if (!pixels) {
        OSReport("Could not load image \"%s\"\n", printable_text(path).c_str());
        return;
    }
    width = int16_t(w);
    height = int16_t(h);
    if (transparent.a == 255 && (channels == 1 || channels == 3))
        set_transparent_color(transparent);
}

void FileImage::set_transparent_color(TransparentColor color)
{
    if (!pixels)
        return;
    const size_t count = size_t(width) * size_t(height);
    for (size_t i = 0; i < count; ++i) {
        uint8_t* pixel = pixels + i * 4;
        if (pixel[0] == color.r && pixel[1] == color.g && pixel[2] == color.b)
            pixel[3] = 0;
    }
}
