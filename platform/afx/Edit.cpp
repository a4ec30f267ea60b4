#include "platform/afx/Edit.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(L"Edit", nullptr, style, rect, parent, id);
}

void CEdit::SetSel(int start, int end, BOOL) {
    SendMessage(EM_SETSEL, WPARAM(intptr_t(start)), LPARAM(end));
}

void CEdit::GetSel(int& start, int& end) const {
    DWORD s = 0;
    DWORD e = 0;
    SendMessage(EM_GETSEL, WPARAM(&s), LPARAM(&e));
    start = int(s);
    end = int(e);
}

void CEdit::ReplaceSel(const wchar_t* text, BOOL canUndo) {
    SendMessage(EM_REPLACESEL, WPARAM(canUndo), LPARAM(text));
}
