#include "console/fs.h"

#include "console/options.h"
#include "console/os.h"
#include "console/procui.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

const char* const fs_content_root = "/vol/content/Quorvella - Rored Azezara";
const char* const fs_save_root = "/vol/save";

namespace {

struct HostFile {
    int fd = -1;
    bool writing = false;
    std::string path;       // the host path the file has when closed
    std::string temp_path;  // writing: where the bytes go until close
    int write_errno = 0;    // the first failed write; the file then never replaces the old one
};

std::mutex table_mutex;
// The open files, handle = index + 1. Never destroyed: statics of other
// units (the images' and shaders' asset files) close their files during
// exit, after this unit's own statics are gone.
std::vector<std::unique_ptr<HostFile>>& open_files()
{
    static auto* const table = new std::vector<std::unique_ptr<HostFile>>();
    return *table;
}
std::vector<FSClient*> clients;

// The failed saves said already, by host path and errno: a run that fails
// the same save every minute says so once. Never destroyed, as the table.
std::set<std::pair<std::string, int>>& reported_saves()
{
    static auto* const reported = new std::set<std::pair<std::string, int>>();
    return *reported;
}

std::atomic<uint64_t> count_opens{0}, count_reads{0}, count_writes{0}, count_stats{0};
std::atomic<uint32_t> next_client_id{1};
std::atomic<int64_t> free_space{-1};  // tests: bytes the disk still accepts; -1: no limit

bool starts_with(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The part of `path` below `root`, or false when the path is not under it.
bool below(const std::string& path, const std::string& root, std::string& rest)
{
    if (path == root) {
        rest.clear();
        return true;
    }
    if (!starts_with(path, root + "/"))
        return false;
    rest = path.substr(root.size() + 1);
    return true;
}

bool climbs_out(const std::string& rest)
{
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = rest.find('/', start);
        if (end == std::string::npos)
            end = rest.size();
        if (rest.compare(start, end - start, "..") == 0)
            return true;
        start = end + 1;
    }
    return false;
}

FSStatus status_from_errno(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return FS_STATUS_NOT_FOUND;
    case EISDIR:
        return FS_STATUS_NOT_FILE;
    case EACCES:
    case EPERM:
    case EROFS:
        return FS_STATUS_ACCESS_ERROR;
    case ENOSPC:
    case EDQUOT:
        return FS_STATUS_STORAGE_FULL;
    default:
        return FS_STATUS_MEDIA_ERROR;
    }
}

// `error`: the host's errno behind the failure, for the messages that name it.
FSStatus fail(FSClient* client, FSStatus status, int error = 0)
{
    if (client) {
        client->last_error = status;
        client->host_error = error;
    }
    return status;
}

FSStatus fail_errno(FSClient* client, int error)
{
    return fail(client, status_from_errno(error), error);
}

bool is_save_path(const std::string& path)
{
    std::string rest;
    return below(path, fs_save_root, rest);
}

// The bytes of the next write that the (simulated) disk takes.
size_t take_space(size_t wanted)
{
    int64_t left = free_space.load();
    while (left >= 0) {
        const int64_t taken = std::min<int64_t>(left, int64_t(std::min<size_t>(wanted, INT64_MAX)));
        if (free_space.compare_exchange_weak(left, left - taken))
            return size_t(taken);
    }
    return wanted;
}

HostFile* find_file(FSFileHandle handle)
{
    std::lock_guard<std::mutex> lock(table_mutex);
    if (handle <= 0 || size_t(handle) > open_files().size())
        return nullptr;
    return open_files()[handle - 1].get();
}

FSFileHandle add_file(std::unique_ptr<HostFile> file)
{
    std::lock_guard<std::mutex> lock(table_mutex);
    for (size_t i = 0; i < open_files().size(); ++i) {
        if (!open_files()[i]) {
            open_files()[i] = std::move(file);
            return FSFileHandle(i + 1);
        }
    }
    open_files().push_back(std::move(file));
    return FSFileHandle(open_files().size());
}

