// The File Hash dialog on a real Wine desktop: its list and check buttons, a
// run on the worker with the controls locked meanwhile, an unreadable file,
// and Esc or freeing during a run.
#include "app/forms/TfrmGHash.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "framework/Handles.h"
#include "framework/SysUtils.h"
#include "testsupport/GuiTest.h"
#include "testsupport/TestUtils.h"

namespace ad {
namespace {

class HashDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedErrorBox_ = Application->OnException;
        Application->OnException = [this](TObject*, const std::exception_ptr& e) {
            boxes.push_back(TApplication::ExceptionMessage(e));
        };
    }
    void TearDown() override {
        form.reset();
        test::PumpPending();
        Application->OnException = savedErrorBox_;
    }
    // The memo's text when it holds the file line and the empty line only.
    std::string HeaderOnly(const std::string& file) { return "Filename   : " + file + "\r\n"; }
    TfrmGHash& Open(const std::string& file) {
        form.reset(CreateForm<TfrmGHash>(nullptr, file));
        form->Show();
        test::PumpPending();
        return *form;
    }
    std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        for (int i = 0; i < form->mHash->Lines().GetCount(); ++i) lines.push_back(form->mHash->Lines().Get(i));
        return lines;
    }
    std::vector<std::string> CheckedItems() {
        std::vector<std::string> items;
        for (int i = 0; i < form->chkHash->Count(); ++i)
            if (form->chkHash->Checked(i)) items.push_back(form->chkHash->Items().Get(i));
        return items;
    }
    bool Locked() {
        for (TWinControl* c : {static_cast<TWinControl*>(form->chkHash), static_cast<TWinControl*>(form->BitBtn1),
                               static_cast<TWinControl*>(form->Button1), static_cast<TWinControl*>(form->Button2),
                               static_cast<TWinControl*>(form->Button3)})
            if (c->Enabled() || ::IsWindowEnabled(c->Handle())) return false;
        return true;
    }
    void RunToEnd() { ASSERT_TRUE(test::PumpUntil([&] { return !form->trdHash->IsWorking(); }, 20000)); }

    test::TempDir dir;
    std::unique_ptr<TfrmGHash> form;
    std::vector<std::string> boxes;

private:
    decltype(TApplication::OnException) savedErrorBox_;
};

TEST_F(HashDialogTest, OpensWithTheFourUsualDigestsCheckedInThreeColumns) {
    TfrmGHash& f = Open(dir.File("a.exe"));
    EXPECT_EQ(f.Caption(), "File Hash");
    EXPECT_EQ(f.HelpKeyword, dir.File("a.exe"));
    EXPECT_EQ(f.GroupBox1->Caption(), " Hash Algorithm ");
    EXPECT_EQ(f.GroupBox2->Caption(), " Generated Hash ");
    ASSERT_EQ(f.chkHash->Count(), kHashItemCount);
    for (int i = 0; i < kHashItemCount; ++i) EXPECT_EQ(f.chkHash->Items().Get(i), kHashItems[static_cast<size_t>(i)]);
    EXPECT_EQ(CheckedItems(), (std::vector<std::string>{"CRC32", "MD5", "SHA-256", "SHA-512"}));
    {
        // The memo's letters have one width, so the padded labels line up the digests.
        WindowDC screen(nullptr);
        SelectObjectScope sel(screen.Get(), f.mHash->EffectiveFont().Handle());
        SIZE narrow{}, wide{};
        ::GetTextExtentPoint32W(screen.Get(), L"iiii", 4, &narrow);
        ::GetTextExtentPoint32W(screen.Get(), L"WWWW", 4, &wide);
        EXPECT_EQ(narrow.cx, wide.cx);
    }

    // Four rows per column: the fifth item starts the second column, the ninth the third.
    RECT first = f.chkHash->ItemRect(0), fifth = f.chkHash->ItemRect(4), ninth = f.chkHash->ItemRect(8);
    EXPECT_EQ(fifth.top, first.top);
    EXPECT_GT(fifth.left, first.left);
    EXPECT_EQ(ninth.top, first.top);
    EXPECT_GT(ninth.left, fifth.left);
    EXPECT_LE(ninth.right, f.chkHash->ClientWidth());  // all three columns show

    f.Button3->Click();  // invert
    EXPECT_EQ(CheckedItems(), (std::vector<std::string>{"MD4", "RIPEMD-128", "RIPEMD-160", "SHA-1", "SHA-384",
                                                        "Tiger-128", "Tiger-160", "Tiger-192"}));
    f.Button1->Click();
    EXPECT_EQ(CheckedItems().size(), size_t(kHashItemCount));
    f.Button2->Click();
    EXPECT_TRUE(CheckedItems().empty());

    // A click on an item, or Space on the focused one, toggles its check.
    int clicks = 0;
    f.chkHash->OnClickCheck = [&](TObject*) { ++clicks; };
    test::SendClick(f.chkHash->Handle(), fifth.left + 30, (fifth.top + fifth.bottom) / 2);
    EXPECT_EQ(CheckedItems(), (std::vector<std::string>{"RIPEMD-160"}));
    ::SendMessageW(f.chkHash->Handle(), WM_CHAR, L' ', 0);
    EXPECT_TRUE(CheckedItems().empty());
    EXPECT_EQ(clicks, 2);
}

