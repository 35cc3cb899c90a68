// The two death sequences. Each is a timeline counted by the player's value
// E: the player leaves play, a bike it rode is dropped and blown up, the
// screen fades under a level card, a life is taken, the death is counted in
// the save data, and at the end the run values are reset and the act
// restarts through the loop "death". Sequence A (mode 9) is the ordinary
// death; sequence B (mode 10) lets the player sink slowly once the skin's
// animation has reached frame 4.
#include "audio/media.h"
#include "game/events/player_physics/player_value_objects.h"
#include "game/events/stage_loops/music_queue.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "objects/arrayext.h"
#include "objects/counter.h"
#include "runtime/manager.h"
#include "runtime/movement.h"

#include <cmath>

using namespace player_values;

namespace {

// Flags: the player's death timer counts, or the game-over sequence runs;
// the bike is to be blown up; Yelto's skin is charged.
constexpr int timer_running = 9, game_over_running = 8, bike_exploding = 6, yelto_charged = 8;
constexpr int card_layer = 7;
constexpr double state_sinking = 11;
constexpr double restart_petals = 14;

bool sequence_a(const Frames& frames) { return frames.level_group_43 && frames.level_group_23 && frames.level_group_69; }
bool sequence_b(const Frames& frames) { return frames.level_group_43 && frames.level_group_23 && frames.level_group_62; }

bool timer_at(Frames& frames, double tick)
{
    return instance_holds(frames.instances[types::Player_87],
                          [tick](const FrameObject& body) { return get_value(body, 'E') == tick; });
}

bool timer_past(Frames& frames, double tick)
{
    return instance_holds(frames.instances[types::Player_87],
                          [tick](const FrameObject& body) { return get_value(body, 'E') > tick; });
}

// Sequence B waits for the skin's animation to reach frame 4.
bool skin_ready(Frames& frames)
{
    return select(frames.instances[types::PlayerSkinYelto_102],
                  [](FrameObject* skin) { return static_cast<Active*>(skin)->get_frame() >= 4; });
}

bool sinking_and_ready(Frames& frames)
{
    return instance_holds(frames.instances[types::PlayerOthers_75],
                          [](const FrameObject& others) { return get_value(others, 'Y') == state_sinking; }) &&
           skin_ready(frames);
}

void for_each(Frames& frames, int type, void (*action)(FrameObject*)) { for_each_instance(frames.instances[type], action); }

// The player leaves play: its action and move-set groups, the hurt and the
// power-state groups go off (Dorrik's move set is left alone).
void take_out_of_play(Frames& frames)
{
    for (bool* group : {&frames.level_group_1, &frames.level_group_7, &frames.level_group_3, &frames.level_group_73,
                        &frames.level_group_61, &frames.level_group_6, &frames.level_group_24})
        deactivate_group(*group);
}

void shift_hud_up(Frames& frames) { frames.run_loop(frames.fast_loop_gui_shiftup, 1, &Frames::loop_gui_shiftup_4); }

// A rider is thrown off: the bike lies where the player died, marked to explode.
void drop_bike(Frames& frames)
{
    if (!instance_holds(frames.instances[types::PlayerMovementValues_80],
                        [](const FrameObject& values) { return get_value(values, 'A') == pimsa_on_bike; }))
        return;
    frames.global_values->set(1, pimsa_on_foot);
    set_value(frames.instances[types::PlayerMovementValues_80], 'A', pimsa_on_foot);
    const FrameObject& body = instance_or_default(frames.instances[types::Player_87]);
    FrameObject* bike_object = create_instance(frames, frames.instances[types::ObjectBike_340],
                                               create_objectbike_340(body.get_x(), body.get_y()), layer_index(body));
    set_flag(bike_object, bike_exploding, true);
    for (const unsigned channel : {9u, 10u})
        media.unlock(channel);
    for (const unsigned channel : {9u, 10u})
        media.stop_channel(channel);
}

// Every marked bike explodes; the debris loop counts its B up to -1.
void explode_bikes(Frames& frames)
{
    ObjectList& bikes = frames.instances[types::ObjectBike_340];
    if (!select(bikes, [](FrameObject* b) { return get_flag(*b, bike_exploding); }))
        return;
    ObjectList& explosions = frames.instances[types::EffectsExplosion01_130];
    bool first = true;
    for_each_selected(bikes, [&](FrameObject* b) {
        FrameObject* made = create_effectsexplosion01_130(b->get_x(), b->get_y());
        if (first)
            create_instance(frames, explosions, made, layer_index(*b));
        else
            create_another(frames, explosions, made, layer_index(*b));
        first = false;
    });
    media.play_id(26, -1, 1);
    for_each_selected(bikes, [](FrameObject* b) { set_value(b, 'B', -5); });
    frames.run_loop(frames.fast_loop_spawndebris, 5, &Frames::loop_spawndebris_4);
}

void remove_spent_bikes(Frames& frames)
{
    ObjectList& bikes = frames.instances[types::ObjectBike_340];
    if (select(bikes, [](FrameObject* b) { return get_value(*b, 'B') == -1; }))
        for_each_selected(bikes, [](FrameObject* b) { b->destroy(); });
}

void count_death_in_save_data(Frames& frames)
{
    const double forgiven = frames.global_values->get(31);
    for_each_instance(frames.instances[types::SaveData_10], [forgiven](FrameObject* object) {
        auto* save = static_cast<ArrayObject*>(object);
        save->set_value(to_int(save->get_value(1, 7, -1) + 1 - forgiven), 1, 7, -1);
        save->set_value(to_int(save->get_value(3, 3, -1) + 1 - forgiven), 3, 3, -1);
    });
}

bool deaths_counted_here(Frames& frames) { return frames.global_values->size() > 0 && frames.global_values->get(0) > 0; }

void take_life(Frames& frames) { frames.set_lives(manager.lives - 1); }

// The fade card over the whole view, scaled to the screen by globals 16 and 17.
void show_fade_card(Frames& frames)
{
    Active* card = create_levelcardfade2_32(0, 0);
    create_instance(frames, frames.instances[types::LevelCardFade2_32], card, card_layer);
    card->set_x(frames.display_x);
    card->set_y(frames.display_y);
    card->set_x_scale(float(frames.global_values->get(16)));
    card->set_y_scale(float(frames.global_values->get(17)));
}

// Two steps more opaque on the 0 (opaque) ... 128 (invisible) scale.
void darken_fade_cards(Frames& frames)
{
    for_each(frames, types::LevelCardFade2_32, [](FrameObject* card) {
        const int alpha = card->blend_color.a;
        const int semi_transparency = alpha == 255 ? 0 : 128 - alpha / 2;
        card->blend_color.a = clamp_color_component(256 - 2 * (semi_transparency - 2));
    });
}

void clear_energy(Frames& frames)
{
    for_each(frames, types::GUIEnergy_76, [](FrameObject* meter) { set_value(meter, 'A', 0); });
}

// What both respawns reset before the act restarts.
void reset_for_respawn(Frames& frames)
{
    if (auto* counter = static_cast<Counter*>(instance_of(frames.instances[types::GUIRings_74])))
        counter->set(restart_petals);
    set_value(frames.instances[types::GUILifeBaseMeter_77], 'C', 0);
    for_each(frames, types::ControllerMusic_49, [](FrameObject* music) {
        for (const char name : {'L', 'G', 'F', 'K', 'J', 'E'})
            set_value(music, name, 0);
        set_value(music, 'D', -1);
        set_value(music, 'H', 3);
    });
}

void restart_act(Frames& frames)
{
    media.stop_samples();
    frames.run_loop(frames.fast_loop_death, 1, &Frames::loop_death_4);
}

void run_timer(Frames& frames)
{
    ObjectList& bodies = frames.instances[types::Player_87];
    if (!select(bodies, [](FrameObject* body) { return get_flag(*body, timer_running); }))
        return;
    for_each_selected(bodies, [](FrameObject* body) { add_value(body, 'E', 1); });
    for_each(frames, types::MasterCamera_190, [](FrameObject* camera) { set_value(camera, 'M', camera_hurt); });
}

void set_timer_running(Frames& frames, bool on)
{
    for_each_instance(frames.instances[types::Player_87],
                      [on](FrameObject* body) { set_flag(body, timer_running, on); });
}

}  // namespace

