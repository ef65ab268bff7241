// LZW decoding of one frame's image data. Bits come from a small buffer that
// keeps the last two bytes of the previous sub-block and is refilled one
// sub-block at a time, as often as a code needs: images stored in 1-byte
// sub-blocks decode like any other.
#include "gif/GIFLZWDecoder.h"

#include <cstring>
#include <memory>

#include "gif/GifCodec.h"

namespace ad {

namespace {

constexpr int TableSize = 4096;
constexpr int StackSize = 8192;

class TLZWDecoder {
public:
    TLZWDecoder(TGIFIOStream& stream, const TGIFDecoderWarning& warn) : stream_(stream), warn_(warn) {}

    // Reads the minimum code size; false at the end of the stream.
    bool Start() {
        uint8_t size;
        if (!stream_.ReadByte(size)) return false;
        minCodeSize_ = size > 8 ? 8 : size;
        clearCode_ = 1 << minCodeSize_;
        endCode_ = clearCode_ + 1;
        codeSize_ = minCodeSize_ + 1;
        maxCode_ = 2 * clearCode_;
        nextCode_ = clearCode_ + 2;
        return true;
    }

    inline int NextPixel() {
        if (sp_ > 0) return stack_[--sp_];
        return NextCode();
    }

    // Pops up to count pending pixels of the current string into out.
    inline int TakePending(uint8_t* out, int count) {
        int n = sp_ < count ? sp_ : count;
        for (int i = 0; i < n; ++i) out[i] = stack_[--sp_];
        return n;
    }

private:
    void Warn(const char* message) {
        if (warn_) warn_(message);
    }

    int ReadCode(int n) {
        if (fresh_) {
            fresh_ = false;
            return clearCode_;
        }
        while (curBit_ + n >= lastBit_) {
            if (done_) {
                if (curBit_ >= lastBit_) Warn(gifmsg::BitBufferUnderrun);
                return -1;
            }
            buf_[0] = buf_[lastByte_ - 2];
            buf_[1] = buf_[lastByte_ - 1];
            uint8_t size;
            if (!stream_.ReadByte(size)) return -1;
            if (size != 0) {
                size_t got = stream_.Read(buf_ + 2, size);
                if (got < size) {
                    Warn(gifmsg::PrematureEnd);
                    size = uint8_t(got);
                }
            } else {
                zeroBlockSeen_ = done_ = true;
            }
            lastByte_ = 2 + size;
            curBit_ = curBit_ - lastBit_ + 16;
            lastBit_ = (2 + size) * 8;
        }
        int at = curBit_ >> 3;
        uint32_t v = uint32_t(buf_[at]) | uint32_t(buf_[at + 1]) << 8 | uint32_t(buf_[at + 2]) << 16;
        int code = int((v >> (curBit_ & 7)) & ((1u << n) - 1));
        curBit_ += n;
        return code;
    }

    void ResetTable() {
        for (int i = 0; i < clearCode_; ++i) {
            suffix_[i] = uint8_t(i);
            prefix_[i] = 0;
        }
        std::memset(suffix_ + clearCode_, 0, size_t(TableSize - clearCode_));
        std::memset(prefix_ + clearCode_, 0, sizeof(uint16_t) * size_t(TableSize - clearCode_));
        codeSize_ = minCodeSize_ + 1;
        maxCode_ = 2 * clearCode_;
        nextCode_ = clearCode_ + 2;
        sp_ = 0;
    }

    void SkipToTerminator() {
        // Read, not seek: a block claiming more than the stream holds must not
        // leave the position past its end.
        uint8_t size;
        uint8_t skip[255];
        while (stream_.ReadByte(size) && size != 0)
            if (stream_.Read(skip, size) < size) break;
    }

    int EndOfInformation() {
        if (!zeroBlockSeen_) SkipToTerminator();
        return -2;
    }

