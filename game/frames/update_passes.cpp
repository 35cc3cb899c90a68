#include "game/frames/update_passes.h"

#include "objects/active.h"
#include "objects/textblitter.h"
#include "runtime/frameobject.h"
#include "runtime/movement.h"

#include <cstddef>

namespace {

// What a pass does to an instance outside its layer's inactive box before
// the rest of its work.
enum class Outside {
    ignored,      // updated wherever it is
    deactivated,  // update_inactive
    killed,       // update_kill: also destroyed outside the kill box
};

using InstanceUpdate = void (*)(FrameObject* object);

void animate(FrameObject* object)
{
    static_cast<Active*>(object)->update();
}

void step_movement(FrameObject* object)
{
    if (object->movement)
        object->movement->update();
}

void animate_and_move(FrameObject* object)
{
    animate(object);
    step_movement(object);
}

void update_text(FrameObject* object)
{
    static_cast<TextBlitter*>(object)->update();
}

// Walks by item position rather than through the selection chain, which it
// leaves alone. The item count is read again after every processed instance,
// so instances added to the list by an update are updated in this pass too.
template <Outside outside, InstanceUpdate update>
void walk(ObjectList** lists, int count)
{
    for (int i = 0; i < count; ++i) {
        ObjectList& list = *lists[i];
        int items = list.count();
        for (int k = 1; k < items; ++k) {
            FrameObject* object = list.items[size_t(k)].obj;
            if (object->flags & FrameObject::DESTROYING)
                continue;
            if constexpr (outside == Outside::deactivated)
                object->update_inactive();
            if constexpr (outside == Outside::killed)
                object->update_kill();
            if (outside == Outside::ignored || !(object->flags & FrameObject::INACTIVE))
                update(object);
            items = list.count();
        }
    }
}

}  // namespace

void update_textblitter_1(ObjectList** lists, int count)
{
    walk<Outside::deactivated, update_text>(lists, count);
}

void update_textblitter_5(ObjectList** lists, int count)
{
    walk<Outside::killed, update_text>(lists, count);
}

void update_active_6(ObjectList** lists, int count)
{
    walk<Outside::ignored, animate_and_move>(lists, count);
}

void update_active_7(ObjectList** lists, int count)
{
    walk<Outside::killed, animate_and_move>(lists, count);
}

void update_active_2(ObjectList** lists, int count)
{
    walk<Outside::killed, animate>(lists, count);
}

void update_active_3(ObjectList** lists, int count)
{
    walk<Outside::deactivated, animate>(lists, count);
}

void update_active_0(ObjectList** lists, int count)
{
    walk<Outside::ignored, animate>(lists, count);
}

void update_counter_4(ObjectList** lists, int count)
{
    walk<Outside::ignored, step_movement>(lists, count);
}

void update_active_8(ObjectList** lists, int count)
{
    walk<Outside::deactivated, animate_and_move>(lists, count);
}

void fill_update_table(InstanceMap& instances, ObjectList** table)
{
    for (int i = 0; i < update_list_count; ++i)
        table[i] = &instances[update_table_type_ids[i]];
}

void run_update_passes(ObjectList** table)
{
    for (const UpdateSlice& slice : update_slices)
        slice.pass(table + slice.first, slice.count);
}
