// Frames from pictures: a bitmap of 1, 4 or 8 bits keeps its palette and
// indices; a deeper one is reduced with the picture's reduction settings (or,
// with crNone, takes its colours in order of first appearance, at most 256);
// a mask makes the pixels it marks transparent through a new colour entry and
// a graphic control extension. Portable: the Windows half draws icons and
// metafiles into such bitmaps first.
#pragma once

#include "gif/GIFDIB.h"

namespace ad::gif {

namespace gifmsg {
constexpr const char* Converting = "Converting...";
}

// Replaces the frame's pixels, size and local colour map with the bitmap's.
void GIFImportBitmap(TGIFSubImage& frame, const TGIFDib& bitmap);

// Makes the pixels where mask (one byte per pixel, not 0: transparent) is set
// transparent: the local map is ordered by use, a black entry is added when
// the map has room, and a transparent graphic control extension is added when
// any pixel took it.
void GIFAddMask(TGIFSubImage& frame, const std::vector<uint8_t>& mask);

// A new frame imported from the bitmap (freed again when that fails); answers
// its index.
int GIFAddBitmap(TGifPicture& picture, const TGIFDib& bitmap);

}  // namespace ad::gif
