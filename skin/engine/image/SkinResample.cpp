// Two-pass resampling of 32-bit bitmaps with seven filters (16.16 weight
// tables, mirrored edges) and the soft shadow painted from rounded rings.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "skin/engine/image/SkinBitmaps.h"

namespace ad::skin {

namespace {

const float kFilterRadius[7] = {0.51f, 1.0f, 1.0f, 1.5f, 2.0f, 3.0f, 2.0f};

double Sinc(double x) {
    if (x == 0) return 1;
    x *= std::numbers::pi;
    return std::sin(x) / x;
}

double FilterWeight(int filter, double r, double signedR) {
    switch (filter) {
        case 0: return (r <= 0.5 && signedR != -0.5) ? 1 : 0;
        case 1: return 1 - r;
        case 2: return (2 * r - 3) * r * r + 1;
        case 3: return r < 0.5 ? 0.75 - r * r : 0.5 * (r - 1.5) * (r - 1.5);
        case 4: return r < 1 ? r * r * r / 2 - r * r + 2.0 / 3 : (2 - r) * (2 - r) * (2 - r) / 6;
        case 5: return Sinc(r) * Sinc(r / 3);
        default:
            return r < 1 ? 7.0 / 6 * r * r * r - 2 * r * r + 8.0 / 9
                         : -7.0 / 18 * r * r * r + 2 * r * r - 10.0 / 3 * r + 16.0 / 9;
    }
}

struct Contributor {
    ptrdiff_t Offset;
    int Weight;
};
using WeightTable = std::vector<std::vector<Contributor>>;

// Weights for n target indexes over m source indexes, offsets in units of step.
// Each index's weights are scaled to sum to exactly 1.0 so that flat areas stay
// flat whatever the filter and the ratio.
WeightTable MakeWeights(int n, int m, ptrdiff_t step, int filter) {
    const double radius = kFilterRadius[filter];
    const double scale = n < m ? double(n) / m : 1.0;
    const double width = radius / scale;
    WeightTable table(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double centre = double(m) * i / n;
        std::vector<std::pair<int, double>> raw;
        double total = 0;
        for (int j = int(std::ceil(centre + width)); j >= int(std::floor(centre - width)); --j) {
            double d = (centre - j) * scale, r = std::fabs(d);
            if (r >= radius) continue;
            double w = FilterWeight(filter, r, d) * scale;
            if (w == 0) continue;
            int src = j < 0 ? -j : j >= m ? 2 * m - 1 - j : j;
            src = std::clamp(src, 0, m - 1);  // mirrors of very small sources
            raw.emplace_back(src, w);
            total += w;
        }
        auto& out = table[size_t(i)];
        if (raw.empty() || total == 0) {
            out.push_back({ptrdiff_t(std::clamp(int(centre), 0, m - 1)) * step, 65536});
            continue;
        }
        int sum = 0;
        size_t largest = 0;
        for (size_t k = 0; k < raw.size(); ++k) {
            int w = int(std::lround(raw[k].second / total * 65536));
            out.push_back({ptrdiff_t(raw[k].first) * step, w});
            sum += w;
            if (std::abs(w) > std::abs(out[largest].Weight)) largest = k;
        }
        out[largest].Weight += 65536 - sum;
    }
    return table;
}

uint8_t ToByte(int64_t sum) {
    if (sum < 0) return 0;
    if (sum < 0xFF0001) return uint8_t(sum >> 16);
    return 255;
}

void ApplyWeights(const std::vector<Contributor>& weights, const uint8_t* source, uint8_t* target) {
    int64_t s[4] = {0, 0, 0, 0};
    for (const Contributor& c : weights) {
        const uint8_t* p = source + c.Offset;
        for (int k = 0; k < 4; ++k) s[k] += int64_t(c.Weight) * p[k];
    }
    for (int k = 0; k < 4; ++k) target[k] = ToByte(s[k]);
}

// Fills a rounded rectangle (right and bottom exclusive) whose corners are
// quarter ellipses of the given diameter.
void FillRoundRect(const TImageView32& v, TRect r, int diameter, uint8_t level) {
    const double rr = std::min({double(diameter), double(r.Right - r.Left), double(r.Bottom - r.Top)}) / 2;
    for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, v.Height); ++y) {
        double cy = y + 0.5, dy = 0;
        if (cy < r.Top + rr) dy = r.Top + rr - cy;
        else if (cy > r.Bottom - rr) dy = cy - (r.Bottom - rr);
        int inset = 0;
        if (dy > 0 && rr > 0) inset = int(std::lround(rr - std::sqrt(std::max(0.0, rr * rr - dy * dy))));
        int x0 = std::max(r.Left + inset, 0), x1 = std::min(r.Right - inset, v.Width);
        for (int x = x0; x < x1; ++x) {
            uint8_t* p = v.Pixel(x, y);
            p[0] = p[1] = p[2] = level;
            p[3] = 0;
        }
    }
}

}  // namespace

