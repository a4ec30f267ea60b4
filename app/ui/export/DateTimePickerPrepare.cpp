// Preparing the export dialog for the open source, and the choice of the
// output kind: raw copy, AVI and MOV exclude each other.
#include "app/shell/AppConfig.h"
#include "app/shell/CalendarTime.h"
#include "app/shell/LanguageTexts.h"
#include "app/shell/LibraryBinding.h"
#include "app/ui/export/DateTimePicker.h"
#include "app/ui/export/ExtractRun.h"

bool CDateTimePicker::PrepareForSource() {
    m_nChannels = Call_zTellScreenNum();
    m_nGopVersion = Call_zTellGopVersion();
    ApplyLanguageTexts();
    m_progress.SetPos(0);
    // An extraction that a closed dialog left running reports here until it
    // ends; START waits for that end.
    m_bExporting = g_extractRun.IsActive() ? 1 : 0;
    const int type = Call_zTellOpenedType();
    if (type == OPENED_NONE) {
        Message(IDS_STRING292);
        return false;
    }
    if (type != OPENED_FILE_PAIR && type != OPENED_DISK && type != OPENED_CARD) {
        Message(IDS_STRING293);
        return false;
    }
    if (!ReadTimeIndex()) {
        Message(IDS_STRING294);
        return false;
    }
    for (CButton& box : m_chkOverlay)
        box.SetCheck(BST_UNCHECKED);
    OnSelectRawCopy();
    EnableOutputKinds();
    m_editTargetDir.SetWindowText(g_szCaptureDir);
    m_btnStart.EnableWindow(m_bExporting == 0);
    if (m_bExporting != 0)
        g_extractRun.ReportTo(m_hWnd);
    return true;
}

bool CDateTimePicker::ReadTimeIndex() {
    InxHd header{};
    if (!Call_zTellTimeInxHd(&header))
        return false;
    m_span = IndexSpan{header.first, header.last};
    const int first = int(m_span.FirstPosition());
    const int last = int(m_span.LastPosition());
    int64_t firstTime = 0, lastTime = 0;
    if (!EntryTime(first, &firstTime) || !EntryTime(last, &lastTime))
        return false;
    for (CSliderCtrl* track : {&m_startTrack, &m_endTrack}) {
        track->SetRange(first, last, TRUE);
        track->SetPageSize(1);
    }
    m_startTrack.SetPos(first);
    m_endTrack.SetPos(last);
    m_StartUnit = first;
    m_EndUnit = last;
    // The pickers show whole minutes: the range starts at the first entry's
    // minute, so that the first entry's own time, shown without its
    // seconds, lies inside it.
    const SYSTEMTIME low = CalendarTimeOf(WholeMinuteOf(firstTime));
    const SYSTEMTIME high = CalendarTimeOf(lastTime);
    for (CDateTimeCtrl* picker : {&m_startPicker, &m_endPicker})
        picker->SetRange(&low, &high);
    ShowEntryTime(m_startPicker, first, &m_StartTime);
    ShowEntryTime(m_endPicker, last, &m_EndTime);
    return true;
}

void CDateTimePicker::EnableOutputKinds() {
    // Version 3 offers AVI only where the configuration says so; without it
    // the boxes keep the state they had.
    if (m_nGopVersion == 3 && g_nGopV3Out == 0)
        return;
    const BOOL avi = m_nGopVersion == 4 || m_nGopVersion == 3;
    const BOOL mov = m_nGopVersion == 4;
    m_chkAvi.EnableWindow(avi);
    m_lblAvi.EnableWindow(avi);
    m_chkMov.EnableWindow(mov);
    m_lblMov.EnableWindow(mov);
}

void CDateTimePicker::OnSelectRawCopy() {
    m_chkRaw.SetCheck(BST_CHECKED);
    m_chkAvi.SetCheck(BST_UNCHECKED);
    m_chkMov.SetCheck(BST_UNCHECKED);
    for (int box = 0; box < kOutputBoxes; ++box) {
        m_chkOutput[box].SetCheck(BST_UNCHECKED);
        m_chkOutput[box].EnableWindow(FALSE);
        m_lblOutput[box].EnableWindow(FALSE);
    }
    EnableOverlays(false);
}

void CDateTimePicker::OnSelectAvi() {
    m_chkAvi.SetCheck(BST_CHECKED);
    m_chkRaw.SetCheck(BST_UNCHECKED);
    m_chkMov.SetCheck(BST_UNCHECKED);
    EnableChannelBoxes(true);
    EnableOverlays(true);
}

void CDateTimePicker::OnSelectMov() {
    m_chkMov.SetCheck(BST_CHECKED);
    m_chkRaw.SetCheck(BST_UNCHECKED);
    m_chkAvi.SetCheck(BST_UNCHECKED);
    EnableChannelBoxes(false);
    EnableOverlays(true);
}

void CDateTimePicker::EnableChannelBoxes(bool mosaic) {
    const int channels = std::clamp(m_nChannels, 0, kChannelBoxes);
    for (int box = 0; box < channels; ++box) {
        m_chkOutput[box].EnableWindow(TRUE);
        m_lblOutput[box].EnableWindow(TRUE);
    }
    if (!mosaic)
        m_chkOutput[kMosaicBox].SetCheck(BST_UNCHECKED);
    m_chkOutput[kMosaicBox].EnableWindow(mosaic);
    m_lblOutput[kMosaicBox].EnableWindow(mosaic);
}

void CDateTimePicker::EnableOverlays(bool enable) {
    for (CButton& box : m_chkOverlay) {
        if (!enable)
            box.SetCheck(BST_UNCHECKED);
        box.EnableWindow(enable);
    }
}
