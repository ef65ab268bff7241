// The Search window on a real Wine desktop, against category files made for
// each test: the match rules, the hits whose files exist sorted by name, Enter
// in the search boxes, aborting, closing or freeing during a search, the detail
// pane and the launches, and the main window's Search button.
#include "app/forms/TfrmADS.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "app/Catalogue.h"
#include "app/Launch.h"
#include "app/forms/FakeLauncherHost_test.h"
#include "app/forms/TfrmAppdeck.h"
#include "framework/Handles.h"
#include "framework/Registry.h"
#include "framework/SysUtils.h"
#include "testsupport/GuiTest.h"
#include "testsupport/TestUtils.h"

namespace ad {
namespace {

TEST(CatalogueSearch, AnEntryMatchesByNameAndDescriptionLowerCasedInAsciiOnly) {
    const struct {
        const char *nameBox, *descBox, *name, *desc;
        bool hit;
    } cases[] = {
        {"note", "", "Notepad", "Text editor", true},   // the name box alone
        {"NOTE", "", "notepad", "", true},              // either side's case
        {"", "EDIT", "Notepad", "Text Editor", true},   // the description box alone
        {"", "edit", "Notepad", "", false},             // no description is never found by one
        {"pad", "text", "Notepad", "Text editor", true},  // both boxes, both fields match
        {"pad", "paint", "Notepad", "Text editor", false},
        {"calc", "text", "Notepad", "Text editor", false},
        {"", "", "Notepad", "Text editor", false},      // both boxes empty
        {"pad ", "", "Notepad", "", false},             // blanks count
        // Letters beyond ASCII keep their case (code page 1252: \xC9 is E acute, \xE9 e acute).
        {"\xE9" "dit", "", "\xC9" "diteur", "", false},
        {"\xE9" "dit", "", "\xE9" "diteur", "", true},
        {"\xC9" "DIT", "", "\xC9" "diteur", "", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SearchMatches(MakeSearchQuery(c.nameBox, c.descBox), c.name, c.desc), c.hit)
            << '"' << c.nameBox << "\" \"" << c.descBox << "\" on \"" << c.name << "\" \"" << c.desc << '"';
}

// The lines echoargs wrote: "cwd=..." then one "arg=..." per argument.
std::vector<std::string> OutputLines(const std::string& file) {
    std::vector<std::string> lines;
    std::istringstream in(test::ReadFileBytes(file));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class SearchWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedErrorBox_ = Application->OnException;
        Application->OnException = [this](TObject*, const std::exception_ptr& e) {
            boxes.push_back(TApplication::ExceptionMessage(e));
        };
        ASSERT_TRUE(ForceDirectories(base.File("ADCat")));
        ASSERT_TRUE(ForceDirectories(base.File("bin")));
        ASSERT_TRUE(::CopyFileW(Widen(test::FixturePath("echoargs.exe")).c_str(), Widen(Exe()).c_str(), FALSE));
    }
    void TearDown() override {
        form.reset();
        test::PumpPending();
        Application->OnException = savedErrorBox_;
        ::SetCurrentDirectoryW(Widen(oldDir_).c_str());
    }
    std::string Exe() const { return base.File("bin\\echo.exe"); }
    void Category(const std::string& name, const std::string& text) {
        test::WriteFileBytes(base.File("ADCat\\" + name + ".dat"), text);
    }
    // A category of n entries "P<n-1>" down to "P0", each naming the program.
    void BigCategory(const std::string& name, int n) {
        std::string text;
        for (int i = n - 1; i >= 0; --i) text += "[P" + std::to_string(10000 + i) + "]\r\nLoc=bin\\echo.exe\r\n";
        Category(name, text);
    }
    TfrmADS& Open(const std::vector<std::string>& categories, bool runElevated = false) {
        form.reset(CreateForm<TfrmADS>(nullptr, host, categories, runElevated));
        form->Show();
        test::PumpPending();
        return *form;
    }
    void Start(const std::string& name, const std::string& desc) {
        form->txtName->SetText(name);
        form->txtDesc->SetText(desc);
        form->btnSearch->Click();
    }
    void Search(const std::string& name, const std::string& desc) {
        Start(name, desc);
        ASSERT_TRUE(test::PumpUntil([&] { return !form->trdSearch->IsWorking(); }, 20000));
    }
    std::string Cell(int col, int row) {
        std::u16string text = form->SDGrid->Grid.GetCellText(col, row);
        return Narrow(std::wstring(text.begin(), text.end()));
    }
    std::vector<std::string> Column(int col) {
        std::vector<std::string> texts;
        for (int r = 0; r < form->SDGrid->Grid.RowCount(); ++r) texts.push_back(Cell(col, r));
        return texts;
    }
    std::vector<std::string> Row(int row) {
        std::vector<std::string> texts;
        for (int c = 0; c < form->SDGrid->Grid.Columns().Count(); ++c) texts.push_back(Cell(c, row));
        return texts;
    }
    void SelectRow(int row) { form->SDGrid->Grid.SetSelectedRow(row); }

    test::TempDir base;
    test::FakeLauncherHost host{base.Path()};
    std::unique_ptr<TfrmADS> form;
    std::vector<std::string> boxes;

private:
    std::string oldDir_ = GetCurrentDir();
    decltype(TApplication::OnException) savedErrorBox_;
};

// Locations are resolved as the main window resolves them (registry form,
// environment variables, relative to the program's folder); the grid shows
// them as stored.
TEST_F(SearchWindowTest, ListsTheHitsWhoseFilesExistSortedByNameWithTheirStoredValues) {
    const std::string windowsNotepad = ExpandEnvPath("%WINDIR%\\notepad.exe");
    ASSERT_TRUE(FileExists(windowsNotepad));
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("Software\\AppdeckSearchTest", true));
        reg.WriteString("Path", Exe());
    }
    Category("Tools",
             "[zeta tool]\r\nLoc=bin\\echo.exe\r\nParam=-z\r\nDesc=Last of all\r\n"
             "[Gone Tool]\r\nLoc=bin\\missing.exe\r\nDesc=Its file is missing\r\n"
             "[Env Tool]\r\nLoc=%WINDIR%\\notepad.exe\r\n"
             "[Reg Tool]\r\nLoc=HKCU>>Software\\AppdeckSearchTest>>Path\r\n"
             "[Empty Reg Tool]\r\nLoc=HKCU>>Software\\AppdeckSearchTest>>Missing\r\n"
             "[Bare Tool]\r\nLoc=bin\\echo.exe\r\n"
             "[Other]\r\nLoc=bin\\echo.exe\r\nDesc=A tool by description\r\n");
    Category("Games", "[Alpha Tool]\r\nLoc=" + Exe() + "\r\nParam=--x \"y\"\r\nDesc=First\r\n");
    TfrmADS& f = Open({"Tools", "Missing", "Games"});
    EXPECT_EQ(f.Caption(), "Search");
    EXPECT_FALSE(f.cmbCat->Visible());
    const grid::TReportGrid& g = f.SDGrid->Grid;
    ASSERT_EQ(g.Columns().Count(), 5);
    const char16_t* headers[] = {u"Name", u"Description", u"Category", u"Location", u"Parameter"};
    for (int c = 0; c < 5; ++c) EXPECT_EQ(g.Columns().Item(c)->Header.Caption(), headers[c]);

