// A block the player pushes moves a pixel a tick with the player, throws
// dust every third tick and scrapes until two ticks after the last push; a
// blocked one moves nothing and the character gives up after 40 ticks; a
// block in view falls until it lands, hangs when it leaves the view, is
// lost below the frame, and crushes the enemies it falls on.
#include "audio/media.h"
#include "game/frames/event_support.h"
#include "game/objects/class_lookup.h"
#include "tests/game/events/items/items_kit.h"

using namespace items_test;

namespace {

// What the block settling loop does for a block standing on the ground.
void settle_on_ground(Frames& f)
{
    for_each_instance(f.qualifier_8, [](FrameObject* block) {
        set_flag(block, 4, get_value(*block, 'G') == 1);  // G: the test's "on the ground"
    });
}

std::vector<Event> block_events()
{
    std::vector<Event> events = {
        &Frames::event_func_1781, &Frames::event_func_1782, &Frames::event_func_1783, &Frames::event_func_1784,
        &Frames::event_func_1785, &Frames::event_func_1786, &Frames::event_func_1787, &Frames::event_func_1788,
        &Frames::event_func_1789, &Frames::event_func_1790, &Frames::event_func_1791, &Frames::event_func_1792,
        &Frames::event_func_1793, &Frames::event_func_1794, &Frames::event_func_1795, &Frames::event_func_1796,
        &Frames::event_func_1797, &Frames::event_func_1798, &Frames::event_func_1799, &Frames::event_func_1800};
    events.insert(events.begin() + 3, settle_on_ground);  // after 1783, which runs the settling loop
    return events;
}

class PushableBlocks : public ItemsScene {
protected:
    void SetUp() override
    {
        ItemsScene::SetUp();
        enter(block_events());
        f().global_group_12 = true;  // Yelto speaks
        skin = place("PlayerSkinYelto_102", -50, -50);
        action_values = place("PlayerActionValuesB_164", -50, -50);
        block = place("PushableBlock1_364", 200, 120);
        set(block, 'G', 1);
        box = {block->get_box_index(0), block->get_box_index(1), block->get_box_index(2), block->get_box_index(3)};
        sensor = place("PlayerSensorRightBig_91", box[0], 120);
        set(values, 'X', box[0] - 10);
    }

    void push(int facing)
    {
        set(values, 'M', 11);
        set(values, 'Q', facing);
    }

    FrameObject *skin = nullptr, *action_values = nullptr, *block = nullptr, *sensor = nullptr;
    std::vector<int> box;
};

}  // namespace

TEST_F(PushableBlocks, a_pushed_block_moves_with_the_player_throws_dust_and_scrapes_until_two_ticks_after)
{
    push(1);
    kit.run(1);
    EXPECT_EQ(value(block, 'D'), 1);
    EXPECT_EQ(block->get_x(), 201);
    EXPECT_EQ(value(values, 'X'), box[0] - 9);
    EXPECT_EQ(EventKit::values(block, "BE"), doubles(3, 1));  // B = 4, counted down the same tick
    EXPECT_EQ(value(action_values, 'S'), 4);
    EXPECT_EQ(value(skin, 'L'), 0);
    EXPECT_TRUE(media.is_sample_playing(39));
    EXPECT_TRUE(live(types::EffectsDust_310).empty());

    kit.run(1);
    EXPECT_TRUE(live(types::EffectsDust_310).empty());
    kit.run(1);  // E reaches 3: a puff under the block
    std::vector<FrameObject*> dust = live(types::EffectsDust_310);
    ASSERT_EQ(dust.size(), 1u);
    EXPECT_EQ(dust[0]->get_y(), block->get_box_index(3));
    EXPECT_GE(dust[0]->get_x(), box[0] + 3);
    EXPECT_LT(dust[0]->get_x(), box[2] + 3);
    EXPECT_EQ(value(block, 'E'), 0);
    EXPECT_EQ(block->get_x(), 203);
    kit.run(3);
    EXPECT_EQ(live(types::EffectsDust_310).size(), 2u);
    const std::vector<SoundStart> sounds = kit.take_sounds();
    EXPECT_EQ(sample_count(sounds, 39), 1);  // started once, looping

    // Letting go: the block stops, and the scrape two ticks later.
    set(values, 'M', 0);
    kit.run(1);
    EXPECT_EQ(value(block, 'D'), 0);
    EXPECT_EQ(block->get_x(), 206);
    EXPECT_EQ(value(block, 'B'), 2);
    EXPECT_TRUE(media.is_sample_playing(39));
    kit.run(1);
    EXPECT_FALSE(media.is_sample_playing(39));
    EXPECT_EQ(value(block, 'B'), 0);
    kit.run(5);
    EXPECT_EQ(block->get_x(), 206);
    EXPECT_EQ(live(types::EffectsDust_310).size(), 2u);
}

