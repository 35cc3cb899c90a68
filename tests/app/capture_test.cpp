// The demo content's boot picture reaches the captured TV pictures.
#include "tests/app/command.h"
#include "tests/app/scripted_run.h"
#include "tests/support/volumes.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

TEST(Capture, headless_run_captures_the_boot_image_then_the_game)
{
    TempVolumes volumes;
    const std::string demo = std::string(QUORVELLA_ASSETS_BINARY) + " --demo '" + volumes.content + "' > /dev/null";
    ASSERT_EQ(system(demo.c_str()), 0);
    const std::string shots = volumes.root + "/shots";
    const std::string run = std::string(QUORVELLA_BINARY) + " --headless --content '" +
                            volumes.content + "' --save '" + volumes.save +
                            "' --ticks 12 --capture '" + shots + "' --capture-every 490";
    const CommandResult result = run_command(run);
    const std::string& output = result.output;
    ASSERT_EQ(result.status, 0) << output;
    // The closing line tells the boot image's pictures from the game's.
    EXPECT_NE(output.find("Captured 2 pictures in " + shots +
                          " (tv_000000.png to tv_000490.png); picture 480 is tick 1's, those "
                          "before it show the boot image\n"),
              std::string::npos)
        << output;

    // Picture 0: the 16 x 9 boot image stretched over the TV, a light band
    // across a dark ground.
    const Picture boot = load_picture(shots + "/tv_000000.png");
    ASSERT_EQ(boot.width * 10000 + boot.height, 19201080);
    EXPECT_EQ(boot.rgb(960, 540), (std::vector<int>{230, 200, 90}));
    EXPECT_EQ(boot.rgb(10, 10), (std::vector<int>{20, 30, 60}));
    // Picture 490 comes after the 480 boot pictures: the game's own.
    const Picture game = load_picture(shots + "/tv_000490.png");
    ASSERT_EQ(game.width * 10000 + game.height, 19201080);
    EXPECT_NE(game.rgb(960, 540), boot.rgb(960, 540));
    EXPECT_FALSE(std::filesystem::exists(shots + "/tv_000001.png"));
}
