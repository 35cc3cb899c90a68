#include "base/stream.h"
#include "platform/files.h"
#include "tests/support/volumes.h"

#include <gtest/gtest.h>

TEST(Streams, integers_are_little_endian_and_short_reads_give_zero_or_keep_what_was_there)
{
    TempVolumes volumes;
    volumes.put_content("ints.dat", std::string("\x01\x02\x03\x04\xFF\x7F\x00\x80\xFE\xFF\xAA\xBB\xCC", 13));
    BaseFile file("./ints.dat", "r");
    FileStream stream(file);
    EXPECT_EQ(stream.read_int32(), 67305985);
    EXPECT_EQ(stream.read_int16(), 32767);
    EXPECT_EQ(stream.read_int16(), -32768);
    EXPECT_EQ(stream.read_int16(), -2);
    EXPECT_FALSE(stream.at_end());
    EXPECT_EQ(stream.read_int32(), 0);  // only 3 bytes left
    EXPECT_EQ(file.tell(), 13u);
    EXPECT_TRUE(stream.at_end());
    stream.seek(1000);
    EXPECT_EQ(file.tell(), 13u);

    // A string read resizes the text and keeps the bytes it could not deliver.
    volumes.put_content("xy.dat", "xy");
    BaseFile short_file("./xy.dat", "r");
    FileStream short_stream(short_file);
    std::string text = "abcdefgh";
    EXPECT_TRUE(short_stream.read_string(text, 0));
    EXPECT_EQ(text, "");
    text = "abcdefgh";
    EXPECT_FALSE(short_stream.read_string(text, 5));
    EXPECT_EQ(text, "xycde");
}

TEST(Streams, file_and_memory_streams_write_lowest_byte_first_and_an_empty_save_writes_nothing)
{
    TempVolumes volumes;
    {
        BaseFile file("/vol/save/out.dat", "w");
        FileStream stream(file);
        stream.write_int32(-2);
        stream.write_int16(0x1234);
        stream.write_string("");
        stream.write_string("ok");
    }
    EXPECT_EQ(volumes.read_host(volumes.save + "/out.dat"), std::string("\xFE\xFF\xFF\xFF\x34\x12ok", 8));

    WriteStream stream;
    stream.write_int32(0x01020304);
    stream.write_string("tail");
    stream.seek(0);
    EXPECT_EQ(stream.read_int32(), 0x01020304);
    std::string text;
    EXPECT_TRUE(stream.read_string(text, 4));
    EXPECT_EQ(text, "tail");
    EXPECT_TRUE(stream.at_end());
    EXPECT_EQ(stream.read_int16(), 0);
    {
        BaseFile file("/vol/save/mem.dat", "w");
        stream.save(file);
    }
    EXPECT_EQ(volumes.read_host(volumes.save + "/mem.dat"), std::string("\x04\x03\x02\x01tail", 8));

    const uint64_t writes = fs_call_counts().writes;
    {
        BaseFile file("/vol/save/empty.dat", "w");
        WriteStream().save(file);
    }
    EXPECT_EQ(fs_call_counts().writes, writes);
}
