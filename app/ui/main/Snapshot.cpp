#include "app/ui/main/Snapshot.h"

#include <atomic>
#include <cstring>
#include <ctime>

#include "app/shell/AppConfig.h"
#include "app/shell/LibraryBinding.h"
#include "app/shell/TextHelpers.h"
#include "app/ui/main/PlaybackGlobals.h"
#include "app/ui/telemetry/LatestTelemetry.h"
#include "platform/base/Clock.h"

namespace {

constexpr int kCarIdSize = 16;

CString WideText(const char* utf8) {
    wchar_t* wide = Utf8ToWide(utf8);
    const CString text = wide;
    delete[] wide;
    return text;
}

// The source's own id; a source whose probe found none (a file pair) names
// the vehicle in its frames, so the latest frame's id is taken instead.
CString VehicleId() {
    char id[2 * kCarIdSize] = {};
    if (Call_zTellCarId(id) == -1)
        return L"unknow";
    id[kCarIdSize] = 0;
    if (id[0] != 0)
        return WideText(id);
    const TelemetryRecord latest = g_LatestTelemetry.Snapshot();
    return latest.vehicleId[0] != 0 ? WideText(latest.vehicleId) : CString(L"unknow");
}

// A capture request waits for its result until this deadline (0: none
// waits); one lost in the player's command slot is given up at it.
std::atomic<uint64_t> g_snapshotDeadlineMs{0};

std::unique_ptr<char[]> Utf8Copy(const CString& text) {
    char* utf8 = StringToUtf8(text);
    const size_t size = std::strlen(utf8) + 1;
    std::unique_ptr<char[]> copy(new char[size]);
    std::memcpy(copy.get(), utf8, size);
    delete[] utf8;
    return copy;
}

}  // namespace

CString SnapshotFileName(const CString& vehicle, int64_t unixTime) {
    const time_t t = time_t(unixTime);
    std::tm local{};
    localtime_r(&t, &local);
    CString name;
    name.Format(L"%s_%04d%02d%02d_%02d%02d_%02d.jpg", vehicle.GetString(), local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return name;
}

bool SnapshotPending() {
    const uint64_t deadline = g_snapshotDeadlineMs.load();
    return deadline != 0 && CurrentClock().NowMs() < deadline;
}

void EndSnapshotRequest() {
    g_snapshotDeadlineMs = 0;
}

void CaptureSnapshot(CWnd& video) {
    if (SnapshotPending())
        return;
    CRect screen;
    video.GetWindowRect(&screen);
    if (screen.IsRectEmpty())
        return;
    // The picture is stamped with the frame time of the latest telemetry.
    const unsigned stampTime = g_LatestTelemetry.Time();
    // One rectangle for the process: a request given up may still be read by
    // the library, so it is overwritten, never freed.
    if (!g_pSnapshotRect)
        g_pSnapshotRect = std::make_unique<RECT>();
    *g_pSnapshotRect = screen;
    g_strSnapshotPath.Format(L"%s/%s", g_szJpegDir,
                             SnapshotFileName(VehicleId(), CurrentUnixTime()).GetString());
    g_pSnapshotPathUtf8 = Utf8Copy(g_strSnapshotPath);
    g_snapshotDeadlineMs = DeadlineAfter(kSnapshotAnswerBoundMs);
    // The rectangle's pointer travels whole in the command's pointer-sized
    // argument.
    if (!Call_zPlayMSG(PLAY_CMD_CAPTURE, reinterpret_cast<intptr_t>(g_pSnapshotRect.get()),
                       stampTime, 0, g_pSnapshotPathUtf8.get()))
        EndSnapshotRequest();
}
