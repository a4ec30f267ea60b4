// Check marks of a dialog's buttons by control id.
#pragma once

#include "platform/user/UserTypes.h"

BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
// Checks `check` and unchecks every other button with an id from `first` to `last`.
BOOL CheckRadioButton(HWND dialog, int first, int last, int check);
