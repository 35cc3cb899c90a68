// Object pools, every kind's release into its own pool, and the default
// instances that stand in for missing ones.
#include "base/pools.h"
#include "objects/active.h"
#include "objects/advdir.h"
#include "objects/backdrop.h"
#include "objects/counter.h"
#include "objects/layerext.h"
#include "objects/quickbackdrop.h"
#include "objects/steamext.h"
#include "objects/stringparser.h"
#include "objects/systembox.h"
#include "objects/text.h"
#include "objects/textblitter.h"
#include "objects/windowcontrol.h"
#include "runtime/layer.h"
#include "tests/objects/object_fixtures.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
// Releases a fresh instance of a kind and checks that its slot is the next
// one handed out. Kinds with a shape get one if they have none yet; the
// sanitizer's leak check sees one that dealloc leaves behind.
template <class Kind>
void expect_dealloc_returns_slot(bool with_shape = false)
{
    void* slot = object_pool<Kind>.create();
    Kind* object = new (slot) Kind(1, 2, 7);
    if (with_shape && !object->collision)
        object->collision = new InstanceBox(object);
    const int free_count = object_pool<Kind>.get_free_count();
    object->dealloc();
    EXPECT_EQ(object_pool<Kind>.get_free_count(), free_count + 1);
    EXPECT_EQ(object_pool<Kind>.create(), slot);
    object_pool<Kind>.destroy(slot);
}
}  // namespace

TEST(ObjectPool, grows_by_doubling_blocks_and_hands_out_the_last_freed_slot_first)
{
    struct Slot {
        char bytes[24];
    };
    ObjectPool<Slot> pool;
    std::vector<char*> slots;
    for (int i = 0; i < 32; ++i)
        slots.push_back(static_cast<char*>(pool.create()));
    EXPECT_EQ(pool.get_total(), 32);
    for (int i = 1; i < 32; ++i)
        EXPECT_EQ(slots[size_t(i)], slots[0] - i * int(sizeof(Slot)));  // descending through one block
    EXPECT_EQ(pool.get_free_count(), 0);

    char* first_of_second = static_cast<char*>(pool.create());
    EXPECT_EQ(pool.get_total(), 96);
    EXPECT_EQ(pool.get_free_count(), 63);
    EXPECT_EQ(pool.get_block_size(), 128);

    pool.destroy(slots[5]);
    pool.destroy(slots[9]);
    EXPECT_EQ(pool.create(), slots[9]);
    EXPECT_EQ(pool.create(), slots[5]);

    for (char* slot : slots)
        pool.destroy(slot);
    pool.destroy(first_of_second);
    pool.destroy(nullptr);
    EXPECT_EQ(pool.get_free_count(), pool.get_total());
}

TEST(ObjectPool, dealloc_returns_each_kinds_slot_to_its_own_pool_for_the_next_create)
{
    AnimationTable table;
    table.add(0, 0, 1, 0, -1);
    Active* first = make_active(table.get());
    first->dealloc();
    Active* second = make_active(table.get());
    EXPECT_EQ(second, first);
    second->dealloc();

    expect_dealloc_returns_slot<Backdrop>(true);
    expect_dealloc_returns_slot<QuickBackdrop>(true);
    expect_dealloc_returns_slot<Counter>(true);
    expect_dealloc_returns_slot<SystemBox>(true);
    expect_dealloc_returns_slot<Text>(true);
    expect_dealloc_returns_slot<TextBlitter>(true);
    expect_dealloc_returns_slot<AdvancedDirection>();
    expect_dealloc_returns_slot<LayerObject>();
    expect_dealloc_returns_slot<SteamObject>();
    expect_dealloc_returns_slot<StringParser>();
    expect_dealloc_returns_slot<WindowControl>();
}

TEST(DefaultInstances, are_built_once_as_boxes_of_size_0_on_the_default_layer_with_alterables)
{
    const FrameObject* defaults[] = {&default_active, &default_instance, &default_blitter};
    for (const FrameObject* object : defaults) {
        EXPECT_EQ(object->x, 0);
        EXPECT_EQ(object->width, 0);
        EXPECT_EQ(object->layer, &default_layer());
        ASSERT_NE(object->alterables, nullptr);
        EXPECT_EQ(object->alterables->values.get(0), 0.0);
        ASSERT_NE(object->collision, nullptr);
        EXPECT_EQ(object->collision->type, INSTANCE_BOX);
        EXPECT_EQ(object->collision->proxy, -1);
    }
    EXPECT_EQ(default_active.collision->flags, BOX_COLLISION);
    EXPECT_EQ(default_instance.id, 0);
    EXPECT_EQ(default_blitter.image, &empty_image);
}
