#include "tools/assetwriter/asset_writer.h"

#include <cstdio>

void put_u16(std::string& out, uint16_t value)
{
    out.push_back(char(value & 0xFF));
    out.push_back(char(value >> 8));
}

void put_u32(std::string& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(char((value >> shift) & 0xFF));
}

void AssetWriter::set_preload(const std::vector<uint16_t>& handles)
{
    preload_ = handles;
    if (preload_.size() > size_t(AssetFile::image_count))
        preload_.resize(AssetFile::image_count);
}

bool AssetWriter::add_item(AssetFile::AssetType kind, int id, const std::string& body)
{
    if (id < 0 || id >= AssetFile::item_count(kind))
        return false;
    items_[{int(kind), id}] = body;
    return true;
}

bool AssetWriter::add_file(int id, const std::string& bytes)
{
    std::string body;
    put_u32(body, uint32_t(bytes.size()));
    body += bytes;
    return add_item(AssetFile::FILE_DATA, id, body);
}

std::string AssetWriter::build() const
{
    std::string out;
    out.reserve(AssetFile::items_start);
    for (int i = 0; i < AssetFile::image_count; ++i)
        put_u16(out, i < int(preload_.size()) ? preload_[i] : 0);

    // Bodies follow the tables in (kind, id) order; absent items keep offset 0.
    std::string bodies;
    std::map<std::pair<int, int>, uint32_t> offsets;
    for (const auto& [key, body] : items_) {
        offsets[key] = uint32_t(AssetFile::items_start + bodies.size());
        bodies += body;
    }
    for (int kind = 0; kind < 5; ++kind) {
        for (int id = 0; id < AssetFile::item_count(AssetFile::AssetType(kind)); ++id) {
            const auto found = offsets.find({kind, id});
            put_u32(out, found == offsets.end() ? 0 : found->second);
        }
    }
    return out + bodies;
}

bool AssetWriter::write(const std::string& host_path) const
{
    const std::string bytes = build();
    const std::string temp = host_path + ".part";
    FILE* file = fopen(temp.c_str(), "wb");
    if (!file) {
        printf("Could not write asset file: %s\n", host_path.c_str());
        return false;
    }
    const bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = fclose(file) == 0;
    if (!written || !closed || rename(temp.c_str(), host_path.c_str()) != 0) {
        remove(temp.c_str());
        printf("Could not write asset file: %s\n", host_path.c_str());
        return false;
    }
    return true;
}
