#include "platform/gdi/DeviceContext.h"

#include "platform/gdi/DcObject.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/RegionObject.h"
#include "platform/gdi/SystemMetrics.h"

namespace {

// Sets a state field and returns its previous value, or `failure` for a
// stale context.
template <typename T>
T Exchange(HDC dc, T DcState::*field, T value, T failure) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    if (!object)
        return failure;
    T previous = object->state().*field;
    object->state().*field = value;
    return previous;
}

template <typename T>
T Read(HDC dc, T DcState::*field, T failure) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    return object ? object->state().*field : failure;
}

HGDIOBJ SelectBitmap(DcObject& dc, std::shared_ptr<BitmapObject> bitmap) {
    if (!dc.Memory())
        return nullptr;
    DcState& s = dc.state();
    if (bitmap == s.bitmap)
        return HandleOfGdiObject(bitmap.get());
    const void* expected = nullptr;
    if (!bitmap->owner.compare_exchange_strong(expected, &dc))
        return nullptr;
    std::shared_ptr<BitmapObject> previous = std::move(s.bitmap);
    if (previous)
        previous->owner = nullptr;
    s.bitmap = std::move(bitmap);
    return HandleOfGdiObject(previous.get());
}

// The clip area in device coordinates when no clip region is selected.
PixelRegion DeviceRelativeBounds(const DcObject& dc) {
    PixelRegion bounds = dc.DeviceBounds();
    bounds.Offset(-dc.Origin().x, -dc.Origin().y);
    return bounds;
}

int ClipKind(const DcObject& dc) {
    return dc.DeviceClip().Kind();
}

int CombineClip(HDC dc, int left, int top, int right, int bottom, PixelRegion::Op op) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    if (!object)
        return RGN_ERROR;
    DcState& s = object->state();
    PixelRegion current = s.clip ? *s.clip : DeviceRelativeBounds(*object);
    PixelRegion rect = PixelRegion::FromRect(left, top, right, bottom);  // logical
    rect.Offset(s.viewportOrg.x - s.windowOrg.x, s.viewportOrg.y - s.windowOrg.y);
    s.clip = PixelRegion::Combine(current, rect, op);
    return ClipKind(*object);
}

}  // namespace

HDC CreateBufferDC(const PixelBuffer& buffer, POINT origin, HRGN visible) {
    std::shared_ptr<RegionObject> region = LookUpGdiObjectAs<RegionObject>(visible);
    if (visible && !region)
        return nullptr;
    if (!buffer.pixels || buffer.width <= 0 || buffer.height <= 0)
        return nullptr;
    PixelRegion copy;
    if (region)
        copy = region->Get();
    return static_cast<HDC>(
        RegisterGdiObject(DcObject::CreateOverBuffer(buffer, origin, region ? &copy : nullptr)));
}

HDC CreateDisplayDC() {
    return static_cast<HDC>(RegisterGdiObject(DcObject::CreateOverBuffer({}, {0, 0}, nullptr)));
}

HDC CreateCompatibleDC(HDC) {
    return static_cast<HDC>(RegisterGdiObject(DcObject::CreateMemory()));
}

BOOL DeleteDC(HDC dc) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    if (!object)
        return FALSE;
    object->Release();
    return ForgetGdiObject(dc);
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ handle) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    std::shared_ptr<GdiObject> selected = LookUpGdiObject(handle);
    if (!object || !selected)
        return nullptr;
    DcState& s = object->state();
    auto swap = [](auto& slot, auto&& next) {
        auto previous = std::move(slot);
        slot = std::forward<decltype(next)>(next);
        return HandleOfGdiObject(previous.get());
    };
    switch (selected->Type()) {
        case OBJ_PEN:
            return swap(s.pen, std::static_pointer_cast<PenObject>(selected));
        case OBJ_BRUSH:
            return swap(s.brush, std::static_pointer_cast<BrushObject>(selected));
        case OBJ_FONT:
            return swap(s.font, std::static_pointer_cast<FontObject>(selected));
        case OBJ_BITMAP:
            return SelectBitmap(*object, std::static_pointer_cast<BitmapObject>(selected));
        case OBJ_REGION: {
            int kind = SelectClipRgn(dc, static_cast<HRGN>(handle));
            return kind == RGN_ERROR ? HGDI_ERROR : reinterpret_cast<HGDIOBJ>(intptr_t(kind));
        }
        default:
            return nullptr;
    }
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    if (!object)
        return nullptr;
    const DcState& s = object->state();
    switch (type) {
        case OBJ_PEN:
            return HandleOfGdiObject(s.pen.get());
        case OBJ_BRUSH:
            return HandleOfGdiObject(s.brush.get());
        case OBJ_FONT:
            return HandleOfGdiObject(s.font.get());
        case OBJ_BITMAP:
            return HandleOfGdiObject(s.bitmap.get());
        default:
            return nullptr;
    }
}

int SaveDC(HDC dc) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    if (!object)
        return 0;
    object->saved().push_back(object->state());
    return int(object->saved().size());
}

BOOL RestoreDC(HDC dc, int level) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    if (!object)
        return FALSE;
    std::vector<DcState>& saved = object->saved();
    int index = level < 0 ? int(saved.size()) + level : level - 1;
    if (index < 0 || index >= int(saved.size()))
        return FALSE;
    DcState restored = saved[size_t(index)];
    saved.resize(size_t(index));
    std::shared_ptr<BitmapObject> current = object->state().bitmap;
    if (restored.bitmap != current) {
        if (current)
            current->owner = nullptr;
        if (restored.bitmap)
            restored.bitmap->owner = object.get();
    }
    object->state() = std::move(restored);
    return TRUE;
}

