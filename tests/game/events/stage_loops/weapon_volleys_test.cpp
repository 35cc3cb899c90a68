// Hespin's weapon loop through the events that start it would: one pass a
// shot. Each volley fires its shots at its headings with the player's
// motion added, its burst, its sample and its cooldown, and spends a unit
// of the slot's ammunition; a cooling arm or an empty slot fires nothing.
#include "game/frames/event_index.h"
#include "objects/active.h"
#include "objects/arrayext.h"
#include "tests/game/events/stage_loops/gimmick_scene.h"

#include <cmath>

using gimmick_test::GimmickScene;
using gimmick_test::playfield;

namespace {

double deg_sin(double a) { return a == 180 ? 0.0 : std::sin(a / 57.29577951308232); }
double deg_cos(double a) { return a == 90 || a == 270 ? 0.0 : std::cos(a / 57.29577951308232); }

class WeaponLoop : public GimmickScene {
protected:
    void SetUp() override
    {
        GimmickScene::SetUp();
        f().level_group_61 = true;
        f().level_group_22 = true;
        values = kit.place("PlayerMovementValues_80", -100, -100, 5);
        EventKit::set_value(values, 'B', 4);
        EventKit::set_value(values, 'O', 30);
        EventKit::set_value(values, 'Q', 1);
        save = static_cast<ArrayObject*>(kit.place("SaveData_10", -100, -100, 5));
        skin = kit.place("PlayerSkinHespin_351", 200, 150, playfield);
        arm = kit.place("PlayerSkinHespinArm_350", 204, 140, playfield);
        EventKit::set_value(arm, 'D', 30);
        kit.take_sounds();
    }

    // Slot `slot` current, holding weapon `kind` at `level` with `ammo` left.
    void load(int slot, int kind, int level, int ammo)
    {
        EventKit::set_value(skin, 'D', slot);
        save->set_value(kind, 1, 2 * slot + 24, -1);
        save->set_value(level, 1, 2 * slot + 25, -1);
        EventKit::set_value(arm, char('A' + 5 + slot), ammo);
        EventKit::set_value(arm, 'C', 0);
    }

    // One pass of the loop; the shots it made, oldest first.
    std::vector<FrameObject*> fire()
    {
        const size_t before = kit.instances(types::PlayerProjectile_336).size();
        f().run_loop(f().fast_loop_weapon, 1, &Frames::loop_weapon_4);
        std::vector<FrameObject*> shots = kit.instances(types::PlayerProjectile_336);
        shots.erase(shots.begin(), shots.begin() + long(before));
        return shots;
    }

    // The velocity a shot gets at `heading` and `speed`, with half the
    // player's motion (4 at 30 degrees).
    static std::vector<double> velocity(double heading, double speed, double factor = 0.5)
    {
        return {speed * deg_cos(heading) + factor * 4 * deg_cos(30),
                -speed * deg_sin(heading) - factor * 4 * deg_sin(30)};
    }

    std::vector<unsigned> sounds()
    {
        std::vector<unsigned> ids;
        for (const SoundStart& sound : kit.take_sounds())
            ids.push_back(sound.id);
        return ids;
    }

    FrameObject *values = nullptr, *skin = nullptr, *arm = nullptr;
    ArrayObject* save = nullptr;
};

}  // namespace

TEST_F(WeaponLoop, kind_0_fires_three_shots_fanned_20_degrees_with_one_burst_sample_and_cooldown)
{
    load(1, 0, 0, 5);
    const std::vector<FrameObject*> shots = fire();
    ASSERT_EQ(shots.size(), 3u);
    const double headings[] = {10, 30, 50};
    // Out of the arm's action point, 8 pixels along direction 0.
    const int x = arm->get_action_x() + 8, y = arm->get_action_y();
    for (size_t k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(EventKit::values(shots[k], "CD"), velocity(headings[k], 10));
        EXPECT_EQ(EventKit::values(shots[k], "ABJHI"), doubles(x, y, 1, -15, 3));
        EXPECT_EQ(shots[k]->get_x(), x);
        EXPECT_EQ(static_cast<Active*>(shots[k])->get_frame(), 2);
        EXPECT_TRUE(EventKit::flag(shots[k], 1));
    }
    // Only the middle shot is turned along the aim.
    EXPECT_EQ(shots[0]->get_angle(), 0);
    EXPECT_EQ(shots[1]->get_angle(), 30);
    const std::vector<FrameObject*> bursts = kit.instances(types::EffectsWhiteBurst_31);
    ASSERT_EQ(bursts.size(), 1u);
    EXPECT_EQ(bursts[0]->get_angle(), 30);
    EXPECT_EQ(EventKit::values(bursts[0], "HI"), doubles(x - 200, y - 150));
    EXPECT_EQ(static_cast<Active*>(bursts[0])->x_scale, 0.25f);
    EXPECT_EQ(sounds(), std::vector<unsigned>{210});
    EXPECT_EQ(EventKit::values(arm, "ACG"), doubles(30, 12, 4));

    // Cooling down: the next pass fires nothing.
    EXPECT_TRUE(fire().empty());
    EXPECT_EQ(EventKit::value(arm, 'G'), 4);

    // Aiming up (direction 8) the shots leave 8 pixels above the action point.
    arm->set_direction(8, false);
    load(1, 0, 0, 1);
    const std::vector<FrameObject*> up = fire();
    ASSERT_EQ(up.size(), 3u);
    EXPECT_EQ(up[0]->get_x(), arm->get_action_x());
    EXPECT_EQ(up[0]->get_y(), arm->get_action_y() - 8);
    // The last unit spent: an empty slot fires nothing, nor a slot past Z.
    EXPECT_EQ(EventKit::value(arm, 'G'), 0);
    EventKit::set_value(arm, 'C', 0);
    EXPECT_TRUE(fire().empty());
    load(1, 0, 0, 5);
    EventKit::set_value(skin, 'D', 21);
    EXPECT_TRUE(fire().empty());
    sounds();
}

