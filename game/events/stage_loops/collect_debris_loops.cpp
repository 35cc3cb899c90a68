// The collect loop, which takes one petal, one crystal for the player, one
// for an enemy and one keystone a pass until a pass takes nothing; the
// debris a bike or a Pokkol breaks into; the colour dots thrown from the
// player; and Hespin's three ammo counters on the HUD.
#include "audio/media.h"
#include "game/events/stage_loops/debris.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "objects/arrayext.h"
#include "objects/counter.h"
#include "runtime/collision.h"
#include "runtime/movement.h"

#include <algorithm>

namespace {

constexpr unsigned petal_sample = 33;
constexpr int hud_layer = 6;
constexpr int dot_layer = 4;

// Within the player's pick-up box: 20 pixels either side and below, `above`
// pixels above, every bound strict.
bool at_player(const FrameObject& player, const FrameObject& item, int above)
{
    const int px = player.get_x(), py = player.get_y(), x = item.get_x(), y = item.get_y();
    return px - 20 < x && x < px + 20 && py - above < y && y < py + 20;
}

// Something was taken on this pass: the loop goes round again.
void mark_taken(Frames& frames)
{
    for_each_instance(frames.instances[types::PlayerCharacterSensor_151],
                      [](FrameObject* sensor) { set_flag(sensor, 0, true); });
}

}  // namespace

void break_off_debris(Frames& frames, ObjectList& sources, char count, double frame_base, int event)
{
    if (!select(sources, [count](FrameObject* s) { return get_value(*s, count) < -1; }))
        return;
    FrameObject* debris =
        create_at_each(frames, sources, frames.instances[types::EffectsDebris_266], create_effectsdebris_266);
    if (debris) {
        debris->get_movement()->set_speed(50 + randrange_event(event, 30));
        const FrameObject* first = sources.back_selection();
        static_cast<Active*>(debris)->force_frame(to_int(frame_base - get_value(*first, count)));
    }
    for_each_selected(sources, [count](FrameObject* s) { add_value(s, count, 1); });
}

// A petal at the player flies off to the petal counter on the HUD.
void Frames::event_func_330()
{
    if (!level_group_43)
        return;
    const FrameObject& player = instance_or_default(instances[types::Player_87]);
    ObjectList& petals = instances[types::ObjectPetal_117];
    auto free_here = [&](FrameObject* p) {
        return at_player(player, *p, 32) && !get_flag(*p, 0) && get_value(*p, 'A') == 0;
    };
    if (!select(petals, free_here))
        return;
    FrameObject* petal = pick_random_instance(330, petals);
    if (!petal)
        return;
    mark_taken(*this);
    media.play_id(petal_sample, -1, 1);
    set_value(petal, 'A', 3);
    petal->set_layer(hud_layer);
    const FrameObject& counter = instance_or_default(instances[types::GUIRings_74]);
    set_value(petal, 'I', std::min(0.03 * (counter.get_x() - petal->get_x()), -1.0));
    set_value(petal, 'J', std::min(0.03 * (counter.get_y() - petal->get_y()), -1.0));
}

// A crystal at the player: energy, the act's count and the crystals still
// to find; a wood shield feels it too.
void Frames::event_func_331()
{
    if (!level_group_43)
        return;
    const FrameObject& player = instance_or_default(instances[types::Player_87]);
    ObjectList& crystals = instances[types::ObjectCrystal_239];
    auto free_here = [&](FrameObject* c) {
        return at_player(player, *c, 40) && !get_flag(*c, 0) && get_value(*c, 'F') == 0;
    };
    if (!select(crystals, free_here))
        return;
    FrameObject* crystal = pick_random_instance(331, crystals);
    if (!crystal)
        return;
    set_value(crystal, 'F', 1);
    mark_taken(*this);
    for_each_instance(instances[types::GUIEnergy_76], [](FrameObject* energy) {
        set_value(energy, 'A', std::min(get_value(*energy, 'A') + 5, 100.0));
        set_flag(energy, 1, true);
    });
    for_each_instance(instances[types::MasterLevel_53],
                      [](FrameObject* level) { add_value(level, 'J', 1); });
    for_each_instance(instances[types::GUICrystal_78],
                      [](FrameObject* left) { static_cast<Counter*>(left)->subtract(1.0); });
    for_each_instance(instances[types::ShieldWood_103],
                      [](FrameObject* shield) { add_value(shield, 'A', 1); });
}

