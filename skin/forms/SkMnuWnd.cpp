// The popup-menu window adapter and the list of them.
#include "skin/forms/SkMnuWnd.h"

#include <vector>

#include "framework/Forms.h"
#include "skin/engine/paint/SkinSectionPaint.h"
#include "skin/engine/win/SkinGdiPaint.h"
#include "skin/engine/win/SkinMessaging.h"
#include "skin/engine/win/SkinWindowAnimation.h"
#include "skin/forms/SkinMenus.h"

namespace ad::skin::forms {

namespace {

using AdapterList = std::vector<adapters::TSkAdapterPtr<TSkMnuWnd>>;

// The adapters of open popup windows; null until the first popup.
std::unique_ptr<AdapterList>& MenuAdapters() {
    static std::unique_ptr<AdapterList> list;
    return list;
}
// A list whose last window closed: freed once the closing handler has returned.
std::unique_ptr<AdapterList>& ClosedAdapters() {
    static std::unique_ptr<AdapterList> list;
    return list;
}

// Where the client's origin lies in the window.
TPoint ClientOffset(HWND wnd) {
    RECT wr{};
    POINT origin{0, 0};
    ::GetWindowRect(wnd, &wr);
    ::ClientToScreen(wnd, &origin);
    return {origin.x - wr.left, origin.y - wr.top};
}

}  // namespace

TSkMnuWnd::TSkMnuWnd(HWND wnd, TSkinCommonData* skinData, TSkinManager* manager, const adapters::TSkSkinParams& params)
    : TSkScrollWnd(wnd, skinData, manager, params) {}

void TSkMnuWnd::InitAdapter() {
    painted_ = false;
    framePainted_ = false;
    sizing_ = false;
    TSkScrollWnd::InitAdapter();
}

const TSkinCacheImage* TSkMnuWnd::FrameImage() {
    HWND wnd = WindowHandle();
    RECT r{};
    ::GetWindowRect(wnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (TSkinableMenus* menus = DefaultSkinableMenus())
        if (TSkPopupCache* entry = menus->GetPopupCache(nullptr, wnd, false))
            if (entry->Bmp.Width() == w && entry->Bmp.Height() == h) return &entry->Bmp;
    // No frame of the popup yet: the section at the window's size.
    const TSkinTables* skin = SkinManager() ? SkinManager()->Skin() : nullptr;
    if (!skin || w <= 0 || h <= 0) return nullptr;
    if (own_.Width() != w || own_.Height() != h) {
        own_.SetSize(w, h);
        const int section = skin->CommonIndexes[csMainMenu];
        if (section >= 0)
            PaintSectionBorders(own_.View(), {0, 0, w, h}, {}, skNoBackground, section, 0, -1, -1, *skin);
        else
            FillRect32(own_.View(), {0, 0, w, h}, TColor(::GetSysColor(COLOR_MENU)), 255);
    }
    return &own_;
}

void TSkMnuWnd::ApplyAlpha() {
    HWND wnd = WindowHandle();
    const uint8_t alpha = SkinManager() ? SkinManager()->MenuSupport.AlphaBlend : 255;
    const LONG_PTR ex = ::GetWindowLongPtrW(wnd, GWL_EXSTYLE);
    if (alpha == 255) {
        if (ex & WS_EX_LAYERED) ::SetWindowLongPtrW(wnd, GWL_EXSTYLE, ex & ~LONG_PTR(WS_EX_LAYERED));
    } else {
        if (!(ex & WS_EX_LAYERED)) ::SetWindowLongPtrW(wnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
        ::SetLayeredWindowAttributes(wnd, 0, alpha, LWA_ALPHA);
    }
    framePainted_ = true;
}

void TSkMnuWnd::Closed() {
    painted_ = false;
    TSkinableMenus* menus = DefaultSkinableMenus();
    if (menus) {
        menus->ClearMenuCache();
        menus->PopupShowing = false;
    }
    auto& list = MenuAdapters();
    if (!list) return;
    bool anyAlive = false;
    for (const auto& adapter : *list)
        if (adapter.get() != this && !adapter->Destroyed()) {
            anyAlive = true;
            ::RedrawWindow(adapter->WindowHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        }
    // This adapter's handler is still running: the list goes once it has returned.
    if (!anyAlive) {
        auto& closed = ClosedAdapters();
        if (closed) {
            for (auto& adapter : *list) closed->push_back(std::move(adapter));
            list.reset();
        } else {
            closed = std::move(list);
        }
    }
}

void TSkMnuWnd::WndProc(TMessage& m) {
    TSkinableMenus* menus = DefaultSkinableMenus();
    switch (m.Msg) {
        case WM_NCDESTROY:
            TSkScrollWnd::WndProc(m);  // lets the window go
            Closed();
            return;
        case SKM_SKINCMD:
            switch (SkinCommandOf(m.WParam)) {
                case SKC_ISSKINNED: m.Result = 1; return;
                case SKC_SETUPDATING: m.Result = painted_ ? 1 : 0; return;
                case SKC_MENUPAINTED:
                    if (::IsWindowVisible(WindowHandle())) painted_ = true;
                    m.Result = 0;
                    return;
                case SKC_GETAPPLICATION: m.Result = reinterpret_cast<LRESULT>(Application); return;
                default: break;
            }
            break;
        default: break;
    }
    // A popup drawn by the system (not by the skinned menus) is left alone.
    if (!menus || !menus->PopupShowing) {
        TSkScrollWnd::WndProc(m);
        return;
    }
    HWND wnd = WindowHandle();
    switch (m.Msg) {
        case WM_ERASEBKGND: {
            HDC dc = reinterpret_cast<HDC>(m.WParam);
            if (const TSkinCacheImage* frame = FrameImage(); frame && dc) {
                const TPoint offset = ClientOffset(wnd);
                frame->Draw(dc, 0, 0, {offset.X, offset.Y, frame->Width(), frame->Height()});
            }
            painted_ = false;
            if (!framePainted_) ApplyAlpha();
            m.Result = 1;
            return;
        }
        case WM_PAINT:
            TSkScrollWnd::WndProc(m);
            if (!framePainted_) ApplyAlpha();
            return;
        case WM_WINDOWPOSCHANGING: {
            TSkScrollWnd::WndProc(m);
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.LParam);
            if (sizing_ || !pos || (pos->flags & SWP_NOREDRAW)) return;
            if ((pos->flags & SWP_SHOWWINDOW) && !::IsWindowVisible(wnd) && LayeredWindowsAvailable()) {
                // Invisible until its first paint.
                sizing_ = true;
                ::SetWindowLongPtrW(wnd, GWL_EXSTYLE, ::GetWindowLongPtrW(wnd, GWL_EXSTYLE) | WS_EX_LAYERED);
                ::SetLayeredWindowAttributes(wnd, 0, 0, LWA_ALPHA);
                framePainted_ = false;
                sizing_ = false;
            }
            return;
        }
        case WM_WINDOWPOSCHANGED: {
            TSkScrollWnd::WndProc(m);
            // Shown without any paint coming (nothing to erase): visible all the same.
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.LParam);
            if (pos && (pos->flags & SWP_SHOWWINDOW) && !framePainted_)
                ::PostMessageW(wnd, SKM_SKINCMD, SkinCommandWParam(SKC_REPAINT), 0);
            return;
        }
        case WM_NCPAINT: {
            if (const TSkinCacheImage* frame = FrameImage()) {
                WindowDC dc(wnd, WindowDC::WholeWindow{});
                OwnedMemoryDC source(::CreateCompatibleDC(dc.Get()));
                SelectObjectScope selected(source.Get(), frame->Handle());
                CopyFrameStrips(source.Get(), dc.Get(), {0, 0, frame->Width(), frame->Height()}, 3);
            }
            ApplyAlpha();
            m.Result = 0;
            return;
        }
        default: break;
    }
    if (m.Msg == SKM_SKINCMD && SkinCommandOf(m.WParam) == SKC_REPAINT && !framePainted_) {
        ApplyAlpha();
        m.Result = 0;
        return;
    }
    TSkScrollWnd::WndProc(m);
}

TSkMnuWnd* AttachMenuWindowAdapter(HWND wnd) {
    TSkinManager* manager = DefaultManager();
    if (!manager || !::IsWindow(wnd) || adapters::TSkMainWnd::GetAdapter(wnd)) return nullptr;
    PurgeClosedMenuWindowAdapters();
    auto& list = MenuAdapters();
    if (!list) list = std::make_unique<AdapterList>();
    adapters::TSkSkinParams params;
    params.SkinSection = "MAINMENU";
    list->push_back(adapters::TSkMainWnd::Create<TSkMnuWnd>(wnd, nullptr, manager, params));
    return list->back().get();
}

void PurgeClosedMenuWindowAdapters() { ClosedAdapters().reset(); }

void FreeMenuWindowAdapters() {
    MenuAdapters().reset();
    PurgeClosedMenuWindowAdapters();
    if (TSkinableMenus* menus = DefaultSkinableMenus()) menus->ClearMenuCache();
}

int MenuWindowAdapterCount() {
    const int open = MenuAdapters() ? int(MenuAdapters()->size()) : 0;
    return open + (ClosedAdapters() ? int(ClosedAdapters()->size()) : 0);
}

}  // namespace ad::skin::forms