    int NextCode() {
        for (;;) {
            int code = ReadCode(codeSize_);
            if (code < 0) return code;
            if (code == clearCode_) {
                ResetTable();
                do {
                    code = ReadCode(codeSize_);
                    if (code < 0) return code;
                } while (code == clearCode_);
                // An end code right after a clear ends the data too; taken as a
                // pixel it would leave the rest of the data unread.
                if (code == endCode_) return EndOfInformation();
                firstCode_ = oldCode_ = code;
                return code & 0xFF;
            }
            if (code == endCode_) return EndOfInformation();
            int inCode = code;
            if (code >= nextCode_) {
                stack_[sp_++] = uint8_t(firstCode_);
                code = oldCode_;
            }
            // The walk is bounded: a table whose prefixes form a cycle (any
            // length) stops instead of overrunning the stack.
            int links = 0;
            while (code >= clearCode_) {
                stack_[sp_++] = suffix_[code];
                int prefix = prefix_[code];
                if (prefix == code || ++links > TableSize) throw GIFException(gifmsg::CircularEntry);
                code = prefix;
            }
            firstCode_ = suffix_[code];
            stack_[sp_++] = uint8_t(firstCode_);
            if (nextCode_ <= 4095) {
                prefix_[nextCode_] = uint16_t(oldCode_);
                suffix_[nextCode_] = uint8_t(firstCode_);
                ++nextCode_;
                if (nextCode_ >= maxCode_ && maxCode_ <= 4095) {
                    maxCode_ *= 2;
                    ++codeSize_;
                }
            }
            oldCode_ = inCode;
            return stack_[--sp_];
        }
    }

    TGIFIOStream& stream_;
    const TGIFDecoderWarning& warn_;
    int minCodeSize_ = 0, codeSize_ = 0, clearCode_ = 0, endCode_ = 0;
    int nextCode_ = 0, maxCode_ = 0, firstCode_ = 0, oldCode_ = 0;
    uint16_t prefix_[TableSize] = {};
    uint8_t suffix_[TableSize] = {};
    uint8_t stack_[StackSize];
    int sp_ = 0;
    // Two bytes kept from the previous sub-block, up to 255 new ones, and
    // slack so that a code is always taken from three readable bytes.
    uint8_t buf_[2 + 255 + 3] = {};
    int curBit_ = 0, lastBit_ = 0, lastByte_ = 2;
    bool done_ = false, zeroBlockSeen_ = false, fresh_ = true;
};

// Fills count pixels from the decoder; false when the data ended first.
inline bool DecodeRun(TLZWDecoder& d, uint8_t* out, int64_t count) {
    int64_t i = 0;
    while (i < count) {
        int v = d.NextPixel();
        if (v < 0) return false;
        out[i++] = uint8_t(v);
        int64_t left = count - i;
        i += d.TakePending(out + i, left > StackSize ? StackSize : int(left));
    }
    return true;
}

}  // namespace

void GIFDecodeImageData(TGIFIOStream& stream, uint8_t* pixels, int width, int height, bool interlaced,
                        const TGIFDecoderWarning& warn) {
    auto decoder = std::make_unique<TLZWDecoder>(stream, warn);
    TLZWDecoder& d = *decoder;
    if (!d.Start()) return;
    bool complete = true;
    if (width > 0 && height > 0) {
        if (!interlaced) {
            complete = DecodeRun(d, pixels, int64_t(width) * height);
        } else {
            int row = 0, step = 8, pass = 0;
            for (int r = 0; r < height && complete; ++r) {
                complete = DecodeRun(d, pixels + size_t(row) * size_t(width), width);
                if (r + 1 < height) {
                    row += step;
                    while (row >= height) {
                        if (pass > 0) step /= 2;
                        ++pass;
                        row = step / 2;
                    }
                }
            }
        }
    }
    // One more code: the end-of-information code skips what is left of the data.
    if (complete) d.NextPixel();
}

}  // namespace ad
