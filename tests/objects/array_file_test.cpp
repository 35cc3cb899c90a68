#include "objects/arrayext.h"

#include "platform/files.h"
#include "tests/support/volumes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

const char records_path[] = "/vol/save/common/records.dat";

// Fresh volumes whose file-system clients exist already, so that their
// creation lines stay out of the captured output.
struct Volumes : TempVolumes {
    Volumes()
    {
        get_fs_data(0);
        get_fs_data(2);
    }
};

std::string bytes_of(std::initializer_list<int> values)
{
    std::string out;
    for (const int v : values)
        out += char(v);
    return out;
}

std::string int32_bytes(int v)
{
    const unsigned u = unsigned(v);
    return bytes_of({int(u & 0xFF), int((u >> 8) & 0xFF), int((u >> 16) & 0xFF), int(u >> 24)});
}

std::string header(int x, int y, int z, int flags, int major = 2, int minor = 0)
{
    return std::string("CNC ARRAY\0", 10) + bytes_of({major, 0, minor, 0}) + int32_bytes(x) +
           int32_bytes(y) + int32_bytes(z) + int32_bytes(flags);
}

void put_save(const TempVolumes& volumes, const std::string& relative, const std::string& bytes)
{
    const fs::path path = fs::path(volumes.save) / relative;
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

// A numeric, one-based 2 x 2 x 1 array holding 11, 12, 21, 22.
void fill_small(ArrayObject& array)
{
    array.initialize(true, 1, 2, 2, 1);
    array.set_value(11, 1, 1, 1);
    array.set_value(12, 2, 1, 1);
    array.set_value(21, 1, 2, 1);
    array.set_value(22, 2, 2, 1);
}

void expect_small_unchanged(const ArrayObject& array)
{
    EXPECT_EQ(array.data.x_size, 2);
    EXPECT_EQ(array.data.y_size, 2);
    EXPECT_EQ(array.data.z_size, 1);
    EXPECT_EQ(array.data.base, 1);
    EXPECT_TRUE(array.data.numeric);
    EXPECT_EQ(array.data.values, (std::vector<int>{11, 12, 21, 22}));
}

}  // namespace

TEST(ArrayFile, RecordsArraySavesByteForByte)
{
    Volumes volumes;
    ArrayObject records(0, 0, 26);
    records.initialize(true, 1, 20, 100, 1);
    records.set_value(0x01020304, 2, 1, 1);
    records.set_value(-2, 20, 100, 1);
    EXPECT_EQ(console_output_of([&] { records.save(records_path); }), "");

    const std::string file = volumes.read_host(volumes.save + "/common/records.dat");
    ASSERT_EQ(file.size(), 8030u);
    EXPECT_EQ(file.substr(0, 30),
              bytes_of({0x43, 0x4E, 0x43, 0x20, 0x41, 0x52, 0x52, 0x41, 0x59, 0x00, 0x02, 0x00, 0x00,
                        0x00, 0x14, 0x00, 0x00, 0x00, 0x64, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
                        0x05, 0x00, 0x00, 0x00}));
    EXPECT_EQ(file.substr(30, 4), int32_bytes(0));
    EXPECT_EQ(file.substr(34, 4), bytes_of({0x04, 0x03, 0x02, 0x01}));
    EXPECT_EQ(file.substr(8026, 4), bytes_of({0xFE, 0xFF, 0xFF, 0xFF}));
    // No temporary is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(volumes.save + "/common"), fs::directory_iterator()), 1);
}

TEST(ArrayFile, BindingArraySavesByteForByteAndRoundTrips)
{
    Volumes volumes;
    ArrayObject binding(0, 0, 22);
    binding.initialize(true, 0, 12, 6, 2);
    binding.set_value(77, 11, 5, 1);
    binding.set_value(3, 1, 0, 0);
    binding.save("/vol/save/control_keyboard.cfg");
    const std::string file = volumes.read_host(volumes.save + "/control_keyboard.cfg");
    ASSERT_EQ(file.size(), 606u);
    EXPECT_EQ(file.substr(0, 30), header(12, 6, 2, 1));
    EXPECT_EQ(file.substr(30 + 4 * 1, 4), int32_bytes(3));
    EXPECT_EQ(file.substr(30 + 4 * (11 + 5 * 12 + 1 * 72), 4), int32_bytes(77));

    // A load takes the file's sizes and base but keeps the current position.
    ArrayObject other(0, 0, 22);
    other.initialize(true, 1, 1, 1, 1);
    other.set_value(9, 1, 1, 1);
    EXPECT_EQ(console_output_of([&] { other.load("/vol/save/control_keyboard.cfg"); }), "");
    EXPECT_EQ(other.data.x_size, 12);
    EXPECT_EQ(other.data.y_size, 6);
    EXPECT_EQ(other.data.z_size, 2);
    EXPECT_EQ(other.data.base, 0);
    EXPECT_EQ(other.data.current_x, 1);
    EXPECT_EQ(other.get_value(11, 5, 1), 77);
    EXPECT_EQ(other.get_value(1, 0, 0), 3);
    EXPECT_EQ(other.data.values, binding.data.values);
}

