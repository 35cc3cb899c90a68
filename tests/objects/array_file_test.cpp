#include "objects/arrayext.h"

#include "console/fs.h"
#include "console/options.h"
#include "console/procui.h"

#include "platform/files.h"
#include "tests/support/volumes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// Fresh volumes whose file-system clients exist already, so that their
// creation lines stay out of the captured output.
struct Volumes : TempVolumes {
    Volumes()
    {
        get_fs_data(0);
        get_fs_data(2);
    }
    void put_save(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(save + "/" + name, std::ios::binary) << bytes;
    }
};

std::string int32_bytes(int v)
{
    const unsigned u = unsigned(v);
    return {char(u & 0xFF), char((u >> 8) & 0xFF), char((u >> 16) & 0xFF), char(u >> 24)};
}

std::string header(int x, int y, int z, int flags, char major = 2, char minor = 0)
{
    return std::string("CNC ARRAY\0", 10) + major + '\0' + minor + '\0' + int32_bytes(x) + int32_bytes(y) +
           int32_bytes(z) + int32_bytes(flags);
}

}  // namespace

TEST(ArrayFile, RecordsArraySavesByteForByte)
{
    Volumes volumes;
    ArrayObject records(0, 0, 26);
    records.initialize(true, 1, 20, 100, 1);
    records.set_value(0x01020304, 2, 1, 1);
    records.set_value(-2, 20, 100, 1);
    EXPECT_EQ(console_output_of([&] { records.save("/vol/save/common/records.dat"); }), "");

    const std::string file = volumes.read_host(volumes.save + "/common/records.dat");
    ASSERT_EQ(file.size(), 8030u);
    const unsigned char start[30] = {0x43, 0x4E, 0x43, 0x20, 0x41, 0x52, 0x52, 0x41, 0x59, 0x00,
                                     0x02, 0x00, 0x00, 0x00, 0x14, 0x00, 0x00, 0x00, 0x64, 0x00,
                                     0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00};
    EXPECT_EQ(file.substr(0, 30), std::string(reinterpret_cast<const char*>(start), 30));
    EXPECT_EQ(file.substr(30, 8), int32_bytes(0) + "\x04\x03\x02\x01");
    EXPECT_EQ(file.substr(8026), "\xFE\xFF\xFF\xFF");
    // Nothing but the file is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(volumes.save + "/common"), fs::directory_iterator()), 1);
}

TEST(ArrayFile, BindingArraySavesByteForByteAndLoadsBack)
{
    Volumes volumes;
    ArrayObject binding(0, 0, 22);
    binding.initialize(true, 0, 12, 6, 2);
    binding.set_value(77, 11, 5, 1);
    binding.save("/vol/save/control_keyboard.cfg");
    const std::string file = volumes.read_host(volumes.save + "/control_keyboard.cfg");
    ASSERT_EQ(file.size(), 606u);
    EXPECT_EQ(file.substr(0, 30), header(12, 6, 2, 1));
    EXPECT_EQ(file.substr(602), int32_bytes(77));

    // A load takes the file's sizes and base and keeps the current position;
    // "./" files come from the content volume.
    volumes.put_content("control_keyboard.cfg", file);
    ArrayObject other(0, 0, 22);
    other.initialize(true, 1, 1, 1, 1);
    EXPECT_EQ(console_output_of([&] { other.load("./control_keyboard.cfg"); }), "");
    EXPECT_EQ(other.data.x_size, 12);
    EXPECT_EQ(other.data.z_size, 2);
    EXPECT_EQ(other.data.base, 0);
    EXPECT_EQ(other.data.current_x, 1);
    EXPECT_EQ(other.data.values, binding.data.values);
}

TEST(ArrayFile, TextCellsSaveCountsAndBytesAndLoadBack)
{
    Volumes volumes;
    ArrayObject text(0, 0, 40);
    text.initialize(false, 0, 2, 1, 1);
    text.set_string("hi", 0, 0, 0);
    text.save("/vol/save/text.dat");
    EXPECT_EQ(volumes.read_host(volumes.save + "/text.dat"),
              header(2, 1, 1, 0) + int32_bytes(2) + "hi" + int32_bytes(0));
    ArrayObject back(0, 0, 40);
    back.initialize(false, 1, 5, 5, 5);
    back.load("/vol/save/text.dat");
    EXPECT_EQ(back.data.base, 0);
    EXPECT_EQ(back.data.strings, (std::vector<std::string>{"hi", ""}));

    // An array without cells is the header alone; a file that ends after
    // the major version is an empty zero-based text array.
    text.initialize(false, 1, 0, 3, 1);
    text.save("/vol/save/empty.dat");
    EXPECT_EQ(volumes.read_host(volumes.save + "/empty.dat"), header(0, 3, 1, 4));
    volumes.put_save("short.dat", header(0, 0, 0, 0).substr(0, 12));
    EXPECT_EQ(console_output_of([&] { back.load("/vol/save/short.dat"); }), "");
    EXPECT_EQ(back.data.x_size, 0);
    EXPECT_EQ(back.data.base, 0);
    EXPECT_TRUE(back.data.strings.empty());
}

