// The hair and tails copy their bodies every tick and are drawn behind them,
// in front of them in state 46, and shown exactly while their bodies are.
#include "game/objects/classes.h"
#include "objects/active.h"
#include "runtime/layer.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool shown(const FrameObject* object) { return object->flags & FrameObject::VISIBLE; }

class HairAndTails : public testing::Test {
protected:
    void SetUp() override { class_records::alterables_75 = SavedAlterables{}; }
    void TearDown() override { class_records::alterables_75 = SavedAlterables{}; }

    void enter()
    {
        kit.enter_empty_frame({.layers = 3,
                               .width = 2000,
                               .height = 1000,
                               .handler =
                                   [](Frames& f) {
                                       for (auto event : {&Frames::event_func_2038, &Frames::event_func_2039,
                                                          &Frames::event_func_2040, &Frames::event_func_2041,
                                                          &Frames::event_func_2042, &Frames::event_func_2043,
                                                          &Frames::event_func_2044, &Frames::event_func_2045,
                                                          &Frames::event_func_2046})
                                           (f.*event)();
                                   },
                               .set_up = [this](Frames& f) {
                                   f.level_group_43 = true;
                                   others = kit.place("PlayerOthers_75", -100, -100, 1);
                                   // Each add-on starts elsewhere and in front of its body.
                                   for (const Pair& pair : pairs) {
                                       bodies.push_back(kit.place(pair.body, 300, 400, 1));
                                       add_ons.push_back(kit.place(pair.add_on, 0, 0, 2));
                                   }
                               }});
    }

    struct Pair {
        const char* body;
        const char* add_on;
    };
    static constexpr Pair pairs[] = {{"PlayerSkinYelto_102", "PlayerSkinYeltoHair_209"},
                                     {"PlayerSkinPimsa_324", "PlayerSkinPimsaTail_323"},
                                     {"PlayerSkinDorrik_339", "PlayerSkinDorrikTail_342"}};

    EventKit kit;
    FrameObject* others = nullptr;
    std::vector<FrameObject*> bodies, add_ons;
};

TEST_F(HairAndTails, add_ons_copy_place_animation_direction_and_layer_and_sit_behind_or_in_front)
{
    enter();
    EventKit::set_value(others, 'Y', 2);
    struct Step {
        int x, y, animation, direction;
    };
    for (const Step& step : {Step{300, 400, 1, 0}, Step{305, 398, 2, 0}, Step{311, 395, 24, 16},
                             Step{311, 390, 24, 16}, Step{290, 390, 7, 8}}) {
        for (FrameObject* body : bodies) {
            body->set_global_position(step.x, step.y);
            static_cast<Active*>(body)->force_animation(step.animation);
            body->set_direction(step.direction, true);
        }
        kit.run();
        for (size_t i = 0; i < bodies.size(); ++i) {
            const FrameObject* body = bodies[i];
            const FrameObject* add_on = add_ons[i];
            EXPECT_EQ(add_on->get_x(), step.x) << pairs[i].add_on;
            EXPECT_EQ(add_on->get_y(), step.y) << pairs[i].add_on;
            EXPECT_EQ(static_cast<const Active*>(add_on)->forced_animation,
                      static_cast<const Active*>(body)->current_animation)
                << pairs[i].add_on;
            EXPECT_EQ(add_on->get_direction(), step.direction) << pairs[i].add_on;
            EXPECT_EQ(add_on->layer, body->layer) << pairs[i].add_on;
            EXPECT_EQ(add_on->layer_next, body) << pairs[i].add_on;
        }
    }
    // State 46 brings them directly in front; leaving it, behind again.
    EventKit::set_value(others, 'Y', 46);
    kit.run();
    for (size_t i = 0; i < bodies.size(); ++i)
        EXPECT_EQ(add_ons[i]->layer_prev, bodies[i]) << pairs[i].add_on;
    EventKit::set_value(others, 'Y', 3);
    kit.run();
    for (size_t i = 0; i < bodies.size(); ++i)
        EXPECT_EQ(add_ons[i]->layer_next, bodies[i]) << pairs[i].add_on;
}

TEST_F(HairAndTails, add_ons_show_exactly_while_their_bodies_do)
{
    enter();
    for (FrameObject* add_on : add_ons)
        add_on->set_visible(false);
    for (FrameObject* body : bodies)
        body->set_visible(true);
    kit.run();
    for (const FrameObject* add_on : add_ons)
        EXPECT_TRUE(shown(add_on));
    // Hiding one body hides its own add-on only.
    for (size_t hidden = 0; hidden < bodies.size(); ++hidden) {
        for (size_t i = 0; i < bodies.size(); ++i)
            bodies[i]->set_visible(i != hidden);
        kit.run();
        for (size_t i = 0; i < bodies.size(); ++i)
            EXPECT_EQ(shown(add_ons[i]), i != hidden) << pairs[i].add_on;
    }
}

}  // namespace
