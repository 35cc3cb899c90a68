// The Update Records frame (frame index 3): the records card over a checker
// pattern, with the objects every frame carries. Its start events ask for
// the title at once, so it lasts one tick: the card is built, updated and
// drawn once, and the shared events run once.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/frames/preload.h"
#include "game/objects/classes.h"

namespace {

constexpr int records_index = 3;
constexpr int title_index = 1;

}  // namespace

void Frames::on_frame_4_init()
{
    set_up_header(records_index, 640, 480, Color(0, 0, 0, 255));
    set_up_frame_images(records_index);
    set_up_layers({{1.0, 1.0, true}, {1.0, 1.0, true}});

    // The card's labels and its record counters.
    static ObjectList* labels[] = {&instances[types::Active_52], &instances[types::Active2_59],
                                   &instances[types::RecordColon_62], nullptr};
    static ObjectList* record_counters[] = {&instances[types::Act2RecordMin_66], &instances[types::Act2RecordSec_67],
                                            &instances[types::Act2RecordMil_68],
                                            &instances[types::Act2RecordCrystals2_71], nullptr};
    qualifier_3.set(3, labels);
    qualifier_4.set(4, record_counters);

    add_background_object(create_quickbackdrop3_57(160, -376), 0);
    add_background_object(create_quickbackdrop_56(160, -320), 0);
    add_background_object(create_backdrop3_58(0, -376), 0);
    add_background_object(create_checkerpattern_54(0, -416), 0);
    add_background_object(create_separatormasterobjects2_20(-192, -80), 0);
    add_object(create_results_72(320, -355), 0);
    add_object(create_active5_70(352, -328), 0);
    add_object(create_masterlevel_53(-24, -24), 0);
    add_object(create_playerinput_21(-176, -56), 0);
    add_object(create_masterinput_22(-152, -56), 0);
    add_object(create_inputsp1_23(-128, -56), 0);
    add_object(create_globalinputdata_24(-104, -56), 0);
    add_object(create_act2recordmin_66(302, -312), 0);
    add_object(create_act2recordsec_67(342, -312), 0);
    add_object(create_act2recordmil_68(382, -312), 0);
    add_object(create_act2recordcrystals2_71(342, -280), 0);
    add_object(create_recordcolon_62(304, -328), 0);
    add_object(create_recordcolon_62(344, -328), 0);
    add_object(create_menusequence_69(-32, 0), 0);
    add_object(create_active5_70(312, -328), 0);
    add_object(create_active5_70(272, -328), 0);
    add_object(create_stageidlist_79(-112, 280), 0);
    add_object(create_playermovementvalues_80(-48, -24), 0);
    add_object(create_mapdata_27(-144, 0), 0);
    add_object(create_recorddata_33(-64, -56), 0);
    add_object(create_windowcontrol_8(-144, -32), 0);

    add_object(create_active_52(248, -336), 1);
    add_object(create_active2_59(248, -304), 1);
    add_object(create_bordertop_60(0, -496), 1);
    add_object(create_borderbottom_61(0, -264), 1);
    // The row of cards, right to left.
    for (int card = 0; card < 10; ++card)
        add_object(create_card_55(465 - 32 * card, -236), 1);
    add_object(create_crystalcursor_64(-21, 213), 1);
    add_object(create_continue_65(329, -201), 1);
    add_object(create_fade_40(-440, -192), 1);
    add_object(create_newrecord_63(325, -270), 1);
    add_object(create_newrecord_63(325, -302), 1);
    add_object(create_ilvanesteampluginquorvella_34(0, -56), 1);
    add_object(create_guirings_74(-304, 296), 1);
    add_object(create_controllermusic_49(-304, 344), 1);
    add_object(create_playerothers_75(-296, 408), 1);
    add_object(create_guienergy_76(-264, 320), 1);
    add_object(create_guilifebasemeter_77(-200, 360), 1);
    add_object(create_guicrystal_78(-228, 310), 1);
    add_object(create_savedata_10(-32, -56), 1);
    add_object(create_mapdata2_29(-144, 8), 1);

    for (FastLoop* loop : {&fast_loop_import_deadzones, &fast_loop_record_inputs})
        *loop = FastLoop{};
    reset_shared_event_state();
    set_up_named_loops(records_index);
}

void Frames::on_frame_4_start_events()
{
    next_frame = title_index;
    run_global_start_events();
}

void Frames::handle_frame_4_events()
{
    run_shared_events(4);
}