// An enemy free to take it (flag 6 off) takes a crystal it touches.
void Frames::event_func_332()
{
    if (!level_group_43)
        return;
    ObjectList& crystals = instances[types::ObjectCrystal_239];
    select_all(crystals);
    select_all(qualifier_17);
    if (!check_overlap(crystals, qualifier_17))
        return;
    if (!filter(qualifier_17, [](FrameObject* enemy) { return !get_flag(*enemy, 6); }))
        return;
    if (!filter(crystals, [](FrameObject* c) { return !get_flag(*c, 0) && get_value(*c, 'F') == 0; }))
        return;
    FrameObject* crystal = pick_random_instance(332, crystals);
    if (!crystal)
        return;
    set_value(crystal, 'F', 1);
    mark_taken(*this);
    for_each_selected(qualifier_17, [](FrameObject* enemy) { add_value(enemy, 'S', 1); });
}

// A keystone at the player sparkles and is taken.
void Frames::event_func_333()
{
    if (!level_group_43)
        return;
    const FrameObject& player = instance_or_default(instances[types::Player_87]);
    ObjectList& keystones = instances[types::ObjectKeystone_278];
    auto free_here = [&](FrameObject* k) {
        return at_player(player, *k, 32) && !get_flag(*k, 0) && get_value(*k, 'B') == 0 && get_value(*k, 'E') == 0;
    };
    if (!select(keystones, free_here))
        return;
    if (!pick_random_instance(333, keystones))
        return;
    create_at_each(*this, keystones, instances[types::RingSparkle_179], create_ringsparkle_179);
    for_each_selected(keystones, [](FrameObject* k) { set_value(k, 'E', 1); });
    mark_taken(*this);
}

// One pass of each taker, then the stop test: a pass that took nothing ends
// the loop, and the sensor's mark is cleared for the next pass.
void Frames::loop_collect_item_4()
{
    event_func_330();
    event_func_331();
    event_func_332();
    event_func_333();
    ObjectList& sensor = instances[types::PlayerCharacterSensor_151];
    if (level_group_43 && select(sensor, [](FrameObject* s) { return !get_flag(*s, 0); }))
        fast_loop_collect_item.running = false;
    if (level_group_43)
        for_each_instance(sensor, [](FrameObject* s) { set_flag(s, 0, false); });
}

void Frames::event_func_322()
{
    if (level_group_43 && level_group_23 && level_group_69)
        break_off_debris(*this, instances[types::ObjectBike_340], 'B', 45, 322);
}

void Frames::event_func_323()
{
    if (level_group_43 && level_group_23 && level_group_62)
        break_off_debris(*this, instances[types::ObjectBike_340], 'B', 45, 323);
}

void Frames::event_func_324()
{
    if (level_group_43 && level_group_23 && level_group_73)
        break_off_debris(*this, instances[types::ObjectBike_340], 'B', 45, 324);
}

void Frames::event_func_325()
{
    if (level_group_43)
        break_off_debris(*this, instances[types::EnemyPokkol_138], 'A', 0, 325);
}

void Frames::loop_spawndebris_4()
{
    event_func_322();
    event_func_323();
    event_func_324();
    event_func_325();
}

// Four colour dots a quarter turn apart, each heading the way the saved
// colour setting of its slot says.
void Frames::event_func_363()
{
    if (!level_group_43)
        return;
    const int pass = fast_loop_color_dots.index;
    ObjectList& player = instances[types::Player_87];
    select_all(player);
    FrameObject* dot = create_at_each(*this, player, instances[types::EffectsColorDot_317], create_effectscolordot_317);
    if (!dot)
        return;
    set_value(dot, 'A', 90 * pass);
    auto* save = static_cast<ArrayObject*>(instance_of(instances[types::SaveData_10]));
    dot->set_direction((save ? save->get_value(1, pass + 10, -1) : 0) - 1, true);
    dot->set_layer(dot_layer);
}

void Frames::loop_color_dots_4() { event_func_363(); }

// Hespin's ammo counters: slot i, 56 pixels apart, right of the HUD icon.
void Frames::event_func_347()
{
    if (!level_group_43 || !level_group_23 || !level_group_61 || !level_group_22)
        return;
    const int pass = fast_loop_ammo.index;
    ObjectList& icon = instances[types::GUIIcon_108];
    select_all(icon);
    FrameObject* counter = create_at_each(*this, icon, instances[types::GUIAmmo_355], create_guiammo_355, 200, 24);
    if (!counter)
        return;
    counter->set_direction(pass, true);
    counter->set_x(counter->get_x() + 56 * pass);
}

void Frames::loop_ammo_4() { event_func_347(); }
