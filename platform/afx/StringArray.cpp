#include "platform/afx/StringArray.h"

#include <algorithm>

void CStringArray::SetAtGrow(int i, const CString& s) {
    if (i < 0)
        return;
    if (i >= GetSize())
        items_.resize(size_t(i) + 1);
    items_[size_t(i)] = s;
}

int CStringArray::Add(const CString& s) {
    items_.push_back(s);
    return GetSize() - 1;
}

void CStringArray::InsertAt(int i, const CString& s, int count) {
    if (i < 0 || count <= 0)
        return;
    if (i > GetSize())
        items_.resize(size_t(i));
    items_.insert(items_.begin() + i, size_t(count), s);
}

void CStringArray::RemoveAt(int i, int count) {
    if (i < 0 || i >= GetSize() || count <= 0)
        return;
    const int end = std::min(GetSize(), i + count);
    items_.erase(items_.begin() + i, items_.begin() + end);
}

void CStringArray::Append(const CStringArray& other) {
    items_.insert(items_.end(), other.items_.begin(), other.items_.end());
}
