// Act 1's start-of-frame events: the start mode's floor, the HUD laid out
// for the view, templates outside the playfield removed, parallax, level
// numbering, crystal mode, bridges, and the dormant palette event.
#include "game/objects/class_lookup.h"
#include "objects/active.h"
#include "objects/arrayext.h"
#include "objects/systembox.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"

#include <climits>
#include <gtest/gtest.h>
#include <vector>

using namespace act1_test;

using Act1StartOfFrame = StartTest;

namespace {

bool going(const FrameObject* object)
{
    return object->flags & (FrameObject::DESTROYING | FrameObject::FADEOUT);
}

// Runs the given events as the start of an act-sized frame.
void start_with(EventKit& kit, std::function<void(Frames&)> place, std::function<void(Frames&)> events)
{
    kit.enter_empty_frame(act_frame(std::move(place), std::move(events)));
}

}  // namespace

TEST_F(Act1StartOfFrame, the_start_mode_is_raised_to_one_before_anything_else)
{
    EventKit kit;
    kit.enter_empty_frame(act_frame({}, {}));
    for (const auto& [mode, raised] : {std::pair{0.0, 1.0}, {-3.0, 1.0}, {0.5, 1.0}, {1.0, 1.0}, {7.0, 7.0}}) {
        kit.set_global(4, mode);
        kit.frames().event_func_2180();
        EXPECT_EQ(kit.global(4), raised) << mode;
    }
}

TEST_F(Act1StartOfFrame, the_hud_is_laid_out_for_the_view_size)
{
    EventKit kit;
    FrameObject *pause = nullptr, *pause_crystal = nullptr, *game_over = nullptr, *timer = nullptr,
                *seconds = nullptr, *intro = nullptr;
    std::vector<FrameObject*> fades;
    const auto place = [&](Frames&) {
        pause = kit.place("GUIPause_109", 300, 10, 6);
        pause_crystal = kit.place("Crystal_321", 5, 10, 6);
        game_over = kit.place("LevelCardGameOver_191", 100, 100, 7);
        timer = kit.place("GUITimer_349", 340, 8, 6);
        seconds = kit.place("GUITimerS_211", 360, 8, 6);
        intro = kit.place("LevelCardIntro2_287", -50, 60, 7);
        fades = {kit.place("LevelCardFade_208", 0, 0, 7), kit.place("LevelCardFade_208", 0, 0, 7)};
    };
    kit.set_global(16, 426);
    kit.set_global(17, 240);
    kit.set_global(19, 2);
    start_with(kit, place, [](Frames& frames) { frames.event_func_2181(); });
    // 300 + 213 - (105 - 2 x 53)
    EXPECT_EQ(pause->get_x(), 514);
    EXPECT_EQ(pause_crystal->get_x(), pause->get_action_x());
    EXPECT_EQ(game_over->get_x(), 313);
    EXPECT_EQ(timer->get_x(), 446);
    EXPECT_EQ(seconds->get_x(), 466);
    EXPECT_EQ(intro->get_x(), 163);
    for (FrameObject* fade : fades) {
        EXPECT_EQ(static_cast<Active*>(fade)->x_scale, 426.0f);
        EXPECT_EQ(static_cast<Active*>(fade)->y_scale, 240.0f);
    }

    // Layout values never stored.
    for (const unsigned index : {16u, 17u, 19u})
        kit.set_global(index, 0);
    start_with(kit, place, [](Frames& frames) { frames.event_func_2181(); });
    EXPECT_EQ(pause->get_x(), 195);
    EXPECT_EQ(timer->get_x(), 20);
    EXPECT_EQ(game_over->get_x(), 100);
    EXPECT_EQ(static_cast<Active*>(fades[0])->x_scale, 0.0f);
    EXPECT_EQ(static_cast<Active*>(fades[1])->y_scale, 0.0f);
}

