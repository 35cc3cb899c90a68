// One instance of every class of the class table, made by its factory and
// compared with its row: the table grows, the test grows with it.
#include "game/objects/class_lookup.h"
#include "game/objects/classes.h"
#include "graphics/image.h"
#include "objects/movements.h"
#include "tests/game/objects/class_table.h"
#include "tests/runtime/runtime_fixtures.h"
#include "tests/support/volumes.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <typeinfo>

namespace {

int size_part(const std::string& size, int index)
{
    return numbers_of(size, 'x').at(size_t(index));
}

Color color_of(const std::string& text)
{
    const std::vector<int> c = numbers_of(text, ',');
    return Color(c.at(0), c.at(1), c.at(2), c.at(3));
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

// Whether the image is the asset image of the handle (-1: unassigned),
// without loading it again.
bool is_image(const Image* image, int handle)
{
    if (handle < 0)
        return image == class_image(unassigned_handle);
    return image && image->handle == handle && (image->flags & Image::INTERNAL);
}

// The animations against the table: shape, records, null slots, images.
void check_animations(const TableClass& c, const Active& sprite)
{
    const std::vector<TableRecord> records = table_records(c.name);
    int count = 0;
    for (const TableRecord& r : records)
        count = std::max(count, r.animation + 1);
    ASSERT_EQ(sprite.animations->count, count);
    for (int a = 0; a < count; ++a) {
        const Animation* animation = sprite.animations->list[a];
        const bool authored = std::any_of(records.begin(), records.end(),
                                          [&](const TableRecord& r) { return r.animation == a; });
        ASSERT_EQ(animation != nullptr, authored) << "animation " << a;
        if (!animation)
            continue;
        Animation only_authored = {};
        for (const TableRecord& r : records) {
            if (r.animation != a)
                continue;
            const Direction* d = animation->dirs[r.direction];
            ASSERT_NE(d, nullptr) << "animation " << a << " direction " << r.direction;
            EXPECT_EQ(d->index, r.direction);
            EXPECT_EQ(d->min_speed, r.min_speed);
            EXPECT_EQ(d->max_speed, r.max_speed);
            EXPECT_EQ(d->back_to, r.back_to);
            EXPECT_EQ(d->repeat, r.repeat);
            ASSERT_EQ(d->frame_count, r.frames);
            for (int i = 0; i < r.frames; ++i)
                EXPECT_TRUE(is_image(d->frames[i], r.handles.empty() ? -1 : r.handles[size_t(i)])) << i;
            only_authored.dirs[r.direction] = animation->dirs[r.direction];
        }
        // The runtime's own rule, applied to the authored records alone.
        fill_direction_slots(only_authored);
        for (int d = 0; d < 32; ++d)
            EXPECT_EQ(animation->dirs[d], only_authored.dirs[d]) << "animation " << a << " slot " << d;
    }
}

void check_movements(const TableClass& c, FrameObject& object)
{
    const auto expect_setting = [](const Movement* m, const std::string& text) {
        const std::string kind = text.substr(0, text.find(':'));
        const std::vector<int> n = text.size() > kind.size() ? numbers_of(text.substr(kind.size() + 1), ':')
                                                              : std::vector<int>();
        if (kind == "static") {
            EXPECT_TRUE(dynamic_cast<const StaticMovement*>(m));
        }
        if (kind == "vector") {
            EXPECT_TRUE(dynamic_cast<const VectorMovement*>(m));
        }
        if (kind == "ball") {
            auto* ball = dynamic_cast<const BallMovement*>(m);
            ASSERT_TRUE(ball);
            EXPECT_EQ(ball->max_speed, n.at(0));
            EXPECT_EQ(ball->deceleration, n.at(1));
            EXPECT_EQ(ball->bounce_factor, 20);
        }
        if (kind == "pinball") {
            auto* pinball = dynamic_cast<const PinballMovement*>(m);
            ASSERT_TRUE(pinball);
            EXPECT_EQ(pinball->max_speed, n.at(0));
            EXPECT_EQ(pinball->deceleration, n.at(1));
            EXPECT_EQ(pinball->gravity, n.at(2));
        }
    };
    if (c.has("movement")) {
        const std::string text = c.get("movement");
        ASSERT_NE(object.movement, nullptr);
        EXPECT_EQ(object.movement_count, 0);
        EXPECT_EQ(object.movement->index, 0);
        const bool at_once = text.substr(text.rfind(':') + 1) == "now";
        EXPECT_EQ((object.movement->flags & Movement::START_ON_INIT) != 0, at_once);
        expect_setting(object.movement, text.substr(0, text.rfind(':')));
    } else if (c.has("movements")) {
        const std::string text = c.get("movements");
        ASSERT_EQ(object.movement_count, 2);
        EXPECT_EQ(object.movement, object.movements[0]);
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(object.movements[i]->index, i);
            EXPECT_TRUE(object.movements[i]->flags & Movement::START_ON_INIT);
        }
        expect_setting(object.movements[0], text.substr(0, text.find('|')));
        expect_setting(object.movements[1], text.substr(text.find('|') + 1));
    } else {
        EXPECT_EQ(object.movement, nullptr);
        EXPECT_EQ(object.movement_count, 0);
    }
}

void check_direction(const TableClass& c, const FrameObject& object)
{
    const std::vector<std::string> rules = c.all("direction");
    if (rules.empty()) {
        EXPECT_EQ(object.direction, 0);
        return;
    }
    const std::string& last = rules.back();
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
        return;  // kept values are the kept-object test's
    for (int i = 0; i < 26; ++i)
        EXPECT_EQ(object.alterables->values.get(unsigned(i)), c.values.count(i) ? c.values.at(i) : 0.0)
            << char('A' + i);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(object.alterables->strings.get(unsigned(i)), c.strings.count(i) ? c.strings.at(i) : "");
    EXPECT_EQ(object.alterables->flags, c.alterable_flags);
}

void check_sprite(const TableClass& c, Active& sprite)
{
    check_animations(c, sprite);
    EXPECT_EQ(sprite.animation, c.get_int("animation", 0));
    EXPECT_EQ(sprite.current_animation, sprite.animation);
    EXPECT_EQ(sprite.active_flags & 6, c.get_int("active_flags", 4));
    if (c.get("box") == "1") {
        EXPECT_EQ(sprite.sprite_col.type, SPRITE_BOX);
    } else {
        EXPECT_TRUE(sprite.sprite_col.type == SPRITE_COLLISION || sprite.sprite_col.type == TRANSFORM_SPRITE_COLLISION);
    }
    EXPECT_EQ(sprite.blend_color, c.has("blend") ? color_of(c.get("blend")) : Color(255, 255, 255, 255));
    EXPECT_EQ(sprite.shader, c.get_int("shader", 0));
    EXPECT_EQ(sprite.shader_parameters != nullptr, c.has("shader"));
    check_alterables(c, sprite);
}

void check_counter(const TableClass& c, Counter& counter)
{
    EXPECT_EQ(counter.display_type, c.get_int("display"));
    EXPECT_EQ(counter.digits, c.get_int("digits"));
    EXPECT_EQ(counter.minimum, c.get_int("min"));
    EXPECT_EQ(counter.maximum, c.get_int("max"));
    EXPECT_EQ(counter.image_count, c.get_int("images", 0));
    EXPECT_EQ(counter.images != nullptr, c.has("images"));
    if (counter.display_type == Counter::HIDDEN) {
        EXPECT_EQ(counter.width, size_part(c.get("size"), 0));
        EXPECT_EQ(counter.height, size_part(c.get("size"), 1));
    }
    if (!c.has("kept")) {
        EXPECT_EQ(counter.value, std::clamp(std::stod(c.get("initial")), double(counter.minimum),
                                            double(counter.maximum)));
    }
    EXPECT_EQ(counter.alterables, nullptr);
}

void check_blitter(const TableClass& c, TextBlitter& blitter)
{
    EXPECT_EQ(blitter.width, size_part(c.get("size"), 0));
    EXPECT_EQ(blitter.height, size_part(c.get("size"), 1));
    EXPECT_EQ(blitter.alignment, c.get_int("align"));
    EXPECT_EQ(blitter.text, decode_literal(c.get("text", "\"\"")));
    EXPECT_TRUE(is_image(blitter.image, 2371));
    EXPECT_EQ(blitter.char_width, 8);
    EXPECT_EQ(blitter.char_height, 20);
    EXPECT_EQ(blitter.charmap_table['A'], 'A' - 32);
    EXPECT_EQ(blitter.charmap_table[0x7F], -1);
    check_alterables(c, blitter);
}

void check_backdrop(const TableClass& c, Backdrop& backdrop)
{
    EXPECT_TRUE(is_image(backdrop.image, c.get_int("image")));
    EXPECT_EQ(backdrop.width, backdrop.image->width);
    const std::string shape = c.get("collision");
    if (shape == "none") {
        EXPECT_EQ(backdrop.collision, nullptr);
    } else {
        ASSERT_NE(backdrop.collision, nullptr);
        EXPECT_EQ(backdrop.collision->type, shape == "mask" ? BACKDROP_COLLISION : INSTANCE_BOX);
        EXPECT_EQ(backdrop.collision->flags, shape == "mask" ? 0 : shape == "box" ? 1 : 3);
    }
    EXPECT_EQ(backdrop.blend_color, c.has("blend") ? color_of(c.get("blend")) : Color(255, 255, 255, 255));
    EXPECT_EQ(backdrop.alterables, nullptr);
}

void check_kind(const TableClass& c, FrameObject& object)
{
    if (c.kind == "Active")
        check_sprite(c, static_cast<Active&>(object));
    else if (c.kind == "Counter")
        check_counter(c, static_cast<Counter&>(object));
    else if (c.kind == "TextBlitter")
        check_blitter(c, static_cast<TextBlitter&>(object));
    else if (c.kind == "Backdrop")
        check_backdrop(c, static_cast<Backdrop&>(object));
    else if (c.kind == "SystemBox") {
        auto& box = static_cast<SystemBox&>(object);
        EXPECT_EQ(box.width, size_part(c.get("size"), 0));
        EXPECT_EQ(box.height, size_part(c.get("size"), 1));
        EXPECT_EQ(box.image_mode, SystemBox::TILED);
        check_alterables(c, box);
    } else if (c.kind == "QuickBackdrop") {
        auto& quick = static_cast<QuickBackdrop&>(object);
        EXPECT_EQ(quick.width, size_part(c.get("size"), 0));
        EXPECT_EQ(quick.height, size_part(c.get("size"), 1));
        EXPECT_EQ(quick.gradient_type, c.get_int("gradient"));
        EXPECT_EQ(quick.color1, color_of(c.get("color1")));
        if (c.has("color2")) {
            EXPECT_EQ(quick.color2, color_of(c.get("color2")));
        }
        EXPECT_EQ(quick.border_size, 0);
    } else if (c.kind == "ArrayObject") {
        auto& array = static_cast<ArrayObject&>(object);
        const TableClass* owner = &c;
        for (const TableClass& other : table_classes())
            if (other.name == c.get("record"))
                owner = &other;
        EXPECT_EQ(array.data.numeric, owner->get("cells") == "numeric");
        EXPECT_EQ(array.data.base, owner->get_int("base"));
        EXPECT_EQ(array.data.x_size, size_part(owner->get("size"), 0));
        EXPECT_EQ(array.data.y_size, size_part(owner->get("size"), 1));
        EXPECT_EQ(array.data.z_size, size_part(owner->get("size"), 2));
    } else if (c.kind == "Text") {
        auto& text = static_cast<Text&>(object);
        std::vector<std::string> lines;
        for (const std::string& line : split_outside_quotes(c.get("lines"), ','))
            lines.push_back(decode_literal(line));
        EXPECT_EQ(text.paragraphs, lines);
        EXPECT_EQ(text.width, size_part(c.get("size"), 0));
        EXPECT_EQ(text.alignment, c.get_int("align"));
        EXPECT_EQ(text.blend_color, color_of(c.get("color")));
    } else {
        EXPECT_EQ(object.alterables != nullptr, c.get("alterables") == "1");
    }
}

class ClassTable : public testing::Test {
protected:
    TempVolumes volumes;  // no content: the images load as failures
    RunningFrame<> running{640, 480, 1};
};

}  // namespace

