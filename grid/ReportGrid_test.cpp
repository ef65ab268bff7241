// Rows and cells through the report grid, footers, and delimited text.
#include "grid/ReportGrid.h"

#include <gtest/gtest.h>

#include <map>

#include "base/Exception.h"
#include "grid/GridTestFixture.h"
#include "testsupport/TempFolder.h"

namespace ad::grid {
namespace {

using gridtest::TGridFixture;

struct TEventLog {
    explicit TEventLog(TReportGrid& g) {
        g.OnDataChange = [this](TRgCustomGridControl*, TDataChange kind, int index) {
            Log.push_back("data " + std::to_string(kind) + " " + std::to_string(index));
        };
        g.OnChange = [this](TRgCustomGridControl*, int c, int r) {
            Log.push_back("change " + std::to_string(c) + "," + std::to_string(r));
        };
        g.OnDeselectCell = [this](TRgCustomGridControl*, int c, int r) {
            Log.push_back("deselect " + std::to_string(c) + "," + std::to_string(r));
        };
    }
    std::vector<std::string> Log;
};

TEST(ReportGridTest, AddRowAndBoundsChecks) {
    TGridFixture f(2);
    TEventLog events(f.grid);
    EXPECT_EQ(f.grid.AddRow(0), -1);
    EXPECT_EQ(f.grid.AddRow(3), 2);
    EXPECT_EQ(events.Log, std::vector<std::string>{"data 2 2"});
    EXPECT_EQ(f.grid.AddRow(0), 2);
    f.grid.AddRow(2);
    try {
        f.grid.SetCellText(1, 5, u"x");
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()), "Cell out of bounds (1, 5)");
    }
    EXPECT_THROW(f.grid.GetCellText(2, 0), Exception);
    EXPECT_THROW(f.grid.GetCellText(0, -1), Exception);
    EXPECT_THROW(f.grid.Cell(0, 5), Exception);  // no crash on a bad index
    f.grid.Cell(1, 4)->SetAsString(u"ok");
    EXPECT_EQ(f.grid.GetCellText(1, 4), u"ok");
}

TEST(ReportGridTest, ChangesInsideAnUpdateAreNotReported) {
    TGridFixture f(2, 2);
    TEventLog events(f.grid);
    f.grid.BeginUpdate();
    f.grid.SetCellText(0, 0, u"a");
    f.grid.EndUpdate(false);
    EXPECT_TRUE(events.Log.empty());
    EXPECT_TRUE(f.window.Invalidated.empty());
    f.grid.SetCellText(0, 1, u"b");
    EXPECT_EQ(events.Log, std::vector<std::string>{"change 0,1"});
    EXPECT_FALSE(f.window.Invalidated.empty());
}

// Changes outside an update repaint only what is on screen, and a change far
// below the rows area costs no walk over the rows above it: 200,000 rows
// filled cell by cell outside an update would otherwise take minutes.
TEST(ReportGridTest, ChangesOffScreenInvalidateNothing) {
    TGridFixture f(2, 200000);
    int visibleRow = 2, belowRow = 150000;
    f.grid.SetCellText(1, visibleRow, u"x");
    ASSERT_EQ(f.window.Invalidated.size(), 1u);
    TRect expected;
    ASSERT_TRUE(f.grid.GetCellRect(1, visibleRow, expected));
    EXPECT_EQ(f.window.Invalidated[0].Top, expected.Top);
    f.window.Invalidated.clear();
    for (int r = belowRow; r < belowRow + 20000; ++r) f.grid.SetCellText(0, r, u"y");
    f.grid.SetRowHeight(belowRow, 40);
    EXPECT_TRUE(f.window.Invalidated.empty());
    EXPECT_TRUE(f.window.Scrolled.empty());
    // The bounded walk answers the exact top for a row on screen.
    EXPECT_EQ(f.grid.GetRowTopUpTo(visibleRow, f.grid.GetRowsRect().Bottom), f.grid.GetRowTop(visibleRow));
    EXPECT_GT(f.grid.GetRowTopUpTo(belowRow, f.grid.GetRowsRect().Bottom), f.grid.GetRowsRect().Bottom);
}

