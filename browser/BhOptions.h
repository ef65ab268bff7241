// The plain option objects that the browser host publishes: proxy, dialog
// boxes, error suppression, visual effects and print options. The control
// owns them and reads them when it loads and while it runs.
#pragma once

#include <windows.h>

#include <string>

#include "framework/StringList.h"

namespace ad::browser {

class TProxySettings {
public:
    std::string Address;
    int Port = 80;
    std::string UserName;
    std::string Password;
    std::string UserAgent;
    std::string Bypass;
    bool AutoLoadProxy = false;
};

class TDialogBoxes {
public:
    bool DisableAll = false;
    bool ReplaceCaption = true;
    bool ReplaceIcon = true;
    std::wstring NewCaption;
};

class TDisableErrors {
public:
    bool EnableDDE = true;
    bool ScriptErrorsSuppressed = true;
    // False masks every floating-point exception (x87 and SSE alike); true
    // puts back the control word saved when the browser host started.
    bool fpExceptions() const { return fpExceptions_; }
    void SetfpExceptions(bool value);

private:
    bool fpExceptions_ = true;
};

class TVisualEffects {
public:
    int TextSize = 2;
    bool DisableSounds = false;
};

class TMargins {
public:
    double Left = 0, Right = 0, Top = 0, Bottom = 0;
};

enum class TPrintOrientationOption { poPortrait, poLandScape };

// Data only: nothing here prints.
class TPrintOptions {
public:
    TPrintOptions();
    bool Enabled = false;
    TMargins Margins;
    std::string Header;
    std::string Footer;
    TPrintOrientationOption Orientation = TPrintOrientationOption::poPortrait;
    const TStringList& HTMLHeader() const { return htmlHeader_; }
    void SetHTMLHeader(const TStrings& lines);  // copies

private:
    TStringList htmlHeader_;
};

}  // namespace ad::browser
