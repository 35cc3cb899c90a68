// Runs a shell command as a person would type it and keeps what it printed.
#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

struct CommandResult {
    int status;  // the exit status, or -1 when the command did not exit normally
    std::string output;
};

inline CommandResult run_command(const std::string& command)
{
    FILE* pipe = popen(command.c_str(), "r");
    CommandResult result{-1, {}};
    if (!pipe)
        return result;
    std::array<char, 4096> buffer;
    size_t got;
    while ((got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.output.append(buffer.data(), got);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}
