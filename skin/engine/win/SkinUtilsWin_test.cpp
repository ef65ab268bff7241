// Tests of the skin engine's Windows helpers: folders and directory search,
// registry numbers, system settings, message pumping and boxes,
// and the rectangles of controls, pictures and bitmaps.
#include "skin/engine/win/SkinUtilsWin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <vector>

#include "framework/Forms.h"
#include "framework/Graphics.h"
#include "framework/StdCtrls.h"
#include "base/StrUtils.h"
#include "framework/SysUtils.h"

namespace ad::skin {
namespace {

// A folder under the system's temporary folder, removed with what it holds.
class ScratchDir {
public:
    ScratchDir() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path_ = Narrow(temp) + "skutilswin" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryW(Widen(path_).c_str(), nullptr);
    }
    ~ScratchDir() {
        for (const std::string& f : files_) DeleteFileW(Widen(f).c_str());
        for (auto it = dirs_.rbegin(); it != dirs_.rend(); ++it) RemoveDirectoryW(Widen(*it).c_str());
        RemoveDirectoryW(Widen(path_).c_str());
    }
    std::string AddFile(const std::string& name) {
        std::string f = path_ + name;
        HANDLE h = CreateFileW(Widen(f).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        files_.push_back(f);
        return f;
    }
    std::string AddDir(const std::string& name) {
        std::string d = path_ + name;
        CreateDirectoryW(Widen(d).c_str(), nullptr);
        dirs_.push_back(d);
        return d;
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    std::vector<std::string> files_, dirs_;
};

TEST(SkinUtilsWin, ApplicationFolderAndDirExists) {
    const std::string folder = ApplicationFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_TRUE(FileExists(folder + ExtractFileName(ModuleFileName())));
    ScratchDir dir;
    const std::string file = dir.AddFile("a.txt");
    EXPECT_TRUE(DirExists(folder));
    EXPECT_TRUE(DirExists(dir.Path()));
    EXPECT_FALSE(DirExists(file));
    EXPECT_FALSE(DirExists(dir.Path() + "missing"));
    EXPECT_FALSE(DirExists(""));
}

std::set<std::string> SearchAll(const std::string& mask, TDirSearch& search) {
    std::set<std::string> names;
    for (bool more = DirSearchFirst(mask, search); more; more = DirSearchNext(search)) names.insert(search.Name);
    return names;
}

TEST(SkinUtilsWin, DirectorySearch) {
    ScratchDir dir;
    dir.AddFile("a.txt");
    dir.AddFile("b.txt");
    dir.AddFile("c.ini");
    dir.AddDir("sub");
    TDirSearch s;
    EXPECT_EQ(SearchAll(dir.Path() + "*.txt", s), (std::set<std::string>{"a.txt", "b.txt"}));
    EXPECT_FALSE(s.Handle);  // the end of the search closed it
    EXPECT_EQ(SearchAll(dir.Path() + "*", s), (std::set<std::string>{".", "..", "a.txt", "b.txt", "c.ini", "sub"}));
    ASSERT_TRUE(DirSearchFirst(dir.Path() + "sub", s));
    EXPECT_EQ(s.Name, "sub");
    EXPECT_TRUE(s.Attr & FILE_ATTRIBUTE_DIRECTORY);
    DirSearchClose(s);
    EXPECT_FALSE(s.Handle);
    EXPECT_FALSE(DirSearchNext(s));  // a closed search has no next entry
    EXPECT_FALSE(DirSearchFirst(dir.Path() + "*.none", s));
    EXPECT_FALSE(DirSearchFirst(dir.Path() + "missing\\*", s));
    EXPECT_FALSE(s.Handle);
}

TEST(SkinUtilsWin, ReadRegistryInteger) {
    const std::string key = "Software\\AppdeckTest\\SkinUtilsWin";
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\AppdeckTest");
    EXPECT_EQ(ReadRegistryInteger(HKEY_CURRENT_USER, key, "Number"), 0);
    HKEY k = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Widen(key).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr),
              ERROR_SUCCESS);
    DWORD number = 1234, negative = 0xFFFFFFFBu;
    RegSetValueExW(k, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
    RegSetValueExW(k, L"Negative", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&negative), sizeof(negative));
    RegSetValueExW(k, L"Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"77"), 3 * sizeof(wchar_t));
    RegCloseKey(k);
    EXPECT_EQ(ReadRegistryInteger(HKEY_CURRENT_USER, key, "Number"), 1234);
    EXPECT_EQ(ReadRegistryInteger(HKEY_CURRENT_USER, key, "Negative"), -5);
    EXPECT_EQ(ReadRegistryInteger(HKEY_CURRENT_USER, key, "Text"), 0);
    EXPECT_EQ(ReadRegistryInteger(HKEY_CURRENT_USER, key, "Missing"), 0);
    EXPECT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\AppdeckTest"), ERROR_SUCCESS);
    EXPECT_EQ(ReadRegistryInteger(HKEY_CURRENT_USER, key, "Number"), 0);
}

TEST(SkinUtilsWin, SystemSettingsAndPlatform) {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0));
    EXPECT_NE(CaptionFontHeight(), 0);
    EXPECT_EQ(CaptionFontHeight(), ncm.lfCaptionFont.lfHeight);
    OwnedFont font = CreateCaptionFont();
    ASSERT_TRUE(font);
    LOGFONTW lf{};
    ASSERT_TRUE(GetObjectW(font.Get(), sizeof(lf), &lf));
    EXPECT_EQ(lf.lfHeight, ncm.lfCaptionFont.lfHeight);
    EXPECT_STREQ(lf.lfFaceName, ncm.lfCaptionFont.lfFaceName);

