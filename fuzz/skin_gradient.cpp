// Fuzz target: gradient text parsing, then painting the result (plain and
// textured) into a small bitmap with a rectangle and offset from the input.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/Exception.h"
#include "skin/engine/image/SkinGradients.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 6) return 0;
    const auto s8 = [&](size_t i) { return int(int8_t(data[i])); };
    ad::TRect r{s8(0) / 4, s8(1) / 4, s8(2) / 2, s8(3) / 2};
    const int offset = s8(4) / 2;
    const uint8_t weight = data[5];
    std::string text(reinterpret_cast<const char*>(data) + 6, size - 6);
    ad::skin::TSkinGradArray a;
    try {
        ad::skin::ParseGradientText(text.c_str(), a);
    } catch (const ad::EConvertError&) {
        return 0;
    }
    for (const auto& g : a)
        if (g.Percent > 100) __builtin_trap();
    ad::TBitmap32 bmp(17, 13), tex(3, 2);
    ad::skin::PaintGradient(bmp.View(), r, a, offset);
    ad::skin::PaintGradientTextured(bmp.View(), r, a, 200, weight, {s8(1), s8(0), s8(3), s8(2)}, tex.View());
    return 0;
}
