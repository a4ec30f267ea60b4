// Inside platform/gdi: FreeType and fontconfig behind one lock. It turns a
// LOGFONT into a realised font (cached: every request of the same LOGFONT
// shares one) and finds fallback faces. Any thread may call it; `mutex_`
// guards the FreeType library, fontconfig and the caches.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/gdi/FaceFont.h"
#include "platform/gdi/RealizedFont.h"

class FontLibrary {
public:
    static FontLibrary& Instance();

    // Never null: an unknown face gives fontconfig's nearest, and when not
    // even that loads, the box font.
    std::shared_ptr<RealizedFont> Realize(const LOGFONTW& font);

    // The faces that lend `primary` the characters it lacks, at its size:
    // symbols, full-width punctuation, CJK; then any installed face that has
    // `c`, when the chain does not.
    std::vector<std::shared_ptr<FaceFont>> Fallbacks(const FaceFont& primary);
    std::shared_ptr<FaceFont> AnyFaceWith(char32_t c, const FaceFont& primary);

private:
    FontLibrary();

    struct Match {
        std::string file;
        int index = 0;
        int weight = 400;  // OpenType scale
        bool italic = false;
        bool ok = false;
    };
    Match MatchFamily(const std::string& family, int weight, bool italic);
    std::shared_ptr<FaceFont> Open(const FaceFont::Request& request);
    std::shared_ptr<FaceFont> FallbackAt(const std::string& file, int index,
                                         const FaceFont& primary);

    std::mutex mutex_;
    FT_Library library_ = nullptr;
    std::map<std::tuple<std::wstring, LONG, LONG, LONG, int, int>, std::shared_ptr<RealizedFont>>
        fonts_;
    std::map<std::tuple<std::string, int, long, long>, std::shared_ptr<FaceFont>> fallbacks_;
};
