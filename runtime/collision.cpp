#include "runtime/collision.h"

#include "base/saturate.h"
#include "graphics/image.h"
#include "graphics/render.h"
#include "runtime/frameobject.h"
#include "runtime/layer.h"
#include "runtime/lists.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
int clamp32(int64_t value)
{
    return int(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

int trunc_float(float value)
{
    return saturate_to_int(double(value));
}

// A factor of the inverse transform; false when it does not fit 32 bits
// (a scale of 0, or one so small that the fixed-point products overflow).
bool fixed_factor(float value, int& out)
{
    const float scaled = value * 32768.0f;
    if (!(std::fabs(scaled) < 2147483648.0f))
        return false;
    out = int(scaled);
    return true;
}
}  // namespace

PointCollision::PointCollision(int x, int y) : CollisionBase(POINT_COLLISION, BOX_COLLISION)
{
    aabb[0] = x;
    aabb[1] = y;
    aabb[2] = x + 1;
    aabb[3] = y + 1;
}

// Instance shapes ----------------------------------------------------------------

InstanceCollision::InstanceCollision(FrameObject* instance, CollisionType type, int flags)
    : CollisionBase(type, flags), instance(instance)
{
}

InstanceCollision::~InstanceCollision()
{
    remove_proxy();
}

void InstanceCollision::create_proxy()
{
    if (proxy == -1)
        proxy = instance->layer->grid.add(instance, aabb);
}

void InstanceCollision::create_static_proxy()
{
    if (proxy == -1)
        proxy = instance->layer->grid.add_static(instance, aabb);
}

void InstanceCollision::remove_proxy()
{
    if (proxy == -1)
        return;
    instance->layer->grid.remove(proxy);
    proxy = -1;
}

void InstanceCollision::update_proxy()
{
    instance->flags &= ~uint32_t(FrameObject::HAS_COLLISION_CACHE);
    if (proxy != -1)
        instance->layer->grid.move(proxy, aabb);
}

void InstanceCollision::move_box(int dx, int dy)
{
    aabb[0] += dx;
    aabb[1] += dy;
    aabb[2] += dx;
    aabb[3] += dy;
    update_proxy();
}

InstanceBox::InstanceBox(FrameObject* instance) : InstanceCollision(instance, INSTANCE_BOX, BOX_COLLISION)
{
}

void InstanceBox::update_aabb()
{
    aabb[0] = instance->x;
    aabb[1] = instance->y;
    aabb[2] = instance->x + instance->width;
    aabb[3] = instance->y + instance->height;
    update_proxy();
}

OffsetInstanceBox::OffsetInstanceBox(FrameObject* instance)
    : InstanceCollision(instance, INSTANCE_BOX, BOX_COLLISION)
{
}

void OffsetInstanceBox::set_offset(int x, int y)
{
    off_x = x;
    off_y = y;
    update_aabb();
}

void OffsetInstanceBox::update_aabb()
{
    aabb[0] = instance->x + off_x;
    aabb[1] = instance->y + off_y;
    aabb[2] = aabb[0] + instance->width;
    aabb[3] = aabb[1] + instance->height;
    update_proxy();
}

BackdropCollision::BackdropCollision(FrameObject* instance, Image* image)
    : InstanceCollision(instance, BACKDROP_COLLISION, 0), image(image)
{
}

void BackdropCollision::update_aabb()
{
    aabb[0] = instance->x;
    aabb[1] = instance->y;
    aabb[2] = instance->x + (image ? image->width : 0);
    aabb[3] = instance->y + (image ? image->height : 0);
    update_proxy();
}

// The sprite shape ----------------------------------------------------------------

SpriteCollision::SpriteCollision(FrameObject* instance) : InstanceCollision(instance, SPRITE_COLLISION, 0)
{
}

namespace {
// Quarter turns get exact factors; every other angle goes through cosf and sinf.
struct QuarterTurn {
    int angle;
    float co, si;
};
constexpr QuarterTurn quarter_turns[] = {{0, 1.0f, 0.0f}, {90, 0.0f, 1.0f}, {180, -1.0f, 0.0f}, {270, 0.0f, -1.0f}};
}  // namespace

void SpriteCollision::set_angle(int new_angle)
{
    angle = new_angle;
    const float radians = float(new_angle / 57.29577951308232);
    co = std::cos(radians);
    si = std::sin(radians);
    for (const QuarterTurn& turn : quarter_turns) {
        if (turn.angle == new_angle) {
            co = turn.co;
            si = turn.si;
        }
    }
    update_transform();
}

void transform_rect(float w, float h, float co, float si, int& x1, int& y1, int& x2, int& y2)
{
    const auto corners = [&](float left, float top, float right, float bottom) {
        x1 = trunc_float(left);
        y1 = trunc_float(top);
        x2 = trunc_float(right);
        y2 = trunc_float(bottom);
    };
    if (co < 0.0f && si < 0.0f)
        corners(w * co + h * si, h * co, 0.0f, -w * si);
    else if (co < 0.0f)
        corners(w * co, h * co - w * si, h * si, 0.0f);
    else if (si < 0.0f)
        corners(h * si, 0.0f, w * co, h * co - w * si);
    else
        corners(0.0f, -w * si, w * co + h * si, h * co);
}

void SpriteCollision::update_transform()
{
    const int w = image ? image->width : 0, h = image ? image->height : 0;
    if (x_scale == 1.0f && y_scale == 1.0f && angle == 0) {
        x_offset = y_offset = 0;
        width = w;
        height = h;
        new_hotspot_x = hotspot_x;
        new_hotspot_y = hotspot_y;
        if (type != NONE_COLLISION)
            type = (flags & BOX_COLLISION) ? SPRITE_BOX : SPRITE_COLLISION;
        update_aabb();
        return;
    }
    if (type != NONE_COLLISION)
        type = TRANSFORM_SPRITE_COLLISION;
    const float ix = 1.0f / x_scale, iy = 1.0f / y_scale;
    int factors[4] = {};
    const bool usable = x_scale > 0.0f && y_scale > 0.0f && std::isfinite(x_scale) && std::isfinite(y_scale) &&
                        fixed_factor(co * ix, factors[0]) && fixed_factor(si * ix, factors[1]) &&
                        fixed_factor(co * iy, factors[2]) && fixed_factor(si * iy, factors[3]);
    if (!usable) {
        // Nothing of the image is left to test: an empty shape at the hot spot.
        std::fill(transform, transform + 4, 0);
        x_offset = y_offset = width = height = new_hotspot_x = new_hotspot_y = 0;
        update_aabb();
        return;
    }
    std::copy(factors, factors + 4, transform);
    if (angle == 0) {
        transform[1] = transform[3] = 0;
        new_hotspot_x = trunc_float(float(hotspot_x) * x_scale);
        new_hotspot_y = trunc_float(float(hotspot_y) * y_scale);
        width = trunc_float(float(w) * x_scale);
        height = trunc_float(float(h) * y_scale);
        x_offset = y_offset = 0;
    } else {
        int x1, y1, x2, y2;
        transform_rect(float(w) * x_scale, float(h) * y_scale, co, si, x1, y1, x2, y2);
        x_offset = x1;
        y_offset = y1;
        width = clamp32(int64_t(x2) - x1);
        height = clamp32(int64_t(y2) - y1);
        const float hx = float(hotspot_x) * x_scale, hy = float(hotspot_y) * y_scale;
        new_hotspot_x = clamp32(int64_t(trunc_float(hx * co + hy * si)) - x1);
        new_hotspot_y = clamp32(int64_t(trunc_float(hy * co - hx * si)) - y1);
    }
    update_aabb();
}

void SpriteCollision::update_aabb()
{
    aabb[0] = clamp32(int64_t(instance->x) - new_hotspot_x);
    aabb[1] = clamp32(int64_t(instance->y) - new_hotspot_y);
    aabb[2] = clamp32(int64_t(aabb[0]) + width);
    aabb[3] = clamp32(int64_t(aabb[1]) + height);
    update_proxy();
}

void SpriteCollision::get_transform(int x, int y, int& out_x, int& out_y) const
{
    if (type == SPRITE_COLLISION) {
        out_x = x;
        out_y = y;
        return;
    }
    const float sx = float(x) * x_scale, sy = float(y) * y_scale;
    out_x = clamp32(int64_t(trunc_float(sx * co + sy * si)) - x_offset);
    out_y = clamp32(int64_t(trunc_float(sy * co - sx * si)) - y_offset);
}

// Pasted background items ------------------------------------------------------------

BackgroundItem::BackgroundItem(Image* image, int x, int y, int src_x, int src_y, int width, int height,
                               const Color& color)
    : CollisionBase(BACKGROUND_ITEM, 0), dest_x(x), dest_y(y), src_x(src_x), src_y(src_y), width(width),
      height(height), color(color), image(image)
{
    aabb[0] = x;
    aabb[1] = y;
    aabb[2] = x + width;
    aabb[3] = y + height;
}

// Pixel samplers ------------------------------------------------------------------

namespace {
// A pixel outside the image never counts, whatever box it was reached from.
bool solid_pixel(const Image* image, int64_t px, int64_t py)
{
    if (!image || px < 0 || py < 0 || px >= image->width || py >= image->height)
        return false;
    if (image->texture != 0)
        return (platform_get_texture_pixel(image->texture, int(px), int(py)) >> 24) != 0;
    if (!image->pixels)
        return false;
    return image->pixels[(size_t(py) * size_t(image->width) + size_t(px)) * 4 + 3] != 0;
}

const Image* shape_image(const CollisionBase* s)
{
    if (s->type == BACKDROP_COLLISION)
        return static_cast<const BackdropCollision*>(s)->image;
    return static_cast<const SpriteCollision*>(s)->image;
}

// The point (x, y) of an untransformed mask shape's box.
struct MaskSampler {
    const Image* image;
    int dx, dy;

    explicit MaskSampler(const CollisionBase* s) : image(shape_image(s)), dx(0), dy(0) {}
    MaskSampler(const Image* image, int dx, int dy) : image(image), dx(dx), dy(dy) {}
    bool operator()(int x, int y) const { return solid_pixel(image, int64_t(x) + dx, int64_t(y) + dy); }
};

MaskSampler background_sampler(const CollisionBase* s)
{
    const auto* item = static_cast<const BackgroundItem*>(s);
    return MaskSampler(item->image, item->src_x, item->src_y);
}

// The point (x, y) of a transformed sprite's box, mapped back into its image.
struct TransformSampler {
    const SpriteCollision* s;

    bool operator()(int x, int y) const
    {
        // 64-bit products: tiny scales give factors near the 32-bit limit.
        const int64_t X = int64_t(x) + s->x_offset, Y = int64_t(y) + s->y_offset;
        const int64_t px = (X * s->transform[0] - Y * s->transform[1]) / 32768;
        const int64_t py = (Y * s->transform[2] + X * s->transform[3]) / 32768;
        const Image* image = s->image;
        if (!image || px < 0 || py < 0 || px >= image->width || py >= image->height)
            return false;
        return (s->flags & BOX_COLLISION) || solid_pixel(image, px, py);
    }
};

TransformSampler tsprite_sampler(const CollisionBase* s)
{
    return TransformSampler{static_cast<const SpriteCollision*>(s)};
}

template <class Sampler>
bool scan_box(const Sampler& sample, int w, int h, int x, int y)
{
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            if (sample(x + i, y + j))
                return true;
        }
    }
    return false;
}

