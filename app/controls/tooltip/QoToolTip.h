// CQoToolTip: the toolkit's own tooltip, a topmost popup that shows a markup
// text in a balloon with an anchor pointing at the cursor, a soft shadow, a
// background fill and an optional transparency over what lies beneath.
//
// The owner adds tools (a window, or a rectangle of it, with a text) and
// passes every message it pre-translates to RelayEvent. Window timers on the
// window system's clock drive the tip: 256 the show delay, 257 the autopop,
// 258 and 259 the fade steps, 260 the markup's animation. Just before a tip
// is shown the notify window gets WM_NOTIFY with a ToolTipDisplayNotify whose
// record it may change (an emptied text shows nothing). User-interface thread.
#pragma once

#include <map>
#include <vector>

#include "app/controls/draw/QoDrawManager.h"
#include "app/controls/markup/QoHtmlDrawer.h"
#include "app/controls/tooltip/ToolTipInfo.h"
#include "platform/afx/Wnd.h"

class CQoToolTip : public CWnd {
public:
    enum State { kHidden = 0, kAppearing = 1, kShown = 2, kDisappearing = 3 };
    enum Timer : UINT_PTR {
        kShowTimer = 256,
        kHideTimer = 257,
        kFadeInTimer = 258,
        kFadeOutTimer = 259,
        kAnimationTimer = 260
    };

    CQoToolTip();
    ~CQoToolTip() override;

    // The largest text area a tip has, in each direction: a longer text is
    // cut there, so no text can make a tip, or the pixels composed beneath
    // it, larger than that.
    static constexpr int kMaxTextExtent = 4096;

    // The popup over `parent`; FALSE when the window cannot be made.
    BOOL Create(CWnd* parent, BOOL balloon = TRUE);
    // Notifications go to the parent given to Create, or nowhere.
    void EnableNotify(BOOL enable = TRUE);
    void SetDefaultBehaviour(UINT flags) { m_defaultBehaviour = flags; }
    void SetDefaultDirection(UINT direction) { m_defaultDirection = direction; }

    // Tools. A record with a rectangle equal to an existing one replaces it.
    void AddTool(CWnd* window, const wchar_t* text, LPCRECT rect = nullptr, int toolId = 0);
    void AddToolInfo(CWnd* window, const ToolTipInfo* info);
    // Without a rectangle, all of the window's tools.
    void RemoveTool(CWnd* window, LPCRECT rect = nullptr);
    void UpdateTipText(const wchar_t* text, CWnd* window, int toolId = 0);
    BOOL GetTool(ToolTipInfo* out, CWnd* window, int toolId = 0) const;

    // Watches the mouse; always FALSE (the message goes on).
    BOOL RelayEvent(MSG* msg);

    // 2 autopop, 3 initial, 4 fade-in step, 5 fade-out step, 6 animation period.
    void SetDelayTime(UINT type, int ms);
    // Slots: 0/1 corner, 2/3 text margins, 4 anchor width, 5 anchor height,
    // 6 anchor margin; others are ignored.
    void SetSize(int index, int value);
    void SetSizes(BOOL balloon);
    void SetColorBk(COLORREF colour) { SetColorBk(colour, colour, colour); }
    void SetColorBk(COLORREF begin, COLORREF mid, COLORREF end);
    void SetBorder(COLORREF colour, int width, int height);
    void SetShadow(int offsetX, int offsetY, BYTE darkness = 50, BOOL gradient = TRUE,
                   int depthX = 7, int depthY = 7);
    void HideTip();

    int GetState() const { return m_state; }
    const ToolTipInfo& CurrentTool() const { return m_current; }
    CQoHtmlDrawer& Drawer() { return m_drawer; }
    // The window's rectangle relative to its top-left corner (shadow included).
    const RECT& WindowRect() const { return m_windowRect; }

    virtual void DrawBorder(HDC dc, HRGN region);
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL DestroyWindow() override;

protected:
    void OnPaint();
    void OnTimer(UINT_PTR id);
    BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
    void OnActivateApp(BOOL active, DWORD threadId);
    LRESULT OnRepaintTip(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    using ToolList = std::vector<ToolTipInfo>;

    void OnMouseMove(const MSG& msg);
    BOOL IsCursorOverTip() const;
    HWND FindTool(POINT point, ToolTipInfo& out) const;
    BOOL FindToolInfo(HWND window, POINT screen, ToolTipInfo& out) const;
    void ForgetCurrentTool();
    void ShowTip(HWND window, const ToolTipInfo& info, BOOL useDelay);
    void PopTip();
    void RestartAutopop();
    void StepShow();
    void StepHide();
    void StepFadeIn();
    void StepFadeOut();
    void StepAnimation();
    void MoveTip(POINT screen);

    void PrepareTip(POINT cursor);
    void ApplyDefaults(ToolTipInfo& info) const;
    void SendDisplayNotify(POINT* cursor);
    void LayoutTip(SIZE textSize, POINT cursor);
    HRGN CreateTipRegion(int direction, POINT anchor, int width, int height) const;
    void MakeTipBitmap(HDC dc);
    void FreeTip();
    void OnDraw(HDC dc, int transparency);
    void CaptureBackground(POINT position, int width, int height);

    CQoHtmlDrawer m_drawer;
    HWND m_parent = nullptr;
    HWND m_notify = nullptr;
    POINT m_lastCursor{0, 0};

    HWND m_currentWindow = nullptr;
    ToolTipInfo m_current;
    BOOL m_showWithDelay = FALSE;
    BOOL m_showPending = FALSE;
    HWND m_nextWindow = nullptr;
    ToolTipInfo m_next;
    int m_placedDirection = 0;
    POINT m_anchor{0, 0};  // the apex of the anchor, in window coordinates
    int m_transparency = 0;
    int m_state = kHidden;

    COLORREF m_colorBegin, m_colorMid, m_colorEnd;
    HBITMAP m_tipBitmap = nullptr;
    HBITMAP m_background = nullptr;
    HBRUSH m_borderBrush = nullptr;
    int m_borderWidth = 1, m_borderHeight = 1;
    BOOL m_shadowGradient = TRUE;
    int m_shadowX = 6, m_shadowY = 6, m_depthX = 7, m_depthY = 7;
    BYTE m_darkness = 50;
    HRGN m_tipRegion = nullptr;

    int m_autopop = 5000, m_initial = 500, m_fadeIn = 0, m_fadeOut = 0;
    UINT m_defaultBehaviour = 0, m_defaultEffect = 0, m_defaultDirection = 16, m_defaultStyle = 0;
    BYTE m_defaultGranularity = 0, m_defaultTransparency = 0;
    int m_sizes[9] = {};

    RECT m_textRect{}, m_bodyRect{}, m_windowRect{};
    std::map<HWND, ToolList> m_tools;
};
