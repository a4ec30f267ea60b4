// The drawer's fixed tables: tags, entities and colour names.
#include "app/controls/markup/HtmlColorNames.h"
#include "app/controls/markup/QoHtmlDrawer.h"

namespace {

struct TagEntry {
    const wchar_t* name;
    int code;
    const wchar_t* styleClass;
};

constexpr TagEntry kTags[] = {
    {L"b", 1, L"bold"},
    {L"i", 2, L"italic"},
    {L"em", 2, L"italic"},
    {L"u", 3, L"underline"},
    {L"s", 4, L"strikeout"},
    {L"strike", 4, L"strikeout"},
    {L"font", 5, L"font"},
    {L"hr", 6, L""},
    {L"br", 7, L""},
    {L"\n", 7, L""},
    {L"t", 8, L""},
    {L"\t", 8, L""},
    {L"left", 9, L"left"},
    {L"center", 10, L"center"},
    {L"right", 11, L"right"},
    {L"justify", 12, L"justify"},
    {L"baseline", 13, L"baseline"},
    {L"top", 14, L"top"},
    {L"vcenter", 15, L"vcenter"},
    {L"middle", 15, L"vcenter"},
    {L"bottom", 16, L"bottom"},
    {L"bmp", 17, L""},
    {L"icon", 18, L""},
    {L"ilst", 19, L""},
    {L"string", 20, L""},
    {L"body", 21, L"body"},
    {L"h1", 21, L"h1"},
    {L"h2", 21, L"h2"},
    {L"h3", 21, L"h3"},
    {L"h4", 21, L"h4"},
    {L"h5", 21, L"h5"},
    {L"h6", 21, L"h6"},
    {L"code", 21, L"code"},
    {L"pre", 21, L"pre"},
    {L"big", 21, L"big"},
    {L"small", 21, L"small"},
    {L"sub", 21, L"sub"},
    {L"sup", 21, L"sup"},
    {L"span", 22, L"span"},
    {L"a", 23, L"link"},
};

// "&amp;" comes first on purpose: "&amp;lt;" becomes "&lt;" and then "<".
constexpr const wchar_t* kEntities[][2] = {
    {L"&amp;", L"&"},        {L"&bull;", L"\u2022"}, {L"&copy;", L"\u00a9"},
    {L"&euro;", L"\u20ac"},  {L"&gt;", L">"},        {L"&iquest;", L"\u00bf"},
    {L"&lt;", L"<<"},        {L"&nbsp;", L" "},      {L"&para;", L"\u00b6"},
    {L"&pound;", L"\u00a3"}, {L"&quot;", L"\""},     {L"&reg;", L"\u00ae"},
    {L"&trade;", L"\u2122"},
};

struct SystemColorName {
    const wchar_t* name;
    int index;
};

constexpr SystemColorName kSystemColors[] = {
    {L"activeborder", COLOR_ACTIVEBORDER},
    {L"activecaption", COLOR_ACTIVECAPTION},
    {L"appworkspace", COLOR_APPWORKSPACE},
    {L"background", COLOR_BACKGROUND},
    {L"buttonface", COLOR_BTNFACE},
    {L"buttonhighlight", COLOR_BTNHIGHLIGHT},
    {L"buttonshadow", COLOR_BTNSHADOW},
    {L"buttontext", COLOR_BTNTEXT},
    {L"captiontext", COLOR_CAPTIONTEXT},
    {L"graytext", COLOR_GRAYTEXT},
    {L"highlight", COLOR_HIGHLIGHT},
    {L"highlighttext", COLOR_HIGHLIGHTTEXT},
    {L"inactiveborder", COLOR_INACTIVEBORDER},
    {L"inactivecaption", COLOR_INACTIVECAPTION},
    {L"inactivecaptiontext", COLOR_INACTIVECAPTIONTEXT},
    {L"infobackground", COLOR_INFOBK},
    {L"infotext", COLOR_INFOTEXT},
    {L"menu", COLOR_MENU},
    {L"menutext", COLOR_MENUTEXT},
    {L"scrollbar", COLOR_SCROLLBAR},
    {L"threeddarkshadow", COLOR_3DDKSHADOW},
    {L"threedface", COLOR_BTNFACE},
    {L"threedhighlight", COLOR_BTNHIGHLIGHT},
    {L"threedlightshadow", COLOR_3DLIGHT},
    {L"threedshadow", COLOR_BTNSHADOW},
    {L"window", COLOR_WINDOW},
    {L"windowframe", COLOR_WINDOWFRAME},
    {L"windowtext", COLOR_WINDOWTEXT},
};

}  // namespace

void CQoHtmlDrawer::FillTags() {
    for (const TagEntry& tag : kTags)
        m_tags[tag.name] = {tag.code, tag.styleClass};
}

void CQoHtmlDrawer::FillEntities() {
    for (const auto& entity : kEntities)
        m_entities.emplace_back(entity[0], entity[1]);
}

void CQoHtmlDrawer::FillColors() {
    for (const HtmlColorName& colour : HtmlColorNames())
        m_colors[colour.name] = colour.color;
    for (const SystemColorName& colour : kSystemColors)
        m_colors[colour.name] = GetSysColor(colour.index);
}

int CQoHtmlDrawer::LookupTag(CString tag, CString& styleClass, BOOL& closing) const {
    closing = !tag.IsEmpty() && tag[0] == L'/';
    if (closing)
        tag.Delete(0);
    auto found = m_tags.find(tag);
    if (found == m_tags.end()) {
        styleClass.Empty();
        return 0;
    }
    styleClass = found->second.second;
    return found->second.first;
}

COLORREF CQoHtmlDrawer::GetColorByName(const wchar_t* name, COLORREF fallback) const {
    auto found = m_colors.find(CString(name));
    return found == m_colors.end() ? fallback : found->second;
}
