// The proportional re-layout on a small test form: scaling on size changes,
// the 0 -> 1 rule, round trips, controls added at run time, the name lists,
// the size-limit messages and the scales against the resolution.
#include "app/ResizeKit.h"

#include <gtest/gtest.h>

#include <memory>

#include "framework/StdCtrls.h"
#include "base/WinText.h"
#include "testsupport/GuiTest.h"

namespace ad {
namespace {

class ResizeKitTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TForm>(nullptr);
        form->Name = "frmTest";
        form->SetClientSize(200, 100);
        edge = Add("edge", 0, 0, 40, 20);
        button = Add("button", 10, 30, 50, 24);
        kit = new TResizeKit(form.get());
        kit->DesignFrmW = 200;
        kit->DesignFrmH = 100;
        HDC dc = ::GetDC(nullptr);
        kit->DesignDpiW = ::GetDeviceCaps(dc, LOGPIXELSX);  // designed on this screen
        kit->DesignDpiH = ::GetDeviceCaps(dc, LOGPIXELSY);
        ::ReleaseDC(nullptr, dc);
        form->Show();
        kit->Loaded();
        test::PumpPending();
    }
    TButton* Add(const char* name, int x, int y, int w, int h) {
        auto* b = new TButton(form.get());
        b->Name = name;
        b->SetParent(form.get());
        b->SetBounds(x, y, w, h);
        return b;
    }
    std::unique_ptr<TForm> form;
    TButton *edge, *button;
    TResizeKit* kit;
};

TEST_F(ResizeKitTest, ControlsFollowTheClientSizeAndComeBackExactly) {
    int fontSize = button->Font().Size();
    std::vector<std::pair<double, double>> reported;
    kit->OnExitResize = [&](TObject* sender, double x, double y) {
        EXPECT_EQ(sender, kit);
        EXPECT_EQ(button->Width(), RoundBelow(50 * x));  // fired once the controls are placed
        reported.emplace_back(x, y);
    };
    form->SetClientSize(400, 100);
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_DOUBLE_EQ(reported[0].first, 2.0);
    EXPECT_DOUBLE_EQ(reported[0].second, 1.0);
    EXPECT_EQ(button->Left(), 20);
    EXPECT_EQ(button->Width(), 100);
    EXPECT_EQ(button->Top(), 30);
    EXPECT_EQ(button->Height(), 24);
    EXPECT_EQ(button->Font().Size(), fontSize);  // fonts follow the smaller scale, 1.0
    EXPECT_DOUBLE_EQ(kit->Scales().X, 2.0);
    EXPECT_EQ(edge->Left(), 1);  // a bound of 0 is placed at 1
    EXPECT_EQ(edge->Top(), 1);

    form->SetClientSize(400, 200);  // both doubled: fonts double too
    EXPECT_EQ(button->Font().Size(), fontSize * 2);
    form->SetClientSize(200, 100);
    EXPECT_EQ(button->Left(), 10);
    EXPECT_EQ(button->Top(), 30);
    EXPECT_EQ(button->Width(), 50);
    EXPECT_EQ(button->Height(), 24);
    EXPECT_EQ(button->Font().Size(), fontSize);
    EXPECT_EQ(reported.size(), 3u);
    ::ShowWindow(form->Handle(), SW_MINIMIZE);  // a minimised window is not laid out
    test::PumpPending();
    EXPECT_EQ(reported.size(), 3u);
    EXPECT_EQ(button->Width(), 50);
    ::ShowWindow(form->Handle(), SW_RESTORE);
}

// A kit that reads the resolution given instead of the screen's.
class FixedDpiResizeKit : public TResizeKit {
public:
    FixedDpiResizeKit(TComponent* owner, int dpi) : TResizeKit(owner), dpi_(dpi) {}

protected:
    void ReadScreenDpi(int& x, int& y) const override { x = y = dpi_; }

private:
    int dpi_;
};

// A form laid out at 96 DPI, loaded with a kit that sees another resolution.
// Its client is the design size scaled by clientPercent.
struct DpiCase {
    int dpi, clientPercent;
    int left, top, width, height;  // expected bounds of the design button (10, 30, 50, 24)
    double scale;
};

