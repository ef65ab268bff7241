// TIniFile: agreement with the system's profile functions on tricky files, and the
// write semantics (layout kept, atomic saves, failures, several writers, batches).
#include "framework/IniFiles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <set>

#include "base/TextFileEncoding.h"
#include "framework/Handles.h"
#include "framework/SysUtils.h"
#include "testsupport/TestUtils.h"

namespace ad {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

constexpr DWORD kBufferSize = 1 << 16;

// A double-null-terminated list as the profile functions return it.
std::vector<std::string> SplitList(const std::vector<char>& buf, DWORD n) {
    std::vector<std::string> items;
    for (size_t i = 0; i < n;) {
        std::string item(buf.data() + i);
        if (item.empty()) break;
        i += item.size() + 1;
        items.push_back(item);
    }
    return items;
}

std::vector<std::string> SystemSections(const std::string& file) {
    std::vector<char> buf(kBufferSize);
    return SplitList(buf, ::GetPrivateProfileSectionNamesA(buf.data(), kBufferSize, file.c_str()));
}

std::vector<std::string> SystemKeys(const std::string& file, const std::string& section) {
    std::vector<char> buf(kBufferSize);
    return SplitList(buf, ::GetPrivateProfileStringA(section.c_str(), nullptr, "", buf.data(), kBufferSize, file.c_str()));
}

std::string SystemValue(const std::string& file, const std::string& section, const char* key,
                        const char* def = "<none>") {
    std::vector<char> buf(kBufferSize);
    DWORD n = ::GetPrivateProfileStringA(section.c_str(), key, def, buf.data(), kBufferSize, file.c_str());
    return std::string(buf.data(), n);
}

std::wstring SystemValueW(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
    std::vector<wchar_t> buf(kBufferSize);
    DWORD n = ::GetPrivateProfileStringW(section, key, L"<none>", buf.data(), kBufferSize, file.c_str());
    return std::wstring(buf.data(), n);
}

// The encodings a file can have, each with the bytes of a text in it.
struct Encoding {
    const char* name;
    TTextFileEncoding encoding;
};
constexpr Encoding kEncodings[] = {{"8-bit", TTextFileEncoding::Ansi},
                                   {"UTF-16 LE", TTextFileEncoding::Utf16LE},
                                   {"UTF-16 BE", TTextFileEncoding::Utf16BE},
                                   {"UTF-8 with mark", TTextFileEncoding::Utf8}};

std::string Utf8Of(std::wstring_view wide) { return Utf16ToUtf8(std::u16string(wide.begin(), wide.end())); }

// A text given in UTF-16, stored with the encoding's mark (8-bit: in the ANSI code page).
std::string FileBytes(std::wstring_view text, TTextFileEncoding encoding) {
    return encoding == TTextFileEncoding::Ansi ? Narrow(text) : EncodeTextFile(Utf8Of(text), encoding);
}

std::string Join(const std::vector<std::string>& items) {
    std::string s;
    for (const auto& i : items) s += i + "|";
    return s;
}

std::set<std::string> FilesIn(const TempDir& dir) {
    auto names = FindFiles(dir.Path() + "*");
    return {names.begin(), names.end()};
}

TEST(IniFileReads, AgreeWithTheSystemOnTrickyFiles) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> extraKeys;  // names worth asking for that no list shows
    } cases[] = {
        {"duplicate keys", "[s]\r\nk=1\r\nk=2\r\nK=3\r\nother=4\r\n", {}},
        {"duplicate sections", "[s]\r\na=1\r\n[t]\r\nb=1\r\n[S]\r\na=2\r\nc=3\r\n[s]\r\nd=4\r\n", {}},
        {"blanks around =", "[s]\r\n  a  =  1  \r\n\tb\t=\t2\t\r\nc d = e f \r\n\x1a g =\x1a h\r\n", {}},
        {"quotes", "[q]\r\nd=\"x\"\r\ns='y'\r\nlone=\"\r\nlone2='\r\nmis=\"x'\r\nmis2='x\"\r\nopen=\"x\r\n"
                   "close=x\"\r\ninner=a\"b\"c\r\nempty=\"\"\r\nempty2=''\r\nspaced= \" a \" \r\n",
         {}},
        {"empty values", "[e]\r\na=\r\nb= \t \r\nc\r\n", {"c"}},
        {"key without =", "[n]\r\nlonely\r\nafter=1\r\n[m]\r\nx=1\r\nlonely\r\n", {"lonely"}},
        {"comments", "; top=0\r\n[c]\r\n;x=1\r\n  ; y=2\r\nz=3\r\n#h=4\r\n[;d]\r\nw=1\r\n", {}},
        {"no trailing newline", "[s]\r\na=1\r\nb=2", {}},
        {"CR-only", "[s]\ra=1\rb=2\r\r[t]\rc=3", {}},
        {"LF-only", "[s]\na=1\n\n[t]\nc=3\n", {}},
        {"key before any section", "pre=1\r\nalso = 2\r\n[s]\r\na=1\r\n", {}},
        {"spaced section names", "[ spaced ]\r\na=1\r\n[\tt\t]\r\nb=2\r\n  [ind]  \r\nc=3\r\n[]\r\nd=4\r\n", {"d"}},
        {"long value", "[s]\r\nv=" + std::string(5000, 'x') + "!\r\nw=2\r\n", {}},
        {"case differences", "[MixedCase]\r\nKeyName=1\r\nkeyname=2\r\n[UPPER]\r\nLOWER=3\r\n", {}},
        {"header without ]", "[s]\r\na=1\r\n[broken\r\nb=2\r\n[t\r\n", {"[broken", "[t"}},
        {"header with text after ]", "[s] after\r\na=1\r\n[a]b]\r\nc=1\r\n[x] ; note ]\r\nd=1\r\n", {}},
        {"same code-page case", "[Caf\xE9]\r\n\xC9t\xE9=1\r\n", {}},
        {"empty file", "", {}},
        {"blank lines only", "\r\n  \r\n\t\r\n", {}},
        // A NUL ends a name or a value; blanks before it stay, the rest of its line is not read.
        {"NUL in values and names",
         std::string("[s]\r\nk=ab\0cd\r\nb=ab \0cd \r\nq=\"ab\0cd\"\r\nq2=\"ab\"\0cd\r\nv=\0x\r\na\0b=3\r\n"
                     "after=1\r\n[t\0u]\r\nx=1\r\n",
                     82),
         {}},
    };
    TempDir dir;
    int index = 0;
    for (const Encoding& e : kEncodings) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + ", " + e.name);
            // A fresh name per case: the system caches profiles by name.
            std::string file = dir.File(Format("case%02d.ini", index++));
            WriteFileBytes(file, FileBytes(Widen(c.text), e.encoding));
            TIniFile ini(file);

            std::vector<std::string> sections = ini.ReadSections();
            ASSERT_EQ(Join(sections), Join(SystemSections(file)));
            std::vector<std::string> sectionProbes = sections;
            sectionProbes.insert(sectionProbes.end(), {"", "missing"});
            std::vector<std::string> keyProbes = c.extraKeys;
            keyProbes.push_back("missing");
            for (const auto& s : sectionProbes) {
                std::vector<std::string> keys = ini.ReadSection(s);
                EXPECT_EQ(Join(keys), Join(SystemKeys(file, s))) << "section [" << s << "]";
                keyProbes.insert(keyProbes.end(), keys.begin(), keys.end());
            }
            for (const auto& s : sectionProbes) {
                for (const std::string& sv : {s, AsciiUpperCase(s), AsciiLowerCase(s), " " + s + "\t"}) {
                    for (const auto& k : keyProbes) {
                        for (const std::string& kv : {k, AsciiUpperCase(k), AsciiLowerCase(k), "\t" + k + " "}) {
                            EXPECT_EQ(ini.ReadString(sv, kv, "<none>"), SystemValue(file, sv, kv.c_str()))
                                << "[" << sv << "] " << kv;
                        }
                    }
                }
            }
        }
    }
}

