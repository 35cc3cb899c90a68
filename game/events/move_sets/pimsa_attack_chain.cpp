// Pimsa's three-step attack chain (movement mode 20): one attack animation
// per step, a hit effect at its frame 2, a re-pitched swing sample, an
// attack press from frame 2 queueing the next step, and a jump out of it.
#include "game/events/move_sets/pimsa_moves.h"

#include "audio/media.h"
#include "game/events/player_actions/ground_jump.h"

#include <cmath>

using namespace pimsa_moves;

namespace {

bool chain_on(const Frames& f) { return move_on(f, &Frames::level_group_54); }

// The next step of the chain, 0, 1, 2, 0 ...
void advance_step(FrameObject* skin) { set_value(skin, 'A', std::fmod(get_value(*skin, 'A') + 1, 3)); }

// Ends the step on a skin: no follow-up queued, its hit effect re-armed.
void end_step(FrameObject* skin)
{
    set_flag(skin, 1, false);
    advance_step(skin);
    set_flag(skin, 2, false);
}

bool at_hit_frame(const FrameObject& skin, bool alternative)
{
    return frame_of(skin) == 2 && !get_flag(skin, 2) && get_flag(skin, 12) == alternative;
}

// The voice of a hit: one of four attack calls, or none for half the draws
// (the loop map has no "sound_attack4" to "sound_attack7"). The selected
// skins stay selected for the rest of the event.
void attack_voice(Frames& f, int event)
{
    skins(f).save_selection();
    run_voice(f, "sound_attack", randrange_event(event, 8));
    skins(f).restore_selection();
}

// A swing sample of S = `number`, re-pitched from 40100 Hz up to 8000 Hz more.
void swing(Frames& f, int event, unsigned sample, double number)
{
    if (!select(skins(f), [number](FrameObject* skin) { return get_value(*skin, 'S') == number; }))
        return;
    for_each_selected(skins(f), [](FrameObject* skin) { set_value(skin, 'S', 0); });
    play_sample(sample);
    media.set_sample_frequency(sample, 40100 + randrange_event(event, 8001));
}

}  // namespace

void Frames::event_func_1190()
{
    if (!chain_on(*this))
        return;
    set_state(*this, get_value(skins(*this), 'A') + 20);
    auto restore_speed = [](FrameObject* sprite_object) { sprite(sprite_object)->restore_speed(); };
    for_each_instance(skins(*this), restore_speed);
    for_each_instance(instances[types::PlayerSkinPimsaTail_323], restore_speed);
    for_each_instance(skins(*this), [](FrameObject* skin) { set_flag(skin, 0, false); });
}

void Frames::event_func_1191()
{
    if (!chain_on(*this))
        return;
    ObjectList& list = skins(*this);
    if (!select(list, [](FrameObject* skin) { return at_hit_frame(*skin, false); }))
        return;
    FrameObject* skin = list.back_selection();
    FrameObject* shield = create_shield(*this);
    mark_hit(*this);
    aim_shield_behind(shield, skin, 2 + to_int(get_value(*skin, 'A')));
    attack_voice(*this, 1191);
    for_each_selected(list, [](FrameObject* s) { set_flag(s, 2, true); });
    set_value(shield, 'A', 1);
    for_each_selected(list, [](FrameObject* s) { set_value(s, 'S', randrange_event(1191, 3) + 1); });
}

void Frames::event_func_1192() { if (chain_on(*this)) swing(*this, 1192, 189, 1); }

void Frames::event_func_1193() { if (chain_on(*this)) swing(*this, 1193, 190, 2); }

void Frames::event_func_1194() { if (chain_on(*this)) swing(*this, 1194, 191, 3); }

void Frames::event_func_1195()
{
    if (!chain_on(*this))
        return;
    if (select(skins(*this), [](FrameObject* skin) { return get_flag(*skin, 12); }))
        for_each_selected(skins(*this), [](FrameObject* skin) { set_value(skin, 'A', 2); });
}

// The hit of the alternative start: turned back two steps, as created.
void Frames::event_func_1196()
{
    if (!chain_on(*this))
        return;
    ObjectList& list = skins(*this);
    if (!select(list, [](FrameObject* skin) { return at_hit_frame(*skin, true); }))
        return;
    FrameObject* skin = list.back_selection();
    FrameObject* shield = create_shield(*this);
    mark_hit(*this);
    if (shield)
        shield->set_direction(skin->get_direction() - 2, true);
    attack_voice(*this, 1196);
    for_each_selected(list, [](FrameObject* s) {
        set_flag(s, 2, true);
        set_flag(s, 12, false);
    });
    play_sample(193);
}

void Frames::event_func_1197()
{
    if (!chain_on(*this))
        return;
    auto attacking = [](FrameObject* skin) {
        const Active* s = sprite(skin);
        return s->test_animation(25) || s->test_animation(26) || s->test_animation(29);
    };
    if (select(skins(*this), attacking))
        for_each_selected(skins(*this), [](FrameObject* skin) { set_flag(skin, 0, true); });
}

void Frames::event_func_1198()
{
    if (!chain_on(*this) || input(*this, 'L') != 1)
        return;
    auto can_queue = [](FrameObject* skin) {
        return get_flag(*skin, 0) && frame_of(*skin) >= 2 && get_value(*skin, 'B') <= 0;
    };
    if (select(skins(*this), can_queue))
        for_each_selected(skins(*this), [](FrameObject* skin) { set_flag(skin, 1, true); });
}

void Frames::event_func_1199()
{
    if (!chain_on(*this))
        return;
    auto handing_over = [](FrameObject* skin) {
        const bool queued = get_flag(*skin, 0) && get_flag(*skin, 1);
        return (queued && frame_of(*skin) >= 5) || (queued && frame_of(*skin) >= 3 && get_flag(*skin, 3));
    };
    ObjectList& list = skins(*this);
    if (!select(list, handing_over))
        return;
    for_each_selected(list, end_step);
    for_each_instance(others(*this), [](FrameObject* o) { set_value(o, 'Y', 0); });
    // The step handed over no longer shows its attack: without this, 1200
    // would find it unqueued at frame 5 in the same tick and end the chain.
    for_each_selected(list, [](FrameObject* skin) {
        set_flag(skin, 3, false);
        set_flag(skin, 0, false);
    });
}

void Frames::event_func_1200()
{
    if (!chain_on(*this))
        return;
    auto ending = [](FrameObject* skin) { return get_flag(*skin, 0) && frame_of(*skin) >= 5 && !get_flag(*skin, 1); };
    ObjectList& list = skins(*this);
    if (!select(list, ending))
        return;
    const double ground = get_value(player(*this), 'L');
    set_value(player(*this), 'M', 1 - ground);
    set_state(*this, 40 - 40 * ground);
    for_each_selected(list, end_step);
}

void Frames::event_func_1201()
{
    if (!chain_on(*this) || get_value(player(*this), 'L') != 1 || input(*this, 'K') != 1)
        return;
    launch_across_ground(*this);
    run_jump_sound(*this);
}
