// Where Dorrik's and Hespin's special moves start: Dorrik's third-button
// move and his air move on a held jump; Hespin's hover (state 14), which
// spends energy each tick, its ends, and the ground dash. Then the airborne
// group's state events: back to the plain air state, or the underwater one.
#include "audio/media.h"
#include "game/events/player_actions/move_starts.h"
#include "game/objects/classes.h"

#include <cmath>

using namespace action_starts;
using namespace move_starts;

namespace {

constexpr double dorrik = 4, hespin = 5, hover_state = 14, air_state = 3, underwater_state = 26;
constexpr unsigned dash_sample = 52;

// The hover ends when jump is released, under water, or with the meter
// empty; `rising_fast` picks the end by the y speed: below -2 or not.
bool hover_ends(Frames& f, bool rising_fast)
{
    ObjectList& player = f.instances[types::PlayerMovementValues_80];
    ObjectList& others = f.instances[types::PlayerOthers_75];
    if (get_value(player, 'A') != hespin || get_value(others, 'Y') != hover_state)
        return false;
    const bool end = get_value(f.instances[types::PlayerInput_21], 'E') == 0 || get_value(others, 'H') == 1 ||
                     get_value(f.instances[types::GUIEnergy_76], 'A') <= 0;
    return end && (get_value(player, 'G') < -2) == rising_fast;
}

// Hespin hovers while jump is held in the air above water with energy left.
bool hovering(Frames& f)
{
    ObjectList& player = f.instances[types::PlayerMovementValues_80];
    return get_value(player, 'A') == hespin && get_value(f.instances[types::PlayerInput_21], 'E') == 1 &&
           get_value(player, 'L') == 0 && get_value(f.instances[types::PlayerOthers_75], 'H') != 1 &&
           get_value(f.instances[types::GUIEnergy_76], 'A') > 0;
}

}  // namespace

void Frames::event_func_838()
{
    if (!mode_0_on(*this))
        return;
    if (dorrik_special_pressed(*this))
        set_value(instances[types::PlayerMovementValues_80], 'M', 31);
}

void Frames::event_func_839()
{
    if (!mode_0_on(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    ObjectList& others = instances[types::PlayerOthers_75];
    if (get_value(others, 'H') == 1 || get_value(instances[types::PlayerInput_21], 'E') != 1 ||
        get_value(player, 'A') != dorrik || !(get_value(player, 'G') >= 0) || get_value(player, 'L') != 0 ||
        !select(instances[types::PlayerSkinDorrik_339], [](FrameObject* skin) { return get_value(*skin, 'E') < 100; }))
        return;
    set_value(player, 'M', 22);
    set_value(others, 'N', 0);
}

void Frames::event_func_840()
{
    if (!mode_0_on(*this) || !hovering(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    if (get_value(instances[types::PlayerOthers_75], 'Y') != hover_state || !(get_value(player, 'G') > -5))
        return;
    add_value(player, 'G', -0.5);
}

void Frames::event_func_841()
{
    if (!mode_0_on(*this) || !hovering(*this))
        return;
    set_value(instances[types::PlayerOthers_75], 'Y', hover_state);
    add_value(instances[types::GUIEnergy_76], 'A', -2);
}

void Frames::event_func_842()
{
    if (mode_0_on(*this) && hover_ends(*this, true))
        set_value(instances[types::PlayerOthers_75], 'Y', air_state);
}

void Frames::event_func_843()
{
    if (!mode_0_on(*this) || !hover_ends(*this, false))
        return;
    set_value(instances[types::PlayerOthers_75], 'Y', air_state);
    for_each_instance(instances[types::PlayerSkinHespin_351], fall_from_frame_6);
}

void Frames::event_func_844()
{
    if (!mode_0_on(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    ObjectList& input = instances[types::PlayerInput_21];
    if (get_value(player, 'A') != hespin || !(std::abs(get_value(player, 'B')) < 7) || get_value(input, 'B') != 1 ||
        get_value(input, 'K') != 1 || get_value(player, 'L') != 1)
        return;
    media.play_id(dash_sample, -1, 1);
    ObjectList& skins = instances[types::PlayerSkinHespin_351];
    ObjectList& bursts = instances[types::EffectsWhiteBurst_31];
    if (skins.size() == 0) {
        // The burst of a missing skin is made where the default object is and
        // goes again at once.
        if (FrameObject* burst = create_instance(*this, bursts, create_effectswhiteburst_31(0, 0), 0))
            burst->destroy();
    } else {
        bool first = true;
        for_each_instance(skins, [&](FrameObject* skin) {
            FrameObject* burst = create_effectswhiteburst_31(skin->x, skin->y);
            if (first)
                create_instance(*this, bursts, burst, layer_index(*skin));
            else
                create_another(*this, bursts, burst, layer_index(*skin));
            first = false;
        });
    }
    set_value(player, 'B', 7 * get_value(player, 'Q'));
    for_each_instance(skins, [](FrameObject* skin) { set_value(skin, 'I', 10); });
    set_value(instances[types::GUIEnergy_76], 'A', 0);
}

void Frames::event_func_845()
{
    if (!mode_1_on(*this))
        return;
    ObjectList& others = instances[types::PlayerOthers_75];
    const double state = get_value(others, 'Y');
    // Back to the plain air state from every other air state but the roll,
    // the one-shot action and the underwater state, unless locked; and from
    // the underwater state once out of the water.
    const bool settled = get_value(instances[types::PlayerMovementValues_80], 'R') == 0 && state != 8 &&
                         state != 12 && state != underwater_state;
    const bool surfaced = state == underwater_state && get_value(others, 'H') != 1;
    if (settled || surfaced)
        set_value(others, 'Y', air_state);
}

void Frames::event_func_846()
{
    if (!mode_1_on(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    if (get_value(player, 'R') == 0 && get_value(instances[types::PlayerOthers_75], 'Y') == 8)
        set_value(player, 'Z', 1);
}

void Frames::event_func_847()
{
    if (!mode_1_on(*this))
        return;
    ObjectList& others = instances[types::PlayerOthers_75];
    const double state = get_value(others, 'Y');
    if (get_value(others, 'H') != 1 || state == 12 || state == 9)
        return;
    set_value(others, 'Y', underwater_state);
    for_each_instance(instances[types::PlayerSkinDorrik_339], [](FrameObject* skin) { set_value(skin, 'E', 0); });
}
