// Style-sheet rules and the declarations they set on a style.
#include <cwchar>

#include "app/controls/markup/HtmlLexicon.h"
#include "app/controls/markup/QoHtmlDrawer.h"

using html::IsNameStart;
using html::Keyword;
using html::Lookup;

namespace {

constexpr Keyword kHAlign[] = {{L"", 0}, {L"left", 0}, {L"center", 1}, {L"right", 2}};
constexpr Keyword kVAlign[] = {{L"", 3},        {L"baseline", 3}, {L"middle", 1},
                               {L"vcenter", 1}, {L"top", 0},      {L"bottom", 2}};
constexpr Keyword kTransform[] = {
    {L"", 0}, {L"none", 0}, {L"uppercase", 1}, {L"lowercase", 2}, {L"capitalize", 3}};
constexpr Keyword kBorderStyle[] = {{L"", 0},       {L"none", 0},   {L"solid", 1},
                                    {L"dashed", 2}, {L"dotted", 3}, {L"double", 6}};
constexpr int kUnknown = html::kNotAKeyword;

int ParseWeight(const CString& value) {
    constexpr Keyword kWeights[] = {
        {L"", 400}, {L"normal", 400}, {L"bold", 700}, {L"bolder", 900}, {L"lighter", 100}};
    const int weight = Lookup(kWeights, value, kUnknown);
    return weight != kUnknown ? weight : int(std::wcstol(value, nullptr, 10));
}

void ApplyDecoration(const CString& word, TextStyle& style) {
    if (word == L"none")
        style.underline = style.strikeout = style.overline = FALSE;
    else if (word == L"underline")
        style.underline = TRUE;
    else if (word == L"line-through")
        style.strikeout = TRUE;
    else if (word == L"overline")
        style.overline = TRUE;
}

void ParseDecoration(const CString& value, TextStyle& style) {
    if (value.IsEmpty())
        ApplyDecoration(L"none", style);
    int pos = 0;
    for (CString word = value.Tokenize(L" ,", pos); pos >= 0; word = value.Tokenize(L" ,", pos))
        ApplyDecoration(word, style);
}

}  // namespace

void CQoHtmlDrawer::SetStyleSheet(const wchar_t* text) {
    if (text == nullptr) {
        SetDefaultStyleSheet();
        return;
    }
    m_styleSheet = text;
    m_rules.clear();
    const CString& sheet = m_styleSheet;
    const int length = sheet.GetLength();
    int pos = 0;
    while (pos < length) {
        while (pos < length && !IsNameStart(sheet[pos]))
            ++pos;
        const int start = pos;
        while (pos < length && sheet[pos] != L' ' && sheet[pos] != L'{')
            ++pos;
        CString selector = sheet.Mid(start, pos - start);
        const int open = sheet.Find(L'{', pos);
        const int close = open < 0 ? -1 : sheet.Find(L'}', open);
        if (close < 0)
            break;
        if (!selector.IsEmpty())
            m_rules[selector.MakeLower()] = sheet.Mid(open + 1, close - open - 1);
        pos = close + 1;
    }
}

void CQoHtmlDrawer::SetDefaultStyleSheet() {
    SetStyleSheet(
        L"body {font-size: 10pt; color:black; font-family:Verdana}\r\n"
        L"p {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}\r\n"
        L"h1 {font-size: 14pt; color:black; font-family:Verdana; font-weight:bold}\r\n"
        L"h2 {font-size: 13pt; color:#ff9900; font-family:Verdana; font-weight:bold}\r\n"
        L"h3 {font-size: 12pt; color:#ff9900; font-family:Arial; font-weight:bold}\r\n"
        L"h4 {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}\r\n"
        L"h5 {font-size: 9pt; color:#ff9900; font-family:Verdana; font-weight:bold}\r\n"
        L"h6 {font-size: 65%; color:#626262; font-family:Verdana; font-weight:normal}\r\n"
        L"pre {font-size: 9pt; font-family:\"Courier\"; background-color:#fbedbb}\r\n"
        L"code {color:#990000; font-family:Arial}\r\n"
        L"a:link {text-decoration:none; color:blue}\r\n"
        L"a:hover {text-decoration:underline; color:blue}\r\n"
        L"sub {font-size:65%; vertical-align:bottom}\r\n"
        L"sup {font-size:65%; vertical-align:top}\r\n"
        L"big {font-size:125%}\r\n"
        L"small {font-size:75%}\r\n"
        L".cqo-comment {color:green; font-style:italic}\r\n");
}

