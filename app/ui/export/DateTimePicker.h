// The export dialog (template IDD_EXPORT): a time range of the open
// recording picked on its time index (two trackbars over the index entries,
// two date-time pickers over their times), a target folder, one kind of
// output (raw .dvr/.inx copy, AVI files per channel and/or one mosaic, or
// MOV files per channel) and the text overlays. START hands the range to the
// player library; the extraction's reports come back as UM_EXPORT_PROGRESS
// and UM_EXPORT_RESULT (ExtractRun.h).
//
// Modeless, owned by the main window, which creates it on first use, calls
// PrepareForSource before it shows it, and on its own close calls
// StopAndWait. Closing destroys the window. User-interface thread only.
#pragma once

#include <cstdint>

#include "app/controls/skin/SubDialog.h"
#include "shared/IndexRing.h"

class CDateTimePicker : public CSubDialog {
public:
    explicit CDateTimePicker(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;

    // Reads the open source (channels, GOP version, time index) into the
    // controls; false, after telling the user why, when nothing can be
    // exported from it.
    bool PrepareForSource();

    // For the main window's close: asks a running extraction to stop and
    // waits up to `ms` for its end, with no more reports or boxes from it.
    // True when no extraction runs any more.
    bool StopAndWait(DWORD ms);

    bool IsExporting() const { return m_bExporting != 0; }

    static constexpr int kChannelBoxes = 16;
    static constexpr int kMosaicBox = 16;  // after the channel boxes
    static constexpr int kOutputBoxes = 17;
    static constexpr int kOverlays = 5;

    DECLARE_DYNAMIC(CDateTimePicker)

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override {}
    void OnCancel() override;

    void OnBrowseTargetDir();
    void OnSelectRawCopy();
    void OnSelectAvi();
    void OnSelectMov();
    void OnStartExport();
    void OnCloseButton();
    void OnReleasedCapture(NMHDR*, LRESULT* result);
    void OnStartTimeChanged(NMHDR*, LRESULT* result);
    void OnEndTimeChanged(NMHDR*, LRESULT* result);
    void OnHScroll(UINT code, UINT pos, CWnd* control);
    void OnClose();
    void OnDestroy();
    void OnNcLButtonDown(UINT hitTest, CPoint point);
    // lParam: the finished export's files (ExportFiles), or 0.
    LRESULT OnExportResult(WPARAM result, LPARAM files);
    LRESULT OnExportProgress(WPARAM percent, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    void ApplyLanguageTexts();
    void EndExporting();
    bool ReadTimeIndex();
    void EnableOutputKinds();
    void EnableChannelBoxes(bool mosaic);
    void EnableOverlays(bool enable);
    // Trackbars and pickers (DateTimePickerRange.cpp).
    bool EntryTime(int64_t position, int64_t* time) const;
    void ShowEntryTime(CDateTimeCtrl& picker, int64_t position, int64_t* stored);
    void OnTimeChanged(bool start);
    // START's steps (DateTimePickerStart.cpp).
    bool CheckSelection();
    bool PrepareTargetDir(CString* folder);
    bool FillChoices(const CString& folder);
    void StartExtraction(int64_t from, int64_t to);
    void Message(const wchar_t* text) { MessageBox(text); }

    uint8_t m_bExporting = 0;
    int m_nGopVersion = -1;
    int m_nChannels = 0;
    CDateTimeCtrl m_startPicker;
    CSliderCtrl m_startTrack;
    CDateTimeCtrl m_endPicker;
    CSliderCtrl m_endTrack;
    CEdit m_editTargetDir;
    CButton m_chkRaw, m_chkAvi, m_chkMov;
    CStatic m_lblRaw, m_lblAvi, m_lblMov;
    CButton m_chkOutput[kOutputBoxes];  // channels 1-16, then the mosaic
    CStatic m_lblOutput[kOutputBoxes];
    CButton m_chkOverlay[kOverlays];  // date and time, vehicle id, speed, temperature, GPS
    CStatic m_lblOverlay[kOverlays];
    CProgressCtrl m_progress;
    CButton m_btnStart;
    int64_t m_StartTime = 0;
    int64_t m_EndTime = 0;
    // Trackbar positions (IndexSpan): the entry numbers, counted on past the
    // ring's end when the time index has wrapped.
    int m_StartUnit = 0;
    int m_EndUnit = 0;
    IndexSpan m_span{0, 0};  // the time index header's range at preparation
};
