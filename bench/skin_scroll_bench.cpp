// The skinned scroll bars of adapted windows under Wine: dragging the thumb
// of a list box of 10,000 items from the top of the track to its bottom and
// back, time and C++ heap allocations per mouse move, next to the same
// positions sent as SB_THUMBTRACK to an unskinned list box (what the
// system's own drag delivers). The skin is the program's built-in one.
// Prints one table.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

#include "bench/SkinBenchSetup.h"
#include "bench/BenchTiming.h"
#include "skin/adapters/SkEditWnd.h"
#include "skin/engine/win/SkinManager.h"

using namespace ad;
using namespace ad::skin;
using namespace ad::skin::adapters;
using ad::bench::Millis;

namespace {
std::atomic<long> g_allocations{0};
}  // namespace

// Counting replacements of the global allocation functions (malloc and free
// underneath, as the runtime's own).
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

constexpr int kItems = 10000;

HWND MakeList(HWND host, int x) {
    HWND list = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL |
                                  LBS_NOINTEGRALHEIGHT, x, 10, 200, 300, host, nullptr, ::GetModuleHandleW(nullptr),
                                  nullptr);
    ::SendMessageW(list, WM_SETFONT, WPARAM(::GetStockObject(DEFAULT_GUI_FONT)), 0);
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < kItems; ++i) ::SendMessageW(list, LB_ADDSTRING, 0, LPARAM(L"a list item"));
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    return list;
}

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

struct TFigures {
    double Millis = 0;
    long Allocations = 0;
    int Moves = 0;
};

// A drag of the skinned bar's thumb down the track and back up.
TFigures DragSkinned(HWND list, TSkEditWnd& adapter, std::vector<int>& positions) {
    TSkScrollBar& bar = adapter.VertBar();
    const TRect rect = adapter.BarRect(bar);
    const controls::TScrollGeometry g = adapter.Geometry(bar, rect);
    const int x = (rect.Left + rect.Right) / 2;
    const int top = rect.Top + g.Thumb.Top + g.ThumbSize / 2;
    ::SendMessageW(list, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(x, top));
    std::vector<LPARAM> moves;
    for (int y = top; y <= rect.Bottom; ++y) moves.push_back(MAKELPARAM(x, y));
    for (int y = rect.Bottom; y >= top; --y) moves.push_back(MAKELPARAM(x, y));
    for (LPARAM& m : moves) {
        POINT p{short(LOWORD(m)), short(HIWORD(m))};
        ::ScreenToClient(list, &p);
        m = MAKELPARAM(WORD(short(p.x)), WORD(short(p.y)));
    }
    positions.clear();
    positions.reserve(moves.size());
    TFigures f;
    const long before = g_allocations;
    const auto start = std::chrono::steady_clock::now();
    for (LPARAM m : moves) {
        ::SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, m);
        positions.push_back(ScrollMouse().LastPos);
    }
    f.Millis = Millis(start);
    f.Allocations = g_allocations - before;
    f.Moves = int(moves.size());
    ::SendMessageW(list, WM_LBUTTONUP, 0, moves.back());
    return f;
}

// The same positions sent to an unskinned list box, each set as the bar's
// position first as the system's own drag sets its track position (the list
// box reads that).
TFigures TrackUnskinned(HWND list, const std::vector<int>& positions) {
    TFigures f;
    const long before = g_allocations;
    const auto start = std::chrono::steady_clock::now();
    for (int pos : positions) {
        SCROLLINFO si{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, pos, 0};
        ::SetScrollInfo(list, SB_VERT, &si, FALSE);
        ::SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, WORD(std::min(pos, 0xFFFF))), 0);
    }
    f.Millis = Millis(start);
    f.Allocations = g_allocations - before;
    f.Moves = int(positions.size());
    ::SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, WORD(std::min(positions.back(), 0xFFFF))), 0);
    ::SendMessageW(list, WM_VSCROLL, SB_ENDSCROLL, 0);
    return f;
}

}  // namespace

int main() {
    auto manager = ad::bench::StartBuiltInSkin();
    if (!manager) return 1;
    HWND host = ::CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0,
                                  460, 360, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    HWND skinned = MakeList(host, 10);
    HWND plain = MakeList(host, 230);
    auto adapter = TSkMainWnd::Create<TSkEditWnd>(skinned, nullptr, manager.get(), TSkSkinParams{});
    Pump();

    std::vector<int> positions;
    DragSkinned(skinned, *adapter, positions);  // warm-up: caches and bitmaps made once
    TrackUnskinned(plain, positions);
    TFigures best{1e300, 0, 0}, peer{1e300, 0, 0};
    for (int run = 0; run < 5; ++run) {
        const TFigures s = DragSkinned(skinned, *adapter, positions);
        if (s.Millis < best.Millis) best = s;
        const TFigures p = TrackUnskinned(plain, positions);
        if (p.Millis < peer.Millis) peer = p;
    }
    std::printf("%-48s %14s %14s\n", "list box thumb drag, 10,000 items (Wine)", "skinned", "unskinned");
    std::printf("%-48s %14d %14d\n", "mouse moves (down the track and back)", best.Moves, peer.Moves);
    std::printf("%-48s %11.3f ms %11.3f ms\n", "whole drag", best.Millis, peer.Millis);
    std::printf("%-48s %11.3f us %11.3f us\n", "per move", 1000.0 * best.Millis / best.Moves,
                1000.0 * peer.Millis / peer.Moves);
    std::printf("%-48s %14.2f %14.2f\n", "C++ heap allocations per move", double(best.Allocations) / best.Moves,
                double(peer.Allocations) / peer.Moves);
    adapter.reset();
    ::DestroyWindow(host);
    manager.reset();
    ad::skin::InstallSkinEngineLinks({});
    return 0;
}
