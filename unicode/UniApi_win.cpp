// The Unicode layer's system calls on Windows.
#include "unicode/UniApi.h"

#include "base/StrUtils.h"
#include "base/WinText.h"
#include "framework/FileStreams.h"

namespace ad::uni {

const TUniPlatform& UniPlatform() {
    static const TUniPlatform platform = [] {
        OSVERSIONINFOW info{};
        info.dwOSVersionInfoSize = sizeof info;
        if (!::GetVersionExW(&info)) return TUniPlatform{};
        return PlatformOf(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
    }();
    return platform;
}

unsigned AnsiCodePageOfLocale(LCID locale) {
    char buffer[6] = {};
    int codePage = 0;
    if (::GetLocaleInfoA(locale, LOCALE_IDEFAULTANSICODEPAGE, buffer, sizeof buffer) > 0 &&
        TryStrToInt(buffer, codePage) && codePage > 0)
        return static_cast<unsigned>(codePage);
    return ::GetACP();
}

unsigned DefaultCodePage() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (UniPlatform().UnicodePlatform && ::GetVersionExW(&info) && info.dwMajorVersion >= 5) return CP_THREAD_ACP;
    return AnsiCodePageOfLocale(::GetThreadLocale());
}

BOOL UniSetWindowText(HWND wnd, std::wstring_view text) { return ::SetWindowTextW(wnd, std::wstring(text).c_str()); }

int UniDrawText(HDC dc, std::wstring_view text, int count, RECT& rect, UINT format, const TUniPlatform& platform) {
    const std::wstring_view part =
        count < 0 ? text.substr(0, text.find(L'\0')) : text.substr(0, static_cast<size_t>(count));
    if (platform.UnicodePlatform)
        return ::DrawTextW(dc, part.data(), static_cast<int>(part.size()), &rect, format);
    const std::string ansi = Narrow(part);
    return ::DrawTextA(dc, ansi.c_str(), -1, &rect, format);
}

HANDLE UniCreateFile(const std::wstring& fileName, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
    return ::CreateFileW(fileName.c_str(), access, share, nullptr, disposition, flags, nullptr);
}

std::wstring UniFullPathName(const std::wstring& fileName) {
    wchar_t buffer[MAX_PATH];
    wchar_t* filePart = nullptr;
    DWORD n = ::GetFullPathNameW(fileName.c_str(), MAX_PATH, buffer, &filePart);
    if (n == 0) return {};
    if (n < MAX_PATH) return std::wstring(buffer, n);
    std::wstring big(n, L'\0');
    n = ::GetFullPathNameW(fileName.c_str(), static_cast<DWORD>(big.size()), big.data(), &filePart);
    big.resize(n < big.size() ? n : 0);
    return big;
}

std::wstring UniSysErrorMessage(DWORD code, HMODULE module) {
    wchar_t buffer[256];
    DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY;
    if (module) flags |= FORMAT_MESSAGE_FROM_HMODULE;
    const DWORD n = ::FormatMessageW(flags, module, code, 0, buffer, 256, nullptr);
    std::wstring_view text(buffer, n);
    const size_t first = text.find_first_not_of(L" \t\r\n");
    if (first != std::wstring_view::npos) return std::wstring(text.substr(first, text.find_last_not_of(L" \t\r\n") - first + 1));
    std::string source = "system";
    if (module) {
        wchar_t name[MAX_PATH];
        const DWORD len = ::GetModuleFileNameW(module, name, MAX_PATH);
        source = ExtractFileName(Narrow(std::wstring_view(name, len)));
    }
    return Widen(UnspecifiedErrorText(static_cast<long>(static_cast<int>(code)), source));
}

TSize UniTextExtent(HDC dc, std::wstring_view text) {
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    return TSize{size.cx, size.cy};
}

// --- TUniFileStream ------------------------------------------------------------

namespace {

// Opens by the stream's mode rules; raises with the full path on failure.
OwnedFile OpenUniFile(const std::wstring& fileName, unsigned mode) {
    const bool create = mode >= fmCreate;
    HANDLE h;
    if (create) {
        h = UniCreateFile(fileName, GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
    } else {
        static const DWORD access[4] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE, 0};
        static const DWORD share[5] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE};
        const unsigned shareIndex = (mode & 0xF0) >> 4;
        h = UniCreateFile(fileName, access[mode & 3], shareIndex < 5 ? share[shareIndex] : 0, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL);
    }
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD err = ::GetLastError();
        const std::string name = Narrow(UniFullPathName(fileName));
        const std::string reason = Narrow(UniSysErrorMessage(err));
        if (create) throw EFCreateError(name, reason);
        throw EFOpenError(name, reason);
    }
    return OwnedFile(h);
}

}  // namespace

// Reading, writing, seeking and sizing are the file stream's own.
TUniFileStream::TUniFileStream(const std::wstring& fileName, unsigned mode)
    : TFileStream(Narrow(fileName), OpenUniFile(fileName, mode)) {}

}  // namespace ad::uni
