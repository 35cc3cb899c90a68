// Objects kept across frames, and the random states the classes draw from.
#include "game/objects/classes.h"
#include "game/objects/random_groups.h"
#include "tests/runtime/runtime_fixtures.h"
#include "tests/support/volumes.h"

#include <gtest/gtest.h>

namespace {

class KeptObjects : public testing::Test {
protected:
    // The records as a fresh run has them, whatever an earlier test kept.
    KeptObjects() { reset_kept_records(); }

    // Places a new instance, as a frame's set-up does (without the console
    // lines of its images failing to load).
    template <class T>
    T* place(T* (*factory)(int, int))
    {
        T* object = nullptr;
        console_output_of([&] { object = factory(0, 0); });
        running.frame.add_object(object, 0);
        return object;
    }
    // A counter's new value, without the lines of its images failing to load.
    static void set(Counter* counter, double value)
    {
        console_output_of([&] { counter->set(value); });
    }
    // The old frame releases every instance; the next one starts empty.
    void change_frame()
    {
        running.frame.reset();
        running.frame.set_up(640, 480, 1);
    }

    TempVolumes volumes;
    RunningFrame<> running{640, 480, 1};
};

}  // namespace

TEST_F(KeptObjects, a_global_counter_starts_the_next_frame_from_the_value_it_was_left_at)
{
    Counter* crystals = place(create_guicrystal_78);
    set(crystals, 540);
    change_frame();
    Counter* next = place(create_guicrystal_78);
    EXPECT_EQ(next->value, 540.0);
    EXPECT_EQ(next->text, "540");
    // A kept value above the new instance's maximum is clamped.
    next->maximum = 1000;
    set(next, 1000);
    change_frame();
    EXPECT_EQ(place(create_guicrystal_78)->value, 999.0);
    change_frame();
    Counter* air = place(create_guiair_405);
    set(air, 4);
    change_frame();
    EXPECT_EQ(place(create_guiair_405)->value, 4.0);
}

TEST_F(KeptObjects, global_input_data_keeps_its_start_values_strings_and_later_writes)
{
    FrameObject* input = place(create_globalinputdata_24);
    Alterables* block = input->alterables;
    EXPECT_TRUE(input->flags & FrameObject::GLOBAL);
    block->values.set(1, 7.0);  // an event's write
    const int free_blocks = object_pool<Alterables>.get_free_count();
    change_frame();
    EXPECT_EQ(object_pool<Alterables>.get_free_count(), free_blocks);

    FrameObject* next = place(create_globalinputdata_24);
    ASSERT_EQ(next->alterables, block);
    EXPECT_EQ(block->values.get(0), 1.0);
    EXPECT_EQ(block->values.get(1), 7.0);
    for (unsigned value = 4; value <= 11; ++value)  // E to L
        EXPECT_EQ(block->values.get(value), 250.0) << char('A' + value);
    EXPECT_EQ(block->strings.get(2), "\\Profiles");
    EXPECT_EQ(block->strings.get(3), "Quorvella");
    block->values.set(1, 0.0);

    // Instances of one global class in one frame share the block.
    FrameObject* first_card = place(create_guipowercard_337);
    FrameObject* second_card = place(create_guipowercard_337);
    first_card->alterables->values.set(2, 3.0);
    EXPECT_EQ(second_card->alterables->values.get(2), 3.0);
    first_card->alterables->values.set(2, 0.0);
}

TEST_F(KeptObjects, the_array_classes_keep_their_cells_and_two_share_one_record)
{
    ArrayObject* records = place(create_recorddata_33);
    records->set_value(1234, 1, 1, 1);
    change_frame();
    ArrayObject* later = place(create_recorddata_409);
    EXPECT_EQ(later->saved, &class_records::array_33);
    EXPECT_EQ(later->get_value(1, 1, 1), 1234);
    EXPECT_EQ(later->data.y_size, 100);
    later->set_value(0, 1, 1, 1);
}

TEST(RandomGroups, draws_follow_the_worked_examples)
{
    RandomState fresh;
    EXPECT_EQ(fresh.direction(), 0);
    EXPECT_EQ(fresh.seed, 2531011u);

    RandomState picks;
    EXPECT_EQ(picks.step(), 38u);
    EXPECT_EQ(picks.step(), 7719u);
    RandomState five;
    EXPECT_EQ(five.pick({10, 11, 12, 13, 14}), 10);
    EXPECT_EQ(five.pick({10, 11, 12, 13, 14}), 11);
    RandomState seventeen;
    EXPECT_EQ(seventeen.pick({0, 1, 2, 3, 4, 5, 6, 7, 8, 24, 25, 26, 27, 28, 29, 30, 31}), 0);
}

TEST_F(KeptObjects, each_class_draws_from_its_seed_group_and_the_record_counters_share_one)
{
    const RandomState saved[] = {seed_groups::objects1, seed_groups::objects2, seed_groups::objects3,
                                 seed_groups::objects4, seed_groups::record_counters};
    seed_groups::record_counters.seed = 0;
    seed_groups::objects1.seed = 99;
    EXPECT_EQ(place(create_act2recordmin_66)->direction, 0);
    EXPECT_EQ(place(create_act2recordsec_67)->direction, 7);
    EXPECT_EQ(place(create_act2recordmil_68)->direction, 20);
    EXPECT_EQ(seed_groups::record_counters.seed, 3539360597u);
    EXPECT_EQ(seed_groups::objects1.seed, 99u);

    seed_groups::objects2.seed = 0;
    EXPECT_EQ(place(create_effectscrystalbit_177)->direction, 0);
    EXPECT_EQ(place(create_effectscrystalbit_177)->direction, 4);
    seed_groups::objects3.seed = 0;
    // Drawn twice: 6, then 7 decides.
    EXPECT_EQ(place(create_effectsdebris_266)->direction, 7);
    EXPECT_EQ(seed_groups::objects3.seed, 505908858u);
    seed_groups::objects4.seed = 0;
    EXPECT_EQ(place(create_effectsshield_313)->direction, 0);

    seed_groups::objects1 = saved[0];
    seed_groups::objects2 = saved[1];
    seed_groups::objects3 = saved[2];
    seed_groups::objects4 = saved[3];
    seed_groups::record_counters = saved[4];
}
