// The layout of one table of a text, built by the measure pass.
#pragma once

#include <vector>

#include "platform/gdi/GdiTypes.h"

struct TableCell {
    int colspan = 0;  // -1 (with rowspan) for a slot that a spanning cell covers
    int rowspan = 0;
    int contentWidth = 0, contentHeight = 0;
    int cellWidth = 0, cellHeight = 0;
    BOOL fixed = FALSE;  // the cell has a width attribute
};

struct TableInfo {
    int rows = 0, columns = 0;
    std::vector<TableCell> grid;  // rows x columns, row after row
    std::vector<int> columnWidths, rowHeights;
    std::vector<BOOL> fixedColumns;

    TableInfo() = default;
    TableInfo(int r, int c)
        : rows(r),
          columns(c),
          grid(size_t(r) * size_t(c)),
          columnWidths(size_t(c)),
          rowHeights(size_t(r)),
          fixedColumns(size_t(c)) {}
    TableCell& At(int r, int c) { return grid[size_t(r) * size_t(columns) + size_t(c)]; }
};
