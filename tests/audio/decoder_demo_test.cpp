#include "audio/sample.h"
#include "tests/audio/decoder_fixtures.h"
#include "tools/assetwriter/demo_content.h"

#include <memory>

using namespace TessaroAudio;

TEST_F(DecoderTest, demo_content_carries_a_sound_for_every_id_and_music_file)
{
    ASSERT_TRUE(write_demo_content(volumes.content));
    AssetFile file;
    for (int id = 0; id < AssetFile::sound_count; ++id) {
        Media::AudioType type;
        unsigned size;
        open_sound_item(file, id, type, size);
        ASSERT_EQ(type, Media::WAV) << id;
        EXPECT_LE(size, 209715u) << id;  // small enough to be decoded at start-up
        const Sample sample(file, type, size);
        ASSERT_FALSE(sample.is_empty()) << id;
        EXPECT_EQ(sample.channels, 1);
        file.close();
    }
    for (const char* path : {".\\Data\\BGM\\m_title.ogg", ".\\Data\\BGM\\m_speedup.ogg"}) {
        SCOPED_TRACE(path);
        const std::string converted = convert_path(path);
        const unsigned size = platform_get_file_size(converted.c_str());
        BaseFile music(converted.c_str(), "r");
        const std::unique_ptr<SoundDecoder> decoder(create_decoder(music, Media::OGG, size));
        ASSERT_NE(decoder, nullptr);
        EXPECT_EQ(decoder->channels, 2);
        EXPECT_EQ(decoder->sample_rate, 44100);
        EXPECT_EQ(decoder->samples, 4u * 44100 * 2);
    }
}
