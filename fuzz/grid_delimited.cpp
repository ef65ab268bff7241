// Fuzz target: the delimited-text reader over any bytes, separator, skip
// count and line-break character (taken from the first bytes), into a store
// of text and number columns. Only conversion errors of number cells, the
// read error of a UTF-16 text of odd length and a field beyond the last
// column may end a load; nothing may crash.
#include <cstdint>
#include <cstring>

#include "grid/CellStore.h"
#include "grid/DelimitedText.h"

namespace {
struct TColumns : ad::grid::IColumnSource {
    int ColumnCount() const override { return 3; }
    ad::grid::TColumnAttrs ColumnAttrs(int index) const override { return {static_cast<std::uint8_t>(index == 2 ? 4 : 8)}; }
};

// Rows into the store; a field beyond the last column ends the load, as it
// does for a grid.
struct TOutOfBounds {};
class TStoreSink : public ad::grid::IDelimitedSink {
public:
    explicit TStoreSink(ad::grid::TCells& cells) : cells_(cells) {}
    void AddRow() override { cells_.AddRows(1); }
    void SetCellText(int col, int row, const std::u16string& text) override {
        if (col < 0 || col >= cells_.ColumnCount) throw TOutOfBounds{};
        cells_.GetCell(col, row)->SetAsString(text);
    }

private:
    ad::grid::TCells& cells_;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    char16_t separator = data[0] % 2 ? u';' : u'\t';
    int skip = data[1] % 4;
    char16_t lineBreak = data[2] % 2 ? u'|' : u'\x01';
    TColumns columns;
    ad::grid::TCells store(nullptr, &columns);
    for (int c = 0; c < 3; ++c) store.AppendColumn();
    ad::TReadOnlyMemoryStream source(data + 3, size - 3);
    TStoreSink sink(store);
    try {
        ad::grid::ParseDelimitedText(source, separator, skip, lineBreak, sink);
    } catch (const ad::EConvertError&) {
    } catch (const ad::EReadError&) {
    } catch (const TOutOfBounds&) {
    }
    return 0;
}
