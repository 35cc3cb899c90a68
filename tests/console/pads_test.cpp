#include "console/input_script.h"
#include "console/pads.h"
#include "tests/support/volumes.h"

#include <gtest/gtest.h>

TEST(InputScript, each_line_sets_a_controller_from_its_tick_on)
{
    InputScript script;
    ASSERT_TRUE(script.parse("# a comment line\n"
                             "\n"
                             "3 gamepad a right stick 0.5 -0.25   # held from tick 3\n"
                             "5 gamepad touch 1280 720\n"
                             "5 remote2 classic ZL MINUS\n"
                             "7 gamepad absent\n"
                             "8 remote2 absent\n",
                             "test"));
    // Before its first line the gamepad is there with nothing held; remotes are not.
    ScriptedPad pad = script.state_at(0, 2);
    EXPECT_TRUE(pad.connected);
    EXPECT_EQ(pad.gamepad_buttons, 0u);
    EXPECT_FALSE(script.state_at(3, 2).connected);

    pad = script.state_at(0, 4);
    EXPECT_EQ(pad.gamepad_buttons, uint32_t(VPAD_BUTTON_A | VPAD_BUTTON_RIGHT));
    EXPECT_EQ(pad.stick.x, 0.5f);
    EXPECT_EQ(pad.stick.y, -0.25f);
    EXPECT_FALSE(pad.touching);

    // A line replaces the whole state: the buttons and the stick are gone.
    pad = script.state_at(0, 6);
    EXPECT_EQ(pad.gamepad_buttons, 0u);
    EXPECT_EQ(pad.stick.x, 0.0f);
    EXPECT_TRUE(pad.touching);
    EXPECT_EQ(pad.touch_x, 1280);
    EXPECT_EQ(pad.touch_y, 720);

    pad = script.state_at(3, 5);
    EXPECT_TRUE(pad.connected);
    EXPECT_EQ(pad.extension, WPAD_EXT_CLASSIC);
    EXPECT_EQ(pad.remote_buttons, uint32_t(WPAD_EXT_BUTTON_ZL | WPAD_EXT_BUTTON_MINUS));

    EXPECT_FALSE(script.state_at(0, 7).connected);
    EXPECT_FALSE(script.state_at(3, 100).connected);
}

TEST(InputScript, faulty_lines_are_reported_and_left_out)
{
    InputScript script;
    bool clean = true;
    const std::string out = host_errors_of([&] {
        clean = script.parse("2 gamepad A\n"
                             "0 gamepad B\n"
                             "3 joystick A\n"
                             "3 gamepad jump\n"
                             "3 gamepad stick 1.5 0\n"
                             "3 remote0 touch 1 1\n"
                             "3 gamepad touch 1281 0\n"
                             "3 gamepad absent A\n"
                             "1 gamepad X\n"
                             "4 gamepad pro\n"
                             "5 remote1 pro Y\n",
                             "moves.txt");
    });
    EXPECT_FALSE(clean);
    EXPECT_EQ(out,
              "Input script moves.txt line 2: \"0\" is not a tick number (1 or more)\n"
              "Input script moves.txt line 3: \"joystick\" is not gamepad or remote0..remote3\n"
              "Input script moves.txt line 4: unknown word \"jump\"\n"
              "Input script moves.txt line 5: stick needs two numbers from -1 to 1\n"
              "Input script moves.txt line 6: only the gamepad has a touch panel\n"
              "Input script moves.txt line 7: touch needs x from 0 to 1280 and y from 0 to 720\n"
              "Input script moves.txt line 8: absent stands alone\n"
              "Input script moves.txt line 9: tick 1 comes after tick 2\n"
              "Input script moves.txt line 10: unknown word \"pro\"\n");
    // The good lines still count.
    EXPECT_EQ(script.state_at(0, 4).gamepad_buttons, uint32_t(VPAD_BUTTON_A));
    EXPECT_EQ(script.state_at(2, 5).remote_buttons, uint32_t(WPAD_EXT_BUTTON_Y));
    EXPECT_EQ(script.state_at(2, 5).extension, WPAD_EXT_PRO_CONTROLLER);
}

