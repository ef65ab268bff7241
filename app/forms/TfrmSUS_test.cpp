// The Support Us window: its contributor list written to the temporary folder
// as UTF-16 and read back once, the details of a clicked contributor, and
// what its donation, copy, info and link controls do.
#include "app/forms/TfrmSUS.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/forms/InfoGrid.h"
#include "app/forms/InfoWindows_test.h"

namespace ad {
namespace {

class SupportUsTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.reset(CreateForm<TfrmSUS>(nullptr));
        form->Show();
        test::PumpPending();
        form->PageControl1->SetActivePage(form->tabContributor);
        test::PumpPending();
    }
    std::string Cell(int col, int row) { return infowin::CellText(form->grdContributor->Grid, col, row); }
    int FindRow(const std::string& name) {
        for (int row = 0; row < form->grdContributor->Grid.RowCount(); ++row)
            if (Cell(TfrmSUS::colName, row) == name) return row;
        return -1;
    }

    test::ScopedTempFolder temp;
    test::OpenedURLs opened;
    std::unique_ptr<TfrmSUS> form;
};

TEST_F(SupportUsTest, FirstActivationWritesTheListAsUtf16AndLoadsItOnce) {
    EXPECT_EQ(form->Caption(), "Support Us!");
    const std::string file = temp.Dir().File("Contributor.txt");
    EXPECT_EQ(TfrmSUS::ListFileName(), file);
    const std::string bytes = test::ReadFileBytes(file);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    const int rows = form->grdContributor->Grid.RowCount();
    EXPECT_EQ(rows, 4);
    // Text beyond the code page survives the file: the grid holds UTF-16.
    std::u16string expected = u"Li Wei \u674e\u4f1f";
    bool found = false;
    for (int row = 0; row < rows; ++row) found |= form->grdContributor->Grid.GetCellText(0, row) == expected;
    EXPECT_TRUE(found);

    // Activated again, the window keeps its rows and does not write the file again.
    ASSERT_TRUE(test::WriteFileBytes(file, "changed"));
    ASSERT_TRUE(test::ActivateAgain(*form));
    EXPECT_EQ(form->grdContributor->Grid.RowCount(), rows);
    EXPECT_EQ(test::ReadFileBytes(file), "changed");
}

TEST_F(SupportUsTest, AClickedContributorFillsTheDetailsAndEnablesItsLinks) {
    TButton* links[] = {form->cHome, form->cFB, form->cTwitter, form->cGPlus};
    for (TButton* b : links) EXPECT_FALSE(b->Enabled()) << b->Name;
    const struct {
        const char* name;
        const char* caption;
        bool enabled[4];
        const wchar_t* contribution;
    } cases[] = {
        {"Anna Kowalska", "Anna Kowalska", {true, true, false, false},
         L"Polish translation\r\nand testing of the portable mode"},
        {"Tom & Jerry Studio", "Tom && Jerry Studio", {true, true, true, true}, L"The default skin"},
    };
    for (const auto& c : cases) {
        const int row = FindRow(c.name);
        ASSERT_GE(row, 0) << c.name;
        test::ClickGridRow(form->grdContributor, row);
        EXPECT_EQ(form->lblCName->Caption(), c.caption);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(links[i]->Enabled(), c.enabled[i]) << c.name << " " << links[i]->Name;
        EXPECT_EQ(form->mContribution->WideText(), c.contribution);
    }
    // The enabled buttons open their contributor's addresses.
    for (TButton* b : links) test::SendClick(b->Handle(), 4, 4);
    EXPECT_EQ(opened.Urls, (std::vector<std::string>{"https://tj.example.org/", "https://facebook.example.com/tj",
                                                     "https://twitter.example.com/tj", "https://plus.example.com/tj"}));
}

// A name the list holds beyond the 8-bit code page shows whole, not as "??".
TEST_F(SupportUsTest, AContributorNameBeyondTheCodePageShowsWhole) {
    const std::u16string name = u"Li Wei \u674e\u4f1f";
    int row = -1;
    for (int r = 0; r < form->grdContributor->Grid.RowCount(); ++r)
        if (form->grdContributor->Grid.GetCellText(TfrmSUS::colName, r) == name) row = r;
    ASSERT_GE(row, 0);
    test::ClickGridRow(form->grdContributor, row);
    EXPECT_EQ(form->lblCName->WideText(), L"Li Wei \u674e\u4f1f");
    test::SaveScreenshot(form->Handle(), "TfrmSUS.bmp");
}

