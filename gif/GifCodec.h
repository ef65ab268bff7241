// The GIF picture as a tree of objects mirroring the file's blocks: the header
// with the logical screen and global colour map, the frames with their image
// descriptors, local colour maps, extensions and de-interlaced pixel indices,
// and the registries that map extension labels to classes. Reading, decoding,
// writing and encoding work on this model. Portable: the picture class,
// rendering and painting build on it later.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "base/Color.h"
#include "base/Exception.h"
#include "base/Geometry.h"
#include "base/Streams.h"

namespace ad::gif {

// The codec's own errors.
AD_DECLARE_EXCEPTION(GIFException, EInvalidGraphic);


// Messages of the codec.
namespace gifmsg {
constexpr const char* ColorTableOverflow = "Color table overflow";
constexpr const char* InvalidColorIndex = "Invalid color index";
constexpr const char* ColorTableEmpty = "Color table is empty";
constexpr const char* PrematureEnd = "Premature end of data";
constexpr const char* UnsupportedVersion = "Unsupported GIF version";
constexpr const char* InvalidSignature = "Invalid GIF signature";
constexpr const char* ImageWidthTooSmall = "Image width too small for contained frames";
constexpr const char* ImageHeightTooSmall = "Image height too small for contained frames";
constexpr const char* ExceedsScreen = "Image exceeds Logical Screen size";
constexpr const char* InvalidPixelCoords = "Invalid pixel coordinates";
constexpr const char* ImageEmpty = "Image is empty";
constexpr const char* ObjectNotSupported = "Object type not supported for operation";
constexpr const char* UnknownBlockType = "Unknown GIF block type";
constexpr const char* InvalidExtensionIntroducer = "Invalid extension introducer";
constexpr const char* UnknownExtension = "Unknown extension type";
constexpr const char* ExtensionMismatch = "Internal error: Extension Instance does not match Extension Label";
constexpr const char* UnsupportedAppBlockSize = "Unsupported Application Extension block size";
constexpr const char* InvalidData = "Invalid GIF data";
constexpr const char* InvalidTrailer = "Invalid Image trailer";
constexpr const char* CircularEntry = "Circular decoder table entry";
constexpr const char* BitBufferUnderrun = "Decoder bit buffer under-run";
constexpr const char* ColorNotInTable = "Color not in color table";
constexpr const char* InvalidStreamOperation = "Invalid stream operation";
constexpr const char* FrameTooLarge = "Image frame too large";
constexpr const char* ImageTooLarge = "Image too large";
constexpr const char* FrameOutsideScreen = "Image frame outside the largest possible screen";
constexpr const char* Loading = "Loading...";
constexpr const char* Saving = "Saving...";
constexpr const char* Copying = "Copying...";
constexpr const char* Optimizing = "Optimizing...";
constexpr const char* InvalidReductionMethod = "Invalid reduction method";
}  // namespace gifmsg

enum TProgressStage { psStarting, psRunning, psEnding };

// Draw options (a set held in 16 bits).
using TGIFDrawFlags = uint16_t;
constexpr TGIFDrawFlags gdAsync = 0x0001, gdTransparent = 0x0002, gdAnimate = 0x0004, gdLoop = 0x0008,
                        gdLoopForever = 0x0010, gdCheckCanvas = 0x0020, gdDirectDraw = 0x0040,
                        gdClearOnLoop = 0x0080, gdTile = 0x0100, gdDither = 0x0200, gdAutoDither = 0x0400;

enum TGIFReductionMethod : uint8_t {
    crNone, crWindows20, crWindowsHalftone, crWindowsGray, crMonochrome, crGrayScale, crNetscape,
    crQuantize, crQuantizeWindows, crCustom
};
enum TGIFDitherKind : uint8_t { dtNearest, dtFloydSteinberg, dtStucki, dtSierra, dtJaJuNi, dtSteveArche, dtBurkes };
enum TGIFCodecKind : uint8_t { gcLZW, gcRLE };
enum TGIFDisposalMethod : uint8_t { dmNone, dmNoDisposal, dmBackground, dmPrevious };

// Optimisation options (a set in one byte).
using TGIFOptimizeOptions = uint8_t;
constexpr TGIFOptimizeOptions goCrop = 0x01, goMerge = 0x02, goCleanup = 0x04, goColorMaps = 0x08, goReduce = 0x10;

// Unit-wide defaults, copied into every new picture.
extern TGIFDrawFlags GIFDefaultDrawFlags;            // 0x068F
extern TGIFReductionMethod GIFDefaultReductionMethod;  // crNetscape
extern int GIFDefaultPaletteBits;                     // 8
extern TGIFDitherKind GIFDefaultDitherKind;          // dtNearest
extern TGIFCodecKind GIFDefaultCodecKind;            // gcLZW
extern int GIFDefaultSpeedPercent;                    // 100
// Pixel budgets that bound what a file can make the codec allocate: the pixels
// of one frame and of all frames of a picture together.
extern int64_t GIFDefaultMaxFramePixels;  // 64 M
extern int64_t GIFDefaultMaxImagePixels;  // 256 M

class TGifPicture;
class TGIFSubImage;
class TGIFExtension;
class TGIFPainter;

// Base of the codec's persistent objects (the sender of warnings).
class TGIFPersistent {
public:
    TGIFPersistent() = default;
    TGIFPersistent(const TGIFPersistent&) = delete;
    TGIFPersistent& operator=(const TGIFPersistent&) = delete;
    virtual ~TGIFPersistent() = default;
};

using TGIFWarningEvent = std::function<void(TGIFPersistent* sender, int severity, const std::string& message)>;
using TGIFPainterEvent = std::function<void(TGIFPainter* sender)>;
using TGIFProgressEvent = std::function<void(TGIFPersistent* sender, TProgressStage stage, int percent,
                                             bool redrawNow, const std::string& message)>;

// Reads exactly count bytes or raises "Premature end of data".
void GIFReadExact(TStream& stream, void* buffer, size_t count);

// ---- Colour maps ------------------------------------------------------------

struct TGIFColor {
    uint8_t Red = 0, Green = 0, Blue = 0;
    bool operator==(const TGIFColor&) const = default;
};

TColor GIFColorToTColor(const TGIFColor& c);
TGIFColor TColorToGIFColor(TColor c);

class TGIFColorMap : public TGIFPersistent {
public:
    explicit TGIFColorMap(TGifPicture* image) : Image(image) {}

