// The grid's text and GUID services on Windows: the system's ANSI code page,
// the user's locale (number and date rules, CompareStringW) and CoCreateGuid.
// They are the defaults of every cell store made without services of its own.
#pragma once

#include <string>
#include <string_view>

#include "grid/GridTypes.h"

namespace ad::grid {

class TWinTextServices : public ITextServices {
public:
    // Reads the user's locale once.
    TWinTextServices();
    std::string ToAnsi(std::u16string_view text) const override;
    std::u16string FromAnsi(std::string_view text) const override;
    int CompareUnicode(std::u16string_view a, std::u16string_view b) const override;
    const TFormatSettings& Settings() const override { return FormatSettings; }

    TFormatSettings FormatSettings;
};

class TWinGuidSource : public IGuidSource {
public:
    TGuid NewGuid() override;
};

// A locale date or time pattern in the form TFormatSettings keeps: quotes
// dropped, the locale's separator replaced by Marker ('/' or ':'), characters
// past Latin-1 dropped.
std::string LocalePatternToFormat(std::u16string_view pattern, std::u16string_view separator, char Marker);

}  // namespace ad::grid
