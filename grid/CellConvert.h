// Conversions between cell values and text: integers, floats and date-times
// by the locale's rules, Booleans, GUIDs. Every failure raises EConvertError.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/Exception.h"
#include "grid/GridTypes.h"

namespace ad::grid {

// Date-times are days since 30 December 1899; the fraction is the time of day.
using TDateTime = double;

// Decimal digits with an optional sign; surrounding blanks allowed; the value
// must fit 32 bits.
std::int32_t TextToInt(std::u16string_view text);
std::u16string IntToText(std::int32_t value);

// Sign, digits with the locale's decimal separator, optional exponent. No
// hexadecimal, no "nan" or "inf", nothing that overflows a double.
double TextToFloat(std::u16string_view text, const TFormatSettings& fs);
// Shortest general form with up to 15 significant digits.
std::u16string FloatToText(double value, const TFormatSettings& fs);

// "True"/"False" in any case, or a number (non-zero is true).
bool TextToBool(std::u16string_view text, const TFormatSettings& fs);
std::u16string BoolToText(bool value);

// Short date, optionally followed by a blank and a time; or a time alone.
TDateTime TextToDateTime(std::u16string_view text, const TFormatSettings& fs);
// Short date and long time; the time is left out at midnight.
std::u16string DateTimeToText(TDateTime value, const TFormatSettings& fs);

// Registry form: {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}, upper-case digits.
TGuid TextToGuid(std::u16string_view text);
std::u16string GuidToText(const TGuid& guid);

// Rounding of doubles to 32-bit integers; a value outside the range (or NaN)
// raises EConvertError instead of being undefined.
std::int32_t RoundHalfEven(double value);
std::int32_t TruncToInt(double value);

// Days since 30 December 1899 for a civil date, and back.
bool TryEncodeDate(int year, int month, int day, double& days);
void DecodeDate(long long days, int& year, int& month, int& day);

}  // namespace ad::grid
