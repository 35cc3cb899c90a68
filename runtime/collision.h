// Collision shapes: the root record, point tests and the instance shapes the
// runtime core needs. The layers and collisions work adds the sprite, backdrop
// and background shapes and the exact overlap tests.
#pragma once

#include <cstdint>

class FrameObject;

enum CollisionType : int32_t {
    NONE_COLLISION = 0,
    BACKDROP_COLLISION = 1,
    BACKGROUND_ITEM = 2,
    SPRITE_COLLISION = 3,
    TRANSFORM_SPRITE_COLLISION = 4,
    SPRITE_BOX = 5,
    INSTANCE_BOX = 6,
    POINT_COLLISION = 7,
};

enum CollisionFlags : int {
    BOX_COLLISION = 1,
    LADDER_OBSTACLE = 2,
};

class CollisionBase {
public:
    int aabb[4] = {};  // x1, y1, x2, y2 in layer-local pixels; x2, y2 exclusive
    int flags;
    CollisionType type;

    CollisionBase(CollisionType type, int flags) : flags(flags), type(type) {}
    virtual ~CollisionBase() = default;
};

class PointCollision : public CollisionBase {
public:
    PointCollision(int x, int y);
};

class InstanceCollision : public CollisionBase {
public:
    FrameObject* instance;
    int proxy = -1;

    InstanceCollision(FrameObject* instance, CollisionType type, int flags);
    ~InstanceCollision() override;
    virtual void update_aabb() {}

    void create_proxy();
    void create_static_proxy();
    void remove_proxy();
    // Clears the owner's background-overlap cache and re-files the proxy.
    void update_proxy();
    // Shifts the box by a change of the owner's position.
    void move_box(int dx, int dy);
};

class InstanceBox : public InstanceCollision {
public:
    explicit InstanceBox(FrameObject* instance);
    void update_aabb() override;
};

// The exact test between two shapes. Box shapes only for now: the pixel
// kernels come with the overlap tests.
bool collide_direct(const CollisionBase* a, const CollisionBase* b);
