// The animation-running flag, window helpers, layered images and the
// timer-driven animations of layered windows.
#include "skin/engine/win/SkinWindowAnimation.h"

#include <cstring>

#include "framework/WinGeometry.h"
#include "skin/engine/win/SkinGdiPaint.h"
#include "skin/engine/win/SkinMessaging.h"

namespace ad::skin {

TAnimationRunningScope::TAnimationRunningScope() : previous_(SkinAnimationRunning()) { SetSkinAnimationRunning(true); }
TAnimationRunningScope::~TAnimationRunningScope() { SetSkinAnimationRunning(previous_); }

TPoint GetCursorPoint() {
    POINT p{};
    ::GetCursorPos(&p);
    return {p.x, p.y};
}

HWND RootWindow(HWND wnd) {
    while (HWND parent = ::GetParent(wnd)) wnd = parent;
    return wnd;
}

std::string GetWndClassName(HWND wnd) {
    char name[129] = {};
    const int n = ::GetClassNameA(wnd, name, 129);
    return std::string(name, size_t(n > 0 ? n : 0));
}

TRect GetClientRectInWindow(HWND wnd) {
    RECT window{}, client{};
    ::GetWindowRect(wnd, &window);
    ::GetClientRect(wnd, &client);
    POINT origin{0, 0};
    ::ClientToScreen(wnd, &origin);
    const int x = origin.x - window.left, y = origin.y - window.top;
    return {x, y, x + client.right, y + client.bottom};
}

TRect GetWorkAreaAt(TPoint point) {
    struct Search {
        POINT Point;
        TRect Found;
        bool Done = false;
    } search{{point.X, point.Y}, {}, false};
    ::EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            MONITORINFO info{};
    info.cbSize = sizeof info;
            if (::GetMonitorInfoW(monitor, &info) && ::PtInRect(&info.rcWork, s->Point)) {
                s->Found = FromRECT(info.rcWork);
                s->Done = true;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Done ? search.Found : TRect{};
}

TRect GetWindowWorkArea(HWND wnd) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoW(::MonitorFromWindow(wnd, MONITOR_DEFAULTTONEAREST), &info)) return {};
    return FromRECT(info.rcWork);
}

