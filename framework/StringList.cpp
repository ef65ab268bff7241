// String lists: the shared helpers of TStrings and the stored, sortable TStringList.
#include "framework/StringList.h"

#include <algorithm>
#include <numeric>

#include "base/Exception.h"
#include "base/Files.h"
#include "framework/FileStreams.h"
#include "framework/SysUtils.h"
#include "framework/UpdateScope.h"

namespace ad {

namespace {

const char kSortedListError[] = "Operation not allowed on sorted list";

}  // namespace

// ---- TStrings

void TStrings::IndexError(int index) { throw EStringListError(Format("List index out of bounds (%d)", index)); }

void TStrings::Put(int index, const std::string& s) {
    intptr_t object = GetObject(index);
    UpdateScope update(*this);
    Delete(index);
    InsertObject(index, s, object);
}

intptr_t TStrings::GetObject(int index) const {
    if (index < 0 || index >= GetCount()) IndexError(index);
    return 0;
}

void TStrings::PutObject(int index, intptr_t) {
    if (index < 0 || index >= GetCount()) IndexError(index);
}

int TStrings::Add(const std::string& s) {
    int index = GetCount();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const std::string& s, intptr_t object) {
    int index = Add(s);
    PutObject(index, object);
    return index;
}

void TStrings::InsertObject(int index, const std::string& s, intptr_t object) {
    Insert(index, s);
    PutObject(index, object);
}

int TStrings::IndexOf(const std::string& s) const {
    for (int i = 0, n = GetCount(); i < n; ++i)
        if (CompareStrings(Get(i), s) == 0) return i;
    return -1;
}

int TStrings::IndexOfObject(intptr_t object) const {
    for (int i = 0, n = GetCount(); i < n; ++i)
        if (GetObject(i) == object) return i;
    return -1;
}

void TStrings::Exchange(int index1, int index2) {
    std::string s1 = Get(index1), s2 = Get(index2);
    intptr_t o1 = GetObject(index1), o2 = GetObject(index2);
    UpdateScope update(*this);
    Put(index1, s2);
    PutObject(index1, o2);
    Put(index2, s1);
    PutObject(index2, o1);
}

void TStrings::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex) return;
    if (newIndex < 0 || newIndex >= GetCount()) IndexError(newIndex);
    std::string s = Get(curIndex);
    intptr_t object = GetObject(curIndex);
    UpdateScope update(*this);
    Delete(curIndex);
    InsertObject(newIndex, s, object);
}

std::string TStrings::Text() const {
    std::string text;
    for (int i = 0, n = GetCount(); i < n; ++i) {
        text += Get(i);
        text += "\r\n";
    }
    return text;
}

void TStrings::SetText(const std::string& text) {
    UpdateScope update(*this);
    Clear();
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = text.size();
        Add(text.substr(pos, end - pos));
        pos = end;
        if (pos < text.size() && text[pos] == '\r') ++pos;
        if (pos < text.size() && text[pos] == '\n') ++pos;
    }
}

std::string TStrings::Names(int index) const {
    std::string s = Get(index);
    size_t eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(0, eq);
}

std::string TStrings::ValueFromIndex(int index) const {
    std::string s = Get(index);
    size_t eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(eq + 1);
}

int TStrings::IndexOfName(const std::string& name) const {
    for (int i = 0, n = GetCount(); i < n; ++i) {
        std::string s = Get(i);
        size_t eq = s.find('=');
        if (eq != std::string::npos && CompareStrings(s.substr(0, eq), name) == 0) return i;
    }
    return -1;
}

std::string TStrings::Values(const std::string& name) const {
    int index = IndexOfName(name);
    return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStrings::SetValues(const std::string& name, const std::string& value) {
    int index = IndexOfName(name);
    if (!value.empty()) {
        if (index < 0)
            Add(name + "=" + value);
        else
            Put(index, name + "=" + value);
    } else if (index >= 0) {
        Delete(index);
    }
}

void TStrings::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    int64_t size = file.Size();
    std::string text(static_cast<size_t>(size), '\0');
    file.ReadBuffer(text.data(), text.size());
    SetText(text);
}

void TStrings::SaveToFile(const std::string& fileName) const {
    std::string text = Text();
    SaveFileAtomically(fileName, text.data(), text.size());
}

void TStrings::Assign(const TStrings& source) {
    if (&source == this) return;
    UpdateScope update(*this);
    Clear();
    AddStrings(source);
}

void TStrings::AddStrings(const TStrings& source) {
    // Taken first, so that a list can add itself.
    std::vector<std::pair<std::string, intptr_t>> items;
    for (int i = 0, n = source.GetCount(); i < n; ++i) items.emplace_back(source.Get(i), source.GetObject(i));
    UpdateScope update(*this);
    for (const auto& [s, object] : items) AddObject(s, object);
}