    Search("TOOL", "");
    EXPECT_EQ(f.btnSearch->Caption(), "Search");
    EXPECT_EQ(g.UpdateCount(), 0);
    ASSERT_EQ(g.RowCount(), 5);
    EXPECT_EQ(Row(0), (std::vector<std::string>{"Alpha Tool", "First", "Games", Exe(), "--x \"y\""}));
    EXPECT_EQ(Row(1), (std::vector<std::string>{"Bare Tool", "", "Tools", "bin\\echo.exe", ""}));
    EXPECT_EQ(Row(2), (std::vector<std::string>{"Env Tool", "", "Tools", "%WINDIR%\\notepad.exe", ""}));
    EXPECT_EQ(Row(3), (std::vector<std::string>{"Reg Tool", "", "Tools", "HKCU>>Software\\AppdeckSearchTest>>Path", ""}));
    EXPECT_EQ(Row(4), (std::vector<std::string>{"zeta tool", "Last of all", "Tools", "bin\\echo.exe", "-z"}));
    SelectRow(0);
    f.SDGrid->SetFocus();
    test::SaveScreenshot(f.Handle(), "TfrmADS.bmp");

    // The description box alone; an entry without a description is never found by it.
    Search("", "o");
    EXPECT_EQ(Column(TfrmADS::colName), (std::vector<std::string>{"Other", "zeta tool"}));
    Search("tool", "first");
    EXPECT_EQ(Column(TfrmADS::colName), (std::vector<std::string>{"Alpha Tool"}));
    Search("", "");
    EXPECT_EQ(g.RowCount(), 0);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SearchWindowTest, EnterInEitherBoxSearchesAndTheButtonReadsAbortMeanwhile) {
    BigCategory("Big", 500);
    TfrmADS& f = Open({"Big"});
    for (TEdit* box : {f.txtName, f.txtDesc}) {
        f.txtName->SetText(box == f.txtName ? "P1" : "");
        f.txtDesc->SetText("");
        ::SendMessageW(box->Handle(), WM_CHAR, L'\r', 0);
        EXPECT_TRUE(f.trdSearch->IsWorking());
        EXPECT_EQ(f.btnSearch->Caption(), "ABORT");
        ASSERT_TRUE(test::PumpUntil([&] { return !f.trdSearch->IsWorking(); }, 20000));
        EXPECT_EQ(f.btnSearch->Caption(), "Search");
    }
    // Enter in the description box searched with the texts of that moment: none, so nothing.
    EXPECT_EQ(f.SDGrid->Grid.RowCount(), 0);

    // The texts are read when the search starts: typing meanwhile changes nothing.
    f.txtName->SetText("P104");
    test::PostKey(f.txtName->Handle(), VK_RETURN);  // through the message loop
    ASSERT_TRUE(test::PumpUntil([&] { return f.trdSearch->IsWorking() || f.SDGrid->Grid.RowCount() > 0; }));
    f.txtName->SetText("nothing");
    ASSERT_TRUE(test::PumpUntil([&] { return !f.trdSearch->IsWorking(); }, 20000));
    ASSERT_EQ(f.SDGrid->Grid.RowCount(), 100);
    EXPECT_EQ(Cell(TfrmADS::colName, 0), "P10400");
}

