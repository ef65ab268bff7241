// Process-level tools of the browser host (see BhTools.h).
#include "browser/BhTools.h"

#include <float.h>
#include <objbase.h>
#include <urlmon.h>
#include <wininet.h>

#include <vector>

#include "base/WinText.h"
#include "framework/Registry.h"

namespace ad::browser {

namespace {

// What the browser host changed in this process and must undo at shutdown.
struct TUnitState {
    unsigned fpuWord = 0;
    bool fpuSaved = false;
    bool proxySet = false;
    bool soundDisabled = false;
    bool soundByFeature = false;
    OwnedModule htmlHelp;
    bool htmlHelpLooked = false;
    OwnedModule menuLibrary;  // only when we loaded it
    HMODULE menuModule = nullptr;
    bool menuLooked = false;
};

TUnitState& State() {
    static TUnitState state;
    return state;
}

// INTERNET_PROXY_INFO with 8-bit strings, for the A entry points.
struct TProxyInfoA {
    DWORD dwAccessType;
    LPCSTR lpszProxy;
    LPCSTR lpszProxyBypass;
};

bool SetProcessProxy(const TProxyInfoA& info) {
    // The URL monikers' session of this process, which the browser uses; no
    // stored setting of the user is touched.
    return SUCCEEDED(::UrlMkSetSessionOption(INTERNET_OPTION_PROXY, const_cast<TProxyInfoA*>(&info), sizeof info, 0));
}

HMODULE LoadQuietly(const wchar_t* name) {
    const UINT old = ::SetErrorMode(SEM_NOOPENFILEERRORBOX);
    HMODULE m = ::LoadLibraryW(name);
    ::SetErrorMode(old);
    return m;
}

constexpr const char* navigatingKey = "AppEvents\\Schemes\\Apps\\Explorer\\Navigating";

}  // namespace

// --- floating point ---------------------------------------------------------

void SaveFpuControlWord() {
    State().fpuWord = _controlfp(0, 0);
    State().fpuSaved = true;
}

void MaskFpuExceptions() {
    if (!State().fpuSaved) SaveFpuControlWord();
    _controlfp(_MCW_EM, _MCW_EM);
}

void RestoreFpuControlWord() {
    if (State().fpuSaved) _controlfp(State().fpuWord & _MCW_EM, _MCW_EM);
}

// --- proxy ------------------------------------------------------------------

bool ApplyProxy(const TProxySettings& settings) {
    const TProxyValues v = ProxyValues(settings.Address, settings.Port, settings.UserName, settings.Bypass);
    const TProxyInfoA info{INTERNET_OPEN_TYPE_PROXY, v.Server.c_str(), v.Bypass.c_str()};
    const bool ok = SetProcessProxy(info);
    State().proxySet = State().proxySet || ok;
    return ok;
}

void RestoreProxy() {
    if (!State().proxySet) return;
    const TProxyInfoA info{INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr};
    SetProcessProxy(info);
    State().proxySet = false;
}

bool ProxyWasSet() { return State().proxySet; }

// --- user agent -------------------------------------------------------------

const char* const UserAgentPostPlatformKey =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User Agent\\Post Platform";

bool WriteUserAgentToken(const std::string& userAgent) {
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    if (!reg.OpenKey(UserAgentPostPlatformKey, true)) return false;
    try {
        reg.WriteString(UserAgentRegistryToken(userAgent), "");
    } catch (const ERegistryException&) {
        return false;
    }
    return true;
}

bool RemoveUserAgentToken(const std::string& userAgent) {
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    if (!reg.OpenKey(UserAgentPostPlatformKey, false)) return false;
    return reg.DeleteValue(UserAgentRegistryToken(userAgent));
}

// --- navigation click sound --------------------------------------------------

bool RenameNavigationSoundKey(HKEY root, bool turnOff) {
    const std::string from = std::string(navigatingKey) + (turnOff ? "\\.Current" : "\\Old_Current");
    const std::string to = std::string(navigatingKey) + (turnOff ? "\\Old_Current" : "\\.Current");
    OwnedKey source;
    if (::RegOpenKeyExA(root, from.c_str(), 0, KEY_READ, source.Put()) != ERROR_SUCCESS) return false;
    OwnedKey target;
    if (::RegCreateKeyExA(root, to.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, target.Put(), nullptr) !=
        ERROR_SUCCESS)
        return false;
    if (::RegCopyTreeA(source.Get(), nullptr, target.Get()) != ERROR_SUCCESS) return false;
    source.Reset();
    return ::RegDeleteTreeA(root, from.c_str()) == ERROR_SUCCESS;  // the key goes with its tree
}

void DisableNavigationSound() {
    TUnitState& s = State();
    if (s.soundDisabled) return;
    if (BrowserMajorVersion() >= 7) {
        s.soundDisabled = SUCCEEDED(
            ProcessFeatures().SetEnabled(TInternetFeature::DisableNavigationSounds, SetFeatureOnProcess, true));
        s.soundByFeature = true;
    } else {
        s.soundDisabled = RenameNavigationSoundKey(HKEY_CURRENT_USER, true);
        s.soundByFeature = false;
    }
}

void RestoreNavigationSound() {
    TUnitState& s = State();
    if (!s.soundDisabled) return;
    if (s.soundByFeature)
        ProcessFeatures().SetEnabled(TInternetFeature::DisableNavigationSounds, SetFeatureOnProcess, false);
    else
        RenameNavigationSoundKey(HKEY_CURRENT_USER, false);
    s.soundDisabled = false;
}

bool NavigationSoundWasDisabled() { return State().soundDisabled; }

// --- versions and locale -----------------------------------------------------

std::string FileVersionString(const std::wstring& path) {
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &handle);
    if (!size) return {};
    std::vector<BYTE> data(size);
    if (!::GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return {};
    std::wstring subBlock = L"FileVersion";
    WORD* translation = nullptr;
    UINT len = 0;
    if (::VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &len) &&
        translation && len >= 2 * sizeof(WORD)) {
        wchar_t buf[64];
        ::wsprintfW(buf, L"\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
        subBlock = buf + subBlock;
    }
    wchar_t* text = nullptr;
    if (!::VerQueryValueW(data.data(), subBlock.c_str(), reinterpret_cast<void**>(&text), &len) || !text || !len)
        return {};
    return Narrow(text);
}

int BrowserMajorVersion() {
    wchar_t dir[MAX_PATH];
    const UINT n = ::GetSystemDirectoryW(dir, MAX_PATH);
    if (!n || n >= MAX_PATH) return -1;
    std::wstring path = std::wstring(dir) + L"\\ieframe.dll";
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) path = std::wstring(dir) + L"\\shdocvw.dll";
    return ParseMajorVersion(FileVersionString(path));
}

