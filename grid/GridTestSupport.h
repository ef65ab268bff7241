// Test doubles shared by the grid's tests: a fixed clock, counting GUIDs and a
// column source with chosen kinds.
#pragma once

#include <vector>

#include "grid/CellStore.h"

namespace ad::gridtest {

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

}  // namespace ad::gridtest
