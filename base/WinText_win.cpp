// Text at the Windows boundary: code-page and UTF-8 conversions of UTF-16 and
// the system's message texts.
#include "base/WinText.h"

#include <windows.h>

namespace ad {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the system's wide characters are UTF-16 code units");

std::string SysErrorMessage(unsigned long code) {
    wchar_t* buffer = nullptr;
    DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                   FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                               nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text;
    if (n && buffer) text.assign(buffer, n);
    if (buffer) ::LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    return Narrow(text);
}

namespace {

// The one pair of calls to the system's converters; Wide is std::wstring or std::u16string.
template <class Wide>
Wide ToWide(UINT cp, std::string_view s) {
    if (s.empty()) return Wide();
    const int size = static_cast<int>(s.size());
    const int n = ::MultiByteToWideChar(cp, 0, s.data(), size, nullptr, 0);
    if (n <= 0) return Wide();
    Wide w(static_cast<size_t>(n), 0);
    ::MultiByteToWideChar(cp, 0, s.data(), size, reinterpret_cast<wchar_t*>(w.data()), n);
    return w;
}

template <class Char>
std::string FromWide(UINT cp, std::basic_string_view<Char> w) {
    if (w.empty()) return std::string();
    const auto* src = reinterpret_cast<const wchar_t*>(w.data());
    const int size = static_cast<int>(w.size());
    const int n = ::WideCharToMultiByte(cp, 0, src, size, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return std::string();
    std::string s(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(cp, 0, src, size, s.data(), n, nullptr, nullptr);
    return s;
}

}  // namespace

std::wstring Widen(std::string_view ansi) { return ToWide<std::wstring>(CP_ACP, ansi); }
std::string Narrow(std::wstring_view wide) { return FromWide(CP_ACP, wide); }
std::u16string AnsiToUtf16(std::string_view ansi) { return ToWide<std::u16string>(CP_ACP, ansi); }
std::string Utf16ToAnsi(std::u16string_view text) { return FromWide(CP_ACP, text); }
std::wstring Utf8ToWide(std::string_view utf8) { return ToWide<std::wstring>(CP_UTF8, utf8); }
std::string WideToUtf8(std::wstring_view wide) { return FromWide(CP_UTF8, wide); }
std::u16string CodePageToUtf16(std::string_view bytes, unsigned codePage) {
    return ToWide<std::u16string>(codePage, bytes);
}
std::string Utf16ToCodePage(std::u16string_view text, unsigned codePage) { return FromWide(codePage, text); }

}  // namespace ad
