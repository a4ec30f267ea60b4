#include "platform/afx/ComboBox.h"

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(L"ComboBox", nullptr, style, rect, parent, id);
}

void CComboBox::GetLBText(int index, CString& text) const {
    const int length = GetLBTextLen(index);
    if (length < 0) {
        text.Empty();
        return;
    }
    GetLBText(index, text.GetBufferSetLength(length + 1));
    text.ReleaseBuffer();
}