std::unique_ptr<HostFile> take_file(FSFileHandle handle)
{
    std::lock_guard<std::mutex> lock(table_mutex);
    if (handle <= 0 || size_t(handle) > open_files().size())
        return nullptr;
    return std::move(open_files()[handle - 1]);
}

FSStatus stat_status(const struct stat& info, FSStat* out)
{
    out->flags = S_ISDIR(info.st_mode) ? 1u : 0u;
    out->size = info.st_size > 0xFFFFFFFFll ? 0xFFFFFFFFu : uint32_t(info.st_size);
    out->modified = int64_t(info.st_mtime);
    return FS_STATUS_OK;
}

}  // namespace

std::string fs_host_path(const std::string& console_path)
{
    const ConsoleOptions& options = console_options();
    std::string rest;
    std::string root;
    if (below(console_path, fs_content_root, rest))
        root = options.content_dir;
    else if (below(console_path, fs_save_root, rest))
        root = options.save_dir.empty() ? console_default_save_dir() : options.save_dir;
    else
        return {};
    if (climbs_out(rest) || root.empty())
        return {};
    return rest.empty() ? root : root + "/" + rest;
}

void FSInit()
{
}

FSStatus FSAddClient(FSClient* client, uint32_t)
{
    client->id = next_client_id.fetch_add(1);
    client->last_error = FS_STATUS_OK;
    client->host_error = 0;
    client->notification = {};
    client->added = true;
    std::lock_guard<std::mutex> lock(table_mutex);
    clients.push_back(client);
    return FS_STATUS_OK;
}

void FSInitCmdBlock(FSCmdBlock* block)
{
    block->calls = 0;
}

void FSSetStateChangeNotification(FSClient* client, FSStateChangeParams* params)
{
    client->notification = params ? *params : FSStateChangeParams{};
}

FSStatus FSGetLastError(FSClient* client)
{
    return client ? client->last_error : FS_STATUS_INVALID;
}

