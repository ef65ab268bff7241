// Scanning a category for the program list.
#include "app/forms/ViewEntries.h"

#include "app/Catalogue.h"
#include "framework/IniFiles.h"
#include "framework/ShellIcon.h"
#include "framework/SysUtils.h"

namespace ad {

IconRef FallbackIcon() { return IconRef(::LoadIconW(nullptr, IDI_APPLICATION)); }

bool ScanEntries(const std::string& categoryFile, const std::vector<std::string>& names, const std::string& baseDir,
                 bool largeIcons, const std::function<bool()>& stop, std::vector<TScannedEntry>& out) {
    TIniFile ini(categoryFile);
    for (const std::string& name : names) {
        if (stop && stop()) return false;
        std::string desc = ini.ReadString(name, "Desc", "");
        std::string loc = ResolveLocation(ini.ReadString(name, "Loc", ""), baseDir);
        std::string param = ExpandEnvPath(ini.ReadString(name, "Param", ""));
        if (!FileExists(loc)) continue;
        TScannedEntry e;
        e.Entry = ViewEntry{name, desc.empty() ? NoDescription : desc, loc, param, -1};
        e.Icon = ShellIcon(loc, largeIcons ? TShellIconSize::Large : TShellIconSize::Small);
        out.push_back(std::move(e));
    }
    return true;
}

}  // namespace ad
