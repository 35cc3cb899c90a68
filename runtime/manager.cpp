#include "runtime/manager.h"

#include "audio/media.h"
#include "console/os.h"
#include "graphics/display.h"
#include "graphics/image.h"
#include "graphics/render.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "runtime/frame.h"
#include "runtime/values.h"

GameManager manager;

namespace {

void on_touch(bool down)
{
    manager.on_mouse(1, down);
}

// Start-up's input and score: nothing held, pressed or scored. A test that
// starts the manager again sees nothing of an earlier run.
void forget_input(GameManager& game)
{
    game.keyboard = InputList();
    game.mouse = InputList();
    game.mouse_x = game.mouse_y = 0;
    game.player_flags = game.player_press_flags = 0;
    game.joystick_flags = game.joystick_press_flags = game.joystick_release_flags = 0;
    game.ignore_controls = false;
    game.score = 0;
    game.frame_time = 0.0f;
}

}  // namespace

void setup_globals(const GameDescription& game, GlobalValues* values, GlobalStrings* strings)
{
    for (unsigned index = 0; index < game.global_value_count; ++index)
        values->set(index, 0.0);
    for (const GlobalStart& start : game.global_value_starts)
        values->set(start.index, start.value);
    unsigned index = 0;
    for (const char* text : game.global_string_starts)
        strings->set(index++, text);
}

void GameManager::run(const GameDescription& description)
{
    init(description);
    while (update())
        ;
    shut_down();
}

void GameManager::init(const GameDescription& description)
{
    game = &description;
    frame = description.frames;
    PlatformHooks hooks;
    hooks.before_messages = flush_audio;
    hooks.on_touch = on_touch;
    hooks.either_face_button_is_1 = description.either_face_button_is_1;
    platform_install_hooks(hooks);
    platform_init();
    media.init();
    fullscreen = false;
    forget_input(*this);
    // The game starts once per process; a test that starts the manager again
    // keeps the display and renderer it has.
    static bool display_created = false;
    if (!display_created) {
        display_created = true;
        platform_create_display(false);
        Render::init();
    }
    platform_set_vsync(true);
    preload_images();
    reset_globals();
    control_type = 0;
    for (int k = 0; k < 8; ++k)
        control_keys[k] = description.control_keys[k];
    fps_limit.start();
    fps_limit.set(60);
    player_died = false;
    lives = 3;
    set_frame(0);
}

int GameManager::update()
{
    keyboard.update();
    mouse.update();
    platform_poll_events();
    update_controls();
    platform_get_mouse_pos(&mouse_x, &mouse_y);
    update_frame();
    if (platform_display_closed())
        return 0;
    draw();
    fps_limit.finish();
    return 1;
}

void GameManager::update_controls()
{
    const uint32_t player = get_player_control_flags(1);
    player_press_flags = player & ~player_flags;
    player_flags = player;
    const uint32_t joystick = get_joystick_control_flags(1);
    joystick_press_flags = joystick & ~joystick_flags;
    joystick_release_flags = joystick_flags & ~joystick;
    joystick_flags = joystick;
}

int GameManager::update_frame()
{
    if (frame->next_frame != -1) {
        const int next = frame->next_frame;
        platform_prepare_frame_change();
        set_frame(next);
        // A refused request is dropped rather than retried every tick.
        if (frame->next_frame == next)
            frame->next_frame = -1;
    }
    frame_time = float(fps_limit.dt);
    return frame->update();
}

void GameManager::set_frame(int index)
{
    if (index != -2 && (index < 0 || index >= game->frame_count)) {
        OSReport("Invalid frame index: %d\n", index);
        return;
    }
    ignore_controls = false;
    if (frame->index != -1) {
        frame->data->on_end();
        frame->reset();
    }
    if (index == -2) {
        platform_begin_draw();
        media.stop_samples();
        Render::clear(Color(0, 0, 0, 255));
        platform_swap_buffers();
        index = 0;
        reset_globals();
    }
    OSReport("Setting frame: %d\n", index);
    frame->set_index(index);
    OSReport("Frame set\n");
}

void GameManager::draw()
{
    platform_set_remote_value(1);
    platform_begin_draw();
    const int mode = platform_get_remote_value();
    platform_set_display_target(0);
    frame->draw(2);
    // No window shows the gamepad's picture: it is drawn only for a look at it.
    if (mode == 1 && platform_gamepad_picture_observed()) {
        platform_clone_buffers();
        platform_set_display_target(1);
        frame->draw(3);
    }
    Render::set_offset(0, 0);
    platform_swap_buffers();
}

void GameManager::shut_down()
{
    if (frame && frame->data) {
        frame->data->on_app_end();
        frame->data->on_end();
    }
    media.stop();
    platform_exit();
}

void GameManager::reset_globals()
{
    delete values;
    delete strings;
    values = new GlobalValues();
    strings = new GlobalStrings();
    frame->global_values = values;
    frame->global_strings = strings;
    setup_globals(*game, values, strings);
}

void GameManager::set_window(bool on)
{
    if (on == fullscreen)
        return;
    fullscreen = on;
    platform_set_fullscreen(on);
}

void GameManager::on_mouse(int button, bool down)
{
    if (down)
        mouse.add(button);
    else
        mouse.remove(button);
}
