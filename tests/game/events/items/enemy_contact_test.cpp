// Enemies hurt the vulnerable player; the player's body and weapons hit
// them (or bounce off the armoured ones); an enemy out of health is
// defeated, flies off spinning, drops its crystals in a fan and is gone
// once out of the playfield.
#include "tests/game/events/items/items_kit.h"

using namespace items_test;

namespace {

std::vector<Event> contact_and_defeat_events()
{
    std::vector<Event> events;
    for (void (Frames::*event)() :
         {&Frames::event_func_1801, &Frames::event_func_1802, &Frames::event_func_1803, &Frames::event_func_1806,
          &Frames::event_func_1807, &Frames::event_func_1808, &Frames::event_func_1809, &Frames::event_func_1810,
          &Frames::event_func_1811, &Frames::event_func_1812, &Frames::event_func_1813, &Frames::event_func_1814,
          &Frames::event_func_1815, &Frames::event_func_1816, &Frames::event_func_1817, &Frames::event_func_1818,
          &Frames::event_func_1819, &Frames::event_func_1820, &Frames::event_func_1821, &Frames::event_func_1822,
          &Frames::event_func_1823, &Frames::event_func_1824, &Frames::event_func_1825, &Frames::event_func_1826,
          &Frames::event_func_1827, &Frames::event_func_1828, &Frames::event_func_1829, &Frames::event_func_1830,
          &Frames::event_func_1831, &Frames::event_func_1832, &Frames::event_func_1833, &Frames::event_func_1834,
          &Frames::event_func_1835, &Frames::event_func_1836, &Frames::event_func_1837, &Frames::event_func_1838})
        events.push_back(event);
    return events;
}

class EnemyContact : public ItemsScene {
protected:
    void SetUp() override
    {
        ItemsScene::SetUp();
        enter(contact_and_defeat_events());
        kit.set_global(3, 1);  // keeps the flame shield's rhythm off
    }

    FrameObject* enemy(int x = 200, int y = 120) { return place("EnemyPokkol_138", x, y); }

    void attack(double b, double g)
    {
        set(values, 'Z', 1);
        set(values, 'B', b);
        set(values, 'G', g);
        set(values, 'Q', 1);
        set(others, 'K', 0);
    }
};

}  // namespace

TEST_F(EnemyContact, a_harmful_enemy_hurts_the_vulnerable_player_and_a_harmless_or_stunned_one_does_not)
{
    place("PlayerCharacterSensor_151", 200, 120);
    FrameObject* pokkol = enemy();
    set(pokkol, 'B', 12);
    set(pokkol, 'C', 1);
    kit.run(1);
    EXPECT_EQ(value(values, 'R'), 0);  // stunned
    kit.run(1);
    EXPECT_EQ(value(values, 'R'), 1);
    EXPECT_EQ(value(meter, 'B'), 12);
    kit.run(1);  // a hurt player is not hurt again until R is taken
    EXPECT_EQ(value(meter, 'B'), 12);
    set(values, 'R', 0);
    set(others, 'E', 5);  // still invincible after a hit
    kit.run(1);
    EXPECT_EQ(value(meter, 'B'), 12);
    set(others, 'E', 0);
    set(values, 'M', 21);
    kit.run(1);
    EXPECT_EQ(value(meter, 'B'), 12);
    set(values, 'M', 0);
    set_flag_of(pokkol, 6);
    kit.run(1);
    EXPECT_EQ(value(values, 'R'), 0);
}

TEST_F(EnemyContact, landing_on_enemies_hits_one_stuns_it_and_defeats_it_when_its_health_runs_out)
{
    place("PlayerSensorBottomBig_95", 200, 120);
    FrameObject* pokkol = enemy();
    set(pokkol, 'S', 3);
    attack(2, 6);
    kit.run(1);
    // 8 - (6/5 + 3); the stun 5 already counted down once by the tick's end.
    EXPECT_EQ(EventKit::values(pokkol, "ACXY"), doubles(8 - (6.0 / 5 + 3), 4, 1, 6));
    EXPECT_EQ(pokkol->shader, 17);
    EXPECT_EQ(EventKit::values(others, "IK"), doubles(1, 5));
    EXPECT_EQ(sample_count(kit.take_sounds(), 21), 1);
    // The chain holds while the body touches an enemy; the flash ends as the
    // stun reaches 1.
    kit.run(2);
    EXPECT_EQ(pokkol->shader, 17);
    kit.run(1);
    EXPECT_EQ(value(pokkol, 'C'), 1);
    EXPECT_EQ(pokkol->shader, 0);
    EXPECT_EQ(value(others, 'I'), 1);
    kit.run(1);

    attack(0, 10);  // 10/5 + 3 = 5 more: defeated
    kit.run(1);
    EXPECT_TRUE(flag(pokkol, 6));
    EXPECT_EQ(value(pokkol, 'A'), 0);
    EXPECT_EQ(sample_count(kit.take_sounds(), 20), 1);
    // Kicked up by 3, falling back at 0.25 a tick; one crystal a tick.
    EXPECT_EQ(value(pokkol, 'Y'), 10 - 3 + 0.25);
    EXPECT_EQ(pokkol->get_y(), 120 + 7);
    // Each crystal leaves in the fan's next direction about straight up.
    std::vector<double> fan;
    for (int tick = 0; tick < 3; ++tick) {
        FrameObject* crystal = live(types::ObjectCrystal_239).back();
        fan.push_back(crystal->get_direction());
        EXPECT_TRUE(flag(crystal, 0));
        if (tick < 2)
            kit.run(1);
    }
    EXPECT_EQ(live(types::ObjectCrystal_239).size(), 3u);
    EXPECT_EQ(fan, doubles(6, 9, 7));
    EXPECT_EQ(value(pokkol, 'S'), 0);
    EXPECT_EQ(value(pokkol, 'Z'), 3);
    EXPECT_EQ(pokkol->get_x(), 200);
    // Flying off until it leaves the playfield.
    set(pokkol, 'X', -40);
    for (int tick = 0; tick < 20 && !(pokkol->flags & FrameObject::DESTROYING); ++tick)
        kit.run(1);
    EXPECT_TRUE(pokkol->flags & FrameObject::DESTROYING);
    EXPECT_LT(pokkol->get_x(), 0);
}

