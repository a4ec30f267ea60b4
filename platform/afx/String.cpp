#include "platform/afx/String.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>

#include "platform/afx/StringFormat.h"
#include "platform/user/Resources.h"

namespace {

bool IsIn(wchar_t c, const wchar_t* set) {
    if (set == nullptr)
        return std::iswspace(wint_t(c)) != 0;
    for (; *set != 0; ++set) {
        if (*set == c)
            return true;
    }
    return false;
}

}  // namespace

CString::CString(const char* utf8) : text_(utf8 != nullptr ? WidenUtf8(utf8) : L"") {}

wchar_t* CString::GetBuffer(int minLength) {
    if (minLength > GetLength())
        text_.resize(size_t(minLength));
    return text_.data();
}

wchar_t* CString::GetBufferSetLength(int length) {
    text_.resize(size_t(std::max(length, 0)));
    return text_.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0)
        newLength = int(std::wcslen(text_.c_str()));
    text_.resize(size_t(newLength));
}

CString& CString::operator=(const wchar_t* s) {
    text_ = s != nullptr ? s : L"";
    return *this;
}

CString& CString::operator=(wchar_t c) {
    text_.assign(1, c);
    return *this;
}

CString& CString::operator+=(const CString& s) {
    text_ += s.text_;
    return *this;
}

CString& CString::operator+=(const wchar_t* s) {
    if (s != nullptr)
        text_ += s;
    return *this;
}

CString& CString::operator+=(wchar_t c) {
    text_ += c;
    return *this;
}

CString operator+(const CString& a, const CString& b) {
    return CString(a.text_ + b.text_);
}

CString operator+(const CString& a, const wchar_t* b) {
    CString r(a);
    r += b;
    return r;
}

CString operator+(const wchar_t* a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, wchar_t b) {
    CString r(a);
    r += b;
    return r;
}

int CString::Compare(const wchar_t* s) const {
    const int r = text_.compare(s != nullptr ? s : L"");
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

int CString::CompareNoCase(const wchar_t* s) const {
    CString a(*this);
    CString b(s);
    return a.MakeLower().Compare(b.MakeLower());
}

int CString::Find(wchar_t c, int start) const {
    if (start < 0 || start > GetLength())
        return -1;
    const size_t at = text_.find(c, size_t(start));
    return at == std::wstring::npos ? -1 : int(at);
}

int CString::Find(const wchar_t* s, int start) const {
    if (s == nullptr || start < 0 || start > GetLength())
        return -1;
    const size_t at = text_.find(s, size_t(start));
    return at == std::wstring::npos ? -1 : int(at);
}

int CString::ReverseFind(wchar_t c) const {
    const size_t at = text_.rfind(c);
    return at == std::wstring::npos ? -1 : int(at);
}

int CString::FindOneOf(const wchar_t* set) const {
    if (set == nullptr)
        return -1;
    const size_t at = text_.find_first_of(set);
    return at == std::wstring::npos ? -1 : int(at);
}

int CString::Replace(wchar_t from, wchar_t to) {
    int n = 0;
    for (wchar_t& c : text_) {
        if (c == from) {
            c = to;
            ++n;
        }
    }
    return n;
}

int CString::Replace(const wchar_t* from, const wchar_t* to) {
    if (from == nullptr || *from == 0)
        return 0;
    const std::wstring a(from);
    const std::wstring b(to != nullptr ? to : L"");
    int n = 0;
    for (size_t at = text_.find(a); at != std::wstring::npos; at = text_.find(a, at + b.size())) {
        text_.replace(at, a.size(), b);
        ++n;
    }
    return n;
}

int CString::Remove(wchar_t c) {
    const size_t before = text_.size();
    std::erase(text_, c);
    return int(before - text_.size());
}

int CString::Insert(int index, const wchar_t* s) {
    index = std::clamp(index, 0, GetLength());
    if (s != nullptr)
        text_.insert(size_t(index), s);
    return GetLength();
}

int CString::Insert(int index, wchar_t c) {
    const wchar_t s[2] = {c, 0};
    return Insert(index, s);
}

int CString::Delete(int index, int count) {
    if (index >= 0 && index < GetLength() && count > 0)
        text_.erase(size_t(index), size_t(count));
    return GetLength();
}

CString CString::Left(int count) const {
    return CString(text_.substr(0, size_t(std::clamp(count, 0, GetLength()))));
}

CString CString::Right(int count) const {
    count = std::clamp(count, 0, GetLength());
    return CString(text_.substr(size_t(GetLength() - count)));
}

CString CString::Mid(int first) const {
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const {
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    return CString(text_.substr(size_t(first), size_t(count)));
}

CString& CString::MakeUpper() {
    for (wchar_t& c : text_)
        c = wchar_t(std::towupper(wint_t(c)));
    return *this;
}

CString& CString::MakeLower() {
    for (wchar_t& c : text_)
        c = wchar_t(std::towlower(wint_t(c)));
    return *this;
}

CString& CString::MakeReverse() {
    std::reverse(text_.begin(), text_.end());
    return *this;
}

CString& CString::Trim() {
    return TrimRight().TrimLeft();
}

CString& CString::Trim(const wchar_t* chars) {
    return TrimRight(chars).TrimLeft(chars);
}

CString& CString::TrimLeft(const wchar_t* chars) {
    size_t i = 0;
    while (i < text_.size() && IsIn(text_[i], chars))
        ++i;
    text_.erase(0, i);
    return *this;
}

CString& CString::TrimRight(const wchar_t* chars) {
    while (!text_.empty() && IsIn(text_.back(), chars))
        text_.pop_back();
    return *this;
}

CString CString::Tokenize(const wchar_t* delimiters, int& start) const {
    if (start < 0)
        return CString();
    size_t from = size_t(start);
    const std::wstring set(delimiters != nullptr ? delimiters : L"");
    from = text_.find_first_not_of(set, from);
    if (from == std::wstring::npos) {
        start = -1;
        return CString();
    }
    size_t end = text_.find_first_of(set, from);
    if (end == std::wstring::npos)
        end = text_.size();
    start = int(std::min(end + 1, text_.size()));
    return CString(text_.substr(from, end - from));
}

void CString::FormatV(const wchar_t* format, va_list args) {
    text_ = FormatWide(format, args);
}

void CString::FormatRaw(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

bool CString::LoadString(UINT id) {
    const wchar_t* stored = nullptr;
    const int length = LoadStringW(nullptr, id, reinterpret_cast<wchar_t*>(&stored), 0);
    text_ = length > 0 && stored != nullptr ? std::wstring(stored, size_t(length)) : L"";
    return length > 0;
}
