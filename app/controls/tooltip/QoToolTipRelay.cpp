// Watching the mouse, finding the tool under it, and the show/hide state
// machine on the window's timers.
#include <algorithm>
#include <cwctype>

#include "app/controls/tooltip/QoToolTip.h"

namespace {

constexpr UINT kHidingMessages[] = {
    WM_LBUTTONDBLCLK, WM_RBUTTONDOWN,     WM_RBUTTONDBLCLK,   WM_MBUTTONDOWN,   WM_MBUTTONDBLCLK,
    WM_MOUSEWHEEL,    WM_NCLBUTTONDOWN,   WM_NCLBUTTONDBLCLK, WM_NCRBUTTONDOWN, WM_NCRBUTTONDBLCLK,
    WM_NCMBUTTONDOWN, WM_NCMBUTTONDBLCLK, WM_KEYDOWN,         WM_SYSKEYDOWN,
};

bool IsDropDownCombo(HWND window) {
    if ((GetWindowLongPtr(window, GWL_STYLE) & 0x0F) != CBS_DROPDOWN)
        return false;
    wchar_t name[9] = {};
    GetClassName(window, name, 9);
    return CString(name).CompareNoCase(L"combobox") == 0;
}

bool IsEmpty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

}  // namespace

BOOL CQoToolTip::RelayEvent(MSG* msg) {
    if (m_hWnd == nullptr || msg == nullptr)
        return FALSE;
    if (msg->message == WM_MOUSEMOVE) {
        OnMouseMove(*msg);
    } else if (msg->message == WM_LBUTTONDOWN) {
        if (IsCursorOverTip()) {
            POINT point = msg->pt;
            ScreenToClient(&point);
            m_drawer.OnLButtonDown(&point);
        }
        HideTip();
    } else if (std::find(std::begin(kHidingMessages), std::end(kHidingMessages), msg->message) !=
               std::end(kHidingMessages)) {
        HideTip();
    }
    return FALSE;
}

void CQoToolTip::OnMouseMove(const MSG& msg) {
    if (msg.pt.x == m_lastCursor.x && msg.pt.y == m_lastCursor.y)
        return;
    m_lastCursor = msg.pt;
    POINT client = msg.pt;
    ::ScreenToClient(m_parent, &client);
    if (IsCursorOverTip() && !(m_current.behaviour & TOOLTIP_BEHAVIOUR_FOLLOW)) {
        if (m_current.behaviour & TOOLTIP_BEHAVIOUR_OVER_TIP)
            RestartAutopop();
        else
            PopTip();
        return;
    }
    ToolTipInfo tool;
    HWND window = FindTool(client, tool);
    if (window == nullptr) {
        ForgetCurrentTool();
        KillTimer(kShowTimer);
        PopTip();
    } else if (window != m_currentWindow || !EqualRect(&tool.rect, &m_current.rect)) {
        ShowTip(window, tool, TRUE);
    } else if (m_current.behaviour & TOOLTIP_BEHAVIOUR_FOLLOW) {
        RestartAutopop();
        MoveTip(msg.pt);
    } else if (m_current.behaviour & TOOLTIP_BEHAVIOUR_KEEP) {
        RestartAutopop();
    } else if (m_current.behaviour & TOOLTIP_BEHAVIOUR_RESHOW) {
        ShowTip(window, tool, TRUE);
    } else {
        PopTip();
    }
}

BOOL CQoToolTip::IsCursorOverTip() const {
    return IsWindowVisible() && WindowFromPoint(m_lastCursor) == m_hWnd;
}

HWND CQoToolTip::FindTool(POINT point, ToolTipInfo& out) const {
    POINT screen = point;
    ::ClientToScreen(m_parent, &screen);
    HWND under = WindowFromPoint(screen);
    if (under == nullptr || ::GetParent(under) == nullptr)
        return nullptr;
    HWND candidate = ::GetParent(under);
    if (!IsDropDownCombo(candidate)) {
        POINT local = screen;
        ::ScreenToClient(under, &local);
        candidate = ChildWindowFromPoint(under, local);
        if (candidate == nullptr || !::IsWindowEnabled(candidate))
            return nullptr;
    }
    return FindToolInfo(candidate, screen, out) ? candidate : nullptr;
}

BOOL CQoToolTip::FindToolInfo(HWND window, POINT screen, ToolTipInfo& out) const {
    auto found = m_tools.find(window);
    if (found == m_tools.end())
        return FALSE;
    const ToolList& tools = found->second;
    if (tools.size() == 1 && IsEmpty(tools.front().rect)) {
        out = tools.front();
        return TRUE;
    }
    POINT local = screen;
    ::ScreenToClient(window, &local);
    for (const ToolTipInfo& tool : tools) {
        if (PtInRect(&tool.rect, local)) {
            out = tool;
            return TRUE;
        }
    }
    return FALSE;
}

