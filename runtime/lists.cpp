#include "runtime/lists.h"

#include "console/os.h"
#include "runtime/frameobject.h"

FrameObject* object_stack[object_stack_size];
int object_stack_top = 0;

bool push_object_stack(FrameObject* obj)
{
    if (object_stack_top >= object_stack_size) {
        OSReport("Object stack full\n");
        return false;
    }
    object_stack[object_stack_top++] = obj;
    return true;
}

// ObjectList -----------------------------------------------------------------

ObjectList::ObjectList() : items{{nullptr, 0}}
{
}

void ObjectList::add(FrameObject* obj)
{
    obj->index = count();
    items.push_back({obj, 0});
    back = obj;
}

void ObjectList::remove(FrameObject* obj)
{
    if (mark_removed(obj))
        remove_marked();
}

bool ObjectList::mark_removed(FrameObject* obj)
{
    // Backdrops of the shared type never join a list: releasing one must not
    // take another item (or the sentinel) with it.
    if (obj->index < 1 || obj->index >= count() || items[size_t(obj->index)].obj != obj)
        return false;
    items[size_t(obj->index)].obj = nullptr;
    ++marked;
    return true;
}

void ObjectList::remove_marked()
{
    if (marked == 0)
        return;
    // The instances move down over the gaps; the items' links stay in place.
    size_t kept = 1;
    for (size_t k = 1; k < items.size(); ++k) {
        FrameObject* obj = items[k].obj;
        if (!obj)
            continue;
        items[kept].obj = obj;
        obj->index = int(kept);
        ++kept;
    }
    items.resize(kept);
    marked = 0;
    back = items.back().obj;
    // The chain no longer matches the moved items; every user reselects
    // before reading it, and an empty chain is the safe thing to leave.
    items[0].next = 0;
}

void ObjectList::clear_selection()
{
    const int n = count();
    items[0].next = n - 1;
    for (int k = 1; k < n; ++k)
        items[size_t(k)].next = k - 1;
}

void ObjectList::add_back()
{
    const int last_item = count() - 1;
    items[size_t(last_item)].next = items[0].next;
    items[0].next = last_item;
}

FrameObject* ObjectList::back_selection() const
{
    const int first = head();
    return first != 0 ? items[size_t(first)].obj : back;
}

bool valid_selection_index(int index)
{
    if (index >= 0)
        return true;
    OSReport("Invalid selection index: %d\n", index);
    return false;
}

FrameObject* ObjectList::get_wrapped_selection(int index) const
{
    if (!valid_selection_index(index))
        return nullptr;
    const int first = head();
    if (first == 0)
        return wrapped_instance(index);
    int item = first;
    while (index != 0) {
        item = items[size_t(item)].next;
        if (item == 0)
            item = first;
        --index;
    }
    return items[size_t(item)].obj;
}

FrameObject* ObjectList::wrapped_instance(int index) const
{
    const int n = size();
    if (n == 0 || !valid_selection_index(index))
        return nullptr;
    return items[size_t(n - index % n)].obj;
}

void ObjectList::save_selection()
{
    if (saved_flags.empty()) {
        saved_flags.assign(size_t(count()), 0);
        saved_head = head();
    } else if (unsigned(head()) > unsigned(saved_head)) {
        saved_head = head();
    }
    for (int k = head(); k != 0; k = items[size_t(k)].next) {
        // An instance added after the first save grows the flags.
        if (size_t(k) > saved_flags.size())
            saved_flags.resize(size_t(k), 0);
        saved_flags[size_t(k - 1)] = 1;
    }
}

void ObjectList::restore_selection()
{
    // Nothing saved since the last clear: the saved head is stale, and the
    // union of no selections is an empty chain.
    int last_linked = 0;
    if (!saved_flags.empty()) {
        const int top = saved_head < count() ? saved_head : count() - 1;
        for (int k = top; k >= 1; --k) {
            if (size_t(k - 1) < saved_flags.size() && saved_flags[size_t(k - 1)]) {
                items[size_t(last_linked)].next = k;
                last_linked = k;
            }
        }
    }
    items[size_t(last_linked)].next = 0;
}

void ObjectList::clear_saved_selection()
{
    saved_flags.clear();
}

void ObjectList::clear()
{
    back = nullptr;
    marked = 0;
    items.resize(1);
    items[0].next = 0;
}

void InstanceMap::clear()
{
    for (ObjectList& list : lists)
        list.clear();
}

// Saved selections -------------------------------------------------------------

