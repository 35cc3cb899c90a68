// The act 2 frame's start events: the start events it shares with act 1,
// with its own between them: the water line and the water bodies, the
// parallax factors, the numbers of the pads, doors, plates, codecs and
// bubble patches, the loop strips outside the playfield, the camera's
// offsets and the opening chosen by the progress marker.
#include "game/events/act1_frame/stage_start.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/type_ids.h"
#include "objects/active.h"

#include <initializer_list>
#include <optional>

namespace {

using StartEvent = void (Frames::*)();

void run_in_order(Frames& frames, std::initializer_list<StartEvent> events)
{
    for (StartEvent event : events)
        (frames.*event)();
}

constexpr double water_line = 2700;
// Progress marker values: the boss beaten.
constexpr double after_the_boss = 10;

// Values A = 0, 1, 2 ... in selection order (the newest first), from `first`.
void number_instances(ObjectList& list, char name, double first = 0)
{
    double number = first;
    for_each_instance(list, [&](FrameObject* object) { set_value(object, name, number++); });
}

void destroy_outside_playfield(ObjectList& list)
{
    if (select(list, [](FrameObject* object) { return object->outside_playfield(); }))
        for_each_selected(list, [](FrameObject* object) { object->destroy(); });
}

Active& active(FrameObject* object) { return *static_cast<Active*>(object); }

struct ParallaxFactors {
    int type;
    double d, e;
    std::optional<double> g;
};

}  // namespace

void Frames::on_frame_6_start_events()
{
    event_func_2181();
    // 2486: the water line, the codecs, the water bodies.
    if (level_group_43) {
        FrameObject* level = instance_of(instances[types::MasterLevel_53]);
        set_value(level, 'A', 1);
        set_value(level, 'Y', 0);
        set_value(level, 'B', water_line);
        number_instances(instances[types::ObjectCodec_279], 'A', 5);
        set_value(level, 'Q', 2);
        for_each_instance(instances[types::GeneralWater_156], [&](FrameObject* water) {
            active(water).set_x_scale(float(global_values->get(16)));
            active(water).set_y_scale(float(global_values->get(17)));
        });
    }
    run_in_order(*this, {&Frames::event_func_2183, &Frames::event_func_2184, &Frames::event_func_2185,
                              &Frames::event_func_2186, &Frames::event_func_2187, &Frames::event_func_2188,
                              &Frames::event_func_2189, &Frames::event_func_2190, &Frames::event_func_2191,
                              &Frames::event_func_2192, &Frames::event_func_2193, &Frames::event_func_2194,
                              &Frames::event_func_2195, &Frames::event_func_2196, &Frames::event_func_2197,
                              &Frames::event_func_2198, &Frames::event_func_2199});
    event_func_2487();
    run_in_order(*this, {&Frames::event_func_2201, &Frames::event_func_2202, &Frames::event_func_2203,
                              &Frames::event_func_2204, &Frames::event_func_2205, &Frames::event_func_2206,
                              &Frames::event_func_2207, &Frames::event_func_2208, &Frames::event_func_2209,
                              &Frames::event_func_2210, &Frames::event_func_2211, &Frames::event_func_2212,
                              &Frames::event_func_2213, &Frames::event_func_2214, &Frames::event_func_2215,
                              &Frames::event_func_2216});
    // 2488: the jump pads' numbers.
    if (level_group_43)
        number_instances(instances[types::ObjectJumppad_325], 'A');
    run_in_order(*this, {&Frames::event_func_2217, &Frames::event_func_2218, &Frames::event_func_2219,
                              &Frames::event_func_2220, &Frames::event_func_2221});
    // 2489: the switch doors and plates. A door's B is one past its layer's
    // index, the layer it steps back behind when it opens.
    if (level_group_43) {
        ObjectList& doors = instances[types::SwitchDoor_378];
        if (FrameObject* door = instance_of(doors))
            set_value(door, 'B', layer_index(*door) + 1);
        number_instances(doors, 'A');
        number_instances(instances[types::SwitchPressurePlate_376], 'A');
    }
    event_func_2490();
    event_func_2491();
    event_func_2222();
    event_func_2223();
    // 2492: the deep background's drift starts from its height.
    if (level_group_43) {
        ObjectList& deep = instances[types::LevelParallaxPiece9_386];
        set_value(deep, 'M', get_value(deep, 'C'));
    }
    // 2493: the camera's offsets for the screen's width.
    if (level_group_43 && level_group_8) {
        ObjectList& camera = instances[types::MasterCamera_190];
        set_value(camera, 'X', 426.0 / 2 - (106 - 53 * global_values->get(19)));
        set_value(camera, 'Y', 240.0 / 2);
    }
    event_func_2225();
    event_func_2226();
    // 2494: the water bodies' tops, the bubble patches' numbers.
    if (level_group_43) {
        for_each_instance(instances[types::GeneralWater_156],
                          [](FrameObject* water) { set_value(water, 'A', water->get_box_index(1)); });
        number_instances(instances[types::BubblePatch_362], 'A');
        number_instances(instances[types::BubblePatch_362], 'B');
    }
    // 2495: the intro card holds the controls.
    if (level_group_43 && level_group_32)
        set_value(instances[types::PlayerInput_21], 'M', 1);
    event_func_2496();
    event_func_2497();
    // 2498: after the boss the arena stays quiet and the sign is gone.
    if (level_group_43 && level_group_32 && global_values->get(4) >= after_the_boss) {
        deactivate_group(boss_arena_group);
        if (FrameObject* sign = instance_of(instances[types::Sign_361]))
            sign->set_visible(false);
        for_each_instance(instances[types::LevelCardIntro3_288],
                          [](FrameObject* card) { active(card).force_animation(5); });
    }
    event_func_2229();
    // 2499: the water surface strip spans the screen at the water line.
    if (level_group_43) {
        if (FrameObject* surface = instance_of(instances[types::LevelParalaxWaterSurface_389])) {
            active(surface).set_x_scale(426.0f);
            surface->set_y(to_int(get_value(instances[types::MasterLevel_53], 'B')));
        }
    }
    run_global_start_events();
}

