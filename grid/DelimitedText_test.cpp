// The delimited-text reader: quoting, line ends, skipped lines, encodings,
// and filling a cell store.
#include "grid/DelimitedText.h"

#include <gtest/gtest.h>

#include "grid/CellStore.h"
#include "grid/GridTestSupport.h"

namespace ad::grid {
namespace {

// Records rows as texts; fields land where the reader puts them.
struct TRecordingSink : IDelimitedSink {
    std::vector<std::vector<std::u16string>> rows;
    std::vector<std::pair<int, int>> progress;
    void AddRow() override { rows.emplace_back(); }
    void SetCellText(int col, int row, const std::u16string& text) override {
        auto& r = rows.at(static_cast<size_t>(row));
        if (r.size() <= static_cast<size_t>(col)) r.resize(static_cast<size_t>(col) + 1);
        r[static_cast<size_t>(col)] = text;
    }
    void LoadProgress(int col, int row) override { progress.push_back({col, row}); }
};

using Rows = std::vector<std::vector<std::u16string>>;

Rows Parse(const std::string& bytes, char16_t sep = u';', int skip = 0, char16_t lineBreak = u'|',
           TRecordingSink* out = nullptr) {
    TRecordingSink local;
    TRecordingSink& sink = out ? *out : local;
    TReadOnlyMemoryStream source(bytes.data(), bytes.size());
    ParseDelimitedText(source, sep, skip, lineBreak, sink);
    return sink.rows;
}

TEST(DelimitedTextTest, FieldsQuotesAndLines) {
    struct Case { const char* name; std::string bytes; int skip; Rows expected; };
    const Case cases[] = {
        {"quoted separator", "\"x;y\";z\n", 0, {{u"x;y", u"z"}}},
        {"doubled quotes", "\"say \"\"hi\"\"\"\n", 0, {{u"say \"hi\""}}},
        {"quote inside text", "ab\"c;d\n", 0, {{u"ab\"c;d"}}},
        {"skip one line", "h1;h2\na;b\n", 1, {{u"a", u"b"}}},
        {"skip more lines than there are", "a\nb\n", 5, {}},
        {"last line without end, two fields", "a\np;q", 0, {{u"a"}, {u"p", u"q"}}},
        {"last line without end, one field", "a\nr", 0, {{u"a"}, {u"r"}}},
        {"line break character", "one|two\n", 0, {{u"one\r\ntwo"}}},
        {"CR LF line ends, CR ignored", "a;b\r\nc\r\n", 0, {{u"a", u"b"}, {u"c"}}},
        {"empty line", "a\n\nb\n", 0, {{u"a"}, {u""}, {u"b"}}},
        {"LF ends a field inside quotes", "\"a\nb\"\n", 0, {{u"a"}, {u"b\""}}},
        {"empty field at the end stores nothing", "a;", 0, {{u"a"}}},
        {"Latin-1 bytes", "caf\xE9\n", 0, {{u"caf\u00E9"}}},
        {"one byte", "x", 0, {{u"x"}}},
        {"nothing", "", 0, {}},
        {"UTF-16 BE", std::string("\xFE\xFF\0a\0;\0b", 8), 0, {{u"a", u"b"}}},
        {"UTF-16 LE", std::string("\xFF\xFE\x16\x04;\0b\0", 8), 0, {{u"\u0416", u"b"}}},
        {"BOM only", "\xFF\xFE", 0, {}},
        {"lone FF byte", "\xFF", 0, {{u"\u00FF"}}},
    };
    for (const Case& c : cases) EXPECT_EQ(Parse(c.bytes, u';', c.skip), c.expected) << c.name;
}

TEST(DelimitedTextTest, UTF16OfOddLengthIsAReadError) {
    // BOM, "a" LF, "b", then half a unit: the row read before stays, the
    // unfinished field is not stored.
    for (const std::string& bytes : {std::string("\xFF\xFE" "a\0\n\0b\0c", 9), std::string("\xFE\xFF\0a\0\n\0bc", 9)}) {
        TRecordingSink sink;
        EXPECT_THROW(Parse(bytes, u';', 0, u'|', &sink), EReadError);
        EXPECT_EQ(sink.rows, (Rows{{u"a"}}));
    }
}

TEST(DelimitedTextTest, ProgressFollowsStoredFieldsButNotTheLastUnterminated) {
    TRecordingSink sink;
    Parse("a;b\nc;d", u';', 0, u'|', &sink);
    EXPECT_EQ(sink.progress, (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {0, 1}}));
}

TEST(DelimitedTextTest, LongInputCrossesReadBlocks) {
    std::string text;
    for (int r = 0; r < 20000; ++r) text += "row" + std::to_string(r) + "\t\"q\t" + std::to_string(r) + "\"\n";
    Rows rows = Parse(text, u'\t');
    ASSERT_EQ(rows.size(), 20000u);
    EXPECT_EQ(rows[12345][0], u"row12345");
    EXPECT_EQ(rows[12345][1], u"q\t12345");
}

// The text starts where the stream stands; a stream that fails to read raises
// through the reader.
TEST(DelimitedTextTest, ReadsTheStreamFromItsPosition) {
    TMemoryStream stream;
    stream.WriteBuffer("skipped", 7);
    stream.WriteBuffer("\xFF\xFE" "a\0;\0b\0", 8);
    stream.SetPosition(7);
    TRecordingSink sink;
    ParseDelimitedText(stream, u';', 0, u'|', sink);
    EXPECT_EQ(sink.rows, (Rows{{u"a", u"b"}}));

    struct TFailingStream : TReadOnlyMemoryStream {
        TFailingStream() : TReadOnlyMemoryStream("a;b\n", 4) {}
        size_t Read(void*, size_t) override { throw EReadError("Stream read error"); }
    } failing;
    EXPECT_THROW(ParseDelimitedText(failing, u';', 0, u'|', sink), EReadError);
}

}  // namespace
}  // namespace ad::grid
