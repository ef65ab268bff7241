// Compression of a frame's pixel indices into GIF image data: the sub-block
// writer, the LZW encoder with its open-addressing string table, and the
// run-length encoder whose output any LZW decoder reads.
#pragma once

#include <cstdint>
#include <memory>

#include "gif/GIFLZWDecoder.h"
#include "base/Streams.h"

namespace ad::gif {

// A write-only stream over a target; reading and seeking raise
// "Invalid stream operation".
class TGIFStream : public TStream {
public:
    explicit TGIFStream(TStream& target) : Target(target) {}
    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override;

    TStream& Target;

protected:
    uint8_t buffer_[256] = {};
    int count_ = 1;  // used positions; position 0 is the sub-block size
};

// Packs bytes into data sub-blocks of at most 255 bytes. Flush (or the
// destructor) writes the last, partial block; an empty block is never written.
class TGIFWriter : public TGIFStream {
public:
    using TGIFStream::TGIFStream;
    ~TGIFWriter() override;
    size_t Write(const void* buffer, size_t count) override;
    inline void WriteByte(uint8_t b) {
        held_ = true;
        buffer_[count_++] = b;
        if (count_ == 256) FlushBlock();
    }
    void Flush();

private:
    void FlushBlock();
    bool held_ = false;
};

class TGIFEncoder {
public:
    TGIFEncoder() = default;
    TGIFEncoder(const TGIFEncoder&) = delete;
    TGIFEncoder& operator=(const TGIFEncoder&) = delete;
    virtual ~TGIFEncoder() = default;

    // Writes the minimum code size byte, the data sub-blocks and the block
    // terminator for width * height pixels (rows top to bottom).
    void Compress(TStream& stream, const uint8_t* data, int width, int height, bool interlaced, int bits,
                  int colorLimit);

    TGIFDecoderWarning OnWarning;
    int ColorLimit = 0;
    int MinCodeSize = 0;

protected:
    virtual void PutCode(int code);
    virtual void Clear();
    virtual void EncodePixels() = 0;

    // The next pixel of the walk (rows in interlace order when interlaced);
    // -1 after the last. An index not below ColorLimit raises.
    inline int NextPixel() {
        if (rowLeft_ == 0 && !NextRow()) return -1;
        --rowLeft_;
        int p = *pixel_++;
        if (p >= ColorLimit) ColorError();
        return p;
    }

    // The rest of the current row of the walk (of the whole image when not
    // interlaced) as [begin, end), taken at once; false after the last. The
    // caller checks the indices against ColorLimit.
    inline bool NextSpan(const uint8_t*& begin, const uint8_t*& end) {
        if (rowLeft_ == 0 && !NextRow()) return false;
        begin = pixel_;
        end = pixel_ + rowLeft_;
        pixel_ = end;
        rowLeft_ = 0;
        return true;
    }

    [[noreturn]] void ColorError();

    int StartWidth = 0, CodeWidth = 0, WidthLimit = 0;
    int ClearCode = 0, EndCode = 0, FirstFree = 0;
    bool ClearFlag = false;

    // The bit output: bytes go to writer_ from the accumulator holding bits_
    // pending bits.
    TGIFWriter* writer_ = nullptr;
    uint32_t accumulator_ = 0;
    int bits_ = 0;

private:
    bool NextRow();

    const uint8_t* data_ = nullptr;
    int width_ = 0, height_ = 0;
    bool interlaced_ = false;
    int64_t rowLeft_ = 0;
    const uint8_t* pixel_ = nullptr;
    int row_ = 0, pass_ = 0;
    bool started_ = false;
};

// The string table of the LZW encoder: 8009 slots, each key * 4096 + code.
class THashTable {
public:
    static constexpr int Size = 8009;
    void Clear();
    // The slot holding key, or the empty slot where it belongs.
    inline int Find(uint32_t key) const {
        int h = Hash(key);
        int d = h == 0 ? 1 : Size - h;
        for (;;) {
            uint32_t e = slots_[h];
            if (e >= 0xFFFFF000u || (e >> 12) == key) return h;
            h -= d;
            h += Size & (h >> 31);  // plus Size when negative
        }
    }
    // The code in a slot answered by Find, or -1 when it is empty.
    inline int CodeAt(int slot) const { return slots_[slot] >= 0xFFFFF000u ? -1 : int(slots_[slot] & 0xFFF); }
    // Fills the empty slot answered by Find.
    inline void Store(int slot, uint32_t key, int code) { slots_[slot] = key << 12 | uint32_t(code); }
    // The code stored for key, or -1.
    inline int Lookup(uint32_t key) const { return CodeAt(Find(key)); }
    void Insert(uint32_t key, int code);

private:
    // ((key div 16) xor key) mod Size. The remainder comes from the fraction
    // of x / Size, taken in 32 bits with a rounded-up reciprocal: exact for
    // every x below 2^20 (keys are 20 bits), and below Size for any x.
    static constexpr uint32_t Reciprocal = uint32_t((uint64_t(1) << 32) / Size + 1);
    static inline int Hash(uint32_t key) {
        uint32_t fraction = ((key >> 4) ^ key) * Reciprocal;
        return int((uint64_t(fraction) * Size) >> 32);
    }
    uint32_t slots_[Size];
};

class TLZWEncoder final : public TGIFEncoder {
protected:
    void PutCode(int code) override;
    void Clear() override;
    void EncodePixels() override;

private:
    std::unique_ptr<THashTable> table_;
    // For each code, a string of the table that extends it by one pixel:
    // pixel * 4096 + code, or NoChild. Answers most lookups of repetitive
    // pictures without probing the hash table.
    static constexpr uint32_t NoChild = 0xFFFFFFFFu;
    std::unique_ptr<uint32_t[]> child_;
    int NextFree = 0;
};

class TRLEEncoder final : public TGIFEncoder {
protected:
    void Clear() override;
    void EncodePixels() override;

private:
    void Send(int code);
    int TriangleCost(int n) const;
    void FlushRun(int n);
    void FlushFromClear(int n);
    void FlushByClearOrRepeat(int n);
    void FlushWithTable(int n);

    int BumpAt = 0, BumpAtInit = 0, ClearAt = 0, ClearAtInit = 0;
    int SentCount = 0, RunCodeLimit = 0, LongestRun = 0, RunPixel = 0, RunValue = -1;
};

}  // namespace ad::gif
