#include "objects/arrayext.h"

#include "base/pools.h"
#include "base/size_policy.h"
#include "base/stream.h"
#include "platform/files.h"
#include "runtime/values.h"

#include "console/fs.h"
#include "console/os.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <utility>

namespace {

const std::string array_magic("CNC ARRAY\0", 10);
constexpr short major_version = 2;
constexpr short minor_version = 0;
constexpr int flag_numeric = 1;
constexpr int flag_base_one = 4;

// The cell count of the sizes, or -1 when a size is negative or the count
// is past what an array may hold.
int64_t cell_count(int64_t x_size, int64_t y_size, int64_t z_size)
{
    for (const int64_t size : {x_size, y_size, z_size})
        if (size < 0 || size > max_array_cells)
            return -1;
    int64_t count = x_size;
    for (const int64_t size : {y_size, z_size}) {
        if (size != 0 && count > max_array_cells / size)
            return -1;
        count *= size;
    }
    return count;
}

// A file's sizes: all zero for an empty array, else none zero. A zero beside
// other sizes holds no cells, yet the first write would grow the other sides
// into an array of their whole product.
bool file_sizes_agree(int x_size, int y_size, int z_size)
{
    const bool all_zero = x_size == 0 && y_size == 0 && z_size == 0;
    return all_zero || (x_size != 0 && y_size != 0 && z_size != 0);
}

int remove_base(int coordinate, int base)
{
    // Wide, so that the most negative coordinate cannot overflow.
    return int(std::max<int64_t>(int64_t(coordinate) - base, INT_MIN));
}

// Writes the bytes to a temporary file beside the target and renames it into
// place only once every byte is on the volume, so that neither a failed write
// nor a process killed halfway leaves a truncated file where a good one was.
// BaseFile is not used because it does not report failed writes or closes.
// False with the host's reason (errno) in `error`.
bool replace_file(const std::string& target, const std::string& bytes, int& error)
{
    error = EFBIG;
    if (bytes.size() > size_t(INT32_MAX))
        return false;
    const std::string temporary = target + ".tmp";
    FSClientData* fs = get_fs_data(2);
    ClientLock lock(fs);
    // Why the call just made failed, as the host said it.
    const auto reason = [fs] { return fs->client.host_error ? fs->client.host_error : EIO; };
    FSFileHandle handle = 0;
    if (FSOpenFile(&fs->client, &fs->command_block, temporary.c_str(), "w", &handle,
                   FS_ERROR_FLAG_ALL) != FS_STATUS_OK) {
        error = reason();
        return false;
    }
    const int32_t written = FSWriteFileWithPos(&fs->client, &fs->command_block, bytes.data(), 1,
                                               uint32_t(bytes.size()), 0, handle, 0, FS_ERROR_FLAG_ALL);
    bool whole = written == int32_t(bytes.size());
    if (!whole)
        error = reason();
    const FSStatus closed = FSCloseFile(&fs->client, &fs->command_block, handle, FS_ERROR_FLAG_ALL);
    if (whole && closed != FS_STATUS_OK) {
        whole = false;
        error = reason();
    }
    if (whole && FSRename(&fs->client, &fs->command_block, temporary.c_str(), target.c_str(),
                          FS_ERROR_FLAG_ALL) != FS_STATUS_OK) {
        whole = false;
        error = reason();
    }
    if (whole)
        return true;
    FSRemove(&fs->client, &fs->command_block, temporary.c_str(), FS_ERROR_FLAG_ALL);
    return false;
}

unsigned int bytes_left(BaseFile& file)
{
    return file.get_size() - file.tell();
}

// The sizes, kind and cells of an array file after its version fields; false
// (with a console line) when the file is damaged or holds the other kind.
bool read_cells(BaseFile& file, FileStream& stream, const std::string& path, bool numeric,
                ArrayData& out)
{
    out.x_size = stream.read_int32();
    out.y_size = stream.read_int32();
    out.z_size = stream.read_int32();
    const int flags = stream.read_int32();
    out.base = (flags & flag_base_one) ? 1 : 0;
    out.numeric = (flags & flag_numeric) != 0;
    const int64_t count = cell_count(out.x_size, out.y_size, out.z_size);
    // Every cell takes at least four bytes, so larger counts cannot be in the file.
    if (count < 0 || count > int64_t(bytes_left(file)) / 4 ||
        !file_sizes_agree(out.x_size, out.y_size, out.z_size)) {
        OSReport("Invalid array size: %s\n", printable_text(path).c_str());
        return false;
    }
    if (out.numeric != numeric) {
        OSReport("Invalid array kind: %s\n", printable_text(path).c_str());
        return false;
    }
    if (out.numeric) {
        out.values.resize(size_t(count));
        for (int& value : out.values)
            value = stream.read_int32();
        return true;
    }
    out.strings.resize(size_t(count));
    for (std::string& cell : out.strings) {
        const int length = bytes_left(file) >= 4 ? stream.read_int32() : -1;
        if (length < 0 || unsigned(length) > bytes_left(file)) {
            OSReport("Invalid array string: %s\n", printable_text(path).c_str());
            return false;
        }
        stream.read_string(cell, unsigned(length));
    }
    return true;
}

}  // namespace

