// A collected keystone fills Hespin's weapon slots, is counted in the
// options and spins away in a burst of sparkles; the colour dots circle the
// player; codecs idle, are collected into the records, rise above the
// player twinkling, show their number when new, and go.
#include "audio/media.h"
#include "game/events/items/pickups.h"
#include "game/events/shared/records.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "objects/arrayext.h"
#include "objects/counter.h"
#include "runtime/movement.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int weapon_kind_with_single_ammo = 5;
constexpr unsigned keystone_sample = 35;
constexpr unsigned keystone_gone_sample = 44;
constexpr unsigned codec_sample = 29;
constexpr int codec_record_column = 20;

ArrayObject* options(Frames& f) { return static_cast<ArrayObject*>(instance_of(f.instances[types::SaveData_10])); }

int option(Frames& f, int y)
{
    ArrayObject* array = options(f);
    return array ? array->get_value(1, y, -1) : 0;
}

void set_option(Frames& f, int y, int value)
{
    if (ArrayObject* array = options(f))
        array->set_value(value, 1, y, -1);
}

// Keystones collected this tick.
bool select_collected(Frames& f, bool (*test)(Frames&, FrameObject*))
{
    return select(f.instances[types::ObjectKeystone_278],
                  [&f, test](FrameObject* k) { return get_value(*k, 'E') == 1 && test(f, k); });
}

// Adds to Hespin's ammunition slots G, H, I `times` the amount one keystone
// gives each (J, K, L); a slot given as 0 gets nothing.
void add_ammo(Frames& f, double g, double h, double i)
{
    for_each_instance(f.instances[types::PlayerSkinHespinArm_350], [=](FrameObject* arm) {
        add_value(arm, 'G', to_int(g * get_value(*arm, 'J')));
        add_value(arm, 'H', to_int(h * get_value(*arm, 'K')));
        add_value(arm, 'I', to_int(i * get_value(*arm, 'L')));
    });
}

bool records_hold(Frames& f, const FrameObject& codec)
{
    return records_cell(f, codec_record_column, to_int(get_value(codec, 'A'))) > 0;
}

bool rising(FrameObject* codec) { return get_value(*codec, 'E') > 0; }

}  // namespace

void Frames::event_func_1608()
{
    if (level_group_43 && select_collected(*this, [](Frames&, FrameObject* k) {
            return k->test_directions(1u << weapon_kind_with_single_ammo);
        }))
        add_ammo(*this, 1, 1, 1);
}

void Frames::event_func_1609()
{
    if (level_group_43 && select_collected(*this, [](Frames&, FrameObject* k) {
            return !k->test_directions(1u << weapon_kind_with_single_ammo);
        }))
        add_ammo(*this, 2, 2, 2);
}

void Frames::event_func_1610()
{
    if (level_group_43 &&
        select_collected(*this, [](Frames& f, FrameObject* k) { return k->test_direction(option(f, 26)); }))
        add_ammo(*this, 1, 0, 0);
}

void Frames::event_func_1611()
{
    if (level_group_43 &&
        select_collected(*this, [](Frames& f, FrameObject* k) { return k->test_direction(option(f, 28)); }))
        add_ammo(*this, 0, 1, 0);
}

void Frames::event_func_1612()
{
    if (level_group_43 &&
        select_collected(*this, [](Frames& f, FrameObject* k) { return k->test_direction(option(f, 30)); }))
        add_ammo(*this, 0, 0, 1);
}

// The keystone counts: energy, the stage's tally, the options' count of its
// kind and the last kind taken, and one crystal fewer to the next life.
void Frames::event_func_1613()
{
    if (!level_group_43 || !select_collected(*this, [](Frames&, FrameObject*) { return true; }))
        return;
    ObjectList& keystones = instances[types::ObjectKeystone_278];
    ObjectList& energy = instances[types::GUIEnergy_76];
    add_value(energy, 'A', 10);
    add_value(instances[types::MasterLevel_53], 'O', 1);
    for_each_selected(keystones, [](FrameObject* k) {
        add_value(k, 'E', 1);
        static_cast<Active*>(k)->force_animation(7);
    });
    FrameObject* first = keystones.back_selection();
    const int kind = first ? first->get_direction() : 0;
    set_option(*this, 15 + kind, option(*this, 15 + kind) + 1);
    if (first)
        set_value(instances[types::GUIScoreTimeRings_107], 'K', double(first->get_fixed()));
    set_flag(energy, 1, true);
    set_option(*this, 11, kind + 1);
    for_each_instance(instances[types::PlayerSkinHespin_351], [](FrameObject* skin) { set_value(skin, 'J', 1); });
    for_each_selected(keystones, [](FrameObject* k) { set_value(k, 'G', 0); });
    if (Counter* crystals = static_cast<Counter*>(instance_of(instances[types::GUICrystal_78])))
        crystals->subtract(1);
    media.stop_sample(keystone_sample);
    media.play_id(keystone_sample, -1, 1);
}

