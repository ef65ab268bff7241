// TResizeKit: keeps a form's layout proportional. When the form's client area
// changes size every control is moved and sized by the ratio of the new client
// size to the design client size, and fonts follow the smaller ratio; at load
// it compensates a screen resolution that differs from the design one.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ResizeKitRules.h"
#include "base/Exception.h"
#include "framework/Forms.h"
#include "framework/WindowSubclass.h"

namespace ad {

enum class TResizeFormPos {
    rpDefault, rpTopLeft, rpTopCenter, rpTopRight, rpMiddleLeft, rpMiddleCenter, rpMiddleRight,
    rpBottomLeft, rpBottomCenter, rpBottomRight
};
using TExitResizeEvent = std::function<void(TObject* Sender, double ScaleX, double ScaleY)>;

class TResizeKit : public TComponent {
public:
    // The owner is the form it keeps proportional.
    explicit TResizeKit(TComponent* AOwner);
    ~TResizeKit() override;

    TResizeFormPos FormPos = TResizeFormPos::rpDefault;
    int FormWidth() const { return formW_; }
    int FormHeight() const { return formH_; }
    int FormMaxWidth() const { return maxW_; }
    int FormMaxHeight() const { return maxH_; }
    int FormMinWidth() const { return minW_; }
    int FormMinHeight() const { return minH_; }
    // Each raises EInvalidOperation for a value that contradicts the others (0 always clears).
    void SetFormWidth(int v);
    void SetFormHeight(int v);
    void SetFormMaxWidth(int v);
    void SetFormMaxHeight(int v);
    void SetFormMinWidth(int v);
    void SetFormMinHeight(int v);
    bool ResizeFont = true;
    bool ValidTaskbar = true;
    const std::string& NoResizeFntCtl() const { return noFontText_; }
    const std::string& NoResizeCtl() const { return noResizeText_; }
    void SetNoResizeFntCtl(const std::string& names);
    void SetNoResizeCtl(const std::string& names);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    TExitResizeEvent OnExitResize;

    // The design values: client size and resolution when the form was laid out.
    int DesignFrmW = 0, DesignFrmH = 0, DesignDpiW = 96, DesignDpiH = 96;
    // The user's language abbreviation ("JPN" selects the Japanese messages).
    std::string Language;

    // After the form is built: resolution compensation, the records, and the
    // interception of the form's size messages.
    void Loaded();
    TResizeScales Scales() const { return scales_; }
    // The screen resolution the layout is compensated for (read at load).
    int ScreenDpiX() const { return dpiX_; }
    int ScreenDpiY() const { return dpiY_; }
    // A length in design pixels as placed now: for code that moves a control
    // at run time by design values.
    int ScaleX(int designPixels) const;
    int ScaleY(int designPixels) const;

protected:
    // The screen's pixels per logical inch; tests put another resolution here.
    virtual void ReadScreenDpi(int& x, int& y) const;

private:
    struct Record {
        TWinControl* control;
        std::string name;
        int left, top, width, height;  // at scale 1 on this screen
        bool hasFont = true;
        int fontSize = 0;
        bool parentFontSaved = false, parentFontSeen = false;
    };
    void Relayout(int clientW, int clientH);
    void Synchronize();
    Record MakeRecord(TWinControl* c);
    bool HandleMessage(TMessage& m);
    void FirstShow();
    void KeepMaximisedInWorkArea();
    RECT WorkArea() const;
    [[noreturn]] void Raise(const char* english, const wchar_t* japanese) const;
    void CheckLimit(int v, int min, int max, const char* minName, const char* maxName, const wchar_t* minJp,
                    const wchar_t* maxJp) const;
    TForm* Form() const;

    int formW_ = 0, formH_ = 0, maxW_ = 0, maxH_ = 0, minW_ = 0, minH_ = 0;
    std::string noFontText_, noResizeText_;
    std::vector<std::string> noFont_, noResize_;
    bool enabled_ = true;
    bool loaded_ = false;
    bool shown_ = false;
    std::vector<Record> records_;
    int ownerFontSize_ = 0;
    int componentCount_ = 0;
    int added_ = 0;
    int dpiX_ = 96, dpiY_ = 96;
    TResizeScales scales_;
    std::unique_ptr<TWindowSubclass> hook_;
};

}  // namespace ad
