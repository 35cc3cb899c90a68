// The player's contact shape for items and enemies is the animation its
// sensor shows: 0 upright, 1 curled up or attacking. States without a row
// keep the shape they had.
#include "game/events/player_actions/skin_objects.h"

using namespace skins;

namespace {

void shape_in_state(Frames& f, double state, int animation)
{
    if (!player_events_on(f) || player_state(f) != state)
        return;
    if (FrameObject* sensor = instance_of(f.instances[types::PlayerCharacterSensor_151]))
        as_active(sensor)->force_animation(animation);
}

}  // namespace

void Frames::event_func_1520() { shape_in_state(*this, 0, 0); }
void Frames::event_func_1521() { shape_in_state(*this, 1, 0); }
void Frames::event_func_1522() { shape_in_state(*this, 2, 0); }
void Frames::event_func_1523() { shape_in_state(*this, 3, 0); }
void Frames::event_func_1524() { shape_in_state(*this, 4, 0); }
void Frames::event_func_1525() { shape_in_state(*this, 5, 1); }
void Frames::event_func_1526() { shape_in_state(*this, 6, 0); }
void Frames::event_func_1527() { shape_in_state(*this, 7, 1); }
void Frames::event_func_1528() { shape_in_state(*this, 8, 1); }
void Frames::event_func_1529() { shape_in_state(*this, 9, 1); }
void Frames::event_func_1530() { shape_in_state(*this, 10, 0); }

// Only Yelto's state 14 curls up.
void Frames::event_func_1531()
{
    if (player_events_on(*this) && movement_value(*this, 'A') == 0)
        shape_in_state(*this, 14, 1);
}

void Frames::event_func_1532() { shape_in_state(*this, 20, 1); }
void Frames::event_func_1533() { shape_in_state(*this, 21, 1); }
void Frames::event_func_1534() { shape_in_state(*this, 22, 1); }
void Frames::event_func_1535() { shape_in_state(*this, 23, 1); }
void Frames::event_func_1536() { shape_in_state(*this, 26, 1); }
void Frames::event_func_1537() { shape_in_state(*this, 40, 0); }
void Frames::event_func_1538() { shape_in_state(*this, 42, 1); }
