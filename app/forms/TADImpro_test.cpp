// Import Programs with the real main window as its host, against shortcuts on
// both desktops, MUI cache values and App Paths keys made for the test.
#include "app/forms/TADImpro.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "app/Catalogue.h"
#include "app/forms/ImportSources.h"
#include "app/forms/TfrmAppdeck.h"
#include "framework/Handles.h"
#include "framework/IniFiles.h"
#include "framework/Registry.h"
#include "framework/SysUtils.h"
#include "testsupport/GuiTest.h"
#include "testsupport/TestUtils.h"

namespace ad {
namespace {

void MakeShortcut(const std::string& link, const std::string& target) {
    ComPtr<IShellLinkW> sl;
    ASSERT_TRUE(SUCCEEDED(
        ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, sl.PutVoid())));
    sl->SetPath(Widen(target).c_str());
    ComPtr<IPersistFile> pf;
    ASSERT_TRUE(SUCCEEDED(sl->QueryInterface(IID_IPersistFile, pf.PutVoid())));
    ASSERT_TRUE(SUCCEEDED(pf->Save(Widen(link).c_str(), TRUE)));
}

class ImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"user.exe", "common.exe", "mui.exe", "ap.exe", "Excluded.exe"}) {
            std::string file = programs.File(name);
            ASSERT_TRUE(::CopyFileW(Widen(test::FixturePath("echoargs.exe")).c_str(), Widen(file).c_str(), FALSE));
        }
        userLink = GetSpecialFolder(CSIDL_DESKTOPDIRECTORY) + "adtest user.lnk";
        commonLink = GetSpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + "adtest common.lnk";
        excludedLink = GetSpecialFolder(CSIDL_DESKTOPDIRECTORY) + "adtest excluded.lnk";
        MakeShortcut(userLink, programs.File("user.exe"));
        MakeShortcut(commonLink, programs.File("common.exe"));
        MakeShortcut(excludedLink, programs.File("Excluded.exe"));
        TRegistry hkcu;
        ASSERT_TRUE(hkcu.OpenKey(MuiCacheKeys[1], true));
        hkcu.WriteString(programs.File("mui.exe"), "Mui Program");
        hkcu.WriteString(programs.File("mui.exe") + ".FriendlyAppName", "Mui Program");  // not a program file
        TRegistry hklm;
        hklm.SetRootKey(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(hklm.OpenKey(std::string("\\") + AppPathsKey + "\\adtest plain.exe", true));
        hklm.WriteString("", programs.File("ap.exe"));
        ASSERT_TRUE(hklm.OpenKey(std::string("\\") + AppPathsKey + "\\adtest quoted.exe", true));
        hklm.WriteString("", "\"" + programs.File("user.exe") + "\"");
    }
    void TearDown() override {
        dialog.reset();
        main.reset();
        for (const std::string& f : {userLink, commonLink, excludedLink}) RemoveFile(f);
        TRegistry hkcu;
        if (hkcu.OpenKey(MuiCacheKeys[1], false)) {
            hkcu.DeleteValue(programs.File("mui.exe"));
            hkcu.DeleteValue(programs.File("mui.exe") + ".FriendlyAppName");
        }
        TRegistry hklm;
        hklm.SetRootKey(HKEY_LOCAL_MACHINE);
        hklm.DeleteKey(std::string("\\") + AppPathsKey + "\\adtest plain.exe");
        hklm.DeleteKey(std::string("\\") + AppPathsKey + "\\adtest quoted.exe");
    }
    TADImpro& OpenImport(bool desktop, bool mui, bool appPaths) {
        if (!main) {
            main.reset(CreateForm<TfrmAppdeck>(nullptr, base.Path()));
            main->Show();
            test::PumpPending();
        }
        dialog.reset(CreateForm<TADImpro>(nullptr, *main));
        dialog->Show();
        test::PumpPending();
        dialog->FormActivate(dialog.get());
        dialog->chkDesktop->SetChecked(desktop);
        dialog->chkMUI->SetChecked(mui);
        dialog->chkAP->SetChecked(appPaths);
        return *dialog;
    }
    std::vector<std::string> Imported() {
        return TIniFile(CategoryFileName(base.Path(), ImportCategory)).ReadSections();
    }
    bool Has(const std::vector<std::string>& sections, const std::string& name) {
        return std::find(sections.begin(), sections.end(), name) != sections.end();
    }

    test::TempDir base, programs;
    std::string userLink, commonLink, excludedLink;
    std::unique_ptr<TfrmAppdeck> main;
    std::unique_ptr<TADImpro> dialog;
};

