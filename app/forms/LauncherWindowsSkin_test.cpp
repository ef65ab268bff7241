// Every window of the launcher in the program's skin: each form has its
// provider, each control the skin data or adapter its class is given, the
// form's background shows the skin's colour and follows a hue change, and
// opening and closing the windows leaves nothing behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/forms/MainWindowTestSupport.h"
#include "app/forms/TADImpro.h"
#include "app/forms/TADSC.h"
#include "app/forms/TfrmADAbout.h"
#include "app/forms/TfrmADAppPath.h"
#include "app/forms/TfrmADEdit.h"
#include "app/forms/TfrmADS.h"
#include "app/forms/TfrmADSet.h"
#include "app/forms/TfrmCShortcut.h"
#include "app/forms/TfrmGHash.h"
#include "app/forms/TfrmMoreSoft.h"
#include "app/forms/TfrmSD.h"
#include "app/forms/TfrmSUS.h"
#include "app/forms/TfrmUCheck.h"
#include "framework/Handles.h"
#include "skin/adapters/SkAdapterTable.h"
#include "skin/adapters/SkMainWnd.h"
#include "skin/adapters/SkSpeedButtonHandler.h"
#include "skin/controls/skLabel.h"
#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/skinfile/SkinMessages.h"
#include "skin/engine/win/SkinFormsList.h"
#include "skin/engine/win/SkinMessaging.h"
#include "skin/forms/SkinProvider.h"
#include "testsupport/GuiTest.h"
#include "testsupport/TestUtils.h"

namespace ad {
namespace {

using skin::forms::TSkinProvider;

struct TWindowKind {
    const char* name;
    std::function<TForm*(TfrmAppdeck& main, const std::string& file)> make;
};

// Every secondary window, made as the main window makes it, with the main
// window as its host.
std::vector<TWindowKind> SecondaryWindows() {
    return {
        {"Settings", [](TfrmAppdeck& m, const std::string&) { return CreateForm<TfrmADSet>(nullptr, m); }},
        {"About", [](TfrmAppdeck&, const std::string&) { return CreateForm<TfrmADAbout>(nullptr); }},
        {"Import", [](TfrmAppdeck& m, const std::string&) { return CreateForm<TADImpro>(nullptr, m); }},
        {"AppManager", [](TfrmAppdeck& m, const std::string&) { return CreateForm<TfrmSD>(nullptr, m); }},
        {"Edit",
         [](TfrmAppdeck& m, const std::string&) { return CreateForm<TfrmADEdit>(nullptr, m, "Tool", "A tool"); }},
        {"Search",
         [](TfrmAppdeck& m, const std::string&) {
             return CreateForm<TfrmADS>(nullptr, m, std::vector<std::string>{"Tools"}, false);
         }},
        {"Shortcut",
         [](TfrmAppdeck&, const std::string& file) {
             return CreateForm<TfrmCShortcut>(nullptr, TShortcutSource{file, "", "Tool"});
         }},
        {"AppPath", [](TfrmAppdeck&, const std::string&) { return CreateForm<TfrmADAppPath>(nullptr); }},
        {"FileHash", [](TfrmAppdeck&, const std::string& file) { return CreateForm<TfrmGHash>(nullptr, file); }},
        {"UpdateChecker", [](TfrmAppdeck&, const std::string&) { return CreateForm<TfrmUCheck>(nullptr); }},
        {"SoftwareCenter", [](TfrmAppdeck& m, const std::string&) { return CreateForm<TADSC>(nullptr, m); }},
        {"SupportUs", [](TfrmAppdeck&, const std::string&) { return CreateForm<TfrmSUS>(nullptr); }},
        {"MoreSoftware", [](TfrmAppdeck&, const std::string&) { return CreateForm<TfrmMoreSoft>(nullptr); }},
    };
}

uint32_t Rgb(TColor c) { return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu); }

// Every windowed control the component owns, at any depth.
void CollectControls(TComponent* owner, std::vector<TWinControl*>& out) {
    for (int i = 0; i < owner->ComponentCount(); ++i) {
        TComponent* c = owner->Components(i);
        if (auto* w = dynamic_cast<TWinControl*>(c)) out.push_back(w);
        CollectControls(c, out);
    }
}

// Client points of the form, on a coarse grid, where no child window lies:
// there the form's own background shows.
std::vector<POINT> BarePoints(TForm& form) {
    std::vector<POINT> points;
    RECT client{};
    ::GetClientRect(form.Handle(), &client);
    for (int y = 4; y < client.bottom - 4; y += 9)
        for (int x = 4; x < client.right - 4; x += 9) {
            if (::ChildWindowFromPointEx(form.Handle(), POINT{x, y}, CWP_SKIPINVISIBLE) != form.Handle()) continue;
            points.push_back(POINT{x, y});
            if (points.size() == 4) return points;
        }
    return points;
}

class LauncherWindowsSkin : public ::testing::Test {
protected:
    void SetUp() override {
        exe = test::FixturePath("echoargs.exe");
        main_ = &window.Open("Tool", "Loc=" + exe + "\r\n");
    }
    TfrmAppdeck& Main() { return *main_; }

