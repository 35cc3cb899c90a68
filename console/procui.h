// The console's process-UI library: the application's life cycle messages.
// On this host the application is always in the foreground; it is told to
// exit on SIGINT or SIGTERM, when its window is closed, or after the number
// of ticks that the run options give.
#pragma once

#include <cstdint>

enum ProcUIStatus : int32_t {
    PROCUI_STATUS_IN_FOREGROUND = 0,
    PROCUI_STATUS_IN_BACKGROUND = 1,
    PROCUI_STATUS_RELEASE_FOREGROUND = 2,
    PROCUI_STATUS_EXITING = 3,
};

enum ProcUICallbackType : int32_t {
    PROCUI_CALLBACK_ACQUIRE = 0,
    PROCUI_CALLBACK_RELEASE = 1,
    PROCUI_CALLBACK_EXIT = 2,
};

using ProcUISaveCallback = uint32_t (*)(void* context);
using ProcUICallback = uint32_t (*)(void* context);

void ProcUIInitEx(ProcUISaveCallback save_callback, void* context);
void ProcUIRegisterCallback(ProcUICallbackType type, ProcUICallback callback, void* context,
                            uint32_t priority);
// One batch of messages; called once per tick. `block` is accepted as given:
// a host process is never parked in the background.
ProcUIStatus ProcUIProcessMessages(bool block);
void ProcUIDrawDoneRelease();
void ProcUIShutdown();

// Host side ----------------------------------------------------------------

// Asks the application to exit at the next message batch (signals, window close).
void procui_request_exit();
// True once an exit was asked for; long loops outside the ticks (the boot
// image) end early on it.
bool procui_exit_requested();
// An output of the run failed (already reported): the run ends at the next
// batch and the process with a non-zero status.
void procui_fail_run();
// Something the run wrote failed (already reported) but the game plays on:
// only the process's exit status says so.
void procui_fail_exit_status();
// The save request an exit brings, made now unless an exit already made it
// (a run that must end without its next message batch).
void procui_ask_to_save();
// 0, or 1 after procui_fail_run or procui_fail_exit_status.
int procui_exit_status();
// Tests: forgets an exit request, the exit it brought and a failed run.
void procui_reset_exit();
// Moves the application to the background and back, as the home button
// does; the release and acquire callbacks run at the next batches.
void procui_request_background();
void procui_request_foreground();
// Installs the SIGINT and SIGTERM handlers.
void procui_install_signal_handlers();

// What the library has been asked to do, for tests.
struct ProcUICounts {
    int init_calls;
    int shutdown_calls;
    int draw_done_releases;
    long batches;
};
ProcUICounts procui_counts();

// Runs once per message batch before the status is decided; the window
// layer pumps its events here. Null by default.
void procui_set_event_pump(void (*pump)());
// Runs once per message batch, before the event pump, with the number of
// ticks that have run in full; headless sound advances here. Null by default.
void procui_set_tick_hook(void (*hook)(long ticks_done));
