// Static adapters: text statics written over the parent in the colours of
// the section they lie on ("TRANSPARENT" of their own), sunken-edge statics
// with a skinned two-pixel frame round their own content, icon and bitmap
// statics (32-bit bitmaps blended by their alpha), link windows written
// underlined without their anchor tags, and the class library's static-text
// control painted in a section chosen by its bevel.
#pragma once

#include <memory>
#include <string>

#include "base/Bitmap32.h"
#include "skin/adapters/SkMainWnd.h"

namespace ad::skin::adapters {

// A link window's text as shown: every <a ...> and </a> tag left out,
// whatever its case and attributes.
std::string StripLinkTags(const std::string& text);

// The section a static-text control's bevels choose: kind 0 (no bevel) and
// other cuts lie on the parent ("TRANSPARENT"); a lowered outer bevel is a
// sunken panel, a raised one a panel, either with the opposite inner cut a
// group box. Cuts count as none, lowered, raised, space.
std::string StaticTextSection(int64_t bevelKind, int64_t bevelOuter, int64_t bevelInner);

class TSkStaticWnd : public TSkMainWnd {
public:
    // Renders the window and copies it into the DC given, or into its own.
    virtual void PaintTo(HDC given);
    // Draws the content into the cache; false when nothing is to be copied.
    virtual bool DrawCaption();

protected:
    using TSkMainWnd::TSkMainWnd;
    friend class TSkMainWnd;
    void InitAdapter() override;
    void WndProc(TMessage& m) override;
    // The cache sized to the window with the section over the parent.
    bool RenderBackground();
    // Tab-stop and static-edge statics keep their own look.
    bool KeepsNativeLook() const;
    void Redraw();
};

class TSkEdgeWnd : public TSkStaticWnd {
public:
    void PaintTo(HDC given) override;

protected:
    using TSkStaticWnd::TSkStaticWnd;
    friend class TSkMainWnd;
    void WndProc(TMessage& m) override;
};

class TSkIconWnd : public TSkStaticWnd {
public:
    bool DrawCaption() override;

protected:
    using TSkStaticWnd::TSkStaticWnd;
    friend class TSkMainWnd;
    void InitAdapter() override;

private:
    bool showsBitmap_ = false;
    HBITMAP bitmapHandle_ = nullptr;
    std::unique_ptr<TBitmap32> bitmap_;  // the static's bitmap, read on first use
    bool hasAlpha_ = false;
};

class TSkLinkWnd : public TSkStaticWnd {
public:
    bool DrawCaption() override;

protected:
    using TSkStaticWnd::TSkStaticWnd;
    friend class TSkMainWnd;
    void WndProc(TMessage& m) override;
};

class TSkStaticTextWnd : public TSkMainWnd {
public:
    // Renders the control into the cache; false while its parent is not ready.
    bool PrepareCache();

protected:
    using TSkMainWnd::TSkMainWnd;
    friend class TSkMainWnd;
    void InitAdapter() override;
    void WndProc(TMessage& m) override;

private:
    void PaintClient(HDC given);
    void PaintBorder(HDC given);
    // The section's normal state lets the parent show through.
    bool SeeThrough() const;
};

}  // namespace ad::skin::adapters
