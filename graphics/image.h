// Images of the asset file and the image cache.
#pragma once

// Loads and uploads every image of the asset file's preload list, in order.
void preload_images();
