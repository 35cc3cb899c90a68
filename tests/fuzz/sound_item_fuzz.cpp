// A sound item of the asset file: type word, size word, then the sound,
// registered and played as Media does it (decoded whole, or streamed).
#include "audio/device.h"
#include "audio/media.h"
#include "audio/sound.h"
#include "audio/sound_data.h"
#include "base/assetfile.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/harnesses.h"

int fuzz_sound_item(const uint8_t* data, size_t size)
{
    fuzz_audio_setup();
    put_fuzz_item(data, size);
    Media table;
    AssetFile file;
    file.open();
    file.set_item(0, AssetFile::SOUND_DATA);
    table.add_cache(0, file);
    if (SoundData* entry = table.sounds[0]) {
        TessaroAudio::SoundBase* sound = nullptr;
        entry->load(&sound);
        if (sound) {
            // A stream fills its ring on play and again after a move.
            sound->play();
            sound->set_playing_offset(0.5);
            TessaroAudio::global_device->update();
        }
        TessaroAudio::global_device->delete_all_sounds();
        delete entry;
    }
    return 0;
}
