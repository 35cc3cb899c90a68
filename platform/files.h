// Files on the content and save volumes: path conversion, the file-system
// client slots and BaseFile with its read window.
#pragma once

#include "console/fs.h"
#include "console/os.h"

#include <string>

struct FSClientData {
    FSClient client;
    FSCmdBlock command_block;
    char* staging_buffer;  // 8 MiB write staging, 64-byte aligned
    OSMutex mutex;         // held around every call on this client's command block
};

// Holds a client's mutex for the span of one file-system call.
class ClientLock {
public:
    explicit ClientLock(FSClientData* client) : client_(client) { OSLockMutex(&client_->mutex); }
    ~ClientLock() { OSUnlockMutex(&client_->mutex); }
    ClientLock(const ClientLock&) = delete;
    ClientLock& operator=(const ClientLock&) = delete;

private:
    FSClientData* client_;
};

constexpr unsigned int fs_staging_size = 0x800000;
constexpr unsigned int fs_min_window = 65536;
constexpr int fs_client_slots = 3;

std::string convert_path(const std::string& path);
void set_fs_index(int slot);
FSClientData* get_fs_data();          // current slot, then the index returns to 0
FSClientData* get_fs_data(int slot);  // that slot; the index is not touched
void fs_state_change(FSClient* client, FSVolumeState state, void* context);

unsigned int platform_get_file_size(const char* path);
std::string get_path_ext(const std::string& path);

struct FileData {
    FSFileHandle handle = 0;
    FSClientData* client = nullptr;
    unsigned int size = 0;
    unsigned int position = 0;
    bool read_mode = false;
    unsigned int window_start = 0;
    unsigned int window_length = 0;
    char* window_buffer = nullptr;
};

class BaseFile {
public:
    BaseFile() = default;
    BaseFile(const char* path, const char* mode);
    ~BaseFile();
    BaseFile(const BaseFile&) = delete;
    BaseFile& operator=(const BaseFile&) = delete;

    void open(const char* path, const char* mode);
    void close();
    bool is_open() const { return !closed; }
    unsigned int tell() const;
    bool seek(unsigned int offset, int whence);
    unsigned int read(void* destination, unsigned int count);
    unsigned int write(const void* source, unsigned int count);
    bool at_end() const;
    unsigned int get_size();

    FileData* data = nullptr;
    bool closed = true;
};

// Makes `count` bytes from the file's position present in its read window.
void buffer_data(BaseFile& file, unsigned int count);
