// Inside platform/gdi: an immutable solid or hollow brush.
#pragma once

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/GdiObjectTable.h"
#include "platform/gdi/PenBrush.h"

class BrushObject : public GdiObject {
public:
    explicit BrushObject(const LOGBRUSH& brush) : brush_(brush) {}

    DWORD Type() const override { return OBJ_BRUSH; }
    int Describe(int size, void* out) const override;

    bool Hollow() const { return brush_.lbStyle == BS_NULL; }
    COLORREF Colour() const { return brush_.lbColor; }

private:
    LOGBRUSH brush_;
};