    virtual void ReportWarning(const std::string& message);
    virtual void Changed() {}

    int Add(TColor color);
    int AddDistinct(TColor color);
    int IndexOf(TColor color) const;
    void Delete(int index);
    TColor Colors(int index);  // out of range: warning and entry 0
    void SetColors(int index, TColor color);
    const TGIFColor& Entry(int index) const { return Data[static_cast<size_t>(index)]; }
    void Clear();
    void Assign(const TGIFColorMap& source);
    void LoadFromQuads(const uint8_t* bgrQuads, int count);
    int BitsPerPixel() const;
    void SaveToStream(TStream& stream) const;
    void LoadFromStream(TStream& stream, int count);
    // Orders the entries by use (most used first), rewrites the pixels (and
    // transparent and background indices) of the frames that use the map and
    // drops entries nobody uses; false for fewer than 2 entries.
    bool SortByUse();
    // The frames whose pixels index this map.
    virtual std::vector<TGIFSubImage*> Users() { return {}; }

    TGifPicture* Image;
    std::vector<TGIFColor> Data;  // Capacity entries, Count valid
    int Count = 0;
    int Capacity = 0;
    bool Sorted = false;

private:
    void Grow(int needed);
};

class TGIFGlobalColorMap : public TGIFColorMap {
public:
    using TGIFColorMap::TGIFColorMap;
    void Changed() override;
    std::vector<TGIFSubImage*> Users() override;
};

class TGIFLocalColorMap : public TGIFColorMap {
public:
    TGIFLocalColorMap(TGifPicture* image, TGIFSubImage* frame) : TGIFColorMap(image), Frame(frame) {}
    void Changed() override;
    std::vector<TGIFSubImage*> Users() override;
    TGIFSubImage* Frame;
};

// ---- Items and lists --------------------------------------------------------

class TGIFItem : public TGIFPersistent {
public:
    explicit TGIFItem(TGifPicture* image) : Image(image) {}

    virtual int FormatVersion() const { return 1; }  // 1 = 87a, 2 = 89a
    virtual void ReportWarning(const std::string& message);
    virtual void SaveToStream(TStream& stream) = 0;
    virtual void LoadFromStream(TStream& stream) = 0;
    void SaveToFile(const std::string& fileName);
    void LoadFromFile(const std::string& fileName);

    TGifPicture* Image;
};

// Owning list of items: Delete frees, Remove only takes out.
class TGIFList : public TGIFPersistent {
public:
    explicit TGIFList(TGifPicture* image) : Image(image) {}
    ~TGIFList() override { Clear(); }

    virtual void ReportWarning(const std::string& message);
    virtual void SaveToStream(TStream& stream);

