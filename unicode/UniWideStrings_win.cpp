// Wide string lists by wide file name.
#include "framework/FileStreams.h"
#include "unicode/UniApi.h"
#include "unicode/UniWideStrings.h"

namespace ad::uni {

void TUniStrings::LoadFromFile(const std::wstring& fileName) {
    TUniFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LastFileCharSet = DetectCharSet(stream);
    stream.SetPosition(0);
    LoadFromStream(stream);
}

void TUniStrings::SaveToFile(const std::wstring& fileName) const {
    TUniFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}

}  // namespace ad::uni