// Where Wine's profile functions answer differently from the system's documented or
// measured behaviour, we follow the sound rule; each row records both answers so the
// note stays true.
TEST(IniFileReads, DifferFromWineOnlyWhereWineIsWrong) {
    struct Case {
        const char* why;
        std::string text;
        const char* section;
        const char* key;  // nullptr: the key list, joined
        const char* def;
        std::string ours;
        std::string wine;
    } cases[] = {
        {"Wine: a line without = hides a later value of the same name; such a line is no entry",
         "[t]\r\nk\r\nk=later\r\n", "t", "k", "<none>", "later", "<none>"},
        {"Wine folds only ASCII letters; the system folds by the ANSI code page",
         "[e\xC9]\r\nq=7\r\n", "E\xE9", "q", "<none>", "7", "<none>"},
        {"Wine finds comment lines by name; a comment is never a key", "[c]\r\n;x=1\r\n", "c", ";x", "<none>",
         "<none>", "1"},
        {"Wine lists keys only for an unpadded section name, though it reads values for a padded one",
         "[sp]\r\nz=1\r\n", " sp ", nullptr, "", "z|", ""},
        {"Wine keeps one blank of an all-blank default; the documented rule strips trailing blanks", "", "s",
         "k", "   ", "", " "},
        {"Wine strips quotes from the default; the documented rule copies the default as given", "", "s", "k",
         "\"d\"", "\"d\"", "d"},
        {"Wine reads a line with no name before = as key \"\"; a nameless line is no key", "[s]\r\n=v\r\n", "s",
         "", "<none>", "<none>", "v"},
        {"Wine reads a line that starts with NUL as key \"\" too", std::string("[s]\r\n\0c=4\r\n", 11), "s", "",
         "<none>", "<none>", "4"},
    };
    TempDir dir;
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::string file = dir.File(Format("quirk%02d.ini", index++));
        WriteFileBytes(file, c.text);
        TIniFile ini(file);
        if (c.key == nullptr) {
            EXPECT_EQ(Join(ini.ReadSection(c.section)), c.ours);
            EXPECT_EQ(Join(SystemKeys(file, c.section)), c.wine);
        } else {
            EXPECT_EQ(ini.ReadString(c.section, c.key, c.def), c.ours);
            EXPECT_EQ(SystemValue(file, c.section, c.key, c.def), c.wine);
        }
    }
}