TEST(ReportGridTest, ClearRows) {
    TGridFixture f(2, 4);
    f.grid.SetSelectedRow(2);
    TEventLog events(f.grid);
    f.grid.ClearRows();
    EXPECT_EQ(f.grid.GetSelectedRow(), -1);
    EXPECT_EQ(f.grid.CurrentCol(), 0);
    EXPECT_EQ(f.grid.RowCount(), 0);
    EXPECT_EQ(events.Log, std::vector<std::string>{"data 7 -1"});
}

TEST(ReportGridTest, SortKeepsTheCurrentRowByObject) {
    TGridFixture f(1, 4);
    const char16_t* names[] = {u"delta", u"alpha", u"charlie", u"bravo"};
    for (int r = 0; r < 4; ++r) f.grid.SetCellText(0, r, names[r]);
    f.grid.SetSelectedRow(0);  // "delta"
    std::vector<int> sorted;
    f.grid.OnAfterSort = [&](TRgCustomGridControl*, int c) { sorted.push_back(c); };
    f.grid.Columns().Item(0)->SetSorted(true);
    EXPECT_EQ(f.grid.GetCellText(0, 0), u"alpha");
    EXPECT_EQ(f.grid.GetSelectedRow(), 3);
    EXPECT_EQ(f.grid.GetCellText(0, f.grid.GetSelectedRow()), u"delta");
    EXPECT_EQ(sorted, std::vector<int>{0});
    f.grid.Columns().Item(0)->SetSortKind(skDescending);
    EXPECT_EQ(f.grid.GetCellText(0, 0), u"delta");
    EXPECT_EQ(f.grid.GetSelectedRow(), 0);
}

TEST(ReportGridTest, DeleteRowKeepsCurrentAndAnchorOnTheirRows) {
    TGridFixture f(1, 5);
    f.FillTexts();
    f.grid.SetSelectedRow(3);
    f.grid.DeleteRow(1);  // a row above the current one
    EXPECT_EQ(f.grid.GetSelectedRow(), 2);
    EXPECT_EQ(f.grid.GetCellText(0, 2), u"a3");
    EXPECT_EQ(f.grid.AnchorRow(), 2);

    // Deleting the current last row: OnDeselectCell, then the new last row.
    f.grid.SetSelectedRow(3);
    TEventLog events(f.grid);
    f.grid.DeleteRow(3);
    ASSERT_GE(events.Log.size(), 2u);
    EXPECT_EQ(events.Log[0], "deselect 0,3");
    EXPECT_EQ(events.Log[1], "data 6 3");
    EXPECT_EQ(f.grid.GetSelectedRow(), 2);
    EXPECT_EQ(f.grid.LastShownRow(), 2);
    EXPECT_EQ(f.grid.LastAddedRow(), 2);
}

TEST(ReportGridTest, MovedAndSwappedRowsTakeTheSelectionAnchorAlong) {
    // The anchor starts on row 1 ("a1"); a Shift click afterwards selects from
    // wherever that row went.
    struct Case { const char* name; void (*op)(TReportGrid&); int anchor; };
    const Case cases[] = {
        {"move the anchor row down", [](TReportGrid& g) { g.MoveRow(1, 4); }, 4},
        {"move a row from below to above it", [](TReportGrid& g) { g.MoveRow(3, 0); }, 2},
        {"move a row from above to below it", [](TReportGrid& g) { g.MoveRow(0, 3); }, 0},
        {"move rows elsewhere", [](TReportGrid& g) { g.MoveRow(3, 4); }, 1},
        {"swap the anchor row", [](TReportGrid& g) { g.SwapRows(1, 3); }, 3},
        {"swap it back from the other side", [](TReportGrid& g) { g.SwapRows(4, 1); }, 4},
        {"swap other rows", [](TReportGrid& g) { g.SwapRows(0, 2); }, 1},
    };
    for (const Case& c : cases) {
        TGridFixture f(1, 6);
        f.FillTexts();
        f.grid.SetOptions(f.grid.Options() | goSelectFullRow | goMultiSelect);
        f.grid.SelectCell(0, 1, false, true, 0);
        ASSERT_EQ(f.grid.AnchorRow(), 1);
        c.op(f.grid);
        EXPECT_EQ(f.grid.AnchorRow(), c.anchor) << c.name;
        EXPECT_EQ(f.grid.GetCellText(0, f.grid.AnchorRow()), u"a1") << c.name;
    }
}

