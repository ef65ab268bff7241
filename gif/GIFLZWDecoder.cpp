// LZW decoding of one frame's image data. Bits come from a 64-bit buffer fed
// from the current data sub-block; the next sub-block is read only when the
// bits held cannot supply a code (with one bit to spare), however short the
// sub-blocks are, so images stored in 1-byte sub-blocks decode like any other.
//
// Well-formed data takes the fast path: every table entry knows its length and
// first pixel, so a string is written backwards straight into the pixels. A
// string that would cross the end of a row (or of the image) goes through the
// pixel stack instead. Data that refers to codes not yet defined switches the
// frame to the general walk, which reproduces the table's behaviour on such
// data exactly (undefined entries, forward references, circular entries).
#include "gif/GIFLZWDecoder.h"

#include <cstring>
#include <memory>

#include "gif/GifCodec.h"

namespace ad::gif {

namespace {

constexpr int TableSize = 4096;
constexpr int StackSize = 8192;

class TLZWDecoder {
public:
    TLZWDecoder(TStream& stream, const TGIFDecoderWarning& warn) : stream_(stream), warn_(warn) {}

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
        for (int i = 0; i < clearCode_; ++i) {
            first_[i] = uint8_t(i);
            length_[i] = 1;
        }
        return true;
    }

    // Fills count pixels; false when the data ended first.
    bool DecodeRun(uint8_t* out, int64_t count) {
        int64_t n = sp_ < count ? sp_ : count;
        for (int64_t i = 0; i < n; ++i) out[i] = stack_[--sp_];
        out += n;
        count -= n;
        if (count == 0) return true;
        if (!general_ && !FastRun(out, count)) return false;
        return GeneralRun(out, count);
    }

    // The value after the last pixel: a pending pixel of the last string, or
    // the next code (the end-of-information code skips the rest of the data).
    void Finish() {
        if (sp_ > 0)
            --sp_;
        else
            NextCode();
    }

private:
    void Warn(const char* message) {
        if (warn_) warn_(message);
    }

    // Reads the next sub-block into block_; false at the end of the stream.
    // A zero-length block sets done_.
    bool ReadBlock() {
        uint8_t size;
        if (!stream_.ReadByte(size)) return false;
        if (size != 0) {
            size_t got = stream_.Read(block_, size);
            if (got < size) {
                Warn(gifmsg::PrematureEnd);
                size = uint8_t(got);
            }
        } else {
            zeroBlockSeen_ = done_ = true;
        }
        blockPos_ = 0;
        blockEnd_ = size;
        return true;
    }

    // Makes more than n bits available in bits_, reading sub-blocks as needed;
    // false when the data cannot supply them (a code that would take exactly
    // the last bits is not decoded).
    bool Fill(int n) {
        for (;;) {
            int left = blockEnd_ - blockPos_;
            if (left >= 8) {
                uint64_t word;
                std::memcpy(&word, block_ + blockPos_, 8);
                int take = (63 - bitCount_) >> 3;
                bits_ |= (word << bitCount_) & ((uint64_t(1) << (bitCount_ + take * 8)) - 1);
                blockPos_ += take;
                bitCount_ += take * 8;
            } else {
                while (left > 0 && bitCount_ <= 56) {
                    bits_ |= uint64_t(block_[blockPos_++]) << bitCount_;
                    bitCount_ += 8;
                    --left;
                }
            }
            if (bitCount_ > n) return true;
            if (blockPos_ < blockEnd_) continue;
            if (done_) {
                if (bitCount_ == 0) Warn(gifmsg::BitBufferUnderrun);
                return false;
            }
            if (!ReadBlock()) return false;
        }
    }

