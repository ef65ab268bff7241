// The settings dialog against a stand-in main window: what it shows from the
// settings file, what Save stores (the file before the registry), the
// folder-background entry, and the live skin values that Cancel restores.
#include "app/forms/TfrmADSet.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/forms/FakeLauncherHost_test.h"
#include "framework/IniFiles.h"
#include "framework/Registry.h"
#include "framework/SysUtils.h"
#include "testsupport/GuiTest.h"
#include "testsupport/TestUtils.h"

namespace ad {
namespace {

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedBox_ = Application->OnMessageBox;
        savedException_ = Application->OnException;
        Application->OnMessageBox = [this](const std::string& text, const std::string&, UINT) {
            boxes.push_back(text);
            return IDOK;
        };
        // The error box, as the application shows it: its text is what the user reads.
        Application->OnException = [this](TObject*, const std::exception_ptr& e) {
            boxes.push_back(TApplication::ExceptionMessage(e));
        };
    }
    void TearDown() override {
        dialog.reset();
        Application->OnMessageBox = savedBox_;
        Application->OnException = savedException_;
        RemoveBackgroundMenu();
    }
    void Settings(const std::string& text) { test::WriteFileBytes(base.File("Appdeck.ini"), "[Settings]\r\n" + text); }
    TfrmADSet& Open() {
        dialog.reset(CreateForm<TfrmADSet>(nullptr, host));
        dialog->Show();
        test::PumpPending();
        dialog->FormActivate(dialog.get());  // as the first activation does
        return *dialog;
    }
    std::string Stored(const std::string& key) {
        return TIniFile(base.File("Appdeck.ini")).ReadString("Settings", key, "<none>");
    }

    test::TempDir base;
    test::FakeLauncherHost host{base.Path()};
    std::unique_ptr<TfrmADSet> dialog;
    std::vector<std::string> boxes;

private:
    decltype(TApplication::OnMessageBox) savedBox_;
    decltype(TApplication::OnException) savedException_;
};

TEST_F(SettingsDialogTest, AFreshInstallationShowsTheDefaults) {
    TfrmADSet& d = Open();
    EXPECT_EQ(d.Caption(), "Settings");
    EXPECT_TRUE(d.RadioButton1->Checked());
    EXPECT_FALSE(d.chkCAL->Checked() || d.chkMAL->Checked() || d.chkTMAL->Checked());
    // Tray mode runs the optimizer when nothing is stored; the dialog says so too.
    EXPECT_TRUE(d.chkRAM->Checked());
    EXPECT_TRUE(d.cmbRAM->Enabled());
    EXPECT_EQ(d.cmbRAM->ItemIndex(), 0);
    EXPECT_EQ(d.cmbRAM->Items()[0], "10 Seconds");
    EXPECT_TRUE(d.chkSDCD->Checked());
    EXPECT_FALSE(d.chkRO->Checked() || d.chkBCM->Checked() || d.chkARAA->Checked() || d.chkTMM->Checked());
    EXPECT_EQ(d.trkHue->Position(), 0);
    EXPECT_EQ(d.trkSat->Position(), 0);
    EXPECT_FALSE(d.trkBrg->Visible());
    test::SaveScreenshot(d.Handle(), "TfrmADSet.bmp");
}

