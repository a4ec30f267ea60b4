// CQoHtmlDrawer renders a small HTML-like markup into a device context.
//
// Every use is two passes over one text: Measure lays it out line by line
// (recording each line's width, height and alignment) and returns the size it
// needs; Draw walks the text again with those records and draws it into a
// rectangle, recording the hyperlink areas. Draw must follow a Measure of the
// same text on a DC with the same font metrics. User-interface thread only.
//
// Text runs up to a tag; "<<" is a literal "<". Tags (b, i, u, s, font, br,
// t, hr, alignment, body/h1-h6/code/pre/big/small/sub/sup, span, a) push a
// style that the matching closing tag pops; styles come from a style sheet of
// "selector {property: value; ...}" rules. Nothing in a text is ever trusted:
// sizes and counts are clamped, and unclosed or unknown tags are ignored.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "app/controls/draw/QoDrawManager.h"
#include "app/controls/markup/HtmlTableInfo.h"
#include "app/controls/markup/TextStyle.h"
#include "platform/afx/String.h"
#include "platform/gdi/Gdi.h"
#include "platform/user/User.h"

class CQoHtmlDrawer {
public:
    CQoHtmlDrawer();
    virtual ~CQoHtmlDrawer();
    CQoHtmlDrawer(const CQoHtmlDrawer&) = delete;
    CQoHtmlDrawer& operator=(const CQoHtmlDrawer&) = delete;

    // Lays `text` out on `dc` and stores it for Draw. The size is the width
    // (capped at the maximum width when set) and height plus 1 each; an empty
    // text, or one that lays out to nothing, is 0 x 0.
    void Measure(HDC dc, const wchar_t* text, SIZE* size);
    // Draws the text of the last Measure into `area`; nothing for an empty one.
    void Draw(HDC dc, LPCRECT area);
    // The layout width at which lines wrap; 0 = never wrap.
    void SetMaxWidth(int width) { m_maxWidth = width; }
    CQoDrawManager& GetDrawManager() { return m_drawManager; }
    // Shadows of images whose style has "s"; darkness above 100 counts as 100.
    void SetImageShadow(int offsetX, int offsetY, BYTE darkness, BOOL gradient, int depthX,
                        int depthY);
    // Image effect flags of the letters g, d, l and s.
    UINT ParseImageStyle(const CString& value) const;
    // Advances the animated image strips; TRUE when any changed its frame.
    BOOL OnTimer();

    // Vocabulary. The tag code, 0 for a name not in the tag table; a leading
    // "/" sets `closing` and is removed before the lookup.
    int LookupTag(CString tag, CString& styleClass, BOOL& closing) const;
    COLORREF GetColorByName(const wchar_t* name, COLORREF fallback) const;

    // Values. Each keeps `current` for a value it does not understand.
    COLORREF ParseColor(const CString& value, COLORREF current) const;
    int ParseSize(const CString& value, int current, BOOL fontSizes) const;

    // Style sheet: all rules are replaced by those of `text`, null = built-in.
    void SetStyleSheet(const wchar_t* text);
    // The declaration text of a selector's rule, or null.
    const wchar_t* GetStyleRule(const wchar_t* selector) const;
    void ApplyDeclarations(CString declarations, TextStyle* style) const;
    void ApplyStyleClass(const wchar_t* selector, TextStyle* style) const;

    // Hyperlinks, in the coordinates of the draw pass. OnSetCursor returns
    // TRUE when it set the hand cursor; a change of the link under the cursor
    // sends the repaint message to the repaint target.
    void SetRepaintTarget(HWND window, UINT message, LPARAM lParam);
    // Where a click on a msg link sends `message` with the address of the
    // link's CString parameter and `lParam`; without a window nothing is sent.
    void SetLinkTarget(HWND window, UINT message, LPARAM lParam);
    BOOL OnSetCursor(const POINT* point);
    void OnLButtonDown(const POINT* point);
    const std::vector<HotArea>& HotAreas() const { return m_hotAreas; }
    // The program an href link's target is handed to as its one argument;
    // null or empty = the desktop's opener.
    void SetLinkOpener(const wchar_t* program);
    static constexpr const wchar_t* kDefaultOpener = L"/usr/bin/xdg-open";
    // The cursor shown over a link with a target; null = the system's hand.
    // Cursors are shared objects of the window system and are not destroyed.
    void SetHandCursor(HCURSOR cursor);

