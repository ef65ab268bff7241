// What the two grid benchmarks share: the delimited text they import, the
// bare parse it is measured against, and the tree of 100k rows.
#pragma once

#include <chrono>
#include <string>

#include "base/Streams.h"
#include "bench/BenchTiming.h"
#include "grid/CellStore.h"
#include "grid/DelimitedText.h"

namespace ad::bench {

// Lines of three tab-separated fields: a name, a path and a number.
inline std::string ImportText(int lines) {
    std::string text;
    for (int k = 0; k < lines; ++k)
        text += "Program " + std::to_string(k) + "\tC:\\Apps\\app" + std::to_string(k) + ".exe\t" + std::to_string(k % 977) + "\n";
    return text;
}

// Milliseconds of one parse of the text into the sink.
inline double TimedParse(const std::string& text, grid::IDelimitedSink& sink) {
    TReadOnlyMemoryStream source(text.data(), text.size());
    auto t = std::chrono::steady_clock::now();
    grid::ParseDelimitedText(source, u'\t', 0, u'|', sink);
    return Millis(t);
}

// The bare parse: the fields are only counted.
struct TFieldCount : grid::IDelimitedSink {
    size_t Fields = 0;
    void AddRow() override {}
    void SetCellText(int, int, const std::u16string&) override { ++Fields; }
};

// Rows 1.. form chains of levels 1 to 9 under row 0, the root.
inline void MakeChainTree(grid::TCells& cells) {
    for (int r = 1; r < cells.RowCount; ++r) {
        grid::TRow* row = cells.GetRow(r);
        row->Level = 1 + (r - 1) % 9;
        grid::TRow* parent = cells.GetRow(row->Level == 1 ? 0 : r - 1);
        row->ParentRow = parent;
        ++parent->ChildCount;
    }
}

}  // namespace ad::bench
