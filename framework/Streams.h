// Byte streams of the class-library layer: the abstract stream, memory streams,
// file streams over Win32 handles and read-only streams over module resources.
// Sizes and positions are 64-bit; transfer counts are size_t.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Exception.h"
#include "framework/Handles.h"

namespace ad {

AD_DECLARE_EXCEPTION(EResNotFound, Exception);

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

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

class TStream {
public:
    TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;
    virtual ~TStream() = default;

    // Reads up to count bytes; returns how many were read (0 at or past the end).
    // A failure of the system raises EReadError.
    virtual size_t Read(void* buffer, size_t count) = 0;
    // Writes count bytes; returns how many were written. A failure raises EWriteError.
    virtual size_t Write(const void* buffer, size_t count) = 0;
    // Returns the new position; a position before the start raises EStreamError.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

    int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t pos) { Seek(pos, soBeginning); }
    virtual int64_t Size();
    // Sets the size; the position stays unless it was past the new end. Streams
    // that cannot be resized raise EStreamError.
    virtual void SetSize(int64_t newSize);

    // Transfers exactly count bytes or raise EReadError / EWriteError.
    void ReadBuffer(void* buffer, size_t count);
    void WriteBuffer(const void* buffer, size_t count);
    // Copies count bytes from source's current position; count 0 copies the whole
    // source from its start. Returns the number of bytes copied.
    int64_t CopyFrom(TStream& source, int64_t count);
};

// A stream over a block of memory it does not manage itself.
class TCustomMemoryStream : public TStream {
public:
    size_t Read(void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(size_); }

    const void* Memory() const { return data_; }
    void SaveToStream(TStream& stream);
    void SaveToFile(const std::string& fileName);  // replaces the file atomically

protected:
    void SetPointer(const void* data, size_t size);

    const char* data_ = nullptr;
    size_t size_ = 0;
    int64_t position_ = 0;
};

// A growable in-memory stream.
class TMemoryStream : public TCustomMemoryStream {
public:
    size_t Write(const void* buffer, size_t count) override;
    void SetSize(int64_t newSize) override;

    void* Memory() { return buffer_.data(); }
    const void* Memory() const { return buffer_.data(); }
    void Clear();
    // Replaces the content with the whole of the stream or file; position 0 afterwards.
    void LoadFromStream(TStream& stream);
    void LoadFromFile(const std::string& fileName);

private:
    void Resize(size_t newSize);

    std::vector<char> buffer_;
};

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

private:
    std::string fileName_;
    OwnedFile handle_;
};

// A read-only stream over a resource of a loaded module. Name and type may be
// MAKEINTRESOURCE values. The module must stay loaded while the stream is used.
// A missing resource raises EResNotFound.
class TResourceStream : public TCustomMemoryStream {
public:
    TResourceStream(HINSTANCE instance, LPCWSTR name, LPCWSTR type);
    TResourceStream(HINSTANCE instance, const std::string& name, LPCWSTR type);

    size_t Write(const void* buffer, size_t count) override;  // raises EStreamError
    void SetSize(int64_t newSize) override;                   // raises EStreamError
};

// Writes data to a temporary file beside fileName and then moves it over fileName,
// so that a failed save leaves any previous file untouched. Raises EFCreateError
// naming fileName.
void SaveFileAtomically(const std::string& fileName, const void* data, size_t size);

}  // namespace ad
