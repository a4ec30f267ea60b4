// Inside platform/gdi: DrawText's layout of a text into lines for a given
// width by the DT_* flags: prefixes, paragraphs, word breaks and end
// ellipses. Measures with one realised font; draws nothing itself.
#pragma once

#include <string>
#include <vector>

#include "platform/gdi/RealizedFont.h"

struct LayoutLine {
    std::wstring text;
    std::vector<bool> prefixed;  // per character: marked by "&"
    int width = 0;
};

class TextLayout {
public:
    // `tabWidth` 0 leaves tabs as characters.
    TextLayout(RealizedFont& font, const wchar_t* text, int count, UINT format, int width,
               int tabWidth);

    const std::vector<LayoutLine>& Lines() const { return lines_; }
    int Widest() const { return widest_; }

private:
    int Measure(const std::wstring& text) const;
    void AddParagraph(const std::wstring& text, const std::vector<bool>& prefixed);
    void AddLine(std::wstring text, std::vector<bool> prefixed);
    void Shorten(LayoutLine& line) const;

    RealizedFont& font_;
    UINT format_;
    int width_;
    int tabWidth_;
    std::vector<LayoutLine> lines_;
    int widest_ = 0;
};
