// CTextOverlay: the drawing surface of an AVI writer's burnt-in texts: a
// top-down 24-bit DIB section of the picture's size in a memory device
// context, with the overlay font selected. The writer converts a picture
// into the section's bits, draws its text lines and converts back.
//
// One writer owns one overlay and uses it on its own thread; the bits belong
// to the DIB section and live until Destroy.
#pragma once

#include <cstdint>

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
    void Destroy();
    bool IsReady() const { return m_pBits != nullptr; }

    uint8_t* Pixels() const { return m_pBits; }
    int Pitch() const { return m_pitch; }
    int FontHeight() const { return m_fontHeight; }

    // White text with a black shadow one pixel right and down, in the
    // rectangle from (x, y) to (picture width, bottom); no format flags.
    void Draw(const wchar_t* text, int x, int y, int bottom);

private:
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
};

}  // namespace oskulo