TEST_F(Act1StartOfFrame, templates_outside_the_playfield_are_removed_and_the_rest_stay)
{
    EventKit kit;
    std::vector<FrameObject*> outside, inside;
    start_with(
        kit,
        [&](Frames& frames) {
            set_group(frames, frames.qualifier_13, {types::MonitorRings_119, types::MonitorCrystals_120});
            for (const char* name : {"RedSpringUp_201", "YellowSpringUpLeft_193", "ObjectExtraLife_289",
                                     "GimmickBridge12Logs_139", "MonitorRings_119", "LevelCardFade2_32"}) {
                outside.push_back(kit.place(name, -600, -600, 5));
                inside.push_back(kit.place(name, 2000, 500, 2));
            }
            outside.push_back(kit.place("MonitorCrystals_120", act_width + 500, 100, 2));
            outside.push_back(kit.place("RedSpringDown_204", 100, act_height + 400, 2));
        },
        [](Frames& frames) {
            for (auto event : {&Frames::event_func_2184, &Frames::event_func_2185, &Frames::event_func_2187,
                               &Frames::event_func_2190, &Frames::event_func_2198, &Frames::event_func_2214,
                               &Frames::event_func_2222})
                (frames.*event)();
        });
    for (const FrameObject* object : outside)
        EXPECT_TRUE(going(object)) << object->id;
    for (const FrameObject* object : inside)
        EXPECT_FALSE(going(object)) << object->id;
}

TEST_F(Act1StartOfFrame, hanging_sensors_switch_their_group_off_only_when_none_was_placed)
{
    EventKit kit;
    const auto events = [](Frames& frames) {
        frames.event_func_2220();
        frames.event_func_2221();
    };
    // Removed this tick, still counted: the group stays on.
    start_with(
        kit,
        [&](Frames& frames) {
            set_group(frames, frames.qualifier_14, {types::GimmickHangingIdleSensor_153});
            kit.place("GimmickHangingIdleSensor_153", -300, -300, 5);
        },
        events);
    EXPECT_TRUE(going(kit.instance(types::GimmickHangingIdleSensor_153)));
    EXPECT_TRUE(kit.frames().level_group_16);

    start_with(
        kit, [&](Frames& frames) { set_group(frames, frames.qualifier_14, {types::GimmickHangingIdleSensor_153}); },
        events);
    EXPECT_FALSE(kit.frames().level_group_16);
}

TEST_F(Act1StartOfFrame, parallax_boxes_are_measured_and_widened_and_planes_scaled_newest_largest)
{
    EventKit kit;
    SystemBox *wide = nullptr, *narrow = nullptr, *empty = nullptr;
    std::vector<FrameObject*> planes;
    start_with(
        kit,
        [&](Frames& frames) {
            // Three of the nine types: 1_205 (480 wide), 2_206, 2_215.
            set_group(frames, frames.qualifier_20, {16, 173, 182});
            const auto box = [&](const char* name, int x, int y) {
                auto* made = static_cast<SystemBox*>(create_object(name, x, y));
                frames.add_background_object(made, 0);
                return made;
            };
            wide = box("LevelParallaxPiece1_205", 0, 300);
            narrow = box("LevelParallaxPiece2_206", 0, 140);
            narrow->set_size(100, 50);
            empty = box("LevelParallaxPiece2_215", 0, 0);
            empty->set_size(0, 30);
            for (int k = 0; k < 3; ++k)
                planes.push_back(kit.place("LevelBackgroundPlane2_352", 200 * k, 400, 0));
        },
        [](Frames& frames) {
            frames.event_func_2199();
            frames.event_func_2200();
            frames.event_func_2201();
        });
    EXPECT_EQ(EventKit::values(wide, "ACHID"), doubles(480, 300, 427, 241, 0.98));
    EXPECT_EQ(EventKit::value(narrow, 'E'), 0.5);
    EXPECT_EQ(wide->width, 960);  // (0 + 2) x 480
    EXPECT_EQ(narrow->width, 600);  // (4 + 2) x 100
    EXPECT_EQ(narrow->height, 50);
    EXPECT_EQ(empty->width, 0);
    EXPECT_EQ(empty->height, 30);

    // The newest plane is number 0 and the largest.
    const float scales[] = {0.6f, 0.8f, 1.0f};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(EventKit::value(planes[size_t(k)], 'C'), 2 - k);
        EXPECT_EQ(EventKit::value(planes[size_t(k)], 'A'), 200 * k);
        EXPECT_FLOAT_EQ(static_cast<Active*>(planes[size_t(k)])->x_scale, scales[k]);
    }

    // Six planes: the oldest gets scale 0.
    start_with(
        kit, [&](Frames&) { for (int k = 0; k < 6; ++k) kit.place("LevelBackgroundPlane2_352", 0, 0, 0); },
        [](Frames& frames) { frames.event_func_2200(); });
    EXPECT_NEAR(static_cast<Active*>(kit.instances(types::LevelBackgroundPlane2_352)[0])->y_scale, 0.0f, 1e-6f);
}

