// The information windows' shared grid set-up, star glyphs and list loading.
#include "app/forms/InfoGrid.h"

#include <cmath>
#include <cstring>
#include <numbers>

#include "app/lists/InfoListRules.h"
#include "base/Exception.h"
#include "base/WinText.h"
#include "framework/Forms.h"

namespace ad::infowin {

using namespace ad::grid;

TReportGridWindow* MakeInfoGrid(TComponent* owner, TWinControl* parent, const std::string& name, int x, int y,
                                int w, int h) {
    auto* window = MakeControl<TReportGridWindow>(owner, parent, name, x, y, w, h);
    window->Grid.SetOptions(goHeader | goGrid | goSelectFullRow);
    window->Grid.ReadOnly = true;
    return window;
}

TRgTextColumn* AddTextColumn(TReportGrid& g, const std::u16string& caption, int width, TSortType sort,
                             bool visible) {
    auto* c = g.Columns().AddNew<TRgTextColumn>();
    c->Header.SetCaption(caption);
    c->SetWidth(width);
    c->SortType = sort;
    c->SetVisible(visible);
    return c;
}

TRgRateColumn* AddRatingColumn(TReportGrid& g, const std::u16string& caption, int width) {
    auto* c = g.Columns().AddNew<TRgRateColumn>();
    c->Header.SetCaption(caption);
    c->SetWidth(width);
    c->SetGlyph(StarGlyph(kStarYellow, 12));
    c->SetEmptyGlyph(StarGlyph(kStarGrey, 12));
    c->SetTransparent(true);
    c->SortType = stNumeric;
    return c;
}

TBitmap32 StarGlyph(std::uint32_t rgb, int side, std::uint32_t background) {
    TBitmap32 image(side, side);
    TImageView32 v = image.View();
    // The ten corners of the star, outer and inner in turn, point up.
    double px[10], py[10];
    const double c = side / 2.0, outer = side / 2.0 - 0.5, inner = outer * 0.45;
    for (int i = 0; i < 10; ++i) {
        double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        double r = i % 2 ? inner : outer;
        px[i] = c + r * std::cos(a);
        py[i] = c + 0.5 + r * std::sin(a);
    }
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            double sx = x + 0.5, sy = y + 0.5;
            bool in = false;
            for (int i = 0, j = 9; i < 10; j = i++)
                if ((py[i] > sy) != (py[j] > sy) && sx < (px[j] - px[i]) * (sy - py[i]) / (py[j] - py[i]) + px[i])
                    in = !in;
            std::uint32_t pixel = 0xFF000000u | (in ? rgb : background);
            std::memcpy(v.Pixel(x, y), &pixel, 4);
        }
    return image;
}

OwnedBitmap BitmapOf(const TBitmap32& image) {
    DibSection32 dib(image.Width(), image.Height());
    if (dib) std::memcpy(dib.Bits(), image.Data(), dib.PixelCount() * 4);
    return dib.Release();
}

OwnedBitmap BadgeBitmap(const std::string& text, std::uint32_t color, int w, int h) {
    HDC screen = ::GetDC(nullptr);
    OwnedBitmap bitmap(::CreateCompatibleBitmap(screen, w, h));
    OwnedMemoryDC dc(::CreateCompatibleDC(screen));
    ::ReleaseDC(nullptr, screen);
    if (!bitmap || !dc) return bitmap;
    HGDIOBJ oldBitmap = ::SelectObject(dc.Get(), bitmap.Get());
    RECT r{0, 0, w, h};
    OwnedBrush brush(::CreateSolidBrush(color));
    ::FillRect(dc.Get(), &r, brush.Get());
    HGDIOBJ oldFont = ::SelectObject(dc.Get(), ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc.Get(), TRANSPARENT);
    ::SetTextColor(dc.Get(), RGB(255, 255, 255));
    const std::wstring wide = Widen(text);
    ::DrawTextW(dc.Get(), wide.c_str(), int(wide.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SelectObject(dc.Get(), oldFont);
    ::SelectObject(dc.Get(), oldBitmap);
    return bitmap;
}

std::string CellText(TReportGrid& g, int col, int row) { return Narrow(CellWideText(g, col, row)); }

void SetWideCaption(TLabel* label, const std::wstring& text) {
    label->SetWideText(text);
    label->SetAutoSize(label->AutoSize());  // measures the text again
}

std::wstring CellWideText(TReportGrid& g, int col, int row) {
    if (row < 0 || row >= g.RowCount() || !g.Columns().IsValidIndex(col)) return {};
    const std::u16string text = g.GetCellText(col, row);
    return ToWString(text);
}

void LoadListFile(TReportGrid& g, const std::string& fileName) {
    try {
        g.LoadFromTextFile(fileName, u'\t', 0, u'|');
    } catch (const Exception&) {
        // The rows read before the damage stay; the list shows what it could read.
    }
}

bool OpenWebAddress(const std::string& address) { return IsWebAddress(address) && OpenURL(address); }

}  // namespace ad::infowin
