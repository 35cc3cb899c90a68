// Dying and coming back: a hit without petals, or a fall below the level,
// runs the death sequence tick by tick on the player's timer (a life at 70,
// the music calls at 80, the fade card from 90, the respawn at 210), and the
// act restarts with the player at the respawn point. Also the bike thrown off
// in a death and the slow second death, which the hurt events turn into the
// first.
#include "objects/active.h"
#include "objects/arrayext.h"
#include "objects/counter.h"
#include "runtime/manager.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int card_layer = 7;

// The movement values, which the frame's first tick runs without.
double movement(Frames& f, char name)
{
    const FrameObject* values = f.instances[types::PlayerMovementValues_80].back;
    return values ? EventKit::value(values, name) : 0;
}

void set_movement(Frames& f, char name, double number)
{
    if (FrameObject* values = f.instances[types::PlayerMovementValues_80].back)
        EventKit::set_value(values, name, number);
}

// Stand-ins for the events of other parts that a death passes through. The
// mode switch (events 742, 751 and 752) switches the sequence groups on by
// the movement mode; the death check (events 484 and 485) turns a death
// request into mode 9 with the action groups off, and the second request
// into mode 10.
void mode_switch(Frames& f)
{
    f.level_group_69 = movement(f, 'M') == 9;
    f.level_group_62 = movement(f, 'M') == 10;
}

void death_check(Frames& f)
{
    if (!f.level_group_7)
        return;
    if (movement(f, 'R') == 2) {
        set_movement(f, 'L', 0);
        set_movement(f, 'M', 9);
        set_movement(f, 'R', 0);
        for (bool* group : {&f.level_group_24, &f.level_group_73, &f.level_group_1, &f.level_group_61,
                            &f.level_group_3, &f.level_group_7, &f.level_group_6})
            *group = false;
    } else if (movement(f, 'R') == 3) {
        set_movement(f, 'R', 0);
        set_movement(f, 'M', 10);
        set_movement(f, 'L', 0);
        set_movement(f, 'G', 0);
    }
}

void sequence_a(Frames& f)
{
    f.event_func_1014();
    f.event_func_1015();
    f.event_func_1016();
    f.event_func_1017();
    for (int call = 0; call < 4; ++call)
        f.event_func_1018();
    f.event_func_1019();
    f.event_func_1020();
    f.event_func_1021();
    f.event_func_1022();
    f.event_func_1023();
    f.event_func_1024();
    f.event_func_1025();
    f.event_func_1026();
    f.event_func_1027();
    f.event_func_1028();
    f.event_func_1029();
    f.event_func_1030();
    f.event_func_1031();
    f.event_func_1032();
    f.event_func_1033();
    f.event_func_1034();
}

void sequence_b(Frames& f)
{
    f.event_func_1035();
    f.event_func_1036();
    f.event_func_1037();
    f.event_func_1038();
    f.event_func_1039();
    f.event_func_1040();
    f.event_func_1041();
    f.event_func_1042();
    f.event_func_1043();
    f.event_func_1044();
    f.event_func_1045();
    f.event_func_1046();
    f.event_func_1047();
    f.event_func_1048();
    f.event_func_1049();
    f.event_func_1050();
    f.event_func_1051();
}

// The player engine's part of the act's tick, in the act's order.
void player_engine(Frames& f)
{
    if (!f.level_group_43 || !f.level_group_23)
        return;
    mode_switch(f);
    sequence_a(f);
    sequence_b(f);
    f.event_func_1452();
    f.event_func_1453();
    f.event_func_1454();
    f.event_func_1455();
    f.event_func_1456();
    f.event_func_1457();
    f.event_func_1458();
    f.event_func_1459();
    f.event_func_1460();
    f.event_func_1461();
    f.event_func_1462();
    f.event_func_1463();
    f.event_func_1464();
    f.event_func_1465();
    f.event_func_1466();
    death_check(f);
    f.event_func_1467();
    f.event_func_1468();
    f.event_func_1469();
}

// Sequence B as written, without event 1469, which takes the player out
// of it on its first tick.
void sequence_b_alone(Frames& f)
{
    mode_switch(f);
    sequence_b(f);
}

