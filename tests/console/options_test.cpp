#include "console/options.h"
#include "tests/support/volumes.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// Parses `args` from fresh options; the options stay as parsed.
bool parse(std::vector<const char*> args)
{
    console_options() = ConsoleOptions();
    args.insert(args.begin(), "quorvella");
    return console_parse_options(int(args.size()), const_cast<char**>(args.data()));
}

}  // namespace

TEST(Options, every_option_lands_in_its_field)
{
    ASSERT_TRUE(parse({"--content", "c", "--save", "s", "--headless", "--ticks", "12", "--input",
                       "in.txt", "--capture", "shots", "--capture-every", "5", "--audio-out", "a.wav",
                       "--end-report"}));
    const ConsoleOptions& options = console_options();
    EXPECT_EQ(options.content_dir, "c");
    EXPECT_EQ(options.save_dir, "s");
    EXPECT_TRUE(options.headless);
    EXPECT_EQ(options.ticks, 12);
    EXPECT_EQ(options.input_file, "in.txt");
    EXPECT_EQ(options.capture_dir, "shots");
    EXPECT_EQ(options.capture_every, 5);
    EXPECT_EQ(options.audio_out, "a.wav");
    EXPECT_TRUE(options.end_report);

    ASSERT_TRUE(parse({}));
    EXPECT_FALSE(console_options().end_report);
    EXPECT_EQ(console_options().save_dir, console_default_save_dir());
    EXPECT_EQ(console_options().ticks, -1);
    console_options() = ConsoleOptions();
}

TEST(Options, bad_options_are_refused_with_one_message)
{
    const std::string usage = std::string(console_usage()) + "\n";
    const auto refusal = [](std::vector<const char*> args) {
        bool ok = true;
        const std::string out = host_errors_of([&] { ok = parse(args); });
        EXPECT_FALSE(ok);
        return out;
    };
    EXPECT_EQ(refusal({"--bogus"}), "Unknown option: --bogus\n" + usage);
    EXPECT_EQ(refusal({"--content"}), "Option --content needs a value\n" + usage);
    EXPECT_EQ(refusal({"--ticks"}), "Option --ticks needs a value\n" + usage);
    EXPECT_EQ(refusal({"--ticks", "many"}), "Option --ticks needs a count of ticks, not \"many\"\n");
    EXPECT_EQ(refusal({"--ticks", "-1"}), "Option --ticks needs a count of ticks, not \"-1\"\n");
    for (const char* count : {"0", "x", "-2"})
        EXPECT_EQ(refusal({"--capture-every", count}),
                  "Option --capture-every needs a count of pictures\n" + usage);
    EXPECT_EQ(refusal({"--capture-every"}), "Option --capture-every needs a count of pictures\n" + usage);
    EXPECT_EQ(refusal({"--capture-every", "30", "--ticks", "600"}), "Option --capture-every needs --capture DIR\n" + usage);
    EXPECT_EQ(refusal({"--capture-every", "1"}), "Option --capture-every needs --capture DIR\n" + usage);
    console_options() = ConsoleOptions();
}
