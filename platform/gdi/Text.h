// Text drawn with the selected font in the text colour, on a box of the
// background colour in OPAQUE mode. TextOut's position is the text cell's
// top-left corner unless SetTextAlign says otherwise. Text is wchar_t (UTF-32); characters that
// neither the face nor its fallbacks have advance by the face's missing-glyph box.
#pragma once

#include "platform/gdi/Font.h"
#include "platform/gdi/GdiTypes.h"

inline constexpr UINT DT_TOP = 0x00000000;
inline constexpr UINT DT_LEFT = 0x00000000;
inline constexpr UINT DT_CENTER = 0x00000001;
inline constexpr UINT DT_RIGHT = 0x00000002;
inline constexpr UINT DT_VCENTER = 0x00000004;  // with DT_SINGLELINE only
inline constexpr UINT DT_BOTTOM = 0x00000008;   // with DT_SINGLELINE only
inline constexpr UINT DT_WORDBREAK = 0x00000010;
inline constexpr UINT DT_SINGLELINE = 0x00000020;
inline constexpr UINT DT_EXPANDTABS = 0x00000040;
inline constexpr UINT DT_TABSTOP = 0x00000080;
inline constexpr UINT DT_NOCLIP = 0x00000100;
inline constexpr UINT DT_EXTERNALLEADING = 0x00000200;
inline constexpr UINT DT_CALCRECT = 0x00000400;
inline constexpr UINT DT_NOPREFIX = 0x00000800;
inline constexpr UINT DT_INTERNAL = 0x00001000;
inline constexpr UINT DT_EDITCONTROL = 0x00002000;
inline constexpr UINT DT_PATH_ELLIPSIS = 0x00004000;
inline constexpr UINT DT_END_ELLIPSIS = 0x00008000;
inline constexpr UINT DT_MODIFYSTRING = 0x00010000;
inline constexpr UINT DT_RTLREADING = 0x00020000;
inline constexpr UINT DT_WORD_ELLIPSIS = 0x00040000;
inline constexpr UINT DT_NOFULLWIDTHCHARBREAK = 0x00080000;
inline constexpr UINT DT_HIDEPREFIX = 0x00100000;
inline constexpr UINT DT_PREFIXONLY = 0x00200000;

inline constexpr UINT TA_NOUPDATECP = 0;
inline constexpr UINT TA_UPDATECP = 1;
inline constexpr UINT TA_LEFT = 0;
inline constexpr UINT TA_RIGHT = 2;
inline constexpr UINT TA_CENTER = 6;
inline constexpr UINT TA_TOP = 0;
inline constexpr UINT TA_BOTTOM = 8;
inline constexpr UINT TA_BASELINE = 24;
inline constexpr UINT GDI_ERROR = 0xFFFFFFFF;

inline constexpr UINT ETO_OPAQUE = 0x0002;
inline constexpr UINT ETO_CLIPPED = 0x0004;

BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics);
inline BOOL GetTextMetrics(HDC dc, TEXTMETRICW* metrics) {
    return GetTextMetricsW(dc, metrics);
}

// Width of the characters (with the justification set) by the cell height.
BOOL GetTextExtentPoint32W(HDC dc, const wchar_t* text, int count, SIZE* size);
inline BOOL GetTextExtentPoint32(HDC dc, const wchar_t* text, int count, SIZE* size) {
    return GetTextExtentPoint32W(dc, text, count, size);
}

BOOL TextOutW(HDC dc, int x, int y, const wchar_t* text, int count);
inline BOOL TextOut(HDC dc, int x, int y, const wchar_t* text, int count) {
    return TextOutW(dc, x, y, text, count);
}
// The text is read as Latin-1.
BOOL TextOutA(HDC dc, int x, int y, const char* text, int count);

// Where TextOut and ExtTextOut place text relative to their point: left,
// right or centre; top, bottom or baseline; with TA_UPDATECP at the current
// position, which moves past the text (not when centred). Saved with the
// state; DrawText ignores it.
UINT SetTextAlign(HDC dc, UINT align);
UINT GetTextAlign(HDC dc);

// ETO_OPAQUE fills `rect` with the background colour (also without text),
// ETO_CLIPPED clips the text to it. `dx` (per-character advances) may be null.
BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, const wchar_t* text,
                 UINT count, const int* dx);

// Spreads `extra` pixels over the next `breakCount` spaces of TextOut and
// GetTextExtentPoint32; the remainder goes one pixel each to the first
// spaces, and TextOut carries on where the previous call stopped. (0, 0)
// resets.
BOOL SetTextJustification(HDC dc, int extra, int breakCount);

// Lays out and draws `text` (count -1: up to the terminator) in `rect` by the
// DT_* flags: lines at "\n" (and "\r\n") unless DT_SINGLELINE, DT_WORDBREAK
// at spaces (a word wider than the rectangle keeps its own line),
// DT_END_ELLIPSIS shortens a line that does not fit to end in "...", "&"
// underlines the next character ("&&" is "&") unless DT_NOPREFIX. Clipped to
// `rect` unless DT_NOCLIP; DT_EXPANDTABS sets tab stops every eight average
// character widths. DT_CALCRECT only sets `rect`'s right and bottom to
// the extent of the laid-out text. Returns the text's height, or with
// DT_VCENTER or DT_BOTTOM its bottom's offset from rect->top; 0 on failure.
int DrawTextW(HDC dc, const wchar_t* text, int count, RECT* rect, UINT format);
inline int DrawText(HDC dc, const wchar_t* text, int count, RECT* rect, UINT format) {
    return DrawTextW(dc, text, count, rect, format);
}

// DrawText of the text in `shadow` offset by (dx, dy), then in `colour` at
// its place, both transparent; the context's colours and mode are kept.
int DrawShadowText(HDC dc, const wchar_t* text, UINT count, RECT* rect, DWORD format,
                   COLORREF colour, COLORREF shadow, int dx, int dy);
