// The Application Manager on a real Wine desktop: the deferred fill of its
// three modes, Add, Remove and Replace on the category files, browsing for a
// program, and the Hopbar registration; last, opened from the main window.
#include "app/forms/TfrmSD.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "app/forms/FakeLauncherHost_test.h"
#include "app/forms/MainWindowTestSupport.h"
#include "framework/IniFiles.h"
#include "framework/Registry.h"
#include "framework/SysUtils.h"
#include "testsupport/GuiTest.h"
#include "testsupport/TestUtils.h"

namespace ad {
namespace {

using Row = std::vector<std::string>;  // Name, Description, Category, Location, Parameter, HB Command

const std::string kTestKey = "Software\\AppdeckTest-SD-" + std::to_string(::GetCurrentProcessId());

class AppManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedBox_ = Application->OnMessageBox;
        Application->OnMessageBox = [this](const std::string& text, const std::string&, UINT flags) {
            boxes.push_back(text);
            boxFlags.push_back(flags);
            return IDOK;
        };
        ForceDirectories(base.File("ADCat"));
        TRegistry reg;
        if (reg.OpenKeyReadOnly(HopbarRegistryKey) && reg.ValueExists(HopbarFolderValue)) {
            savedHopbar_ = reg.ReadString(HopbarFolderValue);
            hadHopbar_ = true;
        }
    }
    void TearDown() override {
        form.reset();
        Application->OnMessageBox = savedBox_;
        TRegistry reg;
        if (reg.OpenKey(HopbarRegistryKey, true)) {
            if (hadHopbar_) reg.WriteString(HopbarFolderValue, savedHopbar_);
            else reg.DeleteValue(HopbarFolderValue);
        }
        reg.DeleteKey("\\" + kTestKey);
    }
    std::string CategoryFile(const std::string& name) { return base.File("ADCat\\" + name + ".dat"); }
    void Category(const std::string& name, const std::string& text) {
        test::WriteFileBytes(CategoryFile(name), text);
        if (std::find(host.categories.begin(), host.categories.end(), name) == host.categories.end())
            host.categories.push_back(name);
    }
    // Opens the window in a mode and lets it fill.
    TfrmSD& Open(int mode = TfrmSD::mdAll) {
        form.reset(CreateForm<TfrmSD>(nullptr, host));
        EXPECT_EQ(form->SDGrid->Grid.RowCount(), 0);  // the fill waits for the message loop
        form->Tag = mode;
        form->Show();
        test::PumpPending();
        return *form;
    }
    std::vector<Row> Rows() {
        std::vector<Row> rows;
        for (int r = 0; r < form->SDGrid->Grid.RowCount(); ++r) {
            Row row;
            for (int c = 0; c < 6; ++c) row.push_back(form->RowText(c, r));
            rows.push_back(row);
        }
        return rows;
    }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (const Row& r : Rows()) names.push_back(r[0]);
        return names;
    }
    void SelectRow(const std::string& name) {
        std::vector<std::string> names = Names();
        auto it = std::find(names.begin(), names.end(), name);
        ASSERT_NE(it, names.end()) << name;
        form->SDGrid->Grid.SetSelectedRow(static_cast<int>(it - names.begin()));
    }
    void Fields(const std::string& name, const std::string& loc, const std::string& category,
                const std::string& desc = "", const std::string& param = "", const std::string& hb = "") {
        form->SDName->SetText(name);
        form->SDDesc->SetText(desc);
        form->SDLoc->SetText(loc);
        form->txtPar->SetText(param);
        form->txtHB->SetText(hb);
        form->cmbCat->SetItemIndex(form->cmbCat->Items().IndexOf(category));
    }
    void SetHopbarFolder(const std::string& value) {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(HopbarRegistryKey, true));
        reg.WriteString(HopbarFolderValue, value);
    }

    test::TempDir base;
    test::FakeLauncherHost host{base.Path()};
    std::unique_ptr<TfrmSD> form;
    std::vector<std::string> boxes;
    std::vector<UINT> boxFlags;

private:
    decltype(TApplication::OnMessageBox) savedBox_;
    std::string savedHopbar_;
    bool hadHopbar_ = false;
};

