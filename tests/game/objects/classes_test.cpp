// One instance of every class of the class table, made by its factory and
// compared with its row: the table grows, the test grows with it.
#include "game/objects/class_lookup.h"
#include "game/objects/classes.h"
#include "game/objects/random_groups.h"
#include "graphics/image.h"
#include "objects/movements.h"
#include "tests/runtime/runtime_fixtures.h"
#include "tests/support/volumes.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <typeinfo>

namespace {

// A new instance from a factory, with the console lines it writes (every
// image fails to load without content) kept out of the test's output.
template <class T>
T* quietly(T* (*factory)(int, int), int x = 0, int y = 0)
{
    T* made = nullptr;
    console_output_of([&] { made = factory(x, y); });
    return made;
}

// The tables as the test reads them, with code of its own: the tables the
// classes were generated from (their paths come from the build).
struct TableClass {
    int line = 0;
    int number = 0;
    std::string name;  // Name_N
    int type_id = 0;
    std::string kind;
    bool hidden = false;
    std::vector<std::string> flags;
    std::multimap<std::string, std::string> settings;
    std::map<int, double> values;  // A = 0 ... Z = 25
    std::map<int, std::string> strings;
    int alterable_flags = 0;

    bool has(const std::string& key) const { return settings.count(key) != 0; }
    // The last value of a key, or the default.
    std::string get(const std::string& key, const std::string& otherwise = "") const;
    int get_int(const std::string& key, int otherwise = 0) const { return std::stoi(get(key, std::to_string(otherwise))); }
};

struct TableRecord {
    int animation, direction, min_speed, max_speed, back_to, repeat, frames;
    std::vector<int> handles;  // -1 where unassigned
};

using Row = std::map<std::string, std::string>;

std::vector<std::string> split_outside_quotes(const std::string& text, char separator);
std::string decode_literal(const std::string& literal);

// The rows with their line numbers; comment lines skipped.
std::vector<std::pair<int, Row>> read_tsv(const char* path)
{
    std::ifstream in(path);
    EXPECT_TRUE(in.is_open()) << path;
    std::vector<std::pair<int, Row>> rows;
    std::vector<std::string> header;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::vector<std::string> cells = split_outside_quotes(line, '\t');
        if (header.empty()) {
            header = cells;
            continue;
        }
        Row row;
        for (size_t i = 0; i < header.size() && i < cells.size(); ++i)
            row[header[i]] = cells[i];
        rows.emplace_back(number, row);
    }
    return rows;
}

TableClass read_class(int line, Row& cells)
{
    TableClass c;
    c.line = line;
    c.number = std::stoi(cells["number"]);
    c.name = cells["name"] + "_" + cells["number"];
    c.type_id = std::stoi(cells["type_id"]);
    c.kind = cells["kind"];
    c.hidden = cells["hidden"] == "1";
    if (!cells["flags"].empty())
        c.flags = split_outside_quotes(cells["flags"], ' ');
    for (const std::string& item : split_outside_quotes(cells["settings"], ';'))
        if (!item.empty())
            c.settings.emplace(item.substr(0, item.find('=')), item.substr(item.find('=') + 1));
    for (const std::string& item : split_outside_quotes(cells["alterables"], ' ')) {
        if (item.empty())
            continue;
        const std::string key = item.substr(0, item.find('=')), value = item.substr(key.size() + 1);
        if (key.size() == 1)
            c.values[key[0] - 'A'] = std::stod(value);
        else if (key[0] == 'S')
            c.strings[std::stoi(key.substr(1))] = decode_literal(value);
        else if (key[0] == 'F' && value == "1")
            c.alterable_flags |= 1 << std::stoi(key.substr(1));
    }
    return c;
}

std::string TableClass::get(const std::string& key, const std::string& otherwise) const
{
    const auto range = settings.equal_range(key);
    return range.first == range.second ? otherwise : std::prev(range.second)->second;
}

