// File streams over Win32 handles and resource streams.
#include "framework/FileStreams.h"

#include <algorithm>
#include <iterator>
#include <limits>

#include "framework/SysUtils.h"

namespace ad {

namespace {

// ReadFile / WriteFile take 32-bit counts: larger transfers go in pieces.
constexpr size_t kMaxChunk = size_t(1) << 30;

std::string WithReason(const char* text, DWORD error) {
    std::string reason = SysErrorMessage(error);
    return reason.empty() ? std::string(text) : std::string(text) + ". " + reason;
}

}  // namespace

// ---- TFileStream

TFileStream::TFileStream(const std::string& fileName, unsigned mode) : fileName_(fileName) {
    static const DWORD kShare[] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE};
    unsigned shareIndex = (mode & 0xF0) >> 4;
    DWORD share = shareIndex < std::size(kShare) ? kShare[shareIndex] : 0;
    std::wstring name = Widen(fileName);
    if ((mode & fmCreate) == fmCreate) {
        handle_.Reset(::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!handle_) throw EFCreateError(fileName, SysErrorMessage(::GetLastError()));
        return;
    }
    DWORD access;
    switch (mode & 0x0F) {
        case fmOpenRead: access = GENERIC_READ; break;
        case fmOpenWrite: access = GENERIC_WRITE; break;
        case fmOpenReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
        default: throw EFOpenError(fileName, SysErrorMessage(ERROR_INVALID_PARAMETER));
    }
    handle_.Reset(
        ::CreateFileW(name.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle_) throw EFOpenError(fileName, SysErrorMessage(::GetLastError()));
}

size_t TFileStream::Read(void* buffer, size_t count) {
    size_t done = 0;
    while (done < count) {
        DWORD want = static_cast<DWORD>(std::min(count - done, kMaxChunk));
        DWORD got = 0;
        if (!::ReadFile(handle_.Get(), static_cast<char*>(buffer) + done, want, &got, nullptr)) {
            DWORD error = ::GetLastError();
            if (error == ERROR_HANDLE_EOF) break;
            throw EReadError(WithReason("Stream read error", error));
        }
        done += got;
        if (got < want) break;
    }
    return done;
}

size_t TFileStream::Write(const void* buffer, size_t count) {
    size_t done = 0;
    while (done < count) {
        DWORD want = static_cast<DWORD>(std::min(count - done, kMaxChunk));
        DWORD put = 0;
        if (!::WriteFile(handle_.Get(), static_cast<const char*>(buffer) + done, want, &put, nullptr))
            throw EWriteError(WithReason("Stream write error", ::GetLastError()));
        done += put;
        if (put < want) break;
    }
    return done;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    static const DWORD kMethod[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    LARGE_INTEGER distance, result;
    distance.QuadPart = offset;
    if (!::SetFilePointerEx(handle_.Get(), distance, &result, kMethod[origin]))
        throw EStreamError(WithReason("Invalid stream position", ::GetLastError()));
    return result.QuadPart;
}

int64_t TFileStream::Size() {
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(handle_.Get(), &size)) throw EStreamError(WithReason("Stream size error", ::GetLastError()));
    return size.QuadPart;
}

void TFileStream::SetSize(int64_t newSize) {
    if (newSize < 0) throw EStreamError("Invalid stream size");
    int64_t pos = Position();
    Seek(newSize, soBeginning);
    if (!::SetEndOfFile(handle_.Get())) {
        DWORD error = ::GetLastError();
        Seek(pos, soBeginning);
        throw EWriteError(WithReason("Stream write error", error));
    }
    Seek(std::min(pos, newSize), soBeginning);
}

// ---- TResourceStream

static std::string ResourceDisplayName(LPCWSTR name) {
    if (IS_INTRESOURCE(name)) return IntToStr(static_cast<int64_t>(reinterpret_cast<uintptr_t>(name)));
    return Narrow(name);
}

TResourceStream::TResourceStream(HINSTANCE instance, LPCWSTR name, LPCWSTR type) {
    HRSRC info = ::FindResourceW(instance, name, type);
    HGLOBAL global = info ? ::LoadResource(instance, info) : nullptr;
    const void* data = global ? ::LockResource(global) : nullptr;
    if (!data) throw EResNotFound(Format("Resource %s not found", ResourceDisplayName(name).c_str()));
    SetPointer(data, ::SizeofResource(instance, info));
}

TResourceStream::TResourceStream(HINSTANCE instance, const std::string& name, LPCWSTR type)
    : TResourceStream(instance, Widen(name).c_str(), type) {}

}  // namespace ad
