#include "app/controls/skin/SkinBitmap.h"

#include "app/controls/draw/MemoryDc.h"

BITMAP CSkinBitmap::Info() const {
    BITMAP info{};
    if (m_hObject == nullptr || GetObject(sizeof(info), &info) == 0)
        return BITMAP{};
    return info;
}

BOOL CSkinBitmap::LoadOnce(UINT id) {
    if (m_hObject != nullptr)
        return TRUE;
    return LoadBitmap(id);
}

int CSkinBitmap::GetWidth() const {
    return Info().bmWidth;
}

int CSkinBitmap::GetHeight() const {
    return Info().bmHeight;
}

BOOL CSkinBitmap::Draw(CDC* target, const CRect* rect) const {
    MemoryDc source(*this);
    ::StretchBlt(*target, rect->left, rect->top, rect->Width(), rect->Height(), source.Dc(), 0, 0,
                 GetWidth(), GetHeight(), SRCCOPY);
    return TRUE;
}

void CSkinBitmap::DrawTransparent(CDC* target, CRect rect, COLORREF transparent) const {
    MemoryDc source(*this);
    ::TransparentBlt(*target, rect.left, rect.top, rect.Width(), rect.Height(), source.Dc(), 0, 0,
                     GetWidth(), GetHeight(), transparent);
}

BOOL CSkinBitmap::StretchPart(CDC* target, const CRect* destination, const CRect* part) const {
    if (destination == nullptr)
        return FALSE;
    const CRect from = part != nullptr ? *part : GetRect();
    target->SetStretchBltMode(COLORONCOLOR);
    MemoryDc source(*this);
    ::StretchBlt(*target, destination->left, destination->top, destination->Width(),
                 destination->Height(), source.Dc(), from.left, from.top, from.Width(),
                 from.Height(), SRCCOPY);
    return TRUE;
}

BOOL CSkinBitmap::ExtractCell(CSkinBitmap* out, int column, int row, int columns, int rows) const {
    if (columns <= 0 || rows <= 0)
        return FALSE;
    const int width = GetWidth();
    const int height = GetHeight();
    const int cellWidth = width / columns;
    const int cellHeight = height / rows;
    if (cellWidth == 0 || cellHeight == 0)
        return FALSE;
    const int left = (column - 1) * width / columns;
    const int top = (row - 1) * height / rows;
    out->DeleteObject();
    if (!out->Attach(::CreateCompatibleBitmap(nullptr, cellWidth, cellHeight)))
        return FALSE;
    MemoryDc cell(*out);
    const CRect destination(0, 0, cellWidth, cellHeight);
    const CRect part(left, top, left + cellWidth, top + cellHeight);
    return StretchPart(CDC::FromHandle(cell.Dc()), &destination, &part);
}
