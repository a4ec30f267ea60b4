// Inside the window system: the vertical scroll bar of a list whose rows do
// not all fit (and the horizontal one of columns wider than it), shared by
// the list view and the common dialogs' choice list. A press above or below
// the thumb scrolls a page, a press on it starts a drag that moves the first
// row shown with the pointer; the wheel scrolls three rows a notch. Drawn in
// the window system's look (Theme.h).
#pragma once

#include "platform/user/UserTypes.h"

inline constexpr int kRowScrollBarWidth = 14;

struct RowScroll {
    int rows = 0;     // in the list
    int perPage = 1;  // that fit whole
    int top = 0;      // the first shown
    bool Needed() const { return rows > perPage; }
    int MaxTop() const { return rows > perPage ? rows - perPage : 0; }
};

// The thumb inside `bar` (both in client coordinates).
RECT RowScrollThumb(const RECT& bar, const RowScroll& s);
// The first row to show after a press at `y` beside the thumb; -1 when the
// press is on the thumb (a drag begins).
int RowScrollPress(const RECT& bar, const RowScroll& s, int y);
// The first row to show while the thumb, taken `grab` pixels below its top,
// is dragged to `y`.
int RowScrollDrag(const RECT& bar, const RowScroll& s, int y, int grab);
// The first row to show after the wheel turned by `delta` (WHEEL_DELTA a notch).
int RowScrollWheel(const RowScroll& s, int delta);
void PaintRowScrollBar(HDC dc, const RECT& bar, const RowScroll& s);

// The same along a horizontal strip, for columns wider than the list: the
// units are pixels of the columns (`rows` their width, `perPage` the width
// shown, `top` the first shown), positions are x coordinates.
RECT ColumnScrollThumb(const RECT& bar, const RowScroll& s);
int ColumnScrollPress(const RECT& bar, const RowScroll& s, int x);
int ColumnScrollDrag(const RECT& bar, const RowScroll& s, int x, int grab);
void PaintColumnScrollBar(HDC dc, const RECT& bar, const RowScroll& s);
