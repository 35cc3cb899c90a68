// Movement modes 2 (looking up) and 3 (crouching): the pose's state and
// camera shift, its ends (leaving the ground, moving, letting go of the
// direction) and the actions that start from it: the jump, the attack, the
// characters' specials, Pimsa's pounce and her getting off the bike, and
// Yelto's insta-shield, which runs inside the crouch.
#include "audio/media.h"
#include "game/events/player_actions/action_starts.h"
#include "game/events/player_actions/ground_jump.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "runtime/collision.h"
#include "runtime/values.h"

#include <cmath>
#include <string>

using namespace action_starts;

namespace {

constexpr int insta_shield_sample = 165;
constexpr double insta_shield_state = 23;

bool looking_up(const Frames& f) { return player_control_on(f) && f.level_group_2; }
bool crouching(const Frames& f) { return player_control_on(f) && f.level_group_28; }

ObjectList& movement(Frames& f) { return f.instances[types::PlayerMovementValues_80]; }
double input(Frames& f, char control) { return get_value(f.instances[types::PlayerInput_21], control); }
double character(Frames& f) { return get_value(movement(f), 'A'); }
double state(Frames& f) { return get_value(f.instances[types::PlayerOthers_75], 'Y'); }
void set_state(Frames& f, double number) { set_value(f.instances[types::PlayerOthers_75], 'Y', number); }

void leave_pose(Frames& f, bool& group)
{
    set_value(movement(f), 'M', 0);
    deactivate_group(group);
}

// The jump from a pose: the air ticks count as full at once.
void pose_jump(Frames& f)
{
    jump_across_ground(f);
    set_value(f.instances[types::PlayerOthers_75], 'P', 10);
    run_jump_sound(f);
}

// Nothing to ride or push under the bike.
bool clear_ground_under_bike(Frames& f)
{
    ObjectList& sensor = f.instances[types::PlayerSensorBottomBig_95];
    select_all(sensor);
    if (!check_not_overlap(sensor, f.qualifier_6))
        return false;
    select_all(sensor);
    return check_not_overlap(sensor, f.qualifier_8);
}

bool stopped_on_level_ground_with_down_and_jump(Frames& f)
{
    ObjectList& player = movement(f);
    return get_value(player, 'L') == 1 && get_value(player, 'N') < 45 && std::abs(get_value(player, 'B')) < 3 &&
           input(f, 'B') == 1 && input(f, 'K') == 1;
}

// A bike where each player body is; false when there is none.
bool park_bike(Frames& f)
{
    ObjectList& bikes = f.instances[types::ObjectBike_340];
    bool first = true;
    for_each_instance(f.instances[types::Player_87], [&](FrameObject* body) {
        FrameObject* bike = create_objectbike_340(body->get_x(), body->get_y());
        if (first)
            create_instance(f, bikes, bike, layer_index(*body));
        else
            create_another(f, bikes, bike, layer_index(*body));
        first = false;
    });
    return !first;
}

// The bike stays behind as a pickup, facing and turned as it was ridden.
void get_off_bike(Frames& f)
{
    set_value(movement(f), 'A', 2);
    ObjectList& bikes = f.instances[types::ObjectBike_340];
    const bool parked = park_bike(f);
    const FrameObject& ridden = instance_or_default(f.instances[types::PlayerSkinPimsaBike_338]);
    const double facing = get_value(movement(f), 'Q');
    if (parked)
        for_each_selected(bikes, [&](FrameObject* bike) {
            set_value(bike, 'A', facing);
            bike->set_direction(ridden.get_direction(), true);
            bike->set_angle(ridden.get_angle(), 0);
        });
    f.global_values->set(1, 2);
    set_value_of_all(f.instances[types::PlayerSkinPimsa_324], 'N', 25);
    if (parked)
        for_each_selected(bikes, [](FrameObject* bike) { set_flag(bike, 1, true); });
}

// The insta-shield's effect, behind the skin and turned a step from it.
void spawn_insta_shield(Frames& f, FrameObject* skin)
{
    const FrameObject& body = instance_or_default(f.instances[types::Player_87]);
    FrameObject* effect = create_instance(f, f.instances[types::ShieldInstaShield_187],
                                          create_shieldinstashield_187(body.get_x(), body.get_y()), layer_index(body));
    media.play_id(insta_shield_sample, -1, 1);
    set_value(f.instances[types::PlayerActionValuesB_164], 'O', 1);
    effect->set_direction(skin->get_direction() - 1, true);
    static_cast<Active*>(effect)->force_speed(to_int(get_value(*skin, 'I')));
    effect->move_back(skin);
    set_flag(skin, 2, true);
    // Only four attack voices exist: half the draws start none.
    f.run_named_loop("sound_attack" + std::to_string(randrange_event(891, 8)), 1);
}

}  // namespace

