// What each tag does to the style or the pen, and the font that follows.
#include <algorithm>
#include <cstring>
#include <cwchar>

#include "app/controls/markup/QoHtmlDrawer.h"

void CQoHtmlDrawer::FillEffects() {
    m_effects.assign(24, nullptr);
    m_effects[1] = &CQoHtmlDrawer::TagBold;
    m_effects[2] = &CQoHtmlDrawer::TagItalic;
    m_effects[3] = &CQoHtmlDrawer::TagUnderline;
    m_effects[4] = &CQoHtmlDrawer::TagStrikeout;
    m_effects[5] = &CQoHtmlDrawer::TagFont;
    m_effects[6] = &CQoHtmlDrawer::TagRule;
    m_effects[7] = &CQoHtmlDrawer::TagBreak;
    m_effects[8] = &CQoHtmlDrawer::TagTab;
    m_effects[17] = &CQoHtmlDrawer::TagBitmap;
    m_effects[18] = &CQoHtmlDrawer::TagIcon;
    m_effects[19] = &CQoHtmlDrawer::TagImageList;
    m_effects[20] = &CQoHtmlDrawer::TagString;
    for (int code = 9; code <= 16; ++code)
        m_effects[size_t(code)] = &CQoHtmlDrawer::TagAlign;
    m_effects[21] = &CQoHtmlDrawer::TagStyleClass;
    m_effects[22] = &CQoHtmlDrawer::TagSpan;
    m_effects[23] = &CQoHtmlDrawer::TagLink;
}

void CQoHtmlDrawer::DrawTag(const CString& tag) {
    CString name, attributes, styleClass;
    SplitTag(tag, name, attributes);
    m_style.name.Empty();
    BOOL closing = FALSE;
    const int code = LookupTag(name, styleClass, closing);
    TagEffect effect = size_t(code) < m_effects.size() ? m_effects[size_t(code)] : nullptr;
    if (effect == nullptr)
        return;
    m_tagCode = code;
    m_tagName = name;
    if (styleClass.IsEmpty()) {
        (this->*effect)(attributes);
        return;
    }
    if (!PushPopStyle(styleClass, closing))
        return;
    (this->*effect)(attributes);
    UpdateFont();
}

BOOL CQoHtmlDrawer::PushPopStyle(const CString& styleClass, BOOL closing) {
    if (!closing) {
        if (m_styles.size() >= size_t(kMaxDepth))
            return FALSE;
        m_styles.push_back(m_style);
        m_styles.back().name = styleClass;
        return TRUE;
    }
    if (!m_styles.empty() && m_styles.back().name == styleClass) {
        m_style = m_styles.back();
        m_styles.pop_back();
        m_style.name.Empty();
        UpdateFont();
    }
    return FALSE;
}

void CQoHtmlDrawer::TagBold(const CString&) {
    m_style.weight = std::min(m_style.weight * 2, 900);
}

void CQoHtmlDrawer::TagItalic(const CString&) {
    m_style.italic = !m_style.italic;
}

void CQoHtmlDrawer::TagUnderline(const CString&) {
    m_style.underline = !m_style.underline;
}

void CQoHtmlDrawer::TagStrikeout(const CString&) {
    m_style.strikeout = !m_style.strikeout;
}

void CQoHtmlDrawer::TagAlign(const CString&) {
    static constexpr int kAlign[] = {0, 1, 2, 3, 3, 0, 1, 2};  // codes 9 to 16
    if (m_tagCode <= 12)
        m_style.hAlign = kAlign[m_tagCode - 9];
    else
        m_style.vAlign = kAlign[m_tagCode - 9];
}

void CQoHtmlDrawer::TagStyleClass(const CString&) {
    ApplyStyleClass(m_tagName, &m_style);
}

void CQoHtmlDrawer::TagFont(const CString& attributes) {
    CString name, value;
    for (int pos = 0; GetNextAttribute(attributes, pos, name, value);) {
        if (name == L"face" && !value.IsEmpty())
            m_style.family = value;
        else if (name == L"size")
            m_style.size = ParseSize(value, m_style.size, TRUE);
        else if (name == L"color")
            m_style.textColor = ParseColor(value, m_style.textColor);
        else if (name == L"style")
            ParseFontStyle(value, m_style);
        else if (name == L"weight")
            ApplyDeclaration(L"font-weight", value, m_style);
        else if (name == L"bkgnd")
            ParseBackground(value, m_style);
    }
}

void CQoHtmlDrawer::ParseFontStyle(const CString& value, TextStyle& style) const {
    bool on = true;
    for (int i = 0; i < value.GetLength(); ++i) {
        switch (value[i]) {
            case L'-':
                on = false;
                continue;
            case L'+':
                on = true;
                continue;
            case L'b':
                style.weight = on ? 700 : 400;
                break;
            case L'i':
                style.italic = on;
                break;
            case L'u':
                style.underline = on;
                break;
            case L's':
                style.strikeout = on;
                break;
            case L'o':
                style.overline = on;
                break;
            default:
                continue;
        }
        on = true;
    }
}

