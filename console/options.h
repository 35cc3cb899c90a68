// How the console replacement runs on this host: chosen once at start-up
// from the command line, read by the console's services.
#pragma once

#include <string>

struct ConsoleOptions {
    std::string content_dir = "content";  // the content volume's game folder
    bool content_given = false;           // --content was on the command line
    std::string save_dir;                 // the save volume; empty: the per-user default
    bool headless = false;                // offscreen video, silent audio, no pacing
    long ticks = -1;                      // report "exiting" after this many ticks; -1: never
    std::string input_file;               // scripted controller input
    std::string capture_dir;              // where pictures are written
    long capture_every = 1;               // write every N-th picture
    std::string audio_out;                // WAV file of the TV's sound
    bool end_report = false;              // a closing line with the frame and the lives
    bool help = false;                    // --help: the usage was shown, nothing runs
};

ConsoleOptions& console_options();

// Parses the command line into console_options(). On a bad or unknown
// option writes one line (and the usage) and returns false. --help writes
// the usage with each option's meaning and sets `help`.
bool console_parse_options(int argc, char** argv);

// Start-up, once the options are parsed: the content folder and its
// Assets.dat, the input script, then the window driver. False, with one
// console line, when the run cannot start.
bool console_start();
// The end of the run: the outputs' closing lines. The process's exit
// status: 0, or 1 when an output failed.
int console_finish();
// Ends the run at once from inside a host call that cannot go on (the
// display is gone): the application is asked to save as at any exit, the
// outputs are finished as console_finish and the sound's end leave them, and
// the process exits with the run's status without the exit handlers, which
// would race the game's threads still at work.
[[noreturn]] void console_end_now();

// The per-user save folder: $XDG_DATA_HOME/quorvella, else ~/.local/share/quorvella,
// else save/ in the working directory (neither variable set).
std::string console_default_save_dir();

const char* console_usage();
