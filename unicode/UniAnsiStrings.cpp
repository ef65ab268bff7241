// The ANSI view of a wide string list.
#include "unicode/UniAnsiStrings.h"

#include "unicode/UniApi.h"

namespace ad::uni {

unsigned TAnsiStringsForWideStringsAdapter::CodePage() const { return codePage_ ? codePage_ : DefaultCodePage(); }

std::string TAnsiStringsForWideStringsAdapter::Get(int index) const {
    return WideToCodePage(wide_.Get(index), CodePage());
}

void TAnsiStringsForWideStringsAdapter::Put(int index, const std::string& s) {
    wide_.Put(index, CodePageToWide(s, CodePage()));
}

void TAnsiStringsForWideStringsAdapter::Insert(int index, const std::string& s) {
    wide_.Insert(index, CodePageToWide(s, CodePage()));
}

void TAnsiStringsForWideStringsAdapter::SetUpdateState(bool updating) {
    if (updating) wide_.BeginUpdate();
    else wide_.EndUpdate();
}

void TAnsiStringsForWideStringsAdapter::LoadFromStream(TStream& stream, unsigned codePage) {
    const std::string bytes = ReadRest(stream);
    TWideUpdateScope update(wide_);
    wide_.SetTextStr(CodePageToWide(bytes, codePage));
}

void TAnsiStringsForWideStringsAdapter::SaveToStream(TStream& stream, unsigned codePage) const {
    const std::string bytes = WideToCodePage(wide_.GetTextStr(), codePage);
    stream.WriteBuffer(bytes.data(), bytes.size());
}

}  // namespace ad::uni
