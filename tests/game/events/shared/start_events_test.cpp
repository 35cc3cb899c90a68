// The global start events that end every frame's start: the music volume,
// the control-binding files and the default keys; and the boot frame's
// window size from the records.
#include "audio/media.h"
#include "objects/active.h"
#include "objects/arrayext.h"
#include "runtime/manager.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

namespace {

const std::vector<int> default_keys = {0x40000052, 0x40000051, 0x40000050, 0x4000004F,
                                       'z',        'x',        'c',        13};

ArrayObject* array(EventKit& kit, int type)
{
    return static_cast<ArrayObject*>(kit.instance(type));
}

std::vector<int> codes(ArrayObject* bindings)
{
    std::vector<int> found;
    for (int slot = 1; slot <= 8; ++slot)
        found.push_back(bindings->get_value(slot, 1, 0));
    return found;
}

// A frame as every frame's set-up leaves it for the start events: the two
// binding arrays and the global input values.
void place_binding_objects(EventKit& kit)
{
    kit.enter_empty_frame({});
    kit.place("MapData_27", 0, 0);
    kit.place("MapData2_29", 0, 0);
    kit.place("GlobalInputData_24", 0, 0);
}

std::string bindings_file(const std::vector<std::pair<int, int>>& codes_by_slot, int source)
{
    ArrayObject bindings(0, 0, types::MapData_27);
    bindings.initialize(true, 0, 12, 6, 2);
    for (const auto& [slot, code] : codes_by_slot) {
        bindings.set_value(source, slot, 0, 0);
        bindings.set_value(code, slot, 1, 0);
    }
    return encode_array_file(bindings.data);
}

// The lines of a binding file that is not there: the file's, then the array's.
std::vector<std::string> missing(const std::string& name)
{
    return {"Could not open file: /vol/content/Quorvella - Rored Azezara/" + name,
            "Could not load data.array ./" + name};
}

}  // namespace

TEST(GlobalStartEvents, a_missing_keyboard_file_is_reported_and_the_default_keys_written_once)
{
    EventKit kit({.content_changes = {{"control_keyboard.cfg", std::nullopt}}});
    place_binding_objects(kit);
    kit.take_console();

    kit.frames().run_global_start_events();
    EXPECT_EQ(kit.take_console(), missing("control_keyboard.cfg"));
    ArrayObject* keyboard = array(kit, types::MapData_27);
    EXPECT_EQ(codes(keyboard), default_keys);
    EXPECT_EQ(keyboard->get_value(1, 0, 0), 0);  // only the code column is written
    EXPECT_EQ(keyboard->get_value(9, 1, 0), 0);
    // The gamepad file is there: it is read, and the joystick number is the gamepad's.
    EXPECT_EQ(array(kit, types::MapData2_29)->get_value(1, 1, 0), 90);
    EXPECT_EQ(EventKit::value(kit.instance(types::GlobalInputData_24), 'A'), 1);
    // The stand-in gamepad file's dead zone, 25 percent, reaches every stick value.
    for (const char letter : {'E', 'F', 'K', 'L'})
        EXPECT_EQ(EventKit::value(kit.instance(types::GlobalInputData_24), letter), 0.25);

    // Bindings last the run: a later frame start neither reads the files
    // again nor puts back a key the player changed.
    keyboard->set_value('q', 5, 1, 0);
    place_binding_objects(kit);
    kit.frames().run_global_start_events();
    EXPECT_TRUE(kit.take_console().empty());
    EXPECT_EQ(array(kit, types::MapData_27)->get_value(5, 1, 0), 'q');
    EXPECT_EQ(array(kit, types::MapData_27)->get_value(1, 1, 0), 0x40000052);
}