COLORREF SetTextColor(HDC dc, COLORREF c) {
    return Exchange(dc, &DcState::textColour, c, CLR_INVALID);
}
COLORREF GetTextColor(HDC dc) {
    return Read(dc, &DcState::textColour, CLR_INVALID);
}
COLORREF SetBkColor(HDC dc, COLORREF c) {
    return Exchange(dc, &DcState::bkColour, c, CLR_INVALID);
}
COLORREF GetBkColor(HDC dc) {
    return Read(dc, &DcState::bkColour, CLR_INVALID);
}

int SetBkMode(HDC dc, int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    return Exchange(dc, &DcState::bkMode, mode, 0);
}
int GetBkMode(HDC dc) {
    return Read(dc, &DcState::bkMode, 0);
}

int SetStretchBltMode(HDC dc, int mode) {
    if (mode < BLACKONWHITE || mode > HALFTONE)
        return 0;
    return Exchange(dc, &DcState::stretchMode, mode, 0);
}
int GetStretchBltMode(HDC dc) {
    return Read(dc, &DcState::stretchMode, 0);
}

int SetPolyFillMode(HDC dc, int mode) {
    if (mode != ALTERNATE && mode != WINDING)
        return 0;
    return Exchange(dc, &DcState::polyFillMode, mode, 0);
}
int GetPolyFillMode(HDC dc) {
    return Read(dc, &DcState::polyFillMode, 0);
}

BOOL MoveToEx(HDC dc, int x, int y, POINT* previous) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    if (!object)
        return FALSE;
    if (previous)
        *previous = object->state().position;
    object->state().position = {x, y};
    object->state().penPhase = 0;
    return TRUE;
}

BOOL GetCurrentPositionEx(HDC dc, POINT* position) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    if (!object || !position)
        return FALSE;
    *position = object->state().position;
    return TRUE;
}

int SelectClipRgn(HDC dc, HRGN region) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    if (!object)
        return RGN_ERROR;
    if (!region) {
        object->state().clip.reset();
        return ClipKind(*object);
    }
    std::shared_ptr<RegionObject> r = LookUpGdiObjectAs<RegionObject>(region);
    if (!r)
        return RGN_ERROR;
    object->state().clip = r->Get();
    return ClipKind(*object);
}

int GetClipRgn(HDC dc, HRGN region) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    std::shared_ptr<RegionObject> r = LookUpGdiObjectAs<RegionObject>(region);
    if (!object || !r)
        return -1;
    if (!object->state().clip)
        return 0;
    r->Set(*object->state().clip);
    return 1;
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
    return CombineClip(dc, left, top, right, bottom, PixelRegion::Op::And);
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
    return CombineClip(dc, left, top, right, bottom, PixelRegion::Op::Diff);
}

int GetClipBox(HDC dc, RECT* box) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    if (!object || !box)
        return RGN_ERROR;
    PixelRegion clip = object->DeviceClip();
    clip.Offset(-object->LogicalOrigin().x, -object->LogicalOrigin().y);
    *box = clip.Box();
    return clip.Kind();
}

BOOL GetDCOrgEx(HDC dc, POINT* origin) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    if (!object || !origin)
        return FALSE;
    *origin = object->Origin();
    return TRUE;
}

int GetDeviceCaps(HDC dc, int index) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    if (!object)
        return 0;
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    switch (index) {
        case TECHNOLOGY:
            return DT_RASDISPLAY;
        case HORZSIZE:
            return MulDiv(width, 254, 960);  // millimetres at 96 dpi
        case VERTSIZE:
            return MulDiv(height, 254, 960);
        case HORZRES:
            return width;
        case VERTRES:
            return height;
        case BITSPIXEL: {
            const DcState& s = object->state();
            return object->Memory() && s.bitmap ? s.bitmap->format().bitsPerPixel : 32;
        }
        case PLANES:
            return 1;
        case NUMCOLORS:
            return -1;
        case RASTERCAPS:
            return RC_BITBLT | RC_STRETCHBLT | RC_DI_BITMAP | RC_DIBTODEV;
        case LOGPIXELSX:
        case LOGPIXELSY:
            return 96;
        default:
            return 0;
    }
}

namespace {

// Sets one of the two origins and returns the previous value through `old`.
BOOL SetOrigin(HDC dc, POINT DcState::*field, int x, int y, POINT* old) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    if (!object)
        return FALSE;
    if (old)
        *old = object->state().*field;
    object->state().*field = {x, y};
    return TRUE;
}

BOOL GetOrigin(HDC dc, POINT DcState::*field, POINT* out) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    if (!object || !out)
        return FALSE;
    *out = object->state().*field;
    return TRUE;
}

}  // namespace

BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* old) {
    return SetOrigin(dc, &DcState::viewportOrg, x, y, old);
}

BOOL GetViewportOrgEx(HDC dc, POINT* origin) {
    return GetOrigin(dc, &DcState::viewportOrg, origin);
}

BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* old) {
    POINT now{};
    if (!GetViewportOrgEx(dc, &now))
        return FALSE;
    return SetViewportOrgEx(dc, now.x + dx, now.y + dy, old);
}

BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* old) {
    return SetOrigin(dc, &DcState::windowOrg, x, y, old);
}

BOOL GetWindowOrgEx(HDC dc, POINT* origin) {
    return GetOrigin(dc, &DcState::windowOrg, origin);
}
