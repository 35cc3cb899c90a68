#include "platform/files.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

FSClientData* slots[fs_client_slots] = {};
int current_slot = 0;

FSClientData* create_client(int slot)
{
    OSReport("Creating new FS client: %d\n", slot);
    auto* data = new FSClientData();
    OSInitMutex(&data->mutex);
    data->staging_buffer = static_cast<char*>(MEMAllocFromDefaultHeapEx(fs_staging_size, 64));
    FSAddClient(&data->client, FS_ERROR_FLAG_NONE);
    FSStateChangeParams params = {fs_state_change, nullptr, nullptr};
    FSSetStateChangeNotification(&data->client, &params);
    FSInitCmdBlock(&data->command_block);
    return data;
}

// The client of a valid slot, created on first use.
FSClientData* client_of(int slot)
{
    if (!slots[slot])
        slots[slot] = create_client(slot);
    return slots[slot];
}

FSClientData* acquire(int slot)
{
    current_slot = 0;
    return client_of(slot < 0 || slot >= fs_client_slots ? 0 : slot);
}

}  // namespace

std::string convert_path(const std::string& path)
{
    std::string result = path;
    std::replace(result.begin(), result.end(), '\\', '/');
    if (result.compare(0, 2, "./") == 0)
        return fs_content_root + result.substr(1);
    return result;
}

void set_fs_index(int slot)
{
    current_slot = slot;
}

FSClientData* get_fs_data()
{
    return acquire(current_slot);
}

FSClientData* get_fs_data(int slot)
{
    if (slot < 0 || slot >= fs_client_slots)
        return nullptr;
    return client_of(slot);
}

void fs_state_change(FSClient* client, FSVolumeState state, void*)
{
    OSReport("Volume state of client 0x%08x changed to %d\nLast error: %d\n",
             unsigned(reinterpret_cast<uintptr_t>(client)), int(state), int(FSGetLastError(client)));
}

unsigned int platform_get_file_size(const char* path)
{
    const std::string converted = convert_path(path);
    FSClientData* client = get_fs_data();
    FSStat stat = {};
    FSStatus status;
    {
        ClientLock lock(client);
        status = FSGetStat(&client->client, &client->command_block, converted.c_str(), &stat,
                           FS_ERROR_FLAG_NOT_FOUND);
    }
    // Any failure, not only not-found, has no size to report.
    return status == FS_STATUS_OK ? stat.size : 0;
}

std::string get_path_ext(const std::string& path)
{
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos)
        return {};
    std::string ext = path.substr(dot + 1);
    for (char& c : ext)
        c = char(tolower(static_cast<unsigned char>(c)));
    return ext;
}

BaseFile::BaseFile(const char* path, const char* mode)
{
    open(path, mode);
}

BaseFile::~BaseFile()
{
    close();
}

void BaseFile::open(const char* path, const char* mode)
{
    if (!closed)
        close();
    const std::string converted = convert_path(path);
    auto* record = new FileData();
    record->read_mode = mode[0] == 'r';
    record->client = acquire(mode[0] == 'w' ? 2 : current_slot);
    FSClientData* client = record->client;

    FSStatus status;
    {
        ClientLock lock(client);
        status = FSOpenFile(&client->client, &client->command_block, converted.c_str(), mode,
                            &record->handle, FS_ERROR_FLAG_NOT_FOUND);
    }
    if (status != FS_STATUS_OK) {
        OSReport("Could not open file: %s\n", printable_text(converted).c_str());
        delete record;
        return;
    }
    data = record;
    closed = false;
    if (!record->read_mode)
        return;
    FSStat stat = {};
    {
        ClientLock lock(client);
        FSGetStatFile(&client->client, &client->command_block, record->handle, &stat,
                      FS_ERROR_FLAG_NONE);
    }
    record->size = stat.size;
    if (get_path_ext(converted) == "bin")
        buffer_data(*this, record->size);
}

void BaseFile::close()
{
    if (closed)
        return;
    FSClientData* client = data->client;
    {
        ClientLock lock(client);
        FSCloseFile(&client->client, &client->command_block, data->handle, FS_ERROR_FLAG_NONE);
    }
    MEMFreeToDefaultHeap(data->window_buffer);
    delete data;
    data = nullptr;
    closed = true;
}

unsigned int BaseFile::tell() const
{
    return closed ? 0 : data->position;
}

bool BaseFile::seek(unsigned int offset, int whence)
{
    if (closed)
        return false;
    unsigned int position;
    if (whence == 1)
        position = data->position + offset;
    else if (whence == 2)
        position = data->size - offset;
    else
        position = offset;
    data->position = std::min(position, data->size);
    return true;
}

unsigned int BaseFile::read(void* destination, unsigned int count)
{
    if (closed)
        return 0;
    count = std::min(count, data->size - std::min(data->position, data->size));
    if (count == 0)
        return 0;
    buffer_data(*this, count);
    if (!data->window_buffer)
        return 0;  // the window could not be allocated
    memcpy(destination, data->window_buffer + (data->position - data->window_start), count);
    data->position += count;
    return count;
}

unsigned int BaseFile::write(const void* source, unsigned int count)
{
    if (closed)
        return 0;
    FSClientData* client = data->client;
    char* buffer = client->staging_buffer;
    char* temporary = nullptr;
    if (count > fs_staging_size) {
        OSReport("Write size too big, creating temporary buffer\n");
        temporary = static_cast<char*>(MEMAllocFromDefaultHeapEx(count, 64));
        buffer = temporary;
    }
    if (!buffer)
        return 0;
    memcpy(buffer, source, count);
    {
        ClientLock lock(client);
        FSWriteFileWithPos(&client->client, &client->command_block, buffer, 1, count,
                           data->position, data->handle, 0, FS_ERROR_FLAG_NONE);
    }
    data->position += count;
    MEMFreeToDefaultHeap(temporary);
    return count;
}

bool BaseFile::at_end() const
{
    return closed || data->position >= data->size;
}

unsigned int BaseFile::get_size()
{
    const unsigned int position = tell();
    seek(0, 2);
    const unsigned int end = tell();
    seek(position, 0);
    return end;
}

void buffer_data(BaseFile& file, unsigned int count)
{
    FileData* data = file.data;
    if (data->position >= data->window_start &&
        uint64_t(data->position) + count <= uint64_t(data->window_start) + data->window_length)
        return;
    unsigned int length = std::max({count, data->window_length, fs_min_window});
    length = std::min(length, data->size - std::min(data->position, data->size));
    if (length > data->window_length) {
        MEMFreeToDefaultHeap(data->window_buffer);
        data->window_buffer = static_cast<char*>(MEMAllocFromDefaultHeapEx(length, 64));
        data->window_length = data->window_buffer ? length : 0;
        // A short read must not expose stale heap bytes.
        if (data->window_buffer)
            memset(data->window_buffer, 0, length);
    }
    data->window_start = data->position;
    if (!data->window_buffer)
        return;
    FSClientData* client = data->client;
    ClientLock lock(client);
    FSReadFileWithPos(&client->client, &client->command_block, data->window_buffer, 1,
                      data->window_length, data->window_start, data->handle, 0, FS_ERROR_FLAG_NONE);
}
