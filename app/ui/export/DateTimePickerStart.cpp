// START: the range, the choices and the target folder checked and put into
// g_ExtractParams, then the extraction started in the player library.
#include <algorithm>
#include <cstring>
#include <memory>

#include "app/shell/DailyLog.h"
#include "app/shell/LanguageTexts.h"
#include "app/shell/LibraryBinding.h"
#include "app/shell/TextHelpers.h"
#include "app/ui/export/DateTimePicker.h"
#include "app/ui/export/ExtractRun.h"

namespace {

bool Checked(const CButton& box) {
    return box.GetCheck() == int(BST_CHECKED);
}

// The folder without trailing '/' (the root stays "/").
CString TrimmedFolder(CString folder) {
    while (folder.GetLength() > 1 && folder[folder.GetLength() - 1] == L'/')
        folder = folder.Left(folder.GetLength() - 1);
    return folder;
}

}  // namespace

void CDateTimePicker::OnStartExport() {
    if (m_bExporting != 0)
        return;
    const int start = m_startTrack.GetPos();
    const int end = m_endTrack.GetPos();
    if (end <= start) {
        Message(IDS_STRING284);
        return;
    }
    if (!CheckSelection()) {
        Message(IDS_STRING285);
        return;
    }
    CString folder;
    if (!PrepareTargetDir(&folder)) {
        Message(IDS_STRING287);
        return;
    }
    if (!FillChoices(folder)) {
        Message(IDS_STRING288);
        return;
    }
    InxUnit from{}, to{};
    if (!Call_zTellTimeInxUnit(int(m_span.EntryAt(start)), &from) ||
        !Call_zTellTimeInxUnit(int(m_span.EntryAt(end)), &to)) {
        Message(IDS_STRING289);
        return;
    }
    StartExtraction(int64_t(from.offset), int64_t(to.offset));
}

bool CDateTimePicker::CheckSelection() {
    return Checked(m_chkRaw) ||
           std::any_of(std::begin(m_chkOutput), std::end(m_chkOutput), Checked);
}

bool CDateTimePicker::PrepareTargetDir(CString* folder) {
    m_editTargetDir.GetWindowText(*folder);
    *folder = TrimmedFolder(*folder);
    // A folder whose name does not fit the record would be cut to another one.
    const std::unique_ptr<char[]> utf8(StringToUtf8(*folder));
    if (folder->IsEmpty() || utf8 == nullptr || std::strlen(utf8.get()) >= size_t(kExtractPathSize))
        return false;
    return DirectoryExists(*folder) || CreateDirectoryPath(*folder);
}

bool CDateTimePicker::FillChoices(const CString& folder) {
    ExtractParams& p = g_ExtractParams;
    p = ExtractParams{};
    const int channels = Call_zTellScreenNum();
    const int rate = Call_zTellSampleRate();
    const int bits = Call_zTellSampleBits();
    if (channels == -1 || rate == -1 || bits == -1)
        return false;
    p.numChannels = channels;
    p.audioRate = rate;
    p.audioBits = bits;
    const std::unique_ptr<char[]> utf8(StringToUtf8(folder));
    std::strncpy(p.outputDir, utf8.get(), sizeof p.outputDir - 1);
    p.rawOn = Checked(m_chkRaw);
    if (Checked(m_chkAvi)) {
        for (int k = 0; k < kChannelBoxes; ++k)
            p.aviOn[k] = Checked(m_chkOutput[k]);
        p.mosaicOn = Checked(m_chkOutput[kMosaicBox]);
    }
    if (Checked(m_chkMov)) {
        for (int k = 0; k < kChannelBoxes; ++k)
            p.movOn[k] = Checked(m_chkOutput[k]);
    }
    uint8_t* const overlays[kOverlays] = {&p.osdDateTime, &p.osdVehicleId, &p.osdSpeed,
                                          &p.osdTemperature, &p.osdGps};
    for (int i = 0; i < kOverlays; ++i)
        *overlays[i] = Checked(m_chkOverlay[i]);
    return true;
}

void CDateTimePicker::StartExtraction(int64_t from, int64_t to) {
    // The run begins before the thread can call back.
    g_extractRun.Begin(m_hWnd);
    if (Call_zStartExtract(unsigned(from), int(from >> 32), unsigned(to), int(to >> 32)) != 0) {
        g_extractRun.Abandon();
        g_dailyLog.WriteLog(IDS_STRING399.Get());
        Message(IDS_STRING290);
        return;
    }
    g_dailyLog.WriteLog(IDS_STRING398.Get());
    m_bExporting = 1;
    m_btnStart.EnableWindow(FALSE);
}
