// The player's support loops: restarting the act after a death or from the
// pause menu, the checkpoint's saved values, the cut-scene switches, the
// HUD sliding up and down a pixel at a time, and the skins put on the
// player's position.
#include "audio/media.h"
#include "game/events/player_actions/skin_objects.h"
#include "game/events/stage_loops/checkpoint.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/type_ids.h"
#include "objects/arrayext.h"
#include "objects/counter.h"
#include "runtime/manager.h"

#include <algorithm>

namespace {

// How far the HUD can be raised, in pixels.
constexpr double hud_raise_limit = 80;

// The HUD pieces in the order they slide: the panel and its counters, the
// icon (whose value A counts the raise), then the rest.
constexpr int hud_first[] = {types::GUIScoreTimeRings_107, types::GUIEnergy_76, types::GUIRings_74,
                             types::GUILives_221, types::GUIIcon_108};
constexpr int hud_rest[] = {types::GUIPowerCard_337, types::GUICrystal_78,      types::GUITimer_349,
                            types::GUITimerM_213,    types::GUITimerS_211,      types::GUITimerMilli_207,
                            types::GUITimerMilli2_210, types::GUITimerS2_212,   types::GUITimerM2_214};

// The HUD is raised by the icon's value A pixels.
template <class Test>
bool hud_raise_is(Frames& frames, Test test)
{
    return select(frames.instances[types::GUIIcon_108], [&](FrameObject* icon) { return test(get_value(*icon, 'A')); });
}

void move_hud(Frames& frames, int dy)
{
    const auto move = [dy](FrameObject* piece) { piece->set_y(piece->get_y() + dy); };
    for (const int type : hud_first)
        for_each_instance(frames.instances[type], move);
    for_each_instance(frames.instances[types::GUIIcon_108],
                      [dy](FrameObject* icon) { set_value(icon, 'A', get_value(*icon, 'A') - dy); });
    for (const int type : hud_rest)
        for_each_instance(frames.instances[type], move);
}

double counter_value(ObjectList& list) { return list.back ? static_cast<Counter*>(list.back)->value : 0.0; }

void add_to_save_cell(FrameObject* object, int x, int y)
{
    auto* save = static_cast<ArrayObject*>(object);
    save->set_value(save->get_value(x, y, -1) + 1, x, y, -1);
}

}  // namespace

// Restart the act: the runtime sets the frame up again at the end of the tick.
void Frames::loop_death_4()
{
    if (level_group_43)
        next_frame = index;
}

void Frames::event_func_313()
{
    if (level_group_43 && hud_raise_is(*this, [](double raise) { return raise > 0; }))
        move_hud(*this, 1);
}

// The restart from the pause menu: lives one below the checkpoint's, never
// below one, and the crystals back as the checkpoint saved them.
void Frames::event_func_315()
{
    for_each_instance(instances[types::ControllerMusic_49], [](FrameObject* music) {
        for (const auto& [name, number] : {std::pair{'L', 0.0}, {'D', -1.0}, {'G', 0.0}, {'K', 0.0}, {'J', 0.0},
                                           {'H', 3.0}, {'F', 0.0}, {'E', 0.0}})
            set_value(music, name, number);
    });
    media.resume_samples();
    media.stop_samples();
    if (auto* crystals = static_cast<Counter*>(instance_of(instances[types::GUICrystal_78])))
        crystals->set(global_values->get(29));
    FrameObject* level = instance_of(instances[types::MasterLevel_53]);
    set_value(level, 'J', global_values->get(14));
    set_value(level, 'O', global_values->get(15));
    FrameObject* others = instance_of(instances[types::PlayerOthers_75]);
    for (const char name : {'B', 'D', 'E'})
        set_value(others, name, 0);
    set_lives(to_int(std::max(global_values->get(28) - 1, 1.0)));
    for_each_instance(instances[types::SaveData_10], [](FrameObject* save) {
        add_to_save_cell(save, 1, 7);
        add_to_save_cell(save, 3, 3);
    });
    global_values->set(23, 1);
}

void Frames::loop_restart_4()
{
    if (level_group_25)
        next_frame = index;
    event_func_86();
    event_func_315();
}

// The skins stand on the player, lowered by half their tilt's reach.
void Frames::event_func_336()
{
    if (!level_group_43 || !level_group_23)
        return;
    const FrameObject& values = instance_or_default(instances[types::PlayerMovementValues_80]);
    const FrameObject& yelto = instance_or_default(instances[types::PlayerSkinYelto_102]);
    const int x = to_int(get_value(values, 'X'));
    const int y = to_int(get_value(values, 'Y') + 0.5 * get_value(yelto, 'E') * event_sin(get_value(yelto, 'D')));
    const auto place = [x, y](FrameObject* skin) { skin->set_global_position(x, y); };
    skins::for_each_skin(*this, skins::body_skins, place);
}

void checkpoint::save(Frames& frames)
{
    const FrameObject& level = instance_or_default(frames.instances[types::MasterLevel_53]);
    frames.global_values->set(13, get_value(level, 'Z'));
    frames.global_values->set(14, get_value(level, 'J'));
    frames.global_values->set(15, get_value(level, 'O'));
    frames.global_values->set(29, counter_value(frames.instances[types::GUICrystal_78]));
    frames.global_values->set(28, manager.lives);
    frames.global_values->set(30, counter_value(frames.instances[types::GUIRings_74]));
}

void Frames::loop_cp_4()
{
    if (!level_group_43)
        return;
    checkpoint::save(*this);
}

void Frames::loop_start_player_4()
{
    if (level_group_43)
        activate_group(level_group_23);
}

void Frames::loop_cutscene_start_4()
{
    if (!level_group_43)
        return;
    set_value(instance_of(instances[types::PlayerInput_21]), 'M', 1);
    deactivate_group(level_group_25);
    deactivate_group(level_group_8);
}

void Frames::loop_cutscene_end_4()
{
    if (!level_group_43)
        return;
    activate_group(level_group_25);
    activate_group(level_group_8);
}

void Frames::event_func_416()
{
    if (!level_group_43)
        return;
    deactivate_group(level_group_23);
    skins::for_each_skin(*this, skins::body_skins, [](FrameObject* skin) { skin->set_angle(0, 0); });
}

void Frames::event_func_417()
{
    if (level_group_43 && hud_raise_is(*this, [](double raise) { return raise < hud_raise_limit; }))
        move_hud(*this, -1);
}

void Frames::loop_stop_player_4() { event_func_416(); }
void Frames::loop_gui_shiftdown_4() { event_func_313(); }
void Frames::loop_gui_shiftup_4() { event_func_417(); }
void Frames::loop_reposition_skin_4() { event_func_336(); }