    // Wine accepts SPI_SETANIMATION but keeps nothing: compare with what the
    // system answers rather than with what was asked for.
    auto systemAnimation = [] {
        ANIMATIONINFO ai{sizeof(ai), -1};
        SystemParametersInfoW(SPI_GETANIMATION, sizeof(ai), &ai, 0);
        return ai.iMinAnimate != 0;
    };
    const bool animation = WindowAnimationOn();
    EXPECT_EQ(animation, systemAnimation());
    SetWindowAnimation(!animation);
    EXPECT_EQ(WindowAnimationOn(), systemAnimation());
    SetWindowAnimation(animation);
    EXPECT_EQ(WindowAnimationOn(), animation);

    EXPECT_TRUE(OSIsXPOrNewer());
    EXPECT_FALSE(IsWow64());  // a 64-bit program never runs under WOW64
}

LRESULT CALLBACK CountingProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_APP + 7) {
        ++*reinterpret_cast<int*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
        return 0;
    }
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

TEST(SkinUtilsWin, PumpMessagesForRunsPostedMessagesAndWaits) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SkinUtilsWinPumpTest";
    RegisterClassW(&wc);
    HWND wnd = CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(wnd);
    int count = 0;
    SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&count));

    ASSERT_EQ(Application, nullptr);  // first without an application object
    PostMessageW(wnd, WM_APP + 7, 0, 0);
    DWORD start = GetTickCount();
    PumpMessagesFor(60);
    EXPECT_GE(GetTickCount() - start, 60u);
    EXPECT_EQ(count, 1);
    {
        TApplication app;  // then through the application's message processing
        PostMessageW(wnd, WM_APP + 7, 0, 0);
        PumpMessagesFor(20);
        EXPECT_EQ(count, 2);
    }
    PumpMessagesFor(0);  // no time still processes what is queued
    EXPECT_EQ(count, 2);
    PostMessageW(wnd, WM_APP + 7, 0, 0);
    PumpMessagesFor(0);
    EXPECT_EQ(count, 3);
    DestroyWindow(wnd);
}

TEST(SkinUtilsWin, WarningAndErrorBoxesGoThroughTheApplication) {
    TApplication app;
    app.Title = "Skin test";
    std::vector<std::pair<std::string, UINT>> shown;
    app.OnMessageBox = [&](const std::string& text, const std::string& caption, UINT flags) {
        EXPECT_EQ(caption, "Skin test");
        shown.emplace_back(text, flags);
        return IDOK;
    };
    ShowWarning("Careful");
    ShowError("Broken");
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], std::make_pair(std::string("Careful"), UINT(MB_OK | MB_ICONWARNING)));
    EXPECT_EQ(shown[1], std::make_pair(std::string("Broken"), UINT(MB_OK | MB_ICONERROR)));
}

