// How the console replacement runs on this host: chosen once at start-up
// from the command line, read by the console's services.
#pragma once

#include <string>

struct ConsoleOptions {
    std::string content_dir = "content";  // the content volume's game folder
    std::string save_dir;                 // the save volume; empty: the per-user default
    bool headless = false;                // offscreen video, silent audio, no pacing
    long ticks = -1;                      // report "exiting" after this many ticks; -1: never
    std::string input_file;               // scripted controller input
    std::string capture_dir;              // where pictures are written
    long capture_every = 1;               // write every N-th picture
    std::string audio_out;                // WAV file of the TV's sound
};

ConsoleOptions& console_options();

// Parses the command line into console_options(). On a bad or unknown
// option writes one line (and the usage) and returns false.
bool console_parse_options(int argc, char** argv);

// The per-user save folder: $XDG_DATA_HOME/quorvella, else ~/.local/share/quorvella.
std::string console_default_save_dir();

const char* console_usage();
