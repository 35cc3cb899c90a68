#include "base/stream.h"

#include "platform/files.h"

short BaseStream::read_int16()
{
    unsigned char bytes[2];
    if (!read(reinterpret_cast<char*>(bytes), 2))
        return 0;
    return short(uint16_t(bytes[0] | (bytes[1] << 8)));
}

int BaseStream::read_int32()
{
    unsigned char bytes[4];
    if (!read(reinterpret_cast<char*>(bytes), 4))
        return 0;
    return int(uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
               uint32_t(bytes[3]) << 24);
}

bool BaseStream::read_string(std::string& text, unsigned int n)
{
    text.resize(n);
    return read(text.data(), n);
}

void BaseStream::write_int16(short value)
{
    const uint16_t bits = uint16_t(value);
    const char bytes[2] = {char(bits & 0xFF), char(bits >> 8)};
    write(bytes, 2);
}

void BaseStream::write_int32(int value)
{
    const uint32_t bits = uint32_t(value);
    const char bytes[4] = {char(bits & 0xFF), char((bits >> 8) & 0xFF), char((bits >> 16) & 0xFF),
                           char(bits >> 24)};
    write(bytes, 4);
}

void BaseStream::write_string(const std::string& text)
{
    write(text.data(), unsigned(text.size()));
}

bool FileStream::read(char* destination, unsigned int n)
{
    return file.read(destination, n) == n;
}

unsigned int FileStream::write(const char* source, unsigned int n)
{
    return file.write(source, n);
}

void FileStream::seek(unsigned int position)
{
    file.seek(position, 0);
}

bool FileStream::at_end()
{
    return file.at_end();
}

bool DataStream::read(char* destination, unsigned int n)
{
    stream.read(destination, n);
    const bool whole = !stream.eof();
    // Keep the stream usable for later writes and seeks.
    stream.clear();
    return whole;
}

unsigned int DataStream::write(const char* source, unsigned int n)
{
    stream.write(source, n);
    return n;
}

void DataStream::seek(unsigned int position)
{
    stream.clear();
    stream.seekg(position);
}

bool DataStream::at_end()
{
    return stream.peek() == std::char_traits<char>::eof();
}

WriteStream::WriteStream() : DataStream(own), own(std::ios::in | std::ios::out | std::ios::binary)
{
}

void WriteStream::save(BaseFile& file)
{
    const std::string content = own.str();
    if (!content.empty())
        file.write(content.data(), unsigned(content.size()));
}
