// A rectangle showing one image: tiled, centred or at its top-left corner.
// Caption, fill and borders are kept for the events but not drawn.
#pragma once

#include "graphics/color.h"
#include "runtime/frameobject.h"

#include <string>

class Image;

class SystemBox : public FrameObject {
public:
    enum ImageMode { TILED = 0, CENTERED = 1, TOP_LEFT = 2 };

    Image* image = nullptr;
    int image_mode = TILED;
    std::string text;

    SystemBox(int x, int y, int type_id);
    ~SystemBox() override;
    void dealloc() override;
    void draw() override;

    void set_text(const std::string& value);
    void set_size(int w, int h);
    void set_fill(Color) {}
    void set_border_1(Color) {}
    void set_border_2(Color) {}
    void hide_fill() {}
    void hide_border_1() {}
    void hide_border_2() {}

private:
    void draw_at(int left, int top);
};

// The kind's stand-in for a type without instances.
class DefaultInstance : public SystemBox {
public:
    DefaultInstance();
    ~DefaultInstance() override = default;
};

extern DefaultInstance default_instance;