TEST(ReportGridTest, InsertRowsMovesTheCurrentRowOnlyWhenItShifts) {
    struct Case { int current, pos, count, expected; };
    const Case cases[] = {{2, 5, 3, 2}, {2, 1, 3, 5}, {2, 2, 3, 5}, {-1, 0, 3, -1}};
    for (const Case& c : cases) {
        TGridFixture f(1, 6);
        f.FillTexts();
        if (c.current >= 0) f.grid.SetSelectedRow(c.current);
        f.grid.InsertRows(c.pos, c.count);
        EXPECT_EQ(f.grid.GetSelectedRow(), c.expected) << c.current << " " << c.pos;
        if (c.current >= 0) {
            EXPECT_EQ(f.grid.GetCellText(0, f.grid.GetSelectedRow()), u"a2");
        }
        EXPECT_EQ(f.grid.LastAddedRow(), c.pos);
    }
}

// Rows "a" and "b" with a tree under "a":
//   a, a0, a1, a11 (child of a1), a2, b
struct TTreeFixture : TGridFixture {
    TTreeFixture() : TGridFixture(1, 2) {
        grid.SetCellText(0, 0, u"a");
        grid.SetCellText(0, 1, u"b");
        grid.SetCellText(0, grid.AddChildRow(0), u"a1");
        grid.SetCellText(0, grid.AddChildRow(1), u"a11");
        grid.SetCellText(0, grid.AddChildRow(0, true), u"a2");  // after a's last descendant
        grid.SetCellText(0, grid.AddChildRow(0), u"a0");        // right below a
    }
    std::u16string ShownTexts() const {
        std::u16string out;
        for (int r = 0; r < grid.RowCount(); ++r)
            if (grid.IsRowShown(r)) out += grid.GetCellText(0, r) + u" ";
        return out;
    }
};

TEST(ReportGridTest, ChildRowsAndTheirRelations) {
    TTreeFixture f;
    EXPECT_EQ(f.ShownTexts(), u"a a0 a1 a11 a2 b ");
    EXPECT_EQ(f.grid.LastAddedRow(), 1);
    EXPECT_EQ(f.grid.LastShownRow(), 5);
    const int levels[] = {0, 1, 1, 2, 1, 0};
    for (int r = 0; r < 6; ++r) EXPECT_EQ(f.grid.GetRowLevel(r), levels[r]) << r;
    EXPECT_EQ(f.grid.GetChildCount(0), 3);
    EXPECT_EQ(f.grid.GetChildCount(2), 1);

    // Row, parent, next sibling: the tree lines' view of each row.
    const int relations[][3] = {{0, -1, 5}, {1, 0, 2}, {2, 0, 4}, {3, 2, -1}, {4, 0, -1}, {5, -1, -1}};
    for (const auto& rel : relations) {
        int row = rel[0], next = 0;
        f.grid.GetRowRelations(row, next);
        EXPECT_EQ(row, rel[1]) << rel[0];
        EXPECT_EQ(next, rel[2]) << rel[0];
    }

    // A child inserted above the current row leaves it on its row; the change
    // is reported as a child row.
    f.grid.SetSelectedRow(5);
    TEventLog events(f.grid);
    EXPECT_EQ(f.grid.AddChildRow(3), 4);
    EXPECT_EQ(events.Log, std::vector<std::string>{"data 1 4"});
    EXPECT_EQ(f.grid.GetSelectedRow(), 6);
    EXPECT_EQ(f.grid.GetCellText(0, 6), u"b");
    EXPECT_EQ(f.grid.GetRowLevel(4), 3);
    EXPECT_THROW(f.grid.AddChildRow(7), Exception);
}

TEST(ReportGridTest, ExpandAndCollapse) {
    TTreeFixture f;
    std::vector<int> expands;
    f.grid.OnExpand = [&](TRgCustomGridControl*, int row) { expands.push_back(row); };
    f.grid.SetRowExpanded(2, false);
    EXPECT_EQ(f.ShownTexts(), u"a a0 a1 a2 b ");
    f.grid.SetRowExpanded(0, false);
    EXPECT_EQ(f.ShownTexts(), u"a b ");
    EXPECT_EQ(f.grid.GetShownRowCount(), 2);
    f.grid.SetRowExpanded(0, false);  // unchanged: nothing, no event
    // Expanding keeps the collapsed child's subtree hidden.
    f.grid.SetRowExpanded(0, true);
    EXPECT_EQ(f.ShownTexts(), u"a a0 a1 a2 b ");
    f.grid.SetRowExpanded(2, true);
    EXPECT_EQ(f.ShownTexts(), u"a a0 a1 a11 a2 b ");
    EXPECT_EQ(expands, (std::vector<int>{2, 0, 0, 2}));
    EXPECT_EQ(f.grid.GetShownRowCount(), 6);

    // A child of a collapsed row comes in hidden.
    f.grid.SetRowExpanded(0, false);
    int hidden = f.grid.AddChildRow(0);
    EXPECT_FALSE(f.grid.IsRowShown(hidden));
    EXPECT_EQ(f.grid.GetShownRowCount(), 2);
    EXPECT_EQ(f.grid.LastShownRow(), 6);
}

