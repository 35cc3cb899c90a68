// A text split lazily into elements at one-character delimiters, with
// replace, remove and digest helpers.
#pragma once

#include "runtime/frameobject.h"

#include <string>
#include <vector>

class StringParser : public FrameObject {
public:
    std::vector<std::string> elements;
    std::string delimiters;
    std::string text;
    bool split_current = false;

    StringParser(int x, int y, int type_id);
    ~StringParser() override;
    void dealloc() override;

    void set(const std::string& value);
    void load(const std::string& path);
    void add_delimiter(const std::string& delimiter);
    void reset_delimiters();
    void split();

    const std::string& get_element(int i);
    const std::string& get_last_element();
    int get_count();
    std::string set_element(const std::string& value, int i);
    std::string replace(const std::string& from, const std::string& to) const;
    std::string remove(const std::string& part) const;
    std::string get_md5() const;
};

// Appends the maximal runs of `text` that hold no delimiter to `out`.
void split_string(const std::string& text, const std::string& delimiters,
                  std::vector<std::string>& out);
// Replaces every occurrence of `from`, left to right without overlap.
void replace_substring(std::string& text, const std::string& from, const std::string& to);
// The MD5 digest of the bytes, as 32 lower-case hex digits.
std::string get_md5(const std::string& text);