TEST_F(HashDialogTest, GenerateListsTheCheckedDigestsAndLocksTheControlsMeanwhile) {
    const std::string file = dir.Write("abc.exe", "abc");
    TfrmGHash& f = Open(file);
    f.BitBtn1->Click();
    ASSERT_TRUE(f.trdHash->IsWorking());
    EXPECT_TRUE(Locked());
    // The digest lines come back through the GUI thread: none before it pumps,
    // and a second Generate meanwhile changes nothing.
    f.BitBtn1Click(f.BitBtn1);
    EXPECT_EQ(f.mHash->Text(), HeaderOnly(file));
    RunToEnd();
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "Filename   : " + file,
                           "",
                           "CRC32      : 352441c2",
                           "MD5        : 900150983cd24fb0d6963f7d28e17f72",
                           "SHA-256    : ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad",
                           "SHA-512    : ddaf35a193617abacc417349ae20413112e6fa4e89a97ea20a9eeee64b55d39a"
                           "2192992a274fc1a836ba3c23a3feebbd454d4423643ce80e2a9ac94fa54ca49f",
                       }));
    EXPECT_FALSE(Locked());
    EXPECT_TRUE(boxes.empty());

    // Nothing checked: the file line and the empty line only, written afresh.
    f.Button2->Click();
    f.BitBtn1->Click();
    RunToEnd();
    EXPECT_EQ(f.mHash->Text(), HeaderOnly(file));

    f.Button1->Click();
    f.BitBtn1->Click();
    RunToEnd();
    ASSERT_EQ(Lines().size(), 2u + kHashItemCount);
    EXPECT_EQ(Lines().back(), "Tiger-192  : f258c1e88414ab2a527ab541ffc5b8bf935f7b951c132951");
    test::SaveScreenshot(f.Handle(), "TfrmGHash.bmp");
}

TEST_F(HashDialogTest, AnUnreadableFileIsReportedAndTheLinesSoFarStay) {
    const std::string missing = dir.File("gone.exe");
    TfrmGHash& f = Open(missing);
    f.BitBtn1->Click();
    RunToEnd();
    ASSERT_TRUE(test::PumpUntil([&] { return !boxes.empty(); }));
    EXPECT_NE(boxes[0].find("gone.exe"), std::string::npos) << boxes[0];
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Filename   : " + missing, "", "CRC32      : 00000000"}));
    EXPECT_FALSE(Locked());
}

TEST_F(HashDialogTest, EscOrFreeingDuringARunCancelsAndWaitsForTheWorker) {
    const std::string file = dir.Write("big.exe", std::string(size_t(96) << 20, 'x'));
    TfrmGHash& f = Open(file);
    f.Button1->Click();
    f.BitBtn1->Click();
    ASSERT_TRUE(f.trdHash->IsWorking());
    test::PostKey(f.chkHash->Handle(), VK_ESCAPE);
    ASSERT_TRUE(test::PumpUntil([&] { return !f.Visible(); }));
    EXPECT_FALSE(f.trdHash->IsWorking());  // closing waited for the worker
    EXPECT_EQ(f.mHash->Text(), HeaderOnly(file));  // cancelled before its digests were done
    EXPECT_FALSE(Locked());

    // Freed while working: the run is cancelled first, and nobody is told off.
    f.Show();
    f.BitBtn1->Click();
    ASSERT_TRUE(f.trdHash->IsWorking());
    form.reset();
    test::PumpPending();
    EXPECT_TRUE(boxes.empty());
}

}  // namespace
}  // namespace ad
