// The act's opening card: a black overlay fades while the lower and then the
// upper banner slide up to their rests; then both fly out sideways while the
// HUD slides back down, and when it is in place the player gets control,
// the level clock and the pause menu start and the card is removed.
#include "game/events/enemies_hud/act_start_card.h"

#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/type_ids.h"
#include "objects/active.h"
#include "runtime/manager.h"
#include "runtime/movement.h"

#include <algorithm>

namespace {

// The banners rest this far below the top of the view.
constexpr int lower_banner_rest = 152;
constexpr int upper_banner_rest = 168;
constexpr int fly_out_speed_step = 3;
constexpr int fly_out_top_speed = 100;
constexpr int direction_right = 0, direction_left = 16;

bool card_running(const Frames& frames) { return frames.level_group_43 && frames.level_group_32; }

// Global value 4 lets the card go on; act 1's start raises it to 1.
bool card_released(const Frames& frames) { return frames.global_values->get(4) != 0; }

bool select_card_step(Frames& frames, double step)
{
    return select(frames.instances[types::LevelCardFade_208],
                  [step](FrameObject* card) { return get_value(*card, 'B') == step; });
}

void advance_selected_cards(Frames& frames)
{
    for_each_selected(frames.instances[types::LevelCardFade_208],
                      [](FrameObject* card) { set_value(card, 'B', get_value(*card, 'B') + 1); });
}

// Selects the banners that have reached their rest, `rest` pixels below
// the top of the view.
bool banners_arrived(Frames& frames, ObjectList& banners, int rest)
{
    const int line = frames.new_display_y + rest;
    return select(banners, [line](FrameObject* banner) { return banner->get_y() <= line; });
}

// Puts the selected banners exactly at their rest, stopped.
void rest_selected_banners(Frames& frames, ObjectList& banners, int rest)
{
    const int line = frames.new_display_y + rest;
    for_each_selected(banners, [line](FrameObject* banner) {
        banner->set_y(line);
        banner->get_movement()->set_speed(0);
    });
}

void fly_out(ObjectList& banners, int direction)
{
    for_each_instance(banners, [direction](FrameObject* banner) {
        banner->set_direction(direction, true);
        Movement* movement = banner->get_movement();
        movement->set_speed(std::min(movement->get_speed() + fly_out_speed_step, fly_out_top_speed));
    });
}

bool hud_in_place(Frames& frames)
{
    return select(frames.instances[types::GUIIcon_108], [](FrameObject* icon) { return get_value(*icon, 'A') <= 0; });
}

void show_all(ObjectList& list)
{
    for_each_instance(list, [](FrameObject* object) { object->set_visible(true); });
}

void destroy_all(ObjectList& list)
{
    for_each_instance(list, [](FrameObject* object) { object->destroy(); });
}

}  // namespace

void step_opening_fade(Frames& frames)
{
    for_each_instance(frames.instances[types::LevelCardFade_208], [](FrameObject* card) {
        set_semi_transparency(*card, semi_transparency(*card) + 4);
        set_value(card, 'A', get_value(*card, 'A') + 1);
    });
    set_value(instance_of(frames.instances[types::PlayerMovementValues_80]), 'B', 3);
}

bool card_may_close(Frames& frames)
{
    return card_running(frames) && hud_in_place(frames) && card_released(frames);
}

void close_act_card(Frames& frames)
{
    show_all(frames.instances[types::GUIScoreTimeRings_107]);
    show_all(frames.instances[types::GUIIcon_108]);
    manager.ignore_controls = false;
    activate_group(frames.level_group_39);
    activate_group(frames.level_group_25);
    deactivate_group(frames.level_group_32);
    destroy_all(frames.instances[types::LevelCardFade_208]);
    show_all(frames.instances[types::GUILives_221]);
    destroy_all(frames.instances[types::LevelCardIntro2_287]);
    destroy_all(frames.instances[types::LevelCardIntro3_288]);
    for_each_instance(frames.instances[types::MasterCamera_190], [](FrameObject* camera) {
        set_value(camera, 'U', 0);
        set_value(camera, 'M', std::min(get_value(*camera, 'M'), 2.0));
    });
    set_value(instance_of(frames.instances[types::PlayerInput_21]), 'M', 0);
}

