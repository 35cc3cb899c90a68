// The snake chase that closes the boss fight: the defeated hitbox leads the
// head out, the body follows through "movesnake", rocks in its way are
// marked, and once the hitbox is far past the arena's right marker the snake
// goes and the act moves on.
#include "audio/media.h"
#include "game/events/stage_loops/music_queue.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "game/objects/type_ids.h"
#include "objects/active.h"
#include "runtime/collision.h"
#include "runtime/common.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int defeated = 6;
constexpr int chase_animation = 10, head_closed = 0, body_swim = 8, body_open = 7;
constexpr unsigned defeat_sample = 20, chase_sample = 43, leap_sample = 31;
constexpr double second_phase = 80, end_distance = 300, rock_push = -6;

Active* as_active(FrameObject* object) { return static_cast<Active*>(object); }

bool fight_on(const Frames& f) { return f.level_group_43 && f.boss_arena_group && f.boss_fight_group; }

bool chase_on(const Frames& f) { return fight_on(f) && f.boss_fight_sub_group_3; }

ObjectList& heads(Frames& f) { return f.instances[types::BossVashkelHead_273]; }

ObjectList& segments(Frames& f) { return f.instances[types::BossSnakeBody_370]; }

ObjectList& hitboxes(Frames& f) { return f.instances[types::BossSnakeHitbox_383]; }

bool in_second_phase(FrameObject* hitbox) { return get_value(*hitbox, 'G') > second_phase; }

// The chase's hitboxes past its first 80 ticks.
bool select_late_hitboxes(Frames& f) { return chase_on(f) && select(hitboxes(f), in_second_phase); }

// The head no longer plays its coming-out animation.
bool heads_settled(Frames& f)
{
    return select(heads(f), [](FrameObject* h) { return !as_active(h)->test_animation(chase_animation); });
}

void hide_geyser_pieces(Frames& f)
{
    for (ObjectList* pieces : {&f.instances[types::BossGeyserOverlap1_381], &f.instances[types::BossGeyserOverlap2_382]})
        for_each_instance(*pieces, [](FrameObject* piece) { piece->set_visible(false); });
}

// Early in the chase, hitboxes touching the scenery outside the exit gap.
bool select_early_hitboxes_on_scenery(Frames& f)
{
    return chase_on(f) && select(hitboxes(f), [](FrameObject* h) { return h->overlaps_background(); }) &&
           objects_in_zone(hitboxes(f), 8994, 580, 9066, 858) == 0 &&
           filter(hitboxes(f), [](FrameObject* h) { return get_value(*h, 'Y') >= 0 && !in_second_phase(h); });
}

template <class Test>
void segments_follow_head_frame(Frames& f, Test frame_test, int animation)
{
    if (!chase_on(f) || !select(heads(f), [&frame_test](FrameObject* h) {
            return as_active(h)->test_animation(chase_animation) && frame_test(as_active(h)->get_frame());
        }))
        return;
    for_each_instance(segments(f), [animation](FrameObject* s) { as_active(s)->force_animation(animation); });
}

}  // namespace

void Frames::event_func_2430()
{
    if (!fight_on(*this) || !boss_fight_sub_group_2 ||
        !select(hitboxes(*this), [](FrameObject* h) { return get_flag(*h, defeated); }))
        return;
    activate_group(boss_fight_sub_group_3);
    deactivate_group(boss_fight_sub_group_1);
    deactivate_group(boss_fight_sub_group_2);
    for_each_instance(heads(*this), [](FrameObject* head) {
        head->set_angle(0, 0);
        as_active(head)->restore_animation();
        as_active(head)->force_animation(chase_animation);
        as_active(head)->restore_speed();
        as_active(head)->start_animation();
    });
    for_each_instance(segments(*this), [](FrameObject* segment) {
        segment->advance_movement(1);
        as_active(segment)->force_animation(body_swim);
    });
    for_each_selected(hitboxes(*this), [](FrameObject* hitbox) { hitbox->set_visible(false); });
    media.stop_sample(defeat_sample);
    media.play_id(chase_sample, -1, 1);
    hide_geyser_pieces(*this);
}

// The head leaves its trail point for the body and moves onto its hitbox.
void Frames::event_func_2431()
{
    if (!chase_on(*this))
        return;
    for_each_instance(heads(*this), [](FrameObject* head) {
        set_value(head, 'V', head->get_x());
        set_value(head, 'W', head->get_y());
    });
    int k = 0;
    for_each_instance(heads(*this), [&](FrameObject* head) {
        if (const FrameObject* hitbox = paired_instance(hitboxes(*this), k++))
            head->set_global_position(hitbox->get_x(), hitbox->get_y());
    });
    for_each_instance(hitboxes(*this), [](FrameObject* hitbox) { add_value(hitbox, 'G', 1.0); });
}

