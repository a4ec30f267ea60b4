#include "platform/gdi/Text.h"

#include <string>

#include "platform/gdi/DcObject.h"
#include "platform/gdi/TextRun.h"

namespace {

Justification JustificationOf(const DcState& s) {
    return {s.justifyExtra, s.justifyBreaks, s.justifyUsed};
}

// Draws one run with the context's colours and mode, placed by the text
// alignment at (x, y) or at the current position, which it then moves on.
void DrawRun(DcObject& dc, Painter& painter, const TextRun& run, int x, int y) {
    DcState& s = dc.state();
    const FontMetrics& m = s.font->Realized().Metrics();
    bool updateCp = s.textAlign & TA_UPDATECP;
    if (updateCp)
        x = s.position.x, y = s.position.y;
    UINT horizontal = s.textAlign & TA_CENTER, vertical = s.textAlign & TA_BASELINE;
    int left = horizontal == TA_CENTER ? x - run.Width() / 2
                                       : (horizontal == TA_RIGHT ? x - run.Width() : x);
    int top = vertical == TA_BASELINE ? y - m.ascent : (vertical == TA_BOTTOM ? y - m.height : y);
    if (updateCp && horizontal != TA_CENTER) {
        s.position.x = horizontal == TA_RIGHT ? left : left + run.Width();
    }
    if (!painter.Drawable())
        return;
    if (s.bkMode == OPAQUE) {
        painter.FillRect(left, top, left + run.Width(), top + m.height, WordOfColorRef(s.bkColour));
    }
    run.Draw(painter, left, top, WordOfColorRef(s.textColour));
}

}  // namespace

BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    if (!object || !metrics)
        return FALSE;
    const FontMetrics& m = object->state().font->Realized().Metrics();
    *metrics = {};
    metrics->tmHeight = m.height;
    metrics->tmAscent = m.ascent;
    metrics->tmDescent = m.descent;
    metrics->tmInternalLeading = m.internalLeading;
    metrics->tmExternalLeading = m.externalLeading;
    metrics->tmAveCharWidth = m.aveCharWidth;
    metrics->tmMaxCharWidth = m.maxCharWidth;
    metrics->tmWeight = m.weight;
    metrics->tmDigitizedAspectX = metrics->tmDigitizedAspectY = 96;
    metrics->tmFirstChar = L' ';
    metrics->tmLastChar = wchar_t(0xFFFC);
    metrics->tmDefaultChar = L'?';
    metrics->tmBreakChar = L' ';
    metrics->tmItalic = m.italic;
    metrics->tmUnderlined = m.underline;
    metrics->tmStruckOut = m.strikeOut;
    // The low bit set means variable pitch, as GDI reports it.
    metrics->tmPitchAndFamily =
        BYTE((m.pitchAndFamily & 0xF0) | ((m.pitchAndFamily & 3) == FIXED_PITCH ? 0 : 1));
    metrics->tmCharSet = m.charSet;
    return TRUE;
}

BOOL GetTextExtentPoint32W(HDC dc, const wchar_t* text, int count, SIZE* size) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    if (!object || !size || count < 0 || (count && !text))
        return FALSE;
    RealizedFont& font = object->state().font->Realized();
    Justification j = JustificationOf(object->state());
    TextRun run(font, text, count, &j);
    *size = {run.Width(), font.Metrics().height};
    return TRUE;
}

BOOL TextOutW(HDC dc, int x, int y, const wchar_t* text, int count) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    if (!object || count < 0 || (count && !text))
        return FALSE;
    DcState& s = object->state();
    Justification j = JustificationOf(s);
    TextRun run(s.font->Realized(), text, count, &j);
    s.justifyUsed += run.Spaces();
    Painter painter(*object);
    DrawRun(*object, painter, run, x, y);
    return TRUE;
}

BOOL TextOutA(HDC dc, int x, int y, const char* text, int count) {
    if (count < 0 || (count && !text))
        return FALSE;
    std::wstring wide(size_t(count), L'\0');
    for (int i = 0; i < count; ++i)
        wide[size_t(i)] = wchar_t(static_cast<unsigned char>(text[i]));
    return TextOutW(dc, x, y, wide.data(), count);
}

BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, const wchar_t* text,
                 UINT count, const int* dx) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    if (!object || (count && !text))
        return FALSE;
    Painter painter(*object);
    DcState& s = object->state();
    if (rect && (options & ETO_OPAQUE)) {
        painter.FillRect(rect->left, rect->top, rect->right, rect->bottom,
                         WordOfColorRef(s.bkColour));
    }
    if (rect && (options & ETO_CLIPPED))
        painter.Restrict(rect->left, rect->top, rect->right, rect->bottom);
    if (count == 0)
        return TRUE;
    Justification j = JustificationOf(s);
    TextRun run(s.font->Realized(), text, int(count), &j, dx);
    s.justifyUsed += run.Spaces();
    DrawRun(*object, painter, run, x, y);
    return TRUE;
}

BOOL SetTextJustification(HDC dc, int extra, int breakCount) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    if (!object)
        return FALSE;
    DcState& s = object->state();
    s.justifyExtra = breakCount > 0 ? extra : 0;
    s.justifyBreaks = breakCount > 0 ? breakCount : 0;
    s.justifyUsed = 0;
    return TRUE;
}

UINT SetTextAlign(HDC dc, UINT align) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    if (!object)
        return GDI_ERROR;
    UINT previous = object->state().textAlign;
    object->state().textAlign = align & (TA_UPDATECP | TA_CENTER | TA_BASELINE);
    return previous;
}

UINT GetTextAlign(HDC dc) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    return object ? object->state().textAlign : GDI_ERROR;
}
