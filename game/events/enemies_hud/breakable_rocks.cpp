// Breakable rocks: solid unless the player rolls, spins or rides the bike
// fast into them; an attack with the player's big sensors, the insta-shield,
// the reflect hitbox, a thunder spark or an item box's rising icon breaks
// them into four pieces that fly off, spin and fall out of sight.
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

constexpr int pass_through = 0, broken = 6;  // the rock's flags
constexpr double mode_spin_low = 5, mode_tunnel = 6, mode_insta_shield = 26;
constexpr double bike = 3, bike_pass_speed = 5;
constexpr double attack_cool_down = 5;
constexpr double reflect_launched = 3;
constexpr int reflect_animation = 5, icon_breaking_frame = 9;
constexpr double piece_gravity = 0.3;
constexpr int pieces_fall_out_below = 320;
constexpr unsigned break_sample = 13;
constexpr int piece_offsets[4][2] = {{10, 10}, {30, 10}, {10, 30}, {30, 30}};

ObjectList& rocks(Frames& frames) { return frames.instances[types::BreakableRock_282]; }
ObjectList& movement(Frames& frames) { return frames.instances[types::PlayerMovementValues_80]; }
ObjectList& others(Frames& frames) { return frames.instances[types::PlayerOthers_75]; }

// The rocks kept by the true blocks of an event's alternatives, each once,
// in the order the blocks kept them.
using Rocks = std::vector<FrameObject*>;

void keep_selected_rocks(Frames& frames, Rocks& kept)
{
    for_each_selected(rocks(frames), [&kept](FrameObject* rock) {
        if (std::find(kept.begin(), kept.end(), rock) == kept.end())
            kept.push_back(rock);
    });
}

// A block "breaker overlaps a rock, and of the breakers that do, some pass
// `test`": it keeps every rock a breaker touches.
template <class Test>
bool breaker_block(Frames& frames, int breaker_type, Test test, Rocks& kept)
{
    ObjectList& breakers = frames.instances[breaker_type];
    select_all(breakers);
    select_all(rocks(frames));
    if (!check_overlap(breakers, rocks(frames)) || !filter(breakers, test))
        return false;
    keep_selected_rocks(frames, kept);
    return true;
}

bool any_breaker(FrameObject*) { return true; }

// An attack with a big sensor, ready after the last hit's cool-down.
bool sensor_block(Frames& frames, int sensor_type, Rocks& kept)
{
    if (get_value(movement(frames), 'Z') != 1 || !(get_value(others(frames), 'K') <= 0))
        return false;
    return breaker_block(frames, sensor_type, any_breaker, kept);
}

double clamp_launch(double speed) { return std::clamp(speed, -10.0, 10.0); }

void launch_and_break(FrameObject* rock, double x_speed, double y_speed)
{
    set_value(rock, 'X', x_speed);
    set_value(rock, 'Y', y_speed);
    set_flag(rock, broken, true);
}

// Four pieces per rock at its corners, the last made first in the selection.
void throw_pieces(Frames& frames, const Rocks& broken_rocks)
{
    ObjectList& pieces = frames.instances[types::BreakableRockPiece_283];
    bool first = true;
    for (FrameObject* rock : broken_rocks)
        for (const auto& offset : piece_offsets) {
            Active* piece = create_breakablerockpiece_283(rock->x + offset[0], rock->y + offset[1]);
            if (first)
                create_instance(frames, pieces, piece, layer_index(*rock));
            else
                create_another(frames, pieces, piece, layer_index(*rock));
            first = false;
        }
}

}  // namespace

void Frames::event_func_1887()
{
    if (!level_group_43)
        return;
    for_each_instance(rocks(*this), [](FrameObject* rock) { set_flag(rock, pass_through, false); });
}

void Frames::event_func_1888()
{
    if (!level_group_43)
        return;
    const double mode = get_value(movement(*this), 'M');
    const bool rolling = mode >= mode_spin_low && mode <= mode_tunnel;
    const bool fast_bike = get_value(movement(*this), 'A') == bike &&
                           std::fabs(get_value(movement(*this), 'B')) > bike_pass_speed;
    if (rolling || mode == mode_insta_shield || fast_bike)
        for_each_instance(rocks(*this), [](FrameObject* rock) { set_flag(rock, pass_through, true); });
}

