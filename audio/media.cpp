#include "audio/media.h"

#include "runtime/assetfile.h"

Media media;

void Media::init()
{
    // The first asset-file lookup of the run: every sound's item in order.
    AssetFile assets;
    assets.open();
    for (int id = 0; id < AssetFile::sound_count; ++id)
        assets.set_item(id, AssetFile::SOUND_DATA);
}

void Media::stop()
{
}

void Media::stop_samples()
{
}

void flush_audio()
{
    // No sound is ever marked for release until the audio device exists.
}
