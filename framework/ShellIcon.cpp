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

namespace {

UINT SizeFlag(TShellIconSize size) { return size == TShellIconSize::Small ? SHGFI_SMALLICON : SHGFI_LARGEICON; }

int SystemIndex(const std::wstring& name, DWORD attributes, UINT flags) {
    SHFILEINFOW info{};
    if (!::SHGetFileInfoW(name.c_str(), attributes, &info, sizeof info, flags | SHGFI_SYSICONINDEX)) return -1;
    return info.iIcon;
}

}  // namespace

HIMAGELIST ShellImageList(TShellIconSize size) {
    SHFILEINFOW info{};
    DWORD_PTR list = ::SHGetFileInfoW(L".exe", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                                      SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | SizeFlag(size));
    return reinterpret_cast<HIMAGELIST>(list);
}

int ShellIconIndex(const std::string& fileName, TShellIconSize size) {
    if (fileName.empty()) return -1;
    std::wstring name = Widen(fileName);
    if (::GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES) return -1;
    return SystemIndex(name, 0, SizeFlag(size));
}

int ShellTypeIconIndex(const std::string& extension, TShellIconSize size) {
    return SystemIndex(Widen(extension), FILE_ATTRIBUTE_NORMAL, SHGFI_USEFILEATTRIBUTES | SizeFlag(size));
}

}  // namespace ad
