// Selection chains: narrowing, saving and restoring, object groups, walks
// that add instances, and the shared stack of saved selections.
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

// What get_wrapped_selection answers for each index.
template <class List>
Chain wrapped(const List& list, std::initializer_list<int> indexes)
{
    Chain answers;
    for (int index : indexes)
        answers.push_back(list.get_wrapped_selection(index));
    return answers;
}

// Walks the chain and unlinks every instance `drop` names.
template <class Drop>
void narrow(ObjectList& list, Drop drop)
{
    for (ObjectIterator it(list); !it.done(); ++it) {
        if (drop(*it))
            it.deselect();
    }
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

    // Removing B moves C down.
    abc.list.remove(&abc.b);
    EXPECT_EQ(abc.a.index, 1);
    EXPECT_EQ(abc.c.index, 2);
    EXPECT_EQ(abc.list.count(), 3);
    EXPECT_EQ(abc.list.back, &abc.c);

    // A new instance is not selected until add_back links it in.
    ObjectList two;
    FrameObject a(0, 0, 1), b(0, 0, 1), c(0, 0, 1);
    two.add(&a);
    two.add(&b);
    two.clear_selection();
    two.add(&c);
    EXPECT_EQ(chain_of(two), (Chain{&b, &a}));
    two.add_back();
    EXPECT_EQ(chain_of(two), (Chain{&c, &b, &a}));
    ObjectList one;
    one.add(&a);
    one.remove(&a);
    EXPECT_EQ(one.back, nullptr);
    EXPECT_EQ(one.count(), 1);

    InstanceMap map;
    map[3].add(&a);
    map[3].clear_selection();
    map.clear();
    EXPECT_EQ(map[3].count(), 1);
    EXPECT_EQ(map[3].back, nullptr);
    EXPECT_EQ(map[3].head(), 0);
}


