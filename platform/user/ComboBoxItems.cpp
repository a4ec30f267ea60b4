// The combo box's item list: adding, inserting, removing, finding, item
// data and the selection as messages set them.
#include <algorithm>
#include <cwctype>

#include "platform/user/ComboBoxControl.h"
#include "platform/user/ComboBoxState.h"
#include "platform/user/ControlSupport.h"
#include "platform/user/Painting.h"

namespace {

using Items = std::vector<ComboItem>;

bool Valid(const ComboState& s, WPARAM index) {
    return index < s.items.size();
}

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text)
        c = wchar_t(std::towlower(wint_t(c)));
    return text;
}

void Changed(HWND combo) {
    InvalidateRect(combo, nullptr, FALSE);
    if (ComboStateOf(combo).list != nullptr)
        InvalidateRect(ComboStateOf(combo).list, nullptr, FALSE);
}

LRESULT Insert(HWND combo, size_t at, const wchar_t* text) {
    ComboState& s = ComboStateOf(combo);
    s.items.insert(s.items.begin() + std::ptrdiff_t(at), ComboItem{text != nullptr ? text : L""});
    if (s.selected >= int(at))
        ++s.selected;
    Changed(combo);
    return LRESULT(at);
}

LRESULT OnAddString(HWND combo, WPARAM, LPARAM lParam) {
    const auto* text = reinterpret_cast<const wchar_t*>(lParam);
    const Items& items = ComboStateOf(combo).items;
    size_t at = items.size();
    if ((GetWindowLongPtr(combo, GWL_STYLE) & CBS_SORT) != 0 && text != nullptr) {
        const std::wstring key = Lower(text);
        at = size_t(std::find_if(items.begin(), items.end(),
                                 [&](const ComboItem& i) { return Lower(i.text) > key; }) -
                    items.begin());
    }
    return Insert(combo, at, text);
}

LRESULT OnInsertString(HWND combo, WPARAM wParam, LPARAM lParam) {
    const size_t count = ComboStateOf(combo).items.size();
    const auto index = int(intptr_t(wParam));
    if (index > int(count))
        return CB_ERR;
    return Insert(combo, index < 0 ? count : size_t(index),
                  reinterpret_cast<const wchar_t*>(lParam));
}

LRESULT OnDeleteString(HWND combo, WPARAM wParam, LPARAM) {
    ComboState& s = ComboStateOf(combo);
    if (!Valid(s, wParam))
        return CB_ERR;
    s.items.erase(s.items.begin() + std::ptrdiff_t(wParam));
    if (s.selected == int(wParam))
        s.selected = -1;
    else if (s.selected > int(wParam))
        --s.selected;
    Changed(combo);
    return LRESULT(s.items.size());
}

LRESULT OnResetContent(HWND combo, WPARAM, LPARAM) {
    ComboState& s = ComboStateOf(combo);
    s.items.clear();
    s.selected = s.marked = -1;
    s.top = 0;
    Changed(combo);
    return 0;
}

LRESULT OnGetCount(HWND combo, WPARAM, LPARAM) {
    return LRESULT(ComboStateOf(combo).items.size());
}

LRESULT OnGetCurSel(HWND combo, WPARAM, LPARAM) {
    return ComboStateOf(combo).selected;
}

LRESULT OnSetCurSel(HWND combo, WPARAM wParam, LPARAM) {
    ComboState& s = ComboStateOf(combo);
    s.selected = Valid(s, wParam) ? int(wParam) : -1;
    Changed(combo);
    return s.selected;
}

LRESULT OnGetText(HWND combo, WPARAM wParam, LPARAM lParam) {
    const ComboState& s = ComboStateOf(combo);
    auto* buffer = reinterpret_cast<wchar_t*>(lParam);
    if (!Valid(s, wParam) || buffer == nullptr)
        return CB_ERR;
    const std::wstring& text = s.items[wParam].text;
    text.copy(buffer, text.size());
    buffer[text.size()] = 0;
    return LRESULT(text.size());
}

LRESULT OnGetTextLength(HWND combo, WPARAM wParam, LPARAM) {
    const ComboState& s = ComboStateOf(combo);
    return Valid(s, wParam) ? LRESULT(s.items[wParam].text.size()) : CB_ERR;
}

// The first item after `start` (wrapping) that matches, or CB_ERR.
LRESULT Find(HWND combo, WPARAM start, LPARAM lParam, bool exact) {
    const Items& items = ComboStateOf(combo).items;
    const auto* text = reinterpret_cast<const wchar_t*>(lParam);
    if (text == nullptr || items.empty())
        return CB_ERR;
    const std::wstring key = Lower(text);
    const size_t first = int(intptr_t(start)) < 0 ? 0 : size_t(start) + 1;
    for (size_t step = 0; step < items.size(); ++step) {
        const size_t i = (first + step) % items.size();
        const std::wstring candidate = Lower(items[i].text);
        if (exact ? candidate == key : candidate.compare(0, key.size(), key) == 0)
            return LRESULT(i);
    }
    return CB_ERR;
}

LRESULT OnFindString(HWND combo, WPARAM wParam, LPARAM lParam) {
    return Find(combo, wParam, lParam, false);
}

LRESULT OnFindStringExact(HWND combo, WPARAM wParam, LPARAM lParam) {
    return Find(combo, wParam, lParam, true);
}

LRESULT OnSelectString(HWND combo, WPARAM wParam, LPARAM lParam) {
    const LRESULT found = Find(combo, wParam, lParam, false);
    if (found != CB_ERR)
        OnSetCurSel(combo, WPARAM(found), 0);
    return found;
}

LRESULT OnGetItemData(HWND combo, WPARAM wParam, LPARAM) {
    const ComboState& s = ComboStateOf(combo);
    return Valid(s, wParam) ? s.items[wParam].data : CB_ERR;
}

LRESULT OnSetItemData(HWND combo, WPARAM wParam, LPARAM lParam) {
    ComboState& s = ComboStateOf(combo);
    if (!Valid(s, wParam))
        return CB_ERR;
    s.items[wParam].data = lParam;
    return 0;
}

LRESULT OnGetItemHeight(HWND combo, WPARAM, LPARAM) {
    return ComboItemHeight(combo);
}

constexpr std::array kTable = {
    ControlEntry{CB_ADDSTRING, OnAddString},
    ControlEntry{CB_INSERTSTRING, OnInsertString},
    ControlEntry{CB_DELETESTRING, OnDeleteString},
    ControlEntry{CB_RESETCONTENT, OnResetContent},
    ControlEntry{CB_GETCOUNT, OnGetCount},
    ControlEntry{CB_GETCURSEL, OnGetCurSel},
    ControlEntry{CB_SETCURSEL, OnSetCurSel},
    ControlEntry{CB_GETLBTEXT, OnGetText},
    ControlEntry{CB_GETLBTEXTLEN, OnGetTextLength},
    ControlEntry{CB_FINDSTRING, OnFindString},
    ControlEntry{CB_FINDSTRINGEXACT, OnFindStringExact},
    ControlEntry{CB_SELECTSTRING, OnSelectString},
    ControlEntry{CB_GETITEMDATA, OnGetItemData},
    ControlEntry{CB_SETITEMDATA, OnSetItemData},
    ControlEntry{CB_GETITEMHEIGHT, OnGetItemHeight},
};

}  // namespace

bool HandleComboItemMessage(HWND combo, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT* result) {
    for (const ControlEntry& e : kTable) {
        if (e.message == message) {
            *result = e.handler(combo, wParam, lParam);
            return true;
        }
    }
    return false;
}
