#include "platform/afx/Bitmap.h"

#include "platform/afx/DC.h"
#include "platform/user/Resources.h"

BOOL CBitmap::LoadBitmap(UINT id) {
    return Attach(::LoadBitmapW(nullptr, MAKEINTRESOURCEW(int(id)))) ? TRUE : FALSE;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
    HDC h = dc != nullptr ? dc->GetSafeHdc() : nullptr;
    return Attach(::CreateCompatibleBitmap(h, width, height)) ? TRUE : FALSE;
}
