// The stage's start-of-frame events: the start mode's floor, the HUD laid
// out for the view's size, templates outside the playfield removed, the
// parallax boxes, the level counters, links, crystal mode, bridges and the
// HUD slide. Both acts call most of them; act 1 runs them in
// on_frame_5_start_events.
#include "base/convert.h"
#include "game/events/act1_frame/stage_start.h"
#include "game/events/stage_loops/checkpoint.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "objects/arrayext.h"
#include "objects/counter.h"
#include "objects/systembox.h"
#include "runtime/layer.h"
#include "runtime/manager.h"

#include <cmath>

namespace {

void move_x(FrameObject* object, double dx)
{
    if (object)
        object->set_x(to_int(object->get_x() + dx));
}

void destroy_outside_playfield(ObjectList& list)
{
    if (select(list, [](FrameObject* object) { return object->outside_playfield(); }))
        for_each_selected(list, [](FrameObject* object) { object->destroy(); });
}

void destroy_outside_playfield(QualifierList& group)
{
    if (select(group, [](FrameObject* object) { return object->outside_playfield(); }))
        for_each_selected(group, [](FrameObject* object) { object->destroy(); });
}

double counter_value(ObjectList& list)
{
    return list.back ? static_cast<Counter*>(list.back)->value : 0.0;
}

// One new instance of `make` for each selected instance of `from`, at its
// layer-local position and on its layer. With none to replace, one is made
// and destroyed at once, so that the type's selection is what was created.
template <class Make>
void replace_each(Frames& frames, ObjectList& from, ObjectList& to, Make make)
{
    select_all(from);
    if (!from.has_selection()) {
        if (FrameObject* made = create_instance(frames, to, make(0, 0), 0))
            made->destroy();
        return;
    }
    bool first = true;
    for_each_selected(from, [&](FrameObject* old) {
        FrameObject* made = make(old->x, old->y);
        if (first)
            create_instance(frames, to, made, layer_index(*old));
        else
            create_another(frames, to, made, layer_index(*old));
        first = false;
    });
}

}  // namespace

void stage_start::read_arm_colours(Frames& frames)
{
    ObjectList& saves = frames.instances[types::SaveData_10];
    const auto cell = [&](int y) -> int64_t {
        return saves.back ? static_cast<ArrayObject*>(saves.back)->get_value(1, y, -1) : 0;
    };
    const std::string& colours = frames.global_strings->get(12);
    // Three characters per number, three numbers per (a, b) pair; the cells
    // come from a save file, so the cut may fall anywhere.
    const auto number = [&](int y) {
        const std::string piece = text_piece(colours, 3 * (3 * cell(y) + cell(y + 1)), 3);
        return fast_atof(piece.data(), piece.data() + piece.size());
    };
    for_each_instance(frames.instances[types::PlayerSkinHespinArm_350], [&](FrameObject* arm) {
        set_value(arm, 'G', number(26));
        set_value(arm, 'H', number(28));
        set_value(arm, 'I', number(30));
        set_value(arm, 'J', get_value(*arm, 'G') * 0.1);
        set_value(arm, 'K', get_value(*arm, 'H') * 0.1);
        set_value(arm, 'L', get_value(*arm, 'I') * 0.1);
    });
}

void Frames::event_func_2180()
{
    if (global_values->get(4) < 1)
        global_values->set(4, 1);
}

