// Fuzz target: the wide string list's loader (byte-order mark detection and
// every encoding) and the wide property reader over any bytes; the first
// byte picks which. Only read errors and invalid UTF-7 may escape; a loaded
// list saves and loads back to the same lines.
#include <cstdint>
#include <cstdlib>

#include "base/Streams.h"
#include "unicode/UniPropertyReader.h"
#include "unicode/UniSysUtils.h"
#include "unicode/UniWideStrings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    ad::TReadOnlyMemoryStream source(data + 1, size - 1);
    ad::uni::TWideStringList list;
    if (data[0] % 2 == 0) {
        list.LoadFromStream(source);
        ad::TMemoryStream saved;
        list.SaveToStream(saved);
        saved.SetPosition(0);
        ad::uni::TWideStringList again;
        again.LoadFromStream(saved);
        if (!again.Equals(list)) std::abort();
        return 0;
    }
    static const char* const names[] = {"Strings", "WideStrings", "WideStringsW", "WideStrings_UTF7"};
    ad::uni::TUniValueReader reader(source);
    try {
        while (source.Remaining() > 0) {
            const char* name = names[(data[0] >> 1) % 4];
            if (!ad::uni::ReadUniStringsProperty(name, reader, list, (data[0] & 0x10) != 0)) std::abort();
        }
    } catch (const ad::EReadError&) {
    } catch (const ad::uni::EUniGeneralError&) {
    }
    return 0;
}
