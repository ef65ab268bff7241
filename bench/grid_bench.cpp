// Native benchmark of the grid model: filling a store, sorting by every sort
// type on random, sorted, reversed and all-equal data (std::sort on the same
// pre-read keys as a peer), reading delimited text, importing it into a grid
// next to the bare parse of the same text, and repainting 100k rows as a
// report and as a tree. Prints one table per part.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "bench/BenchTiming.h"
#include "bench/GridBenchData.h"
#include "grid/CellStore.h"
#include "grid/DelimitedText.h"
#include "grid/GridTestFixture.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

using namespace ad;
using namespace ad::grid;
using namespace ad::bench;

namespace {

struct TColumns : IColumnSource {
    int ColumnCount() const override { return 6; }
    TColumnAttrs ColumnAttrs(int index) const override { return {static_cast<std::uint8_t>(index == 1 ? 4 : 8)}; }
};

std::u16string U(const std::string& s) { return Latin1ToUtf16(s); }

// A canvas that only counts what it is asked to draw, so that a repaint
// measures the grid's own work; text is measured with a fixed cell.
class TCountingCanvas : public ICanvas {
public:
    TSize TextExtent(std::u16string_view text) override { return {static_cast<int>(text.size()) * 7, 13}; }
    TRect CalcTextRect(std::u16string_view text, const TRect& r, unsigned) override {
        return TRect{r.Left, r.Top, r.Left + static_cast<int>(text.size()) * 7, r.Top + 13};
    }
    void DrawText(std::u16string_view, const TRect&, unsigned) override { ++Calls; }
    void DrawTurnedText(std::u16string_view, const TRect&, unsigned) override { ++Calls; }
    TBrushStyle BrushStyle() const override { return brush_; }
    void SetBrushStyle(TBrushStyle style) override { brush_ = style; }
    void FillRect(const TRect&, TColor) override { ++Calls; }
    void FrameRect(const TRect&, TColor) override { ++Calls; }
    void DrawFocusRect(const TRect&) override { ++Calls; }
    void ClipToRect(const TRect&, bool) override {}
    void SetFont(std::u16string_view, int, std::uint8_t) override {}
    void SetTextColor(TColor color) override { textColor_ = color; }
    TColor TextColor() const override { return textColor_; }
    void Line(int, int, int, int, TColor) override { ++Calls; }
    void Polygon(const std::vector<TPoint>&, TColor, TColor) override { ++Calls; }
    void InvertRect(const TRect&) override { ++Calls; }
    std::vector<std::uint32_t> ReadPixels(const TRect& r) override {
        return std::vector<std::uint32_t>(static_cast<size_t>(std::max(r.Width(), 0) * std::max(r.Height(), 0)));
    }
    void WritePixels(const TRect&, const std::vector<std::uint32_t>&) override {}

