// The import's sources: special folders, shortcut files, registry names and values.
#include "app/forms/ImportSources.h"

#include <shlobj.h>

#include "app/Catalogue.h"
#include "app/forms/AppPaths.h"
#include "base/StrUtils.h"
#include "framework/Registry.h"
#include "framework/SysUtils.h"

namespace ad {

std::string GetSpecialFolder(int folderId) {
    wchar_t path[MAX_PATH] = {};
    if (!::SHGetSpecialFolderPathW(nullptr, path, folderId, TRUE)) path[0] = L'\0';
    return IncludeTrailingPathDelimiter(Narrow(path));
}

std::vector<std::string> ListFilesWithPath(const std::string& folder, const std::string& mask) {
    std::vector<std::string> paths;
    std::string dir = IncludeTrailingPathDelimiter(folder);
    for (const std::string& name : FindFiles(dir + mask)) paths.push_back(dir + name);
    return paths;
}

bool IsExcluded(const std::string& file, const std::vector<std::string>& exclusions) {
    std::string name = ExtractFileName(file);
    for (const std::string& e : exclusions)
        if (AnsiSameText(name, e)) return true;
    return false;
}

std::vector<std::string> DesktopImports(const std::vector<std::string>& exclusions) {
    std::vector<std::string> found;
    TShortcutResolver resolver;
    for (int id : {CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_DESKTOPDIRECTORY})
        for (const std::string& link : ListFilesWithPath(GetSpecialFolder(id), "*.lnk"))
            if (!IsExcluded(resolver.Target(link), exclusions)) found.push_back(link);
    return found;
}

std::vector<std::string> MuiCacheImports(const std::vector<std::string>& exclusions) {
    std::vector<std::string> names;
    for (const char* key : MuiCacheKeys) ListRegistryValueNames(HKEY_CURRENT_USER, key, names);
    std::vector<std::string> found;
    for (const std::string& name : names)
        if (!IsExcluded(name, exclusions)) found.push_back(name);
    return found;
}

std::vector<std::string> AppPathImports(const std::vector<std::string>& exclusions) {
    std::vector<std::string> found;
    for (TAppPathEntry& entry : ListAppPaths())
        if (!IsExcluded(entry.Location, exclusions)) found.push_back(std::move(entry.Location));
    return found;
}

}  // namespace ad
