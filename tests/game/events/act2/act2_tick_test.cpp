// The act 2 tick handler: its call order and group gates against the order
// table beside this file (the handler records its calls instead of making
// them), and the water-surface events it runs written out.
#include "objects/active.h"
#include "tests/game/events/tick_order_table.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace tick_order;

namespace {

constexpr int act2 = 5;

std::vector<Call> order_table()
{
    return read_table(QUORVELLA_SOURCE_DIR "/tests/game/events/act2/act2_tick_order.tsv");
}

std::vector<std::string> record_tick(Frames& frames)
{
    return tick_order::record_tick(frames, &Frames::handle_frame_6_events);
}

bool is_event(const std::string& call) { return isdigit(call[0]); }

}  // namespace

TEST(Act2TickOrder, with_every_group_on_the_handler_makes_the_tables_calls_in_order)
{
    EventKit kit;
    const std::vector<Call> calls = order_table();
    set_gates(kit.frames(), gate_names(calls));
    const std::vector<std::string> recorded = record_tick(kit.frames());
    const std::vector<std::string> expected = expected_with(calls, {});
    ASSERT_EQ(recorded.size(), expected.size());
    for (size_t k = 0; k < expected.size(); ++k)
        ASSERT_EQ(recorded[k], expected[k]) << "call " << k;

    // Every event of the tick, the shared block's pieces spelled out: 1,824
    // calls of 1,816 events besides the pass and the written-out surface;
    // act 1's own events are never among them, and 221 is not called.
    std::vector<std::string> events;
    std::copy_if(recorded.begin(), recorded.end(), std::back_inserter(events), is_event);
    const int pieces = 4 + 2 + 49 + 20 + 5 + 1 + 4 + 1 + 4 + 4;
    EXPECT_EQ(int(events.size()) - 4 + pieces, 1824);
    EXPECT_EQ(int(std::set<std::string>(events.begin(), events.end()).size()) - 4 + pieces, 1816);
    EXPECT_EQ(std::count(events.begin(), events.end(), "1018"), 4);
    for (const char* twice : {"1235", "1630", "1632", "1666", "1721"})
        EXPECT_EQ(std::count(events.begin(), events.end(), twice), 2) << twice;
    for (const char* act1_only : {"981", "1022", "1171", "1883", "1965", "2028", "2106", "2136", "2157", "2161", "221"})
        EXPECT_EQ(std::count(events.begin(), events.end(), act1_only), 0) << act1_only;
    // The front events come before the level block and are not called again.
    const auto first_level = std::find(recorded.begin(), recorded.end(), "594");
    EXPECT_EQ(std::count(recorded.begin(), first_level, "2328"), 1);
    EXPECT_EQ(std::count(recorded.begin(), recorded.end(), "893"), 1);
}

TEST(Act2TickOrder, a_group_that_is_off_skips_exactly_the_runs_it_gates)
{
    EventKit kit;
    const std::vector<Call> calls = order_table();
    for (const std::string& gate : gate_names(calls)) {
        set_gates(kit.frames(), gate_names(calls), gate);
        EXPECT_EQ(record_tick(kit.frames()), expected_with(calls, {gate})) << gate << " off";
    }
    // Paused: only the pass, the front events, the pause block and the
    // shared block.
    set_gates(kit.frames(), gate_names(calls));
    kit.frames().level_group_43 = false;
    kit.frames().global_group_1 = false;
    EXPECT_EQ(record_tick(kit.frames()).size(), 1u + 20u + 14u + 3u + 3u);
}

// The surface strip follows the view's left edge and stretches with its
// distance from the view's middle line; the deep background shows once the
// view's bottom reaches y 1600, again after it has been above for a tick.
TEST(Act2WaterSurface, follows_the_view_and_the_deep_background_shows_below_1600)
{
    EventKit kit;
    kit.enter_frame(act2);
    Frames& f = kit.frames();
    // Nothing but the handler's own events moves the view or the pieces.
    f.level_group_8 = f.level_group_23 = false;
    FrameObject* strip = kit.instance(types::LevelParalaxWaterSurface_389);
    FrameObject* deep = kit.instance(types::LevelParallaxPiece9_386);
    FrameObject* sky = kit.instance(types::LevelParallaxPiece0_161);
    ASSERT_TRUE(strip && deep && sky);
    const auto visible = [](FrameObject* o) { return (o->flags & FrameObject::VISIBLE) != 0; };
    const auto view_at = [&](int x, int y) {
        f.new_display_x = x;
        f.new_display_y = y;
        kit.run(1);
    };

    view_at(300, 1359);
    sky->set_visible(true);
    deep->set_visible(false);
    EXPECT_EQ(strip->get_x(), 300);
    const double above = (strip->get_y() - (1359.0 + 120)) / 220;
    EXPECT_EQ(EventKit::value(strip, 'C'), above);
    EXPECT_EQ(static_cast<Active*>(strip)->y_scale, float(std::min(std::fabs(above), 2.0)));

    view_at(500, 1360);
    EXPECT_TRUE(visible(deep));
    EXPECT_FALSE(visible(sky));
    sky->set_visible(true);
    view_at(500, 1400);  // still below: not again
    EXPECT_TRUE(visible(sky));
    view_at(500, 1000);
    view_at(500, 1400);
    EXPECT_FALSE(visible(sky));

    // Below the middle line frame 0, above it frame 1.
    const int strip_y = strip->get_y();
    view_at(0, strip_y - 120 - 220);
    EXPECT_EQ(EventKit::value(strip, 'C'), 1.0);
    EXPECT_EQ(static_cast<Active*>(strip)->y_scale, 1.0f);
    EXPECT_EQ(static_cast<Active*>(strip)->forced_frame, 0);
    view_at(0, strip_y - 120 + 660);
    EXPECT_EQ(EventKit::value(strip, 'C'), -3.0);
    EXPECT_EQ(static_cast<Active*>(strip)->y_scale, 2.0f);
    EXPECT_EQ(static_cast<Active*>(strip)->forced_frame, 1);
}

// On the view's middle line (C exactly 0) the strip has no height and keeps
// the frame of the side it came from.
TEST(Act2WaterSurface, on_the_views_middle_line_the_strip_keeps_the_frame_it_had)
{
    EventKit kit;
    kit.enter_frame(act2);
    Frames& f = kit.frames();
    f.level_group_8 = f.level_group_23 = false;
    auto* strip = static_cast<Active*>(kit.instance(types::LevelParalaxWaterSurface_389));
    ASSERT_TRUE(strip);
    const int middle = strip->get_y() - 120;
    const auto view_at = [&](int y) {
        f.new_display_y = y;
        kit.run(1);
        return std::make_pair(EventKit::value(strip, 'C'), strip->forced_frame);
    };
    EXPECT_EQ(view_at(middle + 220), std::make_pair(-1.0, 1));
    EXPECT_EQ(view_at(middle), std::make_pair(0.0, 1));
    EXPECT_EQ(strip->y_scale, 0.0f);
    EXPECT_EQ(view_at(middle - 110), std::make_pair(0.5, 0));
    EXPECT_EQ(view_at(middle), std::make_pair(0.0, 0));
    EXPECT_EQ(strip->y_scale, 0.0f);
}