void CQoHtmlDrawer::TagSpan(const CString& attributes) {
    CString name, value;
    for (int pos = 0; GetNextAttribute(attributes, pos, name, value);) {
        if (name == L"class")
            ApplyStyleClass(L"." + value, &m_style);
    }
}

void CQoHtmlDrawer::TagLink(const CString& attributes) {
    m_style.linkType = 2;
    m_style.linkParam.Empty();
    CString name, value;
    for (int pos = 0; GetNextAttribute(attributes, pos, name, value);) {
        if (name == L"href" || name == L"msg") {
            m_style.linkType = name == L"href" ? 1 : 2;
            m_style.linkParam = value;
        }
    }
    ++m_linkIndex;
    ApplyStyleClass(m_linkIndex == m_hotLink ? L"a:hover" : L"a:link", &m_style);
}

// The count written directly behind the tag name ("br=3"), 1 without one.
static int TagCount(const CString& attributes) {
    if (attributes.IsEmpty() || attributes[0] != L'=')
        return 1;
    return int(std::clamp<long>(std::wcstol(attributes.GetString() + 1, nullptr, 10), 0,
                                CQoHtmlDrawer::kMaxCount));
}

void CQoHtmlDrawer::TagBreak(const CString& attributes) {
    m_line.wrapped = 0;
    NewLine(TagCount(attributes));
}

void CQoHtmlDrawer::TagTab(const CString& attributes) {
    Tab(TagCount(attributes));
}

void CQoHtmlDrawer::TagRule(const CString& attributes) {
    TextStyle rule = m_style;
    rule.borderWidth = 1;
    ApplyStyleClass(L"hr", &rule);
    int thickness = rule.borderWidth;
    COLORREF colour = rule.textColor;
    int width = 100;
    bool percent = true;
    CString name, value;
    for (int pos = 0; GetNextAttribute(attributes, pos, name, value);) {
        if (name == L"width") {
            percent = value.Right(1) == L"%";
            width = ParseSize(percent ? value.Left(value.GetLength() - 1) : value, width, FALSE);
        } else if (name == L"size") {
            thickness = ParseSize(value, thickness, FALSE);
        } else if (name == L"color") {
            colour = ParseColor(value, colour);
        }
    }
    thickness = std::clamp(thickness, 0, kMaxSize);
    width = std::clamp(width, 0, kMaxSize);
    if (m_measuring) {
        if (percent) {
            m_line.percent = Saturated(int64_t(m_line.percent) + width);
            width = 1;
        }
        m_line.height = std::max(m_line.height, thickness + 8);
        m_line.align = m_style.hAlign;
    } else {
        if (percent)
            width = MulDiv(m_area.right - m_area.left, width, 100);
        DrawRuleLine(thickness, colour, width);
    }
    m_pen.pos.x = Saturated(int64_t(m_pen.pos.x) + width);
}

// A solid line across the rule's width, on the middle of its line.
void CQoHtmlDrawer::DrawRuleLine(int thickness, COLORREF colour, int width) {
    if (thickness <= 0 || width <= 0)
        return;
    const int y = m_pen.pos.y + m_line.height / 2;
    m_drawManager.DrawLine(m_dc, m_pen.pos.x, y, m_pen.pos.x + width, y, colour, PEN_SOLID,
                           thickness);
}

LOGFONT CQoHtmlDrawer::StyleFont() const {
    LOGFONT font{};
    font.lfHeight = std::clamp(m_style.size, 1, kMaxSize);
    font.lfWeight = std::clamp(m_style.weight, 0, 1000);
    font.lfItalic = BYTE(m_style.italic != 0);
    font.lfUnderline = BYTE(m_style.underline != 0);
    font.lfStrikeOut = BYTE(m_style.strikeout != 0);
    font.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(font.lfFaceName, m_style.family, LF_FACESIZE - 1);
    return font;
}

void CQoHtmlDrawer::SelectStyleFont() {
    m_fontSpec = StyleFont();
    m_font = CreateFontIndirect(&m_fontSpec);
    HGDIOBJ previous = SelectObject(m_dc, m_font);
    if (m_oldFont == nullptr)
        m_oldFont = previous;
    GetTextMetrics(m_dc, &m_metrics);
    SelectStyleColours();
}

void CQoHtmlDrawer::SelectStyleColours() {
    SetBkMode(m_dc, m_style.backMode);
    SetTextColor(m_dc, m_style.textColor);
    SetBkColor(m_dc, m_style.backColor);
}

void CQoHtmlDrawer::ReleaseFont() {
    if (m_oldFont != nullptr)
        SelectObject(m_dc, m_oldFont);
    if (m_font != nullptr)
        DeleteObject(m_font);
    m_font = nullptr;
}

// Every cell and tag pushes a style; most keep the font, which is then kept
// selected rather than made and measured again (a table of thousands of cells
// spent most of its layout there).
void CQoHtmlDrawer::UpdateFont() {
    const LOGFONT wanted = StyleFont();
    if (m_font != nullptr && std::memcmp(&wanted, &m_fontSpec, sizeof wanted) == 0) {
        SelectStyleColours();
        return;
    }
    ReleaseFont();
    SelectStyleFont();
}
