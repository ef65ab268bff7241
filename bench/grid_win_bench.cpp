// The report grid in a real window under Wine: full repaints of a 1280 x 1024
// grid with 100 and 100k rows in the report and the slides view, a tree of
// 100k rows collapsed and expanded at its root next to the report view's
// repaint of the same rows, 200 line scrolls, a search of 100k rows and the
// import of 10k lines into a visible grid, and the import of 1M lines next to
// the bare parse of the same text. Prints one table.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "base/Streams.h"
#include "bench/BenchTiming.h"
#include "bench/GridBenchData.h"
#include "framework/Forms.h"
#include "grid/GridWindow.h"

using namespace ad;
using namespace ad::grid;
using namespace ad::bench;

namespace {

void PumpPending() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

struct TBenchGrid {
    TBenchGrid() {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 1300, 1060);
        grid = new TReportGridWindow(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 1280, 1024);
        for (int c = 0; c < 6; ++c) {
            auto* col = grid->Grid.Columns().AddNew<TRgTextColumn>();
            col->Header.SetCaption(u"Column " + std::u16string(1, static_cast<char16_t>(u'A' + c)));
            col->SetWidth(200);
        }
        grid->Grid.SetOptions(goHeader | goGrid | goSelectFullRow);
        form->Show();
        PumpPending();
    }
    void Fill(int rows) {
        TReportGrid& g = grid->Grid;
        g.BeginUpdate();
        g.ClearRows();
        g.AddRow(rows);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < 6; ++c) g.Cells().GetCell(c, r)->SetAsString(u"cell " + Latin1ToUtf16(std::to_string(r * 6 + c)));
        g.EndUpdate(true);
        PumpPending();
    }
    // Rows 1.. form chains of levels 1 to 9 under row 0, the root.
    void MakeTree() {
        TReportGrid& g = grid->Grid;
        MakeChainTree(g.Cells());
        g.Columns().Item(0)->TreeColumn = true;
        g.Invalidate();
        PumpPending();
    }
    double Repaint() {
        return Best(5, [&] {
            auto t = std::chrono::steady_clock::now();
            ::RedrawWindow(grid->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            return Millis(t);
        });
    }
    std::unique_ptr<TForm> form;
    TReportGridWindow* grid;
};

}  // namespace

