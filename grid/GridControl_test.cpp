// The grid core: defaults, line widths, areas, scroll ranges and the update
// counter; and painting onto a recording canvas.
#include "grid/GridControl.h"

#include <gtest/gtest.h>

#include <map>

#include "grid/DrawRoutines.h"
#include "grid/GridTestFixture.h"
#include "grid/RecordingCanvas.h"

namespace ad::grid {
namespace {

using gridtest::TGridFixture;

TEST(GridControlTest, Defaults) {
    TGridFixture f(0);
    TReportGrid& g = f.grid;
    EXPECT_EQ(g.RowSize(), 16);
    EXPECT_EQ(g.HeaderSize(), 18);
    EXPECT_EQ(g.FooterSize(), 18);
    EXPECT_EQ(g.InputSize(), 16);
    EXPECT_EQ(g.Options(), TGridOptions(goHeader));
    EXPECT_EQ(g.AppearanceOptions(), TAppearanceOptions(aoHideSelection | aoHighlightSlideCells));
    EXPECT_EQ(g.BorderStyle(), bsSingle);
    EXPECT_EQ(g.HeaderStyle(), hsAuto);
    EXPECT_EQ(g.SlideSize(), 80);
    EXPECT_EQ(g.Color(), clWindow);
    EXPECT_EQ(g.CurrentCol(), 0);
    EXPECT_EQ(g.CurrentRow(), -1);
    EXPECT_EQ(g.AnchorRow(), -1);
    EXPECT_EQ(g.GetSelectedRow(), -1);
    g.SetVersion("1.0");
    EXPECT_EQ(g.Version(), "5.9.65");
    g.SetRowSize(0);
    g.SetRowSize(-4);
    EXPECT_EQ(g.RowSize(), 16);
    g.SetRowSize(20);
    EXPECT_EQ(g.RowSize(), 20);
    EXPECT_EQ(g.Cells().DefaultRowHeight, 20);
    g.SetBorderStyle(bsNone);
    EXPECT_EQ(f.window.BorderChanges, 1);
}

TEST(GridControlTest, HeaderStyleRepaintsTheBorderOnlyWhenItsLookChanges) {
    TGridFixture f(1);
    TReportGrid& g = f.grid;
    f.window.Themed = true;
    struct Step { const char* name; void (*change)(TReportGrid&); TGridBorderLook look; int repaints; };
    const Step steps[] = {
        {"the same style again", [](TReportGrid& g) { g.SetHeaderStyle(hsAuto); }, blThemed, 0},
        {"another style with the same border", [](TReportGrid& g) { g.SetHeaderStyle(hsVista); }, blThemed, 0},
        {"an Office style", [](TReportGrid& g) { g.SetHeaderStyle(hsOffice2010); }, blOfficeFrame, 1},
        {"the other Office style", [](TReportGrid& g) { g.SetHeaderStyle(hsOffice2007); }, blOfficeFrame, 1},
        {"an out-of-range style", [](TReportGrid& g) { g.SetHeaderStyle(static_cast<THeaderStyle>(9)); },
         blOfficeFrame, 1},
        {"back to the themed border", [](TReportGrid& g) { g.SetHeaderStyle(hsFlatBorders); }, blThemed, 2},
        {"visual styles off", [](TReportGrid& g) { g.SetEnableVisualStyles(false); }, blEdge, 3},
        {"appearance options", [](TReportGrid& g) { g.SetAppearanceOptions(aoHintMarks); }, blEdge, 3},
        {"no border", [](TReportGrid& g) { g.SetBorderStyle(bsNone); }, blNone, 3},
        {"no border in an Office style", [](TReportGrid& g) { g.SetHeaderStyle(hsOffice2010); }, blNone, 3},
    };
    for (const Step& s : steps) {
        s.change(g);
        EXPECT_EQ(g.BorderLook(), s.look) << s.name;
        EXPECT_EQ(f.window.BorderRepaints, s.repaints) << s.name;
    }
    // Only the border style itself re-creates the window.
    EXPECT_EQ(f.window.BorderChanges, 1);
    EXPECT_EQ(g.HeaderStyle(), hsOffice2010);
}

TEST(GridControlTest, LineWidths) {
    struct Case { TGridOptions options; TGridLinesStyle style; TAppearanceOptions ao; TGridLineWidths expected; };
    const Case cases[] = {
        {goHeader, lsNormal, ao3DGridLines, {0, 0, 0, 0, 0}},
        {goGrid, lsNormal, 0, {0, 0, 1, 1, 1}},
        {goGrid, lsNormal, ao3DGridLines, {1, 1, 1, 1, 2}},
        {goGrid, lsVerticalOnly, ao3DGridLines, {1, 0, 1, 0, 0}},
        {goGrid, lsHorizontalOnly, ao3DGridLines, {0, 1, 0, 1, 2}},
        {goGrid, lsActiveHorzOnly, 0, {0, 0, 0, 1, 1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComputeLineWidths(c.options, c.style, c.ao), c.expected) << c.options << " " << int(c.style);
}

TEST(GridControlTest, Areas) {
    TGridFixture f(2);  // 120 pixels of columns in a 300 x 200 client
    TReportGrid& g = f.grid;
    struct Case { TGridOptions options; TRect rows; TRect footer; int horzRange; };
    const Case cases[] = {
        {goHeader, {0, 18, 120, 200}, {}, 0},
        {0, {0, 0, 120, 200}, {}, 0},
        {goHeader | goIndicator, {12, 18, 132, 200}, {}, 0},
        {goHeader | goGrid | goInput, {0, 18 + 16 + 6 + 1, 120, 200}, {}, 0},
        {goHeader | goFooter, {0, 18, 120, 200 - 18 - 4}, {0, 178, 120, 200}, 0},
    };
    for (const Case& c : cases) {
        g.SetOptions(c.options);
        EXPECT_EQ(g.GetRowsRect(), c.rows) << c.options;
        if (c.options & goFooter) {
            EXPECT_EQ(g.GetFooterRect(), c.footer);
        }
    }
    // Wider columns than the client: the range counts the indicator's 12 pixels.
    g.Columns().Item(0)->SetWidth(290);
    g.SetOptions(goHeader);
    EXPECT_EQ(g.GetHorzScrollRange(), 50);
    g.SetOptions(goHeader | goIndicator);
    EXPECT_EQ(g.GetHorzScrollRange(), 62);
    EXPECT_EQ(g.GetRowsRect().Right, 300);  // limited to the client
}

TEST(GridControlTest, RowAndCellRects) {
    TGridFixture f(2, 5);
    TReportGrid& g = f.grid;
    g.SetOptions(goHeader | goGrid);
    g.SetAppearanceOptions(ao3DGridLines);
    // Rows are 16 high with 2 pixels of lines: row 2's top is 18 + 1 + 2 * 18.
    EXPECT_EQ(g.GetRowTop(2), 55);
    TRect cell;
    ASSERT_TRUE(g.GetCellRect(1, 2, cell));
    EXPECT_EQ(cell, (TRect{60, 55, 120, 71}));
    g.SetRowShown(1, false);
    EXPECT_EQ(g.GetRowTop(2), 37);
    EXPECT_EQ(g.GetRowTop(7), 37 + 5 * 18);  // rows 5 and 6 lie past the last row: RowSize each
    EXPECT_FALSE(g.GetCellRect(2, 0, cell));
}

TEST(GridControlTest, UpdateCounter) {
    TGridFixture f(2, 3);
    TReportGrid& g = f.grid;
    g.EndUpdate(true);  // at 0 it still repaints and updates the bars
    EXPECT_EQ(g.UpdateCount(), 0);
    ASSERT_EQ(f.window.Invalidated.size(), 1u);
    EXPECT_EQ(f.window.Invalidated[0], (TRect{0, 0, 300, 200}));
    f.window.Invalidated.clear();
    g.BeginUpdate();
    g.BeginUpdate();
    g.EndUpdate(true);
    EXPECT_EQ(g.UpdateCount(), 1);
    g.SetCellText(0, 0, u"x");
    g.AddRow(2);
    g.SetRowSize(30);
    EXPECT_TRUE(f.window.Invalidated.empty());
    g.EndUpdate(false);
    EXPECT_TRUE(f.window.Invalidated.empty());
}

// Bulk loads into a grid must not push the same scroll information again
// and again: each push costs milliseconds in a real window.
TEST(GridControlTest, ScrollInformationOnlyWhenItChanges) {
    TGridFixture f(2);
    TReportGrid& g = f.grid;
    int before = f.window.ScrollInfoCalls;
    g.BeginUpdate();
    for (int k = 0; k < 1000; ++k) g.AddRow(1);
    g.EndUpdate(true);
    EXPECT_LE(f.window.ScrollInfoCalls - before, 4);
    before = f.window.ScrollInfoCalls;
    g.UpdateVertScrollBar();
    g.UpdateHorzScrollBar();
    EXPECT_EQ(f.window.ScrollInfoCalls, before);
    // 1000 rows of 16 in 182 pixels: 11 fit, the bar's page is 12.
    EXPECT_EQ(g.VertBar.Max(), 1000);
    EXPECT_EQ(g.VertBar.PageSize(), 12);
}

TEST(GridControlTest, VerticalScrollMovesTheTopRow) {
    TGridFixture f(2, 50);
    TReportGrid& g = f.grid;
    g.SetRowShown(3, false);
    f.window.Scrolled.clear();
    g.VertBar.SetPosition(5);  // five shown rows: 0, 1, 2, 4, 5
    EXPECT_EQ(g.TopRow(), 6);
    ASSERT_EQ(f.window.Scrolled.size(), 1u);
    EXPECT_EQ(f.window.Scrolled[0].DY, -5 * 16);
    g.ScrollToRow(1);
    EXPECT_EQ(g.TopRow(), 1);
    g.ScrollToRow(30);  // 11 rows fit: 30 ends up as the last fully visible row
    EXPECT_EQ(g.LastFullyVisibleRow(), 30);
}

// --- painting

struct TPaintFixture : TGridFixture {
    TPaintFixture() : TGridFixture(2, 3) {
        grid.SetOptions(goHeader | goGrid | goSelectFullRow);
        FillTexts();
    }
    TRecordingCanvas& Paint() {
        canvas = std::make_unique<TRecordingCanvas>(300, 200);
        grid.Paint(*canvas, TRect{0, 0, 300, 200});
        return *canvas;
    }
    std::unique_ptr<TRecordingCanvas> canvas;
};

TEST(GridPaintTest, CountsAsSelected) {
    // Full-row selection: a selected row's cells count unless the cell is the
    // current one with aoIndicateSelectedCell, the grid is unfocused with
    // aoHideSelection, or the column never highlights.
    struct Case { bool fullRow, indicateCell, focused, hideSelection, dontHighlight; int col, row; bool expected; };
    const Case cases[] = {
        {true, false, true, true, false, 0, 1, true},
        {true, false, true, true, false, 1, 1, true},
        {true, true, true, true, false, 0, 1, false},   // the current cell inside the row
        {true, true, true, true, false, 1, 1, true},
        {true, false, false, true, false, 1, 1, false},
        {true, false, false, false, false, 1, 1, true},
        {true, false, true, true, true, 1, 1, false},
        {true, false, true, true, false, 1, 2, false},  // not a selected row
        {false, false, true, true, false, 0, 1, true},  // cell selection: the current cell only
        {false, false, true, true, false, 1, 1, false},
    };
    for (const Case& c : cases) {
        TGridFixture f(2, 3);
        f.window.HasFocus = c.focused;
        f.grid.SetOptions(goHeader | (c.fullRow ? TGridOptions(goSelectFullRow) : TGridOptions(0)));
        f.grid.SetAppearanceOptions(TAppearanceOptions((c.indicateCell ? unsigned(aoIndicateSelectedCell) : 0u) | (c.hideSelection ? unsigned(aoHideSelection) : 0u)));
        if (c.dontHighlight) f.grid.Columns().Item(1)->SetOptions(f.grid.Columns().Item(1)->Options() | coDontHighlight);
        f.grid.SelectCell(0, 1, false, true, 0);
        EXPECT_EQ(f.grid.CountsAsSelected(c.col, c.row), c.expected)
            << c.fullRow << c.indicateCell << c.focused << c.hideSelection << c.dontHighlight << " " << c.col << c.row;
    }
}

TEST(GridPaintTest, SelectionAndSortedColours) {
    TPaintFixture f;
    f.grid.SetSelectedRow(1);
    TRecordingCanvas& c = f.Paint();
    // Row 1 lies at 18 + 17: a pixel away from the text is the selection colour.
    EXPECT_EQ(c.Pixel(55, 40), ColorToRGBValue(clHighlight));
    EXPECT_EQ(c.Pixel(55, 22), ColorToRGBValue(clWindow));
    EXPECT_EQ(c.Pixel(59, 22), ColorToRGBValue(clBtnFace));  // right - 1: the grid line
    f.window.HasFocus = false;
    f.grid.SetAppearanceOptions(0);
    EXPECT_EQ(f.Paint().Pixel(55, 40), ColorToRGBValue(clBtnFace));  // InactiveSelectionColor
    f.grid.SetInactiveSelectionColor(0x00AA00);
    EXPECT_EQ(f.Paint().Pixel(55, 40), 0x00AA00u);

    f.grid.SetSortedStyle(soWhite);
    f.grid.Columns().Item(1)->SetColor(0x123456);
    f.grid.Columns().Item(1)->ParentCellColor = true;
    f.grid.Columns().Item(1)->SetSorted(true);
    TRecordingCanvas& sorted = f.Paint();
    EXPECT_EQ(sorted.Pixel(100, 22), clWhite);
    EXPECT_EQ(sorted.Pixel(30, 22), ColorToRGBValue(clWindow));
    f.grid.SetSortedStyle(soDarker);
    EXPECT_EQ(f.Paint().Pixel(100, 22), DarkenColor(0x123456, 10));
    EXPECT_EQ(DarkenColor(0x050A14, 10), 0x00000Au);  // no channel below 0
}

TEST(GridPaintTest, EmptyRowsFillTheAreaAndCaptionShowsWithoutRows) {
    TGridFixture f(2);
    f.grid.SetOptions(goHeader | goGrid | goIndicator);
    f.grid.SetCaption(u"Nothing here");
    TRecordingCanvas c(300, 200);
    f.grid.Paint(c, TRect{0, 0, 300, 200});
    auto texts = c.CallsOf("DrawText");
    auto caption = std::find_if(texts.begin(), texts.end(), [](auto* t) { return t->Text == u"Nothing here"; });
    ASSERT_NE(caption, texts.end());
    EXPECT_EQ((*caption)->Rect.Top, 18 + 4);
    // Empty cells and indicator cells down to the bottom of the rows area.
    EXPECT_EQ(c.Pixel(71, 196), ColorToRGBValue(clBtnFace));  // the last grid line: right - 1 of column 0 is 71
    EXPECT_EQ(c.Pixel(5, 190), ColorToRGBValue(clBtnFace));   // an indicator cell

    f.grid.AddRow(1);
    TRecordingCanvas one(300, 200);
    f.grid.Paint(one, TRect{0, 0, 300, 200});
    for (auto* t : one.CallsOf("DrawText")) EXPECT_NE(t->Text, u"Nothing here");
}

TEST(GridPaintTest, HiddenRowsAndFixedColumns) {
    TPaintFixture f;
    f.grid.SetRowShown(1, false);
    std::vector<std::u16string> texts;
    for (auto* t : f.Paint().CallsOf("DrawText")) texts.push_back(t->Text);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), u"a1"), 0);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), u"a2"), 1);

    // A fixed column keeps its place when the grid scrolls sideways.
    f.grid.Columns().Item(1)->SetWidth(400);
    f.grid.SetFixedCols(1);
    f.grid.UpdateHorzScrollBar();
    f.grid.HorzBar.SetPosition(30);
    TRect fixed, scrolled;
    f.grid.GetCellRect(0, 0, fixed);
    f.grid.GetCellRect(1, 0, scrolled);
    EXPECT_EQ(fixed.Left, 0);
    EXPECT_EQ(scrolled.Left, 30);
}

