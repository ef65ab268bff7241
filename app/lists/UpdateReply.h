// The update server's reply "update.ini" and the version rule it is judged by.
// The reply comes from the network: any bytes give a reply (possibly without a
// version), never an error. Portable: also built natively and fuzzed.
#pragma once

#include <string>
#include <string_view>

#include "base/TextFileEncoding.h"

namespace ad {

// Whether latest is newer than current: both dotted, the first three parts
// compared as numbers in order (missing parts are 0, a part that is not a
// decimal number is 0, parts after the third are ignored). An empty text is
// never newer nor older.
bool IsNewerVersion(const std::string& current, const std::string& latest);

struct TUpdateReply {
    std::string Version = "-";  // "-" when the reply has none
    std::string DLink;
    // How the reply was stored: the texts are 8-bit text for Ansi, UTF-8 otherwise.
    TTextFileEncoding Encoding = TTextFileEncoding::Ansi;
};

// Section `section` of the reply's bytes (an INI file, read by the rules of
// the system's profile functions); an empty "Version" counts as none.
TUpdateReply ParseUpdateReply(std::string_view bytes, std::string_view section);

}  // namespace ad
