// Selection chains: narrowing, saving and restoring, object groups and the
// shared stack of saved selections.
#include "runtime/lists.h"
#include "tests/runtime/runtime_fixtures.h"
#include "tests/support/volumes.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

Chain walk(QualifierList& group)
{
    Chain visited;
    for (QualifierIterator it(group); !it.done(); ++it)
        visited.push_back(*it);
    return visited;
}

struct Abc {
    FrameObject a{0, 0, 1}, b{0, 0, 1}, c{0, 0, 1};
    ObjectList list;
    Abc()
    {
        list.add(&a);
        list.add(&b);
        list.add(&c);
    }
};

struct Group {
    FrameObject a1{0, 0, 1}, a2{0, 0, 1}, b1{0, 0, 2};
    ObjectList a, b;
    ObjectList* members[3] = {&a, &b, nullptr};
    QualifierList group;
    Group()
    {
        a.add(&a1);
        a.add(&a2);
        b.add(&b1);
        group.set(2, members);
    }
};

}  // namespace

TEST(ObjectList, adding_numbers_instances_and_selecting_all_walks_newest_first)
{
    ObjectList empty;
    EXPECT_EQ(empty.count(), 1);
    EXPECT_EQ(empty.back_selection(), nullptr);
    EXPECT_EQ(empty.get_wrapped_selection(0), nullptr);

    Abc abc;
    EXPECT_EQ(abc.a.index, 1);
    EXPECT_EQ(abc.c.index, 3);
    EXPECT_EQ(chain_of(abc.list), Chain{});
    abc.list.clear_selection();
    EXPECT_EQ(chain_of(abc.list), (Chain{&abc.c, &abc.b, &abc.a}));

    ObjectList two;
    FrameObject a(0, 0, 1), b(0, 0, 1), c(0, 0, 1);
    two.add(&a);
    two.add(&b);
    two.clear_selection();
    two.add(&c);
    EXPECT_EQ(chain_of(two), (Chain{&b, &a}));
    two.add_back();
    EXPECT_EQ(chain_of(two), (Chain{&c, &b, &a}));
}

TEST(ObjectList, removing_moves_later_instances_down_and_keeps_back_current)
{
    Abc abc;
    abc.list.remove(&abc.b);
    EXPECT_EQ(abc.a.index, 1);
    EXPECT_EQ(abc.c.index, 2);
    EXPECT_EQ(abc.list.count(), 3);
    EXPECT_EQ(abc.list.back, &abc.c);
    ObjectList one;
    FrameObject only(0, 0, 1);
    one.add(&only);
    one.remove(&only);
    EXPECT_EQ(one.back, nullptr);
    EXPECT_EQ(one.count(), 1);
}

TEST(ObjectList, iterators_narrow_the_chain_and_wrapped_reads_cycle_through_it)
{
    Abc abc;
    abc.list.clear_selection();
    for (ObjectIterator it(abc.list); !it.done(); ++it) {
        if (*it == &abc.b)
            it.deselect();
    }
    EXPECT_EQ(chain_of(abc.list), (Chain{&abc.c, &abc.a}));
    EXPECT_EQ(abc.list.get_wrapped_selection(0), &abc.c);
    EXPECT_EQ(abc.list.get_wrapped_selection(1), &abc.a);
    EXPECT_EQ(abc.list.get_wrapped_selection(2), &abc.c);
    EXPECT_EQ(abc.list.get_wrapped_selection(5), &abc.a);
    EXPECT_EQ(abc.list.back_selection(), &abc.c);

    for (ObjectIterator it(abc.list); !it.done(); ++it)
        it.deselect();
    EXPECT_EQ(abc.list.head(), 0);
    EXPECT_EQ(abc.list.back_selection(), &abc.c);
    EXPECT_EQ(abc.list.get_wrapped_selection(0), &abc.c);
    EXPECT_EQ(abc.list.get_wrapped_selection(1), &abc.b);
    EXPECT_EQ(abc.list.get_wrapped_selection(2), &abc.a);
    EXPECT_EQ(abc.list.get_wrapped_selection(3), &abc.c);

    abc.list.clear_selection();
    for (ObjectIterator it(abc.list); !it.done(); ++it) {
        if (*it == &abc.b)
            it.select_single();
    }
    EXPECT_EQ(chain_of(abc.list), Chain{&abc.b});
}

