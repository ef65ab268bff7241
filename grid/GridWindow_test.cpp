// The report grid in a real window: border style, scroll bars, header
// clicks, mouse selection with modifiers, keys, the wheel, invalidation, and
// pixels painted into a memory DC. With AD_GRID_SHOTS set to a folder, the
// painted grids are also saved there as bitmaps to look at.
#include "grid/GridWindow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>

#include "framework/Forms.h"
#include "framework/Handles.h"
#include "grid/DrawRoutines.h"
#include "grid/GdiCanvas.h"
#include "testsupport/GuiTest.h"

namespace ad::grid {
namespace {

// A round glyph of radius 5 in a 12 x 12 image, outside it the key colour.
TBitmap32 Disc(std::uint32_t rgb) {
    TBitmap32 image(12, 12);
    TImageView32 v = image.View();
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            bool in = std::hypot(x - 5.5, y - 5.5) <= 5.2;
            std::uint32_t px = in ? (0xFF000000u | rgb) : 0xFFFF00FFu;
            std::memcpy(v.Pixel(x, y), &px, 4);
        }
    return image;
}

class GridWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(40, 40, 480, 320);
        grid = new TReportGridWindow(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(8, 8, 440, 260);
        TReportGrid& g = grid->Grid;
        auto* name = g.Columns().AddNew<TRgTextColumn>();
        name->Header.SetCaption(u"Program");
        name->SetWidth(160);
        auto* size = g.Columns().AddNew<TRgNumberColumn>();
        size->Header.SetCaption(u"Size");
        size->SetWidth(90);
        size->SetFormatMask("#,##0");
        size->SortType = stNumeric;
        auto* rate = g.Columns().AddNew<TRgRateColumn>();
        rate->Header.SetCaption(u"Rating");
        rate->SetWidth(100);
        rate->SetGlyph(Disc(0xFFC000));
        rate->SetEmptyGlyph(Disc(0xD0D0D0));
        rate->SetTransparent(true);
        rate->SetOptions(rate->Options() | coEditing);
        g.SetOptions(goHeader | goGrid | goSelectFullRow | goMultiSelect);
        const char16_t* names[] = {u"Notepad", u"Calculator", u"Paint", u"Browser", u"Terminal", u"Archive"};
        const char16_t* sizes[] = {u"2048", u"512", u"65536", u"1048576", u"128", u"4096"};
        g.BeginUpdate();
        for (int r = 0; r < 6; ++r) {
            int row = g.AddRow(1);
            g.SetCellText(0, row, names[r]);
            g.SetCellText(1, row, sizes[r]);
            g.SetCellText(2, row, Latin1ToUtf16(std::to_string(r % 6)));
        }
        g.EndUpdate(true);
        form->Show();
        wnd = grid->Handle();
        test::PumpPending();
    }
    void TearDown() override { form.reset(); }

    void Send(UINT msg, WPARAM wp, int x, int y) { ::SendMessageW(wnd, msg, wp, MAKELPARAM(x, y)); }
    void Click(int x, int y, WPARAM keys = 0) {
        Send(WM_LBUTTONDOWN, MK_LBUTTON | keys, x, y);
        Send(WM_LBUTTONUP, keys, x, y);
    }
    // Row r's middle, in client coordinates (rows of 16 plus a line under 18 of header).
    int RowY(int r) { return grid->Grid.GetRowTop(r) + 8; }

