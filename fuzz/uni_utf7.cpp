// Fuzz target: the UTF-7 decoder over any bytes. Only "Invalid UTF7" may
// escape; text it accepts encodes and decodes back to itself.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "unicode/UniConvert.h"
#include "unicode/UniSysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::u16string text;
    try {
        text = ad::uni::Utf7ToWide(bytes);
    } catch (const ad::uni::EUniGeneralError&) {
        return 0;
    }
    if (ad::uni::Utf7ToWide(ad::uni::WideToUtf7(text)) != text) std::abort();
    return 0;
}
