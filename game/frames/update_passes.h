// The per-tick update of the instances: nine passes, one per combination of
// object kind, handling outside the view and movement, each walking its
// slice of the update table. The table is generated from
// game/frames/update_table.tsv.
#pragma once

#include "runtime/lists.h"

constexpr int update_list_count = 280;

using UpdatePass = void (*)(ObjectList** lists, int count);

struct UpdateSlice {
    const char* name;
    UpdatePass pass;
    int first;  // the slice's first row of the table
    int count;
};

constexpr int update_slice_count = 9;
// The slices in the order the passes run.
extern const UpdateSlice update_slices[update_slice_count];
// The object type of each row of the table, slice after slice.
extern const int update_table_type_ids[update_list_count];

// Each pass updates every instance of its lists that is not flagged
// destroyed, instances that join a list during the pass included.
// Bitmap texts: deactivated outside the view / also destroyed far outside.
void update_textblitter_1(ObjectList** lists, int count);
void update_textblitter_5(ObjectList** lists, int count);
// Sprites with a movement: wherever they are / destroyed far outside.
void update_active_6(ObjectList** lists, int count);
void update_active_7(ObjectList** lists, int count);
// Sprites: destroyed far outside / deactivated outside / wherever they are.
void update_active_2(ObjectList** lists, int count);
void update_active_3(ObjectList** lists, int count);
void update_active_0(ObjectList** lists, int count);
// Counters with a movement: only the movement steps.
void update_counter_4(ObjectList** lists, int count);
// Sprites with a movement, deactivated outside the view.
void update_active_8(ObjectList** lists, int count);

// Points table[i] at instances[update_table_type_ids[i]].
void fill_update_table(InstanceMap& instances, ObjectList** table);
// Runs the nine passes in order over their slices of the table.
void run_update_passes(ObjectList** table);
