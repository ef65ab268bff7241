// Fuzz target: the LZW decoder on arbitrary image data. The first three bytes
// choose the frame: width and height (1-256 each) and interlace.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gif/GIFLZWDecoder.h"
#include "gif/GifCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    int width = data[0] + 1, height = data[1] + 1;
    bool interlaced = data[2] & 1;
    std::vector<uint8_t> pixels(size_t(width) * size_t(height), 0xAA);
    ad::TMemoryStream stream(data + 3, size - 3);
    try {
        ad::gif::GIFDecodeImageData(stream, pixels.data(), width, height, interlaced, [](const std::string&) {});
    } catch (const ad::gif::GIFException&) {
    }
    if (stream.Position() > int64_t(size - 3)) __builtin_trap();  // never past the end
    return 0;
}
