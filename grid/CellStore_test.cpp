// The cell store: row and column operations, shown rows, sorting orders,
// reversal, aborted sorts, allocation by the block.
#include "grid/CellStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "grid/GridTestSupport.h"
#include "testsupport/AllocationMeter.h"

AD_DEFINE_ALLOCATION_METER()

namespace ad::grid {
namespace {

using namespace gridtest;

std::u16string U(const std::string& s) { return Latin1ToUtf16(s); }
std::string A(const std::u16string& s) { return TPortableTextServices().ToAnsi(s); }

// A store of text columns (kind 8) unless kinds are given.
struct TStoreFixture {
    TKindColumns columns;
    TCells store{nullptr, &columns};

    explicit TStoreFixture(std::vector<std::uint8_t> kinds = {8, 8}) {
        for (auto k : kinds) {
            columns.Add(k);
            store.AppendColumn();
        }
    }
    // Fills column 0 with the texts and column 1 with each row's start index.
    void Fill(const std::vector<std::string>& texts) {
        store.AddRows(static_cast<int>(texts.size()));
        for (size_t r = 0; r < texts.size(); ++r) {
            store.GetCell(0, static_cast<int>(r))->SetAsString(U(texts[r]));
            if (store.ColumnCount > 1) store.GetCell(1, static_cast<int>(r))->SetAsString(U(std::to_string(r)));
        }
    }
    std::vector<std::string> Column(int c) {
        std::vector<std::string> out;
        for (int r = 0; r < store.RowCount; ++r) out.push_back(A(store.GetCell(c, r)->AsString()));
        return out;
    }
};

using V = std::vector<std::string>;

TEST(CellStoreTest, SortOrdersByType) {
    struct Case { TSortType type; bool descending; V input; V expected; };
    const Case cases[] = {
        {stNumeric, false, {"10", "9", ""}, {"", "9", "10"}},
        {stNumeric, true, {"10", "9", ""}, {"10", "9", ""}},
        {stNumeric, false, {"2.5", "-1", "1e2", "10", "abc"}, {"-1", "2.5", "10", "1e2", "abc"}},
        {stIP, false, {"192.168.0.1", "10.0.0.2", "9.1.1.1", "10.1.1.1"}, {"9.1.1.1", "10.0.0.2", "10.1.1.1", "192.168.0.1"}},
        {stIP, false, {"1.2.3.4.9", "1.2.3.4.1", "1.2.3.3"}, {"1.2.3.3", "1.2.3.4.9", "1.2.3.4.1"}},
        {stAlphabetic, false, {"a", "B", "", "ab"}, {"", "B", "a", "ab"}},
        {stCaseInsensitive, false, {"b", "Apple", "C"}, {"Apple", "b", "C"}},
        {stUnicodeAlphabetic, true, {"a", "c", "b"}, {"c", "b", "a"}},
        {stBoolean, false, {"true", "0", "1", "false"}, {"0", "false", "true", "1"}},
        {stDate, false, {"3/15/2023", "", "1/2/2001"}, {"", "1/2/2001", "3/15/2023"}},
    };
    for (size_t k = 0; k < std::size(cases); ++k) {
        const Case& c = cases[k];
        TStoreFixture f;
        f.Fill(c.input);
        f.store.SortRows(0, c.type, c.descending, false);
        V got = f.Column(0);
        if (c.type == stBoolean) {
            // Equal keys come in any order: compare the key sequence.
            for (auto& s : got) s = TextToBool(U(s), TFormatSettings()) ? "T" : "F";
            EXPECT_EQ(got, (V{"F", "F", "T", "T"})) << "case " << k;
        } else if (c.input.size() == 3 && c.type == stIP) {
            EXPECT_EQ(got[0], "1.2.3.3") << "case " << k;  // the two addresses equal in four parts tie
        } else {
            EXPECT_EQ(got, c.expected) << "case " << k;
        }
        // Rows move whole: column 1 still holds each row's start index.
        for (int r = 0; r < f.store.RowCount; ++r)
            EXPECT_EQ(c.input[static_cast<size_t>(std::stoi(f.Column(1)[static_cast<size_t>(r)]))], f.Column(0)[static_cast<size_t>(r)]);
        EXPECT_TRUE(f.store.Sorted);
    }
}

TEST(CellStoreTest, CaseInsensitiveTreatsCaseAsEqual) {
    TStoreFixture f;
    f.Fill({"apple", "Apple", "APPLE"});
    std::int32_t seen = 0;
    f.store.SortRows(0, stCaseInsensitive, false, false);
    for (auto& s : f.Column(0)) seen += s == "apple" || s == "Apple" || s == "APPLE";
    EXPECT_EQ(seen, 3);
}

// The reversal shortcut and when a full sort happens instead.
TEST(CellStoreTest, ReversalOnlyAfterUnchangedOtherDirection) {
    struct Step { bool descending; bool fullResort; bool changeBetween; bool expectReversal; };
    const Step steps[] = {
        {false, false, false, false},  // same direction again: full sort
        {true, false, false, true},    // other direction, no change: exact reversal
        {true, false, true, false},    // value change between: full sort
        {true, true, false, false},    // full re-sort option
    };
    for (size_t k = 0; k < std::size(steps); ++k) {
        TStoreFixture f;
        // Equal keys in column 0; column 1 tells rows apart. A full sort with
        // random pivots scrambles equal keys; a reversal mirrors them exactly.
        f.Fill({"k", "k", "k", "k", "k", "k", "k", "k"});
        f.store.SortRows(0, stAlphabetic, false, false);
        V before = f.Column(1);
        if (steps[k].changeBetween) f.store.GetCell(0, 0)->SetAsString(u"k");
        f.store.SortRows(0, stAlphabetic, steps[k].descending, steps[k].fullResort);
        V after = f.Column(1);
        V reversed(before.rbegin(), before.rend());
        if (steps[k].expectReversal) {
            EXPECT_EQ(after, reversed) << "step " << k;
        }
        EXPECT_EQ(f.store.SortedDescending, steps[k].descending);
        EXPECT_TRUE(f.store.Sorted);
    }
    // Reversal proper: a full sort runs the comparison, a reversal does not.
    TStoreFixture f;
    f.Fill({"b", "a", "c"});
    int compares = 0;
    f.store.OnCompareCells = [&](TCells*, TCell* a, TCell* b, std::int32_t& c) {
        ++compares;
        c = a->AsString().compare(b->AsString());
    };
    f.store.SortRows(0, stCustom, false, false);
    int afterFirst = compares;
    EXPECT_GT(afterFirst, 0);
    f.store.SortRows(0, stCustom, true, false);
    EXPECT_EQ(compares, afterFirst);
    EXPECT_EQ(f.Column(0), (V{"c", "b", "a"}));
    f.store.SortRows(0, stCustom, true, false);
    EXPECT_GT(compares, afterFirst);
}

TEST(CellStoreTest, ConversionErrorAbortsSortAndKeepsRows) {
    for (TSortType type : {stBoolean, stDate, stIP}) {
        TStoreFixture f;
        f.Fill({"1", "x.y", "0", "zz"});
        f.store.SortRows(1, stAlphabetic, false, false);
        V col0 = f.Column(0), col1 = f.Column(1);
        EXPECT_THROW(f.store.SortRows(0, type, true, false), EConvertError);
        EXPECT_EQ(f.Column(0), col0);
        EXPECT_EQ(f.Column(1), col1);
        EXPECT_TRUE(f.store.Sorted);
        EXPECT_EQ(f.store.SortedColumn, 1);
        EXPECT_TRUE(f.store.SortedDescending);
    }
}

// A number sort needs a row's text only against a row without a number.
TEST(CellStoreTest, NumericSortOfNumbersWithoutTextSucceeds) {
    TStoreFixture f({3, 8});  // date-time cells
    f.store.AddRows(3);
    const double values[] = {3e6, 1, 2};  // 3e6 days lies past the year 9999: no text for it
    for (int r = 0; r < 3; ++r) {
        f.store.GetCell(0, r)->SetAsFloat(values[r]);
        f.store.GetCell(1, r)->SetAsString(U(std::to_string(r)));
    }
    ASSERT_THROW(f.store.GetCell(0, 0)->AsString(), EConvertError);
    f.store.SortRows(0, stNumeric, false, false);
    EXPECT_EQ(f.Column(1), (V{"1", "2", "0"}));
    EXPECT_TRUE(f.store.Sorted);
}

TEST(CellStoreTest, UnorderedKeysStillEndInAPermutation) {
    // NaN floats, mixed numeric and text keys, and a custom comparison that
    // answers at random: the sort ends and keeps every row exactly once.
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        TStoreFixture f({4, 8});
        f.store.AddRows(300);
        for (int r = 0; r < 300; ++r) {
            f.store.GetCell(0, r)->SetAsFloat(r % 3 == 0 ? std::nan("") : static_cast<double>(rng() % 10));
            f.store.GetCell(1, r)->SetAsString(U(r % 2 ? std::to_string(rng() % 100) : std::string(1, char('a' + rng() % 5)) + "1"));
        }
        f.store.SortRows(0, stNumeric, round % 2, true);
        f.store.SortRows(1, stNumeric, round % 2, true);
        f.store.OnCompareCells = [&](TCells*, TCell*, TCell*, std::int32_t& c) { c = static_cast<int>(rng() % 3) - 1; };
        f.store.SortRows(1, stCustom, false, true);
        EXPECT_EQ(f.store.RowCount, 300);
        std::set<TRow*> rows;
        for (int r = 0; r < 300; ++r) rows.insert(f.store.GetRow(r));
        EXPECT_EQ(rows.size(), 300u);
    }
}

TEST(CellStoreTest, SortHandlerCannotChangeRows) {
    TStoreFixture f;
    f.Fill({"b", "a"});
    f.store.OnCompareCells = [&](TCells* s, TCell*, TCell*, std::int32_t&) { s->AddRows(1); };
    EXPECT_THROW(f.store.SortRows(0, stCustom, false, false), EInvalidOperation);
    EXPECT_EQ(f.store.RowCount, 2);
    f.store.OnCompareCells = nullptr;
    f.store.AddRows(1);  // allowed again afterwards
    EXPECT_EQ(f.store.RowCount, 3);
}

TEST(CellStoreTest, EmptyAndSingleRowSorts) {
    TStoreFixture f;
    f.store.SortRows(0, stAlphabetic, false, false);
    f.store.SortRows(0, stAlphabetic, true, false);
    EXPECT_EQ(f.store.RowCount, 0);
    f.Fill({"only"});
    TRow* row = f.store.GetRow(0);
    f.store.SortRows(0, stAlphabetic, false, false);
    f.store.SortRows(0, stAlphabetic, true, false);
    EXPECT_EQ(f.store.GetRow(0), row);
}

TEST(CellStoreTest, RowOperationsAndSortedState) {
    TStoreFixture f;
    f.Fill({"a", "b", "c", "d"});
    auto sorted = [&] { f.store.SortRows(0, stAlphabetic, false, false); };
    struct Op { const char* name; std::function<void()> run; bool clearsSorted; V col0; };
    // Each op runs on a fresh sorted copy of a b c d.
    const Op ops[] = {
        {"AddRows", [&] { f.store.AddRows(1); }, true, {"a", "b", "c", "d", ""}},
        {"InsertRows", [&] { f.store.InsertRows(1, 2); }, true, {"a", "", "", "b", "c", "d"}},
        {"MoveRow", [&] { f.store.MoveRow(0, 2); }, true, {"b", "c", "a", "d"}},
        {"SwapRows", [&] { f.store.SwapRows(0, 3); }, false, {"d", "b", "c", "a"}},
        {"DeleteRow", [&] { f.store.DeleteRow(1); }, false, {"a", "c", "d"}},
        {"InsertChildRow", [&] { f.store.InsertChildRow(0, 1); }, false, {"a", "", "b", "c", "d"}},
        {"ClearRows", [&] { f.store.ClearRows(); }, true, {}},
        {"MoveColumn", [&] { f.store.MoveColumn(1, 0); f.store.MoveColumn(0, 1); }, false, {"a", "b", "c", "d"}},
    };
    for (const Op& op : ops) {
        f.store.ClearRows();
        f.Fill({"a", "b", "c", "d"});
        sorted();
        op.run();
        EXPECT_EQ(f.store.Sorted, !op.clearsSorted) << op.name;
        EXPECT_EQ(f.Column(0), op.col0) << op.name;
        EXPECT_EQ(f.store.ShownRowCount, f.store.RowCount) << op.name;
    }
}

// Cells and row records come from blocks: rows added one at a time (as an
// import adds them) make no memory allocation per cell or row.
TEST(CellStoreTest, RowsAddedOneAtATimeAllocateByTheBlock) {
    TStoreFixture f({8, 8, 8});
    test::AllocationMeter meter;
    for (int k = 0; k < 10000; ++k) f.store.AddRows(1);
    EXPECT_LT(meter.Count(), 200u);  // for 30,000 cells and 10,000 rows
    EXPECT_EQ(f.store.GetCell(2, 9999)->AsString(), u"");
}

TEST(CellStoreTest, ShownRowCountFollowsFlagsAndDeletes) {
    TStoreFixture f;
    f.Fill({"a", "b", "c"});
    f.store.SetRowVisible(1, false);
    f.store.SetRowVisible(1, false);
    EXPECT_EQ(f.store.ShownRowCount, 2);
    f.store.SetRowParentExpanded(1, false);
    f.store.SetRowVisible(1, true);  // still not shown: parent collapsed
    EXPECT_EQ(f.store.ShownRowCount, 2);
    f.store.SetRowParentExpanded(1, true);
    EXPECT_EQ(f.store.ShownRowCount, 3);
    f.store.SetRowVisible(2, false);
    f.store.DeleteRow(2);  // hidden row
    EXPECT_EQ(f.store.ShownRowCount, 2);
    f.store.DeleteRow(0);  // shown row
    EXPECT_EQ(f.store.ShownRowCount, 1);

    // A child of a collapsed parent is not shown.
    f.store.GetRow(0)->Expanded = false;
    f.store.InsertChildRow(0, 1);
    EXPECT_EQ(f.store.RowCount, 2);
    EXPECT_EQ(f.store.ShownRowCount, 1);
    EXPECT_EQ(f.store.GetRow(1)->Level, 1);
    EXPECT_EQ(f.store.GetRow(1)->ParentRow, f.store.GetRow(0));
    EXPECT_EQ(f.store.GetRow(0)->ChildCount, 1);
    EXPECT_EQ(f.store.GetDescendantCount(0), 1);
    EXPECT_EQ(f.store.GetChildCount(0), 1);
}

TEST(CellStoreTest, CellClassesByKindAndContext) {
    // kind, append/add rows, insert column, insert rows, insert child
    struct Case { std::uint8_t kind; const char* add; const char* insertColumn; const char* insertRows; const char* child; };
    const Case cases[] = {
        {0, "Increment", "Integer", "Integer", "Increment"},
        {1, "Boolean", "Boolean", "Boolean", "Boolean"},
        {3, "DateTime", "DateTime", "DateTime", "DateTime"},
        {4, "Float", "Float", "Float", "Float"},
        {6, "Guid", "Guid", "String", "String"},
        {7, "Integer", "Integer", "Integer", "Integer"},
        {11, "Virtual", "Virtual", "Virtual", "Virtual"},
        {8, "String", "String", "String", "String"},
        {99, "String", "String", "String", "String"},
    };
    auto name = [](TCell* c) -> std::string {
        if (dynamic_cast<TIncrementCell*>(c)) return "Increment";
        if (dynamic_cast<TIntegerCell*>(c)) return "Integer";
        if (dynamic_cast<TBooleanCell*>(c)) return "Boolean";
        if (dynamic_cast<TDateTimeCell*>(c)) return "DateTime";
        if (dynamic_cast<TFloatCell*>(c)) return "Float";
        if (dynamic_cast<TGuidCell*>(c)) return "Guid";
        if (dynamic_cast<TVirtualCell*>(c)) return "Virtual";
        if (dynamic_cast<TStringCell*>(c)) return "String";
        return "?";
    };
    for (const Case& c : cases) {
        TKindColumns columns;
        columns.Add(c.kind, 0x111111, fsItalic, 0x222222);
        TCells store(nullptr, &columns);
        store.AddRows(1);       // no columns yet
        store.AppendColumn();   // cells for the existing row: append rule
        store.AddRows(1);
        store.InsertRows(0, 1);
        store.InsertChildRow(0, 1);
        EXPECT_EQ(name(store.GetCell(0, 2)), c.add) << int(c.kind);
        EXPECT_EQ(name(store.GetCell(0, 3)), c.add) << int(c.kind);
        EXPECT_EQ(name(store.GetCell(0, 0)), c.insertRows) << int(c.kind);
        EXPECT_EQ(name(store.GetCell(0, 1)), c.child) << int(c.kind);
        store.InsertColumn(0);
        EXPECT_EQ(name(store.GetCell(0, 0)), c.insertColumn) << int(c.kind);
        // Attributes come from the column; a child row's text colour stays 0.
        TCell* cell = store.GetCell(1, 2);
        EXPECT_EQ(cell->Color, 0x111111);
        EXPECT_EQ(cell->FontStyle, fsItalic);
        EXPECT_EQ(cell->FontColor, 0x222222);
        EXPECT_EQ(cell->State, 0);
        EXPECT_EQ(store.GetCell(1, 1)->FontColor, 0);
        EXPECT_EQ(store.GetCell(1, 1)->Color, 0x111111);
    }
}

TEST(CellStoreTest, ColumnOperations) {
    TKindColumns columns;
    columns.Add(8);
    columns.Add(8);
    TCells store(nullptr, &columns);
    store.ColumnListChanged(0, 0, 0);
    store.ColumnListChanged(0x80, 0, 0);  // kind in the low 7 bits
    store.AddRows(2);
    store.GetCell(0, 0)->SetAsString(u"c0");
    store.GetCell(1, 0)->SetAsString(u"c1");
    columns.Attrs.insert(columns.Attrs.begin(), TColumnAttrs{4});
    store.ColumnListChanged(3, 0, 0);
    EXPECT_EQ(store.ColumnCount, 3);
    EXPECT_NE(dynamic_cast<TFloatCell*>(store.GetCell(0, 0)), nullptr);
    EXPECT_EQ(store.GetCell(1, 0)->AsString(), u"c0");
    EXPECT_EQ(store.GetCell(2, 0)->AsString(), u"c1");
    store.ColumnListChanged(4, 2, 0);
    EXPECT_EQ(store.GetCell(0, 0)->AsString(), u"c1");
    store.ColumnListChanged(1, 0, 0);
    EXPECT_EQ(store.ColumnCount, 2);
    EXPECT_EQ(store.GetCell(1, 0)->AsString(), u"c0");
    store.DeleteColumn(0);
    store.DeleteColumn(0);
    EXPECT_EQ(store.RowCount, 0);
    EXPECT_EQ(store.ShownRowCount, 0);
    // Many more columns than the classic limit of 1025.
    for (int k = 0; k < 1100; ++k) store.AppendColumn();
    store.AddRows(1);
    EXPECT_EQ(store.GetCell(1099, 0)->AsString(), u"");
}

TEST(CellStoreTest, IndexErrors) {
    TStoreFixture f;
    f.Fill({"a"});
    try {
        f.store.GetCell(0, 5);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message, "List index out of bounds (5)");
    }
    EXPECT_THROW(f.store.GetCell(2, 0), EListError);
    EXPECT_THROW(f.store.DeleteRow(-1), EListError);
    EXPECT_THROW(f.store.SwapRows(0, 1), EListError);
    EXPECT_THROW(f.store.MoveRow(0, 1), EListError);
    EXPECT_EQ(f.store.RowCount, 1);
}

