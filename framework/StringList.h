// String lists of the class-library layer: TStrings, the abstract list of ANSI
// strings with an optional object per item (list and combo boxes expose their
// items through it), and TStringList, the list that stores its own items and can
// keep them sorted.
#pragma once

// <windows.h> defines GetObject as a macro (GetObjectW). It is included here so that
// every user of these classes sees the same method name, whatever it includes first.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ad {

class TStrings {
public:
    TStrings() = default;
    virtual ~TStrings() = default;

    // The core a concrete list provides. Indexes outside 0..Count()-1 raise
    // EStringListError("List index out of bounds (%d)").
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& s);  // keeps the item's object
    virtual int GetCount() const = 0;
    virtual void Insert(int index, const std::string& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual intptr_t GetObject(int index) const;  // 0 when the list keeps no objects
    virtual void PutObject(int index, intptr_t object);

    virtual int Add(const std::string& s);  // returns the new item's index
    virtual int AddObject(const std::string& s, intptr_t object);
    virtual void InsertObject(int index, const std::string& s, intptr_t object);
    virtual int IndexOf(const std::string& s) const;  // -1 when absent
    virtual void Exchange(int index1, int index2);
    virtual void Move(int curIndex, int newIndex);

    int Count() const { return GetCount(); }
    std::string Strings(int index) const { return Get(index); }
    std::string operator[](int index) const { return Get(index); }
    void SetStrings(int index, const std::string& s) { Put(index, s); }
    intptr_t Objects(int index) const { return GetObject(index); }
    void SetObjects(int index, intptr_t object) { PutObject(index, object); }
    int IndexOfObject(intptr_t object) const;

    // Lines joined, each followed by CRLF. SetText splits on CRLF, LF or CR; a
    // final line break adds no empty line.
    std::string Text() const;
    void SetText(const std::string& text);

    // "name=value" lines. Names compare like the list's strings.
    std::string Names(int index) const;           // "" when the line has no '='
    std::string ValueFromIndex(int index) const;  // "" when the line has no '='
    int IndexOfName(const std::string& name) const;
    std::string Values(const std::string& name) const;
    // Replaces the value of the first line with that name, adds a line when there is
    // none, and deletes the line when value is empty.
    void SetValues(const std::string& name, const std::string& value);

    // ANSI text; a missing file raises EFOpenError naming it. Saving writes CRLF lines
    // and replaces the file atomically; failure raises EFCreateError naming it.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

    void Assign(const TStrings& source);  // strings and objects
    void AddStrings(const TStrings& source);

    // Updates nest; SetUpdateState reports the first BeginUpdate and the last EndUpdate.
    void BeginUpdate();
    void EndUpdate();

protected:
    virtual void SetUpdateState(bool /*updating*/) {}
    // Compares two strings by the list's rules: the ANSI code page, ignoring case.
    virtual int CompareStrings(const std::string& a, const std::string& b) const;
    int UpdateCount() const { return updateCount_; }
    [[noreturn]] static void IndexError(int index);

    // Not copyable (use Assign); concrete lists may be movable.
    TStrings(TStrings&&) = default;
    TStrings& operator=(TStrings&&) = default;

private:
    int updateCount_ = 0;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
// <0, 0, >0 for the items at index1 and index2 of the list.
using TStringListSortCompare = std::function<int(const TStringList& list, int index1, int index2)>;

class TStringList : public TStrings {
public:
    TStringList() = default;
    // Moving takes the items, the settings and OnChange along.
    TStringList(TStringList&&) = default;
    TStringList& operator=(TStringList&&) = default;

    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;  // raises on a sorted list
    int GetCount() const override { return static_cast<int>(items_.size()); }
    void Insert(int index, const std::string& s) override;  // raises on a sorted list
    void Delete(int index) override;
    void Clear() override;
    intptr_t GetObject(int index) const override;
    void PutObject(int index, intptr_t object) override;

    // On a sorted list the item goes to its sorted place, and Duplicates decides
    // what an equal string does: dupIgnore returns the existing index (its object
    // is left alone), dupError raises EStringListError.
    int Add(const std::string& s) override;
    int AddObject(const std::string& s, intptr_t object) override;
    void InsertObject(int index, const std::string& s, intptr_t object) override;
    int IndexOf(const std::string& s) const override;  // binary search when sorted
    void Exchange(int index1, int index2) override;   // raises on a sorted list
    void Move(int curIndex, int newIndex) override;   // raises on a sorted list

    // Whether s is in the list, and its index (the first of equal items) or the
    // place where it would be inserted. Binary search on a sorted list; on an
    // unsorted one a linear search, with Count() as the insert place.
    bool Find(const std::string& s, int& index) const;

    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);  // sorts when switched on
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool value);  // re-sorts a sorted list
    void Sort();
    void CustomSort(const TStringListSortCompare& compare);  // raises on a sorted list

    TDuplicates Duplicates = dupIgnore;
    std::function<void()> OnChange;  // after each change; once at the end of an update

protected:
    void SetUpdateState(bool updating) override;
    int CompareStrings(const std::string& a, const std::string& b) const override;

private:
    struct Item {
        std::string text;
        intptr_t object = 0;
    };

    void Changed();
    void CheckIndex(int index) const;
    void CheckUnsorted() const;
    void InsertItem(int index, const std::string& s, intptr_t object);
    void SortItems();

    std::vector<Item> items_;
    bool sorted_ = false;
    bool caseSensitive_ = false;
    bool changedWhileUpdating_ = false;
};

}  // namespace ad
