// The Edit Program Details dialog on a real Wine desktop: the entry it opens
// on, Save in its cases (placeholder description, another category, a merge,
// an incomplete entry, a failed write), Cancel, and opening it from the main
// window's list.
#include "app/forms/TfrmADEdit.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/Catalogue.h"
#include "app/forms/FakeLauncherHost_test.h"
#include "app/forms/MainWindowTestSupport.h"
#include "framework/IniFiles.h"
#include "framework/SysUtils.h"
#include "testsupport/GuiTest.h"
#include "testsupport/TestUtils.h"

namespace ad {
namespace {

class EditDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedException_ = Application->OnException;
        Application->OnException = [this](TObject*, const std::exception_ptr& e) {
            errors.push_back(TApplication::ExceptionMessage(e));
        };
        ForceDirectories(base.File("ADCat"));
        host.categories = {"Games", "Tools"};
        host.selected = "Tools";
        Category("Games", "[Game]\r\nLoc=game.exe\r\n");
        Category("Tools", "[Tool]\r\nDesc=Stored\r\nLoc=%AD_X%\\tool.exe\r\nParam=-p\r\nHBcmd=t\r\nExtra=1\r\n"
                          "[Other]\r\nLoc=other.exe\r\nKeep=yes\r\n");
    }
    void TearDown() override {
        dialog.reset();
        Application->OnException = savedException_;
    }
    std::string CategoryFile(const std::string& name) { return base.File("ADCat\\" + name + ".dat"); }
    void Category(const std::string& name, const std::string& text) { test::WriteFileBytes(CategoryFile(name), text); }
    std::string Bytes(const std::string& name) { return test::ReadFileBytes(CategoryFile(name)); }
    TfrmADEdit& Open(const std::string& name = "Tool", const std::string& desc = "Stored") {
        dialog.reset(CreateForm<TfrmADEdit>(nullptr, host, name, desc));
        dialog->Show();
        test::PumpPending();
        return *dialog;
    }

    test::TempDir base;
    test::FakeLauncherHost host{base.Path()};
    std::unique_ptr<TfrmADEdit> dialog;
    std::vector<std::string> errors;

private:
    decltype(TApplication::OnException) savedException_;
};

TEST_F(EditDialogTest, OpensOnTheSelectedEntryWithItsStoredKeys) {
    TfrmADEdit& d = Open("Tool", "As the list shows it");
    EXPECT_EQ(d.Caption(), "Edit Program Details");
    EXPECT_EQ(d.SDName->Text(), "Tool");
    EXPECT_EQ(d.SDDesc->Text(), "As the list shows it");
    EXPECT_EQ(d.SDLoc->Text(), "%AD_X%\\tool.exe");  // as stored, not resolved
    EXPECT_EQ(d.txtPar->Text(), "-p");
    EXPECT_EQ(d.txtHB->Text(), "t");
    EXPECT_EQ(d.cmbCat->Text(), "Tools");
    EXPECT_EQ(d.cmbCat->Items().Count(), 2);
    test::SaveScreenshot(d.Handle(), "TfrmADEdit.bmp");

    host.categories.clear();  // no categories: nothing to edit
    TfrmADEdit& empty = Open();
    EXPECT_EQ(empty.SDName->Text(), "");
    EXPECT_EQ(empty.SDLoc->Text(), "");
}

