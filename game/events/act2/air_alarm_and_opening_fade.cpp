// Act 2's air: warnings as the air counter rises, the alarm that fades the
// music and beeps louder each second, drowning at 32, refills at bubble
// patches, the HUD air counter sliding in and counting down, the splashes
// riding the water line; and the close of the act's opening fade.
#include "audio/media.h"
#include "game/events/enemies_hud/act_start_card.h"
#include "game/events/stage_loops/music_queue.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/type_ids.h"
#include "objects/counter.h"
#include "runtime/collision.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr unsigned warning_sample = 16;
constexpr unsigned alarm_low_sample = 37, alarm_high_sample = 38;
constexpr int water_shield = 4;
constexpr double drowned = 3;  // the hurt request of drowning

ObjectList& others(Frames& f) { return f.instances[types::PlayerOthers_75]; }

double air(Frames& f) { return get_value(others(f), 'J'); }

double character(Frames& f) { return get_value(f.instances[types::PlayerMovementValues_80], 'A'); }

int step_counter(const Frames& f) { return to_int(f.global_values->get(3)); }

bool in_alarm(Frames& f) { return air(f) >= 20 && air(f) < 31; }

// The alarm's beep loudens by 7 a step of air, up to full volume at 29.
void beep(Frames& f, unsigned sample, int shader)
{
    media.play_id(sample, -1, 1);
    media.set_sample_volume(sample, std::min(7 * air(f) - 100, 100.0));
    for_each_instance(f.instances[types::BubbleNumbers_185], [shader](FrameObject* digits) { digits->set_shader(shader); });
}

void set_music_controllers(Frames& f, double m)
{
    for_each_instance(f.instances[types::ControllerMusic_49], [m](FrameObject* controller) {
        set_value(controller, 'M', m);
        if (m == 1)
            set_value(controller, 'K', 0);
    });
}

// The player's sensor in a bubble patch, without the water shield.
bool breathing_at_patch(Frames& f)
{
    if (get_value(others(f), 'B') == water_shield)
        return false;
    select_all(f.instances[types::PlayerCharacterSensor_151]);
    select_all(f.instances[types::BubblePatch_362]);
    return check_overlap(f.instances[types::PlayerCharacterSensor_151], f.instances[types::BubblePatch_362]);
}

void show_air(Frames& f, double shown)
{
    for_each_instance(f.instances[types::GUIAir_405],
                      [shown](FrameObject* counter) { static_cast<Counter*>(counter)->set(shown); });
}

void slide_air_counter(Frames& f, int dx)
{
    for_each_instance(f.instances[types::GUIAir_405], [dx](FrameObject* counter) { counter->set_x(counter->get_x() + dx); });
}

void destroy_all(ObjectList& list)
{
    for_each_instance(list, [](FrameObject* object) { object->destroy(); });
}

void show_all(ObjectList& list)
{
    for_each_instance(list, [](FrameObject* object) { object->set_visible(true); });
}

}  // namespace

void Frames::event_func_2380()
{
    if (level_group_43 && air(*this) == 10 && run_once(run_once_2380, loop_count))
        media.play_id(warning_sample, -1, 1);
}

void Frames::event_func_2381()
{
    if (level_group_43 && air(*this) == 15 && run_once(run_once_2381, loop_count))
        media.play_id(warning_sample, -1, 1);
}

void Frames::event_func_2382()
{
    if (!level_group_43 || air(*this) != 20 || !run_once(run_once_2382, loop_count))
        return;
    music::write_call(*this, "fadeout_music(6000)");
    set_music_controllers(*this, 0);
}

void Frames::event_func_2383()
{
    if (level_group_43 && in_alarm(*this) && step_counter(*this) % 120 == 6 && run_once(run_once_2383, loop_count))
        beep(*this, alarm_low_sample, 0);
}

void Frames::event_func_2384()
{
    if (level_group_43 && in_alarm(*this) && step_counter(*this) % 120 == 66 && run_once(run_once_2384, loop_count))
        beep(*this, alarm_high_sample, 17);
}

