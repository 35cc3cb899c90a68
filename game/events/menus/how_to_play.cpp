// The How To Play frame's events: paging through the three help pages, the
// parallax under the last one, and the confirm that leaves for Black Load.
#include "audio/media.h"
#include "game/events/menus/menu_screens.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/frames/string_constants.h"
#include "objects/active.h"
#include "objects/systembox.h"
#include "objects/textblitter.h"
#include "runtime/input.h"
#include "runtime/values.h"

#include <cmath>

namespace {

constexpr int key_backspace = 8;
constexpr int key_return = 13;
constexpr int first_page = 120;  // the y the view centres on, page 1
constexpr int last_page = 600;   // page 3
constexpr int page_height = 240;
constexpr int scroll_step = 20;

FrameObject& screen(Frames& frames) { return instance_or_default(frames.instances[types::Active8_419]); }
FrameObject* screen_instance(Frames& frames) { return instance_of(frames.instances[types::Active8_419]); }
double screen_value(Frames& frames, char letter) { return get_value(screen(frames), letter); }

bool may_page_forward(Frames& frames)
{
    return screen_value(frames, 'B') == 0 && screen_value(frames, 'A') < last_page && screen_value(frames, 'C') == 0;
}

bool may_page_back(Frames& frames)
{
    return screen_value(frames, 'B') == 0 && screen_value(frames, 'A') > first_page && screen_value(frames, 'C') == 0;
}

bool may_confirm(Frames& frames)
{
    return screen_value(frames, 'B') == 0 && screen_value(frames, 'A') >= last_page && screen_value(frames, 'C') == 0;
}

void page_forward(Frames& frames)
{
    set_value(screen_instance(frames), 'B', page_height);
    media.play_id(53, -1, 1);
    burst_at(frames, instance_of(frames.instances[types::Active5_414]));
}

void page_back(Frames& frames)
{
    set_value(screen_instance(frames), 'B', -page_height);
    media.play_id(214, -1, 1);
    burst_at(frames, instance_of(frames.instances[types::Active6_415]));
}

void confirm(Frames& frames)
{
    media.play_id(53, -1, 1);
    burst_at(frames, instance_of(frames.instances[types::Active5_414]));
    set_value(screen_instance(frames), 'C', screen_value(frames, 'C') + 1);
    media.play_id(215, -1, 1);
    if (auto* character = static_cast<Active*>(instance_of(frames.instances[types::Character1_457])))
        character->force_animation(7);
}

void load_font(Frames& frames, int type)
{
    for_each_instance(frames.instances[type], [](FrameObject* text) {
        static_cast<TextBlitter*>(text)->load(string_constant(STR_FONT_BMP));
    });
}

void set_damping(Frames& frames, int type, double damping)
{
    for_each_instance(frames.instances[type], [&](FrameObject* plane) { set_value(plane, 'D', damping); });
}

}  // namespace

// Scroll down step.
void Frames::event_func_2647()
{
    FrameObject* state = screen_instance(*this);
    if (!state || !(get_value(*state, 'B') > 0))
        return;
    set_value(state, 'B', get_value(*state, 'B') - scroll_step);
    set_value(state, 'A', get_value(*state, 'A') + scroll_step);
}

// Scroll up step.
void Frames::event_func_2648()
{
    FrameObject* state = screen_instance(*this);
    if (!state || !(get_value(*state, 'B') < 0))
        return;
    set_value(state, 'B', get_value(*state, 'B') + scroll_step);
    set_value(state, 'A', get_value(*state, 'A') - scroll_step);
}

// Ambient motion, and the view follows the page position.
void Frames::event_func_2649()
{
    if (FrameObject* checker = instance_of(instances[types::CheckerPattern_408])) {
        checker->set_global_position(checker->get_x(), to_int(new_display_y - get_value(*checker, 'A')));
        set_value(checker, 'A', std::fmod(get_value(*checker, 'A') + 0.5, 64.0));
    }
    set_display_center(std::nullopt, to_int(screen_value(*this, 'A')));
    global_values->set(3, global_values->get(3) + 1);
    if (auto* prompt = static_cast<Active*>(instance_of(instances[types::Active5_414])))
        prompt->force_frame(to_int(global_values->get(3)) / 4 % 20);
    set_value(instance_of(instances[types::MasterLevel_53]), 'Z', 0);
}

