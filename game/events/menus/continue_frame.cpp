// The Continue? frame (frame index 7): the fallen character beside a
// countdown of crystal digits; a press goes on with the stage being played,
// the time-out restarts the game.
#include "audio/media.h"
#include "game/events/menus/continue_objects.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/frames/preload.h"
#include "game/objects/classes.h"

#include <cmath>

using namespace continue_frame;

namespace {

struct Point {
    int x, y;
};

// Nine clusters of ten, digit 9 at the top, in creation order.
constexpr Point crystal_positions[90] = {
    {335, 282}, {313, 274}, {303, 282}, {335, 298}, {335, 314}, {327, 330}, {303, 298}, {319, 306}, {311, 338}, {325, 274},
    {336, 399}, {327, 383}, {313, 383}, {336, 431}, {312, 415}, {327, 447}, {304, 399}, {328, 415}, {313, 447}, {304, 431},
    {340, 494}, {332, 494}, {324, 494}, {316, 494}, {324, 526}, {308, 494}, {300, 494}, {332, 510}, {308, 558}, {316, 542},
    {314, 636}, {328, 604}, {314, 604}, {336, 652}, {304, 640}, {328, 668}, {304, 620}, {328, 636}, {314, 668}, {304, 660},
    {324, 716}, {313, 716}, {303, 716}, {335, 764}, {311, 748}, {325, 780}, {303, 732}, {325, 748}, {311, 780}, {335, 716},
    {335, 839}, {335, 823}, {303, 823}, {335, 871}, {303, 855}, {324, 855}, {303, 839}, {335, 855}, {335, 887}, {313, 855},
    {318, 958}, {328, 926}, {315, 926}, {336, 974}, {304, 982}, {328, 990}, {304, 934}, {328, 958}, {315, 990}, {336, 942},
    {327, 1034}, {313, 1034}, {303, 1042}, {311, 1082}, {324, 1066}, {325, 1098}, {303, 1098}, {335, 1050}, {313, 1098}, {335, 1098},
    {320, 1160}, {320, 1144}, {312, 1152}, {320, 1192}, {336, 1208}, {304, 1160}, {314, 1208}, {320, 1176}, {326, 1208}, {304, 1208},
};

// The frame the stage being played (MasterLevel_53's Q) goes on in; -1 for
// a stage the game does not know.
int destination_for_stage(double stage)
{
    if (stage != std::floor(stage))
        return -1;
    const double q = stage;
    if (q == 1)
        return 4;
    if (q == 2)
        return 5;
    if (q == 9)
        return 6;
    if ((q >= 3 && q <= 8) || (q >= 10 && q <= 32) || q == 37 || q == 42 || q == 52)
        return 0;
    return -1;
}

}  // namespace

