// Pushable blocks: the player in the pushing mode starts a block that is
// free on its side moving a pixel a tick and moves along with it, and hears
// the character give up on a block that does not move; a sliding block
// throws dust and scrapes, falls while in view, is lost below the frame,
// and crushes the enemies it lands on.
#include "audio/media.h"
#include "game/events/items/item_events.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "runtime/collision.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double pushing_mode = 11;
constexpr int stuck_voice_ticks = 40;
constexpr unsigned scrape_sample = 39;
constexpr unsigned hit_sample = 21;
constexpr int hit_flash = 17;

// Block flags.
constexpr int flag_gravity = 3;
constexpr int flag_on_ground = 4;

enum Side { left = 0, top = 1, right = 2, bottom = 3 };

double movement_mode(Frames& frames) { return get_value(frames.instances[types::PlayerMovementValues_80], 'M'); }

// Keeps the blocks that pass `test`; false when none is left.
template <class Test>
bool select_blocks(Frames& frames, Test test)
{
    return select(frames.qualifier_8, test);
}

template <class Action>
void for_each_block(Frames& frames, Action action)
{
    for_each_selected(frames.qualifier_8, action);
}

// A push starts when the player pushes towards a block that stands on the
// ground, and nothing stands in the way at the block's side at its top or
// two pixels above its bottom.
void start_push(Frames& frames, int facing, int sensor_type)
{
    if (!frames.level_group_43 || movement_mode(frames) != pushing_mode ||
        get_value(frames.instances[types::PlayerMovementValues_80], 'Q') != facing)
        return;
    if (!select_blocks(frames, [](FrameObject* block) { return get_flag(*block, flag_on_ground); }))
        return;
    ObjectList& sensor = frames.instances[sensor_type];
    select_all(sensor);
    if (!check_overlap(frames.qualifier_8, sensor))
        return;
    const FrameObject& block = selected_or_default(frames.qualifier_8);
    const int x = facing > 0 ? block.get_box_index(right) : block.get_box_index(left) - 1;
    if (frames.test_obstacle(x, block.get_box_index(bottom) - 2) || frames.test_obstacle(x, block.get_box_index(top)))
        return;
    for_each_block(frames, [facing](FrameObject* block) { set_value(block, 'D', facing); });
}

// One pixel of a push: the blocks and the player move together.
void push_step(Frames& frames, int facing)
{
    if (!frames.level_group_43)
        return;
    if (!select_blocks(frames, [facing](FrameObject* block) {
            return get_value(*block, 'D') == facing && get_flag(*block, flag_on_ground);
        }))
        return;
    for_each_block(frames, [facing](FrameObject* block) {
        block->set_x(block->get_x() + facing);
        set_value(block, 'B', 4);
    });
    ObjectList& values = frames.instances[types::PlayerMovementValues_80];
    add_value(values, 'X', facing);
    set_value(frames.instances[types::PlayerSkinYelto_102], 'L', 0);
    frames.run_loop(frames.fast_loop_player01allsensors, 1, &Frames::loop_player01allsensors_4);
    frames.run_loop(frames.fast_loop_reposition_skin, 1, &Frames::loop_reposition_skin_4);
    set_value(values, 'B', 0);
    set_value(frames.instances[types::PlayerActionValuesB_164], 'S', 4);
}

bool sliding(FrameObject* block) { return get_value(*block, 'D') != 0 && get_flag(*block, flag_on_ground); }

// The view the frame shows from the end of this tick.
struct View {
    int left, top;
};

View pending_view(const Frames& frames) { return {frames.new_display_x, frames.new_display_y}; }

}  // namespace

void Frames::event_func_1781()
{
    if (!level_group_43)
        return;
    int number = 0;
    for_each_instance(qualifier_8, [&number](FrameObject* block) { set_value(block, 'I', number++); });
    ObjectList& action_values = instances[types::PlayerActionValuesB_164];
    set_value(action_values, 'S', std::max(get_value(action_values, 'S') - 1, 0.0));
}

