// Crystals: collected on touch, a collected crystal bursts into a spinning
// bit and a sparkle, and one created inside the ground after the frame's
// first 0.2 s homes in on the player.
#include "audio/media.h"
#include "game/events/items/pickups.h"
#include "game/objects/classes.h"
#include "objects/active.h"

namespace {

constexpr unsigned burst_sample = 24;
constexpr int bit_spin = 3;
constexpr int bit_animation = 4;

}  // namespace

void Frames::event_func_1592()
{
    if (!level_group_43)
        return;
    const double mode = pickups::movement_mode(*this);
    if (mode == 8 || mode == 9)
        return;
    if (select(instances[types::ObjectCrystal_239], [this](FrameObject* c) { return pickups::at_player(*this, *c, 40); }))
        run_open_loop(fast_loop_collect_item, "collect_item", &Frames::loop_collect_item_4);
}

// Placed crystals are past their first tick by then and are never tested.
void Frames::event_func_1593()
{
    if (!level_group_43 || !(frame_time >= 0.2))
        return;
    ObjectList& crystals = instances[types::ObjectCrystal_239];
    if (!select(crystals, [](FrameObject* c) { return !get_flag(*c, 0) && !get_flag(*c, 14) && !get_flag(*c, 2); }))
        return;
    const FrameObject* first = crystals.back_selection();
    if (first && test_obstacle(first->get_x(), first->get_y()))
        for_each_selected(crystals, [](FrameObject* c) { set_flag(c, 2, true); });
}

void Frames::event_func_1594()
{
    if (!level_group_43)
        return;
    ObjectList& crystals = instances[types::ObjectCrystal_239];
    if (select(crystals, [](FrameObject* c) { return !get_flag(*c, 0) && !get_flag(*c, 14); }))
        for_each_selected(crystals, [](FrameObject* c) { set_flag(c, 14, true); });
}

// A collected crystal bursts: a spinning bit, a sparkle, one sound.
void Frames::event_func_1595()
{
    if (!level_group_43)
        return;
    ObjectList& crystals = instances[types::ObjectCrystal_239];
    if (!select(crystals, [](FrameObject* c) { return get_value(*c, 'F') == 1; }))
        return;
    create_at_each(*this, crystals, instances[types::EffectsCrystalBit_177], create_effectscrystalbit_177);
    for_each_selected(crystals, [](FrameObject* c) { c->destroy(); });
    create_at_each(*this, crystals, instances[types::RingSparkle_179], create_ringsparkle_179);
    media.play_id(burst_sample, -1, 1);
}

void Frames::event_func_1596()
{
    if (level_group_43)
        for_each_instance(instances[types::EffectsCrystalBit_177],
                          [](FrameObject* bit) { bit->set_direction(bit->get_direction() + bit_spin, true); });
}

// A bit whose spin animation has just ended leaves a sparkle.
void Frames::event_func_1597()
{
    if (!level_group_43)
        return;
    ObjectList& bits = instances[types::EffectsCrystalBit_177];
    if (select(bits, [](FrameObject* bit) { return static_cast<Active*>(bit)->is_animation_finished(bit_animation); }))
        create_at_each(*this, bits, instances[types::RingSparkle_179], create_ringsparkle_179);
}

void Frames::event_func_1598()
{
    if (!level_group_43)
        return;
    ObjectList& crystals = instances[types::ObjectCrystal_239];
    if (select(crystals, [](FrameObject* c) { return get_flag(*c, 2); }))
        for_each_selected(crystals, [this](FrameObject* c) { pickups::home_in(*this, c, 'D'); });
}
