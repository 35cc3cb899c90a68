// Test helpers: temporary content and save volumes, and the console output
// of a piece of code.
#pragma once

#include <functional>
#include <string>

// Creates a fresh temporary folder with content/ and save/ inside and points
// the console's volumes at them; removes everything again on destruction.
class TempVolumes {
public:
    TempVolumes();
    ~TempVolumes();
    TempVolumes(const TempVolumes&) = delete;
    TempVolumes& operator=(const TempVolumes&) = delete;

    std::string root;
    std::string content;  // host folder of "./..." paths
    std::string save;     // host folder of "/vol/save/..."

    // Writes a host file below the content folder (creating folders).
    void put_content(const std::string& relative, const std::string& bytes) const;
    std::string read_host(const std::string& host_path) const;
};

// Everything `action` writes to standard output.
std::string console_output_of(const std::function<void()>& action);
// Everything `action` writes to standard error: the host's errors and
// warnings (options, content, the input script, outputs).
std::string host_errors_of(const std::function<void()>& action);

// Runs `body` in a fresh process: the test program started again for the
// running test alone. For what a process does once (first uses, the exit),
// so that the tests run before it change nothing it sees, and what it leaves
// changes nothing for those after. The test fails when the body records a
// failure (its messages are shown).
void in_fresh_process(const std::function<void()>& body);
