// The Application Path tool on a real Wine desktop: the grid lists the App
// Paths keys, a click on a row fills the fields, Add (also by Enter) selects
// what it wrote, Remove deletes the listed key only, Replace checks the name
// first, a key that cannot be made reaches the error box, Browse fills the
// location; and the main window's button fills the fields from its row.
#include "app/forms/TfrmADAppPath.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/forms/AppPathsTestKeys.h"
#include "app/forms/MainWindowTestSupport.h"
#include "base/StrUtils.h"
#include "grid/GridTypes.h"
#include "testsupport/GuiTest.h"

namespace ad {
namespace {

class AppPathWindowTest : public test::AppPathsKeysTest {
protected:
    void SetUp() override {
        saved_ = Application->OnException;
        Application->OnException = [this](TObject*, const std::exception_ptr& e) {
            boxes.push_back(TApplication::ExceptionMessage(e));
        };
    }
    void TearDown() override {
        form.reset();
        test::PumpPending();
        Application->OnException = saved_;
        test::AppPathsKeysTest::TearDown();
    }
    TfrmADAppPath& Open() {
        form.reset(CreateForm<TfrmADAppPath>(nullptr));
        form->Show();
        test::PumpPending();
        return *form;
    }
    int RowOf(const std::string& name) {
        grid::TReportGrid& g = form->grdAppPath->Grid;
        for (int r = 0; r < g.RowCount(); ++r)
            if (g.GetCellText(0, r) == grid::Latin1ToUtf16(name)) return r;
        return -1;
    }
    // A real click on the row's first cell.
    void ClickRow(int row) {
        ASSERT_GE(row, 0);  // never a click on some other entry
        grid::TReportGrid& g = form->grdAppPath->Grid;
        g.ScrollToRow(row);
        test::PumpPending();
        TRect r = g.GetRowRect(row);
        test::SendClick(form->grdAppPath->Handle(), r.Left + 20, (r.Top + r.Bottom) / 2);
        test::PumpPending();
    }
    std::string SelectedName() { return form->SelectedName(); }