TEST(GridPaintTest, CustomDrawingEvents) {
    TPaintFixture f;
    int backgrounds = 0, custom = 0;
    f.grid.OnDrawCellBackground = [&](TRgCustomGridControl*, int, int row, const TRect&, TCellState, bool& def) {
        ++backgrounds;
        if (row == 0) def = false;
    };
    f.grid.OnCustomDrawCell = [&](TRgCustomGridControl*, int, int, const TRect&, TCellState) { ++custom; };
    f.grid.Columns().Item(0)->SetDrawingOptions(doCustom);
    f.grid.OnMeasuringRowHeight = [](TRgCustomGridControl*, int, int& h) { h = -5; };  // clamped to 0
    TRecordingCanvas& c = f.Paint();
    EXPECT_GT(backgrounds, 0);
    EXPECT_EQ(custom, 3);
    (void)c;
}

TEST(GridPaintTest, SlidesView) {
    TGridFixture f(2, 5);
    f.FillTexts();
    TReportGrid& g = f.grid;
    g.SetOptions(goHeader | goGrid);
    g.SetGridStyle(gsSlides);
    g.SetSlideSize(60);
    TRgCustomColumn* a = g.Columns().Item(0);
    TRgCustomColumn* b = g.Columns().Item(1);
    b->SlideBounds.SetLeft(120);
    b->SlideBounds.SetTop(30);
    a->SlideCaption = "Name";
    a->SlideCaptionLocation = clTop;
    b->SlideCaption = "Path";
    b->SlideCaptionLocation = clLeft;
    // Slides under the 18-pixel header, 60 high plus the 1-pixel grid line.
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(g.GetRowRect(r), (TRect{0, 18 + r * 61, 300, 18 + r * 61 + 61})) << r;
        TRect cell;
        ASSERT_TRUE(g.GetCellRect(1, r, cell));
        EXPECT_EQ(cell, (TRect{120, 18 + r * 61 + 30, 200, 18 + r * 61 + 46})) << r;
    }
    g.SelectCell(0, 1, false, true, 0);
    std::vector<std::string> coloring;
    g.OnSlideColoring = [&](TRgCustomGridControl*, int index, TColor& color, TColor&, TSlideState state) {
        coloring.push_back(std::to_string(index) + ":" + std::to_string(state));
        if (index == 2) color = 0x00AA00;
    };
    TRecordingCanvas canvas(300, 200);
    g.Paint(canvas, TRect{0, 0, 300, 200});
    // Rows 0 to 2 fit (the third only partly); the current one is framed.
    EXPECT_EQ(coloring, (std::vector<std::string>{"0:0", "1:3", "2:0"}));
    EXPECT_EQ(canvas.Pixel(250, 18 + 2 * 61 + 5), 0x00AA00u);
    EXPECT_EQ(canvas.Pixel(250, 18 + 60), ColorToRGBValue(clBtnFace));  // the grid line below slide 0
    std::map<std::u16string, TRect> texts;
    for (auto* t : canvas.CallsOf("DrawText")) texts.emplace(t->Text, t->Rect);  // the first slide's
    // Cell texts inside their slide bounds, labels beside them.
    ASSERT_TRUE(texts.count(u"b1"));
    EXPECT_GE(texts[u"b1"].Left, 120);
    EXPECT_EQ(texts[u"b1"].Top, 18 + 61 + 30);
    ASSERT_TRUE(texts.count(u"Name"));
    EXPECT_EQ(texts[u"Name"], (TRect{10, 18 + 8 - 2 - 13, 10 + 28, 18 + 8 - 2}));
    ASSERT_TRUE(texts.count(u"Path"));
    EXPECT_EQ(texts[u"Path"].Right, 118);
    int frames = 0;
    for (auto* fr : canvas.CallsOf("FrameRect"))
        if (fr->Rect == TRect{2, 18 + 61 + 1, 298, 18 + 61 + 59} || fr->Rect == TRect{3, 18 + 61 + 2, 297, 18 + 61 + 58})
            ++frames;
    EXPECT_EQ(frames, 2);
    // The slides view's cells answer clicks at their slide bounds.
    int col = -1, row = -1;
    EXPECT_TRUE(g.CellAt(125, 18 + 2 * 61 + 35, col, row));
    EXPECT_EQ(col, 1);
    EXPECT_EQ(row, 2);
}

}  // namespace
}  // namespace ad::grid
