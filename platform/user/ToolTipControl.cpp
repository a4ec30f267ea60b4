#include "platform/user/ToolTipControl.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/user/ControlSupport.h"
#include "platform/user/Focus.h"
#include "platform/user/Messaging.h"
#include "platform/user/Painting.h"
#include "platform/user/SystemClasses.h"
#include "platform/user/Theme.h"
#include "platform/user/Timers.h"

namespace {

constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kPopTimer = 2;
constexpr int kPadding = 3;
constexpr UINT kInitialMs = 500;

struct Tool {
    UINT flags = 0;
    HWND owner = nullptr;
    UINT_PTR id = 0;
    RECT rect{};
    bool callback = false;
    std::wstring text;
    LPARAM data = 0;
};

struct ToolTipState {
    std::vector<Tool> tools;
    std::optional<size_t> current;  // the tool under the cursor
    bool shown = false;
    bool suppressed = false;  // popped by a press; stays away until the cursor leaves the tool
    bool active = true;
    UINT initial = kInitialMs;
    UINT autopop = kInitialMs * 10;
    UINT reshow = kInitialMs / 5;
    POINT cursor{};
    std::wstring text;  // of the tip shown
    HFONT font = nullptr;
};

ToolTipState& S(HWND hwnd) {
    return *StateOf<ToolTipState>(hwnd);
}

bool SameTool(const Tool& t, const TOOLINFOW& info) {
    return t.owner == info.hwnd && t.id == info.uId;
}

Tool* FindTool(HWND hwnd, const TOOLINFOW* info) {
    if (info == nullptr)
        return nullptr;
    for (Tool& t : S(hwnd).tools) {
        if (SameTool(t, *info))
            return &t;
    }
    return nullptr;
}

void SetText(Tool& t, const wchar_t* text) {
    t.callback = text == LPSTR_TEXTCALLBACKW;
    t.text = t.callback || text == nullptr ? L"" : text;
}

bool Covers(const Tool& t, POINT screen) {
    if ((t.flags & TTF_IDISHWND) != 0) {
        RECT r{};
        GetWindowRect(reinterpret_cast<HWND>(t.id), &r);
        return IsWindowVisible(reinterpret_cast<HWND>(t.id)) && PtInRect(&r, screen);
    }
    POINT p = screen;
    ScreenToClient(t.owner, &p);
    return IsWindowVisible(t.owner) && PtInRect(&t.rect, p);
}

std::optional<size_t> ToolAt(HWND hwnd, POINT screen) {
    const std::vector<Tool>& tools = S(hwnd).tools;
    for (size_t i = 0; i < tools.size(); ++i) {
        if (Covers(tools[i], screen))
            return i;
    }
    return std::nullopt;
}

void Hide(HWND hwnd) {
    KillTimer(hwnd, kPopTimer);
    if (!S(hwnd).shown)
        return;
    S(hwnd).shown = false;
    ShowWindow(hwnd, SW_HIDE);
    NotifyParent(hwnd, TTN_POP);
}

std::wstring TextFor(HWND hwnd, const Tool& t) {
    if (!t.callback)
        return t.text;
    NMTTDISPINFOW info{};
    info.hdr = NMHDR{hwnd, t.id, TTN_GETDISPINFOW};
    info.lParam = t.data;
    info.uFlags = t.flags;
    SendMessage(t.owner, WM_NOTIFY, WPARAM(t.id), LPARAM(&info));
    if (info.lpszText != nullptr && info.lpszText != LPSTR_TEXTCALLBACKW)
        return info.lpszText;
    return info.szText;
}

bool MayShow(HWND hwnd, const Tool& t) {
    if (!S(hwnd).active)
        return false;
    if ((GetWindowLongPtr(hwnd, GWL_STYLE) & TTS_ALWAYSTIP) != 0)
        return true;
    return GetActiveWindow() == GetAncestor(t.owner, GA_ROOT);
}

void Place(HWND hwnd, const std::wstring& text) {
    HDC dc = GetDC(nullptr);
    SIZE extent{};
    {
        ScopedFont scope(dc, S(hwnd).font);
        GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &extent);
    }
    ReleaseDC(nullptr, dc);
    const int w = extent.cx + 2 * kPadding + 2;
    const int h = extent.cy + 2 * kPadding;
    const POINT c = S(hwnd).cursor;
    const int x = std::clamp(int(c.x), 0, std::max(0, GetSystemMetrics(SM_CXSCREEN) - w));
    int y = c.y + GetSystemMetrics(SM_CYCURSOR) * 2 / 3;
    if (y + h > GetSystemMetrics(SM_CYSCREEN))
        y = c.y - h;
    SetWindowPos(hwnd, HWND_TOPMOST, x, y, w, h, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void Show(HWND hwnd) {
    ToolTipState& s = S(hwnd);
    if (!s.current || s.shown || s.suppressed || !MayShow(hwnd, s.tools[*s.current]))
        return;
    const std::wstring text = TextFor(hwnd, s.tools[*s.current]);
    if (text.empty())
        return;
    s.text = text;
    s.shown = true;
    NotifyParent(hwnd, TTN_SHOW);
    Place(hwnd, text);
    InvalidateRect(hwnd, nullptr, FALSE);
    SetTimer(hwnd, kPopTimer, s.autopop, nullptr);
}

void CursorAt(HWND hwnd, POINT screen) {
    ToolTipState& s = S(hwnd);
    s.cursor = screen;
    const std::optional<size_t> tool = ToolAt(hwnd, screen);
    if (tool == s.current)
        return;
    const bool wasShown = s.shown;
    Hide(hwnd);
    s.current = tool;
    s.suppressed = false;
    KillTimer(hwnd, kShowTimer);
    if (tool)
        SetTimer(hwnd, kShowTimer, wasShown ? s.reshow : s.initial, nullptr);
}

bool IsPress(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
           message == WM_LBUTTONDBLCLK || message == WM_NCLBUTTONDOWN;
}

LRESULT OnRelayEvent(HWND hwnd, WPARAM, LPARAM lParam) {
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (msg == nullptr)
        return 0;
    if (IsPress(msg->message)) {
        Hide(hwnd);
        KillTimer(hwnd, kShowTimer);
        S(hwnd).suppressed = true;
        return 0;
    }
    if (msg->message == WM_MOUSEMOVE || msg->message == WM_NCMOUSEMOVE)
        CursorAt(hwnd, msg->pt);
    return 0;
}

LRESULT OnTimer(HWND hwnd, WPARAM wParam, LPARAM) {
    KillTimer(hwnd, wParam);
    if (wParam == kShowTimer)
        Show(hwnd);
    else if (wParam == kPopTimer)
        Hide(hwnd);
    return 0;
}

LRESULT OnPaint(HWND hwnd, WPARAM, LPARAM) {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(hwnd, &ps);
    if (dc == nullptr)
        return 0;
    RECT client{};
    GetClientRect(hwnd, &client);
    FillSolidRect(dc, &client, kTheme.tipBack);
    FrameRect(dc, &client, ThemeBrush(kTheme.edge));
    ScopedFont scope(dc, S(hwnd).font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kTheme.tipText);
    InflateRect(&client, -kPadding, -kPadding);
    client.left += 1;
    const UINT prefix = (GetWindowLongPtr(hwnd, GWL_STYLE) & TTS_NOPREFIX) != 0 ? DT_NOPREFIX : 0;
    DrawTextW(dc, S(hwnd).text.c_str(), int(S(hwnd).text.size()), &client, DT_SINGLELINE | prefix);
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT OnNcHitTest(HWND, WPARAM, LPARAM) {
    return HTTRANSPARENT;
}

LRESULT OnMouseActivate(HWND, WPARAM, LPARAM) {
    return MA_NOACTIVATE;
}

LRESULT OnAddTool(HWND hwnd, WPARAM, LPARAM lParam) {
    const auto* info = reinterpret_cast<const TOOLINFOW*>(lParam);
    if (info == nullptr || FindTool(hwnd, info) != nullptr)
        return FALSE;
    Tool t;
    t.flags = info->uFlags;
    t.owner = info->hwnd;
    t.id = info->uId;
    t.rect = info->rect;
    t.data = info->lParam;
    SetText(t, info->lpszText);
    S(hwnd).tools.push_back(t);
    return TRUE;
}

LRESULT OnDelTool(HWND hwnd, WPARAM, LPARAM lParam) {
    const auto* info = reinterpret_cast<const TOOLINFOW*>(lParam);
    std::vector<Tool>& tools = S(hwnd).tools;
    if (FindTool(hwnd, info) == nullptr)
        return 0;
    Hide(hwnd);
    KillTimer(hwnd, kShowTimer);
    S(hwnd).current.reset();
    tools.erase(std::remove_if(tools.begin(), tools.end(),
                               [&](const Tool& t) { return SameTool(t, *info); }),
                tools.end());
    return 0;
}

LRESULT OnNewToolRect(HWND hwnd, WPARAM, LPARAM lParam) {
    const auto* info = reinterpret_cast<const TOOLINFOW*>(lParam);
    if (Tool* t = FindTool(hwnd, info))
        t->rect = info->rect;
    return 0;
}

LRESULT OnUpdateTipText(HWND hwnd, WPARAM, LPARAM lParam) {
    const auto* info = reinterpret_cast<const TOOLINFOW*>(lParam);
    if (Tool* t = FindTool(hwnd, info))
        SetText(*t, info->lpszText);
    return 0;
}

LRESULT OnGetText(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    auto* info = reinterpret_cast<TOOLINFOW*>(lParam);
    const Tool* t = FindTool(hwnd, info);
    if (t == nullptr || info->lpszText == nullptr || wParam == 0)
        return 0;
    const size_t n = std::min(t->text.size(), size_t(wParam) - 1);
    t->text.copy(info->lpszText, n);
    info->lpszText[n] = 0;
    return LRESULT(n);
}

LRESULT OnGetToolCount(HWND hwnd, WPARAM, LPARAM) {
    return LRESULT(S(hwnd).tools.size());
}

LRESULT OnActivate(HWND hwnd, WPARAM wParam, LPARAM) {
    S(hwnd).active = wParam != 0;
    if (!S(hwnd).active)
        Hide(hwnd);
    return 0;
}

LRESULT OnPop(HWND hwnd, WPARAM, LPARAM) {
    Hide(hwnd);
    return 0;
}

LRESULT OnSetDelayTime(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    ToolTipState& s = S(hwnd);
    const int ms = int16_t(LOWORD(uintptr_t(lParam)));
    const UINT base = ms < 0 ? kInitialMs : UINT(ms);
    switch (wParam) {
        case TTDT_AUTOMATIC:
            s.initial = base;
            s.autopop = base * 10;
            s.reshow = base / 5;
            break;
        case TTDT_INITIAL:
            s.initial = base;
            break;
        case TTDT_AUTOPOP:
            s.autopop = ms < 0 ? kInitialMs * 10 : base;
            break;
        case TTDT_RESHOW:
            s.reshow = ms < 0 ? kInitialMs / 5 : base;
            break;
        default:
            break;
    }
    return 0;
}

LRESULT OnSetFont(HWND hwnd, WPARAM wParam, LPARAM) {
    S(hwnd).font = HFONT(wParam);
    return 0;
}

LRESULT OnGetFont(HWND hwnd, WPARAM, LPARAM) {
    return LRESULT(S(hwnd).font);
}

constexpr std::array kTable = {
    ControlEntry{WM_NCCREATE, CreateStateFor<ToolTipState>},
    ControlEntry{WM_NCDESTROY, DeleteStateOf<ToolTipState>},
    ControlEntry{WM_PAINT, OnPaint},
    ControlEntry{WM_ERASEBKGND, PaintFillsBackground},
    ControlEntry{WM_NCHITTEST, OnNcHitTest},
    ControlEntry{WM_MOUSEACTIVATE, OnMouseActivate},
    ControlEntry{WM_TIMER, OnTimer},
    ControlEntry{WM_SETFONT, OnSetFont},
    ControlEntry{WM_GETFONT, OnGetFont},
    ControlEntry{TTM_RELAYEVENT, OnRelayEvent},
    ControlEntry{TTM_ADDTOOLW, OnAddTool},
    ControlEntry{TTM_DELTOOLW, OnDelTool},
    ControlEntry{TTM_NEWTOOLRECTW, OnNewToolRect},
    ControlEntry{TTM_UPDATETIPTEXTW, OnUpdateTipText},
    ControlEntry{TTM_GETTEXTW, OnGetText},
    ControlEntry{TTM_GETTOOLCOUNT, OnGetToolCount},
    ControlEntry{TTM_ACTIVATE, OnActivate},
    ControlEntry{TTM_POP, OnPop},
    ControlEntry{TTM_SETDELAYTIME, OnSetDelayTime},
};

}  // namespace

LRESULT ToolTipWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_NCCREATE && StateOf<ToolTipState>(hwnd) == nullptr)
        return DefWindowProc(hwnd, message, wParam, lParam);
    return RouteControlMessage(kTable, hwnd, message, wParam, lParam);
}
