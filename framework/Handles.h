// RAII wrappers for Win32 handles: one owning type per handle kind, each with a
// borrowed (non-owning) counterpart for handles that are only lent to us.
#pragma once

#include <windows.h>

#include <utility>

namespace ad {

// Traits: Type, Invalid(), Close(h).
template <class Traits>
class BorrowedHandle;

template <class Traits>
class OwnedHandle {
public:
    using Type = typename Traits::Type;

    OwnedHandle() noexcept : h_(Traits::Invalid()) {}
    explicit OwnedHandle(Type h) noexcept : h_(h) {}
    OwnedHandle(OwnedHandle&& o) noexcept : h_(o.Release()) {}
    OwnedHandle& operator=(OwnedHandle&& o) noexcept {
        if (this != &o) Reset(o.Release());
        return *this;
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    ~OwnedHandle() { Reset(); }

    Type Get() const noexcept { return h_; }
    bool Valid() const noexcept { return h_ != Traits::Invalid(); }
    explicit operator bool() const noexcept { return Valid(); }

    // Gives up ownership without closing.
    Type Release() noexcept { return std::exchange(h_, Traits::Invalid()); }
    void Reset(Type h = Traits::Invalid()) noexcept {
        Type old = std::exchange(h_, h);
        if (old != Traits::Invalid()) Traits::Close(old);
    }
    // For out-parameters of API calls: closes what is held and hands out the slot.
    Type* Put() noexcept {
        Reset();
        return &h_;
    }
    BorrowedHandle<Traits> Borrow() const noexcept { return BorrowedHandle<Traits>(h_); }

private:
    Type h_;
};

template <class Traits>
class BorrowedHandle {
public:
    using Type = typename Traits::Type;

    BorrowedHandle() noexcept : h_(Traits::Invalid()) {}
    explicit BorrowedHandle(Type h) noexcept : h_(h) {}
    BorrowedHandle(const OwnedHandle<Traits>& o) noexcept : h_(o.Get()) {}  // NOLINT: lending is implicit

    Type Get() const noexcept { return h_; }
    bool Valid() const noexcept { return h_ != Traits::Invalid(); }
    explicit operator bool() const noexcept { return Valid(); }

private:
    Type h_;
};

struct KernelHandleTraits {  // events, processes, threads, mutexes: invalid is null
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::CloseHandle(h); }
};
struct FileHandleTraits {  // CreateFile and FindFirstChangeNotification: invalid is -1
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { ::CloseHandle(h); }
};
struct FindHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { ::FindClose(h); }
};
struct RegKeyTraits {
    using Type = HKEY;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::RegCloseKey(h); }
};
template <class T>
struct GdiObjectTraits {
    using Type = T;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DeleteObject(h); }
};
struct MemoryDCTraits {  // CreateCompatibleDC / CreateDC
    using Type = HDC;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DeleteDC(h); }
};
struct IconTraits {
    using Type = HICON;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DestroyIcon(h); }
};
struct ModuleTraits {
    using Type = HMODULE;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::FreeLibrary(h); }
};
struct MenuTraits {
    using Type = HMENU;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DestroyMenu(h); }
};

using OwnedKernelHandle = OwnedHandle<KernelHandleTraits>;
using KernelHandleRef = BorrowedHandle<KernelHandleTraits>;
using OwnedFile = OwnedHandle<FileHandleTraits>;
using FileRef = BorrowedHandle<FileHandleTraits>;
using OwnedFind = OwnedHandle<FindHandleTraits>;
using OwnedKey = OwnedHandle<RegKeyTraits>;
using KeyRef = BorrowedHandle<RegKeyTraits>;
using OwnedFont = OwnedHandle<GdiObjectTraits<HFONT>>;
using FontRef = BorrowedHandle<GdiObjectTraits<HFONT>>;
using OwnedBitmap = OwnedHandle<GdiObjectTraits<HBITMAP>>;
using BitmapRef = BorrowedHandle<GdiObjectTraits<HBITMAP>>;
using OwnedBrush = OwnedHandle<GdiObjectTraits<HBRUSH>>;
using BrushRef = BorrowedHandle<GdiObjectTraits<HBRUSH>>;
using OwnedPen = OwnedHandle<GdiObjectTraits<HPEN>>;
using PenRef = BorrowedHandle<GdiObjectTraits<HPEN>>;
using OwnedRegion = OwnedHandle<GdiObjectTraits<HRGN>>;
using RegionRef = BorrowedHandle<GdiObjectTraits<HRGN>>;
using OwnedMemoryDC = OwnedHandle<MemoryDCTraits>;
using OwnedIcon = OwnedHandle<IconTraits>;
using IconRef = BorrowedHandle<IconTraits>;
using OwnedModule = OwnedHandle<ModuleTraits>;
using ModuleRef = BorrowedHandle<ModuleTraits>;
using OwnedMenu = OwnedHandle<MenuTraits>;
using MenuRef = BorrowedHandle<MenuTraits>;

// A window's DC from GetDC, released on scope exit.
class WindowDC {
public:
    explicit WindowDC(HWND wnd) : wnd_(wnd), dc_(::GetDC(wnd)) {}
    ~WindowDC() {
        if (dc_) ::ReleaseDC(wnd_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND wnd_;
    HDC dc_;
};

// BeginPaint / EndPaint bracket for WM_PAINT.
class PaintDC {
public:
    explicit PaintDC(HWND wnd) : wnd_(wnd) { dc_ = ::BeginPaint(wnd, &ps_); }
    ~PaintDC() { ::EndPaint(wnd_, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC Get() const { return dc_; }
    const RECT& PaintRect() const { return ps_.rcPaint; }

private:
    HWND wnd_;
    HDC dc_;
    PAINTSTRUCT ps_{};
};

// Selects a GDI object into a DC and restores the previous one on scope exit.
class SelectObjectScope {
public:
    SelectObjectScope(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? ::SelectObject(dc, obj) : nullptr) {}
    ~SelectObjectScope() {
        if (old_) ::SelectObject(dc_, old_);
    }
    SelectObjectScope(const SelectObjectScope&) = delete;
    SelectObjectScope& operator=(const SelectObjectScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// SaveDC / RestoreDC bracket.
class SavedDCState {
public:
    explicit SavedDCState(HDC dc) : dc_(dc), id_(::SaveDC(dc)) {}
    ~SavedDCState() {
        if (id_) ::RestoreDC(dc_, id_);
    }
    SavedDCState(const SavedDCState&) = delete;
    SavedDCState& operator=(const SavedDCState&) = delete;

private:
    HDC dc_;
    int id_;
};

}  // namespace ad