TEST_F(SettingsDialogTest, StoredValuesAreShownAndTheLastAfterLaunchKeyReadWins) {
    struct Case {
        const char* stored;
        const char* shown;
    } cases[] = {
        {"CloseAfterLaunch=1\r\n", "chkCAL"},
        {"CloseAfterLaunch=1\r\nMinimizeAfterLaunch=1\r\n", "chkMAL"},
        {"CloseAfterLaunch=1\r\nMinimizeAfterLaunch=1\r\nTrayModeAfterLaunch=1\r\n", "chkTMAL"},
        {"MinimizeAfterLaunch=0\r\nCloseAfterLaunch=0\r\n", "RadioButton1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        Settings(c.stored);
        TfrmADSet& d = Open();
        auto* radio = dynamic_cast<TRadioButton*>(d.FindComponent(c.shown));
        ASSERT_NE(radio, nullptr);
        EXPECT_TRUE(radio->Checked());
        int checked = 0;
        for (TRadioButton* r : {d.chkCAL, d.chkMAL, d.RadioButton1, d.chkTMAL}) checked += r->Checked() ? 1 : 0;
        EXPECT_EQ(checked, 1);
    }

    Settings("ReadOnlyMode=1\r\nRAMOptimizer=0\r\nRAMOptimizer_Interval=45\r\nVS23DConfirm=0\r\nSkin_Hue=200\r\n"
             "Skin_Sat=-30\r\nRunAsAdmin=5\r\nMin2TrayMode=1\r\nBackgroundContextMenu=1\r\n");
    TfrmADSet& d = Open();
    EXPECT_TRUE(d.chkRO->Checked());
    EXPECT_FALSE(d.chkRAM->Checked());
    EXPECT_FALSE(d.cmbRAM->Enabled());
    EXPECT_EQ(d.cmbRAM->ItemIndex(), 4);
    EXPECT_FALSE(d.chkSDCD->Checked());
    EXPECT_EQ(d.trkHue->Position(), 200);
    EXPECT_EQ(d.trkSat->Position(), -30);
    EXPECT_TRUE(d.chkARAA->Checked());  // any integer but 0 is on
    EXPECT_TRUE(d.chkTMM->Checked());
    EXPECT_TRUE(d.chkBCM->Checked());
    d.chkRAM->SetChecked(true);  // the interval list follows the box
    EXPECT_TRUE(d.cmbRAM->Enabled());

    // Another activation (back from a message box) keeps what the user changed.
    d.chkRO->SetChecked(false);
    d.trkHue->SetPosition(10);
    d.FormActivate(&d);
    EXPECT_FALSE(d.chkRO->Checked());
    EXPECT_EQ(d.trkHue->Position(), 10);
}

TEST_F(SettingsDialogTest, SaveStoresEveryKeyAsTextAndTheViewFollows) {
    TfrmADSet& d = Open();
    d.chkRO->SetChecked(true);
    d.chkTMAL->SetChecked(true);
    d.chkARAA->SetChecked(true);
    d.chkTMM->SetChecked(true);
    d.chkSDCD->SetChecked(false);
    d.cmbRAM->SetItemIndex(3);
    d.trkHue->SetPosition(120);
    d.trkSat->SetPosition(-40);
    d.Button1->Click();
    const std::pair<const char*, const char*> expected[] = {
        {"Min2TrayMode", "1"},   {"CloseAfterLaunch", "0"},      {"MinimizeAfterLaunch", "0"},
        {"TrayModeAfterLaunch", "1"}, {"ReadOnlyMode", "1"},     {"BackgroundContextMenu", "0"},
        {"VS23DConfirm", "0"},   {"RunAsAdmin", "1"},            {"RAMOptimizer", "1"},
        {"RAMOptimizer_Interval", "30"}, {"Skin_Hue", "120"},    {"Skin_Sat", "-40"},
    };
    for (const auto& [key, value] : expected) EXPECT_EQ(Stored(key), value) << key;
    EXPECT_EQ(host.readOnlyViews, std::vector<bool>{true});
    EXPECT_FALSE(d.Visible());
    EXPECT_TRUE(boxes.empty());

    // "Do Nothing" stores the three after-launch keys off; an interval that no
    // item shows is kept as stored.
    Settings("TrayModeAfterLaunch=1\r\nRAMOptimizer_Interval=25\r\n");
    TfrmADSet& again = Open();
    EXPECT_EQ(again.cmbRAM->ItemIndex(), -1);
    again.RadioButton1->SetChecked(true);
    again.Button1->Click();
    for (const char* key : {"CloseAfterLaunch", "MinimizeAfterLaunch", "TrayModeAfterLaunch"})
        EXPECT_EQ(Stored(key), "0") << key;
    EXPECT_EQ(Stored("RAMOptimizer_Interval"), "25");
}

TEST_F(SettingsDialogTest, TheBackgroundEntryIsRegisteredWithAQuotedCommandAndRemovedSilently) {
    TfrmADSet& d = Open();
    d.chkBCM->SetChecked(true);
    d.Button1->Click();
    EXPECT_EQ(Stored("BackgroundContextMenu"), "1");
    TRegistry reg(KEY_READ);
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    ASSERT_TRUE(reg.OpenKeyReadOnly("Directory\\Background\\Shell\\Appdeck"));
    EXPECT_EQ(reg.ReadString(""), "Appdeck");
    EXPECT_EQ(reg.ReadString("Icon"), ModuleFileName());
    reg.CloseKey();
    ASSERT_TRUE(reg.OpenKeyReadOnly("Directory\\Background\\Shell\\Appdeck\\Command"));
    EXPECT_EQ(reg.ReadString(""), "\"" + ModuleFileName() + "\"");
    reg.CloseKey();

    TfrmADSet& off = Open();
    EXPECT_TRUE(off.chkBCM->Checked());
    off.chkBCM->SetChecked(false);
    off.Button1->Click();
    EXPECT_FALSE(reg.KeyExists("Directory\\Background\\Shell\\Appdeck"));
    TfrmADSet& again = Open();  // removing what is not there is no error
    again.Button1->Click();
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SettingsDialogTest, ARegistryFailureIsReportedOnceAndLosesNoSetting) {
    TfrmADSet& d = Open();
    d.BackgroundMenuKeyName = "Directory\\Background\\Shell\\" + std::string(300, 'x');
    d.chkBCM->SetChecked(true);
    d.chkRO->SetChecked(true);
    d.chkARAA->SetChecked(true);
    d.trkSat->SetPosition(55);
    d.Button1->Click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("Failed to create key Directory\\Background\\Shell\\xxx"), std::string::npos) << boxes[0];
    // Every key, those after the registry step included, is in the file.
    EXPECT_EQ(Stored("BackgroundContextMenu"), "1");
    EXPECT_EQ(Stored("RunAsAdmin"), "1");
    EXPECT_EQ(Stored("RAMOptimizer_Interval"), "10");
    EXPECT_EQ(Stored("Skin_Sat"), "55");
    EXPECT_EQ(host.readOnlyViews, std::vector<bool>{true});
    EXPECT_FALSE(d.Visible());
}

