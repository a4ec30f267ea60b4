#include "platform/afx/ToolTipCtrl.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    return CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, 0,
                    0, 0, 0, parent != nullptr ? parent->m_hWnd : nullptr, nullptr);
}

TOOLINFOW CToolTipCtrl::ToolOf(CWnd* wnd, UINT_PTR id, const RECT* rect, const wchar_t* text) {
    TOOLINFOW info{};
    info.cbSize = sizeof(TOOLINFOW);
    info.lpszText = const_cast<wchar_t*>(text);
    if (rect == nullptr && id == 0) {
        HWND parent = ::GetParent(wnd->m_hWnd);
        info.uFlags = TTF_IDISHWND;
        info.hwnd = parent != nullptr ? parent : wnd->m_hWnd;
        info.uId = UINT_PTR(wnd->m_hWnd);
        return info;
    }
    info.hwnd = wnd->m_hWnd;
    info.uId = id;
    if (rect != nullptr)
        info.rect = *rect;
    return info;
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, const wchar_t* text, const RECT* rect, UINT_PTR id) {
    if (wnd == nullptr)
        return FALSE;
    TOOLINFOW info = ToolOf(wnd, id, rect, text);
    return BOOL(SendMessage(TTM_ADDTOOLW, 0, LPARAM(&info)));
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR id) {
    if (wnd == nullptr)
        return;
    TOOLINFOW info = ToolOf(wnd, id, nullptr, nullptr);
    SendMessage(TTM_DELTOOLW, 0, LPARAM(&info));
}

void CToolTipCtrl::UpdateTipText(const wchar_t* text, CWnd* wnd, UINT_PTR id) {
    if (wnd == nullptr)
        return;
    TOOLINFOW info = ToolOf(wnd, id, nullptr, text);
    SendMessage(TTM_UPDATETIPTEXTW, 0, LPARAM(&info));
}

void CToolTipCtrl::SetToolRect(CWnd* wnd, UINT_PTR id, const RECT* rect) {
    if (wnd == nullptr || rect == nullptr)
        return;
    TOOLINFOW info = ToolOf(wnd, id, rect, nullptr);
    SendMessage(TTM_NEWTOOLRECTW, 0, LPARAM(&info));
}
