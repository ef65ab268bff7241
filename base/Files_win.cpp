// Files by name on Windows: 8-bit names in the ANSI code page, widened and
// opened through the wide calls.
#include "base/Files.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <string_view>
#include <utility>

#include "base/Exception.h"
#include "base/WinText.h"

namespace ad {

namespace {

thread_local DWORD lastFileError = ERROR_SUCCESS;

// WriteFile takes 32-bit counts: larger writes go in pieces.
constexpr size_t kMaxChunk = size_t(1) << 30;

// A file handle closed on scope exit (the class-library layer's handle types
// build on this library, not the other way round).
struct FileCloser {
    HANDLE h;
    ~FileCloser() {
        if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
    }
};

}  // namespace

std::FILE* OpenNamedFile(const std::string& fileName, const char* mode) {
    if (fileName.empty()) {
        lastFileError = ERROR_FILE_NOT_FOUND;
        errno = ENOENT;
        return nullptr;
    }
    const std::wstring name = Widen(fileName);
    const std::string_view how(mode);
    if (how.starts_with('r') && how.find('+') == std::string_view::npos) {
        // Readers let others rename or delete the file meanwhile.
        HANDLE h = ::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            lastFileError = ::GetLastError();
            errno = lastFileError == ERROR_FILE_NOT_FOUND || lastFileError == ERROR_PATH_NOT_FOUND ? ENOENT : EACCES;
            return nullptr;
        }
        const bool binary = how.find('b') != std::string_view::npos;
        const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_RDONLY | (binary ? _O_BINARY : _O_TEXT));
        std::FILE* f = fd == -1 ? nullptr : _fdopen(fd, binary ? "rb" : "r");
        if (f == nullptr) {
            if (fd == -1) ::CloseHandle(h);
            else _close(fd);
            lastFileError = ERROR_TOO_MANY_OPEN_FILES;
            return nullptr;
        }
        lastFileError = ERROR_SUCCESS;
        return f;
    }
    ::SetLastError(ERROR_SUCCESS);
    std::FILE* f = _wfopen(name.c_str(), Widen(mode).c_str());
    lastFileError = f ? ERROR_SUCCESS : ::GetLastError();
    if (!f && lastFileError == ERROR_SUCCESS) lastFileError = ERROR_OPEN_FAILED;
    return f;
}

std::string LastFileErrorText() { return SysErrorMessage(lastFileError); }

void SaveFileAtomically(const std::string& fileName, const void* data, size_t size) {
    static std::atomic<unsigned> counter{0};
    const std::wstring target = Widen(fileName);
    // The system refuses to replace a read-only file or a folder; Wine would
    // replace it. Saving must fail as writing into it would.
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        throw EFCreateError(fileName, SysErrorMessage(ERROR_ACCESS_DENIED));
    std::wstring temp;
    FileCloser file{INVALID_HANDLE_VALUE};
    for (int attempt = 0; file.h == INVALID_HANDLE_VALUE; ++attempt) {
        temp = target + Widen(Format(".%lx-%x.tmp", ::GetCurrentProcessId(), counter.fetch_add(1)));
        file.h = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file.h == INVALID_HANDLE_VALUE) {
            const DWORD error = ::GetLastError();
            if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) || attempt > 100)
                throw EFCreateError(fileName, SysErrorMessage(error));
        }
    }
    DWORD error = ERROR_SUCCESS;
    const char* p = static_cast<const char*>(data);
    for (size_t done = 0; done < size && error == ERROR_SUCCESS;) {
        const DWORD want = static_cast<DWORD>(std::min(size - done, kMaxChunk));
        DWORD put = 0;
        if (!::WriteFile(file.h, p + done, want, &put, nullptr))
            error = ::GetLastError();
        else if (put == 0)
            error = ERROR_WRITE_FAULT;
        done += put;
    }
    if (error == ERROR_SUCCESS && !::FlushFileBuffers(file.h)) error = ::GetLastError();
    ::CloseHandle(std::exchange(file.h, INVALID_HANDLE_VALUE));
    if (error == ERROR_SUCCESS &&
        !::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = ::GetLastError();
    if (error != ERROR_SUCCESS) {
        ::DeleteFileW(temp.c_str());
        throw EFCreateError(fileName, SysErrorMessage(error));
    }
}

}  // namespace ad
