// Events name object types by the generated constants (types::Player_87),
// never by a typed number: a wrong digit there picks another type silently.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// An instance list indexed by a number, or numbers with a class name
// (Name_N) as the line's comment.
const std::regex indexed_by_number(R"(instances\s*\[\s*[0-9])");
const std::regex number_named_for_class(R"(constexpr\s+int\s+\w+\s*=\s*[0-9]+\s*;\s*//\s*[A-Za-z]\w*_[0-9]+\b)");
const std::regex numbers_named_for_class(R"(\b[0-9]+\b[^/]*//\s*[A-Z]\w*_[0-9]+\s*$)");

// "file:line: text" for each line of `text` that names a type by a number.
std::vector<std::string> numbered_types(const std::string& file, std::istream& text)
{
    std::vector<std::string> found;
    std::string line;
    for (int number = 1; std::getline(text, line); ++number)
        if (std::regex_search(line, indexed_by_number) || std::regex_search(line, number_named_for_class) ||
            std::regex_search(line, numbers_named_for_class))
            found.push_back(file + ":" + std::to_string(number) + ": " + line);
    return found;
}

std::vector<std::string> numbered_types(const std::string& file, const std::string& text)
{
    std::istringstream stream(text);
    return numbered_types(file, stream);
}

}  // namespace

TEST(EventTypeIds, the_check_finds_numbered_types_and_passes_named_ones)
{
    const std::vector<std::string> found = numbered_types("a.cpp", "ObjectList& a = instances[ 67];\n"
                                                                   "ObjectList& b = instances[types::Player_87];\n"
                                                                   "constexpr int player = 72;  // Player_87\n"
                                                                   "constexpr int bit = 9;  // flag of Player_87\n"
                                                                   "constexpr int column = 3;\n"
                                                                   "constexpr Pair left = {191, 192};  // Left_245\n");
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0], "a.cpp:1: ObjectList& a = instances[ 67];");
    EXPECT_EQ(found[1], "a.cpp:3: constexpr int player = 72;  // Player_87");
    EXPECT_EQ(found[2], "a.cpp:6: constexpr Pair left = {191, 192};  // Left_245");
}

TEST(EventTypeIds, no_event_names_a_type_by_a_number)
{
    const fs::path root = QUORVELLA_SOURCE_DIR;
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(root / "game" / "events")) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".cpp" && extension != ".h" && extension != ".inc")
            continue;
        std::ifstream text(entry.path());
        const std::vector<std::string> more = numbered_types(fs::relative(entry.path(), root).string(), text);
        found.insert(found.end(), more.begin(), more.end());
    }
    for (const std::string& line : found)
        ADD_FAILURE() << line;
    EXPECT_TRUE(found.empty()) << "name types as instances[types::Name_N] (game/objects/type_ids.h)";
}
