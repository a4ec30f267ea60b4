// The floating map window of the double-screen layout: a top-level dialog
// (template IDD_MAP_WINDOW, parent the main window) with a skinned frame of
// its own (a caption band with minimise, maximise/restore and close boxes,
// thin bitmap borders), a 20-pixel line with the current GPS position
// (IDC_MAP_GPS) and under it the map page (CGisInfoDlg). The close box, and
// a close by the window manager, post the single-screen command to the main
// window, which destroys this window.
// The frame is drawn on the window's context; the system never paints it.
// UI thread.
#pragma once

#include "app/controls/skin/SkinBitmap.h"
#include "app/controls/skin/SkinStatic.h"
#include "app/ui/map/GisInfoDlg.h"

class CVehmapInfoDlg : public CDialog {
public:
    explicit CVehmapInfoDlg(IMapPaneHost& host);

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The GPS line's text, white on black; redrawn at once.
    void SetGpsText(const CString& text);
    // Whether the window exists.
    bool Exists() const { return ::IsWindow(m_hWnd) != FALSE; }
    CGisInfoDlg& MapPage() { return m_dlgMap; }

    // The frame on the window's context (origin at the window's corner).
    void DrawFrame(CDC* windowDC);

    DECLARE_DYNAMIC(CVehmapInfoDlg)

protected:
    void OnCancel() override;
    void OnSize(UINT type, int cx, int cy);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    void OnNcPaint() {}
    BOOL OnNcActivate(BOOL active);
    LRESULT OnNcHitTest(CPoint point);
    void OnNcMouseMove(UINT hitTest, CPoint point);
    void OnNcLButtonDown(UINT hitTest, CPoint point);
    void OnNcLButtonDblClk(UINT hitTest, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    // The close box's command: the main window goes back to single screen
    // and destroys this window.
    void AskForSingleScreen();
    void LayOut();
    void DrawFrameOnWindow();
    void DrawBox(CDC* windowDC, const CRect& screenBox, UINT bitmapId);
    void RedrawMapBrowser();

    CGisInfoDlg m_dlgMap;
    CSkinStatic m_stcGps;
    CRect m_rcClose;  // the caption boxes in screen coordinates, from the last frame drawing
    CRect m_rcMax;
    CRect m_rcMin;
    CSkinBitmap m_bmpBottom;
    CSkinBitmap m_bmpTop;
    CSkinBitmap m_bmpLeft;
    CSkinBitmap m_bmpRight;
};
