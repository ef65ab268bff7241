// The shell's icon of a file (see ShellIcon.h).
#include "framework/ShellIcon.h"

#include <shellapi.h>

#include "framework/SysUtils.h"

namespace ad {

OwnedIcon ShellIcon(const std::string& fileName, TShellIconSize size) {
    if (fileName.empty()) return OwnedIcon();
    std::wstring name = Widen(fileName);
    if (::GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES) return OwnedIcon();
    SHFILEINFOW info{};
    UINT flags = SHGFI_ICON | (size == TShellIconSize::Small ? SHGFI_SMALLICON : SHGFI_LARGEICON);
    bool ok = ::SHGetFileInfoW(name.c_str(), 0, &info, sizeof info, flags) != 0;
    // The shell may fill hIcon even when it fails: only its answer counts, and
    // what it handed out is freed either way.
    OwnedIcon icon(info.hIcon);
    return ok ? std::move(icon) : OwnedIcon();
}

}  // namespace ad
