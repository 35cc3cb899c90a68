// The Intro frame (frame index 0): a star sky, the scroll dot the view
// follows, the intro scenery on a layer that starts hidden, and a fixed top
// layer with the studio logos, their effects, the white fade, the caption
// and the objects every frame carries. Its start events do the boot work
// of the whole game; its handler plays the studio intro.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/frames/preload.h"
#include "game/objects/classes.h"

namespace {

constexpr int intro_index = 0;

struct Point {
    int x, y;
};

// The star field, in creation order.
constexpr Point star_positions[] = {
    {22, 31},   {91, 45},   {86, 31},   {120, 5},   {155, 12},  {161, 52},  {147, 57},  {85, 80},
    {33, 86},   {18, 92},   {10, 111},  {98, 109},  {111, 113}, {122, 125}, {99, 158},  {170, 186},
    {227, 158}, {216, 109}, {224, 98},  {187, 86},  {238, 113}, {265, 111}, {273, 101}, {300, 136},
    {353, 109}, {368, 113}, {354, 159}, {394, 110}, {403, 91},  {418, 85},  {412, 118}, {410, 142},
    {362, 77},  {357, 91},  {412, 46},  {406, 31},  {471, 31},  {441, 5},   {426, 120}, {482, 159},
    {482, 109}, {496, 114}, {469, 80},  {506, 5},   {531, 58},
};

}  // namespace

void Frames::on_frame_1_init()
{
    set_up_header(intro_index, 640, 480, Color(0, 0, 0, 255));
    set_up_frame_images(intro_index);
    // The sky drifts at a fifth of the view's speed; the coefficient is the
    // single-precision 0.2. The scenery layer stays hidden until the logo
    // has faded; the top layer never scrolls.
    const double sky = double(0.2f);
    set_up_layers({
        {sky, sky, true},
        {1.0, 1.0, true},
        {1.0, 1.0, false},
        {0.0, 0.0, true},
    });

    static ObjectList* parallax_group[] = {&instances[types::LevelParallaxPiece1_19], nullptr};
    qualifier_1.set(1, parallax_group);

    add_background_object(create_introsky_2(384, 0), 0);
    add_background_object(create_introsky_2(0, 0), 0);
    add_background_object(create_quickbackdrop_11(0, 240), 0);
    add_background_object(create_levelparallaxpiece1_19(0, 184), 0);
    add_background_object(create_levelparallaxpiece1_19(320, 184), 0);
    for (const Point& star : star_positions)
        add_object(create_bgstar_16(star.x, star.y), 0);

    add_object(create_scrolldot_3(213, 197), 1);
    add_object(create_levelparalaxwatersurface_14(0, 485), 1);

    add_background_object(create_introscene2_17(0, 408), 2);
    add_background_object(create_introscene1_13(0, 280), 2);
    add_object(create_layerobject_15(-120, 272), 2);
    add_object(create_kastiqmechflyby_12(576, 375), 2);

    add_background_object(create_separatormasterobjects2_20(-328, 0), 3);
    add_object(create_pellowenlogo1_0(-9, 117), 3);
    add_object(create_pellowenlogo2_1(24, 131), 3);
    add_object(create_sparkletrail_5(3, 120), 3);
    add_object(create_sparkle_4(-105, 135), 3);
    add_object(create_beam_6(426, 120), 3);
    add_object(create_whitefade_7(-8, 0), 3);
    add_object(create_playerinput_21(-312, 24), 3);
    add_object(create_masterinput_22(-288, 24), 3);
    add_object(create_inputsp1_23(-264, 24), 3);
    add_object(create_globalinputdata_24(-240, 24), 3);
    add_object(create_levelcardfade2_32(-128, 16), 3);
    add_object(create_locationname_18(24, 184), 3);
    add_object(create_ilvanesteampluginquorvella_34(-248, 136), 3);
    add_object(create_windowcontrol_8(-32, 0), 3);
    add_object(create_savedata_10(-64, 0), 3);
    add_object(create_mapdata_27(-280, 80), 3);
    add_object(create_mapdata2_29(-280, 88), 3);
    add_object(create_recorddata_33(-280, 136), 3);

    // Every entry arms the intro again: its loops, once flags and run-once
    // counters start afresh, and only the intro's own group is on.
    for (FastLoop* loop : {&fast_loop_import_deadzones, &fast_loop_record_inputs, &fast_loop_sound_explode1,
                           &fast_loop_sound_explode2, &fast_loop_sound_explode3, &fast_loop_sound_explode4,
                           &fast_loop_sound_explode5, &fast_loop_sound_explode6, &fast_loop_sound_explode7,
                           &fast_loop_sound_explode8})
        *loop = FastLoop{};
    for (bool* flag : {&once_113, &once_115, &once_116, &once_119})
        *flag = false;
    run_once_102 = run_once_110 = unsigned(loop_count);
    reset_shared_event_state();
    activate_group(intro_group);
    set_up_named_loops(intro_index);
}

void Frames::on_frame_1_start_events()
{
    event_func_228();
    event_func_229();
    event_func_230();
    event_func_231();
    event_func_232();
    event_func_233();
    event_func_234();
    run_global_start_events();
}

void Frames::handle_frame_1_events()
{
    test_collisions_0();
    if (intro_group) {
        for (auto event : {&Frames::event_func_98, &Frames::event_func_99, &Frames::event_func_100,
                           &Frames::event_func_101, &Frames::event_func_102, &Frames::event_func_103,
                           &Frames::event_func_104, &Frames::event_func_105, &Frames::event_func_106,
                           &Frames::event_func_107, &Frames::event_func_108, &Frames::event_func_109,
                           &Frames::event_func_110, &Frames::event_func_111, &Frames::event_func_112,
                           &Frames::event_func_113, &Frames::event_func_114, &Frames::event_func_115,
                           &Frames::event_func_116, &Frames::event_func_117, &Frames::event_func_118,
                           &Frames::event_func_119, &Frames::event_func_120, &Frames::event_func_121,
                           &Frames::event_func_122, &Frames::event_func_123, &Frames::event_func_124})
            (this->*event)();
    }
    event_func_125();
    event_func_126();
    event_func_127();
    event_func_128();
    run_shared_events(1);
}

void Frames::test_collisions_0() {}
