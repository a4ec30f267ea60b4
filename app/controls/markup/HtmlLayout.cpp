// The two passes: lines, runs of text, wrapping and vertical alignment.
#include <algorithm>

#include "app/controls/markup/QoHtmlDrawer.h"

namespace {

int CountSpaces(const CString& text) {
    return int(std::count(text.Std().begin(), text.Std().end(), L' '));
}

bool IsBreakChar(wchar_t c) {
    return wcschr(L" -.,!:;)}]?", c) != nullptr && c != L'\0';
}

}  // namespace

void CQoHtmlDrawer::Measure(HDC dc, const wchar_t* text, SIZE* size) {
    m_dc = dc;
    SetTextJustification(dc, 0, 0);
    m_text = PrepareText(text != nullptr ? text : L"");
    *size = SIZE{0, 0};
    if (m_text.IsEmpty())
        return;
    m_measuring = TRUE;
    DrawHtml(*size, RECT{0, 0, m_maxWidth, 0});
    if (size->cx == 0 && size->cy == 0) {
        m_text.Empty();
        return;
    }
    if (m_maxWidth != 0)
        size->cx = std::min<LONG>(size->cx, m_maxWidth);
    size->cx += 1;
    size->cy += 1;
}

void CQoHtmlDrawer::Draw(HDC dc, LPCRECT area) {
    if (m_text.IsEmpty())
        return;
    m_dc = dc;
    m_measuring = FALSE;
    // Each draw pass records the hot areas anew, so repaints do not pile them up.
    m_hotAreas.clear();
    SIZE size{0, 0};
    DrawHtml(size, *area);
}

void CQoHtmlDrawer::DrawHtml(SIZE& size, RECT area) {
    if (m_measuring) {
        m_hotAreas.clear();
        m_lines.clear();
        m_animations.clear();
        m_tables.clear();
    }
    m_lineCounter = 0;
    m_linkIndex = -1;
    m_animationCounter = -1;
    m_tableCounter = -1;
    m_styles.clear();
    ResetStyle();
    ApplyStyleClass(L"body", &m_style);
    m_oldFont = nullptr;
    m_oldBackMode = GetBkMode(m_dc);
    m_oldTextColor = GetTextColor(m_dc);
    m_oldBackColor = GetBkColor(m_dc);
    SelectStyleFont();
    DrawHtmlBlocks(m_text, size, area);
    SetBkMode(m_dc, m_oldBackMode);
    SetBkColor(m_dc, m_oldBackColor);
    SetTextColor(m_dc, m_oldTextColor);
    ReleaseFont();
    m_styles.clear();
}

void CQoHtmlDrawer::DrawHtmlString(const CString& block, SIZE& size, const RECT& area) {
    const CString text = L"<body>" + block + L"</body>";
    m_area = area;
    const int firstLine = m_lineCounter;
    m_pen.lineWidth = area.right - area.left;
    m_pen.pos = POINT{LineStart(area.left), area.top};
    ReloadLine();
    Cursor cursor = Begin(text);
    CString run, tag;
    while (cursor.pos < text.GetLength()) {
        GetNextText(cursor, run, tag);
        if (!run.IsEmpty())
            DrawRun(run);
        if (!tag.IsEmpty())
            DrawTag(tag);
    }
    if (m_pen.pos.x != m_pen.lineStartX) {
        m_line.wrapped = 0;
        NewLine(1);
    }
    SetTextJustification(m_dc, 0, 0);
    size.cy = Saturated(int64_t(m_pen.pos.y) - area.top);
    int widest = 0;
    for (int i = firstLine; i < m_lineCounter && i < int(m_lines.size()); ++i) {
        const LineInfo& line = m_lines[size_t(i)];
        widest =
            std::max(widest, Saturated(line.width + int64_t{MulDiv(widest, line.percent, 100)}));
    }
    size.cx = widest;
}

