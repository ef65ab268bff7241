// For the tests that read a saved list back the way the grid imports it: a
// sink that keeps the rows of fields.
#pragma once

#include <string>
#include <vector>

#include "grid/DelimitedText.h"

namespace ad::uni {

struct GridRowSink : grid::IDelimitedSink {
    std::vector<std::vector<std::u16string>> rows;
    void AddRow() override { rows.emplace_back(); }
    void SetCellText(int col, int, const std::u16string& text) override {
        if (rows.back().size() <= static_cast<size_t>(col)) rows.back().resize(static_cast<size_t>(col) + 1);
        rows.back()[static_cast<size_t>(col)] = text;
    }
};

}  // namespace ad::uni
