// The records array and its file: loaded at boot, saved on the way into act
// 1, kept in memory across frames, and never left torn or half-read by a
// damaged file, a full disk or a run killed during the save.
#include "console/fs.h"
#include "objects/arrayext.h"
#include "tests/support/event_kit.h"
#include "tests/support/volumes.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

const std::string records_path = "/vol/save/common/records.dat";

ArrayObject* records(EventKit& kit) { return static_cast<ArrayObject*>(kit.instance(types::RecordData_33)); }

std::string host_records(const std::string& save_dir)
{
    return save_dir + "/common/records.dat";
}

std::string read_bytes(const std::string& host_path)
{
    std::ifstream in(host_path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void write_bytes(const std::string& host_path, const std::string& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(host_path).parent_path());
    std::ofstream(host_path, std::ios::binary) << bytes;
}

// A fresh run's boot frame: the records array and the storefront placed,
// the intro group on, the boot load run.
void boot(EventKit& kit)
{
    kit.enter_empty_frame({});
    kit.place("RecordData_33", 0, 0);
    kit.place("IlvaneSteamPluginQuorvella_34", 0, 0);
    kit.frames().intro_group = true;
    kit.take_console();
    kit.frames().event_func_228();
}

// Frame 3's start: the records array placed by its set-up, then the save.
void save_on_the_way_into_act_1(EventKit& kit)
{
    kit.enter_empty_frame({.index = 2});
    kit.place("RecordData_33", 0, 0);
    kit.place("IlvaneSteamPluginQuorvella_34", 0, 0);
    kit.frames().event_func_277();
}

bool all_cells_zero(ArrayObject* array)
{
    for (const int value : array->data.values)
        if (value != 0)
            return false;
    return true;
}

// The records as the array file format holds them: 20 x 100 x 1 from 1.
std::string records_file(const std::vector<std::tuple<int, int, int>>& cells)
{
    ArrayObject array(0, 0, types::RecordData_33);
    array.initialize(true, 1, 20, 100, 1);
    for (const auto& [x, y, value] : cells)
        array.set_value(value, x, y, -1);
    return encode_array_file(array.data);
}

// In a child process: the host stops the process once it has written
// `bytes` bytes, in the middle of the records save.
void save_cut_off_after(rlim_t bytes, ArrayObject* records)
{
    const rlimit no_core = {0, 0}, file_size = {bytes, bytes};
    setrlimit(RLIMIT_CORE, &no_core);
    setrlimit(RLIMIT_FSIZE, &file_size);
    records->save(records_path);
    std::_Exit(0);
}

}  // namespace

TEST(RecordsFile, a_first_run_has_no_records_and_its_first_save_creates_the_whole_array)
{
    TempVolumes disk;
    EventKit kit({.save_dir = disk.save});
    boot(kit);
    const std::vector<std::string> missing = {"Could not open file: " + records_path,
                                              "Could not load data.array " + records_path};
    EXPECT_EQ(kit.take_console(), missing);
    EXPECT_EQ(kit.global(25), 100);
    EXPECT_TRUE(all_cells_zero(records(kit)));

    save_on_the_way_into_act_1(kit);
    EXPECT_EQ(read_bytes(host_records(disk.save)), records_file({}));
    for (const std::string& line : kit.take_console())
        EXPECT_EQ(line.find("save"), std::string::npos) << line;
}

TEST(RecordsFile, flags_raised_in_one_run_are_there_at_the_next_runs_boot)
{
    TempVolumes disk;
    {
        EventKit kit({.save_dir = disk.save});
        boot(kit);
        records(kit)->set_value(1, 20, 3, -1);  // codec 3 collected
        records(kit)->set_value(60, 1, 31, -1);
        // Another frame's records array (frames 7 and 9 place the other
        // class) holds the same cells.
        kit.enter_empty_frame({});
        kit.place("RecordData_409", 0, 0);
        EXPECT_EQ(records(kit)->get_value(20, 3, -1), 1);
        save_on_the_way_into_act_1(kit);
    }
    EventKit kit({.save_dir = disk.save});
    boot(kit);
    EXPECT_TRUE(kit.take_console().empty());
    EXPECT_EQ(records(kit)->get_value(20, 3, -1), 1);
    EXPECT_EQ(records(kit)->get_value(20, 4, -1), 0);
    EXPECT_EQ(kit.global(25), 40);  // 100 less the stored complement
}

