// Pushable blocks settle a pixel a tick out of walls and onto the floor;
// moving platforms take their pixel position from their fractional path;
// an extra life or small rock enemy sunk into the floor is lifted back.
#include "tests/game/events/stage_loops/gimmick_scene.h"

using gimmick_test::floor_top;
using gimmick_test::GimmickScene;

namespace {

std::vector<int> bottoms(const std::vector<FrameObject*>& objects)
{
    std::vector<int> result;
    for (FrameObject* object : objects)
        result.push_back(object->get_box_index(3));
    return result;
}

// A block taking part (flag 3) with its number.
FrameObject* block(FrameObject* object, int number)
{
    object->alterables->flags |= 1 << 3;
    EventKit::set_value(object, 'I', number);
    return object;
}

}  // namespace

TEST_F(GimmickScene, pushable_blocks_settle_a_pixel_a_tick_out_of_walls_and_onto_the_floor)
{
    square(f(), "VostrelWall1_220", 900, floor_top - 128);
    FrameObject* sunk = block(place_box("PushableBlock1_364", 100, floor_top + 3), 0);
    FrameObject* gap = block(place_box("PushableBlock1_364", 350, floor_top - 1), 1);
    FrameObject* high = block(place_box("PushableBlock1_364", 600, floor_top - 2), 2);
    const int width = sunk->get_box_index(2) - sunk->get_box_index(0);
    FrameObject* walled = block(place_box("PushableBlock1_364", 902 - width, floor_top), 3);
    FrameObject* resting = place_box("PushableBlock1_364", 1100, floor_top + 5);  // flag 3 off
    EventKit::set_value(resting, 'I', 4);
    each_tick = [](Frames& frames) {
        frames.run_loop(frames.fast_loop_iterate_pushables, frames.qualifier_8.size(),
                        &Frames::loop_iterate_pushables_4);
    };
    const std::vector<FrameObject*> blocks = {sunk, gap, high, walled, resting};
    std::vector<std::vector<int>> seen;
    std::vector<int> walled_right;
    for (int tick = 0; tick < 4; ++tick) {
        for (FrameObject* each : blocks)
            each->alterables->flags &= ~(1 << 4);
        kit.run(1);
        seen.push_back(bottoms(blocks));
        walled_right.push_back(walled->get_box_index(2));
    }
    // The sunk block rises a pixel a tick and then stands; a one-pixel gap
    // closes at once; two pixels up is left alone; flag 3 off, untouched.
    const int t = floor_top;
    EXPECT_EQ(seen, (std::vector<std::vector<int>>{{t + 2, t, t - 2, t, t + 5},
                                                  {t + 1, t, t - 2, t, t + 5},
                                                  {t, t, t - 2, t, t + 5},
                                                  {t, t, t - 2, t, t + 5}}));
    EXPECT_EQ(walled_right, (std::vector<int>{901, 900, 900, 900}));
    // Standing on the floor is lifted and put back: marked as moved.
    EXPECT_TRUE(EventKit::flag(sunk, 4));
    EXPECT_TRUE(EventKit::flag(gap, 4));
    EXPECT_FALSE(EventKit::flag(high, 4));
    EXPECT_FALSE(EventKit::flag(resting, 4));
    EXPECT_EQ(sunk->get_box_index(0), 100);

    // Pressed at its top row into walls on both sides: left, then right, no
    // net move.
    const int top = sunk->get_box_index(1);
    square(f(), "VostrelWall1_220", 100 - 127, top - 127);
    square(f(), "VostrelWall1_220", 100 + width - 1, top - 127);
    kit.run(1);
    EXPECT_EQ(sunk->get_box_index(0), 100);
    EXPECT_EQ(sunk->get_box_index(3), floor_top);

    f().level_group_43 = false;
    sunk->set_y(sunk->get_y() + 4);
    kit.run(1);
    EXPECT_EQ(sunk->get_box_index(3), floor_top + 4);
}

