// The system's visual-styles library, bound at run time: when it is missing
// (or no theme is active) every themed query answers false and callers draw
// their classic look.
#pragma once

#include <windows.h>

#include <string>

#include "base/Geometry.h"
#include "framework/Handles.h"

namespace ad {

class TThemeLibrary {
public:
    // Loads the library and looks its functions up by name.
    explicit TThemeLibrary(const wchar_t* libraryName = L"uxtheme.dll");
    TThemeLibrary(const TThemeLibrary&) = delete;
    TThemeLibrary& operator=(const TThemeLibrary&) = delete;

    bool Loaded() const { return IsAppThemed_ != nullptr && IsThemeActive_ != nullptr; }
    // Loaded, and both IsAppThemed and IsThemeActive answer true.
    bool IsThemed() const;
    // Draws the part's background in Rect (clipped to it) with the window's
    // theme data for ClassName; false (nothing drawn) when no theme opens.
    bool DrawThemePart(HWND Window, HDC DC, const TRect& Rect, int StateId, int PartId,
                       const std::wstring& ClassName) const;
    // The theme's size metric, or the system metric without a theme.
    int GetThemeSysSize(int SizeId) const;
    // Theme data kept open by its user (TThemeData); null without themes.
    HANDLE OpenTheme(HWND Window, const wchar_t* ClassName) const;
    void CloseTheme(HANDLE Theme) const;
    bool DrawBackground(HANDLE Theme, HDC DC, int PartId, int StateId, const RECT& Rect) const;
    // The window's theme by names (an empty string takes the window's
    // theme away, null puts the default back); false without the library.
    bool SetWindowTheme(HWND Window, const wchar_t* SubAppName, const wchar_t* SubIdList) const;

private:
    using OpenThemeDataFn = HANDLE(WINAPI*)(HWND, LPCWSTR);
    using CloseThemeDataFn = HRESULT(WINAPI*)(HANDLE);
    using DrawThemeBackgroundFn = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);
    using DrawThemeEdgeFn = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, UINT, UINT, RECT*);
    using GetThemeSysSizeFn = int(WINAPI*)(HANDLE, int);
    using BoolFn = BOOL(WINAPI*)();
    using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);

    OwnedModule library_;
    OpenThemeDataFn OpenThemeData_ = nullptr;
    CloseThemeDataFn CloseThemeData_ = nullptr;
    DrawThemeBackgroundFn DrawThemeBackground_ = nullptr;
    DrawThemeEdgeFn DrawThemeEdge_ = nullptr;
    GetThemeSysSizeFn GetThemeSysSize_ = nullptr;
    BoolFn IsThemeActive_ = nullptr;
    BoolFn IsAppThemed_ = nullptr;
    SetWindowThemeFn SetWindowTheme_ = nullptr;
};

// Theme data of one window and class, owned: opened again closes what was
// open, and it closes when it goes.
class TThemeData {
public:
    TThemeData() = default;
    ~TThemeData() { Close(); }
    TThemeData(const TThemeData&) = delete;
    TThemeData& operator=(const TThemeData&) = delete;
    bool Open(HWND Window, const wchar_t* ClassName);
    void Close();
    HANDLE Get() const { return theme_; }
    bool Draw(HDC DC, int PartId, int StateId, const RECT& Rect) const;

private:
    HANDLE theme_ = nullptr;
};

// The process's binding, made on first use.
TThemeLibrary& ThemeLibrary();
bool IsThemed();
// The process's standard controls wear visual styles: IsThemed, and the common
// controls of version 6 or later are the ones in use (the program's manifest
// asks for them). Controls that draw themselves look like their neighbours by it.
bool ControlsThemed();
bool DrawThemePart(HWND Window, HDC DC, const TRect& Rect, int StateId, int PartId, const std::wstring& ClassName);

}  // namespace ad