// One paint works out each row's relations once; the next paint sees the
// rows as they are then.
TEST(ReportGridTest, TreeLinesFollowTheRowsFromOnePaintToTheNext) {
    TTreeFixture f;
    f.grid.Columns().Item(0)->TreeColumn = true;
    // The bottom pixel of a row's own line at its level (a2 is row 4, level 1).
    auto lineReachesBottom = [&](int row) {
        TRecordingCanvas canvas(300, 200);
        f.grid.Paint(canvas, TRect{0, 0, 300, 200});
        TRect cell;
        EXPECT_TRUE(f.grid.GetCellRect(0, row, cell));
        int x = TreeLevelRect(cell, f.grid.GetRowLevel(row)).Left + TreeIndent / 2;
        return canvas.Pixel(x, cell.Bottom - 1) == ColorToRGBValue(clGrayText);
    };
    EXPECT_FALSE(lineReachesBottom(4));  // a2 is a's last child
    f.grid.AddChildRow(0, true);         // now it is not
    EXPECT_TRUE(lineReachesBottom(4));
    f.grid.DeleteRow(5);
    EXPECT_FALSE(lineReachesBottom(4));
}

TEST(ReportGridTest, CollapsingTheRowsInViewMovesTheTopRow) {
    TGridFixture f(1, 1);
    for (int k = 0; k < 30; ++k) f.grid.AddChildRow(0, true);
    f.grid.AddRow(5);  // rows 31..35
    // The bar's position is the number of shown rows above the top row.
    auto shownAboveTop = [&] {
        int n = 0;
        for (int r = 0; r < f.grid.TopRow(); ++r) n += f.grid.IsRowShown(r) ? 1 : 0;
        return n;
    };
    f.grid.ScrollToRow(20);
    ASSERT_GT(f.grid.TopRow(), 0);
    f.grid.SetRowExpanded(0, false);
    EXPECT_TRUE(f.grid.IsRowShown(f.grid.TopRow()));
    EXPECT_EQ(f.vert.Position(), shownAboveTop());
    f.grid.SetRowExpanded(0, true);
    EXPECT_EQ(f.vert.Position(), shownAboveTop());
    EXPECT_EQ(f.grid.LastShownRow(), 35);
}

TEST(ReportGridTest, DeletingARowTakesItsSubtree) {
    TTreeFixture f;
    f.grid.DeleteRow(4);  // a2: a loses a child
    EXPECT_EQ(f.grid.GetChildCount(0), 2);
    TEventLog events(f.grid);
    f.grid.DeleteRow(0);
    EXPECT_EQ(f.ShownTexts(), u"b ");
    EXPECT_EQ(events.Log, (std::vector<std::string>{"data 6 3", "data 6 2", "data 6 1", "data 6 0"}));
    EXPECT_EQ(f.grid.GetShownRowCount(), 1);
    // A collapsed subtree goes the same way.
    int child = f.grid.AddChildRow(0);
    f.grid.AddChildRow(child);
    f.grid.SetRowExpanded(0, false);
    f.grid.DeleteRow(0);
    EXPECT_EQ(f.grid.RowCount(), 0);
    EXPECT_EQ(f.grid.GetShownRowCount(), 0);
}

TEST(ReportGridTest, RowHeightsAndStartRowCount) {
    TGridFixture f(1, 3);
    std::vector<int> heights;
    f.grid.OnChangeRowHeight = [&](TRgCustomGridControl*, int, int h) { heights.push_back(h); };
    f.grid.SetRowHeight(1, 30);
    f.grid.SetRowHeight(1, 30);
    f.grid.SetRowHeight(2, -7);
    EXPECT_EQ(heights, (std::vector<int>{30, 0}));
    EXPECT_EQ(f.grid.GetRowTop(2), 18 + 16 + 30);
    f.grid.SetStartRowCount(5);
    EXPECT_EQ(f.grid.RowCount(), 8);
    f.grid.SetStartRowCount(2);
    EXPECT_EQ(f.grid.RowCount(), 5);
    f.grid.SetStartRowCount(-1);
    EXPECT_EQ(f.grid.StartRowCount(), 2);
}