// Looking up (mode 2) ------------------------------------------------------------

void Frames::event_func_873()
{
    if (!looking_up(*this))
        return;
    set_state(*this, 4);
    set_value(instances[types::MasterCamera_190], 'P', 30);
    set_value(instances[types::PlayerOthers_75], 'M', 0);
}

void Frames::event_func_874()
{
    if (looking_up(*this) && get_value(movement(*this), 'L') == 0)
        leave_pose(*this, level_group_2);
}

void Frames::event_func_875()
{
    if (looking_up(*this) && get_value(movement(*this), 'B') != 0)
        leave_pose(*this, level_group_2);
}

void Frames::event_func_876()
{
    if (looking_up(*this) && input(*this, 'A') == 0)
        leave_pose(*this, level_group_2);
}

void Frames::event_func_877()
{
    if (!looking_up(*this) || get_value(movement(*this), 'L') != 1 || character(*this) == 2 || input(*this, 'K') != 1)
        return;
    pose_jump(*this);
}

// Yelto's up action, before any air action.
void Frames::event_func_878()
{
    if (!looking_up(*this) || input(*this, 'A') != 1 || input(*this, 'L') != 1 || character(*this) != 0 ||
        get_value(instances[types::PlayerActionValuesB_164], 'O') != 0)
        return;
    set_value(movement(*this), 'M', 21);
}

// The attack: Yelto's button goes to his up action instead, Hespin has
// none, Dorrik's needs energy.
void Frames::event_func_879()
{
    if (!looking_up(*this) || input(*this, 'L') != 1)
        return;
    const double id = character(*this);
    const bool plain = id != 0 && id != 4 && id != 5;
    const bool dorrik_charged = id == 4 && get_value(instances[types::GUIEnergy_76], 'A') > 0;
    if (plain || dorrik_charged)
        start_attack(*this);
}

void Frames::event_func_880()
{
    if (looking_up(*this) && orrun_charge_pressed(*this))
        start_orrun_charge(*this);
}

void Frames::event_func_881()
{
    if (looking_up(*this) && dorrik_special_pressed(*this))
        set_value(movement(*this), 'M', 31);
}

void Frames::event_func_882()
{
    if (looking_up(*this) && yelto_special_pressed(*this))
        start_yelto_special_from_ground(*this);
}

// Crouching (mode 3) ---------------------------------------------------------------

// The insta-shield's state keeps its own animation until it ends.
void Frames::event_func_883()
{
    if (!crouching(*this) || state(*this) == insta_shield_state)
        return;
    set_state(*this, 5);
    set_value(movement(*this), 'B', 0);
}

void Frames::event_func_884()
{
    if (!crouching(*this))
        return;
    set_value(instances[types::MasterCamera_190], 'P', 120);
    set_value(instances[types::PlayerOthers_75], 'M', 0);
}

void Frames::event_func_885()
{
    if (crouching(*this) && get_value(movement(*this), 'L') == 0)
        set_value(movement(*this), 'M', 0);
}

void Frames::event_func_886()
{
    if (crouching(*this) && get_value(movement(*this), 'B') != 0)
        set_value(movement(*this), 'M', 0);
}

void Frames::event_func_887()
{
    if (crouching(*this) && input(*this, 'B') == 0 && state(*this) != insta_shield_state)
        set_value(movement(*this), 'M', 0);
}

// Pimsa gets off the bike: down and jump at a stop on level enough ground
// that nothing rides or pushes, or when mode 39 asks for it.
void Frames::event_func_888()
{
    if (!crouching(*this) || character(*this) != 3)
        return;
    const bool asked = get_value(movement(*this), 'M') == 39;
    const bool by_hand = stopped_on_level_ground_with_down_and_jump(*this) && clear_ground_under_bike(*this) &&
                         select(instances[types::PlayerSkinPimsaBike_338],
                                [](FrameObject* bike) { return !get_flag(*bike, 6); });
    if (by_hand || asked)
        get_off_bike(*this);
}

void Frames::event_func_889()
{
    const double id = character(*this);
    if (!crouching(*this) || get_value(movement(*this), 'L') != 1 || id == 2 || id == 3 || id == 4 || id == 5 ||
        input(*this, 'K') != 1)
        return;
    pose_jump(*this);
}