std::vector<std::string> split_outside_quotes(const std::string& text, char separator)
{
    std::vector<std::string> parts(1);
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == separator && !quoted) {
            parts.emplace_back();
            continue;
        }
        quoted ^= text[i] == '"';
        parts.back() += text[i];
        if (text[i] == '\\' && quoted && i + 1 < text.size())
            parts.back() += text[++i];
    }
    return parts;
}

std::string decode_literal(const std::string& literal)
{
    std::string text;
    for (size_t i = 1; i + 1 < literal.size(); ++i) {
        char c = literal[i];
        if (c == '\\') {
            c = literal[++i];
            c = c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c;
        }
        text += c;
    }
    return text;
}

std::vector<int> numbers_of(const std::string& text, char separator)
{
    std::vector<int> numbers;
    for (const std::string& item : split_outside_quotes(text, separator)) {
        const size_t dash = item.find('-', 1);
        const int first = std::stoi(item.substr(0, dash));
        for (int n = first, last = dash == std::string::npos ? first : std::stoi(item.substr(dash + 1)); n <= last; ++n)
            numbers.push_back(n);
    }
    return numbers;
}

std::vector<int> handles_of(const std::string& text, int count)
{
    return text.empty() ? std::vector<int>(size_t(count), -1) : numbers_of(text, ' ');
}

const std::vector<TableClass>& table_classes()
{
    static const std::vector<TableClass> classes = [] {
        std::vector<TableClass> read;
        for (auto& [line, cells] : read_tsv(QUORVELLA_CLASS_TABLE))
            read.push_back(read_class(line, cells));
        return read;
    }();
    return classes;
}

const TableClass& table_class(const std::string& name)
{
    for (const TableClass& c : table_classes())
        if (c.name == name)
            return c;
    ADD_FAILURE() << name << " is not in the table";
    return table_classes().front();
}

std::vector<TableRecord> table_records(const std::string& class_name)
{
    static const auto rows = read_tsv(QUORVELLA_ANIMATION_TABLE);
    std::vector<TableRecord> records;
    for (const auto& [line, cells] : rows) {
        if (cells.at("class") != class_name)
            continue;
        const auto number = [&](const char* column) { return std::stoi(cells.at(column)); };
        records.push_back({number("animation"), number("direction"), number("min_speed"), number("max_speed"),
                           number("back_to"), number("repeat"), number("frames"),
                           handles_of(cells.at("handles"), number("frames"))});
    }
    if (records.empty())
        records.push_back({0, 0, 50, 50, 0, -1, 1, {-1}});
    return records;
}

int part(const std::string& text, int index, char separator = 'x')
{
    return numbers_of(text, separator).at(size_t(index));
}

Color color_of(const std::string& text)
{
    return Color(part(text, 0, ','), part(text, 1, ','), part(text, 2, ','), part(text, 3, ','));
}

uint32_t expected_flags(const TableClass& c)
{
    uint32_t flags = c.hidden ? FrameObject::SCROLL : FrameObject::VISIBLE | FrameObject::SCROLL;
    for (const std::string& change : c.flags) {
        const uint32_t bit = uint32_t(std::stoi(change.substr(1)));
        flags = change[0] == '-' ? flags & ~bit : flags | bit;
    }
    return flags;
}

// The asset image of the handle (-1: unassigned), without loading it again.
bool is_image(const Image* image, int handle)
{
    if (handle < 0)
        return image == class_image(unassigned_handle);
    return image && image->handle == handle && (image->flags & Image::INTERNAL);
}

