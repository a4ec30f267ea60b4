// Finding tables, rows and cells in a text; nested tables are skipped whole.
#include <algorithm>

#include "app/controls/markup/QoHtmlDrawer.h"

int CQoHtmlDrawer::FindTag(const CString& text, int start, const wchar_t* name) {
    const CString pattern = CString(L"<") + name;
    for (int at = text.Find(pattern, start); at >= 0; at = text.Find(pattern, at + 1)) {
        if (at == 0 || text[at - 1] != L'<')
            return at;
    }
    return -1;
}

int CQoHtmlDrawer::FindTableEnd(const CString& text, int start) {
    int depth = 0;
    for (int pos = start;;) {
        const int open = FindTag(text, pos, L"table"), close = FindTag(text, pos, L"/table");
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
int CQoHtmlDrawer::FindElementEnd(const CString& text, int start, const wchar_t* open,
                                  const wchar_t* close) {
    const int length = text.GetLength();
    int depth = 1;
    for (int pos = start + 1;;) {
        const int table = FindTag(text, pos, L"table"), inner = FindTag(text, pos, open),
                  end = FindTag(text, pos, close);
        const auto first = [](int a, int b) { return a < 0 ? b : (b < 0 ? a : std::min(a, b)); };
        const int next = first(first(table, inner), end);
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

int CQoHtmlDrawer::FindRowEnd(const CString& text, int start) {
    return FindElementEnd(text, start, L"tr", L"/tr");
}

int CQoHtmlDrawer::FindCellEnd(const CString& text, int start) {
    return FindElementEnd(text, start, L"td", L"/td");
}

// The attribute text of the tag that opens `text`.
CString CQoHtmlDrawer::OpeningAttributes(const CString& text) {
    const int close = text.Find(L'>');
    CString name, attributes;
    SplitTag(text.Mid(1, (close < 0 ? text.GetLength() : close) - 1), name, attributes);
    return attributes;
}

// Rows at this table's level, and the widest row's sum of colspans.
SIZE CQoHtmlDrawer::GetTableDimensions(const CString& text) const {
    SIZE size{0, 0};
    for (int row = FindTag(text, 1, L"tr"); row >= 0 && size.cy < kMaxCount;) {
        const int rowEnd = FindRowEnd(text, row);
        const CString rowText = text.Mid(row, rowEnd - row);
        int columns = 0;
        for (int cell = FindTag(rowText, 1, L"td"); cell >= 0;) {
            TextStyle scratch;
            columns +=
                ParseTableAttributes(OpeningAttributes(rowText.Mid(cell)), scratch, FALSE).cx;
            const int cellEnd = FindCellEnd(rowText, cell);
            cell = cellEnd < rowText.GetLength() ? FindTag(rowText, cellEnd + 1, L"td") : -1;
        }
        size.cx = std::min<LONG>(std::max<LONG>(size.cx, columns), kMaxCount);
        ++size.cy;
        row = rowEnd < text.GetLength() ? FindTag(text, rowEnd + 1, L"tr") : -1;
    }
    return size;
}