TEST_F(SearchWindowTest, AbortKeepsTheRowsFoundSoFarInTheirOrderAndShowsThem) {
    BigCategory("Big", 5000);
    TfrmADS& f = Open({"Big"});
    const grid::TReportGrid& g = f.SDGrid->Grid;
    Start("p", "");
    ASSERT_TRUE(test::PumpUntil([&] { return g.RowCount() > 0; }));
    f.btnSearch->Click();  // ABORT
    ASSERT_TRUE(test::PumpUntil([&] { return !f.trdSearch->IsWorking(); }));
    EXPECT_TRUE(f.trdSearch->Cancelled());
    EXPECT_EQ(f.btnSearch->Caption(), "Search");
    EXPECT_EQ(g.UpdateCount(), 0);
    ASSERT_GT(g.RowCount(), 0);
    ASSERT_LT(g.RowCount(), 5000);
    // The rows are the first ones of the file, in file order (descending), not sorted.
    for (int r = 0; r < g.RowCount(); ++r) ASSERT_EQ(Cell(TfrmADS::colName, r), "P" + std::to_string(14999 - r));

    // A search that runs to its end sorts by name.
    Search("p", "");
    ASSERT_EQ(g.RowCount(), 5000);
    EXPECT_EQ(Cell(TfrmADS::colName, 0), "P10000");
    EXPECT_EQ(Cell(TfrmADS::colName, 4999), "P14999");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SearchWindowTest, EscOrFreeingDuringASearchCancelsAndWaitsForTheWorker) {
    BigCategory("Big", 5000);
    TfrmADS& f = Open({"Big"});
    Start("p", "");
    ASSERT_TRUE(f.trdSearch->IsWorking());
    test::PostKey(f.txtName->Handle(), VK_ESCAPE);
    ASSERT_TRUE(test::PumpUntil([&] { return !f.Visible(); }));
    EXPECT_FALSE(f.trdSearch->IsWorking());  // closing waited for the worker
    EXPECT_EQ(f.btnSearch->Caption(), "Search");

    f.Show();
    Start("p", "");
    ASSERT_TRUE(f.trdSearch->IsWorking());
    form.reset();  // freed mid-search: the work must not go on against a freed grid
    test::PumpPending();
    EXPECT_TRUE(boxes.empty()) << boxes.front();  // no "must be stopped" error
}

