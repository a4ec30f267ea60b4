// Inside platform/gdi: the synthetic "Box" face (its rules are in Font.h).
// Immutable: its two glyphs, a box and a blank, are made at construction.
#pragma once

#include "platform/gdi/RealizedFont.h"

class BoxFont : public RealizedFont {
public:
    explicit BoxFont(const LOGFONTW& font);

    const FontMetrics& Metrics() const override { return metrics_; }
    const Glyph& GlyphOf(char32_t c) override;

    static bool Named(const wchar_t* faceName);

private:
    FontMetrics metrics_;
    int advance_;
    Glyph blank_;
    Glyph box_;
};
