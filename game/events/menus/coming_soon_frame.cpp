// The Coming Soon! frame (frame index 6): its set-up, start events and tick
// handler.
#include "game/events/menus/menu_screens.h"
#include "game/frames/frames.h"
#include "game/frames/preload.h"
#include "game/objects/classes.h"
#include "game/objects/type_ids.h"

void Frames::on_frame_7_init()
{
    set_up_header(6, 640, 720, Color(0, 0, 0, 255));
    set_up_frame_images(6);
    set_up_layers({{1.0, 0.0}, {1.0, 1.0}, {0.0, 0.0}});

    static ObjectList* controls_group[] = {&instances[types::Controls_410], nullptr};
    static ObjectList* skin_group[] = {&instances[types::PlayerSkinYelto_102],
                                       &instances[types::PlayerSkinYeltoHair_209], nullptr};
    qualifier_2.set(1, controls_group);
    qualifier_22.set(2, skin_group);

    // The drifting checker strip, the side bands, the logo and the picture.
    add_background_object(create_checkerpattern_408(240, 0), 0);
    for (int y : {208, 80, -48}) {
        add_background_object(create_quickbackdrop_416(-24, y), 1);
        add_background_object(create_quickbackdrop_416(456, y), 1);
    }
    add_background_object(create_separatormasterobjects2_20(-160, -24), 1);
    add_background_object(create_quorvellalogo_418(166, 32), 1);
    add_background_object(create_backdrop_420(152, 80), 1);

    // Support objects, all outside the view.
    add_object(create_playerinput_21(-144, 0), 1);
    add_object(create_masterinput_22(-120, 0), 1);
    add_object(create_inputsp1_23(-96, 0), 1);
    add_object(create_globalinputdata_24(-72, 0), 1);
    add_object(create_playerskinyelto_102(29, -77), 1);
    add_object(create_playerskinyeltohair_209(-17, -79), 1);
    add_object(create_active8_419(-32, 416), 1);
    add_object(create_masterlevel_53(-144, 136), 1);
    add_object(create_mapdata_27(-112, 48), 1);
    add_object(create_savedata_10(-112, 144), 1);
    add_object(create_windowcontrol_8(-112, 16), 1);
    add_object(create_mapdata2_29(-112, 56), 1);
    add_object(create_recorddata_409(-112, 112), 1);

    // The bottom bar and its prompt.
    add_background_object(create_backdrop12_411(0, 200), 2);
    add_background_object(create_backdrop13_412(176, 200), 2);
    add_background_object(create_backdrop12_411(352, 200), 2);
    add_background_object(create_backdrop13_412(528, 200), 2);
    add_object(create_helpmessage9_413(0, 208), 2);
    add_object(create_active5_414(71, 215), 2);
    add_object(create_active6_415(719, 143), 2);
    add_object(create_controls_410(43, -32), 2);
    add_object(create_fade_40(0, 0), 2);
    place_fade_in_tiles(*this);

    set_up_named_loops(6);
    reset_menu_event_state(*this);
}

void Frames::on_frame_7_start_events()
{
    event_func_2510();
    event_func_2511();
    run_global_start_events();
}

void Frames::handle_frame_7_events()
{
    if (fade_in_group)
        for (int tile = 0; tile < 4; ++tile)
            event_func_2501();
    event_func_2503();
    event_func_2504();
    event_func_2505();
    event_func_2506();
    event_func_2507();
    event_func_2508();
    event_func_2509();
    run_shared_events(7);
}
