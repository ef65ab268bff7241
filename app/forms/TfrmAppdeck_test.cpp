// The main window on a real Wine desktop: start-up, view options, category
// operations, drops, view 1 pages and launching.
#include "app/forms/TfrmAppdeck.h"

#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <utility>

#include "app/Catalogue.h"
#include "app/Launch.h"
#include "app/forms/TfrmGHash.h"
#include "app/forms/ViewEntries.h"
#include "framework/Graphics.h"
#include "framework/Registry.h"
#include "framework/ShellIcon.h"
#include "framework/SysUtils.h"
#include "skin/forms/SkinProvider.h"
#include "app/forms/MainWindowTestSupport.h"
#include "testsupport/GuiTest.h"
#include "testsupport/TestUtils.h"

namespace ad {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedInput_ = Application->OnInputQuery;
        savedBox_ = Application->OnMessageBox;
        Application->OnInputQuery = [this](const std::string&, const std::string&, std::string& value) {
            if (answers.empty()) return false;
            value = answers.front();
            answers.erase(answers.begin());
            return true;
        };
        Application->OnMessageBox = [this](const std::string& text, const std::string&, UINT) {
            boxes.push_back(text);
            return boxAnswer;
        };
    }
    void TearDown() override {
        form.reset();
        Application->OnInputQuery = savedInput_;
        Application->OnMessageBox = savedBox_;
    }
    void Settings(const std::string& text) { test::WriteFileBytes(base.File("Appdeck.ini"), "[Settings]\r\n" + text); }
    void Category(const std::string& name, const std::string& text) {
        ForceDirectories(base.File("ADCat"));
        test::WriteFileBytes(base.File("ADCat\\" + name + ".dat"), text);
    }
    TfrmAppdeck& Open() {
        form.reset(CreateForm<TfrmAppdeck>(nullptr, base.Path()));
        form->Show();
        test::PumpPending();
        return *form;
    }
    // Chooses the category; its scan runs on the worker.
    void SelectNoWait(const std::string& category) {
        form->lstCat->SetItemIndex(form->lstCat->Items().IndexOf(category));
        form->lstCatClick(form->lstCat);
    }
    // Until the worker's scan has ended and its results are shown.
    void WaitForScan() {
        EXPECT_TRUE(test::PumpUntil([&] { return !form->Worker->IsWorking(); }, 20000));
        test::PumpPending();
    }
    void Select(const std::string& category) {
        SelectNoWait(category);
        WaitForScan();
    }
    // The category "Tools" holding one program, shown in the report view with its row selected.
    TfrmAppdeck& OpenOneProgramInReportView(const std::string& exe) {
        Category("Tools", "[Tool]\r\nLoc=" + exe + "\r\n");
        Settings("ViewStyle=3\r\n");
        TfrmAppdeck& f = Open();
        Select("Tools");
        EXPECT_TRUE(test::PumpUntil([&] { return f.lv2->ItemCount() == 1 && !f.Worker->IsWorking(); }));
        return f;
    }
    std::string ReadSetting(const std::string& key) {
        TIniFile ini(base.File("Appdeck.ini"));
        return ini.ReadString("Settings", key, "<none>");
    }

    test::TempDir base;
    std::unique_ptr<TfrmAppdeck> form;
    std::vector<std::string> answers;
    std::vector<std::string> boxes;
    int boxAnswer = IDYES;

private:
    decltype(TApplication::OnInputQuery) savedInput_;
    decltype(TApplication::OnMessageBox) savedBox_;
};

TEST_F(MainWindowTest, FreshStartWithNothingBesideTheProgram) {
    TfrmAppdeck& f = Open();
    EXPECT_EQ(f.lstCat->Count(), 0);
    EXPECT_TRUE(f.vs1->Down());
    EXPECT_EQ(f.PageControl1->ActivePage(), f.vs1Sht);
    EXPECT_EQ(f.Caption(), "Appdeck");
    EXPECT_EQ(f.ClientWidth(), 850);
    EXPECT_EQ(f.ClientHeight(), 574);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly("Software\\Vorlan"));
    EXPECT_EQ(reg.ReadString("39"), ModuleFileName());
    EXPECT_TRUE(FileExists("C:\\Windows\\Temp\\PinToTaskbar.vbs"));
    EXPECT_TRUE(FileExists("C:\\Windows\\Temp\\UnpinFromTaskbar.vbs"));
    EXPECT_TRUE(StartsText("https://", f.SB->PanelText(3)));
    f.Close();
    EXPECT_EQ(ReadSetting("ViewStyle"), "1");
}

TEST_F(MainWindowTest, TheSkinManagerLoadsTheBuiltInSkinWithTheStoredColours) {
    Settings("Skin_Hue=30\r\nSkin_Sat=-20\r\n");
    TfrmAppdeck& f = Open();
    skin::TSkinManager& m = f.SkinManager();
    EXPECT_TRUE(m.Active());
    EXPECT_EQ(m.SkinName(), skin::kBuiltInSkinName);
    ASSERT_NE(m.Skin(), nullptr);
    EXPECT_GE(m.Skin()->SectionIndexOf("BUTTON"), 0);
    EXPECT_EQ(m.HueOffset(), 30);
    EXPECT_EQ(m.Saturation(), -20);
    EXPECT_EQ(m.Brightness(), -1);
    EXPECT_FALSE(m.ExtendedBorders());  // off until the border window keeps to the frame on every show
    // No animation, glow or blur effects; every animated transition inactive.
    EXPECT_FALSE(m.Effects.AllowAnimation);
    EXPECT_FALSE(m.Effects.AllowGlowing);
    EXPECT_FALSE(m.Effects.AllowAeroBluring);
    const skin::TSkAnimEffects& anim = m.AnimEffects;
    for (const skin::TSkFormAnimation* a : {&anim.FormShow, &anim.FormHide, &anim.DialogShow, &anim.DialogHide,
                                            &anim.PageChange, &anim.Minimizing, &anim.SkinChanging})
        EXPECT_FALSE(a->Active);
    EXPECT_FALSE(anim.BlendOnMoving.Active);
    EXPECT_EQ(anim.Buttons.Events, 0);
    // The main window wears the skin through its provider.
    skin::forms::TSkinProvider* provider = skin::forms::TSkinProvider::OfWindow(f.Handle());
    ASSERT_NE(provider, nullptr);
    EXPECT_TRUE(provider->Skinned());
    EXPECT_FALSE(::GetWindowLongPtrW(f.Handle(), GWL_STYLE) & WS_SYSMENU);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainWindowTest, ViewStyleSettingChoosesTheViewAndIsWrittenBackOnClose) {
    struct Case {
        const char* stored;
        int view;
    } cases[] = {{nullptr, 1}, {"1", 1}, {"2", 2}, {"3", 3}, {"7", 1}, {"0", 1}, {"x", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "absent");
        Settings(c.stored ? std::string("ViewStyle=") + c.stored + "\r\n" : "");
        TfrmAppdeck& f = Open();
        TSpeedButton* expected = c.view == 1 ? f.vs1 : c.view == 2 ? f.vs2 : f.vs3;
        EXPECT_TRUE(expected->Down());
        EXPECT_EQ(f.PageControl1->ActivePage(), c.view == 1 ? f.vs1Sht : f.vs2Sht);
        f.Close();
        EXPECT_EQ(ReadSetting("ViewStyle"), std::to_string(c.view));
        form.reset();
    }
}

TEST_F(MainWindowTest, ReadOnlyModeFollowsTheSettingAtTheNextPaint) {
    TfrmAppdeck& f = Open();
    EXPECT_TRUE(f.btnAdd->Visible());
    EXPECT_EQ(f.lstCat->Top(), 92);
    Settings("ReadOnlyMode=1\r\n");
    ::RedrawWindow(f.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    for (TWinControl* c : std::initializer_list<TWinControl*>{f.BitBtn1, f.btnAdd, f.btnDel, f.btnRen, f.ewn, f.Button4,
                                                              f.button7, f.button9, f.btnHash, f.btnedit, f.btnremove,
                                                              f.btnAppPath, f.btnCS})
        EXPECT_FALSE(c->Visible()) << c->Name;
    EXPECT_TRUE(f.button5->Visible());
    EXPECT_EQ(f.lstCat->Top(), 40);
    EXPECT_EQ(f.lstCat->Height(), f.Button20->Top() - 40 - 5);
    EXPECT_TRUE(f.ReadOnlyView);
    Settings("ReadOnlyMode=0\r\n");
    ::RedrawWindow(f.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(f.btnAdd->Visible());
    EXPECT_EQ(f.lstCat->Top(), 92);
}

TEST_F(MainWindowTest, CategoriesAreAddedRenamedAndDeletedSafely) {
    Category("Games", "[Chess]\r\nLoc=C:\\chess.exe\r\n");
    TfrmAppdeck& f = Open();
    ASSERT_EQ(f.lstCat->Count(), 1);

    answers = {"Office"};
    f.btnAdd->Click();
    EXPECT_TRUE(FileExists(base.File("ADCat\\Office.dat")));
    EXPECT_EQ(FileSize(base.File("ADCat\\Office.dat")), 0);
    EXPECT_EQ(f.SelectedCategory(), "Office");

    answers = {"games"};  // exists already (names ignore case): selected, never emptied
    f.btnAdd->Click();
    EXPECT_NE(test::ReadFileBytes(base.File("ADCat\\Games.dat")).find("Chess"), std::string::npos);
    EXPECT_EQ(AsciiLowerCase(f.SelectedCategory()), "games");

    for (const char* bad : {"..\\x", "a\\b", "x:y", "CON", "dots."}) {
        answers = {bad};
        boxes.clear();
        f.btnAdd->Click();
        EXPECT_EQ(boxes.size(), 1u) << bad;
    }
    EXPECT_EQ(FindFiles(base.File("ADCat\\*")).size(), 2u);
    EXPECT_FALSE(FileExists(base.File("x.dat")));

    SCOPED_TRACE("rename");
    Select("Office");
    answers = {"Work"};
    f.btnRen->Click();
    EXPECT_TRUE(FileExists(base.File("ADCat\\Work.dat")));
    EXPECT_FALSE(FileExists(base.File("ADCat\\Office.dat")));
    EXPECT_EQ(f.SelectedCategory(), "Work");

    SCOPED_TRACE("delete");
    boxAnswer = IDNO;
    f.btnDel->Click();
    EXPECT_TRUE(FileExists(base.File("ADCat\\Work.dat")));
    boxAnswer = IDYES;
    f.btnDel->Click();
    EXPECT_FALSE(FileExists(base.File("ADCat\\Work.dat")));
    EXPECT_EQ(f.lstCat->Count(), 1);
    EXPECT_EQ(f.SelectedCategory(), "Games");
}

// A WM_DROPFILES message as the shell would send it, with wide names.
HDROP MakeDrop(const std::vector<std::wstring>& files) {
    size_t chars = 1;
    for (const auto& f : files) chars += f.size() + 1;
    HGLOBAL mem = ::GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* df = static_cast<DROPFILES*>(::GlobalLock(mem));
    df->pFiles = sizeof(DROPFILES);
    df->fWide = TRUE;
    auto* p = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(df) + sizeof(DROPFILES));
    for (const auto& f : files) {
        std::copy(f.begin(), f.end(), p);
        p += f.size() + 1;
    }
    ::GlobalUnlock(mem);
    return static_cast<HDROP>(mem);
}

TEST_F(MainWindowTest, DroppedFilesGoToTheSelectedCategoryInOneSave) {
    Category("Tools", "");
    TfrmAppdeck& f = Open();
    std::string program = base.File("Report [2016].exe");
    ASSERT_TRUE(::CopyFileW(Widen(test::FixturePath("verinfo.exe")).c_str(), Widen(program).c_str(), FALSE));
    std::string longName = "C:\\" + std::string(290, 'd') + "\\far.exe";  // longer than the old 260-character buffer
    std::vector<std::wstring> files = {Widen(program), Widen(base.File("notes.txt")), Widen(longName)};
    for (int i = 0; i < 300; ++i) files.push_back(Widen("C:\\bulk\\p" + std::to_string(i) + ".exe"));

    ::SendMessageW(f.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(files)), 0);  // no category yet
    EXPECT_EQ(FileSize(base.File("ADCat\\Tools.dat")), 0);

    Select("Tools");
    ::SendMessageW(f.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(files)), 0);
    WaitForScan();
    TIniFile ini(base.File("ADCat\\Tools.dat"));
    auto sections = ini.ReadSections();
    EXPECT_EQ(sections.size(), 302u);
    EXPECT_EQ(ini.ReadString("Report (2016)", "Loc", ""), "Report [2016].exe");  // relative to the program's folder
    EXPECT_EQ(ini.ReadString("Report (2016)", "Desc", ""), "Version fixture program");
    EXPECT_EQ(ini.ReadString("far", "Loc", ""), longName);
    EXPECT_FALSE(ini.SectionExists("notes"));
    // The one available entry shows once the category is scanned again.
    EXPECT_EQ(f.Temp->Count(), 1);
    EXPECT_EQ(f.app[0]->Caption(), "Report (2016)");
}

