// A level layout read from the content volume and placed into a frame with
// eight layers, as an act's set-up does it.
#include "game/frames/level_layout.h"
#include "runtime/frame.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/harnesses.h"

namespace {

class LayoutFrame : public Frame {
public:
    void set_index(int) override {}
};

}  // namespace

int fuzz_level_layout(const uint8_t* data, size_t size)
{
    fuzz_setup();
    const std::string path = put_fuzz_file("act.layout", data, size);
    std::vector<LayoutRow> rows = read_level_layout(path.c_str());
    // Placing is bounded by the reader's row count; keep the fuzzer quick.
    if (rows.size() > 64)
        rows.resize(64);
    LayoutFrame frame;
    frame.width = frame.virtual_width = 1024;
    frame.height = frame.virtual_height = 1024;
    frame.layers.resize(8);
    for (int i = 0; i < 8; ++i)
        frame.layers[size_t(i)].init(i, 1.0, 1.0, true, false, false);
    place_level_layout(frame, rows);
    frame.reset();
    return 0;
}
