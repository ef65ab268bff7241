// Registering the catalogue's commands with the sibling quick-launch product
// Hopbar: its command file "HB.dat" (INI, section "Command", one line
// command=path|parameters) lies in the folder that HKEY_CURRENT_USER
// "Software\Vorlan" value "13" names.
#pragma once

#include <string>
#include <vector>

namespace ad {

inline constexpr const char* HopbarRegistryKey = "Software\\Vorlan";
inline constexpr const char* HopbarFolderValue = "13";
inline constexpr const char* HopbarCommandFileName = "HB.dat";
inline constexpr const char* HopbarSystemFolder = "C:\\Windows\\System32\\";

// The command file for a value "13": its folder part + "HB.dat"; "" when the
// value has no folder part or that folder does not exist (Hopbar is not there).
std::string HopbarCommandFileOf(const std::string& folderValue);
// The command file that the registry names; "" when Hopbar is not installed.
std::string HopbarCommandFile();

// A program file for a command line: baseDir + name, else the system folder +
// name, else the name itself, whichever exists first; "" when none does.
std::string LocateProgramFile(const std::string& name, const std::string& baseDir);

// One row of the Application Manager as the registration reads it (raw texts).
struct THopbarRow {
    std::string Command;   // "HBcmd"
    std::string Location;  // "Loc"
    std::string Params;    // "Param"
};

struct THopbarCounts {
    int Registered = 0;
    int Ignored = 0;       // already registered, and overwriting is off
    int Unregistered = 0;  // the program file was not found
    bool operator==(const THopbarCounts&) const = default;
};

// Writes command=path|parameters for every row with a command into the
// command file, in one save; the path is the row's location after the
// registry form only, found by LocateProgramFile. Without overwrite a command
// that already has a value is left as it is.
THopbarCounts RegisterHopbarCommands(const std::string& commandFile, const std::vector<THopbarRow>& rows,
                                     const std::string& baseDir, bool overwrite);

// The summary shown after a registration.
std::string HopbarSummary(int programCount, const THopbarCounts& counts);
// What is shown instead when Hopbar is not installed (nothing is written then).
inline constexpr const char* HopbarNotFound =
    "Hopbar was not found (no folder under HKEY_CURRENT_USER\\Software\\Vorlan, value \"13\"): no command was "
    "registered.";

}  // namespace ad
