// The snake boss's cycle: placed in its geyser, it aims at a target geyser,
// leaps there along a half-sine arc with its body trailing, dives in, rises
// leaning toward the player, spits a fireball, sinks and picks the next
// geyser at random. Fireballs hurt an unprotected player.
#include "audio/media.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "game/objects/type_ids.h"
#include "objects/active.h"
#include "runtime/collision.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr unsigned leap_sample = 31, spit_sample = 42;
constexpr double arc_height = 180, rise_height = 80, stay_ticks = 80;
constexpr int trail_degrees = 12;  // each segment trails the one before by this much arc
constexpr int spit_animation = 11, leap_animation = 7;
constexpr int flame_shield = 2;

// The head's states, its value B.
constexpr double placing = 0, aiming = 1, leaping = 2, in_geyser = 3;

Active* as_active(FrameObject* object) { return static_cast<Active*>(object); }

bool fight_on(const Frames& f)
{
    return f.level_group_43 && f.boss_arena_group && f.boss_fight_group && f.boss_fight_sub_group_1;
}

ObjectList& heads(Frames& f) { return f.instances[types::BossVashkelHead_273]; }

ObjectList& segments(Frames& f) { return f.instances[types::BossSnakeBody_370]; }

int step_counter(const Frames& f) { return to_int(f.global_values->get(3)); }

bool select_heads(Frames& f, double state)
{
    return select(heads(f), [state](FrameObject* head) { return get_value(*head, 'B') == state; });
}

template <class Test>
bool select_heads_in(Frames& f, double state, Test test)
{
    return select(heads(f), [state, &test](FrameObject* head) { return get_value(*head, 'B') == state && test(*head); });
}

std::vector<FrameObject*> selected(ObjectList& list)
{
    std::vector<FrameObject*> kept;
    for_each_selected(list, [&kept](FrameObject* object) { kept.push_back(object); });
    return kept;
}

// The geyser of a kind that carries a number (the newest first), or null.
FrameObject* geyser_numbered(ObjectList& geysers, double number)
{
    FrameObject* found = nullptr;
    for_each_instance(geysers, [&](FrameObject* geyser) {
        if (!found && get_value(*geyser, 'A') == number)
            found = geyser;
    });
    return found;
}

// Placing: the head starts from the geyser its E names.
void place_in_geyser(Frames& f, ObjectList& geysers, bool base_on_own_kind)
{
    if (!fight_on(f) || !select_heads(f, placing))
        return;
    int k = 0;
    for (FrameObject* head : selected(heads(f))) {
        FrameObject* geyser = geyser_numbered(geysers, get_value(*head, 'E'));
        if (!geyser)
            continue;
        const FrameObject& base =
            base_on_own_kind ? *geyser : paired_or_default(f.instances[types::BossGeyserOverlap1_381], k);
        set_value(head, 'A', 0);
        set_value(head, 'C', geyser->get_x());
        set_value(head, 'D', base.get_y() + 40);
        add_value(head, 'B', 1);
        ++k;
    }
}

// Aiming: the leap's length to the geyser its G names.
void aim_at_geyser(Frames& f, ObjectList& geysers)
{
    if (!fight_on(f) || !select_heads(f, aiming))
        return;
    for (FrameObject* head : selected(heads(f)))
        if (FrameObject* target = geyser_numbered(geysers, get_value(*head, 'G'))) {
            set_value(head, 'F', get_value(*head, 'C') - target->get_x());
            add_value(head, 'B', 1);
        }
}

// A point of the leap's arc: from C to C - F, up to 180 above D.
void place_on_arc(FrameObject* object, const FrameObject& head, double angle)
{
    const double a = std::min(angle, arc_height);
    const double half = get_value(head, 'F') / 2;
    object->set_x(to_int(get_value(head, 'C') - half + half * event_cos(a)));
    object->set_y(to_int(get_value(head, 'D') - std::abs(arc_height * event_sin(a))));
}

double body_length(Frames& f) { return segments(f).size(); }

// Diving: a head at the end of its leap over a geyser of this kind.
void dive_into(Frames& f, ObjectList& geysers)
{
    const double landed = trail_degrees * body_length(f) + arc_height;
    if (!fight_on(f) || !select_heads_in(f, leaping, [landed](const FrameObject& h) { return get_value(h, 'A') >= landed; }))
        return;
    select_all(geysers);
    if (!check_overlap(heads(f), geysers))
        return;
    for (FrameObject* head : selected(heads(f))) {
        FrameObject* geyser = nullptr;
        for_each_selected(geysers, [&](FrameObject* g) {
            if (!geyser && head->overlaps(g))
                geyser = g;
        });
        if (!geyser)
            continue;
        add_value(head, 'B', 1);
        set_value(head, 'C', head->get_x());
        set_value(head, 'D', geyser->get_y() + 40);
        set_value(head, 'A', 0);
        as_active(head)->force_animation(0);
        head->set_angle(0, false);
        head->set_direction(8, true);
        set_value(head, 'F', 0);
        set_value(head, 'E', get_value(*geyser, 'A'));
    }
    set_value_of_all(f.instances[types::BossSnakeHitbox_383], 'B', 0);
}

