// Inside platform/gdi: the synthetic "Box" face (its rules are in Font.h).
// Its glyphs are made on demand; immutable apart from that cache, which
// `mutex_` guards.
#pragma once

#include <memory>
#include <mutex>
#include <unordered_map>

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
    std::mutex mutex_;
    Glyph blank_;
    std::unique_ptr<Glyph> box_;  // made once under `mutex_`
};