TEST_F(MainWindowTest, ViewOneShowsPagesOfFiveSlots) {
    std::string exe = test::FixturePath("echoargs.exe");
    std::string text;
    for (int i = 1; i <= 12; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "P%02d", i);
        text += std::string("[") + name + "]\r\nLoc=" + exe + "\r\nDesc=" + (i == 1 ? "Tom & Jerry" : "") + "\r\n";
    }
    text += "[Gone]\r\nLoc=C:\\missing\\gone.exe\r\n";
    Category("Many", text);
    TfrmAppdeck& f = Open();
    Select("Many");
    EXPECT_EQ(f.Temp->Count(), 12);
    EXPECT_EQ(f.oud->Caption(), "of 3");
    EXPECT_EQ(f.app[0]->Caption(), "P01");
    EXPECT_EQ(f.des[0]->Caption(), "Tom && Jerry");  // shows a plain ampersand
    EXPECT_EQ(f.des[1]->Caption(), "( No Description )");
    EXPECT_EQ(f.run[0]->HelpKeyword, exe);
    EXPECT_FALSE(f.pic[0]->Picture().Empty());

    f.Button3->Click();
    f.Button3->Click();
    EXPECT_EQ(f.UD->Position(), 3);
    EXPECT_EQ(f.app[0]->Caption(), "P11");
    EXPECT_EQ(f.app[1]->Caption(), "P12");
    for (int k = 2; k < 5; ++k) {
        EXPECT_EQ(f.app[k]->Caption(), "");
        EXPECT_FALSE(f.run[k]->Visible());
        EXPECT_FALSE(f.pinButtons[2 * k]->Visible());
    }
    f.Button3->Click();  // stays on the last page
    EXPECT_EQ(f.UD->Position(), 3);
    WORD key = VK_LEFT;
    ::SendMessageW(f.lstCat->Handle(), WM_SYSKEYDOWN, key, 1 << 29);  // Alt+Left: previous page
    EXPECT_EQ(f.UD->Position(), 2);

    Category("Empty", "");
    f.ReadCategory();
    Select("Empty");
    EXPECT_EQ(f.oud->Caption(), "of 0");
    EXPECT_FALSE(f.run[0]->Visible());
}

TEST_F(MainWindowTest, ALaunchStartsTheProgramInItsFolderThenAppliesTheAfterLaunchSetting) {
    ForceDirectories(base.File("tools"));
    std::string exe = base.File("tools\\echo.exe");
    ASSERT_TRUE(::CopyFileW(Widen(test::FixturePath("echoargs.exe")).c_str(), Widen(exe).c_str(), FALSE));
    std::string out = base.File("launched.txt");
    Category("Tools", "[Echo]\r\nLoc=tools\\echo.exe\r\nParam=--out=\"" + out + "\" hello\r\n");
    Settings("CloseAfterLaunch=1\r\n");
    TfrmAppdeck& f = Open();
    Select("Tools");
    ASSERT_TRUE(f.run[0]->Visible());
    EXPECT_EQ(f.run[0]->HelpKeyword, exe);  // relative location completed with the program's folder
    ::SendMessageW(f.run[0]->Handle(), BM_CLICK, 0, 0);
    ASSERT_TRUE(test::PumpUntil([&] { return !test::ReadFileBytes(out).empty(); }, 10000));
    std::string text = test::ReadFileBytes(out);
    EXPECT_NE(text.find("cwd=" + ExcludeTrailingPathDelimiter(base.File("tools"))), std::string::npos) << text;
    EXPECT_NE(text.find("arg=hello"), std::string::npos);
    EXPECT_FALSE(f.Showing());  // closed after the launch
}

TEST_F(MainWindowTest, AfterAnImportStoredLocationsCountAsWritten) {
    std::string exe = test::FixturePath("echoargs.exe");
    ::SetEnvironmentVariableW(L"AD_BIN", Widen(ExcludeTrailingPathDelimiter(test::BinDir())).c_str());
    Category("Imported", "[Plain]\r\nLoc=" + exe + "\r\n[Expanded]\r\nLoc=%AD_BIN%\\echoargs.exe\r\n");
    TfrmAppdeck& f = Open();
    Select("Imported");
    EXPECT_EQ(f.Temp->Count(), 2);  // a click resolves the environment form
    f.SelectCategory();
    WaitForScan();
    ASSERT_EQ(f.Temp->Count(), 1);  // the import's reload takes locations as written
    EXPECT_EQ(f.Temp->Items()[0], "Plain");
    EXPECT_EQ(f.app[0]->Caption(), "Plain");
}

TEST_F(MainWindowTest, PageTurnsReleaseTheIconsTheyReplace) {
    std::string exe = test::FixturePath("echoargs.exe");
    std::string text;
    for (int i = 0; i < 10; ++i) text += "[E" + std::to_string(i) + "]\r\nLoc=" + exe + "\r\n";
    Category("Ten", text);
    TfrmAppdeck& f = Open();
    Select("Ten");
    std::vector<HICON> shown;
    for (int turn = 0; turn < 60; ++turn) {
        HICON icon = f.pic[0]->Picture().Icon();
        ASSERT_NE(icon, nullptr);
        shown.push_back(icon);
        f.Button2Click(turn % 2 ? f.Button2 : f.Button3);
    }
    // Every icon that left the slot was destroyed: only the one shown now lives.
    ICONINFO info;
    int alive = 0;
    for (HICON icon : shown) {
        if (icon != f.pic[0]->Picture().Icon() && ::GetIconInfo(icon, &info)) {
            ::DeleteObject(info.hbmColor);
            ::DeleteObject(info.hbmMask);
            ++alive;
        }
    }
    EXPECT_EQ(alive, 0);
}

TEST_F(MainWindowTest, EditingACategoryStartsNotepadOnItsQuotedPathAndWaits) {
    // A stand-in Notepad beside the program: the system finds it first.
    std::string notepad = test::BinDir() + "Notepad.exe";
    ASSERT_TRUE(::CopyFileW(Widen(test::FixturePath("echoargs.exe")).c_str(), Widen(notepad).c_str(), FALSE));
    struct Remove {
        std::string file;
        ~Remove() { RemoveFile(file); }
    } remove{notepad};
    Category("My Tools", "");
    TfrmAppdeck& f = Open();
    Select("My Tools");
    std::string out = test::BinDir() + "echoargs.out";  // the stand-in writes into the current folder
    RemoveFile(out);
    std::string cwd = GetCurrentDir();
    ::SetCurrentDirectoryW(Widen(test::BinDir()).c_str());
    f.ewn->Click();
    ::SetCurrentDirectoryW(Widen(cwd).c_str());
    ASSERT_TRUE(FileExists(out));  // it has ended: the call waited
    std::string text = test::ReadFileBytes(out);
    RemoveFile(out);
    EXPECT_NE(text.find("arg=" + base.File("ADCat\\My Tools.dat") + "\n"), std::string::npos) << text;
}

TEST_F(MainWindowTest, AFailedLaunchLeavesTheWindowAsItWas) {
    Settings("CloseAfterLaunch=1\r\n");
    TfrmAppdeck& f = Open();
    f.button5->HelpKeyword = base.File("gone\\missing.exe");
    f.button5->SetEnabled(true);
    f.button5->Click();
    EXPECT_TRUE(f.Showing());
}

