// The text of a single-line edit control with its caret and selection: the
// selection runs between the anchor and the caret, whichever comes first.
// Plain data, no window.
#pragma once

#include <cstddef>
#include <string>

struct EditText {
    std::wstring text;
    size_t anchor = 0;
    size_t caret = 0;

    size_t SelStart() const { return anchor < caret ? anchor : caret; }
    size_t SelEnd() const { return anchor < caret ? caret : anchor; }
    bool HasSelection() const { return anchor != caret; }
    std::wstring Selected() const { return text.substr(SelStart(), SelEnd() - SelStart()); }

    // Replaces the selection with `with` and puts the caret after it. Refused
    // (false, nothing changes) when the text would grow beyond `limit`.
    bool Replace(const std::wstring& with, size_t limit);
    // Moves the caret; `extend` keeps the anchor (a growing selection).
    void MoveTo(size_t position, bool extend);
    // The run of word or of blank characters around `position`.
    void SelectWordAt(size_t position);
    // A negative start selects nothing (caret at the selection's end); a
    // negative end or one past the text means the end.
    void Select(int start, int end);
    void SetText(const std::wstring& value);
};
