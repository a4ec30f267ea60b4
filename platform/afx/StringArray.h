// A growable array of CString, indexed from 0.
#pragma once

#include <vector>

#include "platform/afx/String.h"

class CStringArray {
public:
    int GetSize() const { return int(items_.size()); }
    int GetCount() const { return GetSize(); }
    bool IsEmpty() const { return items_.empty(); }
    int GetUpperBound() const { return GetSize() - 1; }
    void SetSize(int size) { items_.resize(size_t(size > 0 ? size : 0)); }

    const CString& GetAt(int i) const { return items_.at(size_t(i)); }
    CString& ElementAt(int i) { return items_.at(size_t(i)); }
    void SetAt(int i, const CString& s) { items_.at(size_t(i)) = s; }
    // Grows the array when `i` lies beyond its end.
    void SetAtGrow(int i, const CString& s);
    const CString& operator[](int i) const { return GetAt(i); }
    CString& operator[](int i) { return ElementAt(i); }

    // Returns the new element's index.
    int Add(const CString& s);
    void InsertAt(int i, const CString& s, int count = 1);
    void RemoveAt(int i, int count = 1);
    void RemoveAll() { items_.clear(); }
    void Append(const CStringArray& other);
    void Copy(const CStringArray& other) { items_ = other.items_; }

private:
    std::vector<CString> items_;
};
