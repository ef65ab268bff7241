// Byte-order marks, UTF-16 of either byte order and UTF-8 that keeps lone
// surrogates.
#include "base/TextFileEncoding.h"

#include <cstdint>

namespace ad {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";

std::string_view MarkOf(TTextFileEncoding encoding) {
    switch (encoding) {
        case TTextFileEncoding::Utf8: return kUtf8Mark;
        case TTextFileEncoding::Utf16LE: return kUtf16LEMark;
        case TTextFileEncoding::Utf16BE: return kUtf16BEMark;
        case TTextFileEncoding::Ansi: break;
    }
    return {};
}

void AppendUtf8(std::string& out, uint32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

bool IsHighSurrogate(uint32_t c) { return c >= 0xD800 && c < 0xDC00; }
bool IsLowSurrogate(uint32_t c) { return c >= 0xDC00 && c < 0xE000; }

}  // namespace

TTextFileEncoding DetectTextFileEncoding(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) return TTextFileEncoding::Utf8;
    if (bytes.starts_with(kUtf16LEMark)) return TTextFileEncoding::Utf16LE;
    if (bytes.starts_with(kUtf16BEMark)) return TTextFileEncoding::Utf16BE;
    return TTextFileEncoding::Ansi;
}

std::string DecodeTextFile(std::string_view bytes, TTextFileEncoding encoding) {
    if (bytes.starts_with(MarkOf(encoding))) bytes.remove_prefix(MarkOf(encoding).size());
    if (encoding == TTextFileEncoding::Ansi || encoding == TTextFileEncoding::Utf8) return std::string(bytes);
    const bool little = encoding == TTextFileEncoding::Utf16LE;
    std::u16string units;
    units.reserve(bytes.size() / 2 + 1);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const uint8_t a = uint8_t(bytes[i]), b = uint8_t(bytes[i + 1]);
        units += char16_t(little ? a | (b << 8) : (a << 8) | b);
    }
    if (bytes.size() % 2) units += char16_t(uint8_t(bytes.back()));
    return Utf16ToUtf8(units);
}

std::string EncodeTextFile(std::string_view text, TTextFileEncoding encoding) {
    std::string out(MarkOf(encoding));
    if (encoding == TTextFileEncoding::Ansi || encoding == TTextFileEncoding::Utf8) return out.append(text);
    const bool little = encoding == TTextFileEncoding::Utf16LE;
    const std::u16string units = Utf8ToUtf16(text);
    out.reserve(out.size() + units.size() * 2);
    for (char16_t u : units) {
        const char lo = char(u & 0xFF), hi = char(u >> 8);
        out += little ? lo : hi;
        out += little ? hi : lo;
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        const uint8_t lead = uint8_t(s[i]);
        size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                                                                       : lead >= 0xF0 && lead < 0xF5 ? 4 : 0;
        uint32_t c = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        for (size_t k = 1; k < length; ++k) {
            const uint8_t next = i + k < s.size() ? uint8_t(s[i + k]) : 0;
            if ((next & 0xC0) != 0x80) {
                length = 0;
                break;
            }
            c = (c << 6) | (next & 0x3F);
        }
        // Overlong forms and values beyond U+10FFFF are no characters.
        if ((length == 3 && c < 0x800) || (length == 4 && (c < 0x10000 || c > 0x10FFFF))) length = 0;
        if (length == 0) {
            out += u'\xFFFD';
            ++i;
            continue;
        }
        if (c >= 0x10000) {
            out += char16_t(0xD800 + ((c - 0x10000) >> 10));
            out += char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += char16_t(c);
        }
        i += length;
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        uint32_t c = s[i];
        if (IsHighSurrogate(c) && i + 1 < s.size() && IsLowSurrogate(s[i + 1]))
            c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
        AppendUtf8(out, c);
    }
    return out;
}

std::u16string Latin1ToUtf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (char c : bytes) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf16ToLatin1(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text) out.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
    return out;
}

}  // namespace ad
