#include "objects/stringparser.h"

#include "base/pools.h"
#include "platform/files.h"
#include "runtime/values.h"

#include "console/os.h"

#include <openssl/evp.h>

namespace {

// Reads the whole file into `out`; on failure logs and leaves `out` alone.
void read_whole_file(const std::string& path, std::string& out)
{
    BaseFile file(path.c_str(), "r");
    if (!file.is_open()) {
        OSReport("Could not load file %s\n", printable_text(path).c_str());
        return;
    }
    std::string content(file.get_size(), '\0');
    if (file.read(content.data(), unsigned(content.size())) != content.size()) {
        OSReport("Could not load file %s\n", printable_text(path).c_str());
        return;
    }
    out = std::move(content);
}

}  // namespace

StringParser::StringParser(int x, int y, int type_id) : FrameObject(x, y, type_id)
{
}

StringParser::~StringParser() = default;

void StringParser::dealloc()
{
    this->~StringParser();
    object_pool<StringParser>.destroy(this);
}

void StringParser::set(const std::string& value)
{
    text = value;
    split_current = false;
}

void StringParser::load(const std::string& path)
{
    if (!path.empty() && path[0] == '[')
        return;
    read_whole_file(path, text);
}

void StringParser::add_delimiter(const std::string& delimiter)
{
    if (delimiter.size() != 1) {
        OSReport("Delimiter size %zu not supported\n", delimiter.size());
        return;
    }
    delimiters += delimiter;
}

void StringParser::reset_delimiters()
{
    delimiters.clear();
    split_current = false;
}

void StringParser::split()
{
    if (split_current)
        return;
    elements.clear();
    split_string(text, delimiters, elements);
    split_current = true;
}

const std::string& StringParser::get_element(int i)
{
    split();
    if (i < 1 || size_t(i) > elements.size())
        return shared_empty_string();
    return elements[size_t(i) - 1];
}

const std::string& StringParser::get_last_element()
{
    split();
    return elements.empty() ? shared_empty_string() : elements.back();
}

int StringParser::get_count()
{
    split();
    return int(elements.size());
}

std::string StringParser::set_element(const std::string& value, int i)
{
    if (delimiters.empty())
        return value;
    split();
    std::string result;
    for (size_t k = 0; k < elements.size(); ++k) {
        if (k > 0)
            result += delimiters[0];
        result += int(k) + 1 == i ? value : elements[k];
    }
    return result;
}

std::string StringParser::replace(const std::string& from, const std::string& to) const
{
    std::string result = text;
    replace_substring(result, from, to);
    return result;
}

std::string StringParser::remove(const std::string& part) const
{
    return replace(part, std::string());
}

std::string StringParser::get_md5() const
{
    return ::get_md5(text);
}

void split_string(const std::string& text, const std::string& delimiters,
                  std::vector<std::string>& out)
{
    size_t start = text.find_first_not_of(delimiters);
    while (start != std::string::npos) {
        const size_t stop = text.find_first_of(delimiters, start);
        out.push_back(text.substr(start, stop == std::string::npos ? std::string::npos : stop - start));
        start = text.find_first_not_of(delimiters, stop);
    }
}

void replace_substring(std::string& text, const std::string& from, const std::string& to)
{
    if (from.empty())
        return;
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

std::string get_md5(const std::string& text)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!EVP_Digest(text.data(), text.size(), digest, &length, EVP_md5(), nullptr))
        length = 0;
    static const char hex[] = "0123456789abcdef";
    std::string result;
    result.reserve(2 * length);
    for (unsigned int i = 0; i < length; ++i) {
        result += hex[digest[i] >> 4];
        result += hex[digest[i] & 15];
    }
    return result;
}
