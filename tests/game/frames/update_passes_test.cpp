// The per-tick update passes: the table's slices against the class table,
// and what the passes do to instances inside, outside and far outside the
// view.
#include "game/frames/update_passes.h"
#include "game/objects/class_lookup.h"
#include "game/objects/classes.h"
#include "game/objects/type_ids.h"
#include "objects/active.h"
#include "objects/counter.h"
#include "objects/textblitter.h"
#include "runtime/movement.h"
#include "tests/runtime/runtime_fixtures.h"
#include "tests/support/tables.h"
#include "tests/support/volumes.h"

#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// Where the passes find an instance on a 2000 x 2000 frame viewed from its
// top left corner: the layer's inactive box is x -480 ... 490, y -300 ... 256,
// its kill box x -480 ... 2480, y -300 ... 2300.
constexpr int inside_x = 100, inside_y = 100;
constexpr int outside_x = 1000;  // outside the inactive box, inside the kill box
constexpr int far_x = 3000;      // outside both

constexpr uint32_t destroyed = FrameObject::DESTROYING;
constexpr uint32_t inactive = FrameObject::INACTIVE;

// Counts its steps; may add an instance on its first step, as an event's
// create action run from an update would.
class CountingMovement : public Movement {
public:
    int steps = 0;
    FrameObject* (*spawn)(int x, int y) = nullptr;
    FrameObject* spawned = nullptr;

    explicit CountingMovement(FrameObject* instance) : Movement(instance) {}
    void update() override
    {
        if (steps++ == 0 && spawn)
            spawned = instance->frame->add_object(spawn(inside_x, inside_y), 0);
    }
};

CountingMovement* count_steps(FrameObject* object)
{
    object->clear_movements();
    auto* counting = new CountingMovement(object);
    object->movement = counting;
    return counting;
}

// How far the current animation has run: the frame and the hundredths
// towards the next one.
int clock_of(const Active* sprite)
{
    return sprite->animation_frame * 100 + sprite->counter;
}

class UpdatePasses : public testing::Test {
protected:
    UpdatePasses()
    {
        fill_update_table(running.frame.instances, table);
        running.frame.timer_mul = 1.0f;  // what Frame::update sets at speed setting 0
    }

    // Places a new instance on layer 0 as a set-up does (without the console
    // lines of its images failing to load).
    template <class T>
    T* place(T* (*factory)(int, int), int x, int y)
    {
        T* object = nullptr;
        console_output_of([&] { object = factory(x, y); });
        running.frame.add_object(object, 0);
        return object;
    }
    void tick()
    {
        console_output_of([&] { run_update_passes(table); });
    }

    TempVolumes volumes;
    RunningFrame<> running{2000, 2000, 1};
    ObjectList* table[update_list_count];
};

}  // namespace

TEST(UpdateTable, has_nine_slices_in_pass_order_covering_the_table_once_each_type)
{
    const char* names[update_slice_count] = {"update_textblitter_1", "update_textblitter_5", "update_active_6",
                                             "update_active_7",      "update_active_2",      "update_active_3",
                                             "update_active_0",      "update_counter_4",     "update_active_8"};
    const UpdatePass passes[update_slice_count] = {update_textblitter_1, update_textblitter_5, update_active_6,
                                                   update_active_7,      update_active_2,      update_active_3,
                                                   update_active_0,      update_counter_4,     update_active_8};
    int first = 0;
    for (int i = 0; i < update_slice_count; ++i) {
        EXPECT_STREQ(update_slices[i].name, names[i]);
        EXPECT_EQ(update_slices[i].pass, passes[i]) << names[i];
        EXPECT_EQ(update_slices[i].first, first) << names[i];
        EXPECT_GT(update_slices[i].count, 0) << names[i];
        first += update_slices[i].count;
    }
    EXPECT_EQ(first, update_list_count);
    std::set<int> types(update_table_type_ids, update_table_type_ids + update_list_count);
    EXPECT_EQ(types.size(), size_t(update_list_count));

    InstanceMap instances;
    ObjectList* table[update_list_count];
    fill_update_table(instances, table);
    for (int i = 0; i < update_list_count; ++i)
        EXPECT_EQ(table[i], &instances[update_table_type_ids[i]]) << i;
}

