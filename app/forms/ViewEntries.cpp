// Scanning a category for the program list.
#include "app/forms/ViewEntries.h"

#include <utility>

#include "app/Catalogue.h"
#include "framework/IniFiles.h"
#include "framework/ShellIcon.h"
#include "framework/SysUtils.h"

namespace ad {

IconRef FallbackIcon() { return IconRef(::LoadIconW(nullptr, IDI_APPLICATION)); }

int FallbackImageIndex(bool largeIcons) {
    return ShellTypeIconIndex(".exe", largeIcons ? TShellIconSize::Large : TShellIconSize::Small);
}

EntryTarget ReadEntryTarget(TIniFile& categoryFile, const std::string& name, const std::string& baseDir) {
    EntryTarget t;
    t.Loc = ResolveLocation(categoryFile.ReadString(name, "Loc", ""), baseDir);
    t.Param = ExpandEnvPath(categoryFile.ReadString(name, "Param", ""));
    return t;
}

bool ScanEntries(const std::string& categoryFile, const std::vector<std::string>& names, const std::string& baseDir,
                 bool largeIcons, const std::function<bool()>& stop, const std::function<void(ViewEntry&&)>& found) {
    TIniFile ini(categoryFile);
    TShellIconSize size = largeIcons ? TShellIconSize::Large : TShellIconSize::Small;
    int fallback = -2;  // looked up once, when first needed
    for (const std::string& name : names) {
        if (stop && stop()) return false;
        std::string desc = ini.ReadString(name, "Desc", "");
        EntryTarget target = ReadEntryTarget(ini, name, baseDir);
        if (!FileExists(target.Loc)) continue;
        int image = ShellIconIndex(target.Loc, size);
        if (image < 0) {
            if (fallback == -2) fallback = FallbackImageIndex(largeIcons);
            image = fallback;
        }
        found(ViewEntry{name, desc.empty() ? NoDescription : desc, std::move(target.Loc), std::move(target.Param), image});
    }
    return true;
}

}  // namespace ad
