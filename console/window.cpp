#include "console/window.h"

#include "console/display_loss.h"
#include "console/fs.h"
#include "console/options.h"
#include "console/os.h"
#include "console/procui.h"
#include "console/runtime_dir.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <unistd.h>

namespace {

constexpr int window_width = 960;
constexpr int window_height = 540;
constexpr double picture_seconds = 1.0 / 60.0;

// Where a window was looked for, for the line that says none could be had.
std::string displays_tried()
{
    for (const char* name : {"WAYLAND_DISPLAY", "DISPLAY"}) {
        const char* value = getenv(name);
        if (value && *value)
            return std::string(name) + " is \"" + value + "\"";
    }
    return "neither DISPLAY nor WAYLAND_DISPLAY is set";
}

// SDL falls back to its offscreen driver by itself when no display answers;
// a windowed run takes it only when SDL_VIDEODRIVER asks for it (tests).
bool invisible_fallback()
{
    const char* used = SDL_GetCurrentVideoDriver();
    const char* asked = getenv("SDL_VIDEODRIVER");
    const bool invisible = used && (strcmp(used, "offscreen") == 0 || strcmp(used, "dummy") == 0);
    return invisible && !(asked && strcmp(asked, used) == 0);
}

// Closing the window unloads the GL driver's libraries; kept loaded, the
// leak check at exit can still tell their allocations from ours.
void keep_libraries_loaded()
{
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
            if (info->dlpi_name && *info->dlpi_name)
                dlopen(info->dlpi_name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

// An SDL window with a current OpenGL 3.3 core context.
class GlWindow : public WindowDriver {
public:
    ~GlWindow() override
    {
        close_context();
        if (video_)
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    void close_context() override
    {
        if (context_)
            SDL_GL_DeleteContext(context_);
        context_ = nullptr;
        if (window_)
            SDL_DestroyWindow(window_);
        window_ = nullptr;
    }

    // False with SDL's reason in SDL_GetError(). `visible`: refuse the
    // invisible driver that SDL falls back to when no display answers.
    bool create(Uint32 flags, bool visible)
    {
        {
            // The offscreen driver looks for no display.
            std::optional<LookupRuntimeDir> runtime_dir;
            if (visible)
                runtime_dir.emplace();
            video_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
        }
        if (!video_)
            return false;
        if (visible && invisible_fallback()) {
            SDL_SetError("no display answered");
            return false;
        }
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        window_ = SDL_CreateWindow("Quorvella - Rored Azezara", SDL_WINDOWPOS_CENTERED,
                                   SDL_WINDOWPOS_CENTERED, window_width, window_height,
                                   SDL_WINDOW_OPENGL | flags);
        if (window_)
            context_ = SDL_GL_CreateContext(window_);
        if (!context_)
            return false;
        keep_libraries_loaded();
        display_loss_watch(window_);
        // The loop is paced by our own clock, never by the driver's vertical sync.
        SDL_GL_SetSwapInterval(0);
        return true;
    }

    void pump_events() override
    {
        SDL_PumpEvents();
        SDL_Event event;
        while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_QUIT, SDL_QUIT) > 0)
            procui_request_exit();
        while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_WINDOWEVENT, SDL_WINDOWEVENT) > 0)
            if (event.window.event == SDL_WINDOWEVENT_CLOSE)
                procui_request_exit();
        // Keyboard and controllers are read as states (updated by the pump above),
        // their presses latched as they are queued; the events would only pile up.
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }

    SDL_Window* window() const { return window_; }

private:
    bool video_ = false;
    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
};

// A visible window: pictures scaled to fit, 60 a second.
class SdlWindowDriver : public GlWindow {
public:
    void swap(const SwapPicture& picture) override
    {
        if (picture.shown)
            present(picture);
        // Paced even while the outputs are off, so a hidden picture never spins.
        pace();
        // Between ticks too (the boot image), so a close is seen at once.
        pump_events();
    }

