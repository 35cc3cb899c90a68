// The class table and the animation table as the tests read them: the
// tables the classes were generated from (their paths come from the build),
// read here again with code of the tests' own.
#pragma once

#include "tests/support/volumes.h"

#include <map>
#include <string>
#include <vector>

struct TableClass {
    int line = 0;
    int number = 0;
    std::string name;  // Name_N
    int type_id = 0;
    std::string kind;
    bool hidden = false;
    std::vector<std::string> flags;
    std::multimap<std::string, std::string> settings;  // in table order per key
    std::map<int, double> values;                      // A = 0 ... Z = 25
    std::map<int, std::string> strings;
    int alterable_flags = 0;

    bool has(const std::string& key) const { return settings.count(key) != 0; }
    // The last value of a key, or the default.
    std::string get(const std::string& key, const std::string& otherwise = "") const;
    int get_int(const std::string& key, int otherwise = 0) const;
    std::vector<std::string> all(const std::string& key) const;
};

struct TableRecord {
    int animation, direction, min_speed, max_speed, back_to, repeat, frames;
    std::vector<int> handles;  // empty when unassigned
};

const std::vector<TableClass>& table_classes();
// The authored records of a sprite class; the one default record when the
// table gives none.
std::vector<TableRecord> table_records(const std::string& class_name);

// Helpers for cells.
std::vector<std::string> split_outside_quotes(const std::string& text, char separator);
std::string decode_literal(const std::string& literal);
std::vector<int> numbers_of(const std::string& text, char separator);

// A new instance from a factory, with the console lines it writes (every
// image fails to load without content) kept out of the test's output.
template <class T>
T* quietly(T* (*factory)(int, int), int x = 0, int y = 0)
{
    T* made = nullptr;
    console_output_of([&] { made = factory(x, y); });
    return made;
}
