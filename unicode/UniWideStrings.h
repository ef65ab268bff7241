// Lists of wide (UTF-16) strings: TWideStrings, the abstract list with an
// object per item; TUniStrings, which loads text of any byte-order mark and
// saves UTF-16 little-endian with its mark; TWideStringList, the list that
// keeps its own items. Portable; loading and saving by file name are Windows
// calls (UniWideStrings_win.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Streams.h"
#include "unicode/UniConvert.h"

namespace ad::uni {

class TWideStrings {
public:
    TWideStrings() = default;
    TWideStrings(const TWideStrings&) = delete;
    TWideStrings& operator=(const TWideStrings&) = delete;
    virtual ~TWideStrings() = default;

    // The core a concrete list provides. Indexes outside 0..Count()-1 raise
    // EStringListError("List index out of bounds (%d)").
    virtual std::u16string Get(int index) const = 0;
    virtual int GetCount() const = 0;
    virtual void Insert(int index, const std::u16string& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual void Put(int index, const std::u16string& s);  // keeps the item's object
    // The item's object, 0 when the list keeps none (named Objects: the
    // system headers make GetObject a macro).
    virtual intptr_t Objects(int index) const;
    virtual void PutObject(int index, intptr_t object);

    int Count() const { return GetCount(); }
    std::u16string operator[](int index) const { return Get(index); }
    virtual int Add(const std::u16string& s);  // the new item's index
    int AddObject(const std::u16string& s, intptr_t object);
    void InsertObject(int index, const std::u16string& s, intptr_t object);
    void AddStrings(const TWideStrings& other);
    void Exchange(int index1, int index2);
    void Move(int curIndex, int newIndex);
    // Case-insensitive by the list's codec; -1 when absent.
    int IndexOf(std::u16string_view s) const;
    int IndexOfName(std::u16string_view name) const;
    int IndexOfObject(intptr_t object) const;
    // Same count and every line equal, case included.
    bool Equals(const TWideStrings& other) const;
    void Assign(const TWideStrings& other);

    // Every line followed by CR LF.
    virtual std::u16string GetTextStr() const;
    // Clears, then adds the lines of text split at CR LF, CR, LF and U+2028;
    // a final line break adds no empty line.
    virtual void SetTextStr(std::u16string_view text);
    std::u16string Text() const { return GetTextStr(); }
    void SetText(std::u16string_view text) { SetTextStr(text); }

    // The rest of the stream as UTF-16 little-endian, and back (no mark).
    virtual void LoadFromStream(TStream& stream);
    virtual void SaveToStream(TStream& stream) const;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // Delimiter ",", quote character '"' and name-value separator "=" until
    // set; reading one marks it as defined.
    enum TDefinedFlag : unsigned { sdDelimiter = 1, sdQuoteChar = 2, sdNameValueSeparator = 4 };
    unsigned Defined() const { return defined_; }
    char16_t Delimiter() const;
    void SetDelimiter(char16_t c);
    char16_t QuoteChar() const;
    void SetQuoteChar(char16_t c);
    char16_t NameValueSeparator() const;
    void SetNameValueSeparator(char16_t c);

    // The case rules IndexOf uses.
    const IAnsiCodec* Codec = &SystemCodec();

protected:
    virtual void SetUpdateState(bool updating) { (void)updating; }
    virtual int CompareStrings(std::u16string_view a, std::u16string_view b) const;
    [[noreturn]] static void IndexError(int index);

private:
    mutable unsigned defined_ = 0;
    mutable char16_t delimiter_ = 0, quoteChar_ = 0, nameValueSeparator_ = 0;
    int updateCount_ = 0;
};

// Updates a list for the scope's lifetime.
class TWideUpdateScope {
public:
    explicit TWideUpdateScope(TWideStrings& list) : list_(list) { list_.BeginUpdate(); }
    ~TWideUpdateScope() { list_.EndUpdate(); }
    TWideUpdateScope(const TWideUpdateScope&) = delete;
    TWideUpdateScope& operator=(const TWideUpdateScope&) = delete;

private:
    TWideStrings& list_;
};

// How a text file was stored, by its byte-order mark.
enum TUniCharSet { csAnsi = 0, csUnicode = 1, csUnicodeSwapped = 2, csUtf8 = 3 };

// Reads the mark at the stream's position and leaves the position after it
// (at the start again when there is none).
TUniCharSet DetectCharSet(TStream& stream);

// The bytes from the stream's position to its end.
std::string ReadRest(TStream& stream);

class TUniStrings : public TWideStrings {
public:
    // With detect, the mark tells the encoding: FF FE UTF-16 little-endian,
    // FE FF big-endian, EF BB BF UTF-8, none the ANSI code page (by Codec).
    // Without, the bytes are UTF-16 little-endian. A UTF-16 text of odd
    // length loses its last byte.
    void LoadFromStream(TStream& stream) override { LoadFromStream(stream, true); }
    void LoadFromStream(TStream& stream, bool detect);
    // Writes the mark FF FE (with withMark) and the text in UTF-16 little-endian.
    void SaveToStream(TStream& stream) const override { SaveToStream(stream, true); }
    void SaveToStream(TStream& stream, bool withMark) const;

#ifdef _WIN32
    // By wide file name: loading denies writers meanwhile and records the
    // file's encoding; saving creates or replaces the file.
    void LoadFromFile(const std::wstring& fileName);
    void SaveToFile(const std::wstring& fileName) const;
#endif

    TUniCharSet LastFileCharSet = csUnicode;
};

// A list that keeps its own items.
class TWideStringList : public TUniStrings {
public:
    std::u16string Get(int index) const override;
    int GetCount() const override { return static_cast<int>(items_.size()); }
    void Insert(int index, const std::u16string& s) override;
    void Delete(int index) override;
    void Clear() override { items_.clear(); }
    void Put(int index, const std::u16string& s) override;
    intptr_t Objects(int index) const override;
    void PutObject(int index, intptr_t object) override;

private:
    struct Item {
        std::u16string text;
        intptr_t object = 0;
    };
    const Item& At(int index) const;
    std::vector<Item> items_;
};

}  // namespace ad::uni
