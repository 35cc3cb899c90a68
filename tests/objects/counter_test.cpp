// Counters: clamped values, the digits' text and box, the image chosen by
// value and the bars, read back from the picture.
#include "base/pools.h"
#include "graphics/image.h"
#include "graphics/render.h"
#include "objects/counter.h"
#include "runtime/collision.h"
#include "tests/objects/kinds_fixture.h"

#include <cmath>
#include <new>

namespace {

Counter* make_counter(Frame& frame, int x, int y, int type, int minimum, int maximum)
{
    Counter* counter = place(new (object_pool<Counter>.create()) Counter(x, y, 40), frame);
    counter->display_type = type;
    counter->minimum = minimum;
    counter->maximum = maximum;
    return counter;
}

// Digits 0-9 as 8 x 10 images, "-" "+" "." "e" as 4 x 10, except the
// shapes a test asks for.
struct DigitImages {
    Image* table[14] = {};
    DigitImages()
    {
        for (int i = 0; i < 14; ++i)
            table[i] = get_internal_image(unsigned(100 + i));
    }
};

std::vector<std::pair<int, ImageItemSource>> digit_assets()
{
    std::vector<std::pair<int, ImageItemSource>> images;
    for (int i = 0; i < 14; ++i)
        images.emplace_back(100 + i, solid_image(i < 10 ? 8 : 4, 10, red));
    images[1].second = solid_image(8, 10, green);  // "1"
    images[2].second = solid_image(9, 12, blue);   // "2"
    return images;
}

}  // namespace

using CounterTest = KindDrawTest;

TEST(Counter, values_stay_within_the_limits_and_a_minimum_above_the_maximum_wins)
{
    Counter counter(0, 0, 40);
    counter.maximum = 100;
    counter.set(150);
    EXPECT_EQ(counter.value, 100.0);
    counter.set(-3);
    EXPECT_EQ(counter.value, 0.0);
    counter.set(std::nan(""));
    EXPECT_EQ(counter.value, 0.0);
    counter.set(42.5);
    counter.add(10);
    EXPECT_EQ(counter.value, 52.5);
    counter.subtract(100);
    EXPECT_EQ(counter.value, 0.0);
    counter.set(80);
    counter.set_max(50);
    EXPECT_EQ(counter.value, 50.0);
    counter.set_min(60);
    EXPECT_EQ(counter.value, 60.0);
    counter.minimum = 10;
    counter.maximum = 5;
    for (const double v : {-100.0, 7.0, 1000.0}) {
        counter.set(v);
        EXPECT_EQ(counter.value, 10.0);
    }
    // Display type 0 never gets a shape.
    EXPECT_EQ(counter.collision, nullptr);
    EXPECT_EQ(counter.text, "");
}

TEST_F(CounterTest, digit_text_is_the_stream_form_filled_with_zeros)
{
    write_assets(digit_assets());
    DigitImages digits;
    Counter* counter = make_counter(frame, 0, 0, Counter::NUMBERS, -10000000, 10000000);
    counter->images = digits.table;
    const struct {
        double value;
        int digits;
        const char* text;
    } cases[] = {
        {1234567, 0, "1.23457e+06"}, {2.5, 0, "2.5"}, {7, 3, "007"},   {1234, 3, "1234"},
        {-5, 3, "0-5"},              {0.5, 0, "0.5"}, {0, 0, "0"},     {-1e-7, 2, "-1e-07"},
    };
    for (const auto& c : cases) {
        counter->digits = c.digits;
        counter->set(c.value);
        EXPECT_EQ(counter->text, c.text) << c.value;
    }
    // "0.5": two digits and the point image.
    counter->digits = 0;
    counter->set(0.5);
    EXPECT_EQ(counter->width, 8 + 4 + 8);
    counter->dealloc();
}