    inline int ReadCode(int n) {
        if (fresh_) {
            fresh_ = false;
            return clearCode_;
        }
        if (bitCount_ <= n && !Fill(n)) return -1;
        int code = int(bits_ & ((uint64_t(1) << n) - 1));
        bits_ >>= n;
        bitCount_ -= n;
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

    inline void AddEntry(int first) {
        if (nextCode_ <= 4095) {
            prefix_[nextCode_] = uint16_t(oldCode_);
            suffix_[nextCode_] = uint8_t(first);
            first_[nextCode_] = first_[oldCode_];
            length_[nextCode_] = uint16_t(length_[oldCode_] + 1);
            ++nextCode_;
            if (nextCode_ >= maxCode_ && maxCode_ <= 4095) {
                maxCode_ *= 2;
                ++codeSize_;
            }
        }
    }

    // Decodes well-formed data into count pixels. Answers true with the
    // general path taking over (general_ set, the pixels decoded so far
    // stored, out and count advanced) or with the run complete (count 0),
    // false when the data ended.
    bool FastRun(uint8_t*& out, int64_t& count) {
        while (count > 0) {
            int code = ReadCode(codeSize_);
            if (code < 0) return false;
            if (code == clearCode_) {
                ResetTable();
                do {
                    code = ReadCode(codeSize_);
                    if (code < 0) return false;
                } while (code == clearCode_);
                if (code == endCode_) {
                    EndOfInformation();
                    return false;
                }
                firstCode_ = oldCode_ = code;
                *out++ = uint8_t(code);
                --count;
                // A first code that is not a root is not in the table.
                if (code >= clearCode_) general_ = true;
                if (general_) return true;
                continue;
            }
            if (code == endCode_) {
                EndOfInformation();
                return false;
            }
            int len, walk, first;
            uint8_t last;
            if (code < nextCode_) {
                len = length_[code];
                walk = code;
                first = first_[code];
                last = 0;
            } else if (code == nextCode_ && nextCode_ <= 4095) {
                // The string of the last code followed by its own first pixel.
                len = length_[oldCode_] + 1;
                walk = oldCode_;
                first = first_[oldCode_];
                last = uint8_t(first);
            } else {
                // A code beyond the next free one: only the general walk gives
                // what such data means.
                general_ = true;
                pendingCode_ = code;
                return true;
            }
            if (len <= count) {
                uint8_t* p = out + len - 1;
                if (walk != code) *p-- = last;
                while (walk >= clearCode_) {
                    *p-- = suffix_[walk];
                    walk = prefix_[walk];
                }
                *p = uint8_t(walk);
                out += len;
                count -= len;
            } else {
                // Crosses the end of the run: stack it (last pixel at the
                // bottom) and take what fits.
                sp_ = 0;
                if (walk != code) stack_[sp_++] = last;
                while (walk >= clearCode_) {
                    stack_[sp_++] = suffix_[walk];
                    walk = prefix_[walk];
                }
                stack_[sp_++] = uint8_t(walk);
                for (int64_t i = 0; i < count; ++i) out[i] = stack_[--sp_];
                out += count;
                count = 0;
            }
            AddEntry(first);
            firstCode_ = first;
            oldCode_ = code;
        }
        return true;
    }

    // The pixel-by-pixel decoder, for data with codes outside the table.
    bool GeneralRun(uint8_t* out, int64_t count) {
        int64_t i = 0;
        while (i < count) {
            int v;
            if (pendingCode_ >= 0) {
                v = Expand(pendingCode_);
                pendingCode_ = -1;
            } else {
                v = sp_ > 0 ? stack_[--sp_] : NextCode();
            }
            if (v < 0) return false;
            out[i++] = uint8_t(v);
            while (i < count && sp_ > 0) out[i++] = stack_[--sp_];
        }
        return true;
    }

    int NextCode() {
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
        return Expand(code);
    }

    // Stacks the string of a code that is neither clear nor end, adds the
    // table entry, and pops the string's first pixel.
    int Expand(int code) {
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

    TStream& stream_;
    const TGIFDecoderWarning& warn_;
    int minCodeSize_ = 0, codeSize_ = 0, clearCode_ = 0, endCode_ = 0;
    int nextCode_ = 0, maxCode_ = 0, firstCode_ = 0, oldCode_ = 0;
    // The string table. first_ and length_ are kept for entries added on the
    // fast path only (and the roots).
    uint16_t prefix_[TableSize] = {};
    uint8_t suffix_[TableSize] = {};
    uint8_t first_[TableSize] = {};
    uint16_t length_[TableSize] = {};
    uint8_t stack_[StackSize];
    int sp_ = 0;
    bool general_ = false;
    int pendingCode_ = -1;
    // Bits not yet taken, least significant first, and the current sub-block.
    uint64_t bits_ = 0;
    int bitCount_ = 0;
    uint8_t block_[255];
    int blockPos_ = 0, blockEnd_ = 0;
    bool done_ = false, zeroBlockSeen_ = false, fresh_ = true;
};

}  // namespace

void GIFDecodeImageData(TStream& stream, uint8_t* pixels, int width, int height, bool interlaced,
                        const TGIFDecoderWarning& warn) {
    auto decoder = std::make_unique<TLZWDecoder>(stream, warn);
    TLZWDecoder& d = *decoder;
    if (!d.Start()) return;
    bool complete = true;
    if (width > 0 && height > 0) {
        if (!interlaced) {
            complete = d.DecodeRun(pixels, int64_t(width) * height);
        } else {
            int row = 0, step = 8, pass = 0;
            for (int r = 0; r < height && complete; ++r) {
                complete = d.DecodeRun(pixels + size_t(row) * size_t(width), width);
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
    if (complete) d.Finish();
}

}  // namespace ad::gif
