// Program entries as the Application Manager and the edit dialog read and
// write them: every entry of a category file with its raw keys, an entry's
// keys written in one save, and moving an entry to another name or category
// without ever losing it.
#pragma once

#include <string>
#include <vector>

#include "framework/IniFiles.h"

namespace ad {

// One section of a category file with its raw (unresolved) keys.
struct TProgramEntry {
    std::string Name;   // the section name
    std::string Desc;   // "Desc"
    std::string Loc;    // "Loc"
    std::string Param;  // "Param"
    std::string HBcmd;  // "HBcmd"
    bool operator==(const TProgramEntry&) const = default;
};

// Every entry of a category file in file order, missing keys read as "";
// none for a missing file.
std::vector<TProgramEntry> ReadProgramEntries(const std::string& categoryFile);
// The keys of one entry (Name as given).
TProgramEntry ReadProgramEntry(const std::string& categoryFile, const std::string& name);

// What Add and Save need before they write: a name, a location and a category.
bool EntryComplete(const TProgramEntry& entry, const std::string& category);

// Writes "Desc" (unless writeDesc is false), "Loc", "Param" and "HBcmd", in this
// order, into the entry's section in one save; the section's other keys stay.
void WriteProgramEntry(TIniFile& file, const TProgramEntry& entry, bool writeDesc = true);

// Stores entry under its name in newFile and takes the section oldName out of
// oldFile, as "erase the old, write the new" would, but so that a failure
// never loses the entry: in one file both happen in one atomic save; across
// two files the new file is written first and the old one only then.
void MoveProgramEntry(const std::string& oldFile, const std::string& oldName, const std::string& newFile,
                      const TProgramEntry& entry, bool writeDesc = true);

}  // namespace ad
