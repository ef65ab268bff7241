// UTF-7, code pages, line breaks and byte order of wide text.
#include "unicode/UniConvert.h"

#include <array>
#include <cstdint>

#include "base/TextFileEncoding.h"
#include "unicode/UniSysUtils.h"

namespace ad::uni {

// --- Latin-1 codec -------------------------------------------------------------

std::u16string TLatin1Codec::ToWide(std::string_view bytes, unsigned) const { return Latin1ToUtf16(bytes); }

std::string TLatin1Codec::FromWide(std::u16string_view text, unsigned) const { return Utf16ToLatin1(text); }

static char16_t FoldLatin1(char16_t c) {
    if (c >= u'a' && c <= u'z') return c - 32;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    return c;
}

int TLatin1Codec::CompareText(std::u16string_view a, std::u16string_view b) const {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        const char16_t x = FoldLatin1(a[i]), y = FoldLatin1(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::u16string AnsiToWide(std::string_view ansi) { return SystemCodec().ToWide(ansi, cpAnsi); }
std::string WideToAnsi(std::u16string_view wide) { return SystemCodec().FromWide(wide, cpAnsi); }
bool SurvivesAnsi(std::u16string_view wide) { return AnsiToWide(WideToAnsi(wide)) == wide; }

// --- UTF-7 ------------------------------------------------------------------

namespace {

constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

struct Utf7Tables {
    std::array<bool, 128> direct{};    // written as itself (optional-direct variant)
    std::array<int8_t, 128> decode{};  // base-64 value, -1 outside the alphabet
    Utf7Tables() {
        for (const char* p = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789'(),-./:?\t\r\n "; *p; ++p)
            direct[static_cast<unsigned char>(*p)] = true;
        for (const char* p = "!\"#$%&*;<=>@[]^_`{|}"; *p; ++p) direct[static_cast<unsigned char>(*p)] = true;
        decode.fill(-1);
        for (int i = 0; i < 64; ++i) decode[static_cast<unsigned char>(kBase64[i])] = static_cast<int8_t>(i);
    }
};

const Utf7Tables& Tables() {
    static const Utf7Tables tables;
    return tables;
}

bool NeedsEncoding(char16_t c) { return c > 127 || !Tables().direct[c]; }
bool IsBase64(unsigned c) { return c < 128 && Tables().decode[c] >= 0; }

[[noreturn]] void InvalidUtf7() { throw EUniGeneralError("Invalid UTF7"); }

}  // namespace

std::string WideToUtf7(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    bool inRun = false;
    uint32_t bits = 0;
    int bitCount = 0;
    auto flush = [&] {
        if (bitCount > 0) out.push_back(kBase64[(bits << (6 - bitCount)) & 0x3F]);
        bits = 0;
        bitCount = 0;
    };
    for (char16_t c : text) {
        if (NeedsEncoding(c)) {
            if (!inRun) {
                if (c == u'+') {
                    out += "+-";
                    continue;
                }
                out.push_back('+');
                inRun = true;
            }
            bits = (bits << 16) | c;
            bitCount += 16;
            while (bitCount >= 6) {
                bitCount -= 6;
                out.push_back(kBase64[(bits >> bitCount) & 0x3F]);
            }
            bits &= (1u << bitCount) - 1;
        } else {
            if (inRun) {
                flush();
                if (IsBase64(c) || c == u'-') out.push_back('-');
                inRun = false;
            }
            out.push_back(static_cast<char>(c));
        }
    }
    if (inRun) flush();
    return out;
}

std::u16string Utf7ToWide(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    bool invalid = false;
    size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char b = static_cast<unsigned char>(bytes[i++]);
        if (b != '+') {
            if (b > 127) invalid = true;
            out.push_back(b);
            continue;
        }
        // A base-64 run.
        uint32_t bits = 0;
        int bitCount = 0;
        size_t produced = 0;
        const size_t start = i;
        while (i < bytes.size() && IsBase64(static_cast<unsigned char>(bytes[i]))) {
            bits = (bits << 6) | static_cast<uint32_t>(Tables().decode[static_cast<unsigned char>(bytes[i++])]);
            bitCount += 6;
            if (bitCount >= 16) {
                bitCount -= 16;
                out.push_back(static_cast<char16_t>(bits >> bitCount));
                bits &= (1u << bitCount) - 1;
                ++produced;
            }
        }
        const bool dashEnd = i < bytes.size() && bytes[i] == '-';
        if (dashEnd) ++i;
        if (dashEnd && i == start + 1) {
            out.push_back(u'+');  // "+-"
            continue;
        }
        if (produced == 0 || bits != 0) invalid = true;
    }
    if (invalid) InvalidUtf7();
    return out;
}

// --- code pages ---------------------------------------------------------------

std::string WideToCodePage(std::u16string_view text, unsigned codePage) {
    if (codePage == cpUtf7) return WideToUtf7(text);
    if (codePage == cpUtf8) return Utf16ToUtf8(text);
    return SystemCodec().FromWide(text, codePage);
}

std::u16string CodePageToWide(std::string_view bytes, unsigned codePage) {
    if (codePage == cpUtf7) return Utf7ToWide(bytes);
    if (codePage == cpUtf8) return Utf8ToUtf16(bytes);
    return SystemCodec().ToWide(bytes, codePage);
}

// --- line breaks and byte order -------------------------------------------------

std::u16string NormalizeLineBreaks(std::u16string_view text, TTextLineBreakStyle style) {
    const std::u16string_view brk = style == TTextLineBreakStyle::tlbsLF     ? u"\n"
                                    : style == TTextLineBreakStyle::tlbsCRLF ? u"\r\n"
                                                                             : u"\r";
    std::u16string out;
    out.reserve(text.size() + text.size() / 8);
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            out += brk;
        } else if (c == u'\n' || c == 0x2028) {
            out += brk;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::u16string DecodeUtf16LE(std::string_view bytes) {
    std::u16string text(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(static_cast<uint8_t>(bytes[2 * i]) | (static_cast<uint8_t>(bytes[2 * i + 1]) << 8));
    return text;
}

void SwapByteOrder(std::u16string& text) {
    for (char16_t& c : text) c = static_cast<char16_t>((c >> 8) | (c << 8));
}

}  // namespace ad::uni