std::string encode_array_file(const ArrayData& data)
{
    WriteStream out;
    out.write_string(array_magic);
    out.write_int16(major_version);
    out.write_int16(minor_version);
    out.write_int32(data.x_size);
    out.write_int32(data.y_size);
    out.write_int32(data.z_size);
    out.write_int32((data.numeric ? flag_numeric : 0) | (data.base != 0 ? flag_base_one : 0));
    if (data.numeric) {
        for (const int value : data.values)
            out.write_int32(value);
    } else {
        for (const std::string& cell : data.strings) {
            out.write_int32(int(cell.size()));
            out.write_string(cell);
        }
    }
    return out.stream.str();
}

ArrayObject::ArrayObject(int x, int y, int type_id) : FrameObject(x, y, type_id)
{
}

ArrayObject::~ArrayObject()
{
    // A kept array hands its cells back to its class's record.
    if (saved)
        saved->data = std::move(data);
}

void ArrayObject::dealloc()
{
    this->~ArrayObject();
    object_pool<ArrayObject>.destroy(this);
}

void ArrayObject::initialize(bool numeric, int base, int x_size, int y_size, int z_size)
{
    const int64_t count = cell_count(x_size, y_size, z_size);
    if (count < 0) {
        OSReport("Invalid array size: %d x %d x %d\n", x_size, y_size, z_size);
        return;
    }
    data.base = base;
    data.current_x = data.current_y = data.current_z = base;
    data.x_size = x_size;
    data.y_size = y_size;
    data.z_size = z_size;
    data.numeric = numeric;
    data.values.clear();
    data.strings.clear();
    if (numeric)
        data.values.assign(size_t(count), 0);
    else
        data.strings.assign(size_t(count), std::string());
}

void ArrayObject::keep_data(SavedArrayData& record, bool numeric, int base, int x_size, int y_size,
                            int z_size)
{
    saved = &record;
    if (!record.initialised) {
        record.initialised = true;
        initialize(numeric, base, x_size, y_size, z_size);
        return;
    }
    // The record keeps no sizes without its cells: an instance made while
    // this one lives starts empty instead of reading cells that are not there.
    data = std::exchange(record.data, ArrayData());
}

void ArrayObject::clear()
{
    if (data.numeric)
        std::fill(data.values.begin(), data.values.end(), 0);
    else
        std::fill(data.strings.begin(), data.strings.end(), std::string());
}

void ArrayObject::adjust_pos(int& x, int& y, int& z) const
{
    if (x == -1)
        x = data.current_x;
    if (y == -1)
        y = data.current_y;
    if (z == -1)
        z = data.current_z;
    x = remove_base(x, data.base);
    y = remove_base(y, data.base);
    z = remove_base(z, data.base);
}

bool ArrayObject::is_valid(int x, int y, int z) const
{
    return x >= 0 && x < data.x_size && y >= 0 && y < data.y_size && z >= 0 && z < data.z_size;
}

int ArrayObject::get_index(int x, int y, int z) const
{
    return x + y * data.x_size + z * data.x_size * data.y_size;
}

