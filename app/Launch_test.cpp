// Launching and the per-program actions: real starts of the echoargs fixture
// through the shell, the administrator check on real tokens, the taskbar scripts'
// bytes, the clipboard, the scan address and the quick links.
#include "app/Launch.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <atomic>
#include <chrono>
#include <sstream>
#include <thread>
#include <vector>

#include "base/Exception.h"
#include "framework/Forms.h"
#include "framework/Handles.h"
#include "base/StrUtils.h"
#include "framework/SysUtils.h"
#include "testsupport/GuiTest.h"
#include "testsupport/TestUtils.h"

namespace ad {
namespace {

using Clock = std::chrono::steady_clock;

// Waits until the file can be read with something in it: right after the
// program's rename the name can exist a moment before it can be opened.
bool WaitForFile(const std::string& file, int timeoutMs = 10000) {
    auto start = Clock::now();
    while (test::ReadFileBytes(file).empty()) {
        if (Clock::now() - start > std::chrono::milliseconds(timeoutMs)) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// The lines echoargs wrote: "cwd=..." then one "arg=..." per argument.
std::vector<std::string> Lines(const std::string& file) {
    std::vector<std::string> lines;
    std::istringstream in(test::ReadFileBytes(file));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

// Restores the process's current folder when the test is done.
class CurrentDirKeeper {
public:
    CurrentDirKeeper() : old_(GetCurrentDir()) {}
    ~CurrentDirKeeper() { ::SetCurrentDirectoryW(Widen(old_).c_str()); }
    const std::string& Old() const { return old_; }

private:
    std::string old_;
};

bool SameDir(const std::string& a, const std::string& b) {
    return AsciiSameText(ExcludeTrailingPathDelimiter(a), ExcludeTrailingPathDelimiter(b));
}

// --- Administrator check ---------------------------------------------------------

TEST(LaunchAdmin, ProcessAndThreadTokens) {
    // Wine's user is an administrator (the system's own membership test agrees).
    EXPECT_TRUE(IsUserAdmin());

    // A thread with a token of its own is asked through that token.
    bool hadThreadToken = false, admin = false;
    std::thread([&] {
        if (!::ImpersonateSelf(SecurityImpersonation)) return;
        OwnedKernelHandle token;
        hadThreadToken = ::OpenThreadToken(::GetCurrentThread(), TOKEN_QUERY, TRUE, token.Put()) != FALSE;
        admin = IsUserAdmin();
        ::RevertToSelf();
    }).join();
    EXPECT_TRUE(hadThreadToken);
    EXPECT_TRUE(admin);
}

TEST(LaunchAdmin, DenyOnlyAdministratorsGroupCounts) {
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID admins = nullptr;
    ASSERT_TRUE(::AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0,
                                           0, 0, 0, &admins));
    OwnedKernelHandle process, restricted, impersonation;
    ASSERT_TRUE(::OpenProcessToken(::GetCurrentProcess(), TOKEN_DUPLICATE | TOKEN_QUERY | TOKEN_IMPERSONATE,
                                   process.Put()));
    SID_AND_ATTRIBUTES disable{admins, 0};
    bool made = ::CreateRestrictedToken(process.Get(), 0, 1, &disable, 0, nullptr, 0, nullptr, restricted.Put()) &&
                ::DuplicateToken(restricted.Get(), SecurityImpersonation, impersonation.Put());
    ::FreeSid(admins);
    if (!made) GTEST_SKIP() << "restricted tokens are not available here";

    bool denyOnly = false, admin = false;
    std::thread([&] {
        if (!::SetThreadToken(nullptr, impersonation.Get())) return;
        // Confirm the group really is deny-only in the token the check will read.
        OwnedKernelHandle token;
        if (::OpenThreadToken(::GetCurrentThread(), TOKEN_QUERY, TRUE, token.Put())) {
            DWORD needed = 0;
            ::GetTokenInformation(token.Get(), TokenGroups, nullptr, 0, &needed);
            std::vector<void*> buffer(needed / sizeof(void*) + 1);
            if (::GetTokenInformation(token.Get(), TokenGroups, buffer.data(), needed, &needed)) {
                auto* groups = reinterpret_cast<TOKEN_GROUPS*>(buffer.data());
                for (DWORD i = 0; i < groups->GroupCount; ++i) {
                    auto* sid = groups->Groups[i].Sid;
                    if (*::GetSidSubAuthorityCount(sid) == 2 && *::GetSidSubAuthority(sid, 1) == DOMAIN_ALIAS_RID_ADMINS)
                        denyOnly = (groups->Groups[i].Attributes & SE_GROUP_USE_FOR_DENY_ONLY) != 0;
                }
            }
        }
        admin = IsUserAdmin();
        ::RevertToSelf();
    }).join();
    if (!denyOnly) GTEST_SKIP() << "the system does not mark the group deny-only here";
    EXPECT_TRUE(admin);
}

// --- Launching -------------------------------------------------------------------

TEST(LaunchRules, CompleteLocation) {
    const std::string base = "C:\\Deck\\";
    struct Case {
        const char* in;
        std::string out;
    } cases[] = {
        {"Tools\\a.exe", base + "Tools\\a.exe"},
        {"a.exe", base + "a.exe"},
        {"\\Tools\\a.exe", base + "\\Tools\\a.exe"},  // rooted but without a drive
        {"D:\\Tools\\a.exe", "D:\\Tools\\a.exe"},
        {"d:a.exe", "d:a.exe"},
        {"\\\\server\\share\\a.exe", "\\\\server\\share\\a.exe"},
    };
    for (const auto& c : cases) EXPECT_EQ(CompleteLocation(c.in, base), c.out) << c.in;
}

TEST(LaunchRules, RunAsOnlyForAnElevatingAdministratorAndNoShortcut) {
    struct Case {
        const char* file;
        bool admin, elevated, runAs;
    } cases[] = {
        {"C:\\a.exe", true, true, true},       {"C:\\a.lnk", true, true, false},
        {"C:\\a.LNK", true, true, true},       {"C:\\a.Lnk", true, true, true},
        {"C:\\a.lnk.exe", true, true, true},   {"C:\\x.lnk\\a", true, true, true},
        {"C:\\a.exe", false, true, false},     {"C:\\a.exe", true, false, false},
        {"C:\\a.exe", false, false, false},    {"C:\\a.lnk", false, true, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LaunchUsesRunAs(c.file, c.admin, c.elevated), c.runAs)
            << c.file << " admin=" << c.admin << " elevated=" << c.elevated;
}

class LaunchRun : public ::testing::Test {
protected:
    void SetUp() override {
        bin_ = dir_.File("bin\\");
        ASSERT_TRUE(ForceDirectories(bin_));
        ASSERT_TRUE(::CopyFileW(Widen(test::FixturePath("echoargs.exe")).c_str(),
                                Widen(bin_ + "echoargs.exe").c_str(), FALSE));
    }
    std::string Exe() const { return bin_ + "echoargs.exe"; }
    // Parameters for echoargs: the output file, then the given arguments.
    std::string Params(const std::string& out, const std::string& more) const {
        return "--out=" + Quoted(out) + (more.empty() ? "" : " " + more);
    }
    // A shortcut to echoargs that passes the output file itself.
    std::string MakeShortcut(const std::string& name, const std::string& out) const;

    test::TempDir dir_;
    std::string bin_;
    CurrentDirKeeper keeper_;
};

std::string LaunchRun::MakeShortcut(const std::string& name, const std::string& out) const {
    std::string lnk = dir_.File(name);
    IShellLinkW* link = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&link))))
        return "";
    link->SetPath(Widen(Exe()).c_str());
    link->SetArguments(Widen(Params(out, "via-link")).c_str());
    link->SetWorkingDirectory(Widen(bin_).c_str());
    IPersistFile* file = nullptr;
    bool saved = SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
                 SUCCEEDED(file->Save(Widen(lnk).c_str(), TRUE));
    if (file) file->Release();
    link->Release();
    return saved ? lnk : "";
}

TEST_F(LaunchRun, ShellOpenPassesParametersAndWorkingFolder) {
    std::string work = dir_.File("work");
    ASSERT_TRUE(CreateDir(work));
    std::string out = dir_.File("open.txt");
    EXPECT_TRUE(ShellOpen(nullptr, Exe(), Params(out, "\"two words\" x"), work));
    ASSERT_TRUE(WaitForFile(out));
    auto lines = Lines(out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_TRUE(SameDir(lines[0].substr(4), work)) << lines[0];
    EXPECT_EQ(lines[2], "arg=two words");
    EXPECT_EQ(lines[3], "arg=x");

    EXPECT_FALSE(ShellOpen(nullptr, dir_.File("missing.exe"), "", ""));
}

TEST_F(LaunchRun, RelativeLocationStartsInItsFolderWithoutElevation) {
    std::string out = dir_.File("plain.txt");
    std::string full = LaunchProgram(nullptr, "bin\\echoargs.exe", Params(out, "a \"b c\""), dir_.Path(), false);
    EXPECT_EQ(full, Exe());
    ASSERT_TRUE(WaitForFile(out));
    auto lines = Lines(out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_TRUE(SameDir(lines[0].substr(4), bin_)) << lines[0];
    EXPECT_EQ(lines[2], "arg=a");
    EXPECT_EQ(lines[3], "arg=b c");
    // The plain open leaves the process's own current folder alone.
    EXPECT_TRUE(SameDir(GetCurrentDir(), keeper_.Old()));
}

TEST_F(LaunchRun, ElevatedLaunchMovesToTheFileFolderAndRunsAs) {
    ASSERT_TRUE(IsUserAdmin());
    std::string out = dir_.File("elevated.txt");
    std::string full = LaunchProgram(nullptr, Exe(), Params(out, "x"), "C:\\unused\\", true);
    EXPECT_EQ(full, Exe());
    // "runas" starts the program here without a prompt.
    ASSERT_TRUE(WaitForFile(out));
    auto lines = Lines(out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(SameDir(lines[0].substr(4), bin_)) << lines[0];
    EXPECT_EQ(lines[2], "arg=x");
    EXPECT_TRUE(SameDir(GetCurrentDir(), bin_));

    std::string direct = dir_.File("runas.txt");
    EXPECT_TRUE(ShellRunAs(nullptr, Exe(), Params(direct, "")));
    EXPECT_TRUE(WaitForFile(direct));
}

TEST_F(LaunchRun, ElevatedShortcutIsOpenedPlainly) {
    std::string out = dir_.File("link.txt");
    std::string lnk = MakeShortcut("echo.lnk", out);
    ASSERT_FALSE(lnk.empty());
    std::string full = LaunchProgram(nullptr, lnk, "", "C:\\unused\\", true);
    EXPECT_EQ(full, lnk);
    ASSERT_TRUE(WaitForFile(out));
    auto lines = Lines(out);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines.back(), "arg=via-link");
    // Not the elevated path: the process's current folder did not move.
    EXPECT_TRUE(SameDir(GetCurrentDir(), keeper_.Old()));
}

TEST_F(LaunchRun, FailedStartIsNotReported) {
    for (bool elevated : {false, true}) {
        std::string full;
        EXPECT_NO_THROW(full = LaunchProgram(nullptr, "nothere\\missing.exe", "", dir_.Path(), elevated));
        EXPECT_EQ(full, dir_.File("nothere\\missing.exe"));
    }
    EXPECT_FALSE(ShellRunAs(nullptr, dir_.File("missing.exe"), ""));
}

TEST(LaunchSettings, AfterLaunchActions) {
    test::TempDir dir;
    std::string ini = dir.File("Appdeck.ini");
    struct Case {
        const char* text;  // nullptr: no file
        bool close, minimize, tray;
    } cases[] = {
        {nullptr, false, false, false},
        {"[Settings]\r\nViewStyle=2\r\n", false, false, false},
        {"[Settings]\r\nCloseAfterLaunch=1\r\n", true, false, false},
        {"[Settings]\r\nMinimizeAfterLaunch=1\r\n", false, true, false},
        {"[Settings]\r\nTrayModeAfterLaunch=1\r\n", false, false, true},
        {"[Settings]\r\nCloseAfterLaunch=1\r\nMinimizeAfterLaunch=1\r\nTrayModeAfterLaunch=1\r\n", true, true, true},
        {"[Settings]\r\nCloseAfterLaunch=0\r\nMinimizeAfterLaunch=x\r\n", false, false, false},
        {"[Other]\r\nCloseAfterLaunch=1\r\n", false, false, false},
    };
    for (const auto& c : cases) {
        RemoveFile(ini);
        if (c.text) test::WriteFileBytes(ini, c.text);
        SCOPED_TRACE(c.text ? c.text : "(no file)");
        TAfterLaunchActions a = ReadAfterLaunchActions(ini);
        EXPECT_EQ(a.Close, c.close);
        EXPECT_EQ(a.Minimize, c.minimize);
        EXPECT_EQ(a.TrayMode, c.tray);
    }
}

// --- Taskbar scripts -------------------------------------------------------------

const char* const kPinScript =
    "Set objShell = CreateObject(\"Shell.Application\")\r\n"
    "set filesystem = CreateObject(\"scripting.Filesystemobject\")\r\n"
    "Set objFolder = objShell.Namespace(filesystem.GetParentFolderName(Wscript.Arguments(0)))\r\n"
    "Set objFolderItem = objFolder.ParseName(filesystem.GetFileName(WScript.Arguments(0)))\r\n"
    "Set colVerbs = objFolderItem.Verbs\r\n"
    "For Each objVerb in colVerbs\r\n"
    "\tIf Replace(objVerb.name, \"&\", \"\") = \"Pin to Taskbar\" Then objVerb.DoIt\r\n"
    "Next\r\n";

std::string UnpinScript() { return StringReplaceAll(kPinScript, "\"Pin to Taskbar\"", "\"Unpin from Taskbar\""); }

TEST(LaunchScripts, WrittenByteExactIntoANewFolder) {
    test::TempDir dir;
    std::string folder = dir.File("a\\b\\Temp");
    InitializePTT(folder);
    EXPECT_EQ(test::ReadFileBytes(folder + "\\PinToTaskbar.vbs"), kPinScript);
    EXPECT_EQ(test::ReadFileBytes(folder + "\\UnpinFromTaskbar.vbs"), UnpinScript());
    EXPECT_EQ(PinScriptText(true), kPinScript);
    EXPECT_EQ(PinScriptText(false), UnpinScript());
}

TEST(LaunchScripts, PlantedScriptsAreReplacedAndGoodOnesLeftAlone) {
    test::TempDir dir;
    std::string folder = dir.File("Temp\\");  // a trailing "\" is fine too
    ASSERT_TRUE(CreateDir(folder));
    test::WriteFileBytes(folder + "PinToTaskbar.vbs", "WScript.Echo \"planted\"");
    InitializePTT(folder);
    EXPECT_EQ(test::ReadFileBytes(folder + "PinToTaskbar.vbs"), PinScriptText(true));
    EXPECT_EQ(test::ReadFileBytes(folder + "UnpinFromTaskbar.vbs"), UnpinScript());
    test::WriteFileBytes(folder + "UnpinFromTaskbar.vbs", "");  // damaged: written again
    // A script that is already right is not touched.
    FILETIME after{};
    HANDLE h = ::CreateFileW(Widen(folder + "PinToTaskbar.vbs").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                             OPEN_EXISTING, 0, nullptr);
    FILETIME old{};
    ::GetFileTime(h, nullptr, nullptr, &old);
    ULARGE_INTEGER t{{old.dwLowDateTime, old.dwHighDateTime}};
    t.QuadPart -= 10ULL * 24 * 3600 * 10000000;  // ten days earlier
    old = FILETIME{t.LowPart, t.HighPart};
    ASSERT_TRUE(::SetFileTime(h, nullptr, nullptr, &old));
    ::CloseHandle(h);
    InitializePTT(folder);
    EXPECT_EQ(test::ReadFileBytes(folder + "UnpinFromTaskbar.vbs"), UnpinScript());
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(::GetFileAttributesExW(Widen(folder + "PinToTaskbar.vbs").c_str(), GetFileExInfoStandard, &data));
    after = data.ftLastWriteTime;
    EXPECT_EQ(after.dwLowDateTime, old.dwLowDateTime);
    EXPECT_EQ(after.dwHighDateTime, old.dwHighDateTime);
}

TEST(LaunchScripts, UnwritableFolderRaisesNamingTheFile) {
    test::TempDir dir;
    std::string blocker = dir.File("plainfile");
    test::WriteFileBytes(blocker, "x");
    for (const std::string& folder : {blocker, blocker + "\\sub", dir.File("bad*name")}) {
        SCOPED_TRACE(folder);
        try {
            InitializePTT(folder);
            ADD_FAILURE() << "no exception";
        } catch (const EFCreateError& e) {
            EXPECT_EQ(e.FileName, folder + "\\PinToTaskbar.vbs");
            EXPECT_NE(e.Message.find("PinToTaskbar.vbs"), std::string::npos) << e.Message;
        }
    }
    EXPECT_EQ(test::ReadFileBytes(blocker), "x");
}

TEST(LaunchScripts, PinCommands) {
    EXPECT_EQ(PinCommand(1, "C:\\Tools\\a b.exe"), "C:\\Windows\\Temp\\PinToTaskbar.vbs \"C:\\Tools\\a b.exe\"");
    EXPECT_EQ(PinCommand(0, "C:\\Tools\\a.exe"), "C:\\Windows\\Temp\\UnpinFromTaskbar.vbs \"C:\\Tools\\a.exe\"");
    EXPECT_EQ(PinCommand(0, "x", "D:\\s\\"), "D:\\s\\UnpinFromTaskbar.vbs \"x\"");
}

// --- Explorer, properties, clipboard -----------------------------------------------

TEST(LaunchActions, FindTargetAndCopyLocationText) {
    EXPECT_EQ(FindTargetParams("C:\\Tools\\a b.exe"), "/select,\"C:\\Tools\\a b.exe\"");
    struct Case {
        const char *loc, *params, *text;
    } cases[] = {
        {"C:\\a.exe", "", "C:\\a.exe"},  // no trailing blank
        {"C:\\a.exe", "-x \"y z\"", "C:\\a.exe -x \"y z\""},
        {"C:\\a.exe", "  -x  ", "C:\\a.exe   -x"},
        {"", "", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(CopyLocationText(c.loc, c.params), c.text) << c.loc << "|" << c.params;
}

TEST(LaunchActions, ClipboardRoundTrip) {
    HWND wnd = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(wnd, nullptr);
    const std::string text = "C:\\Caf\xE9\\app.exe -x";  // \xE9 is e-acute in the ANSI code page
    SetClipboardText(wnd, text);

    ASSERT_TRUE(::OpenClipboard(wnd));
    std::wstring wide;
    std::string ansi;
    if (HANDLE h = ::GetClipboardData(CF_UNICODETEXT)) {
        wide = static_cast<const wchar_t*>(::GlobalLock(h));
        ::GlobalUnlock(h);
    }
    if (HANDLE h = ::GetClipboardData(CF_TEXT)) {
        ansi = static_cast<const char*>(::GlobalLock(h));
        ::GlobalUnlock(h);
    }
    ::CloseClipboard();
    EXPECT_EQ(wide, Widen(text));
    EXPECT_EQ(ansi, text);

    SetClipboardText(wnd, "");  // an empty text replaces the old one
    ASSERT_TRUE(::OpenClipboard(wnd));
    HANDLE h = ::GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(::GlobalLock(h))), L"");
    ::GlobalUnlock(h);
    ::CloseClipboard();
    ::DestroyWindow(wnd);
}

// Closes every visible dialog of one thread as it appears, until stopped. The
// shell's properties dialog runs modally on the calling thread here.
class DialogCloser {
public:
    explicit DialogCloser(DWORD threadId)
        : thread_([this, threadId] {
              while (!stop_) {
                  ::EnumThreadWindows(threadId, &CloseDialog, reinterpret_cast<LPARAM>(this));
                  std::this_thread::sleep_for(std::chrono::milliseconds(50));
              }
          }) {}
    ~DialogCloser() {
        stop_ = true;
        thread_.join();
    }
    int Closed() const { return closed_; }

private:
    static BOOL CALLBACK CloseDialog(HWND wnd, LPARAM self) {
        wchar_t cls[32] = {};
        ::GetClassNameW(wnd, cls, 32);
        if (::IsWindowVisible(wnd) && std::wstring(cls) == L"#32770") {
            ::PostMessageW(wnd, WM_CLOSE, 0, 0);
            ++reinterpret_cast<DialogCloser*>(self)->closed_;
        }
        return TRUE;
    }
    std::atomic<bool> stop_{false};
    std::atomic<int> closed_{0};
    std::thread thread_;
};

TEST(LaunchActions, PropertiesOfAFileReturn) {
    DialogCloser closer(::GetCurrentThreadId());
    // The call comes back whatever the shell shows (Wine has no property
    // sheet, so it answers false even for an existing file), and a missing
    // file is reported as a failure, not as a shown dialog.
    ShowFileProperties(test::FixturePath("echoargs.exe"));
    EXPECT_FALSE(ShowFileProperties("C:\\no\\such\\file.exe"));
    test::PumpPending();
}

// --- Online scan and quick links -------------------------------------------------------

// Records the addresses OpenURL is asked to open, for the scope of a test.
class RecordedURLs {
public:
    RecordedURLs() {
        Application->OnOpenURL = [this](const std::string& url) { Opened.push_back(url); };
    }
    ~RecordedURLs() { Application->OnOpenURL = nullptr; }
    std::vector<std::string> Opened;
};

TEST(LaunchScan, AddressFromTheHash) {
    const std::string hash = "E3B0C44298FC1C149AFBF4C8996FB92427AE41E4649B934CA495991B7852B855";
    EXPECT_EQ(ScanAddress(hash),
              "https://www.virustotal.com/en/file/"
              "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855/analysis/");

    // Addresses go through the application's hook, never to a browser in tests.
    RecordedURLs urls;
    EXPECT_TRUE(OpenURL(ScanAddress(hash)));
    ASSERT_EQ(urls.Opened.size(), 1u);
    EXPECT_EQ(urls.Opened[0], ScanAddress(hash));
}

TEST(LaunchScan, PageOfAFile) {
    test::TempDir dir;
    struct Case {
        std::string bytes, sha256;
    } cases[] = {
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        // Longer than one read of the hasher.
        {std::string(3 * 1024 * 1024 + 5, 'a'), ""},
    };
    std::string last;
    for (const auto& c : cases) {
        std::string file = dir.File("scan.bin");
        test::WriteFileBytes(file, c.bytes);
        std::string address = FileScanAddress(file);
        EXPECT_EQ(address.rfind("https://www.virustotal.com/en/file/", 0), 0u) << address;
        if (!c.sha256.empty()) {
            EXPECT_EQ(address, ScanAddress(c.sha256));
        }
        last = address;
    }
    // Stopped, the hash gives no address.
    EXPECT_EQ(FileScanAddress(dir.File("scan.bin"), [] { return true; }), "");
    // 64 lower-case hex digits between the fixed parts.
    std::string hex = last.substr(35, last.size() - 35 - 10);
    EXPECT_EQ(hex.size(), 64u);
    EXPECT_EQ(hex.find_first_not_of("0123456789abcdef"), std::string::npos) << hex;

    // A file that cannot be opened: the file-open error naming it.
    std::string missing = dir.File("missing.bin");
    try {
        FileScanAddress(missing);
        ADD_FAILURE() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message.find("missing.bin"), std::string::npos) << e.Message;
    }
}

TEST(LaunchQuickLinks, TableAndMissingProgram) {
    ASSERT_EQ(QuickLinks.size(), 6u);
    const char* names[] = {"BitBtn2", "BitBtn3", "BitBtn4", "BitBtn5", "BitBtn6", "BitBtn7"};
    for (size_t i = 0; i < QuickLinks.size(); ++i) EXPECT_STREQ(QuickLinks[i].Name, names[i]);
    EXPECT_STREQ(QuickLinks[0].Hint, "Control Panel");
    EXPECT_STREQ(QuickLinks[5].CommandLine, "Rundll32 Shell32.dll,Control_RunDLL Sysdm.cpl,,3");
    EXPECT_STREQ(QuickLinks[4].CommandLine, "RunDll32.exe shell32.dll,Control_RunDLL ncpa.cpl");

    // The mobility center does not exist here: starting it raises the system's error.
    EXPECT_STREQ(QuickLinks[2].CommandLine, "mblctr.exe");
    try {
        RunQuickLink(QuickLinks[2].CommandLine);
        ADD_FAILURE() << "no exception";
    } catch (const EOSError& e) {
        EXPECT_EQ(e.ErrorCode, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
        EXPECT_FALSE(e.Message.empty());
    }
}

}  // namespace
}  // namespace ad
