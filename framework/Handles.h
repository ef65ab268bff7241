// RAII wrappers for Win32 handles: one owning type per handle kind, a borrowed
// (non-owning) counterpart for the kinds whose handles are lent to us, the
// 32-bit DIB section with its pixels, and a move-only COM interface pointer.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace ad {

// The GDI objects and memory DCs held by owned handles right now. Owners count
// what they adopt and what they close or give away, so a painting path that
// keeps every GDI object in an owner can be checked for leaks (the system's
// own GDI object count is not available everywhere).
inline std::atomic<long>& LiveGdiObjectCounter() noexcept {
    static std::atomic<long> count{0};
    return count;
}
inline long LiveGdiObjects() noexcept { return LiveGdiObjectCounter().load(); }

// Traits: Type, Invalid(), Close(h).
template <class Traits>
class BorrowedHandle;

template <class Traits>
class OwnedHandle {
public:
    using Type = typename Traits::Type;

    OwnedHandle() noexcept : h_(Traits::Invalid()) {}
    explicit OwnedHandle(Type h) noexcept : h_(h) { Count(h, 1); }
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
    Type Release() noexcept {
        Count(h_, -1);
        return std::exchange(h_, Traits::Invalid());
    }
    void Reset(Type h = Traits::Invalid()) noexcept {
        Count(h, 1);
        Type old = std::exchange(h_, h);
        if (old != Traits::Invalid()) {
            Count(old, -1);
            Traits::Close(old);
        }
    }
    // For out-parameters of API calls: closes what is held and hands out the
    // slot. Not for counted (GDI) handles, whose adoption must be seen.
    Type* Put() noexcept
        requires(!requires { Traits::CountsGdi; })
    {
        Reset();
        return &h_;
    }
    BorrowedHandle<Traits> Borrow() const noexcept { return BorrowedHandle<Traits>(h_); }

private:
    static void Count(Type h, long delta) noexcept {
        if constexpr (requires { Traits::CountsGdi; })
            if (h != Traits::Invalid()) LiveGdiObjectCounter() += delta;
    }

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

// A handle that a property either keeps (given an owned handle, closed with
// this object) or only uses (given a borrowed one): what it holds is decided by
// the type it was handed, and Get() is the same for both.
template <class Traits>
class HeldHandle {
public:
    using Type = typename Traits::Type;

    HeldHandle() noexcept = default;
    HeldHandle(OwnedHandle<Traits>&& owned) noexcept : owned_(std::move(owned)), used_(owned_) {}  // NOLINT
    HeldHandle(BorrowedHandle<Traits> borrowed) noexcept : used_(borrowed) {}                     // NOLINT
    HeldHandle(HeldHandle&& o) noexcept : owned_(std::move(o.owned_)), used_(std::exchange(o.used_, {})) {}
    HeldHandle& operator=(HeldHandle&& o) noexcept {
        if (this != &o) {
            owned_ = std::move(o.owned_);
            used_ = std::exchange(o.used_, {});
        }
        return *this;
    }
    HeldHandle(const HeldHandle&) = delete;
    HeldHandle& operator=(const HeldHandle&) = delete;

    Type Get() const noexcept { return used_.Get(); }
    bool Valid() const noexcept { return used_.Valid(); }
    explicit operator bool() const noexcept { return Valid(); }

private:
    OwnedHandle<Traits> owned_;  // empty when borrowed
    BorrowedHandle<Traits> used_;
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
    static constexpr bool CountsGdi = true;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DeleteObject(h); }
};
struct MemoryDCTraits {  // CreateCompatibleDC / CreateDC
    using Type = HDC;
    static constexpr bool CountsGdi = true;
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
struct HookTraits {  // SetWindowsHookEx
    using Type = HHOOK;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::UnhookWindowsHookEx(h); }
};

