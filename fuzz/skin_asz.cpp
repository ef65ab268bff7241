// Fuzz target: the packed skin reader on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "skin/engine/skinfile/skPackedSkin.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ad::skin::TSkSkinConvertor c;
    try {
        ad::skin::ReadPackedSkinEntries(c, data, size);
    } catch (const ad::skin::EZLibError&) {
        return 0;
    }
    for (const auto& e : c.Entries)
        if (e.Data.size() > size_t(ad::skin::kMaxPackedEntrySize) || e.Name.size() > size_t(ad::skin::kMaxPackedNameLength))
            __builtin_trap();
    return 0;
}
