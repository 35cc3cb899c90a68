#include "console/input_script.h"

#include "console/os.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <strings.h>
#include <sys/stat.h>

namespace {

struct ButtonName {
    const char* name;
    uint32_t gamepad_bit;
    uint32_t remote_bit;
};

const ButtonName button_names[] = {
    {"A", VPAD_BUTTON_A, WPAD_EXT_BUTTON_A},
    {"B", VPAD_BUTTON_B, WPAD_EXT_BUTTON_B},
    {"X", VPAD_BUTTON_X, WPAD_EXT_BUTTON_X},
    {"Y", VPAD_BUTTON_Y, WPAD_EXT_BUTTON_Y},
    {"L", VPAD_BUTTON_L, WPAD_EXT_BUTTON_L},
    {"R", VPAD_BUTTON_R, WPAD_EXT_BUTTON_R},
    {"ZL", VPAD_BUTTON_ZL, WPAD_EXT_BUTTON_ZL},
    {"ZR", VPAD_BUTTON_ZR, WPAD_EXT_BUTTON_ZR},
    {"PLUS", VPAD_BUTTON_PLUS, WPAD_EXT_BUTTON_PLUS},
    {"MINUS", VPAD_BUTTON_MINUS, WPAD_EXT_BUTTON_MINUS},
    {"HOME", VPAD_BUTTON_HOME, WPAD_EXT_BUTTON_HOME},
    {"UP", VPAD_BUTTON_UP, WPAD_EXT_BUTTON_UP},
    {"DOWN", VPAD_BUTTON_DOWN, WPAD_EXT_BUTTON_DOWN},
    {"LEFT", VPAD_BUTTON_LEFT, WPAD_EXT_BUTTON_LEFT},
    {"RIGHT", VPAD_BUTTON_RIGHT, WPAD_EXT_BUTTON_RIGHT},
};

struct ExtensionName {
    const char* name;
    uint8_t type;
};

const ExtensionName extension_names[] = {
    {"core", WPAD_EXT_CORE},
    {"nunchuk", WPAD_EXT_NUNCHUK},
    {"classic", WPAD_EXT_CLASSIC},
    {"pro", WPAD_EXT_PRO_CONTROLLER},
};

// The whole word: one holding a zero byte is not the word before the zero.
bool same_word(const std::string& a, const char* b)
{
    return a.size() == strlen(b) && strcasecmp(a.c_str(), b) == 0;
}

bool parse_long(const std::string& text, long low, long high, long& value)
{
    char* end = nullptr;
    errno = 0;
    const long parsed = strtol(text.c_str(), &end, 10);
    // The number must be the whole word, also past a zero byte.
    if (errno != 0 || text.empty() || end != text.c_str() + text.size() || parsed < low ||
        parsed > high)
        return false;
    value = parsed;
    return true;
}

bool parse_axis(const std::string& text, float& value)
{
    char* end = nullptr;
    const float parsed = strtof(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !(parsed >= -1.0f && parsed <= 1.0f))
        return false;
    value = parsed;
    return true;
}

// A tick from 1 to InputScript::max_tick.
bool parse_tick(const std::string& word, long& tick, std::string& fault)
{
    const bool digits = !word.empty() && word.find_first_not_of("0123456789") == std::string::npos;
    if (digits && parse_long(word, 1, InputScript::max_tick, tick))
        return true;
    if (digits && word.find_first_not_of('0') != std::string::npos)
        fault = "tick " + word + " is past the last tick a script can name (" +
                std::to_string(InputScript::max_tick) + ")";
    else
        fault = "\"" + word + "\" is not a tick number (1 or more)";
    return false;
}

// One line without its line break; stops reading a line at one byte over
// the limit, so that a file without line breaks never fills the memory.
bool read_line(std::istream& in, std::string& line)
{
    line.clear();
    std::streambuf* bytes = in.rdbuf();
    for (;;) {
        const int c = bytes->sbumpc();
        if (c == std::char_traits<char>::eof())
            return !line.empty();
        if (c == '\n' || line.size() > InputScript::max_line_bytes)
            return true;
        line += char(c);
    }
}

// "gamepad" is slot 0, "remote0".."remote3" are slots 1..4; -1 otherwise.
int parse_slot(const std::string& word)
{
    if (same_word(word, "gamepad"))
        return 0;
    if (word.size() == 7 && strncasecmp(word.c_str(), "remote", 6) == 0 && word[6] >= '0' &&
        word[6] <= '3')
        return 1 + (word[6] - '0');
    return -1;
}

}  // namespace

bool InputScript::check_file(const std::string& path)
{
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        host_report("Could not open input script %s: %s\n", printable_text(path).c_str(),
                    strerror(errno));
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        host_report("Input script %s is a folder, not a file\n", printable_text(path).c_str());
        return false;
    }
    return true;
}

bool InputScript::load(const std::string& path)
{
    changes.clear();
    if (!check_file(path))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        host_report("Could not open input script %s: %s\n", printable_text(path).c_str(),
                    strerror(errno));
        return false;
    }
    return parse(in, path);
}

