// The attributes of table, tr and td tags, and a table's tiled background.
#include <algorithm>
#include <cwchar>

#include "app/controls/draw/BitmapFile.h"
#include "app/controls/markup/HtmlLexicon.h"
#include "app/controls/markup/QoHtmlDrawer.h"

namespace {

constexpr html::Keyword kEffects[] = {{L"transparent", -1}, {L"solid", 0},      {L"hgradient", 1},
                                      {L"vgradient", 2},    {L"hcgradient", 3}, {L"vcgradient", 4},
                                      {L"3hgradient", 5},   {L"3vgradient", 6}, {L"noise", 7},
                                      {L"diagshade", 8},    {L"hshade", 9},     {L"vshade", 10},
                                      {L"hbump", 11},       {L"vbump", 12},     {L"softbump", 13},
                                      {L"hardbump", 14},    {L"metal", 15}};

}  // namespace

int CQoHtmlDrawer::ParseEffect(const CString& value, int current) const {
    const int effect = html::Lookup(kEffects, value, html::kNotAKeyword);
    return effect != html::kNotAKeyword
               ? effect
               : std::clamp(ParseSize(value, current, FALSE), -1, int(EFFECT_METAL));
}

SIZE CQoHtmlDrawer::ParseTableAttributes(const CString& attributes, TextStyle& style,
                                         BOOL tableLevel) const {
    SIZE spans{1, 1};
    CString name, value;
    for (int pos = 0; GetNextAttribute(attributes, pos, name, value);) {
        name.MakeLower();
        if (tableLevel && name == L"cellpadding")
            style.margin = ParseSize(value, style.margin, FALSE);
        else if (tableLevel && name == L"cellspacing")
            style.padding = ParseSize(value, style.padding, FALSE);
        else if (tableLevel && name == L"background")
            style.backImage = value;
        else if (name == L"colspan")
            spans.cx = std::clamp(ParseSize(value, 1, FALSE), 1, kMaxCount);
        else if (name == L"rowspan")
            spans.cy = std::clamp(ParseSize(value, 1, FALSE), 1, kMaxCount);
        else
            ApplyTableAttribute(name, value, style);
    }
    if (style.borderStyle == PEN_NONE || style.borderWidth == 0)
        style.borderStyle = style.borderWidth = 0;
    else if (style.borderStyle != PEN_SOLID)
        style.borderWidth = 1;
    if (!tableLevel && style.borderWidth != 0)
        style.borderWidth = 1;
    style.margin = std::clamp(style.margin, 0, kMaxSize);
    style.padding = std::clamp(style.padding, 0, kMaxSize);
    return spans;
}

void CQoHtmlDrawer::ApplyTableAttribute(const CString& name, const CString& value,
                                        TextStyle& style) const {
    if (name == L"border") {
        SetBorderWidth(std::clamp(ParseSize(value, style.borderWidth, FALSE), 0, kMaxCount), style);
    } else if (name == L"borderstyle") {
        ApplyDeclaration(L"border-style", value, style);
    } else if (name == L"bordercolor") {
        style.borderLight = style.borderDark = ParseColor(value, style.borderLight);
    } else if (name == L"bordercolorlight") {
        style.borderLight = ParseColor(value, style.borderLight);
    } else if (name == L"bordercolordark") {
        style.borderDark = ParseColor(value, style.borderDark);
    } else if (name == L"bgcolor") {
        style.backColor = ParseColor(value, style.backColor);
        if (style.backEffect == -1)
            style.backEffect = 0;
    } else if (name == L"bgmidcolor") {
        style.backMid = ParseColor(value, style.backMid);
    } else if (name == L"bgendcolor") {
        style.backEnd = ParseColor(value, style.backEnd);
    } else if (name == L"bgeffect") {
        style.backEffect = ParseEffect(value, style.backEffect);
    } else if (name == L"align") {
        ApplyDeclaration(L"text-align", value, style);
    } else if (name == L"valign") {
        ApplyDeclaration(L"vertical-align", value, style);
    } else if (name == L"width") {
        style.width = std::clamp(ParseSize(value, style.width, FALSE), 0, kMaxSize);
    } else if (name == L"height") {
        style.height = std::clamp(ParseSize(value, style.height, FALSE), 0, kMaxSize);
    }
}

// "idres:<id>" tiles that bitmap resource and "file:<path>" that bitmap
// file (read by the bounded reader); "iddll:" names no library and loads
// nothing.
static HBITMAP LoadBackground(const CString& source) {
    const int colon = source.Find(L':');
    if (source.GetLength() <= 5 || colon < 0)
        return nullptr;
    const CString kind = source.Left(colon), value = source.Mid(colon + 1);
    if (kind == L"file")
        return LoadBitmapFile(value);
    if (kind != L"idres")
        return nullptr;
    const long long id = std::wcstoll(value, nullptr, 0);
    if (id <= 0 || id > 0xFFFF)
        return nullptr;
    return LoadBitmap(nullptr, reinterpret_cast<const wchar_t*>(uintptr_t(id)));
}

void CQoHtmlDrawer::DrawBackgroundImage(const RECT& rect, const CString& source) {
    HBITMAP bitmap = LoadBackground(source);
    if (bitmap == nullptr)
        return;
    SIZE tile{0, 0};
    m_drawManager.GetBitmapExtent(bitmap, &tile);
    HDC memory = CreateCompatibleDC(m_dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    m_drawManager.TileBlt(m_dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                          memory, 0, 0, tile.cx, tile.cy);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
}
