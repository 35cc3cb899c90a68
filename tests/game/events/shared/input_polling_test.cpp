// The control bindings polled into slot levels: the shipped bindings carry a
// gamepad press to its slot, the gamepad array is polled only when a joystick
// is set and attached, every row kind gives its level (wide gains saturate
// instead of wrapping), and the dead zone is imported from the gamepad array.
#include "console/pads.h"
#include "game/events/shared/binding_arrays.h"
#include "game/frames/frames.h"
#include "objects/arrayext.h"
#include "runtime/manager.h"
#include "tests/support/event_kit.h"

#include <climits>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

ArrayObject* array_of(EventKit& kit, int type_id)
{
    return static_cast<ArrayObject*>(kit.instance(type_id));
}

// A frame that runs the polling events 144 ... 149 every tick, on a frame
// index the platform treats as a menu unless told otherwise. Its first tick
// places the objects every frame places and does what the set-ups and the
// start events do for these events: groups off, counters and the once flag
// reset, then `bindings` fills the arrays and the joystick number is set.
// Polling is switched on after the first tick's events, as the shared block
// does.
struct PollingFrame {
    EventKit kit;
    std::function<void(EventKit&)> bindings;
    std::function<void(Frames&)> before_events;
    double joystick = 1;
    int frame_index = 1;

    void enter()
    {
        Frames& f = kit.frames();
        f.once_144 = false;
        f.run_once_145 = f.run_once_146 = f.run_once_147 = 0;
        f.global_group_11 = f.keyboard_bindings_group = f.gamepad_bindings_group = false;
        kit.enter_empty_frame({.index = frame_index, .handler = [this](Frames& frames) {
            if (frames.loop_count == 0)
                set_up();
            if (before_events)
                before_events(frames);
            frames.event_func_144();
            frames.event_func_145();
            frames.event_func_146();
            frames.event_func_147();
            frames.event_func_148();
            frames.event_func_149();
            frames.global_group_11 = true;
        }});
    }

    void set_up()
    {
        kit.place("GlobalInputData_24", 0, 0);
        kit.place("InputsP1_23", 0, 0);
        kit.place("MapData_27", 0, 0);
        kit.place("MapData2_29", 0, 0);
        // The arrays keep their cells for the run: start each test empty.
        array_of(kit, types::MapData_27)->initialize(true, 0, 12, 6, 2);
        array_of(kit, types::MapData2_29)->initialize(true, 0, 12, 6, 2);
        if (bindings)
            bindings(kit);
        EventKit::set_value(kit.instance(types::GlobalInputData_24), 'A', joystick);
    }

    // InputsP1_23 A ... H.
    std::vector<double> levels()
    {
        std::vector<double> found;
        for (char letter = 'A'; letter <= 'H'; ++letter)
            found.push_back(EventKit::value(kit.instance(types::InputsP1_23), letter));
        return found;
    }
    double level(int slot) { return levels()[size_t(slot - 1)]; }

    int gamepad_state(int slot) { return array_of(kit, types::MapData2_29)->get_value(slot, 2, 0); }
};

// The content's files, loaded as the global start events load them.
void load_shipped_bindings(EventKit& kit)
{
    array_of(kit, types::MapData_27)->load("./control_keyboard.cfg");
    array_of(kit, types::MapData2_29)->load("./control_gamepad.cfg");
}

// One gamepad row on slot 1.
std::function<void(EventKit&)> gamepad_row(int source, int code)
{
    return [=](EventKit& kit) {
        ArrayObject* pad = array_of(kit, types::MapData2_29);
        pad->set_value(source, 1, 0, 0);
        pad->set_value(code, 1, 1, 0);
    };
}

const std::vector<double> nothing(8, 0.0);

}  // namespace

// The shipped bindings ----------------------------------------------------------