TEST_F(EnemyContact, a_defeated_enemy_flies_on_falling_up_to_15_and_spins_by_twice_its_x_speed_but_at_least_8)
{
    FrameObject* pokkol = enemy();
    set_flag_of(pokkol, 6);
    set(pokkol, 'X', 2);
    set(pokkol, 'Y', -3);
    // Held by its own events: never moves, spins or counts.
    FrameObject* held = enemy(300, 120);
    set_flag_of(held, 6);
    set_flag_of(held, 16);
    set(held, 'X', 6);
    set(held, 'Y', 1);
    struct Tick {
        double x_speed;  // set before the tick
        int x, y, angle;
        double fall;
    };
    // The move uses Y from before its increase.
    const Tick ticks[] = {
        {2, 202, 117, 8, -2.75},  {2, 204, 114, 16, -2.5},  {6, 210, 111, 28, -2.25},
        {-5, 205, 108, 36, -2},   {4.5, 209, 106, 45, -1.75}, {0, 209, 104, 53, -1.5},
    };
    int z = 0;
    for (const Tick& t : ticks) {
        SCOPED_TRACE(testing::Message() << "tick " << z + 1 << " X " << t.x_speed);
        set(pokkol, 'X', t.x_speed);
        kit.run(1);
        ++z;
        EXPECT_EQ(pokkol->get_x(), t.x);
        EXPECT_EQ(pokkol->get_y(), t.y);
        EXPECT_EQ(pokkol->get_angle(), t.angle);
        EXPECT_EQ(EventKit::values(pokkol, "XYZ"), doubles(t.x_speed, t.fall, z));
    }
    set(pokkol, 'Y', 14.9);
    kit.run(1);
    EXPECT_EQ(pokkol->get_y(), 104 + 14);
    EXPECT_EQ(value(pokkol, 'Y'), 15);
    kit.run(1);
    EXPECT_EQ(pokkol->get_y(), 104 + 14 + 15);
    EXPECT_EQ(value(pokkol, 'Y'), 15);

    EXPECT_EQ(held->get_x(), 300);
    EXPECT_EQ(held->get_y(), 120);
    EXPECT_EQ(held->get_angle(), 0);
    EXPECT_EQ(EventKit::values(held, "XYZ"), doubles(6, 1, 0));
}

TEST_F(EnemyContact, armour_deflects_a_body_attack_unless_another_enemy_was_hit_first_and_a_chain_ends_at_four)
{
    place("PlayerSensorBottomBig_95", 200, 120);
    FrameObject* armoured = enemy();
    set_flag_of(armoured, 5);
    attack(0, 3);
    kit.run(1);
    EXPECT_EQ(EventKit::values(armoured, "AC"), doubles(8, 4));
    EXPECT_EQ(EventKit::values(others, "IK"), doubles(1, 5));
    EXPECT_EQ(sample_count(kit.take_sounds(), 27), 1);

    kit.run(5);
    FrameObject* plain = enemy();
    attack(0, 3);
    kit.run(1);
    EXPECT_EQ(value(plain, 'C'), 4);
    EXPECT_EQ(value(armoured, 'C'), 0);  // K was 5 by the deflect's turn
    EXPECT_EQ(sample_count(kit.take_sounds(), 27), 0);

    kit.run(5);
    set(others, 'I', 4);
    attack(0, 3);
    kit.run(1);
    EXPECT_EQ(value(plain, 'C'), 0);
    EXPECT_EQ(value(others, 'K'), 0);
    // The vulnerable player's chain is cleared at once.
    set(values, 'Z', 0);
    kit.run(1);
    EXPECT_EQ(value(others, 'I'), 0);
}

