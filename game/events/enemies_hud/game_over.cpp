// Game over: when the last life goes, the game-over card comes in over a
// fade card that darkens to half, the music changes, and after 200 ticks
// the card fades while the screen goes dark; at 280 ticks the game leaves
// for the continue screen.
#include "game/events/stage_loops/music_queue.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "game/objects/type_ids.h"
#include "runtime/manager.h"
#include "runtime/movement.h"

namespace {

constexpr int sequence_running = 8, death_timer_running = 9;  // Player_87 flags
constexpr int hud_layer = 6;
constexpr int continue_frame_index = 7;
constexpr double card_fade_starts = 200, leaves = 280;

double sequence_tick(Frames& frames) { return get_value(instance_or_default(frames.instances[types::Player_87]), 'F'); }

void change_semi_transparency(ObjectList& list, int change)
{
    for_each_instance(list, [change](FrameObject* card) { set_semi_transparency(*card, semi_transparency(*card) + change); });
}

}  // namespace

void Frames::event_func_2099()
{
    if (!level_group_43 || !manager.player_died || !run_once(run_once_2099, loop_count))
        return;
    for_each_instance(instances[types::LevelCardGameOver_191], [](FrameObject* card) { card->get_movement()->start(); });
    for_each_instance(instances[types::Player_87], [](FrameObject* body) {
        set_value(body, 'E', 0);
        set_flag(body, sequence_running, true);
        set_flag(body, death_timer_running, false);
    });
    Active* fade = create_levelcardfade2_32(0, 0);
    if (create_instance(*this, instances[types::LevelCardFade2_32], fade, hud_layer)) {
        fade->set_x(new_display_x);
        fade->set_y(new_display_y);
    }
    music::write_call(*this, "unlock_music()");
    music::write_call(*this, "stop_music()");
    music::write_call(*this, "play_music(" + global_strings->get(8) + ",1,3");
    for_each_instance(instances[types::LevelCardGameOver_191], [](FrameObject* card) { card->set_visible(true); });
    if (fade) {
        fade->set_x_scale(float(global_values->get(16)));
        fade->set_y_scale(float(global_values->get(17)));
    }
}

void Frames::event_func_2100()
{
    if (!level_group_43)
        return;
    ObjectList& bodies = instances[types::Player_87];
    if (select(bodies, [](FrameObject* body) { return get_flag(*body, sequence_running); }))
        for_each_selected(bodies, [](FrameObject* body) { set_value(body, 'F', get_value(*body, 'F') + 1); });
}

// The fade card darkens to half while the game-over card shows.
void Frames::event_func_2101()
{
    ObjectList& fades = instances[types::LevelCardFade2_32];
    if (level_group_43 && sequence_tick(*this) < card_fade_starts && semi_transparency(instance_or_default(fades)) > 64)
        change_semi_transparency(fades, -1);
}

void Frames::event_func_2102()
{
    if (level_group_43 && sequence_tick(*this) >= card_fade_starts)
        change_semi_transparency(instances[types::LevelCardGameOver_191], 2);
}

// Every other tick of play the screen goes two steps darker.
void Frames::event_func_2103()
{
    if (level_group_43 && sequence_tick(*this) >= card_fade_starts && to_int(global_values->get(3)) % 2 == 0)
        change_semi_transparency(instances[types::LevelCardFade2_32], -2);
}

void Frames::event_func_2104()
{
    if (!level_group_43 || !(sequence_tick(*this) >= leaves))
        return;
    for (const int type : {types::ControllerMusic_49, types::FunctionMusic_50, types::QueueMusic_51,
                           types::StringParser_184})
        for_each_instance(instances[type], [](FrameObject* object) { object->destroy(); });
    next_frame = continue_frame_index;
}
