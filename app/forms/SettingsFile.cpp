// The settings file as the settings dialog reads and writes it, and the
// folder-background context-menu entry.
#include "app/forms/SettingsFile.h"

#include <windows.h>

#include "base/StrUtils.h"
#include "base/WinText.h"
#include "framework/IniFiles.h"
#include "framework/Registry.h"
#include "framework/UpdateScope.h"

namespace ad {

namespace {

// Each boolean key and the member that holds it, in the order the dialog stores them.
struct BoolKey {
    const char* name;
    bool TSettingsValues::*member;
};
constexpr BoolKey kBoolKeys[] = {
    {"Min2TrayMode", &TSettingsValues::Min2TrayMode},
    {"CloseAfterLaunch", &TSettingsValues::CloseAfterLaunch},
    {"MinimizeAfterLaunch", &TSettingsValues::MinimizeAfterLaunch},
    {"TrayModeAfterLaunch", &TSettingsValues::TrayModeAfterLaunch},
    {"ReadOnlyMode", &TSettingsValues::ReadOnlyMode},
    {"BackgroundContextMenu", &TSettingsValues::BackgroundContextMenu},
    {"VS23DConfirm", &TSettingsValues::VS23DConfirm},
    {"RunAsAdmin", &TSettingsValues::RunAsAdmin},
    {"RAMOptimizer", &TSettingsValues::RAMOptimizer},
};

}  // namespace

TSettingsValues ReadSettingsValues(const std::string& iniFileName) {
    TSettingsValues v;
    TIniFile ini(iniFileName);
    for (const BoolKey& k : kBoolKeys) v.*k.member = ini.ReadBool(SettingsSection, k.name, v.*k.member);
    v.RAMOptimizerInterval = ini.ReadInteger(SettingsSection, "RAMOptimizer_Interval", v.RAMOptimizerInterval);
    v.SkinHue = ini.ReadInteger(SettingsSection, "Skin_Hue", v.SkinHue);
    v.SkinSat = ini.ReadInteger(SettingsSection, "Skin_Sat", v.SkinSat);
    return v;
}

void WriteSettingsValues(const std::string& iniFileName, const TSettingsValues& values) {
    TIniFile ini(iniFileName);
    {
        UpdateScope update(ini);
        for (const BoolKey& k : kBoolKeys) ini.WriteBool(SettingsSection, k.name, values.*k.member);
        ini.WriteInteger(SettingsSection, "RAMOptimizer_Interval", values.RAMOptimizerInterval);
        ini.WriteInteger(SettingsSection, "Skin_Hue", values.SkinHue);
        ini.WriteInteger(SettingsSection, "Skin_Sat", values.SkinSat);
    }
}

namespace {

unsigned long long FileTimeValue(const FILETIME& t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

constexpr unsigned long long kSameTickWindow = 2ull * 10000000ull;  // 2 s in file-time units

}  // namespace

TFileChangeWatch::Stamp TFileChangeWatch::Current() const {
    Stamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(Widen(fileName_).c_str(), GetFileExInfoStandard, &data)) return stamp;
    stamp.exists = true;
    stamp.writeTime = FileTimeValue(data.ftLastWriteTime);
    stamp.size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return stamp;
}

bool TFileChangeWatch::MayHaveChanged() const {
    return !read_ || Current() != stamp_ || (stamp_.exists && readTime_ < stamp_.writeTime + kSameTickWindow);
}

void TFileChangeWatch::NoteRead() {
    stamp_ = Current();
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    readTime_ = FileTimeValue(now);
    read_ = true;
}

int RAMIntervalItemIndex(int seconds) {
    std::string text = IntToStr(seconds) + " Seconds";
    for (size_t i = 0; i < RAMIntervalItems.size(); ++i)
        if (text == RAMIntervalItems[i]) return static_cast<int>(i);
    return -1;
}

int RAMIntervalOfItem(int index) {
    return StrToIntDef(std::string(RAMIntervalItems.at(static_cast<size_t>(index))).substr(0, 2), 0);
}

void RegisterBackgroundMenu(const std::string& programPath, const std::string& key) {
    TRegistry reg;
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    // Every key on the way down, then the command's own key.
    for (size_t sep = key.find('\\'); ; sep = key.find('\\', sep + 1)) {
        std::string part = key.substr(0, sep);
        if (!reg.CreateKey(part)) throw ERegistryException(Format("Failed to create key %s", part.c_str()));
        if (sep == std::string::npos) break;
    }
    std::string command = key + "\\Command";
    if (!reg.CreateKey(command)) throw ERegistryException(Format("Failed to create key %s", command.c_str()));
    if (!reg.OpenKey(key, false)) throw ERegistryException(Format("Failed to create key %s", key.c_str()));
    reg.WriteString("", BackgroundMenuCaption);
    reg.WriteString("Icon", programPath);
    reg.CloseKey();
    if (!reg.OpenKey(command, false)) throw ERegistryException(Format("Failed to create key %s", command.c_str()));
    reg.WriteString("", "\"" + programPath + "\"");
}

void RemoveBackgroundMenu(const std::string& key) {
    TRegistry reg;
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    reg.DeleteKey(key);
}

}  // namespace ad
