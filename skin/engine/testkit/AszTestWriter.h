// Test support: packs named entries into a packed skin (".asz"), with an
// optional preview trailer; each entry's data deflated by zlib.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace ad::skin::asztest {

using Bytes = std::vector<uint8_t>;

inline void PutI32(Bytes& out, int32_t v) {
    for (int s = 0; s < 32; s += 8) out.push_back(uint8_t(uint32_t(v) >> s));
}

inline Bytes Zlib(const Bytes& raw) {
    uLongf size = compressBound(uLong(raw.size()));
    Bytes out(size);
    compress2(out.data(), &size, raw.data(), uLong(raw.size()), 6);
    out.resize(size);
    return out;
}

struct Entry {
    std::string Name;
    Bytes Data;
    int32_t StatedSize = -1;  // -1: the data's size
};

inline Bytes Pack(const std::vector<Entry>& entries, const char* signature = "ASzf",
                  const Bytes& preview = {}) {
    Bytes out(signature, signature + 4);
    PutI32(out, int32_t(entries.size()));
    for (const Entry& e : entries) {
        PutI32(out, int32_t(e.Name.size()));
        out.insert(out.end(), e.Name.begin(), e.Name.end());
        PutI32(out, e.StatedSize >= 0 ? e.StatedSize : int32_t(e.Data.size()));
        Bytes z = Zlib(e.Data);
        out.insert(out.end(), z.begin(), z.end());
    }
    if (!preview.empty()) {
        const char* tag = "previewimg";
        out.insert(out.end(), tag, tag + 10);
        PutI32(out, int32_t(preview.size()));
        out.insert(out.end(), preview.begin(), preview.end());
    }
    return out;
}

inline Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

}  // namespace ad::skin::asztest
