// The GIF object model: colour maps, lists, header, extensions, frames and the
// picture, with their checks, copies and the extension class registries.
#include "gif/GifCodec.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "base/Files.h"
#include "gif/GIFPainter.h"

namespace ad::gif {

TGIFDrawFlags GIFDefaultDrawFlags = 0x068F;
TGIFReductionMethod GIFDefaultReductionMethod = crNetscape;
int GIFDefaultPaletteBits = 8;
TGIFDitherKind GIFDefaultDitherKind = dtNearest;
TGIFCodecKind GIFDefaultCodecKind = gcLZW;
int GIFDefaultSpeedPercent = 100;
int64_t GIFDefaultMaxFramePixels = int64_t(1) << 26;
int64_t GIFDefaultMaxImagePixels = int64_t(1) << 28;

void GIFReadExact(TStream& stream, void* buffer, size_t count) {
    if (stream.Read(buffer, count) != count) throw GIFException(gifmsg::PrematureEnd);
}

TColor GIFColorToTColor(const TGIFColor& c) {
    return TColor(uint32_t(c.Red) | uint32_t(c.Green) << 8 | uint32_t(c.Blue) << 16);
}

TGIFColor TColorToGIFColor(TColor c) {
    uint32_t v = uint32_t(c);
    return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16)};
}

// ---- Colour maps ------------------------------------------------------------

void TGIFColorMap::ReportWarning(const std::string& message) {
    if (Image) Image->ReportWarning(this, 1, message);
}

namespace {
// The picture's lock, held while a colour map or a frame changes: a painter
// thread reads them (to render frames) under it. None without a picture.
std::unique_lock<std::recursive_mutex> LockOf(TGifPicture* image) {
    return image ? std::unique_lock<std::recursive_mutex>(image->CacheLock) : std::unique_lock<std::recursive_mutex>();
}
}  // namespace

void TGIFColorMap::Grow(int needed) {
    if (needed <= Capacity) return;
    int cap = needed > 16 ? (needed + 31) / 32 * 32 : 16;
    Capacity = std::min(cap, 256);
    Data.resize(static_cast<size_t>(Capacity));
}

int TGIFColorMap::Add(TColor color) {
    auto lock = LockOf(Image);
    if (Count >= 256) throw GIFException(gifmsg::ColorTableOverflow);
    Grow(Count + 1);
    Data[static_cast<size_t>(Count)] = TColorToGIFColor(color);
    Sorted = false;
    int index = Count++;
    Changed();
    return index;
}

int TGIFColorMap::AddDistinct(TColor color) {
    TGIFColor c = TColorToGIFColor(color);
    for (int i = 0; i < Count; ++i)
        if (Data[size_t(i)] == c) return i;
    return Add(color);
}

int TGIFColorMap::IndexOf(TColor color) const {
    TGIFColor c = TColorToGIFColor(color);
    if (Sorted) {
        for (int i = 0; i < Count; ++i)
            if (Data[size_t(i)] == c) return i;
    } else {
        for (int i = Count - 1; i >= 0; --i)
            if (Data[size_t(i)] == c) return i;
    }
    return -1;
}

void TGIFColorMap::Delete(int index) {
    auto lock = LockOf(Image);
    if (index < 0 || index >= Count) throw GIFException(gifmsg::InvalidColorIndex);
    Data.erase(Data.begin() + index);
    Data.push_back({});
    --Count;
    Sorted = false;
    Changed();
}

TColor TGIFColorMap::Colors(int index) {
    if (Count == 0) throw GIFException(gifmsg::ColorTableEmpty);
    if (index < 0 || index >= Count) {
        ReportWarning(gifmsg::InvalidColorIndex);
        index = 0;
    }
    return GIFColorToTColor(Data[size_t(index)]);
}

void TGIFColorMap::SetColors(int index, TColor color) {
    auto lock = LockOf(Image);
    if (index < 0 || index >= Count) throw GIFException(gifmsg::InvalidColorIndex);
    Data[size_t(index)] = TColorToGIFColor(color);
    Changed();
}

void TGIFColorMap::Clear() {
    auto lock = LockOf(Image);
    Data.clear();
    Count = Capacity = 0;
    Sorted = false;
    Changed();
}

void TGIFColorMap::Assign(const TGIFColorMap& source) {
    if (&source == this) return;
    auto lock = LockOf(Image);
    Data = source.Data;
    Count = source.Count;
    Capacity = source.Capacity;
    Sorted = source.Sorted;
    Changed();
}

void TGIFColorMap::LoadFromQuads(const uint8_t* bgrQuads, int count) {
    auto lock = LockOf(Image);
    count = std::clamp(count, 0, 256);
    Data.clear();
    Count = Capacity = 0;
    Grow(count);
    for (int i = 0; i < count; ++i)
        Data[size_t(i)] = {bgrQuads[i * 4 + 2], bgrQuads[i * 4 + 1], bgrQuads[i * 4]};
    Count = count;
    Sorted = false;
    Changed();
}