void Frames::event_func_2181()
{
    if (!level_group_43)
        return;
    const double w = global_values->get(16);
    const double h = global_values->get(17);
    const double s = global_values->get(19);
    ObjectList& pauses = instances[types::GUIPause_109];
    move_x(instance_of(pauses), w * 0.5 - (105 - s * 53));
    for_each_instance(instances[types::LevelCardFade_208], [&](FrameObject* card) {
        static_cast<Active*>(card)->set_x_scale(float(w));
        static_cast<Active*>(card)->set_y_scale(float(h));
    });
    if (FrameObject* crystal_icon = instance_of(instances[types::Crystal_321]))
        crystal_icon->set_x(instance_or_default(pauses).get_action_x());
    move_x(instance_of(instances[types::LevelCardGameOver_191]), w * 0.5);
    for (const int timer : {types::GUITimer_349, types::GUITimerMilli_207, types::GUITimerMilli2_210,
                            types::GUITimerS_211, types::GUITimerS2_212, types::GUITimerM_213, types::GUITimerM2_214})
        move_x(instance_of(instances[timer]), w - 320);
    for_each_instance(instances[types::LevelCardIntro2_287], [&](FrameObject* card) { move_x(card, w * 0.5); });
    for_each_instance(instances[types::LevelCardIntro3_288], [&](FrameObject* card) { move_x(card, w * 0.5); });
}

void Frames::event_func_2182()
{
    if (!level_group_43)
        return;
    FrameObject* level = instance_of(instances[types::MasterLevel_53]);
    set_value(level, 'B', 2000);
    set_value(level, 'A', 1);
    set_value(level, 'Y', 0);
    int number = 0;
    for_each_instance(instances[types::ObjectCodec_279], [&](FrameObject* codec) { set_value(codec, 'A', ++number); });
    set_value(level, 'Q', 1);
    set_value(instance_of(instances[types::PlayerOthers_75]), 'H', 0);
}

void Frames::event_func_2183()
{
    if (level_group_43)
        destroy_outside_playfield(instances[types::GimmickBridgeLog_140]);
}

void Frames::event_func_2184()
{
    if (level_group_43)
        destroy_outside_playfield(instances[types::GimmickBridge12Logs_139]);
}

void Frames::event_func_2185()
{
    if (level_group_43)
        destroy_outside_playfield(qualifier_13);
}

void Frames::event_func_2186()
{
    if (level_group_43)
        destroy_outside_playfield(instances[types::MonitorBroken_118]);
}

// 2187-2198: the springs, red then yellow.
void Frames::event_func_2187()
{
    if (level_group_43)
        destroy_outside_playfield(instances[types::RedSpringUp_201]);
}

void Frames::event_func_2188()
{
    if (level_group_43)
        destroy_outside_playfield(instances[types::RedSpringRight_202]);
}

void Frames::event_func_2189()
{
    if (level_group_43)
        destroy_outside_playfield(instances[types::RedSpringLeft_203]);
}

void Frames::event_func_2190()
{
    if (level_group_43)
        destroy_outside_playfield(instances[types::RedSpringDown_204]);
}

void Frames::event_func_2191()
{
    if (level_group_43)
        destroy_outside_playfield(instances[types::RedSpringUpRight_199]);
}

void Frames::event_func_2192()
{
    if (level_group_43)
        destroy_outside_playfield(instances[types::RedSpringUpLeft_200]);
}

void Frames::event_func_2193()
{
    if (level_group_43)
        destroy_outside_playfield(instances[types::YellowSpringUp_195]);
}

void Frames::event_func_2194()
{
    if (level_group_43)
        destroy_outside_playfield(instances[types::YellowSpringRight_196]);
}

void Frames::event_func_2195()
{
    if (level_group_43)
        destroy_outside_playfield(instances[types::YellowSpringLeft_197]);
}

void Frames::event_func_2196()
{
    if (level_group_43)
        destroy_outside_playfield(instances[types::YellowSpringDown_198]);
}

void Frames::event_func_2197()
{
    if (level_group_43)
        destroy_outside_playfield(instances[types::YellowSpringUpRight_194]);
}

void Frames::event_func_2198()
{
    if (level_group_43)
        destroy_outside_playfield(instances[types::YellowSpringUpLeft_193]);
}

void Frames::event_func_2199()
{
    if (!level_group_43)
        return;
    for_each_instance(qualifier_20, [](FrameObject* box) {
        set_value(box, 'A', box->width);
        set_value(box, 'B', box->height);
        set_value(box, 'C', box->get_y());
        set_value(box, 'H', 427);
        set_value(box, 'I', 241);
    });
}

