// Dorrik's flight (mode 22): he climbs up to 2 pixels a tick while the jump
// is held, tiring by 0.9 a tick (20 at once on the second tick), with wing
// beats once the flight has gone on a while; it ends when the jump is let
// go or the fatigue reaches 100.
#include "audio/media.h"
#include "game/events/move_sets/dorrik_moves.h"
#include "game/events/player_actions/move_starts.h"
#include "game/events/player_actions/skin_objects.h"
#include "runtime/manager.h"

#include <algorithm>

using namespace dorrik;
using move_starts::fall_from_frame_6;

namespace {

constexpr unsigned wing_sample = 125;
constexpr double flight_state = 14, air_state = 3, top_climb = -2, worn_out = 100;
constexpr int flying = 10;

bool flight_on(const Frames& f) { return events_on(f, &Frames::level_group_70); }

// Every skin goes on with the jump's fall; `on_dorrik_skins` acts on the
// Dorrik skins the ending event names.
template <class DorrikSkins>
void end_flight(Frames& f, DorrikSkins on_dorrik_skins)
{
    skins::for_each_skin(f,
                         {types::PlayerSkinYeltoHair_209, types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290,
                          types::PlayerSkinPimsa_324, types::PlayerSkinPimsaTail_323, types::PlayerSkinPimsaBike_338},
                         fall_from_frame_6);
    on_dorrik_skins(fall_from_frame_6);
    set_value(movement(f), 'M', 0);
    set_value(others(f), 'Y', air_state);
    for_each_instance(f.instances[types::PlayerSkinDorrikTail_342], fall_from_frame_6);
    set_value(movement(f), 'V', 1);
}

}  // namespace

void Frames::event_func_1309()
{
    if (flight_on(*this))
        set_value(others(*this), 'Y', flight_state);
}

void Frames::event_func_1310()
{
    if (!flight_on(*this) || get_value(others(*this), 'N') != 1)
        return;
    add_value(others(*this), 'N', 1);
    for_each_instance(dorrik_skins(*this), [](FrameObject* skin) { add_value(skin, 'E', 20); });
    run_loop(fast_loop_sound_attack0, 1, &Frames::loop_sound_attack0_3);
}

void Frames::event_func_1311()
{
    if (!flight_on(*this) || !every(every_1311, manager.frame_time, 0.1f))
        return;
    if (get_value(others(*this), 'N') > 15)
        media.play_id(wing_sample, -1, 1);
}

void Frames::event_func_1312()
{
    if (!flight_on(*this))
        return;
    add_value(others(*this), 'N', 1);
    const double ticks = get_value(others(*this), 'N');
    set_value(instances[types::PlayerSkinYelto_102], 'I', std::max(80 - 2 * ticks, 0.0));
    set_value(movement(*this), 'S', 1);
    set_value(movement(*this), 'L', 0);
    for_each_instance(dorrik_skins(*this), [](FrameObject* skin) { add_value(skin, 'E', 0.9); });
    set_value(movement(*this), 'V', 0);
    for_each_instance(dorrik_skins(*this), [](FrameObject* skin) { set_flag(skin, flying, true); });
}

void Frames::event_func_1313()
{
    if (!flight_on(*this))
        return;
    const double climb = get_value(movement(*this), 'G');
    if (climb > top_climb)
        set_value(movement(*this), 'G', std::max(climb - 0.5, top_climb));
}

void Frames::event_func_1314()
{
    if (!flight_on(*this) || !skins_where(*this, 'E', [](double fatigue) { return fatigue >= worn_out; }))
        return;
    end_flight(*this, [this](auto action) { for_each_selected(dorrik_skins(*this), action); });
}

void Frames::event_func_1315()
{
    if (!flight_on(*this) || get_value(input(*this), 'E') != 0)
        return;
    end_flight(*this, [this](auto action) { for_each_instance(dorrik_skins(*this), action); });
}
