// Each of the twelve kinds of item box, broken, gives its reward through
// the box, icon and reward events in the handlers' order: petals and
// hearts, crystals, the five shields, invincibility, the crate's crystals,
// an extra life, the bomb's explosion and three keystones.
#include "tests/game/events/items/item_events.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace item_events;

namespace {

std::vector<Event> box_and_reward_events()
{
    std::vector<Event> events = item_box_events();
    for (Event event :
         {&Frames::event_func_1718, &Frames::event_func_1719, &Frames::event_func_1720, &Frames::event_func_1721,
          &Frames::event_func_1721, &Frames::event_func_1722, &Frames::event_func_1723, &Frames::event_func_1724,
          &Frames::event_func_1725, &Frames::event_func_1726, &Frames::event_func_1727, &Frames::event_func_1728,
          &Frames::event_func_1729, &Frames::event_func_1730, &Frames::event_func_1731, &Frames::event_func_1732,
          &Frames::event_func_1733, &Frames::event_func_1734, &Frames::event_func_1735, &Frames::event_func_1736,
          &Frames::event_func_1737, &Frames::event_func_1738, &Frames::event_func_1739, &Frames::event_func_1740,
          &Frames::event_func_1741, &Frames::event_func_1742, &Frames::event_func_1743, &Frames::event_func_1744})
        events.push_back(event);
    return events;
}

// What a reward leaves: new objects of a type, or the shield worn.
struct Reward {
    const char* box;
    int kind;
    int made_type;   // the type the reward makes, or -1
    size_t made;     // how many
    double shield;   // PlayerOthers B afterwards
};

const Reward rewards[] = {
    {"MonitorRings_119", 1, types::ObjectPetal_117, 6, 0},
    {"MonitorCrystals_120", 2, types::ObjectCrystal_239, 7, 0},
    {"MonitorFireShield_121", 3, -1, 0, 2},
    {"MonitorMetalShield_122", 4, -1, 0, 3},
    {"MonitorWaterShield_123", 5, -1, 0, 4},
    {"MonitorInvincibility_124", 6, -1, 0, 4},
    {"MonitorCrate_126", 7, types::ObjectCrystal_239, 7, 4},
    {"Monitor1up_127", 8, types::ObjectExtraLife_289, 1, 4},
    {"MonitorBomb_128", 9, types::EffectsExplosion06_291, 8, 4},
    {"MonitorWoodShield_311", 10, -1, 0, 1},
    {"MonitorEarthShield_312", 11, -1, 0, 5},
    {"MonitorKeystone_322", 12, types::ObjectKeystone_278, 3, 5},
};

class ItemBoxChain : public act1_test::StartTest {
protected:
    EventKit kit;
};

}  // namespace

TEST_F(ItemBoxChain, each_of_the_twelve_kinds_of_box_broken_gives_its_reward_and_its_icon_goes)
{
    kit.enter_empty_frame(course(box_and_reward_events()));
    FrameObject* others = ensure(kit, types::PlayerOthers_75, "PlayerOthers_75", -100, -100);
    bool Frames::*const shield_groups[] = {nullptr, &Frames::level_group_20, &Frames::level_group_4,
                                           &Frames::level_group_9, &Frames::level_group_35, &Frames::level_group_38};
    for (const Reward& reward : rewards) {
        SCOPED_TRACE(reward.box);
        // What the reward makes, counted as it appears: crystals fly off the
        // small course, and explosions end, before the 70 ticks are over.
        std::vector<FrameObject*> seen = reward.made_type < 0 ? std::vector<FrameObject*>{}
                                                               : kit.instances(reward.made_type);
        size_t made = 0;
        auto tick = [&] {
            kit.run(1);
            if (reward.made_type < 0)
                return;
            const std::vector<FrameObject*> now = kit.instances(reward.made_type);
            made += size_t(std::count_if(now.begin(), now.end(), [&](FrameObject* o) {
                return std::find(seen.begin(), seen.end(), o) == seen.end();
            }));
            seen = now;
        };
        FrameObject* box = kit.place(reward.box, 900, floor_top - half_box, player_terrain::playfield_layer);
        box->alterables->flags |= 1 << 6;  // struck: broken on the next tick
        tick();
        ASSERT_EQ(kit.instances(types::MonitorIcon_125).size(), 1u);
        FrameObject* icon = kit.instance(types::MonitorIcon_125);
        EXPECT_EQ(active(icon)->get_frame(), reward.kind);
        for (int n = 0; n < 70; ++n)
            tick();
        EXPECT_TRUE(gone(kit, types::MonitorIcon_125, icon));
        EXPECT_EQ(made, reward.made);
        EXPECT_EQ(kit.value(others, 'B'), reward.shield);
        const int shield = int(reward.shield);
        for (int kind = 1; kind <= 5; ++kind)
            EXPECT_EQ(kit.frames().*shield_groups[kind], kind == shield) << kind;
        if (reward.kind == 6) {
            EXPECT_EQ(EventKit::values(others, "DE"), doubles(1, 1800));
        }
    }
}