// Files with a byte-order mark as Notepad's "Unicode" save makes them: what we
// write, the wide and the 8-bit profile functions read, and the other way round;
// every save keeps the mark, the byte order and the lines we did not write to.
TEST(IniFileUnicode, WritesKeepTheEncodingAndAgreeWithTheProfileFunctions) {
    TempDir dir;
    int index = 0;
    for (const Encoding& e : kEncodings) {
        if (e.encoding == TTextFileEncoding::Ansi) continue;
        SCOPED_TRACE(e.name);
        const std::string file = dir.File(Format("u%02d.ini", index++));
        const std::wstring wfile = Widen(file);
        // "Ж" is beyond the ANSI code page: the 8-bit functions read it as "?".
        WriteFileBytes(file, FileBytes(L"; caf\u00e9\r\n[s]\r\nk = caf\u00e9 \r\nz=\u0416\r\n[\u0416]\r\nw=1\r\n",
                                       e.encoding));
        TIniFile ini(file);
        EXPECT_EQ(ini.ReadString("s", "k", ""), "caf\xE9");
        EXPECT_EQ(ini.ReadString("s", "z", ""), SystemValue(file, "s", "z"));
        EXPECT_EQ(Join(ini.ReadSections()), Join(SystemSections(file)));

        ini.WriteString("s", "n", "\xE9t\xE9");
        ini.WriteString("new", "x", "\"q\" ");
        EXPECT_EQ(ReadFileBytes(file),
                  FileBytes(L"; caf\u00e9\r\n[s]\r\nk = caf\u00e9 \r\nz=\u0416\r\nn=\u00e9t\u00e9\r\n[\u0416]\r\nw=1\r\n"
                            L"[new]\r\nx=\"\"q\" \"\r\n",
                            e.encoding));
        EXPECT_EQ(SystemValueW(wfile, L"s", L"n"), L"\u00e9t\u00e9");
        EXPECT_EQ(SystemValueW(wfile, L"s", L"z"), L"\u0416");
        EXPECT_EQ(SystemValueW(wfile, L"\u0416", L"w"), L"1");
        EXPECT_EQ(SystemValue(file, "new", "x"), "\"q\" ");

        // The profile functions write; we read what they wrote, and they keep our encoding.
        ASSERT_TRUE(::WritePrivateProfileStringW(L"s", L"m", L"\u0416\u00e9", wfile.c_str()));
        ASSERT_TRUE(::WritePrivateProfileStringA("s", "a", "\xC9t\xE9", file.c_str()));
        EXPECT_EQ(DetectTextFileEncoding(ReadFileBytes(file)), e.encoding);
        EXPECT_EQ(ini.ReadString("s", "m", ""), "?\xE9");
        EXPECT_EQ(ini.ReadString("s", "a", ""), "\xC9t\xE9");
        EXPECT_EQ(Join(ini.ReadSection("s")), Join(SystemKeys(file, "s")));
        EXPECT_EQ(Join(ini.ReadSectionValues("s")), "k=caf\xE9|z=?|n=\xE9t\xE9|m=?\xE9|a=\xC9t\xE9|");
        EXPECT_EQ(ini.ReadKeysOfAllSections({"n", "k"})[0], (std::vector<std::string>{"s", "\xE9t\xE9", "caf\xE9"}));

        // Mixed: we delete and rewrite after their writes; names compare without case.
        ini.DeleteKey("S", "N");
        ini.WriteString("s", "M", "m");
        ini.EraseSection("new");
        EXPECT_EQ(DetectTextFileEncoding(ReadFileBytes(file)), e.encoding);
        EXPECT_EQ(SystemValue(file, "s", "n"), "<none>");
        EXPECT_EQ(SystemValueW(wfile, L"s", L"m"), L"m");
        EXPECT_EQ(SystemValueW(wfile, L"s", L"z"), L"\u0416");
        EXPECT_EQ(Join(SystemSections(file)), "s|?|");
        EXPECT_EQ(Join(ini.ReadSections()), "s|?|");
    }
}