template <class SamplerA, class SamplerB>
bool scan_pair(const SamplerA& a, const SamplerB& b, int w, int h, int ax, int ay, int bx, int by)
{
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            if (a(ax + i, ay + j) && b(bx + i, by + j))
                return true;
        }
    }
    return false;
}
}  // namespace

// Kernels ---------------------------------------------------------------------------

bool collide_backdrop_box(const CollisionBase* s, int w, int h, int x, int y)
{
    return scan_box(MaskSampler(s), w, h, x, y);
}

bool collide_sprite_box(const CollisionBase* s, int w, int h, int x, int y)
{
    return scan_box(MaskSampler(s), w, h, x, y);
}

bool collide_background_box(const CollisionBase* s, int w, int h, int x, int y)
{
    return scan_box(background_sampler(s), w, h, x, y);
}

bool collide_tsprite_box(const CollisionBase* s, int w, int h, int x, int y)
{
    return scan_box(tsprite_sampler(s), w, h, x, y);
}

bool collide_sprite_sprite(const CollisionBase* a, const CollisionBase* b, int w, int h, int ax, int ay, int bx,
                           int by)
{
    return scan_pair(MaskSampler(a), MaskSampler(b), w, h, ax, ay, bx, by);
}

bool collide_sprite_backdrop(const CollisionBase* a, const CollisionBase* b, int w, int h, int ax, int ay, int bx,
                             int by)
{
    return scan_pair(MaskSampler(a), MaskSampler(b), w, h, ax, ay, bx, by);
}

