#include "app/ui/export/ExtractRun.h"

#include <algorithm>

#include "app/controls/PrivateMessage.h"
#include "app/shell/AppConfig.h"
#include "app/shell/DailyLog.h"
#include "app/shell/LanguageTexts.h"
#include "app/shell/LibraryBinding.h"
#include "app/ui/export/ExportFileNames.h"
#include "platform/base/Clock.h"
#include "platform/base/Event.h"

ExtractParams g_ExtractParams;
CExtractRun g_extractRun;

namespace {

// How long one wait lasts before the sent messages are served again.
constexpr DWORD kServeSliceMs = 10;
// More than any export makes: 16 channels' movies restarted many times over.
constexpr int kMaxExportFiles = 1024;

// The files the export library says its last export left.
ExportFiles FinishedFiles() {
    ExportFiles files;
    char path[2 * kExtractPathSize];
    for (int i = 0; i < kMaxExportFiles; ++i) {
        const int result = Call_zExtractOutput(i, path, int(sizeof path));
        if (result < 0)
            break;
        files.push_back({path, result == 0, result});
    }
    return files;
}

int ChannelsOf(const GopInfo& gop) {
    return std::clamp(int(gop.channelCount), 0, kMaxChannels);
}

// Recordings before version 4 count frames per GOP twice over.
void HalveOldFrameRates(GopInfo& gop) {
    if (gop.version >= 4)
        return;
    for (int k = 0; k < ChannelsOf(gop); ++k)
        gop.fps[k] /= 2;
}

struct EndReport {
    ExportResult result;
    const LanguageText* log;
};

bool AllWritten(const ExportFiles& files) {
    return std::all_of(files.begin(), files.end(), [](const ExportFile& f) { return f.written; });
}

EndReport EndReportOf(int code, bool wasOpen, bool openFailed, const ExportFiles& files) {
    if (openFailed)
        return {EXPORT_STOPPED, &IDS_STRING401};
    if (code == EXTRACT_STOPPED)
        return {EXPORT_STOPPED, &IDS_STRING291};
    if (code == EXTRACT_FINISHED && wasOpen && AllWritten(files))
        return {EXPORT_COMPLETED, &IDS_STRING400};
    // An error, an output not written whole, or a range that ended without
    // a single GOP reaching the export.
    return {EXPORT_ERROR, &IDS_STRING401};
}

}  // namespace

CExtractRun::CExtractRun() : m_ended(CreateEvent(true, true)) {}

CExtractRun::~CExtractRun() {
    CloseHandle(m_ended);
}

void CExtractRun::Begin(HWND dialog) {
    m_openFailed = false;
    m_target.store(dialog);
    ResetEvent(m_ended);
    m_active.store(true);
}

void CExtractRun::Abandon() {
    m_active.store(false);
    SetEvent(m_ended);
}

void CExtractRun::StopReporting(HWND dialog) {
    m_target.compare_exchange_strong(dialog, nullptr);
}

bool CExtractRun::WaitForEnd(DWORD ms) {
    const uint64_t deadline = DeadlineAfter(ms);
    for (;;) {
        MSG msg{};
        PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE);  // serves the sent messages
        if (!IsActive())
            return true;
        const uint64_t now = CurrentClock().NowMs();
        if (now >= deadline)
            return false;
        WaitForSingleObject(m_ended, DWORD(std::min<uint64_t>(deadline - now, kServeSliceMs)));
    }
}

void CExtractRun::OnCode(int code, int percent, const void* data, int length, const GopInfo* info) {
    switch (code) {
        case EXTRACT_GOP:
            if (info != nullptr)
                OnGop(percent, data, length, *info);
            return;
        case EXTRACT_INDEX_RECORD:
            // The export library refuses index records; the raw copy builds its own index.
            if (Call_zIsExtractOpened())
                Call_zExtractWrite(EXTRACT_INDEX_RECORD, data, length, nullptr);
            return;
        case EXTRACT_FINISHED:
        case EXTRACT_STOPPED:
        case EXTRACT_OPEN_FAILED:
        case EXTRACT_READ_FAILED:
            OnEnd(code);
            return;
        default:  // EXTRACT_GOP_UNREADABLE: that GOP is skipped
            return;
    }
}

void CExtractRun::OnGop(int percent, const void* data, int length, const GopInfo& info) {
    if (m_openFailed)
        return;
    // The player's record is read-only to us; the corrected frame rates go
    // into a copy that the export library then reads (and writes scratch into).
    GopInfo gop = info;
    HalveOldFrameRates(gop);
    ExportFiles refused;
    if (!Call_zIsExtractOpened() && !OpenOutputs(gop, &refused)) {
        // Reported once; the next GOPs would fail the same way. The stop is
        // asked first, so the reading ends while the user reads the box.
        m_openFailed = true;
        Call_zStopExtract();
        Report(UM_EXPORT_RESULT, EXPORT_OPEN_FAILED,
               refused.empty() ? 0 : reinterpret_cast<LPARAM>(&refused));
        return;
    }
    Call_zExtractWrite(EXTRACT_GOP, data, length, &gop);
    Report(UM_EXPORT_PROGRESS, WPARAM(std::clamp(percent, 0, 100)));
}

bool CExtractRun::OpenOutputs(const GopInfo& gop, ExportFiles* refused) {
    ExtractParams& p = g_ExtractParams;
    for (int k = 0; k < ChannelsOf(gop); ++k) {
        p.outWidth[k] = gop.width[k];
        p.outHeight[k] = gop.height[k];
        p.outFps[k] = gop.fps[k];
    }
    p.refWidth = gop.lastWidth;
    p.refHeight = gop.lastHeight;
    if (!FillExportNames(p, gop))
        return false;
    p.speedUnit = g_nSpeedUnit;
    p.temperatureUnit = g_nTemperatureUnit;
    if (Call_zExtractPre(p))
        return true;
    *refused = FinishedFiles();
    return false;
}

void CExtractRun::OnEnd(int code) {
    const bool wasOpen = Call_zIsExtractOpened();
    ExportFiles files;
    if (wasOpen) {
        Call_zExtractFin();
        files = FinishedFiles();
    }
    const EndReport end = EndReportOf(code, wasOpen, m_openFailed, files);
    g_dailyLog.WriteLog(end.log->Get());
    // Ended before the dialog hears of it, so that its START finds no run.
    m_active.store(false);
    SetEvent(m_ended);
    // Sent, so the files outlive the dialog's look at them.
    Report(UM_EXPORT_RESULT, end.result, files.empty() ? 0 : reinterpret_cast<LPARAM>(&files));
}

void CExtractRun::Report(UINT message, WPARAM wParam, LPARAM lParam) const {
    const HWND target = m_target.load();
    // A window destroyed after this test makes the send a harmless no-op.
    if (target != nullptr && ::IsWindow(target))
        ::SendMessage(target, message, wParam, lParam);
}

void OnExtractData(int code, int percent, const void* data, int length, const GopInfo* info) {
    g_extractRun.OnCode(code, percent, data, length, info);
}
