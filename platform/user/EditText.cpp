#include "platform/user/EditText.h"

#include <algorithm>
#include <cwctype>

bool EditText::Replace(const std::wstring& with, size_t limit) {
    const size_t start = SelStart();
    const size_t removed = SelEnd() - start;
    if (text.size() - removed + with.size() > limit && !with.empty())
        return false;
    text.replace(start, removed, with);
    caret = anchor = start + with.size();
    return true;
}

void EditText::MoveTo(size_t position, bool extend) {
    caret = std::min(position, text.size());
    if (!extend)
        anchor = caret;
}

void EditText::SelectWordAt(size_t position) {
    position = std::min(position, text.size());
    if (text.empty())
        return;
    const size_t probe = position == text.size() ? position - 1 : position;
    const bool blank = std::iswspace(wint_t(text[probe])) != 0;
    auto same = [&](size_t i) { return (std::iswspace(wint_t(text[i])) != 0) == blank; };
    size_t start = probe;
    while (start > 0 && same(start - 1))
        --start;
    size_t end = probe;
    while (end < text.size() && same(end))
        ++end;
    anchor = start;
    caret = end;
}

void EditText::Select(int start, int end) {
    const size_t last = text.size();
    const size_t e = end < 0 ? last : std::min(size_t(end), last);
    if (start < 0) {
        anchor = caret = SelEnd();
        return;
    }
    anchor = std::min(size_t(start), last);
    caret = e;
}

void EditText::SetText(const std::wstring& value) {
    text = value;
    anchor = caret = 0;
}
