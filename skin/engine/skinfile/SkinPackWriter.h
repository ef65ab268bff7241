// Writing packed skins (".asz"): "ASzf", the entry count, then per entry its
// name, its size and its data deflated by zlib, as the packed-skin reader
// expects them. Depends on zlib only, so the build's host tools can use it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ad::skin {

struct TSkinPackEntry {
    std::string Name;
    std::vector<uint8_t> Data;
};

// The packed skin of the entries in their order; an INI entry is named "Options.dat".
std::vector<uint8_t> PackSkinEntries(const std::vector<TSkinPackEntry>& entries);

}  // namespace ad::skin