    long Calls = 0;

private:
    TBrushStyle brush_ = bsSolid;
    TColor textColor_ = 0;
};

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

// Full repaints of a 1280 x 1024 grid of 100k rows into a counting canvas:
// the report view, then the same rows as a tree (a root with chains of nine
// levels under it) and the root collapsed and expanded again.
void TreeRepaints() {
    const int rows = 100000;
    gridtest::TGridFixture f(6);
    f.window.Size = TSize{1280, 1024};
    TReportGrid& g = f.grid;
    g.SetOptions(goHeader | goGrid | goSelectFullRow);
    for (int c = 0; c < 6; ++c) g.Columns().Item(c)->SetWidth(200);
    // Filled inside an update: each cell's change would look for its row's
    // place from the top row down.
    g.BeginUpdate();
    g.AddRow(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < 6; ++c) g.Cells().GetCell(c, r)->SetAsString(U("cell " + std::to_string(r * 6 + c)));
    g.EndUpdate(true);
    TCountingCanvas canvas;
    const TRect all{0, 0, 1280, 1024};
    auto repaint = [&] {
        return Best(7, [&] {
            auto t = std::chrono::steady_clock::now();
            g.Paint(canvas, all);
            return Millis(t);
        });
    };
    double report = repaint();
    MakeChainTree(g.Cells());
    g.Columns().Item(0)->TreeColumn = true;
    double tree = repaint();
    double collapse = 1e300, expand = 1e300;
    for (int k = 0; k < 7; ++k) {
        auto t = std::chrono::steady_clock::now();
        g.SetRowExpanded(0, false);
        g.Paint(canvas, all);
        collapse = std::min(collapse, Millis(t));
        t = std::chrono::steady_clock::now();
        g.SetRowExpanded(0, true);
        g.Paint(canvas, all);
        expand = std::min(expand, Millis(t));
    }
    std::printf("\n%-40s %10s\n", "repaint 1280 x 1024, 100k rows", "ms");
    std::printf("%-40s %10.3f\n", "report view", report);
    std::printf("%-40s %10.3f  (%.2f x report)\n", "tree column", tree, tree / report);
    std::printf("%-40s %10.3f  (%.2f x report)\n", "collapse the root (and paint)", collapse, collapse / report);
    std::printf("%-40s %10.3f  (%.2f x report)\n", "expand the root (and paint)", expand, expand / report);
}

void FillAndSort() {
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
}

// Page faults of the process so far: fresh memory the system maps in when it
// is first touched.
long PageFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// The best time of three runs, with the fewest page faults of one run.
struct TRunFigure {
    double Ms = 1e300;
    long Faults = 0;
};
template <class F>
TRunFigure Measure(F run) {
    TRunFigure best;
    for (int k = 0; k < 3; ++k) {
        long faults = PageFaults();
        double ms = run();
        faults = PageFaults() - faults;
        best.Ms = std::min(best.Ms, ms);
        best.Faults = k == 0 ? faults : std::min(best.Faults, faults);
    }
    return best;
}

// The import into a grid of three text columns next to the bare parse of the
// same text (a sink that only counts the fields) and the parse that keeps
// every field as a string, with the page faults of one run.
void Imports(const char* title = nullptr) {
    std::printf("\n%s\n%-9s %20s %20s %8s %20s\n", title ? title : "import of delimited text", "lines",
                "grid import ms (pf)", "bare parse ms (pf)", "ratio", "keep fields ms (pf)");
    for (int lines : {10000, 100000, 1000000}) {
        std::string text = ImportText(lines);
        struct TKeep : IDelimitedSink {
            std::vector<std::vector<std::u16string>> rows;
            void AddRow() override { rows.emplace_back(); }
            void SetCellText(int, int, const std::u16string& t) override { rows.back().push_back(t); }
        };
        TRunFigure bare = Measure([&] {
            TFieldCount count;
            return TimedParse(text, count);
        });
        TRunFigure keep = Measure([&] {
            TKeep kept;
            return TimedParse(text, kept);
        });
        TRunFigure import = Measure([&] {
            gridtest::TGridFixture f(3);
            TReadOnlyMemoryStream source(text.data(), text.size());
            auto t = std::chrono::steady_clock::now();
            f.grid.LoadFromStream(source, u'\t', 0, u'|');
            return Millis(t);
        });
        auto cell = [](const TRunFigure& f) {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%.1f (%ld)", f.Ms, f.Faults);
            return std::string(buf);
        };
        std::printf("%-9d %20s %20s %8.2f %20s\n", lines, cell(import).c_str(), cell(bare).c_str(), import.Ms / bare.Ms,
                    cell(keep).c_str());
    }
}

void ParseAndImport() {
    // Parsing: about 30 MB of tab-separated text with some quoted fields.
    std::string text;
    std::mt19937 rng(1);
    while (text.size() < 30u << 20) {
        text += "Some program name " + std::to_string(rng() % 100000) + "\t\"C:\\Program Files\\App\\app.exe\"\t";
        text += std::to_string(rng() % 1000) + ".5\tA description of the program with a few words\n";
    }
    double parse = Best(3, [&] {
        TFieldCount count;
        return TimedParse(text, count);
    });
    std::printf("%-34s %10.1f  (%.0f MB/s)\n", "parse 30 MB delimited text", parse, text.size() / 1e6 / (parse / 1e3));

    Imports();
}

}  // namespace

int main(int argc, char** argv) {
    // "sort", "import" or "tree" runs that part alone (for a profiler).
    std::string only = argc > 1 ? argv[1] : "";
    if (only.empty() || only == "sort") FillAndSort();
    if (only.empty() || only == "import") ParseAndImport();
    if (only.empty() || only == "tree") TreeRepaints();
#ifdef __GLIBC__
    if (only.empty() || only == "import") {
        // Last, since it holds for the rest of the process: the allocator
        // keeps what is given back (no trimming, no mappings of their own for
        // blocks below 32 MB), so that the second and third runs find their
        // memory mapped and the figures show the work without the system's
        // first touch of fresh pages, which costs a virtual machine far more
        // than real hardware.
        mallopt(M_TRIM_THRESHOLD, std::numeric_limits<int>::max());
        mallopt(M_MMAP_THRESHOLD, 32 << 20);
        Imports("the same with the memory of an earlier run kept mapped");
    }
#endif
    return 0;
}