// A hit written with an environment variable is listed as stored and launched
// at the place the variable names, as from the main window.
TEST_F(SearchWindowTest, AHitWithAnEnvironmentVariableLaunchesTheResolvedFile) {
    const std::string out = base.File("env-out.txt");
    ::SetEnvironmentVariableW(L"APPDECK_SEARCH_BIN", Widen(base.File("bin")).c_str());
    Category("Tools", "[Env Echo]\r\nLoc=%APPDECK_SEARCH_BIN%\\echo.exe\r\nParam=--out=\"" + out + "\"\r\n");
    TfrmADS& f = Open({"Tools"});
    Search("echo", "");
    ASSERT_EQ(f.SDGrid->Grid.RowCount(), 1);
    EXPECT_EQ(Cell(TfrmADS::colLoc, 0), "%APPDECK_SEARCH_BIN%\\echo.exe");
    SelectRow(0);
    f.run1->Click();
    EXPECT_EQ(f.run1->HelpKeyword, Exe());
    EXPECT_TRUE(test::PumpUntil([&] { return !test::ReadFileBytes(out).empty(); }, 10000));
    ::SetEnvironmentVariableW(L"APPDECK_SEARCH_BIN", nullptr);
}

TEST_F(SearchWindowTest, TheSelectedRowFillsTheDetailPaneAndLaunchesWithItsParameters) {
    const std::string out = base.File("out.txt");
    Category("Tools", "[Tom & Jerry]\r\nLoc=bin\\echo.exe\r\nParam=--out=\"" + out +
                          "\" one\r\nDesc=Cat && mouse\r\n[Other]\r\nLoc=bin\\echo.exe\r\n");
    TfrmADS& f = Open({"Tools"});
    EXPECT_FALSE(f.run1->Visible());
    EXPECT_EQ(f.run1->Hint, "Launch this Program");
    Search("tom", "");
    ASSERT_EQ(f.SDGrid->Grid.RowCount(), 1);
    SelectRow(0);
    EXPECT_EQ(f.app1->Caption(), "Tom && Jerry");  // shows "Tom & Jerry"
    EXPECT_EQ(f.des1->Caption(), "Cat &&&& mouse");
    EXPECT_TRUE(f.run1->Visible());
    EXPECT_EQ(f.run1->HelpKeyword, "bin\\echo.exe");
    EXPECT_EQ(f.Parameters, "--out=\"" + out + "\" one");
    EXPECT_FALSE(f.pic1->Picture().Empty());
    EXPECT_TRUE(AsciiSameText(IncludeTrailingPathDelimiter(GetCurrentDir()), base.Path()));
    test::SaveScreenshot(f.Handle(), "TfrmADS-detail.bmp");

    // Launching completes the target with the base folder and keeps it.
    f.run1->Click();
    EXPECT_EQ(f.run1->HelpKeyword, Exe());
    ASSERT_TRUE(test::PumpUntil([&] { return !test::ReadFileBytes(out).empty(); }, 10000));
    auto lines = OutputLines(out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(AsciiSameText(IncludeTrailingPathDelimiter(lines[0].substr(4)), base.File("bin\\"))) << lines[0];
    EXPECT_EQ(lines[2], "arg=one");

    // A double click on a cell, and Enter in the grid, launch the selected row too.
    for (int way = 0; way < 2; ++way) {
        ASSERT_TRUE(::DeleteFileW(Widen(out).c_str()));
        if (way == 0) {
            TRect cell;
            ASSERT_TRUE(f.SDGrid->Grid.GetCellRect(0, 0, cell));
            ::SendMessageW(f.SDGrid->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(cell.Left + 4, cell.Top + 4));
        } else {
            ::SendMessageW(f.SDGrid->Handle(), WM_KEYDOWN, VK_RETURN, 0);
        }
        EXPECT_TRUE(test::PumpUntil([&] { return !test::ReadFileBytes(out).empty(); }, 10000)) << way;
    }

    // A new search empties the pane.
    Search("nothing", "");
    EXPECT_EQ(f.app1->Caption(), "");
    EXPECT_EQ(f.des1->Caption(), "");
    EXPECT_FALSE(f.run1->Visible());
    EXPECT_TRUE(f.pic1->Picture().Empty());
}

void MakeShortcut(const std::string& link, const std::string& target, const std::string& args) {
    ComPtr<IShellLinkW> sl;
    ASSERT_TRUE(SUCCEEDED(
        ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, sl.PutVoid())));
    sl->SetPath(Widen(target).c_str());
    sl->SetArguments(Widen(args).c_str());
    ComPtr<IPersistFile> pf;
    ASSERT_TRUE(SUCCEEDED(sl->QueryInterface(IID_IPersistFile, pf.PutVoid())));
    ASSERT_TRUE(SUCCEEDED(pf->Save(Widen(link).c_str(), TRUE)));
}

