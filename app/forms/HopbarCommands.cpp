// Registering commands in Hopbar's command file (see HopbarCommands.h).
#include "app/forms/HopbarCommands.h"

#include "app/Catalogue.h"
#include "base/StrUtils.h"
#include "framework/IniFiles.h"
#include "framework/Registry.h"
#include "framework/SysUtils.h"
#include "framework/UpdateScope.h"

namespace ad {

std::string HopbarCommandFileOf(const std::string& folderValue) {
    // An empty folder would put the file in whatever the current folder is.
    std::string folder = ExtractFilePath(folderValue);
    if (folder.empty() || !DirectoryExists(folder)) return std::string();
    return folder + HopbarCommandFileName;
}

std::string HopbarCommandFile() {
    TRegistry reg;
    if (!reg.OpenKeyReadOnly(HopbarRegistryKey)) return std::string();
    try {
        return HopbarCommandFileOf(reg.ReadString(HopbarFolderValue));
    } catch (const Exception&) {
        return std::string();  // a value of another type names no folder
    }
}

std::string LocateProgramFile(const std::string& name, const std::string& baseDir) {
    for (const std::string& candidate : {baseDir + name, std::string(HopbarSystemFolder) + name, name})
        if (FileExists(candidate)) return candidate;
    return std::string();
}

THopbarCounts RegisterHopbarCommands(const std::string& commandFile, const std::vector<THopbarRow>& rows,
                                     const std::string& baseDir, bool overwrite) {
    THopbarCounts counts;
    TIniFile ini(commandFile);
    UpdateScope update(ini);
    for (const THopbarRow& row : rows) {
        if (row.Command.empty()) continue;
        std::string path = LocateProgramFile(ResolveRegistryLocation(row.Location, TLocationRules::AppManager), baseDir);
        if (path.empty()) {
            ++counts.Unregistered;
        } else if (!overwrite && !ini.ReadString("Command", row.Command, "").empty()) {
            ++counts.Ignored;
        } else {
            try {
                ini.WriteString("Command", row.Command, path + "|" + row.Params);
                ++counts.Registered;
            } catch (const EIniFileException&) {
                ++counts.Unregistered;  // a command no line can hold ("=" in it, a line break)
            }
        }
    }
    return counts;
}

std::string HopbarSummary(int programCount, const THopbarCounts& c) {
    return "Total Program : " + std::to_string(programCount) + "\r" +
           "Total Command : " + std::to_string(c.Registered + c.Ignored + c.Unregistered) + "\r\r" +
           "Registered : " + std::to_string(c.Registered) + " Command(s)\r" +
           "Ignored : " + std::to_string(c.Ignored) + " Command(s)\r" +
           "Unregistered : " + std::to_string(c.Unregistered) + " Command(s)";
}

}  // namespace ad
