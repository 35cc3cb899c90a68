// The ladder (mode 46): the player hangs on a ladder backdrop, climbs with
// up and down, climbs over the top at a LadderTop marker and leaves by
// jumping, dropping or running out of ladder. States: 27 on the ladder,
// 29 climbing down, 28 climbing over the top, 47 (turned into 27 on the
// bike). The speed rules run before the move, so a speed chosen in a tick
// moves the player in that tick.
#include "audio/media.h"
#include "game/events/player_physics/player_value_objects.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "objects/active.h"
#include "runtime/collision.h"

#include <algorithm>

namespace {

bool on_ladder(const Frames& f)
{
    return f.level_group_43 && f.level_group_23 && f.level_group_24 && f.level_group_47;
}

bool climbing_over(Frames& f)
{
    const double current = get_value(f.instances[types::PlayerOthers_75], 'Y');
    return current == 47 || current == 28;
}

bool up_held(Frames& f) { return get_value(f.instances[types::PlayerInput_21], 'A') == 1; }
bool down_held(Frames& f) { return get_value(f.instances[types::PlayerInput_21], 'B') == 1; }
// Pimsa on the bike, Dorrik or Hespin (ids 3 and up).
bool bike_dorrik_or_hespin(Frames& f) { return player_values::character(f) >= player_values::pimsa_on_bike; }

// Up alone, with nothing to climb over: false too where no marker exists.
bool below_every_top(Frames& f)
{
    select_all(f.instances[types::PlayerSensorBottomBig_95]);
    select_all(f.instances[types::LadderTop_268]);
    return check_not_overlap(f.instances[types::PlayerSensorBottomBig_95], f.instances[types::LadderTop_268]);
}

void climb(Frames& f, double speed) { set_value(f.instances[types::PlayerMovementValues_80], 'G', speed); }

void clear_tops(Frames& f)
{
    for_each_instance(f.instances[types::LadderTop_268], [](FrameObject* top) { set_flag(top, 1, false); });
}

// Off the ladder into the air, steps back on.
void let_go(Frames& f)
{
    ObjectList& player = f.instances[types::PlayerMovementValues_80];
    set_value(player, 'M', 1);
    set_value(player, 'U', 1);
    set_value(player, 'G', 0);
    set_value(player, 'T', 1);
    clear_tops(f);
    set_value(f.instances[types::PlayerOthers_75], 'Y', 40);
}

Active* sprite(FrameObject* object) { return static_cast<Active*>(object); }

}  // namespace

void Frames::event_func_991()
{
    if (!on_ladder(*this))
        return;
    const double current = get_value(instances[types::PlayerOthers_75], 'Y');
    if (current == 47 || current == 28 || current == 29)
        return;
    set_value(instances[types::PlayerOthers_75], 'Y', 27);
}

// The climbing animation starts where the grab animation left the skins.
void Frames::event_func_992()
{
    if (!on_ladder(*this) || !select(instances[types::PlayerSkinYelto_102],
                                     [](FrameObject* skin) { return sprite(skin)->test_animation(33); }))
        return;
    const auto restore = [](FrameObject* skin) {
        sprite(skin)->restore_speed();
        sprite(skin)->restore_frame();
    };
    for_each_selected(instances[types::PlayerSkinYelto_102], restore);
    for (const int skins : {types::PlayerSkinOrrun_290, types::PlayerSkinPimsa_324, types::PlayerSkinPimsaBike_338,
                            types::PlayerSkinDorrik_339, types::PlayerSkinHespin_351})
        for_each_instance(instances[skins], restore);
}

void Frames::event_func_993()
{
    if (!on_ladder(*this) || !select(instances[types::PlayerSkinYelto_102],
                                     [](FrameObject* skin) { return sprite(skin)->animation_finished == 33; }))
        return;
    set_value(instances[types::PlayerOthers_75], 'Y', 27);
}

void Frames::event_func_994()
{
    if (!on_ladder(*this) || !run_once(run_once_994, loop_count))
        return;
    media.stop_sample(128);
    media.stop_sample(163);
}

