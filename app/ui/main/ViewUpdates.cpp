#include "app/ui/main/ViewUpdates.h"

#include <utility>

bool CViewUpdates::MarkWaiting() {
    const bool first = !m_waiting;
    m_waiting = true;
    return first;
}

bool CViewUpdates::StoreLine(ViewLine line, const CString& text) {
    std::lock_guard<std::mutex> hold(m_lock);
    m_changes.lines[static_cast<int>(line)] = text;
    return MarkWaiting();
}

bool CViewUpdates::StorePlayImage(bool pauseImage) {
    std::lock_guard<std::mutex> hold(m_lock);
    m_changes.pauseImage = pauseImage;
    return MarkWaiting();
}

bool CViewUpdates::StoreSeekPosition(int percent) {
    std::lock_guard<std::mutex> hold(m_lock);
    m_changes.seekPercent = percent;
    return MarkWaiting();
}

bool CViewUpdates::StoreTask(ViewTask task, std::function<void()> apply) {
    std::lock_guard<std::mutex> hold(m_lock);
    m_changes.tasks[static_cast<int>(task)] = std::move(apply);
    return MarkWaiting();
}

CViewUpdates::Changes CViewUpdates::Take() {
    std::lock_guard<std::mutex> hold(m_lock);
    m_waiting = false;
    return std::exchange(m_changes, Changes{});
}
