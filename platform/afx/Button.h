// A button control object ("Button" class): the control's own mouse and
// keyboard behaviour ends in BN_CLICKED to the parent. Owner-drawn buttons
// (BS_OWNERDRAW) are drawn by DrawItem when their parent reflects WM_DRAWITEM.
#pragma once

#include "platform/afx/Wnd.h"

class CButton : public CWnd {
public:
    BOOL Create(const wchar_t* text, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    virtual void DrawItem(DRAWITEMSTRUCT*) {}
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    UINT GetState() const { return UINT(SendMessage(BM_GETSTATE)); }
    void SetState(BOOL pushed) { SendMessage(BM_SETSTATE, WPARAM(pushed)); }
    int GetCheck() const { return int(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, WPARAM(check)); }
    UINT GetButtonStyle() const { return GetStyle() & BS_TYPEMASK; }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE) { SendMessage(BM_SETSTYLE, style, redraw); }

    DECLARE_DYNAMIC(CButton)
};
