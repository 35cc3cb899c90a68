// The collision layer: the markers the player touches choose it, and the
// pieces of the other layer are marked as ignored.
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

namespace {

void layer_events(Frames& f)
{
    f.event_func_670(), f.event_func_671(), f.event_func_672(), f.event_func_673(), f.event_func_674();
    f.event_func_675();
}

// Layer 0's pieces stand in as MasterGroupsA and PlayerActionValuesA, layer
// 1's as PlayerActionValuesA and PlayerActionValuesB: one type in both.
void layer_groups(Frames& f)
{
    f.level_group_43 = f.level_group_23 = true;
    static ObjectList* layer_0[] = {&f.instances[types::MasterGroupsA_83], &f.instances[types::PlayerActionValuesA_86],
                                    nullptr};
    static ObjectList* layer_1[] = {&f.instances[types::PlayerActionValuesA_86],
                                    &f.instances[types::PlayerActionValuesB_164], nullptr};
    f.qualifier_4.set(2, layer_0);
    f.qualifier_5.set(2, layer_1);
}

class CollisionLayers : public ::testing::Test {
protected:
    void SetUp() override
    {
        kit.enter_empty_frame({.layers = 1,
                               .width = 2000,
                               .height = 1000,
                               .handler = [this](Frames& f) {
                                   if (running)
                                       layer_events(f);
                               },
                               .set_up = layer_groups});
        values = kit.place("PlayerMovementValues_80", -100, -100);
        player = kit.place("Player_87", 200, 120);
        only_0 = kit.place("MasterGroupsA_83", -200, -200);
        both = kit.place("PlayerActionValuesA_86", -200, -200);
        only_1 = kit.place("PlayerActionValuesB_164", -200, -200);
        running = true;
    }

    double layer() const { return EventKit::value(values, 'P'); }
    bool ignored(const FrameObject* piece) const { return EventKit::flag(piece, 0); }

    EventKit kit;
    bool running = false;
    FrameObject *values = nullptr, *player = nullptr, *only_0 = nullptr, *both = nullptr, *only_1 = nullptr;
};

}  // namespace

TEST_F(CollisionLayers, layer_0_ignores_layer_1s_pieces_and_a_piece_in_both_groups)
{
    kit.run(1);
    EXPECT_EQ(layer(), 0);
    EXPECT_FALSE(ignored(only_0));
    EXPECT_TRUE(ignored(only_1));
    EXPECT_TRUE(ignored(both));

    EventKit::set_value(values, 'P', 1);
    kit.run(1);
    EXPECT_TRUE(ignored(only_0));
    EXPECT_FALSE(ignored(only_1));
    EXPECT_FALSE(ignored(both));
}

TEST_F(CollisionLayers, markers_choose_the_layer_and_the_later_marker_wins)
{
    FrameObject* to_1 = kit.place("LayerChangeTo1_116", 200, 120);
    kit.run(1);
    EXPECT_EQ(layer(), 1);
    EXPECT_TRUE(ignored(only_0));
    // Both markers at once: 671 runs after 670.
    kit.place("LayerChangeTo0_115", 200, 120);
    kit.run(1);
    EXPECT_EQ(layer(), 1);
    // Away from layer 1's marker, layer 0's alone.
    to_1->set_x(330);
    kit.run(1);
    EXPECT_EQ(layer(), 0);
    EXPECT_FALSE(ignored(only_0));
}

TEST_F(CollisionLayers, a_switch_takes_the_layer_from_the_direction_of_travel)
{
    kit.place("LayerChangeSwitch_114", 200, 120);
    EventKit::set_value(values, 'B', 3);
    kit.run(1);
    EXPECT_EQ(layer(), 1);
    EventKit::set_value(values, 'B', 0);
    kit.run(1);
    EXPECT_EQ(layer(), 1);
    EventKit::set_value(values, 'B', -0.5);
    kit.run(1);
    EXPECT_EQ(layer(), 0);
}