void Frames::on_frame_8_init()
{
    set_up_header(7, 640, 1280, Color(0, 0, 0, 255));
    set_up_frame_images(7);
    set_up_layers({LayerSetUp{}, LayerSetUp{}});

    static ObjectList* skins[] = {
        &instances[types::PlayerSkinYelto_102],      &instances[types::PlayerSkinYeltoHair_209],
        &instances[types::PlayerSkinOrrun_290],      &instances[types::PlayerSkinPimsaTail_323],
        &instances[types::PlayerSkinPimsa_324],      &instances[types::EffectsOrrunImage_335],
        &instances[types::PlayerSkinPimsaBike_338],  &instances[types::PlayerSkinDorrik_339],
        &instances[types::PlayerSkinDorrikTail_342], nullptr};
    static ObjectList* sparkles[] = {&instances[types::Sparkle1_178], &instances[types::Sparkle2_180],
                                     &instances[types::Sparkle3_181], &instances[types::Sparkle4_182],
                                     &instances[types::Sparkle5_183], nullptr};
    qualifier_22.set(9, skins);
    qualifier_19.set(5, sparkles);

    add_background_object(create_separatormasterobjects2_20(-192, -160), 0);
    add_background_object(create_backdrop_427(264, 24), 0);
    add_object(create_playerskindorriktail_342(-179, 201), 0);
    add_object(create_playerskinpimsatail_323(-88, 201), 0);
    add_object(create_fallencharacter_421(204, 201), 0);
    add_object(create_floorlight_422(212, 216), 0);
    for (const Point& p : crystal_positions)
        add_object(create_countdowncrystal_423(p.x, p.y), 0);
    add_object(create_marker_424(320, 247), 0);
    add_object(create_playerskinyeltohair_209(-40, 203), 0);
    add_object(create_playerskinyelto_102(-43, 203), 0);
    add_object(create_ringsparkle_179(-137, 71), 0);
    add_object(create_sparkle1_178(-153, 111), 0);
    add_object(create_sparkle2_180(-153, 87), 0);
    add_object(create_sparkle3_181(-129, 39), 0);
    add_object(create_sparkle4_182(-153, 15), 0);
    add_object(create_sparkle5_183(-120, 72), 0);
    add_object(create_guirings_74(-32, -96), 0);
    add_object(create_playerinput_21(-176, -136), 0);
    add_object(create_masterinput_22(-152, -136), 0);
    add_object(create_inputsp1_23(-128, -136), 0);
    add_object(create_globalinputdata_24(-104, -136), 0);
    add_object(create_masterlevel_53(-32, 0), 0);
    add_object(create_controllermusic_49(-32, 64), 0);
    add_object(create_playerothers_75(-32, -24), 0);
    add_object(create_playerskinpimsa_324(-92, 201), 0);
    add_object(create_guienergy_76(16, -32), 0);
    add_object(create_totalcrystals_425(366, 76), 0);
    add_object(create_levelcardactclear4_426(272, 56), 0);
    add_object(create_guilifebasemeter_77(128, -32), 0);
    add_object(create_playerskinorrun_290(-138, 201), 0);
    add_object(create_guicrystal_78(197, -25), 0);
    add_object(create_playerskindorrik_339(-179, 201), 0);
    add_object(create_playerskinpimsabike_338(-232, 200), 0);
    add_object(create_mapdata_27(-144, -80), 0);
    add_object(create_windowcontrol_8(-144, -112), 0);
    add_object(create_mapdata2_29(-144, -72), 0);
    add_object(create_fade_40(0, 0), 1);

    fast_loop_sound_continue0 = FastLoop{};
    fast_loop_sound_continue1 = FastLoop{};
    fast_loop_record_inputs = FastLoop{};
    set_up_named_loops(7);

    countdown_group = true;
    accept_group = continue_group = time_out_group = destination_group = false;
    orbit_sparkle_group = ring_sparkle_group = false;
    keyboard_bindings_group = gamepad_bindings_group = false;
    reset_shared_event_state();
    for (unsigned* counter : {&run_once_2538, &run_once_2539, &run_once_2565, &run_once_2637})
        *counter = unsigned(loop_count);
    once_2546 = false;
    for (float* timer : {&every_2537, &every_2541, &every_2576, &every_2638, &every_2639, &every_2640, &every_2641})
        *timer = 0.0f;
}

void Frames::on_frame_8_start_events()
{
    if (!media.is_channel_playing(music::channel))
        media.play(".\\Data\\BGM\\m_gameover.ogg", music::channel, 0);
    event_func_2646();
    run_global_start_events();
}

void Frames::handle_frame_8_events()
{
    test_collisions_7();
    event_func_2551();
    event_func_2523();
    event_func_2524();
    event_func_242();
    if (accept_group)
        event_func_2525();
    if (countdown_group) {
        event_func_2526();
        event_func_2527();
        event_func_2528();
        event_func_2529();
        event_func_2530();
        event_func_2531();
        event_func_2532();
        event_func_2533();
        event_func_2534();
        event_func_2535();
        event_func_2536();
        event_func_2537();
        event_func_2538();
        event_func_2539();
        event_func_2540();
    }
    if (time_out_group) {
        event_func_2541();
        event_func_2542();
        event_func_2543();
        event_func_2544();
    }
    if (continue_group) {
        event_func_2545();
        event_func_2546();
        event_func_2547();
        event_func_2548();
        event_func_2549();
        event_func_2550();
        event_func_2552();
        event_func_2553();
        event_func_2554();
        event_func_2555();
        event_func_2556();
        event_func_2557();
        event_func_2558();
        event_func_2559();
        event_func_2560();
        event_func_2561();
        event_func_2562();
        event_func_2563();
        event_func_2564();
        event_func_2565();
        event_func_2566();
        event_func_2567();
        event_func_2568();
        event_func_2569();
        event_func_2570();
        event_func_2571();
        event_func_2572();
        event_func_2573();
        event_func_2574();
        event_func_2575();
        event_func_2576();
        event_func_2577();
        event_func_2578();
        event_func_2579();
        event_func_2580();
        event_func_2581();
        // Where the game goes on: the stage being played chooses.
        if (continue_group && destination_group) {
            const int frame =
                destination_for_stage(get_value(instances[types::MasterLevel_53], 'Q'));
            if (frame >= 0)
                next_frame = frame;
        }
    }
    if (orbit_sparkle_group) {
        event_func_2637();
        event_func_2638();
        event_func_2639();
        event_func_2640();
        event_func_2641();
        event_func_2642();
        event_func_2643();
    }
    if (ring_sparkle_group)
        event_func_2644();
    run_shared_events(8);
}

void Frames::test_collisions_7() {}
