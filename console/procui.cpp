#include "console/procui.h"

#include "console/options.h"

#include <atomic>
#include <csignal>

namespace {

struct Registered {
    ProcUICallback callback = nullptr;
    void* context = nullptr;
};

ProcUISaveCallback save_callback = nullptr;
void* save_context = nullptr;
Registered callbacks[3];
ProcUICounts counts{};
void (*event_pump)() = nullptr;
void (*tick_hook)(long) = nullptr;
std::atomic<bool> run_failed{false};

std::atomic<bool> exit_requested{false};
bool in_background = false;
bool exiting = false;
std::atomic<int> pending_move{0};  // 1: to background, 2: to foreground

void on_signal(int)
{
    exit_requested.store(true);
}

void run_callback(ProcUICallbackType type)
{
    const Registered& entry = callbacks[type];
    if (entry.callback)
        entry.callback(entry.context);
}

}  // namespace

void ProcUIInitEx(ProcUISaveCallback callback, void* context)
{
    ++counts.init_calls;
    save_callback = callback;
    save_context = context;
}

void ProcUIRegisterCallback(ProcUICallbackType type, ProcUICallback callback, void* context,
                            uint32_t)
{
    if (type < PROCUI_CALLBACK_ACQUIRE || type > PROCUI_CALLBACK_EXIT)
        return;
    callbacks[type] = {callback, context};
}

ProcUIStatus ProcUIProcessMessages(bool)
{
    ++counts.batches;
    if (tick_hook && !exiting)
        tick_hook(counts.batches - 1);
    if (event_pump)
        event_pump();
    if (exiting)
        return PROCUI_STATUS_EXITING;

    // N ticks run in full; the message batch of tick N + 1 brings the exit.
    const long ticks = console_options().ticks;
    if (exit_requested.load() || (ticks >= 0 && counts.batches > ticks)) {
        procui_ask_to_save();
        return PROCUI_STATUS_EXITING;
    }
    switch (pending_move.exchange(0)) {
    case 1:
        in_background = true;
        run_callback(PROCUI_CALLBACK_RELEASE);
        return PROCUI_STATUS_RELEASE_FOREGROUND;
    case 2:
        in_background = false;
        run_callback(PROCUI_CALLBACK_ACQUIRE);
        return PROCUI_STATUS_IN_FOREGROUND;
    default:
        return in_background ? PROCUI_STATUS_IN_BACKGROUND : PROCUI_STATUS_IN_FOREGROUND;
    }
}

void procui_ask_to_save()
{
    if (exiting)
        return;
    exiting = true;
    // The system asks the application to save before it goes.
    if (save_callback)
        save_callback(save_context);
}

void ProcUIDrawDoneRelease()
{
    ++counts.draw_done_releases;
}

void ProcUIShutdown()
{
    ++counts.shutdown_calls;
    run_callback(PROCUI_CALLBACK_EXIT);
}

void procui_request_exit()
{
    exit_requested.store(true);
}

bool procui_exit_requested()
{
    return exit_requested.load();
}

void procui_fail_run()
{
    procui_fail_exit_status();
    exit_requested.store(true);
}

void procui_fail_exit_status()
{
    run_failed.store(true);
}

int procui_exit_status()
{
    return run_failed.load() ? 1 : 0;
}

void procui_reset_exit()
{
    exit_requested.store(false);
    run_failed.store(false);
    exiting = false;
}

void procui_request_background()
{
    pending_move.store(1);
}

void procui_request_foreground()
{
    pending_move.store(2);
}

void procui_install_signal_handlers()
{
    struct sigaction action = {};
    action.sa_handler = on_signal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

ProcUICounts procui_counts()
{
    return counts;
}

void procui_set_event_pump(void (*pump)())
{
    event_pump = pump;
}

void procui_set_tick_hook(void (*hook)(long))
{
    tick_hook = hook;
}
