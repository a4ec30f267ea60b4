#include "platform/user/DateTimeControl.h"

#include <ctime>

#include "platform/user/ControlSupport.h"
#include "platform/user/DateTimeState.h"
#include "platform/user/Focus.h"
#include "platform/user/Messaging.h"
#include "platform/user/Painting.h"
#include "platform/user/SystemClasses.h"

namespace {

DateTimeState& S(HWND hwnd) {
    return DateTimeStateOf(hwnd);
}

SYSTEMTIME Now() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    SYSTEMTIME st{WORD(local.tm_year + 1900), WORD(local.tm_mon + 1),
                  WORD(local.tm_wday),        WORD(local.tm_mday),
                  WORD(local.tm_hour),        WORD(local.tm_min),
                  WORD(local.tm_sec),         0};
    return st;
}

std::wstring DefaultFormat(HWND hwnd) {
    const DWORD style = DWORD(GetWindowLongPtr(hwnd, GWL_STYLE));
    return (style & DTS_TIMEFORMAT) == DTS_TIMEFORMAT ? L"H:mm:ss" : L"M/d/yyyy";
}

bool Editable(const FormatPart& p) {
    return p.field != DateField::Literal;
}

void SelectFirstField(HWND hwnd) {
    DateTimeState& s = S(hwnd);
    s.selected = -1;
    for (size_t i = 0; i < s.parts.size() && s.selected < 0; ++i) {
        if (Editable(s.parts[i]))
            s.selected = int(i);
    }
}

void SetFormat(HWND hwnd, const std::wstring& format) {
    S(hwnd).parts = ParseDateFormat(format);
    S(hwnd).typed.clear();
    SelectFirstField(hwnd);
    InvalidateRect(hwnd, nullptr, FALSE);
}

std::wstring Shown(HWND hwnd) {
    std::wstring text;
    for (const FormatPart& p : S(hwnd).parts)
        text += FormatPartText(p, S(hwnd).time);
    return text;
}

SYSTEMTIME Clamped(HWND hwnd, SYSTEMTIME t) {
    const DateTimeState& s = S(hwnd);
    if (CompareSystemTimes(t, s.min) < 0)
        t = s.min;
    if (CompareSystemTimes(t, s.max) > 0)
        t = s.max;
    SetDayOfWeek(&t);
    return t;
}

// A change made by the user: kept in range and reported when it changed anything.
void Change(HWND hwnd, const SYSTEMTIME& wanted) {
    const SYSTEMTIME next = Clamped(hwnd, wanted);
    InvalidateRect(hwnd, nullptr, FALSE);
    if (CompareSystemTimes(next, S(hwnd).time) == 0)
        return;
    S(hwnd).time = next;
    NMDATETIMECHANGE nm{};
    nm.dwFlags = DWORD(GDT_VALID);
    nm.st = next;
    NotifyParent(hwnd, &nm.nmhdr, DTN_DATETIMECHANGE);
}

void MoveSelection(HWND hwnd, int direction) {
    DateTimeState& s = S(hwnd);
    s.typed.clear();
    for (int i = s.selected + direction; i >= 0 && i < int(s.parts.size()); i += direction) {
        if (Editable(s.parts[size_t(i)])) {
            s.selected = i;
            break;
        }
    }
    InvalidateRect(hwnd, nullptr, FALSE);
}

void Step(HWND hwnd, int delta) {
    const DateTimeState& s = S(hwnd);
    if (s.selected < 0)
        return;
    S(hwnd).typed.clear();
    Change(hwnd, StepDateField(s.time, s.parts[size_t(s.selected)].field, delta));
}

LRESULT OnCreate(HWND hwnd, WPARAM, LPARAM) {
    S(hwnd).time = Now();
    SetFormat(hwnd, DefaultFormat(hwnd));
    return 0;
}

