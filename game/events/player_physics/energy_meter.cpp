// The energy meter: its refill by character, its cap, the switch between
// the full and the not-full animation, the colour dots of Yelto's charged
// state, and a few per-tick counters of the skins.
#include "audio/media.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "runtime/movement.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr unsigned sample_meter_full = 23;
constexpr unsigned sample_mode_44_loop = 192;

// The refill rows share their tests: the meter below 100 and the icon not
// holding it back, then the character's own conditions; each kept meter
// takes the new value.
template <class Refill>
void refill(Frames& frames, bool character_conditions, Refill new_value)
{
    ObjectList& meters = frames.instances[types::GUIEnergy_76];
    if (!select(meters, [](FrameObject* meter) { return get_value(*meter, 'A') < 100; }))
        return;
    if (!(get_value(frames.instances[types::GUIIcon_108], 'A') <= 0) || !character_conditions)
        return;
    for_each_selected(meters, [&](FrameObject* meter) { set_value(meter, 'A', new_value(get_value(*meter, 'A'))); });
}

struct Player {
    explicit Player(Frames& frames)
        : id(get_value(frames.instances[types::PlayerMovementValues_80], 'A')),
          mode(get_value(frames.instances[types::PlayerMovementValues_80], 'M')),
          frozen(get_value(frames.instances[types::PlayerOthers_75], 'K') > 0)
    {
    }
    double id, mode;
    bool frozen;
};

// The energy at which the meter shows full; none for the characters whose
// meter never does.
std::optional<double> full_level(double character)
{
    if (character == 0 || character == 3)
        return 100.0;
    if (character == 2)
        return 20.0;
    return std::nullopt;
}

void force_animation(FrameObject* meter, int animation) { static_cast<Active*>(meter)->force_animation(animation); }

bool yelto_charged(Frames& frames, bool charged)
{
    return select(frames.instances[types::PlayerSkinYelto_102],
                  [charged](FrameObject* skin) { return get_flag(*skin, 8) == charged; });
}

}  // namespace

void Frames::event_func_717()
{
    if (!level_group_43 || !level_group_23)
        return;
    const Player p(*this);
    refill(*this, p.id == 0 && p.mode != 5 && p.mode != 26 && !p.frozen,
           [](double a) { return std::min(a + 0.4, 100.0); });
}

void Frames::event_func_718()
{
    if (!level_group_43 || !level_group_23)
        return;
    ObjectList& skins = instances[types::PlayerSkinYelto_102];
    if (select(skins, [](FrameObject* skin) { return get_value(*skin, 'N') > 0; }))
        for_each_selected(skins, [](FrameObject* skin) { set_value(skin, 'N', get_value(*skin, 'N') - 1); });
}

void Frames::event_func_719()
{
    if (!level_group_43 || !level_group_23)
        return;
    const Player p(*this);
    refill(*this, p.id == 1 && p.mode != 42 && !p.frozen, [](double a) { return std::min(a + 1, 100.0); });
}

void Frames::event_func_720()
{
    if (!level_group_43 || !level_group_23)
        return;
    const Player p(*this);
    refill(*this, (p.id == 2 || p.id == 3) && p.mode != 44 && !p.frozen,
           [](double a) { return std::min(a + 0.25, 100.0); });
}

void Frames::event_func_721()
{
    if (!level_group_43 || !level_group_23)
        return;
    const Player p(*this);
    // Event 726 caps it.
    refill(*this, p.id == 4 && p.mode != 20 && !p.frozen, [](double a) { return a + 0.5; });
}

void Frames::event_func_722()
{
    if (!level_group_43 || !level_group_23)
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    if (get_value(values, 'A') != 4)
        return;
    ObjectList& skins = instances[types::PlayerSkinDorrik_339];
    if (!select(skins, [](FrameObject* skin) { return get_value(*skin, 'E') > 0; }) || get_value(values, 'L') != 1)
        return;
    for_each_selected(skins, [](FrameObject* skin) { set_value(skin, 'E', 0); });
}

void Frames::event_func_723()
{
    if (!level_group_43 || !level_group_23)
        return;
    refill(*this, Player(*this).id == 5, [](double a) { return std::min(a + 0.7, 44.0); });
}

void Frames::event_func_724()
{
    if (!level_group_43 || !level_group_23)
        return;
    ObjectList& meters = instances[types::GUIEnergy_76];
    if (!select(meters, [](FrameObject* meter) { return get_flag(*meter, 1) && get_value(*meter, 'A') < 100; }))
        return;
    // Forcing 0 first makes animation 8 start again from its first frame.
    for_each_selected(meters, [](FrameObject* meter) {
        force_animation(meter, 0);
        force_animation(meter, 8);
    });
}