TEST(GlobalStartEvents, a_keyboard_file_without_slot_1_gets_every_default_code_and_keeps_sources)
{
    const std::string file = bindings_file({{5, 'q'}, {8, 'p'}}, 3);
    EventKit kit({.content_changes = {{"control_keyboard.cfg", file}}});
    place_binding_objects(kit);
    kit.take_console();
    kit.frames().run_global_start_events();
    EXPECT_TRUE(kit.take_console().empty());
    ArrayObject* keyboard = array(kit, types::MapData_27);
    EXPECT_EQ(codes(keyboard), default_keys);
    EXPECT_EQ(keyboard->get_value(5, 0, 0), 3);
    EXPECT_EQ(keyboard->get_value(8, 0, 0), 3);
}

TEST(GlobalStartEvents, the_files_are_read_on_the_first_start_and_a_missing_one_at_every_start)
{
    EventKit kit({.content_changes = {{"control_gamepad.cfg", std::nullopt}}});
    place_binding_objects(kit);
    kit.take_console();
    kit.frames().run_global_start_events();
    // The stand-in keyboard file binds the default keys itself.
    EXPECT_EQ(codes(array(kit, types::MapData_27)), default_keys);
    EXPECT_EQ(kit.take_console(), missing("control_gamepad.cfg"));
    EXPECT_EQ(array(kit, types::MapData2_29)->get_value(1, 1, 0), 0);
    EXPECT_EQ(EventKit::value(kit.instance(types::GlobalInputData_24), 'A'), 1);
    // No gamepad file: the dead zone reads 0, and the import keeps the least, 1 percent.
    for (const char letter : {'E', 'F', 'K', 'L'})
        EXPECT_EQ(EventKit::value(kit.instance(types::GlobalInputData_24), letter), 0.01);

    place_binding_objects(kit);
    kit.frames().run_global_start_events();
    EXPECT_EQ(kit.take_console(), missing("control_gamepad.cfg"));
}

TEST(GlobalStartEvents, every_frame_start_sets_the_music_volume_clamped_to_0_to_100_and_reads_arrays_it_has)
{
    EventKit kit;
    const std::pair<double, double> volumes[] = {{40, 40}, {0, 0}, {140, 100}, {-5, 0}};
    for (const auto& [volume, applied] : volumes) {
        kit.set_global(25, volume);
        kit.enter_frame(3);  // Update Records: nothing but the global start events
        EXPECT_EQ(media.get_channel_volume(31), applied) << volume;
    }
    // The start value gives full volume.
    kit.set_global(25, 100);
    kit.enter_frame(1);
    EXPECT_EQ(media.get_channel_volume(31), 100);

    // A frame without binding arrays reads no file and reports nothing.
    kit.enter_empty_frame({});
    kit.take_console();
    kit.frames().run_global_start_events();
    EXPECT_TRUE(kit.take_console().empty());
}

// The boot frame's window size, from the records' window option (cell 1, 34).
namespace {

struct WindowChoice {
    int option;
    std::vector<std::string> lines;
    double mode;
    bool full_screen;
};

}  // namespace

TEST(BootWindowSize, the_records_option_chooses_the_window_once_a_run)
{
    const auto scale = [](int k) {
        return std::vector<std::string>{"Set window width: " + std::to_string(426 * k),
                                        "Set window height: " + std::to_string(240 * k), "Set window placement: 4"};
    };
    const std::vector<std::string> scale_1 = scale(1), scale_2 = scale(2), scale_3 = scale(3);
    const WindowChoice choices[] = {{-5, scale_2, 2, false}, {0, scale_2, 2, false},
                                    {1, scale_1, 1, false},  {2, scale_2, 2, false},
                                    {3, scale_3, 3, false},  {4, {}, 4, true},
                                    {9, {}, 4, true}};
    EventKit kit;
    for (const WindowChoice& choice : choices) {
        kit.enter_empty_frame({});
        Frames& frames = kit.frames();
        auto* records = static_cast<ArrayObject*>(kit.place("RecordData_33", 0, 0));
        records->set_value(choice.option, 1, 34, -1);
        frames.intro_group = true;
        kit.set_global(24, 0);
        manager.set_window(false);
        kit.take_console();
        const auto boot_window_events = [&] {
            frames.event_func_229();
            frames.event_func_230();
            frames.event_func_231();
            frames.event_func_232();
            frames.event_func_233();
        };
        boot_window_events();
        EXPECT_EQ(kit.take_console(), choice.lines) << "option " << choice.option;
        EXPECT_EQ(kit.global(24), choice.mode) << "option " << choice.option;
        EXPECT_EQ(manager.fullscreen, choice.full_screen) << "option " << choice.option;

        // Chosen once: another start of the frame leaves the window alone.
        boot_window_events();
        EXPECT_TRUE(kit.take_console().empty());
    }
}

