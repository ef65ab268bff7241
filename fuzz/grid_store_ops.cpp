// Fuzz target: random sequences of store operations checked against a plain
// vector-of-rows model (each row keeps one tag per column, written as the
// cell's text). After each operation only what it could change is compared
// (the rows it wrote, moved or shifted next to); sorting is checked to keep
// every row whole and, for text keys, to order them; the whole store is
// compared once at the end.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "grid/CellStore.h"

namespace {
struct TColumns : ad::grid::IColumnSource {
    int ColumnCount() const override { return 8; }
    ad::grid::TColumnAttrs ColumnAttrs(int) const override { return {8}; }
};

struct TBytes {
    const std::uint8_t* data;
    std::size_t size, pos = 0;
    int Next(int range) { return range <= 0 ? 0 : (pos < size ? data[pos++] : 0) % range; }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TColumns columns;
    ad::grid::TCells store(nullptr, &columns);
    std::vector<std::vector<std::u16string>> model;  // rows of cell texts
    int cols = 0, serial = 0;
    TBytes in{data, size};
    auto checkSize = [&] {
        if (store.RowCount != static_cast<int>(model.size()) || store.ColumnCount != cols) std::abort();
    };
    auto checkRow = [&](int r) {
        if (r < 0 || r >= store.RowCount) return;
        for (int c = 0; c < cols; ++c)
            if (store.GetCell(c, r)->AsString() != model[r][c]) std::abort();
    };
    auto checkRows = [&](int from, int to) {
        for (int r = from; r < to; ++r) checkRow(r);
    };
    auto checkAll = [&] {
        checkSize();
        checkRows(0, store.RowCount);
    };
    while (in.pos < in.size) {
        int op = in.Next(9);
        int rows = static_cast<int>(model.size());
        switch (op) {
            case 0:
                if (cols < 8) {
                    store.AppendColumn();
                    for (auto& row : model) row.emplace_back();
                    ++cols;
                    // The new column is empty in every row.
                    checkSize();
                    for (int r = 0; r < store.RowCount; ++r)
                        if (!store.GetCell(cols - 1, r)->AsString().empty()) std::abort();
                }
                break;
            case 1: {
                int n = in.Next(4);
                store.AddRows(n);
                for (int k = 0; k < n; ++k) model.emplace_back(cols);
                if (cols == 0) { store.ClearRows(); model.clear(); }
                checkSize();
                checkRows(rows - 1, static_cast<int>(model.size()));
                break;
            }
            case 2: {
                if (cols == 0) break;
                int pos = in.Next(rows + 1), n = in.Next(3);
                store.InsertRows(pos, n);
                model.insert(model.begin() + pos, n, std::vector<std::u16string>(cols));
                checkSize();
                checkRows(pos - 1, pos + n + 1);
                break;
            }
            case 3:
                if (rows) {
                    int r = in.Next(rows);
                    store.DeleteRow(r);
                    model.erase(model.begin() + r);
                    checkSize();
                    checkRows(r - 1, r + 1);
                }
                break;
            case 4:
                if (rows) {
                    int a = in.Next(rows), b = in.Next(rows);
                    store.SwapRows(a, b);
                    std::swap(model[a], model[b]);
                    checkSize();
                    checkRow(a);
                    checkRow(b);
                }
                break;
            case 5:
                if (rows) {
                    int a = in.Next(rows), b = in.Next(rows);
                    store.MoveRow(a, b);
                    auto row = model[a];
                    model.erase(model.begin() + a);
                    model.insert(model.begin() + b, row);
                    // The moved row and the ends of the span that shifted.
                    checkSize();
                    checkRows(std::min(a, b) - 1, std::min(a, b) + 2);
                    checkRows(std::max(a, b) - 1, std::max(a, b) + 2);
                }
                break;
            case 6:
                if (rows && cols) {
                    int r = in.Next(rows), c = in.Next(cols);
                    std::u16string text(1, static_cast<char16_t>(u'a' + in.Next(4)));
                    text += ad::grid::Latin1ToUtf16(std::to_string(serial++));
                    store.GetCell(c, r)->SetAsString(text);
                    model[r][c] = text;
                    checkRow(r);
                }
                break;
            case 7:
                if (cols) {
                    int c = in.Next(cols);
                    auto type = static_cast<ad::grid::TSortType>(in.Next(8));
                    bool descending = in.Next(2);
                    bool full = in.Next(2);
                    try {
                        store.SortRows(c, type, descending, full);
                    } catch (const ad::EConvertError&) {
                    }
                    // Rows stay whole: every store row is one of the model's rows.
                    std::vector<std::vector<std::u16string>> now;
                    for (int r = 0; r < store.RowCount; ++r) {
                        std::vector<std::u16string> row;
                        for (int k = 0; k < cols; ++k) row.push_back(store.GetCell(k, r)->AsString());
                        now.push_back(row);
                    }
                    auto a = now, b = model;
                    std::sort(a.begin(), a.end());
                    std::sort(b.begin(), b.end());
                    if (a != b) std::abort();
                    // (Without a full sort the other direction only reverses the last
                    // order, whatever type that sort used.)
                    if (type == ad::grid::stAlphabetic && !descending && full && store.Sorted)
                        for (size_t r = 1; r < now.size(); ++r)
                            if (now[r - 1][c] > now[r][c]) std::abort();
                    model = now;
                    checkSize();
                }
                break;
            case 8:
                if (cols) {
                    int c = in.Next(cols);
                    store.DeleteColumn(c);
                    for (auto& row : model) row.erase(row.begin() + c);
                    --cols;
                    if (cols == 0) model.clear();
                    checkSize();
                    checkRows(0, std::min(store.RowCount, 4));
                }
                break;
        }
    }
    checkAll();
    return 0;
}