// Sequence A ------------------------------------------------------------------

void Frames::event_func_1014()
{
    if (!sequence_a(*this))
        return;
    set_value(instances[types::PlayerOthers_75], 'Y', 9 + get_value(instances[types::PlayerMovementValues_80], 'L'));
}

void Frames::event_func_1015()
{
    if (!sequence_a(*this))
        return;
    take_out_of_play(*this);
    set_value(instances[types::PlayerMovementValues_80], 'S', 0);
    set_value(instances[types::PlayerMovementValues_80], 'T', 1);
    set_value(instances[types::PlayerMovementValues_80], 'U', 1);
    for (const char name : {'E', 'D', 'B'})
        set_value(instances[types::PlayerOthers_75], name, 0);
    for_each(*this, types::PlayerSkinYelto_102, [](FrameObject* skin) { set_flag(skin, yelto_charged, false); });
    for_each(*this, types::GUIScoreTimeRings_107, [](FrameObject* hud) { static_cast<Active*>(hud)->force_frame(1); });
    shift_hud_up(*this);
    for_each_instance(qualifier_14, [](FrameObject* hanging) { set_value(hanging, 'Q', 0); });
    for_each(*this, types::PlayerSkinHespinArm_350, [](FrameObject* arm) { arm->set_visible(false); });
}

