#include "game/events/shared/records.h"

#include "game/frames/event_support.h"

ArrayObject* records_array(Frame& frame)
{
    return static_cast<ArrayObject*>(instance_of(frame.instances[types::RecordData_33]));
}

int records_cell(Frame& frame, int x, int y)
{
    ArrayObject* records = records_array(frame);
    return records ? records->get_value(x, y, -1) : 0;
}
