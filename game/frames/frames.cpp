#include "game/frames/frames.h"

#include "console/os.h"
#include "game/frames/event_index.h"
#include "game/objects/classes.h"

Frames::Frames(DescriptorTable table) : descriptors(table)
{
    fill_update_table(instances, update_table);
}

void Frames::update_objects()
{
    run_update_passes(update_table);
}

void Frames::set_index(int new_index)
{
    data = descriptors()[new_index];
    data->frame = this;
}

void Frames::reset_run_state()
{
    reset();
    width = height = virtual_width = virtual_height = 0;
    index = -1;
    background_color = Color();
    loops = nullptr;
    data = nullptr;
    timer_base = 0;
    timer_mul = 0.0f;
    col_instance_1 = col_instance_2 = nullptr;
    reset_event_members();
    reset_event_seed_groups();
    reset_class_seed_groups();
    reset_kept_records();
}

void Frames::set_up_header(int frame_index, int frame_width, int frame_height, Color background)
{
    width = virtual_width = frame_width;
    height = virtual_height = frame_height;
    index = frame_index;
    background_color = background;
    timer_base = 0;
}

void Frames::set_up_layers(std::initializer_list<LayerSetUp> layer_set_ups)
{
    layers.resize(layer_set_ups.size());
    int layer_index = 0;
    for (const LayerSetUp& set_up : layer_set_ups) {
        layers[size_t(layer_index)].init(layer_index, set_up.x_coefficient, set_up.y_coefficient, set_up.visible,
                                         set_up.wrap_x, set_up.wrap_y);
        ++layer_index;
    }
}

void Frames::run_named_loop(const std::string& name, int count)
{
    if (const DynamicLoop* entry = find_loop(name))
        run_passes(*entry->running, *entry->index, count, entry->entry);
}

void Frames::report_open_loop_cut_off(const char* name)
{
    OSReport("Fast loop %s did not stop after %d passes\n", name, open_loop_pass_limit);
}
