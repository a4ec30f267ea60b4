// The tooltip's window, settings and tool list.
#include "app/controls/tooltip/QoToolTip.h"

namespace {

constexpr const wchar_t* kClassName = L"CQoToolTip";

constexpr int kBalloonSizes[9] = {16, 16, 12, 12, 12, 16, 16, 0, 0};
constexpr int kPlainSizes[9] = {0, 0, 3, 1, 0, 0, 0, 0, 0};

bool RegisterTipClass() {
    WNDCLASSW existing{};
    if (GetClassInfo(nullptr, kClassName, &existing))
        return true;
    WNDCLASSW description{};
    description.style = CS_SAVEBITS;
    description.lpfnWndProc = ::DefWindowProc;
    description.lpszClassName = kClassName;
    return RegisterClass(&description) != 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CQoToolTip, CWnd)
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_SETCURSOR()
ON_WM_ACTIVATEAPP()
ON_MESSAGE(UM_TOOLTIP_REPAINT, &CQoToolTip::OnRepaintTip)
END_MESSAGE_MAP()

CQoToolTip::CQoToolTip() {
    m_colorBegin = m_colorMid = m_colorEnd = GetSysColor(COLOR_INFOBK);
    m_borderBrush = CreateSolidBrush(GetSysColor(COLOR_INFOTEXT));
    SetSizes(TRUE);
    m_drawer.SetMaxWidth(0);
}

CQoToolTip::~CQoToolTip() {
    FreeTip();
    if (m_borderBrush != nullptr)
        DeleteObject(m_borderBrush);
}

BOOL CQoToolTip::Create(CWnd* parent, BOOL balloon) {
    m_parent = parent != nullptr ? parent->GetSafeHwnd() : nullptr;
    // A class that cannot be registered means no window, as a failed creation.
    if (!RegisterTipClass())
        return FALSE;
    if (!CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, nullptr, WS_POPUP, 0, 0, 0, 0,
                  m_parent, nullptr))
        return FALSE;
    SetSizes(balloon);
    m_drawer.SetRepaintTarget(m_hWnd, UM_TOOLTIP_REPAINT, 0);
    SetDelayTime(6, 100);
    return TRUE;
}

void CQoToolTip::EnableNotify(BOOL enable) {
    m_notify = enable ? m_parent : nullptr;
}

void CQoToolTip::AddTool(CWnd* window, const wchar_t* text, LPCRECT rect, int toolId) {
    ToolTipInfo info;
    info.toolId = toolId;
    if (rect != nullptr)
        info.rect = *rect;
    info.text = text != nullptr ? text : L"";
    AddToolInfo(window, &info);
}

void CQoToolTip::AddToolInfo(CWnd* window, const ToolTipInfo* info) {
    if (window == nullptr || info == nullptr)
        return;
    ToolList& tools = m_tools[window->GetSafeHwnd()];
    for (ToolTipInfo& tool : tools) {
        if (EqualRect(&tool.rect, &info->rect)) {
            tool = *info;
            return;
        }
    }
    tools.push_back(*info);
}

void CQoToolTip::RemoveTool(CWnd* window, LPCRECT rect) {
    if (window == nullptr)
        return;
    auto found = m_tools.find(window->GetSafeHwnd());
    if (found == m_tools.end())
        return;
    if (rect == nullptr) {
        m_tools.erase(found);
        return;
    }
    ToolList& tools = found->second;
    for (auto tool = tools.begin(); tool != tools.end(); ++tool) {
        if (EqualRect(&tool->rect, rect)) {
            tools.erase(tool);
            if (tools.empty())
                m_tools.erase(found);
            return;
        }
    }
}

void CQoToolTip::UpdateTipText(const wchar_t* text, CWnd* window, int toolId) {
    ToolTipInfo info;
    if (!GetTool(&info, window, toolId))
        return;
    info.text = text != nullptr ? text : L"";
    AddToolInfo(window, &info);
}

BOOL CQoToolTip::GetTool(ToolTipInfo* out, CWnd* window, int toolId) const {
    if (window == nullptr)
        return FALSE;
    auto found = m_tools.find(window->GetSafeHwnd());
    if (found == m_tools.end())
        return FALSE;
    for (const ToolTipInfo& tool : found->second) {
        if (tool.toolId == toolId) {
            *out = tool;
            return TRUE;
        }
    }
    return FALSE;
}

void CQoToolTip::SetDelayTime(UINT type, int ms) {
    switch (type) {
        case 2:
            m_autopop = ms;
            break;
        case 3:
            m_initial = ms;
            break;
        case 4:
            m_fadeIn = ms;
            break;
        case 5:
            m_fadeOut = ms;
            break;
        case 6:
            KillTimer(kAnimationTimer);
            if (ms != 0)
                SetTimer(kAnimationTimer, UINT(ms), nullptr);
            break;
        default:
            break;
    }
}

void CQoToolTip::SetSize(int index, int value) {
    if (index >= 0 && index < 9)
        m_sizes[index] = value;
}

void CQoToolTip::SetSizes(BOOL balloon) {
    for (int i = 0; i < 9; ++i)
        m_sizes[i] = balloon ? kBalloonSizes[i] : kPlainSizes[i];
}

void CQoToolTip::SetColorBk(COLORREF begin, COLORREF mid, COLORREF end) {
    m_colorBegin = begin;
    m_colorMid = mid;
    m_colorEnd = end;
}

void CQoToolTip::SetBorder(COLORREF colour, int width, int height) {
    if (m_borderBrush != nullptr)
        DeleteObject(m_borderBrush);
    m_borderBrush = nullptr;
    m_borderWidth = m_borderHeight = 0;
    if (width != 0 && height != 0) {
        m_borderBrush = CreateSolidBrush(colour);
        m_borderWidth = width;
        m_borderHeight = height;
    }
}

void CQoToolTip::SetShadow(int offsetX, int offsetY, BYTE darkness, BOOL gradient, int depthX,
                           int depthY) {
    m_shadowX = offsetX;
    m_shadowY = offsetY;
    m_darkness = darkness > 100 ? 100 : darkness;
    m_shadowGradient = gradient;
    m_depthX = depthX;
    m_depthY = depthY;
}

void CQoToolTip::HideTip() {
    m_state = kHidden;
    for (UINT_PTR id = kShowTimer; id <= kFadeOutTimer; ++id)
        KillTimer(id);
    if (m_hWnd != nullptr && IsWindowVisible()) {
        if (m_current.behaviour & TOOLTIP_BEHAVIOUR_RESHOW)
            ForgetCurrentTool();
        ShowWindow(SW_HIDE);
    }
}

void CQoToolTip::ForgetCurrentTool() {
    m_currentWindow = nullptr;
    m_current.rect = RECT{0, 0, 0, 0};
}

BOOL CQoToolTip::PreTranslateMessage(MSG* msg) {
    RelayEvent(msg);
    return CWnd::PreTranslateMessage(msg);
}

BOOL CQoToolTip::DestroyWindow() {
    HideTip();
    KillTimer(kAnimationTimer);
    return CWnd::DestroyWindow();
}

void CQoToolTip::OnActivateApp(BOOL active, DWORD) {
    Default();
    if (!active)
        HideTip();
}

BOOL CQoToolTip::OnSetCursor(CWnd*, UINT, UINT) {
    POINT point{0, 0};
    GetCursorPos(&point);
    ScreenToClient(&point);
    if (!m_drawer.OnSetCursor(&point))
        ::SetCursor(LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}