    std::unique_ptr<TfrmADAppPath> form;
    std::vector<std::string> boxes;

private:
    decltype(TApplication::OnException) saved_;
};

TEST_F(AppPathWindowTest, TheGridListsTheKeysAndAClickedRowFillsTheFields) {
    Make("adtest-listed.exe", "C:\\Listed\\listed.exe");
    TfrmADAppPath& f = Open();
    EXPECT_EQ(f.Caption(), "Application Path");
    grid::TReportGrid& g = f.grdAppPath->Grid;
    ASSERT_EQ(g.Columns().Count(), 2);
    EXPECT_EQ(g.RowCount(), static_cast<int>(Listed().size()));
    int row = RowOf("adtest-listed.exe");
    ASSERT_GE(row, 0);
    EXPECT_EQ(g.GetCellText(1, row), u"C:\\Listed\\listed.exe");
    ClickRow(row);
    EXPECT_EQ(SelectedName(), "adtest-listed.exe");
    EXPECT_EQ(f.exeName->Text(), "adtest-listed.exe");
    EXPECT_EQ(f.exeLoc->Text(), "C:\\Listed\\listed.exe");
}

TEST_F(AppPathWindowTest, EnterAddsTheExeKeyAndSelectsItsRow) {
    TfrmADAppPath& f = Open();
    f.exeName->SetText("adtest-tool.com");
    f.exeLoc->SetText("C:\\Tools\\tool.com");
    f.exeName->SetFocus();
    test::PostKey(f.exeName->Handle(), VK_RETURN);
    test::PumpPending();
    EXPECT_EQ(LocationOf("adtest-tool.exe"), "C:\\Tools\\tool.com");
    EXPECT_FALSE(IsListed("adtest-tool.com"));
    EXPECT_GE(RowOf("adtest-tool.exe"), 0);  // listed again at once
    EXPECT_EQ(SelectedName(), "adtest-tool.exe");

    // An empty name adds nothing.
    const size_t before = Listed().size();
    f.exeName->SetText("");
    f.SDAdd->Click();
    EXPECT_EQ(Listed().size(), before);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(AppPathWindowTest, RemoveDeletesTheListedKeyNotItsExeLookAlike) {
    Make("adtest-foo.com", "C:\\foo.com");
    Make("adtest-foo.exe", "C:\\foo.exe");
    TfrmADAppPath& f = Open();
    ClickRow(RowOf("adtest-foo.com"));
    ASSERT_EQ(SelectedName(), "adtest-foo.com");
    f.SDRem->Click();
    EXPECT_FALSE(IsListed("adtest-foo.com"));
    EXPECT_EQ(LocationOf("adtest-foo.exe"), "C:\\foo.exe");
    EXPECT_LT(RowOf("adtest-foo.com"), 0);
    EXPECT_GE(RowOf("adtest-foo.exe"), 0);
}

TEST_F(AppPathWindowTest, ReplaceMovesTheRowAndAnEmptyNameDeletesNothing) {
    Make("adtest-old.exe", "C:\\old.exe");
    TfrmADAppPath& f = Open();
    ClickRow(RowOf("adtest-old.exe"));
    f.exeName->SetText("");
    f.SDRep->Click();
    EXPECT_EQ(LocationOf("adtest-old.exe"), "C:\\old.exe");

    ClickRow(RowOf("adtest-old.exe"));
    f.exeLoc->SetText("C:\\edited.exe");
    f.SDRep->Click();  // location only: the same key rewritten
    EXPECT_EQ(LocationOf("adtest-old.exe"), "C:\\edited.exe");

    ClickRow(RowOf("adtest-old.exe"));
    f.exeName->SetText("adtest-new.exe");
    f.SDRep->Click();
    EXPECT_FALSE(IsListed("adtest-old.exe"));
    EXPECT_EQ(LocationOf("adtest-new.exe"), "C:\\edited.exe");
    EXPECT_EQ(SelectedName(), "adtest-new.exe");
}

TEST_F(AppPathWindowTest, AKeyThatCannotBeMadeIsReportedAndAFailedReplaceKeepsTheEntry) {
    Make("adtest-keep.exe", "C:\\keep.exe");
    TfrmADAppPath& f = Open();
    ClickRow(RowOf("adtest-keep.exe"));
    f.exeName->SetText("adtest-" + std::string(300, 'n'));
    test::SendClick(f.SDRep->Handle(), 5, 5);  // a real click: the error reaches the error box
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].find("Failed to create key "), 0u) << boxes[0];
    EXPECT_EQ(LocationOf("adtest-keep.exe"), "C:\\keep.exe");
    test::SendClick(f.SDAdd->Handle(), 5, 5);
    EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(AppPathWindowTest, BrowseStartsInTheLocationsFolderAndTakesTheChosenFile) {
    test::TempDir dir;
    TfrmADAppPath& f = Open();
    f.exeLoc->SetText(dir.File("app.exe"));
    std::string title, filter, initial;
    f.OpenDialog1->OnExecute = [&](TOpenDialog& d) {
        title = d.Title;
        filter = d.Filter;
        initial = d.InitialDir;
        d.FileName = "C:\\Chosen\\prog.exe";
        return true;
    };
    f.btnBrowse->Click();
    EXPECT_EQ(title, "Browse Application...");
    EXPECT_EQ(filter, "Application (*.exe)|*.exe;*.ex");
    EXPECT_EQ(initial, dir.Folder());
    EXPECT_EQ(f.exeLoc->Text(), "C:\\Chosen\\prog.exe");

    f.exeLoc->SetText("C:\\no such folder\\x.exe");
    f.OpenDialog1->OnExecute = [&](TOpenDialog& d) {
        initial = d.InitialDir;
        return false;  // cancelled
    };
    f.btnBrowse->Click();
    EXPECT_EQ(initial, "");
    EXPECT_EQ(f.exeLoc->Text(), "C:\\no such folder\\x.exe");
}

TEST(AppPathButtonTest, TheMainWindowsButtonFillsTheFieldsFromTheSelectedRow) {
    test::OneProgramMainWindow main;
    const std::string exe = test::FixturePath("echoargs.exe");
    TfrmAppdeck& f = main.Open("Tool", "Loc=" + exe + "\r\n");
    ASSERT_TRUE(f.btnAppPath->Enabled());
    std::string name, location;
    bool modal = false;
    {
        test::WhileModal act([&] {
            auto* dialog = test::WhileModal::ActiveForm<TfrmADAppPath>();
            if (!dialog) return false;
            modal = dialog->Modal();
            name = dialog->exeName->Text();
            location = dialog->exeLoc->Text();
            test::PostKey(dialog->exeLoc->Handle(), VK_ESCAPE);
            return true;
        });
        f.btnAppPath->Click();
    }
    EXPECT_TRUE(modal);
    EXPECT_EQ(name, "echoargs.exe");
    EXPECT_EQ(location, exe);
}

}  // namespace
}  // namespace ad