TEST(ObjectList, saved_selections_accumulate_their_union_restore_it_newest_first_and_grow_with_the_list)
{
    Abc abc;
    abc.list.clear_saved_selection();
    abc.list.clear_selection();
    for (ObjectIterator it(abc.list); !it.done(); ++it) {
        if (*it != &abc.c)
            it.deselect();
    }
    abc.list.save_selection();
    abc.list.clear_selection();
    for (ObjectIterator it(abc.list); !it.done(); ++it) {
        if (*it == &abc.c)
            it.deselect();
    }
    abc.list.save_selection();
    abc.list.clear_selection();
    abc.list.empty_selection();
    abc.list.restore_selection();
    EXPECT_EQ(chain_of(abc.list), (Chain{&abc.c, &abc.b, &abc.a}));

    abc.list.clear_saved_selection();
    abc.list.empty_selection();
    abc.list.save_selection();
    abc.list.clear_selection();
    abc.list.restore_selection();
    EXPECT_EQ(chain_of(abc.list), Chain{});

    // An earlier event saved all three; this event's only alternative held
    // for nothing, so it saved nothing, and restoring selects nothing.
    abc.list.clear_selection();
    abc.list.save_selection();
    abc.list.clear_saved_selection();
    abc.list.clear_selection();
    abc.list.restore_selection();
    EXPECT_EQ(chain_of(abc.list), Chain{});

    // A save after a new instance grows the flags.
    abc.list.clear_saved_selection();
    abc.list.empty_selection();
    abc.list.save_selection();
    FrameObject d(0, 0, 1);
    abc.list.add(&d);
    abc.list.clear_selection();
    abc.list.save_selection();
    abc.list.empty_selection();
    abc.list.restore_selection();
    EXPECT_EQ(chain_of(abc.list), (Chain{&d, &abc.c, &abc.b, &abc.a}));
}

TEST(ObjectList, clearing_the_instance_map_empties_every_list)
{
    InstanceMap map;
    FrameObject a(0, 0, 3);
    map[3].add(&a);
    map[3].clear_selection();
    map.clear();
    EXPECT_EQ(map[3].count(), 1);
    EXPECT_EQ(map[3].back, nullptr);
    EXPECT_EQ(map[3].head(), 0);
}

TEST(SavedSelection, snapshots_sit_on_the_shared_stack_in_chain_order)
{
    Abc abc;
    abc.list.clear_selection();
    for (ObjectIterator it(abc.list); !it.done(); ++it) {
        if (*it == &abc.b)
            it.deselect();
    }
    const int top = object_stack_top;
    SavedSelection saved(abc.list);
    EXPECT_EQ(saved.count, 2);
    EXPECT_EQ(saved[0], &abc.c);
    EXPECT_EQ(saved[1], &abc.a);
    EXPECT_EQ(object_stack_top, top + 2);
    EXPECT_EQ(get_single(saved, nullptr), &abc.c);
    saved.release();
    EXPECT_EQ(object_stack_top, top);

    abc.list.empty_selection();
    SavedSelection none(abc.list);
    EXPECT_EQ(get_single(none, &abc.b), &abc.b);
    none.release();

    Group g;
    g.group.clear_selection();
    SavedSelection grouped(g.group);
    EXPECT_EQ(grouped.count, 3);
    EXPECT_EQ(grouped[0], &g.a2);
    EXPECT_EQ(grouped[2], &g.b1);
    grouped.release();
}

TEST(SavedSelection, a_full_stack_refuses_further_entries_with_a_line)
{
    ObjectList many;
    std::vector<std::unique_ptr<FrameObject>> instances;
    for (int i = 0; i < 1100; ++i) {
        instances.push_back(std::make_unique<FrameObject>(0, 0, 1));
        many.add(instances.back().get());
    }
    many.clear_selection();
    const int top = object_stack_top;
    std::string output = console_output_of([&] {
        SavedSelection saved(many);
        EXPECT_EQ(saved.count, object_stack_size - top);
        EXPECT_EQ(object_stack_top, object_stack_size);
        ObjectPairs pairs;
        pairs.add(instances[0].get(), instances[1].get());
        EXPECT_EQ(pairs.count, 0);
        pairs.release();
        saved.release();
    });
    EXPECT_EQ(output, "Object stack full\nObject stack full\n");
    EXPECT_EQ(object_stack_top, top);
}

