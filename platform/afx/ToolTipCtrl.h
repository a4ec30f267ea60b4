// A plain tooltip object ("tooltips_class32" class;
// platform/user/ToolTipControl.h). Its owner relays mouse messages to it
// (RelayEvent), usually from PreTranslateMessage.
#pragma once

#include "platform/afx/Wnd.h"

inline wchar_t* const LPSTR_TEXTCALLBACK = LPSTR_TEXTCALLBACKW;

class CToolTipCtrl : public CWnd {
public:
    // A topmost popup owned by `parent`; `style` adds TTS_* bits.
    BOOL Create(CWnd* parent, DWORD style = 0);

    // A tool without a rectangle and id is the window `wnd` itself (its
    // parent hears the text callbacks); otherwise it is `rect` of `wnd`'s
    // client area, named by `id`.
    BOOL AddTool(CWnd* wnd, const wchar_t* text = LPSTR_TEXTCALLBACK, const RECT* rect = nullptr,
                 UINT_PTR id = 0);
    void DelTool(CWnd* wnd, UINT_PTR id = 0);
    void UpdateTipText(const wchar_t* text, CWnd* wnd, UINT_PTR id = 0);
    void SetToolRect(CWnd* wnd, UINT_PTR id, const RECT* rect);
    void Activate(BOOL active) { SendMessage(TTM_ACTIVATE, WPARAM(active)); }
    void RelayEvent(MSG* msg) { SendMessage(TTM_RELAYEVENT, 0, LPARAM(msg)); }
    void SetDelayTime(UINT ms) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, LPARAM(ms)); }
    void SetDelayTime(DWORD which, int ms) { SendMessage(TTM_SETDELAYTIME, which, LPARAM(ms)); }
    int GetToolCount() const { return int(SendMessage(TTM_GETTOOLCOUNT)); }
    void Pop() { SendMessage(TTM_POP); }

    DECLARE_DYNAMIC(CToolTipCtrl)

private:
    static TOOLINFOW ToolOf(CWnd* wnd, UINT_PTR id, const RECT* rect, const wchar_t* text);
};
