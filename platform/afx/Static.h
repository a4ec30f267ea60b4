// A static control object ("Static" class). Owner-drawn statics
// (SS_OWNERDRAW) are drawn by DrawItem when their parent reflects WM_DRAWITEM.
#pragma once

#include "platform/afx/Wnd.h"

class CStatic : public CWnd {
public:
    BOOL Create(const wchar_t* text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);
    virtual void DrawItem(DRAWITEMSTRUCT*) {}
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    DECLARE_DYNAMIC(CStatic)
};