int TGIFColorMap::BitsPerPixel() const {
    if (Count == 0) return 0;
    int b = 1;
    while ((1 << b) < Count) ++b;
    return b;
}

void TGIFColorMap::SaveToStream(TStream& stream) const {
    if (Count == 0) return;
    size_t entries = size_t(1) << BitsPerPixel();
    std::vector<uint8_t> bytes(entries * 3, 0);
    std::memcpy(bytes.data(), Data.data(), size_t(Count) * 3);
    stream.Write(bytes.data(), bytes.size());
}

void TGIFColorMap::LoadFromStream(TStream& stream, int count) {
    count = std::clamp(count, 0, 256);
    std::vector<TGIFColor> table(static_cast<size_t>(count));
    static_assert(sizeof(TGIFColor) == 3);
    GIFReadExact(stream, table.data(), size_t(count) * 3);
    auto lock = LockOf(Image);
    Data.clear();
    Count = Capacity = 0;
    Grow(count);
    std::copy(table.begin(), table.end(), Data.begin());
    Count = count;
    Changed();
}

void TGIFGlobalColorMap::Changed() {
    if (!Image) return;
    Image->PaletteCache.reset();
    Image->PaletteChanged();
    for (int i = 0; i < Image->Frames.Count(); ++i) Image->Frames.Frames(i)->DropBitmap();
}

void TGIFLocalColorMap::Changed() {
    if (Frame) Frame->DropBitmap();
}

// ---- Items and lists --------------------------------------------------------

void TGIFItem::ReportWarning(const std::string& message) {
    if (Image) Image->ReportWarning(this, 1, message);
}

void TGIFItem::SaveToFile(const std::string& fileName) {
    TMemoryStream stream;
    SaveToStream(stream);
    SaveFileAtomically(fileName, stream.Memory(), stream.Bytes().size());
}

void TGIFItem::LoadFromFile(const std::string& fileName) {
    TMemoryStream stream(ReadFileBytes(fileName));
    LoadFromStream(stream);
}

void TGIFList::ReportWarning(const std::string& message) {
    if (Image) Image->ReportWarning(this, 1, message);
}

void TGIFList::SaveToStream(TStream& stream) {
    for (TGIFItem* item : items_) item->SaveToStream(stream);
}

int TGIFList::Add(TGIFItem* item) {
    auto lock = LockOf(Image);  // the painter reads frames and extensions
    items_.push_back(item);
    return Count() - 1;
}

void TGIFList::Insert(int i, TGIFItem* item) {
    auto lock = LockOf(Image);  // the painter reads frames and extensions
    items_.insert(items_.begin() + std::clamp(i, 0, Count()), item);
}

int TGIFList::IndexOf(const TGIFItem* item) const {
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : int(it - items_.begin());
}

void TGIFList::Delete(int i) {
    auto lock = LockOf(Image);  // the painter reads frames and extensions
    TGIFItem* item = Items(i);
    items_.erase(items_.begin() + i);
    delete item;  // its destructor finds itself no longer listed
}

void TGIFList::Remove(TGIFItem* item) {
    auto lock = LockOf(Image);  // the painter reads frames and extensions
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it != items_.end()) items_.erase(it);
}

void TGIFList::Clear() {
    while (!items_.empty()) Delete(0);
}

TGIFExtension* TGIFExtensionList::Extensions(int i) const {
    return static_cast<TGIFExtension*>(Items(i));
}

TGIFSubImage* TGifPictureList::Frames(int i) const {
    return static_cast<TGIFSubImage*>(Items(i));
}

// ---- Header and trailer -----------------------------------------------------

int TGIFHeader::FormatVersion() const {
    return (ColorMap.Sorted || AspectRatio != 0) ? 2 : 1;
}

void TGIFHeader::Clear() {
    ColorMap.Clear();
    Width = Height = 0;
    Packed = BackgroundColorIndex = AspectRatio = 0;
}

void TGIFHeader::Assign(const TGIFHeader& source) {
    if (&source == this) return;
    ColorMap.Assign(source.ColorMap);
    Width = source.Width;
    Height = source.Height;
    Packed = source.Packed;
    BackgroundColorIndex = source.BackgroundColorIndex;
    AspectRatio = source.AspectRatio;
}

void TGIFHeader::Assign(const TGIFColorMap& source) {
    ColorMap.Clear();
    ColorMap.Assign(source);
}