// The frame's start state of the groups, run-once words and loops.
void start_state(Frames& f)
{
    for (bool* group : {&f.level_group_43, &f.level_group_23, &f.level_group_24, &f.level_group_7, &f.level_group_6,
                        &f.level_group_1, &f.level_group_3, &f.level_group_73, &f.level_group_61})
        *group = true;
    for (unsigned* word : {&f.run_once_1016, &f.run_once_1029, &f.run_once_1030, &f.run_once_1042, &f.run_once_1043,
                           &f.run_once_1047, &f.run_once_1465})
        *word = unsigned(f.loop_count);
    f.once_1028 = f.once_1046 = false;
    for (FastLoop* loop : {&f.fast_loop_death, &f.fast_loop_gui_shiftup, &f.fast_loop_spawndebris})
        *loop = FastLoop{};
}

class Death : public ::testing::Test {
protected:
    void SetUp() override { saved_lives = manager.lives; }
    void TearDown() override { manager.lives = saved_lives; }

    void enter(std::function<void(Frames&)> handler = player_engine)
    {
        kit.enter_empty_frame({.layers = 8, .width = 2000, .height = 1000, .handler = handler, .set_up = start_state});
        Frames& f = kit.frames();
        values = kit.place("PlayerMovementValues_80", -100, -100);
        others = kit.place("PlayerOthers_75", -100, -100);
        body = kit.place("Player_87", 400, 260, 3);
        skin = static_cast<Active*>(kit.place("PlayerSkinYelto_102", 400, 260, 3));
        meter = kit.place("GUILifeBaseMeter_77", -100, -100);
        camera = kit.place("MasterCamera_190", -100, -100);
        energy = kit.place("GUIEnergy_76", 10, 10);
        music = kit.place("ControllerMusic_49", -100, -100);
        level = kit.place("MasterLevel_53", -100, -100);
        petals = static_cast<Counter*>(kit.place("GUIRings_74", 10, 10));
        calls = static_cast<ArrayObject*>(kit.place("FunctionMusic_50", 0, 0));
        queue = static_cast<ArrayObject*>(kit.place("QueueMusic_51", 0, 0));
        save = static_cast<ArrayObject*>(kit.place("SaveData_10", 0, 0));
        // The kept objects start this run fresh.
        calls->clear();
        calls->data.current_x = 0;
        queue->clear();
        for (FrameObject* kept : {others, energy, music, level})
            for (char name = 'A'; name <= 'Z'; ++name)
                EventKit::set_value(kept, name, 0);
        for (const char name : {'A', 'B', 'G', 'L', 'M', 'R', 'S'})
            EventKit::set_value(values, name, 0);
        EventKit::set_value(values, 'Q', 1);
        EventKit::set_value(values, 'I', 0.25);
        EventKit::set_value(values, 'Y', 200);
        EventKit::set_value(energy, 'A', 100);
        EventKit::set_value(music, 'H', 1);
        EventKit::set_value(level, 'Y', 5);
        EventKit::set_value(others, 'D', 0);
        petals->set(0);
        manager.lives = 3;
        kit.set_global(0, 1);
        kit.set_global(31, 0);
        kit.set_global(16, 1.5);
        kit.set_global(17, 2);
        f.global_strings->set(0, "m_invincible");
        kit.take_sounds();
    }

    // Runs ticks until the death timer reads `e`.
    void run_to_timer(double e)
    {
        for (int guard = 0; guard < 400 && EventKit::value(body, 'E') < e; ++guard)
            kit.run(1);
        ASSERT_EQ(EventKit::value(body, 'E'), e);
    }

    Frames& f() { return kit.frames(); }

    EventKit kit;
    int saved_lives = 0;
    FrameObject* values = nullptr;
    FrameObject* others = nullptr;
    FrameObject* body = nullptr;
    Active* skin = nullptr;
    FrameObject* meter = nullptr;
    FrameObject* camera = nullptr;
    FrameObject* energy = nullptr;
    FrameObject* music = nullptr;
    FrameObject* level = nullptr;
    Counter* petals = nullptr;
    ArrayObject* calls = nullptr;
    ArrayObject* queue = nullptr;
    ArrayObject* save = nullptr;
};

