// The frame object: moves, destruction, inactive and kill tests, flashing,
// directions, box queries and movements.
#include "runtime/frameobject.h"
#include "runtime/layer.h"
#include "runtime/movement.h"
#include "tests/runtime/runtime_fixtures.h"
#include "tests/support/volumes.h"

#include <gtest/gtest.h>

namespace {
class CountingMovement : public Movement {
public:
    int* inits;
    int* directions;
    CountingMovement(FrameObject* owner, int place, int* init_count, int* direction_log)
        : Movement(owner), inits(init_count), directions(direction_log)
    {
        index = place;
    }
    void init() override { ++*inits; }
    void set_direction(int dir) override { *directions = dir; }
};
}  // namespace

TEST(FrameObject, a_new_instance_is_white_and_a_default_one_stands_on_the_hidden_default_layer)
{
    FrameObject object(3, 4, 12);
    EXPECT_EQ(object.blend_color, Color(255, 255, 255, 255));
    object.set_blend_color(0x123456);
    EXPECT_EQ(object.blend_color, Color(0x56, 0x34, 0x12, 255));
    setup_default_instance(&object);
    EXPECT_EQ(object.layer, &default_layer());
    EXPECT_FALSE(default_layer().visible);
}

TEST(FrameObject, moves_shift_the_box_and_clear_the_background_cache_only_on_a_real_move)
{
    RunningFrame scope(640, 480, 1);
    scope.frame.layers[0].set_position(10, 0);
    BoxInstance* box = make_box(5, 5, 2, 30, 40);
    scope.frame.add_object(box, 0);
    ASSERT_NE(box->collision->proxy, -1);
    EXPECT_EQ(box_of(*box->collision), (std::vector<int>{5, 5, 35, 45}));
    box->flags |= FrameObject::HAS_COLLISION_CACHE;
    box->set_x(15);  // frame x 15 is local x 5: no move
    EXPECT_EQ(box->flags & FrameObject::HAS_COLLISION_CACHE, uint32_t(FrameObject::HAS_COLLISION_CACHE));
    box->set_position(8, 3);
    EXPECT_EQ(box->flags & FrameObject::HAS_COLLISION_CACHE, 0u);
    EXPECT_EQ(box_of(*box->collision), (std::vector<int>{8, 3, 38, 43}));
    box->set_global_position(100, 100);
    EXPECT_EQ(box->x, 90);
    EXPECT_EQ(box->get_box_index(0), 100);
    EXPECT_EQ(box->get_box_index(3), 140);
    EXPECT_EQ(box->get_action_x(), 100);
}

TEST(FrameObject, destroy_queues_once_and_ends_every_overlap)
{
    RunningFrame scope(640, 480, 1);
    BoxInstance* box = make_box(5, 5, 2, 30, 40);
    scope.frame.add_object(box, 0);
    manager.mouse_x = 10;
    manager.mouse_y = 10;
    EXPECT_TRUE(box->mouse_over());
    box->destroy();
    box->destroy();
    EXPECT_EQ(scope.frame.destroyed_instances.size(), 1u);
    EXPECT_EQ(box->collision->type, NONE_COLLISION);
    EXPECT_FALSE(box->mouse_over());
    manager.mouse_x = manager.mouse_y = 0;
}

