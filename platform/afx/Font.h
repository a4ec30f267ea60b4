// A font the object owns.
#pragma once

#include "platform/afx/GdiObject.h"

class CFont : public CGdiObject {
public:
    BOOL CreateFontIndirect(const LOGFONTW* font) {
        return Attach(::CreateFontIndirectW(font)) ? TRUE : FALSE;
    }
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                    BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, const wchar_t* face) {
        return Attach(::CreateFontW(height, width, escapement, orientation, weight, italic,
                                    underline, strikeOut, charSet, outPrecision, clipPrecision,
                                    quality, pitchAndFamily, face))
                   ? TRUE
                   : FALSE;
    }
    // `pointSize` in tenths of a point, at 96 dpi.
    BOOL CreatePointFont(int pointSize, const wchar_t* face);
    int GetLogFont(LOGFONTW* out) const { return GetObject(sizeof(LOGFONTW), out); }
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};
