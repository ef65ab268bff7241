// Launching a program and the per-program actions (see Launch.h).
#include "app/Launch.h"

#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "app/SWSystem.h"
#include "base/Exception.h"
#include "base/Files.h"
#include "base/StrUtils.h"
#include "framework/FileStreams.h"
#include "framework/Forms.h"
#include "framework/Handles.h"
#include "framework/IniFiles.h"
#include "framework/SysUtils.h"
#include "hash/FileDigestPass.h"

namespace ad {

namespace {

// The text for an optional wide string argument: null when empty.
const wchar_t* OrNull(const std::wstring& s) { return s.empty() ? nullptr : s.c_str(); }

// Whether the token's group list holds the Administrators group (S-1-5-32-544).
bool TokenListsAdministrators(HANDLE token) {
    // Ask for the size first, so that a long group list is read whole.
    DWORD needed = 0;
    ::GetTokenInformation(token, TokenGroups, nullptr, 0, &needed);
    if (needed == 0) return false;
    std::vector<unsigned char> buffer;
    for (;;) {
        // TOKEN_GROUPS holds pointers: keep the buffer pointer-aligned.
        buffer.assign(needed + sizeof(void*), 0);
        auto* base = buffer.data();
        auto misalign = reinterpret_cast<uintptr_t>(base) % alignof(TOKEN_GROUPS);
        if (misalign) base += alignof(TOKEN_GROUPS) - misalign;
        DWORD size = needed;
        if (::GetTokenInformation(token, TokenGroups, base, size, &needed)) {
            SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
            PSID admins = nullptr;
            if (!::AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0,
                                            0, 0, 0, 0, &admins))
                return false;
            const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(base);
            bool found = false;
            for (DWORD i = 0; i < groups->GroupCount && !found; ++i)
                found = ::EqualSid(groups->Groups[i].Sid, admins) != FALSE;
            ::FreeSid(admins);
            return found;
        }
        // The list may have grown between the two calls: try again with the new size.
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= size) return false;
    }
}

// Whether the file exists and holds exactly these bytes.
bool FileHolds(const std::string& fileName, const std::string& bytes) {
    try {
        const std::vector<uint8_t> content = ReadFileBytes(fileName);
        return content.size() == bytes.size() && std::equal(content.begin(), content.end(), bytes.begin(),
                                                            [](uint8_t a, char b) { return a == uint8_t(b); });
    } catch (const EStreamError&) {
        return false;  // missing or unreadable: written anew
    }
}

// Writes a script unless the file already holds exactly its text. The scripts'
// folder is shared and wscript runs what it finds there, so a file with other
// contents is replaced (atomically) rather than trusted. Raises EFCreateError
// naming the file on failure.
void WriteScript(const std::string& fileName, const std::string& bytes) {
    if (FileHolds(fileName, bytes)) return;
    SaveFileAtomically(fileName, bytes.data(), bytes.size());
}

std::string ScriptPath(const std::string& folder, const char* name) { return IncludeBackslash(folder) + name; }

}  // namespace

// --- Launching -----------------------------------------------------------------

bool IsUserAdmin() {
    OwnedKernelHandle token;
    if (!::OpenThreadToken(::GetCurrentThread(), TOKEN_QUERY, TRUE, token.Put())) {
        if (::GetLastError() != ERROR_NO_TOKEN) return false;
        if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, token.Put())) return false;
    }
    return TokenListsAdministrators(token.Get());
}

bool ShellRunAs(HWND window, const std::string& file, const std::string& params) {
    std::wstring wfile = Widen(file), wparams = Widen(params);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.hwnd = window;
    info.lpVerb = L"runas";
    info.lpFile = wfile.c_str();
    info.lpParameters = OrNull(wparams);
    info.lpDirectory = nullptr;
    info.nShow = SW_SHOWNORMAL;
    return ::ShellExecuteExW(&info) != FALSE;
}

bool ShellOpen(HWND owner, const std::string& file, const std::string& params, const std::string& workDir,
               int showCmd) {
    std::wstring wfile = Widen(file), wparams = Widen(params), wdir = Widen(workDir);
    auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(owner, nullptr, wfile.c_str(), OrNull(wparams), OrNull(wdir), showCmd));
    return result > 32;
}

std::string CompleteLocation(const std::string& file, const std::string& baseDir) {
    return ExtractFileDrive(file).empty() ? baseDir + file : file;
}

bool LaunchUsesRunAs(const std::string& file, bool isAdmin, bool runElevated) {
    return isAdmin && runElevated && ExtractFileExt(file) != ".lnk";
}

namespace {

std::string Launch(HWND owner, const std::string& file, const std::string& params, const std::string& baseDir,
                   bool runElevated, bool elevateShortcuts, bool* started) {
    std::string full = CompleteLocation(file, baseDir);
    std::string folder = ExtractFilePath(full);
    bool ok;
    // Ask about the token only when elevation is wanted at all.
    if (runElevated && (elevateShortcuts ? IsUserAdmin() : LaunchUsesRunAs(full, IsUserAdmin(), runElevated))) {
        if (!folder.empty()) ::SetCurrentDirectoryW(Widen(folder).c_str());
        ok = ShellRunAs(owner, full, params);
    } else {
        ok = ShellOpen(owner, full, params, folder, SW_SHOWNORMAL);
    }
    if (started) *started = ok;
    return full;
}

}  // namespace

std::string LaunchProgram(HWND owner, const std::string& file, const std::string& params,
                          const std::string& baseDir, bool runElevated, bool* started) {
    return Launch(owner, file, params, baseDir, runElevated, false, started);
}