int main() {
    TApplication application;
    TBenchGrid b;
    std::printf("%-40s %10s\n", "measure (grid 1280 x 1024, Wine)", "ms");
    TReportGrid& g = b.grid->Grid;
    for (int rows : {100, 100000}) {
        b.Fill(rows);
        double report = b.Repaint();
        g.SetGridStyle(gsSlides);
        g.SetSlideSize(48);
        g.Columns().Item(1)->SlideBounds.SetTop(26);
        double slides = b.Repaint();
        g.SetGridStyle(gsReport);
        std::string label = rows == 100 ? "100 rows" : "100k rows";
        std::printf("%-40s %10.2f\n", ("full repaint, " + label).c_str(), report);
        std::printf("%-40s %10.2f  (%.2f x report)\n", ("full repaint, slides view, " + label).c_str(), slides,
                    slides / report);
    }
    {
        // The tree: a root with 100k - 1 rows under it in chains of 9 levels.
        // Taken in turns with the report view's repaint of the same rows
        // (the first column without its tree), so that the changing load of
        // a shared machine falls on both alike; the best of 15 turns each.
        b.MakeTree();
        TRgCustomColumn* first = g.Columns().Item(0);
        HWND handle = b.grid->Handle();
        // Wall time (best turn) and this thread's processor time (all turns).
        struct TFigure {
            double Best = 1e300, Cpu = 0;
        };
        auto threadCpu = [] {
            FILETIME created, exited, kernel, user;
            ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
            auto ms = [](const FILETIME& f) { return (static_cast<double>(f.dwHighDateTime) * 4294967296.0 + f.dwLowDateTime) / 1e4; };
            return ms(kernel) + ms(user);
        };
        auto timed = [&](TFigure& figure, auto work) {
            double cpu = threadCpu();
            auto t = std::chrono::steady_clock::now();
            work();
            figure.Best = std::min(figure.Best, Millis(t));
            figure.Cpu += threadCpu() - cpu;
        };
        auto repaint = [&] { ::RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); };
        TFigure report, tree, collapse, expand;
        const int turns = 15;
        for (int k = 0; k < turns; ++k) {
            first->TreeColumn = false;
            timed(report, repaint);
            first->TreeColumn = true;
            timed(tree, repaint);
            timed(collapse, [&] {
                g.SetRowExpanded(0, false);
                ::UpdateWindow(handle);
            });
            timed(expand, [&] {
                g.SetRowExpanded(0, true);
                ::UpdateWindow(handle);
            });
        }
        std::printf("%-40s %10s %22s\n", "", "best ms", "processor ms (each)");
        auto print = [&](const char* label, const TFigure& f, bool ratio) {
            if (ratio)
                std::printf("%-40s %10.2f  (%.2f x)  %8.2f  (%.2f x)\n", label, f.Best, f.Best / report.Best, f.Cpu / turns,
                            f.Cpu / report.Cpu);
            else
                std::printf("%-40s %10.2f %10s %8.2f\n", label, f.Best, "", f.Cpu / turns);
        };
        print("full repaint, the tree's rows as report", report, false);
        print("full repaint, tree of 100k rows", tree, true);
        print("collapse the root (and paint)", collapse, true);
        print("expand the root (and paint)", expand, true);
        first->TreeColumn = false;
        b.Fill(100000);
    }
    {
        // The painting alone, into a bitmap in memory.
        HDC screen = ::GetDC(nullptr);
        HDC memory = ::CreateCompatibleDC(screen);
        HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 1280, 1024);
        ::ReleaseDC(nullptr, screen);
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        double ms = Best(5, [&] {
            auto t = std::chrono::steady_clock::now();
            b.grid->PaintTo(memory);
            return Millis(t);
        });
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
        std::printf("%-40s %10.2f\n", "paint into memory, 100k rows", ms);
    }
    HWND wnd = b.grid->Handle();
    auto t = std::chrono::steady_clock::now();
    for (int k = 0; k < 200; ++k) {
        ::SendMessageW(wnd, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
        ::UpdateWindow(wnd);
    }
    std::printf("%-40s %10.2f\n", "200 line scrolls (each painted)", Millis(t));
    g.SetCellText(3, 99990, u"needle");
    double search = Best(3, [&] {
        g.SetSelectedRow(0);
        auto s = std::chrono::steady_clock::now();
        g.SearchColumn(3, u"needle", true);
        return Millis(s);
    });
    std::printf("%-40s %10.2f\n", "search of 100k rows (match at the end)", search);
    std::string text;
    for (int k = 0; k < 10000; ++k) text += "Program " + std::to_string(k) + ";C:\\Apps\\app.exe;" + std::to_string(k) + "\n";
    double import = Best(3, [&] {
        g.ClearRows();
        TReadOnlyMemoryStream source(text.data(), text.size());
        auto s = std::chrono::steady_clock::now();
        g.LoadFromStream(source, u';', 0, u'|');
        PumpPending();
        return Millis(s);
    });
    std::printf("%-40s %10.2f\n", "import of 10k lines into the visible grid", import);

    // The import of 1M lines against the bare parse of the same text (the
    // fields handed to a sink that only counts them), in a grid off screen.
    std::string big = ImportText(1000000);
    double bare = Best(3, [&] {
        TFieldCount count;
        return TimedParse(big, count);
    });
    b.form->Hide();
    g.ClearRows();
    while (g.Columns().Count() > 3) g.Columns().Remove(g.Columns().Item(g.Columns().Count() - 1));
    double bigImport = Best(3, [&] {
        g.ClearRows();
        TReadOnlyMemoryStream source(big.data(), big.size());
        auto s = std::chrono::steady_clock::now();
        g.LoadFromStream(source, u'\t', 0, u'|');
        return Millis(s);
    });
    std::printf("%-40s %10.2f\n", "bare parse of 1M lines", bare);
    std::printf("%-40s %10.2f  (%.2f x bare parse)\n", "import of 1M lines", bigImport, bigImport / bare);
    return 0;
}
