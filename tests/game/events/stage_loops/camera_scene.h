// A 3000 x 1000 frame with the camera, the player's objects and the sign
// post, whose ticks run the act's camera events in the act's order (the
// camera modes run through the act's loop names), and nothing else.
#pragma once

#include "game/objects/type_ids.h"
#include "tests/support/event_kit.h"

#include <functional>

namespace camera_test {

constexpr int scene_width = 3000;
constexpr int scene_height = 1000;

struct CameraScene {
    FrameObject* camera = nullptr;    // MasterCamera_190
    FrameObject* movement = nullptr;  // PlayerMovementValues_80
    FrameObject* input = nullptr;     // PlayerInput_21
    FrameObject* player = nullptr;    // Player_87
    FrameObject* sign = nullptr;      // Sign_170
};

inline void run_camera_events(Frames& f)
{
    using Event = void (Frames::*)();
    static constexpr Event camera_run[] = {
        &Frames::event_func_2105, &Frames::event_func_2106, &Frames::event_func_2107, &Frames::event_func_2108,
        &Frames::event_func_2109, &Frames::event_func_2110, &Frames::event_func_2111, &Frames::event_func_2112,
        &Frames::event_func_2113, &Frames::event_func_2114, &Frames::event_func_2115, &Frames::event_func_2116,
        &Frames::event_func_2117, &Frames::event_func_2118, &Frames::event_func_2119, &Frames::event_func_2120,
        &Frames::event_func_2121, &Frames::event_func_2122, &Frames::event_func_2123, &Frames::event_func_2124,
        &Frames::event_func_2125, &Frames::event_func_2126, &Frames::event_func_2127, &Frames::event_func_2128,
        &Frames::event_func_2129, &Frames::event_func_2130, &Frames::event_func_2131, &Frames::event_func_2132,
        &Frames::event_func_2133, &Frames::event_func_2134,
    };
    for (const Event event : camera_run)
        (f.*event)();
}

// Enters the scene: the sign at (sign_x, sign_y), the camera's half view as
// the act's start sets it, then `prepare` (values the first tick must see),
// then the first tick.
inline CameraScene enter_camera_scene(EventKit& kit, int sign_x, int sign_y,
                                      std::function<void(CameraScene&)> prepare)
{
    CameraScene scene;
    kit.enter_empty_frame({.width = scene_width,
                           .height = scene_height,
                           .handler = run_camera_events,
                           .set_up = [&](Frames& f) {
                               f.reset_frame_event_state(5);
                               f.set_up_named_loops(4);
                               f.level_group_43 = f.level_group_8 = true;
                               scene.camera = kit.place("MasterCamera_190", -50, -50);
                               scene.movement = kit.place("PlayerMovementValues_80", -50, -50);
                               scene.input = kit.place("PlayerInput_21", -50, -50);
                               scene.player = kit.place("Player_87", 0, 0);
                               scene.sign = kit.place("Sign_170", sign_x, sign_y);
                               EventKit::set_value(scene.camera, 'X', 213);
                               EventKit::set_value(scene.camera, 'Y', 120);
                               if (prepare)
                                   prepare(scene);
                           }});
    return scene;
}

// Several values of one object at once.
inline void set_values(FrameObject* object, std::initializer_list<std::pair<char, double>> values)
{
    for (const auto& [letter, number] : values)
        EventKit::set_value(object, letter, number);
}

}  // namespace camera_test