TEST(ArrayFile, ControlBindingsLoadFromTheContentVolume)
{
    Volumes volumes;
    std::string file = header(2, 1, 1, 1);
    file += int32_bytes(38) + int32_bytes(-1);
    volumes.put_content("control_gamepad.cfg", file);
    ArrayObject binding(0, 0, 23);
    binding.initialize(true, 0, 12, 6, 2);
    binding.load("./control_gamepad.cfg");
    EXPECT_EQ(binding.data.x_size, 2);
    EXPECT_EQ(binding.get_value(0, 0, 0), 38);
    EXPECT_EQ(binding.get_value(1, 0, 0), -1);
}

TEST(ArrayFile, TextCellsSaveCountsAndBytesAndLoadBack)
{
    Volumes volumes;
    ArrayObject text(0, 0, 40);
    text.initialize(false, 0, 2, 1, 1);
    text.set_string("hi", 0, 0, 0);
    text.save("/vol/save/text.dat");
    const std::string file = volumes.read_host(volumes.save + "/text.dat");
    EXPECT_EQ(file, header(2, 1, 1, 0) + int32_bytes(2) + "hi" + int32_bytes(0));

    ArrayObject back(0, 0, 40);
    back.initialize(false, 1, 5, 5, 5);
    back.load("/vol/save/text.dat");
    EXPECT_EQ(back.data.x_size, 2);
    EXPECT_EQ(back.data.base, 0);
    EXPECT_EQ(back.data.strings, (std::vector<std::string>{"hi", ""}));

    // Base 1 text sets flag 4 only; an array without cells is the header alone.
    ArrayObject empty(0, 0, 40);
    empty.initialize(false, 1, 0, 3, 1);
    empty.save("/vol/save/empty.dat");
    EXPECT_EQ(volumes.read_host(volumes.save + "/empty.dat"), header(0, 3, 1, 4));
}

TEST(ArrayFile, AFileEndingAfterTheMajorVersionLoadsAsAnEmptyTextArray)
{
    Volumes volumes;
    put_save(volumes, "short.dat", std::string("CNC ARRAY\0", 10) + bytes_of({2, 0}));
    ArrayObject text(0, 0, 40);
    text.initialize(false, 1, 2, 2, 2);
    EXPECT_EQ(console_output_of([&] { text.load("/vol/save/short.dat"); }), "");
    EXPECT_EQ(text.data.x_size, 0);
    EXPECT_EQ(text.data.y_size, 0);
    EXPECT_EQ(text.data.z_size, 0);
    EXPECT_EQ(text.data.base, 0);
    EXPECT_FALSE(text.data.numeric);
    EXPECT_TRUE(text.data.strings.empty());
}

