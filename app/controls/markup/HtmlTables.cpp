// Tables: the grid measured from the cells, spans, stretching, borders and
// backgrounds, and the cells' own blocks of text and nested tables.
#include <algorithm>
#include <cwchar>

#include "app/controls/markup/QoHtmlDrawer.h"

namespace {

int BorderExtent(const TextStyle& style) {
    return style.borderStyle == PEN_DOUBLE ? 6 : 2 * style.borderWidth;
}

// spacing + count - 1 + the sum of (size + spacing): the table's extent.
int GridExtent(const std::vector<int>& sizes, int spacing) {
    int64_t extent = int64_t(spacing) + int64_t(sizes.size()) - 1;
    for (int size : sizes)
        extent += int64_t(size) + spacing;
    return CQoHtmlDrawer::Saturated(extent);
}

// Widens sizes[first .. first + span) so that together they hold `need`.
void Spread(std::vector<int>& sizes, int first, int span, int need) {
    int64_t sum = 0;
    for (int i = first; i < first + span; ++i)
        sum += sizes[size_t(i)];
    if (sum >= need)
        return;
    const int diff = int(need - sum);
    for (int i = first; i < first + span; ++i)
        sizes[size_t(i)] += diff / span;
    sizes[size_t(first + span - 1)] += diff % span;
}

int Offset(const std::vector<int>& sizes, int index, int spacing) {
    int64_t offset = spacing;
    for (int i = 0; i < index; ++i)
        offset += int64_t(sizes[size_t(i)]) + spacing + 1;
    return CQoHtmlDrawer::Saturated(offset);
}

int SpanExtent(const std::vector<int>& sizes, int first, int span, int spacing) {
    int64_t extent = int64_t(span - 1) * (spacing + 1);
    for (int i = first; i < first + span && i < int(sizes.size()); ++i)
        extent += sizes[size_t(i)];
    return CQoHtmlDrawer::Saturated(extent);
}

}  // namespace

void CQoHtmlDrawer::DrawHtmlBlocks(const CString& text, SIZE& size, RECT area) {
    for (int pos = 0; pos < text.GetLength();) {
        const int table = FindTag(text, pos, L"table");
        const int blockEnd = table < 0 ? text.GetLength() : table;
        SIZE piece{0, 0};
        if (blockEnd > pos) {
            DrawHtmlString(text.Mid(pos, blockEnd - pos), piece, area);
            AddBlock(size, piece, area);
        }
        if (table < 0)
            break;
        const int tableEnd = FindTableEnd(text, table);
        piece = SIZE{0, 0};
        DrawHtmlTable(text.Mid(table, tableEnd - table), piece, area);
        AddBlock(size, piece, area);
        pos = tableEnd;
    }
}

void CQoHtmlDrawer::AddBlock(SIZE& size, SIZE piece, RECT& area) const {
    size.cx = std::max(size.cx, piece.cx);
    size.cy = Saturated(int64_t(size.cy) + piece.cy);
    if (!m_measuring)
        area.top = Saturated(int64_t(area.top) + piece.cy);
}

void CQoHtmlDrawer::DrawHtmlTable(const CString& text, SIZE& size, const RECT& area) {
    ++m_tableCounter;
    if (m_measuring) {
        const SIZE grid = GetTableDimensions(text);
        m_tables.emplace_back(int(grid.cy), int(grid.cx));
    }
    if (size_t(m_tableCounter) >= m_tables.size() || !PushPopStyle(L"table", FALSE))
        return;
    TableInfo info = m_tables[size_t(m_tableCounter)];
    ApplyStyleClass(L"table", &m_style);
    ParseTableAttributes(OpeningAttributes(text), m_style, TRUE);
    UpdateFont();
    RECT table = area;
    if (!m_measuring)
        table = PlaceTable(info, area);
    RECT content = table;
    if (!m_measuring) {
        const int inset = m_style.borderStyle == PEN_DOUBLE ? 3 : m_style.borderWidth;
        InflateRect(&content, -inset, -inset);
    }
    if (info.rows > 0 && info.columns > 0) {
        NextTag tables{L"table"};
        int pos = 1;
        for (int row = 0; row < info.rows; ++row) {
            const int start = FindTag(text, pos, L"tr");
            if (start < 0)
                break;
            const int end = FindRowEnd(text, start, tables);
            DrawHtmlRow(text.Mid(start, end - start), content, info, row);
            pos = end + 1;
        }
    }
    if (m_measuring)
        MeasureGrid(info, size);
    else
        size = SIZE{table.right - table.left, table.bottom - table.top};
    m_tables[size_t(m_tableCounter)] = info;
    PushPopStyle(L"table", TRUE);
}

