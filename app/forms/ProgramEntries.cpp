// Reading and writing program entries for the Application Manager and the
// edit dialog (see ProgramEntries.h).
#include "app/forms/ProgramEntries.h"

#include "base/IniDocument.h"
#include "base/StrUtils.h"
#include "framework/UpdateScope.h"

namespace ad {

namespace {

// Raises the error a write of the entry would raise (a name or value that
// cannot be stored as one line), before anything of the file is changed: an
// update left by an error still saves what it held.
void CheckStorable(const TProgramEntry& entry) {
    IniDocument probe;
    for (const char* key : {"Desc", "Loc", "Param", "HBcmd"}) probe.WriteValue(entry.Name, key, "");
    probe.WriteValue("x", "x", entry.Desc);
    probe.WriteValue("x", "x", entry.Loc);
    probe.WriteValue("x", "x", entry.Param);
    probe.WriteValue("x", "x", entry.HBcmd);
}

}  // namespace

std::vector<TProgramEntry> ReadProgramEntries(const std::string& categoryFile) {
    std::vector<TProgramEntry> entries;
    for (std::vector<std::string>& row : TIniFile(categoryFile).ReadKeysOfAllSections({"Desc", "Loc", "Param", "HBcmd"}))
        entries.push_back(TProgramEntry{std::move(row[0]), std::move(row[1]), std::move(row[2]), std::move(row[3]),
                                        std::move(row[4])});
    return entries;
}

TProgramEntry ReadProgramEntry(const std::string& categoryFile, const std::string& name) {
    TIniFile ini(categoryFile);
    return TProgramEntry{name, ini.ReadString(name, "Desc", ""), ini.ReadString(name, "Loc", ""),
                         ini.ReadString(name, "Param", ""), ini.ReadString(name, "HBcmd", "")};
}

bool EntryComplete(const TProgramEntry& entry, const std::string& category) {
    // A name of blanks only is no name: no section can be stored under it.
    return !Trim(entry.Name).empty() && !entry.Loc.empty() && !category.empty();
}

void WriteProgramEntry(TIniFile& file, const TProgramEntry& entry, bool writeDesc) {
    UpdateScope update(file);
    if (writeDesc) file.WriteString(entry.Name, "Desc", entry.Desc);
    file.WriteString(entry.Name, "Loc", entry.Loc);
    file.WriteString(entry.Name, "Param", entry.Param);
    file.WriteString(entry.Name, "HBcmd", entry.HBcmd);
}

void MoveProgramEntry(const std::string& oldFile, const std::string& oldName, const std::string& newFile,
                      const TProgramEntry& entry, bool writeDesc) {
    CheckStorable(entry);
    // File names compare as the file system does, without regard to case.
    if (AsciiLowerCase(oldFile) == AsciiLowerCase(newFile)) {
        TIniFile ini(newFile);
        UpdateScope update(ini);
        ini.EraseSection(oldName);
        WriteProgramEntry(ini, entry, writeDesc);
        return;
    }
    {
        TIniFile target(newFile);
        WriteProgramEntry(target, entry, writeDesc);
    }
    TIniFile(oldFile).EraseSection(oldName);
}

}  // namespace ad
