// UTF-7 both ways, code-page dispatch, line breaks and byte order.
#include "unicode/UniConvert.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "unicode/UniSysUtils.h"

namespace ad::uni {
namespace {

TEST(UniConvert, Utf7EncodesAndDecodesKnownTexts) {
    struct Case {
        std::u16string text;
        std::string utf7;
    } cases[] = {
        {u"A\u2262\u0391.", "A+ImIDkQ."},
        {u"Hi Mom -\u263A-!", "Hi Mom -+Jjo--!"},
        {u"", ""},
        {u"+", "+-"},
        {u"1+1", "1+-1"},
        {u"a~b", "a+AH4-b"},    // a base-64 letter after the run needs the "-"
        {u"~.", "+AH4."},       // "." does not
        {u"x\u65E5", "x+ZeU"},  // no "-" at the end of the text
        {u"\u65E5\u672C\u8A9E", "+ZeVnLIqe"},
        {u"tab\there\r\n", "tab\there\r\n"},
        {u"[a]{b}", "[a]{b}"},  // set O stays direct
        {u"\\", "+AFw"},
        {std::u16string(1, u'\0'), "+AAA"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WideToUtf7(c.text), c.utf7);
        EXPECT_EQ(Utf7ToWide(c.utf7), c.text) << c.utf7;
    }
}

TEST(UniConvert, Utf7DecoderAcceptsRunsEndedAnyWay) {
    EXPECT_EQ(Utf7ToWide("+AGE-"), u"a");
    EXPECT_EQ(Utf7ToWide("+AGE."), u"a.");
    EXPECT_EQ(Utf7ToWide("+ZeVnLIqe-"), u"\u65E5\u672C\u8A9E");
    EXPECT_EQ(Utf7ToWide("a+--b"), u"a+-b");
}

TEST(UniConvert, Utf7DecoderRejectsInvalidInput) {
    for (const char* bad : {"+!", "+", "abc+", "\x80", "ok\xC3\xA9", "+AB-", "+AAB-", "+ZeV\x80"}) {
        try {
            Utf7ToWide(bad);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const EUniGeneralError& e) {
            EXPECT_STREQ(e.what(), "Invalid UTF7");
        }
    }
}

TEST(UniConvert, Utf7RoundTripsRandomUtf16) {
    std::mt19937 rng(2152);
    std::uniform_int_distribution<int> length(0, 40), pick(0, 3), any(0, 0xFFFF), ascii(0, 127);
    for (int round = 0; round < 2000; ++round) {
        std::u16string s;
        for (int i = length(rng); i > 0; --i)
            s.push_back(static_cast<char16_t>(pick(rng) == 0 ? any(rng) : ascii(rng)));
        const std::string utf7 = WideToUtf7(s);
        for (char c : utf7) ASSERT_LT(static_cast<unsigned char>(c), 128u);
        ASSERT_EQ(Utf7ToWide(utf7), s) << utf7;
    }
}

TEST(UniConvert, CodePagesDispatch) {
    const std::u16string text = u"\u00E9\u263A.";
    EXPECT_EQ(WideToCodePage(text, cpUtf7), "+AOkmOg.");
    EXPECT_EQ(WideToCodePage(text, cpUtf8), "\xC3\xA9\xE2\x98\xBA.");
    EXPECT_EQ(CodePageToWide("+AOkmOg.", cpUtf7), text);
    EXPECT_EQ(CodePageToWide("\xC3\xA9\xE2\x98\xBA.", cpUtf8), text);
    EXPECT_EQ(CodePageToWide("\xE9", 1252), u"\u00E9");
}

TEST(UniConvert, LineBreaksNormalised) {
    struct Case {
        std::u16string in;
        TTextLineBreakStyle style;
        std::u16string out;
    } cases[] = {
        {u"a\r\nb\rc\nd\u2028e", TTextLineBreakStyle::tlbsCRLF, u"a\r\nb\r\nc\r\nd\r\ne"},
        {u"a\r\nb\rc\nd\u2028e", TTextLineBreakStyle::tlbsLF, u"a\nb\nc\nd\ne"},
        {u"a\r\nb\rc\nd\u2028e", TTextLineBreakStyle::tlbsCR, u"a\rb\rc\rd\re"},
        {u"\n\r", TTextLineBreakStyle::tlbsCRLF, u"\r\n\r\n"},  // LF CR is two breaks
        {u"\r\r\n", TTextLineBreakStyle::tlbsLF, u"\n\n"},
        {u"end\r", TTextLineBreakStyle::tlbsCRLF, u"end\r\n"},
        {u"", TTextLineBreakStyle::tlbsCRLF, u""},
        {u"\u2029x", TTextLineBreakStyle::tlbsCRLF, u"\u2029x"},  // only U+2028 counts
    };
    for (const Case& c : cases) EXPECT_EQ(NormalizeLineBreaks(c.in, c.style), c.out);
}

TEST(UniConvert, ByteSwapCoversTextPastAZero) {
    std::u16string s = {0x4100, 0x0000, 0x4200, 0x3A26};
    SwapByteOrder(s);
    EXPECT_EQ(s, (std::u16string{u'A', 0, u'B', 0x263A}));
}

}  // namespace
}  // namespace ad::uni
