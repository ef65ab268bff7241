// Launching a program and the other actions on one program, independent of any
// window: starting it (elevated where asked), the after-launch settings, its
// file properties, showing it in Explorer, copying its location, the taskbar
// pin/unpin scripts, its online scan page, and the quick links to system tools.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>

namespace ad {

// Whether the caller's token (the thread's, else the process's) lists the built-in
// Administrators group, whatever the group's attributes (a deny-only entry counts).
bool IsUserAdmin();

// Starts a file with the "runas" verb, no working folder, shown normally; waits for
// the start to complete and shows no error UI. True when the shell started it.
bool ShellRunAs(HWND window, const std::string& file, const std::string& params);
// Opens a file with its default verb. An empty workDir passes no working folder.
// True when the shell started it.
bool ShellOpen(HWND owner, const std::string& file, const std::string& params, const std::string& workDir,
               int showCmd = SW_SHOWNORMAL);

// A location without a drive part (relative, or rooted without a drive) becomes
// baseDir + location; others are returned as they are.
std::string CompleteLocation(const std::string& file, const std::string& baseDir);
// Whether a launch uses "runas": an administrator asking for elevation, and the file
// not a shortcut (".lnk" in exact case; ".LNK" does not count as one).
bool LaunchUsesRunAs(const std::string& file, bool isAdmin, bool runElevated);
// Starts a program the way the launch buttons do: the file is completed with
// baseDir; with runElevated, an administrator and a non-shortcut file the process's
// current folder becomes the file's folder and the file is started with "runas";
// otherwise the shell opens it with the file's folder as working folder. A failed
// start is not reported; `started` (when given) tells whether the shell started
// it. Returns the completed file name, for the caller to keep.
std::string LaunchProgram(HWND owner, const std::string& file, const std::string& params,
                          const std::string& baseDir, bool runElevated, bool* started = nullptr);
// The search window's launch: as LaunchProgram, except that a shortcut is started
// with "runas" like any other file.
std::string LaunchFoundProgram(HWND owner, const std::string& file, const std::string& params,
                               const std::string& baseDir, bool runElevated, bool* started = nullptr);

// The after-launch settings of the settings file (section "Settings", each off by
// default), applied in this order: close, minimise, tray mode.
struct TAfterLaunchActions {
    bool Close = false;     // "CloseAfterLaunch"
    bool Minimize = false;  // "MinimizeAfterLaunch"
    bool TrayMode = false;  // "TrayModeAfterLaunch"
};
TAfterLaunchActions ReadAfterLaunchActions(const std::string& iniFileName);

// The shell's properties dialog of a file. False when the shell refused.
bool ShowFileProperties(const std::string& file);

// Explorer's parameters that open the location's folder with it selected.
std::string FindTargetParams(const std::string& location);
// Starts Explorer with FindTargetParams. False when the shell refused.
bool FindTarget(HWND owner, const std::string& location);

// The text "copy location" puts on the clipboard: location and parameters, trimmed.
std::string CopyLocationText(const std::string& location, const std::string& params);
// Replaces the clipboard's contents with the text (as Unicode text and as ANSI
// text). Raises EOSError when the clipboard cannot be opened or set.
void SetClipboardText(HWND owner, const std::string& text);

// The taskbar scripts and the folder they live in.
inline constexpr const char* PinScriptFolder = "C:\\Windows\\Temp";
inline constexpr const char* PinScriptName = "PinToTaskbar.vbs";
inline constexpr const char* UnpinScriptName = "UnpinFromTaskbar.vbs";
// The bytes of a script: pin (true) or unpin (false).
std::string PinScriptText(bool pin);
// Creates the folder when missing and writes each script there unless the file
// already holds exactly the script's text: the folder is shared, and a planted or
// damaged script is replaced rather than run. Raises EFCreateError naming the file that
// could not be written.
void InitializePTT(const std::string& folder = PinScriptFolder);
// wscript's parameters for a button's Tag (0 unpins, anything else pins):
// "<folder>\PinToTaskbar.vbs "<file>"" or "<folder>\UnpinFromTaskbar.vbs "<file>"".
std::string PinCommand(int tag, const std::string& file, const std::string& folder = PinScriptFolder);
// InitializePTT, then wscript runs the script for the tag on the file, with the
// scripts' folder as working folder. False when the shell refused.
bool RunPinScript(HWND owner, int tag, const std::string& file, const std::string& folder = PinScriptFolder);

// The online scanning service's report page of a file, from its SHA-256 in hex.
inline constexpr const char* ScanServiceAddress = "https://www.virustotal.com";
std::string ScanAddress(const std::string& sha256Hex);
// The report page of a file, hashing it in streamed chunks. Raises EFOpenError
// naming the file when it cannot be opened (EReadError when reading fails).
// stop() is asked between blocks; once it answers true the result is "".
std::string FileScanAddress(const std::string& fileName, const std::function<bool()>& stop = {});

// The quick links to system tools: button name, hint and command line.
struct TQuickLink {
    const char* Name;
    const char* Hint;
    const char* CommandLine;
};
extern const std::array<TQuickLink, 6> QuickLinks;
// Starts a quick link's command line without waiting. Raises EOSError when the
// program cannot be started.
void RunQuickLink(const std::string& commandLine);

}  // namespace ad
