// Fuzz target: bitmap files, decoded alone and as the master bitmap and an
// image file of a packed skin loaded from memory (masks cut from them, palette,
// transforms and common indexes as a load does).
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "skin/engine/image/SkinBmp.h"
#include "skin/engine/skinfile/SkinLoader.h"
#include "skin/engine/skinfile/SkinPackWriter.h"

namespace {

class TNoFiles : public ad::skin::TSkinFiles {
public:
    bool Exists(const std::string&) const override { return false; }
    std::vector<uint8_t> Read(const std::string&) const override { return {}; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 256 * 1024) return 0;
    ad::TBitmap32 b;
    int bits = 0;
    if (ad::skin::DecodeBmpToBitmap(b, data, size, &bits) && (b.Width() <= 0 || b.Height() <= 0)) __builtin_trap();

    const std::string ini =
        "[GLOBALINFO]\r\nVERSION=10\r\nMASTERBITMAP=M.BMP\r\n"
        "[BUTTON]\r\nBORDERSMASK=^0000^0000^0030^0010^0003^0003^0003^0003^3^0^0^0\r\n"
        "GLYPHMASK=@0004@0004@0012@0012@2@1\r\nPATTERN=!T.BMP!2!1!0!1!1!1!1\r\n";
    const std::vector<uint8_t> bytes(data, data + size);
    const auto packed = ad::skin::PackSkinEntries(
        {{"Options.dat", std::vector<uint8_t>(ini.begin(), ini.end())}, {"M.BMP", bytes}, {"T.BMP", bytes}});
    ad::skin::TSkinStoredSkins stored;
    stored.AddFromData("F", packed.data(), packed.size());
    ad::skin::TSkinLoadOptions o;
    o.SkinName = "F";
    o.InternalSkins = &stored;
    o.HueOffset = size & 1 ? 30 : 0;
    o.ScaleLevel = int(size % 3);
    ad::skin::LoadSkinByName(o, TNoFiles());
    return 0;
}
