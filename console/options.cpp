#include "console/options.h"

#include "console/ax.h"
#include "console/fs.h"
#include "console/input_script.h"
#include "console/os.h"
#include "console/procui.h"
#include "console/window.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

// A whole number of at least `minimum`; `count` changes only when it is one.
bool parse_count(const char* text, long minimum, long& count)
{
    char* end = nullptr;
    errno = 0;
    const long value = strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < minimum)
        return false;
    count = value;
    return true;
}

struct TextOption {
    const char* name;
    std::string ConsoleOptions::*field;
};

const TextOption text_options[] = {
    {"--content", &ConsoleOptions::content_dir},
    {"--save", &ConsoleOptions::save_dir},
    {"--input", &ConsoleOptions::input_file},
    {"--capture", &ConsoleOptions::capture_dir},
    {"--audio-out", &ConsoleOptions::audio_out},
};

std::string* text_option(ConsoleOptions& options, const char* name)
{
    for (const TextOption& option : text_options)
        if (strcmp(name, option.name) == 0)
            return &(options.*option.field);
    return nullptr;
}

}  // namespace

ConsoleOptions& console_options()
{
    static ConsoleOptions options;
    return options;
}

std::string console_default_save_dir()
{
    const char* data = getenv("XDG_DATA_HOME");
    if (data && *data)
        return std::string(data) + "/quorvella";
    const char* home = getenv("HOME");
    if (home && *home)
        return std::string(home) + "/.local/share/quorvella";
    return "save";
}

const char* console_usage()
{
    return "usage: quorvella [--content DIR] [--save DIR] [--headless] [--ticks N]\n"
           "                 [--input FILE] [--capture DIR] [--capture-every N] [--audio-out FILE]\n"
           "                 [--end-report] [--help]";
}

namespace {

const char* const option_help =
    "  --content DIR      the game's folder with Assets.dat (default: content/ in the\n"
    "                     working directory; ./run.sh, given no --content while\n"
    "                     content/Assets.dat is missing, plays the stand-in content\n"
    "                     it makes in build/release/stand-in-content)\n"
    "  --save DIR         the save folder (default: $XDG_DATA_HOME/quorvella, else\n"
    "                     ~/.local/share/quorvella, else save/ in the working directory)\n"
    "  --headless         no window and no sound device; ticks are not paced\n"
    "  --ticks N          end the run after N ticks (60 ticks are one second)\n"
    "  --input FILE       play the controllers from a script (docs/input-script.md)\n"
    "  --capture DIR      write the TV pictures to DIR/tv_NNNNNN.png; the boot\n"
    "                     image's 480 pictures come before tick 1's\n"
    "  --capture-every N  with --capture: only every N-th picture\n"
    "  --audio-out FILE   write the TV's sound to a WAV file\n"
    "  --end-report       at the end, one line with the frame and the lives left\n"
    "  --help, -h         this text";

}  // namespace

bool console_parse_options(int argc, char** argv)
{
    ConsoleOptions& options = console_options();
    bool every_given = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (strcmp(arg, "--help") == 0 || strcmp(arg, "-h") == 0) {
            OSReport("%s\n%s\n", console_usage(), option_help);
            options.help = true;
            return true;
        }
        if (strcmp(arg, "--headless") == 0) {
            options.headless = true;
            continue;
        }
        if (strcmp(arg, "--end-report") == 0) {
            options.end_report = true;
            continue;
        }
        std::string* text = text_option(options, arg);
        if (strcmp(arg, "--capture-every") == 0) {
            if (!value || !parse_count(value, 1, options.capture_every)) {
                host_report("Option --capture-every needs a count of pictures\n%s\n", console_usage());
                return false;
            }
            every_given = true;
        } else if (!text && strcmp(arg, "--ticks") != 0) {
            host_report("Unknown option: %s\n%s\n", printable_text(arg).c_str(), console_usage());
            return false;
        } else if (!value) {
            host_report("Option %s needs a value\n%s\n", printable_text(arg).c_str(), console_usage());
            return false;
        } else if (text) {
            *text = value;
            options.content_given = options.content_given || text == &options.content_dir;
        } else if (!parse_count(value, 0, options.ticks)) {
            host_report("Option --ticks needs a count of ticks, not \"%s\"\n",
                        printable_text(value).c_str());
            return false;
        }
        ++i;  // the value
    }
    // Alone it would keep nothing: the pictures it thins out are never written.
    if (every_given && options.capture_dir.empty()) {
        host_report("Option --capture-every needs --capture DIR\n%s\n", console_usage());
        return false;
    }
    if (options.save_dir.empty())
        options.save_dir = console_default_save_dir();
    return true;
}

bool console_start()
{
    const ConsoleOptions& options = console_options();
    if (!fs_check_content())
        return false;
    if (!options.input_file.empty() && !InputScript::check_file(options.input_file))
        return false;
    return window_open();
}

int console_finish()
{
    window_finish();
    return procui_exit_status();
}

void console_end_now()
{
    procui_ask_to_save();
    const int status = console_finish();
    // The sound thread stops and a recording gets its header.
    AXQuit();
    fflush(nullptr);
    _exit(status);
}
