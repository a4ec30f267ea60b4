#include <algorithm>

#include "platform/gdi/DcObject.h"
#include "platform/gdi/Text.h"
#include "platform/gdi/TextLayout.h"
#include "platform/gdi/TextRun.h"

namespace {

int Length(const wchar_t* text, int count) {
    if (count >= 0)
        return count;
    int n = 0;
    while (text[n])
        ++n;
    return n;
}

void DrawLine(DcObject& dc, Painter& painter, const LayoutLine& line, int x, int y, UINT format,
              int tabWidth) {
    const DcState& s = dc.state();
    RealizedFont& font = s.font->Realized();
    TextRun run(font, line.text.data(), int(line.text.size()), nullptr, nullptr, tabWidth);
    uint32_t colour = WordOfColorRef(s.textColour);
    if (!(format & DT_PREFIXONLY)) {
        if (s.bkMode == OPAQUE) {
            painter.FillRect(x, y, x + run.Width(), y + font.Metrics().height,
                             WordOfColorRef(s.bkColour));
        }
        run.Draw(painter, x, y, colour);
    }
    for (size_t i = 0; i < line.prefixed.size(); ++i) {
        if (line.prefixed[i])
            run.Underline(painter, x, y, int(i), int(i) + 1, colour);
    }
}

}  // namespace

int DrawTextW(HDC dc, const wchar_t* text, int count, RECT* rect, UINT format) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    if (!object || !rect || (!text && count != 0))
        return 0;
    RealizedFont& font = object->state().font->Realized();
    const FontMetrics& m = font.Metrics();
    int width = rect->right - rect->left;
    // Tab stops every eight average characters.
    int tabWidth = (format & DT_EXPANDTABS) ? 8 * m.aveCharWidth : 0;
    TextLayout layout(font, text, text ? Length(text, count) : 0, format, width, tabWidth);
    int lineHeight = m.height + ((format & DT_EXTERNALLEADING) ? m.externalLeading : 0);
    int height = lineHeight * int(layout.Lines().size());
    int y = rect->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = rect->top + (rect->bottom - rect->top - lineHeight) / 2;
        if (format & DT_BOTTOM)
            y = rect->bottom - lineHeight;
    }
    int result = (format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM))
                     ? y - rect->top + height
                     : height;
    if (format & DT_CALCRECT) {
        rect->right = rect->left + layout.Widest();
        rect->bottom = rect->top + height;
        return height;
    }
    Painter painter(*object);
    if (!(format & DT_NOCLIP))
        painter.Restrict(rect->left, rect->top, rect->right, rect->bottom);
    if (!painter.Drawable())
        return result;
    for (const LayoutLine& line : layout.Lines()) {
        int x = rect->left;
        if (format & DT_CENTER)
            x = rect->left + (width - line.width) / 2;
        if (format & DT_RIGHT)
            x = rect->right - line.width;
        DrawLine(*object, painter, line, x, y, format, tabWidth);
        y += lineHeight;
    }
    return result;
}

int DrawShadowText(HDC dc, const wchar_t* text, UINT count, RECT* rect, DWORD format,
                   COLORREF colour, COLORREF shadow, int dx, int dy) {
    if (!rect || GetBkMode(dc) == 0)
        return 0;
    COLORREF oldColour = GetTextColor(dc);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    RECT shifted{rect->left + dx, rect->top + dy, rect->right + dx, rect->bottom + dy};
    SetTextColor(dc, shadow);
    DrawTextW(dc, text, int(count), &shifted, format);
    SetTextColor(dc, colour);
    int result = DrawTextW(dc, text, int(count), rect, format);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    return result;
}