void Frames::event_func_995()
{
    if (!on_ladder(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    set_value(player, 'S', 1);
    set_value(player, 'T', 0);
    set_value(player, 'U', 0);
    set_value_of_all(instances[types::PlayerSkinDorrik_339], 'E', 0);
    for_each_instance(instances[types::PlayerSkinPimsa_324], [](FrameObject* skin) { set_flag(skin, 2, false); });
}

// 996, 997: the camera's followed height moves toward the player by at most
// 4 pixels a tick.
void Frames::event_func_996()
{
    if (!on_ladder(*this))
        return;
    const double y = get_value(instances[types::PlayerMovementValues_80], 'Y');
    const double followed = get_value(instances[types::MasterCamera_190], 'B');
    if (!(followed > y))
        return;
    set_value(instances[types::MasterCamera_190], 'B', std::max(followed - 4, y));
}

void Frames::event_func_997()
{
    if (!on_ladder(*this))
        return;
    const double y = get_value(instances[types::PlayerMovementValues_80], 'Y');
    const double followed = get_value(instances[types::MasterCamera_190], 'B');
    if (!(followed < y))
        return;
    set_value(instances[types::MasterCamera_190], 'B', std::min(followed + 4, y));
}

void Frames::event_func_998()
{
    if (!on_ladder(*this) || climbing_over(*this))
        return;
    set_value(instances[types::PlayerMovementValues_80], 'B',
              std::clamp(get_value(instances[types::PlayerMovementValues_80], 'B'), -4.0, 4.0));
}

void Frames::event_func_999()
{
    if (!on_ladder(*this) || get_value(instances[types::PlayerInput_21], 'C') != 0 ||
        get_value(instances[types::PlayerInput_21], 'D') != 0 || climbing_over(*this))
        return;
    set_value(instances[types::PlayerMovementValues_80], 'B', 0);
}

void Frames::event_func_1000()
{
    if (!on_ladder(*this) || climbing_over(*this))
        return;
    const bool still = !up_held(*this) && !down_held(*this);
    const bool against_ceiling =
        up_held(*this) && !down_held(*this) && get_value(instances[types::PlayerSensorTopBig_93], 'Z') == 1;
    if (!still && !against_ceiling)
        return;
    set_value(instances[types::PlayerMovementValues_80], 'G', 0);
}

void Frames::event_func_1001()
{
    if (!on_ladder(*this) || climbing_over(*this) || !up_held(*this) || down_held(*this))
        return;
    if (get_value(instances[types::PlayerSensorTopBig_93], 'Z') != 0 || !below_every_top(*this))
        return;
    climb(*this, -2);
    set_value(instances[types::PlayerOthers_75], 'Y', 27);
}

void Frames::event_func_1002()
{
    if (!on_ladder(*this) || climbing_over(*this) || up_held(*this) || !down_held(*this))
        return;
    climb(*this, 2);
    set_value(instances[types::PlayerOthers_75], 'Y', 29);
}

void Frames::event_func_1003()
{
    if (!on_ladder(*this) || !bike_dorrik_or_hespin(*this) || get_value(instances[types::PlayerOthers_75], 'Y') != 47)
        return;
    set_value(instances[types::PlayerOthers_75], 'Y', 27);
}

void Frames::event_func_1004()
{
    if (!on_ladder(*this) || climbing_over(*this) || !up_held(*this) || down_held(*this))
        return;
    if (!below_every_top(*this) || !bike_dorrik_or_hespin(*this))
        return;
    climb(*this, -3);
    set_value_of_all(instances[types::PlayerSkinPimsaBike_338], 'A', 4);
}

void Frames::event_func_1005()
{
    if (!on_ladder(*this) || climbing_over(*this) || up_held(*this) || !down_held(*this) || !bike_dorrik_or_hespin(*this))
        return;
    climb(*this, 3);
    set_value_of_all(instances[types::PlayerSkinPimsaBike_338], 'A', 4);
}

void Frames::event_func_1006()
{
    if (!on_ladder(*this) || climbing_over(*this))
        return;
    FrameObject* yelto = instance_of(instances[types::PlayerSkinYelto_102]);
    const int frame = yelto ? sprite(yelto)->get_frame() : 0;
    set_value_of_all(instances[types::LadderTop_268], 'A', frame);
    add_value(instances[types::PlayerMovementValues_80], 'Y',
              get_value(instances[types::PlayerMovementValues_80], 'G'));
}

void Frames::event_func_1007()
{
    if (!on_ladder(*this))
        return;
    select_all(instances[types::PlayerSensorBottomBig_95]);
    select_all(instances[types::LadderTop_268]);
    if (!check_overlap(instances[types::PlayerSensorBottomBig_95], instances[types::LadderTop_268]) ||
        !up_held(*this) || climbing_over(*this))
        return;
    set_value(instances[types::PlayerOthers_75], 'Y', 28);
    for_each_selected(instances[types::LadderTop_268], [](FrameObject* top) { set_flag(top, 1, true); });
    set_value_of_all(instances[types::PlayerSkinYelto_102], 'O', 0);
}

void Frames::event_func_1008()
{
    if (!on_ladder(*this) || get_value(instances[types::PlayerOthers_75], 'Y') != 28)
        return;
    for_each_instance(instances[types::PlayerSkinYelto_102],
                      [](FrameObject* skin) { set_value(skin, 'O', get_value(*skin, 'O') + 1); });
}

// The eighth tick over the top: standing 36 pixels above the marker.
void Frames::event_func_1009()
{
    if (!on_ladder(*this) ||
        !select(instances[types::PlayerSkinYelto_102], [](FrameObject* skin) { return get_value(*skin, 'O') > 7; }))
        return;
    ObjectList& tops = instances[types::LadderTop_268];
    if (!select(tops, [](FrameObject* top) { return get_flag(*top, 1); }))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    set_value(player, 'M', 0);
    set_value(player, 'U', 1);
    set_value(player, 'T', 1);
    set_value(player, 'G', 0);
    set_value(player, 'Y', (*ObjectIterator(tops))->get_y() - 36);
    add_value(instances[types::MasterCamera_190], 'H', 24);
    set_value(instances[types::PlayerOthers_75], 'Y', 0);
    for_each_selected(tops, [](FrameObject* top) { set_flag(top, 1, false); });
    for_each_selected(instances[types::PlayerSkinYelto_102], [](FrameObject* skin) { set_value(skin, 'O', 0); });
}

void Frames::event_func_1010()
{
    if (!on_ladder(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    if (test_ladder(to_int(get_value(player, 'X')), to_int(get_value(player, 'Y'))))
        return;
    let_go(*this);
}

void Frames::event_func_1011()
{
    if (!on_ladder(*this) || get_value(instances[types::PlayerInput_21], 'K') != 1 || !down_held(*this) ||
        climbing_over(*this))
        return;
    let_go(*this);
}

void Frames::event_func_1012()
{
    if (!on_ladder(*this) || get_value(instances[types::PlayerInput_21], 'K') != 1 || down_held(*this) ||
        climbing_over(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    set_value(player, 'M', 1);
    set_value(instances[types::PlayerActionValuesA_86], 'C', 0);
    set_value(player, 'T', 1);
    set_value(player, 'U', 1);
    set_value(player, 'G', -4);
}
