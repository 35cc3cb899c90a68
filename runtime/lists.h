// Per-type instance lists with their selection chains, object groups
// (qualifiers), their iterators, and the shared stack of saved selections.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class FrameObject;

struct ObjectListItem {
    FrameObject* obj;
    int next;  // next item of the selection chain; 0 ends it
};

class ObjectList {
public:
    FrameObject* back = nullptr;
    std::vector<ObjectListItem> items;  // item 0 is the sentinel; its next is the chain head
    int saved_head = 0;
    std::vector<int> saved_flags;

    ObjectList();

    int size() const { return int(items.size()) - 1; }  // instances
    int count() const { return int(items.size()); }      // items, sentinel included
    int head() const { return items[0].next; }
    bool has_selection() const { return items[0].next != 0; }
    void empty_selection() { items[0].next = 0; }

    void add(FrameObject* obj);
    void remove(FrameObject* obj);
    // Removal of many at once: each leaving instance is marked (false when it
    // is not in the list), then one pass closes every gap. Until that pass
    // the marked items hold null.
    bool mark_removed(FrameObject* obj);
    void remove_marked();
    int marked_count() const { return marked; }
    void clear_selection();
    void add_back();
    FrameObject* back_selection() const;
    FrameObject* get_wrapped_selection(int index) const;
    // The instance `index` places before the newest, wrapping, whatever the
    // selection (the order of a full selection); null for an empty list.
    FrameObject* wrapped_instance(int index) const;
    void save_selection();
    void restore_selection();
    void clear_saved_selection();
    // Cuts the list back to its sentinel, keeping storage and the saved selection.
    void clear();

private:
    int marked = 0;
};

// Walks a chain through the list, never through a pointer into its items: an
// event may add instances while it walks, and the storage may move. Added
// instances have higher indexes than any item the chain still leads to, so
// the walk does not reach them.
class ObjectIterator {
public:
    ObjectList* list;
    int current;
    int previous = 0;
    bool current_kept = true;
    int steps = 0;

    explicit ObjectIterator(ObjectList& walked) : list(&walked), current(walked.head()) {}

    bool done() const { return current == 0; }
    FrameObject* operator*() const { return item(current).obj; }
    void operator++()
    {
        ++steps;
        if (current_kept)
            previous = current;
        current = item(current).next;
        current_kept = true;
    }
    void deselect()
    {
        item(previous).next = item(current).next;
        current_kept = false;
    }
    void select_single()
    {
        item(0).next = current;
        item(current).next = 0;
    }

private:
    ObjectListItem& item(int k) const { return list->items[size_t(k)]; }
};

constexpr int max_object_types = 328;

struct InstanceMap {
    ObjectList lists[max_object_types];

    ObjectList& operator[](int type_id) { return lists[type_id]; }
    const ObjectList& operator[](int type_id) const { return lists[type_id]; }
    void clear();
};

// The shared last-in-first-out stack of saved selections and collision pairs.
constexpr int object_stack_size = 1024;
extern FrameObject* object_stack[object_stack_size];
extern int object_stack_top;
// Pushes one entry; a full stack writes one line and drops the entry.
bool push_object_stack(FrameObject* obj);

// Selection indexes count from 0; a negative one writes a line and names nothing.
bool valid_selection_index(int index);

class QualifierList;

struct SavedSelection {
    int count = 0;
    FrameObject** start;

    explicit SavedSelection(ObjectList& list);
    explicit SavedSelection(QualifierList& group);
    FrameObject* operator[](int i) const { return start[i]; }
    // Gives the record's entries back to the stack.
    void release() { object_stack_top -= count; }
};

struct ObjectPairs {
    int count = 0;
    FrameObject** start;

    ObjectPairs() : start(object_stack + object_stack_top) {}
    void add(FrameObject* a, FrameObject* b);
    void release() { object_stack_top -= count; }
};

FrameObject* get_single(SavedSelection& saved, FrameObject* fallback);

class QualifierList {
public:
    int count = 0;
    ObjectList** lists = nullptr;  // null-terminated
    ObjectList* last = nullptr;

    QualifierList() = default;
    // What a frame set-up stores on entry.
    void set(int member_count, ObjectList** member_lists);

    int size() const;
    FrameObject* operator[](int index) const;
    void clear_selection();
    void empty_selection();
    bool has_selection() const;
    FrameObject* back_selection() const;
    FrameObject* get_wrapped_selection(int index) const;
    void save_selection();
    void restore_selection();
    void clear_saved_selection();
};

// Walks the members through the lists themselves, as ObjectIterator does.
class QualifierIterator {
public:
    ObjectList** lists;
    ObjectList* list = nullptr;  // the member being walked; null when the walk has ended
    int list_index = 0;
    int current = 0;
    int previous = 0;
    bool current_kept = true;
    int steps = 0;

    explicit QualifierIterator(QualifierList& group);

    bool done() const { return list == nullptr; }
    FrameObject* operator*() const { return item(current).obj; }
    void next_list();
    void operator++();
    void deselect()
    {
        item(previous).next = item(current).next;
        current_kept = false;
    }
    void select_single();

private:
    ObjectListItem& item(int k) const { return list->items[size_t(k)]; }
};
