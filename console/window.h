// The host window behind the graphics library. Every finished TV picture
// goes to a window driver chosen once, when the window opens: an SDL window
// with an OpenGL 3.3 core context, paced at 60 pictures a second; under
// --headless an offscreen context (SDL's offscreen video driver, no display
// server) that shows and paces nothing; with --capture either one wrapped in
// a driver that also writes the pictures as PNG files.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One finished TV picture.
struct SwapPicture {
    uint64_t number;       // pictures swapped before this one
    uint32_t framebuffer;  // the GL framebuffer that holds it, top row first
    int width;
    int height;
    bool shown;                             // the TV output is on
    std::vector<uint8_t> (*read_pixels)();  // its RGBA pixels, top row first
    // The shape it is shown with: the TV picture's, which a smaller logical
    // picture stands for; 0 is its own.
    int shape_width = 0;
    int shape_height = 0;
};

// Where a window of target_width x target_height shows a picture: scaled to
// fit with its shape, centred; the rest stays black.
struct WindowRect {
    int x, y, width, height;
    bool operator==(const WindowRect&) const = default;
};
WindowRect window_picture_rect(int target_width, int target_height, const SwapPicture& picture);

class WindowDriver {
public:
    virtual ~WindowDriver() = default;
    // Shows, paces or writes one finished picture.
    virtual void swap(const SwapPicture& picture) = 0;
    // Whether picture `number` will be looked at (shown or written); the
    // others need not be made at all.
    virtual bool wants(uint64_t number, bool shown) const = 0;
    // Whether it must be the full-size TV picture; a driver that scales what
    // it shows anyway can take the picture at its logical size.
    virtual bool wants_full_size(uint64_t number, bool shown) const { return wants(number, shown); }
    // Pumps the host's events; a window close asks the process to exit.
    virtual void pump_events() {}
    // Waits until every picture handed over is written (capture).
    virtual void flush() {}
    // The end of the run: a closing line about what was written, if any.
    virtual void finish() {}
    virtual bool headless() const = 0;
    // The process is ending: ends the GL context and every worker thread.
    virtual void close_context() {}
};

// Opens the window and makes its context current, choosing the driver from
// the run options; false (one console line) when no context can be had. A
// windowed run never falls back to an invisible one: without a display it
// fails and says that --headless exists. Registers the process-UI event pump.
bool window_open();
bool window_is_headless();
void window_swap(const SwapPicture& picture);
bool window_wants_picture(uint64_t number, bool shown);
bool window_wants_full_size(uint64_t number, bool shown);
void window_finish();
void window_pump_events();
// Tests: queues the event that the window's close button sends.
void window_post_close();

// Picture capture (--capture DIR, --capture-every N): picture number n is
// written as DIR/tv_NNNNNN.png when n is a multiple of N. The first picture
// that cannot be written is reported, capture stops and the run fails.
// Wraps the driver in use in a capture driver, in place of any earlier one;
// an empty `dir` captures nothing. window_open chooses from the run options.
void window_set_capture(const std::string& dir, long every);
std::unique_ptr<WindowDriver> make_capture_driver(std::unique_ptr<WindowDriver> inner,
                                                  const std::string& dir, long every);
std::string capture_path(const std::string& dir, uint64_t picture);
