#include "objects/advdir.h"

#include "base/pools.h"

AdvancedDirection::AdvancedDirection(int x, int y, int type_id) : FrameObject(x, y, type_id)
{
}

AdvancedDirection::~AdvancedDirection() = default;

void AdvancedDirection::dealloc()
{
    this->~AdvancedDirection();
    object_pool<AdvancedDirection>.destroy(this);
}
