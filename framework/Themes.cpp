// Run-time binding of the visual-styles library.
#include "framework/Themes.h"

namespace ad {

namespace {
template <typename Fn>
Fn Lookup(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}
}  // namespace

TThemeLibrary::TThemeLibrary(const wchar_t* libraryName) : library_(::LoadLibraryW(libraryName)) {
    HMODULE m = library_.Get();
    OpenThemeData_ = Lookup<OpenThemeDataFn>(m, "OpenThemeData");
    CloseThemeData_ = Lookup<CloseThemeDataFn>(m, "CloseThemeData");
    DrawThemeBackground_ = Lookup<DrawThemeBackgroundFn>(m, "DrawThemeBackground");
    DrawThemeEdge_ = Lookup<DrawThemeEdgeFn>(m, "DrawThemeEdge");
    GetThemeSysSize_ = Lookup<GetThemeSysSizeFn>(m, "GetThemeSysSize");
    IsThemeActive_ = Lookup<BoolFn>(m, "IsThemeActive");
    IsAppThemed_ = Lookup<BoolFn>(m, "IsAppThemed");
    SetWindowTheme_ = Lookup<SetWindowThemeFn>(m, "SetWindowTheme");
}

bool TThemeLibrary::SetWindowTheme(HWND Window, const wchar_t* SubAppName, const wchar_t* SubIdList) const {
    return SetWindowTheme_ && SUCCEEDED(SetWindowTheme_(Window, SubAppName, SubIdList));
}

bool TThemeLibrary::IsThemed() const { return Loaded() && IsAppThemed_() && IsThemeActive_(); }

bool TThemeLibrary::DrawThemePart(HWND Window, HDC DC, const TRect& Rect, int StateId, int PartId,
                                  const std::wstring& ClassName) const {
    if (!OpenThemeData_ || !CloseThemeData_ || !DrawThemeBackground_ || !IsThemed()) return false;
    HANDLE theme = OpenThemeData_(Window, ClassName.c_str());
    if (!theme) return false;
    RECT r{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
    bool ok = SUCCEEDED(DrawThemeBackground_(theme, DC, PartId, StateId, &r, &r));
    CloseThemeData_(theme);
    return ok;
}

int TThemeLibrary::GetThemeSysSize(int SizeId) const {
    if (GetThemeSysSize_ && IsThemed()) return GetThemeSysSize_(nullptr, SizeId);
    return ::GetSystemMetrics(SizeId);
}

HANDLE TThemeLibrary::OpenTheme(HWND Window, const wchar_t* ClassName) const {
    if (!OpenThemeData_ || !CloseThemeData_ || !IsThemed()) return nullptr;
    return OpenThemeData_(Window, ClassName);
}

void TThemeLibrary::CloseTheme(HANDLE Theme) const {
    if (Theme && CloseThemeData_) CloseThemeData_(Theme);
}

bool TThemeLibrary::DrawBackground(HANDLE Theme, HDC DC, int PartId, int StateId, const RECT& Rect) const {
    return Theme && DrawThemeBackground_ && SUCCEEDED(DrawThemeBackground_(Theme, DC, PartId, StateId, &Rect, &Rect));
}

bool TThemeData::Open(HWND Window, const wchar_t* ClassName) {
    Close();
    theme_ = ThemeLibrary().OpenTheme(Window, ClassName);
    return theme_ != nullptr;
}

void TThemeData::Close() {
    if (theme_) ThemeLibrary().CloseTheme(theme_);
    theme_ = nullptr;
}

bool TThemeData::Draw(HDC DC, int PartId, int StateId, const RECT& Rect) const {
    return ThemeLibrary().DrawBackground(theme_, DC, PartId, StateId, Rect);
}

TThemeLibrary& ThemeLibrary() {
    static TThemeLibrary library;
    return library;
}

bool IsThemed() { return ThemeLibrary().IsThemed(); }

bool ControlsThemed() {
    if (!IsThemed()) return false;
    // The common controls the process loaded stay the same for its life: asked
    // once, not on every paint of a control that wants to know.
    static const bool version6 = [] {
        struct TVersionInfo {
            DWORD cbSize, dwMajorVersion, dwMinorVersion, dwBuildNumber, dwPlatformID;
        };
        using GetVersionFn = HRESULT(CALLBACK*)(TVersionInfo*);
        HMODULE comctl = ::GetModuleHandleW(L"comctl32.dll");
        auto get = comctl ? reinterpret_cast<GetVersionFn>(
                                reinterpret_cast<void*>(::GetProcAddress(comctl, "DllGetVersion")))
                          : nullptr;
        TVersionInfo info{sizeof(TVersionInfo), 0, 0, 0, 0};
        return get && SUCCEEDED(get(&info)) && info.dwMajorVersion >= 6;
    }();
    return version6;
}

bool DrawThemePart(HWND Window, HDC DC, const TRect& Rect, int StateId, int PartId, const std::wstring& ClassName) {
    return ThemeLibrary().DrawThemePart(Window, DC, Rect, StateId, PartId, ClassName);
}

}  // namespace ad
