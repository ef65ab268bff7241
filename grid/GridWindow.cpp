// The report grid's window.
#include "grid/GridWindow.h"

#include <windowsx.h>

#include "base/WinText.h"
#include "framework/Handles.h"
#include "framework/HintWindow.h"
#include "grid/GdiCanvas.h"
#include "grid/SpinEdit.h"

namespace ad::grid {

namespace {
constexpr int kHeaderItemPart = 1;  // HP_HEADERITEM

HCURSOR GridCursor(int shape) {
    const wchar_t* resource = nullptr;
    const wchar_t* fallback = IDC_ARROW;
    switch (shape) {
        case crHorzSplit: resource = L"HORZSPLIT"; fallback = IDC_SIZEWE; break;
        case crColumnNoDrag: resource = L"COLUMNNODRAG"; fallback = IDC_NO; break;
        case crRowDrag: fallback = IDC_SIZENS; break;
        case crVertSplit: resource = L"VERTSPLIT"; fallback = IDC_SIZENS; break;
        case crIndicatorSelect: resource = L"INDICATORSELECT"; fallback = IDC_ARROW; break;
        default: break;
    }
    if (resource)
        if (HCURSOR own = ::LoadCursorW(::GetModuleHandleW(nullptr), resource)) return own;
    return ::LoadCursorW(nullptr, fallback);
}

// The framework's plain hint window, for applications that name no hint
// window class of their own.
class TPlainGridHint : public TAppHintWindow {
public:
    TRect CalcHintRect(int MaxWidth, const std::string& AHint, void* AData) override {
        return window_.CalcHintRect(MaxWidth, AHint, AData);
    }
    void ActivateHintData(const TRect& Rect, const std::string& AHint, void*) override { window_.ActivateHint(Rect, AHint); }
    void ReleaseHint() override {
        if (window_.HandleAllocated()) window_.ReleaseHandle();
    }
    HWND WindowHandle() override { return window_.HandleAllocated() ? window_.Handle() : nullptr; }

private:
    THintWindow window_{nullptr};
};
}  // namespace

TReportGridWindow::TReportGridWindow(TComponent* AOwner)
    : TRgScrollControl(AOwner), Grid(*this, HorzScrollBar, VertScrollBar) {
    SetBounds(0, 0, 250, 150);
    SetTabStop(true);
    SetColor(clWindow);
}

TReportGridWindow::~TReportGridWindow() {
    HideHint();
    theme_.Close();
}

bool TReportGridWindow::HintAllowed(bool TextFit) const {
    TWinControl* self = const_cast<TReportGridWindow*>(this);
    return IsParentFormActive(self) && (TextFit || (Application && Application->ShowHint));
}

void TReportGridWindow::ShowHint(const TPoint& At, int MaxWidth, const std::u16string& Text) {
    if (!handle_ || Text.empty()) return;
    if (!hint_) {
        if (Application && Application->HintWindowClass) hint_ = Application->HintWindowClass();
        else hint_ = std::make_unique<TPlainGridHint>();
    }
    std::string ansi = Utf16ToAnsi(Text);
    TRect r = hint_->CalcHintRect(MaxWidth, ansi, nullptr);
    POINT p{At.X, At.Y};
    ::ClientToScreen(handle_, &p);
    r = TRect{p.x, p.y, p.x + r.Width(), p.y + r.Height()};
    hint_->ActivateHintData(r, ansi, nullptr);
}

void TReportGridWindow::ShowColumnDrag(TRgCustomColumn& Column, const TRect& Box, int ArrowX) {
    if (!handle_) return;
    if (!dragBox_) {
        dragBox_ = std::make_unique<TColumnDragBox>(nullptr);
        downArrow_ = std::make_unique<TDragArrow>(nullptr, false);
        upArrow_ = std::make_unique<TDragArrow>(nullptr, true);
    }
    POINT corner{Box.Left, Box.Top};
    ::ClientToScreen(handle_, &corner);
    dragBox_->ShowAt(Column, TRect{corner.x, corner.y, corner.x + Box.Width(), corner.y + Box.Height()});
    if (ArrowX < 0) {
        downArrow_->HideArrow();
        upArrow_->HideArrow();
        return;
    }
    POINT at{ArrowX, 0};
    ::ClientToScreen(handle_, &at);
    downArrow_->ShowAt(at.x, at.y - 12);
    upArrow_->ShowAt(at.x, at.y + Grid.HeaderSize() - 1);
}

void TReportGridWindow::HideColumnDrag() {
    if (dragBox_) dragBox_->HideBox();
    if (downArrow_) downArrow_->HideArrow();
    if (upArrow_) upArrow_->HideArrow();
}

void TReportGridWindow::HideHint() {
    if (hint_) hint_->ReleaseHint();
}

void TReportGridWindow::CreateParams(TCreateParams& params) {
    TRgScrollControl::CreateParams(params);
    params.ClassStyle &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
    if (Grid.BorderStyle() == bsSingle) params.ExStyle |= WS_EX_STATICEDGE;
    else params.ExStyle &= ~static_cast<DWORD>(WS_EX_STATICEDGE);
}

void TReportGridWindow::AfterCreateWnd() {
    TRgScrollControl::AfterCreateWnd();
    theme_.Open(handle_, L"header");
    Grid.UpdateHorzScrollBar();
    Grid.UpdateVertScrollBar();
}

void TReportGridWindow::BeforeDestroyWnd() {
    theme_.Close();
    TRgScrollControl::BeforeDestroyWnd();
}

TSize TReportGridWindow::ClientSize() const {
    if (!handle_) return TSize{Width(), Height()};
    RECT r{};
    ::GetClientRect(handle_, &r);
    return TSize{r.right, r.bottom};
}

void TReportGridWindow::InvalidateRect(const TRect& r) {
    if (!handle_ || IsEmpty(r)) return;
    RECT rc = ToRECT(r);
    ::InvalidateRect(handle_, &rc, FALSE);
}

void TReportGridWindow::ScrollArea(int dx, int dy, const TRect& area) {
    if (!handle_) return;
    RECT clip = ToRECT(area);
    ::ScrollWindowEx(handle_, dx, dy, &clip, &clip, nullptr, nullptr, SW_INVALIDATE);
}

void TReportGridWindow::ScrollContent(TRgCustomScrollBar* Bar, int DX, int DY) {
    HorzScrollRect = Grid.HorzScrollArea();
    VertScrollRect = Grid.VertScrollArea();
    if (Bar->Kind() == sbHorizontal) {
        // The header, input row and footer move with the cells: the band right
        // of the fixed columns, the whole height.
        Grid.EndEditing();
    } else if (DY != 0) {
        Grid.EndEditing();
    }
    Grid.CancelHint();
    TRgScrollControl::ScrollContent(Bar, DX, DY);
    if (Bar->Kind() == sbHorizontal && DX != 0) Grid.Invalidate();
}

bool TReportGridWindow::Focused() const {
    HWND focus = ::GetFocus();
    return handle_ && (focus == handle_ || ::IsChild(handle_, focus));
}

bool TReportGridWindow::VisualStyles() const { return theme_.Get() != nullptr; }

void TReportGridWindow::FocusNextControl(bool forward) {
    if (forward) TabToNext();
    else TabToPrevious();
}

void TReportGridWindow::BorderChanged() {
    if (handle_) RecreateWnd();
}

void TReportGridWindow::RepaintBorder() {
    if (handle_) ::RedrawWindow(handle_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TReportGridWindow::PaintBorder(HDC dc) {
    if (!handle_) return;
    RECT window{}, client{};
    ::GetWindowRect(handle_, &window);
    ::GetClientRect(handle_, &client);
    RECT all{0, 0, window.right - window.left, window.bottom - window.top};
    POINT origin{0, 0};
    ::ClientToScreen(handle_, &origin);
    RECT inner = client;
    ::OffsetRect(&inner, origin.x - window.left, origin.y - window.top);
    switch (Grid.BorderLook()) {
        case blOfficeFrame: {
            OwnedBrush brush(::CreateSolidBrush(ColorToRGB(TRgCustomGridControl::OfficeBorderColor())));
            ::FrameRect(dc, &all, brush.Get());
            break;
        }
        case blThemed: {
            int saved = ::SaveDC(dc);
            ::ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
            ThemeLibrary().DrawThemePart(handle_, dc, FromRECT(all), 0, 0, L"listview");
            ::RestoreDC(dc, saved);
            break;
        }
        default: break;
    }
}

void TReportGridWindow::SetMouseCapture(bool capture) {
    if (!handle_) return;
    if (capture) ::SetCapture(handle_);
    else if (::GetCapture() == handle_) ::ReleaseCapture();
}

void TReportGridWindow::InvertLine(int x1, int y1, int x2, int y2) {
    if (!handle_ || x1 < 0 || y1 < 0) return;
    WindowDC dc(handle_);
    if (!dc.Get()) return;
    int old = ::SetROP2(dc.Get(), R2_NOT);
    ::MoveToEx(dc.Get(), x1, y1, nullptr);
    ::LineTo(dc.Get(), x2, y2);
    ::SetROP2(dc.Get(), old);
}

void TReportGridWindow::InvertVertLine(int x) { InvertLine(x, 0, x, ClientSize().cy); }

void TReportGridWindow::InvertHorzLine(int y) { InvertLine(0, y, ClientSize().cx, y); }

bool TReportGridWindow::DrawHeaderItem(ICanvas& canvas, const TRect& rect, THeaderItemState state) {
    auto* gdi = dynamic_cast<TGdiCanvas*>(&canvas);
    if (!gdi || !theme_.Get()) return false;
    return theme_.Draw(gdi->Handle(), kHeaderItemPart, state, ToRECT(rect));
}

void TReportGridWindow::Paint(HDC dc, const RECT& clip) {
    // Painted into a bitmap in memory and copied to the window in one go:
    // many small calls on a window's DC each cost a round trip to the display.
    int w = clip.right - clip.left, h = clip.bottom - clip.top;
    if (w <= 0 || h <= 0) return;
    OwnedMemoryDC memory(::CreateCompatibleDC(dc));
    DibSection32 bitmap(w, h);
    if (!memory || !bitmap) {
        TGdiCanvas canvas(dc);
        Grid.Paint(canvas, FromRECT(clip));
        return;
    }
    SelectObjectScope select(memory.Get(), bitmap.Get());
    SelectObjectScope font(memory.Get(), ::GetCurrentObject(dc, OBJ_FONT));
    ::SetWindowOrgEx(memory.Get(), clip.left, clip.top, nullptr);
    {
        TGdiCanvas canvas(memory.Get());
        canvas.SetBrushStyle(bsSolid);
        Grid.Paint(canvas, FromRECT(clip));
    }
    ::BitBlt(dc, clip.left, clip.top, w, h, memory.Get(), clip.left, clip.top, SRCCOPY);
}

void TReportGridWindow::MeasureWith(const std::function<void(ICanvas&)>& Use) {
    if (!handle_) return;
    WindowDC dc(handle_);
    if (!dc.Get()) return;
    TGdiCanvas canvas(dc.Get());
    Use(canvas);
}

std::unique_ptr<IGridEditor> TReportGridWindow::CreateEditor(TRgCustomColumn& Column) {
    std::unique_ptr<TRgCustomEdit> editor;
    if (dynamic_cast<TRgNumberColumn*>(&Column)) editor = std::make_unique<TRgSpinEdit>(nullptr);
    else if (Column.HasEditorClass()) editor = std::make_unique<TRgEdit>(nullptr);
    else return nullptr;
    editor->SetVisible(false);
    editor->SetParent(this);
    return editor;
}

void TReportGridWindow::FocusGrid() {
    if (handle_ && CanFocus()) SetFocus();
}

void TReportGridWindow::AdoptEditor(IGridEditor& Editor) {
    if (auto* control = dynamic_cast<TWinControl*>(&Editor); control && control->Parent() != this) {
        control->SetVisible(false);
        control->SetParent(this);
    }
}

void TReportGridWindow::PaintTo(HDC dc) {
    TSize s = ClientSize();
    TGdiCanvas canvas(dc);
    Grid.Paint(canvas, TRect{0, 0, s.cx, s.cy});
}

unsigned TReportGridWindow::ShiftOf(WPARAM keys) const {
    unsigned shift = 0;
    if (keys & MK_SHIFT) shift |= gsShift;
    if (keys & MK_CONTROL) shift |= gsCtrl;
    return shift;
}

void TReportGridWindow::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            if (CanFocus() && !Focused()) SetFocus();
            TGridMouseButton button = m.Msg == WM_RBUTTONDOWN ? gmbRight : gmbLeft;
            Grid.MouseDown(button, ShiftOf(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam),
                           m.Msg == WM_LBUTTONDBLCLK);
            m.Result = 0;
            return;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            Grid.MouseUp(m.Msg == WM_RBUTTONUP ? gmbRight : gmbLeft, ShiftOf(m.WParam), GET_X_LPARAM(m.LParam),
                         GET_Y_LPARAM(m.LParam));
            TRgScrollControl::WndProc(m);
            return;
        case WM_MOUSEMOVE:
            Grid.MouseMove(ShiftOf(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
            TRgScrollControl::WndProc(m);
            return;
        case CM_MOUSEENTER:
            Grid.MouseEnter();
            m.Result = 0;
            return;
        case CM_MOUSELEAVE:
            Grid.MouseLeave();
            m.Result = 0;
            return;
        case WM_SETCURSOR:
            if (LOWORD(m.LParam) == HTCLIENT && !Rolling) {
                ::SetCursor(GridCursor(cursor_));
                m.Result = TRUE;
                return;
            }
            break;
        case WM_MOUSEWHEEL: {
            short delta = GET_WHEEL_DELTA_WPARAM(m.WParam);
            Grid.MouseWheel(delta, ShiftOf(GET_KEYSTATE_WPARAM(m.WParam)));
            m.Result = 0;
            return;
        }
        case WM_KEYDOWN: {
            WORD key = static_cast<WORD>(m.WParam);
            TShiftState state = KeyboardShiftState();
            if (DoKeyDown(key, state)) {
                m.Result = 0;
                return;
            }
            unsigned shift = ((state & ssShift) ? gsShift : 0u) | ((state & ssCtrl) ? gsCtrl : 0u);
            Grid.KeyDown(key, shift);
            m.Result = 0;
            return;
        }
        case WM_CHAR: {
            wchar_t key = static_cast<wchar_t>(m.WParam);
            if (!DoKeyPress(key) && key) Grid.KeyPress(static_cast<char16_t>(key));
            m.Result = 0;
            return;
        }
        case WM_GETDLGCODE:
            m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS |
                       (Grid.WantTabs && Grid.Columns().VisibleCount() > 0 &&
                                (Grid.RowCount() > 0 || Grid.InputRowActive())
                            ? DLGC_WANTTAB
                            : 0);
            return;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            TRgScrollControl::WndProc(m);
            Grid.FocusChanged(m.Msg == WM_SETFOCUS);
            // Leaving for a window that is not the grid's editor ends an edit.
            HWND to = reinterpret_cast<HWND>(m.WParam);
            if (m.Msg == WM_KILLFOCUS && !(to && ::IsChild(handle_, to))) Grid.FocusLeftGrid();
            return;
        }
        case WM_SIZE: {
            TRgScrollControl::WndProc(m);
            TSize size = ClientSize();
            if (size.cx != lastSize_.cx || size.cy != lastSize_.cy) {
                lastSize_ = size;
                if (Grid.EditingCell()) Grid.EndEditing();
                Grid.Columns().AutoSizeColumns();
                Grid.UpdateHorzScrollBar();
                Grid.UpdateVertScrollBar();
                Grid.Invalidate();
            }
            return;
        }
        case WM_NCPAINT: {
            TRgScrollControl::WndProc(m);
            TGridBorderLook look = Grid.BorderLook();
            if (look == blOfficeFrame || look == blThemed) {
                WindowDC dc(handle_, WindowDC::WholeWindow{});
                if (dc.Get()) PaintBorder(dc.Get());
            }
            return;
        }
        case WM_THEMECHANGED:
            theme_.Open(handle_, L"header");
            Grid.Invalidate();
            m.Result = 0;
            return;
        default: break;
    }
    TRgScrollControl::WndProc(m);
}

}  // namespace ad::grid
