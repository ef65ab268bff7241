// Fuzz target: whatever the reader makes of the input is written with both
// encoders and read back; the frames must come back pixel for pixel.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/FuzzGif.h"

namespace {

struct Frame {
    int Left, Top, Width, Height;
    std::vector<uint8_t> Pixels;
    bool operator==(const Frame&) const = default;
};

std::vector<Frame> Frames(ad::gif::TGifPicture& pic) {
    std::vector<Frame> out;
    for (int i = 0; i < pic.Frames.Count(); ++i) {
        ad::gif::TGIFSubImage* f = pic.Frames.Frames(i);
        if (f->Empty()) continue;
        out.push_back({f->Left(), f->Top(), f->Width(), f->Height(),
                       std::vector<uint8_t>(f->Data(), f->Data() + f->DataSize())});
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ad::gif::TGifPicture pic;
    ad::fuzz::Bound(pic);
    ad::TMemoryStream in(data, size);
    try {
        pic.LoadFromStream(in);
    } catch (const ad::Exception&) {
        return 0;
    }
    std::vector<Frame> expected = Frames(pic);
    for (ad::gif::TGIFCodecKind kind : {ad::gif::gcLZW, ad::gif::gcRLE}) {
        pic.CodecKind = kind;
        ad::TMemoryStream out;
        try {
            pic.SaveToStream(out);
        } catch (const ad::gif::GIFException&) {
            return 0;  // no frames, or an index outside its colour table
        }
        ad::gif::TGifPicture back;
        ad::fuzz::Bound(back);
        out.SetPosition(0);
        back.LoadFromStream(out);  // our own output must load
        if (Frames(back) != expected) __builtin_trap();
    }
    return 0;
}
