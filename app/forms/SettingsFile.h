// The settings file "Appdeck.ini" (section "Settings") as the settings dialog
// shows and stores it, and the folder-background context-menu entry that the
// dialog registers under HKEY_CLASSES_ROOT. No window here.
#pragma once

#include <array>
#include <string>
#include <utility>

namespace ad {

inline constexpr const char* SettingsSection = "Settings";

// The keys the settings dialog reads and writes, with the defaults of a missing key.
struct TSettingsValues {
    bool Min2TrayMode = false;         // "Min2TrayMode"
    bool CloseAfterLaunch = false;     // "CloseAfterLaunch"
    bool MinimizeAfterLaunch = false;  // "MinimizeAfterLaunch"
    bool TrayModeAfterLaunch = false;  // "TrayModeAfterLaunch"
    bool ReadOnlyMode = false;         // "ReadOnlyMode"
    bool BackgroundContextMenu = false;  // "BackgroundContextMenu"
    bool VS23DConfirm = true;          // "VS23DConfirm"
    bool RunAsAdmin = false;           // "RunAsAdmin"
    // Tray mode runs the optimizer when the key is missing; the dialog shows the same.
    bool RAMOptimizer = true;          // "RAMOptimizer"
    int RAMOptimizerInterval = 10;     // "RAMOptimizer_Interval", seconds
    int SkinHue = 0;                   // "Skin_Hue"
    int SkinSat = 0;                   // "Skin_Sat"
};

// A missing or unreadable file reads as the defaults.
TSettingsValues ReadSettingsValues(const std::string& iniFileName);
// Writes every key of the values in one save. Raises EFCreateError when the file
// cannot be written.
void WriteSettingsValues(const std::string& iniFileName, const TSettingsValues& values);

// Tells whether a file may have changed since it was last read, by its
// last-write time and size, without reading it. A file read within two
// seconds of its last write counts as changed until a later read: a second
// write in the same tick of the file system's clock keeps the time stamp.
class TFileChangeWatch {
public:
    explicit TFileChangeWatch(std::string fileName) : fileName_(std::move(fileName)) {}
    bool MayHaveChanged() const;
    // Call before reading the file: a write that comes later counts as a change.
    void NoteRead();

private:
    struct Stamp {
        bool exists = false;
        unsigned long long writeTime = 0, size = 0;
        bool operator==(const Stamp&) const = default;
    };
    Stamp Current() const;

    std::string fileName_;
    bool read_ = false;
    Stamp stamp_;
    unsigned long long readTime_ = 0;  // the system time of the last read
};

// The optimizer's interval choices, as the dialog lists them.
inline constexpr std::array<const char*, 7> RAMIntervalItems = {
    "10 Seconds", "15 Seconds", "20 Seconds", "30 Seconds", "45 Seconds", "60 Seconds", "90 Seconds"};
// The index of the item that reads "<seconds> Seconds"; -1 when none does.
int RAMIntervalItemIndex(int seconds);
// The interval an item stands for: the number its first two characters form.
int RAMIntervalOfItem(int index);

// The folder-background context-menu entry: the key below HKEY_CLASSES_ROOT, its
// caption, and the command the shell runs (the program's path, quoted).
inline constexpr const char* BackgroundMenuKey = "Directory\\Background\\Shell\\Appdeck";
inline constexpr const char* BackgroundMenuCaption = "Appdeck";
// Creates the key and each key above it, then writes its default value (the
// caption), its "Icon" (the program's path) and the default value of its subkey
// "Command" (the quoted path). Raises ERegistryException "Failed to create key %s"
// naming the key that could not be created, or the registry's write error.
void RegisterBackgroundMenu(const std::string& programPath, const std::string& key = BackgroundMenuKey);
// Deletes the key with everything under it; a missing key is no error.
void RemoveBackgroundMenu(const std::string& key = BackgroundMenuKey);

}  // namespace ad
