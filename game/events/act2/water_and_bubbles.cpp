// Act 2's water: the bobbing water line and the strips that follow the view,
// the air countdown digits above the player, the bubble patch's two release
// rhythms, the player's breath bubbles, and the bubbles' rise and end at the
// water line.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "game/objects/type_ids.h"
#include "objects/active.h"
#include "runtime/collision.h"

#include <algorithm>

namespace {

Active* as_active(FrameObject* object) { return static_cast<Active*>(object); }

int step_counter(const Frames& f) { return to_int(f.global_values->get(3)); }

ObjectList& level(Frames& f) { return f.instances[types::MasterLevel_53]; }

bool water_runs(Frames& f) { return get_value(level(f), 'A') == 1; }

double water_line(Frames& f) { return get_value(level(f), 'B'); }

double air(Frames& f) { return get_value(f.instances[types::PlayerOthers_75], 'J'); }

ObjectList& digits(Frames& f) { return f.instances[types::BubbleNumbers_185]; }

ObjectList& bubbles(Frames& f) { return f.instances[types::MediumBubble_363]; }

// The countdown shows one digit per even air value from 20 to 30.
void show_digit(Frames& f, double at_air, int direction)
{
    if (!f.level_group_43 || air(f) != at_air)
        return;
    for_each_instance(digits(f), [direction](FrameObject* digit) {
        as_active(digit)->force_animation(0);
        digit->set_direction(direction, true);
    });
}

// A rising bubble 8 pixels above the patch, scattered 8 pixels either way,
// rising 1 to 2 pixels a tick.
FrameObject* release_bubble(Frames& f, int event)
{
    ObjectList& patches = f.instances[types::BubblePatch_362];
    FrameObject* bubble = create_at_each(f, patches, bubbles(f), create_mediumbubble_363, 0, -8);
    bubble->set_x(bubble->get_x() - 8 + randrange_event(event, 17));
    set_value(bubble, 'D', (-10 - randrange_event(event, 11)) * 0.1);
    return bubble;
}

bool patch_count_over(Frames& f, char name, double count)
{
    return select(f.instances[types::BubblePatch_362],
                  [name, count](FrameObject* patch) { return get_value(*patch, name) > count; });
}

bool started(const FrameObject& bubble) { return get_flag(bubble, 2); }

}  // namespace

void Frames::event_func_2454()
{
    if (!level_group_43 || !water_runs(*this))
        return;
    set_value(level(*this), 'C', water_line(*this) + 3 * event_cos(1.5 * step_counter(*this)));
}

void Frames::event_func_2455()
{
    if (!level_group_43 || !water_runs(*this))
        return;
    const double line = get_value(level(*this), 'C');
    for_each_instance(instances[types::GeneralWaterHorizon_155], [&](FrameObject* strip) {
        strip->set_x(new_display_x / 64 * 64);
        strip->set_y(to_int(line));
    });
    for_each_instance(instances[types::GeneralWater_156], [&](FrameObject* strip) {
        strip->set_x(new_display_x);
        strip->set_y(to_int(std::max(double(new_display_y), line)));
    });
}

// Little air used: the digits wait off screen.
void Frames::event_func_2456()
{
    if (!level_group_43 || !(air(*this) < 20))
        return;
    for_each_instance(digits(*this), [](FrameObject* digit) { digit->set_global_position(-466, 85); });
}

void Frames::event_func_2457()
{
    if (!level_group_43 || !(air(*this) >= 20))
        return;
    FrameObject& player = instance_or_default(instances[types::Player_87]);
    ObjectList& shown = digits(*this);
    for_each_instance(shown, [&player](FrameObject* digit) {
        digit->set_global_position(player.get_x(), player.get_y() - 40);
    });
    ObjectIterator first(shown);
    if (!first.done() && instance_of(instances[types::Player_87]))
        (*first)->move_front(&player);
}

void Frames::event_func_2458() { show_digit(*this, 20, 5); }
void Frames::event_func_2459() { show_digit(*this, 22, 4); }
void Frames::event_func_2460() { show_digit(*this, 24, 3); }
void Frames::event_func_2461() { show_digit(*this, 26, 2); }
void Frames::event_func_2462() { show_digit(*this, 28, 1); }
void Frames::event_func_2463() { show_digit(*this, 30, 0); }

// The countdown is over: the player drowns.
void Frames::event_func_2464()
{
    if (level_group_43 && air(*this) >= 32)
        for_each_instance(digits(*this), [](FrameObject* digit) { digit->destroy(); });
}

void Frames::event_func_2465()
{
    if (!level_group_43)
        return;
    for_each_instance(instances[types::BubblePatch_362], [](FrameObject* patch) {
        add_value(patch, 'A', 1);
        add_value(patch, 'B', 1);
    });
}

void Frames::event_func_2466()
{
    if (!level_group_43 || !patch_count_over(*this, 'A', 15))
        return;
    for_each_selected(instances[types::BubblePatch_362], [](FrameObject* patch) { set_value(patch, 'A', 0); });
    release_bubble(*this, 2466);
}