void TGIFHeader::UpdateFlags() {
    uint8_t packed = 0;
    if (ColorMap.Count > 0) {
        packed |= 0x80;
        if (ColorMap.Sorted) packed |= 0x08;
    }
    int resolution = Image ? Image->ColorResolution() : ColorMap.BitsPerPixel() - 1;
    packed |= uint8_t((resolution * 16) & 0x70);
    int bits = ColorMap.Count > 0 ? ColorMap.BitsPerPixel() : (Image ? Image->BitsPerPixel() : 1);
    packed |= uint8_t((bits - 1) & 7);
    Packed = packed;
}

TColor TGIFHeader::BackgroundColor() {
    return ColorMap.Colors(BackgroundColorIndex);
}

void TGIFTrailer::SaveToStream(TStream& stream) {
    stream.WriteByte(0x3B);
}

void TGIFTrailer::LoadFromStream(TStream& stream) {
    uint8_t b;
    if (stream.ReadByte(b) && b != 0x3B) ReportWarning(gifmsg::InvalidTrailer);
}

// ---- Extension registries ---------------------------------------------------

namespace {

struct TExtensionEntry {
    uint8_t Label;
    const TGIFExtensionClass* Class;
};
struct TAppExtensionEntry {
    uint8_t Identifier[11];
    const TGIFExtensionClass* Class;
};

std::vector<TExtensionEntry>& ExtensionRegistry() {
    static std::vector<TExtensionEntry> list = {
        {0x01, &TGIFTextExtension::ClassInfo},
        {0xF9, &TGIFGraphicControlExtension::ClassInfo},
        {0xFE, &TGIFCommentExtension::ClassInfo},
        {0xFF, &TGIFApplicationExtension::ClassInfo},
    };
    return list;
}

TAppExtensionEntry MakeAppEntry(const char* id, const TGIFExtensionClass* cls) {
    TAppExtensionEntry e{};
    std::memcpy(e.Identifier, id, 11);
    e.Class = cls;
    return e;
}

std::vector<TAppExtensionEntry>& AppExtensionRegistry() {
    static std::vector<TAppExtensionEntry> list = {
        MakeAppEntry("NETSCAPE2.0", &TGIFAppExtNSLoop::ClassInfo),
        MakeAppEntry("ANIMEXTS1.0", &TGIFAppExtNSLoop::ClassInfo),
    };
    return list;
}

// The application extension looks at its block size and identifier.
const TGIFExtensionClass* ResolveApplication(TStream& stream) {
    uint8_t size;
    if (!stream.ReadByte(size)) return nullptr;
    uint8_t id[11];
    if (size == 10) {
        if (stream.Read(id, 10) != 10) return nullptr;
        return &TGIFUnknownAppExtension::ClassInfo;
    }
    if (size == 11 && stream.Read(id, 11) == 11) {
        const TGIFExtensionClass* cls = FindAppExtensionClass(id);
        return cls ? cls : &TGIFUnknownAppExtension::ClassInfo;
    }
    return nullptr;
}

template <class T>
TGIFExtension* CreateExtension(TGIFSubImage* frame) {
    return new T(frame);
}

}  // namespace

const TGIFExtensionClass TGIFGraphicControlExtension::ClassInfo = {
    "TGIFGraphicControlExtension", &CreateExtension<TGIFGraphicControlExtension>, nullptr};
const TGIFExtensionClass TGIFTextExtension::ClassInfo = {"TGIFTextExtension", &CreateExtension<TGIFTextExtension>,
                                                         nullptr};
const TGIFExtensionClass TGIFCommentExtension::ClassInfo = {"TGIFCommentExtension",
                                                            &CreateExtension<TGIFCommentExtension>, nullptr};
const TGIFExtensionClass TGIFApplicationExtension::ClassInfo = {
    "TGIFApplicationExtension", &CreateExtension<TGIFApplicationExtension>, &ResolveApplication};
const TGIFExtensionClass TGIFUnknownAppExtension::ClassInfo = {"TGIFUnknownAppExtension",
                                                               &CreateExtension<TGIFUnknownAppExtension>, nullptr};
const TGIFExtensionClass TGIFAppExtNSLoop::ClassInfo = {"TGIFAppExtNSLoop", &CreateExtension<TGIFAppExtNSLoop>,
                                                        nullptr};

void RegisterExtension(uint8_t label, const TGIFExtensionClass* cls) {
    ExtensionRegistry().push_back({label, cls});
}

void RegisterAppExtension(const char (&identifier)[12], const TGIFExtensionClass* cls) {
    AppExtensionRegistry().push_back(MakeAppEntry(identifier, cls));
}

const TGIFExtensionClass* FindExtensionClass(uint8_t label) {
    auto& list = ExtensionRegistry();
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        if (it->Label == label) return it->Class;
    return nullptr;
}

const TGIFExtensionClass* FindAppExtensionClass(const uint8_t* identifier11) {
    auto& list = AppExtensionRegistry();
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        if (std::memcmp(it->Identifier, identifier11, 11) == 0) return it->Class;
    return nullptr;
}