// Out of air: the player drowns.
void Frames::event_func_2385()
{
    if (!level_group_43 || air(*this) != 32 || !run_once(run_once_2385, loop_count))
        return;
    set_value(others(*this), 'D', 0);
    set_value(instances[types::PlayerMovementValues_80], 'R', drowned);
    music::write_call(*this, "unqueue_music()");
    run_loop(fast_loop_check_death, 1, &Frames::loop_check_death_4);
}

// Out of the alarm: the music comes back.
void Frames::event_func_2386()
{
    if (!level_group_43 || !(air(*this) < 20) || !run_once(run_once_2386, loop_count))
        return;
    set_music_controllers(*this, 1);
    media.set_channel_volume(music::channel, 100);
}

// A patch refills a step a tick down to the counter's start: -30 for
// Yelto, 0 for the others.
void Frames::event_func_2387()
{
    if (!level_group_43 || !breathing_at_patch(*this))
        return;
    if (air(*this) > -30 * (1 - std::min(character(*this), 1.0)))
        set_value(others(*this), 'J', air(*this) - 1);
}

void Frames::event_func_2388()
{
    if (level_group_43 && breathing_at_patch(*this) && air(*this) >= 20)
        set_value(others(*this), 'J', 18);
}

void Frames::event_func_2389()
{
    if (!level_group_43)
        return;
    const int line = to_int(get_value(instances[types::MasterLevel_53], 'C'));
    for_each_instance(instances[types::EffectsWaterSplash_157], [line](FrameObject* splash) { splash->set_y(line); });
}

void Frames::event_func_2390()
{
    ObjectList& icons = instances[types::GUIIcon_108];
    if (!level_group_43 || get_value(others(*this), 'H') != 1 ||
        !select(icons, [](FrameObject* icon) { return get_value(*icon, 'A') <= 0 && get_value(*icon, 'C') < 16; }))
        return;
    slide_air_counter(*this, 2);
    for_each_selected(icons, [](FrameObject* icon) { add_value(icon, 'C', 1); });
}

// Out of the water, or with the HUD raised, the counter slides back out.
void Frames::event_func_2391()
{
    if (!level_group_43)
        return;
    ObjectList& icons = instances[types::GUIIcon_108];
    const bool out_of_water = get_value(others(*this), 'H') == 0;
    if (!select(icons, [out_of_water](FrameObject* icon) {
            return get_value(*icon, 'C') > 0 && (out_of_water || get_value(*icon, 'A') > 0);
        }))
        return;
    for_each_selected(icons, [](FrameObject* icon) { add_value(icon, 'C', -1); });
    slide_air_counter(*this, -2);
}

void Frames::event_func_2392()
{
    if (level_group_43 && air(*this) < 20 && character(*this) == 0)
        show_air(*this, std::max(6 - 0.2 * air(*this), 1.0));
}

void Frames::event_func_2393()
{
    if (level_group_43 && air(*this) < 20 && character(*this) != 0)
        show_air(*this, std::max(12 - 0.5 * air(*this), 1.0));
}

// In the alarm the counter blinks.
void Frames::event_func_2394()
{
    if (level_group_43 && air(*this) >= 20)
        show_air(*this, std::fmod(frame_time * 1000 / 40, 2));
}

void Frames::event_func_2396()
{
    if (!level_group_43 || !opening_fade_group ||
        !(get_value(instance_or_default(instances[types::LevelCardFade_208]), 'A') < 32))
        return;
    step_opening_fade(*this);
}

// The fade is over: the HUD comes back and the act is under way.
void Frames::event_func_2397()
{
    if (!level_group_43 || !opening_fade_group ||
        !select(instances[types::LevelCardFade_208], [](FrameObject* card) { return get_value(*card, 'A') >= 32; }))
        return;
    show_all(instances[types::GUIScoreTimeRings_107]);
    show_all(instances[types::GUIIcon_108]);
    activate_group(level_group_39);
    activate_group(level_group_25);
    deactivate_group(opening_fade_group);
    destroy_all(instances[types::LevelCardFade_208]);
    show_all(instances[types::GUILives_221]);
    for (const int type : {types::LevelCardIntro1_334, types::LevelCardIntro2_287, types::LevelCardIntro3_288})
        destroy_all(instances[type]);
    global_values->set(4, 1);
    set_value(instances[types::PlayerInput_21], 'M', 0);
}
