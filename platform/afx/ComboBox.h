// A combo box object ("ComboBox" class; drop lists as
// platform/user/ComboBoxControl.h describes them). Indexes are 0-based;
// CB_ERR answers an index that does not exist.
#pragma once

#include "platform/afx/String.h"
#include "platform/afx/Wnd.h"

class CComboBox : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetCount() const { return int(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return int(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int index) { return int(SendMessage(CB_SETCURSEL, WPARAM(intptr_t(index)))); }
    int AddString(const wchar_t* text) { return int(SendMessage(CB_ADDSTRING, 0, LPARAM(text))); }
    int InsertString(int index, const wchar_t* text) {
        return int(SendMessage(CB_INSERTSTRING, WPARAM(intptr_t(index)), LPARAM(text)));
    }
    int DeleteString(UINT index) { return int(SendMessage(CB_DELETESTRING, index)); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int GetLBText(int index, wchar_t* buffer) const {
        return int(SendMessage(CB_GETLBTEXT, WPARAM(intptr_t(index)), LPARAM(buffer)));
    }
    void GetLBText(int index, CString& text) const;
    int GetLBTextLen(int index) const {
        return int(SendMessage(CB_GETLBTEXTLEN, WPARAM(intptr_t(index))));
    }
    int FindString(int start, const wchar_t* text) const {
        return int(SendMessage(CB_FINDSTRING, WPARAM(intptr_t(start)), LPARAM(text)));
    }
    int FindStringExact(int start, const wchar_t* text) const {
        return int(SendMessage(CB_FINDSTRINGEXACT, WPARAM(intptr_t(start)), LPARAM(text)));
    }
    int SelectString(int start, const wchar_t* text) {
        return int(SendMessage(CB_SELECTSTRING, WPARAM(intptr_t(start)), LPARAM(text)));
    }
    uintptr_t GetItemData(int index) const {
        return uintptr_t(SendMessage(CB_GETITEMDATA, WPARAM(intptr_t(index))));
    }
    int SetItemData(int index, uintptr_t data) {
        return int(SendMessage(CB_SETITEMDATA, WPARAM(intptr_t(index)), LPARAM(data)));
    }
    void ShowDropDown(BOOL show = TRUE) { SendMessage(CB_SHOWDROPDOWN, WPARAM(show)); }
    BOOL GetDroppedState() const { return BOOL(SendMessage(CB_GETDROPPEDSTATE)); }

    DECLARE_DYNAMIC(CComboBox)
};
