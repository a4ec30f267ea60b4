// The framework's window: a C++ object attached to a window of the window
// system. Windows made through Create/CreateEx, and windows taken over with
// SubclassWindow / SubclassDlgItem, send their messages through the object:
// WindowProc -> OnWndMsg, which routes WM_COMMAND to OnCommand, WM_NOTIFY to
// OnNotify, WM_DRAWITEM back to the control that asked (its OnChildNotify),
// and every other message to the message-map entry for it; what no entry
// takes goes to DefWindowProc (the window's original procedure). Handlers
// call Default() for the default processing of the message being handled.
//
// Objects live on the thread of their window. FromHandle gives the attached
// object, or a temporary one (kept per thread while the window lives) for a
// window that has none.
#pragma once

#include "platform/afx/CmdTarget.h"
#include "platform/afx/DC.h"
#include "platform/afx/Rect.h"
#include "platform/afx/String.h"
#include "platform/user/User.h"

class CDataExchange;
class CMenu;
class CScrollBar;

class CWnd : public CCmdTarget {
public:
    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    static CWnd* FromHandle(HWND hwnd);
    static CWnd* FromHandlePermanent(HWND hwnd);
    BOOL Attach(HWND hwnd);
    HWND Detach();

    virtual BOOL CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName,
                          DWORD style, int x, int y, int width, int height, HWND parent,
                          HMENU idOrMenu, void* param = nullptr);
    BOOL Create(const wchar_t* className, const wchar_t* windowName, DWORD style, const RECT& rect,
                CWnd* parent, UINT id, void* param = nullptr);
    virtual BOOL DestroyWindow();
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // The message path; see above.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A control's chance at a message its parent reflects back (WM_DRAWITEM).
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual void PreSubclassWindow() {}
    virtual void PostNcDestroy() {}
    virtual void DoDataExchange(CDataExchange*) {}
    LRESULT Default();

    // PreTranslateMessage of each attached window from msg->hwnd up to
    // `stop`; TRUE as soon as one takes the message.
    static BOOL WalkPreTranslateTree(HWND stop, MSG* msg);

    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // Window functions on this window.
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    CWnd* SetParent(CWnd* parent) {
        return FromHandle(::SetParent(m_hWnd, parent != nullptr ? parent->m_hWnd : nullptr));
    }
    CWnd* GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    DWORD GetStyle() const { return DWORD(::GetWindowLongPtr(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return DWORD(::GetWindowLongPtr(m_hWnd, GWL_EXSTYLE)); }
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    void GetWindowRect(RECT* r) const { ::GetWindowRect(m_hWnd, r); }
    // Over `alternateOwner`, else the owner, else the work area; kept on it.
    void CenterWindow(CWnd* alternateOwner = nullptr);
    void GetClientRect(RECT* r) const { ::GetClientRect(m_hWnd, r); }
    void ClientToScreen(POINT* p) const { ::ClientToScreen(m_hWnd, p); }
    void ClientToScreen(RECT* r) const;
    void ScreenToClient(POINT* p) const { ::ScreenToClient(m_hWnd, p); }
    void ScreenToClient(RECT* r) const;
    void MoveWindow(int x, int y, int w, int h, BOOL repaint = TRUE) {
        ::MoveWindow(m_hWnd, x, y, w, h, repaint);
    }
    void MoveWindow(const RECT* r, BOOL repaint = TRUE) {
        ::MoveWindow(m_hWnd, r->left, r->top, r->right - r->left, r->bottom - r->top, repaint);
    }
    BOOL SetWindowPos(const CWnd* after, int x, int y, int w, int h, UINT flags);
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(const RECT* r, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, r, erase); }
    void InvalidateRgn(CRgn* region, BOOL erase = TRUE) { ::InvalidateRgn(m_hWnd, *region, erase); }
    void ValidateRect(const RECT* r) { ::ValidateRect(m_hWnd, r); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(const RECT* r = nullptr, CRgn* region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void SetWindowText(const wchar_t* text) { ::SetWindowTextW(m_hWnd, text); }
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
    void SetDlgItemText(int id, const wchar_t* text) { ::SetDlgItemTextW(m_hWnd, id, text); }
    int GetDlgItemText(int id, CString& text) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE) {
        ::SetDlgItemInt(m_hWnd, id, value, isSigned);
    }
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const {
        return ::GetDlgItemInt(m_hWnd, id, translated, isSigned);
    }
    void CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
    UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
    void CheckRadioButton(int first, int last, int check) {
        ::CheckRadioButton(m_hWnd, first, last, check);
    }
    // WM_SETREDRAW: controls that honour it stop painting changes while it is FALSE.
    void SetRedraw(BOOL redraw = TRUE) { SendMessage(WM_SETREDRAW, WPARAM(redraw)); }
    LRESULT SendMessage(UINT m, WPARAM w = 0, LPARAM l = 0) const {
        return ::SendMessage(m_hWnd, m, w, l);
    }
    BOOL PostMessage(UINT m, WPARAM w = 0, LPARAM l = 0) const {
        return ::PostMessage(m_hWnd, m, w, l);
    }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr) {
        return ::SetTimer(m_hWnd, id, elapse, proc);
    }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
    static CWnd* GetCapture() { return FromHandle(::GetCapture()); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    CDC* GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
    CDC* GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
    int ReleaseDC(CDC* dc) { return dc != nullptr ? ::ReleaseDC(m_hWnd, dc->Detach()) : 0; }
    CDC* BeginPaint(PAINTSTRUCT* ps) { return CDC::FromHandle(::BeginPaint(m_hWnd, ps)); }
    void EndPaint(PAINTSTRUCT* ps) { ::EndPaint(m_hWnd, ps); }
    void SetFont(CFont* font, BOOL redraw = TRUE);
    CFont* GetFont() const;
    int SetWindowRgn(HRGN region, BOOL redraw) { return ::SetWindowRgn(m_hWnd, region, redraw); }
    int GetWindowRgn(HRGN region) const { return ::GetWindowRgn(m_hWnd, region); }
    // A null caption is the application's name (MessageBox.h).
    int MessageBox(const wchar_t* text, const wchar_t* caption = nullptr, UINT type = 0);
    HICON SetIcon(HICON icon, BOOL big) {
        return HICON(SendMessage(WM_SETICON, big, LPARAM(icon)));
    }

    DECLARE_DYNAMIC(CWnd)

protected:
    // Default handlers: each does the default processing of its message.
    void OnPaint() { Default(); }
    BOOL OnEraseBkgnd(CDC*) { return BOOL(Default()); }
    void OnSize(UINT, int, int) { Default(); }
    void OnMove(int, int) { Default(); }
    void OnTimer(UINT_PTR) { Default(); }
    void OnClose() { Default(); }
    void OnDestroy() { Default(); }
    int OnCreate(CREATESTRUCTW*) { return int(Default()); }
    void OnLButtonDown(UINT, CPoint) { Default(); }
    void OnLButtonUp(UINT, CPoint) { Default(); }
    void OnLButtonDblClk(UINT, CPoint) { Default(); }
    void OnRButtonDown(UINT, CPoint) { Default(); }
    void OnRButtonUp(UINT, CPoint) { Default(); }
    void OnMouseMove(UINT, CPoint) { Default(); }
    BOOL OnMouseWheel(UINT, short, CPoint) { return BOOL(Default()); }
    LRESULT OnNcHitTest(CPoint) { return Default(); }
    void OnNcLButtonDown(UINT, CPoint) { Default(); }
    void OnNcLButtonUp(UINT, CPoint) { Default(); }
    void OnNcLButtonDblClk(UINT, CPoint) { Default(); }
    void OnNcMouseMove(UINT, CPoint) { Default(); }
    void OnNcPaint() { Default(); }
    BOOL OnNcActivate(BOOL) { return BOOL(Default()); }
    BOOL OnSetCursor(CWnd*, UINT, UINT) { return BOOL(Default()); }
    HBRUSH OnCtlColor(CDC*, CWnd*, UINT) { return HBRUSH(Default()); }
    void OnSysCommand(UINT, LPARAM) { Default(); }
    void OnSetFocus(CWnd*) { Default(); }
    void OnKillFocus(CWnd*) { Default(); }
    void OnKeyDown(UINT, UINT, UINT) { Default(); }
    void OnKeyUp(UINT, UINT, UINT) { Default(); }
    void OnChar(UINT, UINT, UINT) { Default(); }
    void OnActivateApp(BOOL, DWORD) { Default(); }
    void OnActivate(UINT, CWnd*, BOOL) { Default(); }
    void OnShowWindow(BOOL, UINT) { Default(); }
    HCURSOR OnQueryDragIcon() { return HCURSOR(Default()); }
    void OnCaptureChanged(CWnd*) { Default(); }
    void OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
    void OnWindowPosChanged(WINDOWPOS*) { Default(); }
    void OnEnable(BOOL) { Default(); }
    void OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
    // Reflects WM_DRAWITEM to the control that is to be drawn.
    void OnDrawItem(int id, DRAWITEMSTRUCT* dis);

    WNDPROC m_pfnSuper = nullptr;  // the window's procedure before the object took it over

    DECLARE_MESSAGE_MAP()

private:
    friend LRESULT AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend void AfxHookCreation(HWND, void*);
};

// The window procedure of every window an object is attached to.
LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Attaches the next window this thread creates to `wnd` (before its first message).
void AfxHookWindowCreate(CWnd* wnd);
void AfxUnhookWindowCreate();

// The application's main window (set by the application; null before).
CWnd* AfxGetMainWnd();
void AfxSetMainWnd(CWnd* wnd);

#include "platform/afx/MessageCrackers.h"
