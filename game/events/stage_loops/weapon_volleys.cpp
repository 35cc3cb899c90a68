// Hespin's volleys, one event per weapon: the basic shot of slot 0, or one
// weapon kind at one level as the save array records it for the current
// slot. Shots and bursts leave the arm's action point, 8 pixels out along
// its direction; a shot inherits part of the player's motion. The event
// that closes a volley plays its sample, sets the arm's cooldown (C) and
// spends a unit of the slot's ammunition, so later volleys of the pass find
// no arm ready.
#include "audio/media.h"
#include "game/events/stage_loops/hespin_weapon.h"
#include "game/objects/classes.h"
#include "objects/active.h"

#include <algorithm>
#include <initializer_list>

namespace {

constexpr int shot_animation = 10;

// The arm's value that holds the ammunition of the skin's slot (slot s is
// value number s + 5); -1 outside A ... Z.
int ammo_value(const FrameObject& skin)
{
    const int number = to_int(get_value(skin, 'D') + 5);
    return number >= 0 && number <= 25 ? number : -1;
}

void set_values(FrameObject* object, const char* letters, std::initializer_list<double> numbers)
{
    for (const double number : numbers)
        set_value(object, *letters++, number);
}

class Volley {
public:
    // A weapon volley: Hespin armed, an arm ready (C at most 0), the current
    // slot loaded and holding weapon `kind` at `level`.
    Volley(Frames& frames, int kind, int level) : f(frames), burst_skin(last_skin())
    {
        ready = hespin::armed(f) && select_ready_arms() && slot_holds(kind, level);
    }

    // The basic shot: an arm ready and a skin in slot 0; no ammunition spent.
    explicit Volley(Frames& frames) : f(frames), burst_skin(last_skin()), spends(false)
    {
        ready = hespin::armed(f) && select_ready_arms() &&
                select(skins(), [](FrameObject* s) { return get_value(*s, 'D') == 0; });
        if (ready)
            burst_skin = *ObjectIterator(skins());
    }

    bool fires() const { return ready; }
    const FrameObject& arm() { return first_selected_or_default(arms()); }
    const FrameObject& player() { return instance_or_default(f.instances[types::PlayerMovementValues_80]); }

    // A shot per arm; the first shows `frame` of the shot animation and
    // remembers where it started.
    FrameObject* shot(int frame)
    {
        auto* made = static_cast<Active*>(spawn(f.instances[types::PlayerProjectile_336], create_playerprojectile_336));
        if (!made)
            return nullptr;
        made->force_animation(shot_animation);
        made->force_frame(frame);
        set_values(made, "AB", {double(made->get_x()), double(made->get_y())});
        set_flag(made, 1, true);
        return made;
    }

    // Speed `speed` along the aim turned by `offset`, plus `factor` of the
    // player's motion.
    void aim(FrameObject* made, double offset, double speed, double factor = 0.5)
    {
        const double heading = get_value(arm(), 'D') + offset;
        const double b = get_value(player(), 'B'), o = get_value(player(), 'O');
        set_value(made, 'C', speed * event_cos(heading) + factor * b * event_cos(o));
        set_value(made, 'D', -speed * event_sin(heading) - factor * b * event_sin(o));
    }

    // A burst per arm; the first, flattened, remembers where it stands from
    // the skin so that it follows the skin.
    FrameObject* burst()
    {
        auto* made = static_cast<Active*>(spawn(f.instances[types::EffectsWhiteBurst_31], create_effectswhiteburst_31));
        if (!made)
            return nullptr;
        made->set_x_scale(0.25f);
        made->set_y_scale(0.75f);
        set_value(made, 'H', made->get_x() - burst_skin->get_x());
        set_value(made, 'I', made->get_y() - burst_skin->get_y());
        return made;
    }

    // Turned along the arm's aim.
    void turn(FrameObject* made)
    {
        if (made)
            made->set_angle(to_int(get_value(arm(), 'D')), 0);
    }

    // The closing event: samples, the arms' A and cooldown, ammunition.
    void close(std::initializer_list<unsigned> samples, double a, double cooldown)
    {
        for (const unsigned sample : samples)
            media.play_id(sample, -1, 1);
        int k = 0;
        for_each_selected(arms(), [&](FrameObject* each) {
            set_values(each, "AC", {a, cooldown});
            const int ammo = ammo_value(paired_or_default(skins(), k++));
            if (spends && ammo >= 0)
                set_value(each, char('A' + ammo), get_value(*each, char('A' + ammo)) - 1);
        });
    }

    ObjectList& arms() { return f.instances[types::PlayerSkinHespinArm_350]; }
    ObjectList& skins() { return f.instances[types::PlayerSkinHespin_351]; }

private:
    FrameObject* last_skin() { return &instance_or_default(skins()); }

    // The arms whose cooldown (C) is over.
    bool select_ready_arms()
    {
        return select(arms(), [](FrameObject* a) { return get_value(*a, 'C') <= 0; });
    }

