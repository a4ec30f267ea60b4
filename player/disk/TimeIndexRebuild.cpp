#include "player/disk/TimeIndexRebuild.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "player/errors/ErrorSink.h"

namespace {

// A folder only this process can enter (mkdtemp makes it 0700), below the
// system's temporary folder rather than wherever the program's current
// folder happens to be; removed with everything in it.
class PrivateTempDir {
public:
    PrivateTempDir() {
        std::error_code error;
        std::string pattern =
            (std::filesystem::temp_directory_path(error) / "trevane-rebuild-XXXXXX").string();
        if (!error && mkdtemp(pattern.data()) != nullptr)
            path_ = pattern;
    }
    ~PrivateTempDir() {
        std::error_code ignored;
        if (!path_.empty())
            std::filesystem::remove_all(path_, ignored);
    }
    PrivateTempDir(const PrivateTempDir&) = delete;
    PrivateTempDir& operator=(const PrivateTempDir&) = delete;

    bool Made() const { return !path_.empty(); }
    std::string File(const char* name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Sectors the scan passed unreadable go to the error callback before the
// rebuild's end report, so that the host can log them.
void ReportUnreadable(uint64_t count) {
    if (count > 0)
        ReportError(ERR_REBUILD_UNREADABLE_SECTORS, 0, int(std::min<uint64_t>(count, INT_MAX)));
}

}  // namespace

zSourceStatus RunTimeIndexRebuild(RebuildCallback progress, const std::atomic<bool>& stop) {
    CHddSource finder;
    CDataSource paths;
    if (!finder.DetectForRebuild(&paths))
        return SOURCE_DISK_NOT_FOUND;
    const PrivateTempDir temp;
    if (!temp.Made())
        return SOURCE_REBUILD_FAILED;
    const std::string rebuilt = temp.File("timeindex");
    uint64_t unreadable = 0;
    const RebuildScan scan =
        CHddSource::RebuildTimeIndex(paths.DataFile, rebuilt.c_str(), progress, &stop, &unreadable);
    ReportUnreadable(unreadable);
    switch (scan) {
        case RebuildScan::Stopped:
            return SOURCE_REBUILD_STOPPED;
        case RebuildScan::Failed:
            return SOURCE_REBUILD_FAILED;
        case RebuildScan::Written:
            break;
    }
    if (stop.load())
        return SOURCE_REBUILD_STOPPED;
    return CHddSource::ReplaceTimeIndex(rebuilt.c_str(), paths.TimeIndexFile)
               ? SOURCE_REBUILD_DONE
               : SOURCE_REBUILD_FAILED;
}
