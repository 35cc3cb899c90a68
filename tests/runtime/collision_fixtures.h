// Images with alpha masks drawn from text, and instances carrying the
// collision shapes, for the collision, grid and layer tests.
#pragma once

#include "graphics/image.h"
#include "runtime/collision.h"
#include "tests/runtime/runtime_fixtures.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

// An image of a given size with every pixel grey at the given alpha.
inline Image* make_filled_image(int w, int h, uint8_t alpha, int hot_x = 0, int hot_y = 0)
{
    Image* image = new Image(hot_x, hot_y, 0, 0);
    image->width = int16_t(w);
    image->height = int16_t(h);
    image->pixels = static_cast<uint8_t*>(std::calloc(size_t(w * h) * 4 + 1, 1));
    for (int i = 0; i < w * h; ++i) {
        uint8_t* texel = image->pixels + size_t(i) * 4;
        texel[0] = texel[1] = texel[2] = 200;
        texel[3] = alpha;
    }
    return image;
}

// An image whose pixel is solid where the row text has '#'; every other
// character is a transparent pixel.
inline Image* make_mask_image(std::initializer_list<const char*> rows, int hot_x = 0, int hot_y = 0)
{
    const int h = int(rows.size());
    const int w = h ? int(std::strlen(*rows.begin())) : 0;
    Image* image = make_filled_image(w, h, 0, hot_x, hot_y);
    int i = 0;
    for (const char* row : rows) {
        for (int x = 0; x < w; ++x, ++i)
            image->pixels[size_t(i) * 4 + 3] = row[x] == '#' ? 255 : 0;
    }
    return image;
}

// A sprite shape of an instance standing at (x, y) with no layer grid,
// scaled by `scale` on both axes.
struct Sprite {
    FrameObject owner;
    SpriteCollision shape{&owner};
    Sprite(Image* image, int x, int y, float scale = 1.0f) : owner(x, y, 3)
    {
        owner.layer = &default_layer();
        owner.collision = &shape;
        shape.image = image;
        shape.hotspot_x = image->hotspot_x;
        shape.hotspot_y = image->hotspot_y;
        shape.x_scale = shape.y_scale = scale;
        shape.update_transform();
    }
    ~Sprite() { owner.collision = nullptr; }
    void move_to(int x, int y)
    {
        owner.x = x;
        owner.y = y;
        shape.update_aabb();
    }
};

// An instance with a sprite shape over an image.
class SpriteInstance : public FrameObject {
public:
    SpriteCollision sprite{this};
    SpriteInstance(int x, int y, int type_id, Image* image) : FrameObject(x, y, type_id)
    {
        collision = &sprite;
        set_image(image);
    }
    ~SpriteInstance() override { collision = nullptr; }
    void set_image(Image* image)
    {
        sprite.image = image;
        sprite.hotspot_x = image ? image->hotspot_x : 0;
        sprite.hotspot_y = image ? image->hotspot_y : 0;
        width = image ? image->width : 0;
        height = image ? image->height : 0;
        sprite.update_transform();
    }
    void dealloc() override
    {
        this->~SpriteInstance();
        object_pool<SpriteInstance>.destroy(this);
    }
};

inline SpriteInstance* make_sprite(int x, int y, int type_id, Image* image)
{
    return new (object_pool<SpriteInstance>.create()) SpriteInstance(x, y, type_id, image);
}

// An instance with a backdrop shape over an image.
class BackdropInstance : public FrameObject {
public:
    BackdropCollision shape;
    BackdropInstance(int x, int y, int type_id, Image* image) : FrameObject(x, y, type_id), shape(this, image)
    {
        collision = &shape;
        width = image->width;
        height = image->height;
    }
    ~BackdropInstance() override { collision = nullptr; }
    void dealloc() override
    {
        this->~BackdropInstance();
        object_pool<BackdropInstance>.destroy(this);
    }
};

inline BackdropInstance* make_backdrop(int x, int y, int type_id, Image* image)
{
    return new (object_pool<BackdropInstance>.create()) BackdropInstance(x, y, type_id, image);
}