const TGIFExtensionClass* FindExtension(TStream& stream) {
    int64_t pos = stream.Position();
    const TGIFExtensionClass* cls = nullptr;
    uint8_t label;
    if (stream.ReadByte(label)) {
        cls = FindExtensionClass(label);
        // Each class may refine to another; a class that answers itself ends it.
        for (int guard = 0; cls && cls->ResolveClass && guard < 16; ++guard) {
            int64_t here = stream.Position();
            const TGIFExtensionClass* next = cls->ResolveClass(stream);
            stream.SetPosition(here);
            if (!next || next == cls) break;
            cls = next;
        }
    }
    stream.SetPosition(pos);
    return cls;
}

// ---- Extensions -------------------------------------------------------------

TGIFExtension::TGIFExtension(TGIFSubImage* frame) : TGIFItem(frame ? frame->Image : nullptr), Frame(frame) {}

TGIFExtension::~TGIFExtension() {
    if (Frame) Frame->Extensions.Remove(this);
}

void TGIFExtension::SaveToStream(TStream& stream) {
    uint8_t head[2] = {0x21, ExtensionLabel()};
    stream.Write(head, 2);
    SaveData(stream);
}

void TGIFExtension::LoadFromStream(TStream& stream) {
    uint8_t head[2];
    GIFReadExact(stream, head, 2);
    if (head[0] != 0x21) throw GIFException(gifmsg::InvalidExtensionIntroducer);
    if (head[1] != ExtensionLabel()) throw GIFException(gifmsg::ExtensionMismatch);
    LoadData(stream);
}

TGIFExtension* TGIFExtension::Clone(TGIFSubImage* frame) const {
    std::unique_ptr<TGIFExtension> copy(ClassType()->Create(frame));
    copy->AssignData(*this);
    return copy.release();
}

// Text travels as one line per sub-block run; a line longer than 255 bytes
// takes several sub-blocks.
static void SaveTextBlocks(TStream& stream, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        for (size_t at = 0; at < line.size(); at += 255) {
            size_t n = std::min<size_t>(255, line.size() - at);
            stream.WriteByte(uint8_t(n));
            stream.Write(line.data() + at, n);
        }
    }
    stream.WriteByte(0);
}

static void LoadTextBlocks(TStream& stream, std::vector<std::string>& lines) {
    lines.clear();
    uint8_t size;
    char buf[255];
    while (stream.ReadByte(size) && size != 0) {
        size_t n = stream.Read(buf, size);
        lines.emplace_back(buf, std::find(buf, buf + n, '\0'));
        if (n < size) break;  // end of stream
    }
}

TGIFGraphicControlExtension::TGIFGraphicControlExtension(TGIFSubImage* frame) : TGIFExtension(frame) {
    if (Frame && !Frame->GraphicControlExtension) Frame->GraphicControlExtension = this;
}

TGIFGraphicControlExtension::~TGIFGraphicControlExtension() {
    if (Frame && Frame->GraphicControlExtension == this) {
        if (Transparent()) Frame->IsTransparent = false;
        Frame->GraphicControlExtension = nullptr;
    }
}

void TGIFGraphicControlExtension::SetTransparent(bool value) {
    Packed = value ? (Packed | 0x01) : (Packed & ~0x01);
    if (Frame && Frame->GraphicControlExtension == this) {
        Frame->IsTransparent = value;
        Frame->DropBitmap();
    }
}

void TGIFGraphicControlExtension::SetTransparentColorIndex(int index) {
    if (Frame) {
        TGIFColorMap& map = Frame->EffectiveColorMap();
        if (map.Count > 0 && (index < 0 || index >= map.Count)) {
            ReportWarning(gifmsg::InvalidColorIndex);
            index = 0;
        }
    }
    TransparentIndex = uint8_t(index);
    if (Frame && Frame->GraphicControlExtension == this) Frame->DropBitmap();
}

void TGIFGraphicControlExtension::SetUserInput(bool value) {
    Packed = value ? (Packed | 0x02) : (Packed & ~0x02);
}

void TGIFGraphicControlExtension::SetDisposal(int method) {
    Packed = uint8_t((Packed & ~0x1C) | ((method & 7) << 2));
}

TColor TGIFGraphicControlExtension::TransparentColor() {
    return Frame ? Frame->EffectiveColorMap().Colors(TransparentIndex) : 0;
}

void TGIFGraphicControlExtension::SaveData(TStream& stream) {
    uint8_t b[6] = {BlockSize, Packed, uint8_t(Delay), uint8_t(Delay >> 8), TransparentIndex, Terminator};
    stream.Write(b, 6);
}

