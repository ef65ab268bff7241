// The extended-border window of a skinned form: placement, image, region,
// hit test and the mouse on the frame.
#include "skin/forms/SkBorderForm.h"

#include <algorithm>
#include <cstring>

#include "framework/Forms.h"
#include "skin/engine/win/SkinGdiPaint.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/engine/win/SkinUtilsWin.h"
#include "skin/engine/win/SkinWindowAnimation.h"
#include "skin/forms/SkGlowForm.h"
#include "skin/forms/SkinFormMetrics.h"
#include "skin/forms/SkinProvider.h"

#include <windowsx.h>  // after the engine headers: it defines SetWindowRedraw as a macro

namespace ad::skin::forms {

namespace {

int gLiveWindows = 0;

// No move, no size, no activation, no owner z-order, no redraw (0x61B).
constexpr UINT kRestackFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOREDRAW;
constexpr UINT kPlaceFlags = SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;  // 0x610

// A maximised form's caption press turns into a drag past these distances.
constexpr int kDragStartX = 5, kDragStartY = 6;

bool IsKey(const uint8_t* p) { return p[0] == 0xFF && p[1] == 0x00 && p[2] == 0xFF; }

// Where target coordinate t of a length n falls in a nine-grid source of
// length s with margins a and b: the margins are kept, the middle stretched.
int NineGridSource(int t, int n, int s, int a, int b) {
    if (t < a) return std::min(t, s - 1);
    if (t >= n - b) return std::clamp(s - (n - t), 0, s - 1);
    const int middle = s - a - b;
    if (middle <= 0) return std::clamp(a - 1, 0, s - 1);
    const int span = std::max(1, n - a - b);
    return std::clamp(a + int(int64_t(t - a) * middle / span), 0, s - 1);
}

}  // namespace

int TSkBorderForm::LiveWindows() { return gLiveWindows; }

bool TSkBorderForm::LayeredAlphaShows() {
    if (AlphaShowsSeam) return AlphaShowsSeam();
    // Wine's X11 driver shows layered windows without blending them.
    static const bool blends = !::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version");
    return blends;
}

TRect TSkBorderForm::InnerRect(int width, int height) const {
    const TSkShadowMargins s = owner_.ShadowMargins();
    return {s.Left, s.Top, width - s.Right, height - s.Bottom};
}

TSkBorderForm::TSkBorderForm(TSkinProvider& owner) : owner_(owner) { CreateBorderWindow(); }

TSkBorderForm::~TSkBorderForm() {
    owner_.StopButtonAnimations();
    FreeBorderWindow();
}

const TSkinTables* TSkBorderForm::Skin() const { return owner_.Skin(); }

HWND TSkBorderForm::Handle() const { return window_ && window_->HandleAllocated() ? window_->Handle() : nullptr; }

HWND TSkBorderForm::OwnerWnd() const { return owner_.Wnd(); }

void TSkBorderForm::CreateBorderWindow() {
    if (window_ || (owner_.FormState() & kFsShowing)) return;
    HWND ownerWnd = OwnerWnd();
    if (!ownerWnd) return;
    RegionApplied = false;
    window_ = std::make_unique<TSkGlowForm>(nullptr);
    HWND wnd = window_->Handle();
    if (!wnd) {
        window_.reset();
        return;
    }
    ++gLiveWindows;
    ::SetWindowLongPtrW(wnd, GWL_EXSTYLE, WS_EX_LAYERED);
    previousParent_ = ::SetWindowLongPtrW(wnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerWnd));
    subclass_ = std::make_unique<TWindowSubclass>(wnd, [this](TMessage& m) { return HandleMessage(m); });
    holePoint_ = {-9999, -9999};
}

void TSkBorderForm::FreeBorderWindow() {
    if (!window_) return;
    subclass_.reset();
    if (HWND wnd = Handle()) {
        ::SetWindowLongPtrW(wnd, GWLP_HWNDPARENT, previousParent_);
        --gLiveWindows;
    }
    window_.reset();
    Hidden = true;
    RegionApplied = false;
    armed_ = false;
}

