#include "runtime/values.h"

#include "console/os.h"

#include <cmath>
#include <cstring>

std::string& discarded_string()
{
    static std::string scratch;
    scratch.clear();
    return scratch;
}

const std::string& shared_empty_string()
{
    static const std::string empty;
    return empty;
}

int GlobalValues::get_int(unsigned index) const
{
    if (index >= values.size())
        return 0;
    // The events read a NaN global as the lowest integer, not as the 0 that
    // the shared conversion gives.
    const double value = values[index];
    return std::isnan(value) ? INT32_MIN : saturate_to_int(value);
}

namespace {
// Far beyond any index the events use; a larger one is a computed index gone
// wrong (a negative number taken as unsigned) and would exhaust the heap.
constexpr unsigned max_global_index = 65535;

bool valid_global_index(unsigned index)
{
    if (index <= max_global_index)
        return true;
    OSReport("Invalid global index: %u\n", index);
    return false;
}
}  // namespace

void GlobalValues::set(unsigned index, double value)
{
    if (!valid_global_index(index))
        return;
    if (index >= values.size())
        values.resize(size_t(index) + 1, 0.0);
    values[index] = value;
}

void GlobalStrings::set(unsigned index, const std::string& value)
{
    if (!valid_global_index(index))
        return;
    if (index >= values.size())
        values.resize(size_t(index) + 1);
    values[index] = value;
}

// Handle table ---------------------------------------------------------------
//
// A handle is (generation << 20) | (slot + 1). The low 20 bits are never 0, so
// no handle encodes to the numbers 0.0 or -1.0 that stand for "no instance",
// and a released slot's old handles stop matching once its generation moves on.

namespace {

constexpr uint32_t slot_bits = 20;
constexpr uint32_t slot_mask = (1u << slot_bits) - 1;
constexpr uint32_t max_slots = slot_mask;  // slot + 1 must fit in the low bits

struct HandleSlot {
    FrameObject* object;
    uint32_t generation;
};

struct HandleTable {
    std::vector<HandleSlot> slots;
    std::vector<uint32_t> free_slots;
};

HandleTable& handle_table()
{
    // Never destroyed: instances released during exit still give their slots back.
    static HandleTable& table = *new HandleTable;
    return table;
}

uint32_t make_handle(uint32_t slot, uint32_t generation)
{
    return (generation << slot_bits) | (slot + 1);
}

}  // namespace

uint32_t register_fixed_handle(FrameObject* object)
{
    HandleTable& table = handle_table();
    uint32_t slot;
    if (!table.free_slots.empty()) {
        slot = table.free_slots.back();
        table.free_slots.pop_back();
    } else {
        if (table.slots.size() >= max_slots) {
            OSReport("Too many instance handles\n");
            return 0;
        }
        slot = uint32_t(table.slots.size());
        table.slots.push_back({nullptr, 0});
    }
    table.slots[slot].object = object;
    return make_handle(slot, table.slots[slot].generation);
}

void release_fixed_handle(uint32_t handle)
{
    HandleTable& table = handle_table();
    const uint32_t low = handle & slot_mask;
    if (low == 0 || low > table.slots.size())
        return;
    HandleSlot& slot = table.slots[low - 1];
    if (make_handle(low - 1, slot.generation) != handle)
        return;
    slot.object = nullptr;
    slot.generation = (slot.generation + 1) & ((1u << (32 - slot_bits)) - 1);
    table.free_slots.push_back(low - 1);
}

FrameObject* fixed_handle_object(uint32_t handle)
{
    const HandleTable& table = handle_table();
    const uint32_t low = handle & slot_mask;
    if (low == 0 || low > table.slots.size())
        return nullptr;
    const HandleSlot& slot = table.slots[low - 1];
    return make_handle(low - 1, slot.generation) == handle ? slot.object : nullptr;
}

double fixed_handle_to_double(uint32_t handle)
{
    const uint64_t high = uint64_t((handle & 0x7FFFFFFFu) ^ 0x78000000u);
    const uint64_t low = handle >> 31;
    const uint64_t bits = high << 32 | low;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

uint32_t fixed_handle_from_double(double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const uint32_t high = uint32_t(bits >> 32);
    const uint32_t low = uint32_t(bits);
    return (high ^ 0x78000000u) | ((low & 1u) << 31);
}

FixedValue::operator double() const
{
    return fixed_handle_to_double(handle);
}

FrameObject* get_object_from_fixed(double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    constexpr uint64_t positive_zero = 0;
    constexpr uint64_t minus_one = 0xBFF0000000000000ull;
    if (bits == positive_zero || bits == minus_one)
        return nullptr;
    return fixed_handle_object(fixed_handle_from_double(value));
}