void lean(Frames& f, bool toward_left)
{
    const double player_x = instance_or_default(f.instances[types::Player_87]).get_x();
    if (!fight_on(f) || !select_heads_in(f, in_geyser, [&](const FrameObject& h) {
            return toward_left ? get_value(h, 'C') >= player_x && get_value(h, 'H') > -1
                               : get_value(h, 'C') < player_x && get_value(h, 'H') < 1;
        }))
        return;
    for_each_selected(heads(f), [toward_left](FrameObject* head) { add_value(head, 'H', toward_left ? -0.1 : 0.1); });
}

template <class Test, class Action>
void for_heads_in_geyser(Frames& f, Test test, Action action)
{
    if (fight_on(f) && select_heads_in(f, in_geyser, test))
        for_each_selected(heads(f), action);
}

}  // namespace

void Frames::event_func_2403() { place_in_geyser(*this, instances[types::BossGeyserOverlap1_381], true); }

void Frames::event_func_2404() { place_in_geyser(*this, instances[types::BossGeyserOverlap2_382], false); }

void Frames::event_func_2405() { aim_at_geyser(*this, instances[types::BossGeyserOverlap1_381]); }

void Frames::event_func_2406() { aim_at_geyser(*this, instances[types::BossGeyserOverlap2_382]); }

void Frames::event_func_2407()
{
    if (!fight_on(*this) || !select_heads(*this, leaping))
        return;
    const std::vector<FrameObject*> leapers = selected(heads(*this));
    for (FrameObject* head : leapers) {
        as_active(head)->force_animation(leap_animation);
        place_on_arc(head, *head, get_value(*head, 'A'));
    }
    int k = 0;
    for_each_instance(segments(*this), [&](FrameObject* segment) {
        const FrameObject& head = *leapers[k++ % leapers.size()];
        const double phase = std::max(get_value(head, 'A') - trail_degrees * get_value(*segment, 'H'), 0.0);
        set_value(segment, 'G', phase);
        place_on_arc(segment, head, phase);
    });
    for (FrameObject* head : leapers) {
        const double side = std::clamp(get_value(*head, 'F'), -1.0, 1.0);
        head->set_angle(to_int(std::clamp(get_value(*head, 'A') * side, -180.0, 180.0)), false);
        const int direction = to_int(-16 * std::clamp(get_value(*head, 'F'), 0.0, 1.0));
        head->set_direction((direction + 32) % 32, true);
        add_value(head, 'A', 1.5);
    }
}

void Frames::event_func_2408()
{
    if (fight_on(*this) && step_counter(*this) % 10 == 5 && select_heads(*this, leaping))
        media.play_id(leap_sample, -1, 1);
}

void Frames::event_func_2409() { dive_into(*this, instances[types::BossGeyserOverlap1_381]); }

void Frames::event_func_2410() { dive_into(*this, instances[types::BossGeyserOverlap2_382]); }

void Frames::event_func_2411() { lean(*this, true); }

void Frames::event_func_2412() { lean(*this, false); }

// In the geyser the head bobs and leans; the body stacks under it.
void Frames::event_func_2413()
{
    if (!fight_on(*this) || !select_heads(*this, in_geyser))
        return;
    const int t = step_counter(*this);
    const std::vector<FrameObject*> risen = selected(heads(*this));
    for (FrameObject* head : risen) {
        const double a = get_value(*head, 'A'), c = get_value(*head, 'C'), h = get_value(*head, 'H');
        head->set_x(to_int(c + 20 * h * (1 - event_cos(a)) + 8 * event_sin(4.0 * t)));
        head->set_y(to_int(get_value(*head, 'D') - a + 8 * event_cos(8.0 * t)));
    }
    int k = 0;
    for_each_instance(segments(*this), [&](FrameObject* segment) {
        const FrameObject& head = *risen[k++ % risen.size()];
        const double number = get_value(*segment, 'H');
        const double g = std::max(get_value(head, 'A') + 24 - 24 * number, 0.0);
        set_value(segment, 'G', g);
        segment->set_x(to_int(get_value(head, 'C') - 20 * get_value(head, 'H') * (1 - event_cos(g)) +
                              8 * event_sin(15 * number + 4.0 * t)));
        segment->set_y(to_int(get_value(head, 'D') - g + 8 * event_cos(15 * number + 8.0 * t)));
    });
    for (FrameObject* head : risen)
        as_active(head)->force_frame(to_int(get_value(*head, 'H') + 1.5));
}

