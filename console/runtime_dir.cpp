#include "console/runtime_dir.h"

#include <cstdlib>
#include <unistd.h>

LookupRuntimeDir::LookupRuntimeDir()
{
    const char* value = getenv("XDG_RUNTIME_DIR");
    if (value && value[0] == '/')
        return;
    had_value_ = value != nullptr;
    if (value)
        value_ = value;
    const char* temporary = getenv("TMPDIR");
    const bool usable = temporary && temporary[0] == '/';
    std::string name = std::string(usable ? temporary : "/tmp") + "/quorvella-XXXXXX";
    // mkdtemp makes it for us alone (mode 0700).
    if (!mkdtemp(name.data()))
        return;
    folder_ = name;
    setenv("XDG_RUNTIME_DIR", folder_.c_str(), 1);
}

LookupRuntimeDir::~LookupRuntimeDir()
{
    if (folder_.empty())
        return;
    if (had_value_)
        setenv("XDG_RUNTIME_DIR", value_.c_str(), 1);
    else
        unsetenv("XDG_RUNTIME_DIR");
    rmdir(folder_.c_str());
}
