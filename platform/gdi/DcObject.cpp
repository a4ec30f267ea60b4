#include "platform/gdi/DcObject.h"

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/StockObjects.h"

std::shared_ptr<DcObject> DcObject::CreateMemory() {
    std::shared_ptr<DcObject> dc(new DcObject);
    dc->memory_ = true;
    dc->SelectDefaults();
    auto bitmap = BitmapObject::Create({1, 1, 1, true, false});
    if (!bitmap)
        return nullptr;
    bitmap->owner = dc.get();
    dc->defaultBitmap_ = RegisterGdiObject(bitmap);  // SelectObject hands its handle back
    dc->state_.bitmap = std::move(bitmap);
    return dc;
}

std::shared_ptr<DcObject> DcObject::CreateOverBuffer(const PixelBuffer& buffer, POINT origin,
                                                     const PixelRegion* visible) {
    std::shared_ptr<DcObject> dc(new DcObject);
    dc->buffer_ = buffer;
    dc->origin_ = origin;
    if (visible)
        dc->visible_ = *visible;
    dc->SelectDefaults();
    return dc;
}

void DcObject::Release() {
    auto release = [this](const DcState& s) {
        if (s.bitmap && s.bitmap->owner == this)
            s.bitmap->owner = nullptr;
    };
    release(state_);
    for (const DcState& s : saved_)
        release(s);
    state_.bitmap.reset();
    saved_.clear();
    if (defaultBitmap_)
        ForgetGdiObject(defaultBitmap_);
    defaultBitmap_ = nullptr;
}

void DcObject::SelectDefaults() {
    state_.pen = StockPen(BLACK_PEN);
    state_.brush = StockBrush(WHITE_BRUSH);
    state_.font = StockFont(SYSTEM_FONT);
}

Surface DcObject::Target() const {
    if (memory_)
        return state_.bitmap ? state_.bitmap->GetSurface() : Surface{};
    Surface s;
    s.top = reinterpret_cast<uint8_t*>(buffer_.pixels);
    s.stride = std::ptrdiff_t(buffer_.stride) * 4;
    s.width = buffer_.width;
    s.height = buffer_.height;
    return s;
}

PixelRegion DcObject::DeviceBounds() const {
    Surface s = Target();
    PixelRegion bounds = PixelRegion::FromRect(0, 0, s.width, s.height);
    if (visible_)
        bounds = PixelRegion::Combine(bounds, *visible_, PixelRegion::Op::And);
    return bounds;
}

PixelRegion DcObject::DeviceClip() const {
    PixelRegion bounds = DeviceBounds();
    if (!state_.clip)
        return bounds;
    PixelRegion clip = *state_.clip;
    clip.Offset(origin_.x, origin_.y);
    return PixelRegion::Combine(bounds, clip, PixelRegion::Op::And);
}

std::shared_ptr<DcObject> LookUpDc(HDC dc) {
    return LookUpGdiObjectAs<DcObject>(dc);
}
