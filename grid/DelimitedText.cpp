// The delimited-text reader: encoding sniffing and the per-character field
// machine.
#include "grid/DelimitedText.h"

#include <cstdint>
#include <cstring>

#include "base/Exception.h"

namespace ad::grid {

namespace {

enum class TEncoding { Ansi, Utf16LE, Utf16BE };

// Hands out characters from the source in blocks. A UTF-16 source that ends
// in half a unit is a read error.
class TCharReader {
public:
    explicit TCharReader(TStream& source) : source_(source) {
        Fill();
        if (end_ - pos_ >= 2) {
            if (buffer_[0] == 0xFF && buffer_[1] == 0xFE) encoding_ = TEncoding::Utf16LE;
            else if (buffer_[0] == 0xFE && buffer_[1] == 0xFF) encoding_ = TEncoding::Utf16BE;
            if (encoding_ != TEncoding::Ansi) pos_ = 2;
        }
    }

    bool Next(char16_t& c) {
        std::size_t unit = encoding_ == TEncoding::Ansi ? 1 : 2;
        if (end_ - pos_ < unit) {
            Fill();
            if (end_ == pos_) return false;
            if (end_ - pos_ < unit) throw EReadError("Read beyond end of file: the text ends in half a character");
        }
        if (encoding_ == TEncoding::Ansi) c = buffer_[pos_];
        else if (encoding_ == TEncoding::Utf16LE) c = static_cast<char16_t>(buffer_[pos_] | (buffer_[pos_ + 1] << 8));
        else c = static_cast<char16_t>((buffer_[pos_] << 8) | buffer_[pos_ + 1]);
        pos_ += unit;
        return true;
    }

private:
    void Fill() {
        std::size_t left = end_ - pos_;
        std::memmove(buffer_, buffer_ + pos_, left);
        pos_ = 0;
        end_ = left;
        while (end_ < sizeof buffer_) {
            std::size_t n = source_.Read(buffer_ + end_, sizeof buffer_ - end_);
            if (n == 0) break;
            end_ += n;
        }
    }

    TStream& source_;
    std::uint8_t buffer_[65536];
    std::size_t pos_ = 0, end_ = 0;
    TEncoding encoding_ = TEncoding::Ansi;
};

}  // namespace

void ParseDelimitedText(TStream& source, char16_t Separator, int SkipLines, char16_t LineBreakChar,
                        IDelimitedSink& sink) {
    TCharReader reader(source);
    std::u16string field;
    int quotes = 0;
    bool lineStart = true;
    int linesSeen = 0, row = -1, col = -1;

    auto store = [&](bool progress) {
        quotes = 0;
        if (lineStart) {
            lineStart = false;
            if (linesSeen >= SkipLines) {
                sink.AddRow();
                ++row;
            }
            ++linesSeen;
            col = -1;
        }
        ++col;
        if (linesSeen > SkipLines) {
            sink.SetCellText(col, row, field);
            if (progress) sink.LoadProgress(col, row);
        }
        field.clear();
    };

    char16_t c;
    while (reader.Next(c)) {
        if (c == Separator) {
            if (quotes % 2 == 1) {
                field.push_back(c);
            } else {
                store(true);
            }
        } else if (c == LineBreakChar) {
            field += u"\r\n";
        } else if (c == u'"') {
            ++quotes;
            if (quotes % 2 == 1 && (!field.empty() || quotes == 3)) field.push_back(u'"');
        } else if (c == u'\r') {
            // ignored, also inside quotes
        } else if (c == u'\n') {
            store(true);
            lineStart = true;
        } else {
            field.push_back(c);
        }
    }
    if (!field.empty()) store(false);
}

}  // namespace ad::grid