bool collide_sprite_background(const CollisionBase* a, const CollisionBase* b, int w, int h, int ax, int ay,
                               int bx, int by)
{
    return scan_pair(MaskSampler(a), background_sampler(b), w, h, ax, ay, bx, by);
}

bool collide_sprite_tsprite(const CollisionBase* a, const CollisionBase* b, int w, int h, int ax, int ay, int bx,
                            int by)
{
    return scan_pair(MaskSampler(a), tsprite_sampler(b), w, h, ax, ay, bx, by);
}

bool collide_tsprite_backdrop(const CollisionBase* a, const CollisionBase* b, int w, int h, int ax, int ay, int bx,
                              int by)
{
    return scan_pair(tsprite_sampler(a), MaskSampler(b), w, h, ax, ay, bx, by);
}

bool collide_tsprite_background(const CollisionBase* a, const CollisionBase* b, int w, int h, int ax, int ay,
                                int bx, int by)
{
    return scan_pair(tsprite_sampler(a), background_sampler(b), w, h, ax, ay, bx, by);
}

bool collide_tsprite_tsprite(const CollisionBase* a, const CollisionBase* b, int w, int h, int ax, int ay, int bx,
                             int by)
{
    return scan_pair(tsprite_sampler(a), tsprite_sampler(b), w, h, ax, ay, bx, by);
}

