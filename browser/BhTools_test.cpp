// The browser host's process tools under the system: registry user agent,
// feature switches, this process's proxy, the click-sound key, FPU masking,
// version text and the window helpers.
#include "browser/BhTools.h"

#include <float.h>
#include <xmmintrin.h>

#include <gtest/gtest.h>

#include "base/WinText.h"
#include "framework/Registry.h"

namespace ad::browser {
namespace {

const std::wstring postPlatform = Widen(UserAgentPostPlatformKey + 1);  // without the leading "\"

bool PostPlatformHas(const std::string& name) {
    OwnedKey key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, postPlatform.c_str(), 0, KEY_READ, key.Put()) != ERROR_SUCCESS) return false;
    return ::RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

TEST(BhUserAgentToken, WrittenAndRemovedLeavingOtherTokens) {
    OwnedKey key;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, postPlatform.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                key.Put(), nullptr),
              ERROR_SUCCESS);
    const std::string other = "SomeoneElse 2.0";
    ASSERT_EQ(::RegSetValueExA(key.Get(), other.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1),
              ERROR_SUCCESS);
    const std::string ours = UserAgentRegistryToken("Appdeck test");

    ASSERT_TRUE(WriteUserAgentToken("Appdeck test"));
    EXPECT_TRUE(PostPlatformHas(ours));
    EXPECT_TRUE(RemoveUserAgentToken("Appdeck test"));
    EXPECT_FALSE(PostPlatformHas(ours));
    EXPECT_TRUE(PostPlatformHas(other));
    EXPECT_FALSE(RemoveUserAgentToken("Appdeck test"));  // nothing left to remove
    ::RegDeleteValueA(key.Get(), other.c_str());
}

TEST(BhFeatureControl, MissingLibraryOrEntryAnswersNotImplemented) {
    TFeatureControl noLibrary(L"no-such-library-here.dll");
    EXPECT_EQ(noLibrary.SetEnabled(TInternetFeature::DisableNavigationSounds, SetFeatureOnProcess, true), E_NOTIMPL);
    EXPECT_EQ(noLibrary.IsEnabled(TInternetFeature::DisableNavigationSounds, SetFeatureOnProcess), E_NOTIMPL);
    TFeatureControl noEntry(L"kernel32.dll");
    EXPECT_EQ(noEntry.SetEnabled(TInternetFeature::ObjectCaching, SetFeatureOnProcess, false), E_NOTIMPL);
    EXPECT_TRUE(noEntry.Read().Empty());
}

TEST(BhFeatureControl, SwitchesAProcessFeature) {
    TFeatureControl& f = ProcessFeatures();
    const TInternetFeature sounds = TInternetFeature::DisableNavigationSounds;
    const bool wasOn = f.IsEnabled(sounds, SetFeatureOnProcess) == S_OK;
    ASSERT_EQ(f.SetEnabled(sounds, SetFeatureOnProcess, true), S_OK);
    EXPECT_EQ(f.IsEnabled(sounds, SetFeatureOnProcess), S_OK);
    EXPECT_TRUE(f.Read().Contains(sounds));
    ASSERT_EQ(f.SetEnabled(sounds, SetFeatureOnProcess, false), S_OK);
    EXPECT_EQ(f.IsEnabled(sounds, SetFeatureOnProcess), S_FALSE);
    f.SetEnabled(sounds, SetFeatureOnProcess, wasOn);
}

std::string SystemProxySetting(const char* name) {
    TRegistry reg(KEY_READ);
    reg.SetRootKey(HKEY_CURRENT_USER);
    if (!reg.OpenKeyReadOnly("\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings")) return "(none)";
    if (!reg.ValueExists(name)) return "(none)";
    return std::string(name) == "ProxyEnable" ? std::to_string(reg.ReadInteger(name)) : reg.ReadString(name);
}