TEST_F(EnemyContact, the_weapons_each_hit_with_their_own_stun_knock_back_and_damage)
{
    FrameObject* pokkol = enemy();
    double health = 100;
    set(pokkol, 'A', health);
    // A weapon on the enemy, which has its stun and the player its cool-down over.
    auto hit_by = [&](const char* weapon) {
        set(pokkol, 'C', 0);
        set(others, 'K', 0);
        return place(weapon, 200, 120);
    };
    auto put_away = [](FrameObject* weapon) { weapon->set_y(-200); };

    attack(6, 2);  // the bike rams at more than 5 a tick
    set(values, 'Z', 0);
    set(values, 'A', 3);
    FrameObject* bike_sensor = hit_by("PlayerSensorRightBig_91");
    kit.run(1);
    health -= 6 * 0.25 + 1;
    EXPECT_EQ(EventKit::values(pokkol, "AXY"), doubles(health, 4, 1));
    EXPECT_EQ(value(others, 'K'), 3);
    put_away(bike_sensor);
    set(values, 'A', 0);

    FrameObject* insta = hit_by("ShieldInstaShield_187");
    set(insta, 'A', 1);
    set_flag_of(insta, 4);  // no cool-down
    FrameObject* pimsa = place("PlayerSkinPimsa_324", -100, -100);
    kit.run(1);
    health -= (4 - 1) + 6.0 / 10;
    EXPECT_EQ(EventKit::values(pokkol, "ACX"), doubles(health, 6 - 1, 9));
    EXPECT_EQ(value(others, 'K'), 0);
    EXPECT_TRUE(flag(pimsa, 3));
    put_away(insta);

    FrameObject* shot = hit_by("PlayerProjectile_336");
    set(shot, 'I', 2);
    set(shot, 'C', 8);
    FrameObject* energy = place("GUIEnergy_76", -100, -100);
    kit.run(1);
    health -= 2;
    EXPECT_EQ(EventKit::values(pokkol, "ACX"), doubles(health, 3 - 1, 4));
    EXPECT_EQ(value(energy, 'A'), 5);
    EXPECT_TRUE(flag(shot, 6));
    put_away(shot);

    FrameObject* reflector = hit_by("PlayerReflect_343");  // orbiting at 90 degrees
    set(reflector, 'A', 5);
    set(reflector, 'C', 90);
    set(reflector, 'H', 3);
    kit.run(1);
    health -= (3 - 1) + 1;
    EXPECT_EQ(EventKit::values(pokkol, "AXY"), doubles(health, 0, -5));  // an exact zero
    put_away(reflector);

    FrameObject* flame = hit_by("ShieldFlameFront_104");
    kit.run(1);
    EXPECT_EQ(value(pokkol, 'A'), health);  // level tick 1: not a multiple of 8
    kit.set_global(3, -16);
    kit.run(1);
    health -= 1;
    EXPECT_EQ(EventKit::values(pokkol, "AC"), doubles(health, 2));
    put_away(flame);
    kit.set_global(3, 1);

    FrameObject* box = hit_by("MonitorCrystals_120");
    set(box, 'A', 2);  // thrown
    set(box, 'X', 4);
    kit.run(1);
    health -= 15;
    EXPECT_EQ(EventKit::values(pokkol, "AX"), doubles(health, 2));
    EXPECT_TRUE(flag(box, 6));
    set(pokkol, 'C', 0);
    kit.run(1);
    EXPECT_EQ(value(pokkol, 'A'), health);  // a box strikes once
    put_away(box);

    FrameObject* icon = hit_by("MonitorIcon_125");
    active(icon)->force_frame(9);
    set_flag_of(pokkol, 5);  // the explosion spares the armoured
    kit.run(1);
    EXPECT_EQ(value(pokkol, 'A'), health);
    pokkol->alterables->flags &= ~(1 << 5);
    kit.run(1);
    health -= 15;
    EXPECT_EQ(EventKit::values(pokkol, "AY"), doubles(health, -3));
    EXPECT_TRUE(flag(icon, 25));
}

TEST_F(EnemyContact, an_attacking_players_chain_ends_only_when_no_sensor_touches_an_enemy_and_shades_turn_below_the_water)
{
    std::vector<FrameObject*> sensors;
    for (const char* sensor : {"PlayerSensorLeftBig_89", "PlayerSensorRightBig_91", "PlayerSensorTopBig_93",
                               "PlayerSensorBottomBig_95", "PlayerCharacterSensor_151"})
        sensors.push_back(place(sensor, 400, 120));
    sensors[2]->set_x(200);
    set(values, 'Z', 1);
    set(others, 'I', 2);
    set(others, 'K', 5);
    kit.run(1);
    EXPECT_EQ(value(others, 'I'), 2);  // no enemy at all: nothing to test
    enemy();
    kit.run(1);
    EXPECT_EQ(value(others, 'I'), 2);
    sensors[2]->set_x(400);
    kit.run(1);
    EXPECT_EQ(value(others, 'I'), 0);

    FrameObject* level = place("MasterLevel_53", -100, -100);
    set(level, 'A', 1);
    set(level, 'B', 100);
    FrameObject* sunk = place("EffectShade_309", 300, 150);
    FrameObject* dry = place("EffectShade_309", 300, 50);
    kit.run(1);
    EXPECT_EQ(sunk->get_direction(), 8);
    EXPECT_EQ(dry->get_direction(), 0);
}
