// Page control, up-down, status bar, speed buttons and the input box, on real windows.
#include "framework/ComCtrls.h"

#include <gtest/gtest.h>

#include <memory>

#include "framework/Dialogs.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "testsupport/GuiTest.h"

namespace ad {
namespace {

class ComCtrlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TForm>(nullptr);
        form->SetClientSize(400, 300);
    }
    template <class T>
    T* Add(TWinControl* parent, int x, int y, int w, int h) {
        auto* c = new T(form.get());
        c->SetParent(parent);
        c->SetBounds(x, y, w, h);
        return c;
    }
    std::unique_ptr<TForm> form;
};

TEST_F(ComCtrlsTest, PageControlShowsTheActivePageAndOnlyVisibleTabs) {
    auto* pc = Add<TPageControl>(form.get(), 10, 10, 300, 200);
    auto* one = new TTabSheet(form.get());
    one->SetCaption("One");
    one->SetPageControl(pc);
    auto* two = new TTabSheet(form.get());
    two->SetCaption("Two");
    two->SetPageControl(pc);
    auto* onPageTwo = Add<TButton>(two, 5, 5, 60, 20);
    form->Show();
    EXPECT_EQ(pc->ActivePage(), one);
    EXPECT_TRUE(::IsWindowVisible(one->Handle()));
    EXPECT_FALSE(::IsWindowVisible(onPageTwo->Handle()));
    EXPECT_EQ(::SendMessageW(pc->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);

    one->SetTabVisible(false);  // only one tab shows; the pages still switch by code
    pc->SetActivePage(two);
    EXPECT_EQ(::SendMessageW(pc->Handle(), TCM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_TRUE(::IsWindowVisible(onPageTwo->Handle()));
    EXPECT_FALSE(::IsWindowVisible(one->Handle()));
    RECT page = two->BoundsRect();
    EXPECT_GT(page.top, 0);  // below the tab row
    EXPECT_LE(page.right, 300);

    // The user picks a tab: TCN_SELCHANGE from the control.
    one->SetTabVisible(true);
    int changes = 0;
    pc->OnChange = [&](TObject*) { changes++; };
    ::SendMessageW(pc->Handle(), TCM_SETCURSEL, 0, 0);
    NMHDR hdr{pc->Handle(), 0, static_cast<UINT>(TCN_SELCHANGE)};
    ::SendMessageW(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hdr));
    EXPECT_EQ(pc->ActivePage(), one);
    EXPECT_EQ(changes, 1);
}

TEST_F(ComCtrlsTest, UpDownKeepsItsPositionInRangeAndReportsArrowClicks) {
    auto* edit = Add<TEdit>(form.get(), 10, 10, 40, 21);
    auto* ud = Add<TUpDown>(form.get(), 50, 10, 17, 21);
    ud->SetMin(1);
    ud->SetMax(3);
    ud->SetAssociate(edit);
    ud->SetPosition(1);
    std::vector<TUDBtnType> clicks;
    ud->OnClick = [&](TObject*, TUDBtnType b) { clicks.push_back(b); };
    form->Show();
    EXPECT_EQ(edit->Text(), "1");
    ud->SetPosition(9);
    EXPECT_EQ(ud->Position(), 3);
    EXPECT_EQ(edit->Text(), "3");
    ud->SetPosition(2);
    // The user presses the down arrow key in the up-down: it moves and reports.
    ::SendMessageW(ud->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    ::SendMessageW(ud->Handle(), WM_KEYUP, VK_DOWN, 0);
    EXPECT_EQ(ud->Position(), 1);
    ASSERT_FALSE(clicks.empty());
    EXPECT_EQ(clicks.back(), TUDBtnType::btPrev);
}

TEST_F(ComCtrlsTest, StatusBarPanelsAndSpeedButtonGroups) {
    auto* sb = new TStatusBar(form.get());
    sb->SetParent(form.get());
    for (int w : {100, 100, 100, 100}) sb->AddPanel(w);
    sb->SetPanelText(3, "www.example.org");
    auto* a = Add<TSpeedButton>(form.get(), 10, 10, 25, 22);
    auto* b = Add<TSpeedButton>(form.get(), 40, 10, 25, 22);
    a->GroupIndex = b->GroupIndex = 1;
    a->SetDown(true);
    form->Show();
    EXPECT_EQ(sb->Top() + sb->Height(), form->ClientHeight());
    EXPECT_EQ(::SendMessageW(sb->Handle(), SB_GETPARTS, 0, 0), 4);
    wchar_t text[64] = {};
    ::SendMessageW(sb->Handle(), SB_GETTEXTW, 3, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"www.example.org");

    int clicks = 0;
    b->OnClick = [&](TObject*) { clicks++; };
    ::SendMessageW(b->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(::SendMessageW(a->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    ::SendMessageW(b->Handle(), BM_CLICK, 0, 0);  // stays down without AllowAllUp
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(clicks, 2);
}

HWND FindChildOfClass(HWND parent, const wchar_t* cls) { return ::FindWindowExW(parent, nullptr, cls, nullptr); }

TEST(InputQuery, TheRealBoxReturnsTheTypedTextOrNothingOnCancel) {
    auto saved = std::move(Application->OnInputQuery);
    Application->OnInputQuery = nullptr;
    for (WORD key : {WORD(VK_RETURN), WORD(VK_ESCAPE)}) {
        SCOPED_TRACE(key);
        TTimer timer(nullptr);
        timer.SetInterval(20);
        timer.OnTimer = [&](TObject*) {
            HWND box = ::GetActiveWindow();
            HWND edit = box ? FindChildOfClass(box, L"TEdit") : nullptr;
            if (!edit) return;
            timer.SetEnabled(false);
            ::SetWindowTextW(edit, L"Typed name");
            test::PostKey(edit, key);
        };
        std::string value = "default";
        bool ok = InputQuery("Add Category", "Type Category Name !", value);
        EXPECT_EQ(ok, key == VK_RETURN);
        EXPECT_EQ(value, key == VK_RETURN ? "Typed name" : "default");
    }
    Application->OnInputQuery = std::move(saved);
}

}  // namespace
}  // namespace ad
