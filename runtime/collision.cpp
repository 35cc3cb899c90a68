#include "runtime/collision.h"

#include "runtime/frameobject.h"
#include "runtime/layer.h"

PointCollision::PointCollision(int x, int y) : CollisionBase(POINT_COLLISION, BOX_COLLISION)
{
    aabb[0] = x;
    aabb[1] = y;
    aabb[2] = x + 1;
    aabb[3] = y + 1;
}

InstanceCollision::InstanceCollision(FrameObject* instance, CollisionType type, int flags)
    : CollisionBase(type, flags), instance(instance)
{
}

InstanceCollision::~InstanceCollision()
{
    remove_proxy();
}

void InstanceCollision::create_proxy()
{
    if (proxy == -1)
        proxy = instance->layer->grid.add(instance, aabb);
}

void InstanceCollision::create_static_proxy()
{
    if (proxy == -1)
        proxy = instance->layer->grid.add_static(instance, aabb);
}

void InstanceCollision::remove_proxy()
{
    if (proxy == -1)
        return;
    instance->layer->grid.remove(proxy);
    proxy = -1;
}

void InstanceCollision::update_proxy()
{
    instance->flags &= ~(FrameObject::BACKGROUND_CACHE_HIT | FrameObject::BACKGROUND_CACHE_MISS);
    if (proxy != -1)
        instance->layer->grid.move(proxy, aabb);
}

void InstanceCollision::move_box(int dx, int dy)
{
    aabb[0] += dx;
    aabb[1] += dy;
    aabb[2] += dx;
    aabb[3] += dy;
    update_proxy();
}

InstanceBox::InstanceBox(FrameObject* instance) : InstanceCollision(instance, INSTANCE_BOX, BOX_COLLISION)
{
}

void InstanceBox::update_aabb()
{
    aabb[0] = instance->x;
    aabb[1] = instance->y;
    aabb[2] = instance->x + instance->width;
    aabb[3] = instance->y + instance->height;
    update_proxy();
}

bool collide_direct(const CollisionBase* a, const CollisionBase* b)
{
    return a->aabb[2] > b->aabb[0] && a->aabb[3] > b->aabb[1] && a->aabb[0] < b->aabb[2] &&
           a->aabb[1] < b->aabb[3];
}