void TGIFGraphicControlExtension::LoadData(TStream& stream) {
    uint8_t b[6] = {};
    if (stream.Read(b, 6) < 6) ReportWarning(gifmsg::PrematureEnd);
    BlockSize = b[0];
    Packed = b[1];
    Delay = uint16_t(b[2] | b[3] << 8);
    TransparentIndex = b[4];
    Terminator = b[5];
    if (Transparent() && Frame && Frame->GraphicControlExtension == this) Frame->IsTransparent = true;
}

void TGIFGraphicControlExtension::AssignData(const TGIFExtension& source) {
    auto& s = static_cast<const TGIFGraphicControlExtension&>(source);
    BlockSize = s.BlockSize;
    Delay = s.Delay;
    TransparentIndex = s.TransparentIndex;
    Terminator = s.Terminator;
    Packed = s.Packed;
    SetTransparent(s.Transparent());
}

void TGIFTextExtension::SaveData(TStream& stream) {
    uint8_t b[13] = {BlockSize,
                     uint8_t(GridLeft), uint8_t(GridLeft >> 8), uint8_t(GridTop), uint8_t(GridTop >> 8),
                     uint8_t(GridWidth), uint8_t(GridWidth >> 8), uint8_t(GridHeight), uint8_t(GridHeight >> 8),
                     CellWidth, CellHeight, TextFGColorIndex, TextBGColorIndex};
    stream.Write(b, 13);
    SaveTextBlocks(stream, Text);
}

void TGIFTextExtension::LoadData(TStream& stream) {
    uint8_t b[13];
    GIFReadExact(stream, b, 13);
    BlockSize = b[0];
    GridLeft = uint16_t(b[1] | b[2] << 8);
    GridTop = uint16_t(b[3] | b[4] << 8);
    GridWidth = uint16_t(b[5] | b[6] << 8);
    GridHeight = uint16_t(b[7] | b[8] << 8);
    CellWidth = b[9];
    CellHeight = b[10];
    TextFGColorIndex = b[11];
    TextBGColorIndex = b[12];
    LoadTextBlocks(stream, Text);
}

void TGIFTextExtension::AssignData(const TGIFExtension& source) {
    auto& s = static_cast<const TGIFTextExtension&>(source);
    BlockSize = s.BlockSize;
    GridLeft = s.GridLeft;
    GridTop = s.GridTop;
    GridWidth = s.GridWidth;
    GridHeight = s.GridHeight;
    CellWidth = s.CellWidth;
    CellHeight = s.CellHeight;
    TextFGColorIndex = s.TextFGColorIndex;
    TextBGColorIndex = s.TextBGColorIndex;
    Text = s.Text;
}

void TGIFCommentExtension::SaveData(TStream& stream) { SaveTextBlocks(stream, Text); }
void TGIFCommentExtension::LoadData(TStream& stream) { LoadTextBlocks(stream, Text); }
void TGIFCommentExtension::AssignData(const TGIFExtension& source) {
    Text = static_cast<const TGIFCommentExtension&>(source).Text;
}

void TGIFApplicationExtension::SetIdentifierText(const std::string& text) {
    std::memset(Identifier, 0, sizeof Identifier);
    std::memcpy(Identifier, text.data(), std::min<size_t>(11, text.size()));
    IdentifierSize = 11;
}

// An application block of a size other than 10 or 11 keeps only its
// identifier: its data sub-blocks are skipped on reading, and an empty body
// (the terminator alone) is written, so that the file stays readable.
void TGIFApplicationExtension::SaveBody(TStream& stream) { stream.WriteByte(0); }

void TGIFApplicationExtension::LoadBody(TStream& stream) {
    uint8_t size;
    uint8_t skip[255];
    while (stream.ReadByte(size) && size != 0)
        if (stream.Read(skip, size) < size) break;
}

// A block read with size 10 is written with size 10 again: written with 11
// bytes, the copied byte would stand in the identifier as well as in front
// of the first sub-block, and "NETSCAPE2." followed by a sub-block of 48
// bytes would come back as a looping extension that fails to load.
void TGIFApplicationExtension::SaveData(TStream& stream) {
    const uint8_t size = IdentifierSize == 10 ? 10 : 11;
    stream.WriteByte(size);
    stream.Write(Identifier, size);
    SaveBody(stream);
}

void TGIFApplicationExtension::LoadData(TStream& stream) {
    uint8_t n;
    GIFReadExact(stream, &n, 1);
    if (n < 10) throw GIFException(gifmsg::UnsupportedAppBlockSize);
    std::memset(Identifier, 0, sizeof Identifier);
    IdentifierSize = n == 10 ? 10 : 11;
    if (n == 10) {
        // Ten bytes and a copy of the byte after them, which stays unread.
        GIFReadExact(stream, Identifier, 11);
        stream.Seek(-1, soCurrent);
    } else {
        GIFReadExact(stream, Identifier, 11);
        if (n > 11) {
            uint8_t skip[255];
            GIFReadExact(stream, skip, size_t(n - 11));
        }
    }
    LoadBody(stream);
}