TEST(IniFileUnicode, SmallFilesReadAsTheProfileFunctionsReadThem) {
    using std::string_literals::operator""s;
    struct Case {
        const char* name;
        std::string bytes;
        const char* key;
        std::string afterWrite;  // the file once we wrote n=1
    } cases[] = {
        {"mark only", "\xFF\xFE", "z", "\xFF\xFE[\0s\0]\0\r\0\n\0n\0=\0001\0\r\0\n\0"s},
        {"odd length: the last byte is a character", "\xFF\xFE[\0s\0]\0\n\0z\0=\0a\0x"s, "z",
         "\xFF\xFE[\0s\0]\0\r\0\n\0z\0=\0a\0x\0\r\0\n\0n\0=\0001\0\r\0\n\0"s},
        {"lone surrogate kept", "\xFF\xFE[\0s\0]\0\r\0\n\0z\0=\0\x00\xD8\r\0\n\0"s, "z",
         "\xFF\xFE[\0s\0]\0\r\0\n\0z\0=\0\x00\xD8\r\0\n\0n\0=\0001\0\r\0\n\0"s},
        {"invalid UTF-8 after a UTF-8 mark", "\xEF\xBB\xBF[s]\r\nz=caf\xC3(\r\n", "z",
         "\xEF\xBB\xBF[s]\r\nz=caf\xC3(\r\nn=1\r\n"},
        {"UTF-8 mark, key before any section", "\xEF\xBB\xBFz=1\r\n[s]\r\nz=2\r\n", "z",
         "\xEF\xBB\xBFz=1\r\n[s]\r\nz=2\r\nn=1\r\n"},
    };
    TempDir dir;
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = dir.File(Format("small%02d.ini", index++));
        WriteFileBytes(file, c.bytes);
        TIniFile ini(file);
        for (const char* section : {"", "s"})
            EXPECT_EQ(ini.ReadString(section, c.key, "<none>"), SystemValue(file, section, c.key)) << section;
        ini.WriteString("s", "n", "1");
        EXPECT_EQ(ReadFileBytes(file), c.afterWrite);
        EXPECT_EQ(SystemValue(file, "s", "n"), "1");
    }
}