// One turn per list item, the list's head entry included.
void Frames::event_func_2432()
{
    if (chase_on(*this))
        run_loop(fast_loop_movesnake, segments(*this).count(), &Frames::loop_movesnake_5);
}

void Frames::event_func_2433() { segments_follow_head_frame(*this, [](int frame) { return frame == 0; }, body_swim); }

void Frames::event_func_2434() { segments_follow_head_frame(*this, [](int frame) { return frame == 1; }, body_open); }

// Only the left marker holds the hitbox: a right bound would keep it from
// ever reaching the chase's end.
void Frames::event_func_2435()
{
    if (!select_late_hitboxes(*this))
        return;
    int k = 0;
    for_each_selected(hitboxes(*this), [&](FrameObject* hitbox) {
        const int left = paired_or_default(instances[types::CameraLimitBossLeft_165], k++).get_x();
        hitbox->set_x(std::max(left, hitbox->get_x()));
    });
}

void Frames::event_func_2436()
{
    if (to_int(global_values->get(3)) % 2 != 0 || !select_late_hitboxes(*this))
        return;
    for_each_instance(heads(*this), [](FrameObject* head) {
        as_active(head)->force_frame(std::abs(as_active(head)->get_frame() - 1));
    });
}

void Frames::event_func_2437()
{
    if (!select_early_hitboxes_on_scenery(*this) || !run_once(run_once_2437, loop_count))
        return;
    for_each_instance(instances[types::FunctionMusic_50], [](FrameObject* calls) {
        music::write_call(calls, "fadeout_music(1500)");
        music::write_call(calls, "lock_music()");
    });
}

void Frames::event_func_2438()
{
    if (!select_early_hitboxes_on_scenery(*this))
        return;
    for_each_selected(hitboxes(*this), [](FrameObject* hitbox) {
        set_value(hitbox, 'X', 0.0);
        set_value(hitbox, 'Y', 0.0);
    });
}

void Frames::event_func_2439()
{
    if (!chase_on(*this) ||
        !select(hitboxes(*this), [](FrameObject* h) { return h->overlaps_background() && in_second_phase(h); }))
        return;
    for_each_selected(hitboxes(*this), [](FrameObject* hitbox) { hitbox->set_direction(0, true); });
    for_each_instance(heads(*this), [](FrameObject* head) {
        head->set_direction(0, true);
        as_active(head)->force_animation(head_closed);
        as_active(head)->force_frame(0);
    });
    for_each_selected(hitboxes(*this), [](FrameObject* hitbox) { as_active(hitbox)->force_animation(head_closed); });
    for_each_instance(segments(*this), [](FrameObject* segment) { as_active(segment)->force_animation(body_swim); });
}

void Frames::event_func_2440()
{
    if (global_values->size() <= 3 || to_int(global_values->get(3)) % 6 != 5)
        return;
    if (select_late_hitboxes(*this) && heads_settled(*this))
        media.play_id(leap_sample, -1, 1);
}

void Frames::event_func_2441()
{
    if (!select_late_hitboxes(*this) || !heads_settled(*this))
        return;
    for_each_selected(hitboxes(*this), [](FrameObject* hitbox) {
        set_value(hitbox, 'X', 8.0);
        set_value(hitbox, 'Y', 0.0);
    });
    hide_geyser_pieces(*this);
}

void Frames::event_func_2442()
{
    ObjectList& rocks = instances[types::BreakableRock2_404];
    select_all(rocks);
    if (!select_late_hitboxes(*this) || !check_overlap(rocks, hitboxes(*this)))
        return;
    for_each_selected(rocks, [](FrameObject* rock) {
        set_flag(rock, defeated, true);
        set_value(rock, 'X', rock_push);
    });
}

// The end: the snake goes, the cameras and level let go, and the act moves on.
void Frames::event_func_2443()
{
    const int right = instance_or_default(instances[types::CameraLimitBossRight_166]).get_x();
    if (!select_late_hitboxes(*this) ||
        !filter(hitboxes(*this), [right](FrameObject* h) { return h->get_x() > right + end_distance; }))
        return;
    for_each_instance(segments(*this), [](FrameObject* segment) { segment->destroy(); });
    for_each_instance(heads(*this), [](FrameObject* head) { head->destroy(); });
    for_each_selected(hitboxes(*this), [](FrameObject* hitbox) { hitbox->destroy(); });
    set_value(instances[types::MasterCamera_190], 'M', 2.0);
    set_value(instances[types::MasterCamera_190], 'U', 0.0);
    set_value(instances[types::MasterLevel_53], 'Y', 0.0);
    run_loop(fast_loop_next_act, 1, &Frames::loop_next_act_5);
    deactivate_group(arena_entry_group);
    for_each_instance(instances[types::BreakableRock2_404], [](FrameObject* rock) { rock->set_y(-50); });
}