TEST(ResizeKitDpiTest, BoundsAreCompensatedForTheResolutionAndFontsKeepTheirPoints) {
    const DpiCase cases[] = {
        {96, 100, 10, 30, 50, 24, 1.0},      // the design: nothing moves
        {120, 125, 13, 38, 63, 30, 1.0},     // client scaled with the resolution: every control grows by 1.25
        {144, 150, 15, 45, 75, 36, 1.0},
        {120, 100, 10, 30, 50, 24, 0.8},     // the design client at 120 DPI: scale 0.8 takes the controls back
    };
    for (const DpiCase& c : cases) {
        SCOPED_TRACE(c.dpi * 1000 + c.clientPercent);
        TForm form(nullptr);
        form.SetClientSize(200 * c.clientPercent / 100, 100 * c.clientPercent / 100);
        auto* button = new TButton(&form);
        button->Name = "button";
        button->SetParent(&form);
        button->SetBounds(10, 30, 50, 24);
        button->Font().SetSize(10);
        auto* label = new TLabel(&form);  // sized to its text, which the screen already draws at its resolution
        label->SetParent(&form);
        label->SetBounds(10, 60, 0, 0);
        label->SetCaption("Sized to its text");
        const int measured = label->Width();
        auto* kit = new FixedDpiResizeKit(&form, c.dpi);
        kit->SetFormWidth(form.Width());  // shown at this size
        kit->SetFormHeight(form.Height());
        kit->DesignFrmW = 200;
        kit->DesignFrmH = 100;
        kit->Loaded();
        form.Show();
        test::PumpPending();
        EXPECT_EQ(kit->ScreenDpiX(), c.dpi);
        EXPECT_NEAR(kit->Scales().X, c.scale, 1e-9);
        EXPECT_NEAR(kit->Scales().Y, c.scale, 1e-9);
        EXPECT_EQ(button->Left(), c.left);
        EXPECT_EQ(button->Top(), c.top);
        EXPECT_EQ(button->Width(), c.width);
        EXPECT_EQ(button->Height(), c.height);
        // Points are drawn at the screen's resolution already: only a scale
        // below 1 makes them smaller (truncated).
        EXPECT_EQ(button->Font().Size(), static_cast<int>(10 * c.scale));
        EXPECT_EQ(kit->ScaleY(30), c.top);  // run-time placement by design values
        EXPECT_EQ(label->Left(), c.left);
        if (c.scale == 1.0) {
            EXPECT_EQ(label->Width(), measured);
        }
    }
}

TEST(ResizeKitWindowTest, AMaximisedWindowIsMovedBackInsideTheWorkArea) {
    TForm form(nullptr);
    form.BorderStyle = TFormBorderStyle::bsSizeable;
    form.SetClientSize(300, 200);
    auto* kit = new TResizeKit(&form);
    kit->DesignFrmW = 300;
    kit->DesignFrmH = 200;
    kit->SetFormMaxWidth(400);
    kit->SetFormMaxHeight(300);
    kit->Loaded();
    form.Show();
    ::ShowWindow(form.Handle(), SW_MAXIMIZE);
    test::PumpPending();
    ASSERT_TRUE(::IsZoomed(form.Handle()));
    RECT work{}, r{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    // Pushed past the work area's corner with a size change: the re-layout brings it back.
    ::SetWindowPos(form.Handle(), nullptr, work.right - 100, work.bottom - 50, 390, 290, SWP_NOZORDER | SWP_NOACTIVATE);
    test::PumpPending();
    ::GetWindowRect(form.Handle(), &r);
    EXPECT_EQ(r.right, work.right);
    EXPECT_EQ(r.bottom, work.bottom);
    EXPECT_EQ(r.right - r.left, 390);
    // Without both maximum sizes the window is left where it is put.
    kit->SetFormMaxHeight(0);
    ::SetWindowPos(form.Handle(), nullptr, work.right - 100, work.bottom - 50, 380, 280, SWP_NOZORDER | SWP_NOACTIVATE);
    test::PumpPending();
    ::GetWindowRect(form.Handle(), &r);
    EXPECT_EQ(r.left, work.right - 100);
}

TEST_F(ResizeKitTest, AControlAddedAtRunTimeIsNamedAndScaledFromThenOn) {
    form->SetClientSize(400, 100);
    TButton* late = Add("", 100, 10, 60, 20);  // placed at scale 2
    form->SetClientSize(200, 100);
    EXPECT_EQ(late->Name, "RKitAdd0001");
    EXPECT_EQ(late->Left(), 50);
    EXPECT_EQ(late->Width(), 30);
    // Excluded controls keep their bounds.
    kit->SetNoResizeCtl("OTHER;BUTTON");
    form->SetClientSize(300, 100);
    EXPECT_EQ(button->Left(), 10);
    EXPECT_EQ(late->Left(), 75);
}

TEST(ResizeKitWindowTest, FirstShowSizesAndPlacesTheWindowAndDraggingKeepsTheLimits) {
    TForm form(nullptr);
    auto* kit = new TResizeKit(&form);
    kit->SetFormWidth(300);
    kit->SetFormHeight(200);
    kit->FormPos = TResizeFormPos::rpBottomRight;
    kit->DesignFrmW = 300;
    kit->DesignFrmH = 200;
    kit->Loaded();
    form.Show();
    test::PumpPending();
    RECT work{}, r{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    ::GetWindowRect(form.Handle(), &r);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(r.bottom - r.top, 200);
    EXPECT_EQ(r.right, work.right);
    EXPECT_EQ(r.bottom, work.bottom);

    kit->SetFormMaxWidth(400);
    kit->SetFormMaxHeight(300);
    kit->SetFormMinWidth(250);
    kit->SetFormMinHeight(150);
    RECT drag{10, 10, 1000, 1000};
    ::SendMessageW(form.Handle(), WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&drag));
    EXPECT_EQ(drag.right, 410);
    EXPECT_EQ(drag.bottom, 310);
    drag = RECT{10, 10, 20, 20};
    ::SendMessageW(form.Handle(), WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&drag));
    EXPECT_EQ(drag.right, 260);
    EXPECT_EQ(drag.bottom, 160);
    MINMAXINFO info{};
    ::SendMessageW(form.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMaxSize.x, 400);
    EXPECT_EQ(info.ptMaxTrackSize.y, 300);
    EXPECT_EQ(info.ptMaxPosition.x, work.left);
}

