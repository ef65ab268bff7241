// Wide string lists: splitting, list mechanics, loading by byte-order mark and
// the byte-exact UTF-16 save that the grid's delimited-text import reads back.
#include "unicode/UniWideStrings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Streams.h"
#include "grid/DelimitedText.h"
#include "unicode/UniTestRows.h"
#include "unicode/UniTestCodec.h"

namespace ad::uni {
namespace {

std::vector<std::u16string> Lines(const TWideStrings& list) {
    std::vector<std::u16string> v;
    for (int i = 0; i < list.Count(); ++i) v.push_back(list[i]);
    return v;
}

using L = std::vector<std::u16string>;

TEST(UniWideStrings, TextSplitsAtEveryBreak) {
    struct Case {
        std::u16string text;
        L lines;
    } cases[] = {
        {u"one\r\ntwo\rthree\nfour\u2028five", {u"one", u"two", u"three", u"four", u"five"}},
        {u"a\r\n", {u"a"}},              // a final break adds no line
        {u"a\r\n\r\n", {u"a", u""}},
        {u"\n", {u""}},
        {u"", {}},
        {u"a\n\rb", {u"a", u"", u"b"}},  // LF CR: two breaks
        {std::u16string(u"x\0y", 3), {std::u16string(u"x\0y", 3)}},
    };
    for (const Case& c : cases) {
        TWideStringList list;
        list.Add(u"old");
        list.SetTextStr(c.text);
        EXPECT_EQ(Lines(list), c.lines);
    }
    TWideStringList list;
    list.SetTextStr(u"a\rb");
    EXPECT_EQ(list.GetTextStr(), u"a\r\nb\r\n");
}

TEST(UniWideStrings, SeparatorsAreDefinedOnFirstRead) {
    TWideStringList list;
    EXPECT_EQ(list.Defined(), 0u);
    EXPECT_EQ(list.Delimiter(), u',');
    EXPECT_EQ(list.Defined(), unsigned(TWideStrings::sdDelimiter));
    EXPECT_EQ(list.QuoteChar(), u'"');
    EXPECT_EQ(list.NameValueSeparator(), u'=');
    EXPECT_EQ(list.Defined(), 7u);

    TWideStringList copy;
    list.SetDelimiter(u';');
    copy.Assign(list);
    EXPECT_EQ(copy.Delimiter(), u';');
}

TEST(UniWideStrings, ListMechanicsKeepObjects) {
    test::TCp1252Codec cp1252;
    TWideStringList list;
    list.Codec = &cp1252;
    list.AddObject(u"\u00C9t\u00E9", 1);
    list.AddObject(u"key=value", 2);
    list.AddObject(u"\u0160koda", 3);
    EXPECT_EQ(list.IndexOf(u"\u00E9T\u00C9"), 0);  // case ignored beyond ASCII
    EXPECT_EQ(list.IndexOf(u"\u0161KODA"), 2);
    EXPECT_EQ(list.IndexOf(u"missing"), -1);
    EXPECT_EQ(list.IndexOfName(u"KEY"), 1);
    EXPECT_EQ(list.IndexOfObject(3), 2);

    list.Exchange(0, 2);
    list.Move(0, 1);
    EXPECT_EQ(Lines(list), (L{u"key=value", u"\u0160koda", u"\u00C9t\u00E9"}));
    EXPECT_EQ(list.Objects(0), 2);
    EXPECT_EQ(list.Objects(1), 3);
    EXPECT_EQ(list.Objects(2), 1);

    TWideStringList same;
    same.Assign(list);
    EXPECT_TRUE(same.Equals(list));
    same.Put(0, u"KEY=value");
    EXPECT_FALSE(same.Equals(list));  // exact comparison
    EXPECT_EQ(same.Objects(0), 2);
    EXPECT_THROW(list.Get(3), EStringListError);
    EXPECT_THROW(list.Insert(5, u"x"), EStringListError);
}

std::string Bytes(std::initializer_list<int> b) {
    std::string s;
    for (int v : b) s.push_back(static_cast<char>(v));
    return s;
}

TEST(UniWideStrings, LoadsByByteOrderMark) {
    struct Case {
        const char* what;
        std::string bytes;
        TUniCharSet charSet;
        std::u16string text;
    } cases[] = {
        {"UTF-16 LE", Bytes({0xFF, 0xFE, 'A', 0, 0x2D, 0x4E, '\r', 0, '\n', 0, 'B', 0}), csUnicode, u"A\u4E2D\r\nB\r\n"},
        {"UTF-16 BE", Bytes({0xFE, 0xFF, 0, 'A', 0x4E, 0x2D, 0, '\n', 0, 'B'}), csUnicodeSwapped, u"A\u4E2D\r\nB\r\n"},
        {"BE past U+0000", Bytes({0xFE, 0xFF, 0, 'A', 0, 0, 0x26, 0x3A}), csUnicodeSwapped,
         std::u16string(u"A\0\u263A\r\n", 5)},
        {"UTF-8", Bytes({0xEF, 0xBB, 0xBF, 'x', 0xE4, 0xB8, 0xAD, '\r', 'y'}), csUtf8, u"x\u4E2D\r\ny\r\n"},
        {"ANSI", Bytes({'S', 0x80, 0xE9}), csAnsi, u"S\u20AC\u00E9\r\n"},
        {"one byte", Bytes({'Z'}), csAnsi, u"Z\r\n"},
        {"two ANSI bytes", Bytes({0xFF, 'a'}), csAnsi, u"\u00FFa\r\n"},
        {"odd UTF-16", Bytes({0xFF, 0xFE, 'A', 0, 'B'}), csUnicode, u"A\r\n"},
        {"mark only", Bytes({0xFF, 0xFE}), csUnicode, u""},
        {"mark and one byte", Bytes({0xFF, 0xFE, 'A'}), csUnicode, u""},
        {"empty", "", csAnsi, u""},
    };
    test::TCp1252Codec cp1252;
    for (const Case& c : cases) {
        TReadOnlyMemoryStream detect(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(DetectCharSet(detect), c.charSet) << c.what;
        TReadOnlyMemoryStream stream(c.bytes.data(), c.bytes.size());
        TWideStringList list;
        list.Codec = &cp1252;
        list.LoadFromStream(stream);
        EXPECT_EQ(list.GetTextStr(), c.text) << c.what;
    }
    // Without detection the bytes are UTF-16 little-endian, a mark included.
    const std::string le = Bytes({'A', 0, 'B', 0});
    TReadOnlyMemoryStream stream(le.data(), le.size());
    TWideStringList list;
    list.LoadFromStream(stream, false);
    EXPECT_EQ(Lines(list), (L{u"AB"}));
}

TEST(UniWideStrings, SavesUtf16WithMarkThatTheGridReadsBack) {
    TWideStringList list;
    list.Add(u"\u674E\u96F7\thttp://example.org/\u00E9");
    list.Add(u"Zo\u00EB\t\U0001F600");
    TMemoryStream out;
    list.SaveToStream(out);
    const std::string expected =
        Bytes({0xFF, 0xFE, 0x4E, 0x67, 0xF7, 0x96, '\t', 0}) +
        std::string("h\0t\0t\0p\0:\0/\0/\0e\0x\0a\0m\0p\0l\0e\0.\0o\0r\0g\0/\0", 38) +
        Bytes({0xE9, 0, '\r', 0, '\n', 0, 'Z', 0, 'o', 0, 0xEB, 0, '\t', 0, 0x3D, 0xD8, 0x00, 0xDE, '\r', 0, '\n', 0});
    ASSERT_EQ(std::string(reinterpret_cast<const char*>(out.Memory()), static_cast<size_t>(out.Size())), expected);

    out.SetPosition(0);
    GridRowSink sink;
    grid::ParseDelimitedText(out, u'\t', 0, u'|', sink);
    ASSERT_EQ(sink.rows.size(), 2u);
    EXPECT_EQ(sink.rows[0], (L{u"\u674E\u96F7", u"http://example.org/\u00E9"}));
    EXPECT_EQ(sink.rows[1], (L{u"Zo\u00EB", u"\U0001F600"}));

    // And the list reads its own file back.
    out.SetPosition(0);
    TWideStringList again;
    again.LoadFromStream(out);
    EXPECT_TRUE(again.Equals(list));
}

}  // namespace
}  // namespace ad::uni
