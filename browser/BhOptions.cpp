// The browser host's option objects.
#include "browser/BhOptions.h"

#include "browser/BhTools.h"

namespace ad::browser {

void TDisableErrors::SetfpExceptions(bool value) {
    if (value) RestoreFpuControlWord();
    else MaskFpuExceptions();
    fpExceptions_ = value;
}

TPrintOptions::TPrintOptions() { htmlHeader_.Add("<HTML></HTML>"); }

void TPrintOptions::SetHTMLHeader(const TStrings& lines) {
    if (&lines == &htmlHeader_) return;
    htmlHeader_.Clear();
    for (int i = 0; i < lines.Count(); ++i) htmlHeader_.Add(lines[i]);
}

}  // namespace ad::browser
