// The browser host's decisions that need no window: option sets and the flag
// sums they give the browser, zoom clamping, how HTMLCode is loaded, the
// browser version text, the registry user-agent token, the proxy values, the
// Ctrl-shortcut mask, context-menu and script-error answers, the pre-refresh
// throttle and the mouse-wheel focus rule. Portable: no Windows headers.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace ad::browser {

// A set of the values of an enumeration numbered from 0 (at most 64 values).
template <class E>
class TEnumSet {
public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<E> values) {
        for (E v : values) Include(v);
    }
    constexpr bool Contains(E v) const { return (bits_ >> static_cast<unsigned>(v)) & 1u; }
    constexpr void Include(E v) { bits_ |= std::uint64_t{1} << static_cast<unsigned>(v); }
    constexpr void Exclude(E v) { bits_ &= ~(std::uint64_t{1} << static_cast<unsigned>(v)); }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr bool operator==(const TEnumSet&) const = default;

private:
    std::uint64_t bits_ = 0;
};

// --- host options -----------------------------------------------------------

enum class TUserInterfaceOption {
    DisableTextSelect, DisableHelpMenu, DontUse3DBorders, DontUseScrollBars, PostponeScriptUntilActive,
    ForceOpenNewWindow, Reserved_OFFSCREEN, ForceFlatScrollBars, InsertDivTagOnEditMode,
    ActivateUIOnlyOnDocClick, ConsultBeforeRetrievingBehavior, CheckFontSupportsCodePage,
    DisableSubmitUrlInUTF8, EnableSubmitUrlInUTF8, EnablesFormsAutoComplete, ForceSameWindowNavigation,
    EmableImeLocalLanguages, EnableThemes, DisableThemes, DisablePicsRatings, DisableFrameSetBorder,
    DisablesAutoNameSpaceCorrection, DisableLocalFileAccess, DisableUntrustedProtocol,
    CheckNavigationDelegatedToHost, EnableRedirectNotification, EnableDomWindlessControls,
    EnableWindowedControls, ForceUserActivationOnActiveXJava
};
using TUserInterfaceOptions = TEnumSet<TUserInterfaceOption>;
inline constexpr int UserInterfaceOptionCount = 29;

enum class TDownloadControlOption {
    DownloadImages, DownloadVideos, DownloadBGSounds, DontExecuteScripts, DontExecuteJava,
    DontExecuteActiveX, DontDownloadActiveX, DownloadButDontDisplay, DontDownloadFrame,
    CheckPageResynchronize, DownloadAndIgnoreCache, DontDownloadBehaviors, SuppressedMetaCharset,
    DisableUrlIfEncodingUTF8, EnableUrlIfEncodingUTF8, ForceOfflineMode, DontPerformClientPull,
    DownloadInSilentMode, WorkOffline
};
using TDownloadControlOptions = TEnumSet<TDownloadControlOption>;
inline constexpr int DownloadControlOptionCount = 19;

TUserInterfaceOptions DefaultUserInterfaceOptions();   // forms auto-complete, themes
TDownloadControlOptions DefaultDownloadOptions();      // images, videos, background sounds

// The DOCHOSTUIFLAG sum of a set (0x44000 for the default set).
std::uint32_t HostInfoFlags(TUserInterfaceOptions options);
// The DLCTL sum of a set (0x70 for the default set).
std::uint32_t DownloadControlFlags(TDownloadControlOptions options);

// The browser's context-menu kinds 0 to 9, then "every menu".
enum class TIEPopupMenu {
    rcmDefault, rcmImage, rcmControl, rcmTable, rcmSelText, rcmAnchor, rcmUnKnown, rcmImageArt, rcmImgDynSrc,
    rcmDebug, rcmAll
};
using TIEPopupMenus = TEnumSet<TIEPopupMenu>;

