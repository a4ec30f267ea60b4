// Inside the window system: the state of a date-time picker and the
// geometry its window procedure (DateTimeControl.cpp) and its painting
// (DateTimePaint.cpp) share. Used on the control's thread.
#pragma once

#include <string>
#include <vector>

#include "platform/user/ControlSupport.h"
#include "platform/user/DateTimeFormat.h"

inline constexpr int kDateTimeMargin = 3;
inline constexpr int kDateTimeSpinWidth = 16;

struct DateTimeState {
    SYSTEMTIME time{};
    SYSTEMTIME min{1601, 1, 1, 1, 0, 0, 0, 0};
    SYSTEMTIME max{9999, 12, 5, 31, 23, 59, 59, 0};
    WPARAM rangeSet = 0;  // GDTR_* given by DTM_SETRANGE
    std::vector<FormatPart> parts;
    int selected = -1;   // index into parts of the selected field
    std::wstring typed;  // digits typed into the selected field so far
    HFONT font = nullptr;
    bool focused = false;
};

DateTimeState& DateTimeStateOf(HWND hwnd);
// Left edges of each part, and the end of the text, in client pixels.
std::vector<int> DateTimePartEdges(HWND hwnd);
// The spin buttons at the right: the upper half steps up, the lower down.
RECT DateTimeSpinRect(HWND hwnd);
void PaintDateTime(HWND hwnd, HDC dc);