TEST_F(MainWindowTest, RowActionsWorkOnTheLocationOfTheSelectedRow) {
    std::string program = base.File("prog.exe");
    test::WriteFileBytes(program, "abc");
    Category("Tools", "[Prog]\r\nLoc=" + program + "\r\nParam=-x -y\r\n");
    Settings("ViewStyle=3\r\n");
    TfrmAppdeck& f = Open();
    EXPECT_FALSE(f.btnCLoc->Enabled());  // no row selected
    Select("Tools");
    ASSERT_TRUE(test::PumpUntil([&] { return f.lv2->ItemCount() == 1 && !f.Worker->IsWorking(); }));
    ASSERT_TRUE(f.btnCLoc->Enabled());
    EXPECT_EQ(f.button5->HelpKeyword, program);
    EXPECT_EQ(f.SelectedParam, "-x -y");

    f.btnCLoc->Click();
    ASSERT_TRUE(::OpenClipboard(f.Handle()));
    auto text = static_cast<const wchar_t*>(::GlobalLock(::GetClipboardData(CF_UNICODETEXT)));
    std::wstring copied = text ? text : L"";
    ::GlobalUnlock(::GetClipboardData(CF_UNICODETEXT));
    ::CloseClipboard();
    EXPECT_EQ(copied, Widen(program + " -x -y"));

    // The online scan hashes the whole file beside the window: the click
    // returns at once and the page opens when the hash is done.
    std::vector<std::string> opened;
    std::vector<std::string> errors;
    auto saved = Application->OnOpenURL;
    auto savedErrorBox = Application->OnException;
    Application->OnOpenURL = [&](const std::string& url) { opened.push_back(url); };
    Application->OnException = [&](TObject*, const std::exception_ptr& e) {
        errors.push_back(TApplication::ExceptionMessage(e));
    };
    f.btnVirTot->Click();
    EXPECT_TRUE(opened.empty());
    ASSERT_TRUE(test::PumpUntil([&] { return opened.size() == 1u; }));
    EXPECT_EQ(opened[0],
              "https://www.virustotal.com/en/file/ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad/"
              "analysis/");  // SHA-256 of "abc"
    // A file that cannot be read: its error reaches the error box; nothing is opened.
    ASSERT_TRUE(::DeleteFileW(Widen(program).c_str()));
    f.btnVirTot->Click();
    EXPECT_TRUE(test::PumpUntil([&] { return errors.size() == 1u && !f.trdOnlineScan->IsWorking(); }));
    test::PumpPending();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("prog.exe"), std::string::npos) << errors[0];
    EXPECT_EQ(opened.size(), 1u);

    // Closed while a large file is hashed: the hash stops and nothing opens.
    std::string large = base.File("large.exe");
    test::WriteFileBytes(large, std::string(64 << 20, 'x'));
    f.button5->HelpKeyword = large;
    f.btnVirTot->Click();
    form.reset();
    test::PumpPending();
    EXPECT_EQ(opened.size(), 1u);
    Application->OnOpenURL = saved;
    Application->OnException = savedErrorBox;
}

TEST_F(MainWindowTest, TrayModeHidesTheWindowBehindAMenuOfEveryCategory) {
    std::string exe = test::FixturePath("echoargs.exe");
    std::string sixty, twoHundred;
    for (int i = 0; i < 60; ++i) sixty += "[P" + std::to_string(100 + i) + "]\r\nLoc=" + exe + "\r\n";
    for (int i = 0; i < 200; ++i) twoHundred += "[Q" + std::to_string(100 + i) + "]\r\nLoc=" + exe + "\r\n";
    std::string out = base.File("tray.txt");
    Category("A & B", "[Tom & Jerry]\r\nLoc=" + exe + "\r\nParam=--out=\"" + out + "\" x\r\n[Gone]\r\nLoc=C:\\no.exe\r\n");
    Category("Many", sixty);
    Category("Long", twoHundred);
    Category("Empty", "[Gone]\r\nLoc=C:\\no.exe\r\n");
    Settings("RAMOptimizer_Interval=15\r\n");
    TfrmAppdeck& f = Open();
    f.Button6->Click();
    EXPECT_FALSE(::IsWindowVisible(f.Handle()));
    EXPECT_TRUE(f.RAMO->Enabled());  // on by default in tray mode
    EXPECT_EQ(f.RAMO->Interval(), 15000u);
    EXPECT_FALSE(f.CatalogueChanged);

    TMenuItem& root = f.TMPop->Items();
    ASSERT_EQ(root.Count(), 4);  // the categories in list order
    EXPECT_EQ(root.Items(0)->Caption, "A && B");
    ASSERT_EQ(root.Items(0)->Count(), 1);
    EXPECT_EQ(root.Items(0)->Items(0)->Caption, "Tom & Jerry");  // as stored: "&" marks a letter
    EXPECT_EQ(root.Items(1)->Caption, "Empty");
    EXPECT_EQ(root.Items(1)->Count(), 0);
    TMenuItem* longCat = root.Items(2);
    TMenuItem* many = root.Items(3);
    ASSERT_EQ(many->Count(), 60);
    for (int i = 0; i < 60; ++i)
        EXPECT_EQ(many->Items(i)->Break == TMenuBreak::mbBarBreak, i == 24 || i == 49) << i;
    for (int i = 0; i < longCat->Count(); ++i) EXPECT_EQ(longCat->Items(i)->Break, TMenuBreak::mbNone);

    // A menu item starts its program with its parameters.
    root.Items(0)->Items(0)->Click();
    ASSERT_TRUE(test::PumpUntil([&] { return !test::ReadFileBytes(out).empty(); }, 10000));
    EXPECT_NE(test::ReadFileBytes(out).find("arg=x"), std::string::npos);

    // A left press on the icon brings the window back.
    ::SendMessageW(f.Handle(), f.trayAD->CallbackMessage(), 0, WM_LBUTTONDOWN);
    EXPECT_TRUE(::IsWindowVisible(f.Handle()));
    EXPECT_FALSE(f.RAMO->Enabled());

    // Unchanged catalogue: the menu is kept; a change rebuilds it. The kept
    // item carries a mark; a rebuilt one does not (its address may be the
    // freed one's, so the address says nothing).
    root.Items(0)->Tag = 4711;
    f.SendToTray();
    EXPECT_EQ(root.Items(0)->Tag, 4711);
    f.trayADClick(f.trayAD);
    f.CatalogueChanged = true;
    f.SendToTray();
    ASSERT_GT(root.Count(), 0);
    EXPECT_NE(root.Items(0)->Tag, 4711);
    f.trayADClick(f.trayAD);
}

TEST_F(MainWindowTest, TheTrayMenuShowsAtOnceAndItsProgramIconsFollow) {
    std::string exe = test::FixturePath("echoargs.exe");
    std::string programs;
    for (int i = 0; i < 40; ++i) programs += "[P" + std::to_string(100 + i) + "]\r\nLoc=" + exe + "\r\n";
    Category("One", programs);
    Category("Two", "[Q]\r\nLoc=" + exe + "\r\n");
    TfrmAppdeck& f = Open();
    auto launchItems = [&] {
        std::vector<TMenuItem*> items;
        TMenuItem& root = f.TMPop->Items();
        for (int c = 0; c < root.Count(); ++c)
            for (int i = 0; i < root.Items(c)->Count(); ++i) items.push_back(root.Items(c)->Items(i));
        return items;
    };
    auto allHaveSmallBitmaps = [&] {
        std::vector<TMenuItem*> items = launchItems();
        return !items.empty() && std::all_of(items.begin(), items.end(), [](TMenuItem* item) {
            BITMAP bm{};
            return item->Bitmap && ::GetObjectW(item->Bitmap.Get(), sizeof bm, &bm) && bm.bmWidth == 16;
        });
    };
    f.Button6->Click();  // tray mode: the menu is built, the icons are fetched by the worker
    ASSERT_EQ(launchItems().size(), 41u);
    EXPECT_TRUE(f.TMPop->Items().Items(0)->Bitmap);  // the category's folder picture comes at once
    ASSERT_TRUE(test::PumpUntil([&] { return !f.trdMenuIcons->IsWorking(); }, 20000));
    EXPECT_TRUE(allHaveSmallBitmaps());
    // The built menu carries them.
    std::vector<TMenuItem*> commands;
    OwnedMenu menu = f.TMPop->BuildMenu(commands);
    HMENU one = ::GetSubMenu(menu.Get(), 0);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP;
    ASSERT_TRUE(::GetMenuItemInfoW(one, 39, TRUE, &info));
    EXPECT_EQ(info.hbmpItem, f.TMPop->Items().Items(0)->Items(39)->Bitmap.Get());
    if (std::getenv("AD_SCREENSHOT_DIR")) {
        // A picture of the open menu with its first submenu, for people to look at.
        f.trayADClick(f.trayAD);
        static int step;
        step = 0;
        UINT_PTR timer = ::SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR, DWORD) {
            HWND menuWindow = ::FindWindowW(L"#32768", nullptr);
            if (!menuWindow) return;
            if (step == 0) {
                test::PostKey(menuWindow, VK_DOWN);
                test::PostKey(menuWindow, VK_RIGHT);
            } else if (step == 2) {
                test::SaveScreenshot(::GetDesktopWindow(), "frmAppdeck-traymenu.bmp");
                ::EndMenu();
            }
            ++step;
        });
        f.TMPop->PopupComponent = &f;
        f.TMPop->Popup(20, 20);
        ::KillTimer(nullptr, timer);
        f.SendToTray();
    }

    // A rebuild while the icons are being fetched replaces the run: the new items get theirs.
    f.trayADClick(f.trayAD);
    f.CatalogueChanged = true;
    f.SendToTray();
    f.trayADClick(f.trayAD);
    f.CatalogueChanged = true;
    f.SendToTray();
    ASSERT_TRUE(test::PumpUntil([&] { return !f.trdMenuIcons->IsWorking(); }, 20000));
    EXPECT_EQ(launchItems().size(), 41u);
    EXPECT_TRUE(allHaveSmallBitmaps());
    f.trayADClick(f.trayAD);
}

TEST_F(MainWindowTest, TheHotKeySwitchesModesAndMinimisingCanGoToTheTray) {
    Settings("RAMOptimizer=0\r\nMin2TrayMode=1\r\n");
    TfrmAppdeck& f = Open();
    ::SendMessageW(f.Handle(), WM_HOTKEY, 212, 0);
    EXPECT_FALSE(::IsWindowVisible(f.Handle()));
    EXPECT_FALSE(f.RAMO->Enabled());
    ::SendMessageW(f.Handle(), WM_HOTKEY, 99, 0);  // another id: nothing
    EXPECT_FALSE(::IsWindowVisible(f.Handle()));
    ::SendMessageW(f.Handle(), WM_HOTKEY, 212, 0);
    EXPECT_TRUE(::IsWindowVisible(f.Handle()));

    ASSERT_TRUE(Application->OnMinimize);
    Application->OnMinimize(Application);
    EXPECT_FALSE(::IsWindowVisible(f.Handle()));
    f.trayADClick(f.trayAD);
    f.RAMOTimer(f.RAMO);  // one trimming pass runs without complaint
}

