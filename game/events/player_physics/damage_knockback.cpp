// The hurt request (movement value R = 1, damage in the life meter's B) and
// what becomes of it: dropped while invincible or dead, absorbed or ended
// by a shield, or a knock-back that scatters petals; with no petals left,
// or after a fall below the level, it becomes a death request (R = 2).
#include "audio/media.h"
#include "game/events/player_physics/player_value_objects.h"
#include "objects/counter.h"

#include <algorithm>
#include <cmath>
#include <string>

using namespace player_values;

namespace {

constexpr unsigned shield_hit_sample = 173, shield_break_sample = 11, knock_back_sample = 22;
constexpr double dorrik = 4;

bool hurt_groups_on(const Frames& frames)
{
    return frames.level_group_43 && frames.level_group_23 && frames.level_group_7;
}

bool request_is(Frames& frames, double request)
{
    return instance_holds(frames.instances[types::PlayerMovementValues_80],
                          [request](const FrameObject& values) { return get_value(values, 'R') == request; });
}

// A hurt request while the player holds a shield whose strength passes the
// test; Dorrik's shield counts one hit further down.
template <class StrengthTest>
bool shielded_hit(Frames& frames, StrengthTest strength_holds)
{
    if (!request_is(frames, 1))
        return false;
    const bool is_dorrik = get_value(frames.instances[types::PlayerMovementValues_80], 'A') == dorrik;
    return instance_holds(frames.instances[types::PlayerOthers_75], [&](const FrameObject& others) {
        return get_value(others, 'B') != 0 && strength_holds(get_value(others, 'C'), is_dorrik);
    });
}

double setting(Frames& frames) { return frames.global_values->get(12); }

Counter* petals(Frames& frames) { return static_cast<Counter*>(instance_of(frames.instances[types::GUIRings_74])); }

// The hit's damage is consumed: only its remainder below 5 stays in the meter.
void consume_damage(Frames& frames)
{
    set_value(frames.instances[types::GUILifeBaseMeter_77], 'B',
              std::fmod(get_value(frames.instances[types::GUILifeBaseMeter_77], 'B'), 5.0));
    set_value(frames.instances[types::GUILifeBaseMeter_77], 'C', 0);
}

// Events 1463 and 1464: the knock-back, with the invincibility time and
// the share of the damage that the setting gives.
void knock_back(Frames& frames, int event, double invincible_ticks, double damage_factor)
{
    FrameObject* values = instance_of(frames.instances[types::PlayerMovementValues_80]);
    const FrameObject& seen = instance_or_default(frames.instances[types::PlayerMovementValues_80]);
    set_value(values, 'B', 0.75 * get_value(seen, 'B') - 2.2 * get_value(seen, 'Q'));
    set_value(values, 'G', 0.75 * get_value(seen, 'G') - 4.2);
    set_value(values, 'M', mode_knock_back);
    for (const char name : {'L', 'N', 'S', 'R'})
        set_value(values, name, 0);
    set_value(frames.instances[types::PlayerOthers_75], 'D', 2);
    set_value(frames.instances[types::PlayerOthers_75], 'E', invincible_ticks);
    media.play_id(knock_back_sample, -1, 1);

    const double damage = get_value(frames.instances[types::GUILifeBaseMeter_77], 'B');
    if (Counter* counter = petals(frames))
        counter->subtract(damage * damage_factor / 5);
    frames.run_loop(frames.fast_loop_petal_loss, to_int(damage * 0.5), &Frames::loop_petal_loss_4);
    consume_damage(frames);
    frames.run_named_loop("sound_hurt" + std::to_string(randrange_event(event, 4)), 1);

    add_value(frames.instances[types::PlayerOthers_75], 'L', 2);
    for_each_instance(frames.instances[types::PlayerSkinPimsaBike_338],
                      [](FrameObject* bike) { add_value(bike, 'C', -1); });
    for_each_instance(frames.instances[types::PlayerSkinYelto_102], [](FrameObject* skin) { set_value(skin, 'O', 0); });
}

bool knock_back_applies(Frames& frames, bool high_setting)
{
    const Counter* counter = petals(frames);
    return request_is(frames, 1) && counter && counter->value > 0 && (setting(frames) >= 3) == high_setting;
}

}  // namespace

// Invincible: the hit is dropped.
void Frames::event_func_1458()
{
    if (!hurt_groups_on(*this) || !request_is(*this, 1))
        return;
    if (instance_holds(instances[types::PlayerOthers_75],
                       [](const FrameObject& others) { return get_value(others, 'D') != 0; }))
        set_value(instances[types::PlayerMovementValues_80], 'R', 0);
}

// Already dead: nothing more can hurt.
void Frames::event_func_1459()
{
    if (!hurt_groups_on(*this))
        return;
    if (instance_holds(instances[types::PlayerMovementValues_80],
                       [](const FrameObject& values) { return get_value(values, 'M') == mode_dead; }))
        set_value(instances[types::PlayerMovementValues_80], 'R', 0);
}

