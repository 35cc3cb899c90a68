// The ladder (mode 46): the player hangs on a ladder backdrop, climbs with
// up and down, climbs over the top at a LadderTop marker and leaves by
// jumping, dropping or running out of ladder. States: 27 on the ladder,
// 29 climbing down, 28 climbing over the top, 47 (turned into 27 on the
// bike). The speed rules run before the move, so a speed chosen in a tick
// moves the player in that tick.
#include "audio/media.h"
#include "game/events/player_physics/player_value_objects.h"
#include "objects/active.h"
#include "runtime/collision.h"

#include <algorithm>

using namespace player_values;

namespace {

bool on_ladder(const Frames& f)
{
    return f.level_group_43 && f.level_group_23 && f.level_group_24 && f.level_group_47;
}

bool climbing_over(Frames& f)
{
    const double current = state(f);
    return current == 47 || current == 28;
}

bool up_held(Frames& f) { return input(f)['A'] == 1; }
bool down_held(Frames& f) { return input(f)['B'] == 1; }
bool on_bike(Frames& f) { return movement(f)['A'] >= 3; }

// Up alone, with nothing to climb over: false too where no marker exists.
bool below_every_top(Frames& f)
{
    select_all(f.instances[types::PlayerSensorBottomBig_95]);
    select_all(f.instances[types::LadderTop_268]);
    return check_not_overlap(f.instances[types::PlayerSensorBottomBig_95], f.instances[types::LadderTop_268]);
}

void climb(Frames& f, double speed)
{
    movement(f).set('G', speed);
}

void clear_tops(Frames& f)
{
    for_each_instance(f.instances[types::LadderTop_268], [](FrameObject* top) { set_flag(top, 1, false); });
}

// Off the ladder into the air, steps back on.
void let_go(Frames& f)
{
    const Single player = movement(f);
    player.set('M', 1);
    player.set('U', 1);
    player.set('G', 0);
    player.set('T', 1);
    clear_tops(f);
    set_state(f, 40);
}

Active* sprite(FrameObject* object) { return static_cast<Active*>(object); }

}  // namespace

void Frames::event_func_991()
{
    if (!on_ladder(*this))
        return;
    const double current = state(*this);
    if (current == 47 || current == 28 || current == 29)
        return;
    set_state(*this, 27);
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
    set_state(*this, 27);
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
    const Single player = movement(*this);
    player.set('S', 1);
    player.set('T', 0);
    player.set('U', 0);
    set_every(instances[types::PlayerSkinDorrik_339], 'E', 0);
    for_each_instance(instances[types::PlayerSkinPimsa_324], [](FrameObject* skin) { set_flag(skin, 2, false); });
}

// 996, 997: the camera's followed height moves toward the player by at most
// 4 pixels a tick.
void Frames::event_func_996()
{
    if (!on_ladder(*this))
        return;
    const double y = movement(*this)['Y'];
    const double followed = camera(*this)['B'];
    if (!(followed > y))
        return;
    camera(*this).set('B', std::max(followed - 4, y));
}

void Frames::event_func_997()
{
    if (!on_ladder(*this))
        return;
    const double y = movement(*this)['Y'];
    const double followed = camera(*this)['B'];
    if (!(followed < y))
        return;
    camera(*this).set('B', std::min(followed + 4, y));
}

void Frames::event_func_998()
{
    if (!on_ladder(*this) || climbing_over(*this))
        return;
    movement(*this).set('B', std::clamp(movement(*this)['B'], -4.0, 4.0));
}

void Frames::event_func_999()
{
    if (!on_ladder(*this) || input(*this)['C'] != 0 || input(*this)['D'] != 0 || climbing_over(*this))
        return;
    movement(*this).set('B', 0);
}

void Frames::event_func_1000()
{
    if (!on_ladder(*this) || climbing_over(*this))
        return;
    const bool still = !up_held(*this) && !down_held(*this);
    const bool against_ceiling =
        up_held(*this) && !down_held(*this) && Single(instances[types::PlayerSensorTopBig_93])['Z'] == 1;
    if (!still && !against_ceiling)
        return;
    movement(*this).set('G', 0);
}

void Frames::event_func_1001()
{
    if (!on_ladder(*this) || climbing_over(*this) || !up_held(*this) || down_held(*this))
        return;
    if (Single(instances[types::PlayerSensorTopBig_93])['Z'] != 0 || !below_every_top(*this))
        return;
    climb(*this, -2);
    set_state(*this, 27);
}

void Frames::event_func_1002()
{
    if (!on_ladder(*this) || climbing_over(*this) || up_held(*this) || !down_held(*this))
        return;
    climb(*this, 2);
    set_state(*this, 29);
}

void Frames::event_func_1003()
{
    if (!on_ladder(*this) || !on_bike(*this) || state(*this) != 47)
        return;
    set_state(*this, 27);
}

void Frames::event_func_1004()
{
    if (!on_ladder(*this) || climbing_over(*this) || !up_held(*this) || down_held(*this))
        return;
    if (!below_every_top(*this) || !on_bike(*this))
        return;
    climb(*this, -3);
    set_every(instances[types::PlayerSkinPimsaBike_338], 'A', 4);
}

void Frames::event_func_1005()
{
    if (!on_ladder(*this) || climbing_over(*this) || up_held(*this) || !down_held(*this) || !on_bike(*this))
        return;
    climb(*this, 3);
    set_every(instances[types::PlayerSkinPimsaBike_338], 'A', 4);
}

void Frames::event_func_1006()
{
    if (!on_ladder(*this) || climbing_over(*this))
        return;
    FrameObject* yelto = instance_of(instances[types::PlayerSkinYelto_102]);
    const int frame = yelto ? sprite(yelto)->get_frame() : 0;
    set_every(instances[types::LadderTop_268], 'A', frame);
    add_to(movement(*this), 'Y', movement(*this)['G']);
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
    set_state(*this, 28);
    for_each_selected(instances[types::LadderTop_268], [](FrameObject* top) { set_flag(top, 1, true); });
    set_every(instances[types::PlayerSkinYelto_102], 'O', 0);
}

void Frames::event_func_1008()
{
    if (!on_ladder(*this) || state(*this) != 28)
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
    const Single player = movement(*this);
    player.set('M', 0);
    player.set('U', 1);
    player.set('T', 1);
    player.set('G', 0);
    player.set('Y', (*ObjectIterator(tops))->get_y() - 36);
    add_to(camera(*this), 'H', 24);
    set_state(*this, 0);
    for_each_selected(tops, [](FrameObject* top) { set_flag(top, 1, false); });
    for_each_selected(instances[types::PlayerSkinYelto_102], [](FrameObject* skin) { set_value(skin, 'O', 0); });
}

void Frames::event_func_1010()
{
    if (!on_ladder(*this))
        return;
    const Single player = movement(*this);
    if (test_ladder(to_int(player['X']), to_int(player['Y'])))
        return;
    let_go(*this);
}

void Frames::event_func_1011()
{
    if (!on_ladder(*this) || input(*this)['K'] != 1 || !down_held(*this) || climbing_over(*this))
        return;
    let_go(*this);
}

void Frames::event_func_1012()
{
    if (!on_ladder(*this) || input(*this)['K'] != 1 || down_held(*this) || climbing_over(*this))
        return;
    const Single player = movement(*this);
    player.set('M', 1);
    actions_a(*this).set('C', 0);
    player.set('T', 1);
    player.set('U', 1);
    player.set('G', -4);
}