    int Count() const { return static_cast<int>(items_.size()); }
    TGIFItem* Items(int i) const { return items_.at(static_cast<size_t>(i)); }
    int Add(TGIFItem* item);
    void Insert(int i, TGIFItem* item);
    int IndexOf(const TGIFItem* item) const;
    void Delete(int i);
    void Remove(TGIFItem* item);
    void Clear();

    TGifPicture* Image;

private:
    std::vector<TGIFItem*> items_;
};

class TGIFExtensionList : public TGIFList {
public:
    TGIFExtensionList(TGifPicture* image, TGIFSubImage* frame) : TGIFList(image), Frame(frame) {}
    TGIFExtension* Extensions(int i) const;
    void LoadFromStream(TStream& stream, TGIFSubImage* parent);
    TGIFSubImage* Frame;
};

class TGifPictureList : public TGIFList {
public:
    using TGIFList::TGIFList;
    TGIFSubImage* Frames(int i) const;
    void LoadFromStream(TStream& stream, TGifPicture* parent);
};

// ---- Header and trailer -----------------------------------------------------

class TGIFHeader : public TGIFItem {
public:
    explicit TGIFHeader(TGifPicture* image) : TGIFItem(image), ColorMap(image) {}

    int FormatVersion() const override;
    void SaveToStream(TStream& stream) override;
    void LoadFromStream(TStream& stream) override;
    void Clear();
    void Assign(const TGIFHeader& source);
    void Assign(const TGIFColorMap& source);
    void UpdateFlags();
    TColor BackgroundColor();

    uint16_t Width = 0;
    uint16_t Height = 0;
    uint8_t Packed = 0;
    uint8_t BackgroundColorIndex = 0;
    uint8_t AspectRatio = 0;
    TGIFGlobalColorMap ColorMap;
};

class TGIFTrailer : public TGIFItem {
public:
    using TGIFItem::TGIFItem;
    void SaveToStream(TStream& stream) override;
    void LoadFromStream(TStream& stream) override;
};

// ---- Extensions -------------------------------------------------------------

// What the registries hold in place of a class: how to make an instance and how
// the class refines itself by looking at the block ahead.
struct TGIFExtensionClass {
    const char* Name;
    TGIFExtension* (*Create)(TGIFSubImage* frame);
    // Answers the class that should read the block at the stream's position
    // (the label byte has been read); nullptr: the class itself.
    const TGIFExtensionClass* (*ResolveClass)(TStream& stream);
};

void RegisterExtension(uint8_t label, const TGIFExtensionClass* cls);
void RegisterAppExtension(const char (&identifier)[12], const TGIFExtensionClass* cls);
const TGIFExtensionClass* FindExtensionClass(uint8_t label);
const TGIFExtensionClass* FindAppExtensionClass(const uint8_t* identifier11);
// The class that should read the extension at the stream's position (which is
// restored), or nullptr.
const TGIFExtensionClass* FindExtension(TStream& stream);

class TGIFExtension : public TGIFItem {
public:
    explicit TGIFExtension(TGIFSubImage* frame);
    ~TGIFExtension() override;

    int FormatVersion() const override { return 2; }
    virtual uint8_t ExtensionLabel() const = 0;
    virtual const TGIFExtensionClass* ClassType() const = 0;
    void SaveToStream(TStream& stream) override;
    void LoadFromStream(TStream& stream) override;
    // Deep copy into a new extension of the same class owned by frame.
    TGIFExtension* Clone(TGIFSubImage* frame) const;

    TGIFSubImage* Frame;

protected:
    virtual void SaveData(TStream& stream) = 0;
    virtual void LoadData(TStream& stream) = 0;
    virtual void AssignData(const TGIFExtension& source) = 0;
};

class TGIFGraphicControlExtension : public TGIFExtension {
public:
    explicit TGIFGraphicControlExtension(TGIFSubImage* frame);
    ~TGIFGraphicControlExtension() override;
    static const TGIFExtensionClass ClassInfo;

    uint8_t ExtensionLabel() const override { return 0xF9; }
    const TGIFExtensionClass* ClassType() const override { return &ClassInfo; }

    bool Transparent() const { return (Packed & 0x01) != 0; }
    void SetTransparent(bool value);
    uint8_t TransparentColorIndex() const { return TransparentIndex; }
    void SetTransparentColorIndex(int index);
    bool UserInput() const { return (Packed & 0x02) != 0; }
    void SetUserInput(bool value);
    TGIFDisposalMethod Disposal() const { return TGIFDisposalMethod((Packed >> 2) & 7); }
    void SetDisposal(int method);
    TColor TransparentColor();

