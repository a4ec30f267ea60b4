// Dialog data exchange: DoDataExchange moves values between a dialog's
// controls and its members, towards the members when saving (UpdateData(TRUE))
// and towards the controls otherwise. DDX_Control attaches a member object
// to the control with that id the first time.
#pragma once

#include "platform/afx/String.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
