// The class-library layer's Win32 streams: file streams over file handles and
// read-only streams over module resources, both on the system's byte stream.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/Exception.h"
#include "base/Streams.h"
#include "framework/Handles.h"

namespace ad {

AD_DECLARE_EXCEPTION(EResNotFound, Exception);

// File stream modes: one access mode, optionally or-ed with one share mode.
constexpr unsigned fmCreate = 0xFF00;  // create or truncate, read/write access
constexpr unsigned fmOpenRead = 0x0000;
constexpr unsigned fmOpenWrite = 0x0001;
constexpr unsigned fmOpenReadWrite = 0x0002;
constexpr unsigned fmShareCompat = 0x0000;  // same as exclusive
constexpr unsigned fmShareExclusive = 0x0010;
constexpr unsigned fmShareDenyWrite = 0x0020;
constexpr unsigned fmShareDenyRead = 0x0030;
constexpr unsigned fmShareDenyNone = 0x0040;

// A stream over a file. Opening failures raise EFOpenError (EFCreateError for
// fmCreate) naming the file, with the system's reason.
class TFileStream : public TStream {
public:
    TFileStream(const std::string& fileName, unsigned mode);

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override;
    void SetSize(int64_t newSize) override;

    const std::string& FileName() const { return fileName_; }
    HANDLE Handle() const { return handle_.Get(); }

protected:
    // A stream over a file a derived class opened by its own rules; fileName
    // names it in errors.
    TFileStream(std::string fileName, OwnedFile&& handle) : fileName_(std::move(fileName)), handle_(std::move(handle)) {}

private:
    std::string fileName_;
    OwnedFile handle_;
};

// A read-only stream over a resource of a loaded module. Name and type may be
// MAKEINTRESOURCE values. The module must stay loaded while the stream is used.
// A missing resource raises EResNotFound.
class TResourceStream : public TReadOnlyMemoryStream {
public:
    TResourceStream(HINSTANCE instance, LPCWSTR name, LPCWSTR type);
    TResourceStream(HINSTANCE instance, const std::string& name, LPCWSTR type);
};

}  // namespace ad