namespace {
// The kernel family of a kind: boxes (0, 5, 6, 7) and the four mask kinds.
enum Family { BOX, BACKDROP, BACKGROUND, SPRITE, TSPRITE };

Family family_of(CollisionType type)
{
    switch (type) {
    case BACKDROP_COLLISION: return BACKDROP;
    case BACKGROUND_ITEM: return BACKGROUND;
    case SPRITE_COLLISION: return SPRITE;
    case TRANSFORM_SPRITE_COLLISION: return TSPRITE;
    default: return BOX;
    }
}

using BoxKernel = bool (*)(const CollisionBase*, int, int, int, int);
using PairKernel = bool (*)(const CollisionBase*, const CollisionBase*, int, int, int, int, int, int);

// How a pair of kinds is tested: a box kernel on a or b, or a pair kernel
// with its arguments in order (a, b) or swapped (b, a).
struct Dispatch {
    enum { ALWAYS, BOX_A, BOX_B, PAIR, PAIR_SWAPPED } how;
    BoxKernel box;
    PairKernel pair;
};

// Rows: a's family; columns: b's family (box, backdrop, background, sprite, tsprite).
const Dispatch dispatch_table[5][5] = {
    {{Dispatch::ALWAYS, nullptr, nullptr},
     {Dispatch::BOX_B, collide_backdrop_box, nullptr},
     {Dispatch::BOX_B, collide_background_box, nullptr},
     {Dispatch::BOX_B, collide_sprite_box, nullptr},
     {Dispatch::BOX_B, collide_tsprite_box, nullptr}},
    {{Dispatch::BOX_A, collide_backdrop_box, nullptr},
     {Dispatch::BOX_A, collide_backdrop_box, nullptr},
     {Dispatch::BOX_A, collide_backdrop_box, nullptr},
     {Dispatch::PAIR_SWAPPED, nullptr, collide_sprite_backdrop},
     {Dispatch::PAIR_SWAPPED, nullptr, collide_tsprite_backdrop}},
    {{Dispatch::BOX_A, collide_background_box, nullptr},
     {Dispatch::BOX_A, collide_background_box, nullptr},
     {Dispatch::BOX_A, collide_background_box, nullptr},
     {Dispatch::PAIR_SWAPPED, nullptr, collide_sprite_background},
     {Dispatch::PAIR_SWAPPED, nullptr, collide_tsprite_background}},
    {{Dispatch::BOX_A, collide_sprite_box, nullptr},
     {Dispatch::PAIR, nullptr, collide_sprite_backdrop},
     {Dispatch::PAIR, nullptr, collide_sprite_background},
     {Dispatch::PAIR, nullptr, collide_sprite_sprite},
     {Dispatch::PAIR, nullptr, collide_sprite_tsprite}},
    {{Dispatch::BOX_A, collide_tsprite_box, nullptr},
     {Dispatch::PAIR, nullptr, collide_tsprite_backdrop},
     {Dispatch::PAIR, nullptr, collide_tsprite_background},
     {Dispatch::PAIR_SWAPPED, nullptr, collide_sprite_tsprite},
     {Dispatch::PAIR, nullptr, collide_tsprite_tsprite}},
};
}  // namespace

