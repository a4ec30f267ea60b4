// One language text: a text that language files may replace while other
// threads read it. A replacement publishes a complete new value in one
// atomic step, so a reader sees the old text or the new one, never a mix.
// Values are never freed while the program runs: a pointer or reference a
// reader got stays valid even after the text is replaced (a language change
// is a rare user action, so the old values cost little).
//
// Threads: Set on the UI thread only (start-up and the settings dialog);
// reads from any thread without a lock.
#pragma once

#include <atomic>

#include "platform/afx/String.h"

class LanguageText {
public:
    LanguageText();
    LanguageText(const LanguageText&) = delete;
    LanguageText& operator=(const LanguageText&) = delete;

    // Replaces the text with a copy of `text`.
    void Set(const CString& text);
    LanguageText& operator=(const CString& text) {
        Set(text);
        return *this;
    }

    // The current value; it stays valid for the whole run.
    const CString& Get() const { return *value_.load(std::memory_order_acquire); }
    const wchar_t* GetString() const { return Get().GetString(); }
    int GetLength() const { return Get().GetLength(); }
    bool IsEmpty() const { return Get().IsEmpty(); }
    // The text where text is taken (a label, a message box, CString's
    // construction, assignment and +=). One conversion only, so none of
    // those is ambiguous; Get() gives the CString itself.
    operator const wchar_t*() const { return GetString(); }

    friend CString operator+(const LanguageText& a, const wchar_t* b) { return a.Get() + b; }
    friend CString operator+(const wchar_t* a, const LanguageText& b) { return a + b.Get(); }
    friend CString operator+(const LanguageText& a, const CString& b) { return a.Get() + b; }
    friend CString operator+(const CString& a, const LanguageText& b) { return a + b.Get(); }
    friend bool operator==(const LanguageText& a, const wchar_t* b) { return a.Get() == b; }

private:
    std::atomic<const CString*> value_;
};