void TGIFApplicationExtension::AssignData(const TGIFExtension& source) {
    const auto& s = static_cast<const TGIFApplicationExtension&>(source);
    std::memcpy(Identifier, s.Identifier, 11);
    IdentifierSize = s.IdentifierSize;
}

void TGIFUnknownAppExtension::SaveBody(TStream& stream) {
    for (const TGIFBlock& block : Blocks) {
        stream.WriteByte(uint8_t(block.Data.size()));
        stream.Write(block.Data.data(), block.Data.size());
    }
    stream.WriteByte(0);
}

void TGIFUnknownAppExtension::LoadBody(TStream& stream) {
    Blocks.clear();
    uint8_t size;
    while (stream.ReadByte(size) && size != 0) {
        TGIFBlock block;
        block.Data.resize(size);
        GIFReadExact(stream, block.Data.data(), size);
        Blocks.push_back(std::move(block));
    }
}

void TGIFUnknownAppExtension::AssignData(const TGIFExtension& source) {
    TGIFApplicationExtension::AssignData(source);
    Blocks = static_cast<const TGIFUnknownAppExtension&>(source).Blocks;
}

TGIFAppExtNSLoop::TGIFAppExtNSLoop(TGIFSubImage* frame) : TGIFApplicationExtension(frame) {
    SetIdentifierText("NETSCAPE2.0");
}

void TGIFAppExtNSLoop::SaveBody(TStream& stream) {
    stream.WriteByte(3);
    stream.WriteByte(1);
    stream.WriteWord(LoopCount);
    if (BufferBytes != 0) {
        uint8_t b[6] = {5, 2, uint8_t(BufferBytes), uint8_t(BufferBytes >> 8), uint8_t(BufferBytes >> 16),
                        uint8_t(BufferBytes >> 24)};
        stream.Write(b, 6);
    }
    stream.WriteByte(0);
}

void TGIFAppExtNSLoop::LoadBody(TStream& stream) {
    uint8_t n;
    // A truncated file ends the body like any other ("Premature end of data")
    // rather than looping on a size byte that never comes.
    for (;;) {
        GIFReadExact(stream, &n, 1);
        if (n == 0) break;
        uint8_t block[255];
        GIFReadExact(stream, block, n);
        uint8_t kind = block[0] & 7;
        if (kind == 1) {
            if (n < 3) throw GIFException(gifmsg::InvalidData);
            LoopCount = uint16_t(block[1] | block[2] << 8);
        } else if (kind == 2) {
            if (n < 5) throw GIFException(gifmsg::InvalidData);
            BufferBytes = uint32_t(block[1]) | uint32_t(block[2]) << 8 | uint32_t(block[3]) << 16 |
                          uint32_t(block[4]) << 24;
        }
    }
}

void TGIFAppExtNSLoop::AssignData(const TGIFExtension& source) {
    TGIFApplicationExtension::AssignData(source);
    auto& s = static_cast<const TGIFAppExtNSLoop&>(source);
    LoopCount = s.LoopCount;
    BufferBytes = s.BufferBytes;
}

// ---- Frames -----------------------------------------------------------------

TGIFSubImage::TGIFSubImage(TGifPicture* image)
    : TGIFItem(image), ColorMap(image, this), Extensions(image, this) {}

TGIFSubImage::~TGIFSubImage() {
    if (Image) Image->Frames.Remove(this);
    Clear();
}

int TGIFSubImage::FormatVersion() const {
    return (ColorMap.Sorted || Extensions.Count() > 0) ? 2 : 1;
}

void TGIFSubImage::DropBitmap() {
    if (Image) {
        std::lock_guard<std::recursive_mutex> lock(Image->CacheLock);
        RenderCache.reset();
    } else {
        RenderCache.reset();
    }
    MaskStale = true;
}

int TGIFSubImage::Delay() const { return GraphicControlExtension ? GraphicControlExtension->Delay : 0; }

int TGIFSubImage::Disposal() const { return GraphicControlExtension ? GraphicControlExtension->Disposal() : 0; }

int TGIFSubImage::TransparentIndex() const {
    return IsTransparent && GraphicControlExtension ? GraphicControlExtension->TransparentIndex : -1;
}

void TGIFSubImage::Clear() {
    auto lock = LockOf(Image);
    DropBitmap();
    Extensions.Clear();
    ColorMap.Clear();
    if (Image) Image->allocatedPixels_ -= int64_t(data_.size());
    data_.clear();
    data_.shrink_to_fit();
    width_ = height_ = 0;
    IsTransparent = false;
    GraphicControlExtension = nullptr;
}

bool TGIFSubImage::Empty() const {
    return data_.empty() || width_ == 0 || height_ == 0;
}

