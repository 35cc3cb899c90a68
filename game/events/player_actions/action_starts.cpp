#include "game/events/player_actions/action_starts.h"

#include "audio/media.h"
#include "game/objects/classes.h"

namespace action_starts {

namespace {

constexpr int yelto_special_sample = 9, hespin_dash_sample = 52;

double pressed(Frames& f, char control) { return get_value(f.instances[types::PlayerInput_21], control); }
double character(Frames& f) { return get_value(f.instances[types::PlayerMovementValues_80], 'A'); }

}  // namespace

void start_attack(Frames& f)
{
    set_value(f.instances[types::PlayerMovementValues_80], 'M', 20);
    reset_orrun_skins(f);
}

void reset_orrun_skins(Frames& f)
{
    for_each_instance(f.instances[types::PlayerSkinOrrun_290], [](FrameObject* skin) {
        set_flag(skin, 1, false);
        set_value(skin, 'B', 2);
    });
}

bool orrun_charge_pressed(Frames& f)
{
    return pressed(f, 'O') == 1 && character(f) == 1 && get_value(f.instances[types::GUIEnergy_76], 'C') > 0;
}

void start_orrun_charge(Frames& f)
{
    set_value(f.instances[types::PlayerMovementValues_80], 'M', 42);
    const double charge = get_value(f.instances[types::GUIEnergy_76], 'C');
    set_value_of_all(f.instances[types::PlayerSkinOrrun_290], 'B', charge);
}

bool dorrik_special_pressed(Frames& f)
{
    if (pressed(f, 'O') != 1 || character(f) != 4)
        return false;
    const auto cooled_down = [](FrameObject* skin) { return get_value(*skin, 'F') <= 0; };
    const auto not_out = [](FrameObject* shot) { return get_value(*shot, 'A') == 0; };
    return select(f.instances[types::PlayerSkinDorrik_339], cooled_down) &&
           select(f.instances[types::PlayerReflect_343], not_out);
}

bool yelto_special_pressed(Frames& f)
{
    return pressed(f, 'O') == 1 && character(f) == 0 && get_value(f.instances[types::GUIEnergy_76], 'A') >= 100;
}

void start_yelto_special(Frames& f)
{
    set_value(f.instances[types::PlayerMovementValues_80], 'M', 5);
    set_value(f.instances[types::PlayerOthers_75], 'N', 0);
    media.play_id(yelto_special_sample, -1, 1);
    set_value(f.instances[types::PlayerOthers_75], 'Q', 0);
}

void start_yelto_special_from_ground(Frames& f)
{
    start_yelto_special(f);
    const double on_ground = get_value(f.instances[types::PlayerMovementValues_80], 'L');
    set_value(f.instances[types::PlayerSkinYelto_102], 'K', 10 * on_ground);
}

void start_hespin_dash(Frames& f)
{
    media.play_id(hespin_dash_sample, -1, 1);
    ObjectList& hespin = f.instances[types::PlayerSkinHespin_351];
    ObjectList& bursts = f.instances[types::EffectsWhiteBurst_31];
    bool first = true;
    for_each_instance(hespin, [&](FrameObject* skin) {
        FrameObject* burst = create_effectswhiteburst_31(skin->get_x(), skin->get_y());
        if (first)
            create_instance(f, bursts, burst, layer_index(*skin));
        else
            create_another(f, bursts, burst, layer_index(*skin));
        first = false;
    });
    ObjectList& player = f.instances[types::PlayerMovementValues_80];
    set_value(player, 'B', 7 * get_value(player, 'Q'));
    set_value_of_all(hespin, 'I', 10);
    set_value(f.instances[types::GUIEnergy_76], 'A', 0);
    set_value(player, 'M', 0);
}

}  // namespace action_starts
