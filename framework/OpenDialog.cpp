// The open-file dialog through GetOpenFileNameW.
#include "framework/OpenDialog.h"

#include <commdlg.h>

#include <vector>

#include "base/WinText.h"

namespace ad {

bool TOpenDialog::Execute(HWND owner) {
    if (OnExecute) return OnExecute(*this);
    // "a|b|c|d" becomes "a\0b\0c\0d\0\0".
    std::wstring filter = Widen(Filter);
    for (wchar_t& c : filter)
        if (c == L'|') c = L'\0';
    filter.append(2, L'\0');
    const std::wstring title = Widen(Title), initialDir = Widen(InitialDir);
    std::wstring ext = Widen(DefaultExt);
    if (!ext.empty() && ext[0] == L'.') ext.erase(0, 1);
    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring current = Widen(FileName);
    if (current.size() < file.size()) current.copy(file.data(), current.size());

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
    if (!::GetOpenFileNameW(&ofn)) return false;
    FileName = Narrow(file.data());
    return true;
}

}  // namespace ad
