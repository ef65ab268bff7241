// The scrolling adapter's painting: the bars, the corner between them and
// the size grip, over the parent's background.
#include "skin/adapters/SkScrollWnd.h"

#include <optional>

#include "framework/Handles.h"
#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/paint/SkinMaskPaint.h"
#include "skin/engine/win/SkinMessaging.h"

namespace ad::skin::adapters {

using namespace controls;

void TSkScrollWnd::PaintScrollBars(HDC dc) {
    const TSkScrollMouse& mouse = ScrollMouse();
    TSkinCommonData* data = SkinData();
    HWND wnd = WindowHandle();
    if (!data || data->Updating || !edgesKnown_) return;
    if (TWinControl* control = Control(); control && !::IsWindowVisible(wnd) && !control->Showing()) return;
    if (!horz_.Visible && !vert_.Visible) return;
    if (data->BgChanged) SendMsg(SKM_SKINCMD, SkinCommandWParam(SKC_CACHEVALID), 0);
    std::optional<WindowDC> own;  // no allocation: this runs at every drag step
    if (!dc) dc = own.emplace(wnd, WindowDC::WholeWindow{}).Get();
    if (!dc) return;
    const bool tracked = mouse.Window == wnd;
    for (TSkScrollBar* bar : {&horz_, &vert_}) {
        if (!bar->Visible) continue;
        const bool thisBar = tracked && mouse.TrackedBar == bar->Kind;
        const int forced = thisBar && tracking_ ? mouse.DragThumbStart : -1;
        PaintBar(*bar, dc, forced, thisBar ? mouse.PressedPart : spNone);
    }
    if (horz_.Visible && vert_.Visible) PaintCorner(dc);
}

void TSkScrollWnd::PaintBar(TSkScrollBar& bar, HDC dc, int forcedThumbStart, int pressedPart) {
    const TSkScrollMouse& mouse = ScrollMouse();
    const TSkinTables* skin = SkinData()->Skin();
    HWND wnd = WindowHandle();
    const TRect screen = BarRect(bar);
    if (!skin || !bar.Visible || screen.Width() <= 1 || screen.Height() <= 1) return;
    if (forcedThumbStart < 0) {
        bar.ScrollInfo.cbSize = sizeof(SCROLLINFO);
        bar.ScrollInfo.fMask = SIF_ALL;
        ::GetScrollInfo(wnd, bar.Kind, &bar.ScrollInfo);
    }
    TScrollGeometry g = Geometry(bar, screen);
    const bool vertical = bar.Vertical();
    const int cross = vertical ? screen.Width() : screen.Height();
    if (forcedThumbStart >= 0) {
        g.Thumb = vertical ? TRect{0, forcedThumbStart, cross, forcedThumbStart + g.ThumbSize}
                           : TRect{forcedThumbStart, 0, forcedThumbStart + g.ThumbSize, cross};
        const int centre = forcedThumbStart + g.ThumbSize / 2;
        g.TrackBefore = vertical ? TRect{0, 0, cross, centre} : TRect{0, 0, centre, cross};
        g.TrackAfter = vertical ? TRect{0, centre, cross, g.Length} : TRect{centre, 0, g.Length, cross};
    }
    const TControl* control = Control();
    const bool enabled = ScrollBarEnabled(bar) && (!control || control->Enabled());
    const bool mouseHere = mouse.Window == wnd;
    const bool hotBar = mouseHere && mouse.HotBar == bar.Kind && enabled;
    auto arrowState = [&](int part) {
        if (!mouseHere) return 0;
        if (part == pressedPart) return 2;
        return hotBar && mouse.HotPart == part ? 1 : 0;
    };
    TPoint at;
    TSkBgCacheRef bg;
    if (!PrepareBarImage(screen, at, bg)) return;
    const TImageView32 view = barImage_.View();
    const bool fits = 2 * g.Arrow < g.Length;
    PaintTrack(view, g.TrackBefore, {0, 0}, bg, vertical, true, pressedPart == spTrackBefore ? 2 : 0, *skin);
    PaintTrack(view, g.TrackAfter, {0, 0}, bg, vertical, false, pressedPart == spTrackAfter ? 2 : 0, *skin);
    PaintArrowButton(view, g.FirstArrow, {0, 0}, bg, vertical ? 1 : 0, arrowState(spFirstArrow), *skin);
    PaintArrowButton(view, g.SecondArrow, {0, 0}, bg, vertical ? 3 : 2, arrowState(spSecondArrow), *skin);
    if (enabled && fits && g.ThumbSize < g.Length - 2 * g.Arrow) {
        const int thumbState = pressedPart == spThumb ? 2 : (hotBar && mouse.HotPart == spThumb ? 1 : 0);
        PaintThumb(view, g.Thumb, {0, 0}, bg, vertical, thumbState, *skin);
    }
    if (!enabled) ApplyDisabledEffects(view, kDisabledFade, {0, 0}, bg, SkinData()->BackgroundColor(0, wnd));
    barImage_.Draw(dc, at.X, at.Y, {0, 0, screen.Width(), screen.Height()});
}

bool TSkScrollWnd::PrepareBarImage(const TRect& screen, TPoint& at, TSkBgCacheRef& bg) {
    if (!barImage_.SetSize(screen.Width(), screen.Height())) return false;
    HWND wnd = WindowHandle();
    const TRect window = WindowRect();
    at = {screen.Left - window.Left, screen.Top - window.Top};
    bg = GetWindowParentBgRef(wnd);
    bg.X += at.X;
    bg.Y += at.Y;
    return true;
}

bool TSkScrollWnd::InGripCorner() const {
    HWND wnd = WindowHandle();
    HWND top = ::GetAncestor(wnd, GA_ROOT);
    if (!top || top == wnd) return false;
    const TRect corner = CornerRect();
    RECT client{};
    ::GetClientRect(top, &client);
    POINT clientCorner{leftScrollBar_ ? client.left : client.right, client.bottom};
    ::ClientToScreen(top, &clientCorner);
    return corner.Bottom == clientCorner.y && (leftScrollBar_ ? corner.Left == clientCorner.x : corner.Right == clientCorner.x);
}

void TSkScrollWnd::PaintCorner(HDC dc) {
    const TRect screen = CornerRect();
    TPoint at;
    TSkBgCacheRef bg;
    if (IsEmpty(screen) || !PrepareBarImage(screen, at, bg)) return;
    const TImageView32 view = barImage_.View();
    const TRect all{0, 0, view.Width, view.Height};
    if (bg.Ready && !bg.Bmp.Empty()) {
        for (int y = 0; y < view.Height; ++y)
            for (int x = 0; x < view.Width; ++x) {
                const int sx = bg.X + x, sy = bg.Y + y;
                const bool inside = sx >= 0 && sy >= 0 && sx < bg.Bmp.Width && sy < bg.Bmp.Height;
                SetPixel32(view, x, y, inside ? GetPixel32(bg.Bmp, sx, sy) : uint32_t(bg.FillColor));
            }
    } else {
        const TSkinManager* manager = SkinManager();
        FillRect32(view, all, manager ? manager->FormColor() : TColor(::GetSysColor(COLOR_BTNFACE)), 255);
    }
    const TSkinTables* skin = SkinData()->Skin();
    if (skin && InGripCorner() && skin->IsValidMaskIndex(skin->CommonMasks.GripImage)) {
        const TSkinMaskData& grip = skin->Mask(skin->CommonMasks.GripImage);
        const TPoint size = MaskFrameSize(grip);
        DrawMaskState(view, {view.Width - size.X, view.Height - size.Y}, 0, bg, grip, 1, *skin);
    }
    barImage_.Draw(dc, at.X, at.Y, all);
}

}  // namespace ad::skin::adapters
