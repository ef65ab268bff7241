// Byte streams: abstract stream helpers, memory, file and resource streams.
#include "framework/Streams.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <iterator>
#include <limits>
#include <new>
#include <stdexcept>

#include "framework/SysUtils.h"

namespace ad {

namespace {

// ReadFile / WriteFile take 32-bit counts: larger transfers go in pieces.
constexpr size_t kMaxChunk = size_t(1) << 30;

std::string WithReason(const char* text, DWORD error) {
    std::string reason = SysErrorMessage(error);
    return reason.empty() ? std::string(text) : std::string(text) + ". " + reason;
}

int64_t AddPosition(int64_t base, int64_t offset) {
    if ((offset > 0 && base > std::numeric_limits<int64_t>::max() - offset) ||
        (offset < 0 && base < std::numeric_limits<int64_t>::min() - offset))
        throw EStreamError("Invalid stream position");
    return base + offset;
}

}  // namespace

// ---- TStream

int64_t TStream::Size() {
    int64_t pos = Seek(0, soCurrent);
    int64_t size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

void TStream::SetSize(int64_t) { throw EStreamError("Stream size cannot be changed"); }

void TStream::ReadBuffer(void* buffer, size_t count) {
    if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, size_t count) {
    if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count <= 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    constexpr size_t kBufferSize = 64 * 1024;
    std::vector<char> buffer(static_cast<size_t>(std::min<int64_t>(count, kBufferSize)));
    int64_t left = count;
    while (left > 0) {
        size_t n = static_cast<size_t>(std::min<int64_t>(left, kBufferSize));
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        left -= static_cast<int64_t>(n);
    }
    return count;
}

// ---- TCustomMemoryStream

size_t TCustomMemoryStream::Read(void* buffer, size_t count) {
    if (position_ < 0 || static_cast<uint64_t>(position_) >= size_) return 0;
    size_t pos = static_cast<size_t>(position_);
    size_t n = std::min(count, size_ - pos);
    if (n) std::memcpy(buffer, data_ + pos, n);
    position_ += static_cast<int64_t>(n);
    return n;
}

int64_t TCustomMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? position_ : static_cast<int64_t>(size_);
    int64_t pos = AddPosition(base, offset);
    if (pos < 0) throw EStreamError("Invalid stream position");
    position_ = pos;
    return pos;
}

void TCustomMemoryStream::SaveToStream(TStream& stream) { stream.WriteBuffer(data_, size_); }

void TCustomMemoryStream::SaveToFile(const std::string& fileName) { SaveFileAtomically(fileName, data_, size_); }

void TCustomMemoryStream::SetPointer(const void* data, size_t size) {
    data_ = static_cast<const char*>(data);
    size_ = size;
}

// ---- TMemoryStream

void TMemoryStream::Resize(size_t newSize) {
    try {
        buffer_.resize(newSize);
    } catch (const std::bad_alloc&) {
        throw EStreamError("Out of memory while expanding memory stream");
    } catch (const std::length_error&) {
        throw EStreamError("Out of memory while expanding memory stream");
    }
    SetPointer(buffer_.data(), buffer_.size());
}

size_t TMemoryStream::Write(const void* buffer, size_t count) {
    if (count == 0) return 0;
    if (position_ < 0 || static_cast<uint64_t>(position_) > std::numeric_limits<size_t>::max() - count)
        throw EStreamError("Out of memory while expanding memory stream");
    size_t pos = static_cast<size_t>(position_);
    if (pos + count > size_) Resize(pos + count);
    std::memcpy(buffer_.data() + pos, buffer, count);
    position_ += static_cast<int64_t>(count);
    return count;
}

void TMemoryStream::SetSize(int64_t newSize) {
    if (newSize < 0 || static_cast<uint64_t>(newSize) > std::numeric_limits<size_t>::max())
        throw EStreamError("Invalid stream size");
    Resize(static_cast<size_t>(newSize));
    if (position_ > newSize) position_ = newSize;
}

void TMemoryStream::Clear() {
    std::vector<char>().swap(buffer_);
    SetPointer(nullptr, 0);
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
    stream.SetPosition(0);
    int64_t size = stream.Size();
    SetSize(size);
    position_ = 0;
    stream.ReadBuffer(buffer_.data(), size_);
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

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

size_t TResourceStream::Write(const void*, size_t) {
    throw EStreamError("Can't write to a read-only resource stream");
}

void TResourceStream::SetSize(int64_t) { throw EStreamError("Can't write to a read-only resource stream"); }

// ---- Atomic file replacement

void SaveFileAtomically(const std::string& fileName, const void* data, size_t size) {
    static std::atomic<unsigned> counter{0};
    std::wstring target = Widen(fileName);
    // Moving over a read-only file succeeds on some systems; it must fail like
    // writing into it would.
    DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        throw EFCreateError(fileName, SysErrorMessage(ERROR_ACCESS_DENIED));
    std::wstring temp;
    OwnedFile file;
    for (int attempt = 0; !file; ++attempt) {
        temp = target + Widen(Format(".%lx-%x.tmp", ::GetCurrentProcessId(), counter.fetch_add(1)));
        file.Reset(::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                 nullptr));
        if (!file) {
            DWORD error = ::GetLastError();
            if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) || attempt > 100)
                throw EFCreateError(fileName, SysErrorMessage(error));
        }
    }
    DWORD error = ERROR_SUCCESS;
    const char* p = static_cast<const char*>(data);
    for (size_t done = 0; done < size && error == ERROR_SUCCESS;) {
        DWORD want = static_cast<DWORD>(std::min(size - done, kMaxChunk));
        DWORD put = 0;
        if (!::WriteFile(file.Get(), p + done, want, &put, nullptr))
            error = ::GetLastError();
        else if (put == 0)
            error = ERROR_WRITE_FAULT;
        done += put;
    }
    if (error == ERROR_SUCCESS && !::FlushFileBuffers(file.Get())) error = ::GetLastError();
    file.Reset();
    if (error == ERROR_SUCCESS &&
        !::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = ::GetLastError();
    if (error != ERROR_SUCCESS) {
        ::DeleteFileW(temp.c_str());
        throw EFCreateError(fileName, SysErrorMessage(error));
    }
}

}  // namespace ad
