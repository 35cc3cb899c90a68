#include "tests/objects/kinds_fixture.h"

OneLayerFrame::OneLayerFrame()
{
    width = virtual_width = 1000;
    height = virtual_height = 1000;
    index = 0;
    layers.resize(1);
    layers[0].init(0, 1.0, 1.0, true, false, false);
}
