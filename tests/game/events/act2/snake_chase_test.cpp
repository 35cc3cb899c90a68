// The snake chase on a stage of its own: the defeated hitbox starts it, the
// head follows the hitbox, the left marker holds it back, rocks it touches
// are marked, and once it is 300 past the right marker the snake is removed
// and the act is won.
#include "tests/game/events/act2/act2_stage.h"

using act2_stage::Act2Stage;

namespace {

#define E(n) &Frames::event_func_##n
const std::vector<act2_stage::Event> chase_order = {E(2430), E(2431), E(2432), E(2433), E(2434),
                                                    E(2435), E(2436), E(2437), E(2438), E(2439),
                                                    E(2440), E(2441), E(2442), E(2443)};
#undef E

}  // namespace

class SnakeChase : public Act2Stage {
protected:
    void SetUp() override
    {
        Act2Stage::SetUp();
        enter(chase_order);
        Frames& f = kit.frames();
        f.boss_arena_group = f.boss_fight_group = f.arena_entry_group = true;
        f.boss_fight_sub_group_1 = f.boss_fight_sub_group_2 = true;
        f.boss_fight_sub_group_3 = false;
        for (int k = 1; k <= 7; ++k)
            EventKit::set_value(kit.place("BossSnakeBody_370", 300, 500), 'H', k);
        head = kit.place("BossVashkelHead_273", 300, 450);
        hitbox = kit.place("BossSnakeHitbox_383", 300, 450);
        geyser = kit.place("BossGeyserOverlap1_381", 300, 550);
        kit.place("CameraLimitBossLeft_165", 200, 400);
        kit.place("CameraLimitBossRight_166", 500, 400);
        rock = kit.place("BreakableRock2_404", 700, 450);
        // The hitbox goes where the test puts it, before the events.
        before = [this](Frames&) {
            if (hitbox_x)
                hitbox->set_x(hitbox_x);
        };
    }

    FrameObject* head = nullptr;
    FrameObject* hitbox = nullptr;
    FrameObject* geyser = nullptr;
    FrameObject* rock = nullptr;
    int hitbox_x = 0;
};

TEST_F(SnakeChase, the_defeated_hitbox_leads_the_snake_out_and_past_the_marker_the_act_is_won)
{
    Frames& f = kit.frames();
    // Standing hitbox: no chase.
    kit.run(3);
    EXPECT_FALSE(f.boss_fight_sub_group_3);
    EXPECT_EQ(EventKit::value(hitbox, 'G'), 0);

    // Defeated: the chase starts in the same tick, the fight's groups close.
    set_flag(hitbox, 6, true);
    sounds();
    kit.run(1);
    EXPECT_TRUE(f.boss_fight_sub_group_3);
    EXPECT_FALSE(f.boss_fight_sub_group_1);
    EXPECT_FALSE(f.boss_fight_sub_group_2);
    EXPECT_EQ(sounds(), std::vector<unsigned>{43});
    EXPECT_FALSE(hitbox->flags & FrameObject::VISIBLE);
    EXPECT_FALSE(geyser->flags & FrameObject::VISIBLE);
    EXPECT_EQ(EventKit::value(hitbox, 'G'), 1);

    // The head leaves its trail point and moves onto the hitbox.
    hitbox_x = 100;
    kit.run(1);
    EXPECT_EQ(EventKit::value(head, 'V'), 300);
    EXPECT_EQ(head->get_x(), 100);
    // Up to G = 80 the left marker does not hold it; past 80 it does.
    kit.run(78);
    EXPECT_EQ(EventKit::value(hitbox, 'G'), 80);
    EXPECT_EQ(hitbox->get_x(), 100);
    kit.run(1);
    EXPECT_EQ(hitbox->get_x(), 200);

    // A settled head: the hitbox's X and Y become 8 and 0.
    static_cast<Active*>(head)->force_animation(0);
    kit.run(1);
    EXPECT_EQ(EventKit::values(hitbox, "XY"), doubles(8, 0));

    // Past the right marker the hitbox is not held, and the rock it touched
    // (overlaps see the box a tick began with) is marked.
    hitbox_x = 700;
    kit.run(1);
    EXPECT_EQ(hitbox->get_x(), 700);
    hitbox_x = 800;
    kit.run(1);
    EXPECT_TRUE(EventKit::flag(rock, 6));
    EXPECT_EQ(EventKit::value(rock, 'X'), -6);
    // 300 past it only at 801: the snake is removed, the act is won.
    EXPECT_EQ(kit.frames().global_values->get(4), 0);
    hitbox_x = 801;
    kit.run(1);
    hitbox_x = 0;
    kit.run(1);
    EXPECT_TRUE(kit.instances(types::BossSnakeBody_370).empty());
    EXPECT_TRUE(kit.instances(types::BossVashkelHead_273).empty());
    EXPECT_TRUE(kit.instances(types::BossSnakeHitbox_383).empty());
    EXPECT_EQ(EventKit::values(object(types::MasterCamera_190), "MU"), doubles(2, 0));
    EXPECT_EQ(kit.global(4), 10);
    EXPECT_EQ(kit.global(5), 9186);
    EXPECT_FALSE(f.arena_entry_group);
    EXPECT_EQ(rock->get_y(), -50);
}
