// An ANSI view of a wide string list: code that expects the class library's
// TStrings works on the wide list through it, each line converted with the
// view's code page (0: the layer's default code page, read at each use).
// Windows only.
#pragma once

#include <windows.h>

#include "base/Streams.h"
#include "framework/StringList.h"
#include "unicode/UniWideStrings.h"

namespace ad::uni {

class TAnsiStringsForWideStringsAdapter : public TStrings {
public:
    explicit TAnsiStringsForWideStringsAdapter(TWideStrings& wide, unsigned codePage = 0)
        : wide_(wide), codePage_(codePage) {}

    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    int GetCount() const override { return wide_.GetCount(); }
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override { wide_.Delete(index); }
    void Clear() override { wide_.Clear(); }
    intptr_t GetObject(int index) const override { return wide_.Objects(index); }
    void PutObject(int index, intptr_t object) override { wide_.PutObject(index, object); }

    // The rest of the stream in a code page as the whole text, and back.
    void LoadFromStream(TStream& stream, unsigned codePage);
    void SaveToStream(TStream& stream, unsigned codePage) const;

protected:
    void SetUpdateState(bool updating) override;

private:
    unsigned CodePage() const;
    TWideStrings& wide_;
    unsigned codePage_;
};

}  // namespace ad::uni
