// The frames' image preload lists against the counts, ranges and lists the
// game gives, against the class table, and their loading.
#include "game/frames/preload.h"
#include "graphics/image.h"
#include "tests/support/drawing.h"
#include "tests/support/tables.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<int> handles_of(int frame_index)
{
    const PreloadList& list = frame_preload_list(frame_index);
    return std::vector<int>(list.handles, list.handles + list.count);
}

// "4 6 9-20" as numbers.
void add_handles(const std::string& cell, std::set<int>& out)
{
    std::istringstream words(cell);
    std::string word;
    while (words >> word) {
        const size_t dash = word.find('-');
        const int first = std::stoi(word.substr(0, dash));
        const int last = dash == std::string::npos ? first : std::stoi(word.substr(dash + 1));
        for (int h = first; h <= last; ++h)
            out.insert(h);
    }
}

// Every handle each class of the class table fetches, by "Name_N".
std::map<std::string, std::set<int>> class_handles()
{
    std::map<std::string, std::set<int>> out;
    for (const auto& row : read_table(QUORVELLA_ANIMATION_TABLE))
        if (row.size() > 8)
            add_handles(row[8], out[row[0]]);
    for (const auto& row : read_table(QUORVELLA_CLASS_TABLE)) {
        std::set<int>& handles = out[row[1] + "_" + row[0]];
        std::istringstream settings(row.size() > 6 ? row[6] : "");
        std::string setting;
        while (std::getline(settings, setting, ';'))
            for (const char* key : {"image=", "handles="})
                if (setting.rfind(key, 0) == 0)
                    add_handles(setting.substr(std::string(key).size()), handles);
    }
    return out;
}

}  // namespace

TEST(PreloadLists, match_the_counts_ranges_and_lists_the_game_gives)
{
    struct Given {
        int count, lowest, highest;
        bool flush;
    };
    const Given given[9] = {{152, 118, 6408, true}, {46, 118, 6531, true},  {6, 157, 1262, false},
                            {101, 80, 5649, false}, {6016, 0, 6533, true},  {5998, 0, 6533, true},
                            {1163, 7, 6274, true},  {3717, 2, 6533, false}, {1192, 0, 6274, true}};
    ASSERT_EQ(frame_preload_list_count, 9);
    for (int i = 0; i < 9; ++i) {
        const std::vector<int> handles = handles_of(i);
        EXPECT_EQ(frame_preload_list(i).flush, given[i].flush) << "frame " << i + 1;
        // Lists not written down yet are empty; every written one is whole.
        if (handles.empty())
            continue;
        EXPECT_EQ(int(handles.size()), given[i].count) << "frame " << i + 1;
        EXPECT_EQ(*std::min_element(handles.begin(), handles.end()), given[i].lowest) << i + 1;
        EXPECT_EQ(*std::max_element(handles.begin(), handles.end()), given[i].highest) << i + 1;
        EXPECT_EQ(std::set<int>(handles.begin(), handles.end()).size(), handles.size()) << i + 1;
        EXPECT_EQ(std::count(handles.begin(), handles.end(), 2371), 0) << i + 1;
    }
    EXPECT_EQ(handles_of(2), (std::vector<int>{157, 194, 594, 1259, 1260, 1262}));
    std::vector<int> title{118,  157,  194,  262,  1259, 1260, 1262, 1265, 1542, 1543, 1544, 1545,
                           1592, 1618, 1655, 1690, 1739, 1740, 1741, 1742, 1744, 1745, 1747, 1748,
                           1750, 1752, 1753, 1754, 1755, 1756, 1757, 1758, 1759, 2208, 3731};
    for (int h = 5971; h <= 5980; ++h)
        title.push_back(h);
    title.push_back(6531);
    EXPECT_EQ(handles_of(1), title);
    EXPECT_TRUE(handles_of(-1).empty());
    EXPECT_TRUE(handles_of(9).empty());
}

TEST(PreloadLists, name_the_images_the_class_table_gives_their_classes)
{
    const auto classes = class_handles();
    // Frame 3: the one image of each of its six support objects.
    const std::pair<const char*, int> black_load[] = {
        {"PlayerInput_21", 157},  {"MasterInput_22", 194},     {"ControllerMusic_49", 594},
        {"InputsP1_23", 1259},    {"GlobalInputData_24", 1260}, {"SeparatorMasterObjects2_20", 1262}};
    for (const auto& [name, handle] : black_load) {
        ASSERT_EQ(classes.count(name), 1u) << name;
        EXPECT_EQ(classes.at(name), std::set<int>{handle}) << name;
    }
    // Frame 2: every image it lists is one that some class fetches.
    std::set<int> held;
    for (const auto& [name, handles] : classes)
        held.insert(handles.begin(), handles.end());
    for (const int handle : handles_of(1))
        EXPECT_EQ(held.count(handle), 1u) << "no class fetches image " << handle;
}

using PreloadLoading = DrawingTest;

TEST_F(PreloadLoading, a_frame_change_keeps_its_list_and_static_images_and_frees_the_rest)
{
    constexpr Rgba grey{128, 128, 128, 255};
    std::vector<std::pair<int, ImageItemSource>> images{{0, solid_image(1, 1, grey)},
                                                        {9, solid_image(2, 2, grey)},
                                                        {10, solid_image(2, 2, grey)}};
    std::set<int> listed;
    for (const int frame : {1, 2})
        for (const int handle : handles_of(frame))
            listed.insert(handle);
    for (const int handle : listed)
        images.push_back({handle, solid_image(2, 2, grey)});
    write_assets(images, {10});  // start-up preloads 10 (and 0, the rest of the list)
    preload_images();
    Image* earlier = get_internal_image(9);  // the previous frame's image
    earlier->upload_texture();
    Image* preloaded = get_internal_image(10);

    set_up_frame_images(1);  // frame 2: reset, list, flush
    EXPECT_FALSE(earlier->is_valid());
    EXPECT_TRUE(preloaded->is_valid());
    for (const int handle : handles_of(1)) {
        Image* image = get_internal_image(handle);
        EXPECT_NE(image->texture, 0u) << handle;
        EXPECT_EQ(image->pixels, nullptr) << handle;
    }

    // Frame 3 flushes nothing: frame 2's images stay beside its own.
    earlier->load();
    earlier->upload_texture();
    set_up_frame_images(2);
    EXPECT_TRUE(earlier->is_valid());
    EXPECT_NE(get_internal_image(594)->texture, 0u);
    for (const int handle : handles_of(1))
        EXPECT_TRUE(get_internal_image(handle)->is_valid()) << handle;

    // A frame whose list is not written down yet frees nothing either;
    // an index outside the frames does nothing.
    if (handles_of(0).empty()) {
        set_up_frame_images(0);
        EXPECT_TRUE(earlier->is_valid());
    }
    const unsigned int texture = earlier->texture;
    set_up_frame_images(9);
    set_up_frame_images(-1);
    EXPECT_EQ(earlier->texture, texture);
}
