// Files still open when the program exits are closed by the destructors of
// the statics that hold them (the asset and shader files), whose order
// against the file system's own statics depends on the link order.
#include "console/fs.h"

#include "tests/support/volumes.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct OpenAtExit {
    ~OpenAtExit()
    {
        if (handle)
            FSCloseFile(&client, &block, handle, FS_ERROR_FLAG_NONE);
    }
    FSClient client{};
    FSCmdBlock block{};
    FSFileHandle handle = 0;
};

// Made before the file system's statics (this unit comes first on the link
// line), so destroyed after them, like the graphics library's open files.
OpenAtExit open_at_exit;

}  // namespace

TEST(FileSystemAtExit, a_file_closed_by_a_static_destructor_after_the_file_system_closes_cleanly)
{
    TempVolumes volumes;
    volumes.put_content("Assets.dat", "items");
    EXPECT_EXIT(
        {
            FSAddClient(&open_at_exit.client, FS_ERROR_FLAG_NONE);
            FSInitCmdBlock(&open_at_exit.block);
            const std::string path = std::string(fs_content_root) + "/Assets.dat";
            if (FSOpenFile(&open_at_exit.client, &open_at_exit.block, path.c_str(), "r", &open_at_exit.handle,
                           FS_ERROR_FLAG_NONE) != FS_STATUS_OK)
                std::_Exit(3);
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
}
