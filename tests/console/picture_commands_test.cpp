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

TEST(PictureCommands, a_draw_that_reads_every_unit_and_attribute_buffer_keeps_what_each_read_needs)
{
    // Four textures and four vertex buffers; the last buffer was written
    // only by an upload that the next picture's whole upload covers.
    const std::vector<CommandSurfaces> eight = {
        writes(stream, true),
        writes(logical, false, {11, 12, 13, 14, 21 | buffer_surface, 22 | buffer_surface,
                                23 | buffer_surface, stream}),
        writes(stream, true),
    };
    EXPECT_EQ(commands_still_needed(eight), (std::vector<size_t>{0, 1, 2}));

    // Every texture unit and every attribute buffer the library binds, each
    // written by a command of its own: each writer is kept.
    std::vector<SurfaceKey> reads;
    for (SurfaceKey unit = 0; unit < max_sampler_units; ++unit)
        reads.push_back(100 + unit);
    for (SurfaceKey buffer = 0; buffer < max_attribute_buffers; ++buffer)
        reads.push_back((200 + buffer) | buffer_surface);
    std::vector<CommandSurfaces> commands;
    for (SurfaceKey key : reads)
        commands.push_back(writes(key, true));
    CommandSurfaces draw = writes(logical, false);
    for (SurfaceKey key : reads)
        draw.add_read(key);
    commands.push_back(draw);
    for (SurfaceKey key : reads)
        commands.push_back(writes(key, true));  // the next picture's
    EXPECT_EQ(commands_still_needed(commands).size(), commands.size());
    EXPECT_EQ(draw.read_count, int(reads.size()));

    // A command that reads more than a draw can bind keeps all before it.
    CommandSurfaces too_many = draw;
    too_many.add_read(300);
    EXPECT_EQ(commands_still_needed({writes(400, true), too_many, writes(400, true)}),
              (std::vector<size_t>{0, 1, 2}));
    EXPECT_EQ(commands_still_needed({writes(400, true), draw, writes(400, true)}),
              (std::vector<size_t>{1, 2}));
}