TEST(ArrayFile, DamagedFilesAreRejectedAndTheArrayStaysAsItWas)
{
    Volumes volumes;
    const std::string cells = int32_bytes(1) + int32_bytes(2) + int32_bytes(3) + int32_bytes(4);
    const std::pair<std::string, std::string> numeric_cases[] = {
        {"CNC ARRAX" + std::string(21, '\0'), "Invalid CT_ARRAY_MAGIC: /vol/save/f\nCNC ARRAX CNC ARRAY\n"},
        {std::string("AB\nC\0\0\0\0\0\0", 10), "Invalid CT_ARRAY_MAGIC: /vol/save/f\nAB\\x0aC CNC ARRAY\n"},
        {header(2, 2, 1, 5, 3) + cells, "Invalid ARRAY_MAJOR_VERSION\n"},
        {header(2, 2, 1, 5, 2, 1) + cells, "Invalid ARRAY_MINOR_VERSION\n"},
        {header(-2, -2, 1, 5) + cells, "Invalid array size: /vol/save/f\n"},
        {header(65536, 65536, 2, 5) + cells, "Invalid array size: /vol/save/f\n"},
        {header(1000, 1000, 1000, 5) + cells, "Invalid array size: /vol/save/f\n"},
        {header(2, 2, 1, 5) + cells.substr(0, 13), "Invalid array size: /vol/save/f\n"},
        {header(1, 1, 1, 4) + int32_bytes(1) + "a", "Invalid array kind: /vol/save/f\n"},
    };
    for (const auto& [bytes, output] : numeric_cases) {
        volumes.put_save("f", bytes);
        ArrayObject array(0, 0, 10);
        array.initialize(true, 1, 2, 2, 1);
        array.set_value(12, 2, 1, 1);
        EXPECT_EQ(console_output_of([&] { array.load("/vol/save/f"); }), output);
        EXPECT_EQ(array.data.base, 1);
        EXPECT_EQ(array.data.values, (std::vector<int>{0, 12, 0, 0}));
    }

    // Text counts that are negative, run past the end, or are missing.
    const std::string text_cases[] = {
        header(2, 1, 1, 0) + int32_bytes(-1) + int32_bytes(0),
        header(2, 1, 1, 0) + int32_bytes(2) + "ab" + int32_bytes(0x7FFFFFFF) + "x",
        header(2, 1, 1, 0) + int32_bytes(4) + "abcd" + std::string(2, '\0'),
    };
    for (const std::string& bytes : text_cases) {
        volumes.put_save("f", bytes);
        ArrayObject text(0, 0, 40);
        text.initialize(false, 0, 1, 1, 1);
        text.set_string("kept", 0, 0, 0);
        EXPECT_EQ(console_output_of([&] { text.load("/vol/save/f"); }), "Invalid array string: /vol/save/f\n");
        EXPECT_EQ(text.data.strings, std::vector<std::string>{"kept"});
    }

    ArrayObject array(0, 0, 10);
    array.initialize(true, 0, 1, 1, 1);
    const std::string output = console_output_of([&] { array.load("/vol/save/missing.dat"); });
    EXPECT_NE(output.find("Could not load data.array /vol/save/missing.dat\n"), std::string::npos) << output;
    EXPECT_EQ(array.data.values.size(), 1u);
}

