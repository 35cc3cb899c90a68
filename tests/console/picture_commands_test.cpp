// Which put-off commands a picture still needs: a command is dropped only
// when what it wrote is covered whole before anything kept reads it.
#include "console/picture_commands.h"

#include <gtest/gtest.h>

namespace {

constexpr SurfaceKey logical = 1, kept = 2, full = 3, stream = 7 | buffer_surface;

CommandSurfaces writes(SurfaceKey target, bool whole, std::initializer_list<SurfaceKey> reads = {})
{
    CommandSurfaces command;
    command.target = target;
    command.whole = whole;
    for (SurfaceKey read : reads)
        command.add_read(read);
    return command;
}

}  // namespace

TEST(PictureCommands, only_output_covered_whole_before_any_read_is_dropped)
{
    // Two headless pictures: clear, upload, draw, keep a copy; the second
    // picture's clear and copy cover the first's.
    const std::vector<CommandSurfaces> two_pictures = {
        writes(logical, true),                  // 0 clear
        writes(stream, true),                   // 1 upload, letting the stream go
        writes(logical, false, {stream, 5}),    // 2 draw
        writes(kept, true, {logical}),          // 3 keep the picture
        writes(logical, true),                  // 4 clear
        writes(stream, true),                   // 5 upload
        writes(logical, false, {stream, 5}),    // 6 draw
        writes(kept, true, {logical}),          // 7 keep the picture
    };
    EXPECT_EQ(commands_still_needed(two_pictures), (std::vector<size_t>{4, 5, 6, 7}));

    // A draw of the second picture samples the full-size picture, which the
    // first picture's kept copy makes: all of the first is needed.
    std::vector<CommandSurfaces> sampled = two_pictures;
    sampled.insert(sampled.begin() + 4, writes(full, false, {kept}));
    sampled[7].add_read(full);
    EXPECT_EQ(commands_still_needed(sampled).size(), sampled.size());

    // A part-covering write keeps what is under it; the window's own
    // framebuffer (0) is never dropped; a read of the target keeps it.
    EXPECT_EQ(commands_still_needed({writes(logical, true), writes(logical, false), writes(0, true),
                                     writes(0, true), writes(full, true), writes(full, true, {full})}),
              (std::vector<size_t>{0, 1, 2, 3, 4, 5}));
    // A discard (whole, reading nothing) ends what was kept.
    EXPECT_EQ(commands_still_needed({writes(kept, true, {logical}), writes(kept, true)}),
              (std::vector<size_t>{1}));
}