namespace {
// Pushes a chain on the stack, counting the entries; false once the stack is full.
bool push_chain(const ObjectList& list, int& count)
{
    for (int k = list.head(); k != 0; k = list.items[size_t(k)].next) {
        if (!push_object_stack(list.items[size_t(k)].obj))
            return false;
        ++count;
    }
    return true;
}
}  // namespace

SavedSelection::SavedSelection(ObjectList& list) : start(object_stack + object_stack_top)
{
    push_chain(list, count);
}

SavedSelection::SavedSelection(QualifierList& group) : start(object_stack + object_stack_top)
{
    for (ObjectList** member = group.lists; member && *member; ++member) {
        if (!push_chain(**member, count))
            return;
    }
}

void ObjectPairs::add(FrameObject* a, FrameObject* b)
{
    if (object_stack_top + 2 > object_stack_size) {
        OSReport("Object stack full\n");
        return;
    }
    push_object_stack(a);
    push_object_stack(b);
    count += 2;
}

FrameObject* get_single(SavedSelection& saved, FrameObject* fallback)
{
    return saved.count > 0 ? saved.start[0] : fallback;
}

// QualifierList ------------------------------------------------------------------

void QualifierList::set(int member_count, ObjectList** member_lists)
{
    count = member_count;
    lists = member_lists;
    last = member_count > 0 ? member_lists[member_count - 1] : nullptr;
}

int QualifierList::size() const
{
    int total = 0;
    for (int i = 0; i < count; ++i)
        total += lists[i]->size();
    return total;
}

FrameObject* QualifierList::operator[](int index) const
{
    if (!valid_selection_index(index))
        return nullptr;
    for (int i = 0; i < count; ++i) {
        const int n = lists[i]->size();
        if (index < n)
            return lists[i]->items[size_t(index + 1)].obj;
        index -= n;
    }
    return nullptr;
}

void QualifierList::clear_selection()
{
    for (int i = 0; i < count; ++i)
        lists[i]->clear_selection();
}

void QualifierList::empty_selection()
{
    for (int i = 0; i < count; ++i)
        lists[i]->empty_selection();
}

bool QualifierList::has_selection() const
{
    for (int i = 0; i < count; ++i) {
        if (lists[i]->has_selection())
            return true;
    }
    return false;
}

FrameObject* QualifierList::back_selection() const
{
    FrameObject* newest = nullptr;
    for (int i = 0; i < count; ++i) {
        const ObjectList& list = *lists[i];
        if (list.has_selection())
            return list.items[size_t(list.head())].obj;
        if (!newest)
            newest = list.back;
    }
    return newest;
}

FrameObject* QualifierList::get_wrapped_selection(int index) const
{
    if (!valid_selection_index(index))
        return nullptr;
    int first_member = -1;
    for (int i = 0; i < count; ++i) {
        if (lists[i]->has_selection()) {
            first_member = i;
            break;
        }
    }
    if (first_member < 0) {
        const int n = size();
        if (n == 0)
            return nullptr;
        return (*this)[n - index % n - 1];
    }
    int member = first_member;
    int item = lists[member]->head();
    while (index != 0) {
        item = lists[member]->items[size_t(item)].next;
        while (item == 0) {
            member = member + 1 < count ? member + 1 : first_member;
            item = lists[member]->head();
        }
        --index;
    }
    return lists[member]->items[size_t(item)].obj;
}

void QualifierList::save_selection()
{
    for (int i = 0; i < count; ++i)
        lists[i]->save_selection();
}

void QualifierList::restore_selection()
{
    for (int i = 0; i < count; ++i)
        lists[i]->restore_selection();
}

void QualifierList::clear_saved_selection()
{
    for (int i = 0; i < count; ++i)
        lists[i]->clear_saved_selection();
}

// QualifierIterator --------------------------------------------------------------

QualifierIterator::QualifierIterator(QualifierList& group) : lists(group.lists)
{
    next_list();
}

void QualifierIterator::next_list()
{
    list = nullptr;
    if (!lists)
        return;
    for (; lists[list_index]; ++list_index) {
        if (lists[list_index]->has_selection()) {
            list = lists[list_index];
            current = list->head();
            return;
        }
    }
}

void QualifierIterator::operator++()
{
    ++steps;
    if (current_kept)
        previous = current;
    current = item(current).next;
    current_kept = true;
    if (current == 0) {
        ++list_index;
        previous = 0;
        next_list();
    }
}

void QualifierIterator::select_single()
{
    for (int i = 0; lists[i]; ++i) {
        if (i != list_index)
            lists[i]->empty_selection();
    }
    item(0).next = current;
    item(current).next = 0;
}
