// String lists: sorting and duplicates, text and files, name=value lines, change
// notification, and the shared helpers of TStrings over a minimal list.
#include "framework/StringList.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "base/Exception.h"
#include "framework/SysUtils.h"
#include "testsupport/TestUtils.h"

namespace ad {
namespace {

using Lines = std::vector<std::string>;

Lines Items(const TStrings& list) {
    Lines lines;
    for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
    return lines;
}

void Fill(TStrings& list, const Lines& lines) {
    for (const auto& s : lines) list.Add(s);
}

TEST(StringList, SortedAddHonoursDuplicatesAndFind) {
    struct Probe {
        const char* s;
        bool found;
        int index;
    };
    struct Case {
        const char* name;
        TDuplicates duplicates;
        bool caseSensitive;
        Lines adds;
        std::vector<int> results;  // index returned by each Add up to the failing one
        int failsAt;               // -1: every Add succeeds
        Lines expected;
        std::vector<Probe> probes;
    } cases[] = {
        {"ignore",
         dupIgnore,
         false,
         {"pear", "Apple", "banana", "apple", "PEAR"},
         {0, 0, 1, 0, 2},
         -1,
         {"Apple", "banana", "pear"},
         {{"APPLE", true, 0}, {"Banana", true, 1}, {"aardvark", false, 0}, {"cherry", false, 2}, {"zoo", false, 3}}},
        {"accept",
         dupAccept,
         false,
         {"pear", "Apple", "banana", "apple", "PEAR"},
         {0, 0, 1, 0, 3},
         -1,
         {"apple", "Apple", "banana", "PEAR", "pear"},
         {{"aPPLE", true, 0}, {"pear", true, 3}, {"peach", false, 3}, {"", false, 0}}},
        {"error",
         dupError,
         false,
         {"pear", "Apple", "banana", "apple", "kiwi"},
         {0, 0, 1},
         3,
         {"Apple", "banana", "pear"},
         {{"apple", true, 0}, {"kiwi", false, 2}}},
        {"case-sensitive",
         dupIgnore,
         true,
         {"b", "B", "a", "b", "A"},
         {0, 1, 0, 1, 1},
         -1,
         {"a", "A", "b", "B"},
         {{"B", true, 3}, {"b", true, 2}, {"c", false, 4}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TStringList list;
        list.SetSorted(true);
        list.Duplicates = c.duplicates;
        list.SetCaseSensitive(c.caseSensitive);
        for (size_t i = 0; i < c.adds.size(); ++i) {
            if (static_cast<int>(i) == c.failsAt) {
                EXPECT_THROW(list.Add(c.adds[i]), EStringListError);
                break;
            }
            EXPECT_EQ(list.Add(c.adds[i]), c.results[i]) << c.adds[i];
        }
        EXPECT_EQ(Items(list), c.expected);
        for (const auto& p : c.probes) {
            int index = -1;
            EXPECT_EQ(list.Find(p.s, index), p.found) << p.s;
            EXPECT_EQ(index, p.index) << p.s;
            EXPECT_EQ(list.IndexOf(p.s), p.found ? p.index : -1) << p.s;
        }
    }
}

TEST(StringList, SortingFollowsTheAnsiCodePage) {
    if (::GetACP() != 1252) GTEST_SKIP() << "needs code page 1252, have " << ::GetACP();
    TStringList list;
    Fill(list, {"\xC4pfel", "zebra", "Apfel"});  // "Äpfel"
    list.SetSorted(true);
    EXPECT_EQ(Items(list), (Lines{"Apfel", "\xC4pfel", "zebra"}));
    EXPECT_EQ(list.IndexOf("\xE4PFEL"), 1);  // "äPFEL": case folding beyond ASCII
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf("\xE4PFEL"), -1);
}

TEST(StringList, SortingKeepsObjectsWithTheirStrings) {
    TStringList list;
    list.AddObject("c", 3);
    list.AddObject("a", 1);
    list.AddObject("b", 2);
    list.SetSorted(true);
    EXPECT_EQ(Items(list), (Lines{"a", "b", "c"}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(list.Objects(i), i + 1);

    // An ignored duplicate leaves the existing item's object alone.
    EXPECT_EQ(list.AddObject("B", 99), 1);
    EXPECT_EQ(list.Objects(1), 2);
    EXPECT_EQ(list.Count(), 3);

    // Switching sorting off keeps the order; Add appends again.
    list.SetSorted(false);
    EXPECT_EQ(list.Add("0"), 3);
    list.Sort();
    EXPECT_EQ(Items(list), (Lines{"0", "a", "b", "c"}));
    EXPECT_EQ(list.Objects(0), 0);
    EXPECT_EQ(list.IndexOfObject(3), 3);
}

TEST(StringList, OrderChangingCallsAreRefusedOnASortedList) {
    TStringList list;
    Fill(list, {"b", "a", "c"});
    list.SetSorted(true);
    const Lines before = Items(list);
    EXPECT_THROW(list.Insert(0, "z"), EStringListError);
    EXPECT_THROW(list.InsertObject(0, "z", 1), EStringListError);
    EXPECT_THROW(list.SetStrings(0, "z"), EStringListError);
    EXPECT_THROW(list.Exchange(0, 2), EStringListError);
    EXPECT_THROW(list.Move(0, 2), EStringListError);
    EXPECT_THROW(list.CustomSort([](const TStringList&, int, int) { return 0; }), EStringListError);
    EXPECT_EQ(Items(list), before);
    list.SetObjects(0, 7);  // objects are not part of the order
    EXPECT_EQ(list.Objects(0), 7);
}

TEST(StringList, IndexesOutOfRangeRaise) {
    TStringList list;
    Fill(list, {"a", "b"});
    auto message = [](auto&& fn) {
        try {
            fn();
        } catch (const EStringListError& e) {
            return e.Message;
        }
        return std::string("no exception");
    };
    EXPECT_EQ(message([&] { list.Strings(2); }), "List index out of bounds (2)");
    EXPECT_EQ(message([&] { list.Strings(-1); }), "List index out of bounds (-1)");
    EXPECT_EQ(message([&] { list.Delete(5); }), "List index out of bounds (5)");
    EXPECT_EQ(message([&] { list.Insert(3, "x"); }), "List index out of bounds (3)");
    EXPECT_EQ(message([&] { list.Objects(2); }), "List index out of bounds (2)");
    EXPECT_EQ(message([&] { list.SetObjects(2, 1); }), "List index out of bounds (2)");
    EXPECT_EQ(message([&] { list.Exchange(0, 2); }), "List index out of bounds (2)");
    EXPECT_EQ(message([&] { list.Move(0, 2); }), "List index out of bounds (2)");
    EXPECT_EQ(message([&] { list.SetStrings(2, "x"); }), "List index out of bounds (2)");
    EXPECT_EQ(Items(list), (Lines{"a", "b"}));
    list.Insert(2, "c");  // inserting at Count appends
    EXPECT_EQ(Items(list), (Lines{"a", "b", "c"}));
}

TEST(StringList, MoveExchangeAndCustomSortCarryObjects) {
    TStringList list;
    for (int i = 0; i < 4; ++i) list.AddObject(std::string(1, char('a' + i)), i);
    list.Move(0, 2);
    EXPECT_EQ(Items(list), (Lines{"b", "c", "a", "d"}));
    list.Move(3, 0);
    EXPECT_EQ(Items(list), (Lines{"d", "b", "c", "a"}));
    list.Exchange(0, 3);
    EXPECT_EQ(Items(list), (Lines{"a", "b", "c", "d"}));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(list.Objects(i), i);

    // Descending by object; equal keys keep their order.
    list.SetObjects(1, 2);
    list.CustomSort([](const TStringList& l, int a, int b) {
        return static_cast<int>(l.Objects(b) - l.Objects(a));
    });
    EXPECT_EQ(Items(list), (Lines{"d", "b", "c", "a"}));
}

TEST(StringList, TextSplitsOnAnyLineEndAndJoinsWithCrLf) {
    struct Case {
        const char* text;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"one", {"one"}},
        {"one\r\n", {"one"}},
        {"\r\n", {""}},
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"a\n\nb\n", {"a", "", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {" x \t\r\n\r\n", {" x \t", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TStringList list;
        list.Add("stale");
        list.SetText(c.text);
        EXPECT_EQ(Items(list), c.lines);
        std::string joined;
        for (const auto& l : c.lines) joined += l + "\r\n";
        EXPECT_EQ(list.Text(), joined);
    }

    // Embedded NUL bytes are data.
    TStringList list;
    list.SetText(std::string("a\0b\nc", 5));
    EXPECT_EQ(Items(list), (Lines{std::string("a\0b", 3), "c"}));

    // A sorted list sorts what it is given.
    TStringList sorted;
    sorted.SetSorted(true);
    sorted.SetText("b\na\nB\n");
    EXPECT_EQ(sorted.Text(), "a\r\nb\r\n");
}

TEST(StringList, NameValueLines) {
    TStringList list;
    list.SetText("a=1\nb=\nc\n=d\ne=f=g\n");
    EXPECT_EQ(list.Names(0), "a");
    EXPECT_EQ(list.Names(1), "b");
    EXPECT_EQ(list.Names(2), "");
    EXPECT_EQ(list.Names(3), "");
    EXPECT_EQ(list.Names(4), "e");
    EXPECT_EQ(list.ValueFromIndex(0), "1");
    EXPECT_EQ(list.ValueFromIndex(1), "");
    EXPECT_EQ(list.ValueFromIndex(2), "");
    EXPECT_EQ(list.ValueFromIndex(3), "d");
    EXPECT_EQ(list.ValueFromIndex(4), "f=g");
    EXPECT_EQ(list.Values("A"), "1");  // names ignore case like the strings
    EXPECT_EQ(list.Values("e"), "f=g");
    EXPECT_EQ(list.Values("c"), "");  // a line without '=' has no name
    EXPECT_EQ(list.IndexOfName("c"), -1);

    list.SetValues("B", "2");
    list.SetValues("new", "x");
    list.SetValues("a", "");
    list.SetValues("missing", "");
    EXPECT_EQ(Items(list), (Lines{"B=2", "c", "=d", "e=f=g", "new=x"}));

    list.SetCaseSensitive(true);
    EXPECT_EQ(list.Values("b"), "");
    EXPECT_EQ(list.Values("B"), "2");
}

TEST(StringList, FilesRoundTripAnsiBytes) {
    test::TempDir dir;
    const std::string name = dir.File("list.txt");
    TStringList list;
    Fill(list, {"first", "caf\xE9 \xFF", "", "last"});
    list.SaveToFile(name);
    EXPECT_EQ(test::ReadFileBytes(name), "first\r\ncaf\xE9 \xFF\r\n\r\nlast\r\n");

    // Saving again replaces the file and leaves nothing else behind.
    list.Delete(3);
    list.SaveToFile(name);
    EXPECT_EQ(test::ReadFileBytes(name), "first\r\ncaf\xE9 \xFF\r\n\r\n");
    EXPECT_EQ(FindFiles(dir.Path() + "*"), (Lines{"list.txt"}));

    test::WriteFileBytes(name, "x\ny\r\nz\rend");
    TStringList loaded;
    loaded.Add("stale");
    loaded.LoadFromFile(name);
    EXPECT_EQ(Items(loaded), (Lines{"x", "y", "z", "end"}));

    test::WriteFileBytes(name, "");
    loaded.LoadFromFile(name);
    EXPECT_EQ(loaded.Count(), 0);
}

TEST(StringList, FileErrorsNameTheFileAndKeepOldContent) {
    test::TempDir dir;
    TStringList list;
    list.Add("keep");

    const std::string missing = dir.File("absent.txt");
    try {
        list.LoadFromFile(missing);
        FAIL() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.FileName, missing);
        EXPECT_NE(e.Message.find(missing), std::string::npos) << e.Message;
    }
    EXPECT_EQ(Items(list), (Lines{"keep"}));

    const std::string noFolder = dir.File("no\\such\\folder.txt");
    try {
        list.SaveToFile(noFolder);
        FAIL() << "no exception";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.FileName, noFolder);
        EXPECT_NE(e.Message.find(noFolder), std::string::npos) << e.Message;
    }

    // A read-only file keeps its content.
    const std::string locked = dir.File("locked.txt");
    test::WriteFileBytes(locked, "original\r\n");
    ASSERT_TRUE(::SetFileAttributesW(Widen(locked).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_THROW(list.SaveToFile(locked), EFCreateError);
    EXPECT_EQ(test::ReadFileBytes(locked), "original\r\n");
    ::SetFileAttributesW(Widen(locked).c_str(), FILE_ATTRIBUTE_NORMAL);

    // A target that cannot be replaced fails only after the data was written aside;
    // that temporary file does not remain.
    const std::string folder = dir.File("folder");
    ASSERT_TRUE(CreateDir(folder));
    try {
        list.SaveToFile(folder);
        FAIL() << "no exception";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.FileName, folder);
    }
    EXPECT_TRUE(DirectoryExists(folder));
    EXPECT_EQ(FindFiles(dir.Path() + "*"), (Lines{"locked.txt"}));
}

TEST(StringList, OnChangeFiresAfterChangesAndOncePerUpdate) {
    TStringList list;
    int fired = 0;
    int countSeen = -1;
    list.OnChange = [&] {
        ++fired;
        countSeen = list.Count();
    };
    list.Add("a");
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(countSeen, 1);  // fired after the change

    fired = 0;
    list.BeginUpdate();
    list.Add("b");
    list.BeginUpdate();
    list.Add("c");
    list.EndUpdate();
    EXPECT_EQ(fired, 0);
    list.EndUpdate();
    EXPECT_EQ(fired, 1);

    fired = 0;
    list.BeginUpdate();
    list.EndUpdate();
    EXPECT_EQ(fired, 0);  // nothing changed
    list.EndUpdate();     // unbalanced: ignored
    list.SetText("x\ny\nz");
    EXPECT_EQ(fired, 1);
    list.Clear();
    list.Clear();
    EXPECT_EQ(fired, 2);  // clearing an empty list changes nothing

    // A failing change inside an update does not leave the list updating.
    fired = 0;
    list.SetSorted(true);
    list.Duplicates = dupError;
    EXPECT_THROW(list.SetText("a\nA"), EStringListError);
    EXPECT_EQ(fired, 1);  // the part that happened is announced
    list.Add("b");
    EXPECT_EQ(fired, 2);
}

TEST(StringList, AssignAndAddStringsCopyObjects) {
    TStringList source;
    source.AddObject("one", 1);
    source.AddObject("two", 2);
    TStringList target;
    target.Add("old");
    target.Assign(source);
    EXPECT_EQ(Items(target), (Lines{"one", "two"}));
    EXPECT_EQ(target.Objects(1), 2);
    target.AddStrings(target);  // a list may add itself
    EXPECT_EQ(Items(target), (Lines{"one", "two", "one", "two"}));
    EXPECT_EQ(target.Objects(3), 2);
    target.Assign(target);
    EXPECT_EQ(target.Count(), 4);
}

// The smallest concrete list: only the virtual core, so every helper below runs
// through the shared code of TStrings.
class VectorStrings : public TStrings {
public:
    std::string Get(int index) const override { return items.at(Checked(index)).first; }
    int GetCount() const override { return static_cast<int>(items.size()); }
    void Insert(int index, const std::string& s) override {
        if (index < 0 || index > GetCount()) IndexError(index);
        items.insert(items.begin() + index, {s, 0});
    }
    void Delete(int index) override { items.erase(items.begin() + Checked(index)); }
    void Clear() override { items.clear(); }
    intptr_t GetObject(int index) const override { return items.at(Checked(index)).second; }
    void PutObject(int index, intptr_t object) override { items.at(Checked(index)).second = object; }

    std::vector<std::pair<std::string, intptr_t>> items;

private:
    size_t Checked(int index) const {
        if (index < 0 || index >= GetCount()) IndexError(index);
        return static_cast<size_t>(index);
    }
};

TEST(Strings, SharedHelpersWorkOverTheVirtualCore) {
    VectorStrings list;
    list.SetText("k=v\nb\nC\n");
    list.SetObjects(0, 10);
    list.SetObjects(2, 30);
    EXPECT_EQ(list.IndexOf("c"), 2);
    EXPECT_EQ(list.Values("K"), "v");

    list.SetStrings(0, "k=w");  // Put through Delete + Insert keeps the object
    EXPECT_EQ(list.Objects(0), 10);
    list.Exchange(0, 2);
    EXPECT_EQ(Items(list), (Lines{"C", "b", "k=w"}));
    EXPECT_EQ(list.Objects(0), 30);
    EXPECT_EQ(list.Objects(2), 10);
    list.Move(0, 2);
    EXPECT_EQ(Items(list), (Lines{"b", "k=w", "C"}));
    EXPECT_EQ(list.Objects(2), 30);
    EXPECT_THROW(list.Move(0, 3), EStringListError);
    EXPECT_EQ(list.Count(), 3);  // a bad target loses nothing

    EXPECT_EQ(list.AddObject("d", 4), 3);
    EXPECT_EQ(list.Objects(3), 4);
    list.SetValues("k", "");
    EXPECT_EQ(list.Text(), "b\r\nC\r\nd\r\n");

    test::TempDir dir;
    list.SaveToFile(dir.File("v.txt"));
    TStringList copy;
    copy.LoadFromFile(dir.File("v.txt"));
    copy.SetSorted(true);
    list.Assign(copy);
    EXPECT_EQ(Items(list), (Lines{"b", "C", "d"}));
}

}  // namespace
}  // namespace ad
