// The framework's file-open dialog over GetOpenFileNameW
// (platform/user/FileDialog.h). The filter is written the framework's way,
// description and patterns separated by '|' and ended by "||"; the default
// extension and the initial name (a pattern such as "*.dvr" filters the
// list) are kept for the run. Only open dialogs are offered: a dialog made
// with openFileDialog FALSE answers DoModal with IDCANCEL.
#pragma once

#include <string>

#include "platform/afx/Dialog.h"
#include "platform/afx/String.h"
#include "platform/user/FileDialog.h"

class CFileDialog : public CDialog {
public:
    explicit CFileDialog(BOOL openFileDialog, const wchar_t* defaultExtension = nullptr,
                         const wchar_t* fileName = nullptr,
                         DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         const wchar_t* filter = nullptr, CWnd* parent = nullptr);

    // IDOK with a file chosen, IDCANCEL otherwise.
    intptr_t DoModal() override;

    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    CString GetFolderPath() const;

    OPENFILENAMEW m_ofn{};

    DECLARE_DYNAMIC(CFileDialog)

private:
    bool m_open;
    std::wstring m_filter;
    std::wstring m_defaultExtension;
    wchar_t m_fileName[4096] = {};
    wchar_t m_fileTitle[260] = {};
};
