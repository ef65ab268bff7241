// The input box.
#include "framework/Dialogs.h"

#include "framework/Forms.h"
#include "framework/StdCtrls.h"

namespace ad {

namespace {

class TInputQueryForm : public TForm {
public:
    TInputQueryForm(const std::string& caption, const std::string& prompt, const std::string& value)
        : TForm(nullptr) {
        SetCaption(caption);
        BorderStyle = TFormBorderStyle::bsDialog;
        Position = TPosition::poScreenCenter;
        KeyPreview = true;
        SetClientSize(320, 100);
        auto* label = new TLabel(this);
        label->SetParent(this);
        label->SetBounds(10, 10, 300, 13);
        label->SetCaption(prompt);
        edit = new TEdit(this);
        edit->SetParent(this);
        edit->SetBounds(10, 30, 300, 21);
        edit->SetText(value);
        auto* ok = new TButton(this);
        ok->SetParent(this);
        ok->SetBounds(154, 66, 75, 25);
        ok->SetCaption("OK");
        ok->Default = true;
        ok->ModalResult = mrOk;
        auto* cancel = new TButton(this);
        cancel->SetParent(this);
        cancel->SetBounds(235, 66, 75, 25);
        cancel->SetCaption("Cancel");
        cancel->Cancel = true;
        cancel->ModalResult = mrCancel;
        OnShow = [this](TObject*) {
            edit->SetFocus();
            edit->SelectAll();
        };
    }
    TEdit* edit;
};

}  // namespace

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
    if (Application && Application->OnInputQuery) return Application->OnInputQuery(caption, prompt, value);
    TInputQueryForm form(caption, prompt, value);
    if (form.ShowModal() != mrOk) return false;
    value = form.edit->Text();
    return true;
}

}  // namespace ad
