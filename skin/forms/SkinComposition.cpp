// Taskbar thumbnails and live previews from the form's image, and the skin
// editor link.
#include "skin/forms/SkinComposition.h"

#include <cmath>
#include <cstring>

#include "framework/Forms.h"
#include "framework/SysUtils.h"
#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/win/SkinDib.h"
#include "skin/engine/win/SkinDwm.h"
#include "skin/engine/win/skConst.h"
#include "skin/forms/SkBorderForm.h"
#include "skin/forms/SkinProvider.h"

namespace ad::skin::forms {

namespace {

constexpr UINT kEditorCommand = 0xA400;  // SKM_EDITORCMD
constexpr WPARAM kEditorLink = 3;
constexpr int kEditorTries = 101;
constexpr UINT kEditorTimeoutMs = 200;

int gPreview = -1;  // -1: not read from the command line yet
HWND gLinked = nullptr;

// source resampled (box filter) into a new 32-bit bitmap of size.
std::unique_ptr<TDibSection32> Resampled(const TImageView32& source, TSize size) {
    TBitmap32 scaled;
    ResampleBitmap(source, scaled, size.cx, 1, size.cy);
    auto dib = std::make_unique<TDibSection32>(size.cx, size.cy);
    const TImageView32 to = dib->View(), from = scaled.View();
    if (to.Empty() || from.Empty()) return nullptr;
    for (int y = 0; y < std::min(to.Height, from.Height); ++y)
        std::memcpy(to.Pixel(0, y), from.Pixel(0, y), size_t(std::min(to.Width, from.Width)) * 4);
    return dib;
}

// The provider's image (with its children, when wanted) and the image-handed-over state around.
class TDwmImageScope {
public:
    explicit TDwmImageScope(TSkinProvider& provider) : provider_(provider) {
        provider_.SetFormState(provider_.FormState() | kFsDwmImage);
    }
    ~TDwmImageScope() {
        provider_.SetFormState(provider_.FormState() & ~kFsDwmImage);
        if (TSkBorderForm* border = provider_.BorderForm()) border->UpdateBorderWindow(false);
    }
    TDwmImageScope(const TDwmImageScope&) = delete;
    TDwmImageScope& operator=(const TDwmImageScope&) = delete;

private:
    TSkinProvider& provider_;
};

}  // namespace

TSize FitThumbnail(int sourceWidth, int sourceHeight, int maxWidth, int maxHeight) {
    if (sourceWidth <= 0 || sourceHeight <= 0 || maxWidth <= 0 || maxHeight <= 0) return {0, 0};
    int width = maxWidth, height = maxHeight;
    if (double(maxWidth) / maxHeight > double(sourceWidth) / sourceHeight)
        width = int(std::lround(double(height) * sourceWidth / sourceHeight));
    else
        height = int(std::lround(double(width) * sourceHeight / sourceWidth));
    if (width <= 0 || height <= 0) return {0, 0};
    return {width, height};
}

bool SetIconicThumbnail(HWND window, TSkinProvider& provider, int maxWidth, int maxHeight) {
    if (OSVersionCode() < 6 || maxWidth <= 0 || maxHeight <= 0 || !DwmTable().SetIconicThumbnail) return false;
    if (!provider.SkinData || !provider.SkinData->CacheImage || provider.SkinData->CacheImage->Empty()) return false;
    // The image with the form's children painted in.
    std::unique_ptr<TSkinCacheImage> image = provider.CopyFormImage();
    if (!image || image->Empty()) return false;
    const TSize size = FitThumbnail(image->Width(), image->Height(), maxWidth, maxHeight);
    if (size.cx == 0) return false;
    TDwmImageScope scope(provider);
    std::unique_ptr<TDibSection32> bitmap = Resampled(image->View(), size);
    return bitmap && SUCCEEDED(DwmTable().SetIconicThumbnail(window, bitmap->Handle(), 0));
}

bool SetLivePreviewBitmap(HWND window, TSkinProvider& provider) {
    if (OSVersionCode() < 6 || !DwmTable().SetIconicLivePreviewBitmap) return false;
    std::unique_ptr<TSkinCacheImage> image = provider.CopyFormImage();
    if (!image || image->Empty()) return false;
    TDwmImageScope scope(provider);
    POINT origin{0, 0};
    return SUCCEEDED(DwmTable().SetIconicLivePreviewBitmap(window, image->Handle(), &origin, 1));
}

HWND FindTaskbarWindow() { return ::FindWindowW(L"Shell_TrayWnd", nullptr); }

bool SkinEditorPreviewWanted() {
    if (gPreview < 0) gPreview = ParamCount() >= 1 && ParamStr(1) == "/acpreview" ? 1 : 0;
    return gPreview == 1;
}

void SetSkinEditorPreviewWanted(bool on) {
    gPreview = on ? 1 : 0;
    if (on) gLinked = nullptr;
}

LRESULT LinkToSkinEditor(HWND window) {
    if (!SkinEditorPreviewWanted() || gLinked) return LRESULT(window);
    TForm* main = Application ? Application->MainForm : nullptr;
    if (main && main->HandleAllocated() && main->Handle() != window) return LRESULT(window);
    gLinked = window;
    gPreview = 0;
    SetSkinEditorLinkWindow(window);
    DWORD_PTR answer = 0;
    for (int i = 0; i < kEditorTries; ++i) {
        HWND editor = ::FindWindowW(nullptr, L"Skin Editor");
        if (!editor) break;
        answer = 0;
        // A hung window only costs the timeout.
        if (!::SendMessageTimeoutW(editor, kEditorCommand, kEditorLink, LPARAM(window), SMTO_ABORTIFHUNG | SMTO_BLOCK,
                                   kEditorTimeoutMs, &answer))
            answer = 0;
        if (answer == 1) break;
    }
    return LRESULT(answer) - 1;
}

}  // namespace ad::skin::forms
