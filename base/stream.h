// Little-endian byte streams over files and in-memory buffers.
#pragma once

#include <sstream>
#include <string>

class BaseFile;

class BaseStream {
public:
    virtual bool read(char* destination, unsigned int n) = 0;
    virtual unsigned int write(const char* source, unsigned int n) = 0;
    virtual void seek(unsigned int position) = 0;
    virtual bool at_end() = 0;

    short read_int16();
    int read_int32();
    bool read_string(std::string& text, unsigned int n);
    void write_int16(short value);
    void write_int32(int value);
    void write_string(const std::string& text);

protected:
    // Streams live beside the file or buffer they serve; never deleted through a base pointer.
    ~BaseStream() = default;
};

class FileStream final : public BaseStream {
public:
    explicit FileStream(BaseFile& file) : file(file) {}
    bool read(char* destination, unsigned int n) override;
    unsigned int write(const char* source, unsigned int n) override;
    void seek(unsigned int position) override;
    bool at_end() override;

    BaseFile& file;
};

class DataStream : public BaseStream {
public:
    explicit DataStream(std::stringstream& stream) : stream(stream) {}
    bool read(char* destination, unsigned int n) override;
    unsigned int write(const char* source, unsigned int n) override;
    void seek(unsigned int position) override;
    bool at_end() override;

    std::stringstream& stream;

protected:
    ~DataStream() = default;
};

class WriteStream final : public DataStream {
public:
    WriteStream();
    // Writes the whole content to the file in one write; nothing when empty.
    void save(BaseFile& file);

private:
    std::stringstream own;
};