// The black card fades while the player runs in, in an act entered with
// global value 4 at 0 and no boss scene.
void Frames::event_func_2136()
{
    if (!card_running(*this) || card_released(*this) || level_group_68)
        return;
    ObjectList& cards = instances[types::LevelCardFade_208];
    if (!(get_value(instance_or_default(cards), 'A') < 50))
        return;
    step_opening_fade(*this);
}

// Once the run-in is over and the player stands still, the card goes on.
void Frames::event_func_2137()
{
    if (!card_running(*this))
        return;
    ObjectList& cards = instances[types::LevelCardFade_208];
    if (!(get_value(instance_or_default(cards), 'A') >= 50) || card_released(*this) ||
        get_value(instance_or_default(instances[types::PlayerMovementValues_80]), 'B') != 0)
        return;
    global_values->set(4, 1);
    for_each_instance(cards, [](FrameObject* card) { set_value(card, 'A', 999); });
}

void Frames::event_func_2138()
{
    if (!card_running(*this) || !card_released(*this) || !select_card_step(*this, 0))
        return;
    const int line = new_display_y + lower_banner_rest;
    if (!select(instances[types::LevelCardIntro3_288], [line](FrameObject* banner) { return banner->get_y() > line; }))
        return;
    advance_selected_cards(*this);
}

void Frames::event_func_2139()
{
    if (!card_running(*this) || !card_released(*this) || !select_card_step(*this, 1))
        return;
    for_each_instance(instances[types::LevelCardIntro3_288], [](FrameObject* banner) { banner->get_movement()->start(); });
}

void Frames::event_func_2140()
{
    ObjectList& lower = instances[types::LevelCardIntro3_288];
    if (!card_running(*this) || !card_released(*this) || !select_card_step(*this, 1) ||
        !banners_arrived(*this, lower, lower_banner_rest))
        return;
    rest_selected_banners(*this, lower, lower_banner_rest);
    for_each_instance(instances[types::LevelCardIntro2_287], [](FrameObject* banner) { banner->get_movement()->start(); });
    advance_selected_cards(*this);
}

void Frames::event_func_2141()
{
    ObjectList& upper = instances[types::LevelCardIntro2_287];
    if (!card_running(*this) || !card_released(*this) || !select_card_step(*this, 2) ||
        !banners_arrived(*this, upper, upper_banner_rest))
        return;
    rest_selected_banners(*this, upper, upper_banner_rest);
    advance_selected_cards(*this);
}

// From step 3 the step counts ticks: opaque until 20, clear from 106.
void Frames::event_func_2142()
{
    if (!card_running(*this))
        return;
    ObjectList& cards = instances[types::LevelCardFade_208];
    if (!select(cards, [](FrameObject* card) { return get_value(*card, 'B') > 2; }))
        return;
    for_each_selected(cards, [](FrameObject* card) {
        const double step = get_value(*card, 'B');
        const int cleared = std::clamp(to_int(3 * step - 60), 0, 256);
        card->blend_color.a = clamp_color_component(256 - cleared);
        set_value(card, 'B', step + 1);
    });
}

void Frames::event_func_2143()
{
    if (!card_running(*this))
        return;
    if (!select(instances[types::LevelCardFade_208], [](FrameObject* card) { return get_value(*card, 'B') > 96; }) ||
        !card_released(*this))
        return;
    fly_out(instances[types::LevelCardIntro2_287], direction_right);
    fly_out(instances[types::LevelCardIntro3_288], direction_left);
    run_loop(fast_loop_gui_shiftdown, 1, &Frames::loop_gui_shiftdown_4);
}

// The serpent scene of the act's opening is not needed once play starts.
void Frames::event_func_2144()
{
    if (!card_running(*this) || !hud_in_place(*this) || !card_released(*this))
        return;
    for (const int type : {types::BossVashkelHead_273, types::BossVashkelBody_274, types::NPCVashkel_275,
                           types::FrontRock1_276, types::FrontTree_277})
        destroy_all(instances[type]);
}

// The HUD is in place: the player takes over.
void Frames::event_func_2145()
{
    if (card_may_close(*this))
        close_act_card(*this);
}
