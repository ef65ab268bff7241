// The per-program "App Paths" entries under HKEY_LOCAL_MACHINE, through which
// the shell finds a program by its executable name: listing, writing and
// deleting them. No window here.
#pragma once

#include <string>
#include <vector>

namespace ad {

inline constexpr const char* AppPathsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";

struct TAppPathEntry {
    std::string Name;      // the subkey's name, e.g. notepad.exe
    std::string Location;  // its default value; "" when missing
};

// Every subkey of the App Paths key in registry order.
std::vector<TAppPathEntry> ListAppPaths();

// The key name an entered name is stored under: its extension (if any)
// replaced by ".exe" ("tool.com" -> "tool.exe", "tool" -> "tool.exe").
std::string AppPathKeyName(const std::string& name);

// Whether a name can name an entry: not empty and without "\" (which would
// reach into or out of the App Paths key).
bool IsValidAppPathName(const std::string& name);

// Creates the entry AppPathKeyName(name) with the location as its default
// value. Raises ERegistryException "Failed to create key %s" when the key
// cannot be created; false (nothing written) for an invalid name.
bool WriteAppPath(const std::string& name, const std::string& location);

// Deletes exactly the listed subkey, with its contents. An invalid name
// deletes nothing. True when the key is gone.
bool DeleteAppPath(const std::string& listedName);

// Replaces the listed entry by newName/location: the new entry is written
// first and the old one deleted afterwards, unless it is the same key, so a
// failed write never loses the entry. False (nothing changed) when either
// name is invalid; raises as WriteAppPath does.
bool ReplaceAppPath(const std::string& listedName, const std::string& newName, const std::string& location);

}  // namespace ad
