// The edit adapter: frame, bars and colours of edits, memos and list boxes.
#include "skin/adapters/SkEditWnd.h"

#include <algorithm>

#include "framework/Handles.h"
#include "framework/Messages.h"
#include "framework/StdCtrls.h"
#include "skin/engine/win/SkinDataMessages.h"
#include "skin/engine/win/SkinEngineLinks.h"
#include "skin/engine/win/SkinMessaging.h"

namespace ad::skin::adapters {

namespace {

constexpr int kEditKind = 231;
constexpr const char* kFocusColor = "FocusColor";  // published by edits of other libraries
constexpr UINT kRedrawAll = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;

bool IsListBox(HWND wnd) {
    wchar_t name[16]{};
    ::GetClassNameW(wnd, name, 16);
    return ::lstrcmpiW(name, L"ListBox") == 0;
}

// Clip box of a DC not empty: something of it is to be painted.
bool HasClip(HDC dc) {
    RECT box{};
    return dc && ::GetClipBox(dc, &box) != NULLREGION && box.right > box.left && box.bottom > box.top;
}

}  // namespace

TSkEditWnd::TSkEditWnd(HWND wnd, TSkinCommonData* skinData, TSkinManager* manager, const TSkSkinParams& params)
    : TSkBaseWnd(wnd, skinData, manager, params), params_(params) {}

std::unique_ptr<TSkinCommonData> TSkEditWnd::CreateSkinData() {
    auto data = TSkBaseWnd::CreateSkinData();
    data->ControlKind = kEditKind;
    data->SetSkinSection(params_.SkinSection.empty() ? std::string("EDIT") : params_.SkinSection);
    if (auto* scroll = dynamic_cast<TSkinScrollWndData*>(data.get())) {
        if (params_.VertScrollWidth >= 0) scroll->VertScrollData.SetScrollWidth(params_.VertScrollWidth);
        if (params_.HorzScrollWidth >= 0) scroll->HorzScrollData.SetScrollWidth(params_.HorzScrollWidth);
        if (params_.VertButtonSize >= 0) scroll->VertScrollData.SetButtonsSize(params_.VertButtonSize);
        if (params_.HorzButtonSize >= 0) scroll->HorzScrollData.SetButtonsSize(params_.HorzButtonSize);
    }
    return data;
}

void TSkEditWnd::InitAdapter() {
    TSkinCommonData* data = SkinData();
    if (!OwnsSkinData() && data->SkinSection().empty() && data->ControlKind > 230)
        data->SetSkinSection(params_.SkinSection.empty() ? std::string("EDIT") : params_.SkinSection);
    singleLine_ = dynamic_cast<TCustomEdit*>(Control()) &&
                  !(::GetWindowLongPtrW(WindowHandle(), GWL_STYLE) & ES_MULTILINE);
    adaptChildren_ = false;
    TSkBaseWnd::InitAdapter();
}

void TSkEditWnd::SaveColors() {
    if (TWinControl* control = Control()) {
        savedColor_ = control->Color();
        savedFontColor_ = control->Font().Color();
        int64_t focusColor = 0;
        hasFocusColor_ = control->HasPublishedProp(kFocusColor) && control->GetPublishedOrdProp(kFocusColor, focusColor);
        savedFocusColor_ = TColor(focusColor);
    }
}

int TSkEditWnd::ColorState() const {
    const TSkinCommonData* data = SkinData();
    const TSkinTables* skin = data ? data->Skin() : nullptr;
    if (!skin || !skin->IsValidSectionIndex(data->SkinIndex)) return 0;
    const bool hot = data->Focused || data->IsHighlighted();
    return hot && skin->Section(data->SkinIndex).States > 1 ? 1 : 0;
}

void TSkEditWnd::ApplySkinColors() {
    if (applying_ || StyleChanging()) return;
    TSkinCommonData* data = SkinData();
    applying_ = true;
    const bool wasUpdating = data->Updating;
    data->Updating = true;
    TSkMainWnd::ApplySkinColors();
    const TSkinTables* skin = data->Skin();
    if (SkinManager() && skin && skin->IsValidSectionIndex(data->SkinIndex)) {
        const int state = ColorState();
        const TColor back = data->BackgroundColor(state, WindowHandle());
        if (TWinControl* control = Control()) {
            if (!data->CustomColor()) {
                if (control->Color() != back) control->SetColor(back);
                // A control of another library that colours itself when focused does so in the skin's colour.
                if (hasFocusColor_) control->SetPublishedOrdProp(kFocusColor, back);
                backColor_ = back;
            }
            if (!data->CustomFont()) {
                const TColor font = skin->Section(data->SkinIndex).Props[size_t(state)].FontColor;
                if (control->Font().Color() != font) {
                    data->StateFlags |= kChangingFontColor;
                    control->Font().SetColor(font);
                    data->StateFlags &= uint16_t(~kChangingFontColor);
                }
            }
        } else if (!data->CustomColor()) {
            backColor_ = back;
        }
    } else {
        outlineColor_ = 0;
    }
    data->BgChanged = true;
    data->Updating = wasUpdating;
    applying_ = false;
}

// The colours the control had when the adapter came.
void TSkEditWnd::RestoreColors() {
    TWinControl* control = Control();
    if (!control || control->Destroying()) return;
    const TSkinCommonData* data = SkinData();
    if (!data->CustomColor() && savedColor_ != skNoColor) control->SetColor(savedColor_);
    if (!data->CustomColor() && hasFocusColor_) control->SetPublishedOrdProp(kFocusColor, savedFocusColor_);
    if (!data->CustomFont() && savedFontColor_ != skNoColor) control->Font().SetColor(savedFontColor_);
}

void TSkEditWnd::RestoreWindow() {
    TSkBaseWnd::RestoreWindow();
    RestoreColors();
    TWinControl* control = Control();
    HWND wnd = WindowHandle();
    if (::IsWindow(wnd) && ::IsWindowVisible(wnd) && !(control && control->Destroying()))
        ::SetWindowPos(wnd, nullptr, 0, 0, 0, 0, kFrameChangeFlags);
}

void TSkEditWnd::PaintFrame(HDC dc) {
    TSkinCommonData* data = SkinData();
    if (!data->CacheImage || data->CacheImage->Empty()) return;
    RECT w{};
    ::GetWindowRect(WindowHandle(), &w);
    const int width = w.right - w.left, height = w.bottom - w.top;
    const int edge = LeftEdge() < 0 ? 2 : LeftEdge();
    const TSkinCacheImage& cache = *data->CacheImage;
    cache.Draw(dc, 0, 0, {0, 0, width, edge});
    cache.Draw(dc, 0, height - edge, {0, height - edge, width, height});
    cache.Draw(dc, 0, edge, {0, edge, edge, height - edge});
    cache.Draw(dc, width - edge, edge, {width - edge, edge, width, height - edge});
}

void TSkEditWnd::PrintWindow(TMessage& m) {
    HWND wnd = WindowHandle();
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    TSkinCommonData* data = SkinData();
    if (!dc) return;
    data->Updating = false;
    data->BgChanged = true;
    ApplySkinColors();
    PrepareAdapterCache(false);
    RECT client{};
    ::GetClientRect(wnd, &client);
    POINT origin{0, 0};
    if (m.LParam & PRF_NONCLIENT) {
        PaintFrame(dc);
        PaintScrollBars(dc);
        RECT w{};
        ::GetWindowRect(wnd, &w);
        ::ClientToScreen(wnd, &origin);
        origin = {origin.x - w.left, origin.y - w.top};
    }
    if (!(m.LParam & PRF_CLIENT)) return;
    // The client composed once: the background, then the control's own
    // painting of its content into the same DC.
    const int saved = ::SaveDC(dc);
    POINT previous{};
    ::OffsetViewportOrgEx(dc, origin.x, origin.y, &previous);
    ::IntersectClipRect(dc, 0, 0, client.right, client.bottom);
    OwnedBrush brush(::CreateSolidBrush(ColorToRGB(backColor_ == skNoColor ? TColor(clWindow) : backColor_)));
    ::FillRect(dc, &client, brush.Get());
    const bool emptyList = IsListBox(wnd) && ::SendMessageW(wnd, LB_GETCOUNT, 0, 0) <= 0;
    if (!emptyList) {
        TMessage paint{WM_PAINT, m.WParam, 0, 0};
        CallOldProc(paint);
    }
    ::RestoreDC(dc, saved);
}

void TSkEditWnd::SkinCommand(TMessage& m) {
    TSkinCommonData* data = SkinData();
    const bool ownManager = reinterpret_cast<TSkinManager*>(m.LParam) == data->SkinManager();
    switch (SkinCommandOf(m.WParam)) {
        case SKC_SKINREFRESH:
            TSkBaseWnd::WndProc(m);
            if (ownManager) ApplySkinColors();
            return;
        case SKC_ENDUPDATEREDRAW:
            if (data->Updating && !data->RefreshUpdating(true))
                ::RedrawWindow(WindowHandle(), nullptr, nullptr, 0x585);
            TSkBaseWnd::WndProc(m);
            return;
        case SKC_LOCKREDRAW:
        case SKC_UNLOCKREDRAW:
            if (::GetWindowLongPtrW(WindowHandle(), GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) {
                // The system's bar of a left-bar window would paint over the skinned one.
                const bool unlock = SkinCommandOf(m.WParam) == SKC_UNLOCKREDRAW;
                ::SendMessageW(WindowHandle(), WM_SETREDRAW, unlock ? TRUE : FALSE, 0);
                if (unlock) ::InvalidateRect(WindowHandle(), nullptr, TRUE);
                return;
            }
            break;
        default: break;
    }
    TSkBaseWnd::WndProc(m);
}

void TSkEditWnd::WndProc(TMessage& m) {
    if (m.Msg == SKM_SKINCMD && SkinCommandOf(m.WParam) == SKC_ISSKINNED) {
        m.Result = 1;
        return;
    }
    HWND wnd = WindowHandle();
    if (Destroyed() || !SkinActive()) {
        TSkBaseWnd::WndProc(m);
        return;
    }
    TSkinCommonData* data = SkinData();
    switch (m.Msg) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            TWinControl* control = Control();
            if (control && control->CanFocus() && control->TabStop()) {
                data->BgChanged = true;
                data->Focused = m.Msg == WM_SETFOCUS;
                TSkBaseWnd::WndProc(m);
                ApplySkinColors();
                ::RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_INVALIDATE);
                return;
            }
            CallOldProc(m);
            return;
        }
        case WM_SETREDRAW:
            if (m.WParam == 1 && adaptChildren_) {
                if (TWinControl* control = Control()) TSkinCommonData::AskFormToAdaptControls(control);
                adaptChildren_ = false;
            }
            break;
        case WM_SETTEXT:
            TSkBaseWnd::WndProc(m);
            data->BgChanged = true;
            if (!data->Updating) ::RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE);
            return;
        case WM_PAINT:
            if (!::IsWindowVisible(wnd) || StyleChanging()) break;
            if (m.WParam && reinterpret_cast<HDC>(m.WParam) != data->PrintDC && !HasClip(reinterpret_cast<HDC>(m.WParam))) {
                ::ValidateRect(wnd, nullptr);
                return;
            }
            if (singleLine_ && !::IsWindowEnabled(wnd) && !m.WParam) {
                // A disabled edit shows the cache, its text in the disabled colour.
                PAINTSTRUCT ps{};
                ::BeginPaint(wnd, &ps);
                PrepareAdapterCache(false);
                if (data->CacheImage && !data->CacheImage->Empty()) {
                    WindowDC dc(wnd, WindowDC::WholeWindow{});
                    data->CacheImage->Draw(dc.Get(), 0, 0, {0, 0, data->CacheImage->Width(), data->CacheImage->Height()});
                }
                ::EndPaint(wnd, &ps);
                return;
            }
            if (data->Updating || (SkinAnimationRunning() && !data->PrintDC)) {
                ::ValidateRect(wnd, nullptr);
                return;
            }
            ApplySkinColors();
            break;
        case WM_ERASEBKGND:
            if (!::IsWindowVisible(wnd) || StyleChanging()) break;
            if (reinterpret_cast<HDC>(m.WParam) == data->PrintDC || HasClip(reinterpret_cast<HDC>(m.WParam))) {
                if (data->Updating) {
                    m.Result = 1;
                    return;
                }
                ApplySkinColors();
                const bool printing = reinterpret_cast<HDC>(m.WParam) == data->PrintDC;
                if ((::IsWindowEnabled(wnd) || !singleLine_) && (!SkinAnimationRunning() || printing)) break;
            }
            m.Result = 1;
            return;
        case WM_NCPAINT: {
            if (!::IsWindowVisible(wnd) || StyleChanging() || SkinAnimationRunning() || data->Updating) break;
            if (!EdgesKnown()) ::SetWindowPos(wnd, nullptr, 0, 0, 0, 0, kFrameChangeFlags);
            WindowDC dc(wnd, WindowDC::WholeWindow{});
            if (data->BgChanged) {
                if (!ColorsApplied()) ApplySkinColors();
                PrepareAdapterCache(false);
            }
            PaintScrollBars(dc.Get());
            PaintFrame(dc.Get());
            m.Result = 0;
            return;
        }
        case WM_PRINT:
            PrintWindow(m);
            m.Result = 0;
            return;
        case SKM_SKINCMD: SkinCommand(m); return;
        default: break;
    }
    TSkBaseWnd::WndProc(m);
    switch (m.Msg) {
        case WM_SIZE:
            if (::IsWindowVisible(wnd)) SendMsg(WM_NCPAINT, 0, 0);
            break;
        case WM_SETFONT:
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_LBUTTONDOWN:
        case CN_BASE + WM_KEYDOWN:
        case CN_BASE + WM_KEYUP:
            if (!Scrolling()) RefreshScrollInfo(true);
            break;
        case EM_REPLACESEL:
        case LB_ADDSTRING:
        case LB_INSERTSTRING:
        case LB_DELETESTRING:
        case LB_RESETCONTENT:
        case LB_SETCURSEL:
        case LB_SETTOPINDEX: RefreshScrollInfo(true); break;
        case LB_GETTOPINDEX:
            if (m.Result == 0 && dynamic_cast<TListBox*>(Control()) && ::SendMessageW(wnd, LB_GETCOUNT, 0, 0) == 0)
                m.Result = -1;
            break;
        case WM_MOUSEMOVE:
            // A thumb drag has painted its bar already.
            if (::GetCapture() == wnd && !data->Updating && !Tracking()) RefreshScrollInfo(true);
            break;
        case WM_PARENTNOTIFY:
            if (LOWORD(m.WParam) == WM_CREATE) adaptChildren_ = true;
            break;
        default: break;
    }
}

void UpdateEditAdapter(TSkinScrollWndData& data, TSkAdapterPtr<TSkEditWnd>& adapter) {
    if (!data.IsSkinActive()) {
        adapter.reset();
        return;
    }
    if (adapter && adapter->Destroyed()) adapter.reset();
    TWinControl* control = data.OwnerControl;
    if (!adapter && control && control->HandleAllocated()) {
        TSkSkinParams params;
        params.Control = control;
        adapter = TSkMainWnd::Create<TSkEditWnd>(control->Handle(), &data, data.SkinManager(), params);
    }
}

}  // namespace ad::skin::adapters
