// Dorrik's prompt on the HUD: which of his hand actions applies now. Each
// event blinks one pair of pictures; a later one overrides an earlier one
// in the same tick.
#include "game/events/move_sets/dorrik_moves.h"

using namespace dorrik;

namespace {

// The HUD holder's direction with Dorrik's prompts, two frames a prompt.
constexpr int prompt_direction = 4;

// Frame `first` or the one after it, changing every four ticks.
void blink_from(Frames& f, int first)
{
    const int frame = first + level_tick(f) / 4 % 2;
    for_each_instance(f.instances[types::GUIScoreTimeRings_107], [frame](FrameObject* hud) {
        hud->set_direction(prompt_direction, true);
        as_active(hud)->force_frame(frame);
    });
}

bool item_box_underfoot(Frames& f)
{
    ObjectList& sensor = f.instances[types::PlayerSensorBottomBig_95];
    select_all(sensor);
    select_all(item_boxes(f));
    return check_overlap(sensor, item_boxes(f));
}

}  // namespace

void Frames::event_func_1258()
{
    if (dorrik_group_on(*this))
        blink_from(*this, 0);
}

void Frames::event_func_1259()
{
    if (!dorrik_group_on(*this) || !skins_holding(*this, 0) || !item_box_underfoot(*this))
        return;
    blink_from(*this, 2);
}

void Frames::event_func_1260()
{
    if (!dorrik_group_on(*this))
        return;
    if (skins_holding(*this, 1) || (skins_holding(*this, 2) && orb_in(*this, 1)))
        blink_from(*this, 4);
}

void Frames::event_func_1261()
{
    if (dorrik_group_on(*this) && skins_holding(*this, 2) && orb_in(*this, 0))
        blink_from(*this, 8);
}

void Frames::event_func_1262()
{
    if (!dorrik_group_on(*this))
        return;
    const double mode = get_value(movement(*this), 'M');
    if (mode == 3 || mode == 27)
        blink_from(*this, 6);
}
