#include "graphics/image.h"

void preload_images()
{
    // Placeholder until images land.
}
