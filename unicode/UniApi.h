// The Unicode layer's system calls: the platform flags read once, the wide
// calls it makes (with the ANSI fallback where a caller can see it), its file
// stream opened by wide name, the system's error text and wide text extents.
// Windows only.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "base/Geometry.h"
#include "base/Streams.h"
#include "framework/FileStreams.h"
#include "framework/Handles.h"
#include "unicode/UniSysUtils.h"

namespace ad::uni {

// The running system's flags, read at first use.
const TUniPlatform& UniPlatform();

// The code page of a locale's ANSI text; the system's ANSI code page when the
// locale has none or is unknown.
unsigned AnsiCodePageOfLocale(LCID locale);
// The code page the ANSI adapter of the wide string lists uses by default:
// the thread's ANSI code page on the NT platform.
unsigned DefaultCodePage();

BOOL UniSetWindowText(HWND wnd, std::wstring_view text);
// count -1: the whole text. Without the wide call (platform.UnicodePlatform
// false), the first count characters are converted and drawn in full.
int UniDrawText(HDC dc, std::wstring_view text, int count, RECT& rect, UINT format,
                const TUniPlatform& platform = UniPlatform());
HANDLE UniCreateFile(const std::wstring& fileName, DWORD access, DWORD share, DWORD disposition, DWORD flags);
// The full path of a file name; empty when the system cannot make one.
std::wstring UniFullPathName(const std::wstring& fileName);

// A pointer whose high bits are zero is a resource number, not a name.
inline bool IsIntResource(const void* p) { return (reinterpret_cast<uintptr_t>(p) >> 16) == 0; }

// The system's text for an error code, trimmed; "Unspecified error (code)
// from system." when it has none (from the module's name with a module).
std::wstring UniSysErrorMessage(DWORD code, HMODULE module = nullptr);

// The extent of the whole text in the font selected into the device context.
TSize UniTextExtent(HDC dc, std::wstring_view text);

// A file stream by wide name. Mode: fmCreate (0xFF00 and above) creates or
// replaces the file; otherwise the low two bits choose the access (read,
// write, both) and mode / 16 the sharing (0 and 1 none, 2 deny write, 3 deny
// read, 4 deny none). Failures raise EFCreateError or EFOpenError with the
// full path and the system's reason.
class TUniFileStream : public TFileStream {
public:
    TUniFileStream(const std::wstring& fileName, unsigned mode);
};

}  // namespace ad::uni