TEST(FrameObject, an_instance_is_killed_only_when_it_leaves_the_inactive_box_beyond_the_kill_box)
{
    RunningFrame scope(640, 480, 1);
    const Layer& layer = scope.frame.layers[0];
    EXPECT_EQ(layer.inactive_box[0], -480);
    EXPECT_EQ(layer.inactive_box[2], 490);
    EXPECT_EQ(layer.inactive_box[3], 256);
    EXPECT_EQ(layer.kill_box[2], 1120);
    BoxInstance* box = make_box(600, 100, 2, 10, 10);
    scope.frame.add_object(box, 0);
    box->update_kill();  // x1 600 > 490: inactive, but inside the kill box
    EXPECT_TRUE(box->flags & FrameObject::INACTIVE);
    EXPECT_TRUE(scope.frame.destroyed_instances.empty());
    box->set_position(1200, 100);  // drifts beyond the kill box while inactive
    box->update_kill();
    EXPECT_TRUE(scope.frame.destroyed_instances.empty());
    box->set_position(100, 100);  // back inside
    box->update_kill();
    EXPECT_FALSE(box->flags & FrameObject::INACTIVE);
    box->set_position(1200, 100);
    box->update_kill();
    EXPECT_EQ(scope.frame.destroyed_instances.size(), 1u);

    BoxInstance* other = make_box(100, 300, 2, 10, 10);
    scope.frame.add_object(other, 0);
    other->update_inactive();
    EXPECT_TRUE(other->flags & FrameObject::INACTIVE);
    other->set_position(100, 100);
    other->update_inactive();
    EXPECT_FALSE(other->flags & FrameObject::INACTIVE);
}

TEST(FrameObject, box_queries_use_the_frame_and_the_requested_view)
{
    RunningFrame scope(640, 480, 1);
    BoxInstance* box = make_box(650, 10, 2, 10, 10);
    scope.frame.add_object(box, 0);
    EXPECT_TRUE(box->outside_playfield());
    box->set_position(630, 10);
    EXPECT_FALSE(box->outside_playfield());
    box->set_position(100, 100);
    EXPECT_FALSE(box->is_near_border(16));
    EXPECT_TRUE(box->is_near_border(100));
    scope.frame.set_display_center(400, std::nullopt);  // requested x 187
    EXPECT_TRUE(box->is_near_border(0));

    FrameObject* plain = scope.frame.add_object(make_instance(7, 8, 3), 0);
    plain->width = 4;
    plain->height = 5;
    EXPECT_EQ(plain->get_box_index(2), 11);
    EXPECT_EQ(plain->get_box_index(3), 13);
    const std::string output = console_output_of([&] { EXPECT_EQ(plain->get_box_index(4), 0); });
    EXPECT_EQ(output, "Invalid box side: 4\n");
    // Without a shape the tests use the instance's own rectangle.
    plain->set_position(700, 8);
    EXPECT_TRUE(plain->outside_playfield());
    plain->update_inactive();
    EXPECT_TRUE(plain->flags & FrameObject::INACTIVE);
}

TEST(FrameObject, flashing_toggles_visibility_every_interval_and_set_visible_stops_it_first)
{
    FrameObject object(0, 0, 2);
    manager.frame_time = 1.0f / 60;
    float timer = 0.0f;
    object.update_flash(0.0f, timer);
    EXPECT_EQ(timer, 0.0f);
    std::vector<int> toggle_ticks;
    for (int tick = 1; tick <= 120; ++tick) {
        const uint32_t before = object.flags & FrameObject::VISIBLE;
        object.update_flash(0.5f, timer);
        if ((object.flags & FrameObject::VISIBLE) != before)
            toggle_ticks.push_back(tick);
    }
    EXPECT_EQ(toggle_ticks, (std::vector<int>{30, 60, 90, 120}));
    manager.frame_time = 0.0f;

    // A flashing kind is told to stop (interval 0) before the flag changes.
    struct Flasher : FrameObject {
        std::vector<float> intervals;
        uint32_t flags_when_told = 0;
        Flasher() : FrameObject(0, 0, 2) {}
        void flash(float interval) override
        {
            intervals.push_back(interval);
            flags_when_told = flags;
        }
    } flasher;
    flasher.set_visible(false);
    EXPECT_EQ(flasher.intervals, std::vector<float>{0.0f});
    EXPECT_TRUE(flasher.flags_when_told & FrameObject::VISIBLE);
    EXPECT_FALSE(flasher.flags & FrameObject::VISIBLE);
}

TEST(FrameObject, directions_are_masked_and_passed_on_to_the_movement)
{
    FrameObject object(0, 0, 2);
    int inits = 0, last_direction = -1;
    object.movement = new CountingMovement(&object, 0, &inits, &last_direction);
    object.set_direction(35, true);
    EXPECT_EQ(object.direction, 3);
    EXPECT_EQ(last_direction, 35);
    object.set_direction(8, false);
    EXPECT_EQ(last_direction, 35);
    EXPECT_TRUE(object.test_direction(8));
    EXPECT_TRUE(object.test_directions(1u << 8));
    EXPECT_FALSE(object.test_directions(1u << 9));
}