TEST(IniFileReads, ConvertsNumbersAndFlags) {
    TempDir dir;
    std::string file = dir.File("n.ini");
    WriteFileBytes(file, "[n]\r\ndec=42\r\nneg=-7\r\nhex=$1F\r\nhex2=0x1f\r\nbad=12a\r\nempty=\r\nspaced= 5 \r\n"
                         "big=99999999999\r\nzero=0\r\nquoted=\"12\"\r\n");
    TIniFile ini(file);
    struct Case {
        const char* key;
        int value;
    } cases[] = {{"dec", 42},  {"neg", -7},  {"hex", 31}, {"hex2", 31}, {"bad", -1}, {"empty", -1},
                 {"spaced", 5}, {"big", -1}, {"zero", 0}, {"quoted", 12}, {"missing", -1}};
    for (const auto& c : cases) EXPECT_EQ(ini.ReadInteger("n", c.key, -1), c.value) << c.key;
    EXPECT_TRUE(ini.ReadBool("n", "dec", false));
    EXPECT_FALSE(ini.ReadBool("n", "zero", true));
    EXPECT_TRUE(ini.ReadBool("n", "bad", true));
    EXPECT_FALSE(ini.ReadBool("n", "missing", false));
    EXPECT_EQ(ini.ReadString("n", "missing", "def  "), "def");

    ini.WriteBool("b", "yes", true);
    ini.WriteBool("b", "no", false);
    ini.WriteInteger("b", "int", -12);
    EXPECT_EQ(SystemValue(file, "b", "yes"), "1");
    EXPECT_EQ(SystemValue(file, "b", "no"), "0");
    EXPECT_EQ(SystemValue(file, "b", "int"), "-12");
}

TEST(IniFileReads, ListsSectionsValuesAndExistence) {
    TempDir dir;
    std::string file = dir.File("l.ini");
    WriteFileBytes(file, "[s]\r\na=1\r\nb=\"q\"\r\nA=2\r\n;c=3\r\nnoeq\r\n[empty]\r\n; only a comment\r\n[S]\r\nz=9\r\n");
    TIniFile ini(file);
    EXPECT_EQ(Join(ini.ReadSections()), "s|empty|S|");
    EXPECT_EQ(Join(ini.ReadSectionValues("S")), "a=1|b=q|A=1|");
    // Every section at once, each key as ReadString reads it: a second [S] is never searched.
    EXPECT_EQ(ini.ReadKeysOfAllSections({"B", "z"}),
              (std::vector<std::vector<std::string>>{{"s", "q", ""}, {"empty", "", ""}, {"S", "q", ""}}));
    EXPECT_TRUE(ini.SectionExists("S"));
    EXPECT_FALSE(ini.SectionExists("empty"));  // a section counts once it holds a key
    EXPECT_FALSE(ini.SectionExists("missing"));
    EXPECT_TRUE(ini.ValueExists("S", " B "));
    EXPECT_FALSE(ini.ValueExists("s", "z"));  // only the first [s] is searched
    EXPECT_FALSE(ini.ValueExists("s", "noeq"));
    EXPECT_FALSE(ini.ValueExists("s", ";c"));
}

