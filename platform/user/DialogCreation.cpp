#include "platform/gdi/Gdi.h"
#include "platform/user/DialogState.h"
#include "platform/user/Dialogs.h"
#include "platform/user/Focus.h"
#include "platform/user/Geometry.h"
#include "platform/user/Messaging.h"
#include "platform/user/Placement.h"
#include "platform/user/Rects.h"
#include "platform/user/Resources.h"
#include "platform/user/SystemClasses.h"
#include "platform/user/WindowApi.h"
#include "platform/user/WindowTable.h"

namespace {

// What DefDlgProc takes from the creation parameters at WM_NCCREATE.
struct DialogCreation {
    DLGPROC proc;
    HFONT font;
    SIZE baseUnits;
};

bool IsStandardFont(const DialogTemplate& t) {
    return t.pointSize == 8 && (t.fontFace == L"MS Shell Dlg" || t.fontFace == L"MS Shell Dlg 2");
}

HFONT MakeFont(const DialogTemplate& t) {
    return CreateFontW(-MulDiv(t.pointSize, 96, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                       0, 0, 0, 0, t.fontFace.c_str());
}

// The standard font's units are fixed; others are measured as the average
// width of the alphabet and the cell height.
SIZE BaseUnits(const DialogTemplate& t, HFONT font) {
    if (IsStandardFont(t))
        return SIZE{6, 13};
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, font);
    SIZE extent{};
    const wchar_t* alphabet = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    GetTextExtentPoint32W(dc, alphabet, 52, &extent);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    DeleteDC(dc);
    return SIZE{(extent.cx / 26 + 1) / 2, tm.tmHeight};
}

RECT ToPixels(SIZE units, short x, short y, short cx, short cy) {
    const int left = MulDiv(x, units.cx, 4);
    const int top = MulDiv(y, units.cy, 8);
    return RECT{left, top, left + MulDiv(cx, units.cx, 4), top + MulDiv(cy, units.cy, 8)};
}

DWORD WindowExStyle(const DialogTemplate& t) {
    DWORD ex = t.exStyle;
    if ((t.style & DS_MODALFRAME) != 0)
        ex |= WS_EX_DLGMODALFRAME;
    if ((t.style & DS_CONTROL) != 0)
        ex |= WS_EX_CONTROLPARENT;
    return ex;
}

// The dialog's window rectangle: the template gives the client area,
// relative to the owner's client area (or, with DS_CENTER, centred over the
// owner, or the work area without one), kept on the work area.
RECT Placement(const DialogTemplate& t, SIZE units, HWND parent) {
    RECT r = ToPixels(units, t.x, t.y, t.cx, t.cy);
    const DWORD style = t.style & ~WS_VISIBLE;
    AdjustWindowRectEx(&r, style, FALSE, WindowExStyle(t));
    if ((t.style & WS_CHILD) != 0)
        return r;
    POINT origin{0, 0};
    if (parent != nullptr)
        ClientToScreen(parent, &origin);
    OffsetRect(&r, origin.x, origin.y);
    if ((t.style & DS_CENTER) != 0) {
        // Over the owner where it is now (a window manager may have moved
        // it), the work area without a visible one.
        RECT area = WorkArea();
        if (parent != nullptr && IsWindowVisible(parent) && !IsIconic(parent))
            GetWindowRect(parent, &area);
        const LONG w = r.right - r.left;
        const LONG h = r.bottom - r.top;
        OffsetRect(&r, area.left + ((area.right - area.left) - w) / 2 - r.left,
                   area.top + ((area.bottom - area.top) - h) / 2 - r.top);
    }
    return KeptOnWorkArea(r);
}

bool MakeControls(HWND dialog, const DialogTemplate& t, SIZE units, HFONT font,
                  HINSTANCE instance) {
    for (const DialogItemTemplate& item : t.items) {
        const RECT r = ToPixels(units, item.x, item.y, item.cx, item.cy);
        HWND control = CreateWindowExW(
            item.exStyle | WS_EX_NOPARENTNOTIFY, item.className.c_str(), item.text.c_str(),
            item.style | WS_CHILD, r.left, r.top, r.right - r.left, r.bottom - r.top, dialog,
            reinterpret_cast<HMENU>(intptr_t(item.id)), instance, nullptr);
        if (control == nullptr)
            return false;
        SendMessage(control, WM_SETFONT, WPARAM(font), FALSE);
    }
    return true;
}

}  // namespace

void InstallDialogState(HWND hwnd, LPARAM createParams) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(createParams);
    const auto* creation =
        cs != nullptr ? static_cast<const DialogCreation*>(cs->lpCreateParams) : nullptr;
    auto state = std::make_unique<DialogState>();
    if (creation != nullptr) {
        state->font = creation->font;
        state->baseUnitX = creation->baseUnits.cx;
        state->baseUnitY = creation->baseUnits.cy;
    }
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(hwnd);
        if (w == nullptr)
            return;
        w->dialog = std::move(state);
    }
    if (creation != nullptr)
        SetWindowLongPtr(hwnd, DWLP_DLGPROC, LONG_PTR(creation->proc));
}

HWND CreateDialogIndirectParamW(HINSTANCE instance, const DialogTemplate* t, HWND parent,
                                DLGPROC proc, LPARAM initParam) {
    if (t == nullptr)
        return nullptr;
    HFONT font = MakeFont(*t);
    DialogCreation creation{proc, font, BaseUnits(*t, font)};
    const RECT r = Placement(*t, creation.baseUnits, parent);
    HWND dialog = CreateWindowExW(WindowExStyle(*t), kDialogClassName, t->title.c_str(),
                                  t->style & ~WS_VISIBLE, r.left, r.top, r.right - r.left,
                                  r.bottom - r.top, parent, nullptr, instance, &creation);
    if (dialog == nullptr) {
        DeleteObject(font);
        return nullptr;
    }
    if (!MakeControls(dialog, *t, creation.baseUnits, font, instance)) {
        DestroyWindow(dialog);
        return nullptr;
    }
    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (SendMessage(dialog, WM_INITDIALOG, WPARAM(first), initParam) != 0 && first != nullptr)
        SetFocus(first);
    if (IsWindow(dialog) && (t->style & WS_VISIBLE) != 0)
        ShowWindow(dialog, SW_SHOWNORMAL);
    return IsWindow(dialog) ? dialog : nullptr;
}

HWND CreateDialogParamW(HINSTANCE instance, const wchar_t* name, HWND parent, DLGPROC proc,
                        LPARAM initParam) {
    return CreateDialogIndirectParamW(instance, FindDialogResource(name), parent, proc, initParam);
}
