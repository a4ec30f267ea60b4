// Inside platform/gdi: a line of text in one realised font, measured and
// ready to draw: its glyphs and the advance of each character (with the
// justification's extra pixels on spaces).
#pragma once

#include <vector>

#include "platform/gdi/Painter.h"
#include "platform/gdi/RealizedFont.h"

// The justification a context has set: `extra` pixels over `breaks` spaces,
// of which `used` have been drawn.
struct Justification {
    int extra = 0;
    int breaks = 0;
    int used = 0;
};

class TextRun {
public:
    // `justification` may be null (no extra space); `advances` (per
    // character) replaces the font's; a `tabWidth` above 0 moves a tab to the
    // next multiple of it from the run's start.
    TextRun(RealizedFont& font, const wchar_t* text, int count,
            const Justification* justification = nullptr, const int* advances = nullptr,
            int tabWidth = 0);

    int Width() const { return width_; }
    int Count() const { return int(glyphs_.size()); }
    // x of character i's pen position from the run's start; i == Count() is the end.
    int PenAt(int i) const { return pens_[size_t(i)]; }
    int Spaces() const { return spaces_; }

    // Glyphs (and the font's underline and strikeout) in `colour`, the cell's
    // top-left corner at logical (x, top).
    void Draw(Painter& painter, int x, int top, uint32_t colour) const;
    // A line under characters [from, to), as the "&" prefix marks them.
    void Underline(Painter& painter, int x, int top, int from, int to, uint32_t colour) const;

private:
    const FontMetrics& metrics_;
    std::vector<const Glyph*> glyphs_;
    std::vector<int> pens_;
    int width_ = 0;
    int spaces_ = 0;
};

// Extra pixels for space number k (counted from the justification's start).
int JustificationShare(const Justification& j, int k);
