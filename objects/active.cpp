#include "objects/active.h"

#include "base/pools.h"
#include "graphics/image.h"
#include "graphics/render.h"
#include "platform/files.h"
#include "runtime/frame.h"
#include "runtime/layer.h"
#include "runtime/manager.h"
#include "runtime/movement.h"
#include "runtime/values.h"

#include "console/os.h"

namespace {

// The animation played in place of a missing one, by animation number.
const int animation_substitutes[16] = {3, 2, 1, 0, 0, 0, 0, 1, 0, 1, 0, 0, -1, -1, -1, -1};

// The image coordinates that stand for half and for the whole image size.
constexpr int half_image_size = 100000;
constexpr int whole_image_size = 110000;

int image_coordinate(int value, int size)
{
    if (value == half_image_size)
        return size / 2;
    if (value == whole_image_size)
        return size;
    return value;
}

// One tick's advance of the animation clock at a speed, in hundredths of a frame.
int clock_step(int speed)
{
    return saturate_to_int(float(speed) * get_frame_speed_factor());
}

bool is_authored(const Animation& animation, int dir)
{
    return animation.dirs[dir] && animation.dirs[dir]->index == dir;
}

// Steps from dir to the nearest authored direction going one way; 0 for none.
int steps_to_authored(const Animation& animation, int dir, int step)
{
    for (int k = 1; k < 32; ++k) {
        if (is_authored(animation, (dir + step * k) & 31))
            return k;
    }
    return 0;
}

}  // namespace

void fill_direction_slots(Animation& animation)
{
    Animation authored = {};
    for (int d = 0; d < 32; ++d)
        authored.dirs[d] = is_authored(animation, d) ? animation.dirs[d] : nullptr;
    for (int d = 0; d < 32; ++d) {
        if (authored.dirs[d])
            continue;
        const int up = steps_to_authored(authored, d, 1);
        const int down = steps_to_authored(authored, d, -1);
        animation.dirs[d] = nullptr;
        if (up != 0 && up < down)
            animation.dirs[d] = authored.dirs[(d + up) & 31];
        else if (down != 0 && down < up)
            animation.dirs[d] = authored.dirs[(d - down) & 31];
    }
}

// Construction ---------------------------------------------------------------------

Active::Active(int x, int y, int type_id) : FrameObject(x, y, type_id), sprite_col(this)
{
    collision = &sprite_col;
}

// sprite_col removes its own grid proxy.
Active::~Active() = default;

void Active::dealloc()
{
    this->~Active();
    object_pool<Active>.destroy(this);
}

void Active::initialize_active(bool box_collision)
{
    if (box_collision) {
        sprite_col.flags |= BOX_COLLISION;
        sprite_col.type = SPRITE_BOX;
    }
    update_direction(nullptr);
    const bool played_once = plays_once(current_animation);
    if (played_once && loop_count == -1)
        loop_count = 1;
    if (!direction_data)
        return;
    // One tick's step ahead (two for the once-played animations), so the
    // first frame change comes a tick early.
    counter += clock_step(direction_data->max_speed) * (played_once ? 2 : 1);
}

// Queries -----------------------------------------------------------------------------

int Active::get_frame() const
{
    return forced_frame != -1 ? forced_frame : animation_frame;
}

int Active::get_speed() const
{
    if (forced_speed != -1)
        return forced_speed;
    return direction_data ? direction_data->max_speed : 0;
}

int Active::get_animation_direction() const
{
    return forced_direction != -1 ? forced_direction : animation_direction;
}

bool Active::has_animation(int n) const
{
    return animations && n >= 0 && n < animations->count && animations->list[n] != nullptr;
}

bool Active::test_animation(int n) const
{
    return n == current_animation && loop_count != 0;
}

bool Active::is_animation_finished(int n) const
{
    return n == current_animation && loop_count == 0;
}

int Active::get_action_x() const
{
    return FrameObject::get_action_x() + action_x;
}

int Active::get_action_y() const
{
    return FrameObject::get_action_y() + action_y;
}

int Active::get_angle() const
{
    return angle;
}

// Choosing animation, direction and frame ------------------------------------------

