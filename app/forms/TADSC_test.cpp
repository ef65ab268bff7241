// The Software Center against catalogue files written for each test: which
// entries it lists and in what order, the details and stars of a clicked
// row, and which addresses its download button and product link open.
#include "app/forms/TADSC.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/forms/FakeLauncherHost_test.h"
#include "app/forms/InfoGrid.h"
#include "app/forms/InfoWindows_test.h"

namespace ad {
namespace {

class SoftwareCenterTest : public ::testing::Test {
protected:
    TADSC& Open(const std::string& catalogue) {
        base.Write("SWCenter.db", catalogue);
        return Open();
    }
    TADSC& Open() {
        form.reset(CreateForm<TADSC>(nullptr, host));
        form->Show();
        test::PumpPending();
        return *form;
    }
    std::string Cell(int col, int row) { return infowin::CellText(form->grdSCList->Grid, col, row); }
    // How many of the five stars show yellow, from left to right; -1 when a
    // yellow star follows a grey one.
    int YellowStars() {
        int yellow = 0;
        bool grey = false;
        for (TImage* star : form->r) {
            std::uint32_t c = test::BitmapPixel(star->Picture().Bitmap(), true);
            if (c == infowin::kStarYellow) {
                if (grey) return -1;
                ++yellow;
            } else {
                EXPECT_EQ(c, infowin::kStarGrey);
                grey = true;
            }
        }
        return yellow;
    }