// Next page by joystick.
void Frames::event_func_2650()
{
    if (is_joystick_pressed_once(1, 2) && may_page_forward(*this))
        page_forward(*this);
}

// Next page by key.
void Frames::event_func_2651()
{
    if (is_key_pressed_once(key_return) && may_page_forward(*this))
        page_forward(*this);
}

// Back a page by joystick.
void Frames::event_func_2652()
{
    if (is_joystick_pressed_once(1, 1) && may_page_back(*this))
        page_back(*this);
}

// Back a page by key.
void Frames::event_func_2653()
{
    if (is_key_pressed_once(key_backspace) && may_page_back(*this))
        page_back(*this);
}

// Parallax drift, and the controls picture shown.
void Frames::event_func_2654()
{
    for_each_instance(qualifier_1, [](FrameObject* plane) {
        const double period = get_value(*plane, 'A');
        const double x = period == 0 ? get_value(*plane, 'C')
                                     : get_value(*plane, 'C') - std::fmod(get_value(*plane, 'B'), period);
        plane->set_global_position(to_int(x), to_int(get_value(*plane, 'E')));
        set_value(plane, 'B', get_value(*plane, 'B') + (1 - get_value(*plane, 'D')));
    });
    if (FrameObject* controls_picture = instance_of(instances[types::Controls_410]))
        controls_picture->set_visible(true);
}

// The controls picture belongs to the first two pages.
void Frames::event_func_2655()
{
    if (!(screen_value(*this, 'A') > 360))
        return;
    if (FrameObject* controls_picture = instance_of(instances[types::Controls_410]))
        controls_picture->set_visible(false);
}

// Confirm by key on the last page.
void Frames::event_func_2656()
{
    if (is_key_pressed_once(key_return) && may_confirm(*this))
        confirm(*this);
}

// Confirm by joystick on the last page.
void Frames::event_func_2657()
{
    if (is_joystick_pressed_once(1, 2) && may_confirm(*this))
        confirm(*this);
}

// Leave for Black Load once the wipe has covered the view.
void Frames::event_func_2658()
{
    if (!(screen_value(*this, 'C') > 50))
        return;
    if (!select(instances[types::Fade_40], [](FrameObject* wipe) { return get_value(*wipe, 'F') > 50; }))
        return;
    global_values->set(4, 0);
    global_values->set(0, 0);
    next_frame = 2;
}

// Start: view centred across, options save, the labels' font, page 1.
void Frames::event_func_2659()
{
    set_display_center(320, std::nullopt);
    load_options_save(*this);
    for (int type :
         {types::HelpMessage_432, types::HelpMessage2_433, types::HelpMessage3_434, types::HelpMessage4_435,
          types::HelpMessage5_436, types::HelpMessage6_448, types::HelpMessage7_449, types::HelpMessage8_450})
        load_font(*this, type);
    set_value(screen_instance(*this), 'A', first_page);
    load_font(*this, types::HelpMessage9_413);
    load_font(*this, types::HelpMessage10_459);
}

// Parallax set-up: each plane's damping, wrap period and resting place; the
// strips are made four periods wide so that the drift never shows an end.
void Frames::event_func_2660()
{
    set_damping(*this, types::BG2Layer1_452, 0.8);
    set_damping(*this, types::BG2Layer4_455, -0.5);
    set_damping(*this, types::BG2Layer3_454, 0.0);
    set_damping(*this, types::BG2Layer2_453, 0.4);
    for_each_instance(qualifier_1, [](FrameObject* plane) {
        const int width = plane->width;
        set_value(plane, 'A', width);
        static_cast<SystemBox*>(plane)->set_size(width * 4, plane->height);
        set_value(plane, 'B', plane->get_x());
        set_value(plane, 'C', plane->get_x());
        set_value(plane, 'E', plane->get_y());
    });
}
