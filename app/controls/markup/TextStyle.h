// The look of a run of markup: what a tag pushes on the drawer's style stack
// and what the style sheet's declarations set. Two styles are the same stack
// entry when their names are equal.
#pragma once

#include "platform/afx/String.h"
#include "platform/gdi/Gdi.h"

struct TextStyle {
    CString name;   // style class of the tag that pushed this style
    int size = 16;  // font cell height in pixels
    int weight = 400;
    BOOL italic = FALSE, underline = FALSE, strikeout = FALSE, overline = FALSE;
    CString family = L"Verdana";
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF backColor = RGB(255, 255, 255);
    COLORREF borderLight = RGB(0, 0, 0), borderDark = RGB(0, 0, 0);
    COLORREF backMid = RGB(255, 255, 255), backEnd = RGB(255, 255, 255);
    int backMode = 1;     // 1 transparent, 2 opaque (the DC's background mode)
    int backEffect = -1;  // BackgroundEffect, -1 none
    CString backImage;
    int hAlign = 0;       // 0 left, 1 centre, 2 right, 3 justify
    int vAlign = 3;       // 0 top, 1 middle, 2 bottom, 3 baseline
    int borderStyle = 0;  // draw manager pen type: 0 none, 1 solid, 2 dash, 3 dot, 6 double
    int borderWidth = 0;
    int width = 0, height = 0;  // of a table cell
    int transform = 0;          // 0 none, 1 upper, 2 lower, 3 capitalise
    int margin = 2;
    int padding = 0;
    int linkType = 0;  // 0 none, 1 href, 2 msg
    CString linkParam;
};

// One laid-out line: written by the measure pass, read by the draw pass.
struct LineInfo {
    int width = 0;   // pixels used from the line start
    int height = 0;  // ascent while measuring, the full height afterwards
    int descent = 0;
    int percent = 0;  // width to add, as a percentage of the available width
    int align = 0;    // as TextStyle::hAlign
    int breaks = 0;   // spaces on the line
    int wrapped = 0;  // 1 when the next piece did not fit
};

// A hyperlink's area recorded by a draw pass, in the pass's coordinates.
struct HotArea {
    RECT rect;
    int linkType;   // 1 href, 2 msg
    int linkIndex;  // number of the a tag in the text, from 0
    CString param;
};

// An animated image strip: the cell shown and how fast it moves.
struct AnimationInfo {
    int frame = 0;
    int count = 0;
    int tick = 0;
    int speed = 0;  // ticks per frame
};
