// The Unicode layer's vocabulary that needs no window: its exception classes,
// the platform flags, the rule that copies a wide result into a caller's
// buffer, and the text for a system error that has none. Portable.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "base/Exception.h"

namespace ad::uni {

// Internal errors of the layer (broken invariants, buffer overflow).
AD_DECLARE_EXCEPTION(EUniInternalError, Exception);
// Invalid input handed to the layer ("Invalid UTF7").
AD_DECLARE_EXCEPTION(EUniGeneralError, Exception);
// A resource limit of a control was reached ("Line too long").
AD_DECLARE_EXCEPTION(EOutOfResources, Exception);

// What the layer knows of the system it runs on; set once at start-up.
struct TUniPlatform {
    bool UnicodePlatform = true;  // the NT family: the wide calls exist
    bool WinXPOrLater = true;     // 5.1 and later
    bool Win2003OrLater = true;   // 5.2 and later
    bool VistaOrLater = true;     // 6.0 and later
};

// The flags for a system of the given platform id (2 = NT) and version.
TUniPlatform PlatformOf(unsigned platformId, unsigned major, unsigned minor);

// How a wide result longer than the caller's buffer is handed over (or-ed).
enum TCopyResultFlag : unsigned {
    crfExactFitLosesTerminator = 1,  // a result exactly n long: n - 1 characters, returns n + 1
    crfEmptyWhenTooSmall = 2,        // an empty buffer, returns the needed size
    crfTruncate = 4,                 // the first n characters without terminator, returns n
    crfCutAtLastBackslash = 8,       // the part up to the last "\" that fits, returns the needed size
};

// Copies result into buffer (capacity n characters) by the rules above. A
// result shorter than n is copied with its terminator and its length
// returned; otherwise, without a flag that applies, the buffer is left as it
// is and the needed size (length + 1) returned.
size_t CopyWideResult(std::u16string_view result, char16_t* buffer, size_t n, unsigned flags);

// "Unspecified error (<code>) from <source>.", for a code the system has no text for.
std::string UnspecifiedErrorText(long code, std::string_view source);

}  // namespace ad::uni