void TGIFSubImage::AllocateData() {
    int64_t pixels = int64_t(width_) * int64_t(height_);
    int64_t old = int64_t(data_.size());
    if (Image) {
        if (pixels > Image->MaxFramePixels) throw GIFException(gifmsg::FrameTooLarge);
        if (Image->allocatedPixels_ - old + pixels > Image->MaxImagePixels)
            throw GIFException(gifmsg::ImageTooLarge);
    }
    std::vector<uint8_t> fresh(static_cast<size_t>(pixels), 0);
    data_.swap(fresh);
    DropBitmap();
    if (Image) Image->allocatedPixels_ += pixels - old;
}

void TGIFSubImage::SetData(std::vector<uint8_t> data) {
    auto lock = LockOf(Image);
    if (data.size() != size_t(width_) * size_t(height_)) throw GIFException(gifmsg::InvalidPixelCoords);
    if (Image) Image->allocatedPixels_ += int64_t(data.size()) - int64_t(data_.size());
    data_ = std::move(data);
    DropBitmap();
}

void TGIFSubImage::SetBounds(int left, int top, int width, int height) {
    // The pixels may be replaced while a painter thread renders the frame.
    auto lock = LockOf(Image);
    if (left < 0 || top < 0 || width < 0 || height < 0 || int64_t(left) + width > 65535 ||
        int64_t(top) + height > 65535)
        throw GIFException(gifmsg::FrameOutsideScreen);
    bool resized = width != width_ || height != height_;
    if (resized && Image && int64_t(width) * height > Image->MaxFramePixels)
        throw GIFException(gifmsg::FrameTooLarge);
    int oldWidth = width_, oldHeight = height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (resized) {
        try {
            AllocateData();
        } catch (...) {
            width_ = oldWidth;
            height_ = oldHeight;
            throw;
        }
    }
    if (!Image) return;
    bool warned = false;
    if (left + width > Image->Header.Width) {
        if (Image->Header.Width > 0) {
            ReportWarning(gifmsg::ImageWidthTooSmall);
            warned = true;
        }
        Image->Header.Width = uint16_t(left + width);
    }
    if (top + height > Image->Header.Height) {
        if (Image->Header.Height > 0) {
            ReportWarning(gifmsg::ImageHeightTooSmall);
            warned = true;
        }
        Image->Header.Height = uint16_t(top + height);
    }
    if (warned) ReportWarning(gifmsg::ExceedsScreen);
}

TGIFColorMap& TGIFSubImage::EffectiveColorMap() {
    if (ColorMap.Count == 0 && Image && Image->Header.ColorMap.Count > 0) return Image->Header.ColorMap;
    return ColorMap;
}

uint8_t* TGIFSubImage::Row(int y) {
    if (y < 0 || y >= height_) throw GIFException(gifmsg::InvalidPixelCoords);
    if (data_.empty()) {
        if (int64_t(width_) * height_ == 0) throw GIFException(gifmsg::ImageEmpty);
        AllocateData();
    }
    return data_.data() + size_t(y) * size_t(width_);
}

uint8_t TGIFSubImage::Pixels(int x, int y) {
    if (x < 0 || x >= width_) throw GIFException(gifmsg::InvalidPixelCoords);
    return Row(y)[x];
}

void TGIFSubImage::SetPixels(int x, int y, uint8_t value) {
    if (x < 0 || x >= width_) throw GIFException(gifmsg::InvalidPixelCoords);
    Row(y)[x] = value;
}

void TGIFSubImage::Assign(const TGIFSubImage& source) {
    if (&source == this) return;
    auto lock = LockOf(Image);
    Clear();
    left_ = source.left_;
    top_ = source.top_;
    width_ = source.width_;
    height_ = source.height_;
    Packed = source.Packed;
    ColorMap.Assign(source.ColorMap);
    SetData(source.data_);
    for (int i = 0; i < source.Extensions.Count(); ++i) {
        TGIFExtension* copy = source.Extensions.Extensions(i)->Clone(this);
        Extensions.Add(copy);
    }
    if (GraphicControlExtension) IsTransparent = GraphicControlExtension->Transparent();
}

// ---- The picture ------------------------------------------------------------

TGifPicture::TGifPicture()
    : Frames(this),
      Header(this),
      DrawFlags(GIFDefaultDrawFlags),
      ReductionMethod(GIFDefaultReductionMethod),
      PaletteBits(GIFDefaultPaletteBits),
      DitherKind(GIFDefaultDitherKind),
      CodecKind(GIFDefaultCodecKind),
      SpeedPercent(GIFDefaultSpeedPercent),
      MaxFramePixels(GIFDefaultMaxFramePixels),
      MaxImagePixels(GIFDefaultMaxImagePixels) {
    Clear();
}

