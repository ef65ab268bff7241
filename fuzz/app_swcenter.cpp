// Fuzz target: the Software Center's catalogue file and the list field checks.
// The input is the file's bytes; every entry read must have a download
// address and a finite, non-negative size, and every field goes through the
// checks the information windows apply before using it.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/lists/InfoListRules.h"
#include "app/lists/SoftwareCenterFile.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 64 * 1024) return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ad::TSoftwareCenterList list = ad::ReadSoftwareCenter(bytes);
    for (const ad::TSoftwareEntry& e : list.Entries) {
        Check(!e.DLink.empty());
        Check(std::isfinite(e.Size) && e.Size >= 0);
        const int index = ad::ListIndex(e.Ver, 12);
        Check(index >= -1 && index < 12);
        if (ad::IsWebAddress(e.HLink)) Check(ad::HasLink(e.HLink));
    }
    const int index = ad::ListIndex(bytes, 1 << 20);
    Check(index >= -1 && index < (1 << 20));
    return 0;
}
