// Only the played character's skin is visible: shown once when the
// character id takes its value, with ids below 0 as Yelto's and from 5 up
// as Hespin's; hair and tails keep their own visibility.
#include "tests/game/events/player_actions/skin_stage.h"

using namespace skin_test;

namespace {

class SkinVisibility : public SkinStage {
protected:
    std::vector<int> visible()
    {
        return each(bodies, [](Active* s) { return int(s->flags & FrameObject::VISIBLE); });
    }
    static std::vector<int> only(int index)
    {
        std::vector<int> shown(6, 0);
        shown[size_t(index)] = 1;
        return shown;
    }
};

}  // namespace

TEST_F(SkinVisibility, only_the_played_characters_skin_is_shown_once_per_change_of_character)
{
    // The first tick showed Yelto's.
    EXPECT_EQ(visible(), only(0));
    for (const double character : {1.0, 7.0, 2.0, -1.0, 4.0, 5.0}) {
        set_player('A', character);
        kit.run(1);
        EXPECT_EQ(visible(), only(character < 0 ? 0 : character > 5 ? 5 : int(character))) << character;
    }
    // From Pimsa to the bike: the tail keeps its visibility.
    set_player('A', 2);
    kit.run(1);
    kit.instance(types::PlayerSkinPimsaTail_323)->set_visible(true);
    set_player('A', 3);
    kit.run(1);
    EXPECT_EQ(visible(), only(3));
    EXPECT_TRUE(kit.instance(types::PlayerSkinPimsaTail_323)->flags & FrameObject::VISIBLE);

    // While the id stays, nothing is shown or hidden again; 2.5 is nobody's.
    kit.instance(types::PlayerSkinOrrun_290)->set_visible(true);
    kit.run(3);
    set_player('A', 2.5);
    kit.run(1);
    EXPECT_EQ(visible(), (std::vector<int>{0, 1, 0, 1, 0, 0}));

    // With the player engine off nothing happens; back on, the event fires.
    set_player('A', 4);
    kit.frames().level_group_23 = false;
    kit.run(2);
    EXPECT_EQ(visible(), (std::vector<int>{0, 1, 0, 1, 0, 0}));
    kit.frames().level_group_23 = true;
    kit.run(1);
    EXPECT_EQ(visible(), only(4));
}
