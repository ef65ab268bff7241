// Fuzz target: text to integer, float, Boolean, date-time, GUID and IP
// address; every value read back is converted to text and, where the text
// form is exact, read again to the same value. Only conversion errors may
// escape the readers.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "grid/CellConvert.h"
#include "grid/CellStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t k = 0; k + 1 < size; k += 2) text.push_back(static_cast<char16_t>(data[k] | (data[k + 1] << 8)));
    std::u16string narrow;
    for (std::size_t k = 0; k < size; ++k) narrow.push_back(data[k]);
    ad::grid::TFormatSettings fs;
    if (size && data[0] % 2) {
        fs.DecimalSeparator = u',';
        fs.DateSeparator = u'.';
        fs.ShortDateFormat = "dd/MM/yyyy";
        fs.LongTimeFormat = "hh:mm:ss tt";
    }
    for (const std::u16string* t : {&text, &narrow}) {
        try {
            std::int32_t v = ad::grid::TextToInt(*t);
            if (ad::grid::TextToInt(ad::grid::IntToText(v)) != v) std::abort();
        } catch (const ad::EConvertError&) {
        }
        try {
            double v = ad::grid::TextToFloat(*t, fs);
            if (!std::isfinite(v)) std::abort();
            if (ad::grid::TextToFloat(ad::grid::FloatToText(v, fs), fs) != ad::grid::TextToFloat(ad::grid::FloatToText(v, fs), fs)) std::abort();
            try { (void)ad::grid::RoundHalfEven(v); } catch (const ad::EConvertError&) {}
            try { (void)ad::grid::TruncToInt(v); } catch (const ad::EConvertError&) {}
            try { (void)ad::grid::DateTimeToText(v, fs); } catch (const ad::EConvertError&) {}
        } catch (const ad::EConvertError&) {
        }
        try { (void)ad::grid::TextToBool(*t, fs); } catch (const ad::EConvertError&) {}
        try {
            double d = ad::grid::TextToDateTime(*t, fs);
            std::u16string back = ad::grid::DateTimeToText(d, fs);
            if (std::fabs(ad::grid::TextToDateTime(back, fs) - d) > 1e-6) std::abort();
        } catch (const ad::EConvertError&) {
        }
        try {
            ad::grid::TGuid g = ad::grid::TextToGuid(*t);
            if (!(ad::grid::TextToGuid(ad::grid::GuidToText(g)) == g)) std::abort();
        } catch (const ad::EConvertError&) {
        }
        try {
            std::string bytes;
            for (char16_t c : *t) bytes.push_back(static_cast<char>(c));
            std::uint32_t parts[4];
            ad::grid::ReadIPAddress(bytes, parts);
        } catch (const ad::EConvertError&) {
        }
    }
    return 0;
}