    uint8_t BlockSize = 4;
    uint8_t Packed = 0;
    uint16_t Delay = 0;
    uint8_t TransparentIndex = 0;
    uint8_t Terminator = 0;

protected:
    void SaveData(TStream& stream) override;
    void LoadData(TStream& stream) override;
    void AssignData(const TGIFExtension& source) override;
};

class TGIFTextExtension : public TGIFExtension {
public:
    using TGIFExtension::TGIFExtension;
    static const TGIFExtensionClass ClassInfo;

    uint8_t ExtensionLabel() const override { return 0x01; }
    const TGIFExtensionClass* ClassType() const override { return &ClassInfo; }

    uint8_t BlockSize = 12;
    uint16_t GridLeft = 0, GridTop = 0, GridWidth = 0, GridHeight = 0;
    uint8_t CellWidth = 0, CellHeight = 0;
    uint8_t TextFGColorIndex = 0, TextBGColorIndex = 0;
    std::vector<std::string> Text;

protected:
    void SaveData(TStream& stream) override;
    void LoadData(TStream& stream) override;
    void AssignData(const TGIFExtension& source) override;
};

class TGIFCommentExtension : public TGIFExtension {
public:
    using TGIFExtension::TGIFExtension;
    static const TGIFExtensionClass ClassInfo;

    uint8_t ExtensionLabel() const override { return 0xFE; }
    const TGIFExtensionClass* ClassType() const override { return &ClassInfo; }

    std::vector<std::string> Text;

protected:
    void SaveData(TStream& stream) override;
    void LoadData(TStream& stream) override;
    void AssignData(const TGIFExtension& source) override;
};

class TGIFApplicationExtension : public TGIFExtension {
public:
    using TGIFExtension::TGIFExtension;
    static const TGIFExtensionClass ClassInfo;

    uint8_t ExtensionLabel() const override { return 0xFF; }
    const TGIFExtensionClass* ClassType() const override { return &ClassInfo; }
    std::string IdentifierText() const { return std::string(reinterpret_cast<const char*>(Identifier), 11); }
    void SetIdentifierText(const std::string& text);

    uint8_t Identifier[11] = {};  // 8 identifier and 3 authentication bytes
    // Identifier bytes as written: 11, or 10 for a block read with size 10
    // (whose 11th identifier byte is a copy of the next byte in the file).
    uint8_t IdentifierSize = 11;

protected:
    virtual void SaveBody(TStream& stream);
    virtual void LoadBody(TStream& stream);
    void SaveData(TStream& stream) override;
    void LoadData(TStream& stream) override;
    void AssignData(const TGIFExtension& source) override;
};

// One raw data sub-block.
struct TGIFBlock {
    std::vector<uint8_t> Data;  // 1..255 bytes
};

class TGIFUnknownAppExtension : public TGIFApplicationExtension {
public:
    using TGIFApplicationExtension::TGIFApplicationExtension;
    static const TGIFExtensionClass ClassInfo;
    const TGIFExtensionClass* ClassType() const override { return &ClassInfo; }

    std::vector<TGIFBlock> Blocks;

protected:
    void SaveBody(TStream& stream) override;
    void LoadBody(TStream& stream) override;
    void AssignData(const TGIFExtension& source) override;
};

class TGIFAppExtNSLoop : public TGIFApplicationExtension {
public:
    explicit TGIFAppExtNSLoop(TGIFSubImage* frame);
    static const TGIFExtensionClass ClassInfo;
    const TGIFExtensionClass* ClassType() const override { return &ClassInfo; }

    uint16_t LoopCount = 0;    // 0: for ever
    uint32_t BufferBytes = 0;  // 0: absent

protected:
    void SaveBody(TStream& stream) override;
    void LoadBody(TStream& stream) override;
    void AssignData(const TGIFExtension& source) override;
};

// ---- Frames -----------------------------------------------------------------

// What the drawing side keeps of a frame's rendering (bitmap, mask, palette).
class TGIFFrameCache {
public:
    virtual ~TGIFFrameCache() = default;
};

class TGIFSubImage : public TGIFItem {
public:
    explicit TGIFSubImage(TGifPicture* image);
    ~TGIFSubImage() override;

    int FormatVersion() const override;
    void SaveToStream(TStream& stream) override;
    void LoadFromStream(TStream& stream) override;
    void Clear();
    bool Empty() const;
    void Assign(const TGIFSubImage& source);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    // Stores all four; a changed size drops the pixels and allocates zeroed ones;
    // the logical screen grows to hold the frame. Edges past 65535 and sizes over
    // the picture's frame budget raise GIFException.
    void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }

    bool Interlaced() const { return (Packed & 0x40) != 0; }
    void SetInterlaced(bool value) { Packed = value ? (Packed | 0x40) : (Packed & ~0x40); }
    TGIFColorMap& EffectiveColorMap();