TEST_F(GimmickScene, moving_platforms_take_their_pixel_position_rounded_down_from_their_path)
{
    FrameObject* valley = kit.place("LevelValleyPlatform1_149", 300, 100, gimmick_test::playfield);
    FrameObject* moving = kit.place("LevelMovingPlatform3_281", 500, 100, gimmick_test::playfield);
    FrameObject* other = kit.place("RedSpringUpRight_199", 700, 100, gimmick_test::playfield);
    EventKit::set_value(valley, 'M', -1.25);
    EventKit::set_value(valley, 'N', 40.75);
    EventKit::set_value(moving, 'M', 500);
    EventKit::set_value(moving, 'N', 100);
    EventKit::set_value(other, 'M', 5);
    each_tick = [valley](Frames& frames) {
        EventKit::set_value(valley, 'M', EventKit::value(valley, 'M') + 0.75);
        frames.run_loop(frames.fast_loop_plaftorms_updateposition, 1, &Frames::loop_plaftorms_updateposition_4);
    };
    std::vector<int> xs, ys;
    for (int tick = 0; tick < 4; ++tick) {
        kit.run(1);
        xs.push_back(valley->get_x());
        ys.push_back(valley->get_y());
    }
    EXPECT_EQ(xs, (std::vector<int>{-1, 0, 1, 1}));  // -0.5, 0.25, 1.0, 1.75
    EXPECT_EQ(ys, (std::vector<int>{40, 40, 40, 40}));
    EXPECT_EQ(moving->get_x(), 500);
    EXPECT_EQ(other->get_x(), 700);  // not of the moving-platform group

    f().level_group_43 = false;
    kit.run(1);
    EXPECT_EQ(valley->get_x(), 1);
}

TEST_F(GimmickScene, an_extra_life_sunk_into_the_floor_rises_until_free_twelve_pixels_a_start_at_most)
{
    FrameObject* shallow = place_box("ObjectExtraLife_289", 100, floor_top + 5);
    FrameObject* deep = place_box("ObjectExtraLife_289", 200, floor_top + 20);
    // Its box reaches 50 pixels past the view's right edge (426).
    FrameObject* far = place_box("ObjectExtraLife_289", 300, floor_top + 5);
    far->set_x(far->get_x() + 476 - far->get_box_index(2));
    f().run_loop(f().fast_loop_extralife_floor, 12, &Frames::loop_extralife_floor_4);
    EXPECT_EQ(bottoms({shallow, deep, far}), (std::vector<int>{floor_top, floor_top + 8, floor_top + 5}));
    far->set_x(far->get_x() - 1);
    f().run_loop(f().fast_loop_extralife_floor, 12, &Frames::loop_extralife_floor_4);
    EXPECT_EQ(bottoms({shallow, deep, far}), (std::vector<int>{floor_top, floor_top, floor_top}));
}

TEST_F(GimmickScene, small_rock_enemies_rise_together_while_the_first_ones_feet_are_in_the_floor)
{
    // The newest instance is the first selected.
    FrameObject* flying = place_box("EnemyZemmetJr_271", 100, floor_top - 30);
    FrameObject* sunk = place_box("EnemyZemmetJr_271", 200, floor_top + 4);
    FrameObject* beaten = place_box("EnemyZemmetJr_271", 300, floor_top + 9);
    EventKit::set_value(beaten, 'D', 3);  // neither lifted nor the probe
    f().run_loop(f().fast_loop_zemmetjr_floor, 12, &Frames::loop_zemmetjr_floor_4);
    // The probe is the foot's last row (bottom - 1): lifted until it is
    // clear, four passes, and the enemy in the air with it.
    EXPECT_EQ(bottoms({flying, sunk, beaten}), (std::vector<int>{floor_top - 34, floor_top, floor_top + 9}));

    // The probing enemy in the air: nobody moves, the one in the floor either.
    EventKit::set_value(sunk, 'D', 3);
    FrameObject* deep = place_box("EnemyZemmetJr_271", 240, floor_top + 6);
    FrameObject* high = place_box("EnemyZemmetJr_271", 330, floor_top - 40);
    f().run_loop(f().fast_loop_zemmetjr_floor, 12, &Frames::loop_zemmetjr_floor_4);
    EXPECT_EQ(bottoms({deep, high, flying}), (std::vector<int>{floor_top + 6, floor_top - 40, floor_top - 34}));
}
