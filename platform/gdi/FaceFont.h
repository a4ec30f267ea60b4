// Inside platform/gdi: an installed face at one size through FreeType.
// `mutex_` guards the FreeType face and the glyph cache: shared for finding
// a cached glyph, exclusive for rendering one; glyphs are kept for the
// font's life. Characters the face lacks come from its fallbacks, which
// have none of their own, so locks are only ever taken primary first.
#pragma once

#include <memory>
#include <mutex>
#include <shared_mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/gdi/RealizedFont.h"

class FaceFont : public RealizedFont {
public:
    struct Request {
        std::string file;
        int index = 0;
        LONG height = 0;  // LOGFONT rules: < 0 em height, > 0 cell height
        LONG width = 0;
        int weight = FW_NORMAL;
        bool italic = false, underline = false, strikeOut = false;
        bool embolden = false, oblique = false;  // the face lacks the weight or slant
        bool antialias = true;
        bool fallback = false;  // a fallback has no fallbacks of its own
        BYTE pitchAndFamily = 0, charSet = 0;
    };

    // `face` is opened by the font library and owned from here on.
    FaceFont(FT_Face face, const Request& request);
    ~FaceFont() override;

    const FontMetrics& Metrics() const override { return metrics_; }
    const Glyph& GlyphOf(char32_t c) override;

    // The em size in pixels, for fallbacks drawn at the same size.
    double EmHeight() const { return emY_; }
    double EmWidth() const { return emX_; }
    bool Has(char32_t c);

private:
    std::unique_ptr<Glyph> Render(FT_UInt index);
    const Glyph* FromFallbacks(char32_t c);

    Request request_;
    FontMetrics metrics_;
    double emX_ = 0, emY_ = 0;
    std::shared_mutex mutex_;
    FT_Face face_;
    std::unordered_map<char32_t, std::unique_ptr<Glyph>> own_;
    std::unordered_map<char32_t, const Glyph*> glyphs_;
    std::vector<std::shared_ptr<FaceFont>> fallbacks_;
    bool fallbacksLoaded_ = false;
};
