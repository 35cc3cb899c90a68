#include "objects/steamext.h"

#include "base/pools.h"

SteamObject::SteamObject(int x, int y, int type_id) : FrameObject(x, y, type_id)
{
}

SteamObject::~SteamObject() = default;

void SteamObject::dealloc()
{
    this->~SteamObject();
    object_pool<SteamObject>.destroy(this);
}