bool IsWinXPSP2OrLater() {
    using VerifyFn = BOOL(WINAPI*)(LPOSVERSIONINFOEXA, DWORD, DWORDLONG);
    using MaskFn = ULONGLONG(WINAPI*)(ULONGLONG, DWORD, BYTE);
    HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    if (!kernel) return false;
    auto verify = reinterpret_cast<VerifyFn>(reinterpret_cast<void*>(::GetProcAddress(kernel, "VerifyVersionInfoA")));
    auto mask = reinterpret_cast<MaskFn>(reinterpret_cast<void*>(::GetProcAddress(kernel, "VerSetConditionMask")));
    if (!verify || !mask) return false;
    OSVERSIONINFOEXA info{};
    info.dwOSVersionInfoSize = sizeof info;
    info.dwMajorVersion = 5;
    info.dwMinorVersion = 1;
    info.wServicePackMajor = 2;
    ULONGLONG condition = 0;
    condition = mask(condition, VER_MAJORVERSION, VER_GREATER_EQUAL);
    condition = mask(condition, VER_MINORVERSION, VER_GREATER_EQUAL);
    condition = mask(condition, VER_SERVICEPACKMAJOR, VER_GREATER_EQUAL);
    return verify(&info, VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR | VER_SERVICEPACKMINOR,
                  condition) != FALSE;
}

int MeasurementSystem() {
    char buf[8] = {};
    if (!::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, buf, sizeof buf)) return 2;
    return buf[0] == '1' ? 1 : 0;
}

// --- URLMON feature switches -------------------------------------------------