TEST(RecordsFile, a_reboot_restores_the_last_save_or_keeps_the_flags_when_there_is_no_file)
{
    TempVolumes disk;
    write_bytes(host_records(disk.save), records_file({{20, 1, 1}}));
    EventKit kit({.save_dir = disk.save});
    boot(kit);
    records(kit)->set_value(1, 20, 2, -1);
    kit.frames().event_func_228();  // frame 1 again, without passing frame 3
    EXPECT_EQ(records(kit)->get_value(20, 1, -1), 1);
    EXPECT_EQ(records(kit)->get_value(20, 2, -1), 0);

    std::filesystem::remove(host_records(disk.save));
    records(kit)->set_value(1, 20, 2, -1);
    kit.frames().event_func_228();
    EXPECT_EQ(records(kit)->get_value(20, 2, -1), 1);
}

TEST(RecordsFile, a_damaged_or_foreign_file_leaves_the_records_empty_and_the_next_save_replaces_it)
{
    const std::string whole = records_file({{20, 1, 1}});
    ArrayObject text(0, 0, types::RecordData_33);
    text.initialize(false, 1, 20, 100, 1);
    const struct {
        std::string bytes;
        std::string line;
    } files[] = {
        {whole.substr(0, 500), "Invalid array size: " + records_path},
        {"not an array at all", "Invalid CT_ARRAY_MAGIC: " + records_path},
        {encode_array_file(text.data), "Invalid array kind: " + records_path},
        {std::string(), "Invalid CT_ARRAY_MAGIC: " + records_path},
    };
    for (const auto& file : files) {
        TempVolumes disk;
        write_bytes(host_records(disk.save), file.bytes);
        EventKit kit({.save_dir = disk.save});
        boot(kit);
        const std::vector<std::string> lines = kit.take_console();
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0], file.line);
        EXPECT_EQ(records(kit)->data.x_size, 20);
        EXPECT_EQ(records(kit)->data.y_size, 100);
        EXPECT_TRUE(all_cells_zero(records(kit)));
        EXPECT_EQ(kit.global(25), 100);

        records(kit)->set_value(1, 20, 2, -1);
        save_on_the_way_into_act_1(kit);
        EXPECT_EQ(read_bytes(host_records(disk.save)), records_file({{20, 2, 1}}));
    }
}

TEST(RecordsFile, a_save_cut_short_by_a_killed_run_or_a_full_disk_keeps_the_last_good_file_and_the_records)
{
    TempVolumes disk;
    const std::string old_file = records_file({{20, 1, 1}});
    write_bytes(host_records(disk.save), old_file);
    {
        EventKit kit({.save_dir = disk.save});
        boot(kit);
        records(kit)->set_value(1, 20, 2, -1);
        // A run killed after 1000 of the file's 8030 bytes.
        EXPECT_EXIT(save_cut_off_after(1000, records(kit)), testing::KilledBySignal(SIGXFSZ), "");
        EXPECT_EQ(read_bytes(host_records(disk.save)), old_file);

        fs_limit_free_space(100);
        const std::string errors = host_errors_of([&] { save_on_the_way_into_act_1(kit); });
        fs_limit_free_space(-1);
        EXPECT_EQ(read_bytes(host_records(disk.save)), old_file);
        // The game's line says why, and standard error names the host file
        // and the reason; the file system's calls add none of their own.
        const std::string host_line = "Could not save " + host_records(disk.save) + ": No space left on device";
        EXPECT_EQ(errors, host_line + "\n");
        const std::vector<std::string> console = kit.take_console();  // both streams
        ASSERT_GE(console.size(), 2u);
        EXPECT_EQ(console[console.size() - 2], "Could not save data.array " + records_path + ": the disk is full");
        EXPECT_EQ(console.back(), host_line);
        EXPECT_EQ(std::count_if(console.begin(), console.end(),
                                [](const std::string& line) { return line.find("save") != std::string::npos; }),
                  2);
        EXPECT_EQ(records(kit)->get_value(20, 2, -1), 1);

        // The next save, with room on the disk, writes them.
        save_on_the_way_into_act_1(kit);
        EXPECT_EQ(read_bytes(host_records(disk.save)), records_file({{20, 1, 1}, {20, 2, 1}}));
    }
    EventKit kit({.save_dir = disk.save});
    boot(kit);
    EXPECT_TRUE(kit.take_console().empty());
    EXPECT_EQ(records(kit)->get_value(20, 2, -1), 1);
}