TEST(ArrayFile, RejectedFilesLeaveTheArrayAsItWas)
{
    Volumes volumes;
    const std::string cells = int32_bytes(1) + int32_bytes(2) + int32_bytes(3) + int32_bytes(4);
    struct Case {
        const char* name;
        std::string bytes;
        std::string output;
    };
    const Case cases[] = {
        {"magic.dat", "CNC ARRAX\0" + std::string(20, '\0'),
         "Invalid CT_ARRAY_MAGIC: /vol/save/magic.dat\nCNC ARRAX CNC ARRAY\n"},
        {"lines.dat", std::string("AB\nC\0\0\0\0\0\0", 10),
         "Invalid CT_ARRAY_MAGIC: /vol/save/lines.dat\nAB?C CNC ARRAY\n"},
        {"tiny.dat", "CNC", "Invalid CT_ARRAY_MAGIC: /vol/save/tiny.dat\nCNC CNC ARRAY\n"},
        {"major.dat", header(2, 2, 1, 5, 3) + cells, "Invalid ARRAY_MAJOR_VERSION\n"},
        {"nomajor.dat", std::string("CNC ARRAY\0", 10), "Invalid ARRAY_MAJOR_VERSION\n"},
        {"minor.dat", header(2, 2, 1, 5, 2, 1) + cells, "Invalid ARRAY_MINOR_VERSION\n"},
        {"negative.dat", header(-2, -2, 1, 5) + cells, "Invalid array size: /vol/save/negative.dat\n"},
        {"negz.dat", header(2, 2, -1, 5), "Invalid array size: /vol/save/negz.dat\n"},
        {"overflow.dat", header(65536, 65536, 2, 5) + cells,
         "Invalid array size: /vol/save/overflow.dat\n"},
        {"wrap.dat", header(0x40000000, 4, 1, 5) + cells, "Invalid array size: /vol/save/wrap.dat\n"},
        {"huge.dat", header(1000, 1000, 1000, 5) + cells, "Invalid array size: /vol/save/huge.dat\n"},
        {"truncated.dat", header(2, 2, 1, 5) + cells.substr(0, 13),
         "Invalid array size: /vol/save/truncated.dat\n"},
        {"kind.dat", header(1, 1, 1, 4) + int32_bytes(1) + "a", "Invalid array kind: /vol/save/kind.dat\n"},
    };
    for (const Case& c : cases) {
        put_save(volumes, c.name, c.bytes);
        ArrayObject array(0, 0, 10);
        fill_small(array);
        EXPECT_EQ(console_output_of([&] { array.load(std::string("/vol/save/") + c.name); }), c.output)
            << c.name;
        expect_small_unchanged(array);
    }

    // Damaged text files: counts that are negative, run past the end, or missing.
    const Case text_cases[] = {
        {"negcount.dat", header(2, 1, 1, 0) + int32_bytes(-1) + int32_bytes(0),
         "Invalid array string: /vol/save/negcount.dat\n"},
        {"bigcount.dat", header(2, 1, 1, 0) + int32_bytes(2) + "ab" + int32_bytes(0x7FFFFFFF) + "x",
         "Invalid array string: /vol/save/bigcount.dat\n"},
        {"nocount.dat", header(2, 1, 1, 0) + int32_bytes(4) + "abcd" + bytes_of({0, 0}),
         "Invalid array string: /vol/save/nocount.dat\n"},
        {"numeric.dat", header(2, 1, 1, 1) + int32_bytes(1) + int32_bytes(2),
         "Invalid array kind: /vol/save/numeric.dat\n"},
    };
    for (const Case& c : text_cases) {
        put_save(volumes, c.name, c.bytes);
        ArrayObject text(0, 0, 40);
        text.initialize(false, 0, 1, 1, 1);
        text.set_string("kept", 0, 0, 0);
        EXPECT_EQ(console_output_of([&] { text.load(std::string("/vol/save/") + c.name); }), c.output)
            << c.name;
        EXPECT_EQ(text.data.x_size, 1);
        EXPECT_EQ(text.data.strings, std::vector<std::string>{"kept"});
    }
}

TEST(ArrayFile, AMissingFileIsReportedAndChangesNothing)
{
    Volumes volumes;
    ArrayObject array(0, 0, 10);
    fill_small(array);
    const std::string output = console_output_of([&] { array.load("/vol/save/missing.dat"); });
    EXPECT_NE(output.find("Could not load data.array /vol/save/missing.dat\n"), std::string::npos) << output;
    expect_small_unchanged(array);
}

TEST(ArrayFile, AFailedSaveWritesOneLineAndKeepsTheLastGoodFile)
{
    Volumes volumes;
    ArrayObject array(0, 0, 10);
    fill_small(array);
    array.save("/vol/save/keep.dat");
    const std::string good = volumes.read_host(volumes.save + "/keep.dat");
    ASSERT_EQ(good.size(), 46u);

    // The content volume cannot be written.
    EXPECT_EQ(console_output_of([&] { array.save("./records.dat"); }),
              "Could not save data.array ./records.dat\n");
    EXPECT_FALSE(fs::exists(volumes.content + "/records.dat"));

    // The finished temporary cannot take its name: the write fails at the
    // close, and the last good file stays as it was.
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
    EXPECT_TRUE(fs::is_directory(volumes.save + "/folder.dat"));
    EXPECT_FALSE(fs::exists(volumes.save + "/folder.dat.tmp"));
    EXPECT_FALSE(fs::exists(volumes.save + "/folder.dat.tmp.part"));

    // And the next good save replaces the file.
    array.save("/vol/save/keep.dat");
    EXPECT_EQ(volumes.read_host(volumes.save + "/keep.dat").substr(30, 4), int32_bytes(99));
}
