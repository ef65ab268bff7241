// TRegistry: the registry through one current key, ANSI text over the wide API.
#include "framework/Registry.h"

#include <algorithm>

#include "framework/SysUtils.h"

namespace ad {

namespace {

// Reads a value whole, whatever its size. The buffer is sized from the system's
// answer and read again when the value grew in between.
LONG QueryValue(HKEY key, const std::wstring& name, DWORD& type, std::vector<BYTE>& data) {
    LONG err = ERROR_MORE_DATA;
    for (int attempt = 0; attempt < 8 && err == ERROR_MORE_DATA; ++attempt) {
        DWORD size = 0;
        err = ::RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
        if (err != ERROR_SUCCESS) return err;
        data.assign(size, 0);
        DWORD got = size;
        err = ::RegQueryValueExW(key, name.c_str(), nullptr, &type, data.empty() ? nullptr : data.data(), &got);
        if (err == ERROR_MORE_DATA) continue;
        if (err != ERROR_SUCCESS) return err;
        data.resize(std::min<DWORD>(got, size));
        return ERROR_SUCCESS;
    }
    return err;
}

// Stored text up to its first NUL; a missing terminator and a stray odd byte are
// both tolerated.
std::wstring TextOf(const std::vector<BYTE>& data) {
    std::wstring text(data.size() / sizeof(wchar_t), L'\0');
    if (!text.empty()) std::copy_n(data.data(), text.size() * sizeof(wchar_t), reinterpret_cast<BYTE*>(text.data()));
    size_t end = text.find(L'\0');
    if (end != std::wstring::npos) text.resize(end);
    return text;
}

}  // namespace

void TRegistry::SetRootKey(HKEY root) {
    CloseKey();
    rootKey_ = root;
}

HKEY TRegistry::BaseKey(bool relative) const {
    return (relative && currentKey_) ? currentKey_.Get() : rootKey_;
}

HKEY TRegistry::Resolve(const std::string& key, std::wstring& subKey, bool& relative) const {
    relative = key.empty() || key[0] != '\\';
    subKey = Widen(relative ? std::string_view(key) : std::string_view(key).substr(1));
    return BaseKey(relative);
}

bool TRegistry::OpenAs(const std::string& key, REGSAM access, bool canCreate) {
    std::wstring subKey;
    bool relative;
    HKEY base = Resolve(key, subKey, relative);
    OwnedKey opened;
    if (!canCreate || subKey.empty())
        lastError_ = ::RegOpenKeyExW(base, subKey.c_str(), 0, access, opened.Put());
    else
        lastError_ = ::RegCreateKeyExW(base, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                                       opened.Put(), nullptr);
    if (lastError_ != ERROR_SUCCESS) return false;
    std::string path = relative ? key : key.substr(1);
    if (relative && currentKey_) path = path.empty() ? currentPath_ : currentPath_ + "\\" + path;
    currentKey_ = std::move(opened);
    currentPath_ = std::move(path);
    return true;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) { return OpenAs(key, Access, canCreate); }

bool TRegistry::OpenKeyReadOnly(const std::string& key) { return OpenAs(key, KEY_READ, false); }

bool TRegistry::CreateKey(const std::string& key) {
    std::wstring subKey;
    bool relative;
    HKEY base = Resolve(key, subKey, relative);
    OwnedKey created;
    lastError_ = ::RegCreateKeyExW(base, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, Access, nullptr,
                                   created.Put(), nullptr);
    return lastError_ == ERROR_SUCCESS;
}

void TRegistry::CloseKey() {
    currentKey_.Reset();
    currentPath_.clear();
}

bool TRegistry::KeyExists(const std::string& key) {
    std::wstring subKey;
    bool relative;
    HKEY base = Resolve(key, subKey, relative);
    OwnedKey probe;
    lastError_ = ::RegOpenKeyExW(base, subKey.c_str(), 0,
                                 STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, probe.Put());
    return lastError_ == ERROR_SUCCESS;
}

bool TRegistry::DeleteKey(const std::string& key) {
    std::wstring subKey;
    bool relative;
    HKEY base = Resolve(key, subKey, relative);
    // An empty path would make RegDeleteTree empty the starting key itself.
    if (subKey.empty()) {
        lastError_ = ERROR_INVALID_PARAMETER;
        return false;
    }
    lastError_ = ::RegDeleteTreeW(base, subKey.c_str());
    return lastError_ == ERROR_SUCCESS;
}

bool TRegistry::ValueExists(const std::string& name) {
    if (!currentKey_) return false;
    return ::RegQueryValueExW(currentKey_.Get(), Widen(name).c_str(), nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

std::string TRegistry::ReadString(const std::string& name) {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    lastError_ = QueryValue(currentKey_.Get(), Widen(name), type, data);
    if (lastError_ != ERROR_SUCCESS) return std::string();
    if (type != REG_SZ && type != REG_EXPAND_SZ) throw ERegistryException(Format("Invalid data type for '%s'", name.c_str()));
    return Narrow(TextOf(data));
}

void TRegistry::PutData(const std::string& name, DWORD type, const void* data, DWORD size) {
    lastError_ = ::RegSetValueExW(currentKey_.Get(), Widen(name).c_str(), 0, type, static_cast<const BYTE*>(data), size);
    if (lastError_ != ERROR_SUCCESS) throw ERegistryException(Format("Failed to set data for '%s'", name.c_str()));
}

void TRegistry::PutString(const std::string& name, const std::string& value, DWORD type) {
    std::wstring w = Widen(value);
    PutData(name, type, w.c_str(), static_cast<DWORD>((w.size() + 1) * sizeof(wchar_t)));
}

void TRegistry::WriteString(const std::string& name, const std::string& value) { PutString(name, value, REG_SZ); }

void TRegistry::WriteExpandString(const std::string& name, const std::string& value) {
    PutString(name, value, REG_EXPAND_SZ);
}

int TRegistry::ReadInteger(const std::string& name) {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    lastError_ = QueryValue(currentKey_.Get(), Widen(name), type, data);
    if (lastError_ != ERROR_SUCCESS) throw ERegistryException(Format("Failed to get data for '%s'", name.c_str()));
    if (type != REG_DWORD || data.size() != sizeof(DWORD))
        throw ERegistryException(Format("Invalid data type for '%s'", name.c_str()));
    DWORD value;
    std::copy_n(data.data(), sizeof value, reinterpret_cast<BYTE*>(&value));
    return static_cast<int>(value);
}

void TRegistry::WriteInteger(const std::string& name, int value) {
    DWORD v = static_cast<DWORD>(value);
    PutData(name, REG_DWORD, &v, sizeof v);
}

bool TRegistry::DeleteValue(const std::string& name) {
    lastError_ = ::RegDeleteValueW(currentKey_.Get(), Widen(name).c_str());
    return lastError_ == ERROR_SUCCESS;
}

// Names enumerated one index at a time; the buffer grows until a name fits
// (value names go up to 16383 characters).
template <class Enumerate>
static std::vector<std::string> EnumNames(Enumerate enumerate) {
    std::vector<std::string> names;
    std::vector<wchar_t> buf(256);
    for (DWORD i = 0;;) {
        DWORD len = static_cast<DWORD>(buf.size());
        LONG err = enumerate(i, buf.data(), &len);
        if (err == ERROR_MORE_DATA && buf.size() < 32768) {
            buf.resize(buf.size() * 2);
            continue;
        }
        if (err != ERROR_SUCCESS) break;
        names.push_back(Narrow(std::wstring_view(buf.data(), len)));
        ++i;
    }
    return names;
}

std::vector<std::string> TRegistry::GetKeyNames() {
    if (!currentKey_) return {};
    return EnumNames([this](DWORD i, wchar_t* name, DWORD* len) {
        return ::RegEnumKeyExW(currentKey_.Get(), i, name, len, nullptr, nullptr, nullptr, nullptr);
    });
}

std::vector<std::string> TRegistry::GetValueNames() {
    if (!currentKey_) return {};
    return EnumNames([this](DWORD i, wchar_t* name, DWORD* len) {
        return ::RegEnumValueW(currentKey_.Get(), i, name, len, nullptr, nullptr, nullptr, nullptr);
    });
}

namespace {

void ListNames(HKEY root, const std::string& key, bool keys, std::vector<std::string>& list) {
    TRegistry reg(KEY_READ);
    reg.SetRootKey(root);
    if (!reg.OpenKeyReadOnly(key)) return;
    for (std::string& name : keys ? reg.GetKeyNames() : reg.GetValueNames()) list.push_back(std::move(name));
}

}  // namespace

void ListRegistryKeyNames(HKEY root, const std::string& key, std::vector<std::string>& list) {
    ListNames(root, key, true, list);
}

void ListRegistryValueNames(HKEY root, const std::string& key, std::vector<std::string>& list) {
    ListNames(root, key, false, list);
}

std::string ReadRegistryString(HKEY root, const std::string& key, const std::string& name) {
    TRegistry reg(KEY_READ);
    reg.SetRootKey(root);
    if (!reg.OpenKeyReadOnly(key)) return std::string();
    try {
        return reg.ReadString(name);
    } catch (const ERegistryException&) {
        return std::string();  // not a string value
    }
}

}  // namespace ad