    test::TempDir base;
    test::FakeLauncherHost host{base.Path()};
    std::unique_ptr<TADSC> form;
};

const char kCatalogue[] =
    "[Zip Tool]\r\nDesc=Packs & unpacks\r\nVer=2.1\r\nCategory=Utilities\r\nDLink=https://d.example/zip\r\n"
    "HLink=https://h.example/zip\r\nRating=3\r\nLastUpdate=2016-08-01\r\nSize=12.5\r\n"
    "[Hidden]\r\nDesc=no download address\r\nCategory=Aaa\r\nHLink=https://h.example/hidden\r\n"
    "[Player]\r\nVer=9\r\nCategory=Multimedia\r\nDLink=https://d.example/player\r\nRating=7\r\nSize=40\r\n"
    "[Editor]\r\nDesc=Edits text\r\nVer=1.0\r\nCategory=Office\r\nDLink=https://d.example/editor\r\n"
    "HLink=C:\\Windows\\notepad.exe\r\nRating=5\r\n"
    "[Local]\r\nVer=1\r\nCategory=Zzz\r\nDLink=file:///C:/evil.exe\r\nRating=0\r\n";

TEST_F(SoftwareCenterTest, ListsEntriesWithADownloadAddressSortedByCategory) {
    TADSC& f = Open(kCatalogue);
    EXPECT_EQ(f.Caption(), "Software Center");
    EXPECT_EQ(f.Label4->Caption(), "Total Software : 4");
    const char* names[] = {"Player 9", "Editor 1.0", "Zip Tool 2.1", "Local 1"};
    ASSERT_EQ(f.grdSCList->Grid.RowCount(), 4);
    for (int row = 0; row < 4; ++row) EXPECT_EQ(Cell(TADSC::colName, row), names[row]) << row;
    EXPECT_EQ(Cell(TADSC::colCategory, 2), "Utilities");
    EXPECT_EQ(Cell(TADSC::colLastUpdated, 2), "2016-08-01");
    EXPECT_FALSE(f.grdSCList->Grid.Columns().Item(TADSC::colDLink)->Visible());
    EXPECT_FALSE(f.grdSCList->Grid.Columns().Item(TADSC::colHLink)->Visible());
    // Nothing is selected yet: the details wait.
    EXPECT_EQ(f.lblSize->Caption(), "Size : -");
}

TEST_F(SoftwareCenterTest, MissingOrEmptyCatalogueListsNothing) {
    EXPECT_EQ(Open().Label4->Caption(), "Total Software : 0");
    EXPECT_EQ(Open("[A]\r\nDesc=x\r\n[B]\r\nDLink=\r\n").Label4->Caption(), "Total Software : 0");
    EXPECT_EQ(form->grdSCList->Grid.RowCount(), 0);
}

TEST_F(SoftwareCenterTest, AClickedRowShowsItsDetailsAndStars) {
    TADSC& f = Open(kCatalogue);
    EXPECT_EQ(YellowStars(), 0);
    const struct {
        int row;
        const char* name;
        const char* desc;
        const char* size;
        int stars;
        bool download, page;
    } cases[] = {
        {2, "Zip Tool 2.1", "Packs && unpacks", "13", 3, true, true},  // the size column shows no decimals
        {0, "Player 9", "( No Description )", "40", 0, true, false},  // rating 7: all grey
        {1, "Editor 1.0", "Edits text", "0", 5, true, true},
        {3, "Local 1", "( No Description )", "0", 0, true, false},
    };
    for (const auto& c : cases) {
        test::ClickGridRow(f.grdSCList, c.row);
        EXPECT_EQ(f.grdSCList->Grid.GetSelectedRow(), c.row);
        EXPECT_EQ(f.Label1->Caption(), c.name);
        EXPECT_EQ(f.Label2->Caption(), c.desc) << c.name;
        EXPECT_EQ(f.lblSize->Caption(), std::string("Size : ") + c.size + " MB") << c.name;
        EXPECT_EQ(YellowStars(), c.stars) << c.name;
        // The list's rating column shows the same stars as the details.
        EXPECT_EQ(f.grdSCList->Grid.Cell(TADSC::colRating, c.row)->AsInteger(), c.stars) << c.name;
        EXPECT_EQ(Cell(TADSC::colSize, c.row), c.size) << c.name;
        EXPECT_EQ(f.BitBtn1->Enabled(), c.download) << c.name;
        EXPECT_EQ(f.Label3->Enabled(), c.page) << c.name;
    }
}

// A catalogue stored as Unicode keeps its names whole in the details, not
// through the 8-bit code page.
TEST_F(SoftwareCenterTest, NamesBeyondTheCodePageShowWhole) {
    TADSC& f = Open("\xEF\xBB\xBF[\xE6\x9D\x8E & Co]\r\nVer=1\r\nDesc=\xE7\xBC\x96\xE8\xBE\x91\r\n"
                    "DLink=https://d.example/x\r\nHLink=https://h.example/x\r\nRating=4\r\nSize=250.7\r\n");
    ASSERT_EQ(f.grdSCList->Grid.RowCount(), 1);
    test::ClickGridRow(f.grdSCList, 0);
    EXPECT_EQ(f.Label1->WideText(), L"\u674e && Co 1");
    EXPECT_EQ(f.Label2->WideText(), L"\u7f16\u8f91");
    EXPECT_EQ(f.lblSize->Caption(), "Size : 251 MB");
    test::SaveScreenshot(f.Handle(), "TADSC.bmp");
}

TEST_F(SoftwareCenterTest, DownloadAndProductLinkOpenOnlyWebAddresses) {
    TADSC& f = Open(kCatalogue);
    test::OpenedURLs opened;
    test::ClickGridRow(f.grdSCList, 2);
    test::SendClick(f.BitBtn1->Handle(), 4, 4);
    test::SendClick(f.Label3->Handle(), 2, 2);
    EXPECT_EQ(opened.Urls, (std::vector<std::string>{"https://d.example/zip", "https://h.example/zip"}));
    // A product page that is a local program and a download that is a file
    // address are not handed to the shell.
    opened.Urls.clear();
    test::ClickGridRow(f.grdSCList, 1);
    test::SendClick(f.Label3->Handle(), 2, 2);
    test::ClickGridRow(f.grdSCList, 3);
    test::SendClick(f.BitBtn1->Handle(), 4, 4);
    EXPECT_TRUE(opened.Urls.empty());
}

}  // namespace
}  // namespace ad