TEST_F(Death, a_hit_without_petals_runs_the_death_sequence_and_takes_a_life)
{
    enter();
    const int deaths = save->get_value(1, 7, -1), count_3_3 = save->get_value(3, 3, -1);
    EventKit::set_value(values, 'L', 1);
    EventKit::set_value(values, 'R', 1);
    EventKit::set_value(meter, 'B', 3);
    kit.run(1);
    // The request: thrown up and back, dead, out of play.
    EXPECT_EQ(EventKit::value(values, 'M'), 9);
    EXPECT_EQ(EventKit::value(values, 'G'), -4.2);
    EXPECT_EQ(EventKit::value(values, 'B'), -2.2);
    EXPECT_FALSE(f().level_group_24);
    EXPECT_FALSE(f().level_group_69);  // the switch saw mode 0 this tick

    // First tick of the sequence.
    kit.run(1);
    EXPECT_TRUE(f().level_group_69);
    EXPECT_EQ(EventKit::value(others, 'Y'), 9);  // 9 + on-ground 0
    EXPECT_EQ(EventKit::value(values, 'G'), -4.2 + 0.25);
    EXPECT_EQ(EventKit::value(values, 'B'), 0);
    EXPECT_EQ(EventKit::value(values, 'T'), 1);
    EXPECT_EQ(EventKit::value(body, 'E'), 1);
    EXPECT_TRUE(EventKit::flag(body, 9));
    EXPECT_EQ(EventKit::value(camera, 'M'), 6);
    EXPECT_EQ(save->get_value(1, 7, -1), deaths + 1);
    EXPECT_EQ(save->get_value(3, 3, -1), count_3_3 + 1);
    EXPECT_EQ(f().fast_loop_gui_shiftup.index, 1);

    // The fall speeds up by I a tick until it reaches 5.
    kit.run(40);
    EXPECT_DOUBLE_EQ(EventKit::value(values, 'G'), 5.05);
    EXPECT_EQ(EventKit::value(body, 'E'), 41);
    // Counted once a frame visit.
    EXPECT_EQ(save->get_value(1, 7, -1), deaths + 1);
    // Held no lower than 290 pixels below the top of the view.
    EventKit::set_value(values, 'Y', 500);
    kit.run(1);
    EXPECT_EQ(EventKit::value(values, 'Y'), 290);

    run_to_timer(69);
    EXPECT_EQ(manager.lives, 3);
    kit.run(1);
    EXPECT_EQ(manager.lives, 2);
    kit.run(5);
    EXPECT_EQ(manager.lives, 2);

    run_to_timer(79);
    EXPECT_EQ(calls->get_string(0, 0, 0), "");
    kit.run(1);
    EXPECT_EQ(calls->get_string(0, 0, 0), "fadeout_music(2000)");
    EXPECT_EQ(calls->get_string(1, 0, 0), "unqueue_music()");
    EXPECT_EQ(calls->get_string(2, 0, 0), "lock_music()");

    run_to_timer(89);
    EXPECT_TRUE(kit.instances(types::LevelCardFade2_32).empty());
    kit.run(1);
    const auto cards = kit.instances(types::LevelCardFade2_32);
    ASSERT_EQ(cards.size(), 1u);
    EXPECT_EQ(cards[0]->layer->index, card_layer);
    EXPECT_EQ(cards[0]->get_x(), f().display_x);
    EXPECT_EQ(cards[0]->get_y(), f().display_y);
    EXPECT_EQ(static_cast<Active*>(cards[0])->x_scale, 1.5f);
    EXPECT_EQ(static_cast<Active*>(cards[0])->y_scale, 2.0f);
    // From 91 the card grows two steps more opaque a tick.
    cards[0]->blend_color.a = 0;
    kit.run(1);
    EXPECT_EQ(cards[0]->blend_color.a, 4);
    kit.run(1);
    EXPECT_EQ(cards[0]->blend_color.a, 8);

    run_to_timer(190);
    EXPECT_EQ(EventKit::value(energy, 'A'), 0);

    run_to_timer(209);
    EXPECT_FALSE(f().fast_loop_death.running);
    kit.run(1);
    // The respawn: the run values reset, the act restarts through "death".
    EXPECT_EQ(petals->value, 14);
    EXPECT_EQ(EventKit::value(others, 'Y'), 0);
    EXPECT_EQ(EventKit::value(level, 'Y'), 0);
    EXPECT_EQ(EventKit::value(music, 'D'), -1);
    EXPECT_EQ(EventKit::value(music, 'H'), 3);
    EXPECT_EQ(calls->get_string(0, 0, 0), "");
    EXPECT_TRUE(f().fast_loop_death.running);
    EXPECT_EQ(f().fast_loop_death.index, 1);
    EXPECT_EQ(manager.lives, 2);
}

