#include "platform/afx/FileDialog.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

CFileDialog::CFileDialog(BOOL openFileDialog, const wchar_t* defaultExtension,
                         const wchar_t* fileName, DWORD flags, const wchar_t* filter, CWnd* parent)
    : CDialog(0, parent),
      m_open(openFileDialog != FALSE),
      m_filter(filter != nullptr ? filter : L""),
      m_defaultExtension(defaultExtension != nullptr ? defaultExtension : L"") {
    std::replace(m_filter.begin(), m_filter.end(), L'|', L'\0');
    if (fileName != nullptr) {
        const std::wstring name = fileName;
        name.copy(m_fileName, std::min<size_t>(name.size(), std::size(m_fileName) - 1));
    }
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
    m_ofn.lpstrFile = m_fileName;
    m_ofn.nMaxFile = DWORD(std::size(m_fileName));
    m_ofn.lpstrFileTitle = m_fileTitle;
    m_ofn.nMaxFileTitle = DWORD(std::size(m_fileTitle));
    m_ofn.lpstrDefExt = m_defaultExtension.empty() ? nullptr : m_defaultExtension.c_str();
    m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLESIZING;
}

intptr_t CFileDialog::DoModal() {
    if (!m_open)
        return IDCANCEL;
    m_ofn.hwndOwner = m_pParentWnd != nullptr ? m_pParentWnd->GetSafeHwnd() : nullptr;
    if (m_ofn.hwndOwner == nullptr && AfxGetMainWnd() != nullptr)
        m_ofn.hwndOwner = AfxGetMainWnd()->GetSafeHwnd();
    return GetOpenFileNameW(&m_ofn) ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const {
    return CString(m_ofn.lpstrFile);
}

CString CFileDialog::GetFileName() const {
    return CString(m_ofn.lpstrFile + m_ofn.nFileOffset);
}

CString CFileDialog::GetFileExt() const {
    const std::wstring path = m_ofn.lpstrFile;
    return m_ofn.nFileExtension < path.size() ? CString(m_ofn.lpstrFile + m_ofn.nFileExtension)
                                              : CString(L"");
}

CString CFileDialog::GetFileTitle() const {
    const std::wstring name = m_ofn.lpstrFile + m_ofn.nFileOffset;
    const size_t dot = name.rfind(L'.');
    return CString(name.substr(0, dot).c_str());
}

CString CFileDialog::GetFolderPath() const {
    const std::wstring path = m_ofn.lpstrFile;
    return CString(path.substr(0, m_ofn.nFileOffset > 0 ? m_ofn.nFileOffset - 1 : 0).c_str());
}
