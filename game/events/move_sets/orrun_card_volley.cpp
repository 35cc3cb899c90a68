// The airborne card volley (movement mode 42): the player leaves the ground
// with an attack voice; while the skin plays its volley animation a card
// leaves down and forward at two of its frames, each costing half a power
// card and stopping the fall; left and right steer, and the volley ends
// once the animation is far enough on and the control is let go or the
// cards run out.
#include "game/events/move_sets/orrun_cards.h"
#include "objects/active.h"

#include <algorithm>
#include <string>

namespace {

constexpr double volley_state = 44, fallen_state = 40;
constexpr int volley_animation = 21;
constexpr int fired_flag = 1;
constexpr double card_speed = 8, card_cost = 0.5, steer_speed = 3, drift = 0.5;

bool volley_on(const Frames& f) { return orrun::orrun_on(f) && f.level_group_12; }

bool started(Frames& f) { return get_value(f.instances[types::PlayerOthers_75], 'Y') == volley_state; }
double angle(Frames& f) { return get_value(f.instances[types::PlayerMovementValues_80], 'O'); }
bool floor_like(Frames& f) { return angle(f) < 90 || angle(f) > 270; }
bool ceiling_like(Frames& f) { return angle(f) >= 90 && angle(f) <= 270; }
bool on_ground(Frames& f) { return get_value(f.instances[types::PlayerMovementValues_80], 'L') == 1; }
double held(Frames& f, char control) { return get_value(f.instances[types::PlayerInput_21], control); }
bool steering(Frames& f) { return held(f, 'C') == 1 || held(f, 'D') == 1; }
bool left_clear(Frames& f) { return get_value(f.instances[types::PlayerSensorLeftBig_89], 'Z') == 0; }
double cards_held(Frames& f) { return get_value(f.instances[types::GUIEnergy_76], 'C'); }

int frame_of(const FrameObject* skin) { return static_cast<const Active*>(skin)->get_frame(); }
bool in_volley(const FrameObject* skin) { return static_cast<const Active*>(skin)->test_animation(volley_animation); }

void leave_ground(Frames& f)
{
    ObjectList& player = f.instances[types::PlayerMovementValues_80];
    set_value(player, 'N', 0);
    set_value(player, 'L', 0);
    set_value(f.instances[types::PlayerOthers_75], 'Z', 0);
}

// The voice, the volley's state, and the air action counted.
void start_volley(Frames& f)
{
    f.run_named_loop("sound_attack" + std::to_string(randrange_event(1152, 2)), 1);
    set_value(f.instances[types::PlayerOthers_75], 'Y', volley_state);
    ObjectList& actions = f.instances[types::PlayerActionValuesB_164];
    set_value(actions, 'O', std::max(get_value(actions, 'O'), 1.0));
}

}  // namespace

void Frames::event_func_1150()
{
    if (!volley_on(*this) || started(*this) || !on_ground(*this) || !floor_like(*this))
        return;
    set_value(instances[types::PlayerMovementValues_80], 'G', -7);
    leave_ground(*this);
}

void Frames::event_func_1151()
{
    if (volley_on(*this) && !started(*this) && on_ground(*this) && ceiling_like(*this))
        leave_ground(*this);
}

void Frames::event_func_1152()
{
    if (volley_on(*this) && !started(*this) && ceiling_like(*this))
        start_volley(*this);
}

void Frames::event_func_1153()
{
    if (!volley_on(*this) || started(*this) || !floor_like(*this))
        return;
    start_volley(*this);
    ObjectList& player = instances[types::PlayerMovementValues_80];
    set_value(player, 'G', std::min(get_value(player, 'G'), -4.0));
}

void Frames::event_func_1154()
{
    if (!volley_on(*this))
        return;
    ObjectList& skins = instances[types::PlayerSkinOrrun_290];
    const auto between_cards = [](FrameObject* s) { return in_volley(s) && frame_of(s) != 0 && frame_of(s) != 3; };
    if (select(skins, between_cards))
        for_each_selected(skins, [](FrameObject* s) { set_flag(s, fired_flag, false); });
}

void Frames::event_func_1155()
{
    if (!volley_on(*this) || steering(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    if (get_value(player, 'B') < 0)
        set_value(player, 'B', std::min(get_value(player, 'B') + drift, 0.0));
}

void Frames::event_func_1156()
{
    if (!volley_on(*this) || steering(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    if (get_value(player, 'B') > 0)
        set_value(player, 'B', std::max(get_value(player, 'B') - drift, 0.0));
}

void Frames::event_func_1157()
{
    if (!volley_on(*this) || held(*this, 'C') != 1 || !left_clear(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    set_value(player, 'B', std::min(get_value(player, 'B'), -steer_speed));
}

void Frames::event_func_1158()
{
    // Blocked by the left sensor, as the move was made.
    if (!volley_on(*this) || held(*this, 'D') != 1 || !left_clear(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    set_value(player, 'B', std::max(get_value(player, 'B'), steer_speed));
}

void Frames::event_func_1159()
{
    if (!volley_on(*this) || !(cards_held(*this) > 0))
        return;
    ObjectList& skins = instances[types::PlayerSkinOrrun_290];
    const auto card_frame = [](FrameObject* s) {
        return in_volley(s) && (frame_of(s) == 0 || frame_of(s) == 3) && !get_flag(*s, fired_flag);
    };
    if (!select(skins, card_frame))
        return;
    for_each_selected(skins, [](FrameObject* s) { set_flag(s, fired_flag, true); });
    const FrameObject* skin = skins.back_selection();
    ObjectList& player = instances[types::PlayerMovementValues_80];
    if (FrameObject* card = orrun::throw_cards(*this, skins)) {
        set_value(card, 'C', card_speed * get_value(player, 'Q'));
        set_value(card, 'D', card_speed);
        card->set_layer(layer_index(*skin));
        set_value(card, 'G', 1);
    }
    add_value(instances[types::GUIEnergy_76], 'C', -card_cost);
    for_each_instance(player, [](FrameObject* p) { set_value(p, 'G', std::min(get_value(*p, 'G'), 0.0)); });
}

void Frames::event_func_1160()
{
    if (!volley_on(*this))
        return;
    if (held(*this, 'N') != 0 && cards_held(*this) > 0)
        return;
    if (!select(instances[types::PlayerSkinOrrun_290], [](FrameObject* s) { return frame_of(s) >= 7; }))
        return;
    for_each_instance(instances[types::PlayerMovementValues_80], [](FrameObject* p) { set_value(p, 'M', 0); });
    for_each_instance(instances[types::PlayerOthers_75], [](FrameObject* o) { set_value(o, 'Y', fallen_state); });
    for_each_instance(instances[types::PlayerMovementValues_80], [](FrameObject* p) { set_value(p, 'G', 0); });
}
