#include "platform/gdi/TextLayout.h"

#include <algorithm>

#include "platform/gdi/Text.h"
#include "platform/gdi/TextRun.h"

TextLayout::TextLayout(RealizedFont& font, const wchar_t* text, int count, UINT format, int width,
                       int tabWidth)
    : font_(font), format_(format), width_(width), tabWidth_(tabWidth) {
    // Prefixes first: "&&" is "&", "&x" marks x.
    std::wstring plain;
    std::vector<bool> marks;
    for (int i = 0; i < count; ++i) {
        if (text[i] == L'&' && !(format & DT_NOPREFIX)) {
            if (++i >= count)
                break;
            plain += text[i];
            marks.push_back(text[i] != L'&' && !(format & DT_HIDEPREFIX));
            continue;
        }
        plain += text[i];
        marks.push_back(false);
    }
    if (format & DT_SINGLELINE) {
        std::wstring line;
        std::vector<bool> lineMarks;
        for (size_t i = 0; i < plain.size(); ++i) {
            if (plain[i] == L'\r' || plain[i] == L'\n')
                continue;
            line += plain[i];
            lineMarks.push_back(marks[i]);
        }
        AddLine(std::move(line), std::move(lineMarks));
        return;
    }
    size_t start = 0;
    for (size_t i = 0; i <= plain.size(); ++i) {
        if (i < plain.size() && plain[i] != L'\n' && plain[i] != L'\r')
            continue;
        AddParagraph(plain.substr(start, i - start),
                     std::vector<bool>(marks.begin() + std::ptrdiff_t(start),
                                       marks.begin() + std::ptrdiff_t(i)));
        if (i + 1 < plain.size() && plain[i] == L'\r' && plain[i + 1] == L'\n')
            ++i;
        start = i + 1;
    }
}

int TextLayout::Measure(const std::wstring& text) const {
    return TextRun(font_, text.data(), int(text.size()), nullptr, nullptr, tabWidth_).Width();
}

void TextLayout::AddParagraph(const std::wstring& text, const std::vector<bool>& prefixed) {
    if (!(format_ & DT_WORDBREAK) || text.empty()) {
        AddLine(text, prefixed);
        return;
    }
    size_t pos = 0;
    while (pos < text.size()) {
        size_t lineEnd = pos, i = pos;
        while (i < text.size()) {
            size_t wordEnd = i;
            while (wordEnd < text.size() && text[wordEnd] == L' ')
                ++wordEnd;
            while (wordEnd < text.size() && text[wordEnd] != L' ')
                ++wordEnd;
            // A word wider than the line keeps a line of its own.
            if (lineEnd != pos && Measure(text.substr(pos, wordEnd - pos)) > width_)
                break;
            lineEnd = i = wordEnd;
        }
        size_t trimmed = lineEnd;
        while (trimmed > pos && text[trimmed - 1] == L' ')
            --trimmed;
        AddLine(text.substr(pos, trimmed - pos),
                std::vector<bool>(prefixed.begin() + std::ptrdiff_t(pos),
                                  prefixed.begin() + std::ptrdiff_t(trimmed)));
        pos = lineEnd;
        while (pos < text.size() && text[pos] == L' ')
            ++pos;
    }
}

void TextLayout::AddLine(std::wstring text, std::vector<bool> prefixed) {
    LayoutLine line{std::move(text), std::move(prefixed), 0};
    line.width = Measure(line.text);
    if ((format_ & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)) && line.width > width_)
        Shorten(line);
    widest_ = std::max(widest_, line.width);
    lines_.push_back(std::move(line));
}

void TextLayout::Shorten(LayoutLine& line) const {
    static const std::wstring kEllipsis = L"...";
    size_t keep = line.text.size();
    while (keep > 0 && Measure(line.text.substr(0, keep) + kEllipsis) > width_)
        --keep;
    line.text = line.text.substr(0, keep) + kEllipsis;
    line.prefixed.resize(keep);
    line.prefixed.resize(line.text.size(), false);
    line.width = Measure(line.text);
}
