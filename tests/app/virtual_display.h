// An X server of the test's own, so that the real window driver runs
// without a display of the machine's: Xvfb picks a free display number
// itself (-displayfd) and is stopped when the test ends. Also the game run
// as a child of the test, and what a window manager's close button sends.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

// Whether `done` became true, asked every 50 ms for up to `seconds`: only
// a hang guard, so give it ample room for a busy machine.
bool wait_until(const std::function<bool()>& done, double seconds);

class VirtualDisplay {
public:
    // `name()` is empty when no server could be started.
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    const std::string& name() const { return display; }  // ":N"
    // Ends the server with `signal` and waits for it.
    void stop(int signal);
    // Whether a top-level window with this title is shown, waiting up to
    // `seconds` for one.
    bool wait_for_window(const std::string& title, double seconds) const;
    // Sends the window the request to close that its close button sends.
    bool close_window(const std::string& title) const;
    // What the window shows, RGBA top row first, as a screenshot reads it;
    // empty when no such window is shown.
    std::vector<uint8_t> window_pixels(const std::string& title, int& width, int& height) const;

private:
    pid_t server = -1;
    std::string display;
};

// A command run by the shell in the background, its standard output and
// error going to `output_path`.
class Child {
public:
    Child(const std::string& command, const std::string& output_path);
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // The exit status, or -1 when it did not exit by itself within `seconds`
    // (it is killed then) or was ended by a signal.
    int wait(double seconds);
    // Waits up to `seconds` for `text` to appear in the output.
    bool wait_for_output(const std::string& text, double seconds) const;
    // Sends the command a signal (it was started with exec, so the game
    // itself gets it).
    void signal(int number) const;
    std::string output() const;

private:
    pid_t pid = -1;
    std::string path;
};