using OwnedKernelHandle = OwnedHandle<KernelHandleTraits>;
using OwnedFile = OwnedHandle<FileHandleTraits>;
using OwnedFind = OwnedHandle<FindHandleTraits>;
using OwnedKey = OwnedHandle<RegKeyTraits>;
using OwnedFont = OwnedHandle<GdiObjectTraits<HFONT>>;
using OwnedBitmap = OwnedHandle<GdiObjectTraits<HBITMAP>>;
using OwnedBrush = OwnedHandle<GdiObjectTraits<HBRUSH>>;
using OwnedPen = OwnedHandle<GdiObjectTraits<HPEN>>;
using OwnedRegion = OwnedHandle<GdiObjectTraits<HRGN>>;
using OwnedMemoryDC = OwnedHandle<MemoryDCTraits>;
using OwnedIcon = OwnedHandle<IconTraits>;
using IconRef = BorrowedHandle<IconTraits>;
using HeldIcon = HeldHandle<IconTraits>;
using OwnedModule = OwnedHandle<ModuleTraits>;
using OwnedMenu = OwnedHandle<MenuTraits>;
using OwnedHook = OwnedHandle<HookTraits>;

// A 32-bit top-down DIB section: a move-only owner of the bitmap with its
// pixels (0xAARRGGBB values, row after row, Width() per row without padding).
// Empty when a side is not positive or the system cannot make it. Read the
// pixels after GdiFlush when GDI has drawn on it.
class DibSection32 {
public:
    DibSection32() noexcept = default;
    DibSection32(int width, int height) {
        if (width <= 0 || height <= 0) return;
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;  // top-down
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        OwnedBitmap bitmap(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!bitmap || !bits) return;
        bitmap_ = std::move(bitmap);
        bits_ = static_cast<std::uint32_t*>(bits);
        width_ = width;
        height_ = height;
    }
    DibSection32(DibSection32&& o) noexcept
        : bitmap_(std::move(o.bitmap_)), bits_(std::exchange(o.bits_, nullptr)), width_(std::exchange(o.width_, 0)),
          height_(std::exchange(o.height_, 0)) {}
    DibSection32& operator=(DibSection32&& o) noexcept {
        if (this != &o) {
            bitmap_ = std::move(o.bitmap_);
            bits_ = std::exchange(o.bits_, nullptr);
            width_ = std::exchange(o.width_, 0);
            height_ = std::exchange(o.height_, 0);
        }
        return *this;
    }
    DibSection32(const DibSection32&) = delete;
    DibSection32& operator=(const DibSection32&) = delete;

    HBITMAP Get() const noexcept { return bitmap_.Get(); }
    std::uint32_t* Bits() const noexcept { return bits_; }
    std::uint32_t* Row(int y) const noexcept { return bits_ + static_cast<std::ptrdiff_t>(y) * width_; }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    size_t PixelCount() const noexcept { return static_cast<size_t>(width_) * static_cast<size_t>(height_); }
    bool Valid() const noexcept { return bits_ != nullptr; }
    explicit operator bool() const noexcept { return Valid(); }

    // Gives the bitmap away; this one is empty afterwards.
    OwnedBitmap Release() noexcept {
        bits_ = nullptr;
        width_ = height_ = 0;
        return std::move(bitmap_);
    }

private:
    OwnedBitmap bitmap_;
    std::uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// A COM interface pointer holding one reference: move-only, released when it
// goes. A second reference is taken on purpose, with Copy().
template <class T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    explicit ComPtr(T* adopted) noexcept : p_(adopted) {}  // takes over a reference already counted
    ComPtr(ComPtr&& o) noexcept : p_(o.Detach()) {}
    ComPtr& operator=(ComPtr&& o) noexcept {
        if (this != &o) Reset(o.Detach());
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { Reset(); }

    T* Get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }

    // Another owner of the same object (AddRef).
    ComPtr Copy() const noexcept {
        if (p_) p_->AddRef();
        return ComPtr(p_);
    }
    // Gives up the reference without releasing it.
    T* Detach() noexcept { return std::exchange(p_, nullptr); }
    void Reset(T* adopted = nullptr) noexcept {
        T* old = std::exchange(p_, adopted);
        if (old) old->Release();
    }
    // For out-parameters (CoCreateInstance, QueryInterface): releases what is
    // held and hands out the slot.
    T** Put() noexcept {
        Reset();
        return &p_;
    }
    void** PutVoid() noexcept { return reinterpret_cast<void**>(Put()); }

private:
    T* p_ = nullptr;
};

// A window's DC from GetDC, released on scope exit.
class WindowDC {
public:
    explicit WindowDC(HWND wnd) : wnd_(wnd), dc_(::GetDC(wnd)) {}
    // The whole window's DC from GetWindowDC, the non-client area included.
    struct WholeWindow {};
    WindowDC(HWND wnd, WholeWindow) : wnd_(wnd), dc_(::GetWindowDC(wnd)) {}
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