// Items of the browser's own context menu, with their menu commands.
enum class TIEPopupMenuItem {
    rcsBack, rcsForward, rcsSavePageBkg, rcsSetAsBkg, rcsCopyBkg, rcsSetAsDeskT, rcsSelectAll, rcsPaste,
    rcsCreateSC, rcsAddToFav, rcsEncoding, rcsRefresh, rcsViewSource, rcsProperties, rcsPrint,
    rcsOpenNWindow, rcsOpenLink
};
using TIEPopupMenuItems = TEnumSet<TIEPopupMenuItem>;
inline constexpr int PopupMenuItemCount = 17;
int PopupMenuItemCommand(TIEPopupMenuItem item);
// The commands of every item in the set, in the order of the enumeration.
std::vector<int> PopupMenuItemCommands(TIEPopupMenuItems items);

enum class TScriptErrorAction { eaContinue, eaCancel, eaAskUser };
enum class TDragDropHandlingType { ddtMS, ddtMy, ddtCustom, ddtNo };
enum class TUserAgentMode { uaDefault, uaInternal, uaRegistry };

// --- answers ----------------------------------------------------------------

// What ShowContextMenu does when no event decided.
enum class TContextMenuAnswer {
    Suppress,       // no browser menu (S_OK); the control's own popup menu shows, if any
    ShowFiltered,   // the host shows the browser's menu itself, filtered
    BrowserDefault  // S_FALSE: the browser shows its own menu
};
TContextMenuAnswer DecideContextMenu(TIEPopupMenus disabled, std::uint32_t menuKind, bool filterWanted);

// A key the browser never sees: a key-down (message 256) with exactly the Ctrl
// key held whose virtual-key code, taken as a character, is in letters.
bool IsMaskedCtrlShortcut(unsigned message, unsigned virtualKey, bool ctrl, bool shift, bool alt,
                          std::string_view letters);

// The script-error step: whether scripts keep running (vaOut) and whether the
// browser should ask the user instead (S_FALSE).
struct TScriptErrorAnswer {
    bool AskUser = false;
    bool ContinueScripts = true;
};
TScriptErrorAnswer ScriptErrorAnswer(TScriptErrorAction action);

// Fires at most once in each period of `intervalMs`, on the tick it is given.
class TTickThrottle {
public:
    explicit TTickThrottle(std::uint32_t intervalMs) : interval_(intervalMs) {}
    bool Allow(std::uint32_t tick);

private:
    std::uint32_t interval_;
    std::uint32_t last_ = 0;
    bool fired_ = false;
};

// Clamps a zoom value to a range reported as (maximum << 16) | minimum.
int ClampZoom(int value, std::uint32_t packedRange);

// --- HTMLCode ---------------------------------------------------------------

enum class THTMLCodeKind { Empty, Address, Document };
// A single line that begins (any case) with "http", "www.", "ftp:", "file" or
// "about:" is an address; any other non-empty text is a document.
THTMLCodeKind ClassifyHTMLCode(const std::vector<std::string>& lines);

// The address Navigate hands the browser: trimmed; a directory becomes
// "file:///" + path; "" means nothing to navigate to.
std::string NavigationAddress(std::string_view address, bool isDirectory);

// --- tools ------------------------------------------------------------------

// The major number of a file-version text ("11.00.9600.16428" gives 11); -1
// when there is no "." or what stands before it is not a number.
int ParseMajorVersion(std::string_view fileVersion);

// The value name that carries a user agent under the registry's "Post Platform" key.
std::string UserAgentRegistryToken(std::string_view userAgent);

// What the proxy settings ask of this process's connection.
struct TProxyValues {
    std::uint32_t Flags = 0;  // PROXY_TYPE_* sum: 2 proxy; 3 direct or proxy
    std::string Server;       // "address:port", or the address alone with credentials
    std::string Bypass;
};
TProxyValues ProxyValues(std::string_view address, int port, std::string_view userName, std::string_view bypass);

// --- mouse wheel ------------------------------------------------------------

// The wheel rule: a wheel turned over a browser moves the keyboard focus there
// and is swallowed, unless that browser's document view already has the focus.
// Browsers are told apart by the identity of their "Shell Embedding" window
// (0: none).
enum class TWheelAction { Pass, FocusAndSwallow };
TWheelAction DecideWheel(std::uintptr_t browserUnderPoint, std::uintptr_t browserOfFocus,
                         std::string_view focusedClassName);

}  // namespace ad::browser
