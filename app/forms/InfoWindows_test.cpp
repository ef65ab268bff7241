// The main window's Software Center, Support Us and More buttons: each opens
// its window modally (More with the launcher's own name as help keyword, so
// its row is left out), and Esc closes it again.
#include <gtest/gtest.h>

#include <memory>

#include "app/forms/InfoWindows_test.h"
#include "app/forms/TADSC.h"
#include "app/forms/TfrmAppdeck.h"
#include "app/forms/TfrmMoreSoft.h"
#include "app/forms/TfrmSUS.h"

namespace ad {
namespace {

// What the timer saw of the window the button opened.
struct OpenedWindow {
    std::string caption;
    std::string helpKeyword;
    bool modal = false;
    int rows = -1;
};
OpenedWindow* openedWindow = nullptr;

int GridRows(TForm* form) {
    if (auto* f = dynamic_cast<TADSC*>(form)) return f->grdSCList->Grid.RowCount();
    if (auto* f = dynamic_cast<TfrmSUS*>(form)) return f->grdContributor->Grid.RowCount();
    if (auto* f = dynamic_cast<TfrmMoreSoft*>(form)) return f->grdMore->Grid.RowCount();
    return -1;
}

void CALLBACK CloseOpenedWindow(HWND, UINT, UINT_PTR id, DWORD) {
    auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(::GetActiveWindow()));
    if (!form || !openedWindow || form == Application->MainForm || GridRows(form) < 0) return;
    ::KillTimer(nullptr, id);
    *openedWindow = {form->Caption(), form->HelpKeyword, form->Modal(), GridRows(form)};
    test::PostKey(form->Handle(), VK_ESCAPE);
}

TEST(InfoWindowsTest, MainWindowButtonsOpenTheirWindowsAndEscClosesThem) {
    test::TempDir base;
    test::ScopedTempFolder temp;
    test::WriteFileBytes(base.File("SWCenter.db"), "[One]\r\nDLink=https://d.example/1\r\n");
    std::unique_ptr<TfrmAppdeck> main(CreateForm<TfrmAppdeck>(nullptr, base.Path()));
    main->Show();
    test::PumpPending();
    const struct {
        TWinControl* button;
        const char* caption;
        const char* helpKeyword;
        int rows;
    } cases[] = {
        {main->BitBtn8, "Software Center", "", 1},
        {main->SpeedButton1, "Support Us!", "", 4},
        {main->btnMore, "More Software", "Appdeck", 5},
    };
    for (const auto& c : cases) {
        OpenedWindow seen;
        openedWindow = &seen;
        UINT_PTR timer = ::SetTimer(nullptr, 0, 20, CloseOpenedWindow);
        c.button->Click();  // returns once Esc has closed the window
        ::KillTimer(nullptr, timer);
        openedWindow = nullptr;
        EXPECT_EQ(seen.caption, c.caption);
        EXPECT_TRUE(seen.modal) << c.caption;
        EXPECT_EQ(seen.helpKeyword, c.helpKeyword);
        EXPECT_EQ(seen.rows, c.rows) << c.caption;
        EXPECT_EQ(::GetActiveWindow(), main->Handle());
    }
}

}  // namespace
}  // namespace ad
