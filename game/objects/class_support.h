// What the generated object classes call (game/objects/classes.h, made by
// tools/generators/objects.py from classes.tsv and animations.tsv): the
// recipe steps that many classes share, the class statics they fill once per
// run, the records of the objects kept across frames, and the movements a
// constructor attaches.
#pragma once

#include "graphics/color.h"
#include "objects/active.h"
#include "objects/advdir.h"
#include "objects/arrayext.h"
#include "objects/backdrop.h"
#include "objects/counter.h"
#include "objects/layerext.h"
#include "objects/quickbackdrop.h"
#include "objects/steamext.h"
#include "objects/stringparser.h"
#include "objects/systembox.h"
#include "objects/text.h"
#include "objects/textblitter.h"
#include "objects/windowcontrol.h"
#include "runtime/values.h"

#include <cstdint>
#include <string>

class Image;

// A handle the class table leaves unassigned.
constexpr uint16_t unassigned_handle = 0xFFFF;

// The asset image of a handle. An unassigned handle gets one transparent
// pixel of our own: the runtime's empty image would load asset image 0 the
// first time something asks it to load.
Image* class_image(uint16_t handle);

// Fills a class's image array, one image per handle, on the first call of
// the run only.
void fetch_images(bool& fetched, Image** images, const uint16_t* handles, int count);

// Sprites -------------------------------------------------------------------

// The statics of one sprite class.
struct SpriteClass {
    Animations* animations;
    Image** images;  // every frame of every record, in table order
    const uint16_t* handles;
    int image_count;
    int initial_animation;
    int active_flags;
    bool box_collision;
    bool images_fetched;
};

// The sprite recipe from the animations to initialize_active: the class's
// animations, its frame images (first construction only), the initial
// animation, the active flags, and the collision mode.
void set_up_sprite(Active& sprite, SpriteClass& sprite_class);

// The values a global sprite class keeps from frame to frame.
struct SavedAlterables {
    bool initialised = false;
    Alterables values;
};

// Points the instance's alterables at the class's kept block (flag 32, so the
// block never goes back to the pool). True on the first construction of the
// run: the caller then writes the class's start values.
bool keep_alterables(FrameObject& object, SavedAlterables& saved);

// Counters ------------------------------------------------------------------

// The image table of a counter class that draws (display type 1 or 3).
struct CounterImages {
    Image** images;
    const uint16_t* handles;
    int count;
    bool filled;
};

// Fills the class's table on its first construction and shows it.
void set_counter_images(Counter& counter, CounterImages& table);

// The value of a global counter class, saved whenever an instance goes.
struct SavedCounterValue {
    bool saved = false;
    double value = 0.0;
};

// The value a new instance of a global counter starts from.
double kept_counter_value(const SavedCounterValue& saved, double initial);
void save_counter_value(const Counter& counter, SavedCounterValue& saved);

// Text blitters -------------------------------------------------------------

// The character table of a text blitter class.
struct BlitterClass {
    int charmap_table[256];
    bool initialised;
};

// The one character map of every generated text blitter: the printable
// characters from space to '~', so a character's cell is its code - 32.
const std::string& blitter_charmap();

// The blitter recipe up to its text: the 8 x 20 cell grid, the rectangle and
// alignment, the font image, the class's character table (built on the
// first construction) and the drawing settings.
void set_up_blitter(TextBlitter& blitter, BlitterClass& blitter_class, int width, int height,
                    int alignment, uint16_t image);

// Boxes and backdrops -------------------------------------------------------

// The box recipe: a background object of the size showing the image tiled,
// with an empty text and fresh alterables.
void set_up_box(SystemBox& box, int width, int height, uint16_t image);

enum class BackdropShape { none, box, ladder, mask };

// The backdrop recipe: a background object of its image's size with the
// class's collision shape.
void set_up_backdrop(Backdrop& backdrop, uint16_t image, BackdropShape shape);

// Movements -----------------------------------------------------------------

enum class MovementKind { static_movement, ball, pinball, vector };

struct MovementSetting {
    MovementKind kind;
    int max_speed = 0;
    int deceleration = 0;
    int gravity = 0;      // pinball only
    bool at_once = true;  // starts when initialised
};

// One movement, the current one without an array; configured, then initialised.
void add_movement(FrameObject& object, const MovementSetting& setting);
// Two movements in an array of two; the second is configured, the first made
// current (and so initialised).
void add_movements(FrameObject& object, const MovementSetting& first, const MovementSetting& second);