TEST_F(SearchWindowTest, AShortcutIsStartedElevatedWhenTheMainWindowAsksForIt) {
    ASSERT_TRUE(IsUserAdmin());
    ASSERT_TRUE(ForceDirectories(base.File("links")));
    const std::string out = base.File("link.txt");
    MakeShortcut(base.File("links\\echo.lnk"), Exe(), "--out=\"" + out + "\" via-link");
    Category("Tools", "[Linked]\r\nLoc=links\\echo.lnk\r\n");
    for (bool elevated : {false, true}) {
        TfrmADS& f = Open({"Tools"}, elevated);
        Search("linked", "");
        ASSERT_EQ(f.SDGrid->Grid.RowCount(), 1);
        SelectRow(0);  // the base folder becomes the current folder
        f.run1->Click();
        // Only the elevated start moves the current folder to the file's.
        std::string expected = elevated ? base.File("links\\") : base.Path();
        EXPECT_TRUE(AsciiSameText(IncludeTrailingPathDelimiter(GetCurrentDir()), expected)) << elevated;
        // Wine's shell has no "runas" verb for shortcuts: only the plain open starts one here.
        if (!elevated) {
            EXPECT_TRUE(test::PumpUntil([&] { return !test::ReadFileBytes(out).empty(); }, 10000));
        }
    }
}

// What the Search window showed while the main window's button held it open.
struct SearchWindowSeen {
    bool modal = false;
    std::vector<std::string> categories;
    bool searching = false;
};
SearchWindowSeen* searchWindowSeen = nullptr;

// Starts a search in the open Search window and presses Esc at once. The
// window is found by its title: another program's window may be the active one.
void CALLBACK SearchAndEscape(HWND, UINT, UINT_PTR id, DWORD) {
    HWND shown = ::FindWindowW(nullptr, L"Search");
    auto* window = shown && ::IsWindowVisible(shown) ? dynamic_cast<TfrmADS*>(TWinControl::FromHandle(shown)) : nullptr;
    if (!window || !searchWindowSeen) return;
    ::KillTimer(nullptr, id);
    searchWindowSeen->modal = window->Modal();
    for (int i = 0; i < window->cmbCat->Items().GetCount(); ++i)
        searchWindowSeen->categories.push_back(window->cmbCat->Items().Get(i));
    window->txtName->SetText("p");
    window->btnSearch->Click();
    searchWindowSeen->searching = window->trdSearch->IsWorking();
    test::PostKey(window->txtName->Handle(), VK_ESCAPE);
}

TEST_F(SearchWindowTest, TheMainWindowsSearchButtonOpensItModallyOverItsCategories) {
    BigCategory("Big", 5000);
    Category("Another", "");
    std::unique_ptr<TfrmAppdeck> owner(CreateForm<TfrmAppdeck>(nullptr, base.Path()));
    TfrmAppdeck& main = *owner;
    main.Show();
    test::PumpPending();
    ASSERT_TRUE(main.Button20->Enabled());

    SearchWindowSeen seen;
    searchWindowSeen = &seen;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 20, SearchAndEscape);
    main.Button20->Click();  // returns once Esc has closed the window mid-search
    ::KillTimer(nullptr, timer);
    searchWindowSeen = nullptr;
    EXPECT_TRUE(seen.modal);
    EXPECT_EQ(seen.categories, (std::vector<std::string>{"Another", "Big"}));
    EXPECT_TRUE(seen.searching);
    EXPECT_EQ(main.FindComponent("frmADS"), nullptr);  // freed when it closed
    EXPECT_TRUE(boxes.empty());
}

}  // namespace
}  // namespace ad
