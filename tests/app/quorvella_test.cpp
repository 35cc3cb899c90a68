// Runs the game executable as a person would, headless.
#include "tests/app/command.h"
#include "tests/app/virtual_display.h"
#include "tests/support/volumes.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <unistd.h>

namespace {

using RunResult = CommandResult;

// The first line of a run, written after its signal handlers are in place.
const std::string started = "Creating new FS client: 0\n";
// Seconds to wait for a run to get somewhere: only a hang guard, with room
// for a machine busy with other builds.
constexpr double hang_guard = 120.0;

// `before` goes in front of the command (environment, a launcher, a pipe).
// The console's lines go to standard output; `errors` adds standard error
// (where SDL's and the sanitizers' own messages go).
RunResult run(const std::string& arguments, const std::string& before = "", bool errors = true)
{
    return run_command(before + std::string(QUORVELLA_BINARY) + " " + arguments +
                       (errors ? " 2>&1" : " 2>/dev/null"));
}

std::string shell_word(const std::string& text)
{
    return "'" + text + "'";
}

// Standard output (the game's console lines) and standard error (the host's
// errors and warnings, and SDL's and the sanitizers' own) apart.
struct SplitRun {
    int status;
    std::string output, errors;
};

SplitRun run_apart(const std::string& arguments, const std::string& before = "")
{
    TempVolumes scratch;
    const std::string errors_file = scratch.root + "/errors";
    const RunResult result = run_command(before + std::string(QUORVELLA_BINARY) + " " + arguments +
                                         " 2>" + shell_word(errors_file));
    return {result.status, result.output, scratch.read_host(errors_file)};
}

std::string volume_arguments(const TempVolumes& volumes)
{
    return "--headless --content " + shell_word(volumes.content) + " --save " + shell_word(volumes.save);
}

// An asset file of the picture programs alone.
void make_assets(const TempVolumes& volumes)
{
    const std::string make = std::string(QUORVELLA_ASSETS_BINARY) + " " +
                             shell_word(volumes.content + "/Assets.dat") + " --programs > /dev/null";
    ASSERT_EQ(system(make.c_str()), 0);
}

void make_demo(const TempVolumes& volumes)
{
    const std::string make = std::string(QUORVELLA_ASSETS_BINARY) + " --demo " +
                             shell_word(volumes.content) + " > /dev/null";
    ASSERT_EQ(system(make.c_str()), 0);
}

size_t count_of(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

size_t lines_of(const std::string& text)
{
    return count_of(text, "\n");
}

uint32_t le32(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | uint8_t(bytes.at(at + size_t(i)));
    return value;
}

// A through the title and the pages of How To Play, into act 1; on the way
// in (Black Load) the game saves its records.
std::string into_act_1_script()
{
    std::string script;
    for (const int tick : {520, 640, 670, 700, 730})
        script += std::to_string(tick) + " gamepad A\n" + std::to_string(tick + 5) + " gamepad -\n";
    return script;
}

}  // namespace

TEST(Quorvella, starts_reads_the_asset_tables_enters_frame_zero_and_ends_after_the_ticks)
{
    TempVolumes volumes;
    make_assets(volumes);
    const RunResult result = run(volume_arguments(volumes) + " --ticks 3");
    EXPECT_EQ(result.status, 0) << result.output;
    const size_t client = result.output.find("Creating new FS client: 0\n");
    const size_t frame = result.output.find("Setting frame: 0\nFrame set\n");
    const size_t saved = result.output.find("Save callback\n");
    EXPECT_NE(client, std::string::npos) << result.output;
    EXPECT_NE(frame, std::string::npos) << result.output;
    EXPECT_NE(saved, std::string::npos) << result.output;
    EXPECT_LT(client, frame);
    EXPECT_LT(frame, saved);
    // The empty frame is entered once: no frame change follows.
    EXPECT_EQ(result.output.find("Setting frame", frame + 1), std::string::npos);
    EXPECT_EQ(result.output.find("Assets.dat"), std::string::npos) << result.output;
}

TEST(Quorvella, a_wrong_content_folder_ends_the_start_with_one_line_naming_the_folder_typed)
{
    TempVolumes volumes;
    const std::string missing = volumes.root + "/missing";
    const std::string file = volumes.root + "/a file";
    const std::string folder_as_assets = volumes.root + "/odd";
    volumes.put_content("../a file", "x");
    volumes.put_content("../odd/Assets.dat/x", "a folder named Assets.dat");
    for (const std::string& content : {missing, volumes.content, file, folder_as_assets}) {
        const RunResult result = run("--headless --ticks 0 --save " + shell_word(volumes.save) +
                                     " --content " + shell_word(content));
        EXPECT_EQ(result.status, 1) << content;
        EXPECT_EQ(lines_of(result.output), 1u) << result.output.substr(0, 2000);
        EXPECT_NE(result.output.find(content), std::string::npos) << result.output.substr(0, 2000);
        EXPECT_EQ(result.output.find("/vol/content"), std::string::npos) << content;
        // The folder was given: no advice to give one.
        EXPECT_EQ(result.output.find("--content"), std::string::npos) << result.output.substr(0, 2000);
    }
    // Without --content the default, content/ in the working directory, is
    // missing, and the line says how to give the folder.
    volumes.put_content("../elsewhere/note", "no content here");
    const RunResult unnamed = run("--headless --ticks 0 --save " + shell_word(volumes.save),
                                  "cd " + shell_word(volumes.root + "/elsewhere") + " && ");
    EXPECT_EQ(unnamed.status, 1);
    EXPECT_EQ(unnamed.output,
              "Could not open the content folder content: No such file or directory (give it with --content DIR)\n");
}

TEST(Quorvella, a_damaged_image_retried_for_every_preload_entry_is_reported_once_with_a_count)
{
    TempVolumes volumes;
    make_assets(volumes);  // every entry: image 0, empty
    const RunResult result = run(volume_arguments(volumes) + " --ticks 1");
    EXPECT_EQ(result.status, 0) << result.output.substr(0, 2000);
    // Start-up's list and the first frame's each report their first failure
    // and a count; the intro's caption fetches the bitmap-text sheet, which
    // no frame list holds, and that failure is reported once too.
    EXPECT_EQ(count_of(result.output, "Could not load image"), 3u) << result.output.substr(0, 2000);
    EXPECT_EQ(count_of(result.output, "Could not load image 2371"), 1u) << result.output.substr(0, 2000);
    EXPECT_NE(result.output.find("6534 preloaded images could not be loaded"), std::string::npos)
        << result.output.substr(0, 2000);
    EXPECT_NE(result.output.find("images of frame 1 could not be loaded"), std::string::npos)
        << result.output.substr(0, 2000);
    // The intro's start events report the files this content lacks (records,
    // caption font, bindings), each once.
    EXPECT_LT(lines_of(result.output), 40u) << result.output.substr(0, 2000);
}

TEST(Quorvella, bad_options_are_refused_and_help_shows_the_usage)
{
    EXPECT_EQ(run("--bogus").status, 2);
    EXPECT_EQ(run("--ticks many").status, 2);
    EXPECT_EQ(run("--content").status, 2);
    const RunResult help = run("--help --bogus");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.output.rfind("usage: quorvella", 0), 0u) << help.output;
    EXPECT_NE(help.output.find("--audio-out FILE"), std::string::npos) << help.output;
    // -h is the same and is listed.
    const RunResult short_help = run("-h");
    EXPECT_EQ(short_help.status, 0);
    EXPECT_EQ(short_help.output, help.output);
    EXPECT_NE(help.output.find("--help, -h"), std::string::npos) << help.output;
}

