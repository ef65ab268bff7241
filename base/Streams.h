// The byte stream of the whole system: the abstract stream every reader and
// writer takes, and streams over memory. Sizes and positions are 64-bit;
// transfer counts are size_t. Portable: the Win32 file and resource streams
// build on it in the class-library layer (framework/FileStreams.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/Exception.h"

namespace ad {

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

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
    // Bytes between the position and the end (0 past the end).
    int64_t Remaining() {
        const int64_t r = Size() - Position();
        return r > 0 ? r : 0;
    }

    // Transfers exactly count bytes or raise EReadError / EWriteError.
    void ReadBuffer(void* buffer, size_t count);
    void WriteBuffer(const void* buffer, size_t count);
    // Copies count bytes from source's current position; count 0 copies the whole
    // source from its start. Returns the number of bytes copied.
    int64_t CopyFrom(TStream& source, int64_t count);

    // Single bytes and little-endian words, for the binary formats.
    bool ReadByte(uint8_t& b) { return Read(&b, 1) == 1; }  // false at the end
    void WriteByte(uint8_t b) { WriteBuffer(&b, 1); }
    void WriteWord(uint16_t w) {
        const uint8_t b[2] = {uint8_t(w), uint8_t(w >> 8)};
        WriteBuffer(b, 2);
    }
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

    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
    int64_t position_ = 0;
};

// A read-only stream over memory that stays the caller's and must outlive it.
class TReadOnlyMemoryStream : public TCustomMemoryStream {
public:
    TReadOnlyMemoryStream(const void* data, size_t size) { SetPointer(data, size); }

    size_t Write(const void* buffer, size_t count) override;  // raises EStreamError
    void SetSize(int64_t newSize) override;                   // raises EStreamError

protected:
    TReadOnlyMemoryStream() = default;
};

// A growable in-memory stream.
class TMemoryStream : public TCustomMemoryStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes);  // position 0
    TMemoryStream(const void* data, size_t size);

    size_t Write(const void* buffer, size_t count) override;
    void SetSize(int64_t newSize) override;

    void* Memory() { return buffer_.data(); }
    const void* Memory() const { return buffer_.data(); }
    const std::vector<uint8_t>& Bytes() const { return buffer_; }
    void Clear();
    // Replaces the content with the whole of the stream or file; position 0 afterwards.
    void LoadFromStream(TStream& stream);
    void LoadFromFile(const std::string& fileName);

private:
    void Resize(size_t newSize);

    std::vector<uint8_t> buffer_;
};

}  // namespace ad
