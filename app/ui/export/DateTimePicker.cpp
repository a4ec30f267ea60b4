#include "app/ui/export/DateTimePicker.h"

#include <cstring>

#include "app/controls/PrivateMessage.h"
#include "app/res/ResourceIds.h"
#include "app/shell/FolderChooser.h"
#include "app/shell/LanguageTexts.h"
#include "app/shell/LibraryBinding.h"
#include "app/ui/export/ExtractRun.h"

namespace {

constexpr int kOverlayBoxes[CDateTimePicker::kOverlays] = {
    IDC_EXPORT_OVERLAY_TIME, IDC_EXPORT_OVERLAY_PLATE, IDC_EXPORT_OVERLAY_SPEED,
    IDC_EXPORT_OVERLAY_TEMPERATURE, IDC_EXPORT_OVERLAY_GPS};

const LanguageText* const kOverlayTexts[CDateTimePicker::kOverlays] = {
    &IDC_TEXT_DATE_TIME, &IDC_TEXT_PLATE_NUMBER, &IDC_TEXT_SPEED, &IDC_TEXT_TEMPERATURE,
    &IDC_TEXT_LONGITUDE_LATITUDE};

int OutputBoxId(int box) {
    return box == CDateTimePicker::kMosaicBox ? IDC_EXPORT_MOSAIC : IDC_EXPORT_CHANNEL_FIRST + box;
}

int OutputLabelId(int box) {
    return box == CDateTimePicker::kMosaicBox ? IDC_EXPORT_MOSAIC_LABEL
                                              : IDC_EXPORT_CHANNEL_LABEL_FIRST + box;
}

// The result's text, then each file of the export on a line of its own
// under the name it finally has; one that failed is marked with the
// system's reason (the error text when there is none).
CString WithFiles(const LanguageText& text, LPARAM files) {
    CString message = text.Get();
    if (files == 0)
        return message;
    for (const ExportFile& file : *reinterpret_cast<const ExportFiles*>(files)) {
        message += L"\n";
        message += CString(file.path.c_str());
        if (!file.written)
            message +=
                L"  " + (file.error > 0 ? CString(std::strerror(file.error)) : IDS_STRING283.Get());
    }
    return message;
}

}  // namespace

IMPLEMENT_DYNAMIC(CDateTimePicker, CSubDialog)

BEGIN_MESSAGE_MAP(CDateTimePicker, CSubDialog)
ON_BN_CLICKED(IDC_EXPORT_BROWSE, &CDateTimePicker::OnBrowseTargetDir)
ON_BN_CLICKED(IDC_EXPORT_RAW, &CDateTimePicker::OnSelectRawCopy)
ON_BN_CLICKED(IDC_EXPORT_AVI, &CDateTimePicker::OnSelectAvi)
ON_BN_CLICKED(IDC_EXPORT_MOV, &CDateTimePicker::OnSelectMov)
ON_BN_CLICKED(IDC_EXPORT_START, &CDateTimePicker::OnStartExport)
ON_BN_CLICKED(IDC_EXPORT_CLOSE, &CDateTimePicker::OnCloseButton)
ON_NOTIFY(NM_RELEASEDCAPTURE, IDC_EXPORT_START_TRACK, &CDateTimePicker::OnReleasedCapture)
ON_NOTIFY(NM_RELEASEDCAPTURE, IDC_EXPORT_END_TRACK, &CDateTimePicker::OnReleasedCapture)
ON_NOTIFY(DTN_DATETIMECHANGE, IDC_EXPORT_START_PICKER, &CDateTimePicker::OnStartTimeChanged)
ON_NOTIFY(DTN_DATETIMECHANGE, IDC_EXPORT_END_PICKER, &CDateTimePicker::OnEndTimeChanged)
ON_WM_HSCROLL()
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_WM_NCLBUTTONDOWN()
ON_MESSAGE(UM_EXPORT_RESULT, &CDateTimePicker::OnExportResult)
ON_MESSAGE(UM_EXPORT_PROGRESS, &CDateTimePicker::OnExportProgress)
END_MESSAGE_MAP()

CDateTimePicker::CDateTimePicker(CWnd* parent) : CSubDialog(IDD_EXPORT, parent) {}

void CDateTimePicker::DoDataExchange(CDataExchange* dx) {
    CSubDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_EXPORT_START_PICKER, m_startPicker);
    DDX_Control(dx, IDC_EXPORT_START_TRACK, m_startTrack);
    DDX_Control(dx, IDC_EXPORT_END_PICKER, m_endPicker);
    DDX_Control(dx, IDC_EXPORT_END_TRACK, m_endTrack);
    DDX_Control(dx, IDC_EXPORT_DIR, m_editTargetDir);
    DDX_Control(dx, IDC_EXPORT_RAW, m_chkRaw);
    DDX_Control(dx, IDC_EXPORT_AVI, m_chkAvi);
    DDX_Control(dx, IDC_EXPORT_MOV, m_chkMov);
    DDX_Control(dx, IDC_EXPORT_RAW_LABEL, m_lblRaw);
    DDX_Control(dx, IDC_EXPORT_AVI_LABEL, m_lblAvi);
    DDX_Control(dx, IDC_EXPORT_MOV_LABEL, m_lblMov);
    for (int box = 0; box < kOutputBoxes; ++box) {
        DDX_Control(dx, OutputBoxId(box), m_chkOutput[box]);
        DDX_Control(dx, OutputLabelId(box), m_lblOutput[box]);
    }
    for (int i = 0; i < kOverlays; ++i) {
        DDX_Control(dx, kOverlayBoxes[i], m_chkOverlay[i]);
        DDX_Control(dx, kOverlayBoxes[i] + 1, m_lblOverlay[i]);
    }
    DDX_Control(dx, IDC_EXPORT_PROGRESS, m_progress);
    DDX_Control(dx, IDC_EXPORT_START, m_btnStart);
}