TEST(Quorvella, a_termination_signal_ends_the_run_cleanly)
{
    TempVolumes volumes;
    make_assets(volumes);
    Child game(std::string(QUORVELLA_BINARY) + " " + volume_arguments(volumes), volumes.root + "/output");
    // Signalled once it has started (its handlers are in place by then).
    ASSERT_TRUE(game.wait_for_output(started, hang_guard)) << game.output();
    game.signal(SIGTERM);
    EXPECT_EQ(game.wait(hang_guard), 0) << game.output();
    EXPECT_NE(game.output().find("Save callback\n"), std::string::npos) << game.output();
}

TEST(Quorvella, an_interrupt_or_termination_ends_the_boot_image_at_once)
{
    TempVolumes volumes;
    make_demo(volumes);
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal == SIGINT ? "interrupt" : "termination");
        // Capturing every boot picture takes most of a minute: the signal
        // comes once the first is written, and the rest are never made.
        const std::string shots = volumes.root + "/shots_" + std::to_string(signal);
        Child game(std::string(QUORVELLA_BINARY) + " " + volume_arguments(volumes) + " --capture " +
                       shell_word(shots),
                   volumes.root + "/output_" + std::to_string(signal));
        ASSERT_TRUE(wait_until([&] { return std::filesystem::exists(shots + "/tv_000000.png"); }, hang_guard))
            << game.output();
        game.signal(signal);
        EXPECT_EQ(game.wait(hang_guard), 0) << game.output();
        const std::string output = game.output();
        EXPECT_NE(output.find("Save callback\n"), std::string::npos) << output;
        size_t pictures = 0;
        std::error_code missing;
        for (std::filesystem::directory_iterator entry(shots, missing), end; !missing && entry != end;
             ++entry)
            ++pictures;
        EXPECT_LT(pictures, 400u);
    }
}

