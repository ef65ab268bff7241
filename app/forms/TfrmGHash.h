// TfrmGHash, "File Hash": the checked digests of one program file, computed on
// a background worker and listed as text. The file's path is the dialog's help
// keyword, given when the dialog is created.
#pragma once

#include <string>

#include "app/forms/HashReport.h"
#include "app/forms/SkinnedControls.h"
#include "framework/BackgroundWorker.h"
#include "framework/CheckLst.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

namespace ad {

class TfrmGHash : public TForm {
public:
    TfrmGHash(TComponent* AOwner, const std::string& fileName);
    // A run still going is cancelled and waited for first: the work writes
    // into this dialog's memo.
    ~TfrmGHash() override;

    TGroupBox* GroupBox1;
    TCheckListBox* chkHash;
    TSkinBitBtn* BitBtn1;
    TSkinBitBtn* Button1;
    TSkinBitBtn* Button2;
    TSkinBitBtn* Button3;
    TGroupBox* GroupBox2;
    TMemo* mHash;
    TBackgroundWorker* trdHash;

    void FormCreate(TObject* Sender);
    void FormKeyPress(TObject* Sender, wchar_t& Key);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void Button3Click(TObject* Sender);
    void BitBtn1Click(TObject* Sender);
    void trdHashWork(TBackgroundWorker* Worker);
    void trdHashWorkComplete(TBackgroundWorker* Worker, bool Cancelled);

private:
    template <class T>
    T* Make(TWinControl* parent, const char* name, int x, int y, int w, int h, const std::string& caption = "") {
        return MakeControl<T>(this, parent, name, x, y, w, h, caption);
    }
    void SetControlsEnabled(bool enabled);
    void StopWork();

    THashChecks checked_{};  // the items checked when the run started
};

}  // namespace ad
