// Windows-1252 as a codec, for the tests of the portable code: the layout of
// the usual Western ANSI code page, whatever the machine running the tests.
#pragma once

#include <string>
#include <string_view>

#include "unicode/UniConvert.h"

namespace ad::uni::test {

class TCp1252Codec : public TLatin1Codec {
public:
    std::u16string ToWide(std::string_view bytes, unsigned) const override {
        std::u16string w;
        for (char c : bytes) w.push_back(Decode(static_cast<unsigned char>(c)));
        return w;
    }
    std::string FromWide(std::u16string_view text, unsigned) const override {
        std::string s;
        for (char16_t c : text) {
            char b = '?';
            for (unsigned v = 0; v < 256; ++v)
                if (Decode(static_cast<unsigned char>(v)) == c) b = static_cast<char>(v);
            s.push_back(b);
        }
        return s;
    }

    // Case pairs of the letters the code page adds beyond Latin-1.
    int CompareText(std::u16string_view a, std::u16string_view b) const override {
        return TLatin1Codec::CompareText(Fold(a), Fold(b));
    }

private:
    static std::u16string Fold(std::u16string_view s) {
        std::u16string out(s);
        for (char16_t& c : out) {
            if (c == 0x0161 || c == 0x0153 || c == 0x017E) --c;
            if (c == 0x00FF) c = 0x0178;
        }
        return out;
    }
    static char16_t Decode(unsigned char b) {
        static const char16_t high[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                          0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                          0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                          0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
        return b >= 0x80 && b < 0xA0 ? high[b - 0x80] : char16_t(b);
    }
};

}  // namespace ad::uni::test
