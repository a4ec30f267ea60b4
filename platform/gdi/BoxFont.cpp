#include "platform/gdi/BoxFont.h"

#include <cstddef>
#include <cwctype>

BoxFont::BoxFont(const LOGFONTW& font) {
    int h = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
    if (h == 0)
        h = 16;
    advance_ = font.lfWidth > 0 ? font.lfWidth : std::max(1, h / 2);
    FontMetrics& m = metrics_;
    m.height = h;
    m.descent = h / 4;
    m.ascent = h - m.descent;
    m.aveCharWidth = m.maxCharWidth = advance_;
    m.weight = font.lfWeight ? font.lfWeight : FW_NORMAL;
    m.italic = font.lfItalic;
    m.underline = font.lfUnderline;
    m.strikeOut = font.lfStrikeOut;
    m.underlineOffset = 0;
    m.strikeOutOffset = m.ascent - m.ascent / 2;
    m.pitchAndFamily = FIXED_PITCH | FF_MODERN;
    m.charSet = font.lfCharSet;
    blank_.advance = advance_;
    box_.advance = box_.width = advance_;
    box_.top = box_.height = m.ascent;
    box_.coverage.assign(size_t(advance_) * size_t(m.ascent), 255);
}

bool BoxFont::Named(const wchar_t* faceName) {
    const wchar_t* box = L"box";
    for (int i = 0; i < 4; ++i) {
        if (std::towlower(wint_t(faceName[i])) != wint_t(box[i]))
            return false;
    }
    return true;
}

const Glyph& BoxFont::GlyphOf(char32_t c) {
    bool blank = c <= 0x20 || c == 0x7F || c == 0xA0 || c == 0x3000;
    return blank ? blank_ : box_;
}
