// A single-line edit control object ("Edit" class; platform/user/EditControl.h).
#pragma once

#include "platform/afx/Wnd.h"

class CEdit : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // A negative start removes the selection; a negative end selects to the end.
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void GetSel(int& start, int& end) const;
    DWORD GetSel() const { return DWORD(SendMessage(EM_GETSEL)); }
    void ReplaceSel(const wchar_t* text, BOOL canUndo = FALSE);
    void SetLimitText(UINT max) { SendMessage(EM_SETLIMITTEXT, max); }
    void LimitText(int max = 0) { SendMessage(EM_LIMITTEXT, WPARAM(max)); }
    UINT GetLimitText() const { return UINT(SendMessage(EM_GETLIMITTEXT)); }
    BOOL SetReadOnly(BOOL readOnly = TRUE) { return BOOL(SendMessage(EM_SETREADONLY, readOnly)); }
    void Copy() { SendMessage(WM_COPY); }
    void Cut() { SendMessage(WM_CUT); }
    void Paste() { SendMessage(WM_PASTE); }
    void Clear() { SendMessage(WM_CLEAR); }

    DECLARE_DYNAMIC(CEdit)
};
