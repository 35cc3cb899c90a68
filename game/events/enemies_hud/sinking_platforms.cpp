// Sinking platforms pressed: under the player a platform's dip eases
// towards 9 pixels (the water shield's dash pushes it to 8 at once), the
// platforms linked to it dip as far, and every platform is put down by its
// whole dip until the start of the next tick takes it off again.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/type_ids.h"
#include "runtime/collision.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int held = 2;  // the platform's flag
constexpr double full_dip = 9, dash_dip = 8, ease = 0.2;
constexpr double water_shield_dash = 2;

QualifierList& platforms(Frames& frames) { return frames.qualifier_6; }
ObjectList& gimmick_actions(Frames& frames) { return frames.instances[types::PlayerGimmickActions_150]; }

bool select_held(Frames& frames)
{
    return select(platforms(frames), [](FrameObject* platform) { return get_flag(*platform, held); });
}

// The pressed platform's link and dip, from the first selected platform,
// for the platforms linked to it.
void copy_link_and_dip(Frames& frames)
{
    const FrameObject* pressed = platforms(frames).back_selection();
    set_value(gimmick_actions(frames), 'G', get_value(*pressed, 'L'));
    set_value(gimmick_actions(frames), 'H', get_value(*pressed, 'S'));
}

}  // namespace

void Frames::event_func_1895()
{
    if (!level_group_43 || get_value(instances[types::PlayerMovementValues_80], 'L') != 1)
        return;
    ObjectList& sensor = instances[types::PlayerSensorBottomBig_95];
    select_all(sensor);
    select_all(platforms(*this));
    if (check_overlap(sensor, platforms(*this)))
        for_each_selected(platforms(*this), [](FrameObject* platform) { set_flag(platform, held, true); });
}

void Frames::event_func_1896()
{
    if (!level_group_43 || !select_held(*this))
        return;
    copy_link_and_dip(*this);
    for_each_selected(platforms(*this), [](FrameObject* platform) {
        const double dip = get_value(*platform, 'S');
        set_value(platform, 'S', dip + (full_dip - dip) * ease);
    });
}

void Frames::event_func_1897()
{
    if (!level_group_43 || !select_held(*this))
        return;
    if (!select(instances[types::ShieldWater_106],
                [](FrameObject* shield) { return get_value(*shield, 'A') == water_shield_dash; }))
        return;
    copy_link_and_dip(*this);
    for_each_selected(platforms(*this), [](FrameObject* platform) {
        set_value(platform, 'S', std::max(get_value(*platform, 'S'), dash_dip));
    });
}

void Frames::event_func_1898()
{
    const double link = get_value(gimmick_actions(*this), 'G');
    if (!level_group_43 || !(link > 0))
        return;
    if (!select(platforms(*this),
                [link](FrameObject* platform) { return get_value(*platform, 'L') == link && !get_flag(*platform, held); }))
        return;
    const double dip = get_value(gimmick_actions(*this), 'H');
    for_each_selected(platforms(*this), [dip](FrameObject* platform) {
        set_flag(platform, held, true);
        set_value(platform, 'S', dip);
    });
}

void Frames::event_func_1899()
{
    if (!level_group_43)
        return;
    for_each_instance(platforms(*this), [](FrameObject* platform) {
        platform->set_y(to_int(platform->get_y() + std::floor(get_value(*platform, 'S'))));
    });
}
