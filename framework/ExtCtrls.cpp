// Panel, image and timer.
#include "framework/ExtCtrls.h"

#include "framework/SysUtils.h"

namespace ad {

// --- TPanel ------------------------------------------------------------------

TPanel::TPanel(TComponent* AOwner) : TWinControl(AOwner) {
    ControlStyle = csAcceptsControls | csOpaque;
    SetBounds(0, 0, 185, 41);
}

void TPanel::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.ExStyle |= WS_EX_CONTROLPARENT;
}

void TPanel::SetBevelOuter(TBevelCut v) {
    bevelOuter_ = v;
    Invalidate();
}

void TPanel::SetBevelInner(TBevelCut v) {
    bevelInner_ = v;
    Invalidate();
}

void TPanel::SetBevelWidth(int v) {
    bevelWidth_ = v < 1 ? 1 : v;
    Invalidate();
}

void TPanel::SetBorderWidth(int v) {
    borderWidth_ = v < 0 ? 0 : v;
    Invalidate();
}

void TPanel::SetAlignment(TAlignment v) {
    alignment_ = v;
    Invalidate();
}

RECT TPanel::InnerRect() {
    RECT r = ClientRect();
    const int bevels = (bevelOuter_ != TBevelCut::bvNone ? 1 : 0) + (bevelInner_ != TBevelCut::bvNone ? 1 : 0);
    const int inset = bevelWidth_ * bevels + borderWidth_;
    ::InflateRect(&r, -inset, -inset);
    return r;
}

namespace {
// One bevel of the given width; a space bevel only takes room.
void DrawBevel(HDC dc, RECT& r, TBevelCut cut, int width) {
    if (cut == TBevelCut::bvNone) return;
    for (int i = 0; i < width; ++i) {
        if (cut == TBevelCut::bvSpace) ::InflateRect(&r, -1, -1);
        else ::DrawEdge(dc, &r, cut == TBevelCut::bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    }
}
}  // namespace

void TPanel::Paint(HDC dc, const RECT& clip) {
    (void)clip;
    RECT r = ClientRect();
    DrawBevel(dc, r, bevelOuter_, bevelWidth_);
    ::InflateRect(&r, -borderWidth_, -borderWidth_);
    DrawBevel(dc, r, bevelInner_, bevelWidth_);
    std::wstring text = WideText();
    if (ShowCaption && !text.empty()) {
        SelectObjectScope sel(dc, EffectiveFont().Handle());
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ColorToRGB(EffectiveFont().Color()));
        const UINT align = alignment_ == taLeftJustify ? DT_LEFT : alignment_ == taRightJustify ? DT_RIGHT : DT_CENTER;
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, align | DT_VCENTER | DT_SINGLELINE);
    }
}

// --- TImage ------------------------------------------------------------------

TImage::TImage(TComponent* AOwner) : TWinControl(AOwner) {
    SetParentColor(true);
    SetBounds(0, 0, 105, 105);
    picture_.OnChange = [this] { Invalidate(); };
}

void TImage::SetStretch(bool v) {
    stretch_ = v;
    Invalidate();
}

void TImage::SetCenter(bool v) {
    center_ = v;
    Invalidate();
}

void TImage::Paint(HDC dc, const RECT& clip) {
    (void)clip;
    if (picture_.Empty()) return;
    RECT client = ClientRect();
    RECT dest = client;
    if (!stretch_) {
        int w = picture_.Width(), h = picture_.Height();
        int x = center_ ? (client.right - w) / 2 : 0;
        int y = center_ ? (client.bottom - h) / 2 : 0;
        dest = RECT{x, y, x + w, y + h};
    }
    picture_.Draw(dc, dest);
}

// --- TTimer ------------------------------------------------------------------

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
    window_ = std::make_unique<TUtilityWindow>([this](UINT msg, WPARAM, LPARAM, LRESULT& result) {
        if (msg != WM_TIMER) return false;
        if (enabled_ && !Destroying() && OnTimer) OnTimer(this);
        result = 0;
        return true;
    });
    UpdateTimer();
}

TTimer::~TTimer() {
    BeginDestroy();
    if (window_ && window_->Handle()) ::KillTimer(window_->Handle(), 1);
}

void TTimer::SetEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned ms) {
    if (ms == interval_) return;
    interval_ = ms;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    HWND wnd = window_->Handle();
    ::KillTimer(wnd, 1);
    if (enabled_ && interval_ > 0 && !::SetTimer(wnd, 1, interval_, nullptr))
        throw EOSError(::GetLastError(), "Not enough timers available");
}

}  // namespace ad