void Frames::event_func_1016()
{
    if (!sequence_a(*this) || !run_once(run_once_1016, loop_count))
        return;
    set_timer_running(*this, false);
    media.stop_sample(123);
    media.stop_sample(179);
}

// The skins burst. Only a life meter C of 1 sets it off, and nothing sets
// that, so as the game stands it never fires.
void Frames::event_func_1017()
{
    if (!sequence_a(*this))
        return;
    if (get_value(instances[types::GUILifeBaseMeter_77], 'C') != 1)
        return;
    bool any = false;
    for (const int skin : {types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290, types::PlayerSkinPimsa_324,
                           types::PlayerSkinPimsaBike_338, types::PlayerSkinDorrik_339, types::PlayerSkinHespin_351}) {
        if (!select(instances[skin], [](FrameObject* s) { return (s->flags & FrameObject::VISIBLE) != 0; }))
            continue;
        any = true;
        for_each_selected(instances[skin], [](FrameObject* s) { s->set_visible(false); });
    }
    if (!any)
        return;
    for (const int part : {types::PlayerSkinYeltoHair_209, types::PlayerSkinPimsaTail_323,
                           types::PlayerSkinDorrikTail_342, types::PlayerSkinHespinArm_350})
        for_each(*this, part, [](FrameObject* p) { p->set_visible(false); });
    media.play_id(20, -1, 1);
    ObjectList& explosions = instances[types::EffectsExplosion01_130];
    bool first = true;
    for_each_instance(instances[types::Player_87], [&](FrameObject* body) {
        FrameObject* made = create_effectsexplosion01_130(body->get_x(), body->get_y());
        if (first)
            create_instance(*this, explosions, made, layer_index(*body));
        else
            create_another(*this, explosions, made, layer_index(*body));
        first = false;
    });
    add_value(instances[types::GUILifeBaseMeter_77], 'L', 1);
}

// One piece of the burst a call: 31 pieces fan out over eight ticks.
void Frames::event_func_1018()
{
    if (!sequence_a(*this) || !(get_value(instances[types::GUILifeBaseMeter_77], 'L') > 0))
        return;
    const double piece_number = get_value(instances[types::GUILifeBaseMeter_77], 'L');
    const FrameObject& body = instance_or_default(instances[types::Player_87]);
    auto* piece = static_cast<Active*>(create_effectsplayersplode_318(body.get_x(), body.get_y()));
    create_instance(*this, instances[types::EffectsPlayerSplode_318], piece, layer_index(body));
    piece->get_movement()->set_speed(20 + randrange_event(1018, 20));
    piece->set_angle(randrange_event(1018, 360), 0);
    piece->set_direction(to_int(piece_number), true);
    piece->set_x(to_int(body.get_x() - 16 + piece_number));
    piece->set_y(to_int(body.get_y() - 16 + 6 * std::fmod(piece_number, 6.0)));
    set_value(instances[types::GUILifeBaseMeter_77], 'L', std::fmod(piece_number + 1, 32.0));
}

