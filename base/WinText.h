// Text at the Windows boundary: every conversion of UTF-16 text to and from
// the system's code pages and UTF-8, and between the standard UTF-16 string
// (std::u16string) and the system's wide string (std::wstring); and the
// system's text for an error code. Declared with standard types only; built
// for Windows (WinText_win.cpp). Portable code converts through
// base/TextFileEncoding.h.
#pragma once

#include <string>
#include <string_view>

#ifdef _WIN32
namespace ad {

// ANSI code page <-> UTF-16.
std::wstring Widen(std::string_view ansi);
std::string Narrow(std::wstring_view wide);
std::u16string AnsiToUtf16(std::string_view ansi);
std::string Utf16ToAnsi(std::u16string_view text);
// UTF-8 <-> UTF-16.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);
// Any code page of the system <-> UTF-16 (characters without a byte form
// become the code page's default character; an unknown code page gives "").
std::u16string CodePageToUtf16(std::string_view bytes, unsigned codePage);
std::string Utf16ToCodePage(std::u16string_view text, unsigned codePage);

// The same UTF-16 code units as the system's wide string and back.
inline std::wstring ToWString(std::u16string_view s) { return std::wstring(s.begin(), s.end()); }
inline std::u16string ToU16String(std::wstring_view s) { return std::u16string(s.begin(), s.end()); }

// The system's text for an error code, without the final line break.
std::string SysErrorMessage(unsigned long code);

}  // namespace ad
#endif
