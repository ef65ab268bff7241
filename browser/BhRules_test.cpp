// The browser host's window-free decisions.
#include "browser/BhRules.h"

#include <gtest/gtest.h>

namespace ad::browser {
namespace {

TEST(BhFlags, DefaultsGiveTheDocumentedSums) {
    EXPECT_EQ(HostInfoFlags(DefaultUserInterfaceOptions()), 0x44000u);
    EXPECT_EQ(DownloadControlFlags(DefaultDownloadOptions()), 0x70u);
    EXPECT_EQ(HostInfoFlags({}), 0u);
    EXPECT_EQ(DownloadControlFlags({}), 0u);
}

TEST(BhFlags, EachOptionAddsItsOwnBit) {
    struct Case {
        TUserInterfaceOption option;
        std::uint32_t flag;
    };
    for (const Case& c : {Case{TUserInterfaceOption::DisableTextSelect, 0x1},
                          Case{TUserInterfaceOption::EnablesFormsAutoComplete, 0x4000},
                          Case{TUserInterfaceOption::ForceSameWindowNavigation, 0x10000},  // 0x8000 is skipped
                          Case{TUserInterfaceOption::ForceUserActivationOnActiveXJava, 0x20000000}})
        EXPECT_EQ(HostInfoFlags({c.option}), c.flag) << static_cast<int>(c.option);
    struct DCase {
        TDownloadControlOption option;
        std::uint32_t flag;
    };
    for (const DCase& c : {DCase{TDownloadControlOption::DownloadImages, 0x10},
                           DCase{TDownloadControlOption::EnableUrlIfEncodingUTF8, 0x40000},
                           DCase{TDownloadControlOption::ForceOfflineMode, 0x10000000},
                           DCase{TDownloadControlOption::WorkOffline, 0x80000000u}})
        EXPECT_EQ(DownloadControlFlags({c.option}), c.flag) << static_cast<int>(c.option);
    // No two options share a bit.
    TUserInterfaceOptions all;
    for (int i = 0; i < UserInterfaceOptionCount; ++i) all.Include(static_cast<TUserInterfaceOption>(i));
    EXPECT_EQ(__builtin_popcount(HostInfoFlags(all)), UserInterfaceOptionCount);
    TDownloadControlOptions allD;
    for (int i = 0; i < DownloadControlOptionCount; ++i) allD.Include(static_cast<TDownloadControlOption>(i));
    EXPECT_EQ(__builtin_popcount(DownloadControlFlags(allD)), DownloadControlOptionCount);
}

TEST(BhZoom, ClampsToTheBrowsersRange) {
    const std::uint32_t range = (1000u << 16) | 10u;
    EXPECT_EQ(ClampZoom(1000, range), 1000);
    EXPECT_EQ(ClampZoom(5, range), 10);
    EXPECT_EQ(ClampZoom(1500, range), 1000);
    EXPECT_EQ(ClampZoom(100, range), 100);
}

TEST(BhHTMLCode, SingleAddressLinesNavigateEverythingElseLoads) {
    struct Case {
        std::vector<std::string> lines;
        THTMLCodeKind kind;
    };
    const Case cases[] = {
        {{}, THTMLCodeKind::Empty},
        {{"www.example.org"}, THTMLCodeKind::Address},
        {{"HTTP://example.org/"}, THTMLCodeKind::Address},
        {{"ftp:host"}, THTMLCodeKind::Address},
        {{"file:///C:/x.html"}, THTMLCodeKind::Address},
        {{"About:blank"}, THTMLCodeKind::Address},
        {{"<html><body>hi</body></html>"}, THTMLCodeKind::Document},
        {{" www.example.org"}, THTMLCodeKind::Document},
        {{"www.example.org", "www.example.org"}, THTMLCodeKind::Document},
        {{"<p>", "</p>"}, THTMLCodeKind::Document},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClassifyHTMLCode(c.lines), c.kind) << (c.lines.empty() ? "(none)" : c.lines.front());
}

TEST(BhHTMLCode, NavigationAddresses) {
    EXPECT_EQ(NavigationAddress("  www.example.org  ", false), "www.example.org");
    EXPECT_EQ(NavigationAddress("C:\\Users", true), "file:///C:\\Users");
    EXPECT_EQ(NavigationAddress("   ", false), "");
    EXPECT_EQ(NavigationAddress("", true), "");
}

TEST(BhVersion, MajorNumberBeforeTheFirstDot) {
    EXPECT_EQ(ParseMajorVersion("11.00.9600.16428"), 11);
    EXPECT_EQ(ParseMajorVersion("6.0.2900.2180 (xpsp_sp2_rtm.040803-2158)"), 6);
    EXPECT_EQ(ParseMajorVersion("abc"), -1);
    EXPECT_EQ(ParseMajorVersion("11"), -1);
    EXPECT_EQ(ParseMajorVersion("x.1"), -1);
    EXPECT_EQ(ParseMajorVersion(""), -1);
    EXPECT_EQ(ParseMajorVersion(".5"), -1);
}

TEST(BhUserAgent, RegistryTokenWrapsTheAgent) {
    EXPECT_EQ(UserAgentRegistryToken("Appdeck 1.0"),
              "User-agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1)(Appdeck 1.0)");
}

TEST(BhProxy, ValuesForBothKindsOfSettings) {
    TProxyValues open = ProxyValues("proxy.lan", 8080, "", "*.lan;<local>");
    EXPECT_EQ(open.Flags, 2u);
    EXPECT_EQ(open.Server, "proxy.lan:8080");
    EXPECT_EQ(open.Bypass, "*.lan;<local>");
    TProxyValues withUser = ProxyValues("proxy.lan", 8080, "ann", "*.lan");
    EXPECT_EQ(withUser.Flags, 3u);
    EXPECT_EQ(withUser.Server, "proxy.lan");
    EXPECT_EQ(withUser.Bypass, "<local>");
}

TEST(BhContextMenu, DisabledKindsSuppressOthersFilterOrDefault) {
    const TIEPopupMenus images{TIEPopupMenu::rcmImage};
    EXPECT_EQ(DecideContextMenu({TIEPopupMenu::rcmAll}, 0, false), TContextMenuAnswer::Suppress);
    EXPECT_EQ(DecideContextMenu({TIEPopupMenu::rcmAll}, 42, true), TContextMenuAnswer::Suppress);
    EXPECT_EQ(DecideContextMenu(images, 1, false), TContextMenuAnswer::Suppress);
    EXPECT_EQ(DecideContextMenu(images, 0, false), TContextMenuAnswer::BrowserDefault);
    EXPECT_EQ(DecideContextMenu(images, 0, true), TContextMenuAnswer::ShowFiltered);
    // A kind of 10 or more never indexes the set (it would read rcmAll).
    EXPECT_EQ(DecideContextMenu({TIEPopupMenu::rcmDebug}, 10, false), TContextMenuAnswer::BrowserDefault);
}

TEST(BhContextMenu, ItemCommands) {
    EXPECT_EQ(PopupMenuItemCommands({TIEPopupMenuItem::rcsBack, TIEPopupMenuItem::rcsViewSource,
                                     TIEPopupMenuItem::rcsOpenLink}),
              (std::vector<int>{2282, 2139, 2136}));
    EXPECT_TRUE(PopupMenuItemCommands({}).empty());
}

TEST(BhShortcuts, OnlyExactlyCtrlIsMasked) {
    const unsigned keyDown = 256, keyUp = 257;
    EXPECT_TRUE(IsMaskedCtrlShortcut(keyDown, 'N', true, false, false, "N"));
    EXPECT_FALSE(IsMaskedCtrlShortcut(keyDown, 'N', true, true, false, "N"));   // Ctrl+Shift+N
    EXPECT_FALSE(IsMaskedCtrlShortcut(keyDown, 'N', true, false, true, "N"));   // Ctrl+Alt+N
    EXPECT_FALSE(IsMaskedCtrlShortcut(keyDown, 'N', false, false, false, "N")); // plain N
    EXPECT_FALSE(IsMaskedCtrlShortcut(keyUp, 'N', true, false, false, "N"));
    EXPECT_FALSE(IsMaskedCtrlShortcut(keyDown, 'P', true, false, false, "N"));
    EXPECT_TRUE(IsMaskedCtrlShortcut(keyDown, 'P', true, false, false, "NP"));
    EXPECT_FALSE(IsMaskedCtrlShortcut(keyDown, 'N', true, false, false, ""));
    EXPECT_FALSE(IsMaskedCtrlShortcut(keyDown, 0x14E, true, false, false, "N"));  // no truncation to 'N'
}

TEST(BhScriptErrors, ActionsMapToAnswers) {
    EXPECT_FALSE(ScriptErrorAnswer(TScriptErrorAction::eaContinue).AskUser);
    EXPECT_TRUE(ScriptErrorAnswer(TScriptErrorAction::eaContinue).ContinueScripts);
    EXPECT_FALSE(ScriptErrorAnswer(TScriptErrorAction::eaCancel).AskUser);
    EXPECT_FALSE(ScriptErrorAnswer(TScriptErrorAction::eaCancel).ContinueScripts);
    EXPECT_TRUE(ScriptErrorAnswer(TScriptErrorAction::eaAskUser).AskUser);
}

TEST(BhThrottle, OncePerPeriodAcrossTheTickWrap) {
    TTickThrottle t(150);
    EXPECT_TRUE(t.Allow(1000));
    EXPECT_FALSE(t.Allow(1000));
    EXPECT_FALSE(t.Allow(1149));
    EXPECT_TRUE(t.Allow(1150));
    TTickThrottle w(150);
    EXPECT_TRUE(w.Allow(0xFFFFFFF0u));
    EXPECT_FALSE(w.Allow(10));   // 26 ms later, after the wrap
    EXPECT_TRUE(w.Allow(200));
    TTickThrottle zero(150);
    EXPECT_TRUE(zero.Allow(0));  // the first call fires even at tick 0
}

TEST(BhWheel, DecisionOverBrowserIdentities) {
    const std::uintptr_t a = 0x1000, b = 0x2000;
    EXPECT_EQ(DecideWheel(0, 0, "Edit"), TWheelAction::Pass);                               // no browser
    EXPECT_EQ(DecideWheel(0, a, "Shell DocObject View"), TWheelAction::Pass);               // only the focus is in one
    EXPECT_EQ(DecideWheel(a, b, "Shell DocObject View"), TWheelAction::FocusAndSwallow);    // another browser
    EXPECT_EQ(DecideWheel(a, 0, "Edit"), TWheelAction::FocusAndSwallow);                    // focus outside browsers
    EXPECT_EQ(DecideWheel(a, a, "Shell DocObject View"), TWheelAction::Pass);               // same view
    EXPECT_EQ(DecideWheel(a, a, "Internet Explorer_Server"), TWheelAction::FocusAndSwallow);
}

}  // namespace
}  // namespace ad::browser
