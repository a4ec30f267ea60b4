#include "platform/user/TrackbarControl.h"

#include <algorithm>

#include "platform/user/ControlSupport.h"
#include "platform/user/Focus.h"
#include "platform/user/Messaging.h"
#include "platform/user/Painting.h"
#include "platform/user/SystemClasses.h"
#include "platform/user/Theme.h"

namespace {

constexpr int kThumbWidth = 11;
constexpr int kMargin = 4;

struct TrackbarState {
    int min = 0;
    int max = 100;
    int pos = 0;
    int line = 1;
    int page = 20;
    bool dragging = false;
    int grab = 0;  // where the thumb was taken, from its centre
    bool focused = false;
};

TrackbarState& S(HWND hwnd) {
    return *StateOf<TrackbarState>(hwnd);
}

RECT Channel(HWND hwnd) {
    RECT c{};
    GetClientRect(hwnd, &c);
    const int mid = c.bottom / 2;
    return RECT{kMargin + kThumbWidth / 2, mid - 2, c.right - kMargin - kThumbWidth / 2, mid + 2};
}

int CentreOf(HWND hwnd, int pos) {
    const TrackbarState& s = S(hwnd);
    const RECT ch = Channel(hwnd);
    if (s.max <= s.min)
        return ch.left;
    return ch.left + MulDiv(ch.right - ch.left, pos - s.min, s.max - s.min);
}

RECT Thumb(HWND hwnd) {
    RECT c{};
    GetClientRect(hwnd, &c);
    const int x = CentreOf(hwnd, S(hwnd).pos);
    return RECT{x - kThumbWidth / 2, kMargin, x + kThumbWidth / 2 + 1, c.bottom - kMargin};
}

int PositionAt(HWND hwnd, int x) {
    const TrackbarState& s = S(hwnd);
    const RECT ch = Channel(hwnd);
    const int width = std::max(1, int(ch.right - ch.left));
    const int offset = std::clamp(x - int(ch.left), 0, width);
    return s.min + (offset * (s.max - s.min) + width / 2) / width;
}

void Place(HWND hwnd, int pos) {
    TrackbarState& s = S(hwnd);
    const int next = std::clamp(pos, s.min, std::max(s.min, s.max));
    if (next == s.pos)
        return;
    s.pos = next;
    InvalidateRect(hwnd, nullptr, TRUE);
}

void Scroll(HWND hwnd, UINT code) {
    const int pos = code == TB_THUMBTRACK || code == TB_THUMBPOSITION ? S(hwnd).pos : 0;
    SendMessage(GetParent(hwnd), WM_HSCROLL, MAKEWPARAM(int(code), pos), LPARAM(hwnd));
}

void MoveBy(HWND hwnd, UINT code, int delta) {
    Place(hwnd, S(hwnd).pos + delta);
    Scroll(hwnd, code);
}

LRESULT OnPaint(HWND hwnd, WPARAM, LPARAM) {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(hwnd, &ps);
    if (dc == nullptr)
        return 0;
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, ParentColours(hwnd, dc, WM_CTLCOLORSTATIC));
    const RECT ch = Channel(hwnd);
    FillSolidRect(dc, &ch, kTheme.field);
    FrameRect(dc, &ch, ThemeBrush(kTheme.edge));
    const RECT thumb = Thumb(hwnd);
    FillSolidRect(dc, &thumb, S(hwnd).dragging ? kTheme.accent : kTheme.captionGlyph);
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT OnLButtonDown(HWND hwnd, WPARAM, LPARAM lParam) {
    SetFocus(hwnd);
    SetCapture(hwnd);
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const RECT thumb = Thumb(hwnd);
    if (PtInRect(&thumb, p)) {
        S(hwnd).dragging = true;
        S(hwnd).grab = p.x - CentreOf(hwnd, S(hwnd).pos);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    }
    if (p.x < thumb.left)
        MoveBy(hwnd, TB_PAGEUP, -S(hwnd).page);
    else
        MoveBy(hwnd, TB_PAGEDOWN, S(hwnd).page);
    return 0;
}

LRESULT OnMouseMove(HWND hwnd, WPARAM, LPARAM lParam) {
    if (!S(hwnd).dragging)
        return 0;
    const int pos = PositionAt(hwnd, GET_X_LPARAM(lParam) - S(hwnd).grab);
    if (pos == S(hwnd).pos)
        return 0;
    Place(hwnd, pos);
    Scroll(hwnd, TB_THUMBTRACK);
    return 0;
}

LRESULT OnLButtonUp(HWND hwnd, WPARAM, LPARAM) {
    if (GetCapture() != hwnd)
        return 0;
    if (S(hwnd).dragging)
        Scroll(hwnd, TB_THUMBPOSITION);
    S(hwnd).dragging = false;
    InvalidateRect(hwnd, nullptr, TRUE);
    ReleaseCapture();
    Scroll(hwnd, TB_ENDTRACK);
    NotifyParent(hwnd, NM_RELEASEDCAPTURE);
    return 0;
}

LRESULT OnCaptureChanged(HWND hwnd, WPARAM, LPARAM) {
    S(hwnd).dragging = false;
    return 0;
}

// The code a key moves by, or TB_ENDTRACK for keys that do not move it.
UINT KeyCode(UINT vk) {
    switch (vk) {
        case VK_LEFT:
        case VK_UP:
            return TB_LINEUP;
        case VK_RIGHT:
        case VK_DOWN:
            return TB_LINEDOWN;
        case VK_PRIOR:
            return TB_PAGEUP;
        case VK_NEXT:
            return TB_PAGEDOWN;
        case VK_HOME:
            return TB_TOP;
        case VK_END:
            return TB_BOTTOM;
        default:
            return TB_ENDTRACK;
    }
}

LRESULT OnKeyDown(HWND hwnd, WPARAM wParam, LPARAM) {
    const TrackbarState& s = S(hwnd);
    switch (const UINT code = KeyCode(UINT(wParam))) {
        case TB_LINEUP:
        case TB_LINEDOWN:
            MoveBy(hwnd, code, code == TB_LINEUP ? -s.line : s.line);
            break;
        case TB_PAGEUP:
        case TB_PAGEDOWN:
            MoveBy(hwnd, code, code == TB_PAGEUP ? -s.page : s.page);
            break;
        case TB_TOP:
        case TB_BOTTOM:
            MoveBy(hwnd, code, code == TB_TOP ? s.min - s.pos : s.max - s.pos);
            break;
        default:
            break;
    }
    return 0;
}

LRESULT OnKeyUp(HWND hwnd, WPARAM wParam, LPARAM) {
    if (KeyCode(UINT(wParam)) != TB_ENDTRACK)
        Scroll(hwnd, TB_ENDTRACK);
    return 0;
}

LRESULT OnGetDlgCode(HWND, WPARAM, LPARAM) {
    return DLGC_WANTARROWS;
}

LRESULT OnGetPos(HWND hwnd, WPARAM, LPARAM) {
    return S(hwnd).pos;
}
LRESULT OnGetMin(HWND hwnd, WPARAM, LPARAM) {
    return S(hwnd).min;
}
LRESULT OnGetMax(HWND hwnd, WPARAM, LPARAM) {
    return S(hwnd).max;
}

LRESULT OnSetPos(HWND hwnd, WPARAM, LPARAM lParam) {
    Place(hwnd, int(lParam));
    return 0;
}

void Rerange(HWND hwnd, int min, int max) {
    S(hwnd).min = min;
    S(hwnd).max = max;
    Place(hwnd, S(hwnd).pos);
    InvalidateRect(hwnd, nullptr, TRUE);
}

LRESULT OnSetRange(HWND hwnd, WPARAM, LPARAM lParam) {
    Rerange(hwnd, int16_t(LOWORD(uintptr_t(lParam))), int16_t(HIWORD(uintptr_t(lParam))));
    return 0;
}
LRESULT OnSetRangeMin(HWND hwnd, WPARAM, LPARAM lParam) {
    Rerange(hwnd, int(lParam), S(hwnd).max);
    return 0;
}
LRESULT OnSetRangeMax(HWND hwnd, WPARAM, LPARAM lParam) {
    Rerange(hwnd, S(hwnd).min, int(lParam));
    return 0;
}

LRESULT Swap(int& slot, LPARAM value) {
    const int old = slot;
    slot = int(value);
    return old;
}

LRESULT OnSetPageSize(HWND hwnd, WPARAM, LPARAM lParam) {
    return Swap(S(hwnd).page, lParam);
}
LRESULT OnGetPageSize(HWND hwnd, WPARAM, LPARAM) {
    return S(hwnd).page;
}
LRESULT OnSetLineSize(HWND hwnd, WPARAM, LPARAM lParam) {
    return Swap(S(hwnd).line, lParam);
}
LRESULT OnGetLineSize(HWND hwnd, WPARAM, LPARAM) {
    return S(hwnd).line;
}

LRESULT OnGetThumbRect(HWND hwnd, WPARAM, LPARAM lParam) {
    if (auto* r = reinterpret_cast<RECT*>(lParam))
        *r = Thumb(hwnd);
    return 0;
}

LRESULT OnGetChannelRect(HWND hwnd, WPARAM, LPARAM lParam) {
    if (auto* r = reinterpret_cast<RECT*>(lParam))
        *r = Channel(hwnd);
    return 0;
}

constexpr std::array kTable = {
    ControlEntry{WM_NCCREATE, CreateStateFor<TrackbarState>},
    ControlEntry{WM_NCDESTROY, DeleteStateOf<TrackbarState>},
    ControlEntry{WM_PAINT, OnPaint},
    ControlEntry{WM_ERASEBKGND, PaintFillsBackground},
    ControlEntry{WM_LBUTTONDOWN, OnLButtonDown},
    ControlEntry{WM_LBUTTONDBLCLK, OnLButtonDown},
    ControlEntry{WM_MOUSEMOVE, OnMouseMove},
    ControlEntry{WM_LBUTTONUP, OnLButtonUp},
    ControlEntry{WM_CAPTURECHANGED, OnCaptureChanged},
    ControlEntry{WM_KEYDOWN, OnKeyDown},
    ControlEntry{WM_KEYUP, OnKeyUp},
    ControlEntry{WM_GETDLGCODE, OnGetDlgCode},
    ControlEntry{TBM_GETPOS, OnGetPos},
    ControlEntry{TBM_GETRANGEMIN, OnGetMin},
    ControlEntry{TBM_GETRANGEMAX, OnGetMax},
    ControlEntry{TBM_SETPOS, OnSetPos},
    ControlEntry{TBM_SETRANGE, OnSetRange},
    ControlEntry{TBM_SETRANGEMIN, OnSetRangeMin},
    ControlEntry{TBM_SETRANGEMAX, OnSetRangeMax},
    ControlEntry{TBM_SETPAGESIZE, OnSetPageSize},
    ControlEntry{TBM_GETPAGESIZE, OnGetPageSize},
    ControlEntry{TBM_SETLINESIZE, OnSetLineSize},
    ControlEntry{TBM_GETLINESIZE, OnGetLineSize},
    ControlEntry{TBM_GETTHUMBRECT, OnGetThumbRect},
    ControlEntry{TBM_GETCHANNELRECT, OnGetChannelRect},
};

}  // namespace

LRESULT TrackbarWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_NCCREATE && StateOf<TrackbarState>(hwnd) == nullptr)
        return DefWindowProc(hwnd, message, wParam, lParam);
    return RouteControlMessage(kTable, hwnd, message, wParam, lParam);
}