int Active::get_animation(int n) const
{
    if (has_animation(n))
        return n;
    if (!animations || animations->count <= 0)
        return 0;
    int i = n < animations->count - 1 ? n : animations->count - 1;
    if (i < 0)
        i = 0;
    if (i < 16 && has_animation(animation_substitutes[i]))
        return animation_substitutes[i];
    for (int a = 0; a < animations->count; ++a) {
        if (animations->list[a])
            return a;
    }
    // A class without animations: 0 names nothing either, and every reader
    // of the table reports it instead of reading past the list.
    return 0;
}

Direction* Active::get_direction_data()
{
    if (!has_animation(current_animation)) {
        OSReport("Invalid animation: %d\n", current_animation);
        return nullptr;
    }
    const Animation& anim = *animations->list[current_animation];
    const int wanted = get_animation_direction() & 31;
    if (Direction* record = anim.dirs[wanted]) {
        if (record->index == wanted)
            last_direction = wanted;
        return record;
    }
    // Between two directions with images: lean towards the one shown last,
    // and upwards before any was shown.
    const int step = last_direction != -1 && ((wanted - last_direction) & 31) <= 15 ? -1 : 1;
    for (int k = 1; k < 32; ++k) {
        if (Direction* record = anim.dirs[(wanted + step * k) & 31])
            return record;
    }
    OSReport("Invalid animation: %d\n", current_animation);
    return nullptr;
}

void Active::update_direction(Direction* record)
{
    if (!record)
        record = get_direction_data();
    if (!record)
        return;
    loop_count = record->repeat;
    direction_data = record;
    if (forced_frame != -1 && forced_frame >= record->frame_count)
        forced_frame = -1;
    if (animation_frame >= record->frame_count)
        animation_frame = 0;
    update_frame();
}

void Active::update_frame()
{
    if (!direction_data || !direction_data->frames)
        return;
    const int index = get_frame();
    if (index < 0 || index >= direction_data->frame_count)
        return;
    Image* next = direction_data->frames[index];
    if (next == image || !next)
        return;
    image = next;
    image->load();
    sprite_col.image = image;
    sprite_col.hotspot_x = image->hotspot_x;
    sprite_col.hotspot_y = image->hotspot_y;
    sprite_col.update_transform();
    update_action_point();
    if (sprite_col.type == SPRITE_COLLISION) {
        old_aabb[2] = old_aabb[0] + image->width;
        old_aabb[3] = old_aabb[1] + image->height;
    }
}

void Active::update_action_point()
{
    const int ax = image ? image->action_x : 0;
    const int ay = image ? image->action_y : 0;
    if (sprite_col.type == SPRITE_COLLISION) {
        action_x = ax - sprite_col.new_hotspot_x;
        action_y = ay - sprite_col.new_hotspot_y;
        return;
    }
    const float co = sprite_col.co, si = sprite_col.si;
    const float px = float(ax) * x_scale * co + float(ay) * y_scale * si;
    const float py = float(ay) * y_scale * co - float(ax) * x_scale * si;
    action_x = saturate_to_int(px) - sprite_col.x_offset - sprite_col.new_hotspot_x;
    action_y = saturate_to_int(py) - sprite_col.y_offset - sprite_col.new_hotspot_y;
}

void Active::set_current_animation(int n)
{
    current_animation = n;
    animation_frame = 0;
    update_direction(nullptr);
}

// Animation commands ------------------------------------------------------------------

void Active::set_animation(int n)
{
    if (n == animation)
        return;
    const int a = get_animation(n);
    if (a == animation)
        return;
    animation = a;
    if (forced_animation < 0)
        set_current_animation(a);
}

void Active::force_animation(int n)
{
    if (n == forced_animation)
        return;
    const int a = get_animation(n);
    if (a == forced_animation)
        return;
    if (flags & FADEOUT) {
        FrameObject::destroy();
        return;
    }
    forced_animation = a;
    if (a != current_animation)
        set_current_animation(a);
}

void Active::restore_animation()
{
    if (forced_animation == -1)
        return;
    forced_animation = -1;
    if (current_animation != animation)
        set_current_animation(animation);
}