    // The largest value a size or count in a text may have; larger ones are
    // clamped so that no text can overflow the layout's arithmetic.
    static constexpr int kMaxSize = 4096;
    static constexpr int kMaxCount = 64;
    // Deeper tag nesting is ignored, so a text cannot grow the style stack
    // without bound.
    static constexpr int kMaxDepth = 128;
    // No position or extent of a layout goes beyond this many pixels: every
    // sum of sizes (line heights, run, tab, image and rule widths, table rows
    // and columns) saturates here, however many of them a text piles up, so
    // that no sum overflows int.
    static constexpr int kMaxExtent = 1 << 24;
    static int Saturated(int64_t value) {
        return int(std::clamp<int64_t>(value, -kMaxExtent, kMaxExtent));
    }
    // Characters the table scans of this thread have searched for tags so
    // far: a layout searches each character a bounded number of times, so
    // this grows with a text's length, never with its square.
    static int64_t TagSearchSteps();

    // Scanner state over one prepared text.
    struct Cursor {
        const CString& text;
        int pos;
        int lastClose;  // index of the last ">", so a "<" without one is found in O(1)
    };
    static Cursor Begin(const CString& text) { return Cursor{text, 0, text.ReverseFind(L'>')}; }
    // The text up to the next tag, and that tag without its angle brackets.
    static void GetNextText(Cursor& cursor, CString& run, CString& tag);
    static void SplitTag(const CString& tag, CString& name, CString& attributes);
    // The next name=value pair of an attribute text; FALSE at its end.
    static BOOL GetNextAttribute(const CString& attributes, int& pos, CString& name,
                                 CString& value);
    // Entities replaced, carriage returns removed, newlines and tabs as tags.
    CString PrepareText(const CString& text) const;

private:
    using TagEffect = void (CQoHtmlDrawer::*)(const CString& attributes);
    struct Pen {
        POINT pos;
        int lineStartX;
        int lineWidth;
        int remaining;  // R: measured width still to come on the line
        int breaks;     // K: spaces still to come on the line
    };

    void FillTags();
    void FillEffects();
    void FillEntities();
    void FillColors();
    void SetDefaultStyleSheet();

    void ResetStyle() { m_style = TextStyle(); }
    void DrawHtml(SIZE& size, RECT area);
    void DrawHtmlString(const CString& block, SIZE& size, const RECT& area);
    void DrawRun(CString run);
    int DrawPiece(CString piece, int width, int y, int available);
    void DrawTag(const CString& tag);
    int LineStart(int left);
    void NewLine(int count);
    int VAlignText(int top, int height);
    void Tab(int count);
    CString WordWrap(CString& run, int available, int& width);
    int PieceExtent(const CString& text) const;
    SIZE RunExtent(const CString& run, int available) const;
    void ReloadLine();

    BOOL PushPopStyle(const CString& styleClass, BOOL closing);
    void UpdateFont();
    LOGFONT StyleFont() const;
    void SelectStyleFont();
    void SelectStyleColours();
    void ReleaseFont();
    void TagBold(const CString&);
    void TagItalic(const CString&);
    void TagUnderline(const CString&);
    void TagStrikeout(const CString&);
    void TagFont(const CString& attributes);
    void TagAlign(const CString&);
    void TagStyleClass(const CString&);
    void TagSpan(const CString& attributes);
    void TagLink(const CString& attributes);
    void TagRule(const CString& attributes);
    void TagBreak(const CString& attributes);
    void TagTab(const CString& attributes);
    void DrawRuleLine(int thickness, COLORREF colour, int width);
    void TagBitmap(const CString& attributes);
    void TagIcon(const CString& attributes);
    void TagImageList(const CString& attributes);
    void TagString(const CString& attributes);
    int VAlignImage(int top, int height);
    int PlaceImage(int width, int height, UINT style, int& layoutWidth);
    UINT ImageStyle(UINT style, UINT hotStyle) const;
    // Lays out an image of `size` and, when it is drawn, calls `draw` with its
    // top and the style to draw it in; the pen then moves past it.
    void DrawPlacedImage(SIZE size, UINT style, UINT hotStyle,
                         const std::function<void(int y, UINT style)>& draw);
    void ParseFontStyle(const CString& value, TextStyle& style) const;
    void ApplyDeclaration(const CString& property, const CString& value, TextStyle& style) const;
    int ParseBorderWidth(const CString& value, int current) const;
    int ParseEffect(const CString& value, int current) const;

