// The octree colour quantizer: every pixel descends the tree by one bit of each
// channel per level, leaves sum their colours, and whenever there are more
// leaves than wanted the deepest reducible node is folded into a leaf; a
// depth-first walk gives the palette. Portable.
#pragma once

#include <cstdint>
#include <vector>

#include "gif/GIFDIB.h"

namespace ad::gif {

class TColorQuantizer {
public:
    // targetColors is clamped to 1..256, depth to 1..8.
    TColorQuantizer(int targetColors, int depth = 8);

    void AddColor(uint8_t red, uint8_t green, uint8_t blue);
    // Adds every pixel of a 24-bit reader, rows from the top.
    void Build(const TDIBReader& reader);
    // One entry per leaf, depth first, children in index order.
    TGIFPalette ColorTable() const;
    int Leaves() const { return leaves_; }

private:
    struct Node {
        uint64_t SumR = 0, SumG = 0, SumB = 0;  // 64-bit: no overflow however many pixels
        uint32_t Hits = 0;
        int32_t NextReducible = -1;
        int32_t Children[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
        bool Leaf = false;
    };
    int NewNode(int level);
    void FreeNode(int index);
    bool Reduce();  // false when nothing is left to fold
    void Walk(int node, TGIFPalette& out) const;

    std::vector<Node> nodes_;  // node 0 is the root once made
    std::vector<int32_t> free_;
    int32_t reducible_[8];
    int leaves_ = 0;
    int target_;
    int depth_;
};

// An optimised palette for a 24-bit reader: colors entries (1..256) from the
// quantizer, the rest black. With keepSystemColors the system's 10 + 10 static
// colours take entries 0-9 and 246-255 and 236 quantized colours lie between
// (256 entries in all).
TGIFPalette CreateOptimizedPaletteFromSingleBitmap(const TDIBReader& reader, int colors, int colorBits,
                                                   bool keepSystemColors);

}  // namespace ad::gif
