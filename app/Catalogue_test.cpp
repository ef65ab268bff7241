// The catalogue's shared rules: location resolution, category names, and what a
// dropped file becomes.
#include "app/Catalogue.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include "framework/Registry.h"
#include "framework/SysUtils.h"
#include "testsupport/TestUtils.h"

namespace ad {
namespace {

const std::string kTestKey = "Software\\AppdeckTest-Catalogue-" + std::to_string(::GetCurrentProcessId());

class RegistryFixture : public ::testing::Test {
protected:
    void SetUp() override {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(kTestKey + "\\K", true));
        reg.WriteString("", "C:\\Apps\\default.exe");
        reg.WriteString("V", "C:\\Apps\\named.exe");
        reg.WriteString("R", "rel\\named.exe");
        reg.WriteInteger("N", 5);
        ::SetEnvironmentVariableW(L"AD_TV", L"C:\\Tools");
    }
    void TearDown() override {
        TRegistry reg;
        reg.DeleteKey(kTestKey);
        TRegistry lm;
        lm.SetRootKey(HKEY_LOCAL_MACHINE);
        lm.DeleteKey(kTestKey);
    }
};

TEST_F(RegistryFixture, LocationsResolveInTheirThreeSteps) {
    const std::string base = "C:\\Launcher\\";
    struct Case {
        std::string loc;
        std::string resolved;
    } cases[] = {
        {"HKCU>>" + kTestKey + "\\K>>V", "C:\\Apps\\named.exe"},
        {"HKCU>>" + kTestKey + "\\K", "C:\\Apps\\default.exe"},
        {"HKXX>>" + kTestKey + "\\K>>V", "C:\\Apps\\named.exe"},   // unknown root: HKCU
        {"hkcu>>" + kTestKey + "\\K>>V", "C:\\Apps\\named.exe"},   // root names are exact: HKCU anyway
        {"HKCU>>" + kTestKey + "\\K>>R", base + "rel\\named.exe"},   // a relative value, then step 3
        {"HKCU>>" + kTestKey + "\\K>>Missing", base},               // empty result, then relative
        {"HKCU>>" + kTestKey + "\\K>>N", base},                     // not a string: nothing
        {"HKC>>Software", base + "HKC>>Software"},                  // ">>" not at characters 5 and 6
        {"HKCU>>", base + "HKCU>>"},                                // not longer than 6 characters
        {"%AD_TV%\\a.exe", "C:\\Tools\\a.exe"},
        {"C:\\%AD_TV%\\x.exe", "C:\\%AD_TV%\\x.exe"},               // "%" after a drive root stays
        {"D:%AD_TV%", "D:C:\\Tools"},
        {"rel\\a.exe", base + "rel\\a.exe"},
        {"\\\\srv\\share\\a.exe", "\\\\srv\\share\\a.exe"},
        {"%AD_UNSET_VAR%\\a.exe", base + "%AD_UNSET_VAR%\\a.exe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.loc);
        EXPECT_EQ(ResolveLocation(c.loc, base), c.resolved);
    }
    // The Application Manager's variant: only HKCU and HKLM in exact case are
    // read from the registry, and only a location without any ":" is relative.
    Case manager[] = {
        {"HKCU>>" + kTestKey + "\\K>>V", "C:\\Apps\\named.exe"},
        {"HKCU>>" + kTestKey + "\\K>>R", base + "rel\\named.exe"},
        {"HKXX>>" + kTestKey + "\\K>>V", base + "HKXX>>" + kTestKey + "\\K>>V"},
        {"hkcu>>" + kTestKey + "\\K>>V", base + "hkcu>>" + kTestKey + "\\K>>V"},
        {"HKCR>>" + kTestKey + "\\K", base + "HKCR>>" + kTestKey + "\\K"},
        {"%AD_TV%\\a.exe", "C:\\Tools\\a.exe"},
        {"\\\\srv\\share\\a.exe", base + "\\\\srv\\share\\a.exe"},
        {"rel:a.exe", "rel:a.exe"},
    };
    for (const auto& c : manager) {
        SCOPED_TRACE("manager " + c.loc);
        EXPECT_EQ(ResolveLocation(c.loc, base, TLocationRules::AppManager), c.resolved);
    }
    // A missing key is created (empty result), in HKLM too.
    EXPECT_EQ(ResolveRegistryLocation("HKLM>>" + kTestKey + "\\New>>X"), "");
    TRegistry lm;
    lm.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(lm.KeyExists(kTestKey + "\\New"));
}

TEST(Catalogue, AvailabilityNeedsAnExistingFileNotAFolder) {
    test::TempDir base;
    test::WriteFileBytes(base.File("tool.exe"), "x");
    CreateDir(base.File("folder.exe"));
    EXPECT_TRUE(LocationAvailable("tool.exe", base.Path()));          // relative to the program's folder
    EXPECT_TRUE(LocationAvailable(base.File("tool.exe"), base.Path()));
    EXPECT_FALSE(LocationAvailable("folder.exe", base.Path()));
    EXPECT_FALSE(LocationAvailable("missing.exe", base.Path()));
    EXPECT_FALSE(LocationAvailable("", base.Path()));
    // The last step alone, for locations taken as they stand.
    EXPECT_TRUE(FileAvailable("tool.exe", base.Path()));
    EXPECT_TRUE(FileAvailable(base.File("tool.exe"), base.Path()));
    EXPECT_FALSE(FileAvailable("folder.exe", base.Path()));
    EXPECT_FALSE(FileAvailable("", base.Path()));
}

TEST(Catalogue, CategoryNamesMustStayPlainFileNamesInsideTheFolder) {
    for (const char* good : {"Games", "Office 2016", "a.b", "Dev (old)", "CONSOLE", "COM0", "x..y"})
        EXPECT_EQ(CategoryNameProblem(good), "") << good;
    for (const char* bad : {"", "   ", "a\\b", "..\\x", "x:y", "a/b", "what?", "a*", "\"q\"", "<", "|", ".", "..",
                            "trailing.", "trailing ", "CON", "con", "Nul.txt", "COM1", "lpt9", "tab\there"})
        EXPECT_NE(CategoryNameProblem(bad), "") << bad;
    EXPECT_EQ(CategoryFileName("C:\\L\\", "Games"), "C:\\L\\ADCat\\Games.dat");
}

TEST(Catalogue, ListFileNamesIncludesHiddenFilesAndDropsTheExtension) {
    test::TempDir dir;
    test::WriteFileBytes(dir.File("Games.dat"), "");
    test::WriteFileBytes(dir.File("Hidden.dat"), "");
    ::SetFileAttributesW(Widen(dir.File("Hidden.dat")).c_str(), FILE_ATTRIBUTE_HIDDEN);
    test::WriteFileBytes(dir.File("notes.txt"), "");
    TStringList list;
    list.SetSorted(true);
    ListFileNames(ExcludeTrailingPathDelimiter(dir.Path()), "*.dat", list);
    ListFileNames("  ", "*.dat", list);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list[0], "Games");
    EXPECT_EQ(list[1], "Hidden");
}

// Makes a shortcut file pointing at target.
void MakeShortcut(const std::string& lnk, const std::string& target) {
    IShellLinkW* link = nullptr;
    ASSERT_HRESULT_SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                                reinterpret_cast<void**>(&link)));
    link->SetPath(Widen(target).c_str());
    IPersistFile* file = nullptr;
    ASSERT_HRESULT_SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
    EXPECT_HRESULT_SUCCEEDED(file->Save(Widen(lnk).c_str(), TRUE));
    file->Release();
    link->Release();
}