void Frames::event_func_1019()
{
    if (!sequence_a(*this))
        return;
    for_each(*this, types::ObjectBike_340, [](FrameObject* b) { set_flag(b, bike_exploding, true); });
    const int character = to_int(get_value(instances[types::PlayerMovementValues_80], 'A'));
    for_each_instance(instances[types::EffectsPlayerSplode_318], [character](FrameObject* piece) {
        const double speed = piece->get_movement()->get_speed();
        piece->set_angle(to_int(piece->get_angle() + 1 + 0.2 * speed), 0);
        static_cast<Active*>(piece)->force_frame(character);
    });
}

void Frames::event_func_1020()
{
    if (!sequence_a(*this))
        return;
    const int bottom = display_y + 252;
    ObjectList& pieces = instances[types::EffectsPlayerSplode_318];
    if (select(pieces, [bottom](FrameObject* piece) { return piece->get_y() > bottom; }))
        for_each_selected(pieces, [](FrameObject* piece) { piece->destroy(); });
}

void Frames::event_func_1021()
{
    if (sequence_a(*this))
        drop_bike(*this);
}

void Frames::event_func_1022()
{
    if (sequence_a(*this))
        explode_bikes(*this);
}

void Frames::event_func_1023()
{
    if (sequence_a(*this))
        remove_spent_bikes(*this);
}

void Frames::event_func_1024()
{
    if (!sequence_a(*this))
        return;
    if (instance_holds(instances[types::PlayerMovementValues_80],
                       [](const FrameObject& values) { return get_value(values, 'G') < 5; }))
        add_value(instances[types::PlayerMovementValues_80], 'G',
                  get_value(instances[types::PlayerMovementValues_80], 'I'));
}

// Once game over has begun (the player's flag 8) the timer stays stopped:
// restarted, it would take lives below 0 and restart the act before the
// game-over sequence reaches the continue screen.
void Frames::event_func_1025()
{
    if (!sequence_a(*this))
        return;
    if (!get_flag(instances[types::Player_87], game_over_running))
        set_timer_running(*this, true);
    set_value(instances[types::PlayerMovementValues_80], 'B', 0);
}

// The dead player falls no further than 290 pixels below the top of the view.
void Frames::event_func_1026()
{
    if (!sequence_a(*this))
        return;
    const double lowest = display_y + 290;
    if (instance_holds(instances[types::PlayerMovementValues_80],
                       [lowest](const FrameObject& values) { return get_value(values, 'Y') > lowest; }))
        set_value(instances[types::PlayerMovementValues_80], 'Y', lowest);
}

void Frames::event_func_1027()
{
    if (sequence_a(*this))
        run_timer(*this);
}

void Frames::event_func_1028()
{
    if (!sequence_a(*this) || !timer_at(*this, 1) || !deaths_counted_here(*this) || !once(once_1028))
        return;
    count_death_in_save_data(*this);
}

void Frames::event_func_1029()
{
    if (!sequence_a(*this) || !timer_at(*this, 70) || !run_once(run_once_1029, loop_count))
        return;
    take_life(*this);
}

void Frames::event_func_1030()
{
    if (!sequence_a(*this) || !timer_at(*this, 80) || !run_once(run_once_1030, loop_count))
        return;
    music::write_call(*this, "fadeout_music(2000)");
    music::write_call(*this, "unqueue_music()");
    music::write_call(*this, "lock_music()");
}

void Frames::event_func_1031()
{
    if (sequence_a(*this) && timer_at(*this, 90))
        show_fade_card(*this);
}

void Frames::event_func_1032()
{
    if (sequence_a(*this) && timer_past(*this, 90))
        darken_fade_cards(*this);
}

