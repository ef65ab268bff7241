// Tests of the application-wide services: system colours of our own painting
// taken from the skin's palette (the system's own answers unchanged), and the
// application-window hook: the skin editor's record applied from its INI
// text, other markers and cut records, and system commands without a skin.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "framework/Forms.h"
#include "framework/Graphics.h"
#include "skin/engine/testkit/AszTestWriter.h"
#include "skin/engine/testkit/BmpTestWriter.h"
#include "skin/engine/win/SkinAppWindowHook.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/engine/win/SkinSysColorService.h"
#include "testsupport/GuiTest.h"
#include "testsupport/TempFolder.h"

namespace ad::skin {
namespace {

void WriteBytes(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::ofstream(test::PathOfName(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<uint8_t> PackedSkin(TColor color) {
    const std::string ini = "[GLOBALINFO]\r\nVERSION=11\r\nCOLOR=" + std::to_string(color) +
                            "\r\nMASTERBITMAP=M.BMP\r\n[EDIT]\r\nCOLOR=" + std::to_string(0x203040) + "\r\n";
    return asztest::Pack({{"OPTIONS.DAT", asztest::Text(ini)}, {"M.BMP", bmptest::SolidBmp(4, 4, 0x336699)}});
}

TEST(SysColorService, OurPaintingTakesThePaletteAndTheSystemKeepsItsColours) {
    test::TempDir dir;
    WriteBytes(dir.File("Blue.asz"), PackedSkin(0xC0A080));
    TSkinManager m(nullptr);
    m.SetSkinDirectory(dir.Folder());
    m.SetSkinName("Blue");
    ASSERT_TRUE(m.Skin());
    ASSERT_EQ(DefaultManager(), &m);
    const TSkinPalette& p = m.Skin()->Palette;
    const COLORREF systemWindow = ::GetSysColor(COLOR_WINDOW), systemFace = ::GetSysColor(COLOR_BTNFACE);

    InstallColorSubstitution();
    EXPECT_TRUE(ColorSubstitutionInstalled());
    EXPECT_EQ(ColorToRGB(clWindow), COLORREF(p[pcEditBG]));
    EXPECT_EQ(ColorToRGB(clHighlight), COLORREF(p[pcSelectionBGFocused]));
    EXPECT_EQ(SkinColorToRGB(clWindowText), uint32_t(p[pcEditText]));
    EXPECT_EQ(ColorToRGB(clBtnFace), systemFace);  // not in the table: the system's
    EXPECT_EQ(ColorToRGB(clInactiveBorder), COLORREF(SkinFrameColor()));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), systemWindow);  // no system function is changed
    EXPECT_EQ(ColorToRGB(0x123456), COLORREF(0x123456));

    RemoveColorSubstitution();
    EXPECT_FALSE(ColorSubstitutionInstalled());
    EXPECT_EQ(ColorToRGB(clWindow), systemWindow);
    EXPECT_EQ(SkinColorToRGB(clWindow), uint32_t(systemWindow));
}

// A resolver that answers the button face and the window colour.
bool FaceAndWindowAreOlive(int index, uint32_t& color) {
    if (index != COLOR_BTNFACE && index != COLOR_WINDOW) return false;
    color = 0x008080;
    return true;
}

TEST(SysColorService, IndexesTheSkinLeavesGoToTheResolverInstalledBefore) {
    test::TempDir dir;
    WriteBytes(dir.File("Blue.asz"), PackedSkin(0xC0A080));
    TSkinManager m(nullptr);
    m.SetSkinDirectory(dir.Folder());
    m.SetSkinName("Blue");
    ASSERT_TRUE(m.Skin());
    const TSysColorResolver outside = SetSysColorResolver(&FaceAndWindowAreOlive);

    InstallColorSubstitution();
    EXPECT_EQ(ColorToRGB(clWindow), uint32_t(m.Skin()->Palette[pcEditBG]));  // the skin answers first
    EXPECT_EQ(ColorToRGB(clBtnFace), 0x008080u);
    EXPECT_EQ(SkinColorToRGB(clBtnFace), 0x008080u);
    RemoveColorSubstitution();

    EXPECT_EQ(ColorToRGB(clWindow), 0x008080u);  // the outside resolver is back
    EXPECT_EQ(SetSysColorResolver(outside), &FaceAndWindowAreOlive);
}

std::vector<uint8_t> EditorRecord(uint32_t marker, const std::string& name, const std::string& dir,
                                  const std::string& ini) {
    std::vector<uint8_t> r(kEditorRecordSize, 0);
    std::memcpy(r.data(), &marker, 4);
    std::memcpy(r.data() + 4, name.data(), name.size());
    std::memcpy(r.data() + 4 + kEditorNameSize, dir.data(), dir.size());
    std::memcpy(r.data() + 4 + kEditorNameSize + kEditorDirSize, ini.data(), ini.size());
    return r;
}

class AppWindowHookTest : public testing::Test {
protected:
    test::TempDir dir;
    TSkinManager manager{nullptr};
    std::unique_ptr<TSkAppWindowHook> hook;

    void SetUp() override {
        Application->OnMessageBox = [](const std::string&, const std::string&, UINT) { return IDOK; };
        hook = std::make_unique<TSkAppWindowHook>(manager, Application->Handle());
        // The editor's skin folder holds its images but no "Options.dat".
        std::filesystem::create_directory(test::PathOfName(dir.File("Ed")));
        WriteBytes(dir.File("Ed\\M.BMP"), bmptest::SolidBmp(4, 4, 0x336699));
    }
    void TearDown() override {
        hook.reset();
        Application->OnMessageBox = nullptr;
    }

    LRESULT Send(ULONG_PTR id, const std::vector<uint8_t>& data, DWORD size) {
        COPYDATASTRUCT cds{id, size, const_cast<uint8_t*>(data.data())};
        return ::SendMessageW(Application->Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
    }
};

TEST_F(AppWindowHookTest, TheEditorsRecordIsAppliedFromItsIniText) {
    const std::string ini = "[GLOBALINFO]\r\nVERSION=11\r\nCOLOR=1234567\r\nMASTERBITMAP=M.BMP\r\nAUTHOR=Editor\r\n";
    const auto record = EditorRecord(kEditorMarker, "Ed", dir.Folder(), ini);
    EXPECT_EQ(Send(kEditorCopyDataId, record, DWORD(record.size())), 1);
    EXPECT_FALSE(manager.Skin());  // applied later, from the posted command
    ASSERT_TRUE(test::PumpUntil([&] { return manager.Skin() != nullptr; }));
    EXPECT_EQ(manager.SkinName(), "Ed");
    EXPECT_EQ(manager.FormColor(), 1234567);
    EXPECT_EQ(manager.Skin()->GlobalInfo.Author, "Editor");
    EXPECT_FALSE(EditorSkinActive());  // the stand-in is gone after the load
}

TEST_F(AppWindowHookTest, OtherDataAndCutRecordsAreNotTakenAsTheEditors) {
    const auto other = EditorRecord(0xA401, "Ed", dir.Folder(), "[GLOBALINFO]\r\n");
    EXPECT_EQ(Send(kEditorCopyDataId, other, DWORD(other.size())), 0);  // not handled
    const auto record = EditorRecord(kEditorMarker, "Ed", dir.Folder(), "[GLOBALINFO]\r\n");
    EXPECT_EQ(Send(6, record, DWORD(record.size())), 0);
    EXPECT_EQ(Send(kEditorCopyDataId, record, 3), 0);  // too short for the marker
    test::PumpPending();
    EXPECT_FALSE(manager.Skin());
    // A record cut after its name is the editor's, with the rest empty: read
    // within the bytes that came (the system copies only cbData of them).
    EXPECT_EQ(Send(kEditorCopyDataId, record, 4 + 2), 1);
    test::PumpPending();
}

TEST_F(AppWindowHookTest, SystemCommandsWithoutASkinArePassedOn) {
    ASSERT_FALSE(manager.Skin());
    TMessage restore{WM_SYSCOMMAND, SC_RESTORE, 0, 0};
    EXPECT_FALSE(hook->HandleMessage(restore));
    EXPECT_EQ(hook->MinimizeState(), 0);
    TMessage theme{WM_THEMECHANGED, 0, 0, 0};
    EXPECT_TRUE(hook->HandleMessage(theme));
}

}  // namespace
}  // namespace ad::skin
