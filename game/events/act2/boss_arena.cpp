// Act 2's boss arena: the boss music while the fight is on, the checkpoint
// before the arena, the camera's arena mode, the trigger that starts the
// fight, the left wall during it, and the numbering of the boss's geysers
// and segments on the fight's first tick.
#include "game/events/stage_loops/music_queue.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/type_ids.h"
#include "objects/active.h"
#include "runtime/collision.h"

#include <algorithm>

namespace {

// The checkpoint's span and the respawn it stores.
constexpr double checkpoint_left = 8050, checkpoint_right = 8150;
constexpr double respawn_x = 8000, respawn_y = 860;
constexpr double progress_at_checkpoint = 2;

bool arena_entry_on(const Frames& f) { return f.level_group_43 && f.boss_arena_group && f.arena_entry_group; }

double player_x(Frames& f) { return get_value(f.instances[types::PlayerMovementValues_80], 'X'); }

double marker_x(Frames& f, int type) { return instance_or_default(f.instances[type]).get_x(); }

ObjectList& level(Frames& f) { return f.instances[types::MasterLevel_53]; }

bool chase_on(const Frames& f) { return f.boss_arena_group && f.boss_fight_group && f.boss_fight_sub_group_3; }

// Numbers the type's instances from `first`, the newest first.
void number_from(ObjectList& list, char name, double first)
{
    double number = first;
    for_each_instance(list, [&number, name](FrameObject* object) { set_value(object, name, number++); });
}

}  // namespace

// The boss music is asked for every tick until its controller takes it.
void Frames::event_func_2395()
{
    if (!level_group_43 || get_value(level(*this), 'Y') != 1 ||
        !select(instances[types::ControllerMusic_49], [](FrameObject* c) { return get_value(*c, 'D') != 4; }) ||
        chase_on(*this))
        return;
    const std::string track = global_strings->get(4u), next = global_strings->get(5u);
    for_each_instance(instances[types::FunctionMusic_50], [&](FrameObject* calls) {
        music::write_call(calls, "stop_music(" + track + ")");
        music::write_call(calls, "play_music(" + track + ",0,1)");
        music::write_call(calls, "reset_music(" + next + ")");
    });
}

void Frames::event_func_2398()
{
    if (!level_group_43 || !boss_arena_group)
        return;
    const double x = player_x(*this);
    if (!(checkpoint_left < x && x < checkpoint_right) || !(global_values->get(4) < progress_at_checkpoint))
        return;
    global_values->set(4, progress_at_checkpoint);
    global_values->set(5, respawn_x);
    global_values->set(6, respawn_y);
    run_loop(fast_loop_cp, 1, &Frames::loop_cp_4);
}

void Frames::event_func_2399()
{
    if (!arena_entry_on(*this))
        return;
    const double x = player_x(*this);
    if (x > marker_x(*this, types::CameraLimitBossLeft_165) && x < marker_x(*this, types::CameraLimitBossRight_166) &&
        get_value(level(*this), 'Y') == 0 && run_once(run_once_2399, loop_count))
        set_value(instances[types::MasterCamera_190], 'M', 1);
}

void Frames::event_func_2400()
{
    if (!arena_entry_on(*this))
        return;
    ObjectList& triggers = instances[types::CameraTriggerBoss_169];
    if (!select(triggers, [](FrameObject* t) { return !get_flag(*t, 0); }))
        return;
    select_all(instances[types::PlayerCharacterSensor_151]);
    if (!check_overlap(instances[types::PlayerCharacterSensor_151], triggers))
        return;
    set_value(level(*this), 'Y', 1);
    run_loop(fast_loop_trigger_deactivate_boss, 1, &Frames::loop_trigger_deactivate_boss_5);
    activate_group(boss_fight_group);
}

// In the arena the player cannot walk back out to the left.
void Frames::event_func_2401()
{
    if (!arena_entry_on(*this))
        return;
    ObjectList& movement = instances[types::PlayerMovementValues_80];
    if (get_value(instances[types::MasterCamera_190], 'M') == 1 &&
        player_x(*this) < marker_x(*this, types::CameraLimitBossLeft_165) && get_value(movement, 'B') < 0)
        set_value(movement, 'B', 0);
}

void Frames::event_func_2402()
{
    if (!level_group_43 || !boss_arena_group || !boss_fight_group || !once(once_2402))
        return;
    number_from(instances[types::BossGeyserOverlap1_381], 'A', 0);
    for_each_instance(instances[types::BossVashkelHead_273], [](FrameObject* head) {
        set_value(head, 'E', 1);
        set_value(head, 'G', 2);
    });
    number_from(instances[types::BossGeyserOverlap2_382], 'A', 2);
    ObjectList& segments = instances[types::BossSnakeBody_370];
    number_from(segments, 'H', 1);
    for_each_instance(segments, [](FrameObject* segment) {
        static_cast<Active*>(segment)->set_scale(float(std::min(1.2 - 0.05 * get_value(*segment, 'H'), 1.0)));
        set_flag(segment, 16, true);
    });
    for_each_instance(instances[types::BossSnakeHitbox_383], [](FrameObject* hitbox) { set_flag(hitbox, 5, true); });
}
