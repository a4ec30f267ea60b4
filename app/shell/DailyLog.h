// The daily log: one UTF-8 text file a day in the log directory, named by the
// local date ("2026-12-10.log"), one line per event: "HH:MM:SS [Marlowin]: text"
// and CR LF. Write-only; every line opens, appends and closes the file.
//
// Threads: WriteLog and AppendLogLine are called from the UI thread, the
// program's workers and the library callbacks at once; a lock keeps each line
// whole and the lines in the order their writes took it. Dates and times come
// from the injectable clock.
#pragma once

#include <mutex>
#include <string>

#include "platform/afx/String.h"

inline constexpr int kLogPathSize = 260;
inline constexpr int kLogLineSize = 320;

class CDailyLog {
public:
    CDailyLog() = default;

    // The directory the files go to (UTF-8); empty: the program directory.
    void SetLogDirectory(const char* utf8Dir);

    // Appends the text as one line; false when the line did not reach the file.
    bool WriteLog(CString text);
    // The same for UTF-8 text from StringToUtf8; takes ownership of it.
    bool AppendLogLine(char* utf8Text);

private:
    std::mutex m_writeLock;  // one line at a time reaches the file
    std::mutex m_dirLock;    // guards m_dir
    std::string m_dir;
};

extern CDailyLog g_dailyLog;

// Today's file in `dir` (the program directory when dir is null) into `out`
// of kLogPathSize bytes; false when out is null or the path does not fit.
bool BuildLogFileName(const char* dir, char* out);
