// Hespin's intro pose at the start of an act: held on its first frame
// while the level card is mostly opaque, a sound at frame 6, and back to
// normal play when the pose's animation has finished.
#include "audio/media.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "objects/active.h"

namespace {

constexpr double intro_pose_state = 44;
constexpr double hespin_id = 5;
constexpr int sound_frame = 6;
constexpr unsigned pose_sample = 203;
constexpr int pose_animation = 21;

// The gameplay, player engine, Hespin and mode-37 groups.
bool intro_pose_on(const Frames& f)
{
    return f.level_group_43 && f.level_group_23 && f.level_group_61 && f.level_group_45;
}

bool mostly_opaque(const FrameObject& card) { return card.blend_color.a == 255 || 128 - card.blend_color.a / 2 < 64; }

void end_pose(Frames& f)
{
    ObjectList& movement = f.instances[types::PlayerMovementValues_80];
    set_value(movement, 'M', 0);
    set_value(movement, 'S', 1);
}

}  // namespace

void Frames::event_func_1447()
{
    if (!intro_pose_on(*this))
        return;
    set_value(instances[types::PlayerOthers_75], 'Y', intro_pose_state);
    set_value(instances[types::PlayerMovementValues_80], 'S', 0);
}

// Held on the first frame while the level card is mostly opaque.
void Frames::event_func_1448()
{
    if (!intro_pose_on(*this) || !instance_holds(instances[types::LevelCardFade_208], mostly_opaque))
        return;
    for_each_instance(instances[types::PlayerSkinHespin_351], [](FrameObject* skin) {
        static_cast<Active*>(skin)->force_frame(0);
        static_cast<Active*>(skin)->restore_frame();
    });
}

// A sound each time the pose arrives at frame 6.
void Frames::event_func_1449()
{
    if (!intro_pose_on(*this))
        return;
    if (!select(instances[types::PlayerSkinHespin_351],
                [](FrameObject* skin) { return static_cast<Active*>(skin)->get_frame() == sound_frame; }))
        return;
    if (!run_once(run_once_1449, loop_count))
        return;
    media.play_id(pose_sample, -1, 1);
}

// The pose's animation has finished: back to normal play.
void Frames::event_func_1450()
{
    if (!intro_pose_on(*this))
        return;
    if (!select(instances[types::PlayerSkinHespin_351],
                [](FrameObject* skin) { return static_cast<Active*>(skin)->animation_finished == pose_animation; }))
        return;
    end_pose(*this);
}

// Only Hespin keeps the pose.
void Frames::event_func_1451()
{
    if (!intro_pose_on(*this) || get_value(instances[types::PlayerMovementValues_80], 'A') == hespin_id)
        return;
    end_pose(*this);
}
