// Reading delimited text (one row per line, fields split by a separator,
// double quotes around fields that hold separators) into rows of cells.
// 8-bit text maps each byte to the code point of the same value; a byte-order
// mark FF FE or FE FF selects UTF-16 little- or big-endian. The text comes
// from any byte stream (memory, a file, a resource).
#pragma once

#include <string>

#include "base/Streams.h"

namespace ad::grid {

// Where the rows go.
class IDelimitedSink {
public:
    virtual ~IDelimitedSink() = default;
    virtual void AddRow() = 0;
    virtual void SetCellText(int col, int row, const std::u16string& text) = 0;
    // After each stored field except a last one without a line end.
    virtual void LoadProgress(int /*col*/, int /*row*/) {}
};

// Parses the source from its position to its end. A UTF-16 source of odd
// length raises EReadError at its last byte; the rows stored before it stay,
// the field being read then is not stored. A failing read of the stream
// raises as the stream does.
void ParseDelimitedText(TStream& source, char16_t Separator, int SkipLines, char16_t LineBreakChar,
                        IDelimitedSink& sink);


}  // namespace ad::grid
