// An array file ("CNC ARRAY"), then the first writes after the load.
#include "objects/arrayext.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/harnesses.h"

int fuzz_array_file(const uint8_t* data, size_t size)
{
    fuzz_setup();
    const std::string path = put_fuzz_file("array.dat", data, size);
    for (const bool numeric : {true, false}) {
        ArrayObject array(0, 0, 10);
        array.initialize(numeric, 0, 1, 1, 1);
        array.load(path);
        // Each write just past an edge grows the array by one along that axis.
        const ArrayData& cells = array.data;
        const int b = cells.base;
        array.set_value(7, b + cells.x_size, b, b);
        array.set_string("seven", b, b + cells.y_size, b);
        array.set_value(8, b, b, b + cells.z_size);
        array.get_value(b, b, b);
        array.get_string(-1, -1, -1);
        array.clear();
    }
    return 0;
}
