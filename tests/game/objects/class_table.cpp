#include "tests/game/objects/class_table.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

// Rows as maps of column to cell; comment lines skipped, the line kept.
std::vector<std::pair<int, std::map<std::string, std::string>>> read_tsv(const char* path)
{
    std::ifstream in(path);
    EXPECT_TRUE(in.is_open()) << path;
    std::vector<std::pair<int, std::map<std::string, std::string>>> rows;
    std::vector<std::string> header;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> cells;
        std::stringstream stream(line);
        for (std::string cell; std::getline(stream, cell, '\t');)
            cells.push_back(cell);
        if (line.back() == '\t')
            cells.emplace_back();
        if (header.empty()) {
            header = cells;
            continue;
        }
        std::map<std::string, std::string> row;
        for (size_t i = 0; i < header.size() && i < cells.size(); ++i)
            row[header[i]] = cells[i];
        rows.emplace_back(number, row);
    }
    return rows;
}

TableClass read_class(int line, std::map<std::string, std::string>& cells)
{
    TableClass c;
    c.line = line;
    c.number = std::stoi(cells["number"]);
    c.name = cells["name"] + "_" + cells["number"];
    c.type_id = std::stoi(cells["type_id"]);
    c.kind = cells["kind"];
    c.hidden = cells["hidden"] == "1";
    if (!cells["flags"].empty())
        c.flags = split_outside_quotes(cells["flags"], ' ');
    if (!cells["settings"].empty())
        for (const std::string& item : split_outside_quotes(cells["settings"], ';')) {
            const size_t equals = item.find('=');
            c.settings.emplace(item.substr(0, equals), item.substr(equals + 1));
        }
    if (!cells["alterables"].empty())
        for (const std::string& item : split_outside_quotes(cells["alterables"], ' ')) {
            const std::string key = item.substr(0, item.find('='));
            const std::string value = item.substr(key.size() + 1);
            if (key.size() == 1)
                c.values[key[0] - 'A'] = std::stod(value);
            else if (key[0] == 'S')
                c.strings[std::stoi(key.substr(1))] = decode_literal(value);
            else if (value == "1")
                c.alterable_flags |= 1 << std::stoi(key.substr(1));
        }
    return c;
}

}  // namespace

std::string TableClass::get(const std::string& key, const std::string& otherwise) const
{
    const auto range = settings.equal_range(key);
    return range.first == range.second ? otherwise : std::prev(range.second)->second;
}

int TableClass::get_int(const std::string& key, int otherwise) const
{
    return has(key) ? std::stoi(get(key)) : otherwise;
}

std::vector<std::string> TableClass::all(const std::string& key) const
{
    std::vector<std::string> values;
    for (auto [it, end] = settings.equal_range(key); it != end; ++it)
        values.push_back(it->second);
    return values;
}

std::vector<std::string> split_outside_quotes(const std::string& text, char separator)
{
    std::vector<std::string> parts(1);
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == separator && !quoted) {
            parts.emplace_back();
            continue;
        }
        if (c == '"')
            quoted = !quoted;
        parts.back() += c;
        if (c == '\\' && quoted && i + 1 < text.size())
            parts.back() += text[++i];
    }
    return parts;
}

std::string decode_literal(const std::string& literal)
{
    std::string text;
    for (size_t i = 1; i + 1 < literal.size(); ++i) {
        if (literal[i] != '\\') {
            text += literal[i];
            continue;
        }
        const char escape = literal[++i];
        text += escape == 'n' ? '\n' : escape == 't' ? '\t' : escape == 'r' ? '\r' : escape;
    }
    return text;
}

std::vector<int> numbers_of(const std::string& text, char separator)
{
    std::vector<int> numbers;
    std::stringstream stream(text);
    for (std::string item; std::getline(stream, item, separator);) {
        const size_t dash = item.find('-', 1);
        const int first = std::stoi(item.substr(0, dash));
        const int last = dash == std::string::npos ? first : std::stoi(item.substr(dash + 1));
        for (int n = first; n <= last; ++n)
            numbers.push_back(n);
    }
    return numbers;
}

const std::vector<TableClass>& table_classes()
{
    static const std::vector<TableClass> classes = [] {
        std::vector<TableClass> read;
        for (auto& [line, cells] : read_tsv(QUORVELLA_CLASS_TABLE))
            read.push_back(read_class(line, cells));
        return read;
    }();
    return classes;
}

std::vector<TableRecord> table_records(const std::string& class_name)
{
    static const auto rows = read_tsv(QUORVELLA_ANIMATION_TABLE);
    std::vector<TableRecord> records;
    for (const auto& [line, cells] : rows) {
        if (cells.at("class") != class_name)
            continue;
        const auto number = [&](const char* column) { return std::stoi(cells.at(column)); };
        records.push_back({number("animation"), number("direction"), number("min_speed"),
                           number("max_speed"), number("back_to"), number("repeat"), number("frames"),
                           cells.at("handles").empty() ? std::vector<int>()
                                                       : numbers_of(cells.at("handles"), ' ')});
    }
    if (records.empty())
        records.push_back({0, 0, 50, 50, 0, -1, 1, {}});
    return records;
}