TEST_F(Death, a_fall_below_the_level_runs_the_same_sequence)
{
    enter();
    petals->set(6);
    EventKit::set_value(values, 'Y', 1000 + 40);
    kit.run(1);
    EXPECT_EQ(EventKit::value(values, 'M'), 9);
    EXPECT_EQ(petals->value, 6);

    run_to_timer(70);
    EXPECT_EQ(manager.lives, 2);
    run_to_timer(210);
    EXPECT_EQ(petals->value, 14);
    EXPECT_EQ(f().fast_loop_death.index, 1);
}

TEST_F(Death, with_the_last_life_taken_the_timer_of_the_first_sequence_runs_on_to_the_restart)
{
    enter();
    manager.lives = 1;
    EventKit::set_value(values, 'R', 2);
    run_to_timer(70);
    EXPECT_EQ(manager.lives, 0);
    run_to_timer(210);
    EXPECT_TRUE(f().fast_loop_death.running);
}

TEST_F(Death, a_rider_leaves_the_bike_where_he_died_and_it_explodes)
{
    enter();
    kit.set_global(1, 3);
    EventKit::set_value(values, 'A', 3);
    EventKit::set_value(values, 'R', 2);
    kit.run(1);
    kit.take_sounds();
    kit.run(1);

    EXPECT_EQ(EventKit::value(values, 'A'), 2);
    EXPECT_EQ(kit.global(1), 2);
    const auto bikes = kit.instances(types::ObjectBike_340);
    ASSERT_EQ(bikes.size(), 1u);
    EXPECT_EQ(bikes[0]->get_x(), body->get_x());
    EXPECT_EQ(bikes[0]->get_y(), body->get_y());
    EXPECT_EQ(bikes[0]->layer->index, 3);
    EXPECT_TRUE(EventKit::flag(bikes[0], 6));
    // The debris loop broke it into four pieces, counting B from -5 to -1.
    EXPECT_EQ(EventKit::value(bikes[0], 'B'), -1);
    std::vector<int> debris_frames;
    for (FrameObject* piece : kit.instances(types::EffectsDebris_266))
        debris_frames.push_back(static_cast<Active*>(piece)->get_frame());
    EXPECT_EQ(debris_frames, (std::vector<int>{50, 49, 48, 47}));
    const auto explosions = kit.instances(types::EffectsExplosion01_130);
    ASSERT_EQ(explosions.size(), 1u);
    EXPECT_EQ(explosions[0]->get_x(), bikes[0]->get_x());
    EXPECT_EQ(f().fast_loop_spawndebris.index, 5);
    bool exploded = false;
    for (const auto& sound : kit.take_sounds())
        exploded = exploded || sound.id == 26;
    EXPECT_TRUE(exploded);
}

TEST_F(Death, the_second_death_request_gives_way_to_the_first_sequence)
{
    enter();
    EventKit::set_value(values, 'R', 3);
    EventKit::set_value(values, 'G', 3);
    kit.run(1);
    EXPECT_EQ(EventKit::value(values, 'M'), 10);
    EXPECT_EQ(EventKit::value(values, 'G'), 0);

    // One tick of the slow death: out of play, then held dead.
    kit.run(1);
    EXPECT_TRUE(f().level_group_62);
    EXPECT_EQ(EventKit::value(others, 'Y'), 11);
    EXPECT_FALSE(f().level_group_24);
    EXPECT_EQ(EventKit::value(values, 'M'), 9);

    kit.run(1);
    EXPECT_TRUE(f().level_group_69);
    EXPECT_EQ(EventKit::value(others, 'Y'), 9);
    EXPECT_EQ(EventKit::value(body, 'E'), 1);
}

