// Alterable values and strings of instances, global values and strings of
// the game, and instance handles carried as numbers.
#pragma once

#include "base/saturate.h"

#include <cstdint>
#include <string>
#include <vector>

class FrameObject;

struct AlterableValues {
    static constexpr unsigned count = 26;
    double values[count] = {};

    double get(unsigned index) const { return index < count ? values[index] : 0.0; }
    void set(unsigned index, double value)
    {
        if (index < count)
            values[index] = value;
    }
};

// The string handed out for reads and writes past the end: reads see an empty
// string, writes land in a scratch string that is emptied again on every use,
// so they never reach the shared empty constant.
std::string& discarded_string();
const std::string& shared_empty_string();

struct AlterableStrings {
    static constexpr unsigned count = 10;
    std::string values[count];

    const std::string& get(unsigned index) const
    {
        return index < count ? values[index] : shared_empty_string();
    }
    std::string& get(unsigned index) { return index < count ? values[index] : discarded_string(); }
};

struct Alterables {
    AlterableStrings strings;
    AlterableValues values;
    int32_t flags = 0;
};

class GlobalValues {
public:
    double get(unsigned index) const { return index < values.size() ? values[index] : 0.0; }
    int get_int(unsigned index) const;
    void set(unsigned index, double value);
    size_t size() const { return values.size(); }

private:
    std::vector<double> values;
};

class GlobalStrings {
public:
    const std::string& get(unsigned index) const
    {
        return index < values.size() ? values[index] : shared_empty_string();
    }
    std::string& get(unsigned index) { return index < values.size() ? values[index] : discarded_string(); }
    void set(unsigned index, const std::string& value);
    size_t size() const { return values.size(); }

private:
    std::vector<std::string> values;
};

// An instance carried as a number. The handle is a slot of the table of
// instances that were ever asked for their number: on a 64-bit host an
// address does not fit in 32 bits, so handles are table slots, never
// truncated pointers.
struct FixedValue {
    uint32_t handle;

    explicit FixedValue(FrameObject* object);
    explicit FixedValue(uint32_t raw) : handle(raw) {}
    operator double() const;
};

double fixed_handle_to_double(uint32_t handle);
uint32_t fixed_handle_from_double(double value);
// The instance of a handle's slot; null for a slot that was released.
FrameObject* fixed_handle_object(uint32_t handle);
// A new slot for the instance; 0 when the table is full.
uint32_t register_fixed_handle(FrameObject* object);
// Called from the instance's destructor: the slot no longer names it.
void release_fixed_handle(uint32_t handle);
FrameObject* get_object_from_fixed(double value);
