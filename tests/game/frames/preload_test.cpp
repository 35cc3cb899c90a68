// The frames' image preload lists against the lists and marks the game gives,
// against the classes each frame uses and the class table, and their loading.
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

// The frame-class table: per frame (index 0-8), class and how it is there.
std::vector<std::map<std::string, std::string>> frame_classes()
{
    std::string path = QUORVELLA_CLASS_TABLE;
    path.replace(path.rfind("objects/classes.tsv"), std::string::npos, "frames/frame_classes.tsv");
    std::vector<std::map<std::string, std::string>> out(9);
    for (const auto& row : read_table(path))
        out.at(std::stoi(row.at(0)) - 1)[row.at(1)] = row.at(2);
    return out;
}

// The classes an act's level content places: its fixed rows and its counts.
std::set<std::string> layout_classes(int act)
{
    std::set<std::string> out;
    const std::string prefix = "act" + std::to_string(act);
    for (const auto& row : read_table(std::string(QUORVELLA_LAYOUT_DIR) + "/" + prefix + "_fixed.tsv"))
        out.insert(row.at(1));
    for (const auto& row : read_table(std::string(QUORVELLA_LAYOUT_DIR) + "/" + prefix + "_counts.tsv"))
        out.insert(row.at(0));
    return out;
}

std::set<std::string> classes_of(const std::map<std::string, std::string>& frame, const char* how)
{
    std::set<std::string> out;
    for (const auto& [name, way] : frame)
        if (way == how)
            out.insert(name);
    return out;
}

}  // namespace

TEST(PreloadLists, hold_the_flush_marks_and_distinct_handles)
{
    const bool flush[9] = {true, true, false, false, true, true, true, false, true};
    ASSERT_EQ(frame_preload_list_count, 9);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(frame_preload_list(i).flush, flush[i]) << "frame " << i + 1;
        const std::vector<int> handles = handles_of(i);
        EXPECT_FALSE(handles.empty()) << "frame " << i + 1;
        EXPECT_EQ(std::set<int>(handles.begin(), handles.end()).size(), handles.size()) << i + 1;
    }
    for (const int i : {4, 5, 7}) {
        const std::vector<int> handles = handles_of(i);
        EXPECT_TRUE(std::is_sorted(handles.begin(), handles.end())) << "frame " << i + 1;
    }
    EXPECT_EQ(handles_of(2), (std::vector<int>{157, 194, 594, 1259, 1260, 1262}));
    EXPECT_TRUE(handles_of(-1).empty());
    EXPECT_TRUE(handles_of(9).empty());
}

TEST(PreloadLists, are_the_images_of_the_classes_each_frame_places_creates_or_adds)
{
    const auto classes = class_handles();
    const auto frames = frame_classes();
    for (int i = 0; i < 9; ++i) {
        std::set<int> expected;
        for (const auto& [name, how] : frames[i]) {
            ASSERT_EQ(classes.count(name), 1u) << name;
            expected.insert(classes.at(name).begin(), classes.at(name).end());
        }
        expected.erase(2371);  // every blitter loads the sheet itself
        const std::vector<int> handles = handles_of(i);
        EXPECT_EQ(std::set<int>(handles.begin(), handles.end()), expected) << "frame " << i + 1;
    }
}

TEST(PreloadLists, name_the_classes_the_frames_use)
{
    const auto frames = frame_classes();
    // The shared input events create the second joystick object everywhere;
    // every frame places the input objects.
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(frames[i].count("Joystick2_26") ? frames[i].at("Joystick2_26") : "", "created") << i + 1;
        for (const char* name : {"PlayerInput_21", "MasterInput_22", "InputsP1_23", "GlobalInputData_24"})
            EXPECT_EQ(frames[i].count(name) ? frames[i].at(name) : "", "placed") << name << " " << i + 1;
    }
    // The acts place exactly the classes of their level content.
    EXPECT_EQ(classes_of(frames[4], "placed"), layout_classes(1));
    EXPECT_EQ(classes_of(frames[5], "placed"), layout_classes(2));
    // Act 1's events create 25 types it does not place, act 2's the same and two more.
    const std::set<std::string> act1 = classes_of(frames[4], "created");
    const std::set<std::string> act2 = classes_of(frames[5], "created");
    EXPECT_EQ(act1.size(), 25u);
    EXPECT_EQ(act2.size(), 27u);
    EXPECT_TRUE(std::includes(act2.begin(), act2.end(), act1.begin(), act1.end()));
    EXPECT_EQ(act2.count("BossFireball_384") + act2.count("EnemySporeProjectile_403"), 2u);
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

    // An index outside the frames does nothing.
    const unsigned int texture = earlier->texture;
    set_up_frame_images(9);
    set_up_frame_images(-1);
    EXPECT_EQ(earlier->texture, texture);
}