TEST(Quorvella, without_a_display_a_windowed_run_says_so_in_one_line_and_fails)
{
    TempVolumes volumes;
    make_assets(volumes);
    const std::string arguments =
        "--ticks 3 --content " + shell_word(volumes.content) + " --save " + shell_word(volumes.save);
    // SDL left to choose (it falls back to an invisible driver by itself),
    // also without XDG_RUNTIME_DIR, and a display driver asked for by name.
    // The temporary folder stays empty: what the run makes there it removes.
    const std::string temporary = volumes.root + "/tmp";
    std::filesystem::create_directory(temporary);
    const std::string no_display = "env -u DISPLAY -u WAYLAND_DISPLAY ";
    const std::string tmp = "TMPDIR=" + shell_word(temporary) + " ";
    for (const std::string& environment :
         {no_display + "-u SDL_VIDEODRIVER " + tmp, no_display + "-u SDL_VIDEODRIVER -u XDG_RUNTIME_DIR " + tmp,
          no_display + tmp + "SDL_VIDEODRIVER=x11 "}) {
        const SplitRun result = run_apart(arguments, environment);
        EXPECT_EQ(result.status, 1) << environment << result.errors;
        EXPECT_EQ(result.output, "");
        // The run's one line and nothing of SDL's or its libraries' own.
        EXPECT_EQ(lines_of(result.errors), 1u) << environment << result.errors;
        EXPECT_EQ(result.errors.rfind("Could not open a window (neither DISPLAY nor WAYLAND_DISPLAY is set; ", 0), 0u)
            << result.errors;
        EXPECT_NE(result.errors.find("run with --headless to play without a display\n"), std::string::npos)
            << result.errors;
        EXPECT_TRUE(std::filesystem::is_empty(temporary)) << environment;
    }
}

