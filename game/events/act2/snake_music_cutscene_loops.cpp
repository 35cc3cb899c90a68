// Act 2's loops for its boss, its music and its cut-scenes: the snake's
// body following its head, the boss triggers marked as used, the progress
// stored when the act is won, the stage track chosen by that progress, and
// the cut-scene switches of the camera and the cards.
#include "game/events/stage_loops/music_queue.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/frames/string_constants.h"
#include "objects/arrayext.h"
#include "runtime/movement.h"

#include <cmath>

namespace {

// Progress marker values: the boss beaten.
constexpr double after_the_boss = 10;
constexpr int progress_marker = 4;

bool snake_chase_on(const Frames& f)
{
    return f.level_group_43 && f.boss_arena_group && f.boss_fight_group && f.boss_fight_sub_group_3;
}

}  // namespace

void Frames::loop_movesnake_5() { event_func_2232(); }

// Segment number `index` steers at the point the segment before it left
// (the head's own for the first) and leaves its own for the next.
void Frames::event_func_2232()
{
    if (!snake_chase_on(*this))
        return;
    ObjectList& body = instances[types::BossSnakeBody_370];
    ObjectList& heads = instances[types::BossVashkelHead_273];
    const double index = fast_loop_movesnake.index;
    if (!select(body, [index](FrameObject* segment) { return get_value(*segment, 'H') == index; }))
        return;
    int k = 0;
    for_each_selected(body, [&](FrameObject* segment) {
        const FrameObject& head = paired_or_default(heads, k++);
        const double v = get_value(head, 'V');
        const double w = get_value(head, 'W');
        const float dx = float(v - segment->get_x());
        const float dy = float(w - segment->get_y());
        // The speed grows with the distance, so a segment left behind
        // catches up.
        const float distance = std::sqrt(dx * dx + dy * dy);
        Movement* movement = segment->get_movement();
        movement->set_speed(to_int(20 * distance));
        movement->look_at(to_int(v), to_int(w));
    });
    int j = 0;
    for_each_instance(heads, [&](FrameObject* head) {
        if (const FrameObject* segment = body.get_wrapped_selection(j++)) {
            set_value(head, 'V', segment->get_x());
            set_value(head, 'W', segment->get_y());
        }
    });
}

// 2233: the boss camera triggers have done their work.
void Frames::loop_trigger_deactivate_boss_5()
{
    if (!level_group_43 || !boss_arena_group || !arena_entry_group)
        return;
    for_each_instance(instances[types::CameraTriggerBoss_169],
                      [](FrameObject* trigger) { set_flag(trigger, 0, true); });
}

void Frames::loop_next_act_5() { event_func_2237(); }

// The act is won: the music stops being controlled, the progress and the
// restart point are stored for a later start, the stage's track is queued
// and the level's counts are kept for the next act.
void Frames::event_func_2237()
{
    if (!snake_chase_on(*this))
        return;
    for_each_instance(instances[types::ControllerMusic_49], [](FrameObject* controller) {
        set_value(controller, 'L', 0);
        set_value(controller, 'G', 0);
        set_value(controller, 'K', 0);
        set_value(controller, 'D', -1);
    });
    global_values->set(progress_marker, after_the_boss);
    global_values->set(5, 9186);
    global_values->set(6, 882);
    for_each_instance(instances[types::QueueMusic_51], [](FrameObject* stack) {
        static_cast<ArrayObject*>(stack)->clear();
        music::cursor(stack) = 0;
    });
    music::write_call(*this, "play_music(" + global_strings->get(5) + ")");
    ObjectList& level = instances[types::MasterLevel_53];
    global_values->set(13, get_value(level, 'Z'));
    global_values->set(14, get_value(level, 'J'));
    global_values->set(15, get_value(level, 'L'));
}

// The stage's track, "play_music.5" in this act: the later one once the boss
// is beaten (2238, 2239).
void Frames::loop_play_music_5_5()
{
    if (level_group_43 && global_values->get(progress_marker) < after_the_boss)
        music::play_track(*this, STR_M_STAGE1);
    if (level_group_43 && global_values->size() > progress_marker &&
        global_values->get(progress_marker) >= after_the_boss)
        music::play_track(*this, STR_M_STAGE1B);
}

// 2240: a cut-scene takes the camera and the cards.
void Frames::loop_cutscene_start_5()
{
    if (!level_group_43)
        return;
    deactivate_group(level_group_8);
    deactivate_group(level_group_32);
}

// 2231: they come back after it.
void Frames::loop_cutscene_end_5()
{
    if (!level_group_43)
        return;
    activate_group(level_group_32);
    activate_group(level_group_8);
}
