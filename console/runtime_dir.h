// Looking for a display, SDL asks the Wayland client library, which writes
// its own line to standard error when XDG_RUNTIME_DIR is unset or not an
// absolute path: a line before ours that says nothing the run's own does
// not. While SDL looks, a fresh empty private folder stands in; no display
// answers in it, silently.
#pragma once

#include <string>

class LookupRuntimeDir {
public:
    // Sets XDG_RUNTIME_DIR to the stand-in when it is unset or relative.
    LookupRuntimeDir();
    // Puts the variable back as it was and removes the stand-in.
    ~LookupRuntimeDir();
    LookupRuntimeDir(const LookupRuntimeDir&) = delete;
    LookupRuntimeDir& operator=(const LookupRuntimeDir&) = delete;

private:
    std::string folder_;    // the stand-in; empty when none was needed or made
    bool had_value_ = false;
    std::string value_;     // the variable as it was
};
