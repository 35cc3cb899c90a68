#include "game/frames/event_support.h"

#include "runtime/common.h"

FrameObject& instance_or_default(ObjectList& list)
{
    if (list.back)
        return *list.back;
    // Reads of a missing instance see a fresh object's values; what an event
    // writes into it is wiped on the next use.
    static FrameObject* stand_in = [] {
        FrameObject* object = new FrameObject(0, 0, 0);
        setup_default_instance(object);
        object->create_alterables();
        return object;
    }();
    *stand_in->alterables = Alterables();
    return *stand_in;
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
