// The Black Load frame's own events.
#include "game/events/shared/records.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/frames/string_constants.h"
#include "objects/steamext.h"

// Records save on the way into act 1. The array file replaces the old one
// only once it is whole, so a failed or cut-off save leaves the last good
// records in place.
void Frames::event_func_277()
{
    if (ArrayObject* records = records_array(*this))
        records->save(string_constant(STR_RECORDS_DAT));
    if (instance_of(instances[types::IlvaneSteamPluginQuorvella_34]))
        SteamObject::upload("./records.dat");
}