void Frames::event_func_1889()
{
    if (!level_group_43)
        return;
    Rocks kept;
    const bool left = sensor_block(*this, types::PlayerSensorLeftBig_89, kept);
    const bool right = sensor_block(*this, types::PlayerSensorRightBig_91, kept);
    if (get_value(movement(*this), 'M') == mode_insta_shield)
        breaker_block(*this, types::ShieldInstaShield_187, any_breaker, kept);
    breaker_block(*this, types::PlayerReflect_343,
                  [](FrameObject* reflect) { return get_value(*reflect, 'A') == reflect_launched; }, kept);
    breaker_block(*this, types::ThunderSpark_192, any_breaker, kept);
    breaker_block(*this, types::PlayerReflect_343, [](FrameObject* reflect) {
        return static_cast<Active*>(reflect)->test_animation(reflect_animation);
    }, kept);
    if (kept.empty())
        return;
    if (left || right)
        set_value(others(*this), 'K', attack_cool_down);
    const FrameObject& player = instance_or_default(movement(*this));
    const double speed = std::max(std::fabs(get_value(player, 'B') * 1.5), 3.0);
    for (FrameObject* rock : kept)
        launch_and_break(rock, clamp_launch(speed * get_value(player, 'Q')), get_value(player, 'G') * 0.5);
}

void Frames::event_func_1890()
{
    if (!level_group_43)
        return;
    Rocks kept;
    const bool below = sensor_block(*this, types::PlayerSensorBottomBig_95, kept);
    const bool above = sensor_block(*this, types::PlayerSensorTopBig_93, kept);
    if (!below && !above)
        return;
    set_value(others(*this), 'K', attack_cool_down);
    const FrameObject& player = instance_or_default(movement(*this));
    for (FrameObject* rock : kept)
        launch_and_break(rock, clamp_launch(get_value(player, 'B') * 0.5), get_value(player, 'G'));
}

void Frames::event_func_1891()
{
    if (!level_group_43)
        return;
    Rocks kept;
    if (!breaker_block(*this, types::MonitorIcon_125, [](FrameObject* icon) {
            return static_cast<Active*>(icon)->get_frame() == icon_breaking_frame;
        }, kept))
        return;
    set_value(others(*this), 'K', attack_cool_down);
    for (FrameObject* rock : kept)
        launch_and_break(rock, randrange_event(1891, 5) - 2, -3);
}

void Frames::event_func_1892()
{
    if (!level_group_43 || !select(rocks(*this), [](FrameObject* rock) { return get_flag(*rock, broken); }))
        return;
    media.play_id(break_sample, -1, 1);
    Rocks broken_rocks;
    keep_selected_rocks(*this, broken_rocks);
    for (FrameObject* rock : broken_rocks)
        rock->destroy();
    throw_pieces(*this, broken_rocks);
    int n = 0;
    for_each_selected(instances[types::BreakableRockPiece_283], [&](FrameObject* piece) {
        const FrameObject& rock = *rocks(*this).get_wrapped_selection(n++);
        set_value(piece, 'A', get_value(rock, 'X') - 2 + randrange_event(1892, 4));
        set_value(piece, 'B', get_value(rock, 'Y') - 4 + randrange_event(1892, 4));
        set_value(piece, 'D', piece->get_x());
        set_value(piece, 'E', piece->get_y());
        set_value(piece, 'C', piece_gravity);
        piece->set_angle(randrange_event(1892, 4) * 90, 0);
    });
}

void Frames::event_func_1893()
{
    if (!level_group_43)
        return;
    for_each_instance(instances[types::BreakableRockPiece_283], [](FrameObject* piece) {
        const double fall = get_value(*piece, 'B') + get_value(*piece, 'C');
        set_value(piece, 'B', fall);
        set_value(piece, 'D', get_value(*piece, 'D') + get_value(*piece, 'A'));
        set_value(piece, 'E', get_value(*piece, 'E') + fall);
        piece->set_x(to_int(get_value(*piece, 'D')));
        piece->set_y(to_int(get_value(*piece, 'E')));
        piece->set_angle(to_int(piece->get_angle() + get_value(*piece, 'A')), 0);
    });
}

void Frames::event_func_1894()
{
    if (!level_group_43)
        return;
    ObjectList& pieces = instances[types::BreakableRockPiece_283];
    const double out_of_sight = new_display_y + pieces_fall_out_below;
    if (select(pieces, [out_of_sight](FrameObject* piece) { return get_value(*piece, 'E') > out_of_sight; }))
        for_each_selected(pieces, [](FrameObject* piece) { piece->destroy(); });
}
