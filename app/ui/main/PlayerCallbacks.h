// The callbacks the main window registers with the player library. They run
// on the library's threads and reach the window through g_pMainDlg: they set
// the play state and the flags of PlaybackGlobals.h, hand texts and images to
// the window, post private messages where the UI thread must act, and send
// the follow-up command of a chain (stop, then close, then open or replay).
//
// Between a result and the command it triggers they wait kCommandSpacingMs
// on the injectable clock, because the library keeps one pending command and
// loses one that arrives while another is being carried out.
#pragma once

#include "shared/PlayerInterface.h"

inline constexpr DWORD kCommandSpacingMs = 500;

// A command result (zMsgCode); the value is not read.
void OnPlayerStatus(int code, int value);
// A disk, card or rebuild result (kind a zOpenedType, status a zSourceStatus).
void OnSourceResult(int kind, const char* name, int status);
// Registered and never acted on.
void OnPlayerReserved(int, int, int, int);
// Errors: the two about the index file are shown, the others ignored.
void OnPlayerError(int code, DWORD systemError, int value);
