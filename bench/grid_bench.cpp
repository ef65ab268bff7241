// Native benchmark of the grid model: filling a store, sorting by every sort
// type on random, sorted, reversed and all-equal data, and reading delimited
// text; std::sort on the same pre-read keys as a peer. Prints one table.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "bench/BenchTiming.h"
#include "grid/CellStore.h"
#include "grid/DelimitedText.h"
#include "grid/GridTestFixture.h"

using namespace ad;
using namespace ad::grid;
using ad::bench::Best;
using ad::bench::Millis;

namespace {

struct TColumns : IColumnSource {
    int ColumnCount() const override { return 6; }
    TColumnAttrs ColumnAttrs(int index) const override { return {static_cast<std::uint8_t>(index == 1 ? 4 : 8)}; }
};

std::u16string U(const std::string& s) { return Latin1ToUtf16(s); }

// Column 0 text, 1 float, 2 mixed-case text, 3 IP, 4 dates, 5 Booleans.
std::vector<std::vector<std::string>> MakeData(int rows, const char* order) {
    std::mt19937 rng(42);
    std::vector<int> keys(static_cast<size_t>(rows));
    for (int r = 0; r < rows; ++r) keys[static_cast<size_t>(r)] = std::string(order) == "equal" ? 7 : static_cast<int>(rng() % 1000000);
    if (std::string(order) == "sorted") std::sort(keys.begin(), keys.end());
    if (std::string(order) == "reversed") std::sort(keys.rbegin(), keys.rend());
    std::vector<std::vector<std::string>> data(6, std::vector<std::string>(static_cast<size_t>(rows)));
    for (int r = 0; r < rows; ++r) {
        int k = keys[static_cast<size_t>(r)];
        char buf[64];
        std::snprintf(buf, sizeof buf, "item%07d", k);
        data[0][static_cast<size_t>(r)] = buf;
        std::snprintf(buf, sizeof buf, "%d.%02d", k / 100, k % 100);
        data[1][static_cast<size_t>(r)] = buf;
        std::snprintf(buf, sizeof buf, "%cTEM%07d", (k & 1) ? 'I' : 'i', k);
        data[2][static_cast<size_t>(r)] = buf;
        std::snprintf(buf, sizeof buf, "10.%d.%d.%d", k >> 16 & 255, k >> 8 & 255, k & 255);
        data[3][static_cast<size_t>(r)] = buf;
        std::snprintf(buf, sizeof buf, "%d/%d/%d", 1 + k % 12, 1 + k % 28, 1990 + k % 30);
        data[4][static_cast<size_t>(r)] = buf;
        data[5][static_cast<size_t>(r)] = (k & 1) ? "True" : "False";
    }
    return data;
}

void Fill(TCells& store, const std::vector<std::vector<std::string>>& data) {
    int rows = static_cast<int>(data[0].size());
    store.AddRows(rows);
    for (int c = 0; c < 6; ++c)
        for (int r = 0; r < rows; ++r) store.GetCell(c, r)->SetAsString(U(data[static_cast<size_t>(c)][static_cast<size_t>(r)]));
}

}  // namespace