TEST_F(PushableBlocks, a_block_against_a_wall_does_not_move_and_the_character_gives_up_once_after_40_ticks)
{
    f().add_background_object(create_object("VostrelWall1_220", box[2], box[1] - 64), playfield);
    push(1);
    kit.run(39);
    EXPECT_EQ(value(skin, 'L'), 39);
    EXPECT_EQ(value(block, 'D'), 0);
    EXPECT_EQ(block->get_x(), 200);
    kit.take_sounds();
    kit.run(1);
    EXPECT_EQ(value(skin, 'L'), 41);
    EXPECT_EQ(sample_count(kit.take_sounds(), 76), 1);
    kit.run(30);
    EXPECT_EQ(sample_count(kit.take_sounds(), 76), 0);
    EXPECT_EQ(block->get_x(), 200);
    EXPECT_FALSE(media.is_sample_playing(39));

    // Pushing the other way, from its left, it goes.
    set(values, 'M', 0);
    kit.run(1);
    EXPECT_EQ(value(skin, 'L'), 0);
    place("PlayerSensorLeftBig_89", box[2] - 1, 120);
    push(-1);
    kit.run(2);
    EXPECT_EQ(block->get_x(), 198);
}

TEST_F(PushableBlocks, a_block_in_view_falls_faster_until_it_lands_and_one_out_of_view_hangs)
{
    set(block, 'G', 0);  // in the air
    kit.run(1);
    EXPECT_TRUE(flag(block, 3));
    std::vector<double> ys;
    for (int tick = 0; tick < 8; ++tick) {
        kit.run(1);
        ys.push_back(block->get_y());
    }
    // F is 0.25 more each tick, moved by its whole part.
    EXPECT_EQ(ys, doubles(120, 120, 120, 120, 121, 122, 123, 124));
    EXPECT_EQ(value(block, 'F'), 2);
    set(block, 'G', 1);  // landed
    kit.run(1);
    EXPECT_EQ(value(block, 'F'), 0);
    EXPECT_EQ(block->get_y(), 124);

    // Above the view it hangs where it is.
    set(block, 'G', 0);
    block->set_y(-10);
    kit.run(3);
    EXPECT_FALSE(flag(block, 3));
    EXPECT_EQ(block->get_y(), -10);
    // Below the view it goes on falling, and is lost past the frame's bottom.
    block->set_y(200);
    kit.run(1);
    EXPECT_TRUE(flag(block, 3));
    block->set_y(f().height + 30);
    kit.run(1);
    EXPECT_EQ(block->get_y(), f().height + 30);
    EXPECT_FALSE(block->flags & FrameObject::DESTROYING);
    set(block, 'F', 3);
    kit.run(1);  // 3 pixels lower: past 32 below the frame
    EXPECT_TRUE(block->flags & FrameObject::DESTROYING);
}

TEST_F(PushableBlocks, a_block_dropped_in_view_lands_on_the_floor_settles_there_and_is_pushed_along_it)
{
    // The real settling loop seats the block; no stand-in.
    handler_events.erase(handler_events.begin() + 3);
    f().add_background_object(create_object("LevelBackdrop02_142", 100, 160), playfield);
    f().add_background_object(create_object("LevelBackdrop02_142", 228, 160), playfield);
    int tick = 0;
    for (; tick < 120 && !(flag(block, 4) && value(block, 'F') == 0); ++tick)
        kit.run(1);
    EXPECT_LT(tick, 120);
    EXPECT_GT(block->get_y(), 120);
    kit.run(10);  // at rest on the floor, give or take the seating pixel
    EXPECT_GE(block->get_box_index(3), 159);
    EXPECT_LE(block->get_box_index(3), 161);
    EXPECT_EQ(value(block, 'F'), 0);

    const int x = block->get_x();
    sensor->set_y(block->get_y());
    push(1);
    kit.run(10);
    EXPECT_GE(block->get_x(), x + 5);
    EXPECT_GE(block->get_box_index(3), 159);
    EXPECT_LE(block->get_box_index(3), 161);
}

TEST_F(PushableBlocks, a_falling_block_crushes_every_enemy_under_it_again_only_after_4_ticks)
{
    handler_events = {&Frames::event_func_1804, &Frames::event_func_1805};
    FrameObject* plain = place("EnemyPokkol_138", 200, 120);
    FrameObject* armoured = place("EnemyPokkol_138", 200, 120);
    set_flag_of(armoured, 5);
    FrameObject* stunned = place("EnemyPokkol_138", 200, 120);
    set(stunned, 'C', 1);
    set(block, 'F', 3);
    const double crush = 3.0 / 5 + 4;
    kit.run(1);
    for (FrameObject* enemy : {plain, armoured}) {
        EXPECT_EQ(value(enemy, 'C'), 5);
        EXPECT_GE(value(enemy, 'X'), -2);
        EXPECT_LE(value(enemy, 'X'), 2);
        EXPECT_EQ(value(enemy, 'Y'), 7);
        EXPECT_EQ(value(enemy, 'A'), 8 - crush);
        EXPECT_EQ(enemy->shader, 17);
    }
    EXPECT_EQ(value(stunned, 'A'), 8);
    EXPECT_EQ(sample_count(kit.take_sounds(), 21), 1);
    EXPECT_EQ(value(block, 'H'), 3);  // 4, counted down the same tick

    for (FrameObject* enemy : {plain, armoured, stunned})
        set(enemy, 'C', 0);
    kit.run(3);
    EXPECT_EQ(value(plain, 'A'), 8 - crush);
    kit.run(1);
    EXPECT_EQ(value(plain, 'A'), 8 - crush - crush);
    EXPECT_EQ(value(stunned, 'A'), 8 - crush);
}
