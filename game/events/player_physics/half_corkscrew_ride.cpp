// Riding a half corkscrew (mode 45): the player's height follows half a
// cosine up a ramp, stays at the top over the middle stretch and follows
// half a cosine down, while the ordinary step keeps moving it sideways.
// A corkscrew being ridden has flag 0 on; A is the offset recorded over the
// middle stretch, B its length, C the height the ride began at, D a ramp's
// length, E the progress, F the height of the hump.
#include "game/events/player_physics/half_corkscrew.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "runtime/collision.h"
#include "runtime/movement.h"

#include <algorithm>
#include <vector>

namespace {

// Left-hand corkscrews are ridden rightwards, right-hand ones leftwards: the
// offset runs along the ride.
struct Corkscrew {
    int type;
    int other_type;
    double along;
};

constexpr Corkscrew left_hand = {types::HalfCorkscrewLeft_245, types::HalfCorkscrewRight_246, 1};
constexpr Corkscrew right_hand = {types::HalfCorkscrewRight_246, types::HalfCorkscrewLeft_245, -1};

bool riding(const Frames& f)
{
    return f.level_group_43 && f.level_group_23 && f.level_group_24 && f.level_group_29;
}

double offset(Frames& f, const Corkscrew& kind, const FrameObject* screw)
{
    return kind.along * (get_value(f.instances[types::PlayerMovementValues_80], 'X') - screw->get_x());
}

FrameObject* first_selected(ObjectList& list)
{
    ObjectIterator it(list);
    return it.done() ? nullptr : *it;
}

bool select_ridden(ObjectList& list)
{
    return select(list, [](FrameObject* screw) { return get_flag(*screw, 0); });
}

// The ridden corkscrews whose first ramp is behind.
bool select_past_ramp(ObjectList& list)
{
    return select_ridden(list) && filter(list, [](FrameObject* screw) { return get_value(*screw, 'E') >= 1; });
}

// Where the middle stretch ends, as the first of the selection has it: the
// middle and falling events split the corkscrews by one bound.
double middle_end(ObjectList& list)
{
    const FrameObject* head = first_selected(list);
    return get_value(*head, 'B') + get_value(*head, 'D');
}

// 981, 982: past a quarter of the way up and not yet down, the state shows it.
void show_high_state(Frames& f, const Corkscrew& kind)
{
    if (!select(f.instances[kind.type], [](FrameObject* screw) {
            const double e = get_value(*screw, 'E');
            return get_flag(*screw, 0) && e > 0.25 && e < 1.5;
        }))
        return;
    set_value(f.instances[types::PlayerOthers_75], 'Y', 46);
}

// 983, 987: up the first ramp.
void rise(Frames& f, const Corkscrew& kind)
{
    ObjectList& screws = f.instances[kind.type];
    if (!select_ridden(screws) || !filter(screws, [](FrameObject* screw) { return get_value(*screw, 'E') < 1; }))
        return;
    for_each_selected(screws, [&](FrameObject* screw) {
        set_value(screw, 'E', corkscrew_progress(offset(f, kind, screw), get_value(*screw, 'D')));
    });
    const FrameObject* first = first_selected(screws);
    set_value(f.instances[types::PlayerMovementValues_80], 'Y', corkscrew_height(*first, get_value(*first, 'E')));
}

// 984, 988: over the middle stretch, at the top.
void cross(Frames& f, const Corkscrew& kind)
{
    ObjectList& screws = f.instances[kind.type];
    if (!select_past_ramp(screws) || !filter(screws, [end = middle_end(screws)](FrameObject* screw) {
            return get_value(*screw, 'A') < end;
        }))
        return;
    const FrameObject* first = first_selected(screws);
    set_value(f.instances[types::PlayerMovementValues_80], 'Y', get_value(*first, 'C') - get_value(*first, 'F'));
    for_each_selected(screws, [&](FrameObject* screw) {
        const double d = offset(f, kind, screw);
        set_value(screw, 'E', corkscrew_progress(d, 2 * get_value(*screw, 'D')));
        set_value(screw, 'A', d);
    });
}

// 985, 989: down the second ramp.
void fall(Frames& f, const Corkscrew& kind)
{
    ObjectList& screws = f.instances[kind.type];
    if (!select_past_ramp(screws) || !filter(screws, [end = middle_end(screws)](FrameObject* screw) {
            return get_value(*screw, 'A') >= end;
        }))
        return;
    for_each_selected(screws, [&](FrameObject* screw) {
        set_value(screw, 'E', corkscrew_progress(offset(f, kind, screw) - get_value(*screw, 'B'), get_value(*screw, 'D')));
    });
    const FrameObject* first = first_selected(screws);
    set_value(f.instances[types::PlayerMovementValues_80], 'Y', corkscrew_height(*first, get_value(*first, 'E')));
}

std::vector<FrameObject*> selected(ObjectList& list)
{
    std::vector<FrameObject*> kept;
    for_each_selected(list, [&](FrameObject* object) { kept.push_back(object); });
    return kept;
}

void add_new(std::vector<FrameObject*>& to, const std::vector<FrameObject*>& from)
{
    for (FrameObject* object : from)
        if (std::find(to.begin(), to.end(), object) == to.end())
            to.push_back(object);
}

// 986, 990: the ride ends when the player slows down, or when the bottom
// sensor passes onto a corkscrew of the other hand.
void leave(Frames& f, const Corkscrew& kind)
{
    ObjectList& screws = f.instances[kind.type];
    ObjectList& others_hand = f.instances[kind.other_type];
    ObjectList& sensor = f.instances[types::PlayerSensorBottomBig_95];
    std::vector<FrameObject*> ridden;
    std::vector<FrameObject*> reached;

    const double speed = get_value(f.instances[types::PlayerMovementValues_80], 'B');
    if (select_ridden(screws) && (kind.along > 0 ? speed < 3 : speed > -3))
        ridden = selected(screws);

    if (select_ridden(screws)) {
        select_all(sensor);
        select_all(others_hand);
        if (check_overlap(sensor, others_hand)) {
            const double x = get_value(f.instances[types::PlayerMovementValues_80], 'X');
            const int edge = first_selected(others_hand)->get_x();
            if (kind.along > 0 ? x > edge : x < edge) {
                add_new(ridden, selected(screws));
                reached = selected(others_hand);
            }
        }
    }
    if (ridden.empty())
        return;

    ObjectList& player = f.instances[types::PlayerMovementValues_80];
    set_value(player, 'M', 1);
    deactivate_group(f.level_group_29);
    set_value(player, 'U', 1);
    set_value(player, 'G', 0);
    for (const std::vector<FrameObject*>* group : {&ridden, &reached})
        for (FrameObject* screw : *group) {
            set_flag(screw, 0, false);
            set_value(screw, 'E', 0);
            set_value(screw, 'A', 0);
        }
}

}  // namespace

void Frames::event_func_980()
{
    if (!riding(*this))
        return;
    set_value(instances[types::PlayerOthers_75], 'Y', 45);
}

void Frames::event_func_981()
{
    if (riding(*this))
        show_high_state(*this, left_hand);
}

void Frames::event_func_982()
{
    if (riding(*this))
        show_high_state(*this, right_hand);
}

void Frames::event_func_983()
{
    if (riding(*this))
        rise(*this, left_hand);
}

void Frames::event_func_984()
{
    if (riding(*this))
        cross(*this, left_hand);
}

void Frames::event_func_985()
{
    if (riding(*this))
        fall(*this, left_hand);
}

void Frames::event_func_986()
{
    if (riding(*this))
        leave(*this, left_hand);
}

void Frames::event_func_987()
{
    if (riding(*this))
        rise(*this, right_hand);
}

void Frames::event_func_988()
{
    if (riding(*this))
        cross(*this, right_hand);
}

void Frames::event_func_989()
{
    if (riding(*this))
        fall(*this, right_hand);
}

void Frames::event_func_990()
{
    if (riding(*this))
        leave(*this, right_hand);
}