// The parallax pieces' factors of the view's movement (D across, E down)
// and their drift (G).
void Frames::event_func_2487()
{
    if (!level_group_43)
        return;
    static const ParallaxFactors factors[] = {
        {types::LevelParallaxPiece0_161, 0.99, 0.94, {}},   {types::LevelParallaxPiece1_205, 0.98, 0.93, {}},
        {types::LevelParallaxPiece2_206, 0.4, 0.5, {}},     {types::LevelParallaxPiece2_215, 0.95, 0.91, {}},
        {types::LevelParallaxPiece3_216, 0.96, 0.92, -0.1}, {types::LevelParallaxPiece4_217, 0.92, 0.88, -0.3},
        {types::LevelParallaxPiece5_218, 0.6, 0.7, {}},     {types::LevelParallaxPiece6_219, 0.5, 0.6, {}},
        {types::LevelParallaxPiece7_367, 0.35, 0.43, {}},   {types::LevelParallaxPiece8_387, 0.7, 0.8, {}},
        {types::LevelParallaxPiece9_386, 0.6, 0.7, {}},     {types::LevelParallaxPiece10_388, 0.4, 0.5, {}},
        {types::LevelParallaxPiece11_390, 0.35, 0.43, {}},
    };
    for (const ParallaxFactors& piece : factors) {
        ObjectList& list = instances[piece.type];
        set_value(list, 'D', piece.d);
        set_value(list, 'E', piece.e);
        if (piece.g)
            set_value(list, 'G', *piece.g);
    }
}

void Frames::event_func_2490()
{
    if (level_group_43)
        destroy_outside_playfield(instances[types::LevelLayer0Loop04_357]);
}

void Frames::event_func_2491()
{
    if (level_group_43)
        destroy_outside_playfield(instances[types::LevelLayer1Loop03_358]);
}

// A later start of the act: the HUD slides in and Hespin's arm takes its
// colours.
void Frames::event_func_2496()
{
    if (!level_group_43 || !level_group_32 || !(global_values->get(4) > 0))
        return;
    run_loop(fast_loop_gui_shiftup, 40, &Frames::loop_gui_shiftup_4);
    stage_start::read_arm_colours(*this);
}

// The first start of the act: the opening fade instead of the cards.
void Frames::event_func_2497()
{
    if (!level_group_43 || !level_group_32 || !(global_values->get(4) <= 0))
        return;
    deactivate_group(level_group_32);
    activate_group(opening_fade_group);
    activate_group(level_group_39);
}