    static FrameObject& first_selected_or_default(ObjectList& list)
    {
        ObjectIterator first(list);
        return first.done() ? instance_or_default(list) : **first;
    }

    bool slot_holds(int kind, int level)
    {
        const double slot = get_value(*burst_skin, 'D');
        const int ammo = ammo_value(*burst_skin);
        return ammo >= 0 && get_value(arm(), char('A' + ammo)) > 0 && hespin::saved(f, to_int(2 * slot + 24)) == kind &&
               hespin::saved(f, to_int(2 * slot + 25)) == level;
    }

    // One instance per selected arm at its action point, 8 pixels out along
    // its direction, on its layer; the first made.
    template <class Make>
    FrameObject* spawn(ObjectList& made, Make make)
    {
        FrameObject* first = nullptr;
        for_each_selected(arms(), [&](FrameObject* each) {
            const double angle = each->get_direction() * 11.25;
            const int dx = to_int(8 * event_cos(angle)), dy = to_int(-8 * event_sin(angle));
            FrameObject* object = make(each->get_action_x() - each->layer->off_x + dx,
                                       each->get_action_y() - each->layer->off_y + dy);
            FrameObject* added = first ? create_another(f, made, object, layer_index(*each))
                                       : create_instance(f, made, object, layer_index(*each));
            first = first ? first : added;
        });
        return first;
    }

    Frames& f;
    FrameObject* burst_skin;
    bool spends = true;
    bool ready = false;
};

// The camera keeps back at least 3 after the heavier volleys.
void shake_camera(Frames& f)
{
    for_each_instance(f.instances[types::MasterCamera_190],
                      [](FrameObject* camera) { set_value(camera, 'Z', std::max(get_value(*camera, 'Z'), 3.0)); });
}

}  // namespace

// The basic shot of slot 0.
void Frames::event_func_430()
{
    Volley volley(*this);
    if (!volley.fires())
        return;
    FrameObject* shot = volley.shot(0);
    volley.aim(shot, 0, 12);
    set_values(shot, "JHI", {20, -10, 1});
    volley.turn(shot);
    volley.turn(volley.burst());
    volley.close({153}, 30, 10);
}

// Kind 0, level 0: three shots fanned 20 degrees apart (431 to 433).
void Frames::event_func_431()
{
    Volley volley(*this, 0, 0);
    if (!volley.fires())
        return;
    FrameObject* shot = volley.shot(2);
    volley.aim(shot, -20, 10);
    set_values(shot, "JHI", {1, -15, 3});
}

void Frames::event_func_432()
{
    Volley volley(*this, 0, 0);
    if (!volley.fires())
        return;
    FrameObject* shot = volley.shot(2);
    volley.aim(shot, 0, 10);
    set_values(shot, "JHI", {1, -15, 3});
    volley.turn(shot);
}

void Frames::event_func_433()
{
    Volley volley(*this, 0, 0);
    if (!volley.fires())
        return;
    FrameObject* shot = volley.shot(2);
    volley.aim(shot, 20, 10);
    set_values(shot, "JHI", {1, -15, 3});
    volley.turn(volley.burst());
    volley.close({210}, 30, 12);
}

void Frames::event_func_434()
{
    Volley volley(*this, 0, 1);
    if (!volley.fires())
        return;
    FrameObject* shot = volley.shot(1);
    volley.aim(shot, 0, 8);
    set_values(shot, "JHIK", {2, -20, 5, 1});
    volley.turn(volley.burst());
    volley.close({210}, 30, 30);
}

// Kind 0, level 2: no speed of its own; it flies by its facing (N) and its
// aim turned to that facing (O).
void Frames::event_func_435()
{
    Volley volley(*this, 0, 2);
    if (!volley.fires())
        return;
    FrameObject* shot = volley.shot(4);
    const double facing = get_value(volley.player(), 'Q');
    set_values(shot, "JHIKNO", {3, -90, 2, 1, facing, (facing - 1) * 90 + get_value(volley.arm(), 'D')});
    volley.turn(volley.burst());
    volley.close({211}, 30, 30);
}

void Frames::event_func_436()
{
    Volley volley(*this, 1, 0);
    if (!volley.fires())
        return;
    FrameObject* shot = volley.shot(8);
    volley.aim(shot, 0, 15);
    set_values(shot, "JIK", {4, 6, 1});
    shake_camera(*this);
    volley.turn(shot);
    volley.turn(volley.burst());
    volley.close({204}, 30, 30);
}

void Frames::event_func_437()
{
    Volley volley(*this, 1, 1);
    if (!volley.fires())
        return;
    FrameObject* shot = volley.shot(30);
    volley.aim(shot, 0, 8);
    set_values(shot, "JIK", {5, 1, 1});
    volley.close({153}, 30, 50);
}

