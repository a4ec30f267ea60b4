#include "platform/user/ProgressControl.h"

#include <algorithm>

#include "platform/user/ControlSupport.h"
#include "platform/user/Painting.h"
#include "platform/user/SystemClasses.h"
#include "platform/user/Theme.h"

namespace {

struct ProgressState {
    int low = 0;
    int high = 100;
    int pos = 0;
    int step = 10;
    COLORREF bar = CLR_DEFAULT;
    COLORREF back = CLR_DEFAULT;
};

ProgressState& S(HWND hwnd) {
    return *StateOf<ProgressState>(hwnd);
}

// Sets the position (kept in range) and answers the previous one.
LRESULT MoveTo(HWND hwnd, int pos) {
    ProgressState& s = S(hwnd);
    const int old = s.pos;
    s.pos = std::clamp(pos, s.low, std::max(s.low, s.high));
    if (s.pos != old)
        InvalidateRect(hwnd, nullptr, FALSE);
    return old;
}

LRESULT SetRange(HWND hwnd, int low, int high) {
    ProgressState& s = S(hwnd);
    const LRESULT old = MAKELRESULT(s.low, s.high);
    s.low = low;
    s.high = high;
    MoveTo(hwnd, s.pos);
    InvalidateRect(hwnd, nullptr, FALSE);
    return old;
}

COLORREF Either(COLORREF set, COLORREF fallback) {
    return set == CLR_DEFAULT ? fallback : set;
}

LRESULT OnPaint(HWND hwnd, WPARAM, LPARAM) {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(hwnd, &ps);
    if (dc == nullptr)
        return 0;
    const ProgressState& s = S(hwnd);
    RECT client{};
    GetClientRect(hwnd, &client);
    FillSolidRect(dc, &client, Either(s.back, kTheme.field));
    const int span = s.high - s.low;
    if (span > 0) {
        RECT bar = client;
        bar.right = client.left + MulDiv(client.right - client.left, s.pos - s.low, span);
        FillSolidRect(dc, &bar, Either(s.bar, kTheme.accent));
    }
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT OnSetRange(HWND hwnd, WPARAM, LPARAM lParam) {
    return SetRange(hwnd, LOWORD(uintptr_t(lParam)), HIWORD(uintptr_t(lParam)));
}

LRESULT OnSetRange32(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    return SetRange(hwnd, int(wParam), int(lParam));
}

LRESULT OnGetRange(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const ProgressState& s = S(hwnd);
    if (auto* range = reinterpret_cast<PBRANGE*>(lParam))
        *range = PBRANGE{s.low, s.high};
    return wParam != 0 ? s.low : s.high;
}

LRESULT OnSetPos(HWND hwnd, WPARAM wParam, LPARAM) {
    return MoveTo(hwnd, int(wParam));
}

LRESULT OnDeltaPos(HWND hwnd, WPARAM wParam, LPARAM) {
    return MoveTo(hwnd, S(hwnd).pos + int(wParam));
}

LRESULT OnGetPos(HWND hwnd, WPARAM, LPARAM) {
    return S(hwnd).pos;
}

LRESULT OnSetStep(HWND hwnd, WPARAM wParam, LPARAM) {
    const int old = S(hwnd).step;
    S(hwnd).step = int(wParam);
    return old;
}

LRESULT OnStepIt(HWND hwnd, WPARAM, LPARAM) {
    const ProgressState& s = S(hwnd);
    int next = s.pos + s.step;
    if (next > s.high)
        next = s.low + (next - s.high);
    return MoveTo(hwnd, next);
}

LRESULT SetColour(HWND hwnd, COLORREF& slot, LPARAM lParam) {
    const COLORREF old = slot;
    slot = COLORREF(lParam);
    InvalidateRect(hwnd, nullptr, FALSE);
    return LRESULT(old);
}

LRESULT OnSetBarColour(HWND hwnd, WPARAM, LPARAM lParam) {
    return SetColour(hwnd, S(hwnd).bar, lParam);
}

LRESULT OnSetBackColour(HWND hwnd, WPARAM, LPARAM lParam) {
    return SetColour(hwnd, S(hwnd).back, lParam);
}

constexpr std::array kTable = {
    ControlEntry{WM_NCCREATE, CreateStateFor<ProgressState>},
    ControlEntry{WM_NCDESTROY, DeleteStateOf<ProgressState>},
    ControlEntry{WM_PAINT, OnPaint},
    ControlEntry{WM_ERASEBKGND, PaintFillsBackground},
    ControlEntry{PBM_SETRANGE, OnSetRange},
    ControlEntry{PBM_SETRANGE32, OnSetRange32},
    ControlEntry{PBM_GETRANGE, OnGetRange},
    ControlEntry{PBM_SETPOS, OnSetPos},
    ControlEntry{PBM_DELTAPOS, OnDeltaPos},
    ControlEntry{PBM_GETPOS, OnGetPos},
    ControlEntry{PBM_SETSTEP, OnSetStep},
    ControlEntry{PBM_STEPIT, OnStepIt},
    ControlEntry{PBM_SETBARCOLOR, OnSetBarColour},
    ControlEntry{PBM_SETBKCOLOR, OnSetBackColour},
};

}  // namespace

LRESULT ProgressWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_NCCREATE && StateOf<ProgressState>(hwnd) == nullptr)
        return DefWindowProc(hwnd, message, wParam, lParam);
    return RouteControlMessage(kTable, hwnd, message, wParam, lParam);
}