void CQoHtmlDrawer::MeasureGrid(TableInfo& info, SIZE& size) const {
    for (int span = 1; span <= info.columns; ++span) {
        for (int r = 0; r < info.rows; ++r) {
            for (int c = 0; c < info.columns; ++c) {
                const TableCell& cell = info.At(r, c);
                if (cell.colspan != span)
                    continue;
                if (cell.fixed)
                    std::fill_n(info.fixedColumns.begin() + c, span, TRUE);
                Spread(info.columnWidths, c, span, cell.cellWidth);
            }
        }
    }
    for (int span = 1; span <= info.rows; ++span) {
        for (int r = 0; r < info.rows; ++r) {
            for (int c = 0; c < info.columns; ++c) {
                if (info.At(r, c).rowspan == span)
                    Spread(info.rowHeights, r, span, info.At(r, c).cellHeight);
            }
        }
    }
    const int border = BorderExtent(m_style);
    size.cx = GridExtent(info.columnWidths, m_style.padding) + border;
    size.cy = GridExtent(info.rowHeights, m_style.padding) + border;
}

// The table's rectangle in the draw pass, stretched or aligned within the
// area, with its background and border drawn.
RECT CQoHtmlDrawer::PlaceTable(TableInfo& info, const RECT& area) {
    const int border = BorderExtent(m_style);
    int width = GridExtent(info.columnWidths, m_style.padding) + border;
    const int height = GridExtent(info.rowHeights, m_style.padding) + border;
    const int areaWidth = area.right - area.left;
    int free = int(std::count(info.fixedColumns.begin(), info.fixedColumns.end(), FALSE));
    for (int c = 0; c < info.columns && width < areaWidth && free > 0; ++c) {
        if (info.fixedColumns[size_t(c)])
            continue;
        const int share = (areaWidth - width) / free--;
        info.columnWidths[size_t(c)] += share;
        width += share;
    }
    RECT table{area.left, area.top, area.left + width, area.top + height};
    if (width < areaWidth && m_style.hAlign == 1)
        OffsetRect(&table, (areaWidth - width) / 2, 0);
    else if (width < areaWidth && m_style.hAlign == 2)
        OffsetRect(&table, areaWidth - width, 0);
    if (m_style.backEffect >= 0)
        m_drawManager.FillBackground(m_dc, m_style.backEffect, &table, m_style.backColor,
                                     m_style.backMid, m_style.backEnd, 5, 0);
    else
        DrawBackgroundImage(table, m_style.backImage);
    if (m_style.borderWidth > 0)
        m_drawManager.DrawRectangle(m_dc, &table, m_style.borderLight, m_style.borderDark,
                                    m_style.borderStyle, m_style.borderWidth);
    return table;
}

void CQoHtmlDrawer::DrawHtmlRow(const CString& text, const RECT& content, TableInfo& info,
                                int row) {
    if (!PushPopStyle(L"tr", FALSE))
        return;
    ApplyStyleClass(L"tr", &m_style);
    ParseTableAttributes(OpeningAttributes(text), m_style, FALSE);
    UpdateFont();
    const int spacing = m_style.padding;
    int column = 0;
    NextTag tables{L"table"};
    for (int cell = FindTag(text, 1, L"td"); cell >= 0;) {
        while (column < info.columns && info.At(row, column).colspan == -1)
            ++column;
        if (column >= info.columns)
            break;  // a surplus cell has no slot in the grid
        const int end = FindCellEnd(text, cell, tables);
        const TableCell& slot = info.At(row, column);
        RECT rect{};
        if (!m_measuring) {
            rect.left = content.left + Offset(info.columnWidths, column, spacing);
            rect.right = rect.left + SpanExtent(info.columnWidths, column, slot.colspan, spacing);
            rect.top = content.top + Offset(info.rowHeights, row, spacing);
            rect.bottom = rect.top + SpanExtent(info.rowHeights, row, slot.rowspan, spacing);
        }
        DrawHtmlCell(text.Mid(cell, end - cell), rect, info, row, column);
        column += std::max(1, info.At(row, column).colspan);
        cell = end < text.GetLength() ? FindTag(text, end + 1, L"td") : -1;
    }
    PushPopStyle(L"tr", TRUE);
}

