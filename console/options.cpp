#include "console/options.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool parse_ticks(const char* text, long& ticks)
{
    char* end = nullptr;
    errno = 0;
    const long value = strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < 0)
        return false;
    ticks = value;
    return true;
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
           "                 [--input FILE] [--capture DIR] [--capture-every N] [--audio-out FILE]";
}

bool console_parse_options(int argc, char** argv)
{
    ConsoleOptions& options = console_options();
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const bool has_value = i + 1 < argc;
        std::string* target = nullptr;
        if (strcmp(arg, "--headless") == 0) {
            options.headless = true;
            continue;
        }
        if (strcmp(arg, "--content") == 0)
            target = &options.content_dir;
        else if (strcmp(arg, "--save") == 0)
            target = &options.save_dir;
        else if (strcmp(arg, "--input") == 0)
            target = &options.input_file;
        else if (strcmp(arg, "--capture") == 0)
            target = &options.capture_dir;
        else if (strcmp(arg, "--audio-out") == 0)
            target = &options.audio_out;
        else if (strcmp(arg, "--capture-every") == 0) {
            if (!has_value || !parse_ticks(argv[i + 1], options.capture_every) ||
                options.capture_every < 1) {
                printf("Option --capture-every needs a count of pictures\n%s\n", console_usage());
                fflush(stdout);
                return false;
            }
            ++i;
            continue;
        } else if (strcmp(arg, "--ticks") != 0) {
            printf("Unknown option: %s\n%s\n", arg, console_usage());
            fflush(stdout);
            return false;
        }
        if (!has_value) {
            printf("Option %s needs a value\n%s\n", arg, console_usage());
            fflush(stdout);
            return false;
        }
        ++i;
        if (target) {
            *target = argv[i];
        } else if (!parse_ticks(argv[i], options.ticks)) {
            printf("Option --ticks needs a count of ticks, not \"%s\"\n", argv[i]);
            fflush(stdout);
            return false;
        }
    }
    if (options.save_dir.empty())
        options.save_dir = console_default_save_dir();
    return true;
}