BOOL CDateTimePicker::OnInitDialog() {
    CSubDialog::OnInitDialog();
    m_progress.SetRange(0, 100);
    ApplyLanguageTexts();
    m_startPicker.SetFormat(L"yyyy-MM-dd HH:mm");
    m_endPicker.SetFormat(L"yyyy-MM-dd HH:mm");
    return TRUE;
}

void CDateTimePicker::ApplyLanguageTexts() {
    SetDlgItemText(IDC_EXPORT_START_LABEL, IDC_TEXT_STIME);
    SetDlgItemText(IDC_EXPORT_END_LABEL, IDC_TEXT_ETIME);
    SetDlgItemText(IDC_EXPORT_DIR_LABEL, IDC_TARGET_DIR);
    m_lblAvi.SetWindowText(L"AVI");
    m_lblMov.SetWindowText(L"MOV");
    m_lblRaw.SetWindowText(IDC_TEXT_GOP);
    m_lblOutput[kMosaicBox].SetWindowText(IDC_TEXT_ALL_AVI);
    for (int channel = 0; channel < kChannelBoxes; ++channel)
        m_lblOutput[channel].SetWindowText(g_strChannelNames[channel]);
    for (int i = 0; i < kOverlays; ++i)
        m_lblOverlay[i].SetWindowText(*kOverlayTexts[i]);
    m_btnStart.SetWindowText(IDC_BTN_START);
    SetDlgItemText(IDC_EXPORT_CLOSE, IDC_BTN_CLOSE);
}

void CDateTimePicker::OnBrowseTargetDir() {
    CString path;
    if (ChooseFolder(nullptr, L" ", &path))
        m_editTargetDir.SetWindowText(path);
}

void CDateTimePicker::OnReleasedCapture(NMHDR*, LRESULT* result) {
    *result = 0;
}

void CDateTimePicker::OnCloseButton() {
    PostMessage(WM_CLOSE);
}

void CDateTimePicker::OnCancel() {
    // Escape closes the dialog the way CLOSE does.
    PostMessage(WM_CLOSE);
}

void CDateTimePicker::OnClose() {
    if (m_bExporting != 0) {
        Call_zStopExtract();
        Message(IDS_STRING291);
    }
    DestroyWindow();
}

void CDateTimePicker::OnDestroy() {
    // The extraction may go on after the window has gone; its reports then
    // reach no one (the next PrepareForSource takes them over).
    g_extractRun.StopReporting(m_hWnd);
    CSubDialog::OnDestroy();
}

void CDateTimePicker::OnNcLButtonDown(UINT hitTest, CPoint point) {
    // While exporting the frame neither moves nor closes: CLOSE stops first.
    if (m_bExporting == 0)
        CSubDialog::OnNcLButtonDown(hitTest, point);
}

LRESULT CDateTimePicker::OnExportResult(WPARAM result, LPARAM files) {
    // The box's text is made while the sender still holds the files; the
    // extraction thread is then let go, so that it is not held for as long
    // as the user reads the box.
    CString box;
    switch (result) {
        case EXPORT_OPEN_FAILED:
            // The extraction is still stopping: START waits for its end,
            // which follows as EXPORT_STOPPED.
            box = WithFiles(IDS_STRING281, files);
            m_progress.SetPos(0);
            break;
        case EXPORT_COMPLETED:
            EndExporting();
            box = WithFiles(IDS_STRING282, files);
            break;
        case EXPORT_ERROR:
            EndExporting();
            box = WithFiles(IDS_STRING283, files);
            m_progress.SetPos(0);
            break;
        case EXPORT_STOPPED:
            EndExporting();
            break;
        default:
            break;
    }
    ::ReplyMessage(0);
    if (!box.IsEmpty())
        Message(box);
    return 0;
}

void CDateTimePicker::EndExporting() {
    m_bExporting = 0;
    m_btnStart.EnableWindow(TRUE);
}

LRESULT CDateTimePicker::OnExportProgress(WPARAM percent, LPARAM) {
    m_progress.SetPos(int(percent));
    return 0;
}

bool CDateTimePicker::StopAndWait(DWORD ms) {
    if (!g_extractRun.IsActive())
        return true;
    g_extractRun.ReportTo(nullptr);
    Call_zStopExtract();
    const bool ended = g_extractRun.WaitForEnd(ms);
    if (ended && ::IsWindow(m_hWnd))
        EndExporting();
    return ended;
}
