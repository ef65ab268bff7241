// TfrmUCheck, "Update Checker": downloads the update reply of the chosen
// server, compares its version with the running one and offers the download
// link. The opener sets Tag to the product id (the reply's section) and the
// current-version label.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/forms/SkinnedControls.h"
#include "app/forms/UpdateCheck.h"
#include "framework/BackgroundWorker.h"
#include "framework/ComCtrls.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "framework/WindowSubclass.h"

namespace ad {

class TfrmUCheck : public TForm {
public:
    // servers: the base addresses behind the buttons "1", "2" and "3".
    explicit TfrmUCheck(TComponent* AOwner, const TUpdateServers& servers = DefaultUpdateServers());
    ~TfrmUCheck() override;

    TSkinPanel *pnlCurrent, *pnlLatest;  // the two title panels
    TSkinLabel *lblCurrentTitle, *lblLatestTitle;
    TLabel *lblCurrent, *lblLatest, *lblRes;
    TLabel* lblURL;
    TEdit* txtURL;
    TGroupBox* grpServer;
    TSpeedButton *srv1, *srv2, *srv4;
    TSkinBitBtn* BitBtn1;
    // Downloads the reply, so that a slow server never freezes the window.
    TBackgroundWorker* trdCheck;

    // Whether the system reports an internet connection (tests answer it).
    std::function<bool()> IsConnected;

    // Colours both title panels (the opener gives the main window's background).
    void SetTitleColor(TColor color);
    void ServerClick(TObject* Sender);
    void BitBtn1Click(TObject* Sender);
    void lblResClick(TObject* Sender);

private:
    template <class T>
    T* Make(TWinControl* parent, const char* name, int x, int y, int w, int h, const std::string& caption = "") {
        return MakeControl<T>(this, parent, name, x, y, w, h, caption);
    }
    void ShowFailure();
    // The reply has arrived (or not): its version decides the result.
    void trdCheckWorkComplete(bool Cancelled);
    void CancelCheck();
    std::string checkUrl_, checkFile_;  // set before the worker starts
    bool downloaded_ = false;           // set by the worker
    void ShowResult(const std::string& text, TColor color, const std::string& link);
    // The hand cursor over the result label while it holds a link.
    std::unique_ptr<TWindowSubclass> linkCursor_;
};

}  // namespace ad
