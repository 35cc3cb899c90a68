// The Coming Soon! frame's events; the dissolve, the music fade, the wipe and
// the menu music serve the How To Play frame as well.
#include "audio/media.h"
#include "base/convert.h"
#include "game/events/menus/menu_screens.h"
#include "game/events/stage_loops/music_queue.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/frames/string_constants.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "objects/arrayext.h"
#include "objects/textblitter.h"
#include "runtime/input.h"
#include "runtime/layer.h"
#include "runtime/values.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int key_return = 13;

double get(const FrameObject& object, char letter) { return get_value(object, letter); }
void set(FrameObject* object, char letter, double value) { set_value(object, letter, value); }

GlobalValues& globals(Frames& frames) { return *frames.global_values; }

// The confirm counts only while the screen is idle.
bool screen_idle(Frames& frames)
{
    const FrameObject& state = instance_or_default(frames.instances[types::Active8_419]);
    return get(state, 'B') == 0 && get(state, 'C') == 0;
}

void confirm(Frames& frames)
{
    media.play_id(53, -1, 1);
    burst_at(frames, instance_of(frames.instances[types::Active5_414]));
    if (FrameObject* state = instance_of(frames.instances[types::Active8_419]))
        set(state, 'C', get(*state, 'C') + 1);
}

}  // namespace

void place_fade_in_tiles(Frames& frames)
{
    // The inner ten columns first, row by row, then the outer columns.
    for (int y = 0; y <= 224; y += 32)
        for (int x = 176; x <= 464; x += 32)
            frames.add_object(create_fadein_417(x, y), 2);
    for (int x : {144, 496, 112})
        for (int y = 0; y <= 224; y += 32)
            frames.add_object(create_fadein_417(x, y), 2);
}

void reset_menu_event_state(Frames& frames)
{
    frames.reset_shared_event_state();
    activate_group(frames.fade_in_group);
}

void burst_at(Frames& frames, FrameObject* anchor)
{
    const int x = anchor ? anchor->x : 0;
    const int y = anchor ? anchor->y : 0;
    const int layer = anchor && anchor->layer ? anchor->layer->index : 0;
    create_instance(frames, frames.instances[types::EffectsWhiteBurst_31], create_effectswhiteburst_31(x, y), layer);
}

void load_options_save(Frames& frames)
{
    if (auto* save = static_cast<ArrayObject*>(instance_of(frames.instances[types::SaveData_10])))
        save->load(string_constant(STR_SAVE_PREFIX) + fast_dtoa(globals(frames).get(10)) +
                   string_constant(STR_DAT_SUFFIX));
}

// Tile dissolve: one more tile starts to vanish.
void Frames::event_func_2501()
{
    if (!fade_in_group)
        return;
    ObjectList& tiles = instances[types::FadeIn_417];
    select_all(tiles);
    if (FrameObject* tile = pick_random_instance(2501, tiles))
        tile->destroy();
}

// Ambient motion: the checker drifts, the prompt animates.
void Frames::event_func_2503()
{
    if (FrameObject* checker = instance_of(instances[types::CheckerPattern_408])) {
        checker->set_global_position(checker->get_x(), to_int(new_display_y - get(*checker, 'A')));
        set(checker, 'A', std::fmod(get(*checker, 'A') + 0.5, 64.0));
    }
    globals(*this).set(3, globals(*this).get(3) + 1);
    if (auto* prompt = static_cast<Active*>(instance_of(instances[types::Active5_414])))
        prompt->force_frame(to_int(globals(*this).get(3)) / 4 % 20);
    set(instance_of(instances[types::MasterLevel_53]), 'Z', 0);
}

// Confirm by key.
void Frames::event_func_2504()
{
    if (!is_key_pressed_once(key_return) || !screen_idle(*this))
        return;
    confirm(*this);
}

// Confirm by joystick.
void Frames::event_func_2505()
{
    if (!is_joystick_pressed_once(1, 2) || !screen_idle(*this))
        return;
    confirm(*this);
}

// Music fade count.
void Frames::event_func_2506()
{
    FrameObject* state = instance_of(instances[types::Active8_419]);
    const double countdown = get(instance_or_default(instances[types::Active8_419]), 'C');
    if (!(countdown > 0 && countdown < 50))
        return;
    set(state, 'C', countdown + 1);
    media.set_channel_volume(music::channel, media.get_channel_volume(music::channel) - 2);
}

// Wipe start.
void Frames::event_func_2507()
{
    FrameObject* state = instance_of(instances[types::Active8_419]);
    const double countdown = get(instance_or_default(instances[types::Active8_419]), 'C');
    if (countdown != 50)
        return;
    media.play_id(49, -1, 1);
    media.stop_channel(music::channel);
    ObjectList& fades = instances[types::Fade_40];
    ObjectList& edges = instances[types::FadeEdge_73];
    create_instance(*this, fades, create_fade_40(0, 0), 3);
    create_instance(*this, edges, create_fadeedge_73(0, 0), 3);
    const int view_width = to_int(globals(*this).get(16));
    for_each_selected(fades, [&](FrameObject* wipe) {
        wipe->set_x(new_display_x - view_width - 120);
        wipe->set_y(new_display_y);
        wipe->set_direction(8, true);
        static_cast<Active*>(wipe)->set_x_scale(float(globals(*this).get(16)));
        static_cast<Active*>(wipe)->set_y_scale(240.0f);
    });
    for_each_selected(edges, [&](FrameObject* edge) {
        edge->set_x(new_display_x);
        edge->set_y(new_display_y);
        edge->set_direction(8, true);
    });
    media.set_channel_volume(music::channel, 100);
    set(state, 'C', countdown + 1);
}

// Wipe slide: the wipe closes in from the left and its edge follows it.
void Frames::event_func_2508()
{
    if (!(get(instance_or_default(instances[types::Active8_419]), 'C') > 50))
        return;
    ObjectList& fades = instances[types::Fade_40];
    for_each_instance(fades, [&](FrameObject* wipe) {
        wipe->set_x(std::min(wipe->get_x() + 32, new_display_x));
        set(wipe, 'F', get(*wipe, 'F') + 1);
        wipe->set_layer(3);
    });
    const int view_width = to_int(globals(*this).get(16));
    int k = 0;
    for_each_instance(instances[types::FadeEdge_73], [&](FrameObject* edge) {
        if (FrameObject* wipe = fades.get_wrapped_selection(k++))
            edge->set_x(wipe->get_x() + view_width + 120);
        edge->set_layer(3);
    });
}

// Restart once the wipe has covered the view.
void Frames::event_func_2509()
{
    if (!(get(instance_or_default(instances[types::Active8_419]), 'C') > 50))
        return;
    if (!select(instances[types::Fade_40], [](FrameObject* wipe) { return get(*wipe, 'F') > 50; }))
        return;
    globals(*this).set(4, 0);
    globals(*this).set(0, 0);
    restart();
}

// Start: view centred across, options save and the caption's font.
void Frames::event_func_2510()
{
    set_display_center(320, std::nullopt);
    load_options_save(*this);
    if (auto* caption_text = static_cast<TextBlitter*>(instance_of(instances[types::HelpMessage9_413])))
        caption_text->load(string_constant(STR_FONT_BMP));
}

// Menu music, unless a previous frame left music playing.
void Frames::event_func_2511()
{
    if (media.is_channel_playing(music::channel))
        return;
    media.stop_samples();
    media.set_channel_volume(music::channel, 100);
    media.play(string_constant(STR_M_MENU1), music::channel, 0);
}
