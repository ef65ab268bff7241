// TRegistry: reads and writes the system registry through one "current key",
// with ANSI names and values over the wide registry API.
//
// Opening or creating a key that fails returns false and leaves LastError() set;
// reading a value of the wrong type and failing to write raise ERegistryException.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/Exception.h"
#include "framework/Handles.h"

namespace ad {

AD_DECLARE_EXCEPTION(ERegistryException, Exception);

class TRegistry {
public:
    TRegistry() = default;
    explicit TRegistry(REGSAM access) : Access(access) {}
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    // The predefined key that absolute paths start from. Changing it closes the current key.
    HKEY RootKey() const { return rootKey_; }
    void SetRootKey(HKEY root);

    // Access requested by OpenKey and CreateKey.
    REGSAM Access = KEY_ALL_ACCESS;

    // A key starting with "\" is taken from the root key; any other key is relative
    // to the current key when one is open, else to the root key. On success the
    // opened key becomes the current key.
    bool OpenKey(const std::string& key, bool canCreate);
    bool OpenKeyReadOnly(const std::string& key);  // KEY_READ; Access is left as it is
    bool CreateKey(const std::string& key);        // creates without changing the current key
    void CloseKey();
    bool KeyExists(const std::string& key);
    bool DeleteKey(const std::string& key);  // with everything below it

    // Values of the current key; an empty name is the key's default value.
    bool ValueExists(const std::string& name);
    std::string ReadString(const std::string& name);  // REG_SZ or REG_EXPAND_SZ, unexpanded; missing: ""
    void WriteString(const std::string& name, const std::string& value);
    void WriteExpandString(const std::string& name, const std::string& value);
    int ReadInteger(const std::string& name);  // REG_DWORD
    void WriteInteger(const std::string& name, int value);
    bool DeleteValue(const std::string& name);

    std::vector<std::string> GetKeyNames();
    std::vector<std::string> GetValueNames();

    HKEY CurrentKey() const { return currentKey_.Get(); }
    const std::string& CurrentPath() const { return currentPath_; }
    // The result code of the last registry call that could fail.
    LONG LastError() const { return lastError_; }

private:
    HKEY BaseKey(bool relative) const;
    // Splits a key into the key to start from and the path below it.
    HKEY Resolve(const std::string& key, std::wstring& subKey, bool& relative) const;
    bool OpenAs(const std::string& key, REGSAM access, bool canCreate);
    void PutString(const std::string& name, const std::string& value, DWORD type);
    void PutData(const std::string& name, DWORD type, const void* data, DWORD size);

    HKEY rootKey_ = HKEY_CURRENT_USER;
    OwnedKey currentKey_;
    std::string currentPath_;
    LONG lastError_ = ERROR_SUCCESS;
};

// The subkey names or value names of root\key opened read-only, appended to
// list; a key that cannot be opened adds nothing.
void ListRegistryKeyNames(HKEY root, const std::string& key, std::vector<std::string>& list);
void ListRegistryValueNames(HKEY root, const std::string& key, std::vector<std::string>& list);
// A string value of root\key opened read-only (an empty name: the default
// value); "" when the key or the value is missing or the value is no string.
std::string ReadRegistryString(HKEY root, const std::string& key, const std::string& name);

}  // namespace ad
