// A report grid in a pretend window for the grid's portable tests: the window
// records invalidated rectangles and scrolled areas, the scroll bars count
// what they push to it, and events are logged as text.
#pragma once

#include <string>
#include <vector>

#include "grid/RecordingCanvas.h"
#include "grid/ReportGrid.h"

namespace ad::grid::gridtest {

class TFakeWindow : public IGridWindow, public IScrollHost {
public:
    // IGridWindow
    bool HandleAllocated() const override { return true; }
    TSize ClientSize() const override { return Size; }
    void InvalidateRect(const TRect& r) override { Invalidated.push_back(r); }
    void ScrollArea(int dx, int dy, const TRect& area) override { Scrolled.push_back({dx, dy, area}); }
    bool Focused() const override { return HasFocus; }
    bool Enabled() const override { return true; }
    bool VisualStyles() const override { return Themed; }
    IHeaderTheme* HeaderTheme() override { return nullptr; }
    int VertScrollBarWidth() const override { return 16; }
    void FocusNextControl(bool forward) override { FocusMoves.push_back(forward); }
    void BorderChanged() override { ++BorderChanges; }
    void RepaintBorder() override { ++BorderRepaints; }
    std::uint32_t TickCount() const override { return Tick; }
    void SetMouseCapture(bool capture) override { Captured = capture; }
    void InvertVertLine(int x) override { InvertedLines.push_back(x); }
    void InvertHorzLine(int y) override { InvertedRowLines.push_back(y); }
    void SetCursorShape(int shape) override { Cursor = shape; }
    void MeasureWith(const std::function<void(ICanvas&)>& use) override {
        TRecordingCanvas canvas(1, 1);
        use(MeasureCanvas ? *MeasureCanvas : canvas);
    }
    void FocusGrid() override { ++GridFocusCalls; }
    bool HintAllowed(bool textFit) const override { return FormActive && (textFit || AppShowsHints); }
    void ShowHint(const TPoint& at, int maxWidth, const std::u16string& text) override {
        std::string ascii;
        for (char16_t ch : text) ascii.push_back(static_cast<char>(ch));
        Hints.push_back("show " + std::to_string(at.X) + "," + std::to_string(at.Y) + " " + std::to_string(maxWidth) +
                        " " + ascii);
    }
    void HideHint() override { Hints.push_back("hide"); }
    std::unique_ptr<IGridEditor> CreateEditor(TRgCustomColumn& column) override {
        return MakeEditor ? MakeEditor(column) : nullptr;
    }

    // IScrollHost
    bool HostHandleAllocated() override { return true; }
    bool HostEnabled() override { return true; }
    void HostSetScrollInfo(int, int, int, int, int, bool) override { ++ScrollInfoCalls; }
    int HostGetTrackPos(int) override { return 0; }
    void HostShowScrollBar(int, bool) override {}
    void HostEnableArrows(int, bool) override {}
    void HostSendScroll(TScrollBarKind, int) override {}
    int GetHorzScrollDelta(int oldPos, int newPos) override { return Grid ? Grid->GetHorzScrollDelta(oldPos, newPos) : 0; }
    int GetVertScrollDelta(int oldPos, int newPos) override { return Grid ? Grid->GetVertScrollDelta(oldPos, newPos) : 0; }
    void ScrollContent(TRgCustomScrollBar*, int dx, int dy) override { Scrolled.push_back({dx, dy, {}}); }
    void BarScrolled(TRgCustomScrollBar*) override {}

    struct TScroll {
        int DX, DY;
        TRect Area;
    };
    TSize Size{300, 200};
    bool HasFocus = true;
    bool Themed = false;
    // The canvas measuring uses (a recording one when none is given).
    ICanvas* MeasureCanvas = nullptr;
    bool FormActive = true, AppShowsHints = true;
    std::vector<std::string> Hints;
    std::uint32_t Tick = 1000;
    bool Captured = false;
    int Cursor = 0;
    int BorderChanges = 0;
    int BorderRepaints = 0;
    int ScrollInfoCalls = 0;
    int GridFocusCalls = 0;
    // The columns' own editors, when a test gives them.
    std::function<std::unique_ptr<IGridEditor>(TRgCustomColumn&)> MakeEditor;
    std::vector<TRect> Invalidated;
    std::vector<TScroll> Scrolled;
    std::vector<bool> FocusMoves;
    std::vector<int> InvertedLines;
    std::vector<int> InvertedRowLines;
    TRgCustomGridControl* Grid = nullptr;
};

// A grid of text columns "A", "B", ... of width 60 in a 300 x 200 window.
struct TGridFixture {
    explicit TGridFixture(int columns = 2, int rows = 0) : horz(&window), vert(&window), grid(window, horz, vert) {
        horz.SetKind(sbHorizontal);
        vert.SetKind(sbVertical);
        window.Grid = &grid;
        for (int c = 0; c < columns; ++c) {
            auto* column = grid.Columns().AddNew<TRgTextColumn>();
            column->Header.SetCaption(std::u16string(1, static_cast<char16_t>(u'A' + c)));
            column->SetWidth(60);
        }
        if (rows > 0) grid.AddRow(rows);
        window.Invalidated.clear();
        window.Scrolled.clear();
    }
    // Row r's text in column c: the letter of the column and the row number.
    void FillTexts() {
        for (int r = 0; r < grid.RowCount(); ++r)
            for (int c = 0; c < grid.Columns().Count(); ++c)
                grid.SetCellText(c, r, std::u16string(1, static_cast<char16_t>(u'a' + c)) + Latin1ToUtf16(std::to_string(r)));
    }
    std::vector<int> SelectedRows() const {
        std::vector<int> out;
        for (int r = 0; r < grid.RowCount(); ++r)
            if (grid.IsRowSelected(r)) out.push_back(r);
        return out;
    }

    TFakeWindow window;
    TRgScrollBar horz, vert;
    TReportGrid grid;
};

}  // namespace ad::grid::gridtest