TEST(BootWindowSize, without_records_the_window_is_twice_the_base_size)
{
    EventKit kit;
    kit.enter_empty_frame({});
    kit.frames().intro_group = true;
    kit.set_global(24, 0);
    kit.take_console();
    kit.frames().event_func_229();
    EXPECT_EQ(kit.global(24), 2);
    EXPECT_EQ(kit.take_console().at(0), "Set window width: 852");
    // Outside the intro group nothing is chosen.
    kit.set_global(24, 0);
    kit.frames().intro_group = false;
    kit.frames().event_func_229();
    EXPECT_EQ(kit.global(24), 0);
}

// The boot frame's scene: the star field, the caption and the intro layout.
TEST(BootScene, the_stars_are_numbered_newest_first_and_two_of_them_change_places)
{
    EventKit kit;
    kit.enter_empty_frame({});
    std::vector<FrameObject*> stars;
    for (int k = 0; k < 45; ++k)
        stars.push_back(kit.place("BgStar_16", 5 * k, 2 * k));
    FrameObject* caption = kit.place("LocationName_18", 0, 0);
    kit.frames().intro_group = true;
    kit.take_console();
    kit.frames().event_func_228();

    for (int k = 0; k < 45; ++k) {
        const int number = 44 - k;  // the newest star is 0
        EXPECT_EQ(EventKit::value(stars[size_t(k)], 'C'), number);
        EXPECT_EQ(static_cast<Active*>(stars[size_t(k)])->get_frame(), number % 20);
    }
    int moved = 0;
    for (int k = 0; k < 45; ++k)
        moved += stars[size_t(k)]->get_x() != 5 * k;
    EXPECT_EQ(moved, 2);
    EXPECT_EQ(caption->alterables->strings.get(0), "TOLVANI PALACE    \nVIREVI LUNMERE");
    // The font is there; no records array in this frame reads as a complement of 0.
    EXPECT_EQ(kit.take_console(), std::vector<std::string>{});
    EXPECT_EQ(kit.global(25), 100);

    // A lone star has nothing to change places with.
    kit.enter_empty_frame({});
    FrameObject* lone = kit.place("BgStar_16", 40, 50);
    kit.frames().event_func_228();
    EXPECT_EQ(lone->get_x(), 40);
    EXPECT_EQ(lone->get_y(), 50);
}

TEST(BootScene, the_intro_layout_centres_the_view_and_places_the_logo)
{
    EventKit kit;
    kit.enter_empty_frame({.width = 1000, .height = 1000});
    FrameObject* dot = kit.place("ScrollDot_3", 100, 500);
    auto* beam = static_cast<Active*>(kit.place("Beam_6", 0, 0));
    FrameObject* trail = kit.place("SparkleTrail_5", 0, 0);
    FrameObject* fade = kit.place("WhiteFade_7", 0, 0);
    FrameObject* logo = kit.place("PellowenLogo1_0", 10, 20);
    kit.frames().intro_group = true;
    kit.frames().event_func_234();

    EXPECT_EQ(kit.frames().new_display_y, 500 - 120);
    EXPECT_EQ(kit.frames().new_display_x, 0);
    EXPECT_EQ(beam->x_scale, 426.0f);
    EXPECT_EQ(beam->y_scale, 0.6f);
    EXPECT_EQ(EventKit::value(dot, 'Y'), 500);
    EXPECT_EQ(EventKit::value(trail, 'A'), -90);
    EXPECT_EQ(fade->blend_color.a, 0);
    EXPECT_EQ(logo->get_x(), 10 + 213);
}
