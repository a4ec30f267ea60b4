#include "platform/gdi/FaceFont.h"

#include <algorithm>
#include <cmath>

#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include "platform/gdi/FontLibrary.h"

namespace {

int Round(double v) {
    return int(std::lround(v));
}

// Copies a rendered FreeType bitmap into 8-bit coverage.
void CopyCoverage(const FT_Bitmap& bitmap, Glyph* glyph) {
    glyph->width = int(bitmap.width);
    glyph->height = int(bitmap.rows);
    glyph->coverage.assign(size_t(glyph->width) * size_t(glyph->height), 0);
    for (int y = 0; y < glyph->height; ++y) {
        const unsigned char* row = bitmap.buffer + std::ptrdiff_t(y) * bitmap.pitch;
        uint8_t* out = glyph->coverage.data() + size_t(y) * size_t(glyph->width);
        for (int x = 0; x < glyph->width; ++x) {
            if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
                out[x] = ((row[x >> 3] >> (7 - (x & 7))) & 1) ? 255 : 0;
            } else {
                out[x] = row[x];
            }
        }
    }
}

}  // namespace

FaceFont::FaceFont(FT_Face face, const Request& request) : request_(request), face_(face) {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    double upem = face->units_per_EM ? face->units_per_EM : 1000;
    bool winMetrics = os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0;
    double asc = winMetrics ? os2->usWinAscent : face->ascender;
    double desc = winMetrics ? os2->usWinDescent : -face->descender;
    if (asc + desc <= 0)
        asc = upem, desc = 0;
    LONG cell = request.height == 0 ? 16 : request.height;
    emY_ = cell < 0 ? -cell : cell * upem / (asc + desc);
    double naturalAverage =
        (os2 && os2->xAvgCharWidth > 0 ? os2->xAvgCharWidth : upem / 2) * emY_ / upem;
    emX_ = request.width > 0 ? emY_ * request.width / naturalAverage : emY_;
    FT_Set_Char_Size(face_, FT_F26Dot6(std::lround(emX_ * 64)), FT_F26Dot6(std::lround(emY_ * 64)),
                     72, 72);

    FontMetrics& m = metrics_;
    double scale = emY_ / upem;
    m.ascent = Round(asc * scale);
    m.descent = cell > 0 ? int(cell) - m.ascent : Round(desc * scale);
    m.height = m.ascent + m.descent;
    m.internalLeading = std::max(0, m.height - Round(emY_));
    double lineGap = face->height - (face->ascender - face->descender);
    m.externalLeading =
        std::max(0, Round((lineGap + (face->ascender - face->descender) - (asc + desc)) * scale));
    m.aveCharWidth = request.width > 0 ? int(request.width) : Round(naturalAverage);
    m.maxCharWidth = Round((face->bbox.xMax - face->bbox.xMin) * emX_ / upem);
    m.weight = request.weight;
    m.italic = request.italic;
    m.underline = request.underline;
    m.strikeOut = request.strikeOut;
    m.underlineThickness = std::max(1, Round(face->underline_thickness * scale));
    m.underlineOffset =
        std::max(1, Round(-face->underline_position * scale) - m.underlineThickness / 2);
    m.strikeOutThickness = os2 && os2->yStrikeoutSize > 0
                               ? std::max(1, Round(os2->yStrikeoutSize * scale))
                               : m.underlineThickness;
    m.strikeOutOffset = os2 && os2->yStrikeoutPosition > 0 ? Round(os2->yStrikeoutPosition * scale)
                                                           : Round(emY_ * 0.3);
    m.pitchAndFamily = request.pitchAndFamily;
    m.charSet = request.charSet;
}

FaceFont::~FaceFont() {
    FT_Done_Face(face_);
}

bool FaceFont::Has(char32_t c) {
    std::lock_guard lock(mutex_);
    return FT_Get_Char_Index(face_, c) != 0;
}

std::unique_ptr<Glyph> FaceFont::Render(FT_UInt index) {
    auto glyph = std::make_unique<Glyph>();
    FT_Int32 flags = request_.antialias ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO;
    if (FT_Load_Glyph(face_, index, flags) != 0)
        return glyph;
    FT_GlyphSlot slot = face_->glyph;
    if (request_.embolden)
        FT_GlyphSlot_Embolden(slot);
    if (request_.oblique)
        FT_GlyphSlot_Oblique(slot);
    glyph->advance = int((slot->advance.x + 32) >> 6);
    FT_Render_Mode mode = request_.antialias ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO;
    if (FT_Render_Glyph(slot, mode) != 0)
        return glyph;
    glyph->left = slot->bitmap_left;
    glyph->top = slot->bitmap_top;
    CopyCoverage(slot->bitmap, glyph.get());
    return glyph;
}

const Glyph* FaceFont::FromFallbacks(char32_t c) {
    if (request_.fallback)
        return nullptr;
    if (!fallbacksLoaded_) {
        fallbacks_ = FontLibrary::Instance().Fallbacks(*this);
        fallbacksLoaded_ = true;
    }
    for (const std::shared_ptr<FaceFont>& f : fallbacks_) {
        if (f->Has(c))
            return &f->GlyphOf(c);
    }
    std::shared_ptr<FaceFont> any = FontLibrary::Instance().AnyFaceWith(c, *this);
    if (!any)
        return nullptr;
    fallbacks_.push_back(any);
    return &any->GlyphOf(c);
}

const Glyph& FaceFont::GlyphOf(char32_t c) {
    {
        std::shared_lock lock(mutex_);
        auto it = glyphs_.find(c);
        if (it != glyphs_.end())
            return *it->second;
    }
    std::lock_guard lock(mutex_);
    auto it = glyphs_.find(c);  // another thread may have made it meanwhile
    if (it != glyphs_.end())
        return *it->second;
    FT_UInt index = FT_Get_Char_Index(face_, c);
    const Glyph* glyph = nullptr;
    // Control characters are left to the face's missing glyph.
    if (index == 0 && c >= 0x20)
        glyph = FromFallbacks(c);
    if (!glyph) {
        std::unique_ptr<Glyph>& own = own_[c];
        own = Render(index);
        glyph = own.get();
    }
    glyphs_.emplace(c, glyph);
    return *glyph;
}