// After an import the list is filled anew with no row selected: the row
// actions are disabled and act on nothing (they used to act on the program
// the previous list had selected).
TEST_F(MainWindowTest, RowActionsNeedARowOfTheListShown) {
    std::string exe = test::FixturePath("echoargs.exe");
    TfrmAppdeck& f = OpenOneProgramInReportView(exe);
    ASSERT_TRUE(f.btnHash->Enabled());
    Category("( IMPORTED )", "[Other]\r\nLoc=" + exe + "\r\n");
    f.ReadCategory();
    f.lstCat->SetItemIndex(f.lstCat->Items().IndexOf("( IMPORTED )"));
    f.SelectCategory();
    ASSERT_TRUE(test::PumpUntil([&] { return f.lv2->ItemCount() == 1 && !f.Worker->IsWorking(); }));
    test::PumpPending();
    EXPECT_LT(f.lv2->SelectedIndex(), 0);
    for (TButton* b : {f.button5, f.btnft, f.button7, f.button9, f.btnProp, f.btnedit, f.btnremove, f.btnAppPath,
                       f.btnCS, f.btnCLoc, f.btnVirTot, f.btnHash})
        EXPECT_FALSE(b->Enabled()) << b->Name;
    EXPECT_EQ(f.button5->HelpKeyword, "");
    EXPECT_EQ(f.Label1->Caption(), "");
    int dialogs = 0;
    test::WhileModal closeDialog([&] {
        if (TForm* modal = test::WhileModal::ActiveForm<TForm>(); modal && modal != &f) {
            ++dialogs;
            modal->Close();
        }
        return false;
    });
    std::vector<std::string> opened;
    auto saved = Application->OnOpenURL;
    Application->OnOpenURL = [&](const std::string& url) { opened.push_back(url); };
    f.btnHash->Click();
    f.btnVirTot->Click();
    f.btnAppPath->Click();
    test::PumpPending();
    Application->OnOpenURL = saved;
    EXPECT_EQ(dialogs, 0);
    EXPECT_TRUE(opened.empty());
    // Choosing a row enables them again for that row.
    f.lv2->SetSelectedIndex(0);
    f.lv2Click(f.lv2);
    EXPECT_TRUE(f.btnHash->Enabled());
    EXPECT_EQ(f.Label1->Caption(), "Other");
}

// The counters of views 2/3 show their whole number: 300 programs read "300".
TEST_F(MainWindowTest, TheCountersShowTheirWholeNumbers) {
    std::string exe = test::FixturePath("echoargs.exe");
    std::string big;
    for (int i = 0; i < 300; ++i) big += "[P" + std::to_string(1000 + i) + "]\r\nLoc=" + exe + "\r\n";
    for (int i = 0; i < 1200; ++i) big += "[G" + std::to_string(1000 + i) + "]\r\nLoc=C:\\nowhere\\g.exe\r\n";
    Category("Big", big);
    Settings("ViewStyle=3\r\n");
    TfrmAppdeck& f = Open();
    Select("Big");
    ASSERT_TRUE(test::PumpUntil([&] { return f.lv2->ItemCount() == 300 && !f.Worker->IsWorking(); }, 20000));
    test::PumpPending();
    EXPECT_EQ(f.totava->Caption(), "300");
    EXPECT_EQ(f.totnava->Caption(), "1200");
    for (TLabel* label : {f.totava, f.totnava, f.lblava, f.lblnava}) {
        WindowDC dc(label->Handle());
        SelectObjectScope font(dc.Get(), label->EffectiveFont().Handle());
        std::wstring text = label->WideText();
        SIZE extent{};
        ::GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
        EXPECT_GE(label->Width(), extent.cx) << label->Name;
        RECT r{};
        ::GetClientRect(label->Handle(), &r);
        EXPECT_GE(r.right, extent.cx) << label->Name;
    }
    test::SaveScreenshot(f.Handle(), "frmAppdeck-counters.bmp");
}