TEST(InputPollingShipped, gamepad_buttons_d_pad_sectors_and_keys_reach_their_slots_from_the_second_tick)
{
    PollingFrame frame;
    frame.bindings = load_shipped_bindings;
    bool z_key = false;
    frame.before_events = [&](Frames&) {
        if (z_key)
            manager.keyboard.add('z');  // the shipped keyboard file binds z to slot 5
        else
            manager.keyboard.remove('z');
    };
    frame.kit.hold(VPAD_BUTTON_A);
    frame.kit.take_console();
    frame.enter();
    // Both files load without a complaint; both arrays are polled and one
    // joystick object is placed.
    for (const std::string& line : frame.kit.take_console())
        EXPECT_TRUE(line.find("array") == std::string::npos && line.find("ARRAY") == std::string::npos &&
                    line.find("Invalid") == std::string::npos)
            << line;
    EXPECT_TRUE(frame.kit.frames().keyboard_bindings_group);
    EXPECT_TRUE(frame.kit.frames().gamepad_bindings_group);
    // The first tick polls nothing, though A is held; A confirms through slot 5.
    EXPECT_EQ(frame.levels(), nothing);
    const std::vector<std::pair<uint32_t, std::vector<double>>> ticks = {
        {VPAD_BUTTON_A, {0, 0, 0, 0, 1000, 0, 0, 0}},
        {0, nothing},
        {VPAD_BUTTON_B | VPAD_BUTTON_PLUS, {0, 0, 0, 0, 0, 1000, 0, 1000}},
        {VPAD_BUTTON_UP | VPAD_BUTTON_RIGHT, {1000, 0, 0, 1000, 0, 0, 0, 0}},
        {VPAD_BUTTON_DOWN | VPAD_BUTTON_LEFT, {0, 1000, 1000, 0, 0, 0, 0, 0}},
        // Up with down folds to down on this console: one sector, not two.
        {VPAD_BUTTON_UP | VPAD_BUTTON_DOWN, {0, 1000, 0, 0, 0, 0, 0, 0}},
        {0, nothing},
    };
    for (const auto& [buttons, levels] : ticks) {
        frame.kit.hold(buttons);
        frame.kit.run(1);
        EXPECT_EQ(frame.levels(), levels) << buttons;
    }
    ASSERT_EQ(frame.kit.instances(types::Joystick2_26).size(), 1u);
    EXPECT_EQ(frame.kit.instance(types::Joystick2_26)->get_x(), -168);
    EXPECT_EQ(frame.kit.instance(types::Joystick2_26)->get_y(), -112);

    // A key and a button on one slot merge to the larger level.
    z_key = true;
    frame.kit.run(1);
    EXPECT_EQ(frame.level(5), 1000);
    EXPECT_EQ(array_of(frame.kit, types::MapData_27)->get_value(5, 2, 0), 1000);
    EXPECT_EQ(frame.gamepad_state(5), 0);
    frame.kit.hold(VPAD_BUTTON_A);
    frame.kit.run(1);
    EXPECT_EQ(frame.level(5), 1000);
    EXPECT_EQ(frame.gamepad_state(5), 1000);
    z_key = false;
    frame.kit.release();
    frame.kit.run(2);
    EXPECT_EQ(frame.level(5), 0);
}

// Which arrays are polled -----------------------------------------------------

TEST(InputPollingChoice, without_a_joystick_the_gamepad_levels_are_cleared_once_and_not_polled)
{
    for (const double joystick : {0.0, 2.0}) {  // none, or one that is not attached
        PollingFrame frame;
        frame.joystick = joystick;
        frame.bindings = [](EventKit& kit) {
            load_shipped_bindings(kit);
            ArrayObject* pad = array_of(kit, types::MapData2_29);
            for (int slot = 1; slot <= 8; ++slot)
                pad->set_value(777, slot, 2, 0);
            // A row that is full on whatever the joystick: only the group keeps it off.
            pad->set_value(5, 8, 0, 0);
            pad->set_value(-1, 8, 1, 0);
        };
        frame.kit.hold(VPAD_BUTTON_A);
        frame.enter();
        for (int slot = 1; slot <= 8; ++slot)
            EXPECT_EQ(frame.gamepad_state(slot), 0) << joystick << " slot " << slot;
        EXPECT_TRUE(frame.kit.frames().keyboard_bindings_group);
        EXPECT_FALSE(frame.kit.frames().gamepad_bindings_group);
        frame.kit.run(2);
        EXPECT_EQ(frame.levels(), nothing) << joystick;
        // Event 144 places the joystick object for any number above 0, attached or not.
        EXPECT_EQ(frame.kit.instances(types::Joystick2_26).size(), joystick > 0 ? 1u : 0u);
    }
}

TEST(InputPollingChoice, losing_the_joystick_mid_frame_stops_the_gamepad_rows)
{
    PollingFrame frame;
    frame.bindings = load_shipped_bindings;
    frame.enter();
    frame.kit.hold(VPAD_BUTTON_A);
    frame.kit.run(1);
    EXPECT_EQ(frame.level(5), 1000);
    EventKit::set_value(frame.kit.instance(types::GlobalInputData_24), 'A', 0);
    frame.kit.run(1);
    EXPECT_FALSE(frame.kit.frames().gamepad_bindings_group);
    EXPECT_EQ(frame.level(5), 0);
    // The keyboard array is still polled.
    manager.keyboard.add('x');
    frame.kit.run(1);
    EXPECT_EQ(frame.levels(), doubles(0, 0, 0, 0, 0, 1000, 0, 0));
    manager.keyboard.remove('x');
    // Back to joystick 1: event 147 fires again, having been false meanwhile.
    EventKit::set_value(frame.kit.instance(types::GlobalInputData_24), 'A', 1);
    frame.kit.run(1);
    EXPECT_TRUE(frame.kit.frames().gamepad_bindings_group);
    EXPECT_EQ(frame.level(5), 1000);
}

// Row kinds ----------------------------------------------------------------------

