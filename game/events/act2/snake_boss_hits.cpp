// Striking the snake boss: its hitbox rides on the head, each defeated body
// segment explodes once and spins down, and the hitbox stays protected until
// every segment is down.
#include "audio/media.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "game/objects/type_ids.h"
#include "objects/active.h"

#include <algorithm>

namespace {

constexpr int defeated = 6, fight_start = 5;
constexpr int handled_direction = 8;
constexpr unsigned defeat_sample = 20, segment_sample = 41;
constexpr double spin_ticks = 60, spin_frames = 4, protection = 3;
constexpr float flash_interval = 0.08f;

bool hits_on(const Frames& f)
{
    return f.level_group_43 && f.boss_arena_group && f.boss_fight_group && f.boss_fight_sub_group_2;
}

ObjectList& segments(Frames& f) { return f.instances[types::BossSnakeBody_370]; }

ObjectList& hitboxes(Frames& f) { return f.instances[types::BossSnakeHitbox_383]; }

Active* as_active(FrameObject* object) { return static_cast<Active*>(object); }

}  // namespace

void Frames::event_func_2424()
{
    if (!hits_on(*this))
        return;
    int k = 0;
    for_each_instance(hitboxes(*this), [&](FrameObject* hitbox) {
        FrameObject* head = paired_instance(instances[types::BossVashkelHead_273], k++);
        if (!head)
            return;
        hitbox->set_global_position(head->get_x(), head->get_y());
        as_active(hitbox)->force_animation(as_active(head)->current_animation);
        as_active(hitbox)->force_frame(as_active(head)->get_frame());
        hitbox->set_direction(head->get_direction(), true);
        hitbox->set_angle(head->get_angle(), false);
    });
}

// A segment's defeat is handled once: direction 8 marks it.
void Frames::event_func_2425()
{
    if (!hits_on(*this) || !select(segments(*this), [](FrameObject* s) {
            return get_flag(*s, defeated) && !s->test_directions(1u << handled_direction);
        }))
        return;
    for_each_selected(segments(*this), [](FrameObject* segment) {
        set_value(segment, 'F', spin_ticks);
        segment->set_direction(handled_direction, true);
    });
    FrameObject* const first_segment = *ObjectIterator(segments(*this));
    FrameObject* explosion = create_at_each(*this, segments(*this), instances[types::EffectsExplosion06_291],
                                            create_effectsexplosion06_291);
    media.stop_sample(defeat_sample);
    media.play_id(segment_sample, -1, 1);
    if (explosion)
        explosion->move_front(first_segment);
}

// The spin slows from 0.59 frames a tick to a stop over 60 ticks.
void Frames::event_func_2426()
{
    if (!hits_on(*this) || !select(segments(*this), [](FrameObject* s) { return get_value(*s, 'F') > 0; }))
        return;
    for_each_selected(segments(*this), [](FrameObject* segment) {
        add_value(segment, 'F', -1);
        add_value(segment, 'E', std::min(get_value(*segment, 'F') * 0.01, 1.0));
        as_active(segment)->force_frame(to_int(get_value(*segment, 'E')));
    });
}

void Frames::event_func_2427()
{
    if (!hits_on(*this) || !select(segments(*this), [](FrameObject* s) { return get_value(*s, 'E') > spin_frames; }))
        return;
    for_each_selected(segments(*this), [](FrameObject* segment) { add_value(segment, 'E', -spin_frames); });
}

void Frames::event_func_2428()
{
    if (!hits_on(*this) || !select(segments(*this), [](FrameObject* s) { return !get_flag(*s, defeated); }))
        return;
    set_value_of_all(hitboxes(*this), 'C', protection);
}

void Frames::event_func_2429()
{
    if (!hits_on(*this) || !select(hitboxes(*this), [](FrameObject* h) { return get_value(*h, 'C') > 0; }))
        return;
    if (!run_once(run_once_2429, loop_count))
        return;
    for_each_selected(hitboxes(*this), [](FrameObject* hitbox) {
        set_flag(hitbox, fight_start, false);
        hitbox->flash(flash_interval);
    });
}