TEST(IniFileReads, MissingOrUnreadableFileReadsAsEmpty) {
    TempDir dir;
    std::string locked = dir.File("locked.ini");
    WriteFileBytes(locked, "[s]\r\na=1\r\n");
    OwnedFile holder(::CreateFileW(Widen(locked).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    for (const std::string& name : {dir.File("missing.ini"), ExcludeTrailingPathDelimiter(dir.Path()), locked}) {
        SCOPED_TRACE(name);
        TIniFile ini(name);
        EXPECT_TRUE(ini.ReadSections().empty());
        EXPECT_TRUE(ini.ReadSection("s").empty());
        EXPECT_EQ(ini.ReadString("s", "a", "d"), "d");
    }
    holder.Reset();
    EXPECT_FALSE(FileExists(dir.File("missing.ini")));
}

TEST(IniFileReads, LargeSectionCostsOneParse) {
    TempDir dir;
    std::string file = dir.File("big.ini");
    std::string text = "[big]\r\n";
    const int count = 5000;
    for (int i = 0; i < count; ++i) text += Format("key%d=value%d\r\n", i, i);
    WriteFileBytes(file, text);
    TIniFile ini(file);
    auto start = std::chrono::steady_clock::now();
    std::vector<std::string> keys = ini.ReadSection("big");
    ASSERT_EQ(keys.size(), size_t(count));
    for (int i = 0; i < count; ++i) ASSERT_EQ(ini.ReadString("big", keys[i], ""), Format("value%d", i));
    auto elapsed = std::chrono::steady_clock::now() - start;
    // One parse per lookup would take many seconds here.
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 2000);
}

TEST(IniFileReads, ReadOnceKeepsToTheFirstRead) {
    TempDir dir;
    std::string file = dir.File("once.ini");
    WriteFileBytes(file, "[s]\r\na=1\r\n");
    TIniFile once(file), watching(file);
    once.ReadOnce = true;
    EXPECT_EQ(once.ReadString("s", "a", ""), "1");
    EXPECT_EQ(watching.ReadString("s", "a", ""), "1");
    WriteFileBytes(file, "[s]\r\na=2\r\nb=3\r\n");
    EXPECT_EQ(once.ReadString("s", "a", ""), "1");
    EXPECT_EQ(once.ReadSection("s"), std::vector<std::string>{"a"});
    EXPECT_EQ(watching.ReadString("s", "a", ""), "2");
}

TEST(IniFileWrites, KeepTheRestOfTheFileAsItWas) {
    TempDir dir;
    std::string file = dir.File("w.ini");
    WriteFileBytes(file, "; settings\r\n[Main]\r\n  Name = Old  \r\n; about Main\r\nodd line\r\n\r\n"
                         "[Other]\nx=1\nx=2\n[main]\r\nlate=1");
    TIniFile ini(file);
    ini.WriteString("main", "name", "New");
    ini.WriteString("MAIN", "Added", "a b");
    ini.WriteString("main", "late", "2");  // goes to the first [Main]
    ini.WriteInteger(" Fresh ", " n ", 5);
    ini.WriteString("Other", "x", "1");  // unchanged value: the line stays as it is
    ini.WriteBool("Other", "flag", true);
    EXPECT_EQ(ReadFileBytes(file),
              "; settings\r\n[Main]\r\nName=New\r\nAdded=a b\r\nlate=2\r\n; about Main\r\nodd line\r\n\r\n"
              "[Other]\r\nx=1\r\nx=2\r\nflag=1\r\n[main]\r\nlate=1\r\n[Fresh]\r\nn=5\r\n");
    EXPECT_EQ(SystemValue(file, "Main", "added"), "a b");
    EXPECT_EQ(SystemValue(file, "Main", "late"), "2");

    ini.DeleteKey("other", "X");  // both duplicates go, or the second would show through
    ini.EraseSection("MAIN");     // both [Main] and [main]
    ini.DeleteKey("missing", "x");
    ini.EraseSection("missing");
    EXPECT_EQ(ReadFileBytes(file), "; settings\r\n[Other]\r\nflag=1\r\n[Fresh]\r\nn=5\r\n");
    EXPECT_FALSE(ini.ValueExists("Other", "x"));
    EXPECT_EQ(FilesIn(dir), std::set<std::string>{"w.ini"});  // no temporary files left behind
}

// The profile functions strip blanks and a quote pair from what they read; values
// that would lose them are stored quoted, so every value reads back unchanged.
TEST(IniFileWrites, ValuesReadBackUnchanged) {
    TempDir dir;
    std::string file = dir.File("v.ini");
    const std::string values[] = {"plain", " lead", "trail ", "\t", "\"quoted\"", "'single'", "\"", "'",
                                  "a\"b", "\"open", "", "  ", "x=y", "; not a comment", "[not a section]",
                                  "'mixed\"", std::string(5000, 'v')};
    {
        TIniFile ini(file);
        ini.BeginUpdate();
        for (size_t i = 0; i < std::size(values); ++i) ini.WriteString("v", "k" + IntToStr(int64_t(i)), values[i]);
        ini.EndUpdate();
    }
    TIniFile ini(file);
    for (size_t i = 0; i < std::size(values); ++i) {
        std::string key = "k" + IntToStr(int64_t(i));
        EXPECT_EQ(ini.ReadString("v", key, "<none>"), values[i]) << key;
        EXPECT_EQ(SystemValue(file, "v", key.c_str()), values[i]) << key;
    }
}

TEST(IniFileWrites, RejectNamesAndValuesThatWouldCorruptTheFile) {
    TempDir dir;
    std::string file = dir.File("r.ini");
    WriteFileBytes(file, "[s]\r\na=1\r\n");
    TIniFile ini(file);
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {{"a\r\nb", "k", "v"}, {"s", "k=1", "v"}, {"s", ";k", "v"}, {"s", "[k", "v]"},
                 {"s", "k", "v\nw=1"}, {"", "k", "v"},    {"s", " ", "v"},  {"s", "k\r", "v"}};
    for (const auto& c : cases) {
        EXPECT_THROW(ini.WriteString(c.section, c.key, c.value), EIniFileException) << c.section << "/" << c.key;
    }
    EXPECT_EQ(ReadFileBytes(file), "[s]\r\na=1\r\n");
}

TEST(IniFileWrites, FailedSaveRaisesNamingTheFileAndKeepsTheOriginal) {
    TempDir dir;
    std::string file = dir.File("ro.ini");
    const std::string original = "; keep\r\n[s]\r\na=1\r\n";
    WriteFileBytes(file, original);
    ASSERT_TRUE(::SetFileAttributesW(Widen(file).c_str(), FILE_ATTRIBUTE_READONLY));
    TIniFile ini(file);
    try {
        ini.WriteString("s", "b", "2");
        FAIL() << "no error for a read-only file";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.FileName, file);
        EXPECT_NE(e.Message.find(file), std::string::npos) << e.Message;
    }
    EXPECT_EQ(ReadFileBytes(file), original);
    EXPECT_EQ(FilesIn(dir), std::set<std::string>{"ro.ini"});
    // The failed write is not kept in memory: it neither reads back nor reaches a later save.
    EXPECT_EQ(ini.ReadString("s", "b", "none"), "none");
    ASSERT_TRUE(::SetFileAttributesW(Widen(file).c_str(), FILE_ATTRIBUTE_NORMAL));
    ini.WriteString("s", "c", "3");
    EXPECT_EQ(ReadFileBytes(file), "; keep\r\n[s]\r\na=1\r\nc=3\r\n");

    // A batch that fails to save raises from EndUpdate.
    ASSERT_TRUE(::SetFileAttributesW(Widen(file).c_str(), FILE_ATTRIBUTE_READONLY));
    ini.BeginUpdate();
    ini.WriteString("s", "d", "4");
    EXPECT_THROW(ini.EndUpdate(), EFCreateError);
    EXPECT_EQ(ini.ReadString("s", "d", "none"), "none");

    // Places where no file can be made: a missing folder, a folder in the way, and
    // (under Wine) a read-only file system.
    std::vector<std::string> unwritable = {dir.File("no\\such\\folder\\x.ini"), ExcludeTrailingPathDelimiter(dir.Path())};
    if (DirectoryExists("Z:\\sys")) unwritable.push_back("Z:\\sys\\appdeck-test.ini");
    for (const auto& name : unwritable) {
        SCOPED_TRACE(name);
        TIniFile other(name);
        try {
            other.WriteString("s", "a", "1");
            ADD_FAILURE() << "no error";
        } catch (const EFCreateError& e) {
            EXPECT_EQ(e.FileName, name);
        }
    }
    EXPECT_EQ(FilesIn(dir), std::set<std::string>{"ro.ini"});
}