bool TFeatureControl::Bind() {
    if (!looked_) {
        looked_ = true;
        module_.Reset(LoadQuietly(library_.c_str()));
        if (module_) {
            set_ = reinterpret_cast<decltype(set_)>(
                reinterpret_cast<void*>(::GetProcAddress(module_.Get(), "CoInternetSetFeatureEnabled")));
            is_ = reinterpret_cast<decltype(is_)>(
                reinterpret_cast<void*>(::GetProcAddress(module_.Get(), "CoInternetIsFeatureEnabled")));
        }
    }
    return set_ && is_;
}

HRESULT TFeatureControl::SetEnabled(TInternetFeature feature, DWORD flags, bool enable) {
    if (!Bind()) return E_NOTIMPL;
    return set_(static_cast<int>(feature), flags, enable ? TRUE : FALSE);
}

HRESULT TFeatureControl::IsEnabled(TInternetFeature feature, DWORD flags) {
    if (!Bind()) return E_NOTIMPL;
    return is_(static_cast<int>(feature), flags);
}

void TFeatureControl::Apply(TInternetFeatures features) {
    if (features.Empty()) return;
    for (int i = 0; i < InternetFeatureCount; ++i) {
        const auto f = static_cast<TInternetFeature>(i);
        SetEnabled(f, SetFeatureOnProcess, features.Contains(f));
    }
}

TInternetFeatures TFeatureControl::Read() {
    TInternetFeatures on;
    for (int i = 0; i < InternetFeatureCount; ++i) {
        const auto f = static_cast<TInternetFeature>(i);
        if (IsEnabled(f, SetFeatureOnProcess) == S_OK) on.Include(f);
    }
    return on;
}

TFeatureControl& ProcessFeatures() {
    static TFeatureControl features;
    return features;
}

// --- libraries on demand ------------------------------------------------------

HMODULE HtmlHelpLibrary() {
    TUnitState& s = State();
    if (!s.htmlHelpLooked) {
        s.htmlHelpLooked = true;
        s.htmlHelp.Reset(LoadQuietly(L"hhctrl.ocx"));
    }
    return s.htmlHelp.Get();
}

HMODULE BrowserMenuLibrary() {
    TUnitState& s = State();
    if (!s.menuLooked) {
        s.menuLooked = true;
        s.menuModule = ::GetModuleHandleW(L"SHDOCLC.DLL");
        if (!s.menuModule) {
            s.menuLibrary.Reset(LoadQuietly(L"SHDOCLC.DLL"));
            s.menuModule = s.menuLibrary.Get();
        }
    }
    return s.menuModule;
}

void ReleaseBrowserLibraries() {
    TUnitState& s = State();
    s.htmlHelp.Reset();
    s.htmlHelpLooked = false;
    s.menuLibrary.Reset();
    s.menuModule = nullptr;
    s.menuLooked = false;
}

// --- windows and task memory ---------------------------------------------------

std::wstring WindowClassName(HWND wnd) {
    wchar_t buf[257];
    const int n = wnd ? ::GetClassNameW(wnd, buf, 257) : 0;
    return std::wstring(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

std::wstring WindowText(HWND wnd) {
    const int len = ::GetWindowTextLengthW(wnd);
    if (len <= 0) return {};
    std::wstring s(static_cast<size_t>(len) + 1, L'\0');
    const int n = ::GetWindowTextW(wnd, s.data(), len + 1);
    s.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return s;
}

HWND FindAncestorByClass(HWND wnd, std::wstring_view className) {
    for (HWND w = wnd; w; w = ::GetAncestor(w, GA_PARENT))
        if (WindowClassName(w) == className) return w;
    return nullptr;
}

HWND FindDescendantByClass(HWND wnd, std::wstring_view className) {
    for (HWND w = wnd ? ::GetWindow(wnd, GW_CHILD) : nullptr; w; w = ::GetWindow(w, GW_CHILD))
        if (WindowClassName(w) == className) return w;
    return nullptr;
}

wchar_t* TaskMemCopy(std::wstring_view s) {
    auto* p = static_cast<wchar_t*>(::CoTaskMemAlloc((s.size() + 1) * sizeof(wchar_t)));
    if (!p) return nullptr;
    s.copy(p, s.size());
    p[s.size()] = L'\0';
    return p;
}

}  // namespace ad::browser