    // The provider's cache pixel at a client point of the form.
    static uint32_t FormPixel(TSkinProvider& p, POINT pt) {
        return skin::GetPixel32(p.SkinData->CacheImage->View(), p.ClientOffsetX() + pt.x, p.ClientOffsetY() + pt.y) &
               0xFFFFFFu;
    }
    static uint32_t FormColour(TSkinProvider& p) {
        const skin::TSkinTables& skin = *p.Skin();
        return Rgb(skin.Section(skin.SectionIndexOf(p.SkinData->SkinSection())).Props[0].Color);
    }

    // The form answers for its provider and every control of a listed class,
    // or of the skin's own, is skinned.
    void ExpectSkinned(TForm& form, const std::string& name) {
        const LRESULT answer = skin::SendSkinCommand(form.Handle(), skin::SKC_GETPROVIDER);
        TSkinProvider* provider = TSkinProvider::OfWindow(form.Handle());
        ASSERT_NE(provider, nullptr) << name;
        EXPECT_EQ(answer, reinterpret_cast<LRESULT>(provider)) << name;
        EXPECT_TRUE(provider->Skinned()) << name;
        std::vector<TWinControl*> controls;
        CollectControls(&form, controls);
        int listed = 0;
        for (TWinControl* c : controls) {
            if (!c->HandleAllocated() || !c->Parent()) continue;
            // The skin's own controls carry their data, labels excepted: they
            // ask the manager when they paint.
            const std::string cls = c->ClassName();
            const bool ownSkin = cls.rfind("TSkin", 0) == 0 && !dynamic_cast<skin::controls::TSkinCustomLabel*>(c);
            // A listed control gets an adapter where its kind has one.
            const auto kind = Main().SkinManager().ThirdParty.KindOf(cls);
            const bool adapted =
                kind && (*kind == skin::akSpeedButton || skin::adapters::AdapterClassTable()[size_t(*kind)]);
            if (!ownSkin && !adapted) continue;
            ++listed;
            if (kind && skin::IsSkinnedWindow(c->Handle())) adaptedClasses.insert(cls);
            EXPECT_TRUE(skin::IsSkinnedWindow(c->Handle())) << name << ": " << c->Name << " (" << cls << ")";
        }
        EXPECT_GT(listed, 0) << name;
    }

