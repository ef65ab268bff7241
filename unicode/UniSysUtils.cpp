// The Unicode layer's platform flags, result copying and error text.
#include "unicode/UniSysUtils.h"

#include <algorithm>

namespace ad::uni {

TUniPlatform PlatformOf(unsigned platformId, unsigned major, unsigned minor) {
    TUniPlatform p;
    p.UnicodePlatform = platformId == 2;
    p.WinXPOrLater = major > 5 || (major == 5 && minor > 0);
    p.Win2003OrLater = major > 5 || (major == 5 && minor > 1);
    p.VistaOrLater = major > 5;
    return p;
}

size_t CopyWideResult(std::u16string_view result, char16_t* buffer, size_t n, unsigned flags) {
    const size_t len = result.size();
    if (len < n) {
        std::copy(result.begin(), result.end(), buffer);
        buffer[len] = 0;
        return len;
    }
    if (flags & crfTruncate) {
        std::copy_n(result.begin(), n, buffer);
        return n;
    }
    if ((flags & crfExactFitLosesTerminator) && len == n && n > 0) {
        std::copy_n(result.begin(), n - 1, buffer);
        buffer[n - 1] = 0;
        return n + 1;
    }
    if (flags & crfEmptyWhenTooSmall) {
        if (n > 0) buffer[0] = 0;
    } else if (flags & crfCutAtLastBackslash) {
        if (n > 0) {
            // The longest prefix ending in "\" that leaves room for the terminator.
            const size_t slash = result.substr(0, n - 1).rfind(u'\\');
            const size_t keep = slash == std::u16string_view::npos ? 0 : slash + 1;
            std::copy_n(result.begin(), keep, buffer);
            buffer[keep] = 0;
        }
    }
    return len + 1;
}

std::string UnspecifiedErrorText(long code, std::string_view source) {
    return Format("Unspecified error (%ld) from %.*s.", code, static_cast<int>(source.size()), source.data());
}

}  // namespace ad::uni
