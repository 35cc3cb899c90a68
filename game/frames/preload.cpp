#include "game/frames/preload.h"

#include "game/frames/frames.h"

#include "console/os.h"
#include "graphics/image.h"

namespace {

const PreloadList no_list{nullptr, 0, false};

}

const PreloadList& frame_preload_list(int frame_index)
{
    if (frame_index < 0 || frame_index >= frame_preload_list_count)
        return no_list;
    return frame_preload_lists[frame_index];
}

void load_frame_images(int frame_index)
{
    const PreloadList& list = frame_preload_list(frame_index);
    begin_image_batch();
    for (int i = 0; i < list.count; ++i)
        get_internal_image(list.handles[i])->upload_texture();
    const int failures = end_image_batch();
    if (failures > 1)
        OSReport("%d images of frame %d could not be loaded\n", failures, frame_index + 1);
}

void set_up_frame_images(int frame_index)
{
    const PreloadList& list = frame_preload_list(frame_index);
    // A list not written down yet would release the images the frame needs.
    const bool flush = list.flush && list.count > 0;
    if (flush)
        reset_image_cache();
    load_frame_images(frame_index);
    if (flush)
        flush_image_cache();
}

void Frames::load_frame_1_images() { load_frame_images(0); }
void Frames::load_frame_2_images() { load_frame_images(1); }
void Frames::load_frame_3_images() { load_frame_images(2); }
void Frames::load_frame_4_images() { load_frame_images(3); }
void Frames::load_frame_5_images() { load_frame_images(4); }
void Frames::load_frame_6_images() { load_frame_images(5); }
void Frames::load_frame_7_images() { load_frame_images(6); }
void Frames::load_frame_8_images() { load_frame_images(7); }
void Frames::load_frame_9_images() { load_frame_images(8); }