    test::OneProgramMainWindow window;
    std::string exe;
    std::set<std::string> adaptedClasses;

private:
    TfrmAppdeck* main_ = nullptr;
};

TEST_F(LauncherWindowsSkin, EveryWindowWearsTheSkinAndFollowsAHueChange) {
    std::vector<std::unique_ptr<TForm>> open;
    std::vector<TForm*> forms{&Main()};
    for (const TWindowKind& kind : SecondaryWindows()) {
        open.emplace_back(kind.make(Main(), exe));
        open.back()->Show();
        forms.push_back(open.back().get());
    }
    test::PumpPending();
    std::vector<std::string> names{"Main"};
    for (const TWindowKind& kind : SecondaryWindows()) names.push_back(kind.name);

    struct TSample {
        TSkinProvider* provider;
        std::vector<POINT> points;
        std::vector<uint32_t> before;
    };
    std::vector<TSample> samples;
    for (size_t i = 0; i < forms.size(); ++i) {
        ExpectSkinned(*forms[i], names[i]);
        TSkinProvider* p = TSkinProvider::OfWindow(forms[i]->Handle());
        if (!p) continue;
        ASSERT_TRUE(p->PrepareCache()) << names[i];
        TSample s{p, BarePoints(*forms[i]), {}};
        EXPECT_FALSE(s.points.empty()) << names[i] << ": no bare background to look at";
        for (POINT pt : s.points) {
            s.before.push_back(FormPixel(*p, pt));
            EXPECT_EQ(s.before.back(), FormColour(*p)) << names[i] << " at " << pt.x << "," << pt.y;
        }
        samples.push_back(std::move(s));
    }

    // The lists reach every standard control class the launcher places.
    const std::set<std::string> standard{"TListBox",  "TListView", "TCheckBox",         "TRadioButton",
                                         "TComboBox", "TGroupBox", "TEdit",             "TMemo",
                                         "TIntEdit",  "TCheckListBox", "TReportGridWindow", "TSpeedButton"};
    for (const std::string& cls : standard) EXPECT_TRUE(adaptedClasses.count(cls)) << cls << " is not adapted anywhere";

    Main().SkinManager().SetHueOffset(120);
    test::PumpPending();
    for (size_t i = 0; i < samples.size(); ++i) {
        TSample& s = samples[i];
        ASSERT_TRUE(s.provider->PrepareCache()) << names[i];
        for (size_t k = 0; k < s.points.size(); ++k) {
            const uint32_t now = FormPixel(*s.provider, s.points[k]);
            EXPECT_NE(now, s.before[k]) << names[i] << ": the hue change left the background as it was";
            EXPECT_EQ(now, FormColour(*s.provider)) << names[i];
        }
    }
    Main().SkinManager().SetHueOffset(0);
    for (auto& f : open) f->Hide();
}

TEST_F(LauncherWindowsSkin, OpeningAndClosingEveryWindowLeavesNothingBehind) {
    const int kCycles = 10;
    auto cycle = [&](const TWindowKind& kind) {
        std::unique_ptr<TForm> form(kind.make(Main(), exe));
        form->Show();
        test::PumpPending();
        form->Hide();
        form.reset();
        test::PumpPending();
    };
    for (const TWindowKind& kind : SecondaryWindows()) {
        cycle(kind);  // what a first opening makes once (fonts, cached images) stays
        const long gdi = LiveGdiObjects();
        const int providers = TSkinProvider::LiveCount();
        const int adapters = skin::adapters::TSkMainWnd::LiveCount();
        const int handlers = skin::adapters::TSkSpeedButtonHandler::LiveCount();
        const size_t forms = skin::SkinnedForms().size();
        for (int i = 0; i < kCycles; ++i) cycle(kind);
        EXPECT_EQ(LiveGdiObjects(), gdi) << kind.name;
        EXPECT_EQ(TSkinProvider::LiveCount(), providers) << kind.name;
        EXPECT_EQ(skin::adapters::TSkMainWnd::LiveCount(), adapters) << kind.name;
        EXPECT_EQ(skin::adapters::TSkSpeedButtonHandler::LiveCount(), handlers) << kind.name;
        EXPECT_EQ(skin::SkinnedForms().size(), forms) << kind.name;
    }
}

// The skinned form's whole image, frame and children included, as the
// provider composes it, into the screenshot folder as a 24-bit BMP file.
void SaveFormImage(TForm& form, const std::string& name) {
    TSkinProvider* p = TSkinProvider::OfWindow(form.Handle());
    ASSERT_NE(p, nullptr) << name;
    std::unique_ptr<skin::TSkinCacheImage> image = p->CopyFormImage();
    ASSERT_TRUE(image && !image->Empty()) << name;
    const int w = image->Width(), h = image->Height();
    const size_t stride = (size_t(w) * 3 + 3) & ~size_t(3);
    std::string rows(stride * size_t(h), '\0');
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t c = skin::GetPixel32(image->View(), x, h - 1 - y);
            char* to = rows.data() + stride * size_t(y) + size_t(x) * 3;
            to[0] = char(c), to[1] = char(c >> 8), to[2] = char(c >> 16);
        }
    EXPECT_TRUE(test::WriteBmpFile(std::string(std::getenv("AD_SCREENSHOT_DIR")) + "\\" + name, w, h, rows.data()));
}

// Saves every window as the user sees it in the skin (scripts/screenshot.sh
// --all sets the folder): the main window in its three views as the screen
// shows it, then each secondary window's image as its skin composes it (the
// screen of the private display lags behind a window that has just opened).
TEST_F(LauncherWindowsSkin, Screenshots) {
    if (!std::getenv("AD_SCREENSHOT_DIR")) GTEST_SKIP() << "no screenshot folder given";
    const std::pair<TSpeedButton*, const char*> views[] = {
        {Main().vs1, "main_view1"}, {Main().vs2, "main_view2"}, {Main().vs3, "main_view3"}};
    for (auto [button, name] : views) {
        test::SendClick(button->Handle(), 5, 5);
        test::PumpPending();
        test::SaveScreenshot(Main().Handle(), std::string(name) + ".bmp");
    }
    for (const TWindowKind& kind : SecondaryWindows()) {
        std::unique_ptr<TForm> form(kind.make(Main(), exe));
        form->Show();
        test::PumpPending();
        SaveFormImage(*form, std::string(kind.name) + ".bmp");
        form->Hide();
    }
}

}  // namespace
}  // namespace ad
