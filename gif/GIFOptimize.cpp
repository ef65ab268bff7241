// Optimisation: colour maps ordered by use, needless transparency, disposal and
// extensions removed, pixels that repeat what is already shown made
// transparent, transparent borders cropped. Every step keeps what the
// animation shows: each composed frame and the total duration.
#include <algorithm>
#include <numeric>

#include "gif/GIFPainter.h"
#include "gif/GIFRender.h"
#include "gif/GifCodec.h"

namespace ad::gif {

// ---- Colour maps by use -----------------------------------------------------

std::vector<TGIFSubImage*> TGIFGlobalColorMap::Users() {
    std::vector<TGIFSubImage*> users;
    if (!Image) return users;
    for (int i = 0; i < Image->Frames.Count(); ++i) {
        TGIFSubImage* f = Image->Frames.Frames(i);
        if (&f->EffectiveColorMap() == this) users.push_back(f);
    }
    return users;
}

std::vector<TGIFSubImage*> TGIFLocalColorMap::Users() {
    if (Frame && Count > 0) return {Frame};
    return {};
}

bool TGIFColorMap::SortByUse() {
    if (Count < 2) return false;
    std::vector<TGIFSubImage*> users = Users();
    std::vector<int64_t> uses(static_cast<size_t>(Count), 0);
    for (TGIFSubImage* f : users) {
        const int t = f->TransparentIndex();
        const uint8_t* p = f->Data();
        for (size_t i = 0, n = f->DataSize(); i < n; ++i) {
            if (p[i] < Count)
                ++uses[p[i]];
            else if (p[i] != t)
                return false;  // shown as entry 0: left as it is
        }
    }
    const bool global = Image && this == &Image->Header.ColorMap;
    // The background colour is read from the global map: its entry stays.
    if (global) ++uses[Image->Header.BackgroundColorIndex < Count ? Image->Header.BackgroundColorIndex : 0];
    Sorted = true;
    std::vector<int> order(static_cast<size_t>(Count));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return uses[size_t(a)] > uses[size_t(b)]; });
    int used = int(std::count_if(uses.begin(), uses.end(), [](int64_t u) { return u > 0; }));
    bool identity = std::is_sorted(order.begin(), order.end());
    if (identity && used == Count) return true;

    // Old index -> new position; indices past the table (transparent ones)
    // keep their value, which stays past the new table.
    uint8_t remap[256];
    for (int i = 0; i < 256; ++i) remap[i] = uint8_t(i);
    for (int pos = 0; pos < Count; ++pos) remap[order[size_t(pos)]] = uint8_t(pos);
    for (TGIFSubImage* f : users) {
        uint8_t* p = f->Data();
        for (size_t i = 0, n = f->DataSize(); i < n; ++i) p[i] = remap[p[i]];
        if (f->GraphicControlExtension) {
            uint8_t& t = f->GraphicControlExtension->TransparentIndex;
            if (t < Count) t = remap[t];
        }
        f->DropBitmap();
    }
    if (global && Image->Header.BackgroundColorIndex < Count)
        Image->Header.BackgroundColorIndex = remap[Image->Header.BackgroundColorIndex];
    std::vector<TGIFColor> entries(Data.begin(), Data.begin() + Count);
    for (int pos = 0; pos < Count; ++pos) Data[size_t(pos)] = entries[size_t(order[size_t(pos)])];
    for (int pos = used; pos < Count; ++pos) Data[size_t(pos)] = {};
    Count = used;
    Changed();
    return true;
}

// ---- Steps ------------------------------------------------------------------