// The colour dots circle a point 8 pixels from the player, turned by its
// angle, ever faster; the circle opens, closes and holds at 20 pixels.
void Frames::event_func_1614()
{
    if (!level_group_43)
        return;
    const FrameObject& player = instance_or_default(instances[types::Player_87]);
    const double turn = get_value(instances[types::PlayerMovementValues_80], 'O');
    for_each_instance(instances[types::EffectsColorDot_317], [&](FrameObject* dot) {
        const double angle = get_value(*dot, 'A'), radius = get_value(*dot, 'B'), rate = get_value(*dot, 'C');
        dot->set_x(to_int(player.get_x() + event_cos(angle) * radius - event_sin(turn) * 8));
        dot->set_y(to_int(player.get_y() + event_sin(angle) * radius - event_cos(turn) * 8));
        set_value(dot, 'A', angle + std::max(2 * std::fabs(rate), 3.0) + std::max(3 * rate, 0.0));
        set_value(dot, 'B', radius + std::min(-rate, 4.0));
        set_value(dot, 'C', std::min(rate + 0.1, 4.0));
    });
}

void Frames::event_func_1615()
{
    if (!level_group_43)
        return;
    ObjectList& dots = instances[types::EffectsColorDot_317];
    if (select(dots, [](FrameObject* d) { return get_value(*d, 'C') > 2 && get_value(*d, 'B') < 20; }))
        for_each_selected(dots, [](FrameObject* d) { set_value(d, 'B', 20); });
}

void Frames::event_func_1616()
{
    if (!level_group_43)
        return;
    ObjectList& keystones = instances[types::ObjectKeystone_278];
    if (select(keystones, [](FrameObject* k) { return get_value(*k, 'E') > 1; }))
        for_each_selected(keystones, [](FrameObject* k) {
            k->set_angle(to_int(get_value(*k, 'E') * -2), 0);
            add_value(k, 'E', 15);
        });
}

void Frames::event_func_1617()
{
    if (!level_group_43)
        return;
    ObjectList& keystones = instances[types::ObjectKeystone_278];
    if (!select(keystones, [](FrameObject* k) { return get_value(*k, 'E') > 360; }))
        return;
    for_each_selected(keystones, [](FrameObject* k) { k->destroy(); });
    pickups::scatter_sparkles(*this, keystones, 3, 1617, 12, 25);
    media.play_id(keystone_gone_sample, -1, 1);
}

// A rising codec twinkles whenever its timer passes 10.
void Frames::event_func_1618()
{
    if (!level_group_43)
        return;
    ObjectList& codecs = instances[types::ObjectCodec_279];
    if (!select(codecs, [](FrameObject* c) { return get_value(*c, 'F') > 10; }))
        return;
    for_each_selected(codecs, [](FrameObject* c) { set_value(c, 'F', -randrange_event(1618, 60)); });
    pickups::sparkle_near(*this, codecs, 1618);
}

void Frames::event_func_1619()
{
    if (!level_group_43)
        return;
    ObjectList& codecs = instances[types::ObjectCodec_279];
    const int frame = to_int(std::fmod(frame_time * 1000 / 80, 10));
    if (select(codecs, [](FrameObject* c) { return get_value(*c, 'E') == 0; }))
        for_each_selected(codecs, [frame](FrameObject* c) { static_cast<Active*>(c)->force_frame(frame); });
}