    bool wants(uint64_t, bool shown) const override { return shown; }
    // Scaled to the window either way: the logical picture saves the
    // full-size copy and a scaled read of four times its pixels.
    bool wants_full_size(uint64_t, bool) const override { return false; }
    bool headless() const override { return false; }

private:
    void present(const SwapPicture& picture)
    {
        int target_width = 0, target_height = 0;
        SDL_GL_GetDrawableSize(window(), &target_width, &target_height);
        const WindowRect shown = window_picture_rect(target_width, target_height, picture);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, picture.framebuffer);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
        glDisable(GL_SCISSOR_TEST);
        glViewport(0, 0, target_width, target_height);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        // Our pictures are stored top row first; the window's rows go bottom up.
        glBlitFramebuffer(0, 0, picture.width, picture.height, shown.x, shown.y + shown.height,
                          shown.x + shown.width, shown.y, GL_COLOR_BUFFER_BIT, GL_NEAREST);
        SDL_GL_SwapWindow(window());
    }

    void pace()
    {
        const uint64_t frequency = SDL_GetPerformanceFrequency();
        const uint64_t step = uint64_t(double(frequency) * picture_seconds);
        uint64_t now = SDL_GetPerformanceCounter();
        if (next_picture_ == 0 || now > next_picture_ + step)
            next_picture_ = now;  // first picture, or far behind: start afresh
        else
            while (now < next_picture_) {
                SDL_Delay(Uint32((next_picture_ - now) * 1000 / frequency));
                now = SDL_GetPerformanceCounter();
            }
        next_picture_ += step;
    }

    uint64_t next_picture_ = 0;  // performance-counter time of the next paced picture
};

// No display server: a real GL context that nobody sees, and no pacing.
class OffscreenDriver : public GlWindow {
public:
    void swap(const SwapPicture&) override {}
    bool wants(uint64_t, bool) const override { return false; }
    bool headless() const override { return true; }
};

// Writes every `every_`-th picture, then hands it on. The game thread only
// reads the picture back; encoders on threads of their own turn it into a
// PNG file, and the files are written in picture order, so the first one
// that fails stops the capture as it would one after the other.
class CaptureDriver : public WindowDriver {
public:
    CaptureDriver(std::unique_ptr<WindowDriver> inner, std::string dir, long every)
        : inner_(std::move(inner)), dir_(std::move(dir)), every_(std::max(every, 1L))
    {
    }

    ~CaptureDriver() override { stop_encoders(); }

    void swap(const SwapPicture& picture) override
    {
        // Tick 1's picture is the last one of the first message batch; the
        // boot image's pictures come before it.
        if (procui_counts().batches == 1)
            first_tick_picture_ = int64_t(picture.number);
        report_failure();
        if (writes(picture.number))
            queue(picture);
        inner_->swap(picture);
    }

    void pump_events() override { inner_->pump_events(); }

    void flush() override
    {
        std::unique_lock lock(mutex_);
        done_.wait(lock, [&] { return finished_ == queued_; });
        lock.unlock();
        report_failure();
        inner_->flush();
    }

    bool wants(uint64_t number, bool shown) const override
    {
        return writes(number) || inner_->wants(number, shown);
    }

    bool wants_full_size(uint64_t number, bool shown) const override
    {
        return writes(number) || inner_->wants_full_size(number, shown);
    }

    void finish() override
    {
        flush();
        if (written_ > 0 && !failed_) {
            OSReport("Captured %llu picture%s in %s (%s to %s)%s\n",
                     static_cast<unsigned long long>(written_), written_ == 1 ? "" : "s",
                     printable_text(dir_).c_str(), name(first_).c_str(), name(last_).c_str(),
                     first_tick_note().c_str());
        }
        inner_->finish();
    }

    bool headless() const override { return inner_->headless(); }

    void close_context() override
    {
        stop_encoders();
        inner_->close_context();
    }

    std::unique_ptr<WindowDriver> release_inner()
    {
        stop_encoders();
        report_failure();
        return std::move(inner_);
    }

private:
    struct Job {
        uint64_t sequence;  // order of writing
        uint64_t number;
        int width, height;
        std::vector<uint8_t> rgba;
        int error = 0;  // why no PNG could be made (errno value)
    };

    // Pictures read back but not yet written: enough to keep the encoders
    // busy; past it the game waits rather than piling up pictures.
    static constexpr size_t queue_limit = 4;
    static constexpr unsigned max_encoders = 3;

    bool writes(uint64_t number) const { return !failed_ && number % uint64_t(every_) == 0; }

    void queue(const SwapPicture& picture)
    {
        Job job{0, picture.number, picture.width, picture.height, picture.read_pixels()};
        std::unique_lock lock(mutex_);
        start_encoders();
        done_.wait(lock, [&] { return jobs_.size() < queue_limit; });
        job.sequence = queued_++;
        jobs_.push_back(std::move(job));
        work_.notify_one();
    }