// A moving block must find the ground again before its next step.
void Frames::event_func_1782()
{
    if (level_group_43 && select_blocks(*this, [](FrameObject* block) { return get_value(*block, 'D') != 0; }))
        for_each_block(*this, [](FrameObject* block) { set_flag(block, flag_on_ground, false); });
}

void Frames::event_func_1783()
{
    if (level_group_43)
        run_loop(fast_loop_iterate_pushables, qualifier_8.size(), &Frames::loop_iterate_pushables_4);
}

void Frames::event_func_1784()
{
    if (!level_group_43 || movement_mode(*this) != pushing_mode)
        return;
    for_each_instance(qualifier_8, [](FrameObject* block) { set_flag(block, 5, false); });
    add_value(instances[types::PlayerSkinYelto_102], 'L', 1);
}

void Frames::event_func_1785()
{
    if (!level_group_43 || movement_mode(*this) == pushing_mode || !run_once(run_once_1785, loop_count))
        return;
    set_value(instances[types::PlayerSkinYelto_102], 'L', 0);
    run_loop(fast_loop_sound_stoppush, 1, &Frames::loop_sound_stoppush_0);
    for_each_instance(qualifier_8, [](FrameObject* block) { set_value(block, 'D', 0); });
}

void Frames::event_func_1786() { start_push(*this, 1, types::PlayerSensorRightBig_91); }

void Frames::event_func_1787() { push_step(*this, 1); }

void Frames::event_func_1788() { start_push(*this, -1, types::PlayerSensorLeftBig_89); }

void Frames::event_func_1789() { push_step(*this, -1); }

void Frames::event_func_1790()
{
    ObjectList& skin = instances[types::PlayerSkinYelto_102];
    if (!level_group_43 || get_value(skin, 'L') != stuck_voice_ticks)
        return;
    set_value(skin, 'L', stuck_voice_ticks + 1);
    run_loop(fast_loop_sound_cantmoveit, 1, &Frames::loop_sound_cantmoveit_3);
}

void Frames::event_func_1791()
{
    if (level_group_43 && select_blocks(*this, sliding))
        for_each_block(*this, [](FrameObject* block) { add_value(block, 'E', 1); });
}

// Every third tick of a slide a puff of dust rises at a random point under
// the block.
void Frames::event_func_1792()
{
    if (!level_group_43 ||
        !select_blocks(*this, [](FrameObject* b) { return get_value(*b, 'E') > 2 && get_flag(*b, flag_on_ground); }))
        return;
    FrameObject* dust = create_at_each(*this, qualifier_8, instances[types::EffectsDust_310], create_effectsdust_310);
    const FrameObject& block = selected_or_default(qualifier_8);
    if (dust) {
        const int left_edge = block.get_box_index(left);
        dust->set_y(block.get_box_index(bottom));
        dust->set_x(left_edge + randrange_event(1792, block.get_box_index(right) - left_edge));
        dust->set_angle(randrange_event(1792, 360), 0);
    }
    for_each_block(*this, [](FrameObject* b) { set_value(b, 'E', 0); });
}

void Frames::event_func_1793()
{
    if (level_group_43 && select_blocks(*this, sliding) && !media.is_sample_playing(scrape_sample))
        media.play_id(scrape_sample, -1, 0);
}

void Frames::event_func_1794()
{
    if (level_group_43 && select_blocks(*this, [](FrameObject* b) { return get_value(*b, 'B') > 1; }))
        for_each_block(*this, [](FrameObject* b) { add_value(b, 'B', -1); });
}

// The scrape stops once no push has refreshed B for a few ticks.
void Frames::event_func_1795()
{
    if (!level_group_43 || !select_blocks(*this, [](FrameObject* b) { return get_value(*b, 'B') == 1; }) ||
        !media.is_sample_playing(scrape_sample))
        return;
    media.stop_sample(scrape_sample);
    for_each_block(*this, [](FrameObject* b) { set_value(b, 'B', 0); });
}