    uint8_t Pixels(int x, int y);
    void SetPixels(int x, int y, uint8_t value);
    uint8_t* Row(int y);
    uint8_t* Data() { return data_.data(); }
    const uint8_t* Data() const { return data_.data(); }
    size_t DataSize() const { return data_.size(); }
    // Replaces the pixel data; it must hold Width * Height bytes.
    void SetData(std::vector<uint8_t> data);

    int BitsPerPixel() const { return ColorMap.BitsPerPixel(); }
    int ColorResolution() const { return ColorMap.BitsPerPixel() - 1; }

    // Drops the rendering (under the picture's cache lock) and marks the mask
    // stale; called whenever what the rendering shows changes.
    void DropBitmap();
    // The delay in hundredths of a second (0 without a graphic control extension).
    int Delay() const;
    // The disposal method (0 without a graphic control extension).
    int Disposal() const;
    int TransparentIndex() const;  // -1 when the frame is not transparent

    uint8_t Packed = 0;  // bit 7 local map, bit 6 interlaced, bit 5 sorted, bits 0-2 size
    TGIFLocalColorMap ColorMap;
    TGIFExtensionList Extensions;
    TGIFGraphicControlExtension* GraphicControlExtension = nullptr;
    bool IsTransparent = false;
    std::unique_ptr<TGIFFrameCache> RenderCache;
    bool MaskStale = true;

private:
    friend class TGIFDecoderAccess;
    void Decode(TStream& stream);
    void Encode(TStream& stream);
    void AllocateData();

    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    std::vector<uint8_t> data_;
};

// ---- The picture ------------------------------------------------------------

class TGifPicture : public TGIFPersistent {
public:
    TGifPicture();
    ~TGifPicture() override;

    void Clear();
    int Width() const { return Header.Width; }
    int Height() const { return Header.Height; }
    void SetWidth(int value);
    void SetHeight(int value);
    bool Empty() const { return Frames.Count() == 0; }
    bool Equals(const TGifPicture* other) const { return other == this; }

    // Adds the frame as it is (the picture takes ownership); answers its index.
    int Add(TGIFSubImage* frame);
    // Deep copy of another picture; the same object does nothing.
    void Assign(const TGifPicture* source);

    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream);
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);

    int FormatVersion() const;
    int BitsPerPixel() const;
    int ColorResolution() const { return BitsPerPixel() - 1; }
    int BackgroundColorIndex() const { return Header.BackgroundColorIndex; }
    TColor BackgroundColor() { return Header.BackgroundColor(); }

    virtual void ReportWarning(TGIFPersistent* sender, int severity, const std::string& message);
    void Progress(TProgressStage stage, int percent, bool redraw, const std::string& message);
    // Hook for the picture class: the picture changed.
    virtual void Changed() {}
    // Hook for the picture class: cached palettes depend on the maps.
    virtual void PaletteChanged() {}

    // Grows the logical screen to hold every frame (no warning).
    void GrowScreenToFrames();

    // Stops every painter and waits for the background ones to end, handling
    // their synchronisation requests meanwhile (never holding CacheLock while
    // it waits).
    void StopPainters();

    // Makes the animation smaller without changing what it shows (every frame
    // as composed, and the total duration). The reduction settings are only
    // checked: no colour reduction is done.
    void Optimize(TGIFOptimizeOptions options, TGIFReductionMethod method = crNone, int bits = 8,
                  TGIFDitherKind dither = dtNearest);

    TGifPictureList Frames;
    TGIFHeader Header;

    TGIFDrawFlags DrawFlags;
    TGIFReductionMethod ReductionMethod;
    int PaletteBits;
    TGIFDitherKind DitherKind;
    TGIFCodecKind CodecKind;
    int SpeedPercent;
    int StillFrame = -1;
    TColor BackgroundOverride = 0x1FFFFFFF;  // no colour: the header's background
    int64_t MaxFramePixels;
    int64_t MaxImagePixels;

    TGIFWarningEvent OnWarning;
    TGIFProgressEvent OnProgress;

    // Guards the frames' rendering caches, which a painter thread builds while
    // the GUI thread may read them, and the painters' registration.
    std::recursive_mutex CacheLock;
    std::vector<TGIFPainter*> Painters;  // running painters (under CacheLock)
    TGIFPainterEvent OnBeginPaint, OnBeforeFrame, OnAfterFrame, OnLoopPass, OnFinishPaint;

private:
    friend class TGIFSubImage;
    int64_t allocatedPixels_ = 0;  // pixels of the frames decoded during a load
};

}  // namespace ad::gif
