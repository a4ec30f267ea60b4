// A panel or one-line text label: an optional background bitmap stretched
// over the client area, and a text on a filled band. Panels are the parents
// of buttons, labels, the video pane and the map browser: they pass the
// commands and notifications of their children on to their own parent, and give the video pane
// (child 10007) a black brush. The owner loads `m_bmpBack` and sets the text; the callers
// invalidate. User-interface thread only.
#pragma once

#include "app/controls/skin/CommandForwardingStatic.h"
#include "app/controls/skin/SkinBitmap.h"

class CSkinStatic : public CCommandForwardingStatic {
public:
    CSkinStatic();
    ~CSkinStatic() override;

    // Stores the four values; no redraw.
    void SetText(CString text, int textLeft, COLORREF textColour, COLORREF fillColour);
    const CString& GetText() const { return m_text; }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    CSkinBitmap m_bmpBack;

protected:
    void OnPaint();
    HBRUSH OnCtlColor(CDC* dc, CWnd* child, UINT kind);

    DECLARE_MESSAGE_MAP()

private:
    HBRUSH m_hBrushBlack;
    CString m_text;
    int m_textLeft = 0;
    COLORREF m_textColour = RGB(255, 255, 255);
    COLORREF m_fillColour = RGB(0, 0, 0);
};