TEST_F(AppManagerTest, AllEntriesOfAllCategoriesShowTheirStoredTextsSortedByName) {
    Category("Tools", "[gamma]\r\nLoc=%SystemRoot%\\notepad.exe\r\nParam=-x\r\nDesc=Third\r\nHBcmd=g\r\n"
                      "[Alpha]\r\nLoc=rel\\a.exe\r\n");
    Category("Games", "[beta]\r\nDesc=Second\r\nLoc=HKCU>>Software\\X>>Path\r\n");
    Category("Empty", "");
    host.categories.push_back("Missing");  // listed, but its file is gone
    TfrmSD& f = Open();
    EXPECT_EQ(f.Caption(), "Application Manager");
    EXPECT_EQ(f.cmbCat->Text(), "Tools");  // the first category
    EXPECT_EQ(f.cmbCat->Items().Count(), 4);
    std::vector<Row> expected = {
        {"Alpha", "", "Tools", "rel\\a.exe", "", ""},
        {"beta", "Second", "Games", "HKCU>>Software\\X>>Path", "", ""},
        {"gamma", "Third", "Tools", "%SystemRoot%\\notepad.exe", "-x", "g"},
    };
    EXPECT_EQ(Rows(), expected);
    EXPECT_EQ(f.Panel6->Color(), clWhite);
    EXPECT_EQ(f.lblName->Font().Color(), clWindowText);
    EXPECT_TRUE(f.btnRegHB->Enabled());

    // A selected row fills the fields and chooses its category.
    SelectRow("beta");
    EXPECT_EQ(f.SDName->Text(), "beta");
    EXPECT_EQ(f.SDDesc->Text(), "Second");
    EXPECT_EQ(f.SDLoc->Text(), "HKCU>>Software\\X>>Path");
    EXPECT_EQ(f.cmbCat->Text(), "Games");
    test::SaveScreenshot(f.Handle(), "TfrmSD.bmp");
}