int main() {
    const int rows = 100000;
    TColumns columns;
    std::printf("%-34s %10s\n", "measure (100k rows)", "ms");

    double fill = Best(3, [&] {
        auto data = MakeData(rows, "random");
        TCells store(nullptr, &columns);
        for (int c = 0; c < 6; ++c) store.AppendColumn();
        auto t = std::chrono::steady_clock::now();
        Fill(store, data);
        return Millis(t);
    });
    std::printf("%-34s %10.1f\n", "fill 100k x 6", fill);

    struct Sort { const char* name; int col; TSortType type; };
    const Sort sorts[] = {{"stAlphabetic", 0, stAlphabetic}, {"stCaseInsensitive", 2, stCaseInsensitive},
                          {"stUnicodeAlphabetic", 0, stUnicodeAlphabetic}, {"stNumeric", 1, stNumeric},
                          {"stDate", 4, stDate}, {"stIP", 3, stIP}, {"stBoolean", 5, stBoolean},
                          {"stCustom (text handler)", 0, stCustom}};
    for (const char* order : {"random", "sorted", "reversed", "equal"}) {
        auto data = MakeData(rows, order);
        TCells store(nullptr, &columns);
        for (int c = 0; c < 6; ++c) store.AppendColumn();
        Fill(store, data);
        store.OnCompareCells = [](TCells*, TCell* a, TCell* b, std::int32_t& c) { c = a->AsString().compare(b->AsString()); };
        for (const Sort& s : sorts) {
            double ms = Best(3, [&] {
                // Back to the generated order first, so every run sorts the same input.
                store.SortRows(0, stAlphabetic, false, true);
                if (std::string(order) == "reversed") store.SortRows(0, stAlphabetic, true, true);
                auto t = std::chrono::steady_clock::now();
                store.SortRows(s.col, s.type, false, true);
                return Millis(t);
            });
            std::printf("sort %-8s %-21s %10.1f\n", order, s.name, ms);
        }
        // Peer: std::sort on the same text keys.
        double peer = Best(3, [&] {
            std::vector<std::u16string> keys;
            for (auto& s : data[0]) keys.push_back(U(s));
            auto t = std::chrono::steady_clock::now();
            std::sort(keys.begin(), keys.end());
            return Millis(t);
        });
        std::printf("sort %-8s %-21s %10.1f\n", order, "peer std::sort text", peer);
    }

    // Parsing: about 30 MB of tab-separated text with some quoted fields.
    std::string text;
    std::mt19937 rng(1);
    while (text.size() < 30u << 20) {
        text += "Some program name " + std::to_string(rng() % 100000) + "\t\"C:\\Program Files\\App\\app.exe\"\t";
        text += std::to_string(rng() % 1000) + ".5\tA description of the program with a few words\n";
    }
    struct TCount : IDelimitedSink {
        size_t fields = 0;
        void AddRow() override {}
        void SetCellText(int, int, const std::u16string&) override { ++fields; }
    } sink;
    double parse = Best(3, [&] {
        TReadOnlyMemoryStream source(text.data(), text.size());
        auto t = std::chrono::steady_clock::now();
        ParseDelimitedText(source, u'\t', 0, u'|', sink);
        return Millis(t);
    });
    std::printf("%-34s %10.1f  (%.0f MB/s)\n", "parse 30 MB delimited text", parse, text.size() / 1e6 / (parse / 1e3));

    // Import into a grid against the same parse into memory alone: both grow
    // linearly with the number of lines.
    std::printf("\n%-12s %14s %14s %8s\n", "lines", "grid import ms", "parse only ms", "ratio");
    for (int lines : {10000, 100000, 1000000}) {
        std::string rowsText;
        for (int k = 0; k < lines; ++k)
            rowsText += "Program " + std::to_string(k) + "\tC:\\Apps\\app" + std::to_string(k) + ".exe\t" + std::to_string(k % 977) + "\n";
        struct TKeep : IDelimitedSink {
            std::vector<std::vector<std::u16string>> rows;
            void AddRow() override { rows.emplace_back(); }
            void SetCellText(int, int, const std::u16string& t) override { rows.back().push_back(t); }
        };
        double parseOnly = Best(3, [&] {
            TKeep keep;
            TReadOnlyMemoryStream source(rowsText.data(), rowsText.size());
            auto t = std::chrono::steady_clock::now();
            ParseDelimitedText(source, u'\t', 0, u'|', keep);
            return Millis(t);
        });
        double import = Best(3, [&] {
            gridtest::TGridFixture f(3);
            TReadOnlyMemoryStream source(rowsText.data(), rowsText.size());
            auto t = std::chrono::steady_clock::now();
            f.grid.LoadFromStream(source, u'\t', 0, u'|');
            return Millis(t);
        });
        std::printf("%-12d %14.1f %14.1f %8.2f\n", lines, import, parseOnly, import / parseOnly);
    }
    return 0;
}
