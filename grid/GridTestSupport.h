// Test doubles shared by the grid's tests: a fixed clock, counting GUIDs, a
// column source with chosen kinds, and 32-bit images from pixel words.
#pragma once

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/Bitmap32.h"

#include "grid/CellStore.h"

namespace ad::grid::gridtest {

class TFixedClock : public IClock {
public:
    double Today() const override { return Day; }
    double Day = 45000;  // 15 March 2023
};

class TCountingGuids : public IGuidSource {
public:
    TGuid NewGuid() override {
        TGuid g;
        g.Data1 = ++Count;
        return g;
    }
    std::uint32_t Count = 0;
};

class TKindColumns : public IColumnSource {
public:
    int ColumnCount() const override { return static_cast<int>(Attrs.size()); }
    TColumnAttrs ColumnAttrs(int index) const override { return Attrs[static_cast<size_t>(index)]; }
    void Add(std::uint8_t kind, TColor color = 0x123456, std::uint8_t style = 1, TColor fontColor = 0x0000FF) {
        Attrs.push_back({kind, color, style, fontColor});
    }
    std::vector<TColumnAttrs> Attrs;
};

// A width x height image of the given 0xAARRGGBB words (row by row); pixels
// not given stay 0.
inline TBitmap32 Image32(int width, int height, const std::vector<std::uint32_t>& pixels) {
    TBitmap32 image(width, height);
    const size_t count = static_cast<size_t>(image.Width()) * static_cast<size_t>(image.Height());
    if (count != 0) std::memcpy(image.View().Row0, pixels.data(), std::min(count, pixels.size()) * 4);
    return image;
}

}  // namespace ad::grid::gridtest
