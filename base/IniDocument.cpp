// One-pass parser, lookups, line-preserving edits and serializer of IniDocument.
#include "base/IniDocument.h"

#include "base/Exception.h"
#include "base/StrUtils.h"

namespace ad {

namespace {

constexpr size_t npos = std::string::npos;

// The profile functions treat Ctrl-Z (an old end-of-file mark) as a blank too.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a'; }

std::string_view TrimBlanks(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

// The profile functions keep names and values as C strings: a NUL ends them,
// and what follows it on the line is never read.
std::string_view UpToNul(std::string_view s) { return s.substr(0, s.find('\0')); }

bool IsQuote(char c) { return c == '"' || c == '\''; }
bool HasLineBreak(std::string_view s) { return s.find_first_of(std::string_view("\r\n\0", 3)) != npos; }

}  // namespace

IniDocument::IniDocument(FoldFunction fold) : fold_(std::move(fold)) { Reindex(); }

std::string IniDocument::FoldName(std::string_view name) const {
    return fold_ ? fold_(name) : AsciiUpperCase(name);
}

void IniDocument::Parse(std::string_view text) {
    lines_.clear();
    size_t i = 0;
    while (i < text.size()) {
        size_t e = text.find_first_of("\r\n", i);
        if (e == npos) e = text.size();
        lines_.push_back(Classify(std::string(text.substr(i, e - i))));
        if (e + 1 < text.size() && text[e] == '\r' && text[e + 1] == '\n') ++e;  // CR LF is one line end
        i = e + 1;
    }
    Reindex();
}

std::string IniDocument::Serialize() const {
    std::string out;
    size_t total = 0;
    for (const Line& l : lines_) total += l.text.size() + 2;
    out.reserve(total);
    for (const Line& l : lines_) {
        out += l.text;
        out += "\r\n";
    }
    return out;
}

IniDocument::Line IniDocument::Classify(std::string text) const {
    Line line;
    line.text = std::move(text);
    std::string_view t = TrimBlanks(line.text);
    if (t.empty() || t[0] == ';') return line;
    if (t[0] == '[') {
        size_t close = t.rfind(']');  // the last "]" ends the name; text after it is ignored
        if (close != npos) {
            line.kind = Kind::Header;
            line.name = UpToNul(TrimBlanks(t.substr(1, close - 1)));
            line.folded = FoldName(line.name);
            return line;
        }
    }
    size_t eq = t.find('=');
    if (eq == npos) return line;
    std::string_view name = UpToNul(TrimBlanks(t.substr(0, eq)));
    if (name.empty()) return line;
    line.kind = Kind::Entry;
    line.name = name;
    line.folded = FoldName(name);
    line.value = UpToNul(TrimBlanks(t.substr(eq + 1)));
    return line;
}

void IniDocument::Reindex() {
    sections_.clear();
    sectionIndex_.clear();
    sections_.push_back(Section{npos, 0, {}, {}});
    sectionIndex_.emplace(FoldName(""), 0);
    for (size_t i = 0; i < lines_.size(); ++i) IndexLine(i);
    sections_.back().end = lines_.size();
}

void IniDocument::IndexLine(size_t i) {
    const Line& l = lines_[i];
    if (l.kind == Kind::Header) {
        sections_.back().end = i;
        sections_.push_back(Section{i, 0, {}, {}});
        sectionIndex_.emplace(l.folded, sections_.size() - 1);  // a later duplicate is never searched
    } else if (l.kind == Kind::Entry) {
        Section& s = sections_.back();
        s.keyLines.push_back(i);
        s.keys.emplace(l.folded, i);  // the first of duplicate keys wins
    }
}

// A line added at the end moves no other line: it is indexed alone, so that
// a file written entry by entry (an import of thousands) is not re-indexed
// whole at every write.
void IniDocument::AppendLine(Line line) {
    lines_.push_back(std::move(line));
    IndexLine(lines_.size() - 1);
    sections_.back().end = lines_.size();
}

const IniDocument::Section* IniDocument::FindSection(std::string_view section) const {
    auto it = sectionIndex_.find(FoldName(TrimBlanks(section)));
    return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

const IniDocument::Line* IniDocument::FindKey(std::string_view section, std::string_view key) const {
    const Section* s = FindSection(section);
    if (s == nullptr) return nullptr;
    auto it = s->keys.find(FoldName(TrimBlanks(key)));
    return it == s->keys.end() ? nullptr : &lines_[it->second];
}

std::optional<std::string> IniDocument::ReadValue(std::string_view section, std::string_view key) const {
    const Line* l = FindKey(section, key);
    if (l == nullptr) return std::nullopt;
    return DecodeValue(l->value);
}

bool IniDocument::HasKey(std::string_view section, std::string_view key) const {
    return FindKey(section, key) != nullptr;
}

std::vector<std::string> IniDocument::SectionNames() const {
    std::vector<std::string> names;
    for (size_t i = 1; i < sections_.size(); ++i) {
        const std::string& name = lines_[sections_[i].header].name;
        if (!name.empty()) names.push_back(name);
    }
    return names;
}

std::vector<std::string> IniDocument::KeyNames(std::string_view section) const {
    std::vector<std::string> names;
    if (const Section* s = FindSection(section))
        for (size_t i : s->keyLines) names.push_back(lines_[i].name);
    return names;
}

std::string IniDocument::EncodeValue(std::string_view v) {
    bool wrap = !v.empty() && (IsBlank(v.front()) || IsBlank(v.back()) ||
                               (v.size() > 1 && IsQuote(v.front()) && v.back() == v.front()));
    if (!wrap) return std::string(v);
    std::string quoted;
    quoted.reserve(v.size() + 2);
    quoted.append(1, '"').append(v).append(1, '"');
    return quoted;
}

std::string IniDocument::DecodeValue(std::string_view s) {
    if (s.size() > 1 && IsQuote(s.front()) && s.back() == s.front()) s = s.substr(1, s.size() - 2);
    return std::string(s);
}

bool IniDocument::WriteValue(std::string_view sectionName, std::string_view keyName, std::string_view value) {
    std::string_view section = TrimBlanks(sectionName), key = TrimBlanks(keyName);
    if (section.empty() || HasLineBreak(section))
        throw EIniFileException("Invalid section name \"" + std::string(sectionName) + "\"");
    if (key.empty() || HasLineBreak(key) || key.find('=') != npos || key[0] == ';' || key[0] == '[')
        throw EIniFileException("Invalid key name \"" + std::string(keyName) + "\"");
    if (HasLineBreak(value))
        throw EIniFileException("The value of \"" + std::string(keyName) + "\" contains a line break");

    std::string entry = std::string(key) + "=" + EncodeValue(value);
    const Section* s = FindSection(section);
    if (s == nullptr) {
        AppendLine(Classify(std::string("[").append(section).append("]")));
        AppendLine(Classify(std::move(entry)));
        return true;
    }
    if (auto it = s->keys.find(FoldName(key)); it != s->keys.end()) {
        Line& line = lines_[it->second];
        if (DecodeValue(line.value) == value) return false;
        line.value = EncodeValue(value);
        line.text = line.name + "=" + line.value;  // keeps the key's spelling
        return true;  // the same key on the same line: the index stands
    }
    size_t at = s->keyLines.empty() ? s->header + 1 : s->keyLines.back() + 1;
    if (at == lines_.size()) {
        AppendLine(Classify(std::move(entry)));
    } else {
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Classify(std::move(entry)));
        Reindex();
    }
    return true;
}

bool IniDocument::EraseSection(std::string_view sectionName) {
    std::string_view section = TrimBlanks(sectionName);
    if (section.empty()) return false;
    std::string folded = FoldName(section);
    bool changed = false;
    for (size_t i = sections_.size(); i-- > 1;) {
        const Section& s = sections_[i];
        if (lines_[s.header].folded != folded) continue;
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(s.header),
                     lines_.begin() + static_cast<std::ptrdiff_t>(s.end));
        changed = true;
    }
    if (changed) Reindex();
    return changed;
}

bool IniDocument::DeleteKey(std::string_view section, std::string_view key) {
    const Section* s = FindSection(section);
    if (s == nullptr || s->header == npos) return false;
    std::string folded = FoldName(TrimBlanks(key));
    bool changed = false;
    for (size_t j = s->keyLines.size(); j-- > 0;) {
        size_t i = s->keyLines[j];
        if (lines_[i].folded != folded) continue;
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
        changed = true;
    }
    if (changed) Reindex();
    return changed;
}

}  // namespace ad