TEST_F(SettingsDialogTest, SkinBarsChangeTheSkinWhenReleasedAndCancelOrEscRestoresIt) {
    host.skin.SetHueOffset(15);
    host.skin.SetSaturation(-5);
    host.skin.SetBrightness(3);
    Settings("Skin_Hue=15\r\nSkin_Sat=-5\r\n");
    TfrmADSet& d = Open();
    d.trkHue->SetPosition(300);
    EXPECT_EQ(host.skin.HueOffset(), 15);  // moving without releasing changes nothing
    ::SendMessageW(d.grpSkin->Handle(), WM_HSCROLL, SB_ENDSCROLL, reinterpret_cast<LPARAM>(d.trkHue->Handle()));
    EXPECT_EQ(host.skin.HueOffset(), 300);
    d.trkSat->SetPosition(80);
    ::SendMessageW(d.grpSkin->Handle(), WM_HSCROLL, SB_ENDSCROLL, reinterpret_cast<LPARAM>(d.trkSat->Handle()));
    EXPECT_EQ(host.skin.Saturation(), 80);
    d.Button2->Click();
    EXPECT_EQ(host.skin.HueOffset(), 15);
    EXPECT_EQ(host.skin.Saturation(), -5);
    EXPECT_EQ(host.skin.Brightness(), 3);
    EXPECT_EQ(Stored("Skin_Hue"), "15");  // nothing written
    EXPECT_TRUE(host.readOnlyViews.empty());

    TfrmADSet& esc = Open();
    esc.trkHue->SetPosition(90);
    ::SendMessageW(esc.grpSkin->Handle(), WM_HSCROLL, SB_ENDSCROLL, reinterpret_cast<LPARAM>(esc.trkHue->Handle()));
    EXPECT_EQ(host.skin.HueOffset(), 90);
    esc.trkHue->SetFocus();
    test::PostKey(esc.trkHue->Handle(), VK_ESCAPE);
    test::PumpPending();
    EXPECT_EQ(host.skin.HueOffset(), 15);
    EXPECT_EQ(Stored("Skin_Hue"), "15");
}

TEST_F(SettingsDialogTest, ScrollBarKeepsItsPositionWithinItsRange) {
    TfrmADSet& d = Open();
    const struct {
        TScrollBar* bar;
        int set, expected;
    } cases[] = {{d.trkHue, 400, 360}, {d.trkHue, -1, 0}, {d.trkSat, -150, -100}, {d.trkSat, 100, 100}};
    for (const auto& c : cases) {
        c.bar->SetPosition(c.set);
        EXPECT_EQ(c.bar->Position(), c.expected) << c.bar->Name << " " << c.set;
        EXPECT_EQ(::GetScrollPos(c.bar->Handle(), SB_CTL), c.expected);
    }
    // The user's line steps move the bar and the position follows.
    d.trkSat->SetPosition(0);
    ::SendMessageW(d.grpSkin->Handle(), WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(d.trkSat->Handle()));
    EXPECT_EQ(d.trkSat->Position(), 1);
    ::SendMessageW(d.grpSkin->Handle(), WM_HSCROLL, SB_PAGELEFT, reinterpret_cast<LPARAM>(d.trkSat->Handle()));
    EXPECT_EQ(d.trkSat->Position(), -9);
}

}  // namespace
}  // namespace ad
