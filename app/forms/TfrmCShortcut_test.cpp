// Create Shortcut on a real Wine desktop: the toggles (by click and by Alt+D
// and Alt+S), the .lnk files read back through the shell-link object, the
// Explore buttons, and the main window's button with a name holding "&".
#include "app/forms/TfrmCShortcut.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <memory>

#include "app/forms/ImportSources.h"
#include "app/forms/MainWindowTestSupport.h"
#include "app/forms/ShellLinks.h"
#include "base/StrUtils.h"
#include "base/WinText.h"
#include "framework/Handles.h"
#include "framework/SysUtils.h"
#include "testsupport/GuiTest.h"
#include "testsupport/TestUtils.h"

namespace ad {
namespace {

struct LinkRead {
    bool loaded = false;
    std::string path, args, workDir;
};

// A .lnk file loaded back through the shell-link object.
LinkRead ReadLink(const std::string& file) {
    LinkRead r;
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> pf;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, pf.PutVoid())) ||
        FAILED(pf->Load(Widen(file).c_str(), STGM_READ)))
        return r;
    wchar_t buf[MAX_PATH * 2] = {};
    link->GetPath(buf, MAX_PATH, nullptr, SLGP_RAWPATH);
    r.path = Narrow(buf);
    buf[0] = 0;
    link->GetArguments(buf, MAX_PATH);
    r.args = Narrow(buf);
    buf[0] = 0;
    link->GetWorkingDirectory(buf, MAX_PATH);
    r.workDir = Narrow(buf);
    r.loaded = true;
    return r;
}

void PressAlt(TWinControl& form, char letter) {
    ::PostMessageW(form.Handle(), WM_SYSCHAR, static_cast<WPARAM>(letter), 1u << 29);
    test::PumpPending();
}

class ShortcutTest : public ::testing::Test {
protected:
    void TearDown() override {
        form.reset();
        for (const std::string& f : made) RemoveFile(f);
    }
    TfrmCShortcut& Open(const std::string& name) {
        form.reset(CreateForm<TfrmCShortcut>(nullptr, TShortcutSource{target, "-x \"a b\"", name}));
        form->Show();
        test::PumpPending();
        return *form;
    }
    std::string Desktop(const std::string& name) {
        made.push_back(GetSpecialFolder(CSIDL_DESKTOPDIRECTORY) + name + ".lnk");
        return made.back();
    }
    std::string SendTo(const std::string& name) {
        made.push_back(GetSpecialFolder(CSIDL_SENDTO) + name + ".lnk");
        return made.back();
    }

    std::string target = test::FixturePath("echoargs.exe");
    std::unique_ptr<TfrmCShortcut> form;
    std::vector<std::string> made;
};

TEST(ShortcutFileNameTest, CharactersNoFileNameHoldsBecomeUnderscores) {
    const struct {
        const char* name;
        const char* file;
    } cases[] = {
        {"Notepad", "Notepad"},           {"A&B", "A&B"},         {"..\\..\\evil", ".._.._evil"},
        {"C:/x", "C__x"},                 {"a*b?c\"d<e>f|g", "a_b_c_d_e_f_g"},
    };
    for (const auto& c : cases) EXPECT_EQ(ShortcutFileName(c.name), c.file) << c.name;
}

TEST_F(ShortcutTest, BothTogglesMakeTwoLinksThatLoadBackAndReplaceAnOldFile) {
    const std::string desktop = Desktop("adtest both"), sendTo = SendTo("adtest both");
    ASSERT_TRUE(test::WriteFileBytes(desktop, "not a shortcut"));  // overwritten
    TfrmCShortcut& f = Open("adtest both");
    EXPECT_EQ(f.Caption(), "Create Shortcut to ...");
    EXPECT_FALSE(f.spdDesktop->Down());
    EXPECT_FALSE(f.spdSendto->Down());
    f.spdDesktop->Click();  // a click on the toggle itself
    PressAlt(f, 's');       // Alt+S flips the other one
    EXPECT_TRUE(f.spdDesktop->Down());
    EXPECT_TRUE(f.spdSendto->Down());
    f.btnOK->Click();
    EXPECT_FALSE(f.Visible());
    for (const std::string& file : {desktop, sendTo}) {
        LinkRead link = ReadLink(file);
        ASSERT_TRUE(link.loaded) << file;
        EXPECT_TRUE(AsciiSameText(link.path, target)) << link.path;
        EXPECT_EQ(link.args, "-x \"a b\"");
        EXPECT_TRUE(AsciiSameText(IncludeTrailingPathDelimiter(link.workDir), ExtractFilePath(target))) << link.workDir;
    }
}