TEST(UpdateTable, slices_hold_the_types_of_their_kind_and_movement_and_every_type_with_work)
{
    // Movement by class name, from the class table the classes come from.
    std::map<std::string, bool> moves;
    for (const auto& row : read_table(QUORVELLA_CLASS_TABLE)) {
        const std::string settings = row.size() > 6 ? row[6] : "";
        moves[row[1] + "_" + row[0]] =
            settings.find("movement=") != std::string::npos || settings.find("movements=") != std::string::npos;
    }
    std::set<int> listed;
    for (const UpdateSlice& slice : update_slices) {
        const std::string name = slice.name;
        const ObjectKind kind = name.starts_with("update_textblitter") ? ObjectKind::TextBlitter
                                : name.starts_with("update_counter")   ? ObjectKind::Counter
                                                                       : ObjectKind::Active;
        const bool with_movement = name == "update_active_6" || name == "update_active_7" ||
                                   name == "update_counter_4" || name == "update_active_8";
        for (int row = slice.first; row < slice.first + slice.count; ++row) {
            const int type = update_table_type_ids[row];
            listed.insert(type);
            const std::vector<const ClassInfo*> classes = classes_of_type(type);
            ASSERT_FALSE(classes.empty()) << name << " type " << type;
            for (const ClassInfo* info : classes) {
                EXPECT_EQ(info->kind, kind) << name << " " << info->name;
                EXPECT_EQ(moves.at(info->name), with_movement) << name << " " << info->name;
            }
        }
    }
    // Every sprite and text blitter has per-tick work, and so does every
    // counter with a movement; the other counters have none.
    int counters_without_work = 0;
    for (const ClassInfo& info : all_classes()) {
        const bool has_work = info.kind == ObjectKind::Active || info.kind == ObjectKind::TextBlitter ||
                              (info.kind == ObjectKind::Counter && moves.at(info.name));
        EXPECT_EQ(listed.count(info.type_id) == 1, has_work) << info.name;
        counters_without_work += info.kind == ObjectKind::Counter && !has_work;
    }
    EXPECT_EQ(counters_without_work, 15);
}

TEST_F(UpdatePasses, a_sprite_that_dies_far_outside_sleeps_outside_the_view_and_is_destroyed_beyond_the_kill_box)
{
    // Monitor1up_127 (pass update_active_2) has no disappearing animation.
    Active* shown = place(create_monitor1up_127, inside_x, inside_y);
    Active* leaving = place(create_monitor1up_127, outside_x, inside_y);
    Active* lost = place(create_monitor1up_127, far_x, inside_y);
    const int start = clock_of(shown);  // a new sprite's clock, the same for all three
    tick();
    EXPECT_EQ(shown->flags & (inactive | destroyed), 0u);
    EXPECT_GT(clock_of(shown), start);
    EXPECT_EQ(leaving->flags & (inactive | destroyed), inactive);
    EXPECT_EQ(clock_of(leaving), start);
    EXPECT_EQ(lost->flags & (inactive | destroyed), inactive | destroyed);
    EXPECT_EQ(clock_of(lost), start);
    EXPECT_EQ(running.frame.destroyed_instances, std::vector<FrameObject*>{lost});

    // Already asleep, it is never destroyed, wherever it goes; back inside
    // the inactive box it wakes and animates on the same tick.
    leaving->set_position(far_x, inside_y);
    tick();
    EXPECT_EQ(leaving->flags & (inactive | destroyed), inactive);
    EXPECT_EQ(clock_of(leaving), start);
    leaving->set_position(inside_x, inside_y);
    tick();
    EXPECT_EQ(leaving->flags & (inactive | destroyed), 0u);
    EXPECT_GT(clock_of(leaving), start);

    // Once flagged destroyed it is skipped even inside the view: its flags
    // stay as they were and it does not animate.
    lost->set_position(inside_x, inside_y);
    tick();
    EXPECT_EQ(lost->flags & (inactive | destroyed), inactive | destroyed);
    EXPECT_EQ(clock_of(lost), start);
}

TEST_F(UpdatePasses, a_sprite_that_sleeps_outside_keeps_its_animation_frame_until_it_is_back_inside)
{
    // KastiqMechFlyby_12 (pass update_active_3): six frames, speed 50.
    Active* flyby = place(create_kastiqmechflyby_12, inside_x, inside_y);
    for (int i = 0; i < 5; ++i)
        tick();
    const int kept = clock_of(flyby);
    EXPECT_GT(flyby->animation_frame, 0);
    flyby->set_position(far_x, 3000);
    for (int i = 0; i < 5; ++i)
        tick();
    EXPECT_EQ(flyby->flags & (inactive | destroyed), inactive);
    EXPECT_EQ(clock_of(flyby), kept);
    flyby->set_position(inside_x, inside_y);
    tick();
    EXPECT_EQ(flyby->flags & inactive, 0u);
    EXPECT_GT(clock_of(flyby), kept);
}

