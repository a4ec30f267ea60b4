// CTextOverlay: the drawing surface of an AVI writer's burnt-in texts: a
// top-down 24-bit DIB section of the picture's size in a memory device
// context, with the overlay font selected. The writer converts a picture
// into the section's bits, draws its text lines and converts back.
//
// One writer owns one overlay and uses it on its own thread; the bits belong
// to the DIB section and live until Destroy.
#pragma once

#include <cstdint>
#include <string>

#include "platform/gdi/Gdi.h"

namespace oskulo {

class CTextOverlay {
public:
    CTextOverlay() = default;
    ~CTextOverlay() { Destroy(); }
    CTextOverlay(const CTextOverlay&) = delete;
    CTextOverlay& operator=(const CTextOverlay&) = delete;

    // The font height for a picture: 40 from 552961 pixels, 25 from 101377, else 14.
    static int FontHeightFor(int width, int height);

    // False (and nothing kept) when a GDI object cannot be made.
    bool Create(int width, int height);
    // Makes the widest line the texts can be, drawn from x, fit the picture's
    // width: the font keeps its height for the picture size where the line
    // fits and is made smaller where it would run over the right edge.
    void FitLine(const wchar_t* widest, int x);
    // The width of `text` in the font selected now.
    int LineWidth(const wchar_t* text) const;
    void Destroy();
    bool IsReady() const { return m_pBits != nullptr; }

    uint8_t* Pixels() const { return m_pBits; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Pitch() const { return m_pitch; }
    int FontHeight() const { return m_fontHeight; }

    // White text with a black shadow one pixel right and down, in the
    // rectangle from (x, y) to (picture width, bottom); no format flags.
    void Draw(const wchar_t* text, int x, int y, int bottom);

    // Below this height a line is no longer read; a line too wide even at
    // this height is cut at the edge rather than drawn smaller.
    static constexpr int kSmallestFontHeight = 8;

private:
    bool SelectFont(int height);

    HDC m_screen = nullptr;  // the display context the memory context is compatible with
    HDC m_memory = nullptr;
    HBITMAP m_section = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    HFONT m_font = nullptr;
    HGDIOBJ m_oldFont = nullptr;
    uint8_t* m_pBits = nullptr;
    int m_width = 0;
    int m_height = 0;
    int m_pitch = 0;
    int m_fontHeight = 0;
    std::wstring m_fittedLine;  // the widest line the font was last fitted to
    int m_fittedX = 0;
};

}  // namespace oskulo
