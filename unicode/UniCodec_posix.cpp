// The system codec of the native build: Latin-1.
#include "unicode/UniConvert.h"

namespace ad::uni {

const IAnsiCodec& SystemCodec() {
    static const TLatin1Codec codec;
    return codec;
}

}  // namespace ad::uni