TEST(FrameObject, movements_switch_within_the_array_a_static_one_stands_in_and_a_bad_index_is_refused)
{
    FrameObject object(0, 0, 2);
    Movement* standing = object.get_movement();
    EXPECT_NE(dynamic_cast<StaticMovement*>(standing), nullptr);
    EXPECT_EQ(standing->index, 0);
    EXPECT_EQ(object.get_movement(), standing);

    // Switching into the array releases the stand-in (the leak check sees it).
    int inits = 0, direction = 0;
    object.movement_count = 2;
    object.movements = new Movement*[2];
    object.movements[0] = new CountingMovement(&object, 0, &inits, &direction);
    object.movements[1] = new CountingMovement(&object, 1, &inits, &direction);
    object.set_movement(0);
    EXPECT_EQ(object.movement, object.movements[0]);
    object.advance_movement(1);
    EXPECT_EQ(object.movement, object.movements[1]);
    object.advance_movement(1);  // past the end: nothing
    EXPECT_EQ(object.movement, object.movements[1]);
    object.set_movement(5);
    EXPECT_EQ(object.movement, object.movements[1]);
    EXPECT_EQ(inits, 2);

    // Out of range without a current movement: refused with a line.
    FrameObject bare(0, 0, 2);
    EXPECT_EQ(console_output_of([&] { bare.set_movement(0); }), "Invalid movement index: 0\n");
    EXPECT_EQ(bare.movement, nullptr);
}

TEST(FrameObject, swap_position_exchanges_two_instances_and_ignores_a_single_one)
{
    RunningFrame scope(640, 480, 2);
    scope.frame.layers[1].set_position(5, 0);
    FrameObject* a = scope.frame.add_object(make_instance(10, 20, 3), 0);
    FrameObject* b = scope.frame.add_object(make_instance(100, 200, 3), 1);
    swap_position({a});
    EXPECT_EQ(a->x, 10);
    swap_position({a, b});
    EXPECT_EQ(a->get_x(), 105);
    EXPECT_EQ(a->y, 200);
    EXPECT_EQ(b->get_x(), 10);
    EXPECT_EQ(b->x, 5);
}

TEST(FrameObject, shader_parameters_are_set_by_name_once_and_read_by_hash)
{
    FrameObject object(0, 0, 2);
    EXPECT_EQ(object.get_shader_parameter(hash_shader_parameter("fCoeff", 6)), 0.0);
    EXPECT_EQ(object.shader_parameters, nullptr);
    EXPECT_EQ(object.set_shader_parameter("", 3.0), nullptr);
    EXPECT_EQ(object.shader_parameters, nullptr);

    object.set_shader_parameter("fCoeff", 0.5);
    object.set_shader_parameter("fCoeff", 0.25);
    ASSERT_EQ(object.shader_parameters->size(), 1u);
    EXPECT_EQ(object.get_shader_parameter(hash_shader_parameter("fCoeff", 6)), 0.25);
    // Opaque white packs to all bits set, read as a signed number.
    object.set_shader_parameter("fTintColor", Color(255, 255, 255, 255));
    EXPECT_EQ(object.get_shader_parameter(hash_shader_parameter("fTintColor", 10)), -1.0);
    object.set_shader_parameter("g", Color(255, 0, 0, 0));
    EXPECT_EQ(object.get_shader_parameter(41), 255.0);

    // The first entry of a hash wins; setting the effect keeps the list.
    object.shader_parameters->push_back({7, 0.5});
    object.shader_parameters->push_back({7, 0.75});
    object.set_shader(12);
    EXPECT_EQ(object.shader, 12);
    EXPECT_EQ(object.get_shader_parameter(7), 0.5);
    EXPECT_EQ(object.shader_parameters->size(), 5u);
}