// Shape, records, images and null slots of the animations.
void check_animations(const TableClass& c, const Active& sprite)
{
    const std::vector<TableRecord> records = table_records(c.name);
    int count = 0;
    for (const TableRecord& r : records)
        count = std::max(count, r.animation + 1);
    ASSERT_EQ(sprite.animations->count, count);
    std::vector<Animation> authored(size_t(count), Animation{});
    std::vector<bool> present(size_t(count), false);
    for (const TableRecord& r : records) {
        present[size_t(r.animation)] = true;
        const Animation* animation = sprite.animations->list[r.animation];
        ASSERT_NE(animation, nullptr) << "animation " << r.animation;
        const Direction* d = animation->dirs[r.direction];
        ASSERT_NE(d, nullptr) << "animation " << r.animation << " direction " << r.direction;
        EXPECT_EQ(std::vector<int>({d->index, d->min_speed, d->max_speed, d->back_to, d->repeat}),
                  std::vector<int>({r.direction, r.min_speed, r.max_speed, r.back_to, r.repeat}));
        ASSERT_EQ(d->frame_count, r.frames);
        for (int i = 0; i < r.frames; ++i)
            EXPECT_TRUE(is_image(d->frames[i], r.handles.at(size_t(i)))) << r.direction << ":" << i;
        authored[size_t(r.animation)].dirs[r.direction] = animation->dirs[r.direction];
    }
    for (int a = 0; a < count; ++a) {
        const Animation* animation = sprite.animations->list[a];
        ASSERT_EQ(animation != nullptr, bool(present[size_t(a)])) << "animation " << a;
        if (!animation)
            continue;
        // The runtime's own rule, applied to the authored records alone.
        fill_direction_slots(authored[size_t(a)]);
        for (int d = 0; d < 32; ++d)
            EXPECT_EQ(animation->dirs[d], authored[size_t(a)].dirs[d]) << "animation " << a << " slot " << d;
    }
}

// `kind:max:deceleration[:gravity]` against a movement.
void check_movement(const Movement* m, const std::string& text)
{
    const std::string kind = text.substr(0, text.find(':'));
    const std::vector<int> n = kind.size() < text.size() ? numbers_of(text.substr(kind.size() + 1), ':')
                                                          : std::vector<int>();
    auto* ball = dynamic_cast<const BallMovement*>(m);
    auto* pinball = dynamic_cast<const PinballMovement*>(m);
    const bool right_kind = kind == "ball" ? ball != nullptr
                          : kind == "pinball" ? pinball != nullptr
                          : kind == "vector" ? dynamic_cast<const VectorMovement*>(m) != nullptr
                                             : dynamic_cast<const StaticMovement*>(m) != nullptr;
    ASSERT_TRUE(right_kind) << text;
    if (ball) {
        EXPECT_EQ(std::vector<int>({ball->max_speed, ball->deceleration, ball->bounce_factor}),
                  std::vector<int>({n[0], n[1], 20}));
    }
    if (pinball) {
        EXPECT_EQ(std::vector<int>({pinball->max_speed, pinball->deceleration, pinball->gravity}), n);
    }
}

void check_movements(const TableClass& c, const FrameObject& object)
{
    const std::string one = c.get("movement"), two = c.get("movements");
    if (!one.empty()) {
        ASSERT_NE(object.movement, nullptr);
        EXPECT_EQ(object.movement_count, 0);
        EXPECT_EQ(object.movement->index, 0);
        const bool at_once = one.substr(one.rfind(':') + 1) == "now";
        EXPECT_EQ((object.movement->flags & Movement::START_ON_INIT) != 0, at_once);
        check_movement(object.movement, one.substr(0, one.rfind(':')));
    } else if (!two.empty()) {
        ASSERT_EQ(object.movement_count, 2);
        EXPECT_EQ(object.movement, object.movements[0]);
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(object.movements[i]->index + int(object.movements[i]->flags & Movement::START_ON_INIT), i + 1);
        check_movement(object.movements[0], two.substr(0, two.find('|')));
        check_movement(object.movements[1], two.substr(two.find('|') + 1));
    } else {
        EXPECT_TRUE(object.movement == nullptr && object.movement_count == 0);
    }
}