void CQoHtmlDrawer::DrawRun(CString run) {
    if (m_style.transform == 1)
        run.MakeUpper();
    else if (m_style.transform >= 2)
        run.MakeLower();
    if (m_style.transform == 3) {
        for (int i = 0; i < run.GetLength(); ++i) {
            if ((i == 0 || run[i - 1] == L' ') && run[i] >= L'a' && run[i] <= L'z')
                run.SetAt(i, wchar_t(run[i] - L'a' + L'A'));
        }
    }
    while (!run.IsEmpty()) {
        SetTextJustification(m_dc, 0, 0);
        const int available = m_pen.lineWidth + m_area.left - m_pen.pos.x;
        const SIZE extent = RunExtent(run, available);
        const int y = VAlignText(m_pen.pos.y, extent.cy);
        CString piece = run;
        int width = extent.cx;
        if (m_maxWidth != 0 && m_pen.lineWidth != 0 && width > available)
            piece = WordWrap(run, available, width);
        else
            run.Empty();
        if (m_measuring) {
            m_line.align = m_style.hAlign;
            m_line.breaks += CountSpaces(piece);
        } else if (width != 0) {
            width = DrawPiece(piece, width, y, available);
        }
        m_pen.pos.x = Saturated(int64_t(m_pen.pos.x) + width);
        if (!run.IsEmpty()) {
            m_line.wrapped = 1;
            NewLine(1);
        }
    }
}

int CQoHtmlDrawer::DrawPiece(CString piece, int width, int y, int available) {
    if (m_pen.remaining == width && piece.Right(1) == L" ") {
        piece.TrimRight(L" ");
        m_pen.breaks = CountSpaces(piece);
        m_pen.remaining -= width - PieceExtent(piece);
    }
    if (m_line.align == 3 && m_line.wrapped)
        SetTextJustification(m_dc, available - m_pen.remaining, m_pen.breaks);
    m_pen.remaining -= width;
    const int drawn = PieceExtent(piece);
    if (m_style.linkType != 0)
        AddHotArea(m_pen.pos.x, y, m_pen.pos.x + drawn, y + m_metrics.tmHeight);
    TextOut(m_dc, m_pen.pos.x, y, piece, piece.GetLength());
    m_pen.breaks -= CountSpaces(piece);
    if (m_style.overline) {
        HPEN pen = CreatePen(PS_SOLID, m_style.weight >= 700 ? 2 : 1, m_style.textColor);
        HGDIOBJ old = SelectObject(m_dc, pen);
        MoveToEx(m_dc, m_pen.pos.x, y, nullptr);
        LineTo(m_dc, m_pen.pos.x + drawn, y);
        SelectObject(m_dc, old);
        DeleteObject(pen);
    }
    return drawn;
}

// The run's extent, or, when this line can wrap, that of a prefix already
// wider than `available`: extents only grow with length, so the answer to
// "does it fit" is the same, and a long run in a narrow tip is not measured
// again in full for every line it fills. A line without a width (a cell
// without one, in the measure pass) never wraps, so it needs the whole run.
SIZE CQoHtmlDrawer::RunExtent(const CString& run, int available) const {
    SIZE extent{0, 0};
    if (m_maxWidth != 0 && m_pen.lineWidth != 0 && available >= 0 &&
        available + 1 < run.GetLength()) {
        GetTextExtentPoint32(m_dc, run, available + 1, &extent);
        if (extent.cx > available)
            return extent;
    }
    GetTextExtentPoint32(m_dc, run, run.GetLength(), &extent);
    return extent;
}

int CQoHtmlDrawer::PieceExtent(const CString& text) const {
    SIZE extent{0, 0};
    GetTextExtentPoint32(m_dc, text, text.GetLength(), &extent);
    return extent.cx;
}

void CQoHtmlDrawer::ReloadLine() {
    m_pen.remaining = m_line.width;
    m_pen.breaks = m_line.breaks;
}

