// One extraction of the open recording, from START to its end code, seen
// from both sides: the export dialog begins it and shows its reports; the
// player library's extraction thread brings every GOP and the end through
// OnExtractData, which opens the export library's outputs at the first GOP
// (zExtractPre with g_ExtractParams), feeds it each GOP and finishes it at
// the end.
//
// Threads: Begin, Abandon, ReportTo, StopReporting and WaitForEnd run on the
// dialog's (user-interface) thread; OnExtractData on the extraction thread.
// Reports reach the dialog by SendMessage, only while a window is named to
// receive them and exists; the dialog's handlers therefore run on its own
// thread while the extraction thread waits. The window to report to and the
// active flag are atomics; everything else of a run belongs to the
// extraction thread from zStartExtract on.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "platform/user/User.h"
#include "shared/ExtractParams.h"
#include "shared/GopRecords.h"

// wParam of UM_EXPORT_RESULT.
enum ExportResult : WPARAM {
    EXPORT_OPEN_FAILED = 1,  // the outputs could not be opened; the extraction is being stopped
    EXPORT_COMPLETED = 2,
    EXPORT_ERROR = 3,
    EXPORT_STOPPED = 4,  // stopped, or ended after an open failure already reported
};

// The files of a finished export under the names the export library gave
// them. UM_EXPORT_RESULT's lParam points at them (or is 0 when there are
// none) while the message is sent.
struct ExportFile {
    std::string path;  // UTF-8
    bool written = false;
    int error = 0;  // why one that failed did: the system's error number (0 unknown)
};
using ExportFiles = std::vector<ExportFile>;

// The application's one export record: START fills the user's choices, the
// first GOP the picture sizes and file names.
extern ExtractParams g_ExtractParams;

class CExtractRun {
public:
    CExtractRun();
    ~CExtractRun();
    CExtractRun(const CExtractRun&) = delete;
    CExtractRun& operator=(const CExtractRun&) = delete;

    // Before zStartExtract: a new run whose reports go to `dialog`.
    void Begin(HWND dialog);
    // zStartExtract refused: no code will come for this run.
    void Abandon();
    // A run is between Begin and its end code.
    bool IsActive() const { return m_active.load(); }

    // The window that receives the reports from now on (null: none).
    void ReportTo(HWND dialog) { m_target.store(dialog); }
    // No more reports to `dialog` (it is being destroyed).
    void StopReporting(HWND dialog);

    // Waits up to `ms` (on the injectable clock) until the run has ended,
    // serving the messages other threads send to the calling thread
    // meanwhile. True when no run is active any more.
    bool WaitForEnd(DWORD ms);

    // The extraction callback's work (extraction thread).
    void OnCode(int code, int percent, const void* data, int length, const GopInfo* info);

private:
    void OnGop(int percent, const void* data, int length, const GopInfo& info);
    void OnEnd(int code);
    // The first GOP: sizes, names and units into g_ExtractParams, then
    // zExtractPre; when that fails, `refused` gets the output it could not open.
    static bool OpenOutputs(const GopInfo& gop, ExportFiles* refused);
    void Report(UINT message, WPARAM wParam, LPARAM lParam = 0) const;

    std::atomic<HWND> m_target{nullptr};
    std::atomic<bool> m_active{false};
    HANDLE m_ended;             // manual reset; set at the end of every run
    bool m_openFailed = false;  // zExtractPre failed in this run (extraction thread)
};

extern CExtractRun g_extractRun;

// The zExtractCallback the program registers with zInit.
void OnExtractData(int code, int percent, const void* data, int length, const GopInfo* info);
