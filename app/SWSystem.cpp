// SWSystem: path text, the temporary folder, starting programs, version strings.
#include "app/SWSystem.h"

#include <windows.h>

#include <cstring>
#include <cwchar>
#include <iterator>
#include <vector>

#include "framework/Handles.h"
#include "base/StrUtils.h"
#include "framework/SysUtils.h"

namespace ad {

std::string IncludeBackslash(const std::string& path) {
    if (path.empty() || path.back() == '\\') return path;
    return path + '\\';
}

std::string RemoveFileExt(const std::string& name) {
    std::string r = ChangeFileExt(name, ".nul");
    r.resize(r.size() - 4);
    return r;
}

std::string GetTempDir() {
    // Asks for the size first: a temporary folder may be longer than MAX_PATH.
    std::vector<wchar_t> buf(MAX_PATH + 1);
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD n = ::GetTempPathW(static_cast<DWORD>(buf.size()), buf.data());
        if (n == 0) return std::string();
        if (n < buf.size()) return Narrow(std::wstring_view(buf.data(), n));
        buf.resize(n + 1);  // n is the size needed, terminator included
    }
    return std::string();
}

void RunProcess(const std::string& appName, const std::string& cmdLine, bool wait) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring app = Widen(appName);
    // CreateProcessW may write into the command line: hand it a private copy.
    std::wstring cmd = Widen(cmdLine);
    std::vector<wchar_t> cmdBuf(cmd.begin(), cmd.end());
    cmdBuf.push_back(L'\0');
    if (!::CreateProcessW(app.empty() ? nullptr : app.c_str(), cmdBuf.data(), nullptr, nullptr, FALSE,
                          NORMAL_PRIORITY_CLASS, nullptr, nullptr, &si, &pi))
        RaiseLastOSError();
    OwnedKernelHandle process(pi.hProcess);
    OwnedKernelHandle thread(pi.hThread);
    if (wait) ::WaitForSingleObject(process.Get(), INFINITE);
}

std::string GetVersionInfoString(const std::string& fileName, int index) {
    // "Productname" is written so; version keys are matched without regard to case.
    static const char* const keys[] = {"CompanyName",    "FileDescription",  "FileVersion", "InternalName",
                                       "LegalCopyright", "LegalTrademarks",  "OriginalFilename",
                                       "Productname",    "ProductVersion",   "Comments"};
    if (index < 0 || index >= static_cast<int>(std::size(keys))) return std::string();
    std::wstring file = Widen(fileName);
    DWORD unused = 0;
    DWORD size = ::GetFileVersionInfoSizeW(file.c_str(), &unused);
    if (size == 0) return std::string();
    std::vector<BYTE> info(size);
    if (!::GetFileVersionInfoW(file.c_str(), 0, size, info.data())) return std::string();

    void* table = nullptr;
    UINT tableLen = 0;
    if (!::VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &table, &tableLen) || !table ||
        tableLen < sizeof(DWORD))
        return std::string();
    DWORD translation;
    std::memcpy(&translation, table, sizeof translation);
    std::string block = "\\StringFileInfo\\" + IntToHex(LOWORD(translation), 4) + IntToHex(HIWORD(translation), 4) +
                        "\\" + keys[index];

    void* value = nullptr;
    UINT valueLen = 0;  // in characters
    if (!::VerQueryValueW(info.data(), Widen(block).c_str(), &value, &valueLen) || !value) return std::string();
    const wchar_t* text = static_cast<const wchar_t*>(value);
    return Narrow(std::wstring_view(text, ::wcsnlen(text, valueLen)));
}

}  // namespace ad
