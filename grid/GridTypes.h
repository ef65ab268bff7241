// Small value types shared by the grid's portable parts: colours, font
// attributes, GUIDs and the services (locale text, clock, GUID source) that the
// cells and the store call instead of the operating system.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace ad {

// 0x00BBGGRR; a set high byte names a system colour by its low byte.
using TColor = std::int32_t;

// The system colours the grid's models use as defaults, portable twins of the
// constants of the Windows graphics layer.
namespace gridcolors {
constexpr TColor SysColor(int index) { return static_cast<TColor>(0xFF000000u | static_cast<std::uint32_t>(index)); }
constexpr TColor clBlack = 0x000000, clWhite = 0xFFFFFF;
constexpr TColor clWindow = SysColor(5), clWindowText = SysColor(8), clBtnFace = SysColor(15),
                 clBtnShadow = SysColor(16), clGrayText = SysColor(17), clBtnText = SysColor(18),
                 clBtnHighlight = SysColor(20), clHighlight = SysColor(13), clHighlightText = SysColor(14),
                 clWindowFrame = SysColor(6);
}  // namespace gridcolors

// Font style bits as one byte: bold, italic, underline, strike-out.
enum : std::uint8_t { fsBoldBit = 1, fsItalicBit = 2, fsUnderlineBit = 4, fsStrikeOutBit = 8 };

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

}  // namespace ad