TEST_F(Act1StartOfFrame, codecs_links_and_platforms_are_numbered_in_visiting_order)
{
    EventKit kit;
    std::vector<FrameObject*> codecs, links, platforms;
    start_with(
        kit,
        [&](Frames& frames) {
            set_group(frames, frames.qualifier_6, {68, 121, 167, 194, 207});
            set_group(frames, frames.qualifier_7, {68, 121, 194, 207});
            kit.place("MasterLevel_53", -100, -100, 5);
            for (int k = 0; k < 3; ++k)
                codecs.push_back(kit.place("ObjectCodec_279", 1000 + 100 * k, 400, 2));
            for (int k = 0; k < 2; ++k)
                links.push_back(kit.place("LINK_186", 3000 + 100 * k, 400, 2));
            platforms = {kit.place("LevelValleyPlatform1_149", 500, 600, 2),
                         kit.place("LevelValleyPlatform1_149", 700, 610, 2),
                         kit.place("LevelMovingPlatform2_265", 900, 620, 2)};
        },
        [](Frames& frames) {
            frames.event_func_2182();
            frames.event_func_2210();
            frames.event_func_2211();
            frames.event_func_2217();
        });
    EXPECT_EQ(EventKit::value(codecs[2], 'A'), 1);
    EXPECT_EQ(EventKit::value(codecs[0], 'A'), 3);
    EXPECT_EQ(EventKit::value(links[1], 'Z'), 1);
    EXPECT_EQ(EventKit::value(links[0], 'Z'), 2);
    EXPECT_EQ(EventKit::value(platforms[1], 'O'), 0);
    EXPECT_EQ(EventKit::value(platforms[0], 'O'), 1);
    EXPECT_EQ(EventKit::values(platforms[2], "OIJ"), doubles(2, 900, 620));
    FrameObject* level = kit.instance(types::MasterLevel_53);
    EXPECT_EQ(EventKit::values(level, "BAQ"), doubles(2000, 1, 1));
    // The link loop ran once per member of the platform group.
    EXPECT_EQ(kit.frames().fast_loop_link_objects_1.index, 3);

    start_with(
        kit, [&](Frames& frames) { set_group(frames, frames.qualifier_6, {68, 121, 167, 194, 207}); },
        [](Frames& frames) { frames.event_func_2211(); });
    EXPECT_EQ(kit.frames().fast_loop_link_objects_1.index, 0);
}

TEST_F(Act1StartOfFrame, crystal_mode_replaces_petals_and_petal_monitors)
{
    EventKit kit;
    kit.set_global(12, -1);
    std::vector<FrameObject*> petals;
    FrameObject* monitor = nullptr;
    const auto events = [](Frames& frames) {
        frames.event_func_2212();
        frames.event_func_2213();
    };
    start_with(
        kit,
        [&](Frames&) {
            for (int k = 0; k < 3; ++k)
                petals.push_back(kit.place("ObjectPetal_117", 1000 + 40 * k, 400 - k, 2));
            monitor = kit.place("MonitorRings_119", 2000, 420, 2);
        },
        events);
    const std::vector<FrameObject*> crystals = kit.instances(types::ObjectCrystal_239);
    ASSERT_EQ(crystals.size(), 3u);
    // Made newest petal first, each where its petal was.
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(crystals[size_t(k)]->get_x(), 1080 - 40 * k);
        EXPECT_EQ(crystals[size_t(k)]->get_y(), 398 + k);
        EXPECT_EQ(crystals[size_t(k)]->layer->index, 2);
        EXPECT_EQ(EventKit::value(crystals[size_t(k)], 'G'), 8);
    }
    ASSERT_EQ(kit.instances(types::MonitorCrystals_120).size(), 1u);
    EXPECT_EQ(kit.instance(types::MonitorCrystals_120)->get_x(), 2000);
    for (const FrameObject* old : petals)
        EXPECT_TRUE(going(old));
    EXPECT_TRUE(going(monitor));

    // Without petals none remains once the tick has released what went.
    start_with(kit, {}, events);
    kit.run(1);
    EXPECT_TRUE(kit.instances(types::ObjectCrystal_239).empty());
    EXPECT_TRUE(kit.instances(types::MonitorCrystals_120).empty());

    // Out of crystal mode the petals stay and get their values.
    kit.set_global(12, 1);
    start_with(kit, [&](Frames&) { kit.place("ObjectPetal_117", 1000, 400, 2); }, events);
    EXPECT_TRUE(kit.instances(types::ObjectCrystal_239).empty());
    EXPECT_FALSE(going(kit.instance(types::ObjectPetal_117)));
    EXPECT_EQ(EventKit::value(kit.instance(types::ObjectPetal_117), 'G'), 5);
}

