#include "platform/afx/Wnd.h"

#include <atomic>
#include <vector>

#include "platform/afx/DataExchange.h"
#include "platform/afx/WndMap.h"
#include "platform/user/Placement.h"

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_DRAWITEM()
END_MESSAGE_MAP()

namespace {

// The message each thread is handling, innermost last, for Default().
thread_local std::vector<MSG> t_current;

thread_local CWnd* t_creating = nullptr;

std::atomic<CWnd*> g_mainWnd{nullptr};

bool IsCtlColor(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

}  // namespace

void AfxHookCreation(HWND hwnd, void*) {
    CWnd* wnd = t_creating;
    if (wnd == nullptr)
        return;
    // Only the first window made after the hook was set: the controls a
    // dialog makes next are not this object's.
    t_creating = nullptr;
    SetWindowCreateHook(nullptr, nullptr);
    wnd->Attach(hwnd);
    wnd->PreSubclassWindow();
    wnd->m_pfnSuper =
        reinterpret_cast<WNDPROC>(SetWindowLongPtr(hwnd, GWLP_WNDPROC, LONG_PTR(&AfxWndProc)));
}

void AfxHookWindowCreate(CWnd* wnd) {
    t_creating = wnd;
    SetWindowCreateHook(&AfxHookCreation, nullptr);
}

void AfxUnhookWindowCreate() {
    t_creating = nullptr;
    SetWindowCreateHook(nullptr, nullptr);
}

CWnd* AfxGetMainWnd() {
    return g_mainWnd.load();
}

void AfxSetMainWnd(CWnd* wnd) {
    g_mainWnd.store(wnd);
}

LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = AfxPermanentWindow(hwnd);
    if (wnd == nullptr)
        return ::DefWindowProc(hwnd, message, wParam, lParam);
    t_current.push_back(MSG{hwnd, message, wParam, lParam, 0, {}});
    const LRESULT result = wnd->WindowProc(message, wParam, lParam);
    t_current.pop_back();
    if (message == WM_NCDESTROY) {
        wnd->Detach();
        wnd->m_pfnSuper = nullptr;
        wnd->PostNcDestroy();
    }
    return result;
}

CWnd::CWnd() = default;

CWnd::~CWnd() {
    if (m_hWnd == nullptr)
        return;
    // The window outlives the object only for its destruction, which then
    // runs through its original procedure.
    HWND hwnd = UnsubclassWindow();
    ::DestroyWindow(hwnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    return hwnd != nullptr ? AfxPermanentWindow(hwnd) : nullptr;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    if (hwnd == nullptr || !IsWindow(hwnd))
        return nullptr;
    CWnd* wnd = AfxPermanentWindow(hwnd);
    return wnd != nullptr ? wnd : AfxTemporaryWindow(hwnd);
}

BOOL CWnd::Attach(HWND hwnd) {
    if (hwnd == nullptr || m_hWnd != nullptr)
        return FALSE;
    m_hWnd = hwnd;
    AfxMapWindow(hwnd, this);
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hwnd = m_hWnd;
    if (hwnd != nullptr && AfxPermanentWindow(hwnd) == this)
        AfxUnmapWindow(hwnd);
    m_hWnd = nullptr;
    return hwnd;
}

BOOL CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style,
                    int x, int y, int width, int height, HWND parent, HMENU idOrMenu, void* param) {
    AfxHookWindowCreate(this);
    HWND hwnd = CreateWindowExW(exStyle, className, windowName, style, x, y, width, height, parent,
                                idOrMenu, nullptr, param);
    AfxUnhookWindowCreate();
    return hwnd != nullptr && hwnd == m_hWnd ? TRUE : FALSE;
}

BOOL CWnd::Create(const wchar_t* className, const wchar_t* windowName, DWORD style,
                  const RECT& rect, CWnd* parent, UINT id, void* param) {
    return CreateEx(0, className, windowName, style | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    parent != nullptr ? parent->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(uintptr_t(id)), param);
}

