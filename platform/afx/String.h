// The framework's string: wide characters (wchar_t), value semantics.
// Narrow text given to it (constructors, %S and %hs in Format) is read as
// UTF-8. Format follows the wide printf conventions of the original platform:
// %s and %ls take wide strings, %S and %hs narrow ones, %c a wide character,
// %ld is 32 bits and %I64d / %lld 64 bits. CString arguments may be passed
// to Format directly.
#pragma once

#include <cstdarg>
#include <string>
#include <type_traits>

#include "platform/base/WinTypes.h"

class CString {
public:
    CString() = default;
    CString(const wchar_t* s) : text_(s != nullptr ? s : L"") {}
    CString(const wchar_t* s, int length) : text_(s != nullptr ? s : L"", size_t(length)) {}
    CString(wchar_t c, int repeat = 1) : text_(size_t(repeat > 0 ? repeat : 0), c) {}
    explicit CString(const char* utf8);
    CString(const std::wstring& s) : text_(s) {}

    int GetLength() const { return int(text_.size()); }
    bool IsEmpty() const { return text_.empty(); }
    void Empty() { text_.clear(); }
    wchar_t GetAt(int i) const { return text_.at(size_t(i)); }
    void SetAt(int i, wchar_t c) { text_.at(size_t(i)) = c; }
    wchar_t operator[](int i) const { return GetAt(i); }
    operator const wchar_t*() const { return text_.c_str(); }
    const wchar_t* GetString() const { return text_.c_str(); }
    const std::wstring& Std() const { return text_; }

    // A writable buffer of at least `minLength` characters; ReleaseBuffer
    // takes the length given, or up to the first terminator for -1.
    wchar_t* GetBuffer(int minLength = 0);
    wchar_t* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    CString& operator=(const wchar_t* s);
    CString& operator=(wchar_t c);
    CString& operator+=(const CString& s);
    CString& operator+=(const wchar_t* s);
    CString& operator+=(wchar_t c);
    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, const wchar_t* b);
    friend CString operator+(const wchar_t* a, const CString& b);
    friend CString operator+(const CString& a, wchar_t b);
    friend bool operator==(const CString& a, const CString& b) { return a.text_ == b.text_; }
    friend bool operator==(const CString& a, const wchar_t* b) { return a.Compare(b) == 0; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const wchar_t* b) { return !(a == b); }
    friend bool operator<(const CString& a, const CString& b) { return a.text_ < b.text_; }

    int Compare(const wchar_t* s) const;
    int CompareNoCase(const wchar_t* s) const;

    // -1 when not found.
    int Find(wchar_t c, int start = 0) const;
    int Find(const wchar_t* s, int start = 0) const;
    int ReverseFind(wchar_t c) const;
    int FindOneOf(const wchar_t* set) const;

    // Returns the number of replacements.
    int Replace(wchar_t from, wchar_t to);
    int Replace(const wchar_t* from, const wchar_t* to);
    int Remove(wchar_t c);
    int Insert(int index, const wchar_t* s);
    int Insert(int index, wchar_t c);
    int Delete(int index, int count = 1);

    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    CString& Trim();
    CString& Trim(const wchar_t* chars);
    CString& TrimLeft(const wchar_t* chars = nullptr);
    CString& TrimRight(const wchar_t* chars = nullptr);

    // The next token after `start` delimited by any of `delimiters`; `start`
    // moves past it, and becomes -1 (with an empty result) at the end.
    CString Tokenize(const wchar_t* delimiters, int& start) const;

    template <typename... Args>
    void Format(const wchar_t* format, const Args&... args) {
        FormatRaw(format, Pass(args)...);
    }
    template <typename... Args>
    void AppendFormat(const wchar_t* format, const Args&... args) {
        CString more;
        more.FormatRaw(format, Pass(args)...);
        *this += more;
    }
    void FormatV(const wchar_t* format, va_list args);

    // The string resource `id`; false (and empty) when there is none.
    bool LoadString(UINT id);

private:
    void FormatRaw(const wchar_t* format, ...);

    // What goes through the C argument list: CString and std::wstring as their
    // text, enums as their number, anything else as it is (and it must be plain).
    template <typename T>
    static auto Pass(const T& v) {
        static_assert(std::is_trivially_copyable_v<T> || std::is_same_v<T, CString> ||
                          std::is_same_v<T, std::wstring>,
                      "Format takes numbers, pointers and strings");
        if constexpr (std::is_same_v<T, CString>) {
            return v.GetString();
        } else if constexpr (std::is_same_v<T, std::wstring>) {
            return v.c_str();
        } else if constexpr (std::is_enum_v<T>) {
            return static_cast<std::underlying_type_t<T>>(v);
        } else {
            return v;
        }
    }

    std::wstring text_;
};