TEST_F(WeaponLoop, the_basic_shot_of_slot_0_spends_nothing_and_blocks_the_other_volleys)
{
    load(0, 0, 0, 5);  // the weapon rows of slot 0 name kind 0 level 0 too
    const std::vector<FrameObject*> shots = fire();
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_EQ(EventKit::values(shots[0], "CD"), velocity(30, 12));
    EXPECT_EQ(EventKit::values(shots[0], "JHI"), doubles(20, -10, 1));
    EXPECT_EQ(static_cast<Active*>(shots[0])->get_frame(), 0);
    EXPECT_EQ(shots[0]->get_angle(), 30);
    EXPECT_EQ(kit.instances(types::EffectsWhiteBurst_31).size(), 1u);
    EXPECT_EQ(sounds(), std::vector<unsigned>{153});
    EXPECT_EQ(EventKit::values(arm, "ACF"), doubles(30, 10, 5));
}

TEST_F(WeaponLoop, the_special_volleys_heat_the_arm_draw_their_spread_swing_and_shake_the_camera)
{
    // Kind 2 level 0: E 18 heats to 20, speed 10; at 20 it stays.
    EventKit::set_value(arm, 'E', 18);
    load(2, 2, 0, 5);
    std::vector<FrameObject*> shots = fire();
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_EQ(EventKit::values(shots[0], "CD"), velocity(30, 10));
    EXPECT_EQ(EventKit::values(arm, "ACE"), doubles(15, 4, 20));
    load(2, 2, 0, 5);
    fire();
    EXPECT_EQ(EventKit::value(arm, 'E'), 20);

    // Kind 2 level 2: two draws of the level events' state from seed 0, 0
    // and 4 (38 and 7719 scaled to 20).
    event_random_state(441) = RandomState{};
    load(2, 2, 2, 5);
    shots = fire();
    ASSERT_EQ(shots.size(), 1u);
    const double along = 4 + 0.1 * 0, across = -0.1 * 4;
    EXPECT_EQ(EventKit::values(shots[0], "ON"), doubles(along, across));
    EXPECT_EQ(EventKit::values(shots[0], "CD"),
              doubles(deg_cos(30) * along - deg_sin(30) * across + 2 * deg_cos(30),
                      deg_cos(30) * across - deg_sin(30) * along - 2 * deg_sin(30)));

    // Kind 3 level 0: tick count 7.5 gives g = 7 and a swing of 20 sin 84.
    kit.set_global(3, 7.5);
    load(2, 3, 0, 5);
    shots = fire();
    ASSERT_EQ(shots.size(), 1u);
    const double w = 20 * deg_sin(84);
    EXPECT_EQ(EventKit::values(shots[0], "CD"),
              doubles(7 * (deg_cos(30) * deg_cos(w) + deg_sin(30) * deg_sin(w)) + 0.7 * 4 * deg_cos(30),
                      7 * (deg_cos(30) * deg_sin(w) - deg_sin(30) * deg_cos(w)) - 0.7 * 4 * deg_sin(30)));

    // Kind 3 level 2 throws nothing: sound, cooldown, a unit spent.
    load(2, 3, 2, 5);
    EXPECT_TRUE(fire().empty());
    EXPECT_EQ(EventKit::values(arm, "ACH"), doubles(10, 25, 4));

    // Kind 4 level 2 shakes the camera to 3 at least; level 1 plays two
    // samples and keeps the aim in L.
    FrameObject* camera = kit.place("MasterCamera_190", -100, -100, 5);
    EventKit::set_value(camera, 'Z', 1);
    load(2, 4, 2, 5);
    fire();
    EXPECT_EQ(EventKit::value(camera, 'Z'), 3);
    load(2, 4, 1, 5);
    shots = fire();
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_EQ(EventKit::values(shots[0], "JL"), doubles(14, 30));
    sounds();
    load(2, 4, 1, 5);
    fire();
    EXPECT_EQ(sounds(), (std::vector<unsigned>{207, 212}));

    // A kind outside 0 ... 4 fires nothing.
    load(2, 5, 0, 5);
    EXPECT_TRUE(fire().empty());
    EXPECT_EQ(EventKit::value(arm, 'H'), 5);
}

