// Fonts: a LOGFONT matched to an installed face through fontconfig. Face
// names match without regard to case; Arial, Verdana, Tahoma, Courier and
// "MS Shell Dlg" map to metric-compatible faces, and glyphs a face lacks come
// from a fallback chain (symbols, full-width punctuation, CJK). The face
// "Box" is synthetic, so layouts can be checked exactly: with h = |lfHeight|
// (16 when 0) the cell is h high, ascent h - h / 4, descent h / 4, no
// leading; every character advances lfWidth (h / 2 when 0, at least 1); a
// visible character is a filled box of its advance from the cell's top to the
// baseline, spaces and control characters have no ink; the underline is the
// row just below the baseline, the strikeout the row ascent / 2.
#pragma once

#include "platform/gdi/GdiTypes.h"

inline constexpr int LF_FACESIZE = 32;

inline constexpr int FW_DONTCARE = 0;
inline constexpr int FW_THIN = 100;
inline constexpr int FW_EXTRALIGHT = 200;
inline constexpr int FW_LIGHT = 300;
inline constexpr int FW_NORMAL = 400;
inline constexpr int FW_MEDIUM = 500;
inline constexpr int FW_SEMIBOLD = 600;
inline constexpr int FW_BOLD = 700;
inline constexpr int FW_EXTRABOLD = 800;
inline constexpr int FW_HEAVY = 900;

inline constexpr BYTE ANSI_CHARSET = 0;
inline constexpr BYTE DEFAULT_CHARSET = 1;
inline constexpr BYTE SYMBOL_CHARSET = 2;
inline constexpr BYTE GB2312_CHARSET = 134;
inline constexpr BYTE OEM_CHARSET = 255;

inline constexpr BYTE OUT_DEFAULT_PRECIS = 0;
inline constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
inline constexpr BYTE DEFAULT_QUALITY = 0;
inline constexpr BYTE NONANTIALIASED_QUALITY = 3;
inline constexpr BYTE ANTIALIASED_QUALITY = 4;
inline constexpr BYTE CLEARTYPE_QUALITY = 5;

inline constexpr BYTE DEFAULT_PITCH = 0;
inline constexpr BYTE FIXED_PITCH = 1;
inline constexpr BYTE VARIABLE_PITCH = 2;
inline constexpr BYTE FF_DONTCARE = 0x00;
inline constexpr BYTE FF_ROMAN = 0x10;
inline constexpr BYTE FF_SWISS = 0x20;
inline constexpr BYTE FF_MODERN = 0x30;
inline constexpr BYTE FF_SCRIPT = 0x40;
inline constexpr BYTE FF_DECORATIVE = 0x50;

struct LOGFONTW {
    LONG lfHeight;  // < 0: character (em) height; > 0: cell height; 0: 16-pixel cell
    LONG lfWidth;   // average character width; 0: the face's own proportions
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;  // 100..900, 0 = 400
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;  // NONANTIALIASED_QUALITY renders without grey levels
    BYTE lfPitchAndFamily;
    wchar_t lfFaceName[LF_FACESIZE];
};
using LOGFONT = LOGFONTW;

struct TEXTMETRICW {
    LONG tmHeight;  // ascent + descent
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;  // tmHeight - em height
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    wchar_t tmFirstChar;
    wchar_t tmLastChar;
    wchar_t tmDefaultChar;
    wchar_t tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
};
using TEXTMETRIC = TEXTMETRICW;

// Escapement and orientation are kept but text is always drawn horizontally.
HFONT CreateFontIndirectW(const LOGFONTW* font);
HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                  DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily,
                  const wchar_t* faceName);
// The face name is read as Latin-1.
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                  DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, const char* faceName);
inline HFONT CreateFontIndirect(const LOGFONTW* font) {
    return CreateFontIndirectW(font);
}
inline constexpr auto CreateFont = CreateFontW;