    void start_encoders()
    {
        if (!encoders_.empty())
            return;
        // Capture speed over file size; set before any encoder runs.
        stbi_write_png_compression_level = 1;
        stbi_write_force_png_filter = 1;
        const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
        const unsigned count = std::clamp(cores / 2, 1u, max_encoders);
        for (unsigned i = 0; i < count; ++i)
            encoders_.emplace_back([this] { encode_loop(); });
    }

    // Every picture queued is written (or dropped after a failure) first.
    void stop_encoders()
    {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        work_.notify_all();
        for (std::thread& encoder : encoders_)
            encoder.join();
        encoders_.clear();
        stopping_ = false;
    }

    void encode_loop()
    {
        std::unique_lock lock(mutex_);
        for (;;) {
            work_.wait(lock, [&] { return stopping_ || !jobs_.empty(); });
            if (jobs_.empty())
                return;
            Job job = std::move(jobs_.front());
            jobs_.pop_front();
            done_.notify_all();  // room in the queue
            const bool skip = write_failed_;
            lock.unlock();
            std::vector<uint8_t> png;
            if (!skip)
                png = encode_png(job.rgba, job.width, job.height, job.error);
            job.rgba = {};
            lock.lock();
            done_.wait(lock, [&] { return finished_ == job.sequence; });
            if (!write_failed_) {
                lock.unlock();
                const std::string path = capture_path(dir_, job.number);
                const bool ok = write_file(path, png, job.error);
                const int error = errno;
                lock.lock();
                if (ok) {
                    if (written_++ == 0)
                        first_ = job.number;
                    last_ = job.number;
                } else {
                    write_failed_ = true;
                    failure_ = "Could not write picture " + printable_text(path) + ": " + strerror(error) +
                               "; capture stops";
                }
            }
            ++finished_;
            done_.notify_all();
        }
    }

    // On the game thread: the first failure is said once and fails the run.
    void report_failure()
    {
        std::string failure;
        {
            std::lock_guard lock(mutex_);
            if (!write_failed_ || failed_)
                return;
            failed_ = true;
            failure = failure_;
        }
        host_report("%s\n", failure.c_str());
        procui_fail_run();
    }

    // One fixed row filter ("sub", the difference to the pixel on the left):
    // trying every filter on every row cost several times the encoding.
    static std::vector<uint8_t> encode_png(const std::vector<uint8_t>& rgba, int width, int height,
                                           int& error)
    {
        if (width <= 0 || height <= 0 || rgba.size() < size_t(width) * size_t(height) * 4) {
            error = EINVAL;
            return {};
        }
        int size = 0;
        unsigned char* png = stbi_write_png_to_mem(rgba.data(), width * 4, width, height, 4, &size);
        if (!png) {
            error = ENOMEM;
            return {};
        }
        std::vector<uint8_t> bytes(png, png + size);
        STBIW_FREE(png);
        return bytes;
    }

    // False with errno set; no partial file is left behind.
    static bool write_file(const std::string& path, const std::vector<uint8_t>& png,
                           int encode_error)
    {
        if (encode_error == EINVAL) {
            errno = EINVAL;
            return false;
        }
        if (!fs_make_host_parents(path))
            return false;
        if (encode_error) {
            errno = encode_error;
            return false;
        }
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        bool ok = fd >= 0 && fs_host_write(fd, png.data(), png.size(), 0);
        int error = errno;
        if (fd >= 0 && close(fd) != 0 && ok) {
            ok = false;
            error = errno;
        }
        if (!ok && fd >= 0)
            unlink(path.c_str());
        errno = error;
        return ok;
    }

    std::string name(uint64_t picture) const
    {
        const std::string path = capture_path(dir_, picture);
        return path.substr(path.rfind('/') + 1);
    }

    std::string first_tick_note() const
    {
        if (first_tick_picture_ <= 0)
            return "";
        return "; picture " + std::to_string(first_tick_picture_) +
               " is tick 1's, those before it show the boot image";
    }

    std::unique_ptr<WindowDriver> inner_;
    std::string dir_;
    long every_;
    bool failed_ = false;  // game thread: the failure was reported
    int64_t first_tick_picture_ = -1;