TEST(Quorvella, an_output_that_cannot_be_written_is_reported_once_and_fails_the_run)
{
    TempVolumes volumes;
    make_demo(volumes);
    const RunResult full = run(volume_arguments(volumes) + " --ticks 30 --audio-out /dev/full");
    EXPECT_EQ(full.status, 1) << full.output;
    EXPECT_EQ(count_of(full.output, "Could not write audio output file /dev/full: No space left on "
                                    "device; sound recording stops\n"),
              1u)
        << full.output;

    const RunResult pictures =
        run(volume_arguments(volumes) + " --ticks 30 --capture /dev/null/shots");
    EXPECT_EQ(pictures.status, 1) << pictures.output.substr(0, 2000);
    EXPECT_EQ(count_of(pictures.output, "Could not write picture"), 1u)
        << pictures.output.substr(0, 2000);

    // Missing folders are made for the sound as for the pictures.
    const std::string wav = volumes.root + "/new/folder/tv.wav";
    const RunResult made = run(volume_arguments(volumes) + " --ticks 3 --audio-out " + shell_word(wav));
    EXPECT_EQ(made.status, 0) << made.output;
    EXPECT_TRUE(std::filesystem::exists(wav));
}

TEST(Quorvella, headless_sound_follows_the_game_ticks_so_identical_runs_give_identical_files)
{
    TempVolumes volumes;
    make_assets(volumes);
    const std::string first = volumes.root + "/first.wav", second = volumes.root + "/second.wav";
    ASSERT_EQ(run(volume_arguments(volumes) + " --ticks 120 --audio-out " + shell_word(first)).status, 0);
    ASSERT_EQ(run(volume_arguments(volumes) + " --ticks 120 --audio-out " + shell_word(second)).status, 0);
    const std::string a = volumes.read_host(first), b = volumes.read_host(second);
    // 120 ticks are 2 s: 666 whole frames of 96 samples, 4 bytes each.
    EXPECT_EQ(a.size(), 44u + 666 * 96 * 4);
    EXPECT_TRUE(a == b);
}

TEST(Quorvella, the_same_scripted_act_played_twice_gives_the_same_sound_to_the_byte)
{
    TempVolumes volumes;
    // A through the title and the pages of How To Play, into act 1; the
    // title's and the act's music stream from their files.
    std::string script;
    for (const int tick : {520, 640, 670, 700, 730})
        script += std::to_string(tick) + " gamepad A\n" + std::to_string(tick + 5) + " gamepad -\n";
    volumes.put_content("script.txt", script);
    std::string sound[2];
    for (int i = 0; i < 2; ++i) {
        const std::string wav = volumes.root + "/run" + std::to_string(i) + ".wav";
        const RunResult played =
            run("--headless --content " + shell_word(QUORVELLA_STAND_IN_CONTENT) + " --save " +
                shell_word(volumes.root + "/save" + std::to_string(i)) + " --ticks 900 --input " +
                shell_word(volumes.content + "/script.txt") + " --audio-out " + shell_word(wav));
        ASSERT_EQ(played.status, 0) << played.output;
        ASSERT_EQ(count_of(played.output, "Setting frame: 4\n"), 1u) << played.output;
        sound[i] = volumes.read_host(wav);
    }
    // 900 ticks are 15 s: 5000 frames of 96 samples, 4 bytes each.
    ASSERT_EQ(sound[0].size(), 44u + 5000 * 96 * 4);
    ASSERT_EQ(sound[1].size(), sound[0].size());
    EXPECT_NE(sound[0].find_first_not_of('\0', 44), std::string::npos);
    size_t first_difference = 0;
    while (first_difference < sound[0].size() && sound[0][first_difference] == sound[1][first_difference])
        ++first_difference;
    EXPECT_EQ(first_difference, sound[0].size()) << "the runs part at " << (first_difference - 44) / 128000.0 << " s";
}

