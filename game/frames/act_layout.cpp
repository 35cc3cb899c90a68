#include "game/frames/act_layout.h"

#include "console/os.h"
#include "game/objects/class_lookup.h"

#include <set>
#include <tuple>

namespace {

using RowKey = std::tuple<const ClassInfo*, int, int, bool, int>;

RowKey key_of(const LayoutRow& row) { return {row.info, row.x, row.y, row.background, row.layer}; }

// Layer by layer, background objects first: the order the files keep.
int section_of(const LayoutRow& row) { return row.layer * 2 + (row.background ? 0 : 1); }

constexpr int section_count = 16;

}  // namespace

std::vector<LayoutRow> fixed_layout(int act)
{
    std::vector<LayoutRow> rows;
    for (const FixedLayoutRow& fixed : fixed_layout_rows(act)) {
        const ClassInfo* info = find_class(fixed.class_name);
        if (!info) {
            OSReport("Act %d fixed layout: unknown class %s\n", act, fixed.class_name);
            continue;
        }
        rows.push_back(LayoutRow{info, fixed.x, fixed.y, fixed.background, fixed.layer, 0});
    }
    return rows;
}

std::vector<LayoutRow> merge_level_layout(const std::vector<LayoutRow>& fixed,
                                          const std::vector<LayoutRow>& file_rows)
{
    std::set<RowKey> fixed_keys;
    for (const LayoutRow& row : fixed)
        fixed_keys.insert(key_of(row));

    std::vector<LayoutRow> merged;
    merged.reserve(fixed.size() + file_rows.size());
    for (int section = 0; section < section_count; ++section) {
        std::vector<const LayoutRow*> pending;
        for (const LayoutRow& row : fixed)
            if (section_of(row) == section)
                pending.push_back(&row);
        size_t next = 0;
        for (const LayoutRow& row : file_rows) {
            if (section_of(row) != section)
                continue;
            const RowKey key = key_of(row);
            size_t match = next;
            while (match < pending.size() && key_of(*pending[match]) != key)
                ++match;
            if (match < pending.size()) {
                // The fixed rows the file skipped come first, in their order.
                while (next <= match)
                    merged.push_back(*pending[next++]);
                continue;
            }
            // A fixed row out of its order or again: it is placed once.
            if (!fixed_keys.count(key))
                merged.push_back(row);
        }
        for (; next < pending.size(); ++next)
            merged.push_back(*pending[next]);
    }
    return merged;
}

void place_act_layout(Frame& frame, int act, const char* path)
{
    place_level_layout(frame, merge_level_layout(fixed_layout(act), read_level_layout(path)));
}