void Frames::event_func_2414()
{
    for_heads_in_geyser(
        *this, [](const FrameObject& h) { return get_value(h, 'A') >= rise_height; },
        [](FrameObject* head) { add_value(head, 'F', 1); });
}

void Frames::event_func_2415()
{
    for_heads_in_geyser(
        *this, [](const FrameObject& h) { return get_value(h, 'F') < stay_ticks; },
        [](FrameObject* head) { set_value(head, 'A', std::min(get_value(*head, 'A') + 4, rise_height)); });
}

void Frames::event_func_2416()
{
    for_heads_in_geyser(
        *this, [](const FrameObject& h) { return get_value(h, 'F') >= stay_ticks; },
        [](FrameObject* head) { set_value(head, 'A', std::max(get_value(*head, 'A') - 4, 0.0)); });
}

void Frames::event_func_2417()
{
    for_heads_in_geyser(
        *this, [](const FrameObject& h) { return get_value(h, 'F') == 5; },
        [](FrameObject* head) {
            as_active(head)->force_animation(spit_animation);
            set_flag(head, 14, false);
        });
}

void Frames::event_func_2418()
{
    for_heads_in_geyser(
        *this, [](const FrameObject& h) { return get_value(h, 'F') == 40; },
        [](FrameObject* head) { as_active(head)->restore_animation(); });
}

// A leaning head spits toward its side; an upright one does not.
void Frames::event_func_2419()
{
    if (!fight_on(*this) || !select_heads_in(*this, in_geyser, [](const FrameObject& h) {
            const Active& head = static_cast<const Active&>(h);
            return head.test_animation(spit_animation) && head.get_frame() != 1 && !get_flag(h, 14);
        }))
        return;
    ObjectList& spitters = heads(*this);
    const int frame = as_active(*ObjectIterator(spitters))->get_frame();
    FrameObject* fireball =
        create_at_action_points(*this, spitters, instances[types::BossFireball_384], create_bossfireball_384);
    fireball->set_direction((16 + 8 * frame) % 32, true);
    media.play_id(spit_sample, -1, 1);
    for_each_selected(spitters, [](FrameObject* head) {
        set_flag(head, 14, true);
        set_value(head, 'F', 6);
    });
}

void Frames::event_func_2420()
{
    for_heads_in_geyser(
        *this,
        [](const FrameObject& h) {
            const Active& head = static_cast<const Active&>(h);
            return head.test_animation(spit_animation) && head.get_frame() == 1 && get_flag(h, 14);
        },
        [](FrameObject* head) {
            as_active(head)->restore_animation();
            set_flag(head, 14, false);
        });
}

void Frames::event_func_2421()
{
    if (!fight_on(*this))
        return;
    ObjectList& movement = instances[types::PlayerMovementValues_80];
    ObjectList& others = instances[types::PlayerOthers_75];
    if (get_value(movement, 'R') != 0 || get_value(others, 'E') > 0 || get_value(others, 'B') == flame_shield)
        return;
    ObjectList& fireballs = instances[types::BossFireball_384];
    select_all(instances[types::PlayerCharacterSensor_151]);
    select_all(fireballs);
    if (!check_overlap(instances[types::PlayerCharacterSensor_151], fireballs))
        return;
    set_value(movement, 'R', 1);
    add_value(instances[types::GUILifeBaseMeter_77], 'B', get_value(**ObjectIterator(fireballs), 'A'));
}

void Frames::event_func_2422()
{
    const int geysers =
        instances[types::BossGeyserOverlap1_381].size() + instances[types::BossGeyserOverlap2_382].size();
    for_heads_in_geyser(
        *this, [](const FrameObject& h) { return get_value(h, 'F') >= 60 && get_value(h, 'A') <= 0; },
        [geysers](FrameObject* head) { set_value(head, 'G', randrange_event(2422, geysers)); });
}

void Frames::event_func_2423()
{
    for_heads_in_geyser(
        *this,
        [](const FrameObject& h) {
            return get_value(h, 'F') >= 60 && get_value(h, 'A') <= 0 && get_value(h, 'G') != get_value(h, 'E');
        },
        [](FrameObject* head) { set_value(head, 'B', placing); });
}
