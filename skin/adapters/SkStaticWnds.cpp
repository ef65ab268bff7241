// Static, sunken-edge, icon, link and static-text adapters.
#include "skin/adapters/SkStaticWnds.h"

#include <algorithm>
#include <cctype>

#include "base/WinText.h"
#include "framework/Handles.h"
#include "framework/Messages.h"
#include "framework/StdCtrls.h"
#include "skin/adapters/SkAdapterPaint.h"
#include "skin/engine/image/SkinAlphaDraw.h"
#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/win/SkinDataMessages.h"
#include "skin/engine/win/SkinDataPaint.h"
#include "skin/engine/win/SkinDataText.h"
#include "skin/engine/win/SkinGdiPaint.h"
#include "skin/engine/win/SkinText.h"

namespace ad::skin::adapters {

namespace {

constexpr UINT kFullRedraw = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;
constexpr UINT kRedrawAll = 0x585;  // invalidate, erase, frame, all children, update now

LONG_PTR StyleOf(HWND wnd) { return ::GetWindowLongPtrW(wnd, GWL_STYLE); }
LONG_PTR ExStyleOf(HWND wnd) { return ::GetWindowLongPtrW(wnd, GWL_EXSTYLE); }

// The section a child's text is written in: the one under it, as the
// parents answer, else its own.
int TextSectionOf(HWND wnd, const TSkinCommonData& data) {
    TSkSectionQuery query;
    query.SectionIndex = -1;
    const LRESULT answer = SendSkinCommand(wnd, SKC_FINDBGSECTION, reinterpret_cast<LPARAM>(&query));
    return answer >= 1 && query.SectionIndex >= 0 ? query.SectionIndex : data.SkinIndex;
}

bool IEquals(const std::string& text, size_t at, const char* word) {
    for (size_t i = 0; word[i]; ++i)
        if (at + i >= text.size() || std::tolower(static_cast<unsigned char>(text[at + i])) != word[i]) return false;
    return true;
}

}  // namespace

std::string StripLinkTags(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '<') {
            // "<a>", "<a ...>" and "</a>", in any case; anything else is text.
            size_t name = i + 1;
            const bool closing = name < text.size() && text[name] == '/';
            if (closing) ++name;
            if (IEquals(text, name, "a")) {
                const size_t after = name + 1;
                const bool plain = after < text.size() && text[after] == '>';
                const bool withAttributes = !closing && after < text.size() && std::isspace(static_cast<unsigned char>(text[after]));
                if (plain || withAttributes) {
                    const size_t end = text.find('>', after);
                    if (end != std::string::npos) {
                        i = end + 1;
                        continue;
                    }
                }
            }
        }
        out += text[i++];
    }
    return out;
}

std::string StaticTextSection(int64_t bevelKind, int64_t bevelOuter, int64_t bevelInner) {
    constexpr int64_t lowered = 1, raised = 2;
    if (bevelKind == 0) return "TRANSPARENT";
    if (bevelOuter == lowered) return bevelInner == raised ? "GROUPBOX" : "PANEL_LOW";
    if (bevelOuter == raised) return bevelInner == lowered ? "GROUPBOX" : "PANEL";
    return "TRANSPARENT";
}

// ---- Text statics ----

void TSkStaticWnd::InitAdapter() {
    if (SkinData()->SkinSection().empty()) SkinData()->SetSkinSection("TRANSPARENT");
    TSkMainWnd::InitAdapter();
}

bool TSkStaticWnd::KeepsNativeLook() const {
    return (StyleOf(WindowHandle()) & WS_TABSTOP) || (ExStyleOf(WindowHandle()) & WS_EX_STATICEDGE);
}

void TSkStaticWnd::Redraw() { ::RedrawWindow(WindowHandle(), nullptr, nullptr, kFullRedraw); }

bool TSkStaticWnd::RenderBackground() {
    SkinData()->BgChanged = true;
    return PrepareAdapterCache(false) && SkinData()->CacheImage && !SkinData()->CacheImage->Empty();
}

