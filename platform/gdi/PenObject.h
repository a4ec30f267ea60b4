// Inside platform/gdi: an immutable pen.
#pragma once

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/GdiObjectTable.h"
#include "platform/gdi/PenBrush.h"

class PenObject : public GdiObject {
public:
    explicit PenObject(const LOGPEN& pen);

    DWORD Type() const override { return OBJ_PEN; }
    int Describe(int size, void* out) const override;

    const LOGPEN& pen() const { return pen_; }
    bool Null() const { return pen_.lopnStyle == PS_NULL; }
    int Width() const { return pen_.lopnWidth.x < 1 ? 1 : pen_.lopnWidth.x; }
    // The dash pattern (on, off, on, off...) of a styled 1-pixel pen; empty
    // for a solid one.
    const int* Dashes(int* count) const;

private:
    LOGPEN pen_;
};
