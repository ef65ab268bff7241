// Test support of the item view and combo adapters: a fixture skin with a
// flat colour per state for the column header, edit, combo box and combo
// button sections, and the common controls made as children of a host.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "skin/adapters/AdapterTestKit.h"

namespace ad::skin::adapters::test {

constexpr TColor kHeaderNormal = 0x00B07030, kHeaderHot = 0x0030B070, kHeaderPressed = 0x007030B0;
constexpr TColor kHeaderInk = 0x00101080;
constexpr TColor kEditColor = 0x00F0E8D0, kEditInk = 0x00602010;
constexpr TColor kComboColor = 0x00E0F0E0, kComboHot = 0x00D0F0D0;
constexpr TColor kComboBtnNormal = 0x00906030, kComboBtnHot = 0x00309060, kComboBtnPressed = 0x00603090;
constexpr TColor kComboBtnInk = 0x00FFFFFF;
constexpr TColor kSelectionColor = 0x00C06060;

inline std::vector<uint8_t> ItemViewSkin() {
    auto c = [](TColor colour) { return std::to_string(colour); };
    auto states3 = [&](const char* name, TColor normal, TColor hot, TColor pressed, TColor ink) {
        return std::string("[") + name + "]\r\nSTATES=3\r\nUSESTATE2=1\r\nCOLOR=" + c(normal) + "\r\nHOTCOLOR=" +
               c(hot) + "\r\nCOLOR2=" + c(pressed) + "\r\nFONTCOLOR=" + c(ink) + "\r\nHOTFONTCOLOR=" + c(ink) +
               "\r\nFONTCOLOR2=" + c(ink) + "\r\n";
    };
    const std::string ini =
        "[GLOBALINFO]\r\nVERSION=10\r\nCOLOR=12632256\r\nMASTERBITMAP=M.BMP\r\nTITLEHEIGHT=26\r\nBORDERWIDTH=4\r\n" +
        states3("COLHEADER", kHeaderNormal, kHeaderHot, kHeaderPressed, kHeaderInk) +
        states3("COMBOBTN", kComboBtnNormal, kComboBtnHot, kComboBtnPressed, kComboBtnInk) +
        "[SELECTION]\r\nSTATES=2\r\nCOLOR=" + c(kSelectionColor) + "\r\nHOTCOLOR=" + c(kSelectionColor) + "\r\n" +
        "[EDIT]\r\nSTATES=1\r\nCOLOR=" + c(kEditColor) + "\r\nFONTCOLOR=" + c(kEditInk) + "\r\n" +
        "[COMBOBOX]\r\nSTATES=2\r\nCOLOR=" + c(kComboColor) + "\r\nHOTCOLOR=" + c(kComboHot) +
        "\r\nFONTCOLOR=" + c(kEditInk) + "\r\nHOTFONTCOLOR=" + c(kEditInk) + "\r\n" +
        "[BUTTON]\r\nSTATES=3\r\nCOLOR=" + c(kButtonNormal) + "\r\nHOTCOLOR=" + c(kButtonHot) +
        "\r\nCOLOR2=" + c(kButtonPressed) + "\r\nFONTCOLOR=" + c(kTextColor) + "\r\n" +
        "[FORM]\r\nSTATES=2\r\nCOLOR=" + c(kFormColor) + "\r\nHOTCOLOR=" + c(kFormColor) + "\r\n"
        "[FORMTITLE]\r\nSTATES=2\r\nCOLOR=8421504\r\nHOTCOLOR=10506304\r\nFONTCOLOR=16777215\r\n"
        "HOTFONTCOLOR=16777215\r\n";
    return asztest::Pack({{"OPTIONS.DAT", asztest::Text(ini)}, {"M.BMP", bmptest::SolidBmp(4, 4, 0x336699)}});
}

// A visible child of a common control class with the default GUI font.
inline HWND AddChild(HWND host, const wchar_t* className, DWORD style, int x, int y, int w, int h,
                     const wchar_t* text = L"") {
    HWND child = ::CreateWindowExW(WS_EX_CLIENTEDGE, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, host,
                                   nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(child, WM_SETFONT, WPARAM(::GetStockObject(DEFAULT_GUI_FONT)), 0);
    return child;
}

inline void AddColumn(HWND listView, int index, const wchar_t* text, int width, int format = LVCFMT_LEFT) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<wchar_t*>(text);
    ::SendMessageW(listView, LVM_INSERTCOLUMNW, WPARAM(index), reinterpret_cast<LPARAM>(&column));
}

inline void AddItems(HWND listView, int count) {
    ::SendMessageW(listView, WM_SETREDRAW, FALSE, 0);  // one paint at the end, not one per item
    for (int i = 0; i < count; ++i) {
        std::wstring text = L"Item " + std::to_wstring(i);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = text.data();
        ::SendMessageW(listView, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    ::SendMessageW(listView, WM_SETREDRAW, TRUE, 0);
}

inline void AddComboItems(HWND combo, int count) {
    for (int i = 0; i < count; ++i) {
        const std::wstring text = L"Choice " + std::to_wstring(i);
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

}  // namespace ad::skin::adapters::test