bool SetWindowAlpha(HWND wnd, bool on, uint8_t alpha) {
    const LONG_PTR exStyle = ::GetWindowLongPtrW(wnd, GWL_EXSTYLE);
    auto setAttributes = SkinBoundFunctions().SetLayeredWindowAttributes;
    if (on && LayeredWindowsAvailable() && setAttributes) {
        const bool added = !(exStyle & WS_EX_LAYERED);
        if (added) ::SetWindowLongPtrW(wnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
        setAttributes(wnd, 0, alpha, LWA_ALPHA);
        return added;
    }
    ::SetWindowLongPtrW(wnd, GWL_STYLE, ::GetWindowLongPtrW(wnd, GWL_STYLE) & ~LONG_PTR(WS_VISIBLE));
    ::SetWindowLongPtrW(wnd, GWL_EXSTYLE, exStyle & ~LONG_PTR(WS_EX_LAYERED));
    return false;
}

bool SetLayeredImage(HWND wnd, const TDibSection32* image, uint8_t alpha, TPoint sourceOrigin) {
    auto update = SkinBoundFunctions().UpdateLayeredWindow;
    if (!update || !wnd) return false;
    RECT r{};
    ::GetWindowRect(wnd, &r);
    std::unique_ptr<TDibSection32> blank;
    if (!image) {
        blank = std::make_unique<TDibSection32>(r.right - r.left, r.bottom - r.top);
        image = blank.get();
    }
    if (!image->Handle()) return false;
    const LONG_PTR exStyle = ::GetWindowLongPtrW(wnd, GWL_EXSTYLE);
    if (!(exStyle & WS_EX_LAYERED)) ::SetWindowLongPtrW(wnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
    SelectObjectScope select(dc.Get(), image->Handle());
    POINT position{r.left, r.top}, source{sourceOrigin.X, sourceOrigin.Y};
    SIZE size{image->View().Width - sourceOrigin.X, image->View().Height - sourceOrigin.Y};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    return update(wnd, nullptr, &position, &size, dc.Get(), &source, 0, &blend, ULW_ALPHA) != FALSE;
}

// ---- Frame-by-frame animations ----

TSkLayeredAnimation::TSkLayeredAnimation(HWND window, const TImageView32& image, std::vector<TAnimationFrame> frames)
    : window_(window), image_(image.Width, image.Height), work_(image.Width, image.Height), frames_(std::move(frames)) {
    if (!image_.View().Empty())
        for (int y = 0; y < image.Height; ++y) std::memcpy(image_.View().Pixel(0, y), image.Pixel(0, y), size_t(image.Width) * 4);
}

TSkLayeredAnimation::~TSkLayeredAnimation() {
    if (timer_) timer_->SetEnabled(false);
}

void TSkLayeredAnimation::Start() {
    if (frames_.empty() || image_.View().Empty()) {
        Finish();
        return;
    }
    running_ = true;
    start_ = Now();
    flag_ = std::make_unique<TAnimationRunningScope>();
    timer_ = std::make_unique<TTimer>(nullptr);
    timer_->SetInterval(kFrameMs);
    timer_->OnTimer = [this](TObject*) { Step(); };
    Step();
}

void TSkLayeredAnimation::RunToEnd() {
    if (!running_) return;
    while (running_) Step();
}

uint64_t TSkLayeredAnimation::Now() { return Clock ? Clock() : ::GetTickCount64(); }

void TSkLayeredAnimation::Step() {
    if (!running_) return;
    if (next_ < frames_.size()) {
        // Frame i is due i ticks after the start: late ticks skip the frames
        // whose time has passed (never the last), so the animation keeps to its time.
        const uint64_t due = (Now() - start_) / kFrameMs;
        if (due > next_) next_ = size_t(std::min<uint64_t>(due, frames_.size() - 1));
        const TAnimationFrame& f = frames_[next_++];
        ++shown_;
        const TDibSection32* shown = &image_;
        if (f.Stretch) {
            const TImageView32 w = work_.View();
            FillRect32(w, {0, 0, w.Width, w.Height}, 0, 0);
            if (f.Rect.Width() > 0 && f.Rect.Height() > 0) {
                OwnedMemoryDC from(::CreateCompatibleDC(nullptr)), to(::CreateCompatibleDC(nullptr));
                SelectObjectScope a(from.Get(), image_.Handle()), b(to.Get(), work_.Handle());
                ::SetStretchBltMode(to.Get(), COLORONCOLOR);
                ::StretchBlt(to.Get(), f.Rect.Left, f.Rect.Top, f.Rect.Width(), f.Rect.Height(), from.Get(), 0, 0,
                             w.Width, w.Height, SRCCOPY);
                ::GdiFlush();
            }
            shown = &work_;
        }
        SetLayeredImage(window_, shown, uint8_t(std::clamp(f.Alpha, 0, 255)));
    }
    if (next_ >= frames_.size()) Finish();
}

void TSkLayeredAnimation::Finish() {
    running_ = false;
    if (timer_) timer_->SetEnabled(false);  // the timer itself goes with the animation
    flag_.reset();
    if (OnFinished) {  // once: it is taken out before it runs
        auto done = std::move(OnFinished);
        OnFinished = nullptr;
        done();
    }
}

namespace {

std::unique_ptr<TSkLayeredAnimation> StartAnimation(HWND window, const TImageView32& image,
                                                    std::vector<TAnimationFrame> frames,
                                                    std::function<void()> onFinished) {
    auto animation = std::make_unique<TSkLayeredAnimation>(window, image, std::move(frames));
    animation->OnFinished = std::move(onFinished);
    animation->Start();
    if (Application && Application->Terminated()) animation->RunToEnd();
    return animation;
}

}  // namespace

std::unique_ptr<TSkLayeredAnimation> RunHideAnimation(HWND window, const TImageView32& image, int time, int mode,
                                                      int alpha, std::function<void()> onFinished) {
    std::vector<TAnimationFrame> frames = HideAnimationFrames(time, alpha, mode, {image.Width, image.Height});
    if (frames.empty()) {
        if (onFinished) onFinished();
        return nullptr;
    }
    ::ShowWindow(window, SW_SHOWNOACTIVATE);
    return StartAnimation(window, image, std::move(frames), std::move(onFinished));
}

std::unique_ptr<TSkLayeredAnimation> RunShowAnimation(HWND window, const TImageView32& image, int time, int mode,
                                                      int alpha, bool dialog, std::function<void()> onFinished) {
    std::vector<TAnimationFrame> frames = ShowAnimationFrames(time, alpha, mode, {image.Width, image.Height}, dialog);
    ::ShowWindow(window, SW_SHOWNOACTIVATE);
    return StartAnimation(window, image, std::move(frames), std::move(onFinished));
}

std::unique_ptr<TAppHintWindow> PopupHintText(const std::string& text, TPoint point) {
    if (text.empty() || !Application || !Application->HintWindowClass) return nullptr;
    std::unique_ptr<TAppHintWindow> hint = Application->HintWindowClass();
    if (!hint) return nullptr;
    TRect r = hint->CalcHintRect(800, text, nullptr);
    TSize size{r.Width(), r.Height()};
    if (!WindowAnswersCommand(hint->WindowHandle(), SKC_ISSKINNED)) size.cy += 4;
    TRect work = GetWorkAreaAt(point);
    if (work.Width() <= 0) work = GetWindowWorkArea(nullptr);
    hint->ActivateHintData(PlaceHintRect(size, point, work), text, nullptr);
    return hint;
}

}  // namespace ad::skin
