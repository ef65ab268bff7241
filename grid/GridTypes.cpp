// Portable text, GUID and clock services of the grid.
#include "grid/GridTypes.h"

#include <ctime>
#include <random>

#include "base/TextFileEncoding.h"

namespace ad::grid {

std::string TPortableTextServices::ToAnsi(std::u16string_view text) const { return Utf16ToLatin1(text); }

std::u16string TPortableTextServices::FromAnsi(std::string_view text) const { return Latin1ToUtf16(text); }

int TPortableTextServices::CompareUnicode(std::u16string_view a, std::u16string_view b) const {
    int r = a.compare(b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

TGuid TRandomGuidSource::NewGuid() {
    static thread_local std::mt19937_64 engine{std::random_device{}()};
    std::uint64_t hi = engine(), lo = engine();
    TGuid g;
    g.Data1 = static_cast<std::uint32_t>(hi >> 32);
    g.Data2 = static_cast<std::uint16_t>(hi >> 16);
    g.Data3 = static_cast<std::uint16_t>((hi & 0x0FFF) | 0x4000);
    for (int i = 0; i < 8; ++i) g.Data4[i] = static_cast<std::uint8_t>(lo >> (56 - 8 * i));
    g.Data4[0] = static_cast<std::uint8_t>((g.Data4[0] & 0x3F) | 0x80);
    return g;
}

double TSystemClock::Today() const {
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    // Days from 1899-12-30 to the civil date (proleptic Gregorian).
    int y = local.tm_year + 1900, m = local.tm_mon + 1, d = local.tm_mday;
    y -= m <= 2;
    long era = (y >= 0 ? y : y - 399) / 400;
    long yoe = y - era * 400;
    long doy = (153L * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    long unixDays = era * 146097 + doe - 719468;
    return static_cast<double>(unixDays + 25569);
}

#ifndef _WIN32
// On Windows the locale and GUID services of the system are the defaults
// (WinTextServices.cpp).
ITextServices& DefaultTextServices() {
    static TPortableTextServices services;
    return services;
}

IGuidSource& DefaultGuidSource() {
    static TRandomGuidSource source;
    return source;
}
#endif

IClock& DefaultClock() {
    static TSystemClock clock;
    return clock;
}

std::u16string Latin1ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char c : text) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace ad::grid