void Active::force_frame(int n)
{
    if (loop_count == 0 || !direction_data)
        return;
    const int last = direction_data->frame_count - 1;
    forced_frame = n < 0 ? 0 : n > last ? last : n;
    update_frame();
}

void Active::restore_frame()
{
    if (forced_frame == -1)
        return;
    animation_frame = forced_frame;
    forced_frame = -1;
    update_frame();
}

void Active::force_speed(int speed)
{
    speed = speed < 0 ? 0 : speed > 100 ? 100 : speed;
    int forced = speed;
    if (direction_data && direction_data->max_speed != direction_data->min_speed) {
        const int low = direction_data->min_speed, high = direction_data->max_speed;
        forced = low + speed * (high - low) / 100;
        if (forced > high)
            forced = high;
    }
    forced_speed = forced;
    if (forced_animation == -1 && current_animation != animation)
        set_current_animation(animation);
}

void Active::restore_speed()
{
    forced_speed = -1;
}

void Active::force_direction(int dir)
{
    dir &= 31;
    if (dir == forced_direction)
        return;
    forced_direction = dir;
    update_direction(nullptr);
}

void Active::restore_direction()
{
    forced_direction = -1;
    update_direction(nullptr);
}

void Active::stop_animation()
{
    active_flags |= ANIMATION_STOPPED;
}

void Active::start_animation()
{
    active_flags &= ~ANIMATION_STOPPED;
}

void Active::set_direction(int dir, bool set_movement)
{
    dir &= 31;
    FrameObject::set_direction(dir, set_movement);
    if (active_flags & ROTATE_WITH_DIRECTION) {
        set_angle((dir * 360) >> 5, 0);
        dir = 0;
    }
    if (dir == animation_direction)
        return;
    animation_direction = dir;
    // Turning among directions that share a record keeps frame and clock.
    Direction* record = get_direction_data();
    if (record && record != direction_data)
        update_direction(record);
}

// Scale and angle -------------------------------------------------------------------------

void Active::set_angle(int new_angle, int)
{
    angle = new_angle % 360;
    sprite_col.set_angle(angle);
    update_action_point();
}

void Active::set_scales(float new_x_scale, float new_y_scale)
{
    x_scale = sprite_col.x_scale = new_x_scale;
    y_scale = sprite_col.y_scale = new_y_scale;
    sprite_col.update_transform();
    update_action_point();
}

// Negative scales, and NaN, become 0.0.
void Active::set_scale(float scale)
{
    if (!(scale >= 0.0f))
        scale = 0.0f;
    set_scales(scale, scale);
}

void Active::set_x_scale(float scale)
{
    if (!(scale >= 0.0f))
        scale = 0.0f;
    set_scales(scale, y_scale);
}

void Active::set_y_scale(float scale)
{
    if (!(scale >= 0.0f))
        scale = 0.0f;
    set_scales(x_scale, scale);
}

// The clock --------------------------------------------------------------------------------

void Active::flash(float interval)
{
    flash_interval = interval;
    flash_time = 0.0f;
}

void Active::update()
{
    for (int i = 0; i < 4; ++i)
        old_aabb[i] = sprite_col.aabb[i];
    flags |= ALTERNATE_BOX;

    if (flags & FADEOUT) {
        if (fade_time > 0.0f) {
            fade_time -= manager.frame_time;
            if (!(fade_time > 0.0f))
                FrameObject::destroy();
            const double alpha = double(fade_time) / double(fade_duration) * 255.0;
            blend_color.a = clamp_color_component(saturate_to_int(alpha));
            return;
        }
        if (animation_finished == disappearing_animation) {
            FrameObject::destroy();
            return;
        }
    }

    update_flash(flash_interval, flash_time);
    animation_finished = -1;
    // A forced animation that ended last tick gives way to the own one.
    if (forced_animation == -1 && current_animation != animation)
        set_current_animation(animation);
    if (forced_frame != -1 || (active_flags & ANIMATION_STOPPED) || loop_count == 0 || !direction_data)
        return;
    step_clock();
}