// This Wine's URL monikers refuse a session proxy (the call fails, and it is
// reported so); what is checked is that the answer is honest and that the
// user's stored settings never change.
TEST(BhProxy, ChangesOnlyThisProcessAndRestoresIt) {
    const std::string server = SystemProxySetting("ProxyServer");
    const std::string enable = SystemProxySetting("ProxyEnable");
    TProxySettings settings;
    settings.Address = "proxy.test";
    settings.Port = 3128;
    settings.Bypass = "<local>";
    settings.AutoLoadProxy = true;
    const bool applied = ApplyProxy(settings);
    EXPECT_EQ(ProxyWasSet(), applied);
    settings.UserName = "ann";  // the other kind of settings
    settings.Password = "secret";
    EXPECT_EQ(ApplyProxy(settings) || applied, ProxyWasSet());
    // The user's stored settings are untouched.
    EXPECT_EQ(SystemProxySetting("ProxyServer"), server);
    EXPECT_EQ(SystemProxySetting("ProxyEnable"), enable);

    RestoreProxy();
    EXPECT_FALSE(ProxyWasSet());
    EXPECT_EQ(SystemProxySetting("ProxyServer"), server);
    EXPECT_EQ(SystemProxySetting("ProxyEnable"), enable);
}

class BhSoundKey : public ::testing::Test {
protected:
    void SetUp() override {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, base_);
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, base_, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, root_.Put(),
                                    nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        root_.Reset();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, base_);
    }
    bool Has(const char* sub) {
        OwnedKey k;
        const std::string path = std::string("AppEvents\\Schemes\\Apps\\Explorer\\Navigating\\") + sub;
        return ::RegOpenKeyExA(root_.Get(), path.c_str(), 0, KEY_READ, k.Put()) == ERROR_SUCCESS;
    }
    std::string CurrentSound(const char* sub) {
        const std::string path = std::string("AppEvents\\Schemes\\Apps\\Explorer\\Navigating\\") + sub;
        char buf[MAX_PATH] = {};
        LONG size = sizeof buf;
        if (::RegQueryValueA(root_.Get(), path.c_str(), buf, &size) != ERROR_SUCCESS) return "(none)";
        return buf;
    }
    const wchar_t* base_ = L"Software\\AppdeckTest\\BrowserSound";
    OwnedKey root_;
};