TEST_F(SupportUsTest, DonationPagesOpenWithAPositiveAmount) {
    form->PageControl1->SetActivePage(form->tabHow);
    test::PumpPending();
    const struct {
        const char* typed;
        const char* amount;  // in the address
        const char* after;   // the field afterwards
    } cases[] = {{"", "5", "5"}, {"0", "5", "5"}, {"20", "20", "20"}, {"-5", "5", "5"}, {"abc", "5", "5"},
                 {"+7", "7", "+7"}};
    for (const auto& c : cases) {
        opened.Urls.clear();
        form->txtAmount1->SetText(c.typed);
        test::SendClick(form->imgDonate1->Handle(), 4, 4);
        ASSERT_EQ(opened.Urls.size(), 1u) << c.typed;
        EXPECT_NE(opened.Urls[0].find(std::string("amount=") + c.amount + "&"), std::string::npos) << opened.Urls[0];
        EXPECT_EQ(form->txtAmount1->Text(), c.after) << c.typed;
    }
    opened.Urls.clear();
    form->txtAmount2->SetText("");
    form->imgDonate2->Click();
    ASSERT_EQ(opened.Urls.size(), 1u);
    EXPECT_NE(opened.Urls[0].find("sum=5&"), std::string::npos) << opened.Urls[0];

    // The fixed amounts open the same page with their own amount.
    opened.Urls.clear();
    for (TButton* b : form->btnFixed) b->Click();
    ASSERT_EQ(opened.Urls.size(), 7u);
    EXPECT_NE(opened.Urls[6].find("amount=100&"), std::string::npos);
    EXPECT_EQ(form->btnFixed[6]->Caption(), "$100");
}

TEST_F(SupportUsTest, CopyInfoAndMobileControlsDoWhatTheySay) {
    form->btnCopy[1]->Click();
    std::string clip;
    if (::OpenClipboard(nullptr)) {
        if (HANDLE h = ::GetClipboardData(CF_UNICODETEXT)) {
            clip = Narrow(static_cast<const wchar_t*>(::GlobalLock(h)));
            ::GlobalUnlock(h);
        }
        ::CloseClipboard();
    }
    EXPECT_EQ(clip, form->txtWallet[1]->Text());
    EXPECT_FALSE(clip.empty());

    std::vector<std::string> boxes;
    auto savedBox = Application->OnMessageBox;
    auto savedQuery = Application->OnInputQuery;
    Application->OnMessageBox = [&](const std::string&, const std::string& caption, UINT flags) {
        boxes.push_back(caption + (flags & MB_ICONINFORMATION ? " info" : ""));
        return IDOK;
    };
    Application->OnInputQuery = [&](const std::string& caption, const std::string& prompt, std::string& value) {
        boxes.push_back(caption + " | " + value);
        EXPECT_NE(prompt.find(value), std::string::npos);
        return true;
    };
    form->btnInfo->Click();
    form->imgMobile->Click();
    Application->OnMessageBox = savedBox;
    Application->OnInputQuery = savedQuery;
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], "Support Us info");
    EXPECT_EQ(boxes[1].rfind("Support Us | +", 0), 0u) << boxes[1];

    for (TButton* b : form->btnWayLinks) b->Click();
    EXPECT_EQ(opened.Urls.size(), form->btnWayLinks.size());
}

TEST_F(SupportUsTest, ADamagedListFileKeepsTheRowsBeforeTheDamage) {
    const std::string file = temp.Dir().Write(
        "bad.txt", "One\t-\t-\t-\t-\tfirst\r\nTwo\t-\t-\t-\t-\tsecond\textra\tfields\r\nThree\t-\t-\t-\t-\tthird\r\n");
    infowin::LoadListFile(form->grdContributor->Grid, file);
    EXPECT_EQ(form->grdContributor->Grid.RowCount(), 2);
    EXPECT_EQ(Cell(TfrmSUS::colName, 0), "One");
    infowin::LoadListFile(form->grdContributor->Grid, temp.Dir().Write("odd.txt", std::string("\xFF\xFEO\0n", 5)));
    EXPECT_LE(form->grdContributor->Grid.RowCount(), 1);
    infowin::LoadListFile(form->grdContributor->Grid, temp.Dir().File("missing.txt"));
    EXPECT_EQ(form->grdContributor->Grid.RowCount(), 0);
    // Clicking in an empty grid selects nothing and changes nothing.
    test::SendClick(form->grdContributor->Handle(), 40, 40);
    EXPECT_FALSE(form->cHome->Enabled());
}

}  // namespace
}  // namespace ad