// Yelto's insta-shield starts from the crouch, his skin and hair forced
// back to their first animation until the state's own takes over.
void Frames::event_func_890()
{
    if (!crouching(*this) || input(*this, 'L') != 1 || character(*this) != 0 || state(*this) == insta_shield_state)
        return;
    set_state(*this, insta_shield_state);
    ObjectList& yelto = instances[types::PlayerSkinYelto_102];
    set_value(yelto, 'I', 100);
    for (const int skin : {types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209})
        for_each_instance(instances[skin], [](FrameObject* s) { static_cast<Active*>(s)->force_animation(0); });
    set_value(yelto, 'M', 0);
    set_value(instances[types::MasterCamera_190], 'O', 0);
    set_flag(yelto, 19, false);
}

// The effect comes once on the skin's frame 1 (flag 2 holds it off until
// the skin has left that frame).
void Frames::event_func_891()
{
    if (!crouching(*this) || state(*this) != insta_shield_state)
        return;
    ObjectList& yelto = instances[types::PlayerSkinYelto_102];
    if (!select(yelto, [](FrameObject* skin) { return static_cast<Active*>(skin)->get_frame() == 1; }) ||
        !filter(yelto, [](FrameObject* skin) { return !get_flag(*skin, 2); }))
        return;
    spawn_insta_shield(*this, *ObjectIterator(yelto));
}

void Frames::event_func_892()
{
    if (!crouching(*this))
        return;
    ObjectList& yelto = instances[types::PlayerSkinYelto_102];
    if (!select(yelto, [](FrameObject* skin) { return static_cast<Active*>(skin)->get_frame() != 1; }))
        return;
    for_each_selected(yelto, [](FrameObject* skin) { set_flag(skin, 2, false); });
}

// Called ahead of the tick's events: the insta-shield's animation ended.
void Frames::event_func_893()
{
    if (!crouching(*this) || !select(instances[types::PlayerSkinYelto_102], [](FrameObject* skin) {
            return static_cast<Active*>(skin)->animation_finished == 30;
        }))
        return;
    set_state(*this, 5);
}

void Frames::event_func_894()
{
    const double id = character(*this);
    if (crouching(*this) && input(*this, 'L') == 1 && id != 0 && id != 4 && id != 5)
        start_attack(*this);
}

void Frames::event_func_895()
{
    if (crouching(*this) && orrun_charge_pressed(*this))
        start_orrun_charge(*this);
}

// Pimsa's pounce from the crouch: 8 the way she faces, whatever the speed.
void Frames::event_func_896()
{
    ObjectList& player = movement(*this);
    if (!crouching(*this) || input(*this, 'K') != 1 || character(*this) != 2 || get_value(player, 'L') != 1)
        return;
    set_value(player, 'N', 0);
    set_value(player, 'L', 0);
    set_value(player, 'M', 0);
    set_value(player, 'B', 8 * get_value(player, 'Q'));
    set_value(player, 'G', -3);
    set_state(*this, 24);
    run_loop(fast_loop_sound_pounce, 1, &Frames::loop_sound_pounce_4);
}

void Frames::event_func_897()
{
    if (crouching(*this) && yelto_special_pressed(*this))
        start_yelto_special_from_ground(*this);
}

void Frames::event_func_898()
{
    if (!crouching(*this) || !dorrik_special_pressed(*this))
        return;
    set_value(movement(*this), 'M', 31);
    set_value(instances[types::MasterCamera_190], 'O', 0);
}

// Dorrik digs down from the crouch.
void Frames::event_func_899()
{
    if (!crouching(*this) || input(*this, 'L') != 1 || character(*this) != 4)
        return;
    ObjectList& dorrik = instances[types::PlayerSkinDorrik_339];
    if (!select(dorrik, [](FrameObject* skin) { return get_value(*skin, 'D') == 1; }))
        return;
    set_value(movement(*this), 'M', 27);
    for_each_selected(dorrik, [](FrameObject* skin) {
        set_flag(skin, 1, false);
        set_value(skin, 'A', 20);
        set_value(skin, 'B', 0);
    });
    set_value(instances[types::MasterCamera_190], 'O', 0);
    for_each_instance(instances[types::PlayerDig_344], [](FrameObject* dig) { set_flag(dig, 1, false); });
}

void Frames::event_func_900()
{
    if (crouching(*this) && character(*this) == 5 && input(*this, 'K') == 1)
        start_hespin_dash(*this);
}