TEST(CellStoreTest, ChangeNoticeUsesLastLookup) {
    TStoreFixture f;
    f.Fill({"a", "b"});
    std::vector<std::pair<int, int>> seen;
    f.store.OnCellChanged = [&](TCells*, int c, int r) { seen.push_back({c, r}); };
    f.store.GetCell(1, 1)->SetAsString(u"x");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], std::make_pair(1, 1));
}

// A grid whose colouring looks at another cell of the row, and a virtual
// column whose text handlers do the same: the cell being painted or set must
// still act on its own position, not on the last one looked up.
struct TPeekingGrid : ICellGrid, TKindColumns {
    TCells* store = nullptr;
    std::vector<std::pair<int, int>> paint, text, setText;
    TColor GetCellPaintColor(int col, int row, TCell&) override {
        paint.push_back({col, row});
        store->GetCell(1, 0)->AsString();
        return 0;
    }
    TColor GetCellTextColor(int col, int row, TCell&) override {
        text.push_back({col, row});
        store->GetCell(1, 0)->AsString();
        return 0;
    }
    std::u16string GetVirtualText(int col, int row) override {
        store->GetCell(1, 0)->AsString();
        return IntToText(col * 100 + row);
    }
    void SetVirtualText(int col, int row, const std::u16string&) override {
        setText.push_back({col, row});
        store->GetCell(1, 0)->AsString();
    }
};

