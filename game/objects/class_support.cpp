#include "game/objects/class_support.h"

#include "graphics/image.h"
#include "objects/movements.h"
#include "runtime/collision.h"
#include "runtime/movement.h"

#include <cstdlib>

namespace {

Image* unassigned_image()
{
    static Image* const image = [] {
        auto* pixel = new Image(0, 0, 0, 0);
        pixel->width = pixel->height = 1;
        pixel->pixels = static_cast<uint8_t*>(std::calloc(4, 1));
        return pixel;
    }();
    return image;
}

}  // namespace

Image* class_image(uint16_t handle)
{
    return handle == unassigned_handle ? unassigned_image() : get_internal_image(handle);
}

void fetch_images(bool& fetched, Image** images, const uint16_t* handles, int count)
{
    if (fetched)
        return;
    fetched = true;
    for (int i = 0; i < count; ++i)
        images[i] = class_image(handles[i]);
}

void set_up_sprite(Active& sprite, SpriteClass& sprite_class)
{
    sprite.animations = sprite_class.animations;
    fetch_images(sprite_class.images_fetched, sprite_class.images, sprite_class.handles,
                 sprite_class.image_count);
    sprite.animation = sprite.current_animation = sprite_class.initial_animation;
    sprite.active_flags |= sprite_class.active_flags;
    sprite.initialize_active(sprite_class.box_collision);
}

bool keep_alterables(FrameObject& object, SavedAlterables& saved)
{
    object.flags |= FrameObject::GLOBAL;
    object.alterables = &saved.values;
    if (saved.initialised)
        return false;
    saved.initialised = true;
    return true;
}

void set_counter_images(Counter& counter, CounterImages& table)
{
    fetch_images(table.filled, table.images, table.handles, table.count);
    counter.images = table.images;
    counter.image_count = table.count;
}

double kept_counter_value(const SavedCounterValue& saved, double initial)
{
    return saved.saved ? saved.value : initial;
}

void save_counter_value(const Counter& counter, SavedCounterValue& saved)
{
    saved.value = counter.value;
    saved.saved = true;
}

const std::string& blitter_charmap()
{
    static const std::string map = [] {
        std::string printable;
        for (char c = ' '; c <= '~'; ++c)
            printable += c;
        return printable;
    }();
    return map;
}

void set_up_blitter(TextBlitter& blitter, BlitterClass& blitter_class, int width, int height,
                    int alignment, uint16_t image)
{
    blitter.char_width = 8;
    blitter.char_height = 20;
    blitter.char_offset = 0;
    blitter.x_spacing = blitter.y_spacing = 0;
    blitter.image_x = blitter.image_y = 0;
    blitter.grid_width = 256;
    blitter.width = width;
    blitter.height = height;
    blitter.alignment = alignment;
    blitter.image = class_image(image);
    blitter.charmap = &blitter_charmap();
    blitter.charmap_table = blitter_class.charmap_table;
    if (!blitter_class.initialised) {
        blitter_class.initialised = true;
        blitter.initialize(blitter_charmap());
    }
    blitter.transparent_color = TransparentColor(0, 0, 0, 255);
    blitter.wrap = 1;
    blitter.char_callback = 0;
}

void set_up_box(SystemBox& box, int width, int height, uint16_t image)
{
    box.flags |= FrameObject::BACKGROUND;
    box.width = width;
    box.height = height;
    box.image_mode = SystemBox::TILED;
    box.image = class_image(image);
    box.set_text(std::string());
    box.create_alterables();
}

void set_up_backdrop(Backdrop& backdrop, uint16_t image, BackdropShape shape)
{
    backdrop.flags |= FrameObject::BACKGROUND;
    backdrop.image = class_image(image);
    backdrop.width = backdrop.image->width;
    backdrop.height = backdrop.image->height;
    switch (shape) {
    case BackdropShape::none:
        break;
    case BackdropShape::box:
        backdrop.collision = new InstanceBox(&backdrop);
        break;
    case BackdropShape::ladder:
        backdrop.collision = new InstanceBox(&backdrop);
        backdrop.collision->flags |= LADDER_OBSTACLE;
        break;
    case BackdropShape::mask:
        backdrop.collision = new BackdropCollision(&backdrop, backdrop.image);
        break;
    }
}

namespace {

Movement* make_movement(FrameObject& object, MovementKind kind)
{
    switch (kind) {
    case MovementKind::ball:
        return new BallMovement(&object);
    case MovementKind::pinball:
        return new PinballMovement(&object);
    case MovementKind::vector:
        return new VectorMovement(&object);
    case MovementKind::static_movement:
        break;
    }
    return new StaticMovement(&object);
}

// The setters of the movement's kind, in the order maximum speed,
// deceleration, gravity; a ball's bounce setting is always 20.
void configure(Movement& movement, const MovementSetting& setting)
{
    switch (setting.kind) {
    case MovementKind::ball:
        movement.set_max_speed(setting.max_speed);
        movement.set_deceleration(setting.deceleration);
        static_cast<BallMovement&>(movement).bounce_factor = 20;
        break;
    case MovementKind::pinball:
        movement.set_max_speed(setting.max_speed);
        movement.set_deceleration(setting.deceleration);
        movement.set_gravity(setting.gravity);
        break;
    case MovementKind::static_movement:
    case MovementKind::vector:
        break;
    }
}

}  // namespace

void add_movement(FrameObject& object, const MovementSetting& setting)
{
    Movement* movement = make_movement(object, setting.kind);
    movement->index = 0;
    if (setting.at_once)
        movement->flags |= Movement::START_ON_INIT;
    object.movement = movement;
    configure(*movement, setting);
    movement->init();
}

void add_movements(FrameObject& object, const MovementSetting& first, const MovementSetting& second)
{
    object.movement_count = 2;
    object.movements = new Movement*[2];
    const MovementSetting* settings[2] = {&first, &second};
    for (int i = 0; i < 2; ++i) {
        Movement* movement = make_movement(object, settings[i]->kind);
        movement->index = i;
        movement->flags |= Movement::START_ON_INIT;
        object.movements[i] = movement;
    }
    configure(*object.movements[1], second);
    object.set_movement(0);
}
