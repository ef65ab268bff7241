// App Paths entries through TRegistry, below HKEY_LOCAL_MACHINE.
#include "app/forms/AppPaths.h"

#include <windows.h>

#include "base/Exception.h"
#include "base/StrUtils.h"
#include "base/WinText.h"
#include "framework/Registry.h"

namespace ad {

namespace {

// The entry's key below HKEY_LOCAL_MACHINE (no current key is open, so it is taken from the root).
std::string EntryKey(const std::string& keyName) { return std::string(AppPathsKey) + "\\" + keyName; }

// Whether two key names name the same key: the registry ignores case beyond ASCII too.
bool SameKeyName(const std::string& a, const std::string& b) {
    const std::wstring wa = Widen(a), wb = Widen(b);
    return ::CompareStringOrdinal(wa.c_str(), static_cast<int>(wa.size()), wb.c_str(), static_cast<int>(wb.size()),
                                  TRUE) == CSTR_EQUAL;
}

}  // namespace

std::vector<TAppPathEntry> ListAppPaths() {
    std::vector<TAppPathEntry> entries;
    std::vector<std::string> names;
    ListRegistryKeyNames(HKEY_LOCAL_MACHINE, AppPathsKey, names);
    for (std::string& name : names) {
        std::string location = ReadRegistryString(HKEY_LOCAL_MACHINE, EntryKey(name), "");
        entries.push_back({std::move(name), std::move(location)});
    }
    return entries;
}

std::string AppPathKeyName(const std::string& name) { return ChangeFileExt(name, ".exe"); }

bool IsValidAppPathName(const std::string& name) { return !name.empty() && name.find('\\') == std::string::npos; }

bool WriteAppPath(const std::string& name, const std::string& location) {
    if (!IsValidAppPathName(name)) return false;
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    const std::string key = EntryKey(AppPathKeyName(name));
    if (!reg.OpenKey(key, true)) throw ERegistryException(Format("Failed to create key %s", key.c_str()));
    reg.WriteString("", location);
    return true;
}

bool DeleteAppPath(const std::string& listedName) {
    if (!IsValidAppPathName(listedName)) return false;
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    const std::string key = EntryKey(listedName);
    return reg.DeleteKey(key) || !reg.KeyExists(key);
}

bool ReplaceAppPath(const std::string& listedName, const std::string& newName, const std::string& location) {
    if (!IsValidAppPathName(listedName) || !IsValidAppPathName(newName)) return false;
    WriteAppPath(newName, location);
    if (!SameKeyName(AppPathKeyName(newName), listedName)) DeleteAppPath(listedName);
    return true;
}

}  // namespace ad