TEST_F(ShortcutTest, AltKeysToggleBackAndOkWithNeitherDownMakesNothing) {
    const std::string desktop = Desktop("adtest none"), sendTo = SendTo("adtest none");
    TfrmCShortcut& f = Open("adtest none");
    PressAlt(f, 'd');
    PressAlt(f, 's');
    EXPECT_TRUE(f.spdDesktop->Down());
    EXPECT_TRUE(f.spdSendto->Down());
    PressAlt(f, 'd');
    PressAlt(f, 's');
    EXPECT_FALSE(f.spdDesktop->Down());
    EXPECT_FALSE(f.spdSendto->Down());
    f.btnOK->Click();
    EXPECT_FALSE(f.Visible());
    EXPECT_FALSE(FileExists(desktop));
    EXPECT_FALSE(FileExists(sendTo));
}

TEST_F(ShortcutTest, OnlyTheDesktopToggleAndEscClosesWithoutMaking) {
    const std::string desktop = Desktop("adtest desk"), sendTo = SendTo("adtest desk");
    TfrmCShortcut& f = Open("adtest desk");
    test::PostKey(f.btnOK->Handle(), VK_ESCAPE);
    test::PumpPending();
    EXPECT_FALSE(f.Visible());
    EXPECT_FALSE(FileExists(desktop));

    TfrmCShortcut& g = Open("adtest desk");
    g.spdDesktop->Click();
    g.btnOK->Click();
    EXPECT_TRUE(ReadLink(desktop).loaded);
    EXPECT_FALSE(FileExists(sendTo));
}

TEST_F(ShortcutTest, ExploreOpensTheFolderOfItsTag) {
    TfrmCShortcut& f = Open("x");
    std::vector<std::string> opened;
    f.ExploreFolder = [&](const std::string& folder) { opened.push_back(folder); };
    f.expDesktop->Click();
    f.expSendTo->Click();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], GetSpecialFolder(CSIDL_DESKTOP));
    EXPECT_EQ(opened[1], GetSpecialFolder(CSIDL_SENDTO));
    EXPECT_EQ(opened[1].back(), '\\');
}

TEST(ShortcutButtonTest, TheMainWindowsButtonNamesTheLinkAfterTheEntryNotItsDoubledCaption) {
    test::OneProgramMainWindow main;
    const std::string exe = test::FixturePath("echoargs.exe");
    TfrmAppdeck& f = main.Open("adtest A&B", "Loc=" + exe + "\r\nParam=/p\r\n");
    ASSERT_EQ(f.Label1->Caption(), "adtest A&&B");
    ASSERT_TRUE(f.btnCS->Enabled());
    const std::string folder = GetSpecialFolder(CSIDL_DESKTOPDIRECTORY);
    bool seen = false;
    {
        test::WhileModal act([&] {
            auto* dialog = test::WhileModal::ActiveForm<TfrmCShortcut>();
            if (!dialog) return false;
            seen = dialog->Modal();
            dialog->spdDesktop->Click();
            dialog->btnOK->Click();
            return true;
        });
        f.btnCS->Click();  // returns when the dialog closed
    }
    EXPECT_TRUE(seen);
    LinkRead link = ReadLink(folder + "adtest A&B.lnk");
    EXPECT_TRUE(link.loaded);
    EXPECT_TRUE(AsciiSameText(link.path, exe)) << link.path;
    EXPECT_EQ(link.args, "/p");
    EXPECT_FALSE(FileExists(folder + "adtest A&&B.lnk"));
    RemoveFile(folder + "adtest A&B.lnk");
}

}  // namespace
}  // namespace ad
