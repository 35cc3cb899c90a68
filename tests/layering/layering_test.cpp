// Every #include of the tree against the layer order: a file includes only
// headers of its own layer and the layers below it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Each layer with the layers right below it; what lies below those is
// allowed too.
const std::map<std::string, std::vector<std::string>> layers = {
    {"console", {}},
    {"platform", {"console"}},
    {"base", {"platform"}},
    {"graphics", {"base"}},
    {"audio", {"base"}},
    {"runtime", {"graphics", "audio"}},
    {"objects", {"runtime"}},
    {"game/objects", {"objects"}},
    {"game/frames", {"game/objects"}},
    {"game/events", {"game/frames"}},
    {"app", {"game/events"}},
    {"tools/assetwriter", {"base"}},
    {"tools", {"tools/assetwriter"}},
    {"benchmarks", {"game/events"}},
    // Tests make their content with our tools; the drawing helpers draw.
    {"tests/support", {"graphics", "tools/assetwriter"}},
};

// Headers only the console replacement may include.
const char* const host_headers[] = {"SDL", "GL/", "EGL/", "unistd.h", "sys/", "fcntl.h",
                                    "pthread.h", "dirent.h", "strings.h", "signal.h", "X11/"};

std::set<std::string> below(const std::string& layer)
{
    std::set<std::string> result{layer};
    const auto found = layers.find(layer);
    if (found == layers.end())
        return result;
    for (const std::string& lower : found->second) {
        const std::set<std::string> more = below(lower);
        result.insert(more.begin(), more.end());
    }
    return result;
}

// The event kit runs the whole game: it sits on top, and only the game's
// tests use it.
const std::string event_kit = "tests/support/event_kit";

// The layer of a file: its longest folder prefix in the table. A test
// belongs to the layer it tests (tests/game and the soak to the whole game).
std::string layer_of(const std::string& path)
{
    if (path.rfind(event_kit, 0) == 0)
        return "game/events";
    std::string folder = fs::path(path).parent_path().string();
    if (folder.rfind("tests/", 0) == 0) {
        const std::string tested = folder.substr(6);
        if (tested.rfind("support", 0) == 0)
            return "tests/support";
        if (tested.rfind("game", 0) == 0 || tested.rfind("soak", 0) == 0)
            return "game/events";
        for (std::string candidate = tested; !candidate.empty();
             candidate = fs::path(candidate).parent_path().string())
            if (layers.count(candidate))
                return candidate;
        return "app";  // tests of the whole program and its tools
    }
    for (; !folder.empty(); folder = fs::path(folder).parent_path().string())
        if (layers.count(folder))
            return folder;
    return "";
}

bool is_test(const std::string& path)
{
    return path.rfind("tests/", 0) == 0;
}

// Why `path` may not include `header` (a quoted or an angle include), or
// an empty string when it may.
std::string check_include(const std::string& path, const std::string& header, bool angle)
{
    const std::string layer = layer_of(path);
    if (angle) {
        if (layer == "console" || is_test(path))
            return "";
        for (const char* host : host_headers)
            if (header.rfind(host, 0) == 0)
                return "only console/ talks to the host: <" + header + ">";
        return "";
    }
    if (header == "graphics/render_internal.h" && layer != "graphics" && layer != "tests/support")
        return "the renderer's internals are graphics' own";
    std::string folder = fs::path(header).parent_path().string();
    if (header.rfind(event_kit, 0) == 0 && layer != "game/events")
        return layer + " may not use the event kit, which runs the whole game";
    if (folder.rfind("tests/", 0) == 0)
        return is_test(path) ? "" : "production code includes a test header";
    std::set<std::string> allowed = below(layer);
    if (is_test(path) && layer != "tests/support") {
        const std::set<std::string> tools = below("tests/support");
        allowed.insert(tools.begin(), tools.end());
    }
    for (; !folder.empty(); folder = fs::path(folder).parent_path().string())
        if (allowed.count(folder))
            return "";
    return layer + " may not include " + header;
}

}  // namespace

TEST(Layering, the_checker_refuses_upward_includes_and_allows_downward_ones)
{
    EXPECT_EQ(check_include("platform/input.cpp", "console/pads.h", false), "");
    EXPECT_EQ(check_include("runtime/frame.cpp", "console/os.h", false), "");
    EXPECT_EQ(check_include("game/frames/frames.cpp", "runtime/frame.h", false), "");
    EXPECT_NE(check_include("platform/input.cpp", "runtime/manager.h", false), "");
    EXPECT_NE(check_include("graphics/image.cpp", "audio/media.h", false), "");
    EXPECT_NE(check_include("runtime/manager.cpp", "game/frames/frames.h", false), "");
    EXPECT_NE(check_include("objects/active.cpp", "graphics/render_internal.h", false), "");
    EXPECT_NE(check_include("runtime/layer.cpp", "SDL.h", true), "");
    EXPECT_EQ(check_include("console/window.cpp", "SDL.h", true), "");
    EXPECT_NE(check_include("tools/assetwriter/asset_writer.cpp", "runtime/frame.h", false), "");
    EXPECT_EQ(check_include("tests/base/stream_test.cpp", "tools/assetwriter/asset_writer.h", false), "");
    EXPECT_NE(check_include("tests/platform/input_test.cpp", "runtime/manager.h", false), "");
}

TEST(Layering, every_include_of_the_tree_looks_down)
{
    const fs::path root = QUORVELLA_SOURCE_DIR;
    std::vector<std::string> faults;
    int checked = 0;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        const std::string name = it->path().filename().string();
        if (it->is_directory() && (name == "build" || name[0] == '.')) {
            it.disable_recursion_pending();
            continue;
        }
        const std::string extension = it->path().extension().string();
        if (!it->is_regular_file() || (extension != ".cpp" && extension != ".h"))
            continue;
        const std::string path = fs::relative(it->path(), root).string();
        std::ifstream in(it->path());
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            const size_t at = line.find("#include ");
            if (at != 0)
                continue;
            const size_t open = line.find_first_of("\"<", at);
            if (open == std::string::npos)
                continue;
            const bool angle = line[open] == '<';
            const size_t close = line.find(angle ? '>' : '"', open + 1);
            const std::string header = line.substr(open + 1, close - open - 1);
            const std::string fault = check_include(path, header, angle);
            ++checked;
            if (!fault.empty())
                faults.push_back(path + ":" + std::to_string(number) + ": " + fault);
        }
    }
    EXPECT_GT(checked, 500);
    for (const std::string& fault : faults)
        ADD_FAILURE() << fault;
}
