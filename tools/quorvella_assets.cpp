// Command-line front end of the asset-file writer.
//   quorvella-assets OUT [--programs] [--preload H,H,...] [--item KIND ID FILE]... [--file ID FILE]...
//   quorvella-assets --demo DIR      writes the demo content folder
//   quorvella-assets --stand-in DIR  writes the stand-in content folder
//   quorvella-assets --help
// KIND is 0 image, 1 sound, 2 font block, 3 shader program, 4 embedded file;
// an --item body is taken verbatim, a --file gets its size prefix; --programs
// adds the picture programs, without which the game does not start.
#include "tools/assetwriter/asset_writer.h"
#include "tools/assetwriter/demo_content.h"
#include "tools/assetwriter/shader_items.h"
#include "tools/assetwriter/stand_in_content.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

bool read_host_file(const char* path, std::string& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    out = buffer.str();
    return true;
}

std::vector<uint16_t> parse_handles(const char* text)
{
    std::vector<uint16_t> handles;
    std::stringstream list(text);
    std::string item;
    while (std::getline(list, item, ','))
        handles.push_back(uint16_t(strtoul(item.c_str(), nullptr, 10)));
    return handles;
}

// The usage text; the exit status is 0 when it was asked for, 2 after a wrong call.
int usage(int status)
{
    printf("usage: quorvella-assets OUT [--programs] [--preload H,H,...] [--item KIND ID FILE]... "
           "[--file ID FILE]...\n"
           "       quorvella-assets --demo DIR\n"
           "       quorvella-assets --stand-in DIR\n"
           "       quorvella-assets --help\n");
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (strcmp(argv[i], "--help") == 0 || strcmp(argv[i], "-h") == 0)
            return usage(0);
    if (argc < 2)
        return usage(2);
    if (strcmp(argv[1], "--demo") == 0) {
        if (argc != 3)
            return usage(2);
        return write_demo_content(argv[2]) ? 0 : 1;
    }
    if (strcmp(argv[1], "--stand-in") == 0) {
        if (argc != 3)
            return usage(2);
        return write_stand_in_content(argv[2]) ? 0 : 1;
    }
    // An option where the output file belongs is a mistake, not a file name.
    if (argv[1][0] == '-')
        return usage(2);
    AssetWriter writer;
    for (int i = 2; i < argc; ++i) {
        std::string body;
        if (strcmp(argv[i], "--programs") == 0) {
            for (const auto& [id, item] : demo_shader_items())
                writer.add_item(AssetFile::SHADER_DATA, id, item);
        } else if (strcmp(argv[i], "--preload") == 0 && i + 1 < argc) {
            writer.set_preload(parse_handles(argv[++i]));
        } else if (strcmp(argv[i], "--item") == 0 && i + 3 < argc) {
            const int kind = atoi(argv[i + 1]);
            const int id = atoi(argv[i + 2]);
            if (!read_host_file(argv[i + 3], body) ||
                !writer.add_item(AssetFile::AssetType(kind), id, body)) {
                printf("Bad item: kind %s, id %s, file %s\n", argv[i + 1], argv[i + 2], argv[i + 3]);
                return 1;
            }
            i += 3;
        } else if (strcmp(argv[i], "--file") == 0 && i + 2 < argc) {
            if (!read_host_file(argv[i + 2], body) || !writer.add_file(atoi(argv[i + 1]), body)) {
                printf("Bad embedded file: id %s, file %s\n", argv[i + 1], argv[i + 2]);
                return 1;
            }
            i += 2;
        } else {
            return usage(2);
        }
    }
    return writer.write(argv[1]) ? 0 : 1;
}