std::string LaunchFoundProgram(HWND owner, const std::string& file, const std::string& params,
                               const std::string& baseDir, bool runElevated, bool* started) {
    return Launch(owner, file, params, baseDir, runElevated, true, started);
}

TAfterLaunchActions ReadAfterLaunchActions(const std::string& iniFileName) {
    TIniFile ini(iniFileName);
    TAfterLaunchActions actions;
    actions.Close = ini.ReadBool("Settings", "CloseAfterLaunch", false);
    actions.Minimize = ini.ReadBool("Settings", "MinimizeAfterLaunch", false);
    actions.TrayMode = ini.ReadBool("Settings", "TrayModeAfterLaunch", false);
    return actions;
}

// --- Per-program actions -------------------------------------------------------

bool ShowFileProperties(const std::string& file) {
    std::wstring wfile = Widen(file);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.hwnd = nullptr;
    info.lpVerb = L"properties";
    info.lpFile = wfile.c_str();
    info.nShow = SW_SHOW;
    return ::ShellExecuteExW(&info) != FALSE;
}

std::string FindTargetParams(const std::string& location) { return "/select,\"" + location + "\""; }

bool FindTarget(HWND owner, const std::string& location) {
    return ShellOpen(owner, "explorer.exe", FindTargetParams(location), "", SW_SHOW);
}

std::string CopyLocationText(const std::string& location, const std::string& params) {
    return Trim(location + " " + params);
}

void SetClipboardText(HWND owner, const std::string& text) {
    std::wstring wide = Widen(text);
    auto place = [](UINT format, const void* data, size_t bytes) {
        HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
        if (!memory) RaiseLastOSError();
        void* target = ::GlobalLock(memory);
        if (!target) {
            DWORD error = ::GetLastError();
            ::GlobalFree(memory);
            RaiseOSError(error);
        }
        memcpy(target, data, bytes);
        ::GlobalUnlock(memory);
        if (!::SetClipboardData(format, memory)) {  // on success the clipboard owns the memory
            DWORD error = ::GetLastError();
            ::GlobalFree(memory);
            RaiseOSError(error);
        }
    };
    if (!::OpenClipboard(owner)) RaiseLastOSError();
    struct Closer {
        ~Closer() { ::CloseClipboard(); }
    } closer;
    if (!::EmptyClipboard()) RaiseLastOSError();
    place(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    place(CF_TEXT, text.c_str(), text.size() + 1);
}

// --- Taskbar scripts -----------------------------------------------------------

std::string PinScriptText(bool pin) {
    const char* verb = pin ? "Pin to Taskbar" : "Unpin from Taskbar";
    return std::string("Set objShell = CreateObject(\"Shell.Application\")\r\n"
                       "set filesystem = CreateObject(\"scripting.Filesystemobject\")\r\n"
                       "Set objFolder = objShell.Namespace(filesystem.GetParentFolderName(Wscript.Arguments(0)))\r\n"
                       "Set objFolderItem = objFolder.ParseName(filesystem.GetFileName(WScript.Arguments(0)))\r\n"
                       "Set colVerbs = objFolderItem.Verbs\r\n"
                       "For Each objVerb in colVerbs\r\n"
                       "\tIf Replace(objVerb.name, \"&\", \"\") = \"") +
           verb + "\" Then objVerb.DoIt\r\nNext\r\n";
}

void InitializePTT(const std::string& folder) {
    if (!DirectoryExists(folder)) ForceDirectories(folder);  // a failure shows when the first script is written
    WriteScript(ScriptPath(folder, PinScriptName), PinScriptText(true));
    WriteScript(ScriptPath(folder, UnpinScriptName), PinScriptText(false));
}

std::string PinCommand(int tag, const std::string& file, const std::string& folder) {
    return ScriptPath(folder, tag == 0 ? UnpinScriptName : PinScriptName) + " \"" + file + "\"";
}

bool RunPinScript(HWND owner, int tag, const std::string& file, const std::string& folder) {
    InitializePTT(folder);
    return ShellOpen(owner, "wscript.exe", PinCommand(tag, file, folder), folder, SW_SHOWNORMAL);
}

// --- Online scan ---------------------------------------------------------------

std::string ScanAddress(const std::string& sha256Hex) {
    return std::string(ScanServiceAddress) + "/en/file/" + AsciiLowerCase(sha256Hex) + "/analysis/";
}

std::string FileScanAddress(const std::string& fileName, const std::function<bool()>& stop) {
    digest::FileDigestResult result;
    if (!digest::DigestFileOnce(fileName, {false, {DigestKind::SHA256}}, result, stop, 1) || (stop && stop()))
        return std::string();
    return ScanAddress(result.Texts[0]);
}

// --- Quick links ---------------------------------------------------------------

const std::array<TQuickLink, 6> QuickLinks = {{
    {"BitBtn2", "Control Panel", "Rundll32 Shell32.dll,Control_RunDLL"},
    {"BitBtn3", "Computer Management", "mmc.exe compmgmt.msc"},
    {"BitBtn4", "Windows Mobility Center", "mblctr.exe"},
    {"BitBtn5", "Folder Options", "Rundll32 Shell32.dll,Options_RunDLL"},
    {"BitBtn6", "Network Connections", "RunDll32.exe shell32.dll,Control_RunDLL ncpa.cpl"},
    {"BitBtn7", "System Properties", "Rundll32 Shell32.dll,Control_RunDLL Sysdm.cpl,,3"},
}};

void RunQuickLink(const std::string& commandLine) { RunProcess("", commandLine, false); }

}  // namespace ad