bool collide_direct(const CollisionBase* a, const CollisionBase* b, const int* r)
{
    const int ix1 = std::max(r[0], a->aabb[0]), iy1 = std::max(r[1], a->aabb[1]);
    const int ix2 = std::min(a->aabb[2], r[2]), iy2 = std::min(a->aabb[3], r[3]);
    // Also rejects an empty box inside the other one (a sprite scaled to 0).
    if (ix1 >= ix2 || iy1 >= iy2)
        return false;
    // A turned or scaled box-only sprite still overlaps as its turned
    // rectangle, not as its bounding box: its kernel decides.
    if ((a->flags & BOX_COLLISION) && (b->flags & BOX_COLLISION) && a->type != TRANSFORM_SPRITE_COLLISION &&
        b->type != TRANSFORM_SPRITE_COLLISION)
        return true;
    // Saturated boxes (huge scales) must not overflow the differences.
    const int w = clamp32(int64_t(ix2) - ix1), h = clamp32(int64_t(iy2) - iy1);
    const int ax = clamp32(int64_t(ix1) - a->aabb[0]), ay = clamp32(int64_t(iy1) - a->aabb[1]);
    const int bx = clamp32(int64_t(ix1) - r[0]), by = clamp32(int64_t(iy1) - r[1]);
    const Dispatch& d = dispatch_table[family_of(a->type)][family_of(b->type)];
    switch (d.how) {
    case Dispatch::ALWAYS: return true;
    case Dispatch::BOX_A: return d.box(a, w, h, ax, ay);
    case Dispatch::BOX_B: return d.box(b, w, h, bx, by);
    case Dispatch::PAIR: return d.pair(a, b, w, h, ax, ay, bx, by);
    case Dispatch::PAIR_SWAPPED: return d.pair(b, a, w, h, bx, by, ax, ay);
    }
    return false;
}

