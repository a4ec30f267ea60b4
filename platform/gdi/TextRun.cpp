#include "platform/gdi/TextRun.h"

#include <algorithm>
#include <cstdlib>

namespace {

uint32_t Mix(uint32_t d, uint32_t c, uint32_t a) {
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        uint32_t dc = (d >> shift) & 0xFF, cc = (c >> shift) & 0xFF;
        out |= ((cc * a + dc * (255 - a) + 127) / 255) << shift;
    }
    return out;
}

void DrawGlyph(Painter& painter, const Glyph& g, int x, int y, uint32_t colour) {
    if (g.width == 0 || g.height == 0)
        return;
    POINT o = painter.origin();
    painter.ForEachSegment(x, y, x + g.width, y + g.height, [&](int dy, int x0, int x1) {
        const uint8_t* coverage =
            g.coverage.data() + size_t(dy - o.y - y) * size_t(g.width) + size_t(x0 - o.x - x);
        painter.EditSegment(dy, x0, x1, [&](uint32_t* row, int n) {
            for (int i = 0; i < n; ++i) {
                uint32_t a = coverage[i];
                if (a == 255) {
                    row[i] = colour;
                } else if (a) {
                    row[i] = Mix(row[i], colour, a);
                }
            }
        });
    });
}

}  // namespace

int JustificationShare(const Justification& j, int k) {
    if (j.breaks <= 0 || k >= j.breaks)
        return 0;
    int share = j.extra / j.breaks;
    int remainder = j.extra % j.breaks;
    if (k < std::abs(remainder))
        share += remainder < 0 ? -1 : 1;
    return share;
}

TextRun::TextRun(RealizedFont& font, const wchar_t* text, int count,
                 const Justification* justification, const int* advances, int tabWidth)
    : metrics_(font.Metrics()) {
    glyphs_.reserve(size_t(std::max(count, 0)));
    pens_.reserve(size_t(std::max(count, 0)) + 1);
    pens_.push_back(0);
    for (int i = 0; i < count; ++i) {
        bool tab = tabWidth > 0 && text[i] == L'\t';
        const Glyph& g = font.GlyphOf(tab ? U' ' : char32_t(text[i]));
        glyphs_.push_back(&g);
        int advance = advances ? advances[i] : g.advance;
        if (tab)
            advance = tabWidth - width_ % tabWidth;
        if (text[i] == L' ') {
            if (justification)
                advance += JustificationShare(*justification, justification->used + spaces_);
            ++spaces_;
        }
        width_ += advance;
        pens_.push_back(width_);
    }
}

void TextRun::Draw(Painter& painter, int x, int top, uint32_t colour) const {
    int baseline = top + metrics_.ascent;
    for (size_t i = 0; i < glyphs_.size(); ++i) {
        const Glyph& g = *glyphs_[i];
        DrawGlyph(painter, g, x + pens_[i] + g.left, baseline - g.top, colour);
    }
    if (metrics_.underline) {
        int y = baseline + metrics_.underlineOffset;
        painter.FillRect(x, y, x + width_, y + metrics_.underlineThickness, colour);
    }
    if (metrics_.strikeOut) {
        int y = baseline - metrics_.strikeOutOffset;
        painter.FillRect(x, y, x + width_, y + metrics_.strikeOutThickness, colour);
    }
}

void TextRun::Underline(Painter& painter, int x, int top, int from, int to, uint32_t colour) const {
    int y = top + metrics_.ascent + metrics_.underlineOffset;
    painter.FillRect(x + pens_[size_t(from)], y, x + pens_[size_t(to)],
                     y + metrics_.underlineThickness, colour);
}
