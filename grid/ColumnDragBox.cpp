// The floating header and the drop arrows of a dragged column.
#include "grid/ColumnDragBox.h"

#include "framework/Graphics.h"
#include "framework/Handles.h"
#include "grid/GdiCanvas.h"

namespace ad::grid {

namespace {
void PopupParams(TCreateParams& params) {
    params.Style = WS_POPUP;
    params.ExStyle |= WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
}

void ShowPopup(HWND wnd, int x, int y, int w, int h) {
    ::SetWindowPos(wnd, HWND_TOPMOST, x, y, w, h, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    ::InvalidateRect(wnd, nullptr, FALSE);
}

// Popups let the mouse through to the grid beneath.
bool PassMouseThrough(TMessage& m) {
    if (m.Msg == WM_NCHITTEST) {
        m.Result = HTTRANSPARENT;
        return true;
    }
    if (m.Msg == WM_MOUSEACTIVATE) {
        m.Result = MA_NOACTIVATE;
        return true;
    }
    return false;
}
}  // namespace

TColumnDragBox::TColumnDragBox(TComponent* AOwner) : TWinControl(AOwner) { visible_ = false; }

void TColumnDragBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    PopupParams(params);
}

void TColumnDragBox::ShowAt(TRgCustomColumn& Column, const TRect& Rect) {
    bool repaint = column_ != &Column;
    column_ = &Column;
    SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
    visible_ = true;
    HWND wnd = Handle();
    ::SetWindowPos(wnd, HWND_TOPMOST, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(),
                   SWP_SHOWWINDOW | SWP_NOACTIVATE);
    if (repaint) ::InvalidateRect(wnd, nullptr, FALSE);
}

void TColumnDragBox::HideBox() {
    column_ = nullptr;
    visible_ = false;
    if (HandleAllocated()) ::ShowWindow(Handle(), SW_HIDE);
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

void TColumnDragBox::WndProc(TMessage& m) {
    if (PassMouseThrough(m)) return;
    if (m.Msg == WM_PRINTCLIENT) {
        Paint(reinterpret_cast<HDC>(m.WParam), ClientRect());
        m.Result = 0;
        return;
    }
    TWinControl::WndProc(m);
}

TDragArrow::TDragArrow(TComponent* AOwner, bool PointsUp) : TWinControl(AOwner), up_(PointsUp) {
    visible_ = false;
    SetColor(clRed);
}

void TDragArrow::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    PopupParams(params);
}

void TDragArrow::AfterCreateWnd() {
    TWinControl::AfterCreateWnd();
    static const POINT upArrow[] = {{-1, 5}, {4, -1}, {9, 5}, {6, 5}, {6, 9}, {3, 9}, {3, 4}, {0, 5}};
    static const POINT downArrow[] = {{5, 0}, {3, 0}, {3, 4}, {0, 4}, {4, 9}, {9, 4}, {6, 4}, {6, 0}};
    // The window takes the region over.
    HRGN region = ::CreatePolygonRgn(up_ ? upArrow : downArrow, 8, WINDING);
    if (region && !::SetWindowRgn(Handle(), region, FALSE)) ::DeleteObject(region);
}

void TDragArrow::ShowAt(int X, int Y) {
    SetBounds(X - 4, Y, 9, 9);
    visible_ = true;
    ShowPopup(Handle(), X - 4, Y, 9, 9);
}

void TDragArrow::HideArrow() {
    visible_ = false;
    if (HandleAllocated()) ::ShowWindow(Handle(), SW_HIDE);
}

void TDragArrow::Paint(HDC dc, const RECT&) {
    RECT r = ClientRect();
    OwnedBrush red(::CreateSolidBrush(ColorToRGB(clRed)));
    ::FillRect(dc, &r, red.Get());
}

void TDragArrow::WndProc(TMessage& m) {
    if (PassMouseThrough(m)) return;
    TWinControl::WndProc(m);
}

}  // namespace ad::grid
