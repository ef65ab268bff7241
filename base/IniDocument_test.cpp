// IniDocument without files: line preservation, name folding and value encoding.
#include "base/IniDocument.h"

#include <gtest/gtest.h>

namespace ad {
namespace {

TEST(IniDocument, SerializesEveryLineAsReadWithCrLfEnds) {
    IniDocument doc;
    doc.Parse("; c\r[s]\n  a = 1  \r\n\r\nodd\r\r\n[t\n\tb=\"2\"");
    EXPECT_EQ(doc.Serialize(), "; c\r\n[s]\r\n  a = 1  \r\n\r\nodd\r\n\r\n[t\r\n\tb=\"2\"\r\n");
    EXPECT_EQ(doc.ReadValue("s", "b").value_or("<none>"), "2");  // "[t" is no header
    doc.Parse("");
    EXPECT_EQ(doc.Serialize(), "");
    EXPECT_TRUE(doc.SectionNames().empty());
}

TEST(IniDocument, FoldsAsciiUnlessGivenAFoldingFunction) {
    const char* text = "[Caf\xC9]\r\nKey=1\r\n";
    IniDocument ascii;
    ascii.Parse(text);
    EXPECT_EQ(ascii.ReadValue("CAF\xC9", "KEY").value_or("<none>"), "1");
    EXPECT_EQ(ascii.ReadValue("caf\xE9", "key").value_or("<none>"), "<none>");

    // A folding function that also knows the code page's accented letters.
    IniDocument latin([](std::string_view s) {
        std::string r(s);
        for (char& c : r) {
            unsigned char u = static_cast<unsigned char>(c);
            if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7)) c = static_cast<char>(u - 32);
        }
        return r;
    });
    latin.Parse(text);
    EXPECT_EQ(latin.ReadValue("caf\xE9", "key").value_or("<none>"), "1");
    EXPECT_TRUE(latin.WriteValue("CAF\xE9", "KEY", "2"));
    EXPECT_EQ(latin.Serialize(), "[Caf\xC9]\r\nKey=2\r\n");  // the file's spellings stay
}

// A NUL ends a name or value as it does for the profile functions (measured under
// Wine); the line keeps what follows it, and the next lines read as usual.
TEST(IniDocument, NulEndsANameOrValue) {
    using std::string_literals::operator""s;
    const std::string text = "[s]\r\nk=ab\0cd\r\nb=ab \0cd \r\nq=\"ab\0cd\"\r\nq2=\"ab\"\0cd\r\nv=\0x\r\n"
                             "a\0b=3\r\n\0c=4\r\nafter=1\r\n[t\0u]\r\nx=1\r\n"s;
    IniDocument doc;
    doc.Parse(text);
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {{"s", "k", "ab"},   {"s", "b", "ab "}, {"s", "q", "\"ab"}, {"s", "q2", "ab"}, {"s", "v", ""},
                 {"s", "a", "3"},    {"s", "c", "<none>"}, {"s", "after", "1"}, {"t", "x", "1"}};
    for (const Case& c : cases)
        EXPECT_EQ(doc.ReadValue(c.section, c.key).value_or("<none>"), c.value) << c.section << "/" << c.key;
    EXPECT_EQ(doc.KeyNames("s"), (std::vector<std::string>{"k", "b", "q", "q2", "v", "a", "after"}));
    EXPECT_EQ(doc.SectionNames(), (std::vector<std::string>{"s", "t"}));
    EXPECT_EQ(doc.Serialize(), text);
    EXPECT_FALSE(doc.WriteValue("s", "k", "ab"));  // reads as "ab" already: the line stays
    EXPECT_TRUE(doc.WriteValue("s", "b", "ab"));
    EXPECT_TRUE(doc.Serialize().starts_with("[s]\r\nk=ab\0cd\r\nb=ab\r\nq="s));
}

// Writes that add at the end are indexed one line at a time, others re-index
// the document: after any sequence of them every lookup answers as it does on
// the written text read afresh.
TEST(IniDocument, LookupsAfterWritesMatchTheWrittenTextReadAfresh) {
    IniDocument doc;
    doc.Parse("[first]\r\na=1\r\n; note\r\n[empty]\r\n[Last]\r\nx=1\r\n");
    struct Write {
        const char* section;
        const char* key;
        const char* value;
    } writes[] = {
        {"last", "y", "2"},         // a key after the last line
        {"new", "Desc", " padded "},  // a section at the end
        {"NEW", "Loc", "c:\\x.exe"},  // its second key, the name spelled otherwise
        {"first", "b", "3"},        // a key in the middle: the lines after it move
        {"empty", "k", "4"},        // the first key of a section without keys
        {"first", "A", "changed"},  // a value replaced on its own line
        {"new", "desc", "again"},
        {"tail", "only", "5"},
    };
    for (const Write& w : writes) EXPECT_TRUE(doc.WriteValue(w.section, w.key, w.value)) << w.section << "/" << w.key;
    IniDocument fresh;
    fresh.Parse(doc.Serialize());
    EXPECT_EQ(doc.SectionNames(), fresh.SectionNames());
    EXPECT_EQ(doc.SectionNames(), (std::vector<std::string>{"first", "empty", "Last", "new", "tail"}));
    for (const std::string& section : fresh.SectionNames()) {
        EXPECT_EQ(doc.KeyNames(section), fresh.KeyNames(section)) << section;
        for (const std::string& key : fresh.KeyNames(section))
            EXPECT_EQ(doc.ReadValue(section, key), fresh.ReadValue(section, key)) << section << "/" << key;
    }
    EXPECT_EQ(doc.ReadValue("NEW", "DESC").value_or("<none>"), "again");
    EXPECT_EQ(doc.ReadValue("first", "a").value_or("<none>"), "changed");
    EXPECT_EQ(doc.Serialize(), "[first]\r\na=changed\r\nb=3\r\n; note\r\n[empty]\r\nk=4\r\n[Last]\r\nx=1\r\ny=2\r\n"
                               "[new]\r\nDesc=again\r\nLoc=c:\\x.exe\r\n[tail]\r\nonly=5\r\n");
}

TEST(IniDocument, EncodedValuesDecodeToThemselves) {
    for (std::string v : {"", "x", " x", "x ", "\"", "''", "\"a'", "'a'", "\"a\" ", "a=b", "\t\"\t"}) {
        std::string stored = IniDocument::EncodeValue(v);
        IniDocument doc;
        doc.Parse("[s]\r\nk=" + stored + "\r\n");
        EXPECT_EQ(doc.ReadValue("s", "k").value_or("<none>"), v) << "stored as " << stored;
    }
    EXPECT_EQ(IniDocument::EncodeValue("plain"), "plain");  // ordinary values are stored as they are
}

}  // namespace
}  // namespace ad