int CQoHtmlDrawer::LineStart(int left) {
    int x = left;
    if (m_measuring) {
        m_line = LineInfo{};
        m_line.align = m_style.hAlign;
    } else {
        m_line =
            size_t(m_lineCounter) < m_lines.size() ? m_lines[size_t(m_lineCounter)] : LineInfo{};
        const int available = m_area.right - m_area.left;
        m_line.width = Saturated(m_line.width + int64_t{MulDiv(available, m_line.percent, 100)});
        if (m_line.align == 3 && m_line.wrapped)
            SetTextJustification(m_dc, available - m_line.width, m_line.breaks);
        else
            SetTextJustification(m_dc, 0, 0);
        if (m_line.align == 1)
            x = (available - m_line.width) / 2 + left;
        else if (m_line.align == 2)
            x = available + left - m_line.width;
    }
    m_pen.lineStartX = x;
    return x;
}

void CQoHtmlDrawer::NewLine(int count) {
    if (m_measuring) {
        if (m_line.height == 0)
            m_line.height = m_metrics.tmHeight;
        m_line.width = Saturated(int64_t(m_pen.pos.x) - m_area.left);
        m_line.height = Saturated(int64_t(m_line.height) + m_line.descent);
        if (m_lines.size() <= size_t(m_lineCounter))
            m_lines.resize(size_t(m_lineCounter) + 1);
        m_lines[size_t(m_lineCounter)] = m_line;
    }
    ++m_lineCounter;
    m_pen.pos.y = Saturated(m_pen.pos.y + int64_t{std::clamp(count, 1, kMaxCount)} * m_line.height);
    m_pen.pos.x = LineStart(m_area.left);
    ReloadLine();
}

int CQoHtmlDrawer::VAlignText(int top, int height) {
    const int ascent = m_metrics.tmAscent;
    if (m_measuring) {
        m_line.height = std::max(m_line.height, ascent);
        m_line.descent = std::max(m_line.descent, height - ascent);
        return top;
    }
    switch (m_style.vAlign) {
        case 1:
            return top + (m_line.height - m_metrics.tmHeight) / 2;
        case 2:
            return top + m_line.height - ascent;
        case 3:
            return top + m_line.height - m_line.descent - ascent;
        default:
            return top;
    }
}

void CQoHtmlDrawer::Tab(int count) {
    int stops = std::clamp(count, 1, kMaxCount);
    const int offset = m_pen.pos.x - m_area.left;
    int64_t x = m_pen.pos.x;
    if (offset % m_tabWidth != 0) {
        x += m_tabWidth - offset % m_tabWidth;
        --stops;
    }
    m_pen.pos.x = Saturated(x + int64_t(stops) * m_tabWidth);
}

CString CQoHtmlDrawer::WordWrap(CString& run, int available, int& width) {
    int accepted = 0;
    SIZE extent{0, 0};
    for (int p = 1; p < run.GetLength(); ++p) {
        if (!IsBreakChar(run[p]))
            continue;
        // The piece ends with the break character; a space is trimmed off it,
        // any other is drawn, so it must fit too.
        GetTextExtentPoint32(m_dc, run, run[p] == L' ' ? p : p + 1, &extent);
        if (extent.cx > available)
            break;
        accepted = p + 1;
    }
    CString piece;
    if (accepted > 0) {
        piece = run.Left(accepted);
        piece.TrimRight(L" ");
        run = run.Mid(accepted);
        run.TrimLeft(L" ");
    } else if (m_pen.pos.x == m_pen.lineStartX) {
        int fit = 1;
        while (fit < run.GetLength()) {
            GetTextExtentPoint32(m_dc, run, fit + 1, &extent);
            if (extent.cx > available)
                break;
            ++fit;
        }
        piece = run.Left(fit);
        run = run.Mid(fit);
    }
    width = PieceExtent(piece);
    return piece;
}
