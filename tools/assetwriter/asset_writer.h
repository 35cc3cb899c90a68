// Writes asset files in the game's packed layout: the preload list, the
// five offset tables and the item bodies. Content and test tooling only;
// the game itself never writes an asset file.
#pragma once

#include "base/assetfile.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

class AssetWriter {
public:
    // Up to 6534 handles; the rest of the list is 0.
    void set_preload(const std::vector<uint16_t>& handles);
    // The item's bytes exactly as a reader finds them at its table offset.
    // Returns false (and keeps nothing) when id or kind is out of range.
    bool add_item(AssetFile::AssetType kind, int id, const std::string& body);
    // An embedded file: its 32-bit size, then its bytes.
    bool add_file(int id, const std::string& bytes);

    std::string build() const;
    // Writes the file beside its target and renames it into place.
    bool write(const std::string& host_path) const;

private:
    std::vector<uint16_t> preload_;
    std::map<std::pair<int, int>, std::string> items_;  // (kind, id) -> body
};

// Little-endian helpers for building item bodies.
void put_u16(std::string& out, uint16_t value);
void put_u32(std::string& out, uint32_t value);