// Started in view 3, the page of views 2/3 lies inside the tab control's
// frame (its right and bottom edges show), as after a visit to view 1.
TEST_F(MainWindowTest, StartedInViewThreeThePageLiesInsideTheTabFrame) {
    Settings("ViewStyle=3\r\n");
    TfrmAppdeck& f = Open();
    test::PumpPending();
    auto pageArea = [&] {
        RECT r{};
        ::GetClientRect(f.PageControl1->Handle(), &r);
        ::SendMessageW(f.PageControl1->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
        return r;
    };
    auto sheet = [&] {
        RECT r{};
        ::GetWindowRect(f.vs2Sht->Handle(), &r);
        ::MapWindowPoints(nullptr, f.PageControl1->Handle(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    RECT expected = pageArea(), shown = sheet();
    EXPECT_EQ(shown.left, expected.left);
    EXPECT_EQ(shown.top, expected.top);
    EXPECT_EQ(shown.right, expected.right);
    EXPECT_EQ(shown.bottom, expected.bottom);
    test::SaveScreenshot(f.Handle(), "frmAppdeck-view3-start.bmp");
    f.vs1->Click();
    f.vs3->Click();
    test::PumpPending();
    RECT after = sheet();
    EXPECT_EQ(after.right, expected.right);
    EXPECT_EQ(after.bottom, expected.bottom);
}

// A real minimise with "Min2TrayMode" on hides a window that is still
// minimised; the tray icon and the hot key each bring it back restored and in
// front, and the hot key then toggles between the tray and the restored window.
TEST_F(MainWindowTest, MinimisedToTheTrayTheWindowComesBackRestored) {
    Settings("RAMOptimizer=0\r\nMin2TrayMode=1\r\n");
    TfrmAppdeck& f = Open();
    struct MainFormScope {  // the minimise event is the main form's
        TForm* saved = Application->MainForm;
        ~MainFormScope() { Application->MainForm = saved; }
    } mainForm;
    Application->MainForm = &f;
    auto restoredInFront = [&] {
        return ::IsWindowVisible(f.Handle()) && !::IsIconic(f.Handle()) && ::GetForegroundWindow() == f.Handle();
    };
    const struct {
        const char* how;
        std::function<void()> back;
    } ways[] = {
        {"tray icon", [&] { ::SendMessageW(f.Handle(), f.trayAD->CallbackMessage(), 0, WM_LBUTTONDOWN); }},
        {"hot key", [&] { ::SendMessageW(f.Handle(), WM_HOTKEY, 212, 0); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        ::ShowWindow(f.Handle(), SW_MINIMIZE);
        test::PumpPending();
        ASSERT_FALSE(::IsWindowVisible(f.Handle()));  // in the tray
        way.back();
        test::PumpPending();
        EXPECT_TRUE(restoredInFront());
        EXPECT_EQ(f.WindowState(), TWindowState::wsNormal);
    }
    ::SendMessageW(f.Handle(), WM_HOTKEY, 212, 0);
    EXPECT_FALSE(::IsWindowVisible(f.Handle()));
    ::SendMessageW(f.Handle(), WM_HOTKEY, 212, 0);
    test::PumpPending();
    EXPECT_TRUE(::IsWindowVisible(f.Handle()));
    EXPECT_FALSE(::IsIconic(f.Handle()));
}

// Files named on the command line are handled at the first show only: a return
// from the tray shows the window again and must not add them to the category
// selected by then.
TEST_F(MainWindowTest, CommandLineFilesAreTakenAtTheFirstShowOnly) {
    std::string exe = base.File("tool.exe");
    ASSERT_TRUE(::CopyFileW(Widen(test::FixturePath("echoargs.exe")).c_str(), Widen(exe).c_str(), FALSE));
    Category("Tools", "");
    Settings("RAMOptimizer=0\r\n");
    form.reset(CreateForm<TfrmAppdeck>(nullptr, base.Path()));
    form->Arguments = {exe};
    TfrmAppdeck& f = *form;
    f.Show();
    test::PumpPending();
    EXPECT_EQ(FileSize(base.File("ADCat\\Tools.dat")), 0);  // no category selected at start
    Select("Tools");
    f.SendToTray();
    f.trayADClick(f.trayAD);
    test::PumpPending();
    EXPECT_TRUE(::IsWindowVisible(f.Handle()));
    EXPECT_EQ(FileSize(base.File("ADCat\\Tools.dat")), 0);
    EXPECT_TRUE(TIniFile(base.File("ADCat\\Tools.dat")).ReadSections().empty());
}

// In Read Only mode the editing buttons are hidden and their keys do nothing:
// Del keeps the entry and Ctrl+Enter opens no editor.
TEST_F(MainWindowTest, ReadOnlyModeTurnsTheEditingKeysOff) {
    std::string exe = test::FixturePath("echoargs.exe");
    Category("Tools", "[Tool]\r\nLoc=" + exe + "\r\n");
    Settings("ViewStyle=3\r\nReadOnlyMode=1\r\nVS23DConfirm=0\r\n");
    TfrmAppdeck& f = Open();
    f.LoadViewOptions();
    ASSERT_TRUE(f.ReadOnlyView);
    Select("Tools");
    ASSERT_TRUE(test::PumpUntil([&] { return f.lv2->ItemCount() == 1 && !f.Worker->IsWorking(); }));
    f.lv2->SetSelectedIndex(0);
    int editors = 0;
    test::WhileModal closeEditor([&] {
        if (TForm* modal = test::WhileModal::ActiveForm<TForm>(); modal && modal != &f) {
            ++editors;
            modal->Close();
        }
        return false;
    });
    ::SendMessageW(f.lv2->Handle(), WM_KEYDOWN, VK_DELETE, 0);
    f.btnremove->Click();
    WORD key = VK_RETURN;
    f.lv2->OnKeyDown(f.lv2, key, ssCtrl);
    f.btnedit->Click();
    test::PumpPending();
    EXPECT_EQ(editors, 0);
    EXPECT_TRUE(TIniFile(base.File("ADCat\\Tools.dat")).SectionExists("Tool"));
    EXPECT_TRUE(boxes.empty());
}

// Closing writes the view style; where the settings file cannot be written the
// failure is reported once and the window closes all the same (also when a
// launch asks for it).
TEST_F(MainWindowTest, AnUnwritableSettingsFileDoesNotKeepTheWindowOpen) {
    for (bool afterLaunch : {false, true}) {
        SCOPED_TRACE(afterLaunch ? "after a launch" : "closed");
        std::string exe = test::FixturePath("echoargs.exe");
        ::SetFileAttributesW(Widen(base.File("Appdeck.ini")).c_str(), FILE_ATTRIBUTE_NORMAL);
        OpenOneProgramInReportView(exe);  // view 3: closing would store 3
        TfrmAppdeck& f = *form;
        if (afterLaunch) {
            Settings("ViewStyle=3\r\nCloseAfterLaunch=1\r\n");
            f.vs2->Click();  // a view other than the stored one
            ASSERT_TRUE(test::PumpUntil([&] { return f.lv2->ItemCount() == 1 && !f.Worker->IsWorking(); }));
            f.lv2->SetSelectedIndex(0);
            f.lv2Click(f.lv2);
        } else {
            Settings("ViewStyle=1\r\n");
        }
        ASSERT_TRUE(::SetFileAttributesW(Widen(base.File("Appdeck.ini")).c_str(), FILE_ATTRIBUTE_READONLY));
        int errorBoxes = 0;
        auto savedException = Application->OnException;
        Application->OnException = [&](TObject*, const std::exception_ptr&) { ++errorBoxes; };
        boxes.clear();
        // Through the window procedures, as a click and the close box arrive.
        if (afterLaunch) ::SendMessageW(f.button5->Handle(), BM_CLICK, 0, 0);
        else ::SendMessageW(f.Handle(), WM_CLOSE, 0, 0);
        test::PumpPending();
        Application->OnException = savedException;
        EXPECT_EQ(errorBoxes, 0);
        EXPECT_EQ(boxes.size(), 1u);
        EXPECT_FALSE(::IsWindowVisible(f.Handle()));
        ::SetFileAttributesW(Widen(base.File("Appdeck.ini")).c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(ReadSetting("ViewStyle"), afterLaunch ? "3" : "1");  // left as it was
        form.reset();
    }
}

// Text of one cell of the program list, as the list view shows it.
std::string CellText(TListView* lv, int row, int column) {
    wchar_t buf[512] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buf;
    item.cchTextMax = 512;
    ::SendMessageW(lv->Handle(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return Narrow(buf);
}

TEST_F(MainWindowTest, ViewThreeListsTheAvailableProgramsWithTheirColumns) {
    std::string exe = test::FixturePath("echoargs.exe");
    Category("Mixed", "[B Tool]\r\nLoc=" + exe + "\r\nParam=-v\r\nDesc=Second & last\r\n" +
                          "[A Tool]\r\nLoc=" + exe + "\r\n" + "[Gone]\r\nLoc=C:\\nowhere\\gone.exe\r\n");
    Category("Nothing", "[Gone]\r\nLoc=C:\\nowhere\\gone.exe\r\n[Also]\r\nLoc=\r\n");
    TfrmAppdeck& f = Open();
    f.vs3->Click();
    EXPECT_EQ(f.PageControl1->ActivePage(), f.vs2Sht);
    EXPECT_EQ(f.vs2Sht->Caption(), "View Style 3");
    Select("Mixed");  // the scan runs on the worker
    ASSERT_TRUE(test::PumpUntil([&] { return f.lv2->ItemCount() == 2 && !f.Worker->IsWorking(); }));
    EXPECT_EQ(CellText(f.lv2, 0, 0), "A Tool");
    EXPECT_EQ(CellText(f.lv2, 0, 1), "( No Description )");
    EXPECT_EQ(CellText(f.lv2, 1, 1), "Second & last");
    EXPECT_EQ(CellText(f.lv2, 1, 2), exe);
    EXPECT_EQ(CellText(f.lv2, 1, 3), "-v");
    EXPECT_EQ(f.totava->Caption(), "2");
    EXPECT_EQ(f.totnava->Caption(), "1");
    // The first row is selected: preview, launch location and the row actions follow it.
    EXPECT_EQ(f.lv2->SelectedIndex(), 0);
    EXPECT_EQ(f.Label1->Caption(), "A Tool");
    EXPECT_EQ(f.button5->HelpKeyword, exe);
    EXPECT_TRUE(f.btnCLoc->Enabled());
    f.lv2->SetSelectedIndex(1);
    EXPECT_EQ(f.Label2->Caption(), "Second && last");
    EXPECT_EQ(f.SelectedParam, "-v");

    Select("Nothing");
    ASSERT_TRUE(test::PumpUntil([&] { return !f.Worker->IsWorking(); }));
    EXPECT_EQ(f.lv2->ItemCount(), 0);
    EXPECT_EQ(f.totava->Caption(), "0");
    EXPECT_EQ(f.totnava->Caption(), "2");
    EXPECT_FALSE(f.button5->Enabled());
}

TEST_F(MainWindowTest, ANewChoiceStopsTheRunningScan) {
    std::string exe = test::FixturePath("echoargs.exe");
    std::string big;
    for (int i = 0; i < 400; ++i) big += "[P" + std::to_string(i) + "]\r\nLoc=" + exe + "\r\n";
    Category("Big", big);
    Category("Small", "[Only]\r\nLoc=" + exe + "\r\n");
    Settings("ViewStyle=2\r\n");
    TfrmAppdeck& f = Open();
    SelectNoWait("Big");
    Select("Small");  // cancels and waits for the first scan, then scans again
    ASSERT_TRUE(test::PumpUntil([&] { return !f.Worker->IsWorking(); }));
    ASSERT_EQ(f.lv2->ItemCount(), 1);
    EXPECT_EQ(f.ViewEntries[0].Name, "Only");
}

// The pixels an image list draws for an image on white.
std::vector<DWORD> DrawnPixels(HIMAGELIST list, int index, int w, int h) {
    DibSection32 bmp(w, h);
    OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
    std::vector<DWORD> pixels(static_cast<size_t>(w) * static_cast<size_t>(h), 0xFFFFFFFF);
    if (!bmp || !dc) return {};
    std::copy(pixels.begin(), pixels.end(), bmp.Bits());
    {
        SelectObjectScope sel(dc.Get(), bmp.Get());
        ::ImageList_Draw(list, index, dc.Get(), 0, 0, ILD_NORMAL);
        ::GdiFlush();
    }
    std::copy(bmp.Bits(), bmp.Bits() + pixels.size(), pixels.begin());
    return pixels;
}

// Handles the thread's messages one at a time while the worker runs, calling
// afterEach() after each: a state that the next message ends is seen.
void DispatchOneByOneWhileWorking(TBackgroundWorker* worker, const std::function<void()>& afterEach) {
    while (worker->IsWorking()) {
        MSG msg;
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
        afterEach();
    }
}

TEST_F(MainWindowTest, RowsShowInBatchesWhileTheScanRuns) {
    const std::string programs[] = {ExtractFilePath(test::FixturePath("echoargs.exe")) + "Appdeck.exe",
                                    "C:\\windows\\notepad.exe",
                                    "C:\\windows\\regedit.exe", "C:\\windows\\system32\\cmd.exe",
                                    "C:\\windows\\system32\\winecfg.exe"};
    std::string big;
    for (int i = 0; i < 400; ++i) big += "[P" + std::to_string(1000 + i) + "]\r\nLoc=" + programs[i % 5] + "\r\n";
    Category("Big", big);
    Settings("ViewStyle=3\r\n");
    TfrmAppdeck& f = Open();
    SelectNoWait("Big");
    EXPECT_EQ(f.lv2->ItemCount(), 0);  // nothing is looked up on this thread
    // One message at a time: the list grows while the worker still runs.
    std::vector<int> countsWhileWorking;
    DispatchOneByOneWhileWorking(f.Worker, [&] {
        if (f.Worker->IsWorking() && (countsWhileWorking.empty() || countsWhileWorking.back() != f.lv2->ItemCount()))
            countsWhileWorking.push_back(f.lv2->ItemCount());
    });
    ASSERT_EQ(f.lv2->ItemCount(), 400);
    EXPECT_TRUE(std::any_of(countsWhileWorking.begin(), countsWhileWorking.end(), [](int n) { return n > 0 && n < 400; }));
    EXPECT_TRUE(std::is_sorted(countsWhileWorking.begin(), countsWhileWorking.end()));
    for (int i = 0; i < 400; i += 57) EXPECT_EQ(CellText(f.lv2, i, 0), "P" + std::to_string(1000 + i)) << i;
    EXPECT_EQ(f.lv2->SelectedIndex(), 0);  // the end of the scan selects the first row
    EXPECT_EQ(f.totava->Caption(), "400");
    test::SaveScreenshot(f.Handle(), "frmAppdeck-view3.bmp");
    f.vs2->Click();  // the view's scan runs on the worker too
    EXPECT_EQ(f.lv2->ItemCount(), 0);
    ASSERT_TRUE(test::PumpUntil([&] { return f.lv2->ItemCount() == 400 && !f.Worker->IsWorking(); }, 20000));
    test::SaveScreenshot(f.Handle(), "frmAppdeck-view2.bmp");
}

TEST_F(MainWindowTest, TheListShowsTheShellsSystemImagesAndNeverDestroysThem) {
    std::string exe = test::FixturePath("echoargs.exe");
    TfrmAppdeck& f = OpenOneProgramInReportView(exe);
    HIMAGELIST small = ShellImageList(TShellIconSize::Small), large = ShellImageList(TShellIconSize::Large);
    ASSERT_NE(small, nullptr);
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(::SendMessageW(f.lv2->Handle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0)), small);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(::SendMessageW(f.lv2->Handle(), LVM_GETIMAGELIST, LVSIL_NORMAL, 0)), large);
    // The row's picture is the program's own icon in the shared list.
    ASSERT_EQ(f.ViewEntries.size(), 1u);
    EXPECT_EQ(f.ViewEntries[0].ImageIndex, ShellIconIndex(exe, TShellIconSize::Small));
    EXPECT_GE(f.ViewEntries[0].ImageIndex, 0);
    // The generic program picture for rows the shell has no icon for is in both lists.
    for (bool largeIcons : {false, true}) {
        int fallback = FallbackImageIndex(largeIcons);
        EXPECT_GE(fallback, 0);
        EXPECT_LT(fallback, ::ImageList_GetImageCount(largeIcons ? large : small));
    }
    // A row looks as it did when the list held a copy of the file's own icon.
    std::string text = base.File("notes.txt");
    test::WriteFileBytes(text, "x");
    std::string withIcon = ExtractFilePath(exe) + "Appdeck.exe";  // an icon of its own, with alpha
    ASSERT_TRUE(FileExists(withIcon));
    for (const std::string& file : {exe, withIcon, text}) {
        for (TShellIconSize size : {TShellIconSize::Small, TShellIconSize::Large}) {
            HIMAGELIST shared = size == TShellIconSize::Small ? small : large;
            int w = 0, h = 0;
            ::ImageList_GetIconSize(shared, &w, &h);
            HIMAGELIST own = ::ImageList_Create(w, h, ILC_COLOR32 | ILC_MASK, 1, 1);
            OwnedIcon icon = ShellIcon(file, size);
            ASSERT_TRUE(icon) << file;
            int copy = ::ImageList_AddIcon(own, icon.Get());
            EXPECT_EQ(DrawnPixels(own, copy, w, h), DrawnPixels(shared, ShellIconIndex(file, size), w, h)) << file;
            ::ImageList_Destroy(own);
        }
    }
    // View 2 takes the large list's index of the same program.
    f.vs2->Click();
    ASSERT_TRUE(test::PumpUntil([&] { return f.lv2->ItemCount() == 1 && !f.Worker->IsWorking(); }));
    ASSERT_EQ(f.ViewEntries.size(), 1u);
    EXPECT_EQ(f.ViewEntries[0].ImageIndex, ShellIconIndex(exe, TShellIconSize::Large));

    int count = ::ImageList_GetImageCount(small);
    ASSERT_GT(count, 0);
    form.reset();  // destroys the list view and its window
    EXPECT_EQ(::ImageList_GetImageCount(small), count);
    EXPECT_EQ(ShellImageList(TShellIconSize::Small), small);
    OwnedIcon icon(::ImageList_GetIcon(small, ShellIconIndex(exe, TShellIconSize::Small), ILD_NORMAL));
    EXPECT_TRUE(icon);
}

TEST_F(MainWindowTest, RemovingAnEntryAsksFirstAndKeysActOnTheSelectedRow) {
    std::string exe = base.File("run.exe");
    ASSERT_TRUE(::CopyFileW(Widen(test::FixturePath("echoargs.exe")).c_str(), Widen(exe).c_str(), FALSE));
    std::string out = base.File("keys.txt");
    Category("Keys", "[First]\r\nLoc=" + exe + "\r\nParam=--out=\"" + out + "\"\r\n[Second]\r\nLoc=" + exe +
                         "\r\n[Third]\r\nLoc=" + exe + "\r\n");
    Settings("ViewStyle=3\r\n");
    TfrmAppdeck& f = Open();
    Select("Keys");
    ASSERT_TRUE(test::PumpUntil([&] { return f.lv2->ItemCount() == 3 && !f.Worker->IsWorking(); }));

    // Enter (as typed) launches the selected row.
    ::SendMessageW(f.lv2->Handle(), WM_CHAR, L'\r', 0);
    ASSERT_TRUE(test::PumpUntil([&] { return !test::ReadFileBytes(out).empty(); }, 10000));

    // Del asks, and No keeps the entry.
    f.lv2->SetSelectedIndex(1);
    boxAnswer = IDNO;
    ::SendMessageW(f.lv2->Handle(), WM_KEYDOWN, VK_DELETE, 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Are you sure you want to remove \"Second\" ?");
    EXPECT_TRUE(TIniFile(base.File("ADCat\\Keys.dat")).SectionExists("Second"));
    // Yes removes it; the list is filled again.
    boxAnswer = IDYES;
    f.btnremove->Click();
    EXPECT_FALSE(TIniFile(base.File("ADCat\\Keys.dat")).SectionExists("Second"));
    ASSERT_TRUE(test::PumpUntil([&] { return f.lv2->ItemCount() == 2 && !f.Worker->IsWorking(); }));
    EXPECT_EQ(f.ViewEntries[1].Name, "Third");
    EXPECT_GE(f.lv2->SelectedIndex(), 0);

    // Without confirmation (the setting off) Del removes at once.
    Settings("ViewStyle=3\r\nVS23DConfirm=0\r\n");
    f.LoadViewOptions();
    boxes.clear();
    f.lv2->SetSelectedIndex(0);
    ::SendMessageW(f.lv2->Handle(), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(TIniFile(base.File("ADCat\\Keys.dat")).SectionExists("First"));
}

TEST_F(MainWindowTest, ButtonsWhoseWindowsDoNotExistYetAreDisabledAndStaySo) {
    std::string exe = test::FixturePath("echoargs.exe");
    TfrmAppdeck& f = OpenOneProgramInReportView(exe);
    ASSERT_EQ(f.lv2->SelectedIndex(), 0);  // a selected row enables the row actions that exist

    const struct {
        const char* name;
        bool enabled;
    } cases[] = {
        {"btnSettings", true},  {"btnAbout", true},    {"btnUpdate", true},  {"btnMore", true},
        {"SpeedButton1", true}, {"BitBtn1", true},   {"Button20", true},   {"Button4", true},
        {"BitBtn8", true},     {"btnedit", true},    {"btnAppPath", true}, {"btnCS", true},
        {"btnHash", true},      {"btnHome", true},     {"btnAdd", true},     {"btnDel", true},
        {"btnRen", true},       {"ewn", true},         {"Button6", true},    {"button5", true},
        {"btnft", true},        {"button7", true},     {"button9", true},    {"btnProp", true},
        {"btnremove", true},    {"btnCLoc", true},     {"btnVirTot", true},  {"vs1", true},
    };
    for (const auto& c : cases) {
        auto* control = dynamic_cast<TWinControl*>(f.FindComponent(c.name));
        ASSERT_NE(control, nullptr) << c.name;
        EXPECT_EQ(control->Enabled(), c.enabled) << c.name;
        EXPECT_EQ(::IsWindowEnabled(control->Handle()) != FALSE, c.enabled) << c.name;
    }

    // Keys with an action are taken; Ctrl+Shift+C has none and passes through.
    WORD key = 'C';
    f.lv2->OnKeyDown(f.lv2, key, ssCtrl | ssShift);
    EXPECT_EQ(key, 'C');
    f.lv2->OnKeyDown(f.lv2, key, ssCtrl);
    EXPECT_EQ(key, 0);
}

TEST_F(MainWindowTest, AViewChoiceDuringAScanIsNotUndoneWhenTheScanEnds) {
    std::string exe = test::FixturePath("echoargs.exe");
    std::string big;
    for (int i = 0; i < 300; ++i) big += "[P" + std::to_string(1000 + i) + "]\r\nLoc=" + exe + "\r\n";
    Category("Big", big);
    Settings("ViewStyle=2\r\n");
    TfrmAppdeck& f = Open();

    SelectNoWait("Big");  // the list's scan runs on the worker, for large icons
    f.vs3->Click();
    ASSERT_TRUE(test::PumpUntil([&] { return !f.Worker->IsWorking(); }));
    test::PumpPending();
    EXPECT_EQ(f.lv2->ViewStyle(), TViewStyle::vsReport);
    EXPECT_EQ(f.lv2->ItemCount(), 300);

    SelectNoWait("Big");
    f.vs1->Click();
    ASSERT_TRUE(test::PumpUntil([&] { return !f.Worker->IsWorking(); }));
    test::PumpPending();
    EXPECT_EQ(f.PageControl1->ActivePage(), f.vs1Sht);
    EXPECT_EQ(f.app[0]->Caption(), "P1000");  // the slots stay filled
    EXPECT_TRUE(f.run[0]->Visible());
}

TEST_F(MainWindowTest, SelectCategoryAlwaysEndsWithTheCounters) {
    std::string exe = test::FixturePath("echoargs.exe");
    Category("Half", "[Here]\r\nLoc=" + exe + "\r\n[Gone]\r\nLoc=C:\\nowhere\\gone.exe\r\n");
    Category("None", "[Gone]\r\nLoc=C:\\nowhere\\gone.exe\r\n[Also]\r\nLoc=C:\\nowhere\\also.exe\r\n");
    TfrmAppdeck& f = Open();
    // View 1: the list holds no rows, so every entry counts as not shown.
    f.lstCat->SetItemIndex(f.lstCat->Items().IndexOf("Half"));
    f.SelectCategory();
    WaitForScan();
    EXPECT_EQ(f.totava->Caption(), "0");
    EXPECT_EQ(f.totnava->Caption(), "2");
    // View 2 with an empty list.
    f.vs2->SetDown(true);
    f.lstCat->SetItemIndex(f.lstCat->Items().IndexOf("None"));
    f.SelectCategory();
    WaitForScan();
    EXPECT_EQ(f.lv2->ItemCount(), 0);
    EXPECT_EQ(f.totava->Caption(), "0");
    EXPECT_EQ(f.totnava->Caption(), "2");
}

// The workers that ask the shell for icons (the scan and the tray menu's
// icons) have COM initialised on their threads before their work begins.
TEST_F(MainWindowTest, TheWorkersThatAskTheShellHaveComOnTheirThreads) {
    std::string exe = test::FixturePath("echoargs.exe");
    Category("Tools", "[Tool]\r\nLoc=" + exe + "\r\n");
    Settings("ViewStyle=3\r\n");
    TfrmAppdeck& f = Open();
    // What initialising COM once more answers on the worker's thread: S_FALSE
    // when it was initialised already.
    auto probe = [](TBackgroundWorker* worker, HRESULT& answer) {
        worker->OnWork = [work = worker->OnWork, &answer](TBackgroundWorker* w) {
            answer = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            if (SUCCEEDED(answer)) ::CoUninitialize();
            work(w);
        };
    };
    HRESULT scan = E_FAIL, menu = E_FAIL;
    probe(f.Worker, scan);
    probe(f.trdMenuIcons, menu);
    Select("Tools");
    ASSERT_EQ(f.lv2->ItemCount(), 1);
    EXPECT_EQ(scan, S_FALSE);
    f.Button6->Click();
    ASSERT_TRUE(test::PumpUntil([&] { return !f.trdMenuIcons->IsWorking(); }, 20000));
    EXPECT_EQ(menu, S_FALSE);
    EXPECT_TRUE(f.TMPop->Items().Items(0)->Items(0)->Bitmap);
    f.trayADClick(f.trayAD);
}

// A category click checks the entries on the worker: view 1's first page
// shows from its first results while it goes on, and the pager and counters
// follow its end.
TEST_F(MainWindowTest, ViewOnesFirstPageShowsWhileTheScanGoesOn) {
    std::string exe = test::FixturePath("echoargs.exe");
    std::string text;
    for (int i = 0; i < 4000; ++i)
        text += "[P" + std::to_string(10000 + i) + "]\r\nLoc=" + (i % 4 == 3 ? "C:\\nowhere\\x.exe" : exe) + "\r\n";
    Category("Big", text);
    TfrmAppdeck& f = Open();
    SelectNoWait("Big");
    EXPECT_TRUE(f.app[0]->Caption().empty());  // nothing is checked on this thread
    // One message at a time: the page fills before the end of the scan is handled.
    bool shownWhileScanning = false;
    DispatchOneByOneWhileWorking(f.Worker, [&] {
        if (!f.app[4]->Caption().empty() && f.Worker->IsWorking()) shownWhileScanning = true;
    });
    test::PumpPending();
    EXPECT_TRUE(shownWhileScanning);
    EXPECT_EQ(f.app[0]->Caption(), "P10000");
    EXPECT_EQ(f.app[3]->Caption(), "P10004");  // P10003 is missing
    EXPECT_EQ(f.Temp->Count(), 3000);
    EXPECT_EQ(f.oud->Caption(), "of 600");
    EXPECT_EQ(f.totnava->Caption(), "4000");  // view 1 lists no rows
    for (int k = 0; k < 5; ++k) EXPECT_NE(f.pic[k]->Picture().Icon(), nullptr) << k;
    test::SaveScreenshot(f.Handle(), "frmAppdeck-view1.bmp");
}

// The scan looks up the large icons of view 1's first page, so that the page
// shows without a shell lookup on the GUI thread: those of the first available
// entries, null for an entry the shell has no icon for.
TEST(ViewEntriesScan, TheFirstPageGetsItsLargeIconsFromTheScan) {
    test::TempDir dir;
    const std::string exe = test::FixturePath("echoargs.exe");
    std::string text = "[A missing]\r\nLoc=C:\\nowhere\\x.exe\r\n[B]\r\nLoc=" + exe + "\r\n[C]\r\nLoc=" + exe +
                       "\r\n[D]\r\nLoc=" + exe + "\r\n";
    test::WriteFileBytes(dir.File("cat.dat"), text);
    TScanRequest request;
    request.CategoryFile = dir.File("cat.dat");
    request.BaseDir = dir.Path();
    request.PageIcons = 2;
    TComThreadPool pool(0);
    std::vector<TScannedEntry> found;
    int sections = 0;
    ASSERT_TRUE(ScanCategory(request, pool, {}, [&](std::vector<TScannedEntry>&& group) {
        for (TScannedEntry& s : group) found.push_back(std::move(s));
    }, sections));
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].Row.Name, "B");
    EXPECT_TRUE(found[0].HasPageIcon);
    EXPECT_TRUE(found[1].HasPageIcon);
    EXPECT_FALSE(found[2].HasPageIcon);
    EXPECT_TRUE(found[0].PageIcon);
    EXPECT_FALSE(found[2].PageIcon);
}

// Tray mode assigns BaseDir on the GUI thread while a scan may run: the scan
// resolves every relative location against the folder it started with.
TEST_F(MainWindowTest, TheScanKeepsTheProgramFolderItStartedWith) {
    ForceDirectories(base.File("tools"));
    ASSERT_TRUE(::CopyFileW(Widen(test::FixturePath("echoargs.exe")).c_str(), Widen(base.File("tools\\echo.exe")).c_str(),
                            FALSE));
    std::string text;
    for (int i = 0; i < 600; ++i) text += "[P" + std::to_string(1000 + i) + "]\r\nLoc=tools\\echo.exe\r\n";
    Category("Relative", text);
    Settings("ViewStyle=3\r\n");
    TfrmAppdeck& f = Open();
    std::string started = f.BaseDir;
    SelectNoWait("Relative");
    f.BaseDir = "C:\\nowhere\\";
    WaitForScan();
    f.BaseDir = started;
    EXPECT_EQ(f.Temp->Count(), 600);
    ASSERT_EQ(f.lv2->ItemCount(), 600);
    EXPECT_EQ(f.ViewEntries.back().Loc, base.File("tools\\echo.exe"));
}

// The settings file is read by a paint only when it may have changed: its
// time stamp or size differ from the last read.
TEST_F(MainWindowTest, PaintsReadTheSettingsFileOnlyWhenItMayHaveChanged) {
    std::string file = base.File("Appdeck.ini");
    auto setWriteTime = [&](const FILETIME& t) {
        OwnedFile h(::CreateFileW(Widen(file).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(h);
        ASSERT_TRUE(::SetFileTime(h.Get(), nullptr, nullptr, &t));
    };
    FILETIME hourAgo;
    ::GetSystemTimeAsFileTime(&hourAgo);
    ULARGE_INTEGER t{{hourAgo.dwLowDateTime, hourAgo.dwHighDateTime}};
    t.QuadPart -= 3600ull * 10000000ull;
    hourAgo = {t.LowPart, t.HighPart};
    Settings("ReadOnlyMode=0\r\n");
    setWriteTime(hourAgo);
    TfrmAppdeck& f = Open();
    auto paint = [&] { ::RedrawWindow(f.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); };
    paint();
    EXPECT_FALSE(f.ReadOnlyView);
    // Other content of the same size under the same time stamp: not read by a hundred paints.
    Settings("ReadOnlyMode=1\r\n");
    setWriteTime(hourAgo);
    for (int i = 0; i < 100; ++i) paint();
    EXPECT_FALSE(f.ReadOnlyView);
    EXPECT_TRUE(f.btnAdd->Visible());
    // Written again (a new time stamp): the next paint reads it.
    Settings("ReadOnlyMode=1\r\n");
    paint();
    EXPECT_TRUE(f.ReadOnlyView);
    EXPECT_FALSE(f.btnAdd->Visible());
    // After the settings dialog the options are read whatever the stamp says.
    Settings("ReadOnlyMode=0\r\n");
    setWriteTime(hourAgo);
    f.LoadViewOptions();
    EXPECT_FALSE(f.ReadOnlyView);
}

TEST_F(MainWindowTest, ListKeysActOnTheSelectedRowAndOthersPassThrough) {
    std::string exe = base.File("run.exe");
    ASSERT_TRUE(::CopyFileW(Widen(test::FixturePath("echoargs.exe")).c_str(), Widen(exe).c_str(), FALSE));
    Category("Keys", "[First]\r\nLoc=" + exe + "\r\nParam=-p\r\n[Second]\r\nLoc=" + exe + "\r\n");
    Settings("ViewStyle=3\r\n");
    TfrmAppdeck& f = Open();
    Select("Keys");
    ASSERT_TRUE(test::PumpUntil([&] { return f.lv2->ItemCount() == 2 && !f.Worker->IsWorking(); }));
    f.lv2->SetSelectedIndex(0);
    auto clipboard = [&] {
        std::wstring text;
        if (!::OpenClipboard(f.Handle())) return text;
        if (HANDLE h = ::GetClipboardData(CF_UNICODETEXT)) {
            if (auto* p = static_cast<const wchar_t*>(::GlobalLock(h))) text = p;
            ::GlobalUnlock(h);
        }
        ::CloseClipboard();
        return text;
    };
    SetClipboardText(f.Handle(), "before");
    const struct {
        WORD key;
        TShiftState shift;
        bool taken;
        const wchar_t* clip;
    } cases[] = {
        {'C', ssCtrl | ssShift, false, L"before"},  // Ctrl+Shift+C does nothing
        {'C', ssAlt, false, L"before"},
        {'C', 0, false, L"before"},
        {'C', ssCtrl, true, nullptr},  // copies location and parameters
    };
    for (const auto& c : cases) {
        WORD key = c.key;
        f.lv2->OnKeyDown(f.lv2, key, c.shift);
        EXPECT_EQ(key == 0, c.taken) << c.shift;
        EXPECT_EQ(clipboard(), c.clip ? std::wstring(c.clip) : Widen(exe + " -p")) << c.shift;
    }
    // Del removes with any modifiers.
    boxAnswer = IDYES;
    WORD del = VK_DELETE;
    f.lv2->OnKeyDown(f.lv2, del, ssShift);
    EXPECT_EQ(del, 0);
    EXPECT_FALSE(TIniFile(base.File("ADCat\\Keys.dat")).SectionExists("First"));
}

TEST_F(MainWindowTest, SlotPinButtonsHideInReadOnlyMode) {
    Category("One", "[Tool]\r\nLoc=" + test::FixturePath("echoargs.exe") + "\r\n");
    TfrmAppdeck& f = Open();
    Select("One");
    ASSERT_TRUE(f.run[0]->Visible());
    EXPECT_TRUE(f.pinButtons[0]->Visible());
    EXPECT_TRUE(f.pinButtons[1]->Visible());
    EXPECT_FALSE(f.pinButtons[2]->Visible());  // an empty slot shows none
    Settings("ReadOnlyMode=1\r\n");
    f.LoadViewOptions();
    EXPECT_TRUE(f.run[0]->Visible());
    EXPECT_FALSE(f.pinButtons[0]->Visible());
    EXPECT_FALSE(f.pinButtons[1]->Visible());
    f.UD->SetPosition(1);
    f.Button2Click(f.Button3);  // a page turn keeps them hidden
    f.Button2Click(f.Button2);
    EXPECT_FALSE(f.pinButtons[0]->Visible());
}

// A program started with "-traymode" shows its window once, then hides in the tray.
TEST(MainWindowStartTest, TrayModeArgumentSendsTheWindowToTheTrayAtTheFirstActivation) {
    test::TempDir folder;
    std::string exe = folder.File("Appdeck.exe");
    ASSERT_TRUE(::CopyFileW(Widen(test::BinDir() + "Appdeck.exe").c_str(), Widen(exe).c_str(), FALSE));
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + Widen(exe) + L"\" -TrayMode";
    ASSERT_TRUE(::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, Widen(folder.Path()).c_str(),
                                 &si, &pi));
    struct Find {
        DWORD pid;
        HWND found = nullptr;
    } find{pi.dwProcessId};
    auto window = [&] {
        find.found = nullptr;
        ::EnumWindows(
            [](HWND w, LPARAM p) -> BOOL {
                auto* f = reinterpret_cast<Find*>(p);
                DWORD pid = 0;
                ::GetWindowThreadProcessId(w, &pid);
                wchar_t title[64] = {};
                ::GetWindowTextW(w, title, 64);
                if (pid == f->pid && std::wstring(title) == L"Appdeck" && ::GetClassLongPtrW(w, GCW_ATOM) != 0 &&
                    ::GetWindowLongPtrW(w, GWL_STYLE) & WS_CAPTION)
                    f->found = w;
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&find));
        return find.found;
    };
    bool shown = test::PumpUntil([&] { return window() && ::IsWindowVisible(find.found); }, 15000);
    bool hidden = shown && test::PumpUntil([&] { return window() && !::IsWindowVisible(find.found); }, 15000);
    DWORD exitCode = STILL_ACTIVE;
    ::GetExitCodeProcess(pi.hProcess, &exitCode);
    ::TerminateProcess(pi.hProcess, 0);
    ::WaitForSingleObject(pi.hProcess, 5000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(hidden);
    EXPECT_EQ(exitCode, static_cast<DWORD>(STILL_ACTIVE));  // hidden in the tray, still running
}

// Closes the next window with the given title once a modal loop shows it.
struct ModalCloser {
    static inline std::wstring title;
    static inline int closed = 0;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        HWND w = ::FindWindowW(nullptr, title.c_str());
        if (!w || !::IsWindowVisible(w)) return;
        ::KillTimer(nullptr, id);
        ++closed;
        ::PostMessageW(w, WM_CLOSE, 0, 0);
    }
    explicit ModalCloser(const wchar_t* t) {
        title = t;
        closed = 0;
        ::SetTimer(nullptr, 0, 20, &Tick);
    }
};

TEST_F(MainWindowTest, SettingsAboutAndImportOpenModallyAndTheViewFollowsTheSettingsAtOnce) {
    TfrmAppdeck& f = Open();
    EXPECT_FALSE(f.ReadOnlyView);
    {
        ModalCloser closer(L"Settings");
        Settings("ReadOnlyMode=1\r\n");  // as another Save would leave it
        f.btnSettings->Click();            // returns when the dialog closed
        EXPECT_EQ(ModalCloser::closed, 1);
    }
    EXPECT_TRUE(f.ReadOnlyView);
    EXPECT_FALSE(f.btnAdd->Visible());
    EXPECT_EQ(f.FindComponent("frmADSet"), nullptr);  // freed when it closed
    {
        ModalCloser closer(L"About");
        f.btnAbout->Click();
        EXPECT_EQ(ModalCloser::closed, 1);
    }
    EXPECT_EQ(f.FindComponent("frmADAbout"), nullptr);
    {
        ModalCloser closer(L"Import Programs");
        f.BitBtn1->Click();
        EXPECT_EQ(ModalCloser::closed, 1);
    }
    EXPECT_TRUE(FileExists(base.File("ExcList.dat")));  // closing saved the exclusion list
}

// What the File Hash dialog shows while the main window's button holds it open.
struct HashDialogSeen {
    bool shown = false;
    bool modal = false;
    std::string file;
};
HashDialogSeen* hashDialogSeen = nullptr;

void CALLBACK CloseHashDialog(HWND, UINT, UINT_PTR id, DWORD) {
    auto* dialog = dynamic_cast<TfrmGHash*>(TWinControl::FromHandle(::GetActiveWindow()));
    if (!dialog || !hashDialogSeen) return;
    ::KillTimer(nullptr, id);
    *hashDialogSeen = {true, dialog->Modal(), dialog->HelpKeyword};
    test::PostKey(dialog->chkHash->Handle(), VK_ESCAPE);
}

TEST_F(MainWindowTest, HashButtonOpensTheFileHashDialogForTheSelectedProgram) {
    std::string exe = test::FixturePath("echoargs.exe");
    TfrmAppdeck& f = OpenOneProgramInReportView(exe);
    ASSERT_TRUE(f.btnHash->Enabled());

    HashDialogSeen seen;
    hashDialogSeen = &seen;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 20, CloseHashDialog);
    f.btnHash->Click();  // returns once Esc has closed the dialog
    ::KillTimer(nullptr, timer);
    hashDialogSeen = nullptr;
    EXPECT_TRUE(seen.shown);
    EXPECT_TRUE(seen.modal);
    EXPECT_EQ(seen.file, f.button5->HelpKeyword);
    EXPECT_EQ(seen.file, exe);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainWindowTest, SecondaryWindowsReachTheMainWindowThroughItsHostInterface) {
    std::string exe = base.File("tool.exe");
    ASSERT_TRUE(::CopyFileW(Widen(test::FixturePath("echoargs.exe")).c_str(), Widen(exe).c_str(), FALSE));
    Category("Tools", "[Gone]\r\nLoc=C:\\nowhere\\gone.exe\r\n");
    TfrmAppdeck& f = Open();
    ILauncherHost& host = f;
    EXPECT_EQ(host.BaseFolder(), base.Path());
    EXPECT_EQ(host.SelectedCategory(), "");
    host.PerformDD(exe);  // no category selected: nothing is added
    EXPECT_EQ(TIniFile(base.File("ADCat\\Tools.dat")).ReadSections().size(), 1u);

    Select("Tools");
    EXPECT_EQ(host.SelectedCategory(), "Tools");
    f.CatalogueChanged = false;
    host.PerformDD(exe);
    EXPECT_TRUE(f.CatalogueChanged);
    EXPECT_EQ(TIniFile(base.File("ADCat\\Tools.dat")).ReadString("tool", "Loc", ""), "tool.exe");

    // Another window wrote the category: a reload shows the new entry.
    EXPECT_EQ(f.Temp->Count(), 0);
    host.ReloadCategory();
    WaitForScan();
    ASSERT_EQ(f.Temp->Count(), 1);
    EXPECT_EQ(f.app[0]->Caption(), "tool");

    f.vs2->Click();
    ASSERT_TRUE(test::PumpUntil([&] { return f.lv2->ItemCount() == 1 && !f.Worker->IsWorking(); }));
    host.CountAvailability();
    EXPECT_EQ(f.totava->Caption(), "1");
    EXPECT_EQ(f.totnava->Caption(), "1");

    f.CatalogueChanged = false;
    host.MarkCatalogueChanged();
    EXPECT_TRUE(f.CatalogueChanged);
}

// The window at the screen's resolution, whatever it is: the design client size
// and bounds scaled by it (at 96 DPI exactly the design), fonts in proportion,
// and every button caption inside its button. The resolution can be set for a
// run through the prefix's LogPixels (see MainWindowAtOtherResolutions).
TEST_F(MainWindowTest, TheLayoutIsTheDesignAtTheScreensResolution) {
    TfrmAppdeck& f = Open();
    const int dpi = ScreenPixelsPerInch();
    std::printf("screen resolution %d dpi, client %d x %d\n", dpi, f.ClientWidth(), f.ClientHeight());
    if (const char* expected = std::getenv("AD_EXPECTED_DPI")) {
        EXPECT_EQ(dpi, std::atoi(expected));
    }
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    // The design client at this resolution, unless the screen is smaller.
    const int fullW = (850 * dpi + 95) / 96, fullH = (574 * dpi + 95) / 96;
    const bool fits = f.Width() - f.ClientWidth() + fullW <= work.right - work.left &&
                      f.Height() - f.ClientHeight() + fullH <= work.bottom - work.top;
    if (fits) {
        EXPECT_EQ(f.ClientWidth(), fullW);
        EXPECT_EQ(f.ClientHeight(), fullH);
    }
    if (dpi == 96) {
        EXPECT_EQ(f.ResizeKit1->Scales().X, 1.0);  // an identity layout
        EXPECT_EQ(f.ResizeKit1->Scales().Y, 1.0);
    }
    const double kx = f.ClientWidth() / 850.0, ky = f.ClientHeight() / 574.0;
    struct Designed {
        TWinControl* control;
        int left, top, width, height;
    };
    for (const Designed& d : {Designed{f.BitBtn1, 8, 44, 200, 24}, Designed{f.lstCat, 8, 92, 200, 355},
                              Designed{f.Button20, 8, 452, 200, 24}, Designed{f.btnSettings, 668, 6, 70, 24},
                              Designed{f.back, 0, 0, 850, 36}}) {
        SCOPED_TRACE(d.control->Name);
        const int tolerance = dpi == 96 ? 0 : 1;
        // The re-layout places a bound of 0 at 1.
        EXPECT_NEAR(d.control->Left(), std::max(1.0, d.left * kx), 0.5 + tolerance);
        EXPECT_NEAR(d.control->Top(), std::max(1.0, d.top * ky), 0.5 + tolerance);
        EXPECT_NEAR(d.control->Width(), d.width * kx, 0.5 + tolerance);
        EXPECT_NEAR(d.control->Height(), d.height * ky, 0.5 + tolerance);
    }
    // The 14-point title and an 8-point button in pixels: the points at this
    // resolution (one point less when the window had to shrink to the screen:
    // sizes are truncated).
    for (auto [control, points] : {std::pair<TWinControl*, int>{f.Label8, 14}, {f.BitBtn1, 8}}) {
        LOGFONTW font{};
        ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control->Handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_LE(-font.lfHeight, ::MulDiv(points, dpi, 72)) << control->Name;
        EXPECT_GE(-font.lfHeight, ::MulDiv(fits ? points : points - 1, dpi, 72)) << control->Name;
    }
    // No caption of a button or a self-sizing label is cut.
    int checked = 0;
    for (int i = 0; i < f.ComponentCount(); ++i) {
        auto* c = dynamic_cast<TWinControl*>(f.Components(i));
        auto* label = dynamic_cast<TLabel*>(c);
        const bool autoSized = label && label->AutoSize();
        if (!c || (!dynamic_cast<TButton*>(c) && !dynamic_cast<TSpeedButton*>(c) && !autoSized) || !c->Visible())
            continue;
        std::wstring text = Widen(c->Caption());
        std::erase(text, L'&');
        if (text.empty()) continue;
        HWND wnd = c->Handle();
        HDC dc = ::GetDC(wnd);
        HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(wnd, WM_GETFONT, 0, 0)));
        SIZE extent{};
        ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        ::SelectObject(dc, old);
        ::ReleaseDC(wnd, dc);
        const int margin = autoSized ? 0 : 4;  // a button's border and focus frame
        EXPECT_LE(extent.cx + margin, c->Width()) << c->Name << " \"" << c->Caption() << "\"";
        EXPECT_LE(extent.cy + margin, c->Height()) << c->Name;
        ++checked;
    }
    EXPECT_GT(checked, 20);
}

}  // namespace
}  // namespace ad