TEST(ObjectList, many_removals_close_every_gap_in_one_pass_and_leave_the_links_in_place)
{
    FrameObject objects[6] = {{0, 0, 1}, {0, 0, 1}, {0, 0, 1}, {0, 0, 1}, {0, 0, 1}, {0, 0, 1}};
    FrameObject stranger(0, 0, 1);
    ObjectList list;
    for (FrameObject& object : objects)
        list.add(&object);
    list.clear_selection();
    EXPECT_TRUE(list.mark_removed(&objects[4]));
    EXPECT_TRUE(list.mark_removed(&objects[0]));
    // A second mark, an instance of no list and one of another list are refused.
    EXPECT_FALSE(list.mark_removed(&objects[0]));
    EXPECT_FALSE(list.mark_removed(&stranger));
    ObjectList other;
    other.add(&stranger);
    EXPECT_FALSE(list.mark_removed(&stranger));
    EXPECT_EQ(list.marked_count(), 2);
    EXPECT_EQ(list.items[1].obj, nullptr);
    list.remove_marked();
    EXPECT_EQ(list.marked_count(), 0);
    ASSERT_EQ(list.count(), 5);
    const FrameObject* expected[] = {&objects[1], &objects[2], &objects[3], &objects[5]};
    for (int k = 1; k < 5; ++k) {
        EXPECT_EQ(list.items[size_t(k)].obj, expected[k - 1]);
        EXPECT_EQ(list.items[size_t(k)].obj->index, k);
        // The links of the items that stay are those clear_selection gave them.
        EXPECT_EQ(list.items[size_t(k)].next, k - 1);
    }
    EXPECT_EQ(list.back, &objects[5]);
    EXPECT_EQ(list.head(), 0);
    // Nothing marked: nothing moves, and the chain is kept.
    list.clear_selection();
    list.remove_marked();
    EXPECT_EQ(list.head(), 4);
}
TEST(ObjectList, iterators_narrow_the_chain_and_wrapped_reads_cycle_through_it)
{
    Abc abc;
    abc.list.clear_selection();
    narrow(abc.list, [&](FrameObject* o) { return o == &abc.b; });
    EXPECT_EQ(chain_of(abc.list), (Chain{&abc.c, &abc.a}));
    EXPECT_EQ(wrapped(abc.list, {0, 1, 2, 5}), (Chain{&abc.c, &abc.a, &abc.c, &abc.a}));
    EXPECT_EQ(abc.list.back_selection(), &abc.c);

    narrow(abc.list, [](FrameObject*) { return true; });
    EXPECT_EQ(abc.list.head(), 0);
    EXPECT_EQ(abc.list.back_selection(), &abc.c);
    EXPECT_EQ(wrapped(abc.list, {0, 1, 2, 3}), (Chain{&abc.c, &abc.b, &abc.a, &abc.c}));

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
    narrow(abc.list, [&](FrameObject* o) { return o != &abc.c; });
    abc.list.save_selection();
    abc.list.clear_selection();
    narrow(abc.list, [&](FrameObject* o) { return o == &abc.c; });
    abc.list.save_selection();
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

TEST(SavedSelection, snapshots_sit_on_the_shared_stack_in_chain_order_and_a_full_stack_refuses_with_a_line)
{
    Abc abc;
    abc.list.clear_selection();
    narrow(abc.list, [&](FrameObject* o) { return o == &abc.b; });
    const int top = object_stack_top;
    SavedSelection saved(abc.list);
    EXPECT_EQ(saved.count, 2);
    EXPECT_EQ((Chain{saved[0], saved[1]}), (Chain{&abc.c, &abc.a}));
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
    EXPECT_EQ((Chain{grouped[0], grouped[1], grouped[2]}), (Chain{&g.a2, &g.a1, &g.b1}));
    grouped.release();

    ObjectList many;
    std::vector<std::unique_ptr<FrameObject>> instances;
    for (int i = 0; i < 1100; ++i) {
        instances.push_back(std::make_unique<FrameObject>(0, 0, 1));
        many.add(instances.back().get());
    }
    many.clear_selection();
    std::string output = console_output_of([&] {
        SavedSelection full(many);
        EXPECT_EQ(full.count, object_stack_size - top);
        EXPECT_EQ(object_stack_top, object_stack_size);
        ObjectPairs pairs;
        pairs.add(instances[0].get(), instances[1].get());
        EXPECT_EQ(pairs.count, 0);
        pairs.release();
        full.release();
    });
    EXPECT_EQ(output, "Object stack full\nObject stack full\n");
    EXPECT_EQ(object_stack_top, top);
}

TEST(QualifierList, groups_count_index_and_walk_their_members_in_order)
{
    Group g;
    EXPECT_EQ(g.group.size(), 3);
    EXPECT_EQ((Chain{g.group[0], g.group[1], g.group[2], g.group[3]}), (Chain{&g.a1, &g.a2, &g.b1, nullptr}));
    EXPECT_EQ(g.group.last, &g.b);

    g.group.clear_selection();
    EXPECT_EQ(walk(g.group), (Chain{&g.a2, &g.a1, &g.b1}));
    EXPECT_EQ(wrapped(g.group, {0, 1, 2, 3}), (Chain{&g.a2, &g.a1, &g.b1, &g.a2}));

    g.group.empty_selection();
    EXPECT_FALSE(g.group.has_selection());
    EXPECT_EQ(walk(g.group), Chain{});
    EXPECT_EQ(g.group.back_selection(), &g.a2);
    EXPECT_EQ(wrapped(g.group, {0, 1, 2, 3}), (Chain{&g.b1, &g.a2, &g.a1, &g.b1}));

    ObjectList empty_a;
    ObjectList* members[3] = {&empty_a, &g.b, nullptr};
    QualifierList other;
    other.set(2, members);
    other.empty_selection();
    EXPECT_EQ(other.back_selection(), &g.b1);
}

TEST(QualifierList, walking_narrows_the_member_chains_and_saves_unite_them)
{
    Group g;
    g.group.clear_selection();
    for (QualifierIterator it(g.group); !it.done(); ++it) {
        if (*it == &g.a1)
            it.deselect();
    }
    EXPECT_EQ(chain_of(g.a), Chain{&g.a2});
    EXPECT_EQ(chain_of(g.b), Chain{&g.b1});
    g.group.clear_selection();
    for (QualifierIterator it(g.group); !it.done(); ++it) {
        if (*it == &g.b1)
            it.select_single();
    }
    EXPECT_EQ(chain_of(g.a), Chain{});
    EXPECT_EQ(chain_of(g.b), Chain{&g.b1});

    g.group.clear_saved_selection();
    g.group.clear_selection();
    narrow(g.a, [&](FrameObject* o) { return o == &g.a1; });
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

namespace {
// Adds instances of one type to a running frame, as an event's create action
// does, until the list's storage has had to move.
void add_until_storage_moves(Frame& frame, int type_id, bool create_action)
{
    ObjectList& list = frame.instances[type_id];
    const size_t capacity = list.items.capacity();
    while (list.items.capacity() == capacity) {
        if (create_action)
            list.empty_selection();
        frame.add_object(make_instance(0, 0, type_id), 0);
        if (create_action)
            list.add_back();
    }
}

Chain add_instances(Frame& frame, int type_id, int count)
{
    Chain added;
    for (int i = 0; i < count; ++i)
        added.push_back(frame.add_object(make_instance(0, 0, type_id), 0));
    return added;
}
}  // namespace

TEST(ObjectList, a_walk_survives_instances_added_to_its_lists_and_does_not_visit_them)
{
    RunningFrame<> running(640, 480, 1);
    Frame& frame = running.frame;
    ObjectList& list = frame.instances[5];
    const Chain old = add_instances(frame, 5, 3);  // a, b, c

    // Everything selected; the walk deselects b after the storage moved.
    list.clear_selection();
    Chain visited;
    for (ObjectIterator it(list); !it.done(); ++it) {
        visited.push_back(*it);
        if (*it == old[2])
            add_until_storage_moves(frame, 5, false);
        if (*it == old[1])
            it.deselect();
    }
    EXPECT_EQ(visited, (Chain{old[2], old[1], old[0]}));
    EXPECT_EQ(chain_of(list), (Chain{old[2], old[0]}));

    // A narrowed selection, with create actions (which relink the chain) at every visit.
    list.clear_selection();
    narrow(list, [&](FrameObject* o) { return o == old[1] || o->index > 3; });
    visited.clear();
    for (ObjectIterator it(list); !it.done(); ++it) {
        visited.push_back(*it);
        add_until_storage_moves(frame, 5, true);
    }
    EXPECT_EQ(visited, (Chain{old[2], old[0]}));
    EXPECT_EQ(chain_of(list), Chain{list.back});

    // A group of types 6 and 7, all selected and then narrowed, each member
    // growing while it and while the other member is walked.
    ObjectList* members[3] = {&frame.instances[6], &frame.instances[7], nullptr};
    QualifierList group;
    group.set(2, members);
    const Chain six = add_instances(frame, 6, 2);
    const Chain seven = add_instances(frame, 7, 2);
    const auto walk_growing = [&](QualifierList& g) {
        Chain seen;
        for (QualifierIterator it(g); !it.done(); ++it) {
            seen.push_back(*it);
            add_until_storage_moves(frame, (*it)->id, false);
            add_until_storage_moves(frame, 6, false);
            if (*it == six[0] || *it == seven[1])
                it.deselect();
        }
        return seen;
    };
    group.clear_selection();
    EXPECT_EQ(walk_growing(group), (Chain{six[1], six[0], seven[1], seven[0]}));
    EXPECT_EQ(chain_of(frame.instances[6]), Chain{six[1]});
    EXPECT_EQ(chain_of(frame.instances[7]), Chain{seven[0]});
    EXPECT_EQ(walk_growing(group), (Chain{six[1], seven[0]}));
    EXPECT_EQ(chain_of(frame.instances[6]), Chain{six[1]});
    EXPECT_EQ(chain_of(frame.instances[7]), Chain{seven[0]});
}
