// The event index against the event files: what it calls built is written
// where it says, and every random draw names an event of its own file, so
// that the draw takes the seed group the index gives it.
#include "game/frames/event_index.h"
#include "tests/support/tables.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path events_dir = fs::path(QUORVELLA_SOURCE_DIR) / "game" / "events";

std::string read_file(const fs::path& path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST(EventIndex, rows_are_ordered_and_every_built_function_is_in_its_file)
{
    ASSERT_GT(event_index_size, 2500);
    for (int i = 1; i < event_index_size; ++i)
        EXPECT_LT(event_index[i - 1].event, event_index[i].event);
    EXPECT_EQ(find_event(event_index[7].event), &event_index[7]);
    EXPECT_EQ(find_event(129), nullptr);
    for (int i = 0; i < event_index_size; ++i) {
        const EventIndexRow& row = event_index[i];
        if (!row.built)
            continue;
        const std::string text = read_file(events_dir / row.file);
        EXPECT_NE(text.find(std::string("void Frames::") + row.function + "()"), std::string::npos)
            << "event " << row.event << ": " << row.function << " is not in " << row.file;
    }
    // Loop bodies no event row names: built ones are in the file they name.
    for (const auto& loop : read_table((events_dir / "fast_loops.tsv").string())) {
        ASSERT_EQ(loop.size(), 6u);
        if (loop[5] != "1")
            continue;
        const std::string function = "loop_" + loop[0] + "_" + loop[1];
        EXPECT_NE(read_file(events_dir / loop[4]).find("void Frames::" + function + "()"), std::string::npos)
            << function << " is not in " << loop[4];
    }
}

TEST(EventIndex, every_random_draw_names_an_event_of_its_own_file)
{
    const std::regex draw(R"((randrange_event|pick_random_instance|pick_random_member)\((\d+),)");
    int draws = 0;
    for (const auto& entry : fs::recursive_directory_iterator(events_dir)) {
        if (entry.path().extension() != ".cpp")
            continue;
        const std::string file = fs::relative(entry.path(), events_dir).generic_string();
        const std::string text = read_file(entry.path());
        for (std::sregex_iterator it(text.begin(), text.end(), draw), end; it != end; ++it) {
            ++draws;
            const int event = std::stoi((*it)[2]);
            const EventIndexRow* row = find_event(event);
            ASSERT_NE(row, nullptr) << file << " draws for event " << event << ", which the index lacks";
            EXPECT_EQ(row->file, file) << "event " << event << " draws in " << file;
        }
    }
    RecordProperty("draws", draws);
}

TEST(EventIndex, seed_groups_are_the_events_states)
{
    ASSERT_EQ(seed_group_count, 31);
    EXPECT_STREQ(seed_group_name(0), "events_1");
    EXPECT_STREQ(seed_group_name(30), "events_31");
    std::set<int> used;
    for (int i = 0; i < event_index_size; ++i)
        used.insert(event_index[i].seed_group);
    EXPECT_EQ(int(used.size()), seed_group_count);
    // Voice loops, the intro, the shared block and frame 9 each have their own.
    EXPECT_EQ(&event_random_state(1), &seed_group_state(0));
    EXPECT_EQ(&event_random_state(143 - 45), &seed_group_state(1));
    EXPECT_EQ(&event_random_state(2660), &seed_group_state(30));
}

TEST(EventIndex, events_authored_without_a_body_are_built_as_empty_functions)
{
    std::vector<int> bodiless = {87, 287, 737, 738, 739, 740, 741, 1054, 1055, 1069, 1080};
    for (int event = 245; event <= 252; ++event)
        bodiless.push_back(event);
    for (int event : bodiless) {
        const EventIndexRow* row = find_event(event);
        ASSERT_NE(row, nullptr) << event;
        EXPECT_TRUE(row->built) << "event " << event << " is listed as work still to do";
        const std::string empty = std::string("void Frames::") + row->function + "() {}";
        EXPECT_NE(read_file(events_dir / row->file).find(empty), std::string::npos) << empty << " in " << row->file;
    }
}
