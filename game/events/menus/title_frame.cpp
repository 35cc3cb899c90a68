// The Title Screen frame (frame index 1): its set-up, start events and tick
// handler. The events themselves are in title_screen.cpp.
#include "game/frames/frames.h"
#include "game/frames/preload.h"
#include "game/objects/classes.h"
#include "game/objects/type_ids.h"

void Frames::on_frame_2_init()
{
    set_up_header(1, 640, 240, Color(0, 0, 0, 255));
    set_up_frame_images(1);
    set_up_layers({LayerSetUp{}, LayerSetUp{}, LayerSetUp{}});

    static ObjectList* group_2[] = {&instances[types::PressStart_36], nullptr};
    qualifier_2.set(1, group_2);

    add_background_object(create_backdrop_42(197, 316), 0);
    add_object(create_speed_38(-32, 0), 0);
    add_object(create_moon_41(-104, 200), 0);
    add_object(create_virevilunmere_37(163, 184), 0);
    add_object(create_stars_39(-23, 41), 0);
    add_background_object(create_separatormasterobjects2_20(-168, 0), 1);
    add_background_object(create_backdrop4_35(192, 216), 1);
    add_object(create_pressstart_36(320, 175), 1);
    add_object(create_playerinput_21(-152, 24), 1);
    add_object(create_masterinput_22(-128, 24), 1);
    add_object(create_inputsp1_23(-104, 24), 1);
    add_object(create_globalinputdata_24(-80, 24), 1);
    add_object(create_mapdata_27(-120, 80), 1);
    add_object(create_windowcontrol_8(-120, 48), 1);
    add_background_object(create_quorvellalogo_47(166, 24), 2);
    add_object(create_helpmessage6_48(256, 128), 2);
    add_object(create_fade_40(0, 0), 2);
    add_object(create_active2_45(0, 0), 2);
    add_object(create_shockwave_44(320, 120), 2);
    add_object(create_mapdata2_29(-120, 88), 2);

    fast_loop_background = FastLoop{};
    set_up_named_loops(1);
    reset_shared_event_state();
    fade_in_group = true;
    prompt_group = false;
    leave_group = false;
}

void Frames::on_frame_2_start_events()
{
    event_func_269();
    event_func_270();
    run_global_start_events();
}

void Frames::handle_frame_2_events()
{
    test_collisions_1();
    event_func_263();
    event_func_264();
    event_func_241();
    event_func_242();
    event_func_243();
    event_func_244();
    event_func_253();
    event_func_254();
    event_func_255();
    event_func_256();
    event_func_257();
    event_func_258();
    event_func_259();
    event_func_260();
    event_func_261();
    event_func_262();
    event_func_265();
    event_func_266();
    event_func_267();
    event_func_268();
    run_shared_events(2);
}

// The title tests no collisions.
void Frames::test_collisions_1() {}
