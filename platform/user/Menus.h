// Menus: menu handles with their items, resource menus with nested popups,
// and the modal popup-menu loop (TrackPopupMenu), drawn by us.
//
// A menu is a list of items; an item is a text with a command id, a
// separator, or a popup entry that opens a sub-menu. Menus live behind a
// handle table of their own: a stale handle makes every call fail harmlessly.
// Any thread may build, change and query menus; one lock of MenuTable.cpp
// guards them. Destroying a menu destroys its sub-menus.
//
// TrackPopupMenu runs on the thread of its owner window and returns when the
// menu closes: by a choice (mouse or keyboard), by Escape, by a press outside
// the menu, by EndMenu or WM_CANCELMODE, or when the owner goes. Before the
// menu and each sub-menu show, the owner receives WM_INITMENUPOPUP (wParam the
// menu, lParam the item's position in its parent menu), so that it can
// update the items; whenever the loop has nothing to do it sends the owner
// WM_ENTERIDLE (MSGF_MENU, the topmost menu window). A chosen command is
// posted to the owner as WM_COMMAND, or returned with TPM_RETURNCMD. Messages
// sent from other threads are served while the menu is open.
//
// Keyboard: Up and Down move the highlight, Right or Enter opens a sub-menu,
// Left closes one, Escape closes one level (the last closes the menu), Enter
// chooses, and a letter marked with '&' chooses its item. Mouse: moving over
// an item highlights it (and opens its sub-menu), releasing a button on an
// item chooses it (the right button too with TPM_RIGHTBUTTON).
#pragma once

#include "platform/user/MenuTemplate.h"
#include "platform/user/UserTypes.h"

// Item flags (MF_*), also the answer of GetMenuState.
inline constexpr UINT MF_BYCOMMAND = 0x0000;
inline constexpr UINT MF_BYPOSITION = 0x0400;
inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_ENABLED = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_DISABLED = 0x0002;
inline constexpr UINT MF_UNCHECKED = 0x0000;
inline constexpr UINT MF_CHECKED = 0x0008;
inline constexpr UINT MF_POPUP = 0x0010;
inline constexpr UINT MF_HILITE = 0x0080;
inline constexpr UINT MF_SEPARATOR = 0x0800;

// TrackPopupMenu flags.
inline constexpr UINT TPM_LEFTBUTTON = 0x0000;
inline constexpr UINT TPM_RIGHTBUTTON = 0x0002;
inline constexpr UINT TPM_LEFTALIGN = 0x0000;
inline constexpr UINT TPM_CENTERALIGN = 0x0004;
inline constexpr UINT TPM_RIGHTALIGN = 0x0008;
inline constexpr UINT TPM_TOPALIGN = 0x0000;
inline constexpr UINT TPM_VCENTERALIGN = 0x0010;
inline constexpr UINT TPM_BOTTOMALIGN = 0x0020;
inline constexpr UINT TPM_NONOTIFY = 0x0080;
inline constexpr UINT TPM_RETURNCMD = 0x0100;

// Menu messages.
inline constexpr UINT WM_INITMENU = 0x0116;
inline constexpr UINT WM_MENUSELECT = 0x011F;
inline constexpr UINT WM_ENTERIDLE = 0x0121;
inline constexpr UINT WM_UNINITMENUPOPUP = 0x0125;
inline constexpr UINT WM_ENTERMENULOOP = 0x0211;
inline constexpr UINT WM_EXITMENULOOP = 0x0212;
inline constexpr WPARAM MSGF_DIALOGBOX = 0;
inline constexpr WPARAM MSGF_MENU = 2;

// The class of the popup menu windows.
inline const wchar_t* const kMenuClassName = L"#32768";

HMENU CreateMenu();
HMENU CreatePopupMenu();
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);

// `item` is a command id, or with MF_POPUP the sub-menu (which the menu then
// owns). With MF_BYCOMMAND the item is looked for in the sub-menus too.
BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR item, const wchar_t* text);
BOOL InsertMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR item, const wchar_t* text);
// Replaces an item's flags, id and text. A popup entry changed without
// MF_POPUP keeps its sub-menu (and stays a popup entry).
BOOL ModifyMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR item, const wchar_t* text);
// DeleteMenu destroys a removed entry's sub-menu; RemoveMenu leaves it to the caller.
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);

int GetMenuItemCount(HMENU menu);
// The command id; UINT(-1) for a popup entry or no such item.
UINT GetMenuItemID(HMENU menu, int position);
HMENU GetSubMenu(HMENU menu, int position);
// The item's text (cut to size - 1), its length; with a null buffer, only the length.
int GetMenuStringW(HMENU menu, UINT item, wchar_t* buffer, int size, UINT flags);
// The item's MF_* state bits, for a popup entry with its item count in the
// high byte; UINT(-1) for no such item.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
// The previous check state (MF_CHECKED or MF_UNCHECKED), or DWORD(-1).
DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
// The previous MF_GRAYED/MF_DISABLED bits, or BOOL(-1).
BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags);

// A new menu built from the menu resource `name` (MAKEINTRESOURCEW(id)),
// owned by the caller; null for an unknown one.
HMENU LoadMenuW(HINSTANCE instance, const wchar_t* name);
HMENU LoadMenuIndirectW(const MenuTemplate* menu);

// `x`, `y` in screen coordinates; `rect` is not used. See above.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                    const RECT* rect);
// Closes the menu the calling thread has open.
BOOL EndMenu();
// The screen rectangle of an item of a menu open on screen (`window` may be
// the owner or null).
BOOL GetMenuItemRect(HWND window, HMENU menu, UINT position, RECT* rect);

inline BOOL AppendMenu(HMENU m, UINT f, UINT_PTR i, const wchar_t* t) {
    return AppendMenuW(m, f, i, t);
}
inline BOOL InsertMenu(HMENU m, UINT p, UINT f, UINT_PTR i, const wchar_t* t) {
    return InsertMenuW(m, p, f, i, t);
}
inline BOOL ModifyMenu(HMENU m, UINT p, UINT f, UINT_PTR i, const wchar_t* t) {
    return ModifyMenuW(m, p, f, i, t);
}
inline int GetMenuString(HMENU m, UINT i, wchar_t* b, int n, UINT f) {
    return GetMenuStringW(m, i, b, n, f);
}
inline HMENU LoadMenu(HINSTANCE i, const wchar_t* n) {
    return LoadMenuW(i, n);
}
