#include "platform/gdi/Font.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/FontLibrary.h"
#include "platform/gdi/FontObject.h"

int FontObject::Describe(int size, void* out) const {
    if (!out)
        return int(sizeof font_);
    int n = std::min<int>(size, sizeof font_);
    std::memcpy(out, &font_, size_t(n));
    return n;
}

RealizedFont& FontObject::Realized() const {
    std::call_once(once_, [this] { realized_ = FontLibrary::Instance().Realize(font_); });
    return *realized_;
}

HFONT CreateFontIndirectW(const LOGFONTW* font) {
    if (!font)
        return nullptr;
    LOGFONTW copy = *font;
    copy.lfFaceName[LF_FACESIZE - 1] = 0;
    return static_cast<HFONT>(RegisterGdiObject(std::make_shared<FontObject>(copy)));
}

HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                  DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily,
                  const wchar_t* faceName) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = BYTE(italic != 0);
    lf.lfUnderline = BYTE(underline != 0);
    lf.lfStrikeOut = BYTE(strikeOut != 0);
    lf.lfCharSet = BYTE(charSet);
    lf.lfOutPrecision = BYTE(outPrecision);
    lf.lfClipPrecision = BYTE(clipPrecision);
    lf.lfQuality = BYTE(quality);
    lf.lfPitchAndFamily = BYTE(pitchAndFamily);
    for (int i = 0; faceName && faceName[i] && i < LF_FACESIZE - 1; ++i) {
        lf.lfFaceName[i] = faceName[i];
    }
    return CreateFontIndirectW(&lf);
}

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                  DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, const char* faceName) {
    wchar_t wide[LF_FACESIZE] = {};
    for (int i = 0; faceName && faceName[i] && i < LF_FACESIZE - 1; ++i) {
        wide[i] = wchar_t(static_cast<unsigned char>(faceName[i]));
    }
    return CreateFontW(height, width, escapement, orientation, weight, italic, underline, strikeOut,
                       charSet, outPrecision, clipPrecision, quality, pitchAndFamily, wide);
}