TEST_F(EditDialogTest, SaveWritesTheNewSectionAndTakesTheOldOneOut) {
    const struct {
        const char* what;
        std::string name, desc, category;
        std::string tools, games;  // the files afterwards
    } cases[] = {
        {"placeholder description", "Tool", NoDescription, "Tools",
         "[Other]\r\nLoc=other.exe\r\nKeep=yes\r\n[Tool]\r\nLoc=new.exe\r\nParam=-p\r\nHBcmd=t\r\n", ""},
        {"another category", "Tool", "Stored", "Games", "[Other]\r\nLoc=other.exe\r\nKeep=yes\r\n",
         "[Game]\r\nLoc=game.exe\r\n[Tool]\r\nDesc=Stored\r\nLoc=new.exe\r\nParam=-p\r\nHBcmd=t\r\n"},
        {"renamed onto an existing entry: merged", "Other", "Stored", "Tools",
         "[Other]\r\nLoc=new.exe\r\nKeep=yes\r\nDesc=Stored\r\nParam=-p\r\nHBcmd=t\r\n", ""},
        {"renamed in case only", "tool", "Stored", "Tools",
         "[Other]\r\nLoc=other.exe\r\nKeep=yes\r\n[tool]\r\nDesc=Stored\r\nLoc=new.exe\r\nParam=-p\r\nHBcmd=t\r\n", ""},
        {"brackets", "Tool [x64]", "Stored", "Tools",
         "[Other]\r\nLoc=other.exe\r\nKeep=yes\r\n[Tool (x64)]\r\nDesc=Stored\r\nLoc=new.exe\r\nParam=-p\r\nHBcmd=t\r\n",
         ""},
    };
    const std::string tools = Bytes("Tools"), games = Bytes("Games");
    int reloads = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Category("Tools", tools);
        Category("Games", games);
        TfrmADEdit& d = Open();
        d.SDName->SetText(c.name);
        d.SDDesc->SetText(c.desc);
        d.SDLoc->SetText("new.exe");
        d.cmbCat->SetItemIndex(d.cmbCat->Items().IndexOf(c.category));
        d.SDAdd->Click();
        EXPECT_EQ(Bytes("Tools"), c.tools);
        EXPECT_EQ(Bytes("Games"), c.games.empty() ? games : c.games);
        EXPECT_FALSE(d.Visible());
        EXPECT_EQ(host.reloads, ++reloads);
        EXPECT_EQ(host.catalogueChanges, reloads);
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(EditDialogTest, AnIncompleteEntryOrCancelWritesNothingAndEnterSaves) {
    const std::string tools = Bytes("Tools"), games = Bytes("Games");
    TfrmADEdit& d = Open();
    d.SDName->SetText("");
    d.SDAdd->Click();  // still reloads and closes
    EXPECT_EQ(Bytes("Tools"), tools);
    EXPECT_EQ(Bytes("Games"), games);
    EXPECT_FALSE(d.Visible());
    EXPECT_EQ(host.reloads, 1);
    EXPECT_EQ(host.catalogueChanges, 0);

    TfrmADEdit& cancelled = Open();
    cancelled.SDName->SetText("Renamed");
    cancelled.SDRem->Click();
    EXPECT_FALSE(cancelled.Visible());
    EXPECT_EQ(Bytes("Tools"), tools);
    EXPECT_EQ(host.reloads, 1);

    TfrmADEdit& byEnter = Open();
    byEnter.SDName->SetText("Renamed");
    test::PostKey(byEnter.SDDesc->Handle(), VK_RETURN);
    test::PumpPending();
    EXPECT_TRUE(TIniFile(CategoryFile("Tools")).SectionExists("Renamed"));
    EXPECT_FALSE(TIniFile(CategoryFile("Tools")).SectionExists("Tool"));
    EXPECT_FALSE(byEnter.Visible());
}

TEST_F(EditDialogTest, AFailedWriteKeepsTheEntryWhereItWas) {
    host.categories.push_back("Locked");
    ForceDirectories(CategoryFile("Locked"));  // a folder where the file would go: it cannot be written
    const std::string tools = Bytes("Tools");
    TfrmADEdit& d = Open();
    d.cmbCat->SetItemIndex(d.cmbCat->Items().IndexOf("Locked"));
    d.SDAdd->Click();
    EXPECT_EQ(Bytes("Tools"), tools);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_FALSE(d.Visible());
    EXPECT_EQ(host.reloads, 1);
}

TEST_F(EditDialogTest, TheMainWindowOpensItOnTheSelectedRowByButtonOrCtrlEnter) {
    test::OneProgramMainWindow window;
    TfrmAppdeck& main = window.Open("Tool", "Loc=" + test::FixturePath("echoargs.exe") + "\r\n");
    ASSERT_TRUE(main.btnedit->Enabled());
    const std::string tools = window.base.File("ADCat\\Tools.dat");

    // Opens the dialog, notes what it shows, and saves it under a new name.
    struct Seen {
        std::string name, desc;
    };
    auto edit = [&](const std::function<void()>& open, const std::string& newName) {
        Seen seen;
        test::WhileModal saver([&] {
            auto* d = test::WhileModal::ActiveForm<TfrmADEdit>();
            if (!d || !d->Visible()) return false;
            seen = {d->SDName->Text(), d->SDDesc->Text()};
            d->SDName->SetText(newName);
            d->SDAdd->Click();
            return true;
        });
        open();  // returns once Save closed the dialog
        EXPECT_TRUE(test::PumpUntil([&] { return !main.Worker->IsWorking() && main.lv2->ItemCount() == 1; }));
        return seen;
    };
    Seen byButton = edit([&] { main.btnedit->Click(); }, "Renamed");
    EXPECT_EQ(byButton.name, "Tool");
    EXPECT_EQ(byButton.desc, NoDescription);
    EXPECT_EQ(TIniFile(tools).ReadSections(), std::vector<std::string>{"Renamed"});
    EXPECT_FALSE(TIniFile(tools).ValueExists("Renamed", "Desc"));

    main.lv2->SetSelectedIndex(0);
    Seen byKey = edit(
        [&] {
            WORD key = VK_RETURN;
            main.lv2->OnKeyDown(main.lv2, key, ssCtrl);
            EXPECT_EQ(key, 0);
        },
        "Again");
    EXPECT_EQ(byKey.name, "Renamed");
    EXPECT_EQ(TIniFile(tools).ReadSections(), std::vector<std::string>{"Again"});
    EXPECT_TRUE(main.CatalogueChanged);
    EXPECT_EQ(main.FindComponent("frmADEdit"), nullptr);
}

}  // namespace
}  // namespace ad
