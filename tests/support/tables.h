// The checked-in tab-separated tables as tests read them: blank lines,
// comment lines and the header row skipped; every cell kept, empty trailing
// cells included.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

inline std::vector<std::string> split_cells(const std::string& text, char separator)
{
    std::vector<std::string> cells;
    std::istringstream in(text + separator);
    std::string cell;
    while (std::getline(in, cell, separator))
        cells.push_back(cell);
    return cells;
}

inline std::vector<std::vector<std::string>> read_table(const std::string& path)
{
    std::ifstream in(path);
    std::vector<std::vector<std::string>> rows;
    std::string line;
    bool header = true;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        if (!header)
            rows.push_back(split_cells(line, '\t'));
        header = false;
    }
    return rows;
}