// Selection tests ---------------------------------------------------------------------

namespace {
// A side of a selection test: one object list or an object group, with one
// mark per instance (the group's lists numbered one after another).
struct ListSide {
    ObjectList& list;
    using Iterator = ObjectIterator;

    int total() const { return list.size(); }
    bool has_selection() const { return list.has_selection(); }
    Iterator begin() const { return ObjectIterator(list); }
    int mark_index(const Iterator& it) const { return it.current - 1; }
};

struct GroupSide {
    QualifierList& group;
    using Iterator = QualifierIterator;

    int total() const { return group.size(); }
    bool has_selection() const { return group.has_selection(); }
    Iterator begin() const { return QualifierIterator(group); }
    int mark_index(const Iterator& it) const
    {
        int base = 0;
        for (int i = 0; i < it.list_index; ++i)
            base += group.lists[i]->size();
        return base + it.current - 1;
    }
};

// Reused between calls so that the conditions allocate nothing once grown.
std::vector<uint8_t> overlap_marks;

// The outer side is scanned against the marked side; a_is_outer tells which
// of them holds the A instances, whose overlaps is called with the B one.
template <class Outer, class Marked>
bool overlap_impl(Outer outer, Marked marked, bool a_is_outer)
{
    if (marked.total() == 0 || !outer.has_selection())
        return false;
    overlap_marks.assign(size_t(marked.total()), 0);
    bool any = false;
    for (auto o = outer.begin(); !o.done(); ++o) {
        FrameObject* first = *o;
        if (!first->collision) {
            o.deselect();
            continue;
        }
        bool hit = false;
        for (auto m = marked.begin(); !m.done(); ++m) {
            FrameObject* second = *m;
            if (!second->collision) {
                m.deselect();
                continue;
            }
            if (a_is_outer ? first->overlaps(second) : second->overlaps(first)) {
                overlap_marks[size_t(marked.mark_index(m))] = 1;
                hit = true;
            }
        }
        if (hit)
            any = true;
        else
            o.deselect();
    }
    if (!any)
        return false;
    for (auto m = marked.begin(); !m.done(); ++m) {
        if (!overlap_marks[size_t(marked.mark_index(m))])
            m.deselect();
    }
    return true;
}

// Every B instance, selected or not, against each selected A instance.
bool check_not_overlap_impl(ObjectList& a, ObjectList& b, bool& tested)
{
    for (ObjectIterator it(a); !it.done(); ++it) {
        FrameObject* first = *it;
        if (!first->collision)
            continue;
        for (int k = 1; k < b.count(); ++k) {
            tested = true;
            if (first->overlaps(b.items[size_t(k)].obj))
                return false;
        }
    }
    return true;
}
}  // namespace

bool check_overlap(ObjectList& a, ObjectList& b)
{
    return overlap_impl(ListSide{a}, ListSide{b}, true);
}

bool check_overlap(QualifierList& a, ObjectList& b)
{
    return overlap_impl(ListSide{b}, GroupSide{a}, false);
}

bool check_overlap(ObjectList& a, QualifierList& b)
{
    return overlap_impl(ListSide{a}, GroupSide{b}, true);
}

bool check_overlap(QualifierList& a, QualifierList& b)
{
    return overlap_impl(GroupSide{b}, GroupSide{a}, false);
}

bool check_not_overlap(ObjectList& a, ObjectList& b)
{
    bool tested = false;
    if (!check_not_overlap_impl(a, b, tested))
        return false;
    return tested;
}

bool check_not_overlap(ObjectList& a, QualifierList& b)
{
    if (b.count == 0)
        return false;
    bool tested = false;
    for (int i = 0; i < b.count; ++i) {
        if (!check_not_overlap_impl(a, *b.lists[i], tested))
            return false;
    }
    return tested;
}
