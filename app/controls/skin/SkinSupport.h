// Small services the skinned controls share.
#pragma once

#include "platform/afx/Afx.h"

// Invalidates the whole window with erasing and paints it at once.
inline void RepaintNow(CWnd& wnd) {
    wnd.Invalidate(TRUE);
    wnd.UpdateWindow();
}

// Selects the parent window's font into `dc`; returns the font it replaced,
// null when the parent has none (then nothing was selected).
inline HGDIOBJ SelectParentFont(const CWnd& self, HDC dc) {
    const HGDIOBJ font = HGDIOBJ(::SendMessage(::GetParent(self.m_hWnd), WM_GETFONT, 0, 0));
    return font != nullptr ? ::SelectObject(dc, font) : nullptr;
}

inline void RestoreFont(HDC dc, HGDIOBJ old) {
    if (old != nullptr)
        ::SelectObject(dc, old);
}
