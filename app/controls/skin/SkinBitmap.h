// The bitmap of every skinned control and dialog: a framework bitmap (loaded
// by its owner from the resources by id) with the services the skins need:
// its size, a window region cut out by a colour key, stretched and
// transparent drawing, one cell of a strip of equal cells, and nine-slice
// scaling, by which a small frame or panel is drawn at any size with its
// corners kept. An object without a bitmap is valid: size 0, no region, and
// its drawing shows nothing. Every temporary an operation makes is released
// before it returns. User-interface thread only.
#pragma once

#include "platform/afx/Afx.h"

class CSkinBitmap : public CBitmap {
public:
    // Loads resource bitmap `id` unless a bitmap is held already (a skin is
    // loaded once however often its owner initialises). TRUE when one is
    // held afterwards.
    BOOL LoadOnce(UINT id);

    int GetWidth() const;
    int GetHeight() const;
    CRect GetRect() const { return CRect(0, 0, GetWidth(), GetHeight()); }

    // All pixels whose red, green and blue lie outside [key, key + tolerance]
    // (each bound capped at 255), as runs one row high. The region belongs to
    // the caller; null without a bitmap or when the copy cannot be made.
    HRGN BitmapToRegion(COLORREF transparent, COLORREF tolerance) const;

    // The whole bitmap stretched into the rectangle, in the target's mode.
    BOOL Draw(CDC* target, const CRect* rect) const;
    // The same, leaving out the pixels of the transparent colour.
    void DrawTransparent(CDC* target, CRect rect, COLORREF transparent) const;
    // Sets the target's stretch mode to COLORONCOLOR (and leaves it so) and
    // stretches the part (null: the whole bitmap); FALSE for a null destination.
    BOOL StretchPart(CDC* target, const CRect* destination, const CRect* part) const;

    // `out` becomes a new bitmap holding cell (column, row), counted from 1,
    // of a grid of columns x rows; FALSE for an empty grid or cell.
    BOOL ExtractCell(CSkinBitmap* out, int column, int row, int columns, int rows) const;
    // `out` becomes a new bitmap of the rectangle's size: corners cw x ch kept,
    // the column cw and the row ch stretched over the rest (both 0: a plain
    // stretch; one of them 0: three slices along the other axis). FALSE, and
    // nothing made, without a bitmap or for an empty rectangle.
    BOOL MakeNineSlice(CSkinBitmap* out, CRect rect, int cornerWidth, int cornerHeight) const;
    BOOL DrawNineSlice(CDC* target, CRect rect, int cornerWidth, int cornerHeight) const;

private:
    BITMAP Info() const;
};
