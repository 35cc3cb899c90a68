// The effects that follow the player: dust under the feet in some movement
// modes, a ring sparkle in another, the four sparkles that circle an
// invincible player and leave a rising trail, and the thunder sparks of the
// magnetic shield's burst.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "runtime/movement.h"

#include <cmath>

namespace {

constexpr double skid_mode = 4;
constexpr double ring_mode = 5;
constexpr double dust_mode = 23;  // puffs while O is 0
constexpr double fall_mode = 47;
constexpr int effect_started_flag = 10;
constexpr int shown_flag = 1;
constexpr double thunder_state = 2;

double movement(Frames& frames, char letter)
{
    return get_value(frames.instances[types::PlayerMovementValues_80], letter);
}

// A puff `depth` pixels below the sensor as it is turned (32 directions),
// thrown at `speed` in `direction`.
FrameObject* puff_below_sensor(Frames& frames, int depth, int speed, int direction)
{
    const FrameObject& sensor = instance_or_default(frames.instances[types::PlayerCharacterSensor_151]);
    const double angle = sensor.get_direction() * 11.25 / 57.29577951308232;
    // At the four axes the library's sine and cosine truncate to 0 and ±d.
    const int dx = to_int(depth * std::sin(angle));
    const int dy = to_int(depth * std::cos(angle));
    FrameObject* dust = create_instance(frames, frames.instances[types::EffectsDust01_132],
                                        create_effectsdust01_132(sensor.x + dx, sensor.y + dy), layer_index(sensor));
    if (!dust)
        return nullptr;
    dust->get_movement()->set_speed(speed);
    dust->set_direction(direction, true);
    return dust;
}

// A puff drifting at speed 4 in one of three directions around `middle`.
void drifting_puff(Frames& frames, int event, int middle)
{
    const int spread[] = {middle - 1, middle, middle + 1};
    puff_below_sensor(frames, 13, 4, spread[randrange_event(event, 3)]);
}

// The circling sparkles, in the order the events visit them.
constexpr int circling[] = {types::Sparkle1_178, types::Sparkle2_180, types::Sparkle3_181, types::Sparkle4_182};
constexpr int shields[] = {types::ShieldWood_103,     types::ShieldEarth_315,   types::ShieldFlameFront_104,
                           types::ShieldFlameBack_152, types::ShieldMagnetic_105, types::ShieldWater_106};

bool newly_invincible(Frames& frames)
{
    ObjectList& others = frames.instances[types::PlayerOthers_75];
    return get_value(others, 'D') == 1 && !get_flag(others, effect_started_flag);
}

// Creates a sparkle at the player with its radius and starting angle.
void circle_sparkle(Frames& frames, int type, Active* (*make)(int, int), double radius, double angle)
{
    ObjectList& player = frames.instances[types::Player_87];
    select_all(player);
    FrameObject* sparkle = create_at_each(frames, player, frames.instances[type], make);
    set_value(sparkle, 'C', radius);
    set_value(sparkle, 'D', angle);
}

void centre_on_player(Frames& frames, int type)
{
    const FrameObject& player = instance_or_default(frames.instances[types::Player_87]);
    const int x = player.get_x(), y = player.get_y() - 4;
    for_each_instance(frames.instances[type], [x, y](FrameObject* sparkle) {
        set_value(sparkle, 'A', x);
        set_value(sparkle, 'B', y);
    });
}

void turn_sparkles(Frames& frames, int type, double step)
{
    for_each_instance(frames.instances[type], [step](FrameObject* sparkle) { add_value(sparkle, 'D', step); });
}

// Four sparks leave the magnetic shields entering state 2, one event each
// direction; the first spark of the event takes it.
void thunder_spark(Frames& frames, unsigned& once_counter, int direction)
{
    if (!frames.level_group_43)
        return;
    ObjectList& magnetic = frames.instances[types::ShieldMagnetic_105];
    if (!select(magnetic, [](FrameObject* shield) { return get_value(*shield, 'A') == thunder_state; }))
        return;
    if (!run_once(once_counter, frames.loop_count))
        return;
    FrameObject* spark =
        create_at_each(frames, magnetic, frames.instances[types::ThunderSpark_192], create_thunderspark_192, 0, 13);
    if (spark)
        spark->set_direction(direction, true);
}

}  // namespace

void Frames::event_func_2057()
{
    if (!level_group_43 || level_tick(*this) % 2 != 0)
        return;
    if (movement(*this, 'Q') != 1 || movement(*this, 'M') != skid_mode || !run_once(run_once_2057, loop_count))
        return;
    drifting_puff(*this, 2057, 7);
}

// Moving down in mode 47: a smaller puff 16 pixels ahead, animated at 50.
void Frames::event_func_2058()
{
    if (!level_group_43 || level_tick(*this) % 2 != 0)
        return;
    if (movement(*this, 'M') != fall_mode || movement(*this, 'G') <= 0 || !run_once(run_once_2058, loop_count))
        return;
    FrameObject* dust = puff_below_sensor(*this, 14, 0, randrange_event(2058, 32));
    if (!dust)
        return;
    dust->set_x(dust->get_x() + to_int(16 * movement(*this, 'Q')));
    static_cast<Active*>(dust)->set_scale(0.75f);
    static_cast<Active*>(dust)->force_speed(50);
}