const wchar_t* CQoHtmlDrawer::GetStyleRule(const wchar_t* selector) const {
    CString key(selector);
    auto found = m_rules.find(key.MakeLower());
    return found == m_rules.end() ? nullptr : found->second.GetString();
}

void CQoHtmlDrawer::ApplyStyleClass(const wchar_t* selector, TextStyle* style) const {
    if (const wchar_t* rule = GetStyleRule(selector))
        ApplyDeclarations(rule, style);
}

void CQoHtmlDrawer::ApplyDeclarations(CString text, TextStyle* style) const {
    text.MakeLower();
    const int length = text.GetLength();
    int pos = 0;
    while (pos < length) {
        while (pos < length && !IsNameStart(text[pos]))
            ++pos;
        const int start = pos;
        while (pos < length && text[pos] != L' ' && text[pos] != L':')
            ++pos;
        const CString property = text.Mid(start, pos - start);
        while (pos < length && text[pos] == L' ')
            ++pos;
        if (pos >= length || text[pos] != L':')
            continue;
        ++pos;
        while (pos < length && (text[pos] == L' ' || text[pos] == L';'))
            ++pos;
        int end;
        CString value;
        if (pos < length && text[pos] == L'"') {
            end = text.Find(L'"', pos + 1);
            if (end < 0)
                end = length;
            value = text.Mid(pos + 1, end - pos - 1);
        } else {
            end = text.Find(L';', pos);
            if (end < 0)
                end = length;
            value = text.Mid(pos, end - pos);
            value.TrimRight(L" ");
        }
        pos = end + 1;
        ApplyDeclaration(property, value, *style);
    }
}

void CQoHtmlDrawer::ApplyDeclaration(const CString& property, const CString& value,
                                     TextStyle& style) const {
    if (property == L"font-size") {
        style.size = ParseSize(value, style.size, TRUE);
    } else if (property == L"font-family") {
        if (!value.IsEmpty())
            style.family = value;
    } else if (property == L"font-style") {
        if (value.IsEmpty() || value == L"normal")
            style.italic = FALSE;
        else if (value == L"italic" || value == L"oblique")
            style.italic = TRUE;
    } else if (property == L"font-weight") {
        style.weight = ParseWeight(value);
    } else if (property == L"text-align") {
        style.hAlign = Lookup(kHAlign, value, style.hAlign);
    } else if (property == L"text-transform") {
        style.transform = Lookup(kTransform, value, style.transform);
    } else if (property == L"color") {
        style.textColor = ParseColor(value, style.textColor);
    } else if (property == L"background-color") {
        ParseBackground(value, style);
    } else if (property == L"text-decoration") {
        ParseDecoration(value, style);
    } else if (property == L"vertical-align") {
        style.vAlign = Lookup(kVAlign, value, style.vAlign);
    } else if (property == L"border-color") {
        style.borderLight = style.borderDark = ParseColor(value, style.borderLight);
    } else if (property == L"border-width" || property == L"size") {
        SetBorderWidth(ParseBorderWidth(value, style.borderWidth), style);
    } else if (property == L"border-style") {
        SetBorderStyle(Lookup(kBorderStyle, value, style.borderStyle), style);
    } else if (property == L"margin") {
        style.margin = ParseSize(value, style.margin, FALSE);
    } else if (property == L"padding") {
        style.padding = ParseSize(value, style.padding, FALSE);
    }
}

int CQoHtmlDrawer::ParseBorderWidth(const CString& value, int current) const {
    if (value == L"thin")
        return MulDiv(current, 75, 100);
    if (value == L"thick")
        return MulDiv(current, 125, 100);
    if (value == L"medium")
        return current;
    return ParseSize(value, current, FALSE);
}

void CQoHtmlDrawer::ParseBackground(const CString& value, TextStyle& style) const {
    if (value.IsEmpty() || value == L"transparent") {
        style.backMode = 1;
        return;
    }
    style.backMode = 2;
    style.backColor = ParseColor(value, style.backColor);
}

void CQoHtmlDrawer::SetBorderWidth(int width, TextStyle& style) {
    style.borderWidth = width;
    if (width == 0)
        style.borderStyle = 0;
    else if (style.borderStyle == 0)
        style.borderStyle = 1;
}

void CQoHtmlDrawer::SetBorderStyle(int borderStyle, TextStyle& style) {
    style.borderStyle = borderStyle;
    if (borderStyle != 0 && style.borderWidth == 0)
        style.borderWidth = 1;
}