void check_direction(const TableClass& c, const FrameObject& object)
{
    const std::string last = c.get("direction", "0");
    if (last.rfind("pick(", 0) == 0) {
        const std::vector<int> choices = numbers_of(last.substr(5, last.size() - 6), ',');
        EXPECT_NE(std::find(choices.begin(), choices.end(), object.direction), choices.end());
    } else if (last != "random") {
        EXPECT_EQ(object.direction, std::stoi(last));
    }
}

void check_alterables(const TableClass& c, const FrameObject& object)
{
    ASSERT_NE(object.alterables, nullptr);
    if (c.has("kept"))
        return;  // kept values are the kept-object tests'
    for (int i = 0; i < 26; ++i)
        EXPECT_EQ(object.alterables->values.get(unsigned(i)), c.values.count(i) ? c.values.at(i) : 0.0)
            << char('A' + i);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(object.alterables->strings.get(unsigned(i)), c.strings.count(i) ? c.strings.at(i) : "");
    EXPECT_EQ(object.alterables->flags, c.alterable_flags);
}

void check_size(const TableClass& c, const FrameObject& object)
{
    EXPECT_EQ(object.width, part(c.get("size"), 0));
    EXPECT_EQ(object.height, part(c.get("size"), 1));
}

void check_kind(const TableClass& c, FrameObject& object)
{
    if (c.kind == "Active") {
        auto& sprite = static_cast<Active&>(object);
        check_animations(c, sprite);
        EXPECT_EQ(sprite.animation, c.get_int("animation", 0));
        EXPECT_EQ(sprite.current_animation, sprite.animation);
        EXPECT_EQ(sprite.active_flags & 6, c.get_int("active_flags", 4));
        EXPECT_EQ(sprite.sprite_col.type == SPRITE_BOX, c.get("box") == "1");
        EXPECT_EQ(sprite.blend_color, color_of(c.get("blend", "255,255,255,255")));
        EXPECT_EQ(sprite.shader, c.get_int("shader", 0));
        EXPECT_EQ(sprite.shader_parameters != nullptr, c.has("shader"));
        check_alterables(c, sprite);
    } else if (c.kind == "Counter") {
        auto& counter = static_cast<Counter&>(object);
        EXPECT_EQ(std::vector<int>({counter.display_type, counter.digits, counter.minimum, counter.maximum,
                                    counter.image_count}),
                  std::vector<int>({c.get_int("display"), c.get_int("digits"), c.get_int("min"),
                                    c.get_int("max"), c.get_int("images", 0)}));
        const std::vector<int> handles = handles_of(c.get("handles"), counter.image_count);
        for (int i = 0; i < counter.image_count; ++i)
            EXPECT_TRUE(is_image(counter.images[i], handles[size_t(i)]));
        if (counter.display_type == Counter::HIDDEN)
            check_size(c, counter);
        if (!c.has("kept")) {
            EXPECT_EQ(counter.value, std::clamp(std::stod(c.get("initial")), double(counter.minimum),
                                                double(counter.maximum)));
        }
        EXPECT_EQ(counter.alterables, nullptr);
    } else if (c.kind == "TextBlitter") {
        auto& blitter = static_cast<TextBlitter&>(object);
        check_size(c, blitter);
        EXPECT_EQ(blitter.alignment, c.get_int("align"));
        EXPECT_EQ(blitter.text, decode_literal(c.get("text", "\"\"")));
        EXPECT_TRUE(is_image(blitter.image, c.get_int("image", 2371)));
        EXPECT_EQ(blitter.char_width * 100 + blitter.char_height, 820);
        EXPECT_EQ(blitter.charmap_table['A'] * 1000 + blitter.charmap_table[0x7F], 33 * 1000 - 1);
        check_alterables(c, blitter);
    } else if (c.kind == "Backdrop") {
        auto& backdrop = static_cast<Backdrop&>(object);
        EXPECT_TRUE(is_image(backdrop.image, c.get_int("image")));
        EXPECT_EQ(backdrop.width, backdrop.image->width);
        const std::string shape = c.get("collision");
        EXPECT_EQ(backdrop.collision == nullptr, shape == "none");
        if (backdrop.collision) {
            EXPECT_EQ(backdrop.collision->type, shape == "mask" ? BACKDROP_COLLISION : INSTANCE_BOX);
            EXPECT_EQ(backdrop.collision->flags, shape == "mask" ? 0 : shape == "box" ? 1 : 3);
        }
        EXPECT_EQ(backdrop.blend_color, color_of(c.get("blend", "255,255,255,255")));
    } else if (c.kind == "SystemBox") {
        check_size(c, object);
        EXPECT_TRUE(is_image(static_cast<SystemBox&>(object).image, handles_of(c.get("image"), 1)[0]));
        check_alterables(c, object);
    } else if (c.kind == "QuickBackdrop") {
        auto& quick = static_cast<QuickBackdrop&>(object);
        check_size(c, quick);
        EXPECT_EQ(quick.gradient_type, c.get_int("gradient"));
        EXPECT_EQ(quick.color1, color_of(c.get("color1")));
        EXPECT_EQ(quick.color2, color_of(c.get("color2", "255,255,255,255")));
    } else if (c.kind == "ArrayObject") {
        auto& array = static_cast<ArrayObject&>(object);
        const TableClass& owner = c.has("record") ? table_class(c.get("record")) : c;
        EXPECT_EQ(array.data.numeric, owner.get("cells") == "numeric");
        EXPECT_EQ(array.data.base, owner.get_int("base"));
        EXPECT_EQ(std::vector<int>({array.data.x_size, array.data.y_size, array.data.z_size}),
                  numbers_of(owner.get("size"), 'x'));
    } else if (c.kind == "Text") {
        auto& text = static_cast<Text&>(object);
        std::vector<std::string> lines;
        for (const std::string& line : split_outside_quotes(c.get("lines"), ','))
            lines.push_back(decode_literal(line));
        EXPECT_EQ(text.paragraphs, lines);
        check_size(c, text);
        EXPECT_EQ(text.alignment, c.get_int("align"));
        EXPECT_EQ(text.blend_color, color_of(c.get("color")));
    } else {
        EXPECT_EQ(object.alterables != nullptr, c.get("alterables") == "1");
    }
}

