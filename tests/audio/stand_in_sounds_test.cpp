// The stand-in content's 216 sound items through the game's own decoders,
// read from an asset file the way start-up reads them.
#include "audio/sample.h"
#include "tests/audio/decoder_fixtures.h"
#include "tools/assetwriter/stand_in_content.h"

#include <cstdlib>
#include <memory>

using namespace TessaroAudio;

TEST_F(DecoderTest, every_stand_in_sound_item_decodes_without_a_console_line)
{
    AssetWriter writer;
    std::vector<StandInSound> sounds;
    for (int id = 0; id < AssetFile::sound_count; ++id) {
        sounds.push_back(stand_in_sound(id));
        ASSERT_TRUE(add_sound_item(writer, id, sounds.back().type, sounds.back().data));
    }
    volumes.put_content("Assets.dat", writer.build());
    AssetFile::forget_tables();
    AssetFile file;
    for (int id = 0; id < AssetFile::sound_count; ++id) {
        Media::AudioType type;
        unsigned size = 0;
        open_sound_item(file, id, type, size);
        EXPECT_EQ(unsigned(type), unsigned(sounds[size_t(id)].type)) << id;
        EXPECT_EQ(size, sounds[size_t(id)].data.size()) << id;
        std::unique_ptr<Sample> sample;
        EXPECT_EQ(console_output_of([&] { sample = std::make_unique<Sample>(file, type, size); }), "") << id;
        ASSERT_FALSE(sample->is_empty()) << id;
        EXPECT_TRUE(sample->sample_rate == 22050 || sample->sample_rate == 44100) << id;
        // 0.08 s or more, per channel.
        EXPECT_GE(sample->samples / unsigned(sample->channels), 1764u) << id;
        int loudest = 0;
        for (unsigned i = 0; i < sample->samples / unsigned(sample->channels); ++i)
            loudest = std::max(loudest, std::abs(int(sample->left[i])));
        EXPECT_GT(loudest, 1000) << "sound " << id << " is silent";
    }
}
