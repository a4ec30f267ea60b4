// The message-map entries: each ON_ macro makes one table entry whose thunk
// unpacks the message's parameters for one member function. Included by
// Wnd.h; use the macros between BEGIN_MESSAGE_MAP and END_MESSAGE_MAP.
#pragma once

#include <type_traits>

#include "platform/afx/CmdUI.h"
#include "platform/afx/Menu.h"

namespace afx {

template <typename T>
struct MemberClass;
template <typename C, typename R, typename... A>
struct MemberClass<R (C::*)(A...)> {
    using type = C;
};
template <auto Fn>
using ClassOf = typename MemberClass<decltype(Fn)>::type;

template <auto Fn>
ClassOf<Fn>* Self(CCmdTarget* t) {
    return static_cast<ClassOf<Fn>*>(t);
}

inline CWnd* Wnd(uintptr_t h) {
    return CWnd::FromHandle(reinterpret_cast<HWND>(h));
}
inline CDC* Dc(uintptr_t h) {
    return CDC::FromHandle(reinterpret_cast<HDC>(h));
}
inline CPoint Pt(LPARAM lp) {
    return CPoint(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
}
inline UINT Lo(uintptr_t v) {
    return LOWORD(v);
}
inline UINT Hi(uintptr_t v) {
    return HIWORD(v);
}

template <auto Fn>
LRESULT Void(CCmdTarget* t, const AfxCall&) {
    (Self<Fn>(t)->*Fn)();
    return 0;
}
template <auto Fn>
LRESULT Size(CCmdTarget* t, const AfxCall& c) {
    (Self<Fn>(t)->*Fn)(UINT(c.wParam), GET_X_LPARAM(c.lParam), GET_Y_LPARAM(c.lParam));
    return 0;
}
template <auto Fn>
LRESULT Move(CCmdTarget* t, const AfxCall& c) {
    (Self<Fn>(t)->*Fn)(GET_X_LPARAM(c.lParam), GET_Y_LPARAM(c.lParam));
    return 0;
}
template <auto Fn>
LRESULT Timer(CCmdTarget* t, const AfxCall& c) {
    (Self<Fn>(t)->*Fn)(UINT_PTR(c.wParam));
    return 0;
}
template <auto Fn>
LRESULT Mouse(CCmdTarget* t, const AfxCall& c) {
    (Self<Fn>(t)->*Fn)(UINT(c.wParam), Pt(c.lParam));
    return 0;
}
template <auto Fn>
LRESULT Wheel(CCmdTarget* t, const AfxCall& c) {
    return (Self<Fn>(t)->*Fn)(Lo(c.wParam), short(Hi(c.wParam)), Pt(c.lParam));
}
template <auto Fn>
LRESULT HitTest(CCmdTarget* t, const AfxCall& c) {
    return (Self<Fn>(t)->*Fn)(Pt(c.lParam));
}
template <auto Fn>
LRESULT EraseBkgnd(CCmdTarget* t, const AfxCall& c) {
    return (Self<Fn>(t)->*Fn)(Dc(c.wParam));
}
template <auto Fn>
LRESULT SetCursor(CCmdTarget* t, const AfxCall& c) {
    return (Self<Fn>(t)->*Fn)(Wnd(c.wParam), Lo(uintptr_t(c.lParam)), Hi(uintptr_t(c.lParam)));
}
template <auto Fn>
LRESULT CtlColor(CCmdTarget* t, const AfxCall& c) {
    return LRESULT((Self<Fn>(t)->*Fn)(Dc(c.wParam), Wnd(uintptr_t(c.lParam)), c.id));
}
template <auto Fn>
LRESULT SysCommand(CCmdTarget* t, const AfxCall& c) {
    (Self<Fn>(t)->*Fn)(UINT(c.wParam), c.lParam);
    return 0;
}
template <auto Fn>
LRESULT Focus(CCmdTarget* t, const AfxCall& c) {
    (Self<Fn>(t)->*Fn)(Wnd(c.wParam));
    return 0;
}
template <auto Fn>
LRESULT Key(CCmdTarget* t, const AfxCall& c) {
    (Self<Fn>(t)->*Fn)(UINT(c.wParam), Lo(uintptr_t(c.lParam)), Hi(uintptr_t(c.lParam)));
    return 0;
}
template <auto Fn>
LRESULT ActivateApp(CCmdTarget* t, const AfxCall& c) {
    (Self<Fn>(t)->*Fn)(BOOL(c.wParam), DWORD(c.lParam));
    return 0;
}
template <auto Fn>
LRESULT Activate(CCmdTarget* t, const AfxCall& c) {
    (Self<Fn>(t)->*Fn)(Lo(c.wParam), Wnd(uintptr_t(c.lParam)), BOOL(Hi(c.wParam)));
    return 0;
}
template <auto Fn>
LRESULT Bool(CCmdTarget* t, const AfxCall& c) {
    return (Self<Fn>(t)->*Fn)(BOOL(c.wParam));
}
template <auto Fn>
LRESULT BoolVoid(CCmdTarget* t, const AfxCall& c) {
    (Self<Fn>(t)->*Fn)(BOOL(c.wParam));
    return 0;
}
template <auto Fn>
LRESULT ShowWindow(CCmdTarget* t, const AfxCall& c) {
    (Self<Fn>(t)->*Fn)(BOOL(c.wParam), UINT(c.lParam));
    return 0;
}
template <auto Fn>
LRESULT Handle(CCmdTarget* t, const AfxCall&) {
    return LRESULT((Self<Fn>(t)->*Fn)());
}
template <auto Fn>
LRESULT DrawItem(CCmdTarget* t, const AfxCall& c) {
    (Self<Fn>(t)->*Fn)(int(c.wParam), reinterpret_cast<DRAWITEMSTRUCT*>(c.lParam));
    return 0;
}
template <auto Fn>
LRESULT WndArg(CCmdTarget* t, const AfxCall& c) {
    (Self<Fn>(t)->*Fn)(Wnd(uintptr_t(c.lParam)));
    return 0;
}
template <auto Fn>
LRESULT Create(CCmdTarget* t, const AfxCall& c) {
    return (Self<Fn>(t)->*Fn)(reinterpret_cast<CREATESTRUCTW*>(c.lParam));
}
template <auto Fn, typename P>
LRESULT Pointer(CCmdTarget* t, const AfxCall& c) {
    (Self<Fn>(t)->*Fn)(reinterpret_cast<P*>(c.lParam));
    return 0;
}
template <auto Fn>
LRESULT Message(CCmdTarget* t, const AfxCall& c) {
    return (Self<Fn>(t)->*Fn)(c.wParam, c.lParam);
}
template <auto Fn>
LRESULT Command(CCmdTarget* t, const AfxCall&) {
    (Self<Fn>(t)->*Fn)();
    return 0;
}
template <auto Fn>
LRESULT CommandRange(CCmdTarget* t, const AfxCall& c) {
    (Self<Fn>(t)->*Fn)(c.id);
    return 0;
}
template <auto Fn>
LRESULT Notify(CCmdTarget* t, const AfxCall& c) {
    (Self<Fn>(t)->*Fn)(static_cast<NMHDR*>(c.extra), c.result);
    return 0;
}
template <auto Fn>
LRESULT InitMenuPopup(CCmdTarget* t, const AfxCall& c) {
    (Self<Fn>(t)->*Fn)(CMenu::FromHandle(reinterpret_cast<HMENU>(c.wParam)),
                       Lo(uintptr_t(c.lParam)), BOOL(Hi(uintptr_t(c.lParam))));
    return 0;
}
template <auto Fn>
LRESULT UpdateUi(CCmdTarget* t, const AfxCall& c) {
    (Self<Fn>(t)->*Fn)(static_cast<CCmdUI*>(c.extra));
    return 0;
}

}  // namespace afx

#define AFX_ENTRY(message, cracker, fn) {message, 0, 0, 0, &afx::cracker<&ThisClass::fn>},

#define ON_WM_PAINT() AFX_ENTRY(WM_PAINT, Void, OnPaint)
#define ON_WM_ERASEBKGND() AFX_ENTRY(WM_ERASEBKGND, EraseBkgnd, OnEraseBkgnd)
#define ON_WM_SIZE() AFX_ENTRY(WM_SIZE, Size, OnSize)
#define ON_WM_MOVE() AFX_ENTRY(WM_MOVE, Move, OnMove)
#define ON_WM_TIMER() AFX_ENTRY(WM_TIMER, Timer, OnTimer)
#define ON_WM_CLOSE() AFX_ENTRY(WM_CLOSE, Void, OnClose)
#define ON_WM_DESTROY() AFX_ENTRY(WM_DESTROY, Void, OnDestroy)
#define ON_WM_CREATE() AFX_ENTRY(WM_CREATE, Create, OnCreate)
#define ON_WM_LBUTTONDOWN() AFX_ENTRY(WM_LBUTTONDOWN, Mouse, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_ENTRY(WM_LBUTTONUP, Mouse, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_ENTRY(WM_LBUTTONDBLCLK, Mouse, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_ENTRY(WM_RBUTTONDOWN, Mouse, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_ENTRY(WM_RBUTTONUP, Mouse, OnRButtonUp)
#define ON_WM_MOUSEMOVE() AFX_ENTRY(WM_MOUSEMOVE, Mouse, OnMouseMove)
#define ON_WM_MOUSEWHEEL() AFX_ENTRY(WM_MOUSEWHEEL, Wheel, OnMouseWheel)
#define ON_WM_NCHITTEST() AFX_ENTRY(WM_NCHITTEST, HitTest, OnNcHitTest)
#define ON_WM_NCLBUTTONDOWN() AFX_ENTRY(WM_NCLBUTTONDOWN, Mouse, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_ENTRY(WM_NCLBUTTONUP, Mouse, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_ENTRY(WM_NCLBUTTONDBLCLK, Mouse, OnNcLButtonDblClk)
#define ON_WM_NCMOUSEMOVE() AFX_ENTRY(WM_NCMOUSEMOVE, Mouse, OnNcMouseMove)
#define ON_WM_NCPAINT() AFX_ENTRY(WM_NCPAINT, Void, OnNcPaint)
#define ON_WM_NCACTIVATE() AFX_ENTRY(WM_NCACTIVATE, Bool, OnNcActivate)
#define ON_WM_SETCURSOR() AFX_ENTRY(WM_SETCURSOR, SetCursor, OnSetCursor)
// One entry for all the WM_CTLCOLOR* messages; the kind (CTLCOLOR_*) is passed.
#define ON_WM_CTLCOLOR() AFX_ENTRY(WM_CTLCOLOR, CtlColor, OnCtlColor)
#define ON_WM_SYSCOMMAND() AFX_ENTRY(WM_SYSCOMMAND, SysCommand, OnSysCommand)
#define ON_WM_SETFOCUS() AFX_ENTRY(WM_SETFOCUS, Focus, OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_ENTRY(WM_KILLFOCUS, Focus, OnKillFocus)
#define ON_WM_KEYDOWN() AFX_ENTRY(WM_KEYDOWN, Key, OnKeyDown)
#define ON_WM_KEYUP() AFX_ENTRY(WM_KEYUP, Key, OnKeyUp)
#define ON_WM_CHAR() AFX_ENTRY(WM_CHAR, Key, OnChar)
#define ON_WM_ACTIVATEAPP() AFX_ENTRY(WM_ACTIVATEAPP, ActivateApp, OnActivateApp)
#define ON_WM_ACTIVATE() AFX_ENTRY(WM_ACTIVATE, Activate, OnActivate)
#define ON_WM_SHOWWINDOW() AFX_ENTRY(WM_SHOWWINDOW, ShowWindow, OnShowWindow)
#define ON_WM_QUERYDRAGICON() AFX_ENTRY(WM_QUERYDRAGICON, Handle, OnQueryDragIcon)
#define ON_WM_DRAWITEM() AFX_ENTRY(WM_DRAWITEM, DrawItem, OnDrawItem)
#define ON_WM_CAPTURECHANGED() AFX_ENTRY(WM_CAPTURECHANGED, WndArg, OnCaptureChanged)
#define ON_WM_ENABLE() AFX_ENTRY(WM_ENABLE, BoolVoid, OnEnable)
// void OnInitMenuPopup(CMenu* popup, UINT index, BOOL isSystemMenu)
#define ON_WM_INITMENUPOPUP() AFX_ENTRY(WM_INITMENUPOPUP, InitMenuPopup, OnInitMenuPopup)
#define ON_WM_GETMINMAXINFO() \
    {WM_GETMINMAXINFO, 0, 0, 0, &afx::Pointer<&ThisClass::OnGetMinMaxInfo, MINMAXINFO>},
#define ON_WM_WINDOWPOSCHANGED() \
    {WM_WINDOWPOSCHANGED, 0, 0, 0, &afx::Pointer<&ThisClass::OnWindowPosChanged, WINDOWPOS>},

// LRESULT fn(WPARAM, LPARAM)
#define ON_MESSAGE(message, fn) {UINT(message), 0, 0, 0, &afx::Message<fn>},
// void fn()
#define ON_COMMAND(id, fn) {WM_COMMAND, CN_COMMAND, UINT(id), UINT(id), &afx::Command<fn>},
// void fn(UINT id)
#define ON_COMMAND_RANGE(first, last, fn) \
    {WM_COMMAND, CN_COMMAND, UINT(first), UINT(last), &afx::CommandRange<fn>},
// void fn(), for one notification code of one control
#define ON_CONTROL(code, id, fn) {WM_COMMAND, UINT(code), UINT(id), UINT(id), &afx::Command<fn>},
#define ON_CONTROL_RANGE(code, first, last, fn) \
    {WM_COMMAND, UINT(code), UINT(first), UINT(last), &afx::CommandRange<fn>},
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_STN_CLICKED(id, fn) ON_CONTROL(STN_CLICKED, id, fn)
// void fn(NMHDR*, LRESULT*)
#define ON_NOTIFY(code, id, fn) {WM_NOTIFY, UINT(code), UINT(id), UINT(id), &afx::Notify<fn>},
#define ON_NOTIFY_RANGE(code, first, last, fn) \
    {WM_NOTIFY, UINT(code), UINT(first), UINT(last), &afx::Notify<fn>},
// void fn(CCmdUI*)
#define ON_UPDATE_COMMAND_UI(id, fn) \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, UINT(id), UINT(id), &afx::UpdateUi<fn>},
#define ON_UPDATE_COMMAND_UI_RANGE(first, last, fn) \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, UINT(first), UINT(last), &afx::UpdateUi<fn>},

namespace afx {

template <typename T>
struct ThirdArgument;
template <typename C, typename R, typename A, typename B, typename P>
struct ThirdArgument<R (C::*)(A, B, P)> {
    using type = P;
};

// The control is handed over as what it is: a handler taking CWnd* gets any
// control (a trackbar sends these too); one taking a narrower type, such as
// CScrollBar*, gets the control only when it is of that type, else null. The
// handler's translation unit knows that type in full.
template <auto Fn>
LRESULT Scroll(CCmdTarget* t, const AfxCall& c) {
    using Control = typename ThirdArgument<decltype(Fn)>::type;
    CWnd* control = Wnd(uintptr_t(c.lParam));
    if constexpr (std::is_same_v<Control, CWnd*>)
        (Self<Fn>(t)->*Fn)(Lo(c.wParam), Hi(c.wParam), control);
    else
        (Self<Fn>(t)->*Fn)(Lo(c.wParam), Hi(c.wParam), dynamic_cast<Control>(control));
    return 0;
}

}  // namespace afx

// void OnHScroll(UINT code, UINT pos, CScrollBar* control), or CWnd* control
#define ON_WM_HSCROLL() AFX_ENTRY(WM_HSCROLL, Scroll, OnHScroll)
#define ON_WM_VSCROLL() AFX_ENTRY(WM_VSCROLL, Scroll, OnVScroll)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_SETFOCUS(id, fn) ON_CONTROL(EN_SETFOCUS, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_DROPDOWN(id, fn) ON_CONTROL(CBN_DROPDOWN, id, fn)
#define ON_CBN_CLOSEUP(id, fn) ON_CONTROL(CBN_CLOSEUP, id, fn)
#define ON_CBN_SELENDOK(id, fn) ON_CONTROL(CBN_SELENDOK, id, fn)
