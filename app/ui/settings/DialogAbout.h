// The about box: the versions of the program and of both libraries, and a
// button that starts the updater program ("Updater.exe" in the current
// directory) with the arguments 1 and the program's version. The box does
// not wait for the updater, and a failure to start it is not reported.
// Created on the stack and run modally by the main window. UI thread only.
#pragma once

#include "app/controls/skin/SubDialog.h"

class CDialogAbout : public CSubDialog {
public:
    explicit CDialogAbout(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnCheckUpdate();

    DECLARE_MESSAGE_MAP()

private:
    CButton m_btnUpdate;
    CString m_strVersion;
};