void TSkStaticWnd::PaintTo(HDC given) {
    std::unique_ptr<WindowDC> own;
    if (!given) {
        own = std::make_unique<WindowDC>(WindowHandle(), WindowDC::WholeWindow{});
        given = own->Get();
    }
    if (!given) return;
    SavedDCState saved(given);
    if (!RenderBackground()) return;
    if (DrawCaption()) CopyCache(*SkinData(), WindowHandle(), given);
}

bool TSkStaticWnd::DrawCaption() {
    if (Caption().empty()) return true;
    TSkinCommonData& data = *SkinData();
    HWND wnd = WindowHandle();
    TCacheCanvas canvas(data, *this);
    UINT format = DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP;
    if (ExStyleOf(wnd) & WS_EX_RIGHT) format |= DT_RIGHT;
    if (StyleOf(wnd) & SS_NOPREFIX) format |= DT_NOPREFIX;
    const RECT all{0, 0, data.CacheImage->Width(), data.CacheImage->Height()};
    DrawSectionText(canvas.Get(), Caption(), ::IsWindowEnabled(wnd), data.Skin(), 0, TextSectionOf(wnd, data), format,
                    all);
    ::GdiFlush();
    return true;
}

void TSkStaticWnd::WndProc(TMessage& m) {
    HWND wnd = WindowHandle();
    if (!SkinActive() || Destroyed() || KeepsNativeLook()) {
        TSkMainWnd::WndProc(m);
        return;
    }
    const bool visible = ::IsWindowVisible(wnd);
    switch (m.Msg) {
        case WM_MOVE:
        case WM_ENABLE:
            if (!visible) break;
            SkinData()->BgChanged = true;
            CallOldProc(m);
            Redraw();
            return;
        case WM_SETTEXT:
            if (!visible) break;
            // The static paints at once on a new text: the redraw is held off
            // around it and the skinned look painted after.
            SetRedraw(false);
            TSkMainWnd::WndProc(m);
            SkinData()->BgChanged = true;
            SetRedraw(true);
            Redraw();
            return;
        case WM_PAINT:
            PaintForMessage(wnd, m, [&](HDC dc) {
                if (m.WParam || visible) PaintTo(dc);
            });
            return;
        case WM_ERASEBKGND:
            if (!visible) break;
            m.Result = 1;
            return;
        case WM_NCPAINT: m.Result = 0; return;
        case WM_PRINT: PaintTo(reinterpret_cast<HDC>(m.WParam)); return;
        default: break;
    }
    TSkMainWnd::WndProc(m);
}

// ---- Sunken-edge statics ----

void TSkEdgeWnd::PaintTo(HDC given) {
    std::unique_ptr<WindowDC> own;
    if (!given) {
        own = std::make_unique<WindowDC>(WindowHandle(), WindowDC::WholeWindow{});
        given = own->Get();
    }
    if (!given || !RenderBackground()) return;
    DrawCaption();
    TSkinCommonData& data = *SkinData();
    // The skin draws the frame; the content stays the control's.
    OwnedMemoryDC source(::CreateCompatibleDC(nullptr));
    SelectObjectScope bitmap(source.Get(), data.CacheImage->Handle());
    CopyFrameStrips(source.Get(), given, TRect(0, 0, data.CacheImage->Width(), data.CacheImage->Height()), 2);
}

void TSkEdgeWnd::WndProc(TMessage& m) {
    if (!SkinActive() || Destroyed()) {
        TSkStaticWnd::WndProc(m);
        return;
    }
    switch (m.Msg) {
        case WM_PAINT:
            CallOldProc(m);
            PaintTo(nullptr);
            return;
        case WM_ERASEBKGND:
        case WM_NCPAINT: m.Result = (m.Msg == WM_ERASEBKGND); return;
        default: break;
    }
    TSkStaticWnd::WndProc(m);
}

// ---- Icon and bitmap statics ----

void TSkIconWnd::InitAdapter() {
    showsBitmap_ = (StyleOf(WindowHandle()) & SS_TYPEMASK) != SS_ICON;
    TSkStaticWnd::InitAdapter();
}

