#include "platform/gdi/FontLibrary.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cwctype>

#include "platform/gdi/BoxFont.h"
#include "shared/TextConvert.h"

namespace {

std::wstring Lower(const wchar_t* name) {
    std::wstring out;
    for (; *name && out.size() < LF_FACESIZE; ++name)
        out += wchar_t(std::towlower(wint_t(*name)));
    return out;
}

// Faces that Windows programs name, mapped to installed faces with the same
// metrics where one exists.
std::string Substitute(const std::wstring& lower, BYTE pitchAndFamily) {
    struct Entry {
        const wchar_t* name;
        const char* family;
    };
    static const Entry kTable[] = {
        {L"arial", "Liberation Sans"},
        {L"helvetica", "Liberation Sans"},
        {L"ms shell dlg", "Liberation Sans"},
        {L"ms shell dlg 2", "Liberation Sans"},
        {L"ms sans serif", "Liberation Sans"},
        {L"microsoft sans serif", "Liberation Sans"},
        {L"segoe ui", "Liberation Sans"},
        {L"system", "Liberation Sans"},
        {L"tahoma", "DejaVu Sans"},
        {L"verdana", "DejaVu Sans"},
        {L"courier", "Liberation Mono"},
        {L"courier new", "Liberation Mono"},
        {L"times new roman", "Liberation Serif"},
        {L"times", "Liberation Serif"},
        {L"simsun", "WenQuanYi Micro Hei"},
        {L"microsoft yahei", "WenQuanYi Micro Hei"},
    };
    for (const Entry& e : kTable) {
        if (lower == e.name)
            return e.family;
    }
    if (!lower.empty())
        return WideToUtf8String(lower);
    if ((pitchAndFamily & 0x03) == FIXED_PITCH || (pitchAndFamily & 0xF0) == FF_MODERN) {
        return "Liberation Mono";
    }
    return (pitchAndFamily & 0xF0) == FF_ROMAN ? "Liberation Serif" : "Liberation Sans";
}

// The chain that lends characters to every face, in order.
constexpr const char* kFallbackFamilies[] = {"DejaVu Sans", "Droid Sans Fallback",
                                             "WenQuanYi Micro Hei"};

}  // namespace

FontLibrary& FontLibrary::Instance() {
    static FontLibrary* library = new FontLibrary;  // outlives every static destructor
    return *library;
}

FontLibrary::FontLibrary() {
    FcInit();
    FT_Init_FreeType(&library_);
}

FontLibrary::Match FontLibrary::MatchFamily(const std::string& family, int weight, bool italic) {
    Match match;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!found)
        return match;
    FcChar8* file = nullptr;
    int value = 0;
    if (FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch) {
        match.file = reinterpret_cast<const char*>(file);
        match.ok = true;
    }
    if (FcPatternGetInteger(found, FC_INDEX, 0, &value) == FcResultMatch)
        match.index = value;
    if (FcPatternGetInteger(found, FC_WEIGHT, 0, &value) == FcResultMatch) {
        match.weight = FcWeightToOpenType(value);
    }
    if (FcPatternGetInteger(found, FC_SLANT, 0, &value) == FcResultMatch) {
        match.italic = value != FC_SLANT_ROMAN;
    }
    FcPatternDestroy(found);
    return match;
}

std::shared_ptr<FaceFont> FontLibrary::Open(const FaceFont::Request& request) {
    FT_Face face = nullptr;
    if (FT_New_Face(library_, request.file.c_str(), request.index, &face) != 0)
        return nullptr;
    if (!FT_IS_SCALABLE(face)) {
        FT_Done_Face(face);
        return nullptr;
    }
    return std::make_shared<FaceFont>(face, request);
}

