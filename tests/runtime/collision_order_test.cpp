// The collision passes over busy scenes: the order of the callbacks and every
// event word after each pass, checked against the plain pairwise walk over
// the same instances and pinned by a digest of a whole run.
#include "tests/runtime/collision_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {
using Pairs = std::vector<std::pair<FrameObject*, FrameObject*>>;

// A box that reports the box it had before its last move, as the animated kind does.
class SavedBoxInstance : public BoxInstance {
public:
    int saved[4] = {};
    using BoxInstance::BoxInstance;
    const int* get_alternate_box() const override { return saved; }
    void dealloc() override
    {
        this->~SavedBoxInstance();
        object_pool<SavedBoxInstance>.destroy(this);
    }
};

class OrderFrame : public PlainFrame {
public:
    Pairs fired;
    int tick = 0;
    std::vector<FrameObject*> created;
    // Destroys some second instances and adds a box now and then: neither
    // changes the pass that is running.
    void on_contact()
    {
        fired.emplace_back(col_instance_1, col_instance_2);
        const int n = int(fired.size()) + tick;
        if (n % 5 == 0)
            col_instance_2->destroy();
        if (n % 11 == 0) {
            FrameObject* added = add_object(make_box(col_instance_1->x + 3, col_instance_1->y, 12, 20, 20), 0);
            created.push_back(added);
        }
    }
};

const Frame::CollisionCallback order_contact = static_cast<Frame::CollisionCallback>(&OrderFrame::on_contact);

uint32_t random_state = 1;
int next_random(int below)
{
    random_state = random_state * 1103515245u + 12345u;
    return int((random_state >> 8) % uint32_t(below));
}

// The pairwise walk as the collision rule states it, on copies of the words:
// the pairs it fires and the words it leaves.
struct Expected {
    Pairs pairs;
    std::unordered_map<FrameObject*, uint32_t> words;
};

std::vector<FrameObject*> side_instances(ObjectList* const* lists, int count)
{
    std::vector<FrameObject*> out;
    for (int i = 0; i < count; ++i) {
        for (int k = 1; k < lists[i]->count(); ++k)
            out.push_back(lists[i]->items[size_t(k)].obj);
    }
    return out;
}

Expected pairwise_walk(const std::vector<FrameObject*>& a, const std::vector<FrameObject*>& b, uint32_t mask_a,
                       uint32_t mask_b)
{
    Expected out;
    for (FrameObject* object : a)
        out.words[object] = object->collision_events;
    for (FrameObject* object : b)
        out.words[object] = object->collision_events;
    const size_t room = size_t(object_stack_size - object_stack_top) / 2;
    std::vector<bool> marks(b.size(), false);
    for (FrameObject* first : a) {
        bool touched = false;
        for (size_t j = 0; j < b.size(); ++j) {
            FrameObject* second = b[j];
            if (second == first || !first->overlaps(second))
                continue;
            marks[j] = true;
            touched = true;
            if ((out.words[first] & mask_a) && (out.words[second] & mask_b))
                continue;
            if (out.pairs.size() == room)
                continue;
            out.pairs.emplace_back(first, second);
            out.words[first] |= mask_a;
            out.words[second] |= mask_b;
        }
        if (!touched)
            out.words[first] &= ~mask_a;
    }
    for (size_t j = 0; j < b.size(); ++j) {
        if (!marks[j])
            out.words[b[j]] &= ~mask_b;
    }
    return out;
}

// A scene of four types over two layers of a frame of 8 x 5 grid cells:
// boxes of many sizes, masked sprites, boxes read at their saved place,
// instances without a shape, some inactive, some outside the frame.
struct Scene : RunningFrame<OrderFrame> {
    std::unique_ptr<Image> ring{make_ring_image()};
    std::vector<FrameObject*> all;
    std::unordered_map<const FrameObject*, int> serials;
    int next_serial = 0;
    uint32_t digest = 2166136261u;
    size_t fired = 0;

    Scene() : RunningFrame(2000, 1200, 2)
    {
        random_state = 7;
        for (int i = 0; i < 400; ++i)
            add_random(10 + i % 4);
    }

    static Image* make_ring_image()
    {
        Image* image = make_filled_image(48, 48, 0, 24, 24);
        for (int y = 0; y < 48; ++y) {
            for (int x = 0; x < 48; ++x) {
                const int d = (x - 24) * (x - 24) + (y - 24) * (y - 24);
                image->pixels[size_t(y * 48 + x) * 4 + 3] = d < 576 && d >= 256 ? 255 : 0;
            }
        }
        return image;
    }

    void add_random(int type)
    {
        const int x = next_random(2000) - 200, y = next_random(1300) - 200;
        FrameObject* object;
        switch (next_random(8)) {
        case 0: object = make_sprite(x, y, type, ring.get()); break;
        case 1: object = new (object_pool<SavedBoxInstance>.create()) SavedBoxInstance(x, y, type, 40, 30); break;
        case 2: object = make_instance(x, y, type); break;
        case 3: object = make_box(x, y, type, 200 + next_random(300), 8 + next_random(20)); break;
        default: object = make_box(x, y, type, 6 + next_random(60), 6 + next_random(60)); break;
        }
        frame.add_object(object, next_random(5) == 0 ? 1 : 0);
        track(object);
    }

