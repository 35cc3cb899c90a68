#include "console/window.h"

#include "console/options.h"
#include "console/os.h"
#include "console/procui.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

constexpr int window_width = 960;
constexpr int window_height = 540;
constexpr double picture_seconds = 1.0 / 60.0;

struct Window {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    bool headless = false;
    uint64_t next_picture = 0;  // performance-counter time of the next paced picture
};

Window host;

bool create_window(bool headless)
{
    if (headless)
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return false;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    const Uint32 flags = SDL_WINDOW_OPENGL | (headless ? SDL_WINDOW_HIDDEN : SDL_WINDOW_RESIZABLE);
    host.window = SDL_CreateWindow("Quorvella - Rored Azezara", SDL_WINDOWPOS_CENTERED,
                                   SDL_WINDOWPOS_CENTERED, window_width, window_height, flags);
    if (host.window)
        host.context = SDL_GL_CreateContext(host.window);
    if (!host.context) {
        if (host.window)
            SDL_DestroyWindow(host.window);
        host.window = nullptr;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    host.headless = headless;
    // The loop is paced by our own clock, never by the driver's vertical sync.
    SDL_GL_SetSwapInterval(0);
    return true;
}

void pace()
{
    const uint64_t frequency = SDL_GetPerformanceFrequency();
    const uint64_t step = uint64_t(double(frequency) * picture_seconds);
    uint64_t now = SDL_GetPerformanceCounter();
    if (host.next_picture == 0 || now > host.next_picture + step)
        host.next_picture = now;  // first picture, or far behind: start afresh
    else
        while (now < host.next_picture) {
            SDL_Delay(Uint32((host.next_picture - now) * 1000 / frequency));
            now = SDL_GetPerformanceCounter();
        }
    host.next_picture += step;
}

}  // namespace

bool window_open()
{
    if (host.context)
        return true;
    const bool headless = console_options().headless;
    // Without a display server a windowed run still gets a picture offscreen.
    if (!create_window(headless) && (headless || !create_window(true))) {
        OSReport("Could not open the window: %s\n", SDL_GetError());
        return false;
    }
    procui_set_event_pump(window_pump_events);
    return true;
}

bool window_is_headless()
{
    return host.headless;
}

void window_present(uint32_t gl_framebuffer, int width, int height)
{
    if (!host.context || host.headless)
        return;
    int target_width = 0, target_height = 0;
    SDL_GL_GetDrawableSize(host.window, &target_width, &target_height);
    // Scale to fit, keeping the picture's shape; the rest stays black.
    const double scale = std::min(double(target_width) / width, double(target_height) / height);
    const int shown_width = int(width * scale), shown_height = int(height * scale);
    const int x = (target_width - shown_width) / 2, y = (target_height - shown_height) / 2;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, gl_framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glDisable(GL_SCISSOR_TEST);
    glViewport(0, 0, target_width, target_height);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    // Our pictures are stored top row first; the window's rows go bottom up.
    glBlitFramebuffer(0, 0, width, height, x, y + shown_height, x + shown_width, y,
                      GL_COLOR_BUFFER_BIT, GL_NEAREST);
    SDL_GL_SwapWindow(host.window);
}

void window_pace()
{
    if (host.context && !host.headless)
        pace();
}

void window_pump_events()
{
    if (!host.context)
        return;
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_QUIT, SDL_QUIT) > 0)
        procui_request_exit();
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_WINDOWEVENT, SDL_WINDOWEVENT) > 0)
        if (event.window.event == SDL_WINDOWEVENT_CLOSE)
            procui_request_exit();
    // Keyboard and controllers are read as states (updated by the pump above);
    // their events would only pile up.
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

void window_post_close()
{
    if (!host.context)
        return;
    SDL_Event event = {};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    event.window.windowID = SDL_GetWindowID(host.window);
    SDL_PushEvent(&event);
}

bool capture_wanted(uint64_t picture)
{
    const ConsoleOptions& options = console_options();
    return !options.capture_dir.empty() && picture % uint64_t(options.capture_every) == 0;
}

std::string capture_path(const std::string& dir, uint64_t picture)
{
    char name[32];
    snprintf(name, sizeof name, "tv_%06llu.png", static_cast<unsigned long long>(picture));
    return dir + "/" + name;
}

bool capture_write_png(const std::string& path, const std::vector<uint8_t>& rgba, int width,
                       int height)
{
    if (rgba.size() < size_t(width) * size_t(height) * 4)
        return false;
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    stbi_write_png_compression_level = 1;  // capture speed over file size
    if (!stbi_write_png(path.c_str(), width, height, 4, rgba.data(), width * 4)) {
        OSReport("Could not write picture %s\n", path.c_str());
        return false;
    }
    return true;
}
