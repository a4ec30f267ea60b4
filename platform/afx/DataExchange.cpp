#include "platform/afx/DataExchange.h"

#include "platform/afx/Wnd.h"

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.m_hWnd == nullptr)
        control.SubclassDlgItem(UINT(id), dx->m_pDlgWnd);
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
    if (dx->m_bSaveAndValidate) {
        dx->m_pDlgWnd->GetDlgItemText(id, value);
    } else {
        dx->m_pDlgWnd->SetDlgItemText(id, value);
    }
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
    if (dx->m_bSaveAndValidate) {
        BOOL ok = FALSE;
        const UINT v = dx->m_pDlgWnd->GetDlgItemInt(id, &ok, TRUE);
        if (ok)
            value = int(v);
    } else {
        dx->m_pDlgWnd->SetDlgItemInt(id, UINT(value), TRUE);
    }
}