BOOL CWnd::DestroyWindow() {
    return m_hWnd != nullptr ? ::DestroyWindow(m_hWnd) : FALSE;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (!Attach(hwnd))
        return FALSE;
    PreSubclassWindow();
    m_pfnSuper =
        reinterpret_cast<WNDPROC>(SetWindowLongPtr(hwnd, GWLP_WNDPROC, LONG_PTR(&AfxWndProc)));
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    HWND control = parent != nullptr ? ::GetDlgItem(parent->m_hWnd, int(id)) : nullptr;
    return control != nullptr ? SubclassWindow(control) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
    if (m_hWnd == nullptr)
        return nullptr;
    SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, LONG_PTR(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *result = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY)
        return OnNotify(wParam, lParam, result);
    UINT kind = 0;
    UINT key = message;
    if (IsCtlColor(message)) {
        kind = message - WM_CTLCOLORMSGBOX;
        key = WM_CTLCOLOR;
    }
    const AFX_MSGMAP_ENTRY* e = FindEntry(key, 0, 0);
    if (e == nullptr)
        return FALSE;
    *result = e->thunk(this, AfxCall{message, wParam, lParam, kind, nullptr, nullptr});
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr)
        return CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    // Control notifications reach the control first when it wants them.
    if (CWnd* control = FromHandlePermanent(reinterpret_cast<HWND>(lParam))) {
        LRESULT ignored = 0;
        if (control != this && control->OnChildNotify(WM_COMMAND, wParam, lParam, &ignored))
            return TRUE;
    }
    return OnCmdMsg(id, int(code), nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header == nullptr)
        return FALSE;
    const AFX_MSGMAP_ENTRY* e = FindEntry(WM_NOTIFY, header->code, UINT(header->idFrom));
    if (e == nullptr)
        return FALSE;
    *result = 0;
    e->thunk(this, AfxCall{WM_NOTIFY, 0, lParam, UINT(header->idFrom), header, result});
    return TRUE;
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) {
    return FALSE;
}

void CWnd::OnDrawItem(int id, DRAWITEMSTRUCT* dis) {
    LRESULT result = 0;
    CWnd* control = dis != nullptr ? FromHandlePermanent(dis->hwndItem) : nullptr;
    if (control != nullptr && control->OnChildNotify(WM_DRAWITEM, WPARAM(id), LPARAM(dis), &result))
        return;
    Default();
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

LRESULT CWnd::Default() {
    if (t_current.empty())
        return 0;
    const MSG m = t_current.back();
    return DefWindowProc(m.message, m.wParam, m.lParam);
}

BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* msg) {
    for (HWND h = msg->hwnd; h != nullptr; h = ::GetParent(h)) {
        CWnd* wnd = FromHandlePermanent(h);
        if (wnd != nullptr && wnd->PreTranslateMessage(msg))
            return TRUE;
        if (h == stop)
            break;
    }
    return FALSE;
}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
    const DWORD style = GetStyle();
    const DWORD next = (style & ~remove) | add;
    if (next == style)
        return FALSE;
    SetWindowLongPtr(m_hWnd, GWL_STYLE, LONG_PTR(next));
    if (flags != 0)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       flags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
    const DWORD style = GetExStyle();
    const DWORD next = (style & ~remove) | add;
    if (next == style)
        return FALSE;
    SetWindowLongPtr(m_hWnd, GWL_EXSTYLE, LONG_PTR(next));
    if (flags != 0)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       flags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

void CWnd::ClientToScreen(RECT* r) const {
    MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(r), 2);
}

void CWnd::ScreenToClient(RECT* r) const {
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(r), 2);
}

BOOL CWnd::SetWindowPos(const CWnd* after, int x, int y, int w, int h, UINT flags) {
    return ::SetWindowPos(m_hWnd, after != nullptr ? after->m_hWnd : nullptr, x, y, w, h, flags);
}

BOOL CWnd::RedrawWindow(const RECT* r, CRgn* region, UINT flags) {
    return ::RedrawWindow(m_hWnd, r, region != nullptr ? static_cast<HRGN>(*region) : nullptr,
                          flags);
}

void CWnd::GetWindowText(CString& text) const {
    const int n = ::GetWindowTextLengthW(m_hWnd);
    ::GetWindowTextW(m_hWnd, text.GetBufferSetLength(n + 1), n + 1);
    text.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int id, CString& text) const {
    HWND control = ::GetDlgItem(m_hWnd, id);
    const int n = control != nullptr ? ::GetWindowTextLengthW(control) : 0;
    ::GetDlgItemTextW(m_hWnd, id, text.GetBufferSetLength(n + 1), n + 1);
    text.ReleaseBuffer();
    return text.GetLength();
}

void CWnd::SetFont(CFont* font, BOOL redraw) {
    SendMessage(WM_SETFONT, WPARAM(font != nullptr ? font->m_hObject : nullptr), redraw);
}

CFont* CWnd::GetFont() const {
    return CGdiObject::FromHandle<CFont>(HGDIOBJ(SendMessage(WM_GETFONT, 0, 0)));
}

void CWnd::CenterWindow(CWnd* alternateOwner) {
    HWND over = alternateOwner != nullptr ? alternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    CenterWindowOver(m_hWnd, over);
}