TEST_F(WeaponLoop, the_skin_shows_the_frame_its_aim_and_saved_rows_ask_for)
{
    auto* body = static_cast<Active*>(skin);
    body->force_frame(4);
    body->restore_frame();
    save->set_value(3, 1, 10, -1);
    save->set_value(2, 1, 11, -1);
    EventKit::set_value(arm, 'C', 5);  // cooling: no volley, the frames still set
    fire();
    EXPECT_EQ(body->get_frame(), 2);
    save->set_value(1, 1, 10, -1);
    fire();
    EXPECT_EQ(body->get_frame(), 0);
}

TEST_F(WeaponLoop, each_single_shot_volley_sets_its_frame_code_hit_values_burst_sample_and_cooldown)
{
    struct Row {
        int kind, level, frame;
        double speed;  // 0: the shot gets no velocity of its own
        double code, h, i;
        bool burst, shot_turned;
        unsigned sample;
        double cooldown, camera;
    };
    // H 0 is the shot's own start value; every burst here is turned.
    const Row rows[] = {
        {0, 1, 1, 8, 2, -20, 5, true, false, 210, 30, 1},  {0, 2, 4, 0, 3, -90, 2, true, false, 211, 30, 1},
        {1, 0, 8, 15, 4, 0, 6, true, true, 204, 30, 3},    {1, 1, 30, 8, 5, 0, 1, false, false, 153, 50, 1},
        {1, 2, 6, 12, 6, -30, 6, true, true, 153, 35, 1},  {2, 1, 7, 6, 8, -60, 3, false, false, 153, 50, 1},
        {3, 1, 5, 8, 11, -40, 2, true, true, 153, 60, 1},  {4, 0, 3, 0, 13, -20, 2, true, true, 207, 15, 1},
    };
    FrameObject* camera = kit.place("MasterCamera_190", -100, -100, 5);
    EventKit::set_value(values, 'Q', -1);  // facing left
    const int x = arm->get_action_x() + 8, y = arm->get_action_y();
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "kind " << row.kind << " level " << row.level);
        load(1, row.kind, row.level, 5);
        EventKit::set_value(arm, 'A', 0);
        EventKit::set_value(camera, 'Z', 1);
        const size_t bursts_before = kit.instances(types::EffectsWhiteBurst_31).size();
        const std::vector<FrameObject*> shots = fire();
        ASSERT_EQ(shots.size(), 1u);
        FrameObject* shot = shots[0];
        EXPECT_EQ(static_cast<Active*>(shot)->get_frame(), row.frame);
        EXPECT_EQ(EventKit::values(shot, "CD"), row.speed ? velocity(30, row.speed) : doubles(0, 0));
        EXPECT_EQ(EventKit::values(shot, "ABJHIK"), doubles(x, y, row.code, row.h, row.i, 1));
        EXPECT_TRUE(EventKit::flag(shot, 1));
        EXPECT_EQ(shot->get_angle(), row.shot_turned ? 30 : 0);
        const std::vector<FrameObject*> bursts = kit.instances(types::EffectsWhiteBurst_31);
        ASSERT_EQ(bursts.size() - bursts_before, row.burst ? 1u : 0u);
        if (row.burst) {
            EXPECT_EQ(bursts.back()->get_angle(), 30);
        }
        EXPECT_EQ(sounds(), std::vector<unsigned>{row.sample});
        EXPECT_EQ(EventKit::values(arm, "ACG"), doubles(30, row.cooldown, 4));
        EXPECT_EQ(EventKit::value(camera, 'Z'), row.camera);
        if (row.kind == 0 && row.level == 2) {  // flies by the facing and the aim turned to it
            EXPECT_EQ(EventKit::values(shot, "NO"), doubles(-1, -150));
        }
    }

    // The camera keeps a Z above 3.
    load(1, 1, 0, 5);
    EventKit::set_value(camera, 'Z', 4);
    fire();
    EXPECT_EQ(EventKit::value(camera, 'Z'), 4);
    sounds();
}
