// Locale, code-page and GUID services over the system's calls.
#include "grid/WinTextServices.h"

#include <windows.h>
#include <objbase.h>

#include <cstring>

#include "base/WinText.h"
#include "framework/SysUtils.h"

namespace ad::grid {

namespace {
std::u16string LocaleText(LCTYPE type, const char16_t* fallback) {
    wchar_t buf[128];
    int n = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buf, 128);
    if (n <= 1) return fallback;
    return std::u16string(reinterpret_cast<const char16_t*>(buf), static_cast<size_t>(n - 1));
}
const wchar_t* W(std::u16string_view s) { return reinterpret_cast<const wchar_t*>(s.data()); }
}  // namespace

std::string LocalePatternToFormat(std::u16string_view pattern, std::u16string_view separator, char Marker) {
    std::string out;
    bool quoted = false;
    for (size_t i = 0; i < pattern.size(); ++i) {
        char16_t c = pattern[i];
        if (c == u'\'') {
            quoted = !quoted;
            continue;
        }
        if (!quoted && !separator.empty() && pattern.substr(i, separator.size()) == separator) {
            out.push_back(Marker);
            i += separator.size() - 1;
            continue;
        }
        if (c < 256) out.push_back(static_cast<char>(c));
    }
    return out;
}

TWinTextServices::TWinTextServices() {
    std::u16string dec = LocaleText(LOCALE_SDECIMAL, u".");
    std::u16string date = LocaleText(LOCALE_SDATE, u"/");
    std::u16string time = LocaleText(LOCALE_STIME, u":");
    FormatSettings.DecimalSeparator = dec[0];
    std::u16string thousands = LocaleText(LOCALE_STHOUSAND, u",");
    FormatSettings.ThousandSeparator = thousands.empty() ? u',' : thousands[0];
    FormatSettings.DateSeparator = date[0];
    FormatSettings.TimeSeparator = time[0];
    FormatSettings.ShortDateFormat = LocalePatternToFormat(LocaleText(LOCALE_SSHORTDATE, u"M/d/yyyy"), date, '/');
    FormatSettings.LongTimeFormat = LocalePatternToFormat(LocaleText(LOCALE_STIMEFORMAT, u"H:mm:ss"), time, ':');
}

std::string TWinTextServices::ToAnsi(std::u16string_view text) const { return Utf16ToAnsi(text); }

std::u16string TWinTextServices::FromAnsi(std::string_view text) const { return AnsiToUtf16(text); }

int TWinTextServices::CompareUnicode(std::u16string_view a, std::u16string_view b) const {
    int r = ::CompareStringW(LOCALE_USER_DEFAULT, 0, W(a), static_cast<int>(a.size()), W(b), static_cast<int>(b.size()));
    if (r == 0) return a < b ? -1 : (a == b ? 0 : 1);  // the call failed: ordinal order
    return r - CSTR_EQUAL;
}

TGuid TWinGuidSource::NewGuid() {
    GUID g{};
    HRESULT hr = ::CoCreateGuid(&g);
    if (FAILED(hr)) throw EOSError(static_cast<DWORD>(hr), "Could not create a GUID: " + SysErrorMessage(static_cast<DWORD>(hr)));
    TGuid out;
    out.Data1 = g.Data1;
    out.Data2 = g.Data2;
    out.Data3 = g.Data3;
    std::memcpy(out.Data4.data(), g.Data4, 8);
    return out;
}

ITextServices& DefaultTextServices() {
    static TWinTextServices services;
    return services;
}

IGuidSource& DefaultGuidSource() {
    static TWinGuidSource source;
    return source;
}

}  // namespace ad::grid
