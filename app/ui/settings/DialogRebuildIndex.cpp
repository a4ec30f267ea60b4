#include "app/ui/settings/DialogRebuildIndex.h"

#include <algorithm>

#include "app/res/ResourceIds.h"
#include "app/shell/LanguageTexts.h"
#include "app/shell/LibraryBinding.h"

namespace {

constexpr int kProgressMax = 10000;

}  // namespace

BEGIN_MESSAGE_MAP(CDialogRebuildIndex, CSubDialog)
ON_BN_CLICKED(IDC_REBUILD_START, &CDialogRebuildIndex::OnStart)
ON_BN_CLICKED(IDC_REBUILD_CLOSE, &CDialogRebuildIndex::OnCloseButton)
ON_WM_CLOSE()
END_MESSAGE_MAP()

CDialogRebuildIndex::CDialogRebuildIndex(RebuildIndexHost& host, CWnd* parent)
    : CSubDialog(IDD_REBUILD_INDEX, parent), m_host(host) {}

void CDialogRebuildIndex::SetTitleText(CString title) {
    m_strTitle = title;
}

void CDialogRebuildIndex::DoDataExchange(CDataExchange* dx) {
    CSubDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_REBUILD_START, m_btnStart);
    DDX_Control(dx, IDC_REBUILD_CLOSE, m_btnClose);
    DDX_Control(dx, IDC_REBUILD_PROGRESS, m_progress);
}

BOOL CDialogRebuildIndex::OnInitDialog() {
    CSubDialog::OnInitDialog();
    m_nLastValue = 0;
    m_progress.SetRange32(0, kProgressMax);
    SetWindowText(m_strTitle);
    m_bRunning = false;
    m_btnStart.SetWindowText(IDC_BTN_START);
    m_btnClose.SetWindowText(IDC_BTN_CLOSE);
    SetDlgItemText(IDC_REBUILD_TEXT, ID_MENU_REBUILD_INDEX_HDD);
    return TRUE;
}

// Enter would end the dialog behind the back of a running rebuild.
void CDialogRebuildIndex::OnOK() {}

void CDialogRebuildIndex::OnCancel() {
    OnCloseButton();
}

void CDialogRebuildIndex::OnClose() {
    OnCloseButton();
}

void CDialogRebuildIndex::OnStart() {
    m_btnStart.EnableWindow(FALSE);
    m_nLastValue = 0;
    m_bRunning = true;
    // The player opens no source while another is open, and takes one
    // command at a time: the host closes what is open first and calls back.
    m_host.StopThenOpen([this] { OpenRebuildSource(); });
}

void CDialogRebuildIndex::OpenRebuildSource() {
    // The user may have broken off while the host was still closing.
    if (!m_bRunning || !::IsWindow(m_hWnd))
        return;
    if (!Call_zOpen(OPENED_REBUILD, nullptr, nullptr, 0, 0)) {
        ShowEnd(IDS_STRING231);
        return;
    }
    m_host.SetRebuildSourceOpen(true);
}

// Every negative status ends the rebuild; each says in the progress line
// how it ended.
void CDialogRebuildIndex::SetProgress(int value) {
    if (!::IsWindow(m_hWnd) || value == m_nLastValue)
        return;
    if (value >= 0) {
        m_nLastValue = std::min(value, kProgressMax);
        ShowProgress();
        return;
    }
    switch (value) {
        case SOURCE_REBUILD_DONE:
            return ShowEnd(IDS_STRING612);
        case SOURCE_DISK_NOT_FOUND:
            return ShowEnd(IDS_STRING231);
        case SOURCE_REBUILD_BUSY:
            return ShowEnd(IDS_STRING_REBUILD_BUSY);
        default:
            return ShowEnd(IDS_STRING_REBUILD_FAIL);
    }
}

void CDialogRebuildIndex::ShowProgress() {
    if (!m_bRunning)
        return;
    CString text;
    text.Format(L"%5.2f %%", float(m_nLastValue) / 100.0f);
    SetDlgItemText(IDC_REBUILD_TEXT, text);
    m_progress.SetPos(m_nLastValue);
}

void CDialogRebuildIndex::ShowEnd(const wchar_t* text) {
    m_btnStart.EnableWindow(FALSE);
    SetDlgItemText(IDC_REBUILD_TEXT, text);
    m_bRunning = false;
}

void CDialogRebuildIndex::OnCloseButton() {
    if (!m_bRunning) {
        EndDialog(kRebuildFinished);
        return;
    }
    if (MessageBox(IDS_STRING613, nullptr, MB_YESNO) != IDYES)
        return;
    m_bRunning = false;
    EndDialog(kRebuildBroken);
}