int TSkBorderForm::TopOffset() { return owner_.ShadowMargins().Top + ExtraTitleHeight(this); }

int TSkBorderForm::LeftOffset() { return owner_.ShadowMargins().Left + ExtraBorderWidth(this); }

HWND TSkBorderForm::ZOrderAfter() {
    HWND ownerWnd = OwnerWnd();
    if (TForm* form = owner_.OwnerForm(); form && form->FormStyle() == TFormStyle::fsStayOnTop) return HWND_TOP;
    if (ownerWnd && (::GetWindowLongPtrW(ownerWnd, GWL_EXSTYLE) & WS_EX_TOPMOST)) return HWND_TOPMOST;
    return ownerWnd;
}

void TSkBorderForm::BringOwnerUp() {
    HWND wnd = Handle(), ownerWnd = OwnerWnd();
    const TSkinTables* skin = Skin();
    if (!wnd || !ownerWnd || !skin || !skin->ExtBorderActive) return;
    // Directly below the border window.
    ::SetWindowPos(ownerWnd, wnd, 0, 0, 0, 0, kRestackFlags);
}

void TSkBorderForm::ShowImage(uint8_t alpha) {
    HWND wnd = Handle();
    TSkinCommonData* data = owner_.SkinData.get();
    if (!wnd || !data || !data->CacheImage || data->CacheImage->Empty()) return;
    auto update = SkinBoundFunctions().UpdateLayeredWindow;
    if (!update) return;
    RECT r{};
    ::GetWindowRect(wnd, &r);
    OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
    SelectObjectScope select(dc.Get(), data->CacheImage->Handle());
    POINT position{r.left, r.top}, source{0, 0};
    SIZE size{data->CacheImage->Width(), data->CacheImage->Height()};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    if (update(wnd, nullptr, &position, &size, dc.Get(), &source, 0, &blend, ULW_ALPHA)) ++imageUpdates_;
}

void TSkBorderForm::UpdateBorderWindow(bool repaint, uint8_t alpha) {
    if ((Application && Application->Terminated()) || Suspended || Animating) return;
    HWND ownerWnd = OwnerWnd();
    TSkinCommonData* data = owner_.SkinData.get();
    TForm* form = owner_.OwnerForm();
    if (!ownerWnd || !data || !form || data->PrintDC || SkinAnimationRunning()) return;
    if (owner_.FormState() & kFsShowing) return;
    if (data->PaintLockCount > 0 || data->Updating || !owner_.DrawNonClientArea()) return;
    if (form->Destroying()) return;
    if (!::IsWindowVisible(ownerWnd) && (owner_.FormState() & ~kFsInNcActivate) == 0) {
        FreeBorderWindow();
        data->BgChanged = true;
        return;
    }
    if (!window_) CreateBorderWindow();
    HWND wnd = Handle();
    if (!wnd) return;
    Hidden = true;
    const HWND target = ZOrderAfter();

    // The image: made again when outdated.
    if (data->BgChanged || !data->CacheImage || data->CacheImage->Empty() || owner_.CacheSizeChanged()) {
        data->BgChanged = true;
        if (!owner_.PrepareCache()) return;
        repaint = true;
    }
    if (!data->CacheImage || data->CacheImage->Empty()) return;

    RECT window{};
    ::GetWindowRect(ownerWnd, &window);
    const int left = window.left - LeftOffset();
    const int top = window.top - (owner_.ExtendedTitle()
                                      ? ExtraTitleHeight(this) + owner_.ShadowMargins().Top + 4
                                      : TopOffset());
    const int width = data->CacheImage->Width(), height = data->CacheImage->Height();
    RECT now{};
    ::GetWindowRect(wnd, &now);
    const bool resized = now.right - now.left != width || now.bottom - now.top != height;
    const bool visible = ::IsWindowVisible(wnd) != FALSE;

    if (!repaint && !resized && visible) {
        // A move: the window only follows, no image is handed over.
        ::SetWindowPos(wnd, nullptr, left, top, 0, 0, kPlaceFlags | SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW);
        BringOwnerUp();
        Suspended = false;
        return;
    }
    ::SetWindowPos(wnd, nullptr, left, top, width, height, kPlaceFlags | SWP_NOZORDER | SWP_NOREDRAW);
    if (LayeredWindowsAvailable()) {
        const uint8_t shown = form->AlphaBlend() ? form->AlphaBlendValue() : alpha;
        ShowImage(shown);
        if (visible) {
            ::SetWindowPos(wnd, target, 0, 0, 0, 0, kPlaceFlags | SWP_NOMOVE | SWP_NOSIZE);
        } else {
            ::SetWindowPos(wnd, target, 0, 0, 0, 0, kPlaceFlags | SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE);
        }
        BringOwnerUp();
        Hidden = false;
        if (!RegionApplied && alpha == 255 && !(owner_.FormState() & kFsBorderPlacing)) {
            ApplyRegion();
            owner_.UpdateFormRegion(false, true);
            RegionApplied = true;
        } else if (resized) {
            ApplyRegion();
        }
    }
    Suspended = false;
}

