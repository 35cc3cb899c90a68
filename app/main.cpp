// quorvella: starts the platform, reads the asset file's tables and runs
// until the console says the application exits.
#include "console/options.h"
#include "console/procui.h"
#include "platform/platform.h"
#include "runtime/assetfile.h"

int main(int argc, char** argv)
{
    if (!console_parse_options(argc, argv))
        return 2;
    procui_install_signal_handlers();
    platform_init();
    {
        AssetFile assets;
        assets.open();
        assets.set_item(0, AssetFile::SOUND_DATA);
    }
    while (true) {
        platform_poll_events();
        if (platform_display_closed())
            break;
    }
    platform_exit();
    return 0;
}
