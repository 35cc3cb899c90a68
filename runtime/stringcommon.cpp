#include "runtime/stringcommon.h"

#include <cstring>

namespace {

struct Literal {
    const char* text;
    size_t length;
};

template <size_t N>
constexpr Literal lit(const char (&text)[N])
{
    return {text, N - 1};
}

// In the order of StringConstant. The line break and the empty string are
// made from C strings, the others with their exact lengths.
const Literal literals[STRING_CONSTANT_COUNT] = {
    lit(".\\Data\\BGM\\m_1up.ogg"),
    lit(".\\Data\\BGM\\m_title.ogg"),
    lit(".\\Data\\BGM\\m_midboss.ogg"),
    lit(".\\Data\\BGM\\m_invincibility.ogg"),
    lit(".\\Data\\BGM\\m_menu1.ogg"),
    lit(".\\Data\\BGM\\m_gameover.ogg"),
    lit(".\\Data\\BGM\\m_clear.ogg"),
    lit(".\\Data\\BGM\\m_stage1.ogg"),
    lit(".\\Data\\BGM\\m_stage1b.ogg"),
    lit(".\\Data\\BGM\\m_speedup.ogg"),
    lit(".\\voices\\orrun\\orrun_kiddingme.ogg"),
    lit(".\\voices\\pimsa\\pimsa_quietno.ogg"),
    lit("sound_hurt"),
    lit("sound_continue"),
    lit("sound_dig"),
    lit("sound_attack"),
    lit("sound_uppercut"),
    lit("sound_explode"),
    lit("sound_cyclone"),
    lit("sound_kick"),
    lit("sound_idle"),
    lit("sound_go"),
    lit("camera_mode"),
    lit("process_call."),
    lit("play_music."),
    lit("lock_music()"),
    lit("unlock_music()"),
    lit("stop_music()"),
    lit("unqueue_music()"),
    lit("fadeout_music(1500)"),
    lit("fadeout_music(2000)"),
    lit("fadeout_music(6000)"),
    lit("play_music("),
    lit("stop_music("),
    lit("reset_music("),
    lit(",0,1)"),
    lit(",1,2)"),
    lit(",1,3"),
    lit(",0)"),
    lit(","),
    lit("("),
    lit(")"),
    lit("Player01Up"),
    lit("Player01Down"),
    lit("Player01SlopesUp"),
    lit("Player01SlopesDown"),
    lit("Player01DetectAngle"),
    lit("Player01DetectSensorTop"),
    lit("Player01DetectSensorBottom"),
    lit("Player01DetectSensorLeft"),
    lit("Player01DetectSensorRight"),
    lit("Player01DetectSensorMain"),
    lit("Player01DetectSensorAngles"),
    lit("Player01DetectSensorSlope"),
    lit("Player01DetectSensorEdges"),
    lit("Player01AllSensors"),
    lit("Player01WallCollision"),
    lit("./control_gamepad.cfg"),
    lit("./control_keyboard.cfg"),
    lit("/vol/save/common/records.dat"),
    lit("./save"),
    lit(".dat"),
    lit(".\\Data\\font.bmp"),
    lit("\\Profiles"),
    lit("Quorvella"),
    lit("TOLVANI PALACE"),
    lit("TOLVANI PALACE    "),
    lit("VIREVI LUNMERE"),
    lit(" !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~"),
    {"\r\n", std::strlen("\r\n")},
    {"", 0},
};

const std::string* build_table()
{
    static const std::string* const table = [] {
        auto* strings = new std::string[STRING_CONSTANT_COUNT];
        for (int i = 0; i < STRING_CONSTANT_COUNT; ++i)
            strings[i].assign(literals[i].text, literals[i].length);
        return strings;
    }();
    return table;
}

// Created before main, with the runtime's own static initialisation.
[[maybe_unused]] const std::string* const constants_at_start = build_table();

}  // namespace

const std::string& string_constant(StringConstant id)
{
    return build_table()[id];
}