void ResampleBitmap(const TImageView32& source, TBitmap32& target, int newWidth, int filter, int newHeight) {
    if (newHeight <= 0 || newWidth <= 0 || source.Empty() || source.Width <= 1 || source.Height <= 1) return;
    filter = std::clamp(filter, 0, 6);
    if (newWidth == source.Width && newHeight == source.Height) {
        if (target.View().Row0 != source.Row0) CopyBitmapFrom(target, source);
        return;
    }
    TBitmap32 work(newWidth, source.Height);
    if (work.Width() == 0) return;
    TImageView32 w = work.View();
    WeightTable horizontal = MakeWeights(newWidth, source.Width, 4, filter);
    for (int y = 0; y < source.Height; ++y) {
        const uint8_t* row = source.Pixel(0, y);
        uint8_t* out = w.Pixel(0, y);
        for (int x = 0; x < newWidth; ++x) ApplyWeights(horizontal[size_t(x)], row, out + 4 * x);
    }
    TBitmap32 result(newWidth, newHeight);
    if (result.Width() == 0) return;
    TImageView32 t = result.View();
    WeightTable vertical = MakeWeights(newHeight, source.Height, w.Distance, filter);
    for (int x = 0; x < newWidth; ++x) {
        const uint8_t* column = w.Pixel(x, 0);
        for (int y = 0; y < newHeight; ++y) ApplyWeights(vertical[size_t(y)], column, t.Pixel(x, y));
    }
    target = std::move(result);
}

void PaintSoftShadow(const TImageView32& v, const TRect& rect, int percent, int radius, int depth, TColor color) {
    TRect r = rect;
    r.Left = std::max(r.Left, 0);
    r.Top = std::max(r.Top, 0);
    r.Right = std::min(r.Right, v.Width);
    r.Bottom = std::min(r.Bottom, v.Height);
    if (v.Empty() || IsEmpty(r)) return;
    const int w = r.Right - r.Left, h = r.Bottom - r.Top;
    TBitmap32 copy(w, h), mask(w, h);
    if (copy.Width() == 0 || mask.Width() == 0) return;
    TImageView32 c = copy.View(), m = mask.View();
    for (int y = 0; y < h; ++y) std::memcpy(c.Pixel(0, y), v.Pixel(r.Left, r.Top + y), size_t(w) * 4);
    FillRect32(m, {0, 0, w, h}, 0xFFFFFF, 0);
    const int limit = std::min(w / 2, h / 2);
    depth = std::clamp(depth, 0, limit);
    radius = std::clamp(radius, 0, limit);
    const int a = std::clamp(percent, 0, 100) * 255 / 100;
    for (int k = 1; k <= depth; ++k) {
        int level = a + int(std::nearbyint(double(255 - a) / (depth + 1) * (depth + 1 - k)));
        FillRoundRect(m, {k, k, w - k, h - k}, radius, uint8_t(std::clamp(level, 0, 255)));
    }
    FillRoundRect(m, {depth, depth, w - depth, h - depth}, radius, uint8_t(a));
    MaskMixColor(c, m, color);
    for (int y = 0; y < h; ++y) std::memcpy(v.Pixel(r.Left, r.Top + y), c.Pixel(0, y), size_t(w) * 4);
}

}  // namespace ad::skin