void TStrings::BeginUpdate() {
    if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

int TStrings::CompareStrings(const std::string& a, const std::string& b) const { return AnsiCompareText(a, b); }

// ---- TStringList

void TStringList::Changed() {
    if (UpdateCount() > 0) {
        changedWhileUpdating_ = true;
    } else if (OnChange) {
        OnChange();
    }
}

void TStringList::SetUpdateState(bool updating) {
    if (updating) {
        changedWhileUpdating_ = false;
    } else if (changedWhileUpdating_) {
        changedWhileUpdating_ = false;
        if (OnChange) OnChange();
    }
}

int TStringList::CompareStrings(const std::string& a, const std::string& b) const {
    return caseSensitive_ ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

void TStringList::CheckIndex(int index) const {
    if (index < 0 || index >= GetCount()) IndexError(index);
}

void TStringList::CheckUnsorted() const {
    if (sorted_) throw EStringListError(kSortedListError);
}

std::string TStringList::Get(int index) const {
    CheckIndex(index);
    return items_[static_cast<size_t>(index)].text;
}

void TStringList::Put(int index, const std::string& s) {
    CheckUnsorted();
    CheckIndex(index);
    items_[static_cast<size_t>(index)].text = s;
    Changed();
}

intptr_t TStringList::GetObject(int index) const {
    CheckIndex(index);
    return items_[static_cast<size_t>(index)].object;
}

void TStringList::PutObject(int index, intptr_t object) {
    CheckIndex(index);
    items_[static_cast<size_t>(index)].object = object;
    Changed();
}

void TStringList::InsertItem(int index, const std::string& s, intptr_t object) {
    items_.insert(items_.begin() + index, Item{s, object});
    Changed();
}

void TStringList::Insert(int index, const std::string& s) { InsertObject(index, s, 0); }

void TStringList::InsertObject(int index, const std::string& s, intptr_t object) {
    CheckUnsorted();
    if (index < 0 || index > GetCount()) IndexError(index);
    InsertItem(index, s, object);
}

int TStringList::Add(const std::string& s) { return AddObject(s, 0); }

int TStringList::AddObject(const std::string& s, intptr_t object) {
    int index = GetCount();
    if (sorted_ && Find(s, index)) {
        if (Duplicates == dupIgnore) return index;
        if (Duplicates == dupError) throw EStringListError("String list does not allow duplicates");
    }
    InsertItem(index, s, object);
    return index;
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (items_.empty()) return;
    items_.clear();
    Changed();
}

void TStringList::Exchange(int index1, int index2) {
    CheckUnsorted();
    CheckIndex(index1);
    CheckIndex(index2);
    std::swap(items_[static_cast<size_t>(index1)], items_[static_cast<size_t>(index2)]);
    Changed();
}

void TStringList::Move(int curIndex, int newIndex) {
    CheckUnsorted();
    CheckIndex(curIndex);
    CheckIndex(newIndex);
    if (curIndex == newIndex) return;
    auto first = items_.begin();
    if (curIndex < newIndex)
        std::rotate(first + curIndex, first + curIndex + 1, first + newIndex + 1);
    else
        std::rotate(first + newIndex, first + curIndex, first + curIndex + 1);
    Changed();
}

bool TStringList::Find(const std::string& s, int& index) const {
    if (!sorted_) {
        for (int i = 0, n = GetCount(); i < n; ++i) {
            if (CompareStrings(items_[static_cast<size_t>(i)].text, s) == 0) {
                index = i;
                return true;
            }
        }
        index = GetCount();
        return false;
    }
    int lo = 0, hi = GetCount();
    while (lo < hi) {
        int mid = lo + (hi - lo) / 2;
        if (CompareStrings(items_[static_cast<size_t>(mid)].text, s) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    index = lo;
    return lo < GetCount() && CompareStrings(items_[static_cast<size_t>(lo)].text, s) == 0;
}

int TStringList::IndexOf(const std::string& s) const {
    int index;
    return Find(s, index) ? index : -1;
}

void TStringList::SortItems() {
    if (items_.size() < 2) return;
    std::stable_sort(items_.begin(), items_.end(),
                     [this](const Item& a, const Item& b) { return CompareStrings(a.text, b.text) < 0; });
    Changed();
}

void TStringList::SetSorted(bool value) {
    if (value == sorted_) return;
    sorted_ = value;
    if (value) SortItems();
}

void TStringList::SetCaseSensitive(bool value) {
    if (value == caseSensitive_) return;
    caseSensitive_ = value;
    if (sorted_) SortItems();
}

void TStringList::Sort() {
    if (!sorted_) SortItems();
}

void TStringList::CustomSort(const TStringListSortCompare& compare) {
    CheckUnsorted();
    if (items_.size() < 2) return;
    // The comparison sees the list unchanged while an order of its indexes is
    // worked out; the items are rearranged afterwards.
    std::vector<int> order(items_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
    std::vector<Item> sorted;
    sorted.reserve(items_.size());
    for (int i : order) sorted.push_back(std::move(items_[static_cast<size_t>(i)]));
    items_ = std::move(sorted);
    Changed();
}

}  // namespace ad
