// Hyperlinks: hot areas recorded while drawing, the hover repaint, and what
// a click on a link starts.
#include "app/controls/markup/QoHtmlDrawer.h"
#include "platform/base/Handle.h"
#include "platform/base/Process.h"

namespace {

// A leading "-" would be read as an option by the opener, so such targets
// are never started.
bool IsSafeTarget(const CString& target) {
    return !target.IsEmpty() && target[0] != L'-';
}

// The target is the opener's one argument as it stands: no command line is
// formed, so no quoting rule can change or split it.
bool Start(const CString& opener, const CString& target) {
    PROCESS_INFORMATION info{};
    if (!StartProcess({opener.Std(), target.Std()}, nullptr, &info))
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

// The repaint message is sent synchronously and the target's repaint rebuilds
// the hot areas, so everything needed from the area is copied before it.
BOOL CQoHtmlDrawer::OnSetCursor(const POINT* point) {
    const HotArea* found = FindHotArea(*point);
    if (found == nullptr) {
        if (m_hotLink != -2) {
            m_hotLink = -2;
            SendRepaint(m_hotLink);
        }
        return FALSE;
    }
    const int linkIndex = found->linkIndex;
    const bool hasTarget = !found->param.IsEmpty();
    if (linkIndex != m_hotLink) {
        m_hotLink = linkIndex;
        SendRepaint(m_hotLink);
    }
    if (!hasTarget || m_handCursor == nullptr)
        return FALSE;
    SetCursor(m_handCursor);
    return TRUE;
}

void CQoHtmlDrawer::OnLButtonDown(const POINT* point) {
    if (const HotArea* area = FindHotArea(*point))
        FollowLink(*area);  // a copy: following may repaint
}

void CQoHtmlDrawer::FollowLink(HotArea area) {
    if (area.param.IsEmpty())
        return;
    if (area.linkType == 1)
        OpenLink(area.param);
    else if (area.linkType == 2 && m_linkWindow != nullptr && m_linkMessage != 0)
        SendMessage(m_linkWindow, m_linkMessage, WPARAM(&area.param), m_linkParam);
}

void CQoHtmlDrawer::SetLinkOpener(const wchar_t* program) {
    m_opener = program != nullptr && *program != 0 ? program : kDefaultOpener;
}

// The target goes to the desktop's opener as its one argument; there is no
// other way of opening it, so nothing else ever reads the target.
void CQoHtmlDrawer::OpenLink(const CString& target) {
    if (IsSafeTarget(target))
        Start(m_opener, target);
}
