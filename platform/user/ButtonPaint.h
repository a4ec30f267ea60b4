// Inside the window system: how the button control draws each of its kinds.
// `state` holds the BST_* flags; `font` may be null (the default font).
#pragma once

#include "platform/user/UserTypes.h"

void PaintPushButton(HWND hwnd, HDC dc, RECT r, UINT state, HFONT font);
// Check boxes and radio buttons: the mark at the left, the text beside it, on
// the parent's WM_CTLCOLORSTATIC colours.
void PaintCheckButton(HWND hwnd, HDC dc, RECT r, UINT state, HFONT font, bool radio);
// A group box: an etched frame with the text set into its top edge; the
// inside is left to what lies beneath.
void PaintGroupBox(HWND hwnd, HDC dc, RECT r, HFONT font);

// Size of the check box and radio button mark, in pixels.
inline constexpr int kCheckMarkSize = 13;
