// The game played through as a person plays it, from the checked-in
// controller scripts of tests/app/play_scripts: each route's frame changes
// as the console announces them, what is left at the end (the records file,
// the frame and the lives) and a few of its pictures against references.
#include "tests/app/scripted_run.h"
#include "tests/support/volumes.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace {

// Frame indices as the console names them.
constexpr int intro = 0, title = 1, black_load = 2, act_1 = 4, act_2 = 5, coming_soon = 6, continue_frame = 7, how_to_play = 8;

struct Route {
    std::string script;  // under tests/app/play_scripts; "a+b" plays b after a
    long ticks;
    std::vector<int> frames;    // every frame change of the run, in order
    std::string end;            // the --end-report line
    std::vector<int> pictures;  // picture numbers: tick + 479
    int capture_every = 100;    // a divisor of every picture number; few pictures keep the run short
};

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The route's script as one file: the named scripts one after the other.
std::string script_file(const std::string& names, const TempVolumes& volumes)
{
    const std::string path = volumes.root + "/script.txt";
    std::ofstream out(path);
    for (size_t start = 0; start <= names.size();) {
        const size_t end = std::min(names.find('+', start), names.size());
        out << read_file(std::string(QUORVELLA_PLAY_SCRIPTS) + "/" + names.substr(start, end - start));
        start = end + 1;
    }
    return path;
}

// Plays the route on `volumes` and checks its console and its pictures.
void play(const Route& route, const std::string& name, TempVolumes& volumes)
{
    ScriptedRun run{script_file(route.script, volumes), volumes.save,
                    volumes.root + "/shots", route.ticks, route.capture_every};
    const CommandResult result = run_scripted(run, "--end-report");
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(frame_changes(result.output), route.frames) << result.output;
    EXPECT_NE(result.output.find(route.end + "\n"), std::string::npos) << result.output;
    for (int number : route.pictures)
        expect_like_reference(run.shots, number, name + "_" + std::to_string(number));
}

// The records file that Black Load saves: an array file on the save volume.
void expect_records_saved(const TempVolumes& volumes)
{
    const std::string records = read_file(volumes.save + "/common/records.dat");
    EXPECT_EQ(records.rfind("CNC ARRAY", 0), 0u) << records.size() << " bytes";
    EXPECT_GT(records.size(), 1000u);
}

}  // namespace

// The title waits 32 seconds for a press and then moves on by itself; How
// To Play pages forward and back; quitting from the pause menu starts the
// game again from the studio intro with the lives it had.
// Pictures: the title (1000); How To Play's pages 2, 1 (after going back)
// and 3 (3000, 3100, 3200); the pause menu over act 1 (3600); the studio
// intro playing again (4000).
TEST(Playthrough, an_idle_title_moves_on_how_to_play_pages_both_ways_and_quit_restarts_the_game)
{
    TempVolumes volumes;
    play({"menus_and_pause.txt", 3600, {intro, title, how_to_play, black_load, act_1, intro},
          "Ended in frame 0, lives 3", {1000, 3000, 3100, 3200, 3600, 4000}},
         "menus", volumes);
    expect_records_saved(volumes);
}

// Power-on through the menus, act 1 from its start to the sign and the
// act-end card, act 2 from its start through the snake's chase to its
// act-end card, Coming Soon, and round to the studio intro.
// Pictures: the studio logo (800), the title (1000), How To Play's last
// page (1200), act 1's opening card (1400), the player on the course
// (3000), near the sign (5800), act 2's start (6000), the snake's chase
// (8200), act 2's act-end card darkening the screen (9400), Coming Soon
// (9600), the studio intro again (9800).
TEST(Playthrough, power_on_through_both_acts_to_coming_soon_and_round_to_the_intro)
{
    TempVolumes volumes;
    play({"power_on_to_coming_soon.txt", 9450,
          {intro, title, how_to_play, black_load, act_1, act_2, coming_soon, intro}, "Ended in frame 0, lives 3",
          {800, 1000, 1200, 1400, 3000, 5800, 6000, 8200, 9400, 9600, 9800}, 200},
         "power_on", volumes);
    expect_records_saved(volumes);
}

// Every life lost ends in the game-over card and the Continue? frame; A
// during its countdown continues in act 1 with the lives a continue grants.
// Pictures: the crystals bursting at the press (8400); the character
// running off (8500) and jumping back in among sparkles (8600); act 1's
// opening card (8800) sliding away from the player at its start (8900).
TEST(Playthrough, game_over_then_a_continue_plays_act_1_again_with_fresh_lives)
{
    TempVolumes volumes;
    play({"game_over.txt+continue.txt", 8450,
          {intro, title, how_to_play, black_load, act_1, act_1, act_1, continue_frame, act_1},
          "Ended in frame 4, lives 5", {8400, 8500, 8600, 8800, 8900}},
         "continue", volumes);
}

// Left alone, the Continue? countdown shows 9 down to 1, the view sinks
// into the dark and the game starts again from the studio intro.
// Pictures: the game-over card (7700); the countdown at 9 (7900) and at 6
// (8400); the view sinking into the dark after the last digit (9200); the
// intro again (9500).
TEST(Playthrough, game_over_left_alone_counts_down_and_starts_the_game_again)
{
    TempVolumes volumes;
    play({"game_over.txt", 9100,
          {intro, title, how_to_play, black_load, act_1, act_1, act_1, continue_frame, intro},
          "Ended in frame 0, lives 5", {7700, 7900, 8400, 9200, 9500}},
         "time_out", volumes);
}