TEST_F(ClassTable, every_class_is_built_by_its_factory_as_its_row_says)
{
    const std::vector<TableClass>& table = table_classes();
    ASSERT_EQ(all_classes().size(), table.size());
    for (const TableClass& c : table) {
        SCOPED_TRACE(c.name + " (classes.tsv:" + std::to_string(c.line) + ")");
        const ClassInfo* info = find_class(c.name);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->number, c.number);
        EXPECT_EQ(info->type_id, c.type_id);
        EXPECT_STREQ(kind_name(info->kind), c.kind.c_str());
        FrameObject* object = quietly(info->create, 3, 4);
        EXPECT_NE(std::string(typeid(*object).name()).find(c.name), std::string::npos);
        EXPECT_EQ(object->id, c.type_id);
        EXPECT_EQ(object->x, 3);
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
    Direction* record = sprite->animations->list[0]->dirs[24];
    Image* fetched = record->frames[0];
    record->frames[0] = &sentinel;
    Active* second = quietly(create_countdowncrystal_423);
    EXPECT_EQ(second->animations, sprite->animations);
    EXPECT_EQ(record->frames[0], &sentinel);
    record->frames[0] = fetched;

    Counter* counter = quietly(create_guilives_221);
    Image* digit = counter->images[0];
    counter->images[0] = &sentinel;
    Counter* other = quietly(create_guilives_221);
    EXPECT_EQ(other->images, counter->images);
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
    EXPECT_EQ(find_class("NoSuchClass_1"), nullptr);
    EXPECT_EQ(find_class("CountdownCrystal"), nullptr);
    EXPECT_EQ(create_object("CountdownCrystal_42", 0, 0), nullptr);
    ASSERT_NE(find_class("FallenCharacter_421"), nullptr);
    EXPECT_EQ(find_class("FallenCharacter_421")->type_id, 302);
    EXPECT_EQ(find_class("VostrelLadder_267")->kind, ObjectKind::Backdrop);
    for (const ClassInfo& info : all_classes())
        EXPECT_EQ(find_class(info.name), &info);

    std::set<int> shared;
    for (const ClassInfo& info : all_classes())
        if (info.type_id != 1 && classes_of_type(info.type_id).size() == 2)
            shared.insert(info.type_id);
    EXPECT_EQ(shared.size(), 11u);
    ASSERT_EQ(classes_of_type(26).size(), 2u);
    EXPECT_STREQ(classes_of_type(26)[0]->name, "RecordData_33");
    EXPECT_STREQ(classes_of_type(26)[1]->name, "RecordData_409");
    EXPECT_EQ(classes_of_type(1).size(), 122u);

    // Factories that nothing in the game calls exist all the same.
    const std::vector<std::pair<FrameObject* (*)(int, int), const char*>> unused = {
        {[](int x, int y) -> FrameObject* { return create_gimmickcollapsingplatformleftbrick02_154(x, y); },
         "GimmickCollapsingPlatformLeftBrick02_154"},
        {[](int x, int y) -> FrameObject* { return create_levelbackgroundplane_320(x, y); },
         "LevelBackgroundPlane_320"},
        {[](int x, int y) -> FrameObject* { return create_effectember_407(x, y); }, "EffectEmber_407"},
    };
    TempVolumes volumes;
    for (const auto& [factory, name] : unused) {
        FrameObject* object = quietly(factory);
        EXPECT_EQ(object->id, find_class(name)->type_id);
        object->dealloc();
    }
}

TEST(ClassLookup, the_item_boxes_carry_the_codes_1_to_12)
{
    const char* const boxes[] = {"MonitorRings_119",         "MonitorCrystals_120", "MonitorFireShield_121",
                                 "MonitorMetalShield_122",   "MonitorWaterShield_123",
                                 "MonitorInvincibility_124", "MonitorCrate_126",    "Monitor1up_127",
                                 "MonitorBomb_128",          "MonitorWoodShield_311",
                                 "MonitorEarthShield_312",   "MonitorKeystone_322"};
    TempVolumes volumes;
    for (int code = 1; code <= 12; ++code) {
        ASSERT_NE(find_class(boxes[code - 1]), nullptr) << boxes[code - 1];
        FrameObject* box = quietly(find_class(boxes[code - 1])->create);
        EXPECT_EQ(box->alterables->values.get(2), code) << boxes[code - 1];
        box->dealloc();
    }
}
