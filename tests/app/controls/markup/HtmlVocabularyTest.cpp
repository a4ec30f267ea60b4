// Tags, entities, colour names, value syntax and the style sheet.
#include <gtest/gtest.h>

#include "app/controls/markup/HtmlColorNames.h"
#include "app/controls/markup/QoHtmlDrawer.h"

namespace {

TEST(HtmlVocabulary, TagsAreFoundInLowerCaseWithTheirClasses) {
    CQoHtmlDrawer drawer;
    struct Case {
        const wchar_t* tag;
        int code;
        const wchar_t* styleClass;
        BOOL closing;
    } cases[] = {
        {L"b", 1, L"bold", FALSE},
        {L"/b", 1, L"bold", TRUE},
        {L"em", 2, L"italic", FALSE},
        {L"strike", 4, L"strikeout", FALSE},
        {L"middle", 15, L"vcenter", FALSE},
        {L"h6", 21, L"h6", FALSE},
        {L"a", 23, L"link", FALSE},
        {L"br", 7, L"", FALSE},
        {L"\t", 8, L"", FALSE},
        {L"B", 0, L"", FALSE},
        {L"table", 0, L"", FALSE},
        {L"/", 0, L"", TRUE},
    };
    for (const Case& c : cases) {
        CString styleClass = L"stale";
        BOOL closing = 2;
        EXPECT_EQ(drawer.LookupTag(c.tag, styleClass, closing), c.code)
            << CString(c.tag).Std().size();
        EXPECT_EQ(styleClass, CString(c.styleClass));
        EXPECT_EQ(closing, c.closing);
    }
}

TEST(HtmlVocabulary, EntitiesAreReplacedInTheirOrder) {
    CQoHtmlDrawer drawer;
    struct Case {
        const wchar_t* text;
        const wchar_t* prepared;
    } cases[] = {
        {L"&amp;", L"&"},
        {L"&bull;", L"\u2022"},
        {L"&copy;&reg;", L"\u00a9\u00ae"},
        {L"&euro;&pound;", L"\u20ac\u00a3"},
        {L"&gt;", L">"},
        {L"&iquest;", L"\u00bf"},
        {L"&lt;", L"<<"},
        {L"&nbsp;", L" "},
        {L"&para;", L"\u00b6"},
        {L"&quot;", L"\""},
        {L"&trade;", L"\u2122"},
        {L"&amp;lt;", L"<<"},
        {L"&unknown;", L"&unknown;"},
        {L"a\r\nb\tc", L"a<br>b<t>c"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(drawer.PrepareText(c.text), CString(c.prepared));
}

TEST(HtmlVocabulary, ColourNamesAreTheLowerCaseTable) {
    CQoHtmlDrawer drawer;
    const COLORREF none = RGB(1, 2, 3);
    struct Case {
        const wchar_t* name;
        COLORREF colour;
    } cases[] = {
        {L"red", RGB(255, 0, 0)},
        {L"Red", none},
        {L"lightgrey", RGB(211, 211, 211)},
        {L"lightgray", none},
        {L"grey", none},
        {L"darkslategray", RGB(47, 79, 79)},
        {L"darkslategrey", none},
        {L"rebeccapurple", none},
        {L"yellowgreen", RGB(154, 205, 50)},
        {L"aliceblue", RGB(240, 248, 255)},
        {L"infobackground", GetSysColor(COLOR_INFOBK)},
        {L"threeddarkshadow", GetSysColor(COLOR_3DDKSHADOW)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(drawer.GetColorByName(c.name, none), c.colour) << CString(c.name).Std().size();
    EXPECT_EQ(HtmlColorNames().size(), 140u);
}

TEST(HtmlValues, Colours) {
    CQoHtmlDrawer drawer;
    const COLORREF current = RGB(9, 9, 9);
    struct Case {
        const wchar_t* value;
        COLORREF colour;
    } cases[] = {
        {L"#FF0000", RGB(255, 0, 0)},
        {L"#00ff80", RGB(0, 255, 128)},
        {L"#F00", current},
        {L"#GG0000", current},
        {L"255", RGB(255, 0, 0)},
        {L"0xff00", RGB(0, 255, 0)},
        {L"", current},
        {L"Red", current},
        {L"navy", RGB(0, 0, 128)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(drawer.ParseColor(c.value, current), c.colour) << CString(c.value).Std().size();
}

TEST(HtmlValues, Sizes) {
    CQoHtmlDrawer drawer;
    struct Case {
        const wchar_t* value;
        int current;
        BOOL fontSizes;
        int size;
    } cases[] = {
        {L"3", 20, TRUE, 12},
        {L"7", 20, TRUE, 36},
        {L"3", 20, FALSE, 3},
        {L"12pt", 0, TRUE, 16},
        {L"10pt", 0, TRUE, 13},
        {L"1in", 0, FALSE, 96},
        {L"2cm", 0, FALSE, 75},
        {L"10mm", 0, FALSE, 37},
        {L"1pc", 0, FALSE, 16},
        {L"5px", 0, FALSE, 5},
        {L"50%", 20, FALSE, 10},
        {L"75%", 13, FALSE, 10},  // 9.75 rounds up, as the small style needs
        {L"25%", 2, FALSE, 1},
        {L"33%", 10, FALSE, 3},
        {L"+4px", 0, FALSE, 4},
        {L"0x10", 0, FALSE, 16},
        {L"010", 0, FALSE, 8},
        {L"", 7, FALSE, 7},
        {L"99999999999999px", 0, FALSE, CQoHtmlDrawer::kMaxSize},
        {L"99999999999999%", 100, FALSE, CQoHtmlDrawer::kMaxSize},
    };
    for (const Case& c : cases)
        EXPECT_EQ(drawer.ParseSize(c.value, c.current, c.fontSizes), c.size)
            << CString(c.value).Std().size();
}

TEST(HtmlStyleSheet, RulesAreStoredInLowerCaseAndReplaced) {
    CQoHtmlDrawer drawer;
    ASSERT_NE(drawer.GetStyleRule(L"h2"), nullptr);
    EXPECT_STREQ(drawer.GetStyleRule(L"code"), L"color:#990000; font-family:Arial");
    drawer.SetStyleSheet(L"H1 {color:red}\r\n h1 {color:blue}  td {x:y} broken {");
    EXPECT_STREQ(drawer.GetStyleRule(L"h1"), L"color:blue");
    EXPECT_STREQ(drawer.GetStyleRule(L"H1"), L"color:blue");
    EXPECT_STREQ(drawer.GetStyleRule(L"td"), L"x:y");
    EXPECT_EQ(drawer.GetStyleRule(L"code"), nullptr);
    EXPECT_EQ(drawer.GetStyleRule(L"broken"), nullptr);
    drawer.SetStyleSheet(nullptr);
    EXPECT_NE(drawer.GetStyleRule(L".cqo-comment"), nullptr);
}

TEST(HtmlStyleSheet, DeclarationsSetTheStyle) {
    CQoHtmlDrawer drawer;
    TextStyle style;
    drawer.ApplyDeclarations(
        L"FONT-WEIGHT: bolder; color:Red; font-family:\"Courier New\"; "
        L"text-decoration: underline,overline; font-size: 3; unknown: 5",
        &style);
    EXPECT_EQ(style.weight, 900);
    EXPECT_EQ(style.textColor, RGB(255, 0, 0));  // lower-cased before parsing
    EXPECT_EQ(style.family, CString(L"courier new"));
    EXPECT_TRUE(style.underline);
    EXPECT_TRUE(style.overline);
    EXPECT_FALSE(style.strikeout);
    EXPECT_EQ(style.size, 12);

    drawer.ApplyDeclarations(
        L"font-weight:600; text-decoration:none; text-align:right; "
        L"vertical-align:middle; text-transform:capitalize; font-style:oblique",
        &style);
    EXPECT_EQ(style.weight, 600);
    EXPECT_FALSE(style.underline);
    EXPECT_FALSE(style.overline);
    EXPECT_EQ(style.hAlign, 2);
    EXPECT_EQ(style.vAlign, 1);
    EXPECT_EQ(style.transform, 3);
    EXPECT_TRUE(style.italic);

    drawer.ApplyDeclarations(L"text-align:sideways; font-style:slanted", &style);
    EXPECT_EQ(style.hAlign, 2);
    EXPECT_TRUE(style.italic);
}

TEST(HtmlStyleSheet, BorderWidthAndStyleKeepEachOtherConsistent) {
    CQoHtmlDrawer drawer;
    TextStyle style;
    drawer.ApplyDeclarations(L"border-style:dashed", &style);
    EXPECT_EQ(style.borderStyle, 2);
    EXPECT_EQ(style.borderWidth, 1);
    drawer.ApplyDeclarations(L"border-width:0", &style);
    EXPECT_EQ(style.borderStyle, 0);
    drawer.ApplyDeclarations(L"size:8px", &style);
    EXPECT_EQ(style.borderStyle, 1);
    EXPECT_EQ(style.borderWidth, 8);
    drawer.ApplyDeclarations(L"border-width:thin", &style);
    EXPECT_EQ(style.borderWidth, 6);
    drawer.ApplyDeclarations(L"background-color:#102030", &style);
    EXPECT_EQ(style.backMode, 2);
    EXPECT_EQ(style.backColor, RGB(0x10, 0x20, 0x30));
    drawer.ApplyDeclarations(L"background-color:transparent", &style);
    EXPECT_EQ(style.backMode, 1);
}

TEST(HtmlScanner, RunsTagsAndLiteralLessThanSigns) {
    struct Case {
        const wchar_t* text;
        std::vector<std::pair<std::wstring, std::wstring>> pieces;
    } cases[] = {
        {L"ab<b>cd</b>", {{L"ab", L"b"}, {L"cd", L"/b"}}},
        {L"a<<b", {{L"a<b", L""}}},
        {L"a<", {{L"a<", L""}}},
        {L"a<b c", {{L"ab c", L""}}},
        {L"<br=3>", {{L"", L"br=3"}}},
    };
    for (const Case& c : cases) {
        CString text(c.text);
        CQoHtmlDrawer::Cursor own = CQoHtmlDrawer::Begin(text);
        std::vector<std::pair<std::wstring, std::wstring>> got;
        CString run, tag;
        while (own.pos < text.GetLength()) {
            CQoHtmlDrawer::GetNextText(own, run, tag);
            got.emplace_back(run.Std(), tag.Std());
        }
        EXPECT_EQ(got, c.pieces);
    }
}

TEST(HtmlScanner, AttributesWithAndWithoutQuotes) {
    CString name, attributes;
    CQoHtmlDrawer::SplitTag(L"font   face='Box Sans' size = 3 color=\"red\" bare", name,
                            attributes);
    EXPECT_EQ(name, CString(L"font"));
    std::vector<std::pair<std::wstring, std::wstring>> got;
    CString key, value;
    for (int pos = 0; CQoHtmlDrawer::GetNextAttribute(attributes, pos, key, value);)
        got.emplace_back(key.Std(), value.Std());
    const std::vector<std::pair<std::wstring, std::wstring>> want = {
        {L"face", L"Box Sans"}, {L"size", L"3"}, {L"color", L"red"}, {L"bare", L""}};
    EXPECT_EQ(got, want);
}

}  // namespace