bool ArrayObject::expand(int x, int y, int z)
{
    const int64_t wide_x = std::max<int64_t>(int64_t(x) + 1, data.x_size);
    const int64_t wide_y = std::max<int64_t>(int64_t(y) + 1, data.y_size);
    const int64_t wide_z = std::max<int64_t>(int64_t(z) + 1, data.z_size);
    if (wide_x == data.x_size && wide_y == data.y_size && wide_z == data.z_size)
        return true;
    const int64_t count = cell_count(wide_x, wide_y, wide_z);
    if (count < 0) {
        OSReport("Invalid array size: %lld x %lld x %lld\n", static_cast<long long>(wide_x),
                 static_cast<long long>(wide_y), static_cast<long long>(wide_z));
        return false;
    }
    const int nx = int(wide_x), ny = int(wide_y), nz = int(wide_z);
    const int old_x = data.x_size, old_y = data.y_size, old_z = data.z_size;
    std::vector<int> old_values = std::move(data.values);
    std::vector<std::string> old_strings = std::move(data.strings);
    data.x_size = nx;
    data.y_size = ny;
    data.z_size = nz;
    data.values.clear();
    data.strings.clear();
    if (data.numeric)
        data.values.assign(size_t(count), 0);
    else
        data.strings.assign(size_t(count), std::string());
    // Every old cell keeps its coordinates at its new linear index.
    int old_index = 0;
    for (int oz = 0; oz < old_z; ++oz) {
        for (int oy = 0; oy < old_y; ++oy) {
            for (int ox = 0; ox < old_x; ++ox, ++old_index) {
                const int index = get_index(ox, oy, oz);
                if (data.numeric)
                    data.values[size_t(index)] = old_values[size_t(old_index)];
                else
                    data.strings[size_t(index)] = std::move(old_strings[size_t(old_index)]);
            }
        }
    }
    return true;
}

int ArrayObject::get_value(int x, int y, int z)
{
    adjust_pos(x, y, z);
    if (!data.numeric || !is_valid(x, y, z))
        return 0;
    return data.values[size_t(get_index(x, y, z))];
}

const std::string& ArrayObject::get_string(int x, int y, int z)
{
    adjust_pos(x, y, z);
    if (data.numeric || !is_valid(x, y, z))
        return shared_empty_string();
    return data.strings[size_t(get_index(x, y, z))];
}

void ArrayObject::set_value(int value, int x, int y, int z)
{
    adjust_pos(x, y, z);
    // A coordinate below the base lies before the first cell: nothing to grow into.
    if (!data.numeric || x < 0 || y < 0 || z < 0 || !expand(x, y, z))
        return;
    data.values[size_t(get_index(x, y, z))] = value;
}

void ArrayObject::set_string(const std::string& value, int x, int y, int z)
{
    adjust_pos(x, y, z);
    if (data.numeric || x < 0 || y < 0 || z < 0 || !expand(x, y, z))
        return;
    data.strings[size_t(get_index(x, y, z))] = value;
}

void ArrayObject::load(const std::string& path)
{
    BaseFile file(path.c_str(), "r");
    if (!file.is_open()) {
        OSReport("Could not load data.array %s\n", printable_text(path).c_str());
        return;
    }
    FileStream stream(file);
    std::string magic;
    stream.read_string(magic, unsigned(array_magic.size()));
    if (magic != array_magic) {
        OSReport("Invalid CT_ARRAY_MAGIC: %s\n", printable_text(path).c_str());
        // The field is a C string: the zeros that end it are no part of the name.
        const std::string name = magic.substr(0, magic.find_last_not_of('\0') + 1);
        OSReport("%s %s\n", printable_text(name).c_str(), array_magic.c_str());
        return;
    }
    if (stream.read_int16() != major_version) {
        OSReport("Invalid ARRAY_MAJOR_VERSION\n");
        return;
    }
    if (stream.read_int16() != minor_version) {
        OSReport("Invalid ARRAY_MINOR_VERSION\n");
        return;
    }
    ArrayData loaded;
    if (!read_cells(file, stream, path, data.numeric, loaded))
        return;
    // A load keeps the current position.
    loaded.current_x = data.current_x;
    loaded.current_y = data.current_y;
    loaded.current_z = data.current_z;
    data = std::move(loaded);
}

void ArrayObject::save(const std::string& path)
{
    const std::string target = convert_path(path);
    int error = 0;
    if (replace_file(target, encode_array_file(data), error))
        return;
    const bool full = error == ENOSPC || error == EDQUOT;
    OSReport("Could not save data.array %s%s\n", printable_text(path).c_str(),
             full ? ": the disk is full" : "");
    fs_report_failed_save(target, error);
}