namespace {

bool HasLoopExtension(const TGIFSubImage& f) {
    for (int i = 0; i < f.Extensions.Count(); ++i)
        if (dynamic_cast<TGIFAppExtNSLoop*>(f.Extensions.Extensions(i))) return true;
    return false;
}

bool UsesIndex(TGIFSubImage& f, int index) {
    return std::find(f.Data(), f.Data() + f.DataSize(), uint8_t(index)) != f.Data() + f.DataSize();
}

TGIFGraphicControlExtension* EnsureGce(TGIFSubImage& f) {
    if (!f.GraphicControlExtension) f.Extensions.Add(new TGIFGraphicControlExtension(&f));
    return f.GraphicControlExtension;
}

// The index that frame f can make transparent: its own, or one it does not use.
int NewTransparentIndex(TGifPicture& pic, TGIFSubImage& f) {
    if (f.ColorMap.Count > 0) {
        if (f.ColorMap.Count >= 256 || UsesIndex(f, f.ColorMap.Count)) return -1;
        return f.ColorMap.Add(clBlack);
    }
    TGIFColorMap& global = pic.Header.ColorMap;
    if (global.Count == 0) return -1;
    for (int i = 0; i < pic.Frames.Count(); ++i) {
        TGIFSubImage* other = pic.Frames.Frames(i);
        int t = other->TransparentIndex();
        if (other != &f && t >= 0 && &other->EffectiveColorMap() == &global && !UsesIndex(f, t)) return t;
    }
    if (global.Count >= 256) return -1;
    for (TGIFSubImage* user : global.Users())
        if (UsesIndex(*user, global.Count)) return -1;
    return global.Add(clBlack);
}

// Makes f's pixels that repeat what the earlier frame shows transparent.
void Merge(TGifPicture& pic, TGIFSubImage& f, TGIFSubImage& earlier) {
    if (f.Empty() || earlier.Empty()) return;
    if (earlier.Disposal() == dmBackground || earlier.Disposal() == dmPrevious) return;
    TRect both = Intersect(f.BoundsRect(), earlier.BoundsRect());
    if (IsEmpty(both)) return;
    int t = f.TransparentIndex();
    if (t < 0) {
        bool room = f.ColorMap.Count > 0 ? f.ColorMap.Count < 256
                                         : pic.Header.ColorMap.Count > 0 && pic.Header.ColorMap.Count < 256;
        if (!room) return;
    }
    const int earlierT = earlier.TransparentIndex();
    const bool sameMap = &f.EffectiveColorMap() == &earlier.EffectiveColorMap();
    std::vector<TGIFColor> colors = GIFIndexColors(f), earlierColors = GIFIndexColors(earlier);
    std::vector<size_t> repeated;
    for (int y = both.Top; y < both.Bottom; ++y) {
        size_t row = size_t(y - f.Top()) * size_t(f.Width());
        const uint8_t* e = earlier.Data() + size_t(y - earlier.Top()) * size_t(earlier.Width());
        for (int x = both.Left; x < both.Right; ++x) {
            uint8_t px = f.Data()[row + size_t(x - f.Left())];
            uint8_t ep = e[x - earlier.Left()];
            if (px == t || ep == earlierT) continue;
            if ((sameMap && px == ep) || colors[px] == earlierColors[ep]) repeated.push_back(row + size_t(x - f.Left()));
        }
    }
    if (repeated.empty()) return;
    if (t < 0) t = NewTransparentIndex(pic, f);
    if (t < 0) return;
    for (size_t at : repeated) f.Data()[at] = uint8_t(t);
    TGIFGraphicControlExtension* gce = EnsureGce(f);
    gce->TransparentIndex = uint8_t(t);
    gce->SetTransparent(true);
    f.DropBitmap();
}

// Crops a transparent frame to its opaque pixels; false when it has none.
bool Crop(TGIFSubImage& f) {
    const int t = f.TransparentIndex();
    const int w = f.Width(), h = f.Height();
    int left = w, right = -1, top = h, bottom = -1;
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = f.Data() + size_t(y) * size_t(w);
        for (int x = 0; x < w; ++x)
            if (row[x] != t) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    if (right < 0) return false;
    if (left == 0 && top == 0 && right == w - 1 && bottom == h - 1) return true;
    int nw = right - left + 1, nh = bottom - top + 1;
    std::vector<uint8_t> data(size_t(nw) * size_t(nh));
    for (int y = 0; y < nh; ++y)
        std::copy_n(f.Data() + size_t(top + y) * size_t(w) + size_t(left), nw, data.begin() + long(y) * nw);
    f.SetBounds(f.Left() + left, f.Top() + top, nw, nh);
    f.SetData(std::move(data));
    return true;
}

}  // namespace