    void track(FrameObject* object)
    {
        serials[object] = next_serial++;
        all.push_back(object);
    }

    // Moves, deactivates and re-layers some instances as a tick's updates would.
    void shuffle()
    {
        for (FrameObject* object : all) {
            if (object->flags & FrameObject::DESTROYING)
                continue;
            if (auto* saved = dynamic_cast<SavedBoxInstance*>(object)) {
                std::copy(saved->box.aabb, saved->box.aabb + 4, saved->saved);
                saved->flags |= FrameObject::ALTERNATE_BOX;
            }
            const int roll = next_random(20);
            if (roll < 8)
                object->set_position(object->x + next_random(81) - 40, object->y + next_random(81) - 40);
            else if (roll == 8)
                object->set_position(next_random(2000) - 200, next_random(1300) - 200);
            else if (roll == 9)
                object->flags ^= FrameObject::INACTIVE;
            else if (roll == 10)
                object->set_layer(object->layer == &frame.layers[0] ? 1 : 0);
        }
    }

    void fold(uint32_t value)
    {
        for (int i = 0; i < 4; ++i) {
            digest ^= (value >> (8 * i)) & 0xFF;
            digest *= 16777619u;
        }
    }

    template <class SideA, class SideB>
    void pass(SideA& a, ObjectList* const* a_lists, int a_count, SideB& b, ObjectList* const* b_lists, int b_count,
              uint32_t mask_a, uint32_t mask_b)
    {
        const std::vector<FrameObject*> a_side = side_instances(a_lists, a_count);
        const std::vector<FrameObject*> b_side = side_instances(b_lists, b_count);
        const Expected expected = pairwise_walk(a_side, b_side, mask_a, mask_b);
        frame.fired.clear();
        frame.created.clear();
        frame.test_collisions(a, b, int(mask_a), int(mask_b), order_contact);
        ASSERT_EQ(frame.fired, expected.pairs);
        fired += frame.fired.size();
        for (const auto& [object, word] : expected.words)
            ASSERT_EQ(object->collision_events, word) << "instance " << serials[object];
        for (FrameObject* object : frame.created)
            track(object);
        fold(uint32_t(frame.fired.size()));
        for (const auto& [first, second] : frame.fired) {
            fold(uint32_t(serials[first]));
            fold(uint32_t(serials[second]));
        }
        for (FrameObject* object : a_side)
            fold(object->collision_events);
        for (FrameObject* object : b_side)
            fold(object->collision_events);
    }

    void clean()
    {
        // The destroyed ones are released here: forget them first.
        std::vector<FrameObject*> live;
        for (FrameObject* object : all) {
            if (!(object->flags & FrameObject::DESTROYING))
                live.push_back(object);
        }
        all = live;
        frame.clean_instances();
    }
};
}  // namespace

TEST(CollisionOrder, busy_scenes_fire_in_the_pairwise_walks_order_with_its_words)
{
    Scene scene;
    OrderFrame& frame = scene.frame;
    ObjectList* l10 = &frame.instances[10];
    ObjectList* l11 = &frame.instances[11];
    ObjectList* l12 = &frame.instances[12];
    ObjectList* l13 = &frame.instances[13];
    ObjectList* group_a_lists[] = {l10, l12, nullptr};
    ObjectList* group_c_lists[] = {l11, l13, nullptr};
    ObjectList* group_d_lists[] = {l12, l10, l11, nullptr};
    QualifierList group_a, group_c, group_d;
    group_a.set(2, group_a_lists);
    group_c.set(2, group_c_lists);
    group_d.set(3, group_d_lists);

    int destroyed = 0;
    for (int tick = 0; tick < 40; ++tick) {
        frame.tick = tick;
        scene.shuffle();
        scene.pass(*l10, &l10, 1, *l11, &l11, 1, 1, 2);
        scene.pass(*l10, &l10, 1, *l10, &l10, 1, 4, 8);
        scene.pass(group_a, group_a_lists, 2, *l11, &l11, 1, 16, 32);
        scene.pass(group_c, group_c_lists, 2, group_d, group_d_lists, 3, 64, 128);
        scene.pass(group_d, group_d_lists, 3, group_d, group_d_lists, 3, 256, 256);
        if (::testing::Test::HasFatalFailure())
            return;
        destroyed += int(frame.destroyed_instances.size());
        // Some ticks leave their destroyed instances listed for the next one.
        if (tick % 3 != 1)
            scene.clean();
    }
    // The scene is busy enough to say something.
    EXPECT_GT(scene.fired, 400u);
    EXPECT_GT(destroyed, 100);
    EXPECT_GT(scene.all.size(), 150u);
    // The whole run's callbacks and words, as the pairwise walk gave them.
    EXPECT_EQ(scene.digest, 2915161772u);
}