TEST_F(BhSoundKey, RenamedOffAndBackKeepingTheSound) {
    OwnedKey current;
    ASSERT_EQ(::RegCreateKeyExA(root_.Get(), "AppEvents\\Schemes\\Apps\\Explorer\\Navigating\\.Current", 0, nullptr,
                                0, KEY_ALL_ACCESS, nullptr, current.Put(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegSetValueExA(current.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("click.wav"), 10),
              ERROR_SUCCESS);
    current.Reset();

    ASSERT_TRUE(RenameNavigationSoundKey(root_.Get(), true));
    EXPECT_FALSE(Has(".Current"));
    EXPECT_EQ(CurrentSound("Old_Current"), "click.wav");
    EXPECT_FALSE(RenameNavigationSoundKey(root_.Get(), true));  // already off

    ASSERT_TRUE(RenameNavigationSoundKey(root_.Get(), false));
    EXPECT_FALSE(Has("Old_Current"));
    EXPECT_EQ(CurrentSound(".Current"), "click.wav");
    EXPECT_FALSE(RenameNavigationSoundKey(root_.Get(), false));  // nothing to restore
}

TEST(BhFpu, MaskingCoversSseAndRestoreGivesTheSavedWordBack) {
    const unsigned before = _controlfp(0, 0);
    _controlfp(_EM_INVALID | _EM_DENORMAL | _EM_INEXACT | _EM_UNDERFLOW, _MCW_EM);  // zero-divide and overflow unmasked
    SaveFpuControlWord();
    TDisableErrors errors;
    errors.SetfpExceptions(false);
    EXPECT_FALSE(errors.fpExceptions());
    EXPECT_EQ(_controlfp(0, 0) & _MCW_EM, static_cast<unsigned>(_MCW_EM));
    EXPECT_EQ(_mm_getcsr() & 0x1F80u, 0x1F80u);  // every SSE exception masked too
    errors.SetfpExceptions(true);
    EXPECT_EQ(_controlfp(0, 0) & _MCW_EM, static_cast<unsigned>(_EM_INVALID | _EM_DENORMAL | _EM_INEXACT | _EM_UNDERFLOW));
    _controlfp(before, _MCW_EM);
    SaveFpuControlWord();
}

TEST(BhVersion, FileVersionOfTheFirstTranslation) {
    EXPECT_EQ(FileVersionString(L"verinfo.exe"), "1.2.3.4");
    EXPECT_EQ(FileVersionString(L"no-such-file.dll"), "");
    // Whatever this system ships, the answer is a number or -1, never an error.
    const int major = BrowserMajorVersion();
    EXPECT_GE(major, -1);
    const int measure = MeasurementSystem();
    EXPECT_TRUE(measure == 0 || measure == 1) << measure;
}

TEST(BhOptions, Defaults) {
    TProxySettings proxy;
    EXPECT_EQ(proxy.Port, 80);
    EXPECT_FALSE(proxy.AutoLoadProxy);
    TDialogBoxes dialogs;
    EXPECT_FALSE(dialogs.DisableAll);
    EXPECT_TRUE(dialogs.ReplaceCaption);
    EXPECT_TRUE(dialogs.ReplaceIcon);
    TDisableErrors errors;
    EXPECT_TRUE(errors.EnableDDE && errors.fpExceptions() && errors.ScriptErrorsSuppressed);
    TVisualEffects effects;
    EXPECT_EQ(effects.TextSize, 2);
    TPrintOptions print;
    ASSERT_EQ(print.HTMLHeader().Count(), 1);
    EXPECT_EQ(print.HTMLHeader()[0], "<HTML></HTML>");
    TStringList lines;
    lines.Add("<p>");
    lines.Add("");
    print.SetHTMLHeader(lines);
    lines.Clear();
    ASSERT_EQ(print.HTMLHeader().Count(), 2);  // a copy, empty last line kept
    EXPECT_EQ(print.HTMLHeader()[1], "");
}

LRESULT CALLBACK PlainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return ::DefWindowProcW(w, m, wp, lp); }

HWND MakeWindow(const wchar_t* cls, HWND parent) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = cls;
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(0, cls, L"", parent ? WS_CHILD : WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, parent, nullptr,
                             wc.hInstance, nullptr);
}

TEST(BhWindows, AncestorAndFirstChildChainByClass) {
    HWND top = MakeWindow(L"BhTestTop", nullptr);
    HWND embedding = MakeWindow(L"Shell Embedding", top);
    HWND view = MakeWindow(L"Shell DocObject View", embedding);
    HWND server = MakeWindow(L"Internet Explorer_Server", view);
    ASSERT_TRUE(server);
    EXPECT_EQ(FindAncestorByClass(server, L"Shell Embedding"), embedding);
    EXPECT_EQ(FindAncestorByClass(embedding, L"Shell Embedding"), embedding);
    EXPECT_EQ(FindAncestorByClass(server, L"Shell Embeddin"), nullptr);  // exact names only
    EXPECT_EQ(FindDescendantByClass(top, L"Internet Explorer_Server"), server);
    EXPECT_EQ(FindDescendantByClass(top, L"BhTestTop"), nullptr);  // the start window itself is not looked at
    EXPECT_EQ(WindowClassName(view), L"Shell DocObject View");
    ::DestroyWindow(top);
}

TEST(BhTaskMem, ZeroTerminatedCopy) {
    wchar_t* p = TaskMemCopy(L"abc");
    ASSERT_TRUE(p);
    EXPECT_STREQ(p, L"abc");
    ::CoTaskMemFree(p);
    wchar_t* e = TaskMemCopy(L"");
    ASSERT_TRUE(e);
    EXPECT_EQ(e[0], L'\0');
    ::CoTaskMemFree(e);
}

}  // namespace
}  // namespace ad::browser