void Frames::event_func_1796()
{
    if (!level_group_43 ||
        !select_blocks(*this, [](FrameObject* b) { return get_flag(*b, flag_gravity) && !get_flag(*b, flag_on_ground); }))
        return;
    for_each_block(*this, [](FrameObject* b) {
        b->set_y(to_int(b->get_y() + get_value(*b, 'F')));
        add_value(b, 'F', 0.25);
    });
}

// Landed, or not falling at all: no fall speed.
void Frames::event_func_1797()
{
    if (level_group_43 && select_blocks(*this, [](FrameObject* b) {
            return !get_flag(*b, flag_gravity) || get_flag(*b, flag_on_ground);
        }))
        for_each_block(*this, [](FrameObject* b) { set_value(b, 'F', 0); });
}

// Gravity only acts on a block once it has come into view.
void Frames::event_func_1798()
{
    if (!level_group_43)
        return;
    const View view = pending_view(*this);
    if (select_blocks(*this, [view](FrameObject* b) {
            return !get_flag(*b, flag_gravity) && view.left < b->get_x() && b->get_x() < view.left + screen_width &&
                   view.top < b->get_y() && b->get_y() < view.top + screen_height;
        }))
        for_each_block(*this, [](FrameObject* b) { set_flag(b, flag_gravity, true); });
}

// A block that leaves the view to the side or the top hangs where it is.
void Frames::event_func_1799()
{
    if (!level_group_43)
        return;
    const View view = pending_view(*this);
    if (select_blocks(*this, [view](FrameObject* b) {
            return get_flag(*b, flag_gravity) && (b->get_x() <= view.left || b->get_x() >= view.left + screen_width ||
                                                  b->get_y() <= view.top);
        }))
        for_each_block(*this, [](FrameObject* b) { set_flag(b, flag_gravity, false); });
}

void Frames::event_func_1800()
{
    const int lowest = height + 32;
    if (level_group_43 &&
        select_blocks(*this, [lowest](FrameObject* b) { return get_flag(*b, flag_gravity) && b->get_y() > lowest; }))
        for_each_block(*this, [](FrameObject* b) { b->destroy(); });
}

// A falling block crushes what it lands on, armoured or not, each enemy
// hurt by the fall speed of the block paired with it.
void Frames::event_func_1804()
{
    if (!level_group_43)
        return;
    select_all(qualifier_8);
    select_all(qualifier_17);
    if (!check_overlap(qualifier_8, qualifier_17) ||
        !filter(qualifier_8, [](FrameObject* b) { return get_value(*b, 'H') <= 0 && !get_flag(*b, flag_on_ground); }) ||
        !filter(qualifier_17, [](FrameObject* enemy) { return get_value(*enemy, 'C') <= 0; }))
        return;
    auto fall_speed = [this](int i) {
        const FrameObject* block = qualifier_8.get_wrapped_selection(i);
        return block ? get_value(*block, 'F') : 0.0;
    };
    int i = 0;
    for_each_selected(qualifier_17, [&](FrameObject* enemy) {
        set_value(enemy, 'C', 5);
        set_value(enemy, 'X', randrange_event(1804, 5) - 2);
        set_value(enemy, 'Y', fall_speed(i++) + 4);
    });
    media.play_id(hit_sample, -1, 1);
    i = 0;
    for_each_selected(qualifier_17, [&](FrameObject* enemy) { add_value(enemy, 'A', -(std::fabs(fall_speed(i++) / 5) + 4)); });
    for_each_selected(qualifier_17, [](FrameObject* enemy) { enemy->set_shader(hit_flash); });
    for_each_block(*this, [](FrameObject* b) { set_value(b, 'H', 4); });
}

void Frames::event_func_1805()
{
    if (level_group_43 && select_blocks(*this, [](FrameObject* b) { return get_value(*b, 'H') > 0; }))
        for_each_block(*this, [](FrameObject* b) { add_value(b, 'H', -1); });
}
