// Fuzz target: the GIF reader on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzGif.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ad::gif::TGifPicture pic;
    ad::fuzz::Bound(pic);
    int warnings = 0;
    pic.OnWarning = [&](ad::gif::TGIFPersistent*, int, const std::string&) { ++warnings; };
    ad::TMemoryStream stream(data, size);
    try {
        pic.LoadFromStream(stream);
    } catch (const ad::Exception&) {
    }
    // Whatever was kept must be consistent.
    for (int i = 0; i < pic.Frames.Count(); ++i) {
        ad::gif::TGIFSubImage* f = pic.Frames.Frames(i);
        if (!f->Empty() && f->DataSize() != size_t(f->Width()) * size_t(f->Height())) __builtin_trap();
    }
    return 0;
}
