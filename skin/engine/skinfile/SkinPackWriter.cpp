// Packed skins written entry by entry.
#include "skin/engine/skinfile/SkinPackWriter.h"

#include <zlib.h>

#include <stdexcept>

namespace ad::skin {
namespace {

void PutI32(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 0; s < 32; s += 8) out.push_back(uint8_t(v >> s));
}

}  // namespace

std::vector<uint8_t> PackSkinEntries(const std::vector<TSkinPackEntry>& entries) {
    std::vector<uint8_t> out = {'A', 'S', 'z', 'f'};
    PutI32(out, uint32_t(entries.size()));
    for (const TSkinPackEntry& e : entries) {
        PutI32(out, uint32_t(e.Name.size()));
        out.insert(out.end(), e.Name.begin(), e.Name.end());
        PutI32(out, uint32_t(e.Data.size()));
        uLongf size = compressBound(uLong(e.Data.size()));
        std::vector<uint8_t> z(size);
        if (compress2(z.data(), &size, e.Data.data(), uLong(e.Data.size()), 9) != Z_OK)
            throw std::runtime_error("cannot deflate " + e.Name);
        out.insert(out.end(), z.begin(), z.begin() + long(size));
    }
    return out;
}

}  // namespace ad::skin