TEST(ArrayFile, AFailedSaveSaysWhereAndWhyOnStandardErrorOnceAndFailsTheExitStatusButPlaysOn)
{
    Volumes volumes;
    fs_forget_reported_saves();
    procui_reset_exit();
    ArrayObject array(0, 0, 10);
    array.initialize(true, 1, 2, 2, 1);
    array.save("/vol/save/keep.dat");
    const std::string good = volumes.read_host(volumes.save + "/keep.dat");
    ASSERT_EQ(procui_exit_status(), 0);
    array.set_value(5, 1, 1, 1);
    const auto save = [&](const std::string& path, std::string& errors) {
        std::string output;
        errors = host_errors_of([&] { output = console_output_of([&] { array.save(path); }); });
        return output;
    };
    const auto nothing_left = [&](const std::string& host) {
        for (const char* left : {".tmp", ".tmp.part", ".part"})
            EXPECT_FALSE(fs::exists(host + left)) << host << left;
    };
    std::string errors;

    // A full disk, twice: the game's line each time, the host's once.
    for (int i = 0; i < 2; ++i) {
        fs_limit_free_space(10);
        const std::string output = save("/vol/save/keep.dat", errors);
        fs_limit_free_space(-1);
        EXPECT_EQ(output, "Could not save data.array /vol/save/keep.dat: the disk is full\n");
        EXPECT_EQ(errors, i == 0 ? "Could not save " + volumes.save + "/keep.dat: No space left on device\n" : "");
        EXPECT_EQ(volumes.read_host(volumes.save + "/keep.dat"), good);
        nothing_left(volumes.save + "/keep.dat");
    }
    EXPECT_EQ(procui_exit_status(), 1);
    EXPECT_FALSE(procui_exit_requested());

    // A folder in the path is a regular file: the save volume itself (a
    // --save naming a file) or one below it.
    volumes.put_save("plain", "a file");
    EXPECT_EQ(save("/vol/save/plain/records.dat", errors),
              "Could not save data.array /vol/save/plain/records.dat\n");
    EXPECT_EQ(errors, "Could not save " + volumes.save + "/plain/records.dat: Not a directory\n");
    console_options().save_dir = volumes.save + "/plain";
    EXPECT_EQ(save("/vol/save/keep.dat", errors), "Could not save data.array /vol/save/keep.dat\n");
    EXPECT_EQ(errors, "Could not save " + volumes.save + "/plain/keep.dat: Not a directory\n");
    EXPECT_EQ(volumes.read_host(volumes.save + "/plain"), "a file");
    console_options().save_dir = volumes.save;

    // The temporary cannot take the file's name: the rename's reason.
    fs::create_directories(volumes.save + "/folder.dat/inside");
    EXPECT_EQ(save("/vol/save/folder.dat", errors), "Could not save data.array /vol/save/folder.dat\n");
    EXPECT_EQ(errors, "Could not save " + volumes.save + "/folder.dat: Is a directory\n");
    nothing_left(volumes.save + "/folder.dat");

    // The content volume takes no saves.
    EXPECT_EQ(save("./records.dat", errors), "Could not save data.array ./records.dat\n");
    EXPECT_EQ(errors, "Could not save " + volumes.content + "/records.dat: Read-only file system\n");

    // The game plays on and its next save, with room, lands.
    EXPECT_EQ(save("/vol/save/keep.dat", errors), "");
    EXPECT_EQ(errors, "");
    EXPECT_EQ(volumes.read_host(volumes.save + "/keep.dat").substr(30, 4), int32_bytes(5));
    fs_forget_reported_saves();
    procui_reset_exit();
}

TEST(ArrayFile, AFailedSaveWritesOneLineAndKeepsTheLastGoodFile)
{
    Volumes volumes;
    ArrayObject array(0, 0, 10);
    array.initialize(true, 1, 2, 2, 1);
    array.save("/vol/save/keep.dat");
    const std::string good = volumes.read_host(volumes.save + "/keep.dat");
    ASSERT_EQ(good.size(), 46u);

    EXPECT_EQ(console_output_of([&] { array.save("./records.dat"); }), "Could not save data.array ./records.dat\n");
    EXPECT_FALSE(fs::exists(volumes.content + "/records.dat"));

    // The finished temporary cannot take its name: the save fails at the
    // close and the last good file stays.
    array.set_value(99, 1, 1, 1);
    fs::create_directories(volumes.save + "/keep.dat.tmp/blocked");
    EXPECT_EQ(console_output_of([&] { array.save("/vol/save/keep.dat"); }),
              "Could not save data.array /vol/save/keep.dat\n");
    EXPECT_EQ(volumes.read_host(volumes.save + "/keep.dat"), good);
    fs::remove_all(volumes.save + "/keep.dat.tmp");

    // The target cannot be replaced: the temporary is cleared away.
    fs::create_directories(volumes.save + "/folder.dat/inside");
    EXPECT_EQ(console_output_of([&] { array.save("/vol/save/folder.dat"); }),
              "Could not save data.array /vol/save/folder.dat\n");
    EXPECT_FALSE(fs::exists(volumes.save + "/folder.dat.tmp"));

    array.save("/vol/save/keep.dat");
    EXPECT_EQ(volumes.read_host(volumes.save + "/keep.dat").substr(30, 4), int32_bytes(99));

    // A full disk: one line that says so, and the last good file stays.
    const std::string kept = volumes.read_host(volumes.save + "/keep.dat");
    array.set_value(7, 1, 1, 1);
    fs_limit_free_space(10);
    const std::string full = console_output_of([&] { array.save("/vol/save/keep.dat"); });
    fs_limit_free_space(-1);
    EXPECT_EQ(full, "Could not save data.array /vol/save/keep.dat: the disk is full\n");
    EXPECT_EQ(volumes.read_host(volumes.save + "/keep.dat"), kept);
}
