// Small value types shared by the grid's portable parts: colours, font
// attributes, GUIDs and the services (locale text, clock, GUID source) that the
// cells and the store call instead of the operating system.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/Color.h"
#include "base/TextStyle.h"

namespace ad::grid {

// Layout of a system GUID.
struct TGuid {
    std::uint32_t Data1 = 0;
    std::uint16_t Data2 = 0;
    std::uint16_t Data3 = 0;
    std::array<std::uint8_t, 8> Data4{};
    bool operator==(const TGuid&) const = default;
};

// The locale's rules for numbers and dates. Date patterns use d, dd, M, MM,
// yy, yyyy; time patterns H, HH, h, hh, m, mm, s, ss and tt (AM/PM). A '/' in
// the date pattern stands for DateSeparator, a ':' in the time pattern for
// TimeSeparator.
struct TFormatSettings {
    char16_t DecimalSeparator = u'.';
    char16_t ThousandSeparator = u',';
    char16_t DateSeparator = u'/';
    char16_t TimeSeparator = u':';
    std::string ShortDateFormat = "M/d/yyyy";
    std::string LongTimeFormat = "H:mm:ss";
};

// Locale and code-page services.
class ITextServices {
public:
    virtual ~ITextServices() = default;
    // Wide text to 8-bit text in the system code page and back.
    virtual std::string ToAnsi(std::u16string_view text) const = 0;
    virtual std::u16string FromAnsi(std::string_view text) const = 0;
    // Locale-aware, case-sensitive comparison of wide strings: <0, 0, >0.
    virtual int CompareUnicode(std::u16string_view a, std::u16string_view b) const = 0;
    virtual const TFormatSettings& Settings() const = 0;
};

class IGuidSource {
public:
    virtual ~IGuidSource() = default;
    virtual TGuid NewGuid() = 0;
};

class IClock {
public:
    virtual ~IClock() = default;
    // Today's date as days since 30 December 1899, time 0.
    virtual double Today() const = 0;
};

// Portable services: Latin-1 as the 8-bit code page (other characters become
// '?'), ordinal comparison, settings as given; random version-4 GUIDs; the C
// library's local date.
class TPortableTextServices : public ITextServices {
public:
    TPortableTextServices() = default;
    explicit TPortableTextServices(TFormatSettings settings) : FormatSettings(std::move(settings)) {}
    std::string ToAnsi(std::u16string_view text) const override;
    std::u16string FromAnsi(std::string_view text) const override;
    int CompareUnicode(std::u16string_view a, std::u16string_view b) const override;
    const TFormatSettings& Settings() const override { return FormatSettings; }

    TFormatSettings FormatSettings;
};

class TRandomGuidSource : public IGuidSource {
public:
    TGuid NewGuid() override;
};

class TSystemClock : public IClock {
public:
    double Today() const override;
};

// Process-wide defaults used when a store is given no services of its own:
// the system's (TWinTextServices, TWinGuidSource) on Windows, the portable
// services elsewhere.
ITextServices& DefaultTextServices();
IGuidSource& DefaultGuidSource();
IClock& DefaultClock();

// ASCII/UTF-8-free helper for literal text: every byte becomes one code unit.
std::u16string Latin1ToUtf16(std::string_view text);

}  // namespace ad::grid
