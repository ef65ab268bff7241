// The browser host's window-free decisions (see BhRules.h).
#include "browser/BhRules.h"

#include <algorithm>

#include "base/StrUtils.h"

namespace ad::browser {

TUserInterfaceOptions DefaultUserInterfaceOptions() {
    return {TUserInterfaceOption::EnablesFormsAutoComplete, TUserInterfaceOption::EnableThemes};
}

TDownloadControlOptions DefaultDownloadOptions() {
    return {TDownloadControlOption::DownloadImages, TDownloadControlOption::DownloadVideos,
            TDownloadControlOption::DownloadBGSounds};
}

std::uint32_t HostInfoFlags(TUserInterfaceOptions options) {
    // The first fifteen take one bit each from 0x1; the rest from 0x10000 (0x8000 is skipped).
    std::uint32_t flags = 0;
    for (int i = 0; i < UserInterfaceOptionCount; ++i) {
        if (!options.Contains(static_cast<TUserInterfaceOption>(i))) continue;
        flags |= i < 15 ? (1u << i) : (0x10000u << (i - 15));
    }
    return flags;
}

std::uint32_t DownloadControlFlags(TDownloadControlOptions options) {
    std::uint32_t flags = 0;
    for (int i = 0; i < DownloadControlOptionCount; ++i) {
        if (!options.Contains(static_cast<TDownloadControlOption>(i))) continue;
        flags |= i < 15 ? (0x10u << i) : (0x10000000u << (i - 15));
    }
    return flags;
}

int PopupMenuItemCommand(TIEPopupMenuItem item) {
    static constexpr int commands[PopupMenuItemCount] = {2282, 2283, 2263, 2264, 2265, 2278, 31,   26,  2266,
                                                         2261, 2292, 2300, 2139, 28,   27,   2137, 2136};
    return commands[static_cast<int>(item)];
}

std::vector<int> PopupMenuItemCommands(TIEPopupMenuItems items) {
    std::vector<int> out;
    for (int i = 0; i < PopupMenuItemCount; ++i)
        if (items.Contains(static_cast<TIEPopupMenuItem>(i)))
            out.push_back(PopupMenuItemCommand(static_cast<TIEPopupMenuItem>(i)));
    return out;
}

TContextMenuAnswer DecideContextMenu(TIEPopupMenus disabled, std::uint32_t menuKind, bool filterWanted) {
    if (disabled.Contains(TIEPopupMenu::rcmAll) ||
        (menuKind < 10 && disabled.Contains(static_cast<TIEPopupMenu>(menuKind))))
        return TContextMenuAnswer::Suppress;
    return filterWanted ? TContextMenuAnswer::ShowFiltered : TContextMenuAnswer::BrowserDefault;
}

bool IsMaskedCtrlShortcut(unsigned message, unsigned virtualKey, bool ctrl, bool shift, bool alt,
                          std::string_view letters) {
    constexpr unsigned wmKeyDown = 256;
    if (message != wmKeyDown || !ctrl || shift || alt || virtualKey > 255) return false;
    return letters.find(static_cast<char>(virtualKey)) != std::string_view::npos;
}

TScriptErrorAnswer ScriptErrorAnswer(TScriptErrorAction action) {
    switch (action) {
        case TScriptErrorAction::eaContinue: return {false, true};
        case TScriptErrorAction::eaCancel: return {false, false};
        case TScriptErrorAction::eaAskUser: break;
    }
    return {true, false};
}

bool TTickThrottle::Allow(std::uint32_t tick) {
    // Unsigned difference: the tick count may wrap.
    if (fired_ && tick - last_ < interval_) return false;
    fired_ = true;
    last_ = tick;
    return true;
}

int ClampZoom(int value, std::uint32_t packedRange) {
    const int lo = static_cast<int>(packedRange & 0xFFFFu);
    const int hi = static_cast<int>(packedRange >> 16);
    if (lo > hi) return value;  // no usable range: leave the value to the browser
    return std::clamp(value, lo, hi);
}

THTMLCodeKind ClassifyHTMLCode(const std::vector<std::string>& lines) {
    if (lines.empty()) return THTMLCodeKind::Empty;
    if (lines.size() == 1) {
        const std::string& line = lines.front();
        for (std::string_view prefix : {"http", "www.", "ftp:", "file", "about:"})
            if (StartsText(prefix, line)) return THTMLCodeKind::Address;
    }
    return THTMLCodeKind::Document;
}

std::string NavigationAddress(std::string_view address, bool isDirectory) {
    std::string a = Trim(address);
    if (a.empty()) return a;
    return isDirectory ? "file:///" + a : a;
}

int ParseMajorVersion(std::string_view fileVersion) {
    const size_t dot = fileVersion.find('.');
    if (dot == std::string_view::npos) return -1;
    int major = 0;
    return TryStrToInt(fileVersion.substr(0, dot), major) ? major : -1;
}

std::string UserAgentRegistryToken(std::string_view userAgent) {
    return "User-agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1)(" + std::string(userAgent) + ")";
}

TProxyValues ProxyValues(std::string_view address, int port, std::string_view userName, std::string_view bypass) {
    constexpr std::uint32_t proxyTypeDirect = 1, proxyTypeProxy = 2;
    if (userName.empty())
        return {proxyTypeProxy, std::string(address) + ":" + IntToStr(port), std::string(bypass)};
    return {proxyTypeDirect | proxyTypeProxy, std::string(address), "<local>"};
}

TWheelAction DecideWheel(std::uintptr_t browserUnderPoint, std::uintptr_t browserOfFocus,
                         std::string_view focusedClassName) {
    if (!browserUnderPoint) return TWheelAction::Pass;
    if (browserUnderPoint == browserOfFocus && focusedClassName == "Shell DocObject View") return TWheelAction::Pass;
    return TWheelAction::FocusAndSwallow;
}

}  // namespace ad::browser
