// List view and tree view adapters.
#include "skin/adapters/SkListViewWnd.h"

#include <commctrl.h>

#include "framework/Handles.h"
#include "framework/Messages.h"
#include "skin/adapters/SkAdapterPaint.h"
#include "skin/engine/paint/SkinDataRules.h"
#include "skin/engine/skinfile/SkinMessages.h"
#include "skin/engine/win/SkinMessaging.h"

namespace ad::skin::adapters {

namespace {

constexpr UINT kLvmArrange = 0x1016, kLvmInsertItemA = 0x1007;

bool IsHeaderClass(HWND wnd) {
    wchar_t name[32] = {};
    return wnd && ::GetClassNameW(wnd, name, int(std::size(name))) && lstrcmpiW(name, WC_HEADERW) == 0;
}

// A colour message pair: the new colour is set only when it differs, since
// the control repaints on every change.
void SetColorIfChanged(HWND wnd, UINT get, UINT put, TColor color) {
    if (TColor(::SendMessageW(wnd, get, 0, 0)) != color) ::SendMessageW(wnd, put, 0, LPARAM(color));
}

bool HasValidSection(const TSkinCommonData& data) {
    const TSkinTables* skin = data.Skin();
    return skin && skin->IsValidSectionIndex(data.SkinIndex);
}

}  // namespace

TSkViewStyle ListViewStyle(HWND listView) {
    switch (::SendMessageW(listView, LVM_GETVIEW, 0, 0)) {
        case LV_VIEW_ICON: return vsIcon;
        case LV_VIEW_DETAILS: return vsReport;
        case LV_VIEW_SMALLICON: return vsSmallIcon;
        default: return vsList;
    }
}

// ---- List view ----

void TSkListViewWnd::InitAdapter() {
    SkinData()->ControlKind = 10;
    TSkEditWnd::InitAdapter();
    if (HWND header = ::FindWindowExW(WindowHandle(), nullptr, WC_HEADERW, nullptr)) TakeHeader(header);
}

void TSkListViewWnd::TakeHeader(HWND header) {
    header_ = std::make_unique<TSkListHeader>(
        header, WindowHandle(), [this] { return !Destroyed() && SkinActive() && ViewStyle() == vsReport; },
        [this] { return HeaderLook(); });
    ::InvalidateRect(header, nullptr, TRUE);
}

TSkHeaderLook TSkListViewWnd::HeaderLook() const {
    HWND wnd = WindowHandle();
    TSkHeaderLook look;
    look.Skin = SkinData()->Skin();
    const COLORREF back = COLORREF(::SendMessageW(wnd, LVM_GETBKCOLOR, 0, 0));
    look.Background = back == CLR_NONE ? TColor(::GetSysColor(COLOR_WINDOW)) : TColor(back);
    look.Font = reinterpret_cast<HFONT>(::SendMessageW(wnd, WM_GETFONT, 0, 0));
    look.Images = reinterpret_cast<HIMAGELIST>(::SendMessageW(wnd, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    look.ShiftPressedContent = !SkinActive() || SkinManager()->ButtonsOptions.ShiftContentOnClick;
    return look;
}

void TSkListViewWnd::SaveColors() {
    TSkEditWnd::SaveColors();
    HWND wnd = WindowHandle();
    savedBack_ = TColor(::SendMessageW(wnd, LVM_GETBKCOLOR, 0, 0));
    savedTextBack_ = TColor(::SendMessageW(wnd, LVM_GETTEXTBKCOLOR, 0, 0));
    savedText_ = TColor(::SendMessageW(wnd, LVM_GETTEXTCOLOR, 0, 0));
}

void TSkListViewWnd::ApplySkinColors() {
    TSkEditWnd::ApplySkinColors();
    TSkinCommonData& data = *SkinData();
    if (!HasValidSection(data)) return;
    HWND wnd = WindowHandle();
    const int state = ColorState();
    if (!data.CustomColor()) {
        const TColor back = data.BackgroundColor(state, wnd);
        SetColorIfChanged(wnd, LVM_GETBKCOLOR, LVM_SETBKCOLOR, back);
        SetColorIfChanged(wnd, LVM_GETTEXTBKCOLOR, LVM_SETTEXTBKCOLOR, back);
    }
    if (!data.CustomFont()) SetColorIfChanged(wnd, LVM_GETTEXTCOLOR, LVM_SETTEXTCOLOR, SectionFontColor(data, state));
}

void TSkListViewWnd::RestoreWindow() {
    header_.reset();  // the header gets its procedure back
    // The edit step first: its frame change may paint, which applies the skin's colours.
    TSkEditWnd::RestoreWindow();
    HWND wnd = WindowHandle();
    if (::IsWindow(wnd)) {
        ::SendMessageW(wnd, LVM_SETBKCOLOR, 0, LPARAM(savedBack_));
        ::SendMessageW(wnd, LVM_SETTEXTBKCOLOR, 0, LPARAM(savedTextBack_));
        ::SendMessageW(wnd, LVM_SETTEXTCOLOR, 0, LPARAM(savedText_));
    }
    if (::IsWindow(wnd)) ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TSkListViewWnd::PaintHeaderInto(HDC dc, POINT origin) {
    TSkListHeader* header = Header();
    if (!header || !dc || ViewStyle() != vsReport || !::IsWindowVisible(header->Handle())) return;
    RECT r{};
    ::GetWindowRect(header->Handle(), &r);
    ::MapWindowPoints(nullptr, WindowHandle(), reinterpret_cast<POINT*>(&r), 2);
    ::OffsetRect(&r, origin.x, origin.y);
    const int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    POINT previous{};
    ::OffsetViewportOrgEx(dc, r.left, r.top, &previous);
    header->Paint(dc);
    ::RestoreDC(dc, saved);
}

// The skinned bar's drag reports a position; the view moves to it in whole
// items (report view: rows; list view: columns), else in pixels.
void TSkListViewWnd::ThumbTrack(TMessage& m, bool vertical) {
    HWND wnd = WindowHandle();
    const int position = m.LParam ? int(m.LParam) : int(HIWORD(m.WParam));
    const int current = ::GetScrollPos(wnd, vertical ? SB_VERT : SB_HORZ);
    const TSkViewStyle style = ViewStyle();
    int itemSize = 1;
    RECT item{LVIR_BOUNDS, 0, 0, 0};
    if (style == vsReport && vertical && !::SendMessageW(wnd, LVM_ISGROUPVIEWENABLED, 0, 0)) {
        if (::SendMessageW(wnd, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item))) itemSize = item.bottom - item.top;
    } else if (style == vsList && !vertical) {
        if (::SendMessageW(wnd, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item))) itemSize = item.right - item.left;
    }
    const int delta = ThumbTrackScroll(position, current, itemSize);
    if (delta != 0) ::SendMessageW(wnd, LVM_SCROLL, vertical ? 0 : WPARAM(delta), vertical ? LPARAM(delta) : 0);
    m.Result = 0;
}

void TSkListViewWnd::WndProc(TMessage& m) {
    if (!SkinActive() || Destroyed()) {
        TSkEditWnd::WndProc(m);
        return;
    }
    HWND wnd = WindowHandle();
    switch (m.Msg) {
        case WM_PAINT:
            ApplySkinColors();
            break;
        case WM_NCHITTEST:
            if (TSkListHeader* header = Header()) header->ClearHot();
            break;
        case WM_NCPAINT: m.Result = 0; break;
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (LOWORD(m.WParam) == SB_THUMBTRACK) {
                ThumbTrack(m, m.Msg == WM_VSCROLL);
                return;
            }
            if (m.Msg == WM_VSCROLL) m.LParam = 0;
            CallOldProc(m);
            return;
        case WM_PRINT: {
            if (!ColorsApplied()) ApplySkinColors();
            TSkEditWnd::WndProc(m);
            // Where the client lies in the DC: the frame's width in when the frame is printed too.
            POINT origin{0, 0};
            if (m.LParam & PRF_NONCLIENT) {
                RECT w{};
                ::GetWindowRect(wnd, &w);
                ::ClientToScreen(wnd, &origin);
                origin = {origin.x - w.left, origin.y - w.top};
            }
            PaintHeaderInto(reinterpret_cast<HDC>(m.WParam), origin);
            return;
        }
        case SKM_SKINCMD:
            switch (SkinCommandOf(m.WParam)) {
                case SKC_SKINREFRESH:
                    TSkEditWnd::WndProc(m);
                    if (TSkListHeader* header = Header()) ::InvalidateRect(header->Handle(), nullptr, FALSE);
                    return;
                case SKC_LOCKREDRAW:
                    // The drag's position comes whole in LParam; the view keeps its own.
                    m.Result = 1;
                    return;
                default: break;
            }
            break;
        default: break;
    }
    TSkEditWnd::WndProc(m);
    switch (m.Msg) {
        case WM_SIZE:
            SkinData()->BgChanged = true;
            PrepareAdapterCache(false);
            ::InvalidateRect(wnd, nullptr, FALSE);
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: ApplySkinColors(); break;
        case WM_STYLECHANGED:
        case kLvmArrange:
        case kLvmInsertItemA:
        case LVM_INSERTITEMW:
            if (!SkinData()->Updating) RefreshScrollInfo(true);
            break;
        case WM_LBUTTONUP:
            if (::GetCapture() == wnd) ::ReleaseCapture();
            break;
        case WM_PARENTNOTIFY:
            // A header made later (or made again): the old one gets its
            // procedure back and the new one is taken.
            if (LOWORD(m.WParam) == WM_CREATE && IsHeaderClass(reinterpret_cast<HWND>(m.LParam))) {
                header_.reset();
                TakeHeader(reinterpret_cast<HWND>(m.LParam));
            }
            break;
        default: break;
    }
}

// ---- Tree view ----

void TSkTreeViewWnd::SaveColors() {
    TSkEditWnd::SaveColors();
    savedBack_ = TColor(::SendMessageW(WindowHandle(), TVM_GETBKCOLOR, 0, 0));
    savedText_ = TColor(::SendMessageW(WindowHandle(), TVM_GETTEXTCOLOR, 0, 0));
}

TColor TSkTreeViewWnd::FillColor() const {
    const TSkinCommonData& data = *SkinData();
    if (data.CustomColor()) {
        const COLORREF own = COLORREF(::SendMessageW(WindowHandle(), TVM_GETBKCOLOR, 0, 0));
        return own == CLR_NONE ? TColor(::GetSysColor(COLOR_WINDOW)) : TColor(own);
    }
    const int state = data.Focused || (data.IsHighlighted()) ? 1 : 0;
    return data.BackgroundColor(state, WindowHandle());
}

void TSkTreeViewWnd::ApplySkinColors() {
    TSkEditWnd::ApplySkinColors();
    TSkinCommonData& data = *SkinData();
    if (!HasValidSection(data)) return;
    HWND wnd = WindowHandle();
    const int state = ColorState();
    if (!data.CustomColor()) SetColorIfChanged(wnd, TVM_GETBKCOLOR, TVM_SETBKCOLOR, data.BackgroundColor(state, wnd));
    if (!data.CustomFont()) SetColorIfChanged(wnd, TVM_GETTEXTCOLOR, TVM_SETTEXTCOLOR, SectionFontColor(data, state));
}

void TSkTreeViewWnd::RestoreWindow() {
    TSkEditWnd::RestoreWindow();
    HWND wnd = WindowHandle();
    if (::IsWindow(wnd)) {
        ::SendMessageW(wnd, TVM_SETBKCOLOR, 0, LPARAM(savedBack_));
        ::SendMessageW(wnd, TVM_SETTEXTCOLOR, 0, LPARAM(savedText_));
    }
}

void TSkTreeViewWnd::WndProc(TMessage& m) {
    if (!SkinActive() || Destroyed()) {
        TSkEditWnd::WndProc(m);
        return;
    }
    HWND wnd = WindowHandle();
    if (m.Msg == WM_ERASEBKGND) {
        if (!SkinData()->Updating) {
            if (!ColorsApplied()) ApplySkinColors();
            RECT client{};
            ::GetClientRect(wnd, &client);
            const TColor color = FillColor();
            OwnedBrush brush(::CreateSolidBrush(color));
            if (m.WParam) {
                ::FillRect(reinterpret_cast<HDC>(m.WParam), &client, brush.Get());
            } else {
                WindowDC dc(wnd);
                ::FillRect(dc.Get(), &client, brush.Get());
            }
        }
        m.Result = 1;
        return;
    }
    TSkEditWnd::WndProc(m);
    if (m.Msg == WM_LBUTTONUP && ::GetCapture() == wnd) ::ReleaseCapture();
}

}  // namespace ad::skin::adapters