TEST_F(UpdatePasses, sprites_of_the_passes_that_ignore_the_view_update_however_far_outside)
{
    // EffectsDebris_266 (update_active_6) falls by its own movement;
    // Sparkle2_180 (update_active_0) only animates.
    Active* debris = place(create_effectsdebris_266, 5000, 5000);
    Active* sparkle = place(create_sparkle2_180, -5000, -5000);
    const int start = clock_of(sparkle);
    tick();
    tick();
    EXPECT_NE(debris->y, 5000);
    EXPECT_GT(clock_of(sparkle), start);
    CountingMovement* steps = count_steps(debris);
    tick();
    EXPECT_EQ(steps->steps, 1);
    for (FrameObject* object : {static_cast<FrameObject*>(debris), static_cast<FrameObject*>(sparkle)})
        EXPECT_EQ(object->flags & (inactive | destroyed), 0u);
}

TEST_F(UpdatePasses, a_counter_steps_its_movement_and_nothing_else)
{
    // ObjectCodecID_280 (update_counter_4) starts moving up at once.
    Counter* moving = place(create_objectcodecid_280, far_x, 3000);
    Counter* still = place(create_objectcodecid_280, inside_x, inside_y);
    still->clear_movements();
    Counter* gone = place(create_objectcodecid_280, inside_x, inside_y);
    CountingMovement* gone_steps = count_steps(gone);
    gone->destroy();
    ObjectList& list = running.frame.instances[types::ObjectCodecID_280];
    list.empty_selection();
    tick();
    tick();
    EXPECT_EQ(moving->x, far_x);
    EXPECT_LT(moving->y, 3000);
    EXPECT_EQ(moving->flags & inactive, 0u);  // no outside handling
    EXPECT_EQ(still->x, inside_x);
    EXPECT_EQ(still->y, inside_y);
    EXPECT_EQ(still->movement, nullptr);
    EXPECT_EQ(gone_steps->steps, 0);
    // The walk leaves the selection alone.
    EXPECT_FALSE(list.has_selection());
}

TEST_F(UpdatePasses, an_instance_added_during_a_pass_is_updated_in_the_same_pass)
{
    Counter* spawner = place(create_objectcodecid_280, inside_x, inside_y);
    CountingMovement* steps = count_steps(spawner);
    steps->spawn = [](int x, int y) -> FrameObject* {
        FrameObject* added = create_objectcodecid_280(x, y);
        count_steps(added);
        return added;
    };
    tick();
    ASSERT_NE(steps->spawned, nullptr);
    EXPECT_EQ(running.frame.instances[types::ObjectCodecID_280].size(), 2);
    EXPECT_EQ(steps->steps, 1);
    EXPECT_EQ(static_cast<CountingMovement*>(steps->spawned->movement)->steps, 1);
    tick();
    EXPECT_EQ(steps->steps, 2);
    EXPECT_EQ(static_cast<CountingMovement*>(steps->spawned->movement)->steps, 2);
}

TEST_F(UpdatePasses, text_blitters_sleep_outside_and_only_the_dying_kind_is_destroyed_far_outside)
{
    // HelpMessage2_433 sleeps (update_textblitter_1), HelpMessage4_435 dies
    // (update_textblitter_5); a waving text counts its updates.
    TextBlitter* sleeper = place(create_helpmessage2_433, far_x, inside_y);
    TextBlitter* dying = place(create_helpmessage4_435, outside_x, inside_y);
    TextBlitter* lost = place(create_helpmessage4_435, far_x, inside_y);
    for (TextBlitter* text : {sleeper, dying, lost})
        text->set_animation_type(TextBlitter::WAVE_ANIMATION);
    tick();
    EXPECT_EQ(sleeper->flags & (inactive | destroyed), inactive);
    EXPECT_EQ(dying->flags & (inactive | destroyed), inactive);
    EXPECT_EQ(lost->flags & (inactive | destroyed), inactive | destroyed);
    for (TextBlitter* text : {sleeper, dying, lost})
        EXPECT_EQ(text->animation_counter, 0);
    sleeper->set_position(inside_x, inside_y);
    dying->set_position(inside_x, inside_y);
    tick();
    EXPECT_EQ(sleeper->flags & inactive, 0u);
    EXPECT_EQ(dying->flags & inactive, 0u);
    EXPECT_EQ(sleeper->animation_counter, 1);
    EXPECT_EQ(dying->animation_counter, 1);
    EXPECT_EQ(lost->animation_counter, 0);
}
