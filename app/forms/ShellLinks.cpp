// Shortcut files through IShellLinkW and IPersistFile.
#include "app/forms/ShellLinks.h"

#include <shlobj.h>

#include "app/forms/ImportSources.h"
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

bool CreateShellLink(const std::string& target, const std::string& params, const std::string& name, int folderId) {
    std::string folder = GetSpecialFolder(folderId);
    std::string fileName = ShortcutFileName(name);
    if (folder == "\\" || fileName.empty()) return false;  // the shell has no such folder
    ComPtr<IShellLinkW> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid())))
        return false;
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid()))) return false;
    if (FAILED(link->SetPath(Widen(target).c_str())) || FAILED(link->SetArguments(Widen(params).c_str())) ||
        FAILED(link->SetWorkingDirectory(Widen(ExtractFilePath(target)).c_str())))
        return false;
    return SUCCEEDED(file->Save(Widen(folder + fileName + ".lnk").c_str(), FALSE));
}

}  // namespace ad