// The player touches a codec: sparkles, its sound, and the records keep it.
void Frames::event_func_1620()
{
    if (!level_group_43)
        return;
    const double mode = pickups::movement_mode(*this);
    if (mode == 8 || mode == 9)
        return;
    ObjectList& codecs = instances[types::ObjectCodec_279];
    if (!select(codecs, [this](FrameObject* c) { return pickups::at_player(*this, *c, 32) && get_value(*c, 'E') == 0; }))
        return;
    pickups::scatter_sparkles(*this, codecs, 3, 1620, 16, 16);
    for_each_selected(codecs, [](FrameObject* c) { set_value(c, 'E', 1); });
    media.play_id(codec_sample, -1, 1);
    set_flag(instances[types::PlayerCharacterSensor_151], 0, true);
    const FrameObject* first = codecs.back_selection();
    ArrayObject* records = records_array(*this);
    const int number = first ? to_int(get_value(*first, 'A')) : 0;
    // A codec without a number has no cell of its own: -1 would write the
    // array's current cell.
    if (number > 0 && records) {
        records->set_value(std::max(records->get_value(codec_record_column, number, -1), 1), codec_record_column,
                           number, -1);
    }
}

// A collected codec rises above the player, 40 pixels and half a pixel a tick.
void Frames::event_func_1621()
{
    if (!level_group_43)
        return;
    ObjectList& codecs = instances[types::ObjectCodec_279];
    if (!select(codecs, rising))
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    const double x = get_value(values, 'X'), y = get_value(values, 'Y');
    for_each_selected(codecs, [x, y](FrameObject* c) {
        static_cast<Active*>(c)->force_frame(to_int(std::fmod(get_value(*c, 'E'), 10)));
        add_value(c, 'E', 1);
        add_value(c, 'F', 10);
        c->set_x(to_int(x));
        c->set_y(to_int(y - 40 - 0.5 * get_value(*c, 'E')));
    });
}

// Codecs found in an earlier game show half transparent (the first one in
// view decides for all of them).
void Frames::event_func_1622()
{
    if (!level_group_43)
        return;
    ObjectList& codecs = instances[types::ObjectCodec_279];
    if (!select(codecs, [](FrameObject* c) {
            return !c->is_near_border(-50) && get_value(*c, 'E') == 0 && get_value(*c, 'A') > 0;
        }))
        return;
    const FrameObject* first = codecs.back_selection();
    if (!first || !records_hold(*this, *first))
        return;
    for_each_selected(codecs, [](FrameObject* c) {
        c->blend_color.a = 128;
        set_flag(c, 1, true);
    });
}

// A new codec's number floats up above the player.
void Frames::event_func_1623()
{
    if (!level_group_43)
        return;
    ObjectList& codecs = instances[types::ObjectCodec_279];
    if (!select(codecs, [](FrameObject* c) { return get_value(*c, 'E') == 2 && !get_flag(*c, 1); }) ||
        !run_once(run_once_1623, loop_count))
        return;
    FrameObject* number =
        create_at_each(*this, codecs, instances[types::ObjectCodecID_280], create_objectcodecid_280, -3, 0);
    const FrameObject* codec = codecs.back_selection();
    if (number && codec)
        static_cast<Counter*>(number)->set(get_value(*codec, 'A'));
}

void Frames::event_func_1624()
{
    if (!level_group_43)
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    const double x = get_value(values, 'X'), y = get_value(values, 'Y');
    for_each_instance(instances[types::ObjectCodecID_280], [x, y](FrameObject* number) {
        number->set_x(to_int(x + 10));
        number->set_y(to_int(y - 40));
    });
}

void Frames::event_func_1625()
{
    if (!level_group_43)
        return;
    ObjectList& numbers = instances[types::ObjectCodecID_280];
    if (select(numbers, [](FrameObject* n) { return n->get_movement()->get_speed() < 5; }))
        for_each_selected(numbers, [](FrameObject* n) { n->get_movement()->set_deceleration(7); });
}

void Frames::event_func_1626()
{
    if (!level_group_43)
        return;
    ObjectList& numbers = instances[types::ObjectCodecID_280];
    if (select(numbers, [](FrameObject* n) { return n->get_movement()->get_speed() == 0; }))
        for_each_selected(numbers, [](FrameObject* n) { n->destroy(); });
}

void Frames::event_func_1627()
{
    if (!level_group_43)
        return;
    ObjectList& codecs = instances[types::ObjectCodec_279];
    if (!select(codecs, [](FrameObject* c) { return get_value(*c, 'E') > 80; }))
        return;
    for_each_selected(codecs, [](FrameObject* c) { c->destroy(); });
    pickups::scatter_sparkles(*this, codecs, 3, 1627, 16, 16);
}
