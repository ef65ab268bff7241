// The floating header and the drop arrows of a dragged column.
#include "grid/ColumnDragBox.h"

#include "framework/Graphics.h"
#include "framework/Handles.h"
#include "grid/GdiCanvas.h"

namespace ad::grid {

void TDragPopup::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style = WS_POPUP;
    params.ExStyle |= WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
}

void TDragPopup::ShowPopup(int x, int y, int w, int h) {
    SetBounds(x, y, w, h);
    visible_ = true;
    ::SetWindowPos(Handle(), HWND_TOPMOST, x, y, w, h, SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void TDragPopup::Hide() {
    visible_ = false;
    if (HandleAllocated()) ::ShowWindow(Handle(), SW_HIDE);
}

void TDragPopup::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_NCHITTEST: m.Result = HTTRANSPARENT; return;
        case WM_MOUSEACTIVATE: m.Result = MA_NOACTIVATE; return;
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(m.WParam), ClientRect());
            m.Result = 0;
            return;
        default: TWinControl::WndProc(m);
    }
}

void TColumnDragBox::ShowAt(TRgCustomColumn& Column, const TRect& Rect) {
    bool repaint = column_ != &Column;
    column_ = &Column;
    ShowPopup(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
    if (repaint) ::InvalidateRect(Handle(), nullptr, FALSE);
}

void TColumnDragBox::HideBox() {
    column_ = nullptr;
    Hide();
}

void TColumnDragBox::Paint(HDC dc, const RECT&) {
    RECT r = ClientRect();
    if (!column_) return;
    TGdiCanvas canvas(dc);
    canvas.SetBrushStyle(bsSolid);
    display_.Canvas = &canvas;
    display_.Columns = column_->List();
    TRect header{0, 0, r.right, r.bottom};
    display_.DrawHeader(*column_, header);
    canvas.Line(0, r.bottom - 1, r.right, r.bottom - 1, clBlack);
    canvas.Line(r.right - 1, 0, r.right - 1, r.bottom, clBlack);
    display_.Canvas = nullptr;
}

TDragArrow::TDragArrow(TComponent* AOwner, bool PointsUp) : TDragPopup(AOwner), up_(PointsUp) { SetColor(clRed); }

void TDragArrow::AfterCreateWnd() {
    TDragPopup::AfterCreateWnd();
    static const POINT upArrow[] = {{-1, 5}, {4, -1}, {9, 5}, {6, 5}, {6, 9}, {3, 9}, {3, 4}, {0, 5}};
    static const POINT downArrow[] = {{5, 0}, {3, 0}, {3, 4}, {0, 4}, {4, 9}, {9, 4}, {6, 4}, {6, 0}};
    // The window takes the region over.
    HRGN region = ::CreatePolygonRgn(up_ ? upArrow : downArrow, 8, WINDING);
    if (region && !::SetWindowRgn(Handle(), region, FALSE)) ::DeleteObject(region);
}

void TDragArrow::ShowAt(int X, int Y) {
    ShowPopup(X - 4, Y, 9, 9);
    ::InvalidateRect(Handle(), nullptr, FALSE);
}

void TDragArrow::Paint(HDC dc, const RECT&) {
    RECT r = ClientRect();
    OwnedBrush red(::CreateSolidBrush(ColorToRGB(clRed)));
    ::FillRect(dc, &r, red.Get());
}

}  // namespace ad::grid