// The slow rhythm releases bubbles of a random size.
void Frames::event_func_2467()
{
    if (!level_group_43 || !patch_count_over(*this, 'B', 50))
        return;
    for_each_selected(instances[types::BubblePatch_362], [](FrameObject* patch) { set_value(patch, 'B', 0); });
    FrameObject* bubble = release_bubble(*this, 2467);
    set_value(bubble, 'E', randrange_event(2467, 3) + 1);
}

// The patch closes again once the player has left it.
void Frames::event_func_2468()
{
    ObjectList& patches = instances[types::BubblePatch_362];
    if (!level_group_43 || !select(patches, [](FrameObject* patch) { return as_active(patch)->test_animation(7); }))
        return;
    select_all(instances[types::PlayerCharacterSensor_151]);
    if (check_not_overlap(patches, instances[types::PlayerCharacterSensor_151]))
        for_each_selected(patches, [](FrameObject* patch) { as_active(patch)->force_animation(8); });
}

void Frames::event_func_2469()
{
    if (!level_group_43)
        return;
    const double line = water_line(*this);
    if (!select(instances[types::Player_87], [line](FrameObject* player) { return player->get_y() > line; }) ||
        step_counter(*this) % 48 != 0)
        return;
    for_each_selected(instances[types::Player_87],
                      [](FrameObject* player) { set_value(player, 'H', randrange_event(2469, 2)); });
}

void Frames::event_func_2470()
{
    if (!level_group_43)
        return;
    const double line = water_line(*this);
    if (select(instances[types::Player_87],
               [line](FrameObject* player) { return player->get_y() <= line && get_value(*player, 'H') == 1; }))
        for_each_selected(instances[types::Player_87], [](FrameObject* player) { set_value(player, 'H', 0); });
}

// A breath bubble under water, or bubbles from Yelto's skin while he
// spins (mode 10); each alternative keeps only what it selected.
void Frames::event_func_2471()
{
    if (!level_group_43)
        return;
    const double line = water_line(*this);
    ObjectList& players = instances[types::Player_87];
    ObjectList& movement = instances[types::PlayerMovementValues_80];
    ObjectList& skins = instances[types::PlayerSkinYelto_102];
    const bool breath =
        select(players, [line](FrameObject* p) { return p->get_y() > line && get_value(*p, 'H') == 1; }) &&
        select(movement, [](FrameObject* m) { return get_value(*m, 'M') != 9 && get_value(*m, 'M') != 10; });
    FrameObject* breather = breath ? *ObjectIterator(movement) : nullptr;
    const bool spin = select(movement, [](FrameObject* m) { return get_value(*m, 'M') == 10; }) &&
                      select(skins, [](FrameObject* s) { return as_active(s)->get_frame() >= 4; }) &&
                      step_counter(*this) % 5 == 0;
    if (!breath && !spin)
        return;
    FrameObject* first_movement = breath ? breather : *ObjectIterator(movement);
    const double facing = get_value(*first_movement, 'Q');
    if (!spin)
        filter(skins, [](FrameObject*) { return false; });
    FrameObject* bubble = create_at_each(*this, skins, bubbles(*this), create_mediumbubble_363, 0, -15);
    bubble->set_x(to_int(bubble->get_x() - 2 + 4 * facing + randrange_event(2471, 5)));
    if (!breath)
        return;
    for_each_selected(players, [](FrameObject* player) { set_value(player, 'H', 0); });
}

void Frames::event_func_2472()
{
    if (!level_group_43 || !select(bubbles(*this), [](FrameObject* b) { return !started(*b); }))
        return;
    for_each_selected(bubbles(*this), [](FrameObject* bubble) {
        set_flag(bubble, 2, true);
        set_value(bubble, 'A', bubble->get_x());
        set_value(bubble, 'B', bubble->get_y());
        as_active(bubble)->force_frame(to_int(get_value(*bubble, 'E')));
    });
}

void Frames::event_func_2473()
{
    if (!level_group_43 || !select(bubbles(*this), [](FrameObject* b) { return started(*b); }))
        return;
    for_each_selected(bubbles(*this), [](FrameObject* bubble) {
        add_value(bubble, 'A', get_value(*bubble, 'C'));
        add_value(bubble, 'B', get_value(*bubble, 'D'));
        add_value(bubble, 'F', 1);
        bubble->set_x(to_int(get_value(*bubble, 'A')));
        bubble->set_y(to_int(get_value(*bubble, 'B')));
    });
}

// The sideways drift dies away.
void Frames::event_func_2474()
{
    if (level_group_43 && select(bubbles(*this), [](FrameObject* b) { return started(*b) && get_value(*b, 'C') < 0; }))
        for_each_selected(bubbles(*this), [](FrameObject* bubble) { add_value(bubble, 'C', 0.001); });
}

void Frames::event_func_2475()
{
    if (level_group_43 && select(bubbles(*this), [](FrameObject* b) { return started(*b) && get_value(*b, 'C') > 0; }))
        for_each_selected(bubbles(*this), [](FrameObject* bubble) { add_value(bubble, 'C', -0.001); });
}

// Risen above the water line: the bubble breaks.
void Frames::event_func_2476()
{
    if (!level_group_43)
        return;
    const double line = water_line(*this);
    if (select(bubbles(*this), [line](FrameObject* b) { return started(*b) && get_value(*b, 'B') < line; }))
        for_each_selected(bubbles(*this), [](FrameObject* bubble) { bubble->destroy(); });
}
