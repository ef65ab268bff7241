// The octree colour quantizer. Nodes live in one array with a free list, so
// building a palette allocates a handful of times however large the picture.
#include "gif/GIFQuantizer.h"

#include <algorithm>

#include "gif/GIFColorReduction.h"

namespace ad::gif {

TColorQuantizer::TColorQuantizer(int targetColors, int depth)
    : target_(std::clamp(targetColors, 1, 256)), depth_(std::clamp(depth, 1, 8)) {
    std::fill(std::begin(reducible_), std::end(reducible_), -1);
    nodes_.reserve(size_t(target_) * size_t(depth_) * 2 + 16);
}

int TColorQuantizer::NewNode(int level) {
    int index;
    if (!free_.empty()) {
        index = free_.back();
        free_.pop_back();
        nodes_[size_t(index)] = Node();
    } else {
        index = int(nodes_.size());
        nodes_.emplace_back();
    }
    Node& n = nodes_[size_t(index)];
    if (level == depth_) {
        n.Leaf = true;
        ++leaves_;
    } else {
        n.NextReducible = reducible_[level];
        reducible_[level] = index;
    }
    return index;
}

void TColorQuantizer::FreeNode(int index) {
    Node& n = nodes_[size_t(index)];
    for (int32_t& child : n.Children)
        if (child >= 0) {
            FreeNode(child);
            child = -1;
        }
    free_.push_back(index);
}

void TColorQuantizer::AddColor(uint8_t red, uint8_t green, uint8_t blue) {
    if (nodes_.empty()) NewNode(0);
    int node = 0;
    for (int level = 0;; ++level) {
        Node* n = &nodes_[size_t(node)];
        if (n->Leaf) {
            ++n->Hits;
            n->SumR += red;
            n->SumG += green;
            n->SumB += blue;
            break;
        }
        int shift = 7 - level;
        int child = ((red >> shift) & 1) << 2 | ((green >> shift) & 1) << 1 | ((blue >> shift) & 1);
        if (n->Children[child] < 0) {
            int made = NewNode(level + 1);  // may move the array
            nodes_[size_t(node)].Children[child] = made;
        }
        node = nodes_[size_t(node)].Children[child];
    }
    while (leaves_ > target_ && Reduce()) {
    }
}

bool TColorQuantizer::Reduce() {
    int level = depth_ - 1;
    while (level > 0 && reducible_[level] < 0) --level;
    int index = reducible_[level];
    if (index < 0) return false;  // only the root is left, and it is a leaf
    Node& n = nodes_[size_t(index)];
    reducible_[level] = n.NextReducible;
    int children = 0;
    for (int32_t& c : n.Children) {
        if (c < 0) continue;
        Node& child = nodes_[size_t(c)];
        n.Hits += child.Hits;
        n.SumR += child.SumR;
        n.SumG += child.SumG;
        n.SumB += child.SumB;
        ++children;
        FreeNode(c);
        c = -1;
    }
    n.Leaf = true;
    leaves_ += 1 - children;
    return true;
}

void TColorQuantizer::Build(const TDIBReader& reader) {
    for (int y = 0; y < reader.Height(); ++y) {
        const uint8_t* p = reader.ScanLine(y);
        for (int x = 0; x < reader.Width(); ++x, p += 3) AddColor(p[2], p[1], p[0]);
    }
}

void TColorQuantizer::Walk(int node, TGIFPalette& out) const {
    const Node& n = nodes_[size_t(node)];
    if (n.Leaf) {
        if (n.Hits == 0)
            out.push_back({});
        else
            out.push_back({uint8_t(n.SumR / n.Hits), uint8_t(n.SumG / n.Hits), uint8_t(n.SumB / n.Hits)});
        return;
    }
    for (int32_t c : n.Children)
        if (c >= 0) Walk(c, out);
}

TGIFPalette TColorQuantizer::ColorTable() const {
    TGIFPalette out;
    if (!nodes_.empty()) Walk(0, out);
    return out;
}

TGIFPalette CreateOptimizedPaletteFromSingleBitmap(const TDIBReader& reader, int colors, int /*colorBits*/,
                                                   bool keepSystemColors) {
    TGIFPalette palette(256);
    const TGIFPalette& system = GIFSystemPalettes().Default20;
    int first = 0, count = std::clamp(colors, 1, 256), size = count;
    if (keepSystemColors && system.size() >= 20) {
        for (int i = 0; i < 10; ++i) {
            palette[size_t(i)] = system[size_t(i)];
            palette[size_t(246 + i)] = system[system.size() - 10 + size_t(i)];
        }
        first = 10;
        count = 236;
        size = 256;
    }
    TColorQuantizer quantizer(count, 8);
    quantizer.Build(reader);
    TGIFPalette table = quantizer.ColorTable();
    for (size_t i = 0; i < table.size() && i < size_t(count); ++i) palette[size_t(first) + i] = table[i];
    palette.resize(size_t(size));
    return palette;
}

}  // namespace ad::gif
