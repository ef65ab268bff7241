// Fuzz target: the update server's reply and the version rule applied to it.
// The input is the reply's bytes; the reply always has a version text ("-"
// when none) that the version rule and the link check take without fault.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/lists/InfoListRules.h"
#include "app/lists/UpdateReply.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 64 * 1024) return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ad::TUpdateReply reply = ad::ParseUpdateReply(bytes, "39");
    Check(!reply.Version.empty());
    // A version is never newer than itself, and never both newer and older.
    Check(!ad::IsNewerVersion(reply.Version, reply.Version));
    const bool newer = ad::IsNewerVersion("2016.8", reply.Version);
    Check(!(newer && ad::IsNewerVersion(reply.Version, "2016.8")));
    if (ad::IsWebAddress(reply.DLink)) Check(ad::HasLink(reply.DLink));
    return 0;
}
