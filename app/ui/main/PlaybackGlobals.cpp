#include "app/ui/main/PlaybackGlobals.h"

std::atomic<bool> g_bUserStop{false};
std::atomic<bool> g_bAutoReplayPending{false};
std::atomic<bool> g_bReadErrorStop{false};
std::atomic<bool> g_bSliderDragging{false};
PendingSeek g_PendingSeek;
std::atomic<int> g_nFastForwardLevel{0};
std::atomic<int> g_nFastBackwardLevel{0};
std::atomic<int> g_nSplitGroup{0};

HANDLE g_hPositionThread = nullptr;
std::atomic<bool> g_bPositionThreadRun{false};

std::unique_ptr<RECT> g_pSnapshotRect;
CString g_strSnapshotPath;
std::unique_ptr<char[]> g_pSnapshotPathUtf8;
