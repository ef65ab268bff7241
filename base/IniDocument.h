// In-memory model of an initialization (.ini) file: a one-pass parser with the
// lookup rules of the system's profile functions, edits that keep every other line
// of the file as it was, and a serializer. Portable: no Windows headers.
//
// Rules: section and key names compare without regard to case (by a folding
// function, ASCII unless one is supplied); blanks around names, around "=" and at
// line ends are ignored; the first matching section is the only one searched, and
// in it the first matching key wins; lines starting with ";" and lines without "="
// are not keys; a value that starts and ends with the same quote (" or ') and is
// longer than one character is read without them; a NUL ends a name or a value
// (blanks before it stay), and the rest of its line is kept but never read. Lines
// before the first section header belong to a section with an empty name, which
// is never listed.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ad {

class IniDocument {
public:
    // Maps a name to the form used for comparing names (e.g. upper case).
    using FoldFunction = std::function<std::string(std::string_view)>;

    explicit IniDocument(FoldFunction fold = nullptr);

    void Parse(std::string_view text);  // replaces the whole content
    std::string Serialize() const;      // every line ends with CR LF

    // The value of a key as read (surrounding quotes removed); nothing when absent.
    std::optional<std::string> ReadValue(std::string_view section, std::string_view key) const;
    std::vector<std::string> SectionNames() const;                   // file order, as spelled
    std::vector<std::string> KeyNames(std::string_view section) const;  // first matching section
    bool HasKey(std::string_view section, std::string_view key) const;

    // Edits; each returns whether the content changed. Writing raises
    // EIniFileException for names or values that cannot be stored as one line
    // and read back as the same key (line breaks, "=" in a key, ...).
    bool WriteValue(std::string_view section, std::string_view key, std::string_view value);
    bool EraseSection(std::string_view section);                     // every section of that name
    bool DeleteKey(std::string_view section, std::string_view key);  // every such key of the first section

    // The text to store after "key=" so that reading it gives back `value` exactly:
    // quoted when blanks at its ends or a surrounding quote pair would be lost.
    static std::string EncodeValue(std::string_view value);
    static std::string DecodeValue(std::string_view stored);  // removes a surrounding quote pair

private:
    enum class Kind : unsigned char { Other, Header, Entry };
    struct Line {
        std::string text;  // as in the file, without the line end
        Kind kind = Kind::Other;
        std::string name;    // section or key name, trimmed
        std::string folded;  // fold(name)
        std::string value;   // entry value, trimmed, quotes kept
    };
    struct Section {
        size_t header;  // line of the header; npos for the lines before the first header
        size_t end;     // one past its last line
        std::vector<size_t> keyLines;
        std::unordered_map<std::string, size_t> keys;  // folded key -> first line
    };

    Line Classify(std::string text) const;
    void Reindex();
    void IndexLine(size_t i);  // adds line i to the index, in the section it follows
    void AppendLine(Line line);
    std::string FoldName(std::string_view name) const;
    const Section* FindSection(std::string_view section) const;
    const Line* FindKey(std::string_view section, std::string_view key) const;

    FoldFunction fold_;
    std::vector<Line> lines_;
    std::vector<Section> sections_;  // [0] is the nameless leading section
    std::unordered_map<std::string, size_t> sectionIndex_;  // folded name -> first section
};

}  // namespace ad
