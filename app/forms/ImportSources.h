// Where Import Programs finds programs on the running system: the desktop
// shortcuts (the user's and the common desktop), the shell's MUI cache and the
// App Paths key; and the exclusion list that keeps files out. No window here.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/forms/AppPaths.h"

namespace ad {

inline constexpr const char* ImportCategory = "( IMPORTED )";
inline constexpr const char* ExclusionListFile = "ExcList.dat";

inline constexpr const char* MuiCacheKeys[] = {
    "Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache",
    "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\MuiCache",
};

// The shell's special folder for the id (created when missing), with a trailing
// "\"; only "\" when the shell has no such folder.
std::string GetSpecialFolder(int folderId);
// The full paths of the files of folder matching mask.
std::vector<std::string> ListFilesWithPath(const std::string& folder, const std::string& mask);

// Whether the file's name (without folder) is one of the exclusions, ignoring case.
bool IsExcluded(const std::string& file, const std::vector<std::string>& exclusions);

// What each source offers the add routine, with excluded files left out.
// Desktop: the shortcuts themselves, judged by their targets' names.
std::vector<std::string> DesktopImports(const std::vector<std::string>& exclusions);
std::vector<std::string> MuiCacheImports(const std::vector<std::string>& exclusions);
std::vector<std::string> AppPathImports(const std::vector<std::string>& exclusions);

}  // namespace ad
