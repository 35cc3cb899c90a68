// The pause menu: opening freezes the act (its events, samples, animations
// and movements) and closing thaws it; the panel slides in, the cursor moves
// over its items, and the item that cannot be chosen with one life or none
// left (the panel then shows frame 4 and the cursor steps over item 1); a
// restart or quit slides a fade card over the screen first.
#include "audio/media.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "runtime/manager.h"
#include "runtime/movement.h"

#include <algorithm>
#include <array>
#include <span>

namespace {

constexpr int hud_layer = 6;
constexpr int menu_opens_sample = 53;
constexpr int choice_sample = 49;
constexpr double restarting = 3;
constexpr double quitting = 4;
constexpr double card_covers = 50;

// What the menu stops on opening and starts again on closing, in the order
// of opening; the opening sample and the cursor have their places in it.
enum class Freeze { animation, movement, both, sample, cursor };
struct FreezeRow {
    int type;                               // or -1 for a group
    QualifierList Frames::*group = nullptr;  // an object group instead
    Freeze what = Freeze::animation;
    bool the_instance = false;  // the single instance, not every one
};

constexpr int no_type = -1;
constexpr FreezeRow every(int type, Freeze what = Freeze::animation) { return {type, nullptr, what}; }
constexpr FreezeRow single(int type) { return {type, nullptr, Freeze::animation, true}; }
constexpr FreezeRow group(QualifierList Frames::*members) { return {no_type, members}; }
constexpr FreezeRow step(Freeze what) { return {no_type, nullptr, what}; }

// qualifier_17: the enemies; 2: the platforms; 1: the solids; 3: both.
constexpr std::array freeze_rows = {
    group(&Frames::qualifier_17),
    single(types::PlayerSkinYelto_102),
    single(types::PlayerSkinYeltoHair_209),
    every(types::PlayerSkinOrrun_290),
    every(types::ShieldInstaShield_187),
    every(types::ShieldWood_103),
    every(types::ShieldEarth_315),
    every(types::ShieldFlameFront_104),
    every(types::ShieldFlameBack_152),
    every(types::ShieldMagnetic_105),
    every(types::ShieldWater_106),
    every(types::ObjectPetal_117),
    every(types::ObjectKeystone_278),
    every(types::ObjectCodec_279),
    every(types::ObjectPetal_117, Freeze::movement),
    every(types::ObjectCrystal_239, Freeze::both),
    every(types::EnemyPellet_261, Freeze::both),
    every(types::EffectsExplosion01_130),
    every(types::EffectsExplosion02_131),
    every(types::EffectsExplosion06_291),
    every(types::EffectsDust_310),
    every(types::EffectShade_309),
    every(types::ThunderSpark_192),
    every(types::EffectsWaterSplash_157),
    every(types::Sparkle1_178),
    every(types::Sparkle2_180),
    every(types::Sparkle3_181),
    every(types::Sparkle4_182),
    every(types::Sparkle5_183),
    every(types::RingSparkle_179),
    every(types::EffectsDebris_266, Freeze::both),
    step(Freeze::sample),
    every(types::EffectsShield_313, Freeze::movement),
    every(types::EffectsSpringBeam_319),
    group(&Frames::qualifier_2),
    group(&Frames::qualifier_1),
    group(&Frames::qualifier_3),
    step(Freeze::cursor),
    every(types::EffectsDust01_132, Freeze::both),
    every(types::PlayerSkinPimsa_324),
    every(types::PlayerSkinPimsaTail_323),
    every(types::LevelBackgroundPlane2_352),
    every(types::MinibossSkalvidTurret_306),
    every(types::PlayerSkinPimsaBike_338),
    every(types::PlayerSkinDorrik_339),
    every(types::PlayerSkinDorrikTail_342),
    every(types::MinibossSkalvidBase_305),
    every(types::PlayerSkinHespin_351),
    every(types::PlayerSkinHespinArm_350),
    every(types::EffectsCrystalBit_177, Freeze::both),
    single(types::PlayerReflect_343),
    every(types::GeneralWater_156),
    single(types::ObjectJumppad_325),
    every(types::ObjectCodecID_280, Freeze::movement),
    every(types::ObjectExtraLife_289, Freeze::both),
    every(types::MonitorBroken_118),
    every(types::EffectsWhiteBurst_31),
    every(types::EffectsHeart_314),
    single(types::GUIEnergy_76),
};

// Closing thaws in the same order but for two places: the earth shield after
// the water one, and the solids before the platforms.
constexpr std::array<FreezeRow, freeze_rows.size()> thaw_order()
{
    std::array<FreezeRow, freeze_rows.size()> rows = freeze_rows;
    std::rotate(rows.begin() + 6, rows.begin() + 7, rows.begin() + 11);
    std::swap(rows[34], rows[35]);
    return rows;
}
constexpr std::array thaw_rows = thaw_order();
static_assert(thaw_rows[10].type == types::ShieldEarth_315 && thaw_rows[34].group == &Frames::qualifier_1);

void freeze(FrameObject* object, Freeze what, bool stop)
{
    // Not every member of a group is animated (counters only move).
    if (what != Freeze::movement)
        if (Active* active = dynamic_cast<Active*>(object))
            stop ? active->stop_animation() : active->start_animation();
    if (what == Freeze::movement || what == Freeze::both)
        stop ? object->get_movement()->stop(false) : object->get_movement()->start();
}

void freeze_all(Frames& frames, std::span<const FreezeRow> rows, bool stop)
{
    for (const FreezeRow& row : rows) {
        const auto apply = [&](FrameObject* object) { freeze(object, row.what, stop); };
        if (row.what == Freeze::sample) {
            if (stop)
                media.play_id(menu_opens_sample, -1, 1);
        } else if (row.what == Freeze::cursor) {
            for_each_instance(frames.instances[types::Crystal_321],
                              [stop](FrameObject* cursor) { cursor->set_visible(stop); });
        } else if (row.group) {
            for_each_instance(frames.*row.group, apply);
        } else if (row.the_instance) {
            if (FrameObject* object = instance_of(frames.instances[row.type]))
                apply(object);
        } else {
            for_each_instance(frames.instances[row.type], apply);
        }
    }
}

int shown_frame(FrameObject* object) { return static_cast<Active*>(object)->get_frame(); }

// Selects the panels that show `frame`.
bool panel_shows(Frames& frames, int frame)
{
    return select(frames.instances[types::GUIPause_109],
                  [frame](FrameObject* panel) { return shown_frame(panel) == frame; });
}

bool panel_value_is(Frames& frames, double a)
{
    return select(frames.instances[types::GUIPause_109],
                  [a](FrameObject* panel) { return get_value(*panel, 'A') == a; });
}

bool input_is_down(Frames& frames, char letter)
{
    return select(frames.instances[types::InputsP1_23],
                  [letter](FrameObject* input) { return get_value(*input, letter) == 1; });
}

template <class Test>
bool cursor_is(Frames& frames, Test test)
{
    return select(frames.instances[types::Crystal_321],
                  [&](FrameObject* cursor) { return test(get_value(*cursor, 'A')); });
}

// Moves the selected cursors by `step` items and puts each on its item's row
// below the panel's action point.
void move_cursor(Frames& frames, int step)
{
    ObjectList& panels = frames.instances[types::GUIPause_109];
    const FrameObject* panel = panels.has_selection() ? *ObjectIterator(panels) : &instance_or_default(panels);
    for_each_selected(frames.instances[types::Crystal_321], [&](FrameObject* cursor) {
        add_value(cursor, 'A', step);
        cursor->set_y(to_int(panel->get_action_y() + 24 * get_value(*cursor, 'A')));
    });
}

// Some fade card has been on for more than 50 ticks.
bool card_covers_screen(Frames& frames)
{
    return select(frames.instances[types::LevelCardFade2_32],
                  [](FrameObject* card) { return get_value(*card, 'F') > card_covers; });
}

void force_panel_frame(Frames& frames, int frame)
{
    for_each_selected(frames.instances[types::GUIPause_109],
                      [frame](FrameObject* panel) { static_cast<Active*>(panel)->force_frame(frame); });
}

}  // namespace