void TGifPicture::Optimize(TGIFOptimizeOptions options, TGIFReductionMethod method, int /*bits*/,
                           TGIFDitherKind /*dither*/) {
    if (Empty()) return;
    if ((options & goReduce) && !(options & goCleanup) && method == crCustom)
        throw GIFException(gifmsg::InvalidReductionMethod);
    StopPainters();
    std::lock_guard<std::recursive_mutex> lock(CacheLock);
    Progress(psStarting, 0, false, gifmsg::Optimizing);
    int total = std::max(1, Frames.Count() * 6), done = 0;
    auto step = [&](bool changed) {
        ++done;
        if (changed) Progress(psRunning, int(int64_t(std::min(done, total)) * 100 / total), false, gifmsg::Optimizing);
    };
    try {
        if (options & goColorMaps) {
            if (Header.ColorMap.Count > 0) Header.ColorMap.SortByUse();
            for (int i = 0; i < Frames.Count(); ++i) {
                TGIFSubImage* f = Frames.Frames(i);
                step(f->ColorMap.Count > 0 && f->ColorMap.SortByUse());
            }
        }
        if (options & goCleanup) {
            for (int i = 0; i < Frames.Count(); ++i) {
                TGIFSubImage* f = Frames.Frames(i);
                bool changed = false;
                int t = f->TransparentIndex();
                if (t >= 0 && !f->Empty() && !UsesIndex(*f, t)) {
                    f->GraphicControlExtension->SetTransparent(false);
                    changed = true;
                }
                // A clear (or restore) that the next frame paints over entirely
                // is not needed: the next frame must be opaque, shown, cover
                // this frame's whole rectangle, and not restore itself (that
                // would bring back what this frame left).
                if (i + 1 < Frames.Count() && f->GraphicControlExtension &&
                    (f->Disposal() == dmBackground || f->Disposal() == dmPrevious)) {
                    TGIFSubImage* next = Frames.Frames(i + 1);
                    TRect both = Intersect(f->BoundsRect(), next->BoundsRect());
                    if (next->TransparentIndex() < 0 && !next->Empty() && next->Disposal() != dmPrevious &&
                        !IsEmpty(both) && both == f->BoundsRect()) {
                        f->GraphicControlExtension->SetDisposal(dmNone);
                        changed = true;
                    }
                }
                step(changed);
            }
        }
        if (options & goMerge) {
            for (int b = Frames.Count() - 1; b >= 1; --b) {
                TGIFSubImage* f = Frames.Frames(b);
                // Later passes begin at the loop extension's frame, over what
                // the last frame left: that frame is not compared.
                if (HasLoopExtension(*f)) continue;
                int e = b - 1;
                while (e > 0 && Frames.Frames(e)->GraphicControlExtension && Frames.Frames(e)->Disposal() == dmPrevious)
                    --e;
                Merge(*this, *f, *Frames.Frames(e));
                step(true);
            }
        }
        if (options & goCrop) {
            for (int i = Frames.Count() - 1; i >= 0; --i) {
                TGIFSubImage* f = Frames.Frames(i);
                // Disposal 2 clears the whole rectangle afterwards: its size matters.
                if (f->Empty() || f->TransparentIndex() < 0 || f->Disposal() == dmBackground) {
                    step(false);
                    continue;
                }
                if (Crop(*f)) {
                    step(true);
                    continue;
                }
                // Entirely transparent: it shows what the previous frame left,
                // so it goes and its time goes to that frame, unless the
                // previous frame's disposal changes the picture in between or
                // the frame carries the loop extension.
                TGIFSubImage* prev = i > 0 ? Frames.Frames(i - 1) : nullptr;
                if (!prev || prev->Empty() || prev->Disposal() == dmBackground || prev->Disposal() == dmPrevious ||
                    HasLoopExtension(*f)) {
                    step(false);
                    continue;
                }
                int delay = std::min(GIFShownDelay(*prev) + GIFShownDelay(*f), 65535);
                EnsureGce(*prev)->Delay = uint16_t(delay);
                Frames.Delete(i);
                step(true);
            }
        }
        if (options & goCleanup) {
            bool loopBefore = false;
            std::vector<bool> loopEarlier(size_t(Frames.Count()), false);
            for (int i = 0; i < Frames.Count(); ++i) {
                loopEarlier[size_t(i)] = loopBefore;
                loopBefore = loopBefore || HasLoopExtension(*Frames.Frames(i));
            }
            const bool single = Frames.Count() == 1;
            for (int i = Frames.Count() - 1; i >= 0; --i) {
                TGIFSubImage* f = Frames.Frames(i);
                bool seen = loopEarlier[size_t(i)];
                std::vector<TGIFExtension*> drop;
                for (int k = 0; k < f->Extensions.Count(); ++k) {
                    TGIFExtension* ext = f->Extensions.Extensions(k);
                    if (dynamic_cast<TGIFCommentExtension*>(ext) || dynamic_cast<TGIFTextExtension*>(ext) ||
                        dynamic_cast<TGIFUnknownAppExtension*>(ext)) {
                        drop.push_back(ext);
                    } else if (dynamic_cast<TGIFAppExtNSLoop*>(ext)) {
                        // Only the first one met counts, and only when there is
                        // more than one frame.
                        if (single || seen) drop.push_back(ext);
                        seen = true;
                    }
                }
                TGIFGraphicControlExtension* gce = f->GraphicControlExtension;
                if (gce && (gce->Delay == 0 || single) && !gce->Transparent() && !gce->UserInput() &&
                    (gce->Disposal() < dmBackground || single))
                    drop.push_back(gce);
                for (TGIFExtension* ext : drop) delete ext;
                bool removed = f->Empty() && f->Extensions.Count() == 0;
                if (removed) Frames.Delete(i);
                step(!drop.empty() || removed);
            }
        }
    } catch (...) {
        Progress(psEnding, 0, true, gifmsg::Optimizing);
        throw;
    }
    Progress(psEnding, 100, true, gifmsg::Optimizing);
    Changed();
}

}  // namespace ad::gif
