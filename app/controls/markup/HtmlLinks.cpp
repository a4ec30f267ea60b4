// Hyperlinks: hot areas recorded while drawing, the hover repaint, and what
// a click on a link starts.
#include "app/controls/markup/QoHtmlDrawer.h"
#include "platform/base/Handle.h"
#include "platform/base/Process.h"

namespace {

// The desktop's opener for documents and addresses; started directly, so no
// shell ever reads the target.
constexpr const wchar_t* kOpener = L"xdg-open";

// A target becomes one argument of a command line. Quotes could end that
// argument and a leading "-" would be read as an option, so such targets are
// never started.
bool IsSafeTarget(const CString& target) {
    return !target.IsEmpty() && target[0] != L'-' && target.Find(L'"') < 0;
}

bool Start(CString commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info))
        return false;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return true;
}

}  // namespace

void CQoHtmlDrawer::SetRepaintTarget(HWND window, UINT message, LPARAM lParam) {
    m_repaintWindow = window;
    m_repaintMessage = window != nullptr ? message : 0;
    m_repaintParam = window != nullptr ? lParam : 0;
}

void CQoHtmlDrawer::SetHandCursor(HCURSOR cursor) {
    m_handCursor = cursor != nullptr ? cursor : LoadCursor(nullptr, IDC_HAND);
}

void CQoHtmlDrawer::SetLinkTarget(HWND window, UINT message, LPARAM lParam) {
    m_linkWindow = window;
    m_linkMessage = window != nullptr ? message : 0;
    m_linkParam = window != nullptr ? lParam : 0;
}

void CQoHtmlDrawer::AddHotArea(int left, int top, int right, int bottom) {
    m_hotAreas.push_back(
        HotArea{RECT{left, top, right, bottom}, m_style.linkType, m_linkIndex, m_style.linkParam});
}

const HotArea* CQoHtmlDrawer::FindHotArea(const POINT& point) const {
    for (const HotArea& area : m_hotAreas) {
        if (point.x >= area.rect.left && point.x <= area.rect.right && point.y >= area.rect.top &&
            point.y <= area.rect.bottom)
            return &area;
    }
    return nullptr;
}

void CQoHtmlDrawer::SendRepaint(int index) {
    if (m_repaintWindow != nullptr && m_repaintMessage != 0)
        SendMessage(m_repaintWindow, m_repaintMessage, WPARAM(index), m_repaintParam);
}

BOOL CQoHtmlDrawer::OnSetCursor(const POINT* point) {
    const HotArea* area = FindHotArea(*point);
    if (area == nullptr) {
        if (m_hotLink != -2) {
            m_hotLink = -2;
            SendRepaint(m_hotLink);
        }
        return FALSE;
    }
    if (area->linkIndex != m_hotLink) {
        m_hotLink = area->linkIndex;
        SendRepaint(m_hotLink);
    }
    if (area->param.IsEmpty() || m_handCursor == nullptr)
        return FALSE;
    SetCursor(m_handCursor);
    return TRUE;
}

void CQoHtmlDrawer::OnLButtonDown(const POINT* point) {
    if (const HotArea* area = FindHotArea(*point))
        FollowLink(*area);
}

void CQoHtmlDrawer::FollowLink(const HotArea& area) {
    if (area.param.IsEmpty())
        return;
    if (area.linkType == 1)
        OpenLink(area.param);
    else if (area.linkType == 2 && m_linkWindow != nullptr && m_linkMessage != 0)
        SendMessage(m_linkWindow, m_linkMessage, WPARAM(&area.param), m_linkParam);
}

// The target goes to the desktop's opener as its one argument; there is no
// other way of opening it, so nothing else ever reads the target.
void CQoHtmlDrawer::OpenLink(const CString& target) {
    if (IsSafeTarget(target))
        Start(CString(kOpener) + L" \"" + target + L"\"");
}
