#include "tests/app/virtual_display.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

Clock::time_point deadline_in(double seconds)
{
    return Clock::now() + std::chrono::milliseconds(long(seconds * 1000));
}

void pause_briefly()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

// The first line the server writes to the pipe: its display number.
std::string read_display_number(int fd, double seconds)
{
    std::string number;
    const auto deadline = deadline_in(seconds);
    while (Clock::now() < deadline) {
        pollfd wanted{fd, POLLIN, 0};
        if (poll(&wanted, 1, 100) <= 0)
            continue;
        char c;
        if (read(fd, &c, 1) != 1)
            break;  // the server ended (not installed, or it failed)
        if (c == '\n')
            return number.empty() ? "" : ":" + number;
        number += c;
    }
    return "";
}

// Windows come and go while the test looks (the game makes and drops helper
// windows as it starts): a request about one already gone is no failure.
int ignore_error(Display*, XErrorEvent*)
{
    return 0;
}

Display* connect(const std::string& name)
{
    XSetErrorHandler(ignore_error);
    return XOpenDisplay(name.c_str());
}

// The top-level window with this title on the display, or 0.
Window find_window(Display* display, const std::string& title)
{
    Window root, parent, found = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) && name) {
            if (title == name)
                found = children[i];
            XFree(name);
        }
    }
    if (children)
        XFree(children);
    return found;
}

}  // namespace

bool wait_until(const std::function<bool()>& done, double seconds)
{
    for (const auto deadline = deadline_in(seconds); Clock::now() < deadline; pause_briefly())
        if (done())
            return true;
    return false;
}

VirtualDisplay::VirtualDisplay()
{
    int fds[2];
    if (pipe(fds) != 0)
        return;
    server = fork();
    if (server == 0) {
        close(fds[0]);
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0",
               "1024x768x24", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (server > 0)
        display = read_display_number(fds[0], 30.0);
    close(fds[0]);
}

VirtualDisplay::~VirtualDisplay()
{
    stop(SIGTERM);
}

void VirtualDisplay::stop(int signal)
{
    if (server <= 0)
        return;
    kill(server, signal);
    waitpid(server, nullptr, 0);
    server = -1;
}

bool VirtualDisplay::wait_for_window(const std::string& title, double seconds) const
{
    Display* connection = connect(display);
    if (!connection)
        return false;
    bool shown = false;
    for (const auto deadline = deadline_in(seconds); !shown && Clock::now() < deadline; pause_briefly())
        shown = find_window(connection, title) != 0;
    XCloseDisplay(connection);
    return shown;
}

bool VirtualDisplay::close_window(const std::string& title) const
{
    Display* connection = connect(display);
    if (!connection)
        return false;
    const Window window = find_window(connection, title);
    if (window) {
        XEvent event = {};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(connection, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = long(XInternAtom(connection, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(connection, window, False, NoEventMask, &event);
        XSync(connection, False);
    }
    XCloseDisplay(connection);
    return window != 0;
}

std::vector<uint8_t> VirtualDisplay::window_pixels(const std::string& title, int& width,
                                                   int& height) const
{
    width = height = 0;
    std::vector<uint8_t> rgba;
    Display* connection = connect(display);
    if (!connection)
        return rgba;
    const Window window = find_window(connection, title);
    XWindowAttributes attributes;
    XImage* image = nullptr;
    if (window && XGetWindowAttributes(connection, window, &attributes))
        image = XGetImage(connection, window, 0, 0, unsigned(attributes.width),
                          unsigned(attributes.height), AllPlanes, ZPixmap);
    if (image) {
        width = attributes.width;
        height = attributes.height;
        rgba.reserve(size_t(width) * size_t(height) * 4);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const unsigned long pixel = XGetPixel(image, x, y);
                rgba.push_back(uint8_t((pixel & image->red_mask) >> 16));
                rgba.push_back(uint8_t((pixel & image->green_mask) >> 8));
                rgba.push_back(uint8_t(pixel & image->blue_mask));
                rgba.push_back(255);
            }
        XDestroyImage(image);
    }
    XCloseDisplay(connection);
    return rgba;
}

Child::Child(const std::string& command, const std::string& output_path) : path(output_path)
{
    pid = fork();
    if (pid == 0) {
        const std::string line = "exec " + command + " > '" + output_path + "' 2>&1";
        execl("/bin/sh", "sh", "-c", line.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
}

Child::~Child()
{
    if (pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

int Child::wait(double seconds)
{
    if (pid <= 0)
        return -1;
    int status = 0;
    for (const auto deadline = deadline_in(seconds); Clock::now() < deadline; pause_briefly()) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            pid = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        if (done < 0 && errno != EINTR)
            break;
    }
    return -1;  // the destructor ends it
}

bool Child::wait_for_output(const std::string& text, double seconds) const
{
    return wait_until([&] { return output().find(text) != std::string::npos; }, seconds);
}

void Child::signal(int number) const
{
    if (pid > 0)
        kill(pid, number);
}

std::string Child::output() const
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