TEST(InputScript, control_bytes_of_the_script_and_its_name_are_shown_escaped)
{
    using namespace std::string_literals;
    InputScript script;
    const std::string out = host_errors_of([&] {
        EXPECT_FALSE(script.parse("3 gamepad \x1b[2J\x1b[H\n"
                                  "4 gamepad A\0B\n"
                                  "5 \x1b]0;title\x07 A\n"
                                  "\x1b[1A6 gamepad X\n"
                                  "7 gamepad \x9b" "31m\n"
                                  "8\0 gamepad A\n"
                                  "9 gamepad stick 1\0 0\n"s,
                                  "moves\x1b[31m.txt"));
    });
    EXPECT_EQ(out,
              "Input script moves\\x1b[31m.txt line 1: unknown word \"\\x1b[2J\\x1b[H\"\n"
              "Input script moves\\x1b[31m.txt line 2: unknown word \"A\\x00B\"\n"
              "Input script moves\\x1b[31m.txt line 3: \"\\x1b]0;title\\x07\" is not gamepad or "
              "remote0..remote3\n"
              "Input script moves\\x1b[31m.txt line 4: \"\\x1b[1A6\" is not a tick number (1 or more)\n"
              "Input script moves\\x1b[31m.txt line 5: unknown word \"\\x9b31m\"\n"
              "Input script moves\\x1b[31m.txt line 6: \"8\\x00\" is not a tick number (1 or more)\n"
              "Input script moves\\x1b[31m.txt line 7: stick needs two numbers from -1 to 1\n");
    // A word cut by a zero byte is not the word before it.
    EXPECT_EQ(script.state_at(0, 9).gamepad_buttons, 0u);
}

TEST(InputScript, files_are_read_with_bounded_lines_a_byte_order_mark_and_the_tick_limit)
{
    TempVolumes volumes;
    InputScript script;
    // A byte-order mark before line 1 is no part of the tick.
    volumes.put_content("bom.txt", "\xEF\xBB\xBF" "2 gamepad A\n");
    EXPECT_EQ(host_errors_of([&] { EXPECT_TRUE(script.load(volumes.content + "/bom.txt")); }), "");
    EXPECT_EQ(script.state_at(0, 2).gamepad_buttons, uint32_t(VPAD_BUTTON_A));

    // The last tick a line can name, and one past it.
    const std::string out = host_errors_of([&] {
        EXPECT_FALSE(script.parse("1099511627776 gamepad A\n"
                                  "1099511627777 gamepad B\n"
                                  "99999999999999999999 gamepad B\n",
                                  "far.txt"));
    });
    EXPECT_EQ(out,
              "Input script far.txt line 2: tick 1099511627777 is past the last tick a script can "
              "name (1099511627776)\n"
              "Input script far.txt line 3: tick 99999999999999999999 is past the last tick a "
              "script can name (1099511627776)\n");
    EXPECT_EQ(script.state_at(0, 1L << 40).gamepad_buttons, uint32_t(VPAD_BUTTON_A));

    // A file without line breaks is read no further than one line's limit;
    // the lines before it count.
    volumes.put_content("long.txt", "3 gamepad X\n" + std::string(3 << 20, 'A'));
    EXPECT_EQ(host_errors_of([&] { EXPECT_FALSE(script.load(volumes.content + "/long.txt")); }),
              "Input script " + volumes.content +
                  "/long.txt line 2: longer than 4096 characters; the rest of the script is "
                  "ignored\n");
    EXPECT_EQ(script.state_at(0, 3).gamepad_buttons, uint32_t(VPAD_BUTTON_X));
}