TEST_F(CounterTest, digits_box_ends_at_the_position_and_digits_draw_right_aligned)
{
    write_assets(digit_assets());
    DigitImages digits;
    Counter* counter = make_counter(frame, 100, 50, Counter::NUMBERS, 0, 99);
    counter->images = digits.table;
    counter->set(12);
    ASSERT_NE(counter->collision, nullptr);
    EXPECT_EQ(counter->collision->type, INSTANCE_BOX);
    EXPECT_EQ(counter->width, 17);
    EXPECT_EQ(counter->height, 12);
    const int* box = counter->collision->aabb;
    EXPECT_EQ((std::vector<int>{box[0], box[1], box[2], box[3]}), (std::vector<int>{83, 38, 100, 50}));

    redraw(counter);
    // "2" (9 x 12) ends at the position, "1" (8 x 10) before it, bottoms on y.
    EXPECT_EQ(extent(blue), (std::vector<int>{91, 38, 100, 50}));
    EXPECT_EQ(extent(green), (std::vector<int>{83, 40, 91, 50}));

    // A character without an image takes no room.
    digits.table[Counter::PLUS_IMAGE] = nullptr;
    counter->text = "+1";
    redraw(counter);
    EXPECT_EQ(extent(green), (std::vector<int>{92, 40, 100, 50}));
    counter->dealloc();
}

TEST_F(CounterTest, image_by_value_spreads_the_range_over_the_images)
{
    std::vector<std::pair<int, ImageItemSource>> assets;
    for (int i = 0; i < 5; ++i)
        assets.emplace_back(200 + i, solid_image(10 + i, 20 + i, red));
    write_assets(assets);
    Image* images[5];
    for (int i = 0; i < 5; ++i)
        images[i] = get_internal_image(unsigned(200 + i));
    Counter* counter = make_counter(frame, 30, 40, Counter::ANIMATION, 0, 100);
    counter->images = images;
    counter->image_count = 5;
    const struct {
        double value;
        int image;
    } cases[] = {{0, 0}, {24, 0}, {25, 1}, {49, 1}, {50, 2}, {99, 3}, {100, 4}};
    for (const auto& c : cases) {
        counter->set(c.value);
        EXPECT_EQ(counter->get_image(), images[c.image]) << c.value;
        EXPECT_EQ(counter->width, 10 + c.image) << c.value;
    }
    EXPECT_EQ(counter->collision->aabb[0], 30);
    EXPECT_EQ(counter->collision->aabb[3], 40 + 24);
    redraw(counter);
    EXPECT_EQ(extent(red), (std::vector<int>{30, 40, 44, 64}));

    counter->maximum = 0;  // no range: the first image
    counter->set(0);
    EXPECT_EQ(counter->get_image(), images[0]);
    counter->dealloc();
}

TEST_F(CounterTest, bars_fill_in_proportion_from_the_bottom_or_the_left)
{
    write_assets({});
    Counter* counter = make_counter(frame, 10, 10, Counter::VERTICAL_BAR, 0, 100);
    counter->width = 6;
    counter->height = 40;
    counter->color1 = Color(0, 255, 0, 255);
    counter->set(50);
    redraw(counter);
    EXPECT_EQ(extent(green), (std::vector<int>{10, 30, 16, 50}));

    counter->display_type = Counter::HORIZONTAL_BAR;
    counter->width = 30;
    counter->height = 5;
    counter->set(25);
    redraw(counter);
    EXPECT_EQ(extent(green), (std::vector<int>{10, 10, 17, 15}));

    // Without a range there is no proportion: nothing is drawn.
    counter->maximum = 0;
    counter->set(0);
    redraw(counter);
    EXPECT_EQ(count(0, 0, 426, 240, green), 0);
    counter->dealloc();
}

TEST_F(CounterTest, hidden_counters_draw_nothing_and_flash_only_stores_its_interval)
{
    write_assets({});
    Counter* counter = make_counter(frame, 10, 10, Counter::HIDDEN, 0, 100);
    counter->width = counter->height = 20;
    counter->set(50);
    EXPECT_EQ(counter->collision, nullptr);
    redraw(counter);
    EXPECT_EQ(count(0, 0, 426, 240, black), 426 * 240);

    counter->flash_time = 3.0f;
    counter->flash(0.5f);
    EXPECT_EQ(counter->flash_interval, 0.5f);
    EXPECT_EQ(counter->flash_time, 0.0f);
    EXPECT_TRUE(counter->flags & FrameObject::VISIBLE);
    counter->dealloc();
}
