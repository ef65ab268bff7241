// Tests of the GIF reader on tiny byte fixtures: signatures, padding,
// trailers, extensions and the damage it tolerates or rejects.
#include <gtest/gtest.h>

#include <algorithm>

#include "gif/GIFTestSupport.h"
#include "gif/GifCodec.h"

namespace ad::gif {
namespace {

using namespace giftest;

const Bytes kPixels{0, 1, 2, 3};

std::string LoadError(const Bytes& bytes, int64_t* position = nullptr) {
    TGifPicture pic;
    TMemoryStream s(bytes);
    try {
        pic.LoadFromStream(s);
    } catch (const GIFException& e) {
        if (position) *position = s.Position();
        return e.Message;
    }
    return "";
}

TEST(GIFReader, SignaturePrefixAndCase) {
    Bytes gif = OneFrameGif(2, 2, kPixels);
    struct Case {
        int prefix;
        bool lower;
        bool ok;
    } cases[] = {{0, false, true}, {4, false, true}, {3, false, false}, {5, false, false}, {0, true, true}};
    for (auto c : cases) {
        Bytes b(size_t(c.prefix), 'x');
        Append(b, gif);
        if (c.lower) std::copy_n("gifXYZ", 6, b.begin());  // any version letters
        TGifPicture pic;
        TMemoryStream s(b);
        if (c.ok) {
            pic.LoadFromStream(s);
            ASSERT_EQ(pic.Frames.Count(), 1) << c.prefix;
            EXPECT_EQ(Bytes(pic.Frames.Frames(0)->Data(), pic.Frames.Frames(0)->Data() + 4), kPixels);
        } else {
            int64_t pos = -1;
            EXPECT_EQ(LoadError(b, &pos), "Invalid GIF signature") << c.prefix;
            EXPECT_EQ(pos, 0) << "the stream position is restored";
        }
    }
    EXPECT_EQ(LoadError(Bytes{'G', 'I', 'F'}), "Premature end of data");
}

TEST(GIFReader, PaddingTrailerAndUnknownBlocks) {
    Bytes gif = OneFrameGif(2, 2, kPixels);
    struct Case {
        const char* name;
        Bytes bytes;
        std::vector<std::string> warnings;
    };
    Bytes padded = gif;
    padded.insert(padded.end() - 1, 3, 0);
    Bytes noTrailer(gif.begin(), gif.end() - 1);
    Bytes unknown = noTrailer;
    unknown.push_back('X');
    std::vector<Case> cases = {
        {"padding", padded, {}},
        {"no trailer", noTrailer, {}},
        {"unknown block", unknown, {"Unknown GIF block type", "Invalid Image trailer"}},
    };
    for (auto& c : cases) {
        TGifPicture pic;
        Warnings w;
        w.Attach(pic);
        Load(pic, c.bytes);
        EXPECT_EQ(pic.Frames.Count(), 1) << c.name;
        EXPECT_EQ(w.List, c.warnings) << c.name;
    }
    // The trailer reads the byte the frame list stopped at.
    TGifPicture pic;
    Warnings w;
    w.Attach(pic);
    TGIFTrailer trailer(&pic);
    TMemoryStream wrong(Bytes{'!'});
    trailer.LoadFromStream(wrong);
    EXPECT_EQ(w.List, (std::vector<std::string>{"Invalid Image trailer"}));
}

// One frame preceded by the given extension bytes.
Bytes WithExtension(const Bytes& ext) {
    Bytes b = Header(2, 2);
    Append(b, ext);
    Append(b, Descriptor(0, 0, 2, 2));
    Append(b, LiteralImageData(2, kPixels));
    b.push_back(0x3B);
    return b;
}

Bytes AppExt(int size, const std::string& id, const Bytes& body) {
    Bytes b;
    for (int c : {0x21, 0xFF, size}) b.push_back(uint8_t(c));
    for (char c : id) b.push_back(uint8_t(c));
    Append(b, body);
    return b;
}

TEST(GIFReader, ApplicationExtensions) {
    {
        TGifPicture pic;
        Load(pic, WithExtension(AppExt(11, "ANIMEXTS1.0", {3, 1, 5, 0, 0})));
        auto* ext = pic.Frames.Frames(0)->Extensions.Extensions(0);
        auto* loop = dynamic_cast<TGIFAppExtNSLoop*>(ext);
        ASSERT_NE(loop, nullptr);
        EXPECT_EQ(loop->LoopCount, 5);
        EXPECT_EQ(loop->IdentifierText(), "ANIMEXTS1.0");
    }
    {
        // Size 10: kept raw; the identifier holds 10 bytes and a copy of the next.
        TGifPicture pic;
        Load(pic, WithExtension(AppExt(10, "ABCDEFGHIJ", {2, 7, 8, 0})));
        auto* raw = dynamic_cast<TGIFUnknownAppExtension*>(pic.Frames.Frames(0)->Extensions.Extensions(0));
        ASSERT_NE(raw, nullptr);
        EXPECT_EQ(raw->IdentifierText(), std::string("ABCDEFGHIJ\x02"));
        ASSERT_EQ(raw->Blocks.size(), 1u);
        EXPECT_EQ(raw->Blocks[0].Data, (Bytes{7, 8}));
    }
    EXPECT_EQ(LoadError(WithExtension(AppExt(9, "ABCDEFGHI", {0}))), "Unsupported Application Extension block size");
    {
        // A looping sub-block with first byte 3 is skipped; one of size 2 with 1 fails.
        TGifPicture pic;
        Load(pic, WithExtension(AppExt(11, "NETSCAPE2.0", {2, 3, 9, 3, 1, 4, 0, 0})));
        EXPECT_EQ(static_cast<TGIFAppExtNSLoop*>(pic.Frames.Frames(0)->Extensions.Extensions(0))->LoopCount, 4);
    }
    EXPECT_EQ(LoadError(WithExtension(AppExt(11, "NETSCAPE2.0", {2, 1, 9, 0}))), "Invalid GIF data");
}

TEST(GIFReader, ApplicationBlockOfSizeTenIsSavedAsRead) {
    // Found by fuzzing: ten identifier bytes "NETSCAPE2." and a sub-block of
    // 48 ('0') bytes were saved as the looping extension "NETSCAPE2.0", which
    // then failed to load ("Invalid GIF data").
    Bytes body{48};
    for (int i = 0; i < 48; ++i) body.push_back(uint8_t(i == 0 ? 1 : i));
    body.push_back(0);
    const Bytes gif = WithExtension(AppExt(10, "NETSCAPE2.", body));
    TGifPicture pic;
    Load(pic, gif);
    const Bytes saved = Save(pic);
    EXPECT_EQ(saved, Save(pic));
    TGifPicture back;
    Load(back, saved);
    ASSERT_EQ(back.Frames.Count(), 1);
    auto* raw = dynamic_cast<TGIFUnknownAppExtension*>(back.Frames.Frames(0)->Extensions.Extensions(0));
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(raw->IdentifierText(), "NETSCAPE2.0");
    ASSERT_EQ(raw->Blocks.size(), 1u);
    EXPECT_EQ(raw->Blocks[0].Data.size(), 48u);
    // The extension bytes come back as they were in the file.
    const Bytes ext = AppExt(10, "NETSCAPE2.", body);
    EXPECT_NE(std::search(saved.begin(), saved.end(), ext.begin(), ext.end()), saved.end());
}

TEST(GIFReader, ApplicationBlockOfOtherSizeSkipsItsDataAndSavesReadably) {
    // Found by fuzzing: the body of such a block was neither read nor written,
    // so its data was taken for frames and a save lost the block terminator.
    Bytes ext = AppExt(13, "NETSCAPE2.0xy", {2, 'a', 'b', 0});
    TGifPicture pic;
    Warnings w;
    w.Attach(pic);
    Load(pic, WithExtension(ext));
    ASSERT_EQ(pic.Frames.Count(), 1);
    EXPECT_TRUE(w.List.empty());
    auto* app = pic.Frames.Frames(0)->Extensions.Extensions(0);
    EXPECT_EQ(app->ClassType(), &TGIFApplicationExtension::ClassInfo);
    TGifPicture back;
    Load(back, Save(pic));
    ASSERT_EQ(back.Frames.Count(), 1);
    EXPECT_EQ(Bytes(back.Frames.Frames(0)->Data(), back.Frames.Frames(0)->Data() + 4), kPixels);
}

TEST(GIFReader, TruncatedExtensionsEndInsteadOfSpinning) {
    Bytes gif = WithExtension(AppExt(11, "NETSCAPE2.0", {3, 1, 0, 0, 0}));
    // Cut inside the loop extension's body, at every position.
    Bytes head = Header(2, 2);
    for (size_t cut = head.size() + 14; cut < head.size() + 19; ++cut) {
        Bytes b(gif.begin(), gif.begin() + long(cut));
        EXPECT_EQ(LoadError(b), "Premature end of data") << cut;
    }
    // A comment cut short and a graphic control block cut short still load.
    Bytes comment = Header(2, 2);
    Append(comment, Bytes{0x21, 0xFE, 5, 'a', 'b'});
    TGifPicture pic;
    Load(pic, comment);
    ASSERT_EQ(pic.Frames.Count(), 1);
    EXPECT_EQ(static_cast<TGIFCommentExtension*>(pic.Frames.Frames(0)->Extensions.Extensions(0))->Text,
              (std::vector<std::string>{"ab"}));
    Bytes gce = Header(2, 2);
    Append(gce, Bytes{0x21, 0xF9, 4, 1});
    Warnings w;
    w.Attach(pic);
    Load(pic, gce);
    EXPECT_TRUE(w.Has("Premature end of data"));
}

TEST(GIFReader, TrailingCommentBecomesAnEmptyFrameThatSurvivesASave) {
    Bytes b = Header(2, 2);
    Append(b, Descriptor(0, 0, 2, 2));
    Append(b, LiteralImageData(2, kPixels));
    Append(b, Bytes{0x21, 0xFE, 3, 'e', 'n', 'd', 0, 0x3B});
    TGifPicture pic;
    Load(pic, b);
    ASSERT_EQ(pic.Frames.Count(), 2);
    EXPECT_TRUE(pic.Frames.Frames(1)->Empty());
    TGifPicture again;
    Load(again, Save(pic));
    ASSERT_EQ(again.Frames.Count(), 2);
    auto* c = dynamic_cast<TGIFCommentExtension*>(again.Frames.Frames(1)->Extensions.Extensions(0));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->Text, (std::vector<std::string>{"end"}));
}

TEST(GIFReader, ZeroSizedFrameTakesTheScreenAndTransparencyFills) {
    Bytes b = Header(3, 2);
    Append(b, Bytes{0x21, 0xF9, 4, 0x01, 0, 0, 2, 0});  // transparent index 2
    Append(b, Descriptor(0, 0, 0, 7));
    Append(b, LiteralImageData(2, {1}));
    b.push_back(0x3B);
    TGifPicture pic;
    Warnings w;
    w.Attach(pic);
    Load(pic, b);
    TGIFSubImage* f = pic.Frames.Frames(0);
    EXPECT_EQ(f->Width(), 3);
    EXPECT_EQ(f->Height(), 2);
    EXPECT_TRUE(w.Has("Image exceeds Logical Screen size"));
    EXPECT_TRUE(f->IsTransparent);
    EXPECT_EQ(Bytes(f->Data(), f->Data() + 6), (Bytes{1, 2, 2, 2, 2, 2}));
}

TEST(GIFReader, HugeDescriptorsAreRejectedByTheBudget) {
    // A 10-byte descriptor of 65535 x 65535 with no data must not allocate 4 GB.
    Bytes b = Header(1, 1);
    Append(b, Descriptor(0, 0, 65535, 65535));
    Append(b, Bytes{2, 0, 0x3B});
    EXPECT_EQ(LoadError(b), "Image frame too large");
    // Many frames within the frame budget still meet the picture's.
    TGifPicture pic;
    pic.MaxFramePixels = 10000;
    pic.MaxImagePixels = 25000;
    Bytes many = Header(1, 1);
    for (int i = 0; i < 3; ++i) {
        Append(many, Descriptor(0, 0, 100, 100));
        Append(many, Bytes{2, 0});
    }
    TMemoryStream s(many);
    EXPECT_THROW(pic.LoadFromStream(s), GIFException);
    // An edge past 65535 cannot be held by the screen.
    Bytes edge = Header(1, 1);
    Append(edge, Descriptor(65000, 0, 1000, 1));
    Append(edge, Bytes{2, 0, 0x3B});
    EXPECT_EQ(LoadError(edge), "Image frame outside the largest possible screen");
}

TEST(GIFReader, ScreenGrowsToHoldFramesAndStreamPositionIsRestoredOnError) {
    Bytes b = Header(1, 1);
    Append(b, Descriptor(3, 4, 2, 2));
    Append(b, LiteralImageData(2, kPixels));
    b.push_back(0x3B);
    TGifPicture pic;
    Warnings w;
    w.Attach(pic);
    Load(pic, b);
    EXPECT_EQ(pic.Width(), 5);
    EXPECT_EQ(pic.Height(), 6);
    EXPECT_TRUE(w.List.empty());

    Bytes prefix{9, 9};
    Append(prefix, WithExtension(Bytes{0x21, 0x02, 0}));  // unknown label
    TMemoryStream s(prefix);
    s.SetPosition(2);
    EXPECT_THROW(pic.LoadFromStream(s), GIFException);
    EXPECT_EQ(s.Position(), 2);
}

}  // namespace
}  // namespace ad::gif
