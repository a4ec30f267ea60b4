// The main window as the map pane's host: the seek a map page asks for goes
// through the same pending seek as the slider's, and the pane's messages and
// browser events are passed to the map pane.
#include "app/ui/main/HalbrookDlg.h"
#include "app/ui/main/PlaybackGlobals.h"

void CHalbrookDlg::ArmPendingSeek(uint64_t position) {
    g_PendingSeek.Arm(position);
    g_bPositionJumped = true;
}

int CHalbrookDlg::AudioChannel() const {
    return g_nAudioChannel.load();
}

LRESULT CHalbrookDlg::OnMapTrack(WPARAM wParam, LPARAM lParam) {
    return m_mapPane.OnMapTrack(wParam, lParam);
}

void CHalbrookDlg::OnMapBeforeNavigate2(NMHDR* header, LRESULT* result) {
    m_mapPane.OnBeforeNavigate2(header, result);
}

void CHalbrookDlg::OnMapDocumentComplete(NMHDR* header, LRESULT* result) {
    m_mapPane.OnDocumentComplete(header, result);
}
