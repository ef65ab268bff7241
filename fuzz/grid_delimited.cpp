// Fuzz target: the delimited-text reader over any bytes, separator, skip
// count and line-break character (taken from the first bytes), into a store
// of text and number columns. Only conversion errors of number cells and the
// read error of a UTF-16 text of odd length may escape; nothing may crash.
#include <cstdint>
#include <cstring>

#include "grid/CellStore.h"
#include "grid/DelimitedText.h"

namespace {
struct TColumns : ad::grid::IColumnSource {
    int ColumnCount() const override { return 3; }
    ad::grid::TColumnAttrs ColumnAttrs(int index) const override { return {static_cast<std::uint8_t>(index == 2 ? 4 : 8)}; }
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
    ad::grid::TCellStoreSink sink(store);
    try {
        ad::grid::ParseDelimitedText(source, separator, skip, lineBreak, sink);
    } catch (const ad::EConvertError&) {
    } catch (const ad::EReadError&) {
    }
    return 0;
}
