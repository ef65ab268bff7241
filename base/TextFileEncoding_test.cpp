// Text files by their byte-order mark: which encoding a file has, what text it
// holds, and that encoding the text again gives back the file's bytes.
#include "base/TextFileEncoding.h"

#include <gtest/gtest.h>

namespace ad {
namespace {

using std::string_literals::operator""s;

TEST(TextFileEncoding, DecodesAndEncodesBackByteForByte) {
    struct Case {
        const char* name;
        std::string bytes;
        TTextFileEncoding encoding;
        std::string text;  // UTF-8 for files with a mark
    } cases[] = {
        {"no mark: bytes as they are", "[s]\r\nk=caf\xE9\0\xFF\xFE"s, TTextFileEncoding::Ansi,
         "[s]\r\nk=caf\xE9\0\xFF\xFE"s},
        {"empty", "", TTextFileEncoding::Ansi, ""},
        {"one byte FF", "\xFF", TTextFileEncoding::Ansi, "\xFF"},
        {"UTF-8 mark, invalid bytes kept", "\xEF\xBB\xBFk=caf\xC3\xA9 \xC3(", TTextFileEncoding::Utf8,
         "k=caf\xC3\xA9 \xC3("},
        {"UTF-16 LE", "\xFF\xFEk\0=\0\xE9\0\x16\x04\r\0\n\0"s, TTextFileEncoding::Utf16LE, "k=\xC3\xA9\xD0\x96\r\n"},
        {"UTF-16 BE", "\xFE\xFF\0k\0=\0\xE9\x04\x16"s, TTextFileEncoding::Utf16BE, "k=\xC3\xA9\xD0\x96"},
        {"mark only", "\xFF\xFE", TTextFileEncoding::Utf16LE, ""},
        {"surrogate pair", "\xFF\xFE\x3D\xD8\x00\xDE"s, TTextFileEncoding::Utf16LE, "\xF0\x9F\x98\x80"},
        {"lone surrogates", "\xFF\xFE\x00\xDC\x00\xD8x\0"s, TTextFileEncoding::Utf16LE, "\xED\xB0\x80\xED\xA0\x80x"},
        {"NUL units", "\xFE\xFF\0a\0\0\0b"s, TTextFileEncoding::Utf16BE, "a\0b"s},
        {"UTF-8 mark after a UTF-16 mark is text", "\xFF\xFE\xEF\xBB"s, TTextFileEncoding::Utf16LE, "\xEB\xAF\xAF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DetectTextFileEncoding(c.bytes), c.encoding);
        const std::string text = DecodeTextFile(c.bytes, c.encoding);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(EncodeTextFile(text, c.encoding), c.bytes);
    }
}

TEST(TextFileEncoding, OddUtf16ReadsItsLastByteAsACharacter) {
    EXPECT_EQ(DecodeTextFile("\xFF\xFEz\0x"s, TTextFileEncoding::Utf16LE), "zx");
    EXPECT_EQ(DecodeTextFile("\xFE\xFF\0z\xE9"s, TTextFileEncoding::Utf16BE), "z\xC3\xA9");
    EXPECT_EQ(EncodeTextFile("zx", TTextFileEncoding::Utf16LE), "\xFF\xFEz\0x\0"s);
}

TEST(TextFileEncoding, Utf8ThatIsNoCharacterReadsAsReplacement) {
    struct Case {
        const char* name;
        std::string utf8;
        std::u16string units;
    } cases[] = {
        {"stray continuation", "a\x80z", u"a\uFFFDz"},
        {"cut short at the end", "a\xE2\x82", u"a\uFFFD\uFFFD"},
        {"overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD"},
        {"overlong three bytes", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"largest character", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
        {"euro sign", "\xE2\x82\xAC", u"\u20AC"},
    };
    for (const Case& c : cases) EXPECT_EQ(Utf8ToUtf16(c.utf8), c.units) << c.name;
}

TEST(TextFileEncoding, Latin1MapsBytesToTheFirst256CodePoints) {
    const std::string bytes("A\0\x7F\x80\xE9\xFF", 6);
    EXPECT_EQ(Latin1ToUtf16(bytes), std::u16string(u"A\0\x7F\x80\xE9\xFF", 6));
    EXPECT_EQ(Utf16ToLatin1(Latin1ToUtf16(bytes)), bytes);
    EXPECT_EQ(Utf16ToLatin1(u"\x100\x20AC\xD800x"), "???x");  // no byte form: "?"
}

}  // namespace
}  // namespace ad