OwnedRegion TSkBorderForm::UpdateRegion(int width, int height) {
    HWND wnd = Handle(), ownerWnd = OwnerWnd();
    if (!wnd || !ownerWnd) return OwnedRegion();
    RECT r{};
    ::GetWindowRect(wnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const TSkShadowMargins shadow = owner_.ShadowMargins();
    const uint32_t state = owner_.FormState();
    if (owner_.IsZoomed() || (state & kFsSnapshot)) {
        const int b = FormBorderWidth(ownerWnd, this, false) + ExtraBorderWidth(this);
        if (!owner_.IsZoomed()) return OwnedRegion(::CreateRectRgn(0, 0, w, h));
        return OwnedRegion(::CreateRectRgn(b + shadow.Left, shadow.Top + 4, w - b - shadow.Right, h - b - shadow.Bottom));
    }
    // Where layered alpha does not blend, the shadow would be an opaque band: left out.
    const TRect shown = LayeredAlphaShows() ? TRect{0, 0, w, h} : InnerRect(w, h);
    OwnedRegion region(::CreateRectRgn(shown.Left, shown.Top, shown.Right, shown.Bottom));
    if (state & (kFsBlendMoving | kFsMinimizing | kFsHideImage)) {
        const TRect work = GetWindowWorkArea(ownerWnd);
        if (r.top < work.Top) {
            OwnedRegion band(::CreateRectRgn(0, 0, w, work.Top - r.top));
            ::CombineRgn(region.Get(), region.Get(), band.Get(), RGN_DIFF);
        }
        return region;
    }
    TForm* form = owner_.OwnerForm();
    RECT client{};
    ::GetClientRect(ownerWnd, &client);
    int cw = client.right, ch = client.bottom;
    if (form && (width > 0 || height > 0) && !form->Showing()) {
        // During a size change the smaller of the old and the new client.
        RECT window{};
        ::GetWindowRect(ownerWnd, &window);
        cw = std::min(cw, int(width - (window.right - window.left - client.right)));
        ch = std::min(ch, int(height - (window.bottom - window.top - client.bottom)));
    }
    const int menu = owner_.MenuLineCount() > 0 ? owner_.MenuLineCount() * owner_.MenuLineHeight() + 1 : 0;
    const int x = owner_.ClientOffsetX(), y = owner_.ClientOffsetY() - menu;
    OwnedRegion cut(::CreateRectRgn(x, y, x + std::max(0, cw), y + menu + std::max(0, ch)));
    ::CombineRgn(region.Get(), region.Get(), cut.Get(), RGN_DIFF);
    return region;
}

void TSkBorderForm::ApplyRegion(int width, int height) {
    HWND wnd = Handle();
    if (!wnd) return;
    OwnedRegion region = UpdateRegion(width, height);
    if (region.Get() && ::SetWindowRgn(wnd, region.Get(), FALSE)) region.Release();
    holePoint_ = {-9999, -9999};
}

void TSkBorderForm::PunchHole(TPoint point) {
    // The region changes only when the pixel under the mouse changes:
    // reshaping a window costs a server round trip.
    if (point.X == holePoint_.X && point.Y == holePoint_.Y) return;
    HWND wnd = Handle();
    if (!wnd) return;
    OwnedRegion region = UpdateRegion();
    if (!region.Get()) return;
    OwnedRegion hole(::CreateRectRgn(point.X, point.Y, point.X + 1, point.Y + 1));
    ::CombineRgn(region.Get(), region.Get(), hole.Get(), RGN_DIFF);
    if (::SetWindowRgn(wnd, region.Get(), FALSE)) {
        region.Release();
        holePoint_ = point;
        ++holeUpdates_;
    }
}

// ---- Painting ----

void TSkBorderForm::PaintBorderImage(const TImageView32& image, int state) {
    const TSkinTables* skin = Skin();
    if (!skin || image.Empty()) return;
    const TSkShadowMargins shadow = owner_.ShadowMargins();
    const TRect inner{shadow.Left, shadow.Top, image.Width - shadow.Right, image.Height - shadow.Bottom};
    TBitmap32* source = state > 0 ? skin->ExtBorderActive.get() : skin->ExtBorderInactive.get();
    if (!source) source = skin->ExtBorderActive ? skin->ExtBorderActive.get() : skin->ExtBorderInactive.get();
    TImageView32 from = source ? source->View() : TImageView32{};
    // Nine-grid margins: the EXBORDER mask's borders, else half the built-in image.
    int ml = from.Width / 2, mr = from.Width - from.Width / 2, mt = from.Height / 2, mb = from.Height - from.Height / 2;
    if (skin->IsValidMaskIndex(skin->CommonMasks.ExBorder)) {
        const TSkinMaskData& mask = skin->Mask(skin->CommonMasks.ExBorder);
        ml = mask.WL;
        mr = mask.WR;
        mt = mask.WT;
        mb = mask.WB;
    }
    auto shadowPixel = [&](int x, int y, uint8_t* to) {
        if (from.Empty()) {
            std::memset(to, 0, 4);
            return;
        }
        const uint8_t* p = from.Pixel(NineGridSource(x, image.Width, from.Width, ml, mr),
                                      NineGridSource(y, image.Height, from.Height, mt, mb));
        std::memcpy(to, p, 4);
    };
    // The corners of the frame that its masks cut (key colour) show the shadow.
    constexpr int kCorner = 24;
    for (int y = 0; y < image.Height; ++y) {
        const bool rowInside = y >= inner.Top && y < inner.Bottom;
        const bool cornerRow = rowInside && (y < inner.Top + kCorner || y >= inner.Bottom - kCorner);
        for (int x = 0; x < image.Width; ++x) {
            uint8_t* p = image.Pixel(x, y);
            if (!rowInside || x < inner.Left || x >= inner.Right) {
                shadowPixel(x, y, p);
            } else if (cornerRow && (x < inner.Left + kCorner || x >= inner.Right - kCorner) && IsKey(p)) {
                shadowPixel(x, y, p);
            } else {
                p[3] = 255;
            }
        }
    }
}

// ---- Hit test ----

TPoint TSkBorderForm::ToWindow(TPoint screen) const {
    RECT r{};
    if (HWND wnd = Handle()) ::GetWindowRect(wnd, &r);
    return {screen.X - r.left, screen.Y - r.top};
}

int TSkBorderForm::SizingCode(TPoint p, int width, int height) {
    const TSkinTables* skin = Skin();
    if (!skin) return -1;
    const TSkinGlobalInfo& info = skin->GlobalInfo;
    const TSkShadowMargins s = owner_.ShadowMargins();
    int left, top, right, bottom, depthTop, depth;
    if (info.BorderMode == 1) {
        left = s.Left - info.AlignOffset;
        top = s.Top - info.AlignOffsetT;
        right = width + info.AlignOffsetR - s.Right;
        bottom = height + info.AlignOffsetB - s.Bottom;
        depthTop = 4;
        depth = FormBorderWidth(OwnerWnd(), this, true);
        // Inside the aligned rectangle, as deep as the border.
        if (p.X < left || p.Y < top || p.X >= right || p.Y >= bottom) return -1;
        const bool l = p.X < left + depth, r = p.X >= right - depth;
        const bool t = p.Y < top + depthTop, b = p.Y >= bottom - depth;
        if (t) return l ? HTTOPLEFT : r ? HTTOPRIGHT : HTTOP;
        if (b) return l ? HTBOTTOMLEFT : r ? HTBOTTOMRIGHT : HTBOTTOM;
        return l ? HTLEFT : r ? HTRIGHT : -1;
    }
    if (!LayeredAlphaShows()) {
        // No shadow to grab: the frame's own border sizes, as a plain frame does.
        const TRect inner = InnerRect(width, height);
        if (!Contains(inner, p)) return -1;
        depth = std::max(FormBorderWidth(OwnerWnd(), this, true), 4);
        const bool l = p.X < inner.Left + depth, r = p.X >= inner.Right - depth;
        const bool t = p.Y < inner.Top + 4, b = p.Y >= inner.Bottom - depth;
        if (t) return l ? HTTOPLEFT : r ? HTTOPRIGHT : HTTOP;
        if (b) return l ? HTBOTTOMLEFT : r ? HTBOTTOMRIGHT : HTBOTTOM;
        return l ? HTLEFT : r ? HTRIGHT : -1;
    }
    // A band as wide as the border (at least 6) outside the shadow margins.
    depth = std::max(info.BorderWidth, 6);
    left = s.Left;
    top = s.Top;
    right = width - s.Right;
    bottom = height - s.Bottom;
    if (p.X < left - depth || p.Y < top - depth || p.X >= right + depth || p.Y >= bottom + depth) return -1;
    const bool l = p.X < left, r = p.X >= right, t = p.Y < top, b = p.Y >= bottom;
    if (t) return l ? HTTOPLEFT : r ? HTTOPRIGHT : HTTOP;
    if (b) return l ? HTBOTTOMLEFT : r ? HTBOTTOMRIGHT : HTBOTTOM;
    return l ? HTLEFT : r ? HTRIGHT : -1;
}

int TSkBorderForm::HitTest(TPoint screenPoint) {
    if (owner_.OnExtHitTest) {
        int code = 0;
        owner_.OnExtHitTest(&owner_, screenPoint, code);
        if (code != 0) return code;
    }
    HWND wnd = Handle(), ownerWnd = OwnerWnd();
    if (!wnd || !ownerWnd || !::IsWindowEnabled(ownerWnd)) return -1;
    const TPoint p = ToWindow(screenPoint);
    RECT r{};
    ::GetWindowRect(wnd, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    auto inside = [&](const TRect& rect) { return Contains(rect, p); };

    // Caption elements, as the image shows them.
    if (const TSkinSystemMenu* menu = owner_.SystemMenu(); menu && menu->HasSystemMenu()) {
        const bool iconic = owner_.IsIconic();
        if (inside(owner_.Element(ceClose).Rect)) return menu->CloseEnabled() ? HTCLOSE : HTCAPTION;
        if (menu->MaxVisible() && inside(owner_.Element(ceMax).Rect))
            return menu->MaxEnabled() || (menu->RestoreEnabled() && !iconic) ? HTMAXBUTTON : HTCAPTION;
        if ((menu->MinVisible() || iconic) && inside(owner_.Element(ceMin).Rect))
            return menu->MinEnabled() || iconic ? HTMINBUTTON : HTCAPTION;
        if ((::GetWindowLongPtrW(ownerWnd, GWL_EXSTYLE) & WS_EX_CONTEXTHELP) && inside(owner_.Element(ceHelp).Rect))
            return HTHELP;
        for (size_t i = 0; i < owner_.TitleButtons.size(); ++i) {
            const TSkinTitleButton& button = owner_.TitleButtons[i];
            if (button.Visible && inside(button.Rect)) return button.Enabled ? kHitTitleButton + int(i) : -1;
        }
    }
    // Sizing.
    if ((::GetWindowLongPtrW(ownerWnd, GWL_STYLE) & WS_THICKFRAME) && !owner_.IsZoomed()) {
        const int code = SizingCode(p, width, height);
        if (code >= 0) return code;
    }
    const TSkShadowMargins s = owner_.ShadowMargins();
    const int titleBottom = FormTopBorder(ownerWnd, this, true) + owner_.CaptionHeight() + s.Top;
    if (p.Y < titleBottom && p.Y >= s.Top) return Contains(owner_.IconRect(), p) ? HTSYSMENU : HTCAPTION;
    if (owner_.MenuLineCount() > 0 && p.Y >= titleBottom &&
        p.Y < titleBottom + owner_.MenuLineCount() * owner_.MenuLineHeight())
        return HTMENU;
    const TRect inner{s.Left, s.Top, width - s.Right, height - s.Bottom};
    if (!Contains(inner, p)) return -1;
    if (owner_.GripMode == gmRightBottom && owner_.IsSizeable()) {
        const TSkinTables* skin = Skin();
        if (skin && skin->IsValidMaskIndex(skin->CommonMasks.GripImage)) {
            const TPoint grip = owner_.GripPosition();
            if (p.X > grip.X && p.Y > grip.Y) return HTBOTTOMRIGHT;
        }
    }
    return -1;
}

bool TSkBorderForm::OutsideSizingZone(TPoint point) {
    TSkinManager* manager = owner_.Manager();
    if ((owner_.FormState() & kFsBlendMoving) || (Application && Application->Terminated()) || !owner_.SkinData ||
        !Handle() || !manager || !manager->Active() || owner_.IsZoomed())
        return false;
    const TSkinTables* skin = Skin();
    if (!skin) return false;
    RECT r{};
    ::GetWindowRect(Handle(), &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    const TSkShadowMargins s = owner_.ShadowMargins();
    const TSkinGlobalInfo& info = skin->GlobalInfo;
    TRect limit;
    if (!LayeredAlphaShows()) {
        limit = InnerRect(width, height);
    } else if (info.BorderMode == 1) {
        limit = {s.Left - info.AlignOffset, s.Top - info.AlignOffsetT, width - s.Right + info.AlignOffsetR,
                 height - s.Bottom + info.AlignOffsetB};
    } else {
        const int d = std::max(6, int(info.BorderWidth));
        limit = {s.Left - d, s.Top - d, width - s.Right + d, height - s.Bottom + d};
    }
    if (Contains(limit, point)) return false;
    if (owner_.HotElement() > 0) owner_.SetHotElement(-1, true);
    return true;
}

// ---- The border window's messages ----

TPoint TSkBorderForm::MessagePoint(const TMessage& m) const {
    const TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    // Client coordinates for the client mouse messages (the window has no frame).
    if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MBUTTONDBLCLK) return p;
    return ToWindow(p);
}

void TSkBorderForm::StretchByDoubleClick(int code) {
    TForm* form = owner_.OwnerForm();
    HWND ownerWnd = OwnerWnd();
    if (!form || !ownerWnd || form->BorderStyle != TFormBorderStyle::bsSizeable) return;
    const TRect work = GetWindowWorkArea(ownerWnd);
    const int extra = ExtraBorderWidth(this);
    uint32_t state = owner_.FormState();
    if (code == HTLEFT || code == HTRIGHT) {
        if (state & kFsStretchedWidth) {
            owner_.SetFormState(state & ~kFsStretchedWidth);
            form->SetBounds(owner_.StretchSaved.Left, form->Top(), owner_.StretchSaved.Width, form->Height());
        } else {
            owner_.StretchSaved.Left = form->Left();
            owner_.StretchSaved.Width = form->Width();
            form->SetBounds(work.Left + extra, form->Top(), work.Width() - 2 * extra, form->Height());
            owner_.SetFormState(owner_.FormState() | kFsStretchedWidth);
        }
    } else {
        if (state & kFsStretchedHeight) {
            owner_.SetFormState(state & ~kFsStretchedHeight);
            form->SetBounds(form->Left(), owner_.StretchSaved.Top, form->Width(), owner_.StretchSaved.Height);
        } else {
            owner_.StretchSaved.Top = form->Top();
            owner_.StretchSaved.Height = form->Height();
            const int top = work.Top + ExtraTitleHeight(this);
            form->SetBounds(form->Left(), top, form->Width(), work.Bottom - extra - top);
            owner_.SetFormState(owner_.FormState() | kFsStretchedHeight);
        }
    }
}

void TSkBorderForm::RestoreMaximisedUnderCursor(TPoint cursor) {
    TForm* form = owner_.OwnerForm();
    HWND ownerWnd = OwnerWnd();
    if (!form || !ownerWnd) return;
    Hidden = true;
    form->SetWindowState(TWindowState::wsNormal);
    RECT r{};
    ::GetWindowRect(ownerWnd, &r);
    const int width = r.right - r.left;
    const TRect work = GetWorkAreaAt(cursor);
    const int top = cursor.Y - work.Top < 24 ? -8 : cursor.Y - 8;
    ::SetWindowPos(ownerWnd, nullptr, cursor.X - width / 2, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The drag goes on as a move of the restored form.
    if (MoveLoopSeam) MoveLoopSeam(ownerWnd);
    else ::PostMessageW(ownerWnd, WM_SYSCOMMAND, 0xF012, 0);  // SC_DRAGMOVE
}

bool TSkBorderForm::HandleMessage(TMessage& m) {
    HWND wnd = Handle(), ownerWnd = OwnerWnd();
    if (!wnd || !ownerWnd) return false;
    switch (m.Msg) {
        case WM_NCHITTEST: {
            const TPoint p = ToWindow({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
            m.Result = OutsideSizingZone(p) ? HTTRANSPARENT : kHitBorder;
            return true;
        }
        case WM_SETFOCUS:
            if (TForm* form = owner_.OwnerForm(); form && form->Showing() && form->Enabled()) ::SetFocus(ownerWnd);
            return true;
        case WM_ERASEBKGND: m.Result = 1; return true;
        case WM_NCPAINT: m.Result = 0; return true;
        case WM_SETCURSOR: {
            POINT cursor{};
            ::GetCursorPos(&cursor);
            const TPoint screen{cursor.x, cursor.y};
            if (OutsideSizingZone(ToWindow(screen))) return false;
            LPCWSTR shape = nullptr;
            switch (HitTest(screen)) {
                case HTCAPTION:
                case HTMENU: shape = IDC_ARROW; break;
                case HTLEFT:
                case HTRIGHT: shape = IDC_SIZEWE; break;
                case HTTOP:
                case HTBOTTOM: shape = IDC_SIZENS; break;
                case HTTOPLEFT:
                case HTBOTTOMRIGHT: shape = IDC_SIZENWSE; break;
                case HTTOPRIGHT:
                case HTBOTTOMLEFT: shape = IDC_SIZENESW; break;
                default: return false;
            }
            ::SetCursor(::LoadCursorW(nullptr, shape));
            m.Result = TRUE;
            return true;
        }
        case WM_MOUSEACTIVATE:
            m.Result = MA_NOACTIVATE;
            if (::IsWindowEnabled(ownerWnd)) ::SetForegroundWindow(ownerWnd);
            return true;
        case WM_WINDOWPOSCHANGED:
            owner_.StopButtonAnimations();
            if (TForm* form = owner_.OwnerForm(); form && form->FormStyle() == TFormStyle::fsStayOnTop) {
                m.Result = subclass_->CallNext(m);
                // A stay-on-top form keeps its border above it.
                ::SetWindowPos(wnd, ownerWnd, 0, 0, 0, 0, kRestackFlags);
                ::SetWindowPos(ownerWnd, wnd, 0, 0, 0, 0, kRestackFlags);
                return true;
            }
            return false;
        case WM_NCMOUSEMOVE: {
            if (TSkinManager* manager = owner_.Manager()) manager->SetHoverWindow(ownerWnd);
            const TPoint screen{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
            if (armed_ && (std::abs(screen.X - pressPoint_.X) > kDragStartX ||
                           std::abs(screen.Y - pressPoint_.Y) > kDragStartY)) {
                armed_ = false;
                RestoreMaximisedUnderCursor(screen);
                return true;
            }
            const int code = HitTest(screen);
            const bool element = code == HTMINBUTTON || code == HTMAXBUTTON || code == HTCLOSE || code == HTHELP ||
                                 (code >= kHitTitleButton && code <= kHitTitleBarItem + 100);
            if (element) owner_.SetHotElement(code, true);
            else if (owner_.HotElement() > 0) owner_.SetHotElement(0, true);
            m.Result = 0;
            return true;
        }
        case WM_NCLBUTTONDOWN: {
            const TPoint screen{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
            if (OutsideSizingZone(ToWindow(screen))) return true;
            Hidden = false;
            const int code = HitTest(screen);
            if (code == HTCAPTION && owner_.IsZoomed()) {
                armed_ = true;
                pressPoint_ = screen;
                return true;
            }
            ::SendMessageW(ownerWnd, WM_NCLBUTTONDOWN, WPARAM(-1), m.LParam);
            return true;
        }
        case WM_NCLBUTTONUP: {
            const TPoint screen{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
            if (OutsideSizingZone(ToWindow(screen))) return true;
            armed_ = false;
            ::SendMessageW(ownerWnd, WM_NCLBUTTONUP, WPARAM(-1), m.LParam);
            return true;
        }
        case WM_NCLBUTTONDBLCLK: {
            armed_ = false;
            const int code = HitTest({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
            switch (code) {
                case HTCAPTION: ::SendMessageW(ownerWnd, WM_NCLBUTTONDBLCLK, WPARAM(-1), m.LParam); break;
                case HTSYSMENU: ::PostMessageW(ownerWnd, WM_SYSCOMMAND, SC_CLOSE, 0); break;
                case HTLEFT:
                case HTRIGHT:
                case HTTOP:
                case HTBOTTOM: StretchByDoubleClick(code); break;
                default: break;
            }
            return true;
        }
        case WM_NCRBUTTONDOWN:
        case WM_NCRBUTTONUP: {
            const TPoint screen{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
            if (OutsideSizingZone(ToWindow(screen))) return true;
            const WPARAM code = m.Msg == WM_NCRBUTTONDOWN ? WPARAM(HitTest(screen)) : WPARAM(-1);
            ::SendMessageW(ownerWnd, m.Msg, code, m.LParam);
            return true;
        }
        default:
            if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MBUTTONDBLCLK) {
                const TPoint p = MessagePoint(m);
                if (OutsideSizingZone(p)) {
                    if (TSkinManager* manager = owner_.Manager()) manager->SetHoverWindow(nullptr);
                    // The click under the mouse goes to the window below.
                    PunchHole(p);
                }
                return true;
            }
            return false;
    }
}

}  // namespace ad::skin::forms