class ClassTable : public testing::Test {
protected:
    // The records and random states as a fresh run has them, whatever an
    // earlier test of the process kept or drew.
    ClassTable()
    {
        reset_kept_records();
        reset_class_seed_groups();
    }

    TempVolumes volumes;  // no content: the images load as failures
    RunningFrame<> running{640, 480, 1};
};

}  // namespace

TEST_F(ClassTable, every_class_is_built_by_its_factory_as_its_row_says)
{
    ASSERT_EQ(all_classes().size(), table_classes().size());
    for (const TableClass& c : table_classes()) {
        SCOPED_TRACE(c.name + " (classes.tsv:" + std::to_string(c.line) + ")");
        const ClassInfo* info = find_class(c.name);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->number, c.number);
        EXPECT_STREQ(kind_name(info->kind), c.kind.c_str());
        FrameObject* object = quietly(info->create, 3, 4);
        EXPECT_NE(std::string(typeid(*object).name()).find(c.name), std::string::npos);
        EXPECT_EQ(std::vector<int>({info->type_id, object->id, object->x}), std::vector<int>({c.type_id, c.type_id, 3}));
        EXPECT_EQ(object->flags, expected_flags(c));
        check_direction(c, *object);
        check_movements(c, *object);
        check_kind(c, *object);
        if (c.kind == "ArrayObject")
            object->dealloc();  // hands its cells back to the record another class may share
        else if (object->flags & FrameObject::BACKGROUND)
            running.frame.add_background_object(object, 0);
        else
            running.frame.add_object(object, 0);
    }
}

