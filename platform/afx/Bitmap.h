// A bitmap the object owns.
#pragma once

#include "platform/afx/GdiObject.h"

class CDC;

class CBitmap : public CGdiObject {
public:
    // From the program's resources (platform/user/Resources.h).
    BOOL LoadBitmap(UINT id);
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
        return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits)) ? TRUE : FALSE;
    }
    int GetBitmap(BITMAP* out) const { return GetObject(sizeof(BITMAP), out); }
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};
