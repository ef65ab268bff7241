// The input box and the open-file dialog.
#include "framework/Dialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "base/WinText.h"
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

bool TOpenDialog::Execute(HWND owner) {
    if (OnExecuteStandIn) return OnExecuteStandIn(*this);
    // The filter's "|" separators become the NULs the system reads, with a final double NUL.
    std::wstring filter = Widen(Filter);
    for (wchar_t& c : filter)
        if (c == L'|') c = L'\0';
    filter.append(2, L'\0');
    std::wstring title = Widen(Title), initialDir = Widen(InitialDir);
    std::wstring ext = Widen(DefaultExt.starts_with('.') ? DefaultExt.substr(1) : DefaultExt);
    std::vector<wchar_t> file(32768, L'\0');
    std::wstring current = Widen(FileName);
    if (current.size() < file.size()) std::copy(current.begin(), current.end(), file.begin());
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    if (!::GetOpenFileNameW(&ofn)) return false;
    FileName = Narrow(file.data());
    return true;
}

}  // namespace ad