void Frames::event_func_725()
{
    if (!level_group_43 || !level_group_23)
        return;
    ObjectList& meters = instances[types::GUIEnergy_76];
    if (select(meters, [](FrameObject* meter) { return get_flag(*meter, 1); }))
        for_each_selected(meters, [](FrameObject* meter) { set_flag(meter, 1, false); });
}

void Frames::event_func_726()
{
    if (!level_group_43 || !level_group_23)
        return;
    ObjectList& meters = instances[types::GUIEnergy_76];
    if (select(meters, [](FrameObject* meter) { return get_value(*meter, 'A') > 100; }))
        for_each_selected(meters, [](FrameObject* meter) { set_value(meter, 'A', 100); });
}

void Frames::event_func_728()
{
    if (!level_group_43 || !level_group_23)
        return;
    const std::optional<double> level = full_level(Player(*this).id);
    if (!level)
        return;
    ObjectList& meters = instances[types::GUIEnergy_76];
    if (!select(meters, [&](FrameObject* meter) { return !get_flag(*meter, 0) && get_value(*meter, 'A') >= *level; }))
        return;
    for_each_selected(meters, [](FrameObject* meter) {
        set_flag(meter, 0, true);
        force_animation(meter, 7);
    });
    media.play_id(sample_meter_full, -1, 1);
}

void Frames::event_func_729()
{
    if (!level_group_43 || !level_group_23)
        return;
    ObjectList& meters = instances[types::GUIEnergy_76];
    if (!select(meters, [](FrameObject* meter) {
            const Active* shown = static_cast<const Active*>(meter);
            return !shown->test_animation(7) && !shown->test_animation(11) && get_flag(*meter, 0);
        }))
        return;
    for_each_selected(meters, [](FrameObject* meter) { force_animation(meter, 1); });
}

void Frames::event_func_730()
{
    if (!level_group_43 || !level_group_23)
        return;
    const std::optional<double> level = full_level(Player(*this).id);
    if (!level)
        return;
    ObjectList& meters = instances[types::GUIEnergy_76];
    if (!select(meters, [&](FrameObject* meter) { return get_flag(*meter, 0) && get_value(*meter, 'A') < *level; }))
        return;
    for_each_selected(meters, [](FrameObject* meter) {
        set_flag(meter, 0, false);
        force_animation(meter, 0);
    });
}

void Frames::event_func_731()
{
    if (!level_group_43 || !level_group_23)
        return;
    if (!yelto_charged(*this, true) || instances[types::EffectsColorDot_317].size() != 0)
        return;
    const FrameObject& skin = **ObjectIterator(instances[types::PlayerSkinYelto_102]);
    create_instance(*this, instances[types::EffectsColorDot_317],
                    create_effectscolordot_317(skin.get_x(), skin.get_y()), layer_index(skin));
}

void Frames::event_func_732()
{
    if (!level_group_43 || !level_group_23)
        return;
    if (!yelto_charged(*this, true))
        return;
    const FrameObject& skin = **ObjectIterator(instances[types::PlayerSkinYelto_102]);
    const double theta = skin.get_angle();
    ObjectList& values = instances[types::PlayerMovementValues_80];
    const double x = get_value(values, 'X'), y = get_value(values, 'Y');
    for_each_instance(instances[types::EffectsColorDot_317], [&](FrameObject* dot) {
        dot->set_x(to_int(x - 8 * sin_deg(theta)));
        dot->set_y(to_int(y - 8 * cos_deg(theta)));
        dot->set_angle(dot->get_angle() - 20, 0);
    });
    for_each_instance(instances[types::GUIEnergy_76], [](FrameObject* meter) { force_animation(meter, 11); });
}

void Frames::event_func_733()
{
    if (!level_group_43 || !level_group_23)
        return;
    if (yelto_charged(*this, false))
        for_each_instance(instances[types::EffectsColorDot_317], [](FrameObject* dot) { dot->destroy(); });
}

void Frames::event_func_734()
{
    if (!level_group_43 || !level_group_23)
        return;
    ObjectList& skins = instances[types::PlayerSkinYelto_102];
    if (!yelto_charged(*this, true) || get_value(instances[types::GUIEnergy_76], 'A') != 0)
        return;
    for_each_selected(skins, [](FrameObject* skin) { set_flag(skin, 8, false); });
}

void Frames::event_func_736()
{
    if (!level_group_43 || !level_group_23)
        return;
    if (get_value(instances[types::PlayerMovementValues_80], 'M') != 44 && media.is_sample_playing(sample_mode_44_loop))
        media.stop_sample(sample_mode_44_loop);
}
