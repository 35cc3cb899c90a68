// quorvella: the game. Reads the run options, then the game manager runs
// until the console says the application exits.
#include "console/options.h"
#include "console/os.h"
#include "console/procui.h"
#include "game/events/game_description.h"
#include "runtime/frame.h"
#include "runtime/manager.h"

int main(int argc, char** argv)
{
    if (!console_parse_options(argc, argv))
        return 2;
    if (console_options().help)
        return 0;
    procui_install_signal_handlers();
    if (!console_start())
        return 1;
    // Headless runs are not paced by a display: every tick is 1/60 s, so
    // that they replay the same way.
    if (console_options().headless)
        manager.fps_limit.set_fixed_step(1.0 / 60.0);
    manager.run(game_description());
    // For scripted runs: where the player got to, as the console saw it last.
    if (console_options().end_report)
        OSReport("Ended in frame %d, lives %d\n", manager.frame->index, manager.lives);
    return console_finish();
}