TEST(SkinUtilsWin, MessagesPointsAndRectangles) {
    TMessage m = BuildMessage(WM_SIZE, 3, 0x00200010, 9);
    EXPECT_EQ(m.Msg, UINT(WM_SIZE));
    EXPECT_EQ(m.WParam, WPARAM(3));
    EXPECT_EQ(m.LParam, LPARAM(0x00200010));
    EXPECT_EQ(m.Result, LRESULT(9));
    EXPECT_EQ(BuildMessage(WM_NULL, 0, 0).Result, 0);

    EXPECT_EQ(PointFromCoords(MAKELPARAM(15, 40)), (TPoint{15, 40}));
    EXPECT_EQ(PointFromCoords(MAKELPARAM(-5, -300)), (TPoint{-5, -300}));  // screens left of or above the primary

    EXPECT_EQ(RectSizeRect({10, 20, 40, 70}), (TRect{0, 0, 30, 50}));
    EXPECT_EQ(RectSizeRect({40, 20, 10, 70}), (TRect{0, 0, -30, 50}));

    TForm form(nullptr);
    form.SetBounds(100, 50, 300, 200);
    TButton button(&form);
    button.SetParent(&form);
    button.SetBounds(12, 34, 75, 25);
    EXPECT_EQ(ControlPosition(form), (TPoint{100, 50}));
    EXPECT_EQ(ControlPosition(button), (TPoint{12, 34}));
    EXPECT_EQ(ControlSizeRect(button), (TRect{0, 0, 75, 25}));
    EXPECT_EQ(ControlSizeRect(form), (TRect{0, 0, 300, 200}));

    OwnedBitmap bottomUp(CreateBitmap(7, 5, 1, 32, nullptr));
    EXPECT_EQ(BitmapSize(bottomUp.Get()), (TPoint{7, 5}));
    DibSection32 topDown(9, 4);
    EXPECT_EQ(BitmapSize(topDown.Get()), (TPoint{9, 4}));
    EXPECT_EQ(BitmapSize(nullptr), (TPoint{0, 0}));

    TPicture picture;
    EXPECT_EQ(GraphicBoundsRect(picture), (TRect{0, 0, 0, 0}));
    picture.SetBitmap(OwnedBitmap(CreateBitmap(6, 3, 1, 32, nullptr)));
    EXPECT_EQ(GraphicBoundsRect(picture), (TRect{0, 0, 6, 3}));
}

// A form whose constructor notes whether its child may paint while it is built.
class TBuildingForm : public TForm {
public:
    explicit TBuildingForm(TComponent* owner) : TForm(owner) {
        child = new TEdit(this);
        child->SetParent(this);
        child->Handle();
        PaintableInside = IsControlPaintable(child);
    }
    TEdit* child;
    bool PaintableInside = true;
};

TEST(SkinUtilsWin, APaintableControlHasAParentAndAWindowAndIsNotBeingBuilt) {
    std::unique_ptr<TBuildingForm> form(CreateForm<TBuildingForm>(nullptr));
    EXPECT_FALSE(form->PaintableInside);
    EXPECT_TRUE(IsControlPaintable(form->child));
    EXPECT_FALSE(IsControlPaintable(form.get()));  // no parent
    EXPECT_FALSE(IsControlPaintable(nullptr));
    auto* unmade = new TEdit(form.get());
    EXPECT_FALSE(IsControlPaintable(unmade));
}

TEST(SkinUtilsWin, TextFlagsFollowTheAlignmentAndTheReadingOrder) {
    TForm form(nullptr);
    struct Case {
        TBiDiMode mode;
        TAlignment alignment;
        UINT flags;
    };
    const UINT base = DT_EXPANDTABS | DT_VCENTER;
    for (const Case& c : {Case{TBiDiMode::bdLeftToRight, taLeftJustify, base | DT_LEFT},
                          Case{TBiDiMode::bdLeftToRight, taRightJustify, base | DT_RIGHT},
                          Case{TBiDiMode::bdLeftToRight, taCenter, base | DT_CENTER},
                          Case{TBiDiMode::bdRightToLeft, taLeftJustify, base | DT_RIGHT | DT_RTLREADING},
                          Case{TBiDiMode::bdRightToLeft, taRightJustify, base | DT_LEFT | DT_RTLREADING},
                          Case{TBiDiMode::bdRightToLeftNoAlign, taLeftJustify, base | DT_LEFT | DT_RTLREADING},
                          Case{TBiDiMode::bdRightToLeftReadingOnly, taCenter, base | DT_CENTER | DT_RTLREADING}}) {
        form.SetBiDiMode(c.mode);
        EXPECT_EQ(TextFlagsForAlignment(&form, c.alignment), c.flags) << int(c.mode) << " " << int(c.alignment);
    }
    EXPECT_EQ(TextFlagsForAlignment(nullptr, taCenter), base | DT_CENTER);
}

}  // namespace
}  // namespace ad::skin