TEST_F(AppManagerTest, AvailableAndMissingModesPartitionTheSelectedCategoryByTheirOwnRules) {
    test::WriteFileBytes(base.File("tool.exe"), "x");
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\" + kTestKey, true));
    reg.WriteString("Path", base.File("tool.exe"));
    Category("Other", "[Elsewhere]\r\nLoc=tool.exe\r\n");
    Category("Tools", "[Notepad]\r\nLoc=%SystemRoot%\\notepad.exe\r\n"
                      "[Relative]\r\nLoc=tool.exe\r\n"
                      "[Registry]\r\nLoc=HKCU>>" + kTestKey + ">>Path\r\n"
                      "[Lower]\r\nLoc=hkcu>>" + kTestKey + ">>Path\r\n"            // not the registry form here
                      "[Classes]\r\nLoc=HKCR>>" + kTestKey + "\r\n"                  // a plain (missing) path here
                      "[Share]\r\nLoc=\\\\srv\\x.exe\r\n"                            // no ":": under the base folder
                      "[Gone]\r\nLoc=C:\\nowhere\\gone.exe\r\n");
    host.selected = "Tools";
    const struct {
        int mode;
        std::vector<std::string> names;
        TColor colour;
        bool canRegister;
    } cases[] = {
        {TfrmSD::mdAvailable, {"Notepad", "Registry", "Relative"}, 0x3F7C29, true},
        {TfrmSD::mdNotAvailable, {"Classes", "Gone", "Lower", "Share"}, 0x5255DA, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        TfrmSD& f = Open(c.mode);
        EXPECT_EQ(Names(), c.names);
        EXPECT_EQ(f.Panel6->Color(), c.colour);
        EXPECT_EQ(f.Panel6->OutlineColor(), c.colour);
        EXPECT_EQ(f.Shape1->OutlineColor(), c.colour);
        for (TLabel* label : {f.lblName, f.lblDesc, f.lblLoc, f.lblRel, f.lblCat, f.lblPar, f.lblHB})
            EXPECT_EQ(label->Font().Color(), clWhite) << label->Name;
        EXPECT_EQ(f.btnRegHB->Enabled(), c.canRegister);
        EXPECT_EQ(f.spdOEC->Enabled(), c.canRegister);
        test::SaveScreenshot(f.Handle(), c.mode == 1 ? "TfrmSD-available.bmp" : "TfrmSD-missing.bmp");
    }
}

TEST_F(AppManagerTest, AddStoresTheCleanedNameWithItsKeysInOrderAndFillsAgain) {
    Category("Tools", "[Old]\r\nLoc=old.exe\r\n");
    Category("Games", "");
    host.selected = "Games";
    TfrmSD& f = Open();
    Fields("a[1]", "C:\\Apps\\a.exe", "Games", "First", "-p", "ac");
    f.SDAdd->Click();
    EXPECT_EQ(f.SDName->Text(), "a(1)");
    EXPECT_EQ(test::ReadFileBytes(CategoryFile("Games")),
              "[a(1)]\r\nDesc=First\r\nLoc=C:\\Apps\\a.exe\r\nParam=-p\r\nHBcmd=ac\r\n");
    EXPECT_EQ(host.reloadRequests, 1);  // the main window shows this category
    EXPECT_EQ(host.catalogueChanges, 1);
    f.SDAdd->Click();  // two adds before the loop runs: one fill
    EXPECT_EQ(host.reloadRequests, 2);
    test::PumpPending();
    EXPECT_EQ(Names(), (std::vector<std::string>{"a(1)", "Old"}));

    // An existing section is overwritten key by key; Enter in an edit field adds too.
    Fields("Old", "new.exe", "Tools");
    test::PostKey(f.txtPar->Handle(), VK_RETURN);
    test::PumpPending();
    EXPECT_EQ(test::ReadFileBytes(CategoryFile("Tools")), "[Old]\r\nLoc=new.exe\r\nDesc=\r\nParam=\r\nHBcmd=\r\n");
    EXPECT_EQ(host.reloadRequests, 2);  // Tools is not the shown category: no new request

    // Without a name, a location or a category nothing is written.
    std::string tools = test::ReadFileBytes(CategoryFile("Tools"));
    const struct {
        const char *name, *loc, *category;
    } incomplete[] = {{"", "x.exe", "Tools"}, {"   ", "x.exe", "Tools"}, {"X", "", "Tools"}, {"X", "x.exe", ""}};
    for (const auto& c : incomplete) {
        Fields(c.name, c.loc, c.category);
        f.SDAdd->Click();
        EXPECT_EQ(test::ReadFileBytes(CategoryFile("Tools")), tools) << c.name << "|" << c.loc << "|" << c.category;
    }
    EXPECT_EQ(host.catalogueChanges, 3);
}

TEST_F(AppManagerTest, RemoveAndReplaceNeedASelectedRowAndReplaceNeverLosesTheEntry) {
    Category("Tools", "[Keep]\r\nLoc=keep.exe\r\n[Move]\r\nLoc=move.exe\r\nDesc=Moving\r\nExtra=1\r\n");
    Category("Games", "[Game]\r\nLoc=game.exe\r\n");
    host.selected = "Games";
    TfrmSD& f = Open();
    std::string tools = test::ReadFileBytes(CategoryFile("Tools"));
    f.SDRem->Click();  // no row selected
    f.SDRep->Click();
    EXPECT_EQ(test::ReadFileBytes(CategoryFile("Tools")), tools);

    // Replace with an empty field keeps the entry (it used to be removed first).
    SelectRow("Move");
    f.SDName->SetText("");
    f.SDRep->Click();
    EXPECT_EQ(test::ReadFileBytes(CategoryFile("Tools")), tools);
    EXPECT_EQ(f.SDGrid->Grid.RowCount(), 3);

    // Replace moves the entry to the fields' category and contents.
    SelectRow("Move");
    Fields("Moved", "moved.exe", "Games", "Now here");
    f.SDRep->Click();
    EXPECT_FALSE(TIniFile(CategoryFile("Tools")).SectionExists("Move"));
    EXPECT_EQ(TIniFile(CategoryFile("Games")).ReadString("Moved", "Loc", ""), "moved.exe");
    EXPECT_EQ(host.reloadRequests, 1);
    test::PumpPending();
    EXPECT_EQ(Names(), (std::vector<std::string>{"Game", "Keep", "Moved"}));

    // Replace within one file: the old section goes, the new one holds the fields.
    SelectRow("Keep");
    Fields("Kept", "kept.exe", "Tools");
    f.SDRep->Click();
    EXPECT_EQ(test::ReadFileBytes(CategoryFile("Tools")), "[Kept]\r\nDesc=\r\nLoc=kept.exe\r\nParam=\r\nHBcmd=\r\n");

    // Remove erases the row's section from the row's category and drops the row at once.
    test::PumpPending();
    SelectRow("Game");
    f.SDRem->Click();
    EXPECT_FALSE(TIniFile(CategoryFile("Games")).SectionExists("Game"));
    EXPECT_TRUE(TIniFile(CategoryFile("Games")).SectionExists("Moved"));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Kept", "Moved"}));
    EXPECT_EQ(host.reloadRequests, 2);
}

TEST_F(AppManagerTest, BrowseStartsInTheLocationsFolderAndStoresFilesUnderTheProgramRelative) {
    Category("Tools", "");
    TfrmSD& f = Open();
    std::string seenFolder = "<none>";
    std::string chosen = base.File("sub\\tool.exe");
    f.OD->OnExecute = [&](TOpenDialog& d) {
        seenFolder = d.InitialDir;
        EXPECT_EQ(d.Title, "Browse Application...");
        EXPECT_EQ(d.Filter, "Application (*.exe)|*.exe;*.ex");
        d.FileName = chosen;
        return true;
    };
    f.SDLoc->SetText(base.File("tool.exe"));
    f.btnBrowseClick(f.btnBrowse);
    EXPECT_EQ(seenFolder, base.Path());
    EXPECT_EQ(f.SDLoc->Text(), "sub\\tool.exe");
    f.SDLoc->SetText("C:\\nowhere\\x.exe");
    chosen = "C:\\Other\\x.exe";
    f.btnBrowseClick(f.btnBrowse);
    EXPECT_EQ(seenFolder, "");
    EXPECT_EQ(f.SDLoc->Text(), "C:\\Other\\x.exe");
    f.OD->OnExecute = [](TOpenDialog&) { return false; };  // cancelled: the field stays
    f.btnBrowseClick(f.btnBrowse);
    EXPECT_EQ(f.SDLoc->Text(), "C:\\Other\\x.exe");
}

TEST_F(AppManagerTest, HopbarCommandsAreRegisteredOnceAndRewrittenOnlyWhenOverwriting) {
    test::TempDir hopbar;
    test::WriteFileBytes(base.File("local.exe"), "x");
    Category("Tools", "[Local]\r\nLoc=local.exe\r\nParam=-a\r\nHBcmd=loc\r\n"
                      "[Note]\r\nLoc=notepad.exe\r\nHBcmd=np\r\n"
                      "[Gone]\r\nLoc=C:\\nowhere\\gone.exe\r\nHBcmd=gone\r\n"
                      "[Plain]\r\nLoc=local.exe\r\n");
    SetHopbarFolder(hopbar.File("Hopbar.exe"));
    TfrmSD& f = Open();
    f.btnRegHB->Click();
    TIniFile commands(hopbar.File("HB.dat"));
    EXPECT_EQ(commands.ReadString("Command", "loc", ""), base.File("local.exe") + "|-a");
    EXPECT_EQ(commands.ReadString("Command", "np", ""), "C:\\Windows\\System32\\notepad.exe|");
    EXPECT_FALSE(commands.ValueExists("Command", "gone"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Total Program : 4\rTotal Command : 3\r\rRegistered : 2 Command(s)\r"
                        "Ignored : 0 Command(s)\rUnregistered : 1 Command(s)");
    EXPECT_EQ(boxFlags[0], static_cast<UINT>(MB_OK | MB_ICONINFORMATION));

    // A second run leaves what is there; with the overwrite toggle down it writes again.
    commands.WriteString("Command", "np", "C:\\kept.exe|");
    f.btnRegHB->Click();
    EXPECT_EQ(boxes.back(), "Total Program : 4\rTotal Command : 3\r\rRegistered : 0 Command(s)\r"
                            "Ignored : 2 Command(s)\rUnregistered : 1 Command(s)");
    EXPECT_EQ(commands.ReadString("Command", "np", ""), "C:\\kept.exe|");
    f.spdOEC->Click();
    EXPECT_TRUE(f.spdOEC->Down());
    EXPECT_TRUE(f.chkOEC->Checked());
    f.btnRegHB->Click();
    EXPECT_EQ(boxes.back(), "Total Program : 4\rTotal Command : 3\r\rRegistered : 2 Command(s)\r"
                            "Ignored : 0 Command(s)\rUnregistered : 1 Command(s)");
    EXPECT_EQ(commands.ReadString("Command", "np", ""), "C:\\Windows\\System32\\notepad.exe|");
    f.spdOEC->Click();
    EXPECT_FALSE(f.chkOEC->Checked());
}

TEST_F(AppManagerTest, WithoutHopbarItSaysSoAndWritesNothing) {
    Category("Tools", "[Note]\r\nLoc=notepad.exe\r\nHBcmd=np\r\n");
    test::TempDir current;
    std::wstring previous(MAX_PATH, L'\0');
    previous.resize(::GetCurrentDirectoryW(MAX_PATH, previous.data()));
    ASSERT_TRUE(::SetCurrentDirectoryW(Widen(current.Folder()).c_str()));
    TfrmSD& f = Open();
    // Empty, a bare file name (no folder) and a folder that does not exist.
    for (const std::string& value : {std::string(), std::string("Hopbar.exe"), std::string("C:\\nowhere\\Hopbar.exe")}) {
        SCOPED_TRACE(value);
        SetHopbarFolder(value);
        f.btnRegHB->Click();
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(boxes.back(), HopbarNotFound);
        EXPECT_EQ(boxFlags.back(), static_cast<UINT>(MB_OK | MB_ICONWARNING));
        EXPECT_FALSE(FileExists(current.File("HB.dat")));
    }
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(HopbarRegistryKey, true));
    reg.DeleteValue(HopbarFolderValue);
    f.btnRegHB->Click();
    EXPECT_EQ(boxes.back(), HopbarNotFound);
    EXPECT_EQ(boxes.size(), 4u);
    ::SetCurrentDirectoryW(previous.c_str());
}

TEST_F(AppManagerTest, TheMainWindowOpensItForAllOrForTheSelectedCategoryAndReloadsWhenAsked) {
    test::OneProgramMainWindow window;
    ForceDirectories(window.base.File("ADCat"));
    test::WriteFileBytes(window.base.File("ADCat\\Games.dat"), "[Game]\r\nLoc=tool.exe\r\n");
    test::WriteFileBytes(window.base.File("tool.exe"), "x");
    TfrmAppdeck& main = window.Open("Tool", "Loc=tool.exe\r\n[Gone]\r\nLoc=gone.exe\r\n");

    // What the window shows once its modal loop runs and it has filled; then
    // act, and Esc closes it.
    struct Seen {
        std::string caption;
        intptr_t mode = -1;
        bool categoryEnabled = true;
        std::string category;
        std::vector<std::string> names;
    };
    auto run = [&](TWinControl* opener, const std::function<void(TfrmSD&)>& act) {
        Seen seen;
        test::WhileModal closer([&] {
            auto* f = test::WhileModal::ActiveForm<TfrmSD>();
            if (!f || !f->Visible()) return false;
            test::PumpPending();  // the deferred fill
            seen = {f->Caption(), f->Tag, f->cmbCat->Enabled(), f->cmbCat->Text(), {}};
            for (int r = 0; r < f->SDGrid->Grid.RowCount(); ++r) seen.names.push_back(f->RowText(TfrmSD::colName, r));
            if (act) act(*f);
            test::PostKey(f->SDGrid->Handle(), VK_ESCAPE);
            return true;
        });
        opener->Click();  // returns once the window closed
        return seen;
    };
    Seen all = run(main.Button4, nullptr);
    EXPECT_EQ(all.caption, "Application Manager");
    EXPECT_EQ(all.mode, 0);
    EXPECT_EQ(all.names, (std::vector<std::string>{"Game", "Gone", "Tool"}));
    EXPECT_EQ(main.FindComponent("frmSD"), nullptr);  // freed when it closed

    Seen missing = run(main.lblnava, nullptr);
    EXPECT_EQ(missing.caption, "Application Manager : Tools (Not Available Programs)");
    EXPECT_EQ(missing.mode, 2);
    EXPECT_FALSE(missing.categoryEnabled);
    EXPECT_EQ(missing.category, "Tools");
    EXPECT_EQ(missing.names, std::vector<std::string>{"Gone"});

    // Adding to the shown category reloads the main window's list once the window closed.
    Seen available = run(main.lblava, [](TfrmSD& f) {
        f.SDName->SetText("Second");
        f.SDLoc->SetText("tool.exe");
        f.SDAdd->Click();
    });
    EXPECT_EQ(available.caption, "Application Manager : Tools (Available Programs)");
    EXPECT_EQ(available.names, std::vector<std::string>{"Tool"});
    EXPECT_TRUE(test::PumpUntil([&] { return main.lv2->ItemCount() == 2 && !main.Worker->IsWorking(); }));
    EXPECT_TRUE(main.CatalogueChanged);
    EXPECT_TRUE(boxes.empty());
}

}  // namespace
}  // namespace ad
