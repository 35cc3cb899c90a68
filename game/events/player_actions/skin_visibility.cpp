// Only the skin of the character played is shown. Each event shows its
// character's skin and hides the other five once, when the character id
// takes its value; ids below 0 count as Yelto's, 5 and above as Hespin's.
// Hair, tails and arm keep their own visibility.
#include "game/events/player_actions/skin_objects.h"

using namespace skins;

namespace {

// Shows `shown` and hides the rest, calling them in `order`.
void show_only(Frames& f, int shown, std::initializer_list<int> order)
{
    for (const int type : order)
        for_each_skin(f, type, [visible = type == shown](Active* skin) { skin->set_visible(visible); });
}

double character(Frames& f) { return movement_value(f, 'A'); }

}  // namespace

void Frames::event_func_1565()
{
    if (!player_events_on(*this) || !(character(*this) <= 0) || !run_once(run_once_1565, loop_count))
        return;
    show_only(*this, types::PlayerSkinYelto_102,
              {types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290, types::PlayerSkinPimsa_324,
               types::PlayerSkinPimsaBike_338, types::PlayerSkinDorrik_339, types::PlayerSkinHespin_351});
}

void Frames::event_func_1566()
{
    if (!player_events_on(*this) || character(*this) != 1 || !run_once(run_once_1566, loop_count))
        return;
    show_only(*this, types::PlayerSkinOrrun_290,
              {types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290, types::PlayerSkinPimsa_324,
               types::PlayerSkinDorrik_339, types::PlayerSkinPimsaBike_338, types::PlayerSkinHespin_351});
}

void Frames::event_func_1567()
{
    if (!player_events_on(*this) || character(*this) != 2 || !run_once(run_once_1567, loop_count))
        return;
    show_only(*this, types::PlayerSkinPimsa_324,
              {types::PlayerSkinYelto_102, types::PlayerSkinPimsa_324, types::PlayerSkinOrrun_290,
               types::PlayerSkinPimsaBike_338, types::PlayerSkinDorrik_339, types::PlayerSkinHespin_351});
}

void Frames::event_func_1568()
{
    if (!player_events_on(*this) || character(*this) != 3 || !run_once(run_once_1568, loop_count))
        return;
    show_only(*this, types::PlayerSkinPimsaBike_338,
              {types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290, types::PlayerSkinDorrik_339,
               types::PlayerSkinPimsa_324, types::PlayerSkinPimsaBike_338, types::PlayerSkinHespin_351});
}

void Frames::event_func_1569()
{
    if (!player_events_on(*this) || character(*this) != 4 || !run_once(run_once_1569, loop_count))
        return;
    show_only(*this, types::PlayerSkinDorrik_339,
              {types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290, types::PlayerSkinPimsa_324,
               types::PlayerSkinDorrik_339, types::PlayerSkinPimsaBike_338, types::PlayerSkinHespin_351});
}

void Frames::event_func_1570()
{
    if (!player_events_on(*this) || !(character(*this) >= 5) || !run_once(run_once_1570, loop_count))
        return;
    show_only(*this, types::PlayerSkinHespin_351,
              {types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290, types::PlayerSkinPimsa_324,
               types::PlayerSkinPimsaBike_338, types::PlayerSkinDorrik_339, types::PlayerSkinHespin_351});
}