TGifPicture::~TGifPicture() {
    StopPainters();
    {
        std::lock_guard<std::recursive_mutex> lock(CacheLock);
        while (!Painters.empty()) Painters.back()->Detach();
    }
    OnWarning = nullptr;
    OnProgress = nullptr;
    Frames.Clear();
}

void TGifPicture::Clear() {
    StopPainters();
    Frames.Clear();
    Header.Clear();
    Header.UpdateFlags();
    allocatedPixels_ = 0;
    PaletteCache.reset();
    PaletteChanged();
}

void TGifPicture::SetWidth(int value) {
    for (int i = 0; i < Frames.Count(); ++i) {
        TGIFSubImage* f = Frames.Frames(i);
        if (value < f->Left() + f->Width()) throw GIFException(gifmsg::ImageWidthTooSmall);
    }
    if (value < 0 || value > 65535) throw GIFException(gifmsg::FrameOutsideScreen);
    if (value != Header.Width) {
        Header.Width = uint16_t(value);
        Changed();
    }
}

void TGifPicture::SetHeight(int value) {
    for (int i = 0; i < Frames.Count(); ++i) {
        TGIFSubImage* f = Frames.Frames(i);
        if (value < f->Top() + f->Height()) throw GIFException(gifmsg::ImageHeightTooSmall);
    }
    if (value < 0 || value > 65535) throw GIFException(gifmsg::FrameOutsideScreen);
    if (value != Header.Height) {
        Header.Height = uint16_t(value);
        Changed();
    }
}

int TGifPicture::Add(TGIFSubImage* frame) {
    if (!frame) throw GIFException(gifmsg::ObjectNotSupported);
    if (frame->Image != this) {
        // A frame of another picture is copied in.
        std::unique_ptr<TGIFSubImage> copy(new TGIFSubImage(this));
        copy->Assign(*frame);
        frame = copy.release();
    }
    int index = Frames.Add(frame);
    Changed();
    return index;
}

void TGifPicture::Assign(const TGifPicture* source) {
    if (source == this) return;
    Clear();
    if (!source) return;
    Header.Assign(source->Header);
    DrawFlags = source->DrawFlags;
    ReductionMethod = source->ReductionMethod;
    DitherKind = source->DitherKind;
    StillFrame = source->StillFrame;
    BackgroundOverride = source->BackgroundOverride;
    OnWarning = source->OnWarning;
    OnProgress = source->OnProgress;
    OnBeginPaint = source->OnBeginPaint;
    OnBeforeFrame = source->OnBeforeFrame;
    OnAfterFrame = source->OnAfterFrame;
    OnLoopPass = source->OnLoopPass;
    OnFinishPaint = source->OnFinishPaint;
    try {
        int n = source->Frames.Count();
        for (int i = 0; i < n; ++i) {
            std::unique_ptr<TGIFSubImage> frame(new TGIFSubImage(this));
            frame->Assign(*source->Frames.Frames(i));
            Frames.Add(frame.release());
            Progress(psRunning, (i + 1) * 100 / n, false, gifmsg::Copying);
        }
        GrowScreenToFrames();
    } catch (...) {
        OnWarning = nullptr;
        OnProgress = nullptr;
        throw;
    }
    OnWarning = nullptr;
    OnProgress = nullptr;
    Changed();
}

void TGifPicture::GrowScreenToFrames() {
    for (int i = 0; i < Frames.Count(); ++i) {
        TGIFSubImage* f = Frames.Frames(i);
        Header.Width = uint16_t(std::max<int>(Header.Width, f->Left() + f->Width()));
        Header.Height = uint16_t(std::max<int>(Header.Height, f->Top() + f->Height()));
    }
}

int TGifPicture::FormatVersion() const {
    int version = 0;
    for (int i = 0; i < Frames.Count() && version < 2; ++i)
        version = std::max(version, Frames.Frames(i)->FormatVersion());
    return version;
}

int TGifPicture::BitsPerPixel() const {
    int bits = Header.ColorMap.BitsPerPixel();
    for (int i = 0; i < Frames.Count(); ++i) bits = std::max(bits, Frames.Frames(i)->BitsPerPixel());
    return bits;
}

void TGifPicture::ReportWarning(TGIFPersistent* sender, int severity, const std::string& message) {
    if (OnWarning) OnWarning(sender, severity, message);
}

void TGifPicture::Progress(TProgressStage stage, int percent, bool redraw, const std::string& message) {
    if (OnProgress) OnProgress(this, stage, percent, redraw, message);
}

void TGifPicture::LoadFromFile(const std::string& fileName) {
    TMemoryStream stream(ReadFileBytes(fileName));
    LoadFromStream(stream);
}

void TGifPicture::SaveToFile(const std::string& fileName) {
    TMemoryStream stream;
    SaveToStream(stream);
    SaveFileAtomically(fileName, stream.Memory(), stream.Bytes().size());
}

}  // namespace ad::gif
