#include "tests/objects/kinds_fixture.h"

#include "console/gpu.h"
#include "graphics/render.h"

OneLayerFrame::OneLayerFrame()
{
    width = virtual_width = 1000;
    height = virtual_height = 1000;
    index = 0;
    layers.resize(1);
    layers[0].init(0, 1.0, 1.0, true, false, false);
}

bool scissor_is_full_view()
{
    const int32_t* s = gx2_current_state().scissor;
    return s[0] == render_data.view_x && s[1] == render_data.view_y && s[2] == render_data.view_width &&
           s[3] == render_data.view_height;
}
