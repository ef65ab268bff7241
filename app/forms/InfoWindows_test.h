// What the tests of the information windows share: a temporary folder of
// their own (TMP and TEMP point at it), the addresses handed to the browser,
// and real clicks on a grid row and on a picture.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/WinText.h"
#include "framework/Forms.h"
#include "grid/GridWindow.h"
#include "testsupport/GuiTest.h"
#include "testsupport/TestUtils.h"

namespace ad::test {

// Points TMP and TEMP at a fresh folder for the scope of a test.
class ScopedTempFolder {
public:
    ScopedTempFolder() : oldTmp_(Get(L"TMP")), oldTemp_(Get(L"TEMP")) {
        ::SetEnvironmentVariableW(L"TMP", Widen(dir_.Folder()).c_str());
        ::SetEnvironmentVariableW(L"TEMP", Widen(dir_.Folder()).c_str());
    }
    ~ScopedTempFolder() {
        ::SetEnvironmentVariableW(L"TMP", oldTmp_.empty() ? nullptr : oldTmp_.c_str());
        ::SetEnvironmentVariableW(L"TEMP", oldTemp_.empty() ? nullptr : oldTemp_.c_str());
    }
    const TempDir& Dir() const { return dir_; }

private:
    static std::wstring Get(const wchar_t* name) {
        wchar_t buffer[1024];
        DWORD n = ::GetEnvironmentVariableW(name, buffer, 1024);
        return n > 0 && n < 1024 ? std::wstring(buffer, n) : std::wstring();
    }
    TempDir dir_;
    std::wstring oldTmp_, oldTemp_;
};

// The addresses OpenURL is asked to open, for the scope of a test.
class OpenedURLs {
public:
    OpenedURLs() : saved_(Application->OnOpenURL) {
        Application->OnOpenURL = [this](const std::string& url) { Urls.push_back(url); };
    }
    ~OpenedURLs() { Application->OnOpenURL = saved_; }
    std::vector<std::string> Urls;

private:
    std::function<void(const std::string&)> saved_;
};

// Activates another window, then the form again (as the user switching back
// to it); true when the form is active afterwards.
inline bool ActivateAgain(TForm& form) {
    {
        TForm other(nullptr);
        other.Show();
        PumpPending();
    }
    ::SetActiveWindow(form.Handle());
    PumpPending();
    return ::GetActiveWindow() == form.Handle();
}

// A left click in the middle of a row of the grid's first column.
inline void ClickGridRow(grid::TReportGridWindow* window, int row) {
    TRect r;
    if (!window->Grid.GetCellRect(0, row, r)) return;
    SendClick(window->Handle(), (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

// The colour (0xRRGGBB) of a bitmap's middle pixel, or of its top left
// pixel; 0xFFFFFFFF without a bitmap.
inline std::uint32_t BitmapPixel(HBITMAP bitmap, bool middle) {
    if (!bitmap) return 0xFFFFFFFF;
    BITMAP info{};
    ::GetObjectW(bitmap, sizeof(info), &info);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    COLORREF c = middle ? ::GetPixel(dc, info.bmWidth / 2, info.bmHeight / 2) : ::GetPixel(dc, 0, 0);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

}  // namespace ad::test
