#include "game/frames/event_support.h"

#include "objects/active.h"
#include "runtime/common.h"
#include "runtime/layer.h"

#include <algorithm>

namespace {

// Reads of a missing instance see a fresh object's values; what an event
// writes into it is wiped on the next use.
FrameObject& default_object()
{
    static FrameObject* stand_in = [] {
        FrameObject* object = new FrameObject(0, 0, 0);
        setup_default_instance(object);
        object->create_alterables();
        return object;
    }();
    *stand_in->alterables = Alterables();
    return *stand_in;
}

}  // namespace

FrameObject& instance_or_default(ObjectList& list)
{
    return list.back ? *list.back : default_object();
}

Active& active_or_default(ObjectList& list)
{
    return list.back ? static_cast<Active&>(*list.back) : default_active;
}

void set_value_of_all(ObjectList& list, char name, double number)
{
    for_each_instance(list, [&](FrameObject* object) { set_value(object, name, number); });
}

void select_all_but(QualifierList& group, const QualifierList& kept)
{
    for (int i = 0; i < group.count; ++i) {
        bool shared = false;
        for (int k = 0; k < kept.count; ++k)
            shared = shared || kept.lists[k] == group.lists[i];
        if (!shared)
            group.lists[i]->clear_selection();
    }
}

int layer_index(const FrameObject& object) { return object.layer ? object.layer->index : 0; }

LayerPoint action_point_on_layer(const FrameObject& object)
{
    const int off_x = object.layer ? object.layer->off_x : 0;
    const int off_y = object.layer ? object.layer->off_y : 0;
    return {object.get_action_x() - off_x, object.get_action_y() - off_y};
}

FrameObject* paired_instance(ObjectList& list, int k)
{
    const int n = list.size();
    if (n <= 0 || k < 0)
        return nullptr;
    return list.items[size_t(n - k % n)].obj;
}

FrameObject& paired_or_default(ObjectList& list, int k)
{
    FrameObject* paired = paired_instance(list, k);
    return paired ? *paired : default_object();
}

std::string text_piece(const std::string& text, int64_t start, int64_t length)
{
    const int64_t size = int64_t(text.size());
    if (start < 0 || start >= size || length <= 0)
        return {};
    return text.substr(size_t(start), size_t(std::min(length, size - start)));
}

FrameObject* create_instance(Frame& frame, ObjectList& list, FrameObject* created, int layer)
{
    list.empty_selection();
    return create_another(frame, list, created, layer);
}

FrameObject* create_another(Frame& frame, ObjectList& list, FrameObject* created, int layer)
{
    if (!created)
        return nullptr;
    frame.add_object(created, layer);
    // add_object appended it as the list's last item: link it at the head.
    list.add_back();
    return created;
}

int randrange_event(int event, int n)
{
    const unsigned r = event_random_state(event).step();
    return int(((unsigned(n) & 0xFFFFu) * r) >> 15);
}

FrameObject* pick_random_instance(int event, ObjectList& list)
{
    const int left = drop_unpickable(list);
    if (left == 0)
        return nullptr;
    const unsigned k = (unsigned(left) * event_random_state(event).step()) >> 15;
    return keep_chain_item(list, int(k));
}

FrameObject* pick_random_member(int event, QualifierList& group)
{
    return pick_random_with(group, [event] { return event_random_state(event).step(); });
}