TEST(IniFileWrites, TwoObjectsOnOneFileLoseNothing) {
    TempDir dir;
    std::string file = dir.File("shared.ini");
    TIniFile a(file), b(file);
    a.WriteString("s", "a", "1");
    b.WriteString("s", "b", "2");
    EXPECT_EQ(a.ReadString("s", "b", ""), "2");
    a.WriteString("s", "c", "3");
    b.WriteString("t", "d", "4");
    b.DeleteKey("s", "a");
    a.WriteString("s", "e", "5");

    // A batch of A's stays in memory, sees B's writes meanwhile, and keeps them when saved.
    a.BeginUpdate();
    a.WriteString("u", "x", "1");
    b.WriteString("u", "y", "2");
    EXPECT_EQ(a.ReadString("u", "y", ""), "2");
    EXPECT_EQ(a.ReadString("u", "x", ""), "1");
    EXPECT_EQ(b.ReadString("u", "x", "unsaved"), "unsaved");
    a.WriteString("u", "z", "3");
    a.EndUpdate();

    EXPECT_EQ(ReadFileBytes(file), "[s]\r\nb=2\r\nc=3\r\ne=5\r\n[t]\r\nd=4\r\n[u]\r\ny=2\r\nx=1\r\nz=3\r\n");

    // Another program rewrites the file with the same size: the change is still seen.
    WriteFileBytes(file, "[s]\r\nb=2\r\nc=7\r\ne=5\r\n[t]\r\nd=4\r\n[u]\r\ny=2\r\nx=1\r\nz=3\r\n");
    EXPECT_EQ(a.ReadString("s", "c", ""), "7");
}