// Opening needs a closed panel and a player in neither of the states that
// lock the menu (flags 8 and 9).
void Frames::event_func_2161()
{
    if (!level_group_25 || !input_is_down(*this, 'P') || !panel_value_is(*this, 0))
        return;
    ObjectList& player = instances[types::Player_87];
    if (get_flag(player, 8) || get_flag(player, 9))
        return;
    for_each_selected(instances[types::GUIPause_109], [](FrameObject* panel) { panel->set_visible(true); });
    media.pause_samples();
    deactivate_group(level_group_43);
    for_each_selected(instances[types::GUIPause_109], [](FrameObject* panel) { set_value(panel, 'A', 5); });
    freeze_all(*this, freeze_rows, true);
}

// Closing by the pause control, or by confirming "continue" (item 0).
void Frames::event_func_2162()
{
    if (!level_group_25)
        return;
    const bool by_pause = input_is_down(*this, 'P') && panel_value_is(*this, 3);
    const bool by_continue = !by_pause && input_is_down(*this, 'M') && panel_value_is(*this, 3) &&
                             cursor_is(*this, [](double item) { return item == 0; });
    if (!by_pause && !by_continue)
        return;
    for_each_selected(instances[types::GUIPause_109], [](FrameObject* panel) { panel->set_visible(false); });
    media.resume_samples();
    for_each_selected(instances[types::GUIPause_109], [](FrameObject* panel) { set_value(panel, 'A', 2); });
    activate_group(level_group_43);
    freeze_all(*this, thaw_rows, false);
}

