// The game's fixed texts; the table is game/frames/string_constants.tsv.
#include "game/frames/string_constants.h"

#include <iterator>
#include <string>

namespace {

struct Literal {
    const char* text;
    size_t length;
};

// A text with its exact length, embedded NULs included.
template <size_t N>
constexpr Literal exact(const char (&text)[N])
{
    return {text, N - 1};
}

// A text made from a C string: it ends at the first NUL.
constexpr Literal c_string(const char* text)
{
    return {text, std::char_traits<char>::length(text)};
}

// constexpr: the table is in place before any file's start-up reads it.
constexpr Literal literals[] = {
#include "game/frames/string_constants.inc"
};
static_assert(std::size(literals) == STRING_CONSTANT_COUNT);

const std::string* build_table()
{
    static const std::string* const table = [] {
        auto* strings = new std::string[STRING_CONSTANT_COUNT];
        for (int i = 0; i < STRING_CONSTANT_COUNT; ++i)
            strings[i].assign(literals[i].text, literals[i].length);
        return strings;
    }();
    return table;
}

// Created before main, ahead of any use from another file's start-up.
[[maybe_unused]] const std::string* const constants_at_start = build_table();

}  // namespace

const std::string& string_constant(StringConstant id)
{
    return build_table()[id];
}
