// The More Software window: its list written to the temporary folder and
// read back at every activation without the launcher's own row, the details
// and icon of a clicked program, and which address its download button opens.
#include "app/forms/TfrmMoreSoft.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/forms/InfoGrid.h"
#include "app/forms/InfoWindows_test.h"

namespace ad {
namespace {

class MoreSoftwareTest : public ::testing::Test {
protected:
    TfrmMoreSoft& Open(const std::string& own = "Appdeck") {
        form.reset(CreateForm<TfrmMoreSoft>(nullptr));
        form->HelpKeyword = own;
        form->Show();
        test::PumpPending();
        return *form;
    }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (int row = 0; row < form->grdMore->Grid.RowCount(); ++row)
            names.push_back(infowin::CellText(form->grdMore->Grid, TfrmMoreSoft::colName, row));
        return names;
    }

    test::ScopedTempFolder temp;
    test::OpenedURLs opened;
    std::unique_ptr<TfrmMoreSoft> form;
};

const std::vector<std::string> kOthersByVersion = {"Tiny Notes & Lists", "Quick Launch Bar", "Folder Sizer",
                                                   "Clipboard Keeper", "Hash Checker"};

TEST_F(MoreSoftwareTest, EveryActivationReloadsTheListWithoutTheOwnProduct) {
    TfrmMoreSoft& f = Open();
    EXPECT_EQ(f.Caption(), "More Software");
    EXPECT_EQ(TfrmMoreSoft::ListFileName(), temp.Dir().File("more.txt"));
    EXPECT_NE(test::ReadFileBytes(temp.Dir().File("more.txt")).find("Appdeck\t2016.8"), std::string::npos);
    EXPECT_EQ(Names(), kOthersByVersion);
    // Nothing selected: no details.
    EXPECT_FALSE(f.msDownload->Visible());
    EXPECT_FALSE(f.chkShare->Visible());

    ::DeleteFileW(Widen(temp.Dir().File("more.txt")).c_str());
    ASSERT_TRUE(test::ActivateAgain(*form));
    EXPECT_EQ(Names(), kOthersByVersion);
    EXPECT_TRUE(test::ReadFileBytes(temp.Dir().File("more.txt")).size() > 0);

    // Opened without its product name, the window lists every row.
    Open("");
    EXPECT_EQ(Names().size(), kOthersByVersion.size() + 1);
}

TEST_F(MoreSoftwareTest, WithoutAWritableTemporaryFolderTheListIsEmpty) {
    ::SetEnvironmentVariableW(L"TMP", Widen(temp.Dir().File("missing\\folder")).c_str());
    ::SetEnvironmentVariableW(L"TEMP", Widen(temp.Dir().File("missing\\folder")).c_str());
    TfrmMoreSoft& f = Open();
    EXPECT_EQ(f.grdMore->Grid.RowCount(), 0);
    EXPECT_FALSE(f.msDownload->Visible());
}

TEST_F(MoreSoftwareTest, AClickedProgramShowsItsDetailsIconAndShareChoice) {
    TfrmMoreSoft& f = Open();
    const struct {
        int row;
        const char* name;
        std::uint32_t icon;  // the colour of the icon of the row's ID
        bool share;
        const char* download;
    } cases[] = {
        {0, "Tiny Notes && Lists 2016.7", 0x006CEF, false, "https://appdeck.example.org/tn"},
        {1, "Quick Launch Bar 2016.5", 0x327D2E, true, "https://appdeck.example.org/share/qlb"},
        {3, "Clipboard Keeper 2015.12", 0x1C1CB7, false, "https://appdeck.example.org/ck"},
    };
    for (const auto& c : cases) {
        opened.Urls.clear();
        test::ClickGridRow(f.grdMore, c.row);
        EXPECT_EQ(f.lblPName->Caption(), c.name);
        EXPECT_TRUE(f.msDownload->Visible());
        EXPECT_TRUE(f.imgPIcon->Visible());
        EXPECT_EQ(test::BitmapPixel(f.imgPIcon->Picture().Bitmap(), false), c.icon) << c.name;
        EXPECT_EQ(f.chkShare->Visible(), c.share) << c.name;
        test::SendClick(f.msDownload->Handle(), 4, 4);
        EXPECT_EQ(opened.Urls, std::vector<std::string>{c.download}) << c.name;
    }
    EXPECT_EQ(f.lblPDetails->Caption(), "Keeps the last hundred texts you copied.");

    // Unchecked, the share box gives the plain download address.
    test::ClickGridRow(f.grdMore, 1);
    test::SendClick(f.chkShare->Handle(), 4, 4);
    EXPECT_FALSE(f.chkShare->Checked());
    EXPECT_EQ(f.chkShare->Caption(), "Share :(");
    opened.Urls.clear();
    test::SendClick(f.msDownload->Handle(), 4, 4);
    EXPECT_EQ(opened.Urls, std::vector<std::string>{"https://appdeck.example.org/qlb"});
    test::SendClick(f.chkShare->Handle(), 4, 4);
    EXPECT_EQ(f.chkShare->Caption(), "Share :)");
}

// Names and descriptions beyond the 8-bit code page show whole in the
// details; a line break of a description shows as a space in its one-line cell.
TEST_F(MoreSoftwareTest, ListTextShowsWholeAndOnOneLine) {
    TfrmMoreSoft& f = Open();
    grid::TReportGrid& g = f.grdMore->Grid;
    for (int row = 0; row < g.RowCount(); ++row) {
        const std::u16string desc = g.GetCellText(TfrmMoreSoft::colDescription, row);
        EXPECT_EQ(desc.find_first_of(u"\r\n"), std::u16string::npos) << row;
    }
    int row = -1;
    for (int r = 0; r < g.RowCount(); ++r)
        if (g.GetCellText(TfrmMoreSoft::colName, r) == u"Quick Launch Bar") row = r;
    ASSERT_GE(row, 0);
    EXPECT_EQ(g.GetCellText(TfrmMoreSoft::colDescription, row),
              u"Starts programs from a small bar at the edge of the screen.");
    g.SetCellText(TfrmMoreSoft::colName, row, u"\u30e1\u30e2 & Co");
    g.SetCellText(TfrmMoreSoft::colDescription, row, u"\u7f16\u8f91");
    test::ClickGridRow(f.grdMore, row);
    EXPECT_EQ(f.lblPName->WideText(), L"\u30e1\u30e2 && Co 2016.5");
    EXPECT_EQ(f.lblPDetails->WideText(), L"\u7f16\u8f91");
    test::SaveScreenshot(f.Handle(), "TfrmMoreSoft.bmp");
}

TEST_F(MoreSoftwareTest, IconIndexesAndAddressesFromTheListAreChecked) {
    TfrmMoreSoft& f = Open();
    f.lstMore->Lines().Clear();
    for (const char* line : {"Big Index\t9\tx\t3\thttps://d.example/big\t99\t",
                             "Negative\t8\tx\t3\thttps://d.example/neg\t-1\t",
                             "Words\t7\tx\t3\tfile:///C:/evil.exe\tabc\t",
                             "Good\t6\tx\t3\thttps://d.example/good\t2\tjavascript:alert(1)"})
        f.lstMore->Lines().Add(line);
    ASSERT_TRUE(test::ActivateAgain(*form));
    ASSERT_EQ(Names(), (std::vector<std::string>{"Big Index", "Negative", "Words", "Good"}));
    for (int row = 0; row < 3; ++row) {
        test::ClickGridRow(f.grdMore, row);
        EXPECT_TRUE(f.imgPIcon->Picture().Empty()) << row;
        test::SendClick(f.msDownload->Handle(), 4, 4);
    }
    test::ClickGridRow(f.grdMore, 3);
    EXPECT_FALSE(f.imgPIcon->Picture().Empty());
    EXPECT_TRUE(f.chkShare->Visible());
    test::SendClick(f.msDownload->Handle(), 4, 4);  // the share address is no web address
    EXPECT_EQ(opened.Urls, (std::vector<std::string>{"https://d.example/big", "https://d.example/neg"}));
}

}  // namespace
}  // namespace ad
