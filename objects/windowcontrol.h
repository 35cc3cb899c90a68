// Window queries and changes: the console has one fixed screen, so the
// queries answer its sizes and the changes are only logged.
#pragma once

#include "runtime/frameobject.h"

class WindowControl : public FrameObject {
public:
    WindowControl(int x, int y, int type_id);
    ~WindowControl() override;
    void dealloc() override;

    static int get_x() { return 0; }
    static int get_y() { return 0; }
    static void set_x(int) {}
    static void set_y(int) {}
    static void set_position(int, int) {}
    static bool is_maximized() { return false; }
    static bool has_focus();
    static void set_focus(bool focus);
    static int get_width();
    static int get_height();
    static int get_screen_width();
    static int get_screen_height();
    static void set_width(int width);
    static void set_height(int height);
    static void set_placement(int placement);
    static void set_visible(bool visible);
    static void maximize();
    static void restore();
    static void minimize();
};
