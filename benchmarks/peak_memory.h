// The process's peak resident size so far, in megabytes (the kernel's
// high-water mark, as getrusage's ru_maxrss).
#pragma once

#include <fstream>
#include <string>

inline double peak_megabytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0.0;
}
