// Inside the window system: the one look of what it draws itself, the
// frames and captions of the default window procedure, the standard
// controls, menus and the common dialogs: dark, flat and readable, made to sit
// beside the program's own dark skin. Every colour is chosen here.
#pragma once

#include "platform/user/UserTypes.h"

struct Theme {
    // Frames and captions.
    COLORREF frameActive;
    COLORREF frameInactive;
    COLORREF captionActive;
    COLORREF captionInactive;
    COLORREF captionText;
    COLORREF captionTextInactive;
    COLORREF captionBoxHot;  // under the pointer or pressed
    COLORREF closeBoxHot;    // the close box under the pointer or pressed
    COLORREF captionGlyph;   // the boxes' signs
    // Dialogs and controls.
    COLORREF face;  // dialog background, push buttons' ground
    COLORREF text;
    COLORREF grayText;
    COLORREF button;  // a push button's face
    COLORREF buttonPressed;
    COLORREF edge;   // the thin line round buttons and fields
    COLORREF field;  // edits, lists, drop lists
    COLORREF fieldText;
    COLORREF selection;
    COLORREF selectionText;
    COLORREF accent;  // focus rings, checked boxes, progress
    COLORREF header;  // a list's column header
    COLORREF grid;    // lines between a list's cells
    COLORREF scrollTrack;
    COLORREF scrollThumb;
    COLORREF tipBack;
    COLORREF tipText;
};

inline constexpr Theme kTheme{
    RGB(0x45, 0x48, 0x50),  // frameActive
    RGB(0x33, 0x35, 0x3A),  // frameInactive
    RGB(0x26, 0x28, 0x2D),  // captionActive
    RGB(0x1F, 0x20, 0x24),  // captionInactive
    RGB(0xEE, 0xEF, 0xF1),  // captionText
    RGB(0x8C, 0x8F, 0x96),  // captionTextInactive
    RGB(0x3C, 0x3F, 0x46),  // captionBoxHot
    RGB(0xC4, 0x2B, 0x1C),  // closeBoxHot
    RGB(0xD4, 0xD6, 0xDA),  // captionGlyph
    RGB(0x2B, 0x2D, 0x31),  // face
    RGB(0xE4, 0xE5, 0xE8),  // text
    RGB(0x7A, 0x7D, 0x85),  // grayText
    RGB(0x3A, 0x3D, 0x43),  // button
    RGB(0x2F, 0x6F, 0xD0),  // buttonPressed
    RGB(0x52, 0x55, 0x5D),  // edge
    RGB(0x1B, 0x1C, 0x20),  // field
    RGB(0xE8, 0xE9, 0xEC),  // fieldText
    RGB(0x2F, 0x6F, 0xD0),  // selection
    RGB(0xFF, 0xFF, 0xFF),  // selectionText
    RGB(0x4C, 0x93, 0xF5),  // accent
    RGB(0x33, 0x35, 0x3B),  // header
    RGB(0x30, 0x32, 0x37),  // grid
    RGB(0x22, 0x23, 0x27),  // scrollTrack
    RGB(0x55, 0x58, 0x60),  // scrollThumb
    RGB(0x33, 0x35, 0x3B),  // tipBack
    RGB(0xEE, 0xEF, 0xF1),  // tipText
};

// A solid brush of `colour`, made once and kept for the process (any thread).
HBRUSH ThemeBrush(COLORREF colour);
// A thin chevron centred on (cx, cy), pointing down or up: the sign of drop
// lists and spin buttons.
void DrawThemeChevron(HDC dc, int cx, int cy, bool down, COLORREF ink);