void Active::step_clock()
{
    const Direction& dir = *direction_data;
    uint32_t clock = uint32_t(counter) + uint32_t(clock_step(get_speed()));
    int index = animation_frame;
    while (clock > 100u) {
        ++index;
        clock -= 100u;
        if (index < dir.frame_count)
            continue;
        if (loop_count > 0)
            --loop_count;
        if (loop_count != 0) {
            index = dir.back_to >= 0 && dir.back_to < dir.frame_count ? dir.back_to : 0;
            continue;
        }
        counter = int(clock);
        animation_finished = current_animation;
        animation_frame = dir.frame_count - 1;
        if (forced_animation != -1)
            forced_animation = forced_speed = forced_direction = -1;
        return;
    }
    counter = int(clock);
    const bool changed = index != animation_frame;
    animation_frame = index;
    if (changed)
        update_frame();
}

// Disappearing ------------------------------------------------------------------------------

void Active::mark_disappearing()
{
    flags |= FADEOUT;
    sprite_col.type = NONE_COLLISION;
}

void Active::destroy()
{
    if (flags & FADEOUT)
        return;
    if (has_animation(disappearing_animation)) {
        clear_movements();
        if (forced_animation != disappearing_animation) {
            restore_animation();
            force_animation(disappearing_animation);
            if (loop_count == -1)
                loop_count = 1;
        }
        mark_disappearing();
        return;
    }
    if (fade_duration == 0.0f) {
        FrameObject::destroy();
        return;
    }
    clear_movements();
    fade_time = fade_duration;
    mark_disappearing();
}

// Drawing -------------------------------------------------------------------------------------

void Active::draw()
{
    // Opaque sprites without an effect need no blending.
    const bool opaque = !(active_flags & KEEP_BLENDING) && blend_color.a == 255 && shader == 0;
    if (opaque)
        Render::set_blending(false);
    draw_image(image, x, y, blend_color, float(angle), x_scale, y_scale);
    if (opaque)
        Render::set_blending(true);
}

void Active::paste(int collision_type)
{
    if (!image || !layer)
        return;
    layer->paste(image, x - image->hotspot_x, y - image->hotspot_y, 0, 0, image->width, image->height,
                 collision_type, blend_color);
}

// Replacing a frame image --------------------------------------------------------------------------

void Active::load(const std::string& path, int anim, int dir, int frame_index, int hot_x, int hot_y,
                  int act_x, int act_y, TransparentColor transparent)
{
    if (!has_animation(anim) || dir < 0 || dir > 31)
        return;
    Direction* record = animations->list[anim]->dirs[dir];
    if (!record || !record->frames || frame_index < 0 || frame_index >= record->frame_count)
        return;
    Image* loaded = get_image_cache(convert_path(path), hot_x, hot_y, act_x, act_y, transparent);
    if (!loaded) {
        OSReport("Could not load image %s\n", printable_text(path).c_str());
        return;
    }
    loaded->hotspot_x = int16_t(image_coordinate(hot_x, loaded->width));
    loaded->hotspot_y = int16_t(image_coordinate(hot_y, loaded->height));
    loaded->action_x = int16_t(image_coordinate(act_x, loaded->width));
    loaded->action_y = int16_t(image_coordinate(act_y, loaded->height));
    if (record->frames[frame_index] == loaded)
        return;
    // The old image belongs to the image table or the file-image cache, which
    // may hand it out again: only this slot's reference to it goes.
    loaded->upload_texture();
    record->frames[frame_index] = loaded;

    Frame* running = manager.frame;
    if (!running || id < 0 || id >= max_object_types)
        return;
    ObjectList& list = running->instances[id];
    for (int i = 1; i < list.count(); ++i) {
        Active* instance = static_cast<Active*>(list.items[size_t(i)].obj);
        instance->image = nullptr;
        instance->update_frame();
    }
}

// The default instance -------------------------------------------------------------------------------

DefaultActive::DefaultActive() : Active(0, 0, 0)
{
    setup_default_instance(this);
    collision = new InstanceBox(this);
    create_alterables();
}

DefaultActive::~DefaultActive()
{
    delete collision;
    collision = nullptr;
}

DefaultActive default_active;
