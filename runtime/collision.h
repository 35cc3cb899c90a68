// Collision shapes and the exact overlap tests between them.
#pragma once

#include "graphics/color.h"

#include <cstdint>

class FrameObject;
class Image;
class ObjectList;
class QualifierList;

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
    int proxy = -1;  // the owner's item in its layer's grid

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

class OffsetInstanceBox : public InstanceCollision {
public:
    int off_x = 0, off_y = 0;

    explicit OffsetInstanceBox(FrameObject* instance);
    void set_offset(int x, int y);
    void update_aabb() override;
};

class BackdropCollision : public InstanceCollision {
public:
    Image* image;

    BackdropCollision(FrameObject* instance, Image* image);
    void update_aabb() override;
};

class SpriteCollision : public InstanceCollision {
public:
    Image* image = nullptr;
    int angle = 0;
    float x_scale = 1.0f, y_scale = 1.0f;
    int hotspot_x = 0, hotspot_y = 0;
    float co = 1.0f, si = 0.0f;
    int transform[4] = {};  // inverse transform, 32768 = 1.0
    int x_offset = 0, y_offset = 0;
    int width = 0, height = 0;
    int new_hotspot_x = 0, new_hotspot_y = 0;

    explicit SpriteCollision(FrameObject* instance);

    void set_angle(int angle);
    // Recomputes box size, hot spot, offsets, transform and type from the
    // image, the scales and the angle, then the box.
    void update_transform();
    void update_aabb() override;
    // A point of the untransformed image in the transformed box.
    void get_transform(int x, int y, int& out_x, int& out_y) const;
};

// The bounding box of the rectangle (0, 0)-(w, h) turned by (co, si).
void transform_rect(float w, float h, float co, float si, int& x1, int& y1, int& x2, int& y2);

// A pasted rectangle of an image in a layer's background.
class BackgroundItem : public CollisionBase {
public:
    int dest_x, dest_y;
    int src_x, src_y;
    int width, height;
    Color color;
    Image* image;

    BackgroundItem(Image* image, int x, int y, int src_x, int src_y, int width, int height,
                   const Color& color);
};

// The exact test of shape a against shape b seen at `box` (b's own box or an
// alternate one).
bool collide_direct(const CollisionBase* a, const CollisionBase* b, const int* box);
inline bool collide_direct(const CollisionBase* a, const CollisionBase* b)
{
    return collide_direct(a, b, b->aabb);
}

// Box kernels: some point (x + i, y + j), 0 <= i < w, 0 <= j < h, of s counts.
bool collide_backdrop_box(const CollisionBase* s, int w, int h, int x, int y);
bool collide_sprite_box(const CollisionBase* s, int w, int h, int x, int y);
bool collide_background_box(const CollisionBase* s, int w, int h, int x, int y);
bool collide_tsprite_box(const CollisionBase* s, int w, int h, int x, int y);

// Pair kernels: some point of the intersection counts in both shapes.
bool collide_sprite_sprite(const CollisionBase* a, const CollisionBase* b, int w, int h, int ax, int ay, int bx,
                           int by);
bool collide_sprite_backdrop(const CollisionBase* a, const CollisionBase* b, int w, int h, int ax, int ay, int bx,
                             int by);
bool collide_sprite_background(const CollisionBase* a, const CollisionBase* b, int w, int h, int ax, int ay,
                               int bx, int by);
bool collide_sprite_tsprite(const CollisionBase* a, const CollisionBase* b, int w, int h, int ax, int ay, int bx,
                            int by);
bool collide_tsprite_backdrop(const CollisionBase* a, const CollisionBase* b, int w, int h, int ax, int ay, int bx,
                              int by);
bool collide_tsprite_background(const CollisionBase* a, const CollisionBase* b, int w, int h, int ax, int ay,
                                int bx, int by);
bool collide_tsprite_tsprite(const CollisionBase* a, const CollisionBase* b, int w, int h, int ax, int ay, int bx,
                             int by);

// Event conditions over two selections: each narrows both sides to the
// instances that overlap one of the other side.
bool check_overlap(ObjectList& a, ObjectList& b);
bool check_overlap(QualifierList& a, ObjectList& b);
bool check_overlap(ObjectList& a, QualifierList& b);
bool check_overlap(QualifierList& a, QualifierList& b);
// True when A has a selected instance with a shape, B has an instance, and no
// such pair overlaps. Changes no selection.
bool check_not_overlap(ObjectList& a, ObjectList& b);
bool check_not_overlap(ObjectList& a, QualifierList& b);