TEST(Catalogue, DroppedFilesBecomeEntries) {
    test::TempDir base;     // the program's folder
    test::TempDir outside;  // somewhere else
    std::string report = outside.File("Report [2016].exe");
    ASSERT_TRUE(::CopyFileW(Widen(test::FixturePath("verinfo.exe")).c_str(), Widen(report).c_str(), FALSE));
    std::string inside = base.File("tools\\inner.exe");
    ForceDirectories(base.File("tools"));
    ASSERT_TRUE(::CopyFileW(Widen(test::FixturePath("echoargs.exe")).c_str(), Widen(inside).c_str(), FALSE));
    std::string shortcut = outside.File("Tool - Shortcut.lnk");
    MakeShortcut(shortcut, report);
    test::WriteFileBytes(outside.File("readme.txt"), "x");
    test::WriteFileBytes(outside.File("old.ex"), "x");
    test::WriteFileBytes(outside.File("run.bat"), "x");

    struct Case {
        std::string file;
        bool keepShortcuts;
        bool accepted;
        std::string section, loc, desc;
    } cases[] = {
        {report, false, true, "Report (2016)", report, "Version fixture program"},
        {shortcut, false, true, "Tool", report, "Version fixture program"},
        {shortcut, true, true, "Tool", shortcut, ""},
        {inside, false, true, "inner", "tools\\inner.exe", ""},
        {outside.File("old.ex"), false, true, "old", outside.File("old.ex"), ""},
        {outside.File("readme.txt"), false, false, "readme", "", ""},
        {outside.File("run.bat"), false, false, "run", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        TDroppedProgram p = PrepareDroppedProgram(c.file, base.Path(), c.keepShortcuts);
        EXPECT_EQ(p.Accepted, c.accepted);
        if (!c.accepted) continue;
        EXPECT_EQ(p.Section, c.section);
        EXPECT_EQ(p.Loc, c.loc);
        EXPECT_EQ(p.Desc, c.desc);
    }
    EXPECT_EQ(GetTarget(shortcut), report);
    EXPECT_EQ(GetTarget(report), "");
    EXPECT_EQ(GetTarget(outside.File("missing.lnk")), "");
    // One resolver for many files: each shortcut gives its own target, also
    // after a file that is no shortcut or cannot be loaded.
    std::string second = outside.File("Second.lnk");
    MakeShortcut(second, outside.File("old.ex"));
    TShortcutResolver resolver;
    EXPECT_EQ(resolver.Target(shortcut), report);
    EXPECT_EQ(resolver.Target(outside.File("missing.lnk")), "");
    EXPECT_EQ(resolver.Target(second), outside.File("old.ex"));
    EXPECT_EQ(resolver.Target(report), "");
    EXPECT_EQ(resolver.Target(shortcut), report);
    TDroppedProgram viaResolver = PrepareDroppedProgram(second, base.Path(), false, &resolver);
    EXPECT_EQ(viaResolver.Section, "Second");
    EXPECT_EQ(viaResolver.Loc, outside.File("old.ex"));
}

TEST(Catalogue, StoringAnEntryKeepsItsOtherKeys) {
    test::TempDir dir;
    std::string cat = dir.File("Tools.dat");
    test::WriteFileBytes(cat, "[Tool]\r\nParam=-x\r\nHBcmd=tl\r\nLoc=old.exe\r\n");
    TIniFile ini(cat);
    TDroppedProgram p;
    p.Accepted = true;
    p.Section = "Tool";
    p.Loc = "C:\\new.exe";
    p.Desc = "A tool";
    StoreDroppedProgram(ini, p);
    TIniFile check(cat);
    EXPECT_EQ(check.ReadString("Tool", "Param", ""), "-x");
    EXPECT_EQ(check.ReadString("Tool", "HBcmd", ""), "tl");
    EXPECT_EQ(check.ReadString("Tool", "Loc", ""), "C:\\new.exe");
    EXPECT_EQ(check.ReadString("Tool", "Desc", ""), "A tool");
}

}  // namespace
}  // namespace ad