TEST(CellStoreTest, HandlersReadingOtherCellsLeaveACellItsPosition) {
    using P = std::pair<int, int>;
    TPeekingGrid grid;
    for (std::uint8_t kind : {0, 8, 11}) grid.Add(kind);  // increment, text, virtual
    TCells store(&grid, &grid);
    grid.store = &store;
    for (int k = 0; k < 3; ++k) store.AppendColumn();
    store.AddRows(6);
    std::vector<P> changed;
    store.OnCellChanged = [&](TCells* s, int c, int r) {
        changed.push_back({c, r});
        s->GetCell(0, 1)->AsString();  // the grid reads a neighbour while repainting
    };

    TCell* increment = store.GetCell(0, 4);
    increment->GetPaintColor();
    increment->GetTextColor();
    EXPECT_EQ(increment->AsInteger(), 5);
    EXPECT_EQ(grid.paint, (std::vector<P>{{0, 4}}));
    EXPECT_EQ(grid.text, (std::vector<P>{{0, 4}}));

    TCell* text = store.GetCell(1, 3);
    text->SetAsString(u"a");
    text->SetColor(0x123456);
    text->SetAsInteger(7);
    EXPECT_EQ(changed, (std::vector<P>{{1, 3}, {1, 3}, {1, 3}}));
    EXPECT_EQ(store.LastCol, 0);  // callers still see the last lookup
    EXPECT_EQ(store.LastRow, 1);

    changed.clear();
    TCell* virt = store.GetCell(2, 5);
    EXPECT_EQ(virt->AsString(), u"205");
    EXPECT_EQ(virt->AsString(), u"205");
    virt->SetAsFloat(1.5);
    EXPECT_EQ(grid.setText, (std::vector<P>{{2, 5}}));
    EXPECT_EQ(changed, (std::vector<P>{{2, 5}}));

    // Cells made by row operations know where they were made; sorting hands
    // each key cell its row while it is read.
    store.InsertRows(2, 1);
    changed.clear();
    store.GetCell(1, 6)->SetAsString(u"b");
    EXPECT_EQ(changed, (std::vector<P>{{1, 6}}));
    store.SortRows(2, stAlphabetic, true, true);  // keys 206 down to 200: the rows reverse
    EXPECT_EQ(store.GetCell(1, 0)->AsString(), u"b");
    EXPECT_EQ(store.GetCell(1, 2)->AsString(), u"7");  // row 3, moved to 4 by the insert
    int increments = 0;  // the inserted row holds an integer cell
    for (int r = 0; r < store.RowCount; ++r) {
        TCell* cell = store.GetCell(0, r);
        if (!dynamic_cast<TIncrementCell*>(cell)) continue;
        ++increments;
        EXPECT_EQ(cell->AsInteger(), r + 1);
    }
    EXPECT_EQ(increments, 6);
}

TEST(CellStoreTest, IPAddressReading) {
    struct Case { const char* text; std::uint32_t parts[4]; bool error; };
    const Case cases[] = {
        {"", {0, 0, 0, 0}, false},
        {"10.0.0.2", {10, 0, 0, 2}, false},
        {"1.2", {1, 2, 0, 0}, false},
        {"1.2.3.4.5.6", {1, 2, 3, 4}, false},
        {" 1a.2b.3c.4d ", {1, 2, 3, 4}, false},
        {"1..2", {}, true},
        {"x", {}, true},
        {"99999999999.1", {}, true},
    };
    for (const Case& c : cases) {
        std::uint32_t parts[4];
        if (c.error) {
            EXPECT_THROW(ReadIPAddress(c.text, parts), EConvertError) << c.text;
        } else {
            ReadIPAddress(c.text, parts);
            EXPECT_TRUE(std::equal(parts, parts + 4, c.parts)) << c.text;
        }
    }
}

}  // namespace
}  // namespace ad::grid