FSStatus FSOpenFile(FSClient* client, FSCmdBlock* block, const char* path, const char* mode,
                    FSFileHandle* handle, uint32_t)
{
    count_opens.fetch_add(1);
    if (block)
        ++block->calls;
    if (!path || !mode || !handle || (mode[0] != 'r' && mode[0] != 'w'))
        return fail(client, FS_STATUS_INVALID, EINVAL);
    auto file = std::make_unique<HostFile>();
    file->path = fs_host_path(path);
    if (file->path.empty())
        return fail(client, FS_STATUS_NOT_FOUND, ENOENT);
    if (mode[0] == 'r') {
        file->fd = open(file->path.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat info;
        if (file->fd >= 0 && fstat(file->fd, &info) == 0 && S_ISDIR(info.st_mode)) {
            close(file->fd);
            return fail(client, FS_STATUS_NOT_FILE, EISDIR);
        }
    } else {
        // Only the save volume is writable. The new content goes to a file
        // beside the target and replaces it on close, so a write cut short
        // never leaves a partial file in place of a good one.
        if (!is_save_path(path))
            return fail(client, FS_STATUS_ACCESS_ERROR, EROFS);
        if (!fs_make_host_parents(file->path))
            return fail_errno(client, errno);
        file->writing = true;
        file->temp_path = file->path + ".part";
        // A ".part" left by a killed run is removed, and a fresh one made:
        // never written through a link that something else put there.
        unlink(file->temp_path.c_str());
        file->fd = open(file->temp_path.c_str(),
                        O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    }
    if (file->fd < 0)
        return fail_errno(client, errno);
    *handle = add_file(std::move(file));
    return FS_STATUS_OK;
}

FSStatus FSCloseFile(FSClient* client, FSCmdBlock* block, FSFileHandle handle, uint32_t)
{
    if (block)
        ++block->calls;
    std::unique_ptr<HostFile> file = take_file(handle);
    if (!file)
        return fail(client, FS_STATUS_INVALID, EBADF);
    if (!file->writing) {
        if (close(file->fd) != 0)
            return fail_errno(client, errno);
        return FS_STATUS_OK;
    }
    if (!file->write_errno && fsync(file->fd) != 0)
        file->write_errno = errno;
    if (close(file->fd) != 0 && !file->write_errno)
        file->write_errno = errno;
    // The bytes did not all reach the disk: the old file stays, the partial
    // one goes. The caller hears why from the client and says so.
    if (file->write_errno) {
        unlink(file->temp_path.c_str());
        return fail_errno(client, file->write_errno);
    }
    if (rename(file->temp_path.c_str(), file->path.c_str()) != 0) {
        const int error = errno;
        unlink(file->temp_path.c_str());
        return fail_errno(client, error);
    }
    return FS_STATUS_OK;
}

int32_t FSReadFileWithPos(FSClient* client, FSCmdBlock* block, void* destination, uint32_t size,
                          uint32_t count, uint32_t position, FSFileHandle handle, uint32_t,
                          uint32_t)
{
    count_reads.fetch_add(1);
    if (block)
        ++block->calls;
    HostFile* file = find_file(handle);
    if (!file || file->writing || !destination)
        return fail(client, FS_STATUS_INVALID);
    if (size == 0 || count == 0)
        return 0;
    const uint64_t total = uint64_t(size) * count;
    uint64_t done = 0;
    while (done < total) {
        const ssize_t got = pread(file->fd, static_cast<char*>(destination) + done, total - done,
                                  off_t(position) + off_t(done));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return fail_errno(client, errno);
        }
        if (got == 0)
            break;
        done += uint64_t(got);
    }
    return int32_t(done / size);
}

int32_t FSWriteFileWithPos(FSClient* client, FSCmdBlock* block, const void* source, uint32_t size,
                           uint32_t count, uint32_t position, FSFileHandle handle, uint32_t,
                           uint32_t)
{
    count_writes.fetch_add(1);
    if (block)
        ++block->calls;
    HostFile* file = find_file(handle);
    if (!file || !file->writing || !source)
        return fail(client, FS_STATUS_INVALID, EBADF);
    // Once a write has failed the file is lost; it takes no more bytes.
    if (!file->write_errno && !fs_host_write(file->fd, source, size_t(size) * count, position))
        file->write_errno = errno;
    if (file->write_errno)
        return fail_errno(client, file->write_errno);
    return size == 0 ? 0 : int32_t(count);
}

FSStatus FSGetStat(FSClient* client, FSCmdBlock* block, const char* path, FSStat* stat_out,
                   uint32_t)
{
    count_stats.fetch_add(1);
    if (block)
        ++block->calls;
    if (!path || !stat_out)
        return fail(client, FS_STATUS_INVALID);
    const std::string host = fs_host_path(path);
    struct stat info;
    if (host.empty())
        return fail(client, FS_STATUS_NOT_FOUND);
    if (stat(host.c_str(), &info) != 0)
        return fail_errno(client, errno);
    return stat_status(info, stat_out);
}

FSStatus FSGetStatFile(FSClient* client, FSCmdBlock* block, FSFileHandle handle, FSStat* stat_out,
                       uint32_t)
{
    count_stats.fetch_add(1);
    if (block)
        ++block->calls;
    HostFile* file = find_file(handle);
    struct stat info;
    if (!file || !stat_out)
        return fail(client, FS_STATUS_INVALID);
    if (fstat(file->fd, &info) != 0)
        return fail_errno(client, errno);
    return stat_status(info, stat_out);
}

FSStatus FSRename(FSClient* client, FSCmdBlock* block, const char* from, const char* to, uint32_t)
{
    if (block)
        ++block->calls;
    if (!from || !to || !is_save_path(from) || !is_save_path(to))
        return fail(client, FS_STATUS_ACCESS_ERROR, EROFS);
    const std::string host_from = fs_host_path(from);
    const std::string host_to = fs_host_path(to);
    if (host_from.empty() || host_to.empty())
        return fail(client, FS_STATUS_NOT_FOUND, ENOENT);
    if (rename(host_from.c_str(), host_to.c_str()) != 0)
        return fail_errno(client, errno);
    return FS_STATUS_OK;
}

FSStatus FSRemove(FSClient* client, FSCmdBlock* block, const char* path, uint32_t)
{
    if (block)
        ++block->calls;
    if (!path || !is_save_path(path))
        return fail(client, FS_STATUS_ACCESS_ERROR);
    const std::string host = fs_host_path(path);
    if (host.empty())
        return fail(client, FS_STATUS_NOT_FOUND);
    if (unlink(host.c_str()) != 0)
        return fail_errno(client, errno);
    return FS_STATUS_OK;
}

bool fs_check_content()
{
    const std::string& folder = console_options().content_dir;
    // The hint is for a run that took the default folder; one given by name
    // was meant.
    const char* const hint = console_options().content_given ? "" : " (give it with --content DIR)";
    struct stat info;
    if (stat(folder.c_str(), &info) != 0) {
        host_report("Could not open the content folder %s: %s%s\n", printable_text(folder).c_str(),
                    strerror(errno), hint);
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        host_report("The content folder %s is not a folder%s\n", printable_text(folder).c_str(), hint);
        return false;
    }
    const std::string assets = folder + "/Assets.dat";
    const int fd = open(assets.c_str(), O_RDONLY | O_CLOEXEC);
    char first = 0;
    const bool readable = fd >= 0 && pread(fd, &first, 1, 0) >= 0;
    const int error = errno;
    if (fd >= 0)
        close(fd);
    if (!readable) {
        host_report("Could not read %s: %s (the content folder must hold the game's Assets.dat)\n",
                    printable_text(assets).c_str(), strerror(error));
        return false;
    }
    return true;
}

bool fs_make_host_parents(const std::string& host_path)
{
    for (size_t slash = host_path.find('/', 1); slash != std::string::npos;
         slash = host_path.find('/', slash + 1)) {
        const std::string folder = host_path.substr(0, slash);
        if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

bool fs_host_write(int fd, const void* bytes, size_t size, uint64_t offset)
{
    size_t done = 0;
    while (done < size) {
        const size_t chunk = take_space(size - done);
        if (chunk == 0) {
            errno = ENOSPC;
            return false;
        }
        const ssize_t put = pwrite(fd, static_cast<const char*>(bytes) + done, chunk,
                                   off_t(offset + done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            if (put == 0)
                errno = ENOSPC;
            return false;
        }
        done += size_t(put);
    }
    return true;
}

void fs_limit_free_space(int64_t bytes)
{
    free_space.store(bytes < 0 ? -1 : bytes);
}

void fs_report_failed_save(const std::string& console_path, int error)
{
    const std::string host = fs_host_path(console_path);
    const std::string name = printable_text(host.empty() ? console_path : host);
    procui_fail_exit_status();
    {
        std::lock_guard<std::mutex> lock(table_mutex);
        if (!reported_saves().insert({name, error}).second)
            return;
    }
    host_report("Could not save %s: %s\n", name.c_str(), strerror(error));
}

void fs_forget_reported_saves()
{
    std::lock_guard<std::mutex> lock(table_mutex);
    reported_saves().clear();
}

FSCallCounts fs_call_counts()
{
    return {count_opens.load(), count_reads.load(), count_writes.load(), count_stats.load()};
}

void fs_notify_volume_state(FSVolumeState state)
{
    std::vector<FSClient*> targets;
    {
        std::lock_guard<std::mutex> lock(table_mutex);
        targets = clients;
    }
    for (FSClient* client : targets) {
        if (client->notification.callback)
            client->notification.callback(client, state, client->notification.context);
    }
}