TEST(ReportGridTest, Footers) {
    TGridFixture f(1, 4);
    auto* number = f.grid.Columns().AddNew<TRgNumberColumn>();
    const char16_t* values[] = {u"4", u"10", u"-2", u"10"};
    for (int r = 0; r < 4; ++r) f.grid.SetCellText(1, r, values[r]);
    // Row 0 is refused: the maximum and minimum are not seeded from it.
    f.grid.OnCalculateRow = [](TRgCustomGridControl*, int index, bool& accept) { accept = index != 0; };
    struct Case { TFormulaKind kind; double expected; };
    const Case cases[] = {{fkAverage, 6}, {fkCount, 3}, {fkDistinct, 2}, {fkMaximum, 10}, {fkMinimum, -2}, {fkSum, 18}};
    for (const Case& c : cases) {
        number->Footer.SetFormulaKind(c.kind);
        f.grid.CalculateFooter(false);
        EXPECT_EQ(number->Footer.FormulaValue, c.expected) << int(c.kind);
    }
    f.grid.OnCalculateRow = [](TRgCustomGridControl*, int, bool& accept) { accept = false; };
    number->Footer.SetFormulaKind(fkAverage);
    f.grid.CalculateFooter(false);
    EXPECT_EQ(number->Footer.FormulaValue, 0);  // no rows count: 0, not 0/0
    EXPECT_EQ(number->Footer.Caption(), u"0");
    number->Footer.SetFormulaKind(fkCustom);
    f.grid.OnColumnFooterValue = [](TRgCustomGridControl*, int, double& v) { v = 42; };
    f.grid.OnFooterCalculate = [](TRgCustomGridControl*, int, double& v) { v += 1; };
    f.grid.CalculateFooter(false);
    EXPECT_EQ(number->Footer.Caption(), u"43");
}

TEST(ReportGridTest, RatingValuesFromTheElement) {
    TGridFixture f(0, 0);
    auto* rate = f.grid.Columns().AddNew<TRgRateColumn>();
    rate->SetOptions(rate->Options() | coEditing);
    rate->SetGlyph(TBitmap32(10, 10));
    rate->SetEmptyGlyph(TBitmap32(10, 10));
    rate->SetWidth(60);
    f.grid.AddRow(2);
    std::vector<std::u16string> edits;
    f.grid.OnAfterEdit = [&](TRgCustomGridControl*, int, int, const std::u16string& v) { edits.push_back(v); };
    // Row 0 at y 18..34; glyph 3 lies at x 20..29.
    f.grid.MouseDown(gmbLeft, 0, 25, 25);
    EXPECT_EQ(f.grid.Cell(0, 0)->AsInteger(), 3);
    EXPECT_EQ(edits, std::vector<std::u16string>{u"3"});
    f.grid.KeyPress(u'+');
    EXPECT_EQ(f.grid.Cell(0, 0)->AsInteger(), 4);
    f.grid.ReadOnly = true;
    f.grid.MouseDown(gmbLeft, 0, 5, 25);
    f.grid.KeyPress(u'1');
    EXPECT_EQ(f.grid.Cell(0, 0)->AsInteger(), 4);
    f.grid.ReadOnly = false;
    f.grid.OnBeforeEdit = [](TRgCustomGridControl*, int, int, bool& accept) { accept = false; };
    f.grid.MouseDown(gmbLeft, 0, 5, 25);
    EXPECT_EQ(f.grid.Cell(0, 0)->AsInteger(), 4);
}

// --- delimited text

std::vector<std::vector<std::u16string>> Rows(TReportGrid& g) {
    std::vector<std::vector<std::u16string>> out;
    for (int r = 0; r < g.RowCount(); ++r) {
        out.emplace_back();
        for (int c = 0; c < g.Columns().Count(); ++c) out.back().push_back(g.GetCellText(c, r));
    }
    return out;
}

