// An invisible support instance: the direction kind adds nothing that the
// game uses beyond what every frame object does.
#pragma once

#include "runtime/frameobject.h"

class AdvancedDirection : public FrameObject {
public:
    AdvancedDirection(int x, int y, int type_id);
    ~AdvancedDirection() override;
    void dealloc() override;
};