TEST(ResizeKitRulesTest, NameListsScalesAndRounding) {
    EXPECT_EQ(SplitNameList("a;;B;"), (std::vector<std::string>{"a", "", "B"}));
    EXPECT_EQ(SplitNameList(""), std::vector<std::string>{});
    EXPECT_TRUE(NameInList("b", SplitNameList("a;;B;")));
    EXPECT_FALSE(NameInList("c", SplitNameList("a;;B;")));
    // 120 DPI with a 96-DPI design: the design client size scaled by 1.25 is scale 1.
    TResizeScales s = ComputeScales(1063, 718, 850, 574, 96, 96, 120, 120);
    EXPECT_NEAR(s.X, 1.0, 0.001);
    EXPECT_NEAR(s.Y, 1.0, 0.001);
    EXPECT_NEAR(ComputeScales(850, 574, 850, 574, 96, 96, 120, 120).X, 0.8, 1e-9);
    // A zero design size or resolution never divides by zero.
    TResizeScales zero = ComputeScales(500, 400, 0, 574, 96, 0, 96, 96);
    EXPECT_EQ(zero.X, 1.0);
    EXPECT_EQ(zero.Y, 1.0);
    EXPECT_EQ(RoundBelow(2.5), 3);
    EXPECT_EQ(RoundBelow(2.49), 2);
}

TEST(ResizeKitLimitsTest, InconsistentLimitsAreRefusedInTheUsersLanguage) {
    TForm form(nullptr);
    auto* kit = new TResizeKit(&form);
    auto message = [&](auto set, int v, const char* language) {
        kit->Language = language;
        try {
            (kit->*set)(v);
        } catch (const EInvalidOperation& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    kit->SetFormWidth(866);
    kit->SetFormHeight(612);
    EXPECT_EQ(message(&TResizeKit::SetFormMinWidth, 900, "ENU"), "Set this value equal to or less than the FormWidth");
    EXPECT_EQ(message(&TResizeKit::SetFormMaxWidth, 800, "ENU"),
              "Set this value equal to or greater than the FormWidth");
    EXPECT_EQ(message(&TResizeKit::SetFormHeight, -1, "ENU"), "Set this value equal to or greater than 0");
    EXPECT_EQ(message(&TResizeKit::SetFormMinHeight, 700, "JPN"), Narrow(L"FormHeight 以下の値を入れてください"));
    EXPECT_EQ(message(&TResizeKit::SetFormMaxWidth, 0, "ENU"), "");  // 0 clears a limit
    kit->SetFormMaxWidth(1000);
    EXPECT_EQ(message(&TResizeKit::SetFormWidth, 1001, "ENU"), "Set this value equal to or less than the FormMaxWidth");
    kit->SetFormMinWidth(500);
    EXPECT_EQ(message(&TResizeKit::SetFormWidth, 400, "ENU"),
              "Set this value equal to or greater than the FormMinWidth");
    EXPECT_EQ(message(&TResizeKit::SetFormMaxWidth, 450, "ENU"),
              "Set this value equal to or greater than the FormMinWidth");
    EXPECT_EQ(kit->FormWidth(), 866);
}

}  // namespace
}  // namespace ad