TEST(InputScript, a_folder_or_a_missing_file_is_refused_with_one_line)
{
    TempVolumes volumes;
    InputScript script;
    EXPECT_EQ(host_errors_of([&] { EXPECT_FALSE(script.load(volumes.content)); }),
              "Input script " + volumes.content + " is a folder, not a file\n");
    EXPECT_EQ(host_errors_of([&] { EXPECT_FALSE(InputScript::check_file(volumes.root + "/none")); }),
              "Could not open input script " + volumes.root + "/none: No such file or directory\n");
    EXPECT_TRUE(InputScript::check_file("/dev/zero"));
}

TEST(Pads, reads_answer_with_the_library_errors)
{
    WPADEnableURCC(1);
    ASSERT_TRUE(pads_use_script("1 remote0 pro B stick 0 1\n"
                                "1 remote1 nunchuk B\n"
                                "1 gamepad X touch 10 20\n",
                                "test"));
    VPADStatus pad = {};
    int32_t error = 1;
    // The script's tick 1 is the next message batch; reads before it see tick 0.
    EXPECT_EQ(VPADRead(0, &pad, 1, &error), 1);
    EXPECT_EQ(error, VPAD_READ_SUCCESS);
    EXPECT_EQ(pad.hold, 0u);
    EXPECT_EQ(VPADRead(1, &pad, 1, &error), 0);
    EXPECT_EQ(error, VPAD_READ_INVALID_CONTROLLER);
    EXPECT_EQ(VPADRead(0, &pad, 0, &error), 0);
    EXPECT_EQ(error, VPAD_READ_NO_SAMPLES);

    KPADStatus remote = {};
    EXPECT_EQ(KPADReadEx(3, &remote, 1, &error), 0);
    EXPECT_EQ(error, KPAD_ERROR_NO_CONTROLLER);
    EXPECT_EQ(KPADReadEx(7, &remote, 1, &error), 0);
    EXPECT_EQ(error, KPAD_ERROR_NO_CONTROLLER);

    pads_set_source(nullptr);
    EXPECT_EQ(VPADRead(0, &pad, 1, &error), 0);
    EXPECT_EQ(error, VPAD_READ_INVALID_CONTROLLER);
}

TEST(Pads, pro_controllers_report_only_while_enabled)
{
    class OnePro : public PadSource {
    public:
        bool read_gamepad(long, int, VPADStatus&) override { return false; }
        int32_t read_remote(long, int channel, KPADStatus& status) override
        {
            if (channel != 0)
                return KPAD_ERROR_NO_CONTROLLER;
            status.extension_type = WPAD_EXT_PRO_CONTROLLER;
            status.ext.hold = WPAD_EXT_BUTTON_A;
            return KPAD_ERROR_OK;
        }
    };
    pads_set_source(std::make_unique<OnePro>());
    KPADStatus remote = {};
    int32_t error = 0;
    WPADEnableURCC(0);
    EXPECT_EQ(KPADReadEx(0, &remote, 1, &error), 0);
    EXPECT_EQ(error, KPAD_ERROR_NO_CONTROLLER);
    WPADEnableURCC(1);
    EXPECT_EQ(KPADReadEx(0, &remote, 1, &error), 1);
    EXPECT_EQ(error, KPAD_ERROR_OK);
    EXPECT_EQ(remote.extension_type, WPAD_EXT_PRO_CONTROLLER);
    EXPECT_EQ(remote.ext.hold, uint32_t(WPAD_EXT_BUTTON_A));
    EXPECT_EQ(KPADReadEx(0, nullptr, 1, &error), 0);
    EXPECT_EQ(error, KPAD_ERROR_NO_SAMPLES);

    const PadCallCounts before = pads_call_counts();
    KPADReadEx(1, &remote, 1, nullptr);
    EXPECT_EQ(pads_call_counts().remote_reads, before.remote_reads + 1);
    pads_set_source(nullptr);
}
