// Opening and closing sources: a recording file pair chosen in the file
// dialog, the recorder's disk or card, and the close command. An open asked
// for while a source is open waits for the stop and close results.
#include <filesystem>
#include <utility>

#include "app/shell/DailyLog.h"
#include "app/shell/LanguageTexts.h"
#include "app/shell/LibraryBinding.h"
#include "app/shell/TextHelpers.h"
#include "app/ui/main/HalbrookDlg.h"
#include "app/ui/main/PlaybackGlobals.h"
#include "app/ui/main/SourceOpening.h"
#include "platform/afx/FileDialog.h"
#include "platform/base/Clock.h"
#include "platform/base/Process.h"

namespace {

constexpr wchar_t kDvrFilter[] = L"Dvr Files (*.dvr)|*.dvr;*.DVR|All Files (*.*)|*.*||";
constexpr int kMaxExtension = 31;
constexpr std::size_t kPlayerPathSize = 260;

bool IsFile(const CString& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(WideToUtf8String(path.GetString()), error);
}

// The index of the same base name, lower case first; empty when neither exists.
CString FindIndexFile(const CString& base) {
    for (const wchar_t* extension : {L".inx", L".INX"}) {
        const CString candidate = base + extension;
        if (IsFile(candidate))
            return candidate;
    }
    return CString();
}

// The library keeps each path in 260 bytes of UTF-8, its terminator included.
bool FitsThePlayer(const CString& path) {
    return WideToUtf8String(path.GetString()).size() < kPlayerPathSize;
}

bool OpenSource(const CString& data, const CString& index) {
    char* dataUtf8 = StringToUtf8(data);
    char* indexUtf8 = StringToUtf8(index);
    const bool opened = Call_zOpen(OPENED_FILE_PAIR, dataUtf8, indexUtf8, 0, 0);
    delete[] dataUtf8;
    delete[] indexUtf8;
    return opened;
}

void SearchDevice(int type, const LanguageText& searching, const LanguageText& failed) {
    if (!Call_zOpen(type, nullptr, nullptr, 0, 0)) {
        g_dailyLog.WriteLog(failed.Get());
        g_pMainDlg->ShowBox(failed);
        return;
    }
    g_pMainDlg->SetStatusText(searching);
    g_pMainDlg->SetPlayState(PLAY_OPENED);
    g_dailyLog.WriteLog(searching.Get());
}

}  // namespace

void SearchLocalHdd() {
    SearchDevice(OPENED_DISK, IDS_STRING372, IDS_STRING231);
}

void SearchSdCard() {
    SearchDevice(OPENED_CARD, IDS_STRING373, IDS_STRING233);
}

bool CHalbrookDlg::CheckRecordingPair(const CString& path, CString* index) {
    // The extension is looked for in the file's own name: a dot in a folder
    // name is no extension.
    const int dot = path.ReverseFind(L'.');
    if (dot < 0 || dot < path.ReverseFind(L'/')) {
        ShowBox(L"error1");
        return false;
    }
    const CString extension = path.Mid(dot + 1).Left(kMaxExtension);
    if (extension != L"dvr" && extension != L"DVR") {
        ShowBox(L"error2");
        return false;
    }
    *index = FindIndexFile(path.Left(dot));
    if (index->IsEmpty()) {
        ShowBox(L"Error3");
        return false;
    }
    if (!FitsThePlayer(path) || !FitsThePlayer(*index)) {
        ShowBox(IDS_OPEN_PATH_TOO_LONG);
        return false;
    }
    return true;
}

void CHalbrookDlg::OpenWhenClosed(std::function<void()> open) {
    if (GetPlayState() == PLAY_IDLE) {
        open();
        return;
    }
    bool stopUnderWay = false;
    {
        std::lock_guard<std::mutex> hold(m_pendingOpenLock);
        stopUnderWay = StopChainUnderWay();
        m_pendingOpen = std::move(open);
        if (!stopUnderWay)
            m_pendingOpenDeadlineMs = DeadlineAfter(kPendingOpenBoundMs);
    }
    // A second stop would meet the first in the player's one command slot.
    if (!stopUnderWay)
        SendUserStop();
}

// A stop whose results have not come within the bound was lost in the
// player's slot: whoever waits for it next asks again instead.
bool CHalbrookDlg::StopChainUnderWay() const {
    const bool waiting = m_pendingOpen != nullptr || !m_rebuildSteps.empty();
    return waiting && CurrentClock().NowMs() < m_pendingOpenDeadlineMs;
}

void CHalbrookDlg::DropPendingOpen() {
    std::lock_guard<std::mutex> hold(m_pendingOpenLock);
    m_pendingOpen = nullptr;
}

void CHalbrookDlg::SendUserStop() {
    g_bUserStop = true;
    Call_zPlayMSG(PLAY_CMD_STOP, 0, 0, 0, nullptr);
}

void CHalbrookDlg::RunPendingOpen() {
    std::function<void()> open;
    {
        std::lock_guard<std::mutex> hold(m_pendingOpenLock);
        open = std::exchange(m_pendingOpen, nullptr);
    }
    PostRebuildSteps();
    if (open)
        open();
}

void CHalbrookDlg::OnOpenFile() {
    CFileDialog dialog(TRUE, L"dvr", L"*.dvr", 0, kDvrFilter, this);
    if (dialog.DoModal() != IDOK)
        return;
    m_strCurrentPath = dialog.GetPathName();
    OpenRecording(m_strCurrentPath);
}

// The pair is checked before anything that plays is stopped: a name the
// library would refuse leaves the recording playing and says why.
void CHalbrookDlg::OpenRecording(const CString& path) {
    CString index;
    if (!CheckRecordingPair(path, &index))
        return;
    // The open may run on the player's thread: it takes its own copies.
    OpenWhenClosed([this, path, index] { OpenCheckedPair(path, index); });
}

void CHalbrookDlg::OpenCheckedPair(const CString& path, const CString& index) {
    if (!OpenSource(path, index)) {
        g_dailyLog.WriteLog(IDS_OPEN_FAILED.Get());
        ShowBox(IDS_OPEN_FAILED);
        return;
    }
    UpdateTitle(true, path);
    SetPlayState(PLAY_OPENED);
    SetStatusText(IDS_STATE_OPENED);
    PostSourceChanged();
    Call_zPlayMSG(PLAY_CMD_PLAY, 0, 0, 0, nullptr);
}

void CHalbrookDlg::OnSearchHdd() {
    if (!IsUserAnAdmin())
        ShowBox(IDS_STRING417);
    OpenWhenClosed(SearchLocalHdd);
}

void CHalbrookDlg::OnSearchSd() {
    if (!IsUserAnAdmin())
        ShowBox(IDS_STRING417);
    OpenWhenClosed(SearchSdCard);
}

// A close asked for now also drops an open that waited for the last one.
void CHalbrookDlg::OnMenuClose() {
    DropPendingOpen();
    g_bUserStop = true;
    Call_zPlayMSG(PLAY_CMD_STOP, 0, 0, 0, nullptr);
}