TEST(IniFileWrites, BatchedWritesAreSavedOnceAtTheEnd) {
    TempDir dir;
    std::string file = dir.File("batch.ini");
    TIniFile ini(file);
    ini.BeginUpdate();
    ini.BeginUpdate();
    for (int i = 0; i < 100; ++i) ini.WriteInteger("s", Format("k%d", i), i);
    ini.EraseSection("s2");
    ini.EndUpdate();
    EXPECT_FALSE(FileExists(file));  // still inside the outer update
    EXPECT_EQ(ini.ReadInteger("s", "k42", -1), 42);
    ini.EndUpdate();
    ASSERT_TRUE(FileExists(file));
    EXPECT_EQ(TIniFile(file).ReadSection("s").size(), 100u);

    // UpdateFile saves inside an update; an update that changes nothing leaves the file alone.
    ini.BeginUpdate();
    ini.WriteString("s", "k0", "zero");
    ini.UpdateFile();
    EXPECT_EQ(SystemValue(file, "s", "k0"), "zero");
    std::string before = ReadFileBytes(file);
    ::SetFileAttributesW(Widen(file).c_str(), FILE_ATTRIBUTE_READONLY);  // any save would now fail
    ini.WriteString("s", "k1", "1");
    ini.DeleteKey("s", "missing");
    EXPECT_NO_THROW(ini.EndUpdate());
    EXPECT_NO_THROW(ini.WriteString("s", "k0", "zero"));
    EXPECT_EQ(ReadFileBytes(file), before);
}

}  // namespace
}  // namespace ad