void CQoHtmlDrawer::DrawHtmlCell(const CString& text, const RECT& rect, TableInfo& info, int row,
                                 int column) {
    if (!PushPopStyle(L"td", FALSE))
        return;
    ApplyStyleClass(L"td", &m_style);
    m_style.width = m_style.height = 0;
    const SIZE spans = ParseTableAttributes(OpeningAttributes(text), m_style, FALSE);
    UpdateFont();
    TableCell& cell = info.At(row, column);
    RECT layout = rect;
    if (m_measuring) {
        cell.colspan = std::clamp(int(spans.cx), 1, info.columns - column);
        cell.rowspan = std::clamp(int(spans.cy), 1, info.rows - row);
        cell.contentWidth = std::max(0, m_style.width);
        cell.contentHeight = 0;
        cell.fixed = m_style.width > 0;
        layout = RECT{0, 0, cell.contentWidth, 0};
        CoverSpannedSlots(info, row, column);
    } else {
        layout = CellContentRect(rect, cell);
    }
    const int open = text.Find(L'>');
    DrawCellContent(open < 0 ? CString() : text.Mid(open + 1), layout, cell);
    if (m_measuring) {
        const int frame = m_style.margin + m_style.borderWidth;
        cell.cellWidth = std::max(cell.contentWidth, m_style.width) + 2 * frame;
        cell.cellHeight = std::max(cell.contentHeight, m_style.height) + 2 * frame;
    }
    PushPopStyle(L"td", TRUE);
}

void CQoHtmlDrawer::CoverSpannedSlots(TableInfo& info, int row, int column) const {
    const TableCell& cell = info.At(row, column);
    for (int r = row; r < row + cell.rowspan; ++r) {
        for (int c = column; c < column + cell.colspan; ++c) {
            if (r != row || c != column)
                info.At(r, c).colspan = info.At(r, c).rowspan = -1;
        }
    }
}

// The cell's background and frame, and the rectangle left for its content.
RECT CQoHtmlDrawer::CellContentRect(const RECT& rect, const TableCell& cell) {
    if (m_style.backEffect >= 0)
        m_drawManager.FillBackground(m_dc, m_style.backEffect, &rect, m_style.backColor,
                                     m_style.backMid, m_style.backEnd, 5, 0);
    m_drawManager.DrawRectangle(m_dc, &rect, m_style.borderDark, m_style.borderLight,
                                m_style.borderStyle, 1);
    RECT layout = rect;
    const int inset = m_style.margin + m_style.borderWidth;
    InflateRect(&layout, -inset, -inset);
    if (m_style.vAlign == 1)
        layout.top += (layout.bottom - layout.top - cell.contentHeight) / 2;
    else if (m_style.vAlign == 2)
        layout.top = layout.bottom - cell.contentHeight;
    return layout;
}

void CQoHtmlDrawer::DrawCellContent(const CString& text, RECT layout, TableCell& cell) {
    for (int pos = 0; pos < text.GetLength();) {
        const int table = FindTag(text, pos, L"table");
        const int close = FindTag(text, pos, L"/td");
        int end = text.GetLength();
        if (table >= 0)
            end = table;
        if (close >= 0 && close < end)
            end = close;
        SIZE piece{0, 0};
        if (end > pos)
            DrawHtmlString(text.Mid(pos, end - pos), piece, layout);
        else if (end == table)
            DrawHtmlTable(text.Mid(table, FindTableEnd(text, table) - table), piece, layout);
        if (m_measuring) {
            cell.contentWidth = std::max(cell.contentWidth, int(piece.cx));
            cell.contentHeight = Saturated(int64_t(cell.contentHeight) + piece.cy);
        }
        layout.top = Saturated(int64_t(layout.top) + piece.cy);
        if (end == close && end == pos)
            break;
        pos = end > pos ? end : FindTableEnd(text, table);
    }
}
