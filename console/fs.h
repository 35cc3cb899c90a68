// The console's file system, realised on host folders. The content volume's
// game folder and the save volume map to the folders of the run options;
// no other path reaches the host.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

using FSStatus = int32_t;
using FSFileHandle = int32_t;

enum : FSStatus {
    FS_STATUS_OK = 0,
    FS_STATUS_NOT_FOUND = -6,
    FS_STATUS_NOT_FILE = -7,
    FS_STATUS_ACCESS_ERROR = -9,
    FS_STATUS_STORAGE_FULL = -12,
    FS_STATUS_MEDIA_ERROR = -17,
    FS_STATUS_INVALID = -64,  // bad handle, mode or arguments
};

// Error masks: which failures a call hands back to its caller.
enum : uint32_t {
    FS_ERROR_FLAG_NONE = 0,
    FS_ERROR_FLAG_NOT_FOUND = 8,
    FS_ERROR_FLAG_ALL = 0xFFFFFFFFu,
};

enum FSVolumeState : int32_t {
    FS_VOLUME_STATE_INITIAL = 0,
    FS_VOLUME_STATE_READY = 1,
    FS_VOLUME_STATE_NO_MEDIA = 2,
    FS_VOLUME_STATE_MEDIA_ERROR = 4,
};

struct FSClient;
using FSStateChangeCallback = void (*)(FSClient* client, FSVolumeState state, void* context);

struct FSStateChangeParams {
    FSStateChangeCallback callback;
    void* context;
    void* message_queue;
};

struct FSClient {
    uint32_t id;
    FSStatus last_error;
    int host_error;  // the host's errno behind last_error; 0 when it has none
    FSStateChangeParams notification;
    bool added;
};

struct FSCmdBlock {
    uint32_t calls;  // commands issued with this block
};

struct FSStat {
    uint32_t flags;  // 1: directory
    uint32_t size;   // bytes
    int64_t modified;
};

void FSInit();
FSStatus FSAddClient(FSClient* client, uint32_t error_mask);
void FSInitCmdBlock(FSCmdBlock* block);
void FSSetStateChangeNotification(FSClient* client, FSStateChangeParams* params);
FSStatus FSGetLastError(FSClient* client);

// Modes "r" (read) and "w" (create or replace; the old file stays in place
// until the new one is closed, and for good when a write to it failed:
// the close then returns the write's failure). A failed call leaves its
// status in the client's last_error and the host's errno in host_error.
FSStatus FSOpenFile(FSClient* client, FSCmdBlock* block, const char* path, const char* mode,
                    FSFileHandle* handle, uint32_t error_mask);
FSStatus FSCloseFile(FSClient* client, FSCmdBlock* block, FSFileHandle handle, uint32_t error_mask);
// Both return the count of whole elements moved, or a negative status.
int32_t FSReadFileWithPos(FSClient* client, FSCmdBlock* block, void* destination, uint32_t size,
                          uint32_t count, uint32_t position, FSFileHandle handle, uint32_t flags,
                          uint32_t error_mask);
int32_t FSWriteFileWithPos(FSClient* client, FSCmdBlock* block, const void* source, uint32_t size,
                           uint32_t count, uint32_t position, FSFileHandle handle, uint32_t flags,
                           uint32_t error_mask);
FSStatus FSGetStat(FSClient* client, FSCmdBlock* block, const char* path, FSStat* stat,
                   uint32_t error_mask);
FSStatus FSGetStatFile(FSClient* client, FSCmdBlock* block, FSFileHandle handle, FSStat* stat,
                       uint32_t error_mask);
FSStatus FSRename(FSClient* client, FSCmdBlock* block, const char* from, const char* to,
                  uint32_t error_mask);
FSStatus FSRemove(FSClient* client, FSCmdBlock* block, const char* path, uint32_t error_mask);

// Host side ----------------------------------------------------------------

// The console path of the content volume's game folder.
extern const char* const fs_content_root;  // "/vol/content/Quorvella - Rored Azezara"
extern const char* const fs_save_root;     // "/vol/save"

// The host path for a console path; empty when the path lies outside both
// volumes or climbs out of them with "..".
std::string fs_host_path(const std::string& console_path);

// Start-up: the content folder exists and its Assets.dat can be read;
// false (one console line naming the host path) otherwise.
bool fs_check_content();

// Host files written outside the volumes (pictures, sound) go through the
// same writer as the save volume, so one limit simulates a full disk.
// Creates the missing folders above a host file path; false with errno set.
bool fs_make_host_parents(const std::string& host_path);
// Writes all `size` bytes at `offset`; false with errno set (ENOSPC when
// the disk is full).
bool fs_host_write(int fd, const void* bytes, size_t size, uint64_t offset);
// Tests: the disk takes only `bytes` more bytes of writes, then is full;
// negative: no limit.
void fs_limit_free_space(int64_t bytes);

// A save to `console_path` failed with the host error `error`: one line on
// standard error naming the host path and the reason, once per file and
// reason, and the run ends with exit status 1. The game plays on.
void fs_report_failed_save(const std::string& console_path, int error);
// Tests: failed saves are reported again.
void fs_forget_reported_saves();

// Counts of file-system commands, for tests that check how often the disc is read.
struct FSCallCounts {
    uint64_t opens;
    uint64_t reads;
    uint64_t writes;
    uint64_t stats;
};
FSCallCounts fs_call_counts();

// Tells every registered client that its volume changed state.
void fs_notify_volume_state(FSVolumeState state);
