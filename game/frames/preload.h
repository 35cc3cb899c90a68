// The images each frame loads and uploads before it places its instances.
// The lists are generated from game/frames/preload_lists.tsv.
#pragma once

#include <cstdint>

struct PreloadList {
    const uint16_t* handles;
    int count;
    // Whether entering the frame releases the images it does not list.
    bool flush;
};

// Entry i belongs to frame index i.
extern const PreloadList frame_preload_lists[];
extern const int frame_preload_list_count;

// The list of a frame index; an empty list outside 0 ... count - 1.
const PreloadList& frame_preload_list(int frame_index);

// Loads each image of the frame's list that is not loaded and uploads its
// texture, in list order. Of the images that cannot be read, the first is
// reported, then a count.
void load_frame_images(int frame_index);

// A set-up's image step: load_frame_images, wrapped in the image cache's
// reset and flush for the frames whose list says so.
void set_up_frame_images(int frame_index);