TEST_F(ImportTest, EachSourceAddsItsProgramsAndTheExclusionsStayOut) {
    test::WriteFileBytes(base.File("ExcList.dat"), "EXCLUDED.EXE\r\n");
    const struct {
        bool desktop, mui, appPaths;
        std::vector<const char*> present, absent;
    } cases[] = {
        {true, false, false, {"adtest user", "adtest common"}, {"adtest excluded", "mui", "ap"}},
        {false, true, false, {"mui"}, {"adtest user", "ap"}},
        {false, false, true, {"ap"}, {"adtest user", "mui", "user"}},  // the quoted value is no program file
        {true, true, true, {"adtest user", "adtest common", "mui", "ap"}, {"adtest excluded", "user"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.desktop) + std::to_string(c.mui) + std::to_string(c.appPaths));
        RemoveFile(CategoryFileName(base.Path(), ImportCategory));
        TADImpro& d = OpenImport(c.desktop, c.mui, c.appPaths);
        EXPECT_EQ(d.lstExc->Lines().Count(), 1);
        d.skBitBtn1->Click();
        EXPECT_EQ(d.pbImport->Position(), 12);
        EXPECT_FALSE(d.Visible());
        std::vector<std::string> sections = Imported();
        for (const char* name : c.present) EXPECT_TRUE(Has(sections, name)) << name;
        for (const char* name : c.absent) EXPECT_FALSE(Has(sections, name)) << name;
        EXPECT_EQ(main->SelectedCategory(), ImportCategory);
    }
    // A second import updates the same entries.
    size_t count = Imported().size();
    OpenImport(true, true, true).skBitBtn1->Click();
    EXPECT_EQ(Imported().size(), count);
}

TEST_F(ImportTest, WithNoBoxOnlyTheExclusionListIsWritten) {
    TADImpro& d = OpenImport(false, false, false);
    d.lstExc->Lines().Add("a.exe");
    d.lstExc->Lines().Add("B.EXE");
    d.skBitBtn1->Click();
    EXPECT_FALSE(FileExists(CategoryFileName(base.Path(), ImportCategory)));
    EXPECT_EQ(main->lstCat->Items().IndexOf(ImportCategory), -1);
    ASSERT_TRUE(FileExists(base.File("ExcList.dat")));
    TADImpro& again = OpenImport(false, false, false);  // loaded when it opens
    ASSERT_EQ(again.lstExc->Lines().Count(), 2);
    EXPECT_EQ(again.lstExc->Lines()[1], "B.EXE");
    again.Button1->Click();  // Cancel saves the list too
    EXPECT_TRUE(FileExists(base.File("ExcList.dat")));
}

TEST_F(ImportTest, InReadOnlyModeNothingIsAddedYetTheCategoryIsListedAndSelected) {
    test::WriteFileBytes(base.File("Appdeck.ini"), "[Settings]\r\nReadOnlyMode=1\r\n");
    TADImpro& d = OpenImport(true, true, true);
    main->LoadViewOptions();
    d.skBitBtn1->Click();
    EXPECT_FALSE(FileExists(CategoryFileName(base.Path(), ImportCategory)));
    EXPECT_EQ(main->SelectedCategory(), ImportCategory);
    EXPECT_TRUE(DirectoryExists(CategoryFolder(base.Path())));
}

}  // namespace
}  // namespace ad