bool InputScript::parse(const std::string& text, const std::string& name)
{
    std::istringstream in(text);
    return parse(in, name);
}

bool InputScript::parse(std::istream& in, const std::string& name)
{
    changes.clear();
    std::string line;
    bool clean = true;
    for (int number = 1; read_line(in, line); ++number) {
        if (line.size() > max_line_bytes) {
            host_report("Input script %s line %d: longer than %zu characters; the rest of the "
                        "script is ignored\n",
                        printable_text(name).c_str(), number, max_line_bytes);
            return false;
        }
        if (number == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
            line.erase(0, 3);
        line = line.substr(0, line.find('#'));
        if (line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        Change change;
        std::string fault;
        if (parse_line(line, change, fault) && !changes.empty() && change.tick < changes.back().tick)
            fault = "tick " + std::to_string(change.tick) + " comes after tick " +
                    std::to_string(changes.back().tick);
        if (!fault.empty()) {
            host_report("Input script %s line %d: %s\n", printable_text(name).c_str(), number,
                        printable_text(fault).c_str());
            clean = false;
            continue;
        }
        changes.push_back(change);
    }
    return clean;
}

bool InputScript::parse_line(const std::string& line, Change& change, std::string& fault) const
{
    std::istringstream words(line);
    std::string tick_word, slot_word, word;
    words >> tick_word >> slot_word;
    if (!parse_tick(tick_word, change.tick, fault))
        return false;
    change.slot = parse_slot(slot_word);
    if (change.slot < 0) {
        fault = "\"" + slot_word + "\" is not gamepad or remote0..remote3";
        return false;
    }
    ScriptedPad& pad = change.pad;
    pad.connected = true;
    pad.extension = change.slot == 0 ? WPAD_EXT_CORE : WPAD_EXT_PRO_CONTROLLER;
    bool absent = false;
    int state_words = 0;
    while (words >> word) {
        ++state_words;
        if (word == "-")
            continue;
        if (same_word(word, "absent")) {
            absent = true;
            continue;
        }
        if (same_word(word, "stick")) {
            std::string x, y;
            words >> x >> y;
            if (!parse_axis(x, pad.stick.x) || !parse_axis(y, pad.stick.y)) {
                fault = "stick needs two numbers from -1 to 1";
                return false;
            }
            continue;
        }
        if (same_word(word, "touch")) {
            std::string x, y;
            words >> x >> y;
            long tx = 0, ty = 0;
            if (change.slot != 0) {
                fault = "only the gamepad has a touch panel";
                return false;
            }
            if (!parse_long(x, 0, 1280, tx) || !parse_long(y, 0, 720, ty)) {
                fault = "touch needs x from 0 to 1280 and y from 0 to 720";
                return false;
            }
            pad.touching = true;
            pad.touch_x = uint16_t(tx);
            pad.touch_y = uint16_t(ty);
            continue;
        }
        bool known = false;
        for (const ExtensionName& extension : extension_names) {
            if (change.slot != 0 && same_word(word, extension.name)) {
                pad.extension = extension.type;
                known = true;
            }
        }
        for (const ButtonName& button : button_names) {
            if (same_word(word, button.name)) {
                pad.gamepad_buttons |= button.gamepad_bit;
                pad.remote_buttons |= button.remote_bit;
                known = true;
            }
        }
        if (!known) {
            fault = "unknown word \"" + word + "\"";
            return false;
        }
    }
    if (absent && state_words != 1) {
        fault = "absent stands alone";
        return false;
    }
    if (absent)
        pad = ScriptedPad();
    return true;
}

// Read for every controller on every tick: search from the tick's end back
// to the slot's latest line rather than replaying the whole script.
ScriptedPad InputScript::state_at(int slot, long tick) const
{
    const auto after = std::upper_bound(changes.begin(), changes.end(), tick,
                                        [](long t, const Change& change) { return t < change.tick; });
    for (auto it = std::make_reverse_iterator(after); it != changes.rend(); ++it)
        if (it->slot == slot)
            return it->pad;
    ScriptedPad pad;
    pad.connected = slot == 0;
    return pad;
}

bool InputScript::read_gamepad(long tick, int channel, VPADStatus& status)
{
    if (channel != 0)
        return false;
    const ScriptedPad pad = state_at(0, tick - base);
    if (!pad.connected)
        return false;
    status = VPADStatus();
    status.hold = pad.gamepad_buttons;
    status.left_stick = pad.stick;
    status.touch.touched = pad.touching ? 1 : 0;
    status.touch.x = pad.touch_x;
    status.touch.y = pad.touch_y;
    return true;
}

int32_t InputScript::read_remote(long tick, int channel, KPADStatus& status)
{
    const ScriptedPad pad = state_at(1 + channel, tick - base);
    if (!pad.connected)
        return KPAD_ERROR_NO_CONTROLLER;
    status = KPADStatus();
    status.extension_type = pad.extension;
    if (pad.extension == WPAD_EXT_CLASSIC || pad.extension == WPAD_EXT_PRO_CONTROLLER) {
        status.ext.hold = pad.remote_buttons;
        status.ext.left_stick = pad.stick;
    }
    return KPAD_ERROR_OK;
}