void Frames::event_func_2200()
{
    if (!level_group_43)
        return;
    struct Factors {
        int type;
        double d, e;
        bool drifts;
        double g;
    };
    // LevelParallaxPiece0_161, 1_205, 2_206, 2_215, 3_216, 4_217, 5_218,
    // 6_219, 7_240: how far each follows the display centre, and its drift.
    static constexpr Factors factors[] = {
        {131, 0.99, 0.94, false, 0},   {16, 0.98, 0.93, false, 0},   {173, 0.4, 0.5, false, 0},
        {182, 0.95, 0.91, false, 0},   {183, 0.96, 0.92, true, -0.1}, {184, 0.92, 0.88, true, -0.3},
        {185, 0.6, 0.7, false, 0},     {186, 0.5, 0.6, false, 0},    {190, 0.35, 0.43, false, 0},
    };
    for (const Factors& f : factors) {
        FrameObject* box = instance_of(instances[f.type]);
        set_value(box, 'D', f.d);
        set_value(box, 'E', f.e);
        if (f.drifts)
            set_value(box, 'G', f.g);
    }
    ObjectList& planes = instances[types::LevelBackgroundPlane2_352];
    for_each_instance(planes, [](FrameObject* plane) {
        set_value(plane, 'A', plane->get_x());
        set_value(plane, 'B', plane->get_y());
    });
    int number = 0;
    for_each_instance(planes, [&](FrameObject* plane) { set_value(plane, 'C', number++); });
    for_each_instance(planes, [](FrameObject* plane) {
        static_cast<Active*>(plane)->set_scale(float(1.0 - 0.2 * get_value(*plane, 'C')));
    });
}

void Frames::event_func_2201()
{
    if (!level_group_43)
        return;
    for_each_instance(qualifier_20, [](FrameObject* box) {
        const double a = get_value(*box, 'A');
        const double times = a != 0 ? std::trunc(get_value(*box, 'H') / a) : 0.0;
        static_cast<SystemBox*>(box)->set_size(to_int((times + 2) * a), to_int(get_value(*box, 'B')));
    });
}

void Frames::event_func_2202()
{
    if (!level_group_43 || !(global_values->get(4) < 0))
        return;
    checkpoint::save(*this);
}

void Frames::event_func_2203()
{
    if (!level_group_43 || !(global_values->get(4) >= 0))
        return;
    set_value(instance_of(instances[types::MasterLevel_53]), 'J', global_values->get(14));
    global_values->set(15, get_value(instance_or_default(instances[types::MasterLevel_53]), 'O'));
    global_values->set(29, counter_value(instances[types::GUICrystal_78]));
    global_values->set(28, manager.lives);
    global_values->set(30, counter_value(instances[types::GUIRings_74]));
}

void Frames::event_func_2210()
{
    if (!level_group_43)
        return;
    int number = 0;
    for_each_instance(instances[types::LINK_186], [&](FrameObject* object) { set_value(object, 'Z', ++number); });
    number = 0;
    for_each_instance(qualifier_6, [&](FrameObject* object) { set_value(object, 'O', number++); });
}

void Frames::event_func_2211()
{
    if (!level_group_43)
        return;
    run_loop(fast_loop_link_objects_1, qualifier_6.size(), &Frames::loop_link_objects_1_4);
}

void Frames::event_func_2212()
{
    if (!level_group_43 || !(global_values->get(12) < 0))
        return;
    replace_each(*this, instances[types::ObjectPetal_117], instances[types::ObjectCrystal_239],
                 create_objectcrystal_239);
    replace_each(*this, instances[types::MonitorRings_119], instances[types::MonitorCrystals_120],
                 create_monitorcrystals_120);
    for_each_instance(instances[types::MonitorRings_119], [](FrameObject* monitor) { monitor->destroy(); });
    for_each_instance(instances[types::ObjectPetal_117], [](FrameObject* object) { object->destroy(); });
}

