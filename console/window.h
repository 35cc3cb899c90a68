// The host window behind the graphics library: one SDL window with an
// OpenGL 3.3 core context. With --headless it runs on SDL's offscreen video
// driver (a real GL context, no display server) and nothing paces the loop.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Opens the window and makes its context current; false (one console line)
// when no context can be had. Registers the process-UI event pump.
bool window_open();
bool window_is_headless();
// Shows a top-row-first framebuffer of width x height scaled to fit the
// window with nearest-pixel scaling.
void window_present(uint32_t gl_framebuffer, int width, int height);
// In a windowed run, waits until 1/60 s has passed since the last picture.
void window_pace();
// Pumps SDL's events once; a window close asks the process to exit.
void window_pump_events();
// Tests: queues the event that the window's close button sends.
void window_post_close();

// Picture capture (--capture DIR, --capture-every N): picture number n of
// the TV is written as DIR/tv_NNNNNN.png when n is a multiple of N.
bool capture_wanted(uint64_t picture);
std::string capture_path(const std::string& dir, uint64_t picture);
// Writes top-row-first RGBA pixels as a PNG file; false on failure.
bool capture_write_png(const std::string& path, const std::vector<uint8_t>& rgba, int width,
                       int height);
