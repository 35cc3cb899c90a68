// The controller input script given with --input.
#include "console/input_script.h"
#include "tests/fuzz/harnesses.h"

#include <climits>
#include <string>

int fuzz_input_script(const uint8_t* data, size_t size)
{
    InputScript script;
    script.parse(std::string(reinterpret_cast<const char*>(data), size), "fuzz");
    for (const long tick : {0L, 1L, 2L, 600L, LONG_MAX}) {
        VPADStatus gamepad;
        script.read_gamepad(tick, 0, gamepad);
        for (int channel = 0; channel < 4; ++channel) {
            KPADStatus remote;
            script.read_remote(tick, channel, remote);
        }
    }
    return 0;
}
