// Header presses and sorting, column resizing and moving, keys, the wheel
// and the searches.
#include "grid/CustomGrid.h"

#include <gtest/gtest.h>

#include "grid/DrawRoutines.h"
#include "grid/GridTestFixture.h"
#include "grid/RecordingCanvas.h"

namespace ad::grid {
namespace {

using gridtest::TGridFixture;

TEST(CustomGridTest, HitTests) {
    TGridFixture f(2, 3);
    f.grid.SetOptions(goHeader | goIndicator | goFooter);
    EXPECT_EQ(f.grid.BandAt(20, 5), gbHeader);
    EXPECT_EQ(f.grid.BandAt(20, 30), gbCells);
    EXPECT_EQ(f.grid.BandAt(20, 190), gbFooter);
    EXPECT_EQ(f.grid.BandAt(5, 30), gbIndicator);
    EXPECT_EQ(f.grid.BandAt(250, 30), gbNone);
    // Columns at 12..72 and 72..132; both ends count.
    EXPECT_EQ(f.grid.ColumnAt(12), 0);
    EXPECT_EQ(f.grid.ColumnAt(73), 1);
    EXPECT_EQ(f.grid.ColumnAt(140), -1);
    int col, row;
    EXPECT_TRUE(f.grid.CellAt(80, 18 + 16 + 3, col, row));
    EXPECT_EQ(col, 1);
    EXPECT_EQ(row, 1);
    EXPECT_FALSE(f.grid.CellAt(80, 18 + 3 * 16 + 3, col, row));  // below the last row
    // Resize handles at e - 3 .. e + 2 of the right edges.
    EXPECT_EQ(f.grid.ResizeHandleAt(69), 0);
    EXPECT_EQ(f.grid.ResizeHandleAt(68), -1);
    EXPECT_EQ(f.grid.ResizeHandleAt(134), 1);
    EXPECT_EQ(f.grid.ResizeHandleAt(135), -1);
}

TEST(CustomGridTest, HeaderClicksSortAndAlternate) {
    TGridFixture f(2, 3);
    const char16_t* names[] = {u"b", u"c", u"a"};
    for (int r = 0; r < 3; ++r) f.grid.SetCellText(0, r, names[r]);
    std::vector<int> clicks;
    f.grid.OnHeaderClick = [&](TRgCustomGridControl*, int c) { clicks.push_back(c); };
    auto click = [&](int x) {
        f.grid.MouseDown(gmbLeft, 0, x, 5);
        f.grid.MouseUp(gmbLeft, 0, x, 5);
    };
    click(20);
    EXPECT_EQ(f.grid.GetCellText(0, 0), u"a");
    click(20);
    EXPECT_EQ(f.grid.GetCellText(0, 0), u"c");
    EXPECT_EQ(f.grid.Columns().Item(0)->SortKind, skDescending);
    click(20);
    EXPECT_EQ(f.grid.GetCellText(0, 0), u"a");
    EXPECT_EQ(clicks, (std::vector<int>{0, 0, 0}));

    // Press on one header, release on another: a click for the pressed one, no sort.
    f.grid.MouseDown(gmbLeft, 0, 100, 5);
    f.grid.MouseUp(gmbLeft, 0, 102, 5);  // within 3 pixels: no move
    f.grid.MouseDown(gmbLeft, 0, 100, 5);
    f.grid.Columns().Item(1)->SetOptions(f.grid.Columns().Item(1)->Options() | coDisableMoving);
    f.grid.MouseUp(gmbLeft, 0, 20, 5);
    EXPECT_EQ(clicks.back(), 1);
    EXPECT_FALSE(f.grid.Columns().Item(0)->Sorted() && f.grid.Columns().Item(0)->SortKind == skDescending);

    // Without coCanClick: neither a click nor a sort.
    clicks.clear();
    TRgCustomColumn* c0 = f.grid.Columns().Item(0);
    c0->SetSorted(false);
    c0->SetOptions(c0->Options() & ~coCanClick);
    click(20);
    EXPECT_TRUE(clicks.empty());
    EXPECT_FALSE(c0->Sorted());
}

TEST(CustomGridTest, ColumnResizeStopsAtMinWidth) {
    TGridFixture f(2, 1);
    TRgCustomColumn* c = f.grid.Columns().Item(0);
    c->MinWidth = 20;
    f.grid.MouseDown(gmbLeft, 0, 59, 5);
    EXPECT_EQ(f.grid.ResizingColumn(), 0);
    f.grid.MouseMove(0, 80, 5);
    f.grid.MouseUp(gmbLeft, 0, 80, 5);
    EXPECT_EQ(c->Width(), 80);
    f.grid.MouseDown(gmbLeft, 0, 79, 5);
    f.grid.MouseMove(0, 2, 5);
    f.grid.MouseUp(gmbLeft, 0, 2, 5);
    EXPECT_EQ(c->Width(), 20);
    // Every line drawn was erased again.
    EXPECT_EQ(f.window.InvertedLines.size() % 2, 0u);
}

// A column whose resize handle does not fit it to its cells.
class TUnfittedColumn : public TRgTextColumn {
public:
    using TRgTextColumn::TRgTextColumn;
    int GetColumnFeatures() const override { return TRgTextColumn::GetColumnFeatures() & ~8; }
};

TEST(CustomGridTest, DoubleClickOnAResizeHandleFitsTheColumn) {
    TGridFixture f(1, 2);
    auto* unfitted = f.grid.Columns().AddNew<TUnfittedColumn>();
    unfitted->SetWidth(60);
    TRgCustomColumn* c = f.grid.Columns().Item(0);
    f.grid.SetCellText(0, 0, u"short");
    f.grid.SetCellText(0, 1, u"a good deal longer");  // 13 characters more
    f.grid.SetRowShown(1, false);
    std::vector<int> headerDoubleClicks;
    f.grid.OnHeaderDblClick = [&](TRgCustomGridControl*, int col) { headerDoubleClicks.push_back(col); };
    // What the window sees: press, release, double click, release.
    auto doubleClick = [&](int x) {
        f.grid.MouseDown(gmbLeft, 0, x, 5);
        f.grid.MouseUp(gmbLeft, 0, x, 5);
        f.grid.MouseDown(gmbLeft, 0, x, 5, true);
        f.grid.MouseUp(gmbLeft, 0, x, 5);
    };
    c->SetWidth(200);
    doubleClick(199);
    int fitted = c->Width();
    EXPECT_LT(fitted, 200);  // hidden rows do not count
    EXPECT_GE(fitted, 5 * 7 + 5);
    // With the long row shown the column grows by its extra text (7 px a character here).
    f.grid.SetRowShown(1, true);
    doubleClick(fitted - 1);
    EXPECT_EQ(c->Width(), fitted + 13 * 7);
    EXPECT_EQ(f.grid.ResizingColumn(), -1);

    // A column that does not allow it keeps its width; off the handles it is
    // the header's own double click.
    int unfittedRight = c->Width() + 60;
    doubleClick(unfittedRight - 1);
    EXPECT_EQ(unfitted->Width(), 60);
    EXPECT_TRUE(headerDoubleClicks.empty());
    doubleClick(20);
    EXPECT_EQ(headerDoubleClicks, (std::vector<int>{0}));
    EXPECT_EQ(c->Width(), fitted + 13 * 7);
}

TEST(CustomGridTest, RowResizeFromTheIndicator) {
    TGridFixture f(2, 3);
    f.grid.SetOptions(goHeader | goIndicator | goRowResizing);
    int top1 = f.grid.GetRowTop(1), border1 = top1 + f.grid.GetRowHeight(1);
    // The border is the two pixels above the row's bottom, in the indicator only.
    EXPECT_EQ(f.grid.RowBorderAt(5, border1), 1);
    EXPECT_EQ(f.grid.RowBorderAt(5, border1 - 2), 1);
    EXPECT_EQ(f.grid.RowBorderAt(5, border1 - 4), -1);
    EXPECT_EQ(f.grid.RowBorderAt(20, border1), -1);
    f.grid.MouseMove(0, 5, border1);
    EXPECT_EQ(f.window.Cursor, crVertSplit);
    f.grid.MouseMove(0, 5, border1 - 6);
    EXPECT_EQ(f.window.Cursor, crIndicatorSelect);

    f.grid.MouseDown(gmbLeft, 0, 5, border1 - 1);
    EXPECT_EQ(f.grid.ResizingRow(), 1);
    EXPECT_EQ(f.grid.GetSelectedRow(), -1);  // a press on a border selects nothing
    f.grid.MouseMove(0, 5, top1 + 30);
    f.grid.MouseUp(gmbLeft, 0, 5, top1 + 30);
    EXPECT_EQ(f.grid.GetRowHeight(1), 30);
    EXPECT_EQ(f.grid.ResizingRow(), -1);
    // Never less than 8 pixels.
    f.grid.MouseDown(gmbLeft, 0, 5, top1 + 30);
    f.grid.MouseMove(0, 5, top1 - 20);
    f.grid.MouseUp(gmbLeft, 0, 5, top1 - 20);
    EXPECT_EQ(f.grid.GetRowHeight(1), 8);
    EXPECT_EQ(f.window.InvertedRowLines.size() % 2, 0u);  // every line erased again
    // Without goRowResizing a press there selects the row.
    f.grid.SetOptions(goHeader | goIndicator);
    f.grid.MouseDown(gmbLeft, 0, 5, top1 + 7);
    EXPECT_EQ(f.grid.ResizingRow(), -1);
    EXPECT_EQ(f.grid.GetSelectedRow(), 1);
}

TEST(CustomGridTest, DropTargets) {
    TGridFixture f(4, 1);  // columns at 0, 60, 120, 180
    TRgColumns& cols = f.grid.Columns();
    struct Case { int dragged, x, target; };
    const Case cases[] = {
        {0, 30, 0},    // over itself
        {0, 100, 1},   // right half of column 1, moving right
        {0, 70, 0},    // left half of column 1: before it, which is where it is
        {0, 200, 2},   // left half of column 3: before it
        {0, 220, 3},
        {3, 130, 2},   // left half of column 2, moving left
        {3, 170, 3},   // right half of column 2 when moving left: after it
        {1, 500, 1},   // no column there
    };
    for (const Case& c : cases) EXPECT_EQ(f.grid.DropTarget(cols.Item(c.dragged), c.x), c.target) << c.dragged << " " << c.x;
    f.grid.SetFixedCols(1);
    f.grid.SetOptions(goHeader | goLockFixedCols);
    EXPECT_FALSE(f.grid.DropAllowed(cols.Item(2), 0));
    EXPECT_FALSE(f.grid.DropAllowed(cols.Item(0), 2));
    EXPECT_TRUE(f.grid.DropAllowed(cols.Item(2), 1));
}

TEST(CustomGridTest, DraggingAHeaderMovesTheColumn) {
    TGridFixture f(3, 1);
    std::vector<std::string> moves;
    f.grid.OnColumnMove = [&](TRgCustomGridControl*, int c, int from, int to) {
        moves.push_back(std::to_string(c) + ":" + std::to_string(from) + ">" + std::to_string(to));
    };
    f.grid.MouseDown(gmbLeft, 0, 20, 5);
    f.grid.MouseMove(0, 22, 5);  // 2 pixels: no drag
    EXPECT_FALSE(f.grid.MovingColumn());
    f.grid.MouseMove(0, 160, 5);
    EXPECT_TRUE(f.grid.MovingColumn());
    f.grid.MouseUp(gmbLeft, 0, 160, 5);
    EXPECT_EQ(moves, std::vector<std::string>{"0:0>2"});
    EXPECT_EQ(f.grid.Columns().Positions(2), f.grid.Columns().Item(0));
    EXPECT_FALSE(f.grid.Columns().Item(0)->Sorted());  // a drag is no click

    f.grid.SetOptions(goHeader | goCanHideColumn);
    f.grid.MouseDown(gmbLeft, 0, 20, 5);
    f.grid.MouseMove(0, 20, 120);
    f.grid.MouseUp(gmbLeft, 0, 20, 120);  // dropped outside the header
    EXPECT_FALSE(f.grid.Columns().Item(1)->Visible());
}

TEST(CustomGridTest, ColumnDragShowsTheBoxAndTheArrows) {
    // Three columns of 60 at 0, 60 and 120; the header is 18 high.
    TGridFixture f(3, 1);
    f.grid.MouseDown(gmbLeft, 0, 20, 5);
    f.grid.MouseMove(0, 22, 5);
    EXPECT_EQ(f.grid.ColumnDragBox(), TRect{});
    f.grid.MouseMove(0, 160, 6);  // over the right half of the third column
    // Centred on the mouse, its bottom 4 pixels below it.
    EXPECT_EQ(f.grid.ColumnDragBox(), (TRect{130, 6 + 4 - 18, 190, 10}));
    EXPECT_EQ(f.grid.DropArrowX(), 180);  // moving right: the target's right edge
    f.grid.MouseMove(0, 70, 6);           // the left half of the second column
    EXPECT_EQ(f.grid.DropArrowX(), -1);   // its own place: no arrows
    f.grid.MouseMove(0, 100, 6);          // the right half of the second column
    EXPECT_EQ(f.grid.DropArrowX(), 120);
    f.grid.MouseMove(0, 100, 80);         // outside the header: no drop, no arrows
    EXPECT_EQ(f.grid.DropArrowX(), -1);
    EXPECT_EQ(f.window.Cursor, crColumnNoDrag);
    f.grid.MouseUp(gmbLeft, 0, 100, 80);
    EXPECT_EQ(f.grid.ColumnDragBox(), TRect{});

    // Moving left: the arrows stand at the target's left edge.
    f.grid.MouseDown(gmbLeft, 0, 150, 5);
    f.grid.MouseMove(0, 10, 5);
    EXPECT_EQ(f.grid.DropArrowX(), 0);
    f.grid.FocusChanged(false);  // losing the focus ends the drag
    EXPECT_EQ(f.grid.ColumnDragBox(), TRect{});
    EXPECT_FALSE(f.grid.MovingColumn());
}

TEST(CustomGridTest, NavigationKeys) {
    TGridFixture f(2, 40);
    f.grid.SetOptions(goHeader | goSelectFullRow | goMultiSelect);
    f.grid.UpdateVertScrollBar();
    f.grid.SetSelectedRow(0);
    EXPECT_TRUE(f.grid.KeyDown(gkDown, 0));
    EXPECT_EQ(f.grid.CurrentRow(), 1);
    f.grid.KeyDown(gkNext, 0);  // 11 rows fit: to the last fully shown row
    EXPECT_EQ(f.grid.CurrentRow(), 10);
    f.grid.KeyDown(gkNext, 0);
    EXPECT_EQ(f.grid.CurrentRow(), 21);
    EXPECT_EQ(f.grid.LastFullyVisibleRow(), 21);
    f.grid.KeyDown(gkPrior, 0);
    EXPECT_EQ(f.grid.CurrentRow(), f.grid.TopRow());
    f.grid.KeyDown(gkEnd, 0);
    EXPECT_EQ(f.grid.CurrentRow(), 39);
    f.grid.KeyDown(gkHome, 0);
    EXPECT_EQ(f.grid.CurrentRow(), 0);
    EXPECT_EQ(f.grid.VertBar.Position(), 0);
    f.grid.KeyDown(gkA, gsCtrl);
    EXPECT_EQ(f.grid.SelectedCount(), 40);
    EXPECT_FALSE(f.grid.KeyDown(gkA, 0));
    f.grid.SetOptions(f.grid.Options() | goDisableKeys);
    EXPECT_FALSE(f.grid.KeyDown(gkDown, 0));
}

TEST(CustomGridTest, Wheel) {
    TGridFixture f(2, 40);
    f.grid.UpdateVertScrollBar();
    f.grid.MouseWheel(-120, 0);
    EXPECT_EQ(f.grid.VertBar.Position(), 1);
    EXPECT_EQ(f.grid.TopRow(), 1);
    f.grid.MouseWheel(-120, gsCtrl);  // a page
    const int page = f.grid.VertBar.LargeChange;
    EXPECT_EQ(page, 12);
    EXPECT_EQ(f.grid.VertBar.Position(), 1 + page);
    f.grid.MouseWheel(120, 0);
    EXPECT_EQ(f.grid.TopRow(), page);
}

TEST(CustomGridTest, SearchColumn) {
    TGridFixture f(2, 5);
    const char16_t* names[] = {u"Apple", u"a", u"Banana", u"apricot", u"Hidden ap"};
    for (int r = 0; r < 5; ++r) f.grid.SetCellText(0, r, names[r]);
    f.grid.SetRowShown(4, false);
    struct Case { int selected; const char16_t* text; bool fromStart; int found; };
    const Case cases[] = {
        {-1, u"ap", false, 0},
        {0, u"ap", false, 3},   // after the selected row first
        {3, u"ap", false, 0},   // wraps to row 0
        {0, u"AP", true, 0},
        {0, u"ab", false, -1},  // "ab" does not match "a"
        {2, u"", false, 3},     // an empty text matches the next shown row
        {3, u"hid", false, -1}, // hidden rows are skipped
    };
    for (const Case& c : cases) {
        f.grid.SetSelectedRow(c.selected);
        bool found = f.grid.SearchColumn(0, c.text, c.fromStart);
        EXPECT_EQ(found, c.found >= 0) << c.selected;
        EXPECT_EQ(f.grid.CurrentRow(), c.found >= 0 ? c.found : c.selected) << c.selected;
    }
    EXPECT_FALSE(f.grid.SearchAllColumns(u"b"));
    EXPECT_EQ(f.grid.CurrentRow(), 2);
}

TEST(CustomGridTest, TypeToSearch) {
    TGridFixture f(1, 3);
    const char16_t* names[] = {u"alpha", u"beta", u"bravo"};
    for (int r = 0; r < 3; ++r) f.grid.SetCellText(0, r, names[r]);
    f.grid.Columns().Item(0)->SetOptions(f.grid.Columns().Item(0)->Options() | coSearchColumn);
    f.grid.KeyPress(u'b');
    f.window.Tick += 100;
    f.grid.KeyPress(u'r');
    EXPECT_EQ(f.grid.CurrentRow(), 2);
    f.window.Tick += 700;  // the buffer empties after 700 ms
    f.grid.KeyPress(u'a');
    EXPECT_EQ(f.grid.SearchBuffer(), u"a");
    EXPECT_EQ(f.grid.CurrentRow(), 0);
}

TEST(CustomGridTest, HintChoice) {
    // Columns of 60 pixels; text is 7 pixels a character: 7 characters fit
    // (49 + 5 <= 60), 8 do not.
    TGridFixture f(2, 3);
    f.grid.SetOptions(goHeader | goFooter);
    f.grid.SetCellText(0, 0, u"fits it");
    f.grid.SetCellText(0, 1, u"too long");
    f.grid.SetCellText(1, 1, u"too long");
    f.grid.Columns().Item(0)->Header.Hint = u"Name of it";
    f.grid.Columns().Item(1)->Footer.Hint = u"Total";
    f.grid.Columns().Item(1)->SetOptions(f.grid.Columns().Item(1)->Options() & ~coShowTextFitHint);
    f.grid.OnCellHint = [](TRgCustomGridControl*, int col, int row, std::u16string& text) {
        if (row == 1 || (col == 0 && row == 0)) text = u"own hint";
    };
    struct Case { const char* name; int x, y; THintKind kind; const char* text; TPoint at; int maxWidth; };
    const Case cases[] = {
        {"header with a hint", 10, 5, hkHeader, "Name of it", {0, 20}, 300},
        {"header without one", 70, 5, hkNone, "", {}, 0},
        {"footer", 70, 190, hkFooter, "Total", {60, 202}, 300},
        {"text that fits: the cell's own hint", 10, 18 + 3, hkCell, "own hint", {60, 18 - 20}, 250},
        {"text that does not fit", 10, 18 + 16 + 3, hkTextFit, "too long", {0, 34}, 300},
        {"no fit hint for the column: its own hint", 70, 18 + 16 + 3, hkCell, "own hint", {120, 34 - 20}, 250},
        {"neither", 70, 18 + 3, hkNone, "", {}, 0},
    };
    for (const Case& c : cases) {
        THintChoice h = f.grid.ChooseHint(c.x, c.y);
        EXPECT_EQ(h.Kind, c.kind) << c.name;
        if (c.kind == hkNone) continue;
        EXPECT_EQ(h.Text, Latin1ToUtf16(c.text)) << c.name;
        EXPECT_EQ(h.At, c.at) << c.name;
        EXPECT_EQ(h.MaxWidth, c.maxWidth) << c.name;
    }
    // OnApplyCell has the last say on the measured text.
    f.grid.OnApplyCell = [](TRgCustomGridControl*, int, int row, std::u16string& text) {
        if (row == 1) text = u"short";
    };
    EXPECT_EQ(f.grid.ChooseHint(10, 18 + 16 + 3).Kind, hkCell);
}

TEST(CustomGridTest, HintsShowOnceAndHide) {
    TGridFixture f(2, 3);
    f.grid.SetCellText(0, 1, u"too long");
    f.grid.SetCellText(0, 2, u"also too long");
    f.grid.Columns().Item(0)->Header.Hint = u"Name";
    auto& hints = f.window.Hints;
    f.grid.MouseMove(0, 10, 18 + 16 + 3);
    f.grid.MouseMove(0, 20, 18 + 16 + 5);  // the same cell: nothing new
    EXPECT_EQ(hints, (std::vector<std::string>{"show 0,34 300 too long"}));
    f.grid.MouseMove(0, 10, 18 + 32 + 3);  // the next cell replaces it
    EXPECT_EQ(hints.size(), 3u);
    EXPECT_EQ(hints[1], "hide");
    EXPECT_EQ(hints[2], "show 0,50 300 also too long");
    f.grid.MouseMove(0, 10, 18 + 3);  // a cell whose text fits, no hint of its own
    EXPECT_EQ(hints.back(), "hide");
    EXPECT_EQ(f.grid.ShownHint(), hkNone);

    // Without the application's hint setting, only a cell's whole text shows.
    hints.clear();
    f.window.AppShowsHints = false;
    f.grid.MouseMove(0, 10, 5);
    EXPECT_TRUE(hints.empty());
    f.grid.MouseMove(0, 10, 18 + 16 + 3);
    EXPECT_EQ(hints, (std::vector<std::string>{"show 0,34 300 too long"}));
    // A key, leaving the control and losing the focus each hide it.
    f.grid.KeyDown(gkDown, 0);
    EXPECT_EQ(hints.back(), "hide");
    f.grid.MouseMove(0, 10, 18 + 32 + 3);
    f.grid.MouseLeave();
    EXPECT_EQ(hints.back(), "hide");
    f.grid.MouseMove(0, 10, 18 + 32 + 3);
    f.grid.FocusChanged(false);
    EXPECT_EQ(hints.back(), "hide");
    // An inactive form shows nothing.
    hints.clear();
    f.window.FormActive = false;
    f.grid.MouseMove(0, 10, 18 + 16 + 3);
    EXPECT_TRUE(hints.empty());
}

TEST(CustomGridTest, RowMoveRules) {
    // Rows 0..5 with a small tree: 3 has the child 4.
    TGridFixture f(1, 4);
    f.FillTexts();
    f.grid.SetCellText(0, f.grid.AddChildRow(3), u"child");
    f.grid.AppendRows(1);
    struct Case { int from, to; bool allowed; const char* why; };
    const Case cases[] = {
        {0, 2, true, "down"},
        {2, 0, true, "up"},
        {1, 1, false, "the same row"},
        {0, 6, false, "past the last row"},
        {3, 0, false, "a row with children"},
        {4, 0, false, "a child row"},
        {0, 3, false, "down into a subtree"},
        {5, 4, false, "up into a subtree"},
        {5, 3, true, "up before a tree"},
        {0, 4, true, "down after a subtree"},
    };
    for (const Case& c : cases) EXPECT_EQ(f.grid.RowMoveAllowed(c.from, c.to), c.allowed) << c.why;
    f.grid.OnRowMove = [](TRgCustomGridControl*, int, int to, bool& accept) { accept = to != 2; };
    EXPECT_FALSE(f.grid.RowMoveAllowed(0, 2));
    EXPECT_TRUE(f.grid.RowMoveAllowed(0, 1));
}

TEST(CustomGridTest, RowMoveByDragging) {
    TGridFixture f(1, 5);
    f.FillTexts();
    f.grid.SetOptions(goHeader | goRowMoving);
    std::vector<std::string> log;
    f.grid.OnRowMove = [&](TRgCustomGridControl*, int from, int to, bool&) {
        log.push_back("ask " + std::to_string(from) + ">" + std::to_string(to));
    };
    f.grid.OnAfterRowMove = [&](TRgCustomGridControl*, int from, int to) {
        log.push_back("moved " + std::to_string(from) + ">" + std::to_string(to));
    };
    f.grid.OnSelectCell = [&](TRgCustomGridControl*, int, int row) { log.push_back("select " + std::to_string(row)); };
    // Rows are 16 high under an 18-pixel header.
    auto mid = [](int row) { return 18 + row * 16 + 8; };
    EXPECT_EQ(f.grid.RowDropAt(mid(1) - 2), 1);   // upper half: before the row
    EXPECT_EQ(f.grid.RowDropAt(mid(1) + 2), 2);   // lower half: after it
    EXPECT_EQ(f.grid.RowDropAt(18 + 5 * 16 + 3), 5);  // below the last row
    EXPECT_EQ(f.grid.RowDropAt(5), -1);           // the header

    f.grid.MouseDown(gmbLeft, 0, 10, mid(0));
    log.clear();
    f.grid.MouseMove(0, 10, mid(0) + 4);  // within 5 pixels: no move yet
    EXPECT_FALSE(f.grid.MovingRow());
    f.grid.MouseMove(0, 10, mid(3) + 3);
    EXPECT_TRUE(f.grid.MovingRow());
    EXPECT_EQ(f.window.Cursor, crRowDrag);
    EXPECT_EQ(f.grid.DropRow(), 4);
    EXPECT_EQ(f.grid.RowMoveMarkerY(), 18 + 4 * 16);
    // The marker is painted at the drop row's top.
    TRecordingCanvas canvas(300, 200);
    f.grid.Paint(canvas, TRect{0, 0, 300, 200});
    EXPECT_EQ(canvas.Pixel(30, 18 + 4 * 16), 0x0000FFu);
    EXPECT_EQ(canvas.Pixel(30, 18 + 4 * 16 - 1), 0x0000FFu);
    EXPECT_EQ(canvas.Pixel(30, 18 + 4 * 16 + 2), ColorToRGBValue(clWindow));
    f.grid.MouseUp(gmbLeft, 0, 10, mid(3) + 3);
    // Dropped below row 3: the row becomes row 3.
    EXPECT_EQ(log, (std::vector<std::string>{"ask 0>3", "moved 0>3", "select 3"}));
    EXPECT_EQ(f.grid.GetCellText(0, 3), u"a0");
    EXPECT_EQ(f.grid.GetSelectedRow(), 3);
    EXPECT_FALSE(f.grid.MovingRow());
    EXPECT_EQ(f.grid.RowMoveMarkerY(), -1);

    // Released outside the rows: nothing moves.
    log.clear();
    f.grid.MouseDown(gmbLeft, 0, 10, mid(1));
    f.grid.MouseMove(0, 10, 5);
    f.grid.MouseUp(gmbLeft, 0, 10, 5);
    EXPECT_EQ(f.grid.GetCellText(0, 1), u"a2");
    // Without goRowMoving a drag moves nothing.
    f.grid.SetOptions(goHeader);
    f.grid.MouseDown(gmbLeft, 0, 10, mid(1));
    f.grid.MouseMove(0, 10, mid(4));
    EXPECT_FALSE(f.grid.MovingRow());
    f.grid.MouseUp(gmbLeft, 0, 10, mid(4));
    EXPECT_EQ(f.grid.GetCellText(0, 1), u"a2");
}

// Measures word-wrapped text as lines of the rectangle's width.
class TWrappingCanvas : public TRecordingCanvas {
public:
    TWrappingCanvas() : TRecordingCanvas(1, 1) {}
    TRect CalcTextRect(std::u16string_view text, const TRect& r, unsigned flags) override {
        int width = CharWidth * static_cast<int>(text.size());
        int lines = (flags & tfWordBreak) && r.Width() > 0 ? std::max(1, (width + r.Width() - 1) / r.Width()) : 1;
        return TRect{r.Left, r.Top, r.Left + std::min(width, r.Width()), r.Top + lines * CharHeight};
    }
};

TEST(CustomGridTest, RowAutoHeightFromItsCells) {
    TGridFixture f(2, 3);
    TWrappingCanvas measure;
    f.window.MeasureCanvas = &measure;
    f.grid.SetOptions(goHeader | goIndicator | goRowResizing);
    auto* wrap = static_cast<TRgTextColumn*>(f.grid.Columns().Item(1));
    wrap->WrapKind = wkWordWrap;
    f.grid.SetCellText(0, 0, u"one line");
    f.grid.SetCellText(1, 1, u"aaa bbb ccc ddd eee");  // 60 pixels wide: wraps to several lines
    EXPECT_EQ(f.grid.RowAutoHeight(0, measure), 16);  // never below RowSize
    int tall = f.grid.RowAutoHeight(1, measure);
    EXPECT_GE(tall, 3 * measure.CharHeight);
    // A double click on the row's border in the indicator sets it.
    int border = f.grid.GetRowTop(1) + f.grid.GetRowHeight(1) - 1;
    f.grid.MouseDown(gmbLeft, 0, 5, border, true);
    EXPECT_EQ(f.grid.GetRowHeight(1), tall);
    EXPECT_EQ(f.grid.ResizingRow(), -1);
}

}  // namespace
}  // namespace ad::grid
