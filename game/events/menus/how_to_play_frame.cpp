// The How To Play frame (frame index 8): its set-up, start events and tick
// handler. Three pages stacked down a 640 x 720 frame; the view scrolls
// between them.
#include "game/events/menus/menu_screens.h"
#include "game/frames/frames.h"
#include "game/frames/preload.h"
#include "game/objects/classes.h"
#include "game/objects/type_ids.h"

namespace {

void place_page_backgrounds(Frames& f)
{
    f.add_background_object(create_checkerpattern_408(240, 0), 0);
    f.add_background_object(create_bg2layer1_452(184, 536), 0);
    f.add_background_object(create_bg2layer2_453(184, 536), 0);
    f.add_background_object(create_bg2layer3_454(184, 536), 0);
    f.add_background_object(create_bg2layer4_455(184, 536), 0);
    for (int y : {592, 464, 336, 208, 80, -48}) {
        f.add_background_object(create_quickbackdrop_416(-24, y), 1);
        f.add_background_object(create_quickbackdrop_416(456, y), 1);
    }
    f.add_background_object(create_separatormasterobjects2_20(-160, -24), 1);
    f.add_background_object(create_backdrop_437(288, 272), 1);
    f.add_background_object(create_backdrop5_441(296, 328), 1);
    f.add_background_object(create_backdrop6_442(296, 376), 1);
    f.add_background_object(create_backdrop2_438(384, 16), 1);
    f.add_background_object(create_backdrop3_439(432, 136), 1);
    f.add_background_object(create_backdrop4_440(296, 80), 1);
    f.add_background_object(create_backdrop7_443(464, 96), 1);
    f.add_background_object(create_backdrop8_444(400, 160), 1);
    f.add_background_object(create_backdrop9_445(224, 296), 1);
    f.add_background_object(create_backdrop10_446(168, 328), 1);
    f.add_background_object(create_backdrop9_445(224, 344), 1);
    f.add_background_object(create_backdrop11_447(168, 376), 1);
    f.add_background_object(create_backdrop9_445(224, 392), 1);
    f.add_background_object(create_backdrop14_458(192, 496), 1);
}

void place_page_objects(Frames& f)
{
    // The pages' sprites and labels, then the support objects outside them.
    f.add_object(create_active_428(415, 143), 1);
    f.add_object(create_active2_429(447, 111), 1);
    f.add_object(create_active3_430(415, 79), 1);
    f.add_object(create_active4_431(383, 111), 1);
    f.add_object(create_active8_419(200, 112), 1);
    f.add_object(create_helpmessage_432(480, 168), 1);
    f.add_object(create_helpmessage4_435(232, 104), 1);
    f.add_object(create_helpmessage3_434(352, 40), 1);
    f.add_object(create_helpmessage2_433(320, 128), 1);
    f.add_object(create_playerinput_21(-144, 0), 1);
    f.add_object(create_masterinput_22(-120, 0), 1);
    f.add_object(create_inputsp1_23(-96, 0), 1);
    f.add_object(create_globalinputdata_24(-72, 0), 1);
    f.add_object(create_playerskinyelto_102(29, -77), 1);
    f.add_object(create_playerskinyeltohair_209(-17, -79), 1);
    f.add_object(create_helpmessage4_435(144, 104), 1);
    f.add_object(create_helpmessage5_436(176, 136), 1);
    f.add_object(create_helpmessage6_448(376, 296), 1);
    f.add_object(create_helpmessage7_449(376, 344), 1);
    f.add_object(create_helpmessage8_450(376, 392), 1);
    f.add_object(create_helpmessage10_459(184, 648), 1);
    f.add_object(create_helpmessage5_436(176, 64), 1);
    f.add_object(create_active2_429(199, 303), 1);
    f.add_object(create_active2_429(263, 303), 1);
    f.add_object(create_active4_431(263, 351), 1);
    f.add_object(create_active4_431(263, 399), 1);
    f.add_object(create_characterslot_456(251, 592), 1);
    f.add_object(create_character1_457(259, 600), 1);
    f.add_object(create_characterslot2_460(111, 592), 1);
    f.add_object(create_characterslot2_460(391, 592), 1);
    f.add_object(create_character2_461(119, 600), 1);
    f.add_object(create_character3_462(399, 600), 1);
    f.add_object(create_masterlevel_53(-176, 120), 1);
    f.add_object(create_mapdata_27(-112, 48), 1);
    f.add_object(create_savedata_10(-112, 144), 1);
    f.add_object(create_windowcontrol_8(-112, 16), 1);
    f.add_object(create_mapdata2_29(-112, 56), 1);
    f.add_object(create_recorddata_409(-112, 112), 1);
}

void place_bottom_bar(Frames& f)
{
    f.add_background_object(create_backdrop12_411(0, 200), 2);
    f.add_background_object(create_backdrop13_412(176, 200), 2);
    f.add_background_object(create_backdrop12_411(352, 200), 2);
    f.add_background_object(create_backdrop13_412(528, 200), 2);
    f.add_object(create_helpmessage9_451(0, 208), 2);
    f.add_object(create_active5_414(71, 215), 2);
    f.add_object(create_active6_415(271, 215), 2);
    f.add_object(create_controls_410(43, 24), 2);
    f.add_object(create_fade_40(0, 0), 2);
}

}  // namespace

void Frames::on_frame_9_init()
{
    set_up_header(8, 640, 720, Color(0, 0, 0, 255));
    set_up_frame_images(8);
    set_up_layers({{1.0, 0.0}, {1.0, 1.0}, {0.0, 0.0}});

    static ObjectList* parallax_group[] = {&instances[types::BG2Layer1_452], &instances[types::BG2Layer2_453],
                                           &instances[types::BG2Layer3_454], &instances[types::BG2Layer4_455], nullptr};
    static ObjectList* controls_group[] = {&instances[types::Controls_410], nullptr};
    static ObjectList* skin_group[] = {&instances[types::PlayerSkinYelto_102],
                                       &instances[types::PlayerSkinYeltoHair_209], nullptr};
    static ObjectList* character_group[] = {&instances[types::Character1_457], &instances[types::Character2_461],
                                            &instances[types::Character3_462], nullptr};
    qualifier_1.set(4, parallax_group);
    qualifier_2.set(1, controls_group);
    qualifier_22.set(2, skin_group);
    qualifier_24.set(3, character_group);

    place_page_backgrounds(*this);
    place_page_objects(*this);
    place_bottom_bar(*this);
    place_fade_in_tiles(*this);

    set_up_named_loops(8);
    reset_menu_event_state(*this);
}

void Frames::on_frame_9_start_events()
{
    event_func_2659();
    event_func_2511();
    event_func_2660();
    run_global_start_events();
}

void Frames::handle_frame_9_events()
{
    test_collisions_8();
    if (fade_in_group)
        for (int tile = 0; tile < 4; ++tile)
            event_func_2501();
    event_func_2647();
    event_func_2648();
    event_func_2649();
    event_func_2650();
    event_func_2651();
    event_func_2652();
    event_func_2653();
    event_func_2654();
    event_func_2655();
    event_func_2656();
    event_func_2657();
    event_func_2506();
    event_func_2507();
    event_func_2508();
    event_func_2658();
    run_shared_events(9);
}

void Frames::test_collisions_8() {}
