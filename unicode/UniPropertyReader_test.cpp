// Reading wide properties from form descriptions.
#include "unicode/UniPropertyReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unicode/UniTestCodec.h"

namespace ad::uni {
namespace {

// Builds a value stream by hand.
struct Values {
    std::string bytes;
    Values& Type(TValueType t) { return Byte(t); }
    Values& Byte(int b) {
        bytes.push_back(static_cast<char>(b));
        return *this;
    }
    Values& U32(uint32_t n) {
        for (int i = 0; i < 4; ++i) Byte(static_cast<int>((n >> (8 * i)) & 0xFF));
        return *this;
    }
    Values& Str(const std::string& s) {
        Type(vaString).Byte(static_cast<int>(s.size()));
        bytes += s;
        return *this;
    }
    Values& LStr(const std::string& s) {
        Type(vaLString).U32(static_cast<uint32_t>(s.size()));
        bytes += s;
        return *this;
    }
    Values& WStr(const std::u16string& s) {
        Type(vaWString).U32(static_cast<uint32_t>(s.size()));
        for (char16_t c : s) Byte(c & 0xFF).Byte(c >> 8);
        return *this;
    }
};

std::vector<std::u16string> Lines(const TWideStrings& list) {
    std::vector<std::u16string> v;
    for (int i = 0; i < list.Count(); ++i) v.push_back(list[i]);
    return v;
}

using L = std::vector<std::u16string>;

TEST(UniPropertyReader, MixedStringsListReadsInOrder) {
    Values v;
    v.Type(vaList).Str("plain \xE9").WStr(u"\u674E\u96F7").LStr("long \x80").WStr(u"").WStr(u"\U0001F600").Type(vaNull);
    v.Str("after");
    TReadOnlyMemoryStream stream(v.bytes.data(), v.bytes.size());
    test::TCp1252Codec cp1252;
    TUniValueReader reader(stream, cp1252);
    TWideStringList list;
    list.Add(u"replaced");
    ASSERT_TRUE(ReadUniStringsProperty("Strings", reader, list));
    EXPECT_EQ(Lines(list), (L{u"plain \u00E9", u"\u674E\u96F7", u"long \u20AC", u"", u"\U0001F600"}));
    EXPECT_EQ(reader.ReadString(), "after");  // the reader stands right after the list
}

TEST(UniPropertyReader, SingleStringBecomesTheWholeText) {
    Values v;
    v.WStr(u"one\r\ntwo");
    TReadOnlyMemoryStream stream(v.bytes.data(), v.bytes.size());
    TUniValueReader reader(stream);
    TWideStringList list;
    ReadStringsProperty(reader, list);
    EXPECT_EQ(Lines(list), (L{u"one", u"two"}));
}

TEST(UniPropertyReader, WritesWhatItReads) {
    TWideStringList list;
    list.Add(u"\u674E");
    list.Add(u"");
    list.Add(u"b");
    TMemoryStream out;
    WriteStringsProperty(out, list);
    out.SetPosition(0);
    TUniValueReader reader(out);
    TWideStringList back;
    ReadStringsProperty(reader, back);
    EXPECT_TRUE(back.Equals(list));
    EXPECT_EQ(out.Position(), out.Size());
}

TEST(UniPropertyReader, ExtraListsOfUniStrings) {
    // UTF-8 lines are taken by an empty list and dropped by a filled one;
    // UTF-7 lines are dropped while reading them is off.
    Values v;
    v.Type(vaList).Str("\xE4\xB8\xAD").Str("x").Type(vaNull);
    v.Type(vaList).Str("+Ti0-").Type(vaNull);
    for (bool filled : {false, true}) {
        TReadOnlyMemoryStream stream(v.bytes.data(), v.bytes.size());
        TUniValueReader reader(stream);
        TWideStringList list;
        if (filled) list.Add(u"kept");
        ASSERT_TRUE(ReadUniStringsProperty("WideStringsW", reader, list));
        ASSERT_TRUE(ReadUniStringsProperty("WideStrings_UTF7", reader, list));
        EXPECT_EQ(Lines(list), (filled ? L{u"kept"} : L{u"\u4E2D", u"x"}));
        EXPECT_EQ(stream.Remaining(), 0);
    }
    TReadOnlyMemoryStream stream(v.bytes.data(), v.bytes.size());
    TUniValueReader reader(stream);
    TWideStringList list;
    ReadUniStringsProperty("WideStringsW", reader, list);
    ASSERT_TRUE(ReadUniStringsProperty("WideStrings_UTF7", reader, list, true));
    EXPECT_EQ(Lines(list), (L{u"\u4E2D"}));
    EXPECT_FALSE(ReadUniStringsProperty("Text", reader, list));
}

TEST(UniPropertyReader, ExtraFormsOfWideProperties) {
    std::u16string hint = u"unchanged";
    char16_t mark = u'x';
    const std::vector<TWideProperty> props = {
        {"Hint", false, [&](const std::u16string& s) { hint = s; }, nullptr},
        {"PasswordChar", true, nullptr, [&](char16_t c) { mark = c; }},
    };
    Values v;
    v.Str("\xE4\xB8\xAD").Str("+Ti0-").WStr(u"\u2022").Str("").Str("+ICI-");
    TReadOnlyMemoryStream stream(v.bytes.data(), v.bytes.size());
    TUniValueReader reader(stream);
    EXPECT_TRUE(ReadWidePropertyExtra("HintW", reader, props));
    EXPECT_TRUE(ReadWidePropertyExtra("Hint_UTF7", reader, props));
    EXPECT_EQ(hint, u"unchanged");  // consumed, not applied
    EXPECT_TRUE(ReadWidePropertyExtra("PasswordCharW", reader, props));
    EXPECT_EQ(mark, u'\u2022');
    EXPECT_TRUE(ReadWidePropertyExtra("PasswordCharW", reader, props));
    EXPECT_EQ(mark, u'\0');
    EXPECT_TRUE(ReadWidePropertyExtra("PasswordChar_UTF7", reader, props));
    EXPECT_EQ(mark, u'\u2022');
    EXPECT_EQ(stream.Remaining(), 0);
    EXPECT_FALSE(ReadWidePropertyExtra("Hint", reader, props));
    EXPECT_FALSE(ReadWidePropertyExtra("HintX", reader, props));

    Values two;
    two.WStr(u"ab");
    TReadOnlyMemoryStream twoStream(two.bytes.data(), two.bytes.size());
    TUniValueReader twoReader(twoStream);
    try {
        ReadWidePropertyExtra("PasswordCharW", twoReader, props);
        ADD_FAILURE() << "two characters accepted";
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "Invalid property value");
    }
}

TEST(UniPropertyReader, CountsBeyondTheDataFailWithoutReading) {
    const std::vector<Values> cases = {
        Values().Type(vaWString).U32(0x7FFFFFFF).Byte('a').Byte(0),
        Values().Type(vaWString).U32(2).Byte('a').Byte(0).Byte('b'),
        Values().Type(vaLString).U32(0xFFFFFFFF),
        Values().Type(vaString).Byte(5).Byte('a'),
        Values().Type(vaWString).Byte(1),
        Values().Type(vaList).WStr(u"a"),  // no end of list
        Values(),
    };
    for (const Values& v : cases) {
        // Kept in a buffer of its own size, so that ASan sees any read past it.
        std::vector<char> exact(v.bytes.begin(), v.bytes.end());
        TReadOnlyMemoryStream stream(exact.data(), exact.size());
        TUniValueReader reader(stream);
        TWideStringList list;
        EXPECT_THROW(ReadStringsProperty(reader, list), EReadError);
    }
}

}  // namespace
}  // namespace ad::uni