TEST(InputPollingRows, stick_rows_give_the_push_times_the_gain_and_nothing_below_0)
{
    struct Case {
        int source, code;
        float x, y;
        bool right_trigger;
        double level;
    };
    const Case cases[] = {
        {2, 1, 1.0f, 0.0f, false, 1000},   // right
        {2, 2, 1.0f, 0.0f, false, 2000},   // a gain of 2 is not capped
        {2, 1, -1.0f, 0.0f, false, 0},     // left reads nothing on a right row
        {2, -1, -1.0f, 0.0f, false, 1000}, // ... and full on a left row
        {2, 1, 0.5f, 0.0f, false, 500},
        {3, 1, 0.0f, -1.0f, false, 1000},  // y grows downward
        {3, -1, 0.0f, 1.0f, false, 1000},
        {4, -1, 0.0f, 0.0f, true, 1000},   // the right trigger
        {4, -1, 0.0f, 0.0f, false, 0},
        {5, -1, 0.0f, 0.0f, false, 1000},  // fixed axis: full on every tick
        {8, -1, 0.0f, 0.0f, false, 1000},
        {6, 1, 0.0f, 0.0f, false, 0},
        {6, -2, 0.0f, 0.0f, false, 2000},
        {9, -1, 1.0f, 0.0f, false, 0},     // an unknown source
    };
    for (const Case& c : cases) {
        PollingFrame frame;
        frame.bindings = gamepad_row(c.source, c.code);
        frame.enter();
        frame.kit.stick(c.x, c.y);
        frame.kit.hold(c.right_trigger ? uint32_t(VPAD_BUTTON_ZR) : 0u);
        frame.kit.run(2);
        EXPECT_EQ(frame.level(1), c.level) << "source " << c.source << " code " << c.code;
        EXPECT_EQ(frame.gamepad_state(1), int(c.level));
    }
}

TEST(InputPollingRows, gains_past_the_cells_range_saturate_instead_of_wrapping)
{
    struct Case {
        int source, code;
        float x;
        double level;
    };
    const Case cases[] = {
        {2, 3000000, 1.0f, INT_MAX},    // 3e9 would wrap to a negative level
        {2, -3000000, -1.0f, INT_MAX},
        {2, INT_MIN, -1.0f, INT_MAX},
        {2, INT_MAX, 1.0f, INT_MAX},
        {2, INT_MAX, -1.0f, 0},         // -2.1e12 stays a push the other way
        {2, 2147483, 1.0f, 2147483000}, // the largest gain still exact
        {5, INT_MIN, 0.0f, INT_MAX},
    };
    for (const Case& c : cases) {
        PollingFrame frame;
        frame.bindings = gamepad_row(c.source, c.code);
        frame.enter();
        frame.kit.stick(c.x, 0.0f);
        frame.kit.run(2);
        EXPECT_EQ(frame.level(1), c.level) << "source " << c.source << " code " << c.code;
    }
}

TEST(InputPollingRows, pointer_rows_are_held_to_0_through_1000)
{
    int pointer_x = 0, pointer_y = 0;
    PollingFrame frame;
    frame.bindings = [](EventKit& kit) {
        ArrayObject* keys = array_of(kit, types::MapData_27);
        keys->set_value(2, 1, 0, 0);  // slot 1: pointer x, gain 2
        keys->set_value(2, 1, 1, 0);
        keys->set_value(3, 2, 0, 0);  // slot 2: pointer y, gain -1
        keys->set_value(-1, 2, 1, 0);
    };
    frame.before_events = [&](Frames&) {
        manager.mouse_x = pointer_x;
        manager.mouse_y = pointer_y;
    };
    frame.enter();
    const struct {
        int x, y;
        double slot_1, slot_2;
    } cases[] = {
        {200, 112, 1000, 0},  // 40 px right of 160 at gain 2: exactly full
        {180, 100, 500, 214}, // 12 px above 112: 12 * 17.86 = 214.32
        {400, 0, 1000, 1000}, // far past: held at full
        {100, 200, 0, 0},     // the other side reads nothing
    };
    for (const auto& c : cases) {
        pointer_x = c.x;
        pointer_y = c.y;
        frame.kit.run(1);
        EXPECT_EQ(frame.level(1), c.slot_1) << c.x;
        EXPECT_EQ(frame.level(2), c.slot_2) << c.y;
    }
}

// Dead-zone import ------------------------------------------------------------------

TEST(DeadZoneImport, every_dead_zone_takes_the_arrays_percentage_at_least_1_percent)
{
    const struct {
        int percent;
        double fraction;
    } cases[] = {{25, 0.25}, {0, 0.01}, {-40, 0.01}, {1, 0.01}, {100, 1.0}};
    for (const auto& c : cases) {
        PollingFrame frame;
        frame.bindings = [&](EventKit& kit) { array_of(kit, types::MapData2_29)->set_value(c.percent, 0, 2, 0); };
        frame.enter();
        Frames& f = frame.kit.frames();
        for (int twice = 0; twice < 2; ++twice) {
            f.run_loop(f.fast_loop_import_deadzones, 1, &Frames::loop_import_deadzones_0);
            for (char letter = 'E'; letter <= 'L'; ++letter)
                EXPECT_EQ(EventKit::value(frame.kit.instance(types::GlobalInputData_24), letter), c.fraction)
                    << c.percent << " " << letter;
        }
        // The other values are left alone.
        EXPECT_EQ(EventKit::value(frame.kit.instance(types::GlobalInputData_24), 'A'), 1);
    }
}
