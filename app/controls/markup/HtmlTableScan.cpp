// Finding tables, rows and cells in a text; nested tables are skipped whole.
#include <algorithm>

#include "app/controls/markup/QoHtmlDrawer.h"

namespace {

thread_local int64_t t_tagSearchSteps = 0;

}  // namespace

int64_t CQoHtmlDrawer::TagSearchSteps() {
    return t_tagSearchSteps;
}

int CQoHtmlDrawer::FindTag(const CString& text, int start, const wchar_t* name) {
    const CString pattern = CString(L"<") + name;
    int at = text.Find(pattern, start);
    for (; at >= 0; at = text.Find(pattern, at + 1)) {
        if (at == 0 || text[at - 1] != L'<')
            break;
    }
    t_tagSearchSteps += (at < 0 ? text.GetLength() : at + 1) - std::max(start, 0);
    return at;
}

int CQoHtmlDrawer::NextTag::Find(const CString& text, int pos) {
    // Still valid while the scan stands between the search's start and the
    // tag found: nothing lies between.
    if (from < 0 || pos < from || (at >= 0 && at < pos)) {
        from = pos;
        at = FindTag(text, pos, name);
    }
    return at;
}

namespace {

int First(int a, int b) {
    return a < 0 ? b : (b < 0 ? a : std::min(a, b));
}

}  // namespace

int CQoHtmlDrawer::FindTableEnd(const CString& text, int start) {
    NextTag opens{L"table"}, closes{L"/table"};
    int depth = 0;
    for (int pos = start;;) {
        const int open = opens.Find(text, pos), close = closes.Find(text, pos);
        if (close < 0)
            return text.GetLength();
        if (open >= 0 && open < close) {
            ++depth;
            pos = open + 1;
        } else {
            if (--depth <= 0)
                return close;
            pos = close + 1;
        }
    }
}

// The end of the element opened at `start` by `open`, closed by `close`;
// nested tables inside it are skipped, nested elements of its own kind counted.
// `tables` carries the next table's place from one call to the next.
int CQoHtmlDrawer::FindElementEnd(const CString& text, int start, const wchar_t* open,
                                  const wchar_t* close, NextTag& tables) {
    const int length = text.GetLength();
    NextTag inners{open}, ends{close};
    int depth = 1;
    for (int pos = start + 1;;) {
        const int table = tables.Find(text, pos), inner = inners.Find(text, pos),
                  end = ends.Find(text, pos);
        const int next = First(First(table, inner), end);
        if (next < 0)
            return length;
        if (next == table) {
            const int tableEnd = FindTableEnd(text, table);
            if (tableEnd >= length)
                return length;
            pos = tableEnd + 1;
        } else if (next == inner) {
            ++depth;
            pos = inner + 1;
        } else {
            if (--depth == 0)
                return end;
            pos = end + 1;
        }
    }
}

int CQoHtmlDrawer::FindRowEnd(const CString& text, int start, NextTag& tables) {
    return FindElementEnd(text, start, L"tr", L"/tr", tables);
}

int CQoHtmlDrawer::FindCellEnd(const CString& text, int start, NextTag& tables) {
    return FindElementEnd(text, start, L"td", L"/td", tables);
}

// The attribute text of the tag that opens `text`.
CString CQoHtmlDrawer::OpeningAttributes(const CString& text) {
    const int close = text.Find(L'>');
    CString name, attributes;
    SplitTag(text.Mid(1, (close < 0 ? text.GetLength() : close) - 1), name, attributes);
    return attributes;
}

// Rows at this table's level, and the widest row's sum of colspans.
// Counting stops at kMaxCount columns, the most a table has.
SIZE CQoHtmlDrawer::GetTableDimensions(const CString& text) const {
    SIZE size{0, 0};
    NextTag tables{L"table"};
    for (int row = FindTag(text, 1, L"tr"); row >= 0 && size.cy < kMaxCount;) {
        const int rowEnd = FindRowEnd(text, row, tables);
        const CString rowText = text.Mid(row, rowEnd - row);
        NextTag cellTables{L"table"};
        int columns = 0;
        for (int cell = FindTag(rowText, 1, L"td"); cell >= 0 && columns < kMaxCount;) {
            const int cellEnd = FindCellEnd(rowText, cell, cellTables);
            TextStyle scratch;
            columns += ParseTableAttributes(OpeningAttributes(rowText.Mid(cell, cellEnd - cell)),
                                            scratch, FALSE)
                           .cx;
            cell = cellEnd < rowText.GetLength() ? FindTag(rowText, cellEnd + 1, L"td") : -1;
        }
        size.cx = std::min<LONG>(std::max<LONG>(size.cx, columns), kMaxCount);
        ++size.cy;
        row = rowEnd < text.GetLength() ? FindTag(text, rowEnd + 1, L"tr") : -1;
    }
    return size;
}
