// Process-level tools behind the browser host's options: floating-point
// exception masking, this process's proxy, the registry user-agent token, the
// navigation click sound, version tests, URLMON feature switches, the libraries
// loaded on demand, and small window and task-memory helpers.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "browser/BhRules.h"
#include "browser/BhOptions.h"
#include "framework/Handles.h"

namespace ad::browser {

// --- floating point ---------------------------------------------------------
// The control word in force when the browser host started (SaveFpuControlWord)
// is what RestoreFpuControlWord puts back; MaskFpuExceptions masks every
// exception in both the x87 and the SSE unit.
void SaveFpuControlWord();
void MaskFpuExceptions();
void RestoreFpuControlWord();

// --- proxy ------------------------------------------------------------------
// Sets the proxy for this process only (its URL monikers and its WinInet
// sessions); the user's system settings are never written. True on success.
bool ApplyProxy(const TProxySettings& settings);
// Puts this process back on the user's own settings, when ApplyProxy set one.
void RestoreProxy();
bool ProxyWasSet();

// --- user agent -------------------------------------------------------------
// The key under HKEY_CURRENT_USER that holds the user-agent tokens.
extern const char* const UserAgentPostPlatformKey;
// Writes the token of userAgent (a value name with empty data); false when
// the key cannot be opened or written.
bool WriteUserAgentToken(const std::string& userAgent);
// Removes the token of userAgent and nothing else; true when it was there.
bool RemoveUserAgentToken(const std::string& userAgent);

// --- navigation click sound --------------------------------------------------
// Turns the click off (feature switch from version 7 on, else the sound
// scheme's ".Current" key is renamed "Old_Current") and restores it.
void DisableNavigationSound();
void RestoreNavigationSound();
bool NavigationSoundWasDisabled();
// The registry half, used before version 7 (root: HKEY_CURRENT_USER normally).
bool RenameNavigationSoundKey(HKEY root, bool turnOff);

// --- versions and locale -----------------------------------------------------
// "FileVersion" of a file's first translation (or the plain name); "" if none.
std::string FileVersionString(const std::wstring& path);
// Major file version of the browser's library in the system folder, -1 if unknown.
int BrowserMajorVersion();
bool IsWinXPSP2OrLater();
// 0 metric, 1 U.S. units; 2 when the locale cannot be read.
int MeasurementSystem();

// --- URLMON feature switches -------------------------------------------------
enum class TInternetFeature {
    ObjectCaching, ZoneElevation, MimeHandling, MimeSniffing, WindowRestrictions, WebocPopupManagement, Behaviors,
    DisableMkProtocol, LocalMachineLockDown, Securityband, RestrictActivexInstall, ValidateNavigateUrl,
    RestrictFileDownload, AddonManagement, ProtocolLockdown, HttpUsernamePasswordDisable, SafeBindToObject,
    UncSavedFileCheck, GetUrlDomFilePathUnencoded, TabbedBrowsing, Sslux, DisableNavigationSounds,
    DisableLegacyCompression, ForceAddrAndStatus, XmlHttp, DisableTelnetProtocol, Feeds, BlockInputPrompts,
    EntryCount
};
using TInternetFeatures = TEnumSet<TInternetFeature>;
inline constexpr int InternetFeatureCount = 29;  // EntryCount included
inline constexpr DWORD SetFeatureOnProcess = 2;

// The two feature entries of a library, looked up on first use (a missing
// library or entry answers E_NOTIMPL and changes nothing).
class TFeatureControl {
public:
    explicit TFeatureControl(std::wstring library = L"URLMON.DLL") : library_(std::move(library)) {}
    HRESULT SetEnabled(TInternetFeature feature, DWORD flags, bool enable);
    HRESULT IsEnabled(TInternetFeature feature, DWORD flags);
    // Sets every feature on the process to whether it is in the set (nothing for an empty set).
    void Apply(TInternetFeatures features);
    // The set of features that are on for the process now.
    TInternetFeatures Read();

private:
    bool Bind();
    std::wstring library_;
    OwnedModule module_;
    bool looked_ = false;
    HRESULT(WINAPI* set_)(int, DWORD, BOOL) = nullptr;
    HRESULT(WINAPI* is_)(int, DWORD) = nullptr;
};
// The process's switches on URLMON.DLL.
TFeatureControl& ProcessFeatures();

// --- libraries on demand ------------------------------------------------------
// Loaded once with the open-file error box off (null when missing) and freed
// by ReleaseBrowserLibraries.
HMODULE HtmlHelpLibrary();   // "hhctrl.ocx"
HMODULE BrowserMenuLibrary();  // "SHDOCLC.DLL", an already loaded one first
void ReleaseBrowserLibraries();

// --- windows and task memory ---------------------------------------------------
std::wstring WindowClassName(HWND wnd);
std::wstring WindowText(HWND wnd);
// The nearest ancestor (the window itself included) of that exact class.
HWND FindAncestorByClass(HWND wnd, std::wstring_view className);
// Down the first-child chain from wnd's first child, the first of that exact class.
HWND FindDescendantByClass(HWND wnd, std::wstring_view className);
// A zero-terminated copy in task memory (CoTaskMemAlloc); null when out of memory.
wchar_t* TaskMemCopy(std::wstring_view s);

}  // namespace ad::browser