void Frames::event_func_2059()
{
    if (!level_group_43 || movement(*this, 'M') != ring_mode || level_tick(*this) % 2 != 0)
        return;
    ObjectList& player = instances[types::Player_87];
    select_all(player);
    FrameObject* sparkle = create_at_each(*this, player, instances[types::RingSparkle_179], create_ringsparkle_179);
    if (!sparkle)
        return;
    sparkle->set_x(sparkle->get_x() - 8 + randrange_event(2059, 17));
    sparkle->set_y(sparkle->get_y() - 8 + randrange_event(2059, 17));
}

void Frames::event_func_2060()
{
    if (!level_group_43 || level_tick(*this) % 2 != 0)
        return;
    if (movement(*this, 'Q') != -1 || movement(*this, 'M') != dust_mode ||
        get_value(instances[types::PlayerActionValuesB_164], 'O') != 0 || !run_once(run_once_2060, loop_count))
        return;
    drifting_puff(*this, 2060, 9);
}

void Frames::event_func_2061()
{
    if (!level_group_43 || level_tick(*this) % 2 != 0)
        return;
    if (movement(*this, 'Q') != 1 || movement(*this, 'M') != dust_mode ||
        get_value(instances[types::PlayerActionValuesB_164], 'O') != 0 || !run_once(run_once_2061, loop_count))
        return;
    drifting_puff(*this, 2061, 7);
}

// The shields hide while the invincibility sparkles circle.
void Frames::event_func_2068()
{
    if (!level_group_43 || !newly_invincible(*this))
        return;
    for (int type : shields)
        for_each_instance(instances[type], [](FrameObject* shield) {
            if (get_flag(*shield, shown_flag))
                shield->set_visible(false);
        });
}

void Frames::event_func_2069()
{
    if (!level_group_43 || !newly_invincible(*this))
        return;
    circle_sparkle(*this, types::Sparkle1_178, create_sparkle1_178, 20, 0);
    circle_sparkle(*this, types::Sparkle2_180, create_sparkle2_180, 20, 180);
    circle_sparkle(*this, types::Sparkle3_181, create_sparkle3_181, 10, 0);
    circle_sparkle(*this, types::Sparkle4_182, create_sparkle4_182, 10, 180);
    set_flag(instances[types::PlayerOthers_75], effect_started_flag, true);
}

// Every sixth tick each circling sparkle drops a trail sparkle.
void Frames::event_func_2070()
{
    if (!level_group_43 || get_value(instances[types::PlayerOthers_75], 'D') != 1 || level_tick(*this) % 6 != 0)
        return;
    ObjectList& trail = instances[types::Sparkle5_183];
    trail.empty_selection();
    for (int type : circling)
        for_each_instance(instances[type], [&](FrameObject* sparkle) {
            create_another(*this, trail, create_sparkle5_183(sparkle->x, sparkle->y), layer_index(*sparkle));
        });
}

void Frames::event_func_2071()
{
    if (!level_group_43)
        return;
    for_each_instance(instances[types::Sparkle5_183],
                      [](FrameObject* trail) { trail->set_y(trail->get_y() - 1); });
}

// The wide pair is re-centred every third tick, the narrow pair every sixth.
void Frames::event_func_2072()
{
    if (!level_group_43 || level_tick(*this) % 3 != 0)
        return;
    centre_on_player(*this, types::Sparkle2_180);
    centre_on_player(*this, types::Sparkle1_178);
}

void Frames::event_func_2073()
{
    if (!level_group_43 || level_tick(*this) % 6 != 0)
        return;
    centre_on_player(*this, types::Sparkle3_181);
    centre_on_player(*this, types::Sparkle4_182);
}

void Frames::event_func_2074()
{
    if (!level_group_43)
        return;
    for (int type : circling)
        for_each_instance(instances[type], [](FrameObject* sparkle) {
            const double radius = get_value(*sparkle, 'C'), angle = get_value(*sparkle, 'D');
            sparkle->set_x(to_int(get_value(*sparkle, 'A') + radius * event_sin(angle)));
            sparkle->set_y(to_int(get_value(*sparkle, 'B') - radius * event_cos(angle)));
        });
}

void Frames::event_func_2075()
{
    if (!level_group_43)
        return;
    turn_sparkles(*this, types::Sparkle3_181, 10);
    turn_sparkles(*this, types::Sparkle4_182, 10);
    turn_sparkles(*this, types::Sparkle1_178, 7);
    turn_sparkles(*this, types::Sparkle2_180, 7);
}

void Frames::event_func_2076()
{
    if (!level_group_43 || get_value(instances[types::PlayerOthers_75], 'D') != 0)
        return;
    for_each_instance(qualifier_15, [](FrameObject* sparkle) { sparkle->destroy(); });
    set_flag(instances[types::PlayerOthers_75], effect_started_flag, false);
}

void Frames::event_func_2080() { thunder_spark(*this, run_once_2080, 12); }
void Frames::event_func_2081() { thunder_spark(*this, run_once_2081, 20); }
void Frames::event_func_2082() { thunder_spark(*this, run_once_2082, 28); }
void Frames::event_func_2083() { thunder_spark(*this, run_once_2083, 4); }
