// Inside platform/gdi: a font at one size, as text layout and glyph drawing
// use it. Realised fonts are shared by every font object and context that
// asks for the same LOGFONT, so all their operations are safe from any
// thread; glyphs, once made, never change or move.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/Font.h"

struct FontMetrics {
    int height = 0;  // ascent + descent
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int weight = FW_NORMAL;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int underlineOffset = 1;  // rows below the baseline to the underline's top row
    int underlineThickness = 1;
    int strikeOutOffset = 0;  // rows above the baseline to the strikeout's top row
    int strikeOutThickness = 1;
    BYTE pitchAndFamily = 0;
    BYTE charSet = ANSI_CHARSET;
};

// One character's image: coverage 0..255, `width` x `height`, its top-left
// corner `left` right of the pen and `top` rows above the baseline.
struct Glyph {
    int advance = 0;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> coverage;
};

class RealizedFont {
public:
    virtual ~RealizedFont() = default;
    virtual const FontMetrics& Metrics() const = 0;
    // Thread-safe; the reference stays valid for the font's life.
    virtual const Glyph& GlyphOf(char32_t c) = 0;
};