void Load(TReportGrid& g, const std::string& bytes, int skip = 0) {
    TReadOnlyMemoryStream source(bytes.data(), bytes.size());
    g.ClearRows();
    g.LoadFromStream(source, u';', skip, u'|');
}

TEST(ReportGridTest, LoadsDelimitedText) {
    TGridFixture f(2);
    using R = std::vector<std::vector<std::u16string>>;
    Load(f.grid, std::string("\xFE\xFF\0a\0;\0b", 8));
    EXPECT_EQ(Rows(f.grid), (R{{u"a", u"b"}}));
    Load(f.grid, "\"x;y\";z\n");
    EXPECT_EQ(Rows(f.grid), (R{{u"x;y", u"z"}}));
    Load(f.grid, "head;er\np;q\nr");
    EXPECT_EQ(Rows(f.grid), (R{{u"head", u"er"}, {u"p", u"q"}, {u"r", u""}}));
    Load(f.grid, "head;er\np;q\n", 1);
    EXPECT_EQ(Rows(f.grid), (R{{u"p", u"q"}}));
    Load(f.grid, "one|two;\n\n");
    EXPECT_EQ(Rows(f.grid), (R{{u"one\r\ntwo", u""}, {u"", u""}}));
}

// A line with more fields than the grid has columns stops the import there,
// the rows read before it kept.
TEST(ReportGridTest, FieldBeyondTheLastColumnStopsTheImport) {
    TGridFixture f(2);
    try {
        Load(f.grid, "a;b\nc;d;e\nf;g\n");
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()), "Cell out of bounds (2, 1)");
    }
    ASSERT_EQ(f.grid.RowCount(), 2);
    EXPECT_EQ(f.grid.GetCellText(1, 1), u"d");
    EXPECT_EQ(f.grid.UpdateCount(), 0);  // the load's update bracket is closed
}

TEST(ReportGridTest, LoadIsOneUpdate) {
    TGridFixture f(2);
    std::string text;
    for (int k = 0; k < 1000; ++k) text += "name" + std::to_string(k) + ";" + std::to_string(k) + "\n";
    int progress = 0;
    f.grid.OnLoadProgress = [&](TRgCustomGridControl*, int, int) { ++progress; };
    int before = f.window.ScrollInfoCalls;
    Load(f.grid, text);
    EXPECT_EQ(f.grid.RowCount(), 1000);
    EXPECT_EQ(progress, 2000);
    EXPECT_LE(f.window.ScrollInfoCalls - before, 4);
    EXPECT_EQ(f.window.Invalidated.back(), (TRect{0, 0, 300, 200}));
}

TEST(ReportGridTest, LoadFromTextFile) {
    test::TempDir dir;
    std::string name = dir.Write("rows.txt", "\xFF\xFE" + std::string("a\0;\0b\0\n\0", 8));
    TGridFixture f(2, 3);
    f.grid.LoadFromTextFile(name, u';', 0, u'|');
    ASSERT_EQ(f.grid.RowCount(), 1);
    EXPECT_EQ(f.grid.GetCellText(1, 0), u"b");
    EXPECT_THROW(f.grid.LoadFromTextFile(dir.File("absent.txt"), u';', 0, u'|'), Exception);
}

TEST(ReportGridTest, GetDelimitedText) {
    TGridFixture f(2);
    EXPECT_EQ(f.grid.GetDelimitedText(','), ",");
    f.grid.AddRow(2);
    f.grid.SetCellText(0, 0, u"a");
    f.grid.SetCellText(1, 0, u"b");
    f.grid.SetCellText(0, 1, u"c");
    f.grid.SetCellText(1, 1, u"d");
    EXPECT_EQ(f.grid.GetDelimitedText(','), ",a,b,\r\nc,d");
    f.grid.SetCellText(1, 1, u"two\r\nlines");
    EXPECT_EQ(f.grid.GetDelimitedText(';'), ";a;b;\r\nc;two%\r\nlines");
}

