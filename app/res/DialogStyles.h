// Window and control styles shared by the dialog template sources.
#pragma once

#include "platform/user/ComboBoxControl.h"
#include "platform/user/DateTimeControl.h"
#include "platform/user/EditControl.h"
#include "platform/user/ListViewControl.h"
#include "platform/user/Styles.h"
#include "platform/user/TrackbarControl.h"

namespace dialog_styles {

// A skinned tool dialog: its own frame is painted over the system's thin one.
inline constexpr DWORD kToolDialog = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
// A panel that lives inside another dialog.
inline constexpr DWORD kChildDialog = WS_CHILD | DS_CONTROL | WS_CLIPCHILDREN;

inline constexpr DWORD kShown = WS_VISIBLE;
inline constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT;
// Skinned statics that take clicks (menu-bar labels) or only paint (panels).
inline constexpr DWORD kClickLabel = WS_VISIBLE | SS_NOTIFY;
inline constexpr DWORD kPanel = WS_VISIBLE | WS_CLIPCHILDREN;
inline constexpr DWORD kPush = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
// Skinned and slider buttons draw themselves entirely.
inline constexpr DWORD kOwnerDrawn = WS_VISIBLE | BS_OWNERDRAW;
inline constexpr DWORD kCheck = WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
inline constexpr DWORD kRadio = WS_VISIBLE | BS_AUTORADIOBUTTON;
inline constexpr DWORD kGroup = WS_VISIBLE | BS_GROUPBOX;
inline constexpr DWORD kEdit = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_LEFT | ES_AUTOHSCROLL;
inline constexpr DWORD kDropList = WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL;
inline constexpr DWORD kTrackbar = WS_VISIBLE | WS_TABSTOP | TBS_HORZ | TBS_BOTH | TBS_NOTICKS;
inline constexpr DWORD kPicker = WS_VISIBLE | WS_TABSTOP | DTS_SHORTDATEFORMAT;
inline constexpr DWORD kReportList =
    WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL;

}  // namespace dialog_styles
