// Act 2's camera limits and view request: act 1's, with the right side
// widened by a margin that halves when global value 19 is set (act 2 leaves
// room for the act-end card there).
#include "game/events/enemies_hud/camera_limits.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/type_ids.h"

namespace {

bool camera_on(const Frames& frames) { return frames.level_group_43 && frames.level_group_8; }

double limit_mode(Frames& frames) { return get_value(frames.instances[types::MasterCamera_190], 'U'); }

double right_margin(const Frames& frames) { return 106 - 53 * frames.global_values->get(19); }

const FrameObject& sign(Frames& frames) { return instance_or_default(frames.instances[types::Sign_361]); }

}  // namespace

void Frames::event_func_2450()
{
    if (!camera_on(*this) || limit_mode(*this) != 0 || !(global_values->get(4) < 10))
        return;
    if (run_once(run_once_2450, loop_count))
        set_open_limits(*this, sign(*this), right_margin(*this));
}

void Frames::event_func_2451()
{
    if (camera_on(*this) && limit_mode(*this) == 1 && run_once(run_once_2451, loop_count))
        set_arena_limits(*this, right_margin(*this));
}

void Frames::event_func_2452()
{
    if (camera_on(*this) && limit_mode(*this) == 2 && run_once(run_once_2452, loop_count))
        set_sign_limits(*this, sign(*this), right_margin(*this));
}

void Frames::event_func_2453()
{
    if (camera_on(*this))
        place_view(*this, right_margin(*this));
}
