// SWSystem helpers: path text, the temporary folder, starting programs through the
// echoargs fixture, and version strings of the verinfo fixture.
#include "app/SWSystem.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <thread>
#include <vector>

#include "framework/SysUtils.h"
#include "testsupport/TestUtils.h"

namespace ad {
namespace {

using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point t) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count();
}

// The lines echoargs wrote, or nothing while the file is missing.
std::vector<std::string> Lines(const std::string& file) {
    std::vector<std::string> lines;
    std::istringstream in(test::ReadFileBytes(file));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool WaitForFile(const std::string& file, int timeoutMs) {
    auto start = Clock::now();
    while (!FileExists(file)) {
        if (MsSince(start) > timeoutMs) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// Switches the current folder for the scope of a test.
class CurrentDirScope {
public:
    explicit CurrentDirScope(const std::string& dir) : old_(GetCurrentDir()) {
        ::SetCurrentDirectoryW(Widen(dir).c_str());
    }
    ~CurrentDirScope() { ::SetCurrentDirectoryW(Widen(old_).c_str()); }

private:
    std::string old_;
};

TEST(SWSystemText, PathHelpers) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case withBackslash[] = {
        {"", ""},
        {"C:\\Tools", "C:\\Tools\\"},
        {"C:\\Tools\\", "C:\\Tools\\"},
        {"C:", "C:\\"},
        {"\\", "\\"},
    };
    for (const auto& c : withBackslash) EXPECT_EQ(IncludeBackslash(c.in), c.out) << "'" << c.in << "'";

    const Case withoutExt[] = {
        {"C:\\Tools\\app.exe", "C:\\Tools\\app"},
        {"README", "README"},
        {"archive.tar.gz", "archive.tar"},
        {"C:\\dir.d\\file", "C:\\dir.d\\file"},  // a dot in a folder is not an extension
        {"C:\\dir.d\\", "C:\\dir.d\\"},
        {"name.", "name"},
        {"", ""},
    };
    for (const auto& c : withoutExt) EXPECT_EQ(RemoveFileExt(c.in), c.out) << "'" << c.in << "'";
}

TEST(SWSystemTempDir, AsTheSystemReportsIt) {
    wchar_t buf[MAX_PATH + 1];
    DWORD n = ::GetTempPathW(MAX_PATH + 1, buf);
    std::string expected = Narrow(std::wstring(buf, n));
    EXPECT_EQ(GetTempDir(), expected);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(expected.back(), '\\');
    EXPECT_TRUE(DirectoryExists(GetTempDir()));
}

TEST(SWSystemTempDir, FollowsTheSystemAtAnyLength) {
    // The temporary folder comes from TMP. Up to MAX_PATH the folder comes back whole;
    // a longer one is either reported whole or refused (Wine refuses it), and a
    // refusal gives "" rather than a cut path.
    std::string oldTmp = GetEnvVar("TMP");
    for (size_t length : {100u, 258u, 259u, 400u}) {
        std::string dir = "C:\\";
        while (dir.size() < length) dir += "abcdefghij\\";
        dir.resize(length);
        if (dir.back() == '\\') dir.back() = 'x';
        ::SetEnvironmentVariableW(L"TMP", Widen(dir).c_str());
        DWORD needed = ::GetTempPathW(0, nullptr);
        std::string got = GetTempDir();
        SCOPED_TRACE(length);
        if (needed == 0) {
            EXPECT_GT(length, 258u);
            EXPECT_EQ(got, "");
        } else {
            EXPECT_EQ(got, dir + "\\");
        }
    }
    ::SetEnvironmentVariableW(L"TMP", oldTmp.empty() ? nullptr : Widen(oldTmp).c_str());
}

class SWSystemRun : public ::testing::Test {
protected:
    std::string Exe() const { return test::FixturePath("echoargs.exe"); }
    std::string Quoted(const std::string& s) const { return "\"" + s + "\""; }
    test::TempDir dir_;
};

TEST_F(SWSystemRun, PassesArgumentsAsGiven) {
    // A copy of the program in a folder whose name has a space.
    std::string spaced = dir_.File("with space\\");
    ASSERT_TRUE(ForceDirectories(spaced));
    ASSERT_TRUE(::CopyFileW(Widen(Exe()).c_str(), Widen(spaced + "echo args.exe").c_str(), FALSE));

    struct Case {
        std::string app;
        std::string program;  // as written at the start of the command line
        std::string args;     // after --out
        std::vector<std::string> expected;
    } cases[] = {
        {"", Quoted(Exe()), "plain", {"plain"}},
        {"", Quoted(Exe()), "\"two words\" \"say \\\"hi\\\"\" x", {"two words", "say \"hi\"", "x"}},
        {Exe(), "echoargs", "\"C:\\Program Files\\a b\\\\\" -flag", {"C:\\Program Files\\a b\\", "-flag"}},
        {"", Quoted(spaced + "echo args.exe"), "\xE9t\xE9", {"\xC3\xA9t\xC3\xA9"}},  // written back as UTF-8
        {spaced + "echo args.exe", "x", "", {}},
    };
    int i = 0;
    for (const auto& c : cases) {
        std::string out = dir_.File(Format("out%d.txt", i++));
        std::string cmd = c.program + " --out=" + Quoted(out) + (c.args.empty() ? "" : " " + c.args);
        SCOPED_TRACE(cmd);
        RunProcess(c.app, cmd, true);
        std::vector<std::string> lines = Lines(out);
        ASSERT_EQ(lines.size(), c.expected.size() + 2);
        EXPECT_EQ(lines[1], "arg=--out=" + out);
        for (size_t k = 0; k < c.expected.size(); ++k) EXPECT_EQ(lines[k + 2], "arg=" + c.expected[k]);
    }
}

TEST_F(SWSystemRun, StartsInTheCallersCurrentFolder) {
    std::string work = dir_.File("work");
    ASSERT_TRUE(CreateDir(work));
    std::string out = dir_.File("cwd.txt");
    {
        CurrentDirScope cd(work);
        RunProcess(Exe(), Quoted(Exe()) + " --out=" + Quoted(out), true);
    }
    std::vector<std::string> lines = Lines(out);
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(AsciiSameText(lines[0], "cwd=" + work)) << lines[0];
}

TEST_F(SWSystemRun, WaitBlocksUntilTheProgramEnds) {
    const int sleepMs = 1500;
    std::string out = dir_.File("waited.txt");
    auto start = Clock::now();
    RunProcess("", Quoted(Exe()) + " --out=" + Quoted(out) + Format(" --sleep=%d", sleepMs), true);
    EXPECT_GE(MsSince(start), sleepMs);
    EXPECT_TRUE(FileExists(out));
}

TEST_F(SWSystemRun, WithoutWaitReturnsAtOnce) {
    const int sleepMs = 3000;
    std::string out = dir_.File("nowait.txt");
    auto start = Clock::now();
    RunProcess("", Quoted(Exe()) + " --out=" + Quoted(out) + Format(" --sleep=%d", sleepMs), false);
    EXPECT_LT(MsSince(start), sleepMs);
    EXPECT_TRUE(WaitForFile(out, 10000));
    // Let the program finish before its folder is removed.
    while (MsSince(start) < sleepMs + 300) std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

TEST_F(SWSystemRun, MissingProgramRaisesTheSystemError) {
    struct Case {
        std::string app, cmd;
    } cases[] = {
        {dir_.File("missing.exe"), ""},
        {"", Quoted(dir_.File("missing.exe")) + " arg"},
        {dir_.File("nofolder\\missing.exe"), "x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.app + " | " + c.cmd);
        try {
            RunProcess(c.app, c.cmd, true);
            ADD_FAILURE() << "no exception";
        } catch (const EOSError& e) {
            EXPECT_NE(e.ErrorCode, 0u);
            std::string text = SysErrorMessage(e.ErrorCode);
            ASSERT_FALSE(text.empty());
            EXPECT_NE(e.Message.find(text), std::string::npos) << e.Message;
        }
    }
}

TEST(SWSystemVersionInfo, ReadsEveryStringOfTheFirstTranslation) {
    // The fixture's only translation is Russian / 1251 ("041904E3").
    const std::string file = test::FixturePath("verinfo.exe");
    const char* expected[] = {
        "Fixture Works",     "Version fixture program", "1.2.3.4",       "verinfo",
        "Copyright (C) 2026 Fixture Works", "None",     "verinfo.exe",   "Fixture Suite",
        "1.2",               "Used by tests only",
    };
    for (int i = 0; i < 10; ++i) EXPECT_EQ(GetVersionInfoString(file, i), expected[i]) << "index " << i;
}

TEST(SWSystemVersionInfo, EmptyOnAnyFailure) {
    const std::string verinfo = test::FixturePath("verinfo.exe");
    EXPECT_EQ(GetVersionInfoString(verinfo, -1), "");
    EXPECT_EQ(GetVersionInfoString(verinfo, 10), "");
    for (int i : {0, 1, 9}) {
        EXPECT_EQ(GetVersionInfoString(test::FixturePath("echoargs.exe"), i), "") << i;  // no version resource
        EXPECT_EQ(GetVersionInfoString(test::FixturePath("no-such-file.exe"), i), "") << i;
    }
    EXPECT_EQ(GetVersionInfoString("", 1), "");
}

}  // namespace
}  // namespace ad