void Frames::event_func_438()
{
    Volley volley(*this, 1, 2);
    if (!volley.fires())
        return;
    FrameObject* shot = volley.shot(6);
    volley.aim(shot, 0, 12);
    set_values(shot, "JHIK", {6, -30, 6, 1});
    volley.turn(shot);
    volley.turn(volley.burst());
    volley.close({153}, 30, 35);
}

// Kind 2, level 0: the arm heats up by 3 a shot, to 20 at most, and the
// shot is faster the hotter the arm.
void Frames::event_func_439()
{
    Volley volley(*this, 2, 0);
    if (!volley.fires())
        return;
    FrameObject* shot = volley.shot(9);
    for_each_selected(volley.arms(),
                      [](FrameObject* arm) { set_value(arm, 'E', std::min(get_value(*arm, 'E') + 3, 20.0)); });
    volley.aim(shot, 0, 2 + 0.4 * get_value(volley.arm(), 'E'));
    set_values(shot, "JHIK", {7, -50, 2, 1});
    volley.close({}, 15, 4);
}

void Frames::event_func_440()
{
    Volley volley(*this, 2, 1);
    if (!volley.fires())
        return;
    FrameObject* shot = volley.shot(7);
    volley.aim(shot, 0, 6);
    set_values(shot, "JHIK", {8, -60, 3, 1});
    volley.close({153}, 30, 50);
}

// Kind 2, level 2: a random speed along the aim (O) and across it (N),
// turned by the aim, plus half the player's motion.
void Frames::event_func_441()
{
    Volley volley(*this, 2, 2);
    if (!volley.fires())
        return;
    FrameObject* shot = volley.shot(11);
    const double along = 4 + 0.1 * randrange_event(441, 20);
    const double across = -0.1 * randrange_event(441, 20) * get_value(volley.player(), 'Q');
    const double d = get_value(volley.arm(), 'D');
    const double b = get_value(volley.player(), 'B'), o = get_value(volley.player(), 'O');
    set_values(shot, "JHION", {9, -40, 2, along, across});
    set_value(shot, 'C', event_cos(d) * along - event_sin(d) * across + 0.5 * b * event_cos(o));
    set_value(shot, 'D', event_cos(d) * across - event_sin(d) * along - 0.5 * b * event_sin(o));
    volley.close({}, 15, 5);
}

// Kind 3, level 0: speed 7 along the aim swung by up to 20 degrees with the
// gameplay tick count, plus 0.7 of the player's motion.
void Frames::event_func_442()
{
    Volley volley(*this, 3, 0);
    if (!volley.fires())
        return;
    FrameObject* shot = volley.shot(12);
    const double w = 20 * event_sin(12 * level_tick(*this));
    const double d = get_value(volley.arm(), 'D');
    const double b = get_value(volley.player(), 'B'), o = get_value(volley.player(), 'O');
    set_value(shot, 'C', 7 * (event_cos(d) * event_cos(w) + event_sin(d) * event_sin(w)) + 0.7 * b * event_cos(o));
    set_value(shot, 'D', 7 * (event_cos(d) * event_sin(w) - event_sin(d) * event_cos(w)) - 0.7 * b * event_sin(o));
    set_values(shot, "JHIK", {10, -20, 2, 1});
    volley.close({}, 10, 3);
}

void Frames::event_func_443()
{
    Volley volley(*this, 3, 1);
    if (!volley.fires())
        return;
    FrameObject* shot = volley.shot(5);
    volley.aim(shot, 0, 8);
    set_values(shot, "JHIK", {11, -40, 2, 1});
    volley.turn(shot);
    volley.turn(volley.burst());
    volley.close({153}, 30, 60);
}

// Kind 3, level 2 throws nothing here: only its sound and cooldown.
void Frames::event_func_444()
{
    Volley volley(*this, 3, 2);
    if (volley.fires())
        volley.close({208}, 10, 25);
}

void Frames::event_func_445()
{
    Volley volley(*this, 4, 0);
    if (!volley.fires())
        return;
    FrameObject* shot = volley.shot(3);
    set_values(shot, "JHIK", {13, -20, 2, 1});
    volley.turn(shot);
    volley.turn(volley.burst());
    volley.close({207}, 30, 15);
}

void Frames::event_func_446()
{
    Volley volley(*this, 4, 1);
    if (!volley.fires())
        return;
    FrameObject* shot = volley.shot(31);
    set_values(shot, "JHIKL", {14, -45, 3, 1, get_value(volley.arm(), 'D')});
    volley.turn(volley.burst());
    volley.close({207, 212}, 30, 65);
}

void Frames::event_func_447()
{
    Volley volley(*this, 4, 2);
    if (!volley.fires())
        return;
    FrameObject* shot = volley.shot(22);
    volley.aim(shot, 0, 8);
    set_values(shot, "JHIK", {15, -60, 3, 1});
    shake_camera(*this);
    volley.turn(volley.burst());
    volley.close({205}, 30, 30);
}
