// The hair and tails copy their bodies, sit behind them (in front in state
// 46) and show exactly while their bodies do.
#include "tests/game/events/player_actions/skin_events_kit.h"

namespace skin_events_test {
namespace {

TEST_F(SkinEventsTest, add_ons_copy_their_bodies_sit_behind_or_in_front_and_show_with_them)
{
    std::vector<FrameObject*> bodies, add_ons;
    enter({&Frames::event_func_2038, &Frames::event_func_2039, &Frames::event_func_2040, &Frames::event_func_2041,
           &Frames::event_func_2042, &Frames::event_func_2043, &Frames::event_func_2044, &Frames::event_func_2045,
           &Frames::event_func_2046},
          [&] {
              // Each add-on starts elsewhere, on another layer, hidden.
              for (const char* name : {"PlayerSkinYelto_102", "PlayerSkinPimsa_324", "PlayerSkinDorrik_339"})
                  bodies.push_back(kit.place(name, 300, 400, 1));
              for (const char* name : {"PlayerSkinYeltoHair_209", "PlayerSkinPimsaTail_323", "PlayerSkinDorrikTail_342"})
                  add_ons.push_back(kit.place(name, 0, 0, 2));
          });
    const int steps[][4] = {{305, 398, 2, 0}, {311, 395, 24, 16}, {311, 390, 24, 16}, {290, 390, 7, 8}};
    for (const auto& [x, y, animation, direction] : steps) {
        for (FrameObject* body : bodies) {
            body->set_global_position(x, y);
            body->set_visible(true);
            active(body)->force_animation(animation);
            body->set_direction(direction, true);
        }
        kit.run();
        for (size_t i = 0; i < bodies.size(); ++i) {
            FrameObject* add_on = add_ons[i];
            EXPECT_EQ(std::vector<int>({add_on->get_x(), add_on->get_y(), active(add_on)->forced_animation,
                                        add_on->get_direction()}),
                      std::vector<int>({x, y, animation, direction}))
                << i;
            EXPECT_EQ(add_on->layer_next, bodies[i]) << i;
            EXPECT_TRUE(shown(add_on));
        }
    }
    EventKit::set_value(others, 'Y', 46);
    kit.run();
    for (size_t i = 0; i < bodies.size(); ++i)
        EXPECT_EQ(add_ons[i]->layer_prev, bodies[i]) << i;
    // Hiding one body hides its own add-on only.
    for (size_t hidden = 0; hidden < bodies.size(); ++hidden) {
        for (size_t i = 0; i < bodies.size(); ++i)
            bodies[i]->set_visible(i != hidden);
        kit.run();
        for (size_t i = 0; i < bodies.size(); ++i)
            EXPECT_EQ(shown(add_ons[i]), i != hidden) << hidden << i;
    }
}

}  // namespace
}  // namespace skin_events_test
