// Inside platform/gdi: a device context. Its state is used by one thread at
// a time (the caller's promise, as with any HDC); the objects it selects are
// shared and immutable, except the bitmap, which it alone draws into while
// selected.
#pragma once

#include <optional>
#include <vector>

#include "platform/gdi/BitmapObject.h"
#include "platform/gdi/BrushObject.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/FontObject.h"
#include "platform/gdi/GdiObjectTable.h"
#include "platform/gdi/PenObject.h"
#include "platform/gdi/PixelBuffer.h"
#include "platform/gdi/PixelRegion.h"

struct DcState {
    std::shared_ptr<PenObject> pen;
    std::shared_ptr<BrushObject> brush;
    std::shared_ptr<FontObject> font;
    std::shared_ptr<BitmapObject> bitmap;  // memory contexts only
    COLORREF textColour = RGB(0, 0, 0);
    COLORREF bkColour = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    int stretchMode = BLACKONWHITE;
    int polyFillMode = 1;             // ALTERNATE
    std::optional<PixelRegion> clip;  // device coordinates (from Origin()); none = unclipped
    // Logical (x, y) lies at device (x - windowOrg.x + viewportOrg.x, ...).
    POINT viewportOrg{0, 0};
    POINT windowOrg{0, 0};
    POINT position{0, 0};
    UINT textAlign = 0;  // TA_LEFT | TA_TOP
    int penPhase = 0;    // where a styled line continues its pattern
    // Text justification: `extra` pixels over `breaks` spaces, `used` of them
    // already drawn by TextOut.
    int justifyExtra = 0;
    int justifyBreaks = 0;
    int justifyUsed = 0;
};

class DcObject : public GdiObject {
public:
    // A memory context with the default 1 x 1 monochrome bitmap.
    static std::shared_ptr<DcObject> CreateMemory();
    static std::shared_ptr<DcObject> CreateOverBuffer(const PixelBuffer& buffer, POINT origin,
                                                      const PixelRegion* visible);

    DWORD Type() const override { return memory_ ? OBJ_MEMDC : OBJ_DC; }
    int Describe(int, void*) const override { return 0; }

    bool Memory() const { return memory_; }
    DcState& state() { return state_; }
    const DcState& state() const { return state_; }
    std::vector<DcState>& saved() { return saved_; }
    // Where device (0, 0) lies on the target.
    POINT Origin() const { return origin_; }
    // Where logical (0, 0) lies on the target.
    POINT LogicalOrigin() const {
        return {origin_.x + state_.viewportOrg.x - state_.windowOrg.x,
                origin_.y + state_.viewportOrg.y - state_.windowOrg.y};
    }

    // The pixels drawn into (device coordinates: logical + Origin()).
    Surface Target() const;
    // Everything that may be drawn, in device coordinates.
    PixelRegion DeviceClip() const;
    // The bounds of the target and the visible region, in device coordinates.
    PixelRegion DeviceBounds() const;

    // Lets go of the selected and saved bitmaps (so that other contexts may
    // select them) and of the default bitmap's handle. DeleteDC calls it.
    void Release();

    ~DcObject() override { Release(); }

private:
    DcObject() = default;
    void SelectDefaults();

    bool memory_ = false;
    DcState state_;
    std::vector<DcState> saved_;
    PixelBuffer buffer_;
    POINT origin_{0, 0};
    std::optional<PixelRegion> visible_;  // device coordinates
    HGDIOBJ defaultBitmap_ = nullptr;
};

std::shared_ptr<DcObject> LookUpDc(HDC dc);
