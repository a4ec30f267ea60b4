#include "app/shell/DailyLog.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>

#include "app/shell/TextHelpers.h"
#include "platform/base/Clock.h"
#include "platform/base/Module.h"

CDailyLog g_dailyLog;

namespace {

std::tm LocalNow() {
    const std::time_t now = std::time_t(CurrentUnixTime());
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

// "HH:MM:SS [Marlowin]: text" and CR LF. A text too long for the line is
// cut on a character boundary so the line keeps its end and stays UTF-8.
std::string FormatLine(const std::tm& t, const char* text) {
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "%02d:%02d:%02d [Marlowin]: ", t.tm_hour, t.tm_min,
                  t.tm_sec);
    std::string line = prefix;
    std::string body = text;
    const std::size_t room = std::size_t(kLogLineSize - 1) - line.size() - 2;
    if (body.size() > room) {
        std::size_t cut = room;
        while (cut > 0 && (static_cast<unsigned char>(body[cut]) & 0xC0) == 0x80)
            --cut;
        body.resize(cut);
    }
    return line + body + "\r\n";
}

bool AppendToFile(const char* path, const std::string& line) {
    FILE* file = std::fopen(path, "ab");
    if (file == nullptr)
        return false;
    const bool whole = std::fwrite(line.data(), 1, line.size(), file) == line.size();
    return std::fclose(file) == 0 && whole;
}

// The path of the file of `today` in `dir` (the program directory when null).
bool LogFileNameOn(const std::tm& today, const char* dir, char* out) {
    if (out == nullptr)
        return false;
    char name[32];
    std::snprintf(name, sizeof name, "%04d-%02d-%02d.log", today.tm_year + 1900, today.tm_mon + 1,
                  today.tm_mday);
    const std::string base = dir != nullptr ? std::string(dir) : ProgramDirectory();
    const std::string path = base + "/" + name;
    if (path.size() >= std::size_t(kLogPathSize))
        return false;
    std::memcpy(out, path.c_str(), path.size() + 1);
    return true;
}

}  // namespace

bool BuildLogFileName(const char* dir, char* out) {
    return LogFileNameOn(LocalNow(), dir, out);
}

void CDailyLog::SetLogDirectory(const char* utf8Dir) {
    std::lock_guard lock(m_dirLock);
    m_dir = utf8Dir != nullptr ? utf8Dir : "";
    if (m_dir.size() >= std::size_t(kLogPathSize))
        m_dir.clear();  // outside the design: fall back to the program directory
}

bool CDailyLog::WriteLog(CString text) {
    return AppendLogLine(StringToUtf8(text));
}

bool CDailyLog::AppendLogLine(char* utf8Text) {
    const std::unique_ptr<char[]> text(utf8Text);
    if (text == nullptr)
        return false;
    std::string dir;
    {
        std::lock_guard lock(m_dirLock);
        dir = m_dir;
    }
    std::lock_guard lock(m_writeLock);
    // One reading of the clock names the file and stamps the line, so a line
    // written at midnight never lands in the other day's file.
    const std::tm now = LocalNow();
    char path[kLogPathSize];
    if (!LogFileNameOn(now, dir.empty() ? nullptr : dir.c_str(), path))
        return false;
    return AppendToFile(path, FormatLine(now, text.get()));
}
