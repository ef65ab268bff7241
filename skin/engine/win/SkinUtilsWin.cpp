// Windows helpers of the skin engine (see SkinUtilsWin.h).
#include "skin/engine/win/SkinUtilsWin.h"

#include <windowsx.h>

#include "framework/Forms.h"
#include "framework/Graphics.h"
#include "base/StrUtils.h"
#include "framework/SysUtils.h"
#include "framework/Themes.h"
#include "skin/engine/image/SkinUtils.h"

namespace ad::skin {

std::string ApplicationFolder() { return ExtractFilePath(ModuleFileName()); }

bool DirExists(const std::string& dirName) { return !dirName.empty() && DirectoryExists(dirName); }

namespace {

void TakeEntry(TDirSearch& search) {
    search.Name = Narrow(search.Data.cFileName);
    search.Attr = search.Data.dwFileAttributes;
}

}  // namespace

bool DirSearchFirst(const std::string& mask, TDirSearch& search) {
    search.Handle.Reset(::FindFirstFileW(Widen(mask).c_str(), &search.Data));
    if (!search.Handle) return false;
    TakeEntry(search);
    return true;
}

bool DirSearchNext(TDirSearch& search) {
    if (!search.Handle || !::FindNextFileW(search.Handle.Get(), &search.Data)) {
        search.Handle.Reset();
        return false;
    }
    TakeEntry(search);
    return true;
}

void DirSearchClose(TDirSearch& search) { search.Handle.Reset(); }

int ReadRegistryInteger(HKEY root, const std::string& key, const std::string& name) {
    OwnedKey k;
    if (::RegOpenKeyExW(root, Widen(key).c_str(), 0, KEY_READ, k.Put()) != ERROR_SUCCESS) return 0;
    DWORD type = 0, value = 0, size = sizeof(value);
    if (::RegQueryValueExW(k.Get(), Widen(name).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value))
        return 0;
    return static_cast<int>(value);
}

namespace {

bool NonClientMetrics(NONCLIENTMETRICSW& ncm) {
    ncm = {};
    ncm.cbSize = sizeof(ncm);
    return ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0) != FALSE;
}

}  // namespace

int CaptionFontHeight() {
    NONCLIENTMETRICSW ncm;
    return NonClientMetrics(ncm) ? ncm.lfCaptionFont.lfHeight : 0;
}

OwnedFont CreateCaptionFont() {
    NONCLIENTMETRICSW ncm;
    return NonClientMetrics(ncm) ? OwnedFont(::CreateFontIndirectW(&ncm.lfCaptionFont)) : OwnedFont();
}

bool WindowAnimationOn() {
    ANIMATIONINFO ai{sizeof(ai), 0};
    return ::SystemParametersInfoW(SPI_GETANIMATION, sizeof(ai), &ai, 0) && ai.iMinAnimate != 0;
}

void SetWindowAnimation(bool on) {
    ANIMATIONINFO ai{sizeof(ai), on ? 1 : 0};
    ::SystemParametersInfoW(SPI_SETANIMATION, sizeof(ai), &ai, 0);
}

bool ThemesActive() { return ThemeLibrary().IsThemed(); }

bool IsControlPaintable(TWinControl* control) {
    return control && control->Parent() && control->HandleAllocated() && !control->Destroying() &&
           !(control->ControlState() & (csLoading | csCreating));
}

UINT TextFlagsForAlignment(const TWinControl* control, TAlignment alignment) {
    const bool rtl = control && control->UseRightToLeftAlignment();
    UINT flags = DT_EXPANDTABS | DT_VCENTER;
    switch (alignment) {
        case taLeftJustify: flags |= rtl ? DT_RIGHT : DT_LEFT; break;
        case taRightJustify: flags |= rtl ? DT_LEFT : DT_RIGHT; break;
        case taCenter: flags |= DT_CENTER; break;
    }
    if (control && control->UseRightToLeftReading()) flags |= DT_RTLREADING;
    return flags;
}

bool OSIsXPOrNewer() {
    OSVERSIONINFOW v{};
    v.dwOSVersionInfoSize = sizeof(v);
    if (!::GetVersionExW(&v)) return false;
    return v.dwMajorVersion > 5 || (v.dwMajorVersion == 5 && v.dwMinorVersion > 0);
}

bool IsWow64() {
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, BOOL*);
    static const IsWow64ProcessFn isWow64Process = [] {
        HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
        return kernel ? reinterpret_cast<IsWow64ProcessFn>(
                            reinterpret_cast<void*>(::GetProcAddress(kernel, "IsWow64Process")))
                      : nullptr;
    }();
    BOOL wow64 = FALSE;
    return isWow64Process && isWow64Process(::GetCurrentProcess(), &wow64) && wow64;
}

void PumpMessagesFor(unsigned milliseconds) {
    DWORD start = ::GetTickCount();
    for (;;) {
        if (Application) {
            Application->ProcessMessages();
        } else {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT) {
                    ::PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the outer loop
                    return;
                }
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        if (::GetTickCount() - start >= milliseconds) return;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

namespace {

void ShowBox(const std::string& text, UINT icon) {
    if (Application) {
        Application->MessageBox(text, Application->Title, MB_OK | icon);
        return;
    }
    ::MessageBoxW(::GetActiveWindow(), Widen(text).c_str(), L"", MB_OK | icon);
}

}  // namespace

void ShowWarning(const std::string& text) { ShowBox(text, MB_ICONWARNING); }
void ShowError(const std::string& text) { ShowBox(text, MB_ICONERROR); }

TMessage BuildMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT result) {
    return TMessage{msg, wParam, lParam, result};
}

TPoint PointFromCoords(LPARAM coords) { return {GET_X_LPARAM(coords), GET_Y_LPARAM(coords)}; }

TRect GraphicBoundsRect(const TPicture& picture) { return {0, 0, picture.Width(), picture.Height()}; }

TRect ControlSizeRect(const TWinControl& control) { return {0, 0, control.Width(), control.Height()}; }

TRect RectSizeRect(const TRect& r) { return {0, 0, RectWidth(r), RectHeight(r)}; }

TPoint BitmapSize(HBITMAP bitmap) {
    BITMAP bm{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof(bm), &bm)) return {};
    return {bm.bmWidth, bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight};
}

TPoint ControlPosition(const TWinControl& control) { return {control.Left(), control.Top()}; }

}  // namespace ad::skin