void CQoToolTip::ShowTip(HWND window, const ToolTipInfo& info, BOOL useDelay) {
    m_showPending = FALSE;
    if (m_state == kAppearing || m_state == kShown)
        PopTip();
    // The tip now heads for this tool: a move back into the tool shown before
    // must count as a new tool, or this tool's tip would come up over it.
    ForgetCurrentTool();
    m_nextWindow = window;
    m_next = info;
    const BOOL delayed = useDelay && m_initial != 0;
    if (m_state == kHidden) {
        if (delayed)
            SetTimer(kShowTimer, UINT(m_initial), nullptr);
        else
            StepShow();
    } else if (m_state == kDisappearing) {
        m_showPending = TRUE;
        m_showWithDelay = delayed;
    }
}

void CQoToolTip::PopTip() {
    if (m_state == kAppearing) {
        KillTimer(kFadeInTimer);
        StepHide();
    } else if (m_state == kShown) {
        StepHide();
    }
}

void CQoToolTip::RestartAutopop() {
    if (m_autopop != 0 && !(m_current.behaviour & TOOLTIP_BEHAVIOUR_NO_AUTOPOP))
        SetTimer(kHideTimer, UINT(m_autopop), nullptr);
}

void CQoToolTip::OnTimer(UINT_PTR id) {
    switch (id) {
        case kShowTimer:
            StepShow();
            break;
        case kHideTimer:
            StepHide();
            break;
        case kFadeInTimer:
            StepFadeIn();
            break;
        case kFadeOutTimer:
            StepFadeOut();
            break;
        case kAnimationTimer:
            StepAnimation();
            break;
        default:
            Default();
            break;
    }
}

void CQoToolTip::StepShow() {
    KillTimer(kShowTimer);
    POINT cursor{0, 0};
    GetCursorPos(&cursor);
    if (cursor.x != m_lastCursor.x || cursor.y != m_lastCursor.y) {
        PopTip();
        return;
    }
    if (m_state != kHidden)
        return;
    m_state = kAppearing;
    PrepareTip(m_lastCursor);
    if (m_fadeIn != 0) {
        SetTimer(kFadeInTimer, UINT(m_fadeIn), nullptr);
        return;
    }
    m_state = kShown;
    if (m_autopop != 0 && !(m_next.behaviour & TOOLTIP_BEHAVIOUR_NO_AUTOPOP))
        SetTimer(kHideTimer, UINT(m_autopop), nullptr);
}

void CQoToolTip::StepHide() {
    KillTimer(kShowTimer);
    KillTimer(kFadeInTimer);
    KillTimer(kHideTimer);
    if (m_state == kDisappearing)
        return;
    m_state = kDisappearing;
    if (m_fadeOut != 0) {
        SetTimer(kFadeOutTimer, UINT(m_fadeOut), nullptr);
        return;
    }
    m_transparency = 100;
    StepFadeOut();
}

void CQoToolTip::StepFadeIn() {
    m_transparency = std::max(m_transparency - 20, 0);
    if (m_transparency <= m_current.transparency) {
        m_transparency = m_current.transparency;
        KillTimer(kFadeInTimer);
        m_state = kShown;
        RestartAutopop();
    }
    OnDraw(nullptr, m_transparency);
}

void CQoToolTip::StepFadeOut() {
    m_transparency += 20;
    if (m_transparency >= 80)
        m_transparency = 100;
    if (m_transparency < 100) {
        OnDraw(nullptr, m_transparency);
        return;
    }
    KillTimer(kFadeOutTimer);
    if (m_current.behaviour & TOOLTIP_BEHAVIOUR_RESHOW)
        ForgetCurrentTool();
    ShowWindow(SW_HIDE);
    m_state = kHidden;
    if (!m_showPending)
        return;
    m_showPending = FALSE;
    if (m_showWithDelay)
        SetTimer(kShowTimer, UINT(m_initial), nullptr);
    else
        StepShow();
}

void CQoToolTip::StepAnimation() {
    if (IsWindowVisible() && m_state == kShown && m_drawer.OnTimer())
        OnDraw(nullptr, m_transparency);
}

void CQoToolTip::MoveTip(POINT screen) {
    // The apex of the anchor stays on the cursor, as when the tip was placed.
    RECT window;
    GetWindowRect(&window);
    const POINT apex = m_anchor;
    ::MoveWindow(m_hWnd, screen.x - apex.x, screen.y - apex.y, window.right - window.left,
                 window.bottom - window.top, TRUE);
}