LRESULT OnLButtonDown(HWND hwnd, WPARAM, LPARAM lParam) {
    SetFocus(hwnd);
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const RECT spin = DateTimeSpinRect(hwnd);
    if (PtInRect(&spin, p)) {
        Step(hwnd, p.y < (spin.top + spin.bottom) / 2 ? 1 : -1);
        return 0;
    }
    const std::vector<int> edges = DateTimePartEdges(hwnd);
    for (size_t i = 0; i < S(hwnd).parts.size(); ++i) {
        if (p.x >= edges[i] && p.x < edges[i + 1] && Editable(S(hwnd).parts[i])) {
            S(hwnd).selected = int(i);
            S(hwnd).typed.clear();
        }
    }
    InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

LRESULT OnKeyDown(HWND hwnd, WPARAM wParam, LPARAM) {
    switch (wParam) {
        case VK_LEFT:
            MoveSelection(hwnd, -1);
            break;
        case VK_RIGHT:
            MoveSelection(hwnd, 1);
            break;
        case VK_UP:
            Step(hwnd, 1);
            break;
        case VK_DOWN:
            Step(hwnd, -1);
            break;
        default:
            break;
    }
    return 0;
}

LRESULT OnChar(HWND hwnd, WPARAM wParam, LPARAM) {
    DateTimeState& s = S(hwnd);
    const wchar_t c = wchar_t(wParam);
    if (c < L'0' || c > L'9' || s.selected < 0)
        return 0;
    const FormatPart& part = s.parts[size_t(s.selected)];
    const int digits = part.field == DateField::Year ? 4 : 2;
    s.typed += c;
    SYSTEMTIME next = s.time;
    if (part.field != DateField::Year || int(s.typed.size()) == digits) {
        if (!SetDateField(&next, part.field, std::stoi(s.typed))) {
            s.typed = std::wstring(1, c);
            SetDateField(&next, part.field, c - L'0');
        }
        Change(hwnd, next);
    }
    if (int(s.typed.size()) >= digits)
        MoveSelection(hwnd, 1);
    return 0;
}

LRESULT OnFocus(HWND hwnd, bool on) {
    S(hwnd).focused = on;
    S(hwnd).typed.clear();
    InvalidateRect(hwnd, nullptr, FALSE);
    NotifyParent(hwnd, on ? NM_SETFOCUS : NM_KILLFOCUS);
    return 0;
}

LRESULT OnSetFocus(HWND hwnd, WPARAM, LPARAM) {
    return OnFocus(hwnd, true);
}

LRESULT OnKillFocus(HWND hwnd, WPARAM, LPARAM) {
    return OnFocus(hwnd, false);
}

LRESULT OnGetSystemTime(HWND hwnd, WPARAM, LPARAM lParam) {
    auto* t = reinterpret_cast<SYSTEMTIME*>(lParam);
    if (t == nullptr)
        return GDT_ERROR;
    *t = S(hwnd).time;
    return GDT_VALID;
}

LRESULT OnSetSystemTime(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const auto* t = reinterpret_cast<const SYSTEMTIME*>(lParam);
    if (LRESULT(wParam) != GDT_VALID || t == nullptr || !IsValidSystemTime(*t))
        return FALSE;
    if (CompareSystemTimes(*t, S(hwnd).min) < 0 || CompareSystemTimes(*t, S(hwnd).max) > 0)
        return FALSE;
    S(hwnd).time = *t;
    SetDayOfWeek(&S(hwnd).time);
    InvalidateRect(hwnd, nullptr, FALSE);
    return TRUE;
}

LRESULT OnGetRange(HWND hwnd, WPARAM, LPARAM lParam) {
    if (auto* range = reinterpret_cast<SYSTEMTIME*>(lParam)) {
        range[0] = S(hwnd).min;
        range[1] = S(hwnd).max;
    }
    return LRESULT(S(hwnd).rangeSet);
}

LRESULT OnSetRange(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const auto* range = reinterpret_cast<const SYSTEMTIME*>(lParam);
    if (range == nullptr)
        return FALSE;
    const DateTimeState unlimited;
    DateTimeState& s = S(hwnd);
    s.min = (wParam & GDTR_MIN) != 0 ? range[0] : unlimited.min;
    s.max = (wParam & GDTR_MAX) != 0 ? range[1] : unlimited.max;
    s.rangeSet = wParam & (GDTR_MIN | GDTR_MAX);
    s.time = Clamped(hwnd, s.time);
    InvalidateRect(hwnd, nullptr, FALSE);
    return TRUE;
}

LRESULT OnSetFormat(HWND hwnd, WPARAM, LPARAM lParam) {
    const auto* format = reinterpret_cast<const wchar_t*>(lParam);
    SetFormat(hwnd, format != nullptr ? format : DefaultFormat(hwnd));
    return TRUE;
}

LRESULT OnGetText(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    auto* buffer = reinterpret_cast<wchar_t*>(lParam);
    if (buffer == nullptr || wParam == 0)
        return 0;
    const std::wstring text = Shown(hwnd);
    const size_t n = std::min(text.size(), size_t(wParam) - 1);
    text.copy(buffer, n);
    buffer[n] = 0;
    return LRESULT(n);
}

LRESULT OnGetTextLength(HWND hwnd, WPARAM, LPARAM) {
    return LRESULT(Shown(hwnd).size());
}

LRESULT OnGetDlgCode(HWND, WPARAM, LPARAM) {
    return DLGC_WANTARROWS | DLGC_WANTCHARS;
}

LRESULT OnEnable(HWND hwnd, WPARAM, LPARAM) {
    InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

constexpr std::array kTable = {
    ControlEntry{WM_NCCREATE, CreateStateFor<DateTimeState>},
    ControlEntry{WM_NCDESTROY, DeleteStateOf<DateTimeState>},
    ControlEntry{WM_CREATE, OnCreate},
    ControlEntry{WM_PAINT, PaintThrough<PaintDateTime>},
    ControlEntry{WM_ERASEBKGND, PaintFillsBackground},
    ControlEntry{WM_LBUTTONDOWN, OnLButtonDown},
    ControlEntry{WM_LBUTTONDBLCLK, OnLButtonDown},
    ControlEntry{WM_KEYDOWN, OnKeyDown},
    ControlEntry{WM_CHAR, OnChar},
    ControlEntry{WM_SETFOCUS, OnSetFocus},
    ControlEntry{WM_KILLFOCUS, OnKillFocus},
    ControlEntry{DTM_GETSYSTEMTIME, OnGetSystemTime},
    ControlEntry{DTM_SETSYSTEMTIME, OnSetSystemTime},
    ControlEntry{DTM_GETRANGE, OnGetRange},
    ControlEntry{DTM_SETRANGE, OnSetRange},
    ControlEntry{DTM_SETFORMATW, OnSetFormat},
    ControlEntry{WM_GETTEXT, OnGetText},
    ControlEntry{WM_GETTEXTLENGTH, OnGetTextLength},
    ControlEntry{WM_SETFONT, SetStateFont<DateTimeState>},
    ControlEntry{WM_GETFONT, GetStateFont<DateTimeState>},
    ControlEntry{WM_GETDLGCODE, OnGetDlgCode},
    ControlEntry{WM_ENABLE, OnEnable},
};

}  // namespace

DateTimeState& DateTimeStateOf(HWND hwnd) {
    return *StateOf<DateTimeState>(hwnd);
}

LRESULT DateTimeWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_NCCREATE && StateOf<DateTimeState>(hwnd) == nullptr)
        return DefWindowProc(hwnd, message, wParam, lParam);
    return RouteControlMessage(kTable, hwnd, message, wParam, lParam);
}