TEST(Quorvella, a_killed_run_leaves_a_wav_file_whose_header_holds_up_to_its_last_second)
{
    TempVolumes volumes;
    make_assets(volumes);
    const std::string wav = volumes.root + "/killed.wav";
    Child game(std::string(QUORVELLA_BINARY) + " " + volume_arguments(volumes) + " --audio-out " + shell_word(wav),
               volumes.root + "/output");
    // Killed once over two seconds of sound are written, however long that took.
    const auto written = [&] {
        std::error_code missing;
        const auto size = std::filesystem::file_size(wav, missing);
        return !missing && size > 44u + 2 * 128000;
    };
    ASSERT_TRUE(wait_until(written, hang_guard)) << game.output();
    game.signal(SIGKILL);
    EXPECT_EQ(game.wait(hang_guard), -1);
    const std::string bytes = volumes.read_host(wav);
    ASSERT_GT(bytes.size(), 44u + 2 * 128000);
    const uint32_t claimed = le32(bytes, 40);
    EXPECT_GT(claimed, 128000u);
    EXPECT_LE(claimed, bytes.size() - 44);
    EXPECT_LT(bytes.size() - 44 - claimed, 128000u + 384);
    EXPECT_EQ(claimed % 384, 0u);
    EXPECT_EQ(le32(bytes, 4), claimed + 36);
}

TEST(Quorvella, an_input_script_that_is_a_folder_is_refused_and_one_without_line_breaks_is_cut)
{
    TempVolumes volumes;
    make_assets(volumes);
    const RunResult folder = run(volume_arguments(volumes) + " --ticks 3 --input " + shell_word(volumes.root));
    EXPECT_EQ(folder.status, 1);
    EXPECT_EQ(folder.output, "Input script " + volumes.root + " is a folder, not a file\n");

    const RunResult endless = run(volume_arguments(volumes) + " --ticks 3 --input /dev/stdin",
                                  "head -c 8000000 /dev/zero | ");
    EXPECT_EQ(endless.status, 0) << endless.output.substr(0, 2000);
    EXPECT_EQ(count_of(endless.output, "Input script /dev/stdin line 1: longer than 4096 characters"), 1u)
        << endless.output.substr(0, 2000);
    EXPECT_LT(endless.output.size(), 2000u);
}

TEST(Quorvella, configuring_again_rewrites_no_source_so_a_second_run_relinks_nothing)
{
    namespace fs = std::filesystem;
    const fs::path source = QUORVELLA_SOURCE_DIR;
    TempVolumes volumes;
    const std::string build = volumes.root + "/build";
    const std::string configure = "cmake -S " + shell_word(source.string()) + " -B " + shell_word(build) +
                                  " -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVELLA_TESTS=OFF > /dev/null";
    // What configuring writes for the build to compile; CMake's and Ninja's
    // own records are rewritten every time and rebuild nothing.
    const std::set<std::string> records = {"CMakeCache.txt", "build.ninja", "compile_commands.json",
                                           "cmake_install.cmake"};
    const auto sources = [&] {
        std::map<std::string, fs::file_time_type> found;
        for (const auto& entry : fs::recursive_directory_iterator(build)) {
            const std::string path = entry.path().string();
            if (entry.is_regular_file() && path.find("/CMakeFiles/") == std::string::npos &&
                !records.count(entry.path().filename().string()))
                found[path] = entry.last_write_time();
        }
        return found;
    };
    ASSERT_EQ(system(configure.c_str()), 0);
    const auto first = sources();
    ASSERT_EQ(system(configure.c_str()), 0);
    EXPECT_EQ(sources(), first);
}