    // Shared with the encoders, under mutex_.
    std::mutex mutex_;
    std::condition_variable work_;  // a picture was queued, or the encoders stop
    std::condition_variable done_;  // a picture left the queue or was written
    std::deque<Job> jobs_;
    std::vector<std::thread> encoders_;
    bool stopping_ = false;
    uint64_t queued_ = 0, finished_ = 0;
    bool write_failed_ = false;
    std::string failure_;
    uint64_t written_ = 0;
    uint64_t first_ = 0, last_ = 0;
};

WindowDriver* driver = nullptr;

// At exit, after the statics made later than the window: closing the
// context joins the GL driver's worker threads, which must not outlive the
// process's own clean-up (a leak check stops every thread and reads its
// stack).
void close_at_exit()
{
    if (driver)
        driver->close_context();
}

std::unique_ptr<WindowDriver> open_driver(bool headless)
{
    if (headless) {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        auto offscreen = std::make_unique<OffscreenDriver>();
        if (offscreen->create(SDL_WINDOW_HIDDEN, false))
            return offscreen;
        host_report("Could not open an offscreen picture: %s\n", SDL_GetError());
        return nullptr;
    }
    auto window = std::make_unique<SdlWindowDriver>();
    if (window->create(SDL_WINDOW_RESIZABLE, true))
        return window;
    const std::string reason = SDL_GetError();
    window.reset();
    host_report("Could not open a window (%s; %s); run with --headless to play without a display\n",
                displays_tried().c_str(), reason.c_str());
    return nullptr;
}

}  // namespace

bool window_open()
{
    if (driver)
        return true;
    const ConsoleOptions& options = console_options();
    std::unique_ptr<WindowDriver> chosen = open_driver(options.headless);
    if (!chosen)
        return false;
    driver = chosen.release();
    static bool exit_hook_installed = false;
    if (!exit_hook_installed) {
        exit_hook_installed = true;
        std::atexit(close_at_exit);
    }
    window_set_capture(options.capture_dir, options.capture_every);
    procui_set_event_pump(window_pump_events);
    return true;
}

void window_set_capture(const std::string& dir, long every)
{
    if (!driver)
        return;
    std::unique_ptr<WindowDriver> inner(driver);
    if (auto* capture = dynamic_cast<CaptureDriver*>(driver))
        inner = capture->release_inner();  // the old capture driver goes
    if (!dir.empty())
        inner = make_capture_driver(std::move(inner), dir, every);
    driver = inner.release();
}

bool window_is_headless()
{
    return driver && driver->headless();
}

void window_swap(const SwapPicture& picture)
{
    if (driver)
        driver->swap(picture);
}

bool window_wants_picture(uint64_t number, bool shown)
{
    return driver && driver->wants(number, shown);
}

bool window_wants_full_size(uint64_t number, bool shown)
{
    return driver && driver->wants_full_size(number, shown);
}

void window_finish()
{
    if (driver)
        driver->finish();
}

void window_pump_events()
{
    if (driver)
        driver->pump_events();
}

void window_post_close()
{
    SDL_Window* target = driver ? SDL_GL_GetCurrentWindow() : nullptr;
    if (!target)
        return;
    SDL_Event event = {};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    event.window.windowID = SDL_GetWindowID(target);
    SDL_PushEvent(&event);
}

WindowRect window_picture_rect(int target_width, int target_height, const SwapPicture& picture)
{
    const bool shaped = picture.shape_width > 0 && picture.shape_height > 0;
    const int width = shaped ? picture.shape_width : picture.width;
    const int height = shaped ? picture.shape_height : picture.height;
    if (width <= 0 || height <= 0)
        return {0, 0, 0, 0};
    const double scale = std::min(double(target_width) / width, double(target_height) / height);
    const int shown_width = int(width * scale), shown_height = int(height * scale);
    return {(target_width - shown_width) / 2, (target_height - shown_height) / 2, shown_width,
            shown_height};
}

std::unique_ptr<WindowDriver> make_capture_driver(std::unique_ptr<WindowDriver> inner,
                                                  const std::string& dir, long every)
{
    return std::make_unique<CaptureDriver>(std::move(inner), dir, every);
}

std::string capture_path(const std::string& dir, uint64_t picture)
{
    char name[32];
    snprintf(name, sizeof name, "tv_%06llu.png", static_cast<unsigned long long>(picture));
    return dir + "/" + name;
}