// The panel's slide counter runs down, stopping at 3 (open).
void Frames::event_func_2163()
{
    if (!level_group_25)
        return;
    if (!select(instances[types::GUIPause_109],
                [](FrameObject* panel) { return get_value(*panel, 'A') > 0 && get_value(*panel, 'A') != 3; }))
        return;
    for_each_selected(instances[types::GUIPause_109], [](FrameObject* panel) { add_value(panel, 'A', -1); });
}

void Frames::event_func_2164()
{
    if (!level_group_25 || !once(once_2164))
        return;
    for_each_instance(instances[types::GUIPause_109],
                      [](FrameObject* panel) { static_cast<Active*>(panel)->force_frame(3); });
}

void Frames::event_func_2165()
{
    if (!level_group_25 || !panel_value_is(*this, 3) || !input_is_down(*this, 'J') ||
        !cursor_is(*this, [](double item) { return item < 2; }))
        return;
    media.play_id(54, -1, 1);
    move_cursor(*this, 1);
}

void Frames::event_func_2166()
{
    if (!level_group_25 || !panel_value_is(*this, 3) || !input_is_down(*this, 'I') ||
        !cursor_is(*this, [](double item) { return item > 0 && item <= 2; }))
        return;
    media.play_id(54, -1, 1);
    move_cursor(*this, -1);
}

void Frames::event_func_2167()
{
    if (!level_group_25 || !panel_shows(*this, 3) || manager.lives > 1 || !run_once(run_once_2167, loop_count))
        return;
    force_panel_frame(*this, 4);
}

void Frames::event_func_2168()
{
    if (!level_group_25 || !panel_shows(*this, 4) || manager.lives <= 1 || !run_once(run_once_2168, loop_count))
        return;
    force_panel_frame(*this, 3);
}

// With frame 4 shown, item 1 is stepped over in both directions.
void Frames::event_func_2169()
{
    if (!level_group_25 || !input_is_down(*this, 'J') || !cursor_is(*this, [](double item) { return item == 1; }) ||
        !panel_shows(*this, 4))
        return;
    move_cursor(*this, 1);
}

void Frames::event_func_2170()
{
    if (!level_group_25 || !input_is_down(*this, 'I') || !cursor_is(*this, [](double item) { return item == 1; }) ||
        !panel_shows(*this, 4))
        return;
    move_cursor(*this, -1);
}

// Confirming restart or quit: the fade card and its soft edge start left of
// the view, scaled by global values 16 and 17.
void Frames::event_func_2171()
{
    if (!level_group_25 || !input_is_down(*this, 'M') || !panel_value_is(*this, 3) ||
        !cursor_is(*this, [](double item) { return item >= 1 && item <= 2; }))
        return;
    media.play_id(choice_sample, -1, 1);
    const double width = global_values->get(16);
    FrameObject* card =
        create_instance(*this, instances[types::LevelCardFade2_32], create_levelcardfade2_32(0, 0), hud_layer);
    if (card) {
        card->set_x(to_int(new_display_x - width - 120));
        card->set_y(new_display_y);
        static_cast<Active*>(card)->set_x_scale(float(width));
        static_cast<Active*>(card)->set_y_scale(float(global_values->get(17)));
    }
    create_instance(*this, instances[types::FadeEdge_73], create_fadeedge_73(0, 0), hud_layer);
    if (card)
        card->blend_color.a = 255;
    for_each_selected(instances[types::Crystal_321], [](FrameObject* cursor) { add_value(cursor, 'A', 2); });
}

// The card slides in 32 pixels a tick up to the view's left edge, counting
// its ticks; each edge rides on the right of its card.
void Frames::event_func_2172()
{
    if (!level_group_25 || !cursor_is(*this, [](double item) { return item >= restarting; }))
        return;
    ObjectList& cards = instances[types::LevelCardFade2_32];
    const int left = new_display_x;
    for_each_instance(cards, [left](FrameObject* card) {
        card->set_x(std::min(card->get_x() + 32, left));
        add_value(card, 'F', 1);
    });
    const double width = global_values->get(16);
    int k = 0;
    for_each_instance(instances[types::FadeEdge_73], [&](FrameObject* edge) {
        const FrameObject& card = paired_or_default(cards, k++);
        edge->set_x(to_int(card.get_x() + width + 120));
        edge->set_y(card.get_y());
    });
}

void Frames::event_func_2173()
{
    if (!level_group_25 || !cursor_is(*this, [](double item) { return item == restarting; }) ||
        !card_covers_screen(*this))
        return;
    run_loop(fast_loop_restart, 1, &Frames::loop_restart_4);
}

void Frames::event_func_2174()
{
    if (!level_group_25 || !cursor_is(*this, [](double item) { return item == quitting; }) ||
        !card_covers_screen(*this))
        return;
    run_loop(fast_loop_return, 1, &Frames::loop_return_0);
}