void Frames::event_func_1033()
{
    if (!sequence_a(*this) || !timer_at(*this, 190))
        return;
    clear_energy(*this);
    for_each(*this, types::EffectsPlayerSplode_318, [](FrameObject* piece) { piece->destroy(); });
}

void Frames::event_func_1034()
{
    if (!sequence_a(*this) || !timer_at(*this, 210))
        return;
    reset_for_respawn(*this);
    set_value(instances[types::MasterLevel_53], 'Y', 0);
    set_value(instances[types::PlayerOthers_75], 'Y', 0);
    restart_act(*this);
    for (const int calls : {types::FunctionMusic_50, types::QueueMusic_51})
        for_each(*this, calls, [](FrameObject* array) { static_cast<ArrayObject*>(array)->clear(); });
}

// Sequence B ------------------------------------------------------------------

void Frames::event_func_1035()
{
    if (!sequence_b(*this))
        return;
    set_value(instances[types::PlayerOthers_75], 'Y', state_sinking);
    set_value(instances[types::PlayerOthers_75], 'D', 0);
}

void Frames::event_func_1036()
{
    if (!sequence_b(*this))
        return;
    take_out_of_play(*this);
    set_value(instances[types::PlayerOthers_75], 'B', 0);
    set_timer_running(*this, false);
    shift_hud_up(*this);
}

void Frames::event_func_1037()
{
    if (sequence_b(*this))
        drop_bike(*this);
}

void Frames::event_func_1038()
{
    if (sequence_b(*this))
        explode_bikes(*this);
}

void Frames::event_func_1039()
{
    if (sequence_b(*this))
        remove_spent_bikes(*this);
}

void Frames::event_func_1040()
{
    if (!sequence_b(*this) || !sinking_and_ready(*this))
        return;
    add_value(instances[types::PlayerMovementValues_80], 'Y',
              get_value(instances[types::PlayerMovementValues_80], 'G'));
    run_loop(fast_loop_player01allsensors, 1, &Frames::loop_player01allsensors_4);
}

void Frames::event_func_1041()
{
    if (sequence_b(*this) && sinking_and_ready(*this))
        add_value(instances[types::PlayerMovementValues_80], 'G', 0.05);
}

void Frames::event_func_1042()
{
    if (sequence_b(*this) && run_once(run_once_1042, loop_count))
        set_value(instances[types::PlayerMovementValues_80], 'G', 0);
}

void Frames::event_func_1043()
{
    if (sequence_b(*this) && sinking_and_ready(*this) && run_once(run_once_1043, loop_count))
        media.play_id(17, -1, 1);
}

// The timer only runs while a life is left to take.
void Frames::event_func_1044()
{
    if (sequence_b(*this) && manager.lives > 0 && sinking_and_ready(*this))
        set_timer_running(*this, true);
}

void Frames::event_func_1045()
{
    if (sequence_b(*this))
        run_timer(*this);
}

void Frames::event_func_1046()
{
    if (!sequence_b(*this) || !timer_at(*this, 1) || !deaths_counted_here(*this) || !once(once_1046))
        return;
    count_death_in_save_data(*this);
}

void Frames::event_func_1047()
{
    if (!sequence_b(*this) || !timer_at(*this, 110) || !run_once(run_once_1047, loop_count))
        return;
    take_life(*this);
    music::write_call(*this, "lock_music()");
}

void Frames::event_func_1048()
{
    if (sequence_b(*this) && timer_at(*this, 120))
        show_fade_card(*this);
}

void Frames::event_func_1049()
{
    if (sequence_b(*this) && timer_past(*this, 120))
        darken_fade_cards(*this);
}

void Frames::event_func_1050()
{
    if (sequence_b(*this) && timer_at(*this, 190))
        clear_energy(*this);
}

void Frames::event_func_1051()
{
    if (!sequence_b(*this) || !timer_at(*this, 220))
        return;
    reset_for_respawn(*this);
    set_value(instances[types::PlayerOthers_75], 'Y', 0);
    restart_act(*this);
}