    // Tables. Scans move forward through a text; NextTag remembers where a
    // tag was found, so a scan that has not passed it yet does not search
    // again (a row of many cells was searched to its end for every cell).
    struct NextTag {
        const wchar_t* name;
        int from = -1;  // where the search that found `at` started
        int at = -1;    // the tag at or after `from`, -1 when none
        int Find(const CString& text, int pos);
    };
    static int FindTag(const CString& text, int start, const wchar_t* name);
    static int FindTableEnd(const CString& text, int start);
    static int FindElementEnd(const CString& text, int start, const wchar_t* open,
                              const wchar_t* close, NextTag& tables);
    static int FindRowEnd(const CString& text, int start, NextTag& tables);
    static int FindCellEnd(const CString& text, int start, NextTag& tables);
    static CString OpeningAttributes(const CString& text);
    SIZE GetTableDimensions(const CString& text) const;
    void DrawHtmlBlocks(const CString& text, SIZE& size, RECT area);
    void AddBlock(SIZE& size, SIZE piece, RECT& area) const;
    void DrawHtmlTable(const CString& text, SIZE& size, const RECT& area);
    void MeasureGrid(TableInfo& info, SIZE& size) const;
    RECT PlaceTable(TableInfo& info, const RECT& area);
    void DrawHtmlRow(const CString& text, const RECT& content, TableInfo& info, int row);
    void DrawHtmlCell(const CString& text, const RECT& rect, TableInfo& info, int row, int column);
    void CoverSpannedSlots(TableInfo& info, int row, int column) const;
    RECT CellContentRect(const RECT& rect, const TableCell& cell);
    void DrawCellContent(const CString& text, RECT layout, TableCell& cell);
    // Returns the colspan (cx) and rowspan (cy).
    SIZE ParseTableAttributes(const CString& attributes, TextStyle& style, BOOL tableLevel) const;
    void ApplyTableAttribute(const CString& name, const CString& value, TextStyle& style) const;
    void DrawBackgroundImage(const RECT& rect, const CString& source);
    void ParseBackground(const CString& value, TextStyle& style) const;
    static void SetBorderWidth(int width, TextStyle& style);
    static void SetBorderStyle(int borderStyle, TextStyle& style);

    void AddHotArea(int left, int top, int right, int bottom);
    const HotArea* FindHotArea(const POINT& point) const;
    void SendRepaint(int index);
    void FollowLink(HotArea area);
    void OpenLink(const CString& target);

    HWND m_repaintWindow = nullptr;
    UINT m_repaintMessage = 0;
    LPARAM m_repaintParam = 0;
    HWND m_linkWindow = nullptr;
    UINT m_linkMessage = 0;
    LPARAM m_linkParam = 0;
    CString m_opener = kDefaultOpener;

    TextStyle m_style;
    CQoDrawManager m_drawManager;
    LineInfo m_line;
    Pen m_pen{};
    RECT m_area{};
    int m_tagCode = 0;  // the tag being interpreted
    CString m_tagName;

    HCURSOR m_handCursor = nullptr;
    HFONT m_font = nullptr;
    LOGFONT m_fontSpec{};  // what m_font was made from
    HGDIOBJ m_oldFont = nullptr;
    int m_oldBackMode = 0;
    COLORREF m_oldTextColor = 0, m_oldBackColor = 0;

    HDC m_dc = nullptr;
    CString m_text;
    BOOL m_measuring = FALSE;
    int m_tabWidth = 32;
    int m_maxWidth = 0;
    int m_lineCounter = 0;

    int m_hotLink = -2;
    int m_linkIndex = -1;

    int m_animationCounter = -1;

    int m_shadowX = 4, m_shadowY = 4;
    int m_shadowDepthX = 7, m_shadowDepthY = 7;
    BYTE m_shadowDarkness = 50;
    BOOL m_shadowGradient = TRUE;
    COLORREF m_shadowColor = RGB(128, 128, 128);

    TEXTMETRIC m_metrics{};
    CString m_styleSheet;

    std::vector<LineInfo> m_lines;
    std::vector<TextStyle> m_styles;
    std::vector<HotArea> m_hotAreas;
    std::vector<AnimationInfo> m_animations;
    std::vector<TableInfo> m_tables;
    int m_tableCounter = -1;

    std::map<CString, COLORREF> m_colors;
    std::map<CString, CString> m_rules;
    std::vector<std::pair<CString, CString>> m_entities;  // in replacement order
    std::map<CString, std::pair<int, CString>> m_tags;
    std::vector<TagEffect> m_effects;  // by tag code
};
