// A scripted run through the menus into act 1, as a person plays it: its
// captured TV pictures are compared with checked-in references
// (tests/app/scripted_run.h).
#include "tests/app/scripted_run.h"
#include "tests/support/volumes.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Through the intro, the title and How To Play with A every 40 ticks, then
// right across the act, jumping every 70 ticks over the boxes in the way.
std::string script()
{
    std::string text;
    for (int tick = 505; tick <= 905; tick += 40)
        text += std::to_string(tick) + " gamepad A\n" + std::to_string(tick + 1) + " gamepad -\n";
    text += "1000 gamepad RIGHT\n";
    for (int tick = 1400; tick < 2400; tick += 70)
        text += std::to_string(tick) + " gamepad RIGHT A\n" + std::to_string(tick + 25) + " gamepad RIGHT\n";
    return text;
}

// The pictures compared, by number (the boot image's 480 come first, then
// tick 1's): the opening card, the start, and the view following the player.
const std::vector<int> pictures = {1360, 1440, 1780, 1900, 2000, 2200};
constexpr int last_tick = 2200 - 479;

}  // namespace

TEST(Act1Pictures, a_scripted_run_shows_the_card_the_course_and_the_player_as_the_references_do)
{
    TempVolumes volumes;
    const std::string script_path = volumes.root + "/act1.txt";
    std::ofstream(script_path) << script();
    const ScriptedRun run{script_path, volumes.save, volumes.root + "/shots", last_tick, 20};
    const CommandResult result = run_scripted(run);
    ASSERT_EQ(result.status, 0) << result.output;
    ASSERT_NE(result.output.find("Setting frame: 4\n"), std::string::npos) << result.output;
    for (int number : pictures)
        expect_like_reference(run.shots, number, "act1_picture_" + std::to_string(number));
}