void Frames::event_func_2213()
{
    if (!level_group_43)
        return;
    FrameObject* loss = instance_of(instances[types::MasterRingLoss_129]);
    set_value(loss, 'I', 2);
    set_value(loss, 'H', 4);
    for_each_instance(instances[types::ObjectPetal_117], [](FrameObject* object) {
        set_value(object, 'G', 5);
        set_value(object, 'H', 0.5);
    });
    for_each_instance(instances[types::ObjectCrystal_239], [](FrameObject* object) {
        set_value(object, 'H', 0.5);
        set_value(object, 'G', 8);
    });
}

void Frames::event_func_2214()
{
    if (level_group_43)
        destroy_outside_playfield(instances[types::ObjectExtraLife_289]);
}

void Frames::event_func_2215()
{
    if (!level_group_43 || !level_group_31)
        return;
    if (select(instances[types::MasterLevel_53], [](FrameObject* level) { return get_flag(*level, 9); }))
        deactivate_group(level_group_31);
}

void Frames::event_func_2216()
{
    if (!level_group_43)
        return;
    for_each_instance(instances[types::MonitorIcon_125], [](FrameObject* icon) { icon->destroy(); });
    for_each_instance(instances[types::MonitorBroken_118], [](FrameObject* broken) { broken->destroy(); });
    for (const int shield : {types::ShieldWood_103, types::ShieldEarth_315, types::ShieldWater_106,
                             types::ShieldFlameFront_104, types::ShieldFlameBack_152, types::ShieldMagnetic_105}) {
        for_each_instance(instances[shield], [](FrameObject* object) {
            set_flag(object, 1, true);
            object->set_visible(false);
        });
    }
}

void Frames::event_func_2217()
{
    if (!level_group_43)
        return;
    for_each_instance(qualifier_7, [](FrameObject* platform) {
        set_value(platform, 'I', platform->get_x());
        set_value(platform, 'J', platform->get_y());
    });
}

void Frames::event_func_2218()
{
    if (!level_group_43)
        return;
    ObjectList& logs = instances[types::GimmickBridgeLog_140];
    bool first = true;
    for_each_instance(instances[types::GimmickBridge12Logs_139], [&](FrameObject* span) {
        // Right to left, so that each log's number from the left end follows.
        for (int d = 176; d >= 0; d -= 16) {
            FrameObject* log = create_gimmickbridgelog_140(span->x + d, span->y + 56);
            if (first)
                create_instance(*this, logs, log, layer_index(*span));
            else
                create_another(*this, logs, log, layer_index(*span));
            first = false;
        }
    });
}

void Frames::event_func_2219()
{
    if (!level_group_43)
        return;
    ObjectList& logs = instances[types::GimmickBridgeLog_140];
    int number = 0;
    for_each_instance(logs, [&](FrameObject* log) { set_value(log, 'A', number++); });
    for_each_instance(logs, [](FrameObject* log) {
        set_value(log, 'A', std::fmod(get_value(*log, 'A'), 12.0));
        set_value(log, 'B', log->get_y());
    });
}

void Frames::event_func_2220()
{
    if (level_group_43 && level_group_16)
        destroy_outside_playfield(qualifier_14);
}

void Frames::event_func_2221()
{
    if (!level_group_43 || !level_group_16)
        return;
    if (qualifier_14.size() == 0)
        deactivate_group(level_group_16);
}

void Frames::event_func_2222()
{
    if (level_group_43)
        destroy_outside_playfield(instances[types::LevelCardFade2_32]);
}

void Frames::event_func_2227()
{
    if (!level_group_43 || !level_group_32)
        return;
    set_value(instance_of(instances[types::PlayerInput_21]), 'M', 1);
    run_loop(fast_loop_gui_shiftup, 40, &Frames::loop_gui_shiftup_4);
}

void Frames::event_func_2228()
{
    if (!level_group_43 || !level_group_32 || global_values->get(4) != 0)
        return;
    deactivate_group(level_group_32);
    activate_group(level_group_68);
    stage_start::read_arm_colours(*this);
}