TEST(ReportGridTest, TreeColumnIndentsItsRowsAndTogglesOnTheButton) {
    TTreeFixture f;  // a, a0, a1, a11, a2, b
    f.grid.Columns().Item(0)->TreeColumn = true;
    f.grid.Columns().Item(0)->SetWidth(150);
    TRecordingCanvas canvas(300, 200);
    f.grid.Paint(canvas, TRect{0, 0, 300, 200});
    // Each text starts after its row's level.
    const int levels[] = {0, 1, 1, 2, 1, 0};
    std::map<std::u16string, int> lefts;
    for (auto* t : canvas.CallsOf("DrawText")) lefts[t->Text] = t->Rect.Left;
    for (int r = 0; r < 6; ++r) {
        TRect cell;
        ASSERT_TRUE(f.grid.GetCellRect(0, r, cell));
        std::u16string text = f.grid.GetCellText(0, r);
        ASSERT_TRUE(lefts.count(text)) << r;
        EXPECT_GE(lefts[text], TreeContentLeft(cell, levels[r])) << r;
        EXPECT_LT(lefts[text], TreeContentLeft(cell, levels[r]) + 6) << r;
    }
    // Buttons on the two rows with children: a and a1.
    std::vector<TRect> buttons;
    for (auto* fr : canvas.CallsOf("FrameRect"))
        if (fr->Rect.Width() == TreeButtonSize && fr->Rect.Height() == TreeButtonSize) buttons.push_back(fr->Rect);
    TRect a, a1;
    f.grid.GetCellRect(0, 0, a);
    f.grid.GetCellRect(0, 2, a1);
    EXPECT_EQ(buttons, (std::vector<TRect>{TreeButtonRect(a, 0), TreeButtonRect(a1, 1)}));

    // A press on a's button collapses it, a second expands it again; a press
    // on its text only selects the row.
    TRect b = TreeButtonRect(a, 0);
    std::vector<int> expanded;
    f.grid.OnExpand = [&](TRgCustomGridControl*, int row) { expanded.push_back(row); };
    f.grid.MouseDown(gmbLeft, 0, b.Left + 4, b.Top + 4);
    f.grid.MouseUp(gmbLeft, 0, b.Left + 4, b.Top + 4);
    EXPECT_EQ(f.ShownTexts(), u"a b ");
    f.grid.MouseDown(gmbLeft, 0, b.Left + 4, b.Top + 4);
    f.grid.MouseUp(gmbLeft, 0, b.Left + 4, b.Top + 4);
    EXPECT_EQ(f.ShownTexts(), u"a a0 a1 a11 a2 b ");
    f.grid.MouseDown(gmbLeft, 0, a.Left + 60, a.Top + 4);
    f.grid.MouseUp(gmbLeft, 0, a.Left + 60, a.Top + 4);
    EXPECT_EQ(f.ShownTexts(), u"a a0 a1 a11 a2 b ");
    EXPECT_EQ(expanded, (std::vector<int>{0, 0}));
    EXPECT_EQ(f.grid.GetSelectedRow(), 0);

    // The editor of a tree cell leaves the tree part free.
    f.grid.Columns().Item(0)->SetOptions(f.grid.Columns().Item(0)->Options() | coEditing);
    TRect a11;
    f.grid.GetCellRect(0, 3, a11);
    f.grid.SelectCell(0, 3, false, true, 0);
    f.grid.EditCell(0, 3, u"");
    TRect editor;
    if (f.grid.EditingCell()) {
        ASSERT_TRUE(f.grid.GetEditorRect(editor));
        EXPECT_EQ(editor.Left, TreeContentLeft(a11, 2));
    }
}

TEST(ReportGridTest, ApplyColumnDefaultGivesEveryCellTheColumnsLook) {
    TGridFixture f(2, 3);
    TRgCustomColumn* column = f.grid.Columns().Item(1);
    for (int r = 0; r < 3; ++r) {
        f.grid.Cell(1, r)->SetColor(0x123456);
        f.grid.Cell(1, r)->SetFontStyle(0);
    }
    f.grid.Cell(0, 0)->SetColor(0x654321);
    column->SetColor(0x00AA00);
    FontSpec font = column->Font();
    font.Style = 1;  // bold
    font.Color = 0x0000FF;
    column->SetFont(font);
    f.grid.ApplyColumnDefault(1);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(f.grid.Cell(1, r)->Color, 0x00AA00u) << r;
        EXPECT_EQ(f.grid.Cell(1, r)->FontStyle, 1) << r;
        EXPECT_EQ(f.grid.Cell(1, r)->FontColor, 0x0000FFu) << r;
    }
    EXPECT_EQ(f.grid.Cell(0, 0)->Color, 0x654321u);  // other columns keep theirs
    f.grid.ApplyColumnDefault(5);  // no such column: nothing
}

}  // namespace
}  // namespace ad::grid