    // The client area painted into a memory bitmap; pixels as 0x00BBGGRR.
    struct TShot {
        int Width = 0, Height = 0;
        std::vector<std::uint32_t> Pixels;
        TColor At(int x, int y) const {
            std::uint32_t p = Pixels[static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)];
            return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
        }
    };
    TShot Shoot(const char* name = nullptr) {
        TSize size = grid->ClientSize();
        TShot shot{size.cx, size.cy, {}};
        DibSection32 bitmap(size.cx, size.cy);
        HDC screen = ::GetDC(nullptr);
        OwnedMemoryDC dc(::CreateCompatibleDC(screen));
        ::ReleaseDC(nullptr, screen);
        {
            SelectObjectScope select(dc.Get(), bitmap.Get());
            SelectObjectScope font(dc.Get(), ::GetStockObject(DEFAULT_GUI_FONT));
            grid->PaintTo(dc.Get());
            ::GdiFlush();
        }
        shot.Pixels.assign(bitmap.Bits(), bitmap.Bits() + bitmap.PixelCount());
        if (const char* folder = std::getenv("AD_GRID_SHOTS"); folder && name) SaveBmp(shot, std::string(folder) + "/" + name + ".bmp");
        return shot;
    }
    static void SaveBmp(const TShot& shot, const std::string& file) {
        BITMAPFILEHEADER fh{};
        BITMAPINFOHEADER ih{};
        ih.biSize = sizeof(ih);
        ih.biWidth = shot.Width;
        ih.biHeight = -shot.Height;
        ih.biPlanes = 1;
        ih.biBitCount = 32;
        DWORD bytes = static_cast<DWORD>(shot.Pixels.size() * 4);
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof(fh) + sizeof(ih);
        fh.bfSize = fh.bfOffBits + bytes;
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(&fh), sizeof(fh));
        out.write(reinterpret_cast<const char*>(&ih), sizeof(ih));
        std::vector<std::uint32_t> opaque = shot.Pixels;
        for (auto& px : opaque) px |= 0xFF000000u;
        out.write(reinterpret_cast<const char*>(opaque.data()), bytes);
    }

    std::unique_ptr<TForm> form;
    TReportGridWindow* grid = nullptr;
    HWND wnd = nullptr;
};

TEST_F(GridWindowTest, BorderStyleRecreatesTheWindow) {
    EXPECT_TRUE(::GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_STATICEDGE);
    EXPECT_FALSE(::GetClassLongW(wnd, GCL_STYLE) & (CS_HREDRAW | CS_VREDRAW));
    grid->Grid.SetBorderStyle(bsNone);
    EXPECT_FALSE(::GetWindowLongW(grid->Handle(), GWL_EXSTYLE) & WS_EX_STATICEDGE);
    grid->Grid.SetBorderStyle(bsSingle);
    EXPECT_TRUE(::GetWindowLongW(grid->Handle(), GWL_EXSTYLE) & WS_EX_STATICEDGE);
}

TEST_F(GridWindowTest, ScrollInformationFollowsTheRows) {
    TReportGrid& g = grid->Grid;
    g.BeginUpdate();
    g.AddRow(194);
    g.EndUpdate(true);
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    ASSERT_TRUE(::GetScrollInfo(wnd, SB_VERT, &si));
    int fit = g.FullyVisibleRowCount();
    EXPECT_EQ(si.nMax, 200);
    EXPECT_EQ(static_cast<int>(si.nPage), fit + 1);
    EXPECT_EQ(fit, (grid->ClientSize().cy - 18) / 17);
    ::SendMessageW(wnd, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    ::SendMessageW(wnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), MAKELPARAM(100, 100));
    EXPECT_EQ(g.TopRow(), 2);
    si.fMask = SIF_POS;
    ::GetScrollInfo(wnd, SB_VERT, &si);
    EXPECT_EQ(si.nPos, 2);
}

TEST_F(GridWindowTest, HeaderClicksSortTheRows) {
    TReportGrid& g = grid->Grid;
    Click(200, 8);  // the Size header
    EXPECT_EQ(g.GetCellText(0, 0), u"Terminal");
    Click(200, 8);
    EXPECT_EQ(g.GetCellText(0, 0), u"Browser");
    EXPECT_EQ(g.Columns().Item(1)->SortKind, skDescending);
}

TEST_F(GridWindowTest, MouseSelectionWithModifiers) {
    TReportGrid& g = grid->Grid;
    Click(40, RowY(1));
    Click(40, RowY(3), MK_CONTROL);
    EXPECT_EQ(g.SelectedCount(), 2);
    Click(40, RowY(5), MK_SHIFT);
    EXPECT_EQ(g.SelectedCount(), 3);  // 3, 4 and 5: rows outside the range lose their selection
    EXPECT_FALSE(g.IsRowSelected(1));
    Click(40, RowY(0));
    EXPECT_EQ(g.SelectedCount(), 1);
    EXPECT_EQ(g.GetSelectedRow(), 0);
}