TEST(Quorvella, host_errors_go_to_standard_error_quoting_outside_text_escaped_and_game_lines_to_standard_output)
{
    TempVolumes volumes;
    make_assets(volumes);
    // Thinning out pictures that are never written is an option error.
    const SplitRun alone = run_apart(volume_arguments(volumes) + " --ticks 3 --capture-every 30");
    EXPECT_EQ(alone.status, 2);
    EXPECT_EQ(alone.output, "");
    EXPECT_EQ(alone.errors.rfind("Option --capture-every needs --capture DIR\n", 0), 0u) << alone.errors;

    // A script of terminal escapes and a zero byte: its lines are said on
    // standard error, escaped; the game's own lines stay on standard output.
    volumes.put_content("garbage.txt", std::string("1 gamepad \x1b[2J\x1b[H\n"
                                                   "2 gamepad A\0B\n"
                                                   "\x1b]0;owned\x07 gamepad A\n", 53));
    const SplitRun run = run_apart(volume_arguments(volumes) + " --ticks 3 --input " +
                                   shell_word(volumes.content + "/garbage.txt"));
    EXPECT_EQ(run.status, 0) << run.errors;
    const std::string script = "Input script " + volumes.content + "/garbage.txt line ";
    EXPECT_EQ(run.errors, script + "1: unknown word \"\\x1b[2J\\x1b[H\"\n" + script +
                              "2: unknown word \"A\\x00B\"\n" + script +
                              "3: \"\\x1b]0;owned\\x07\" is not a tick number (1 or more)\n");
    EXPECT_NE(run.output.find("Setting frame: 0\n"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("Input script"), std::string::npos) << run.output;
    for (const std::string* text : {&run.output, &run.errors})
        EXPECT_EQ(std::count_if(text->begin(), text->end(),
                                [](char c) { return (uint8_t(c) < 0x20 && c != '\n') || c == 0x7F; }),
                  0);
}

TEST(Quorvella, an_asset_file_cut_in_half_stops_the_run_with_its_lines_and_a_damaged_middle_plays_on)
{
    TempVolumes volumes;
    make_demo(volumes);
    const std::string path = volumes.content + "/Assets.dat";
    const std::string whole = volumes.read_host(path);
    const std::string arguments = volume_arguments(volumes) + " --ticks 120";

    volumes.put_content("Assets.dat", whole.substr(0, whole.size() / 2));
    const SplitRun cut = run_apart(arguments);
    EXPECT_EQ(cut.status, 1) << cut.errors;
    const std::string first = cut.errors.substr(0, cut.errors.find('\n'));
    EXPECT_EQ(first.rfind(path + " is cut off at " + std::to_string(whole.size() / 2) + " bytes: ", 0), 0u)
        << cut.errors;
    EXPECT_NE(first.find(" items lie past its end"), std::string::npos) << cut.errors;
    EXPECT_EQ(count_of(cut.errors, "for the pictures in Assets.dat; the run stops\n"), 1u) << cut.errors;
    EXPECT_EQ(count_of(cut.errors, "cut off"), 1u) << cut.errors;

    // Random bytes over the middle: what they hit is lost, the run goes on.
    std::string damaged = whole;
    uint32_t seed = 12345;
    for (size_t i = whole.size() / 2 - 2048; i < whole.size() / 2 + 2048; ++i) {
        seed = seed * 1664525u + 1013904223u;
        damaged[i] = char(seed >> 24);
    }
    volumes.put_content("Assets.dat", damaged);
    const SplitRun middle = run_apart(arguments);
    EXPECT_EQ(middle.status, 0) << middle.errors;
    EXPECT_EQ(middle.errors.find("cut off"), std::string::npos) << middle.errors;
    EXPECT_EQ(middle.errors.find("the run stops"), std::string::npos) << middle.errors;
}

TEST(Quorvella, an_asset_file_without_picture_programs_stops_the_start_with_one_line_and_exit_status_1)
{
    TempVolumes volumes;
    const std::string path = volumes.content + "/Assets.dat";
    const std::string arguments = volume_arguments(volumes) + " --ticks 120";
    const std::string stop = path + " holds no picture programs; the run stops\n";

    // Empty: its tables are cut off too, and said first.
    volumes.put_content("Assets.dat", "");
    const SplitRun empty = run_apart(arguments);
    EXPECT_EQ(empty.status, 1) << empty.errors;
    EXPECT_EQ(empty.errors, path + " is cut off at 0 bytes: its item tables are incomplete\n" + stop);
    EXPECT_EQ(empty.output.find("Invalid vertex program"), std::string::npos) << empty.output;

    // Whole tables without the programs: the tool's bare file, and one of zeros.
    const std::string bare = std::string(QUORVELLA_ASSETS_BINARY) + " " + shell_word(path) + " > /dev/null";
    for (const bool zeros : {false, true}) {
        if (zeros)
            volumes.put_content("Assets.dat", std::string(200000, '\0'));
        else
            ASSERT_EQ(system(bare.c_str()), 0);
        const SplitRun stopped = run_apart(arguments);
        EXPECT_EQ(stopped.status, 1) << zeros << stopped.errors;
        EXPECT_EQ(stopped.errors, stop) << zeros;
    }

    // The same file with the programs plays.
    make_assets(volumes);
    const SplitRun played = run_apart(arguments);
    EXPECT_EQ(played.status, 0) << played.errors;
    EXPECT_EQ(played.errors, "");
}

TEST(Quorvella, records_that_cannot_be_saved_are_one_line_on_standard_error_the_game_plays_on_and_the_run_fails)
{
    namespace fs = std::filesystem;
    TempVolumes volumes;
    volumes.put_content("script.txt", into_act_1_script());
    const std::string arguments = "--headless --content " + shell_word(QUORVELLA_STAND_IN_CONTENT) +
                                  " --ticks 900 --input " + shell_word(volumes.content + "/script.txt");
    // Root writes into any folder whatever its mode: the run is made
    // without that power, as any other user's is.
    const std::string without_override =
        geteuid() == 0 ? "setpriv --bounding-set=-dac_override,-dac_read_search " : "";
    const std::string read_only = volumes.root + "/read-only";
    const std::string old_records = "the last good records, kept byte for byte";
    volumes.put_content("../read-only/quorvella/common/records.dat", old_records);
    for (const std::string folder : {"/quorvella/common", "/quorvella", ""})
        fs::permissions(read_only + folder, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    volumes.put_content("../a-file", "a file, not a folder");

    struct Case {
        std::string before, save_option, records, kept, kept_bytes, reason;
    };
    const Case cases[] = {
        {"", " --save " + shell_word(volumes.root + "/a-file"), volumes.root + "/a-file/common/records.dat",
         volumes.root + "/a-file", "a file, not a folder", "Not a directory"},
        {"env XDG_DATA_HOME=" + shell_word(volumes.root + "/a-file") + " ", "",
         volumes.root + "/a-file/quorvella/common/records.dat", volumes.root + "/a-file", "a file, not a folder",
         "Not a directory"},
        {"env XDG_DATA_HOME=" + shell_word(read_only) + " " + without_override, "",
         read_only + "/quorvella/common/records.dat", read_only + "/quorvella/common/records.dat", old_records,
         "Permission denied"},
    };
    for (const Case& each : cases) {
        const SplitRun run = run_apart(arguments + each.save_option, each.before);
        EXPECT_EQ(run.status, 1) << each.records << "\n" << run.errors;
        EXPECT_EQ(run.errors, "Could not save " + each.records + ": " + each.reason + "\n");
        // The game's own line stays as it was, and the game goes on into the act.
        const size_t said = run.output.find("Could not save data.array /vol/save/common/records.dat\n");
        EXPECT_NE(said, std::string::npos) << each.records;
        EXPECT_NE(run.output.find("Setting frame: 4\n", said), std::string::npos) << each.records;
        EXPECT_EQ(volumes.read_host(each.kept), each.kept_bytes) << each.records;
        for (const char* left : {".tmp", ".tmp.part", ".part"})
            EXPECT_FALSE(fs::exists(each.records + left)) << each.records << left;
    }
    // Folders the temporary volumes can remove again.
    for (const std::string folder : {"", "/quorvella", "/quorvella/common"})
        fs::permissions(read_only + folder, fs::perms::owner_write, fs::perm_options::add);
}