void Frames::event_func_1460()
{
    if (!hurt_groups_on(*this) || !request_is(*this, 1))
        return;
    if (instance_holds(instances[types::PlayerMovementValues_80],
                       [](const FrameObject& values) { return get_value(values, 'M') == 25; }))
        for_each_instance(instances[types::MasterCamera_190], [](FrameObject* camera) { set_value(camera, 'M', 0); });
}

// The shield takes the hit and loses strength.
void Frames::event_func_1461()
{
    if (!hurt_groups_on(*this))
        return;
    if (!shielded_hit(*this, [](double strength, bool is_dorrik) { return is_dorrik ? strength > -1 : strength > 0; }))
        return;
    set_value(instances[types::PlayerOthers_75], 'D', 2);
    set_value(instances[types::PlayerOthers_75], 'E', 30);
    media.play_id(shield_hit_sample, -1, 1);
    consume_damage(*this);
    set_value(instances[types::PlayerMovementValues_80], 'R', 0);
    add_value(instances[types::PlayerOthers_75], 'C', -1);
}

// A spent shield breaks.
void Frames::event_func_1462()
{
    if (!hurt_groups_on(*this))
        return;
    if (!shielded_hit(*this, [](double strength, bool is_dorrik) { return is_dorrik ? strength <= -1 : strength <= 0; }))
        return;
    set_value(instances[types::PlayerOthers_75], 'D', 2);
    set_value(instances[types::PlayerOthers_75], 'E', std::max(30 + 30 * setting(*this), 60.0));
    set_value(instances[types::PlayerOthers_75], 'B', 0);
    media.play_id(shield_break_sample, -1, 1);
    consume_damage(*this);
    add_value(instances[types::PlayerOthers_75], 'L', 2);
    set_value(instances[types::PlayerMovementValues_80], 'R', 0);
    set_value(instances[types::PlayerCharacterSensor_151], 'S', 0);
}

// Knock-back under the lower settings: up to two fifths of the damage in petals.
void Frames::event_func_1463()
{
    if (!hurt_groups_on(*this) || !knock_back_applies(*this, false))
        return;
    knock_back(*this, 1463, 60, 1 + std::max(1 - setting(*this), 0.0));
}

// Knock-back under the higher settings: a tenth of the damage, longer invincibility.
void Frames::event_func_1464()
{
    if (!hurt_groups_on(*this) || !knock_back_applies(*this, true))
        return;
    knock_back(*this, 1464, 90, 0.5);
}

// No petals to lose: the hit kills, throwing the player up and back.
void Frames::event_func_1465()
{
    if (!hurt_groups_on(*this) || !request_is(*this, 1))
        return;
    const Counter* counter = petals(*this);
    if (!counter || counter->value != 0 || !run_once(run_once_1465, loop_count))
        return;
    FrameObject* values = instance_of(instances[types::PlayerMovementValues_80]);
    set_value(values, 'R', 2);
    set_value(values, 'G', -4.2);
    set_value(values, 'B', -2.2 * get_value(*values, 'Q'));
}

// Fallen out of the level.
void Frames::event_func_1466()
{
    if (!hurt_groups_on(*this))
        return;
    const double bottom = height + 32;
    if (instance_holds(instances[types::PlayerMovementValues_80], [bottom](const FrameObject& values) {
            return get_value(values, 'Y') > bottom && get_value(values, 'M') != mode_dead;
        }))
        set_value(instances[types::PlayerMovementValues_80], 'R', 2);
}

// The hurt camera ends once the player is neither dead nor dying.
void Frames::event_func_1467()
{
    if (!hurt_groups_on(*this))
        return;
    ObjectList& cameras = instances[types::MasterCamera_190];
    if (!select(cameras, [](FrameObject* camera) { return get_value(*camera, 'M') == camera_hurt; }))
        return;
    if (!instance_holds(instances[types::PlayerMovementValues_80], [](const FrameObject& values) {
            return get_value(values, 'M') != mode_dead && get_value(values, 'M') != mode_second_death;
        }))
        return;
    for_each_selected(cameras, [](FrameObject* camera) { set_value(camera, 'M', 0); });
}

// Damage that no hit consumed this tick is dropped.
void Frames::event_func_1468()
{
    if (!hurt_groups_on(*this) || !request_is(*this, 0))
        return;
    set_value(instances[types::GUILifeBaseMeter_77], 'B', 0);
}

// Once the action groups are off the player stays dead.
void Frames::event_func_1469()
{
    if (!level_group_43 || !level_group_23 || level_group_24)
        return;
    if (instance_holds(instances[types::PlayerMovementValues_80],
                       [](const FrameObject& values) { return get_value(values, 'M') != mode_dead; }))
        set_value(instances[types::PlayerMovementValues_80], 'M', mode_dead);
}
