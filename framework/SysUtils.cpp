// Operating-system helpers of the class-library layer.
#include "framework/SysUtils.h"

#include <shellapi.h>

#include "framework/Handles.h"

namespace ad {

EOSError::EOSError(DWORD code)
    : Exception(Format("System Error.  Code: %lu.\r\n%s", static_cast<unsigned long>(code),
                       SysErrorMessage(code).c_str())),
      ErrorCode(code) {}

void RaiseOSError(DWORD code) { throw EOSError(code); }
void RaiseLastOSError() { RaiseOSError(::GetLastError()); }

std::string AnsiLowerCase(std::string_view s) {
    std::string r(s);
    if (!r.empty()) ::CharLowerBuffA(r.data(), static_cast<DWORD>(r.size()));
    return r;
}

std::string AnsiUpperCase(std::string_view s) {
    std::string r(s);
    if (!r.empty()) ::CharUpperBuffA(r.data(), static_cast<DWORD>(r.size()));
    return r;
}

static int Compare(DWORD flags, std::string_view a, std::string_view b) {
    int r = ::CompareStringA(LOCALE_USER_DEFAULT, flags, a.data(), static_cast<int>(a.size()), b.data(),
                             static_cast<int>(b.size()));
    return r - CSTR_EQUAL;
}

int AnsiCompareText(std::string_view a, std::string_view b) { return Compare(NORM_IGNORECASE, a, b); }
int AnsiCompareStr(std::string_view a, std::string_view b) { return Compare(0, a, b); }
bool AnsiSameText(std::string_view a, std::string_view b) { return AnsiCompareText(a, b) == 0; }

bool FileExists(const std::string& fileName) {
    DWORD a = ::GetFileAttributesW(Widen(fileName).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& dirName) {
    DWORD a = ::GetFileAttributesW(Widen(dirName).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceDirectories(const std::string& dirName) {
    std::string dir = ExcludeTrailingPathDelimiter(dirName);
    if (dir.empty()) return false;
    if (DirectoryExists(dir)) return true;
    std::string parent = ExtractFileDir(dir);
    // Stop at a drive ("C:") or a root that cannot be created.
    if (!parent.empty() && parent != dir && !DirectoryExists(parent) && !ForceDirectories(parent)) return false;
    return CreateDir(dir) || DirectoryExists(dir);
}

bool RemoveFile(const std::string& fileName) { return ::DeleteFileW(Widen(fileName).c_str()) != 0; }

bool RenameFile(const std::string& oldName, const std::string& newName) {
    return ::MoveFileW(Widen(oldName).c_str(), Widen(newName).c_str()) != 0;
}

bool CreateDir(const std::string& dirName) { return ::CreateDirectoryW(Widen(dirName).c_str(), nullptr) != 0; }
bool RemoveDir(const std::string& dirName) { return ::RemoveDirectoryW(Widen(dirName).c_str()) != 0; }

int64_t FileSize(const std::string& fileName) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(Widen(fileName).c_str(), GetFileExInfoStandard, &data)) return -1;
    return (int64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string GetCurrentDir() {
    DWORD n = ::GetCurrentDirectoryW(0, nullptr);
    std::wstring w(n, L'\0');
    n = ::GetCurrentDirectoryW(n, w.data());
    w.resize(n);
    return Narrow(w);
}

std::string ExpandFileName(const std::string& fileName) {
    std::wstring in = Widen(fileName);
    DWORD n = ::GetFullPathNameW(in.c_str(), 0, nullptr, nullptr);
    if (n == 0) return fileName;
    std::wstring w(n, L'\0');
    n = ::GetFullPathNameW(in.c_str(), n, w.data(), nullptr);
    w.resize(n);
    return Narrow(w);
}

std::string GetEnvVar(const std::string& name) {
    std::wstring wname = Widen(name);
    DWORD n = ::GetEnvironmentVariableW(wname.c_str(), nullptr, 0);
    if (n == 0) return std::string();
    std::wstring w(n, L'\0');
    n = ::GetEnvironmentVariableW(wname.c_str(), w.data(), n);
    w.resize(n);
    return Narrow(w);
}

std::vector<std::string> FindFiles(const std::string& mask) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW fd;
    OwnedFind find(::FindFirstFileW(Widen(mask).c_str(), &fd));
    if (!find) return names;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(Narrow(fd.cFileName));
    } while (::FindNextFileW(find.Get(), &fd));
    return names;
}

static std::vector<std::string> CommandLineArgs() {
    std::vector<std::string> args;
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (!argv) return args;
    for (int i = 0; i < argc; ++i) args.push_back(Narrow(argv[i]));
    ::LocalFree(argv);
    return args;
}

int ParamCount() {
    int n = static_cast<int>(CommandLineArgs().size()) - 1;
    return n < 0 ? 0 : n;
}

std::string ParamStr(int index) {
    if (index == 0) return ModuleFileName();
    auto args = CommandLineArgs();
    return index > 0 && static_cast<size_t>(index) < args.size() ? args[index] : std::string();
}

std::string ModuleFileName(HMODULE module) {
    std::wstring w(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = ::GetModuleFileNameW(module, w.data(), static_cast<DWORD>(w.size()));
        if (n < w.size()) {
            w.resize(n);
            return Narrow(w);
        }
        w.resize(w.size() * 2);
    }
}

}  // namespace ad
