// The LZW decoder of GIF image data: codes of 3 to 12 bits, least significant
// bit first, gathered across data sub-blocks; clear and end-of-information
// codes; deferred growth of a full table.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/Streams.h"

namespace ad::gif {

using TGIFDecoderWarning = std::function<void(const std::string& message)>;

// Decodes the image data at the stream's position (the minimum code size byte
// and the sub-blocks after it) into pixels, width * height bytes, rows top to
// bottom, de-interlacing when asked. Pixels the data does not reach keep what
// the caller filled them with. Damage is reported through warn; a broken string
// table raises GIFException("Circular decoder table entry").
void GIFDecodeImageData(TStream& stream, uint8_t* pixels, int width, int height, bool interlaced,
                        const TGIFDecoderWarning& warn);

}  // namespace ad::gif
