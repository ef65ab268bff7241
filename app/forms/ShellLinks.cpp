// Shortcut files through IShellLinkW and IPersistFile.
#include "app/forms/ShellLinks.h"

#include <shlobj.h>

#include "base/StrUtils.h"
#include "base/WinText.h"
#include "framework/Handles.h"

namespace ad {

std::string ShortcutFileName(const std::string& name) {
    std::string out = name;
    for (char& c : out)
        if (std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) c = '_';
    return out;
}

std::string SpecialFolderPath(int folderId) {
    PIDLIST_ABSOLUTE pidl = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, folderId, &pidl)) || !pidl) return {};
    wchar_t path[MAX_PATH] = {};
    BOOL ok = ::SHGetPathFromIDListW(pidl, path);
    ::CoTaskMemFree(pidl);
    return ok ? Narrow(path) : std::string();
}

bool CreateShellLink(const std::string& target, const std::string& params, const std::string& name, int folderId) {
    std::string folder = SpecialFolderPath(folderId);
    std::string fileName = ShortcutFileName(name);
    if (folder.empty() || fileName.empty()) return false;
    ComPtr<IShellLinkW> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid())))
        return false;
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid()))) return false;
    if (FAILED(link->SetPath(Widen(target).c_str())) || FAILED(link->SetArguments(Widen(params).c_str())) ||
        FAILED(link->SetWorkingDirectory(Widen(ExtractFilePath(target)).c_str())))
        return false;
    return SUCCEEDED(file->Save(Widen(folder + "\\" + fileName + ".lnk").c_str(), FALSE));
}

}  // namespace ad