TEST_F(Death, the_slow_death_sinks_once_the_skin_is_ready_and_restarts_at_220)
{
    enter(sequence_b_alone);
    EventKit::set_value(values, 'M', 10);
    EventKit::set_value(values, 'G', 2);
    kit.run(3);
    // Waiting for the skin: no sinking, no timer.
    EXPECT_EQ(EventKit::value(others, 'Y'), 11);
    EXPECT_EQ(EventKit::value(values, 'G'), 0);
    EXPECT_EQ(EventKit::value(values, 'Y'), 200);
    EXPECT_EQ(EventKit::value(body, 'E'), 0);

    skin->forced_frame = 4;  // the skin's dying animation has reached frame 4
    kit.take_sounds();
    kit.run(1);
    EXPECT_EQ(EventKit::value(values, 'Y'), 200);  // moved by G = 0, then G rises
    EXPECT_EQ(EventKit::value(values, 'G'), 0.05);
    EXPECT_EQ(EventKit::value(body, 'E'), 1);
    kit.run(1);
    EXPECT_DOUBLE_EQ(EventKit::value(values, 'Y'), 200.05);
    EXPECT_EQ(EventKit::value(values, 'G'), 0.1);
    const auto sounds = kit.take_sounds();
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds[0].id, 17u);

    run_to_timer(109);
    EXPECT_EQ(manager.lives, 3);
    kit.run(1);
    EXPECT_EQ(manager.lives, 2);
    EXPECT_EQ(calls->get_string(0, 0, 0), "lock_music()");
    run_to_timer(120);
    EXPECT_EQ(kit.instances(types::LevelCardFade2_32).size(), 1u);
    run_to_timer(219);
    EXPECT_FALSE(f().fast_loop_death.running);
    kit.run(1);
    EXPECT_EQ(petals->value, 14);
    EXPECT_EQ(EventKit::value(level, 'Y'), 5);  // left as it was
    EXPECT_TRUE(f().fast_loop_death.running);
}

TEST_F(Death, the_slow_deaths_timer_stops_once_the_last_life_is_taken)
{
    enter(sequence_b_alone);
    manager.lives = 1;
    EventKit::set_value(values, 'M', 10);
    skin->forced_frame = 4;
    run_to_timer(110);
    EXPECT_EQ(manager.lives, 0);
    kit.run(30);
    EXPECT_EQ(EventKit::value(body, 'E'), 110);
    EXPECT_TRUE(kit.instances(types::LevelCardFade2_32).empty());
}

// The whole act: the sequence on the act's own handler, then the restart
// that the loop "death" asks for, which puts the player at the respawn point
// with the values that outlive the act.
TEST_F(Death, after_the_sequence_the_act_restarts_with_the_player_at_the_respawn_point)
{
    manager.lives = 3;
    kit.set_global(4, 2);  // a checkpoint was passed
    kit.set_global(5, 900);
    kit.set_global(6, 300);
    kit.enter_frame(4);
    FrameObject* act_values = kit.instance(types::PlayerMovementValues_80);
    FrameObject* act_body = kit.instance(types::Player_87);
    ASSERT_NE(act_values, nullptr) << "the act's set-up places no player";
    ASSERT_NE(act_body, nullptr) << "the act's set-up places no player";
    EXPECT_EQ(EventKit::value(act_values, 'X'), 900);

    // Dead as the death check leaves the player, in the group of mode 9.
    EventKit::set_value(act_values, 'M', 9);
    f().level_group_24 = false;
    f().level_group_69 = true;
    f().fast_loop_death = FastLoop{};
    for (int tick = 0; tick < 300 && !f().fast_loop_death.running; ++tick)
        kit.run(1);
    EXPECT_EQ(EventKit::value(act_body, 'E'), 210);
    EXPECT_EQ(f().fast_loop_death.index, 1);
    EXPECT_EQ(manager.lives, 2);

    kit.enter_frame(4);
    act_values = kit.instance(types::PlayerMovementValues_80);
    EXPECT_EQ(EventKit::value(act_values, 'X'), 900);
    // The start events put the player at the kept position, as the camera
    // took it; the first tick moves it by the vertical speed it had, 0.
    EXPECT_EQ(EventKit::values(kit.instance(types::MasterCamera_190), "AB"), (std::vector<double>{900, 300}));
    EXPECT_EQ(EventKit::value(act_values, 'Y'), 300);
    EXPECT_EQ(EventKit::value(kit.instance(types::Player_87), 'E'), 0);
    EXPECT_EQ(static_cast<Counter*>(kit.instance(types::GUIRings_74))->value, 14);
    // The death left state 0; the player starts in the air, and its first
    // tick's fall takes it to the airborne state.
    EXPECT_EQ(EventKit::value(kit.instance(types::PlayerOthers_75), 'Y'), 40);
    EXPECT_EQ(manager.lives, 2);
    EXPECT_TRUE(f().level_group_24);
    EXPECT_FALSE(f().level_group_69);
}

}  // namespace