TEST_F(Act1StartOfFrame, each_bridge_gets_twelve_logs_numbered_from_its_left_end)
{
    EventKit kit;
    start_with(
        kit,
        [&](Frames&) {
            kit.place("GimmickBridge12Logs_139", 3000, 600, 2);
            kit.place("GimmickBridge12Logs_139", 1000, 500, 2);
        },
        [](Frames& frames) {
            frames.event_func_2218();
            frames.event_func_2219();
        });
    const std::vector<FrameObject*> logs = kit.instances(types::GimmickBridgeLog_140);
    ASSERT_EQ(logs.size(), 24u);
    for (const FrameObject* log : logs) {
        const int left = log->get_y() == 656 ? 3000 : 1000;
        EXPECT_EQ(EventKit::value(log, 'A'), (log->get_x() - left) / 16) << log->get_x();
        EXPECT_EQ(EventKit::value(log, 'B'), log->get_y());
        EXPECT_EQ(log->layer->index, 2);
    }
    // The newest bridge is visited first; its right end is the first log made.
    EXPECT_EQ(logs[0]->get_x(), 1176);
    EXPECT_EQ(EventKit::value(logs[0], 'A'), 11);
}

TEST_F(Act1StartOfFrame, shields_are_hidden_and_item_box_remains_removed)
{
    EventKit kit;
    FrameObject *shield = nullptr, *icon = nullptr, *broken = nullptr, *level = nullptr;
    start_with(
        kit,
        [&](Frames&) {
            shield = kit.place("ShieldMagnetic_105", -100, -100, 2);
            icon = kit.place("MonitorIcon_125", 1000, 400, 2);
            broken = kit.place("MonitorBroken_118", 1000, 420, 2);
            level = kit.place("MasterLevel_53", -100, -100, 5);
            level->alterables->flags |= 1 << 9;
        },
        [](Frames& frames) {
            frames.event_func_2215();
            frames.event_func_2216();
        });
    EXPECT_TRUE(EventKit::flag(shield, 1));
    EXPECT_FALSE(shield->flags & FrameObject::VISIBLE);
    EXPECT_TRUE(going(icon));
    EXPECT_TRUE(going(broken));
    EXPECT_FALSE(kit.frames().level_group_31);
}

TEST_F(Act1StartOfFrame, the_dormant_palette_event_cuts_its_pieces_to_the_palette_text)
{
    EventKit kit;
    FrameObject* arm = nullptr;
    ArrayObject* save = nullptr;
    start_with(
        kit,
        [&](Frames&) {
            arm = kit.place("PlayerSkinHespinArm_350", -100, -100, 5);
            save = static_cast<ArrayObject*>(kit.place("SaveData_10", -100, -100, 5));
        },
        {});
    const auto cells = [&](int a_g, int b_g, int a_h, int b_h, int a_i, int b_i) {
        const int values[] = {a_g, b_g, a_h, b_h, a_i, b_i};
        for (int k = 0; k < 6; ++k)
            save->set_value(values[k], 1, 26 + k, -1);
    };
    Frames& frames = kit.frames();
    // " 40 20 20 20 20 20120 10100150 10 20 40 10 20": 15 pieces of three.
    const std::string palette = kit.global_string(12);
    ASSERT_EQ(palette.size(), 45u);
    kit.set_global(4, 0);
    cells(2, 0, 4, 2, 5, 0);  // pieces 6 and 14, and 15: just past the end
    frames.event_func_2228();
    EXPECT_EQ(EventKit::values(arm, "GHI"), doubles(120, 20, 0));
    EXPECT_DOUBLE_EQ(EventKit::value(arm, 'J'), 12);
    EXPECT_DOUBLE_EQ(EventKit::value(arm, 'K'), 2);
    EXPECT_FALSE(frames.level_group_32);
    EXPECT_TRUE(frames.level_group_68);

    // A short palette: the piece is cut at the end; cells far out or
    // negative read nothing and never reach past the text.
    frames.global_strings->set(12, " 40 2");
    switch_on_start_groups(frames);
    cells(0, 1, INT_MAX, INT_MAX, -1, 0);
    frames.event_func_2228();
    EXPECT_EQ(EventKit::values(arm, "GHI"), doubles(2, 0, 0));
    frames.global_strings->set(12, palette);

    // In the act's start it never fires: the start mode is raised first.
    kit.set_global(4, 0);
    start_with(kit, {}, [](Frames& frames) { frames.on_frame_5_start_events(); });
    EXPECT_TRUE(kit.frames().level_group_32);
    EXPECT_FALSE(kit.frames().level_group_68);
}
