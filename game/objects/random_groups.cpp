#include "game/objects/random_groups.h"

#include "console/os.h"

namespace seed_groups {
RandomState objects1;
RandomState objects2;
RandomState objects3;
RandomState objects4;
RandomState objects5;
RandomState record_counters;
}  // namespace seed_groups

void reset_class_seed_groups()
{
    for (RandomState* state : {&seed_groups::objects1, &seed_groups::objects2, &seed_groups::objects3,
                               &seed_groups::objects4, &seed_groups::objects5, &seed_groups::record_counters})
        *state = RandomState{};
}

unsigned RandomState::step()
{
    seed = seed * 214013u + 2531011u;
    return (seed >> 16) & 0x7FFFu;
}

int RandomState::direction()
{
    step();
    return int((seed >> 26) & 31u);
}

int RandomState::pick(std::initializer_list<int> values)
{
    if (values.size() == 0)
        OSReport("Invalid pick_random count!\n");
    const unsigned k = (unsigned(values.size()) * step()) >> 15;
    return k < values.size() ? values.begin()[k] : 0;
}
