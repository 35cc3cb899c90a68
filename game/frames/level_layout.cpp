#include "game/frames/level_layout.h"

#include "base/size_policy.h"
#include "game/objects/class_lookup.h"
#include "platform/files.h"
#include "runtime/frame.h"

#include "console/os.h"

#include <charconv>
#include <string>

namespace {

bool is_space(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

// Splits a line (comment already cut) into at most `N` + 1 fields; the count
// tells too many from exactly N.
template <size_t N>
size_t split_fields(std::string_view line, std::string_view (&fields)[N])
{
    size_t count = 0;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && is_space(line[i]))
            ++i;
        if (i == line.size())
            break;
        size_t start = i;
        while (i < line.size() && !is_space(line[i]))
            ++i;
        if (count == N)
            return N + 1;
        fields[count++] = line.substr(start, i - start);
    }
    return count;
}

bool parse_int(std::string_view text, int& value)
{
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+' && last - first > 1 && first[1] != '-')
        ++first;
    auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last && first != last;
}

bool background_kind(ObjectKind kind)
{
    return kind == ObjectKind::Backdrop || kind == ObjectKind::QuickBackdrop || kind == ObjectKind::SystemBox;
}

// One line of the file; false (after its one console line) for a bad one.
bool parse_row(std::string_view line, const char* path, int number, LayoutRow& row)
{
    std::string_view fields[5];
    size_t count = split_fields(line, fields);
    if (count != 5) {
        OSReport("Level layout %s line %d: expected class x y add layer\n", path, number);
        return false;
    }
    const ClassInfo* info = find_class(fields[0]);
    if (!info) {
        OSReport("Level layout %s line %d: unknown class %s\n", path, number,
                 printable_text(fields[0]).c_str());
        return false;
    }
    int x = 0, y = 0, layer = 0;
    if (!parse_int(fields[1], x) || !parse_int(fields[2], y) || !parse_int(fields[4], layer)) {
        OSReport("Level layout %s line %d: not a number\n", path, number);
        return false;
    }
    if (layer < 0 || layer > 7) {
        OSReport("Level layout %s line %d: layer %d is not 0-7\n", path, number, layer);
        return false;
    }
    bool background = fields[3] == "background";
    if ((!background && fields[3] != "object") || background != background_kind(info->kind)) {
        OSReport("Level layout %s line %d: %s is added as %s\n", path, number, info->name,
                 background_kind(info->kind) ? "background" : "object");
        return false;
    }
    row = LayoutRow{info, x, y, background, layer, number};
    return true;
}

}  // namespace

std::vector<LayoutRow> parse_level_layout(std::string_view text, const char* path)
{
    std::vector<LayoutRow> rows;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    int number = 0;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        if (line.size() > max_layout_line) {
            OSReport("Level layout %s line %d: longer than %zu bytes\n", path, number, max_layout_line);
            continue;
        }
        line = line.substr(0, line.find('#'));
        if (line.find_first_not_of(" \t\r") == std::string_view::npos)
            continue;
        if (rows.size() == max_layout_rows) {
            OSReport("Level layout %s line %d: more than %zu rows\n", path, number, max_layout_rows);
            break;
        }
        LayoutRow row;
        if (parse_row(line, path, number, row))
            rows.push_back(row);
    }
    return rows;
}

std::vector<LayoutRow> read_level_layout(const char* path)
{
    BaseFile file(path, "r");
    if (!file.is_open())
        return {};  // the platform has said which file it could not open
    unsigned int size = file.get_size();
    if (size > max_layout_bytes) {
        OSReport("Level layout %s: larger than %zu bytes\n", path, max_layout_bytes);
        return {};
    }
    std::string text(size, '\0');
    if (file.read(text.data(), size) != size) {
        OSReport("Could not load level layout %s\n", path);
        return {};
    }
    return parse_level_layout(text, path);
}

void place_level_layout(Frame& frame, const std::vector<LayoutRow>& rows)
{
    for (const LayoutRow& row : rows) {
        FrameObject* object = row.info->create(row.x, row.y);
        if (row.background)
            frame.add_background_object(object, row.layer);
        else
            frame.add_object(object, row.layer);
    }
}
