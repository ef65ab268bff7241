// The shell's icon of a file (see ShellIcon.h).
#include "framework/ShellIcon.h"

#include <shellapi.h>

#include "framework/SysUtils.h"

namespace ad {

namespace {

UINT SizeFlag(TShellIconSize size) { return size == TShellIconSize::Small ? SHGFI_SMALLICON : SHGFI_LARGEICON; }

// The wide name of a file that exists; "" for none.
std::wstring ExistingFileName(const std::string& fileName) {
    if (fileName.empty()) return {};
    std::wstring name = Widen(fileName);
    return ::GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES ? std::wstring() : name;
}

int SystemIndex(const std::wstring& name, DWORD attributes, UINT flags) {
    SHFILEINFOW info{};
    if (!::SHGetFileInfoW(name.c_str(), attributes, &info, sizeof info, flags | SHGFI_SYSICONINDEX)) return -1;
    return info.iIcon;
}

}  // namespace

OwnedIcon ShellIcon(const std::string& fileName, TShellIconSize size) {
    const std::wstring name = ExistingFileName(fileName);
    if (name.empty()) return OwnedIcon();
    SHFILEINFOW info{};
    UINT flags = SHGFI_ICON | SizeFlag(size);
    bool ok = ::SHGetFileInfoW(name.c_str(), 0, &info, sizeof info, flags) != 0;
    // The shell may fill hIcon even when it fails: only its answer counts, and
    // what it handed out is freed either way.
    OwnedIcon icon(info.hIcon);
    return ok ? std::move(icon) : OwnedIcon();
}

HIMAGELIST ShellImageList(TShellIconSize size) {
    SHFILEINFOW info{};
    DWORD_PTR list = ::SHGetFileInfoW(L".exe", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                                      SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | SizeFlag(size));
    return reinterpret_cast<HIMAGELIST>(list);
}

int ShellIconIndex(const std::string& fileName, TShellIconSize size) {
    const std::wstring name = ExistingFileName(fileName);
    if (name.empty()) return -1;
    return SystemIndex(name, 0, SizeFlag(size));
}

int ShellTypeIconIndex(const std::string& extension, TShellIconSize size) {
    return SystemIndex(Widen(extension), FILE_ATTRIBUTE_NORMAL, SHGFI_USEFILEATTRIBUTES | SizeFlag(size));
}

}  // namespace ad
