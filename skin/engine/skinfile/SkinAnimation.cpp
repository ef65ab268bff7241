// Frames of the show, hide and skin-change animations, the alpha cross-blend
// and hint placement.
#include "skin/engine/skinfile/SkinAnimation.h"

#include <algorithm>
#include <cmath>

namespace ad::skin {

namespace {

int ToInt(double v) { return int(std::lround(v)); }

TRect InsetRect(TSize image, double dx, double dy) {
    return {ToInt(dx), ToInt(dy), ToInt(image.cx - dx), ToInt(image.cy - dy)};
}

}  // namespace

int AnimationSteps(int timeMs) { return timeMs >= 10 ? timeMs / 10 : 0; }

std::vector<TAnimationFrame> ShowAnimationFrames(int timeMs, int alpha, int mode, TSize image, bool dialog) {
    alpha = std::clamp(alpha, 0, 255);
    const int steps = AnimationSteps(timeMs);
    std::vector<TAnimationFrame> frames;
    if (steps > 0) {
        const double increment = dialog ? double(alpha) / (steps + 1) : double(alpha) / steps;
        const bool zoom = mode == amZoom, grow = mode == amGrow && !dialog;
        double current = 0;
        for (int i = 0; i <= steps; ++i) {
            current = std::min<double>(alpha, current + increment);
            TAnimationFrame f{ToInt(current), zoom || grow, {}};
            if (zoom) {
                const double left = image.cx / 32.0 * (1 - double(i) / steps);
                const double top = image.cy / 32.0 * (1 - double(i) / steps);
                f.Rect = InsetRect(image, left, top);
            } else if (grow) {
                const double share = 1 - std::pow(0.5, i);
                f.Rect = {0, 0, ToInt(image.cx * share), ToInt(image.cy * share)};
            }
            frames.push_back(f);
        }
    }
    frames.push_back({alpha, false, {0, 0, image.cx, image.cy}});
    return frames;
}

std::vector<TAnimationFrame> HideAnimationFrames(int timeMs, int alpha, int mode, TSize image) {
    alpha = std::clamp(alpha, 0, 255);
    const int steps = AnimationSteps(timeMs);
    std::vector<TAnimationFrame> frames;
    if (steps == 0) return frames;
    const double step = double(alpha) / steps;
    const double dx = image.cx / (steps * 32.0), dy = image.cy / (steps * 32.0);
    double current = alpha;
    for (int i = 0; i < steps; ++i) {
        current = std::max(0.0, current - step);
        TAnimationFrame f{ToInt(current), mode == amZoom, {0, 0, image.cx, image.cy}};
        if (mode == amZoom) f.Rect = InsetRect(image, dx * i, dy * i);
        frames.push_back(f);
    }
    return frames;
}

int OldLookAlpha(int alpha, int newAlpha) { return std::min(255, std::max(0, 3 * alpha - 3 * newAlpha)); }

void BlendImageAt(const TImageView32& target, const TRect& rect, const TImageView32& source, int alpha, TPoint point) {
    if (target.Empty() || source.Empty()) return;
    alpha = std::clamp(alpha, 0, 255);
    const int x0 = std::max({rect.Left, 0, rect.Left - point.X});
    const int y0 = std::max({rect.Top, 0, rect.Top - point.Y});
    const int x1 = std::min({rect.Right, target.Width, rect.Left + source.Width - point.X});
    const int y1 = std::min({rect.Bottom, target.Height, rect.Top + source.Height - point.Y});
    for (int y = y0; y < y1; ++y) {
        const uint8_t* s = source.Pixel(point.X + x0 - rect.Left, point.Y + y - rect.Top);
        uint8_t* t = target.Pixel(x0, y);
        for (int x = x0; x < x1; ++x, s += 4, t += 4) {
            if (s[3] == 0) continue;
            const int w = s[3] * alpha >> 8;
            for (int c = 0; c < 3; ++c) t[c] = uint8_t((t[c] * (255 - w) + s[c] * w) >> 8);
        }
    }
}

TRect PlaceHintRect(TSize size, TPoint point, const TRect& workArea) {
    TRect r{point.X + 8, point.Y + 16, point.X + 8 + size.cx, point.Y + 16 + size.cy};
    if (r.Right > workArea.Right) r = {workArea.Right - size.cx, r.Top, workArea.Right, r.Bottom};
    if (r.Bottom > workArea.Bottom) r = {r.Left, workArea.Bottom - size.cy, r.Right, workArea.Bottom};
    return r;
}

bool HintFadesIn(size_t textLength, bool tooltipAnimation, bool tooltipFade) {
    return textLength < 100 && tooltipAnimation && tooltipFade;
}

}  // namespace ad::skin