bool TSkIconWnd::DrawCaption() {
    TSkinCommonData& data = *SkinData();
    HWND wnd = WindowHandle();
    const TImageView32 cache = data.CacheImage->View();
    OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
    SelectObjectScope cacheBitmap(dc.Get(), data.CacheImage->Handle());
    if (!showsBitmap_) {
        auto icon = reinterpret_cast<HICON>(::SendMessageW(wnd, STM_GETICON, 0, 0));
        if (!icon) return false;
        ::DrawIconEx(dc.Get(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
        ::GdiFlush();
        return true;
    }
    auto handle = reinterpret_cast<HBITMAP>(::SendMessageW(wnd, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP info{};
    if (!handle || !::GetObjectW(handle, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight == 0) return false;
    if (handle != bitmapHandle_ || !bitmap_) {
        // The pixels are read once per bitmap the static shows.
        bitmapHandle_ = handle;
        hasAlpha_ = info.bmBitsPixel == 32;
        bitmap_ = std::make_unique<TBitmap32>(info.bmWidth, std::abs(info.bmHeight));
        BITMAPINFO header{};
        header.bmiHeader.biSize = sizeof(header.bmiHeader);
        header.bmiHeader.biWidth = bitmap_->Width();
        header.bmiHeader.biHeight = -bitmap_->Height();
        header.bmiHeader.biPlanes = 1;
        header.bmiHeader.biBitCount = 32;
        header.bmiHeader.biCompression = BI_RGB;
        const TImageView32 pixels = bitmap_->View();
        if (!::GetDIBits(dc.Get(), handle, 0, UINT(bitmap_->Height()), pixels.Row0, &header, DIB_RGB_COLORS)) {
            bitmap_.reset();
            return false;
        }
    }
    const TImageView32 source = bitmap_->View();
    const int width = std::min(cache.Width, source.Width), height = std::min(cache.Height, source.Height);
    if (hasAlpha_) {
        BlendImageRect(TRect(0, 0, cache.Width, cache.Height), TRect(0, 0, source.Width, source.Height), cache,
                       false, 0, skNoColor, false, skNoBackground, source);
    } else {
        for (int y = 0; y < height; ++y)
            std::copy_n(source.Pixel(0, y), size_t(width) * 4, cache.Pixel(0, y));
    }
    return true;
}

// ---- Link windows ----

void TSkLinkWnd::WndProc(TMessage& m) {
    HWND wnd = WindowHandle();
    if (!SkinActive() || Destroyed() || (ExStyleOf(wnd) & WS_EX_STATICEDGE)) {
        TSkStaticWnd::WndProc(m);
        return;
    }
    const bool visible = ::IsWindowVisible(wnd);
    switch (m.Msg) {
        case WM_MOVE:
            SkinData()->BgChanged = true;
            CallOldProc(m);
            ::RedrawWindow(wnd, nullptr, nullptr, kRedrawAll);
            return;
        case WM_SETTEXT:
            TSkMainWnd::WndProc(m);
            SkinData()->BgChanged = true;
            ::RedrawWindow(wnd, nullptr, nullptr, kRedrawAll);
            return;
        case WM_PAINT:
            if (!m.WParam) {
                PaintDC dc(wnd);  // the link is drawn while erasing
            } else {
                PaintTo(reinterpret_cast<HDC>(m.WParam));
            }
            m.Result = 0;
            return;
        case WM_ERASEBKGND:
            if (!visible) break;
            PaintTo(reinterpret_cast<HDC>(m.WParam));
            m.Result = 1;
            return;
        case WM_UPDATEUISTATE:
            if (visible) CallOldProc(m);
            return;
        default: break;
    }
    TSkStaticWnd::WndProc(m);
}

bool TSkLinkWnd::DrawCaption() {
    TSkinCommonData& data = *SkinData();
    HWND wnd = WindowHandle();
    const std::string text = StripLinkTags(Caption());
    if (text.empty()) return true;
    TCacheCanvas canvas(data, *this);
    LOGFONTW logFont{};
    ::GetObjectW(::GetCurrentObject(canvas.Get(), OBJ_FONT), sizeof(logFont), &logFont);
    logFont.lfUnderline = TRUE;
    OwnedFont underlined(::CreateFontIndirectW(&logFont));
    SelectObjectScope font(canvas.Get(), underlined.Get());
    PaintRectTextData(canvas.Get(), text, ::IsWindowEnabled(wnd), false, data, DT_WORDBREAK | DT_EXPANDTABS,
                      TRect(0, 0, data.CacheImage->Width() + 4, data.CacheImage->Height()));
    ::GdiFlush();
    return true;
}

// ---- Static-text controls ----

void TSkStaticTextWnd::InitAdapter() {
    // A control that publishes bevels (one of another library) chooses by
    // them; the class library's own have none and lie on their parent.
    if (SkinData()->SkinSection().empty()) {
        int64_t kind = 0, outer = 0, inner = 0;
        if (TWinControl* control = Control()) {
            control->GetPublishedOrdProp("BevelKind", kind);
            control->GetPublishedOrdProp("BevelOuter", outer);
            control->GetPublishedOrdProp("BevelInner", inner);
        }
        SkinData()->SetSkinSection(StaticTextSection(kind, outer, inner));
    }
    TSkMainWnd::InitAdapter();
}

bool TSkStaticTextWnd::SeeThrough() const {
    const TSkinCommonData& data = *SkinData();
    const TSkinTables* skin = data.Skin();
    return skin && skin->IsValidSectionIndex(data.SkinIndex) && skin->Section(data.SkinIndex).Props[0].Transparency > 0;
}

bool TSkStaticTextWnd::PrepareCache() {
    TSkinCommonData& data = *SkinData();
    HWND wnd = WindowHandle();
    const TSkParentBgRequest answer = data.AskParentBg();
    if (answer.Kind != pbImage && answer.Color == clFuchsia) {
        data.Updating = true;
        return false;
    }
    data.BgChanged = true;
    if (!PrepareAdapterCache(false) || !data.CacheImage || data.CacheImage->Empty()) return false;
    TWinControl* control = Control();
    if (data.CustomColor() && control) {
        FillRect32(data.CacheImage->View(), TRect(0, 0, data.CacheImage->Width(), data.CacheImage->Height()),
                   control->Color(), 255);
    }
    const std::string text = Caption();
    if (!text.empty()) {
        TCacheCanvas canvas(data, *this);
        UINT format = DT_WORDBREAK;
        if (auto* label = dynamic_cast<TLabel*>(control)) {
            switch (label->Alignment()) {
                case TAlignment::taRightJustify: format |= label->UseRightToLeftAlignment() ? DT_LEFT : DT_RIGHT; break;
                case TAlignment::taCenter: format |= DT_CENTER; break;
                default: format |= label->UseRightToLeftAlignment() ? DT_RIGHT : DT_LEFT; break;
            }
            if (label->UseRightToLeftReading()) format |= DT_RTLREADING;
        } else if (!control) {
            format |= DT_CENTER | DT_VCENTER;
        }
        const TRect client = ClientBounds(wnd);
        DrawDataText(canvas.Get(), text, control ? control->Enabled() : true, false, data, format, client);
        ::GdiFlush();
    }
    data.BgChanged = false;
    return true;
}

void TSkStaticTextWnd::PaintClient(HDC given) {
    TSkinCommonData& data = *SkinData();
    HWND wnd = WindowHandle();
    if (data.Updating && !given) return;
    std::unique_ptr<WindowDC> own;
    if (!given) {
        own = std::make_unique<WindowDC>(wnd, WindowDC::WholeWindow{});
        given = own->Get();
    }
    SavedDCState saved(given);
    if (!PrepareCache()) return;
    RECT window{}, client{};
    ::GetWindowRect(wnd, &window);
    ::GetClientRect(wnd, &client);
    const int border = ((window.right - window.left) - client.right) / 2;
    const TRect inner(border, border, data.CacheImage->Width() - border, data.CacheImage->Height() - border);
    data.BlitCacheExcludingWindows(wnd, inner, border, border, false, given);
}

void TSkStaticTextWnd::PaintBorder(HDC given) {
    TSkinCommonData& data = *SkinData();
    HWND wnd = WindowHandle();
    RECT window{}, client{};
    ::GetWindowRect(wnd, &window);
    ::GetClientRect(wnd, &client);
    const int border = ((window.right - window.left) - client.right) / 2;
    if (border <= 0 || data.Updating) return;
    if (!data.CacheImage || data.CacheImage->Empty()) {
        data.Updating = true;
        return;
    }
    std::unique_ptr<WindowDC> own;
    if (!given) {
        own = std::make_unique<WindowDC>(wnd, WindowDC::WholeWindow{});
        given = own->Get();
    }
    OwnedMemoryDC source(::CreateCompatibleDC(nullptr));
    SelectObjectScope bitmap(source.Get(), data.CacheImage->Handle());
    CopyFrameStrips(source.Get(), given, TRect(0, 0, data.CacheImage->Width(), data.CacheImage->Height()), border);
}

void TSkStaticTextWnd::WndProc(TMessage& m) {
    HWND wnd = WindowHandle();
    if (!Control() || Destroyed() || !SkinActive()) {
        TSkMainWnd::WndProc(m);
        return;
    }
    switch (m.Msg) {
        case WM_SETTEXT:
            if (!::IsWindowVisible(wnd)) break;
            SetRedraw(false);
            TSkMainWnd::WndProc(m);
            SetRedraw(true);
            SkinData()->BgChanged = true;
            ::InvalidateRect(wnd, nullptr, TRUE);
            ::UpdateWindow(wnd);
            return;
        case WM_PAINT:
            if (m.WParam) {
                PaintClient(reinterpret_cast<HDC>(m.WParam));
            } else {
                ::InvalidateRect(wnd, nullptr, TRUE);
                PaintDC dc(wnd);
            }
            m.Result = 0;
            return;
        case WM_ERASEBKGND:
            PaintClient(reinterpret_cast<HDC>(m.WParam));
            m.Result = 1;
            return;
        case WM_NCPAINT:
            PaintBorder(nullptr);
            m.Result = 0;
            return;
        case WM_UPDATEUISTATE: m.Result = 1; return;
        case WM_PRINT:
            PaintClient(reinterpret_cast<HDC>(m.WParam));
            PaintBorder(reinterpret_cast<HDC>(m.WParam));
            return;
        case CM_ENABLEDCHANGED:
            SetRedraw(false);
            TSkMainWnd::WndProc(m);
            SetRedraw(true);
            ::InvalidateRect(wnd, nullptr, TRUE);
            return;
        case CM_TEXTCHANGED:
            SkinData()->BgChanged = true;
            break;
        case WM_WINDOWPOSCHANGING:
        case WM_WINDOWPOSCHANGED:
            // What shows through moves with the control.
            if (SeeThrough()) SkinData()->BgChanged = true;
            TSkMainWnd::WndProc(m);
            if (m.Msg == WM_WINDOWPOSCHANGING) ::SendMessageW(wnd, WM_NCPAINT, 0, 0);
            return;
        case WM_PARENTNOTIFY:
            TSkMainWnd::WndProc(m);
            if (LOWORD(m.WParam) == WM_CREATE) TSkinCommonData::AskFormToAdaptControls(Control());
            return;
        case CM_SHOWINGCHANGED:
            TSkMainWnd::WndProc(m);
            if (::IsWindowVisible(wnd)) {
                // Children shown with it are adapted and painted in the skin.
                TSkinCommonData::AskFormToAdaptControls(Control());
                const LPARAM manager = reinterpret_cast<LPARAM>(SkinManager());
                BroadcastToChildWindows(wnd, TMessage{SKM_SKINCMD, SkinCommandWParam(SKC_SKINLOADED), manager, 0});
                BroadcastToChildWindows(wnd, TMessage{SKM_SKINCMD, SkinCommandWParam(SKC_SKINREFRESH), manager, 0});
            }
            return;
        case SKM_SKINCMD:
            switch (SkinCommandOf(m.WParam)) {
                case SKC_ISSKINNED: m.Result = 1; return;
                case SKC_SKINREMOVED:
                    if (reinterpret_cast<TSkinManager*>(m.LParam) == SkinManager()) SkinData()->SkinIndex = -1;
                    break;
                case SKC_CACHEVALID: PrepareCache(); break;
                default: break;
            }
            break;
        default: break;
    }
    TSkMainWnd::WndProc(m);
}

}  // namespace ad::skin::adapters
