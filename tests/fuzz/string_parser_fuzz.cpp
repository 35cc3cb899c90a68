// A text file loaded into a string parser and split as the events split it.
#include "objects/stringparser.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/harnesses.h"

#include <algorithm>

int fuzz_string_parser(const uint8_t* data, size_t size)
{
    fuzz_setup();
    StringParser parser(0, 0, 10);
    parser.load(put_fuzz_file("text.txt", data, size));
    // Delimiters and replacements come from the text itself.
    const std::string text = parser.text;
    for (size_t i = 0; i < std::min<size_t>(3, text.size()); ++i)
        parser.add_delimiter(text.substr(i, 1));
    const int count = parser.get_count();
    parser.get_element(1);
    parser.get_element(count);
    parser.get_last_element();
    parser.set_element("x", 2);
    parser.replace(text.substr(0, 2), "yz");
    parser.remove(text.substr(0, 1));
    parser.get_md5();
    parser.reset_delimiters();
    parser.get_count();
    return 0;
}
