#include "app/controls/draw/QoDrawManager.h"

namespace {

HPEN MakePen(int penType, int width, COLORREF colour) {
    int style = PS_SOLID;
    switch (penType) {
        case PEN_DASH:
            style = PS_DASH;
            break;
        case PEN_DOT:
            style = PS_DOT;
            break;
        case PEN_DASHDOT:
            style = PS_DASHDOT;
            break;
        case PEN_DASHDOTDOT:
            style = PS_DASHDOTDOT;
            break;
        default:
            break;
    }
    return CreatePen(style, width, colour);
}

void Corner(HDC dc, POINT a, POINT b, POINT c) {
    MoveToEx(dc, a.x, a.y, nullptr);
    LineTo(dc, b.x, b.y);
    LineTo(dc, c.x, c.y);
}

}  // namespace

void CQoDrawManager::DrawRectangle(HDC dc, LPCRECT rect, COLORREF topLeft, COLORREF bottomRight,
                                   int penType, int width) {
    DrawRectangle(dc, rect->left, rect->top, rect->right, rect->bottom, topLeft, bottomRight,
                  penType, width);
}

void CQoDrawManager::DrawRectangle(HDC dc, int left, int top, int right, int bottom,
                                   COLORREF topLeft, COLORREF bottomRight, int penType, int width) {
    if (penType == PEN_NONE || width < 1)
        return;
    const int inset = width / 2;
    left += inset;
    top += inset;
    right -= inset;
    bottom -= inset;
    const int d = 2 * width;
    HPEN pen = MakePen(penType, width, topLeft);
    HGDIOBJ old = SelectObject(dc, pen);
    Corner(dc, {left, bottom}, {left, top}, {right, top});
    if (penType == PEN_DOUBLE)
        Corner(dc, {left + d, bottom - d}, {left + d, top + d}, {right - d, top + d});
    if (bottomRight != topLeft) {
        SelectObject(dc, old);
        DeleteObject(pen);
        pen = MakePen(penType, width, bottomRight);
        SelectObject(dc, pen);
    }
    Corner(dc, {right, top}, {right, bottom}, {left, bottom});
    if (penType == PEN_DOUBLE)
        Corner(dc, {right - d, top + d}, {right - d, bottom - d}, {left + d, bottom - d});
    SelectObject(dc, old);
    DeleteObject(pen);
}

void CQoDrawManager::DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour, int penType,
                              int width) {
    if (penType == PEN_NONE || width < 1)
        return;
    HPEN pen = MakePen(penType, width, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    if (penType == PEN_DOUBLE) {
        const int d = 2 * width;
        if (x1 != x2) {
            y1 += d;
            y2 += d;
        }
        if (y1 != y2) {
            x1 += d;
            x2 += d;
        }
        MoveToEx(dc, x1, y1, nullptr);
        LineTo(dc, x2, y2);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}