std::shared_ptr<RealizedFont> FontLibrary::Realize(const LOGFONTW& font) {
    int weight = font.lfWeight ? std::clamp<int>(font.lfWeight, 100, 900) : FW_NORMAL;
    std::wstring lower = Lower(font.lfFaceName);
    auto key =
        std::make_tuple(lower, font.lfHeight, font.lfWidth, LONG(weight),
                        font.lfItalic | (font.lfUnderline << 1) | (font.lfStrikeOut << 2),
                        font.lfQuality | (font.lfPitchAndFamily << 8) | (font.lfCharSet << 16));
    std::lock_guard lock(mutex_);
    auto it = fonts_.find(key);
    if (it != fonts_.end())
        return it->second;
    std::shared_ptr<RealizedFont> realized;
    if (!BoxFont::Named(font.lfFaceName)) {
        Match match = MatchFamily(Substitute(lower, font.lfPitchAndFamily), weight, font.lfItalic);
        FaceFont::Request r;
        r.file = match.file;
        r.index = match.index;
        r.height = font.lfHeight;
        r.width = font.lfWidth;
        r.weight = weight;
        r.italic = font.lfItalic;
        r.underline = font.lfUnderline;
        r.strikeOut = font.lfStrikeOut;
        r.embolden = weight >= FW_SEMIBOLD && match.weight < FW_SEMIBOLD;
        r.oblique = font.lfItalic && !match.italic;
        r.antialias = font.lfQuality != NONANTIALIASED_QUALITY;
        r.pitchAndFamily = font.lfPitchAndFamily;
        r.charSet = font.lfCharSet;
        if (match.ok)
            realized = Open(r);
    }
    if (!realized)
        realized = std::make_shared<BoxFont>(font);
    fonts_.emplace(key, realized);
    return realized;
}

std::shared_ptr<FaceFont> FontLibrary::FallbackAt(const std::string& file, int index,
                                                  const FaceFont& primary) {
    auto key = std::make_tuple(file, index, std::lround(primary.EmHeight() * 64),
                               std::lround(primary.EmWidth() * 64));
    auto it = fallbacks_.find(key);
    if (it != fallbacks_.end())
        return it->second;
    FaceFont::Request r;
    r.file = file;
    r.index = index;
    r.height = -std::lround(primary.EmHeight());
    r.width = 0;
    r.fallback = true;
    std::shared_ptr<FaceFont> font = Open(r);
    if (font)
        fallbacks_.emplace(key, font);
    return font;
}

std::vector<std::shared_ptr<FaceFont>> FontLibrary::Fallbacks(const FaceFont& primary) {
    std::lock_guard lock(mutex_);
    std::vector<std::shared_ptr<FaceFont>> chain;
    for (const char* family : kFallbackFamilies) {
        Match match = MatchFamily(family, FW_NORMAL, false);
        if (!match.ok)
            continue;
        if (std::shared_ptr<FaceFont> f = FallbackAt(match.file, match.index, primary)) {
            chain.push_back(std::move(f));
        }
    }
    return chain;
}

std::shared_ptr<FaceFont> FontLibrary::AnyFaceWith(char32_t c, const FaceFont& primary) {
    std::lock_guard lock(mutex_);
    FcPattern* pattern = FcPatternCreate();
    FcCharSet* set = FcCharSetCreate();
    FcCharSetAddChar(set, c);
    FcPatternAddCharSet(pattern, FC_CHARSET, set);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(nullptr, pattern, &result);
    FcCharSetDestroy(set);
    FcPatternDestroy(pattern);
    if (!found)
        return nullptr;
    FcChar8* file = nullptr;
    int index = 0;
    FcCharSet* has = nullptr;
    std::shared_ptr<FaceFont> font;
    if (FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch &&
        FcPatternGetCharSet(found, FC_CHARSET, 0, &has) == FcResultMatch &&
        FcCharSetHasChar(has, c)) {
        FcPatternGetInteger(found, FC_INDEX, 0, &index);
        font = FallbackAt(reinterpret_cast<const char*>(file), index, primary);
    }
    FcPatternDestroy(found);
    return font;
}