TEST_F(ClassTable, images_and_character_tables_are_filled_once_per_class)
{
    Image sentinel;
    Active* sprite = quietly(create_countdowncrystal_423);
    Image*& frame = sprite->animations->list[0]->dirs[24]->frames[0];
    Image* fetched = std::exchange(frame, &sentinel);
    Active* second = quietly(create_countdowncrystal_423);
    EXPECT_EQ(frame, &sentinel);
    frame = fetched;

    Counter* counter = quietly(create_guilives_221);
    Image* digit = std::exchange(counter->images[0], &sentinel);
    Counter* other = quietly(create_guilives_221);
    EXPECT_EQ(other->images[0], &sentinel);
    counter->images[0] = digit;

    TextBlitter* jump = quietly(create_helpmessage_432);
    jump->charmap_table['A'] = 7;
    TextBlitter* again = quietly(create_helpmessage_432);
    TextBlitter* attack = quietly(create_helpmessage2_433);
    EXPECT_EQ(again->charmap_table['A'], 7);
    EXPECT_EQ(attack->charmap_table['A'], 'A' - 32);
    jump->charmap_table['A'] = 'A' - 32;
    for (FrameObject* object : std::initializer_list<FrameObject*>{sprite, second, counter, other, jump, again, attack})
        running.frame.add_object(object, 0);
}

TEST(ClassLookup, names_type_ids_and_the_classes_no_frame_places)
{
    EXPECT_EQ(all_classes().size(), 459u);
    EXPECT_EQ(find_class("CountdownCrystal"), nullptr);
    EXPECT_EQ(create_object("CountdownCrystal_42", 0, 0), nullptr);
    for (const ClassInfo& info : all_classes())
        EXPECT_EQ(find_class(info.name), &info);
    std::set<int> shared;
    for (const ClassInfo& info : all_classes())
        if (info.type_id != 1 && classes_of_type(info.type_id).size() == 2)
            shared.insert(info.type_id);
    EXPECT_EQ(shared.size(), 11u);
    ASSERT_EQ(classes_of_type(26).size(), 2u);
    EXPECT_STREQ(classes_of_type(26)[1]->name, "RecordData_409");
    EXPECT_EQ(classes_of_type(1).size(), 122u);

    // Factories that nothing in the game calls exist all the same.
    TempVolumes volumes;
    quietly(create_gimmickcollapsingplatformleftbrick02_154)->dealloc();
    quietly(create_levelbackgroundplane_320)->dealloc();
    quietly(create_effectember_407)->dealloc();
}

TEST(ClassLookup, the_item_boxes_carry_the_codes_1_to_12)
{
    const char* const boxes[] = {"MonitorRings_119",       "MonitorCrystals_120",   "MonitorFireShield_121",
                                 "MonitorMetalShield_122", "MonitorWaterShield_123", "MonitorInvincibility_124",
                                 "MonitorCrate_126",       "Monitor1up_127",         "MonitorBomb_128",
                                 "MonitorWoodShield_311",  "MonitorEarthShield_312", "MonitorKeystone_322"};
    TempVolumes volumes;
    for (int code = 1; code <= 12; ++code) {
        FrameObject* box = quietly(find_class(boxes[code - 1])->create);
        EXPECT_EQ(box->alterables->values.get(2), code) << boxes[code - 1];
        box->dealloc();
    }
}

TEST(ClassImages, an_unassigned_frame_shows_a_transparent_pixel_that_never_loads_an_asset)
{
    TempVolumes volumes;
    Image* pixel = class_image(unassigned_handle);
    EXPECT_EQ(console_output_of([&] { pixel->load(); }), "");  // the empty image would load asset 0
    ASSERT_EQ(pixel->width * pixel->height, 1);
    ASSERT_NE(pixel->pixels, nullptr);
    EXPECT_EQ(pixel->pixels[3], 0);
}
