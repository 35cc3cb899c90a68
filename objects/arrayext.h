// Three-dimensional tables of int or string cells, their growth, their
// keeping across frames, and the array file format ("CNC ARRAY" 2.0).
#pragma once

#include "runtime/frameobject.h"

#include <string>
#include <vector>

struct ArrayData {
    int base = 0;  // subtracted from every coordinate a caller passes
    bool numeric = false;
    std::vector<int> values;           // the cells while numeric
    std::vector<std::string> strings;  // the cells while not numeric
    int x_size = 0, y_size = 0, z_size = 0;
    int current_x = 0, current_y = 0, current_z = 0;  // caller coordinates
};

// The class-static record through which a generated array class keeps its
// cells from one frame to the next.
struct SavedArrayData {
    bool initialised = false;
    ArrayData data;
};

class ArrayObject : public FrameObject {
public:
    ArrayData data;
    SavedArrayData* saved = nullptr;

    ArrayObject(int x, int y, int type_id);
    ~ArrayObject() override;
    void dealloc() override;

    void initialize(bool numeric, int base, int x_size, int y_size, int z_size);
    // The generated classes' recipe: the first instance of the run
    // initialises the record's array, later ones take over its cells.
    void keep_data(SavedArrayData& record, bool numeric, int base, int x_size, int y_size,
                   int z_size);
    void clear();

    int get_value(int x, int y, int z);
    const std::string& get_string(int x, int y, int z);
    void set_value(int value, int x, int y, int z);
    void set_string(const std::string& value, int x, int y, int z);

    void load(const std::string& path);
    void save(const std::string& path);

private:
    void adjust_pos(int& x, int& y, int& z) const;
    bool is_valid(int x, int y, int z) const;
    int get_index(int x, int y, int z) const;
    bool expand(int x, int y, int z);
};

// The bytes of an array file holding `data`.
std::string encode_array_file(const ArrayData& data);
