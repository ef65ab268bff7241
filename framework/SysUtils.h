// Operating-system helpers of the class-library layer: OS errors with the system's
// text, ANSI <-> UTF-16 conversion at the layer's boundary, files and folders,
// the command line, and case rules of the ANSI code page.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Exception.h"
#include "base/StrUtils.h"
#include "base/WinText.h"

namespace ad {

// An operating-system error; the message is the system's text for the code.
class EOSError : public Exception {
public:
    explicit EOSError(DWORD code);
    EOSError(DWORD code, const std::string& message) : Exception(message), ErrorCode(code) {}
    DWORD ErrorCode;
};

[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseOSError(DWORD code);

// Case rules of the ANSI code page (not only ASCII).
std::string AnsiLowerCase(std::string_view s);
std::string AnsiUpperCase(std::string_view s);
int AnsiCompareText(std::string_view a, std::string_view b);  // <0, 0, >0, ignoring case
int AnsiCompareStr(std::string_view a, std::string_view b);   // <0, 0, >0
bool AnsiSameText(std::string_view a, std::string_view b);

// Files and folders (ANSI names).
bool FileExists(const std::string& fileName);      // an existing file, not a folder
bool DirectoryExists(const std::string& dirName);
bool ForceDirectories(const std::string& dirName);  // creates every missing level
bool RemoveFile(const std::string& fileName);       // DeleteFile
bool RenameFile(const std::string& oldName, const std::string& newName);
bool CreateDir(const std::string& dirName);
bool RemoveDir(const std::string& dirName);
int64_t FileSize(const std::string& fileName);      // -1 when missing
std::string GetCurrentDir();
std::string ExpandFileName(const std::string& fileName);  // full path name
std::string GetEnvVar(const std::string& name);
// Names (without folder) matching a mask such as "C:\x\*.dat"; files only.
std::vector<std::string> FindFiles(const std::string& mask);

// The command line, split by the rules of the C runtime. ParamStr(0) is the program.
int ParamCount();
std::string ParamStr(int index);
std::string ModuleFileName(HMODULE module = nullptr);

}  // namespace ad