TEST_F(GridWindowTest, KeysNavigateAndSelectAll) {
    TReportGrid& g = grid->Grid;
    ::SetFocus(wnd);
    Click(40, RowY(0));
    ::SendMessageW(wnd, WM_KEYDOWN, VK_DOWN, 0);
    ::SendMessageW(wnd, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(g.GetSelectedRow(), 2);
    ::SendMessageW(wnd, WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(g.GetSelectedRow(), 5);
    BYTE keys[256]{};
    ::GetKeyboardState(keys);
    BYTE saved[256];
    std::memcpy(saved, keys, sizeof keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    ::SendMessageW(wnd, WM_KEYDOWN, 'A', 0);
    ::SetKeyboardState(saved);
    EXPECT_EQ(g.SelectedCount(), 6);
}

TEST_F(GridWindowTest, RatingClicksUnlessReadOnly) {
    TReportGrid& g = grid->Grid;
    int left = g.Columns().Item(2)->ClientLeft();
    // Row 0 holds 0: its block of 5 glyphs of 12 starts at the cell's left.
    Click(left + 12 * 3 + 4, RowY(0));
    EXPECT_EQ(g.Cell(2, 0)->AsInteger(), 4);
    g.ReadOnly = true;
    Click(left + 4, RowY(0));
    EXPECT_EQ(g.Cell(2, 0)->AsInteger(), 4);
}

TEST_F(GridWindowTest, EndUpdateInvalidatesTheClient) {
    TReportGrid& g = grid->Grid;
    ::ValidateRect(wnd, nullptr);
    g.BeginUpdate();
    g.SetCellText(0, 0, u"Changed");
    RECT r{};
    EXPECT_FALSE(::GetUpdateRect(wnd, &r, FALSE));
    g.EndUpdate(true);
    ASSERT_TRUE(::GetUpdateRect(wnd, &r, FALSE));
    RECT client{};
    ::GetClientRect(wnd, &client);
    EXPECT_TRUE(::EqualRect(&r, &client));
    // Deleting a row repaints what moved up, down to the rows' bottom.
    ::ValidateRect(wnd, nullptr);
    g.DeleteRow(1);
    ASSERT_TRUE(::GetUpdateRect(wnd, &r, FALSE));
    EXPECT_LE(r.top, g.GetRowTop(1));
}

TEST_F(GridWindowTest, PaintedPixels) {
    TReportGrid& g = grid->Grid;
    ::SetFocus(wnd);
    g.SetSelectedRow(1);
    TShot shot = Shoot("grid-default");
    TColor highlight = static_cast<TColor>(::GetSysColor(COLOR_HIGHLIGHT));
    int y1 = RowY(1);
    EXPECT_EQ(shot.At(150, y1), highlight);                          // away from the text
    EXPECT_EQ(shot.At(150, RowY(2)), static_cast<TColor>(::GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(shot.At(159, RowY(3)), static_cast<TColor>(::GetSysColor(COLOR_BTNFACE)));  // right - 1: the grid line
    // Rating row 3 holds 3: the third glyph's centre is set, the fourth's empty.
    int left = g.Columns().Item(2)->ClientLeft();
    // Opaque glyph pixels come out within one step of the glyph's colour.
    auto closeTo = [](TColor a, TColor b) {
        return std::abs(RedOf(a) - RedOf(b)) <= 1 && std::abs(GreenOf(a) - GreenOf(b)) <= 1 &&
               std::abs(BlueOf(a) - BlueOf(b)) <= 1;
    };
    EXPECT_TRUE(closeTo(shot.At(left + 2 * 12 + 6, RowY(3)), RGBColor(0xFF, 0xC0, 0x00)));
    EXPECT_TRUE(closeTo(shot.At(left + 3 * 12 + 6, RowY(3)), RGBColor(0xD0, 0xD0, 0xD0)));
    // Unfocused: the inactive selection colour (aoHideSelection is off here).
    g.SetAppearanceOptions(0);
    ::SetFocus(nullptr);
    EXPECT_EQ(Shoot().At(150, y1), static_cast<TColor>(::GetSysColor(COLOR_BTNFACE)));

    // Another header style, with the indicator and a sorted column.
    ::SetFocus(wnd);
    g.SetHeaderStyle(hsVista);
    g.SetOptions(g.Options() | goIndicator);
    g.Columns().Item(1)->SetSorted(true);
    TShot vista = Shoot("grid-vista");
    int sortedLeft = g.Columns().Item(1)->ClientLeft();
    EXPECT_EQ(vista.At(sortedLeft + 5, 0), TColor(0xF0DCAF));
    EXPECT_EQ(vista.At(g.Columns().Item(0)->ClientLeft() + 150, 12), TColor(0xF0F0F0));
    g.SetHeaderStyle(hsOffice2010);
    Shoot("grid-office2010");
}

TEST_F(GridWindowTest, CaptionOnlyWithoutRows) {
    TReportGrid& g = grid->Grid;
    g.SetCaption(u"No programs");
    g.ClearRows();
    TShot empty = Shoot("grid-empty");
    TColor window = static_cast<TColor>(::GetSysColor(COLOR_WINDOW));
    int dark = 0;
    for (int x = 0; x < empty.Width; ++x)
        for (int y = 22; y < 40; ++y)
            if (empty.At(x, y) != window && empty.At(x, y) != static_cast<TColor>(::GetSysColor(COLOR_BTNFACE))) ++dark;
    EXPECT_GT(dark, 20);  // the caption's letters
}

TEST_F(GridWindowTest, HintOverACellWhoseTextDoesNotFit) {
    TReportGrid& g = grid->Grid;
    g.SetCellText(0, 1, u"A program name far too long for its column");
    ::SetForegroundWindow(form->Handle());
    ::SetActiveWindow(form->Handle());
    test::PumpPending();
    auto hintShown = [&] {
        TAppHintWindow* hint = grid->HintWindow();
        HWND h = hint ? hint->WindowHandle() : nullptr;
        return h && ::IsWindowVisible(h);
    };
    Send(WM_MOUSEMOVE, 0, 20, RowY(0));  // "Notepad" fits
    EXPECT_FALSE(hintShown());
    Send(WM_MOUSEMOVE, 0, 20, RowY(1));
    ASSERT_TRUE(hintShown());
    // Over the cell's top left corner, as wide as the text needs.
    RECT r{};
    ::GetWindowRect(grid->HintWindow()->WindowHandle(), &r);
    POINT corner{0, g.GetRowTop(1)};
    ::ClientToScreen(wnd, &corner);
    EXPECT_EQ(r.left, corner.x);
    EXPECT_EQ(r.top, corner.y);
    EXPECT_GT(r.right - r.left, 160);
    Send(WM_MOUSEMOVE, 0, 20, RowY(2));  // "Paint" fits again
    EXPECT_FALSE(hintShown());
    Send(WM_MOUSEMOVE, 0, 20, RowY(1));
    EXPECT_TRUE(hintShown());
    Send(WM_KEYDOWN, VK_DOWN, 0, 0);
    EXPECT_FALSE(hintShown());
}

TEST_F(GridWindowTest, OfficeStylesFrameTheWindow) {
    TReportGrid& g = grid->Grid;
    RECT wr{};
    ::GetWindowRect(wnd, &wr);
    int w = wr.right - wr.left, h = wr.bottom - wr.top;
    auto borderPixel = [&] {
        HDC screen = ::GetDC(nullptr);
        OwnedBitmap bitmap(::CreateCompatibleBitmap(screen, w, h));
        OwnedMemoryDC dc(::CreateCompatibleDC(screen));
        ::ReleaseDC(nullptr, screen);
        SelectObjectScope select(dc.Get(), bitmap.Get());
        RECT all{0, 0, w, h};
        ::FillRect(dc.Get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        grid->PaintBorder(dc.Get());
        COLORREF c = ::GetPixel(dc.Get(), w / 2, 0);
        return static_cast<TColor>(c);
    };
    // The system's own edge needs nothing of ours; visual styles draw the
    // themed list-view border.
    if (g.BorderLook() == blEdge) EXPECT_EQ(borderPixel(), clWhite);
    else EXPECT_EQ(g.BorderLook(), blThemed);
    g.SetHeaderStyle(hsOffice2010);
    EXPECT_EQ(wnd, grid->Handle());  // the window stays
    EXPECT_EQ(borderPixel(), ColorToRGB(TRgCustomGridControl::OfficeBorderColor()));
    // The frame is one pixel: the client area starts right inside it.
    POINT origin{0, 0};
    ::ClientToScreen(wnd, &origin);
    EXPECT_EQ(origin.y - wr.top, ::GetSystemMetrics(SM_CYBORDER));
}

// A 12 x 12 image: a green square on a magenta key colour.
TBitmap32 GreenSquare() {
    TBitmap32 image(12, 12);
    TImageView32 v = image.View();
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            bool in = x >= 2 && x < 10 && y >= 2 && y < 10;
            std::uint32_t px = in ? 0xFF00A000u : 0xFFFF00FFu;
            std::memcpy(v.Pixel(x, y), &px, 4);
        }
    return image;
}

TEST_F(GridWindowTest, SlidesTreeAndGlyphs) {
    TReportGrid& g = grid->Grid;
    auto closeTo = [](TColor a, TColor b) {
        return std::abs(RedOf(a) - RedOf(b)) <= 2 && std::abs(GreenOf(a) - GreenOf(b)) <= 2 &&
               std::abs(BlueOf(a) - BlueOf(b)) <= 2;
    };
    // Header and footer glyphs.
    g.SetOptions(goHeader | goGrid | goSelectFullRow | goFooter);
    TRgCustomColumn* name = g.Columns().Item(0);
    name->Header.SetGlyph(GreenSquare());
    name->Header.SetDisplayMode(dmTextAndImage);
    g.Columns().Item(1)->Footer.SetGlyph(GreenSquare());
    g.Columns().Item(1)->Footer.SetDisplayMode(dmImageOnly);
    g.Columns().Item(1)->Footer.SetAlignment(taCenter);
    TShot glyphs = Shoot("grid-glyphs");
    int top = (g.HeaderSize() - 12) / 2;
    EXPECT_TRUE(closeTo(glyphs.At(3 + 6, top + 6), 0x00A000)) << std::hex << glyphs.At(9, top + 6);
    EXPECT_FALSE(closeTo(glyphs.At(3 + 1, top + 6), 0x00A000));  // the key colour is clear
    TRect footer = g.GetFooterRect();
    int fx = g.Columns().Item(1)->ClientLeft() + (90 - 1 - 14) / 2 + 6, fy = footer.Top + 4 + (footer.Height() - 4 - 1 - 12) / 2 + 6;
    EXPECT_TRUE(closeTo(glyphs.At(fx, fy), 0x00A000)) << std::hex << glyphs.At(fx, fy);

    // A tree with three levels in the first column.
    g.SetOptions(goHeader | goGrid | goSelectFullRow);
    name->TreeColumn = true;
    int child = g.AddChildRow(0);
    g.SetCellText(0, child, u"Plug-ins");
    int grandchild = g.AddChildRow(child);
    g.SetCellText(0, grandchild, u"Spell check");
    g.SetCellText(0, g.AddChildRow(child, true), u"Themes");
    g.SetCellText(0, g.AddChildRow(0, true), u"Help");
    TShot tree = Shoot("grid-tree");
    TRect cell;
    g.GetCellRect(0, 0, cell);
    TRect button = TreeButtonRect(cell, 0);
    EXPECT_EQ(tree.At(button.Left, button.Top + 4), ColorToRGB(clGrayText));                  // the button's frame
    EXPECT_EQ(tree.At(button.Left + 4, button.Top + 4), ColorToRGB(clWindowText));            // its minus
    g.GetCellRect(0, grandchild, cell);
    int mid = cell.Top + cell.Height() / 2;
    EXPECT_EQ(tree.At(TreeLevelRect(cell, 2).Left + TreeIndent / 2, mid), ColorToRGB(clGrayText));
    EXPECT_EQ(tree.At(TreeLevelRect(cell, 0).Left + TreeIndent / 2, mid), ColorToRGB(clGrayText));  // on to "Calculator"
    // Collapsing the root by its button hides the subtree.
    g.GetCellRect(0, 0, cell);
    Click(TreeButtonRect(cell, 0).Left + 4, TreeButtonRect(cell, 0).Top + 4);
    EXPECT_FALSE(g.IsRowShown(child));
    Click(TreeButtonRect(cell, 0).Left + 4, TreeButtonRect(cell, 0).Top + 4);
    EXPECT_TRUE(g.IsRowShown(grandchild));

    // The slides view: each row a slide with its cells at their slide bounds.
    name->TreeColumn = false;
    g.SetGridStyle(gsSlides);
    g.SetSlideSize(56);
    name->SlideBounds.SetLeft(90);
    name->SlideBounds.SetTop(8);
    name->SlideBounds.SetWidth(200);
    name->SlideCaption = "Program";
    name->SlideCaptionLocation = clLeft;
    TRgCustomColumn* size = g.Columns().Item(1);
    size->SlideBounds.SetLeft(90);
    size->SlideBounds.SetTop(30);
    size->SlideCaption = "Size";
    size->SlideCaptionLocation = clLeft;
    TRgCustomColumn* rating = g.Columns().Item(2);
    rating->SlideBounds.SetLeft(300);
    rating->SlideBounds.SetTop(24);
    rating->SlideCaption = "Rating";
    ::SetFocus(wnd);
    g.SelectCell(0, 1, false, true, 0);
    TShot slides = Shoot("grid-slides");
    TRect slide = g.GetRowRect(1);
    EXPECT_EQ(slides.At(slide.Left + 2, slide.Top + 20), ColorToRGB(g.SelectionColor));  // the frame
    EXPECT_EQ(slides.At(slide.Left + 3, slide.Top + 20), ColorToRGB(g.SelectionColor));
    TRect rate;
    ASSERT_TRUE(g.GetCellRect(2, 4, rate));
    EXPECT_EQ(rate.Left, 300);
    EXPECT_GE(rate.Top, g.GetRowRect(4).Top);
}

TEST_F(GridWindowTest, DraggedColumnShowsItsHeaderAndTheDropArrows) {
    TReportGrid& g = grid->Grid;
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 20, 5);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 320, 6);  // the right half of "Rating": after it
    test::PumpPending();
    ASSERT_NE(grid->DragBox(), nullptr);
    HWND box = grid->DragBox()->Handle();
    EXPECT_TRUE(::IsWindowVisible(box));
    RECT r{};
    ::GetWindowRect(box, &r);
    POINT mouse{320, 6};
    ::ClientToScreen(wnd, &mouse);
    EXPECT_EQ(r.right - r.left, 160);
    EXPECT_EQ(r.bottom - r.top, g.HeaderSize());
    EXPECT_EQ(r.left, mouse.x - 80);
    EXPECT_EQ(r.bottom, mouse.y + 4);
    // The box paints the column's header with a black line along its bottom and right.
    HDC screen = ::GetDC(nullptr);
    OwnedBitmap bitmap(::CreateCompatibleBitmap(screen, 160, g.HeaderSize()));
    OwnedMemoryDC dc(::CreateCompatibleDC(screen));
    ::ReleaseDC(nullptr, screen);
    {
        SelectObjectScope select(dc.Get(), bitmap.Get());
        ::SendMessageW(box, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
        EXPECT_EQ(::GetPixel(dc.Get(), 80, g.HeaderSize() - 1), 0u);
        EXPECT_EQ(::GetPixel(dc.Get(), 159, 8), 0u);
        EXPECT_NE(::GetPixel(dc.Get(), 80, 8), 0u);
    }
    // The arrows stand at the right edge of "Rating", above and below the header.
    POINT edge{350, 0};
    ::ClientToScreen(wnd, &edge);
    for (TDragArrow* arrow : {grid->DownArrow(), grid->UpArrow()}) {
        ASSERT_NE(arrow, nullptr);
        EXPECT_TRUE(::IsWindowVisible(arrow->Handle()));
        ::GetWindowRect(arrow->Handle(), &r);
        EXPECT_EQ(r.left, edge.x - 4);
        EXPECT_EQ(r.top, arrow->PointsUp() ? edge.y + g.HeaderSize() - 1 : edge.y - 12);
        EXPECT_EQ(r.right - r.left, 9);
        OwnedRegion region(::CreateRectRgn(0, 0, 0, 0));
        EXPECT_NE(::GetWindowRgn(arrow->Handle(), region.Get()), ERROR);  // shaped as an arrow
    }
    Send(WM_MOUSEMOVE, MK_LBUTTON, 60, 6);  // its own place: the arrows go
    EXPECT_FALSE(::IsWindowVisible(grid->DownArrow()->Handle()));
    Send(WM_MOUSEMOVE, MK_LBUTTON, 320, 6);
    Send(WM_LBUTTONUP, 0, 320, 6);
    EXPECT_FALSE(::IsWindowVisible(box));
    EXPECT_FALSE(::IsWindowVisible(grid->UpArrow()->Handle()));
    EXPECT_EQ(g.Columns().Positions(2), g.Columns().Item(0));
}

}  // namespace
}  // namespace ad::grid