TEST(QualifierList, groups_count_index_and_walk_their_members_in_order)
{
    Group g;
    EXPECT_EQ(g.group.size(), 3);
    EXPECT_EQ(g.group[0], &g.a1);
    EXPECT_EQ(g.group[1], &g.a2);
    EXPECT_EQ(g.group[2], &g.b1);
    EXPECT_EQ(g.group[3], nullptr);
    EXPECT_EQ(g.group.last, &g.b);

    g.group.clear_selection();
    EXPECT_EQ(walk(g.group), (Chain{&g.a2, &g.a1, &g.b1}));
    EXPECT_EQ(g.group.get_wrapped_selection(0), &g.a2);
    EXPECT_EQ(g.group.get_wrapped_selection(1), &g.a1);
    EXPECT_EQ(g.group.get_wrapped_selection(2), &g.b1);
    EXPECT_EQ(g.group.get_wrapped_selection(3), &g.a2);

    g.group.empty_selection();
    EXPECT_FALSE(g.group.has_selection());
    EXPECT_EQ(walk(g.group), Chain{});
    EXPECT_EQ(g.group.back_selection(), &g.a2);
    EXPECT_EQ(g.group.get_wrapped_selection(0), &g.b1);
    EXPECT_EQ(g.group.get_wrapped_selection(1), &g.a2);
    EXPECT_EQ(g.group.get_wrapped_selection(2), &g.a1);
    EXPECT_EQ(g.group.get_wrapped_selection(3), &g.b1);

    ObjectList empty_a;
    ObjectList* members[3] = {&empty_a, &g.b, nullptr};
    QualifierList other;
    other.set(2, members);
    other.empty_selection();
    EXPECT_EQ(other.back_selection(), &g.b1);
}

TEST(QualifierList, walking_a_group_narrows_its_member_chains)
{
    Group g;
    g.group.clear_selection();
    for (QualifierIterator it(g.group); !it.done(); ++it) {
        if (*it == &g.a1)
            it.deselect();
    }
    EXPECT_EQ(chain_of(g.a), Chain{&g.a2});
    EXPECT_EQ(chain_of(g.b), Chain{&g.b1});
    for (QualifierIterator it(g.group); !it.done(); ++it) {
        if (*it == &g.b1)
            it.select_single();
    }
    EXPECT_EQ(chain_of(g.a), Chain{});
    EXPECT_EQ(chain_of(g.b), Chain{&g.b1});
}

TEST(QualifierList, group_saves_unite_member_selections)
{
    Group g;
    g.group.clear_saved_selection();
    g.group.clear_selection();
    g.a.items[0].next = 2;
    g.a.items[2].next = 0;
    g.b.empty_selection();
    g.group.save_selection();
    g.a.empty_selection();
    g.b.clear_selection();
    g.group.save_selection();
    g.group.clear_selection();
    g.group.restore_selection();
    EXPECT_EQ(chain_of(g.a), Chain{&g.a2});
    EXPECT_EQ(chain_of(g.b), Chain{&g.b1});
}

TEST(ObjectList, a_negative_selection_index_is_refused_with_a_line)
{
    Abc abc;
    Group g;
    std::string output = console_output_of([&] {
        abc.list.clear_selection();
        EXPECT_EQ(abc.list.get_wrapped_selection(-1), nullptr);
        abc.list.empty_selection();
        EXPECT_EQ(abc.list.get_wrapped_selection(-1), nullptr);
        EXPECT_EQ(g.group[-1], nullptr);
        EXPECT_EQ(g.group.get_wrapped_selection(-2), nullptr);
    });
    EXPECT_EQ(output, "Invalid selection index: -1\nInvalid selection index: -1\nInvalid selection index: -1\n"
                      "Invalid selection index: -2\n");
}
