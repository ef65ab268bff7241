// Text at the Windows boundary: UTF-16 to and from the ANSI code page and
// UTF-8, and the system's text for an error code. Declared with standard
// types only; built for Windows (WinText_win.cpp).
#pragma once

#include <string>
#include <string_view>

#ifdef _WIN32
namespace ad {

// ANSI code page <-> UTF-16.
std::wstring Widen(std::string_view ansi);
std::string Narrow(std::wstring_view wide);
// UTF-8 <-> UTF-16.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

// The system's text for an error code, without the final line break.
std::string SysErrorMessage(unsigned long code);

}  // namespace ad
#endif
