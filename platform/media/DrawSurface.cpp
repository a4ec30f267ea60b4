#include "platform/media/DrawSurface.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/DeviceContext.h"
#include "platform/media/DrawClipper.h"
#include "platform/user/Geometry.h"
#include "platform/user/Rects.h"
#include "platform/user/WindowPixels.h"

namespace {

int AlignUp(int value, int step) {
    return (value + step - 1) / step * step;
}

// YV12 rows start on 32-byte boundaries, so the pitch differs from the
// width as a display's would; 32-bit rows on 16-byte ones.
int PitchOf(DrawSurface::Kind kind, int width) {
    if (kind == DrawSurface::Kind::kYv12)
        return AlignUp(width, 32);
    return kind == DrawSurface::Kind::kRgb32 ? AlignUp(width, 4) * 4 : 0;
}

size_t MemoryOf(DrawSurface::Kind kind, int pitch, int height) {
    if (kind == DrawSurface::Kind::kYv12)
        return size_t(pitch) * height + size_t(pitch / 2) * ((height + 1) / 2) * 2;
    return size_t(pitch) * height;
}

bool Empty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

// Copies the part `visible` of a picture laid out at `placed` (both in the
// same coordinates) into `target`, whose (0, 0) lies at `origin` there.
void CopyVisible(const uint8_t* picture, int picturePitch, const RECT& placed, const RECT& visible,
                 const PixelBuffer& target, POINT origin) {
    const int width = visible.right - visible.left;
    for (LONG y = visible.top; y < visible.bottom; ++y) {
        const uint8_t* from = picture + size_t(y - placed.top) * picturePitch +
                              size_t(visible.left - placed.left) * 4;
        uint32_t* to = target.Row(int(y - origin.y)) + (visible.left - origin.x);
        std::memcpy(to, from, size_t(width) * 4);
    }
}

bool SizeUsable(int width, int height) {
    return width >= 1 && height >= 1 && width <= DrawSurface::kLargestSide &&
           height <= DrawSurface::kLargestSide;
}

}  // namespace

DrawSurface* DrawSurface::Create(Kind kind, int width, int height) {
    if (kind == Kind::kPrimary)
        return new DrawSurface(kind, 0, 0, 0, nullptr);
    if (!SizeUsable(width, height))
        return nullptr;
    return new DrawSurface(kind, width, height, PitchOf(kind, width), nullptr);
}

DrawSurface* DrawSurface::CreateOver(uint8_t* memory, int pitch, int width, int height) {
    if (memory == nullptr || !SizeUsable(width, height) || pitch < width || pitch % 2 != 0)
        return nullptr;
    return new DrawSurface(Kind::kYv12, width, height, pitch, memory);
}

// Memory of its own unless given the caller's (or the primary, which has none).
DrawSurface::DrawSurface(Kind kind, int width, int height, int pitch, uint8_t* memory)
    : kind_(kind),
      width_(width),
      height_(height),
      pitch_(pitch),
      memory_(memory != nullptr ? 0 : MemoryOf(kind, pitch_, height)),
      bits_(memory != nullptr ? memory : memory_.data()) {}

DrawSurface::~DrawSurface() {
    if (dc_ != nullptr)
        DeleteDC(dc_);
    if (clipper_ != nullptr)
        clipper_->Release();
}

ULONG DrawSurface::Release() {
    const ULONG left = --refs_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT DrawSurface::Lock(RECT* rect, DDSURFACEDESC* desc, DWORD, void*) {
    if (desc == nullptr || rect != nullptr)
        return DDERR_INVALIDPARAMS;
    if (kind_ == Kind::kPrimary)
        return DDERR_UNSUPPORTED;
    std::lock_guard lock(mutex_);
    if (locked_ || dc_ != nullptr)
        return DDERR_SURFACEBUSY;
    locked_ = true;
    GetSurfaceDesc(desc);
    desc->dwFlags |= DDSD_LPSURFACE;
    desc->lpSurface = bits_;
    return DD_OK;
}

HRESULT DrawSurface::Unlock(void*) {
    std::lock_guard lock(mutex_);
    if (!locked_)
        return DDERR_NOTLOCKED;
    locked_ = false;
    return DD_OK;
}

HRESULT DrawSurface::GetSurfaceDesc(DDSURFACEDESC* desc) {
    if (desc == nullptr)
        return DDERR_INVALIDPARAMS;
    *desc = DDSURFACEDESC{};
    desc->dwSize = sizeof(DDSURFACEDESC);
    desc->dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc->dwWidth = DWORD(width_);
    desc->dwHeight = DWORD(height_);
    desc->lPitch = pitch_;
    desc->ddsCaps.dwCaps = kind_ == Kind::kPrimary ? DDSCAPS_PRIMARYSURFACE
                                                   : DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    DDPIXELFORMAT& format = desc->ddpfPixelFormat;
    if (kind_ == Kind::kYv12) {
        format = DDPIXELFORMAT{
            sizeof(DDPIXELFORMAT), DDPF_FOURCC | DDPF_YUV, FOURCC_YV12, 8, 0, 0, 0, 0};
    } else {
        format = DDPIXELFORMAT{sizeof(DDPIXELFORMAT), DDPF_RGB, 0, 32, 0xFF0000, 0xFF00, 0xFF, 0};
    }
    return DD_OK;
}

HRESULT DrawSurface::SetClipper(IDirectDrawClipper* clipper) {
    auto* ours = static_cast<DrawClipper*>(clipper);
    if (ours != nullptr)
        ours->AddRef();
    std::lock_guard lock(mutex_);
    if (clipper_ != nullptr)
        clipper_->Release();
    clipper_ = ours;
    return DD_OK;
}

HWND DrawSurface::ClipperWindow() const {
    std::lock_guard lock(mutex_);
    return clipper_ != nullptr ? clipper_->Window() : nullptr;
}

PixelBuffer DrawSurface::Pixels() const {
    auto* pixels = reinterpret_cast<uint32_t*>(bits_);
    return PixelBuffer{pixels, pitch_ / 4, width_, height_};
}

HRESULT DrawSurface::GetDC(HDC* dc) {
    if (dc == nullptr)
        return DDERR_INVALIDPARAMS;
    if (kind_ != Kind::kRgb32)
        return DDERR_UNSUPPORTED;
    std::lock_guard lock(mutex_);
    if (dc_ != nullptr)
        return DDERR_DCALREADYCREATED;
    if (locked_)
        return DDERR_SURFACEBUSY;
    dc_ = CreateBufferDC(Pixels(), POINT{0, 0}, nullptr);
    *dc = dc_;
    return dc_ != nullptr ? DD_OK : DDERR_GENERIC;
}

HRESULT DrawSurface::ReleaseDC(HDC dc) {
    std::lock_guard lock(mutex_);
    if (dc_ == nullptr || dc != dc_)
        return DDERR_INVALIDPARAMS;
    DeleteDC(dc_);
    dc_ = nullptr;
    return DD_OK;
}

bool DrawSurface::SourceView(const RECT& r, ScalerSource* view) const {
    if (kind_ == Kind::kPrimary || Empty(r) || r.left < 0 || r.top < 0 || r.right > width_ ||
        r.bottom > height_)
        return false;
    const uint8_t* base = bits_;
    if (kind_ == Kind::kRgb32) {
        *view = ScalerSource{base + size_t(r.top) * pitch_ + size_t(r.left) * 4,
                             nullptr,
                             nullptr,
                             pitch_,
                             0,
                             int(r.right - r.left),
                             int(r.bottom - r.top),
                             false};
        return true;
    }
    if (r.left % 2 != 0 || r.top % 2 != 0)
        return false;
    const int chroma = pitch_ / 2;
    const size_t chromaPlane = size_t(chroma) * ((height_ + 1) / 2);
    const size_t chromaOffset = size_t(r.top / 2) * chroma + r.left / 2;
    const uint8_t* v = base + size_t(pitch_) * height_;
    *view = ScalerSource{base + size_t(r.top) * pitch_ + r.left,
                         v + chromaOffset,
                         v + chromaPlane + chromaOffset,
                         pitch_,
                         chroma,
                         int(r.right - r.left),
                         int(r.bottom - r.top),
                         true};
    return true;
}

HRESULT DrawSurface::Blt(RECT* dstRect, IDirectDrawSurface* source, RECT* srcRect, DWORD, void*) {
    auto* from = static_cast<DrawSurface*>(source);
    if (from == nullptr || from == this || kind_ == Kind::kYv12)
        return DDERR_INVALIDPARAMS;
    {
        std::lock_guard lock(from->mutex_);
        if (from->locked_)
            return DDERR_SURFACEBUSY;
    }
    const RECT whole{0, 0, from->width_, from->height_};
    ScalerSource view{};
    if (!from->SourceView(srcRect != nullptr ? *srcRect : whole, &view))
        return DDERR_INVALIDRECT;
    if (kind_ == Kind::kPrimary)
        return BltToWindow(dstRect, *from, view);
    return BltToMemory(dstRect, *from, view);
}

HRESULT DrawSurface::BltToMemory(const RECT* dstRect, DrawSurface& source,
                                 const ScalerSource& view) {
    const RECT whole{0, 0, width_, height_};
    const RECT placed = dstRect != nullptr ? *dstRect : whole;
    if (Empty(placed))
        return DDERR_INVALIDRECT;
    RECT visible{};
    if (!IntersectRect(&visible, &placed, &whole))
        return DD_OK;
    uint8_t* target = bits_;
    const bool inside = std::memcmp(&visible, &placed, sizeof(RECT)) == 0;
    if (inside) {
        uint8_t* at = target + size_t(placed.top) * pitch_ + size_t(placed.left) * 4;
        return source.scaler_.Scale(view, at, pitch_, int(placed.right - placed.left),
                                    int(placed.bottom - placed.top))
                   ? DD_OK
                   : DDERR_GENERIC;
    }
    const uint8_t* scaled = nullptr;
    int scaledPitch = 0;
    if (!source.ScaleFor(placed, view, &scaled, &scaledPitch))
        return DDERR_GENERIC;
    CopyVisible(scaled, scaledPitch, placed, visible, Pixels(), POINT{0, 0});
    return DD_OK;
}

// The source's pixels at the placed rectangle's size: the source itself
// when a 32-bit source needs no scaling, else its scaled copy, whose memory
// the surface keeps from one Blt to the next.
bool DrawSurface::ScaleFor(const RECT& placed, const ScalerSource& view, const uint8_t** pixels,
                           int* pitch) {
    const int w = int(placed.right - placed.left), h = int(placed.bottom - placed.top);
    if (!view.yv12 && view.width == w && view.height == h) {
        *pixels = view.y;
        *pitch = view.yPitch;
        return true;
    }
    *pitch = AlignUp(w, 4) * 4;
    const size_t bytes = size_t(*pitch) * h;
    if (scaled_.size() < bytes)
        scaled_.resize(bytes);
    *pixels = scaled_.data();
    return scaler_.Scale(view, scaled_.data(), *pitch, w, h);
}

// The picture is scaled before the window's pixels are locked, so the lock
// is held only for the copy.
HRESULT DrawSurface::BltToWindow(const RECT* dstRect, DrawSurface& source,
                                 const ScalerSource& view) {
    HWND window = ClipperWindow();
    if (window == nullptr)
        return DDERR_NOCLIPPERATTACHED;
    RECT client{};
    POINT origin{0, 0};
    if (!GetClientRect(window, &client) || !ClientToScreen(window, &origin))
        return DDERR_NOHWND;
    OffsetRect(&client, origin.x, origin.y);
    const RECT placed = dstRect != nullptr ? *dstRect : client;
    if (Empty(placed))
        return DDERR_INVALIDRECT;
    RECT visible{};
    if (!IntersectRect(&visible, &placed, &client))
        return DD_OK;
    const uint8_t* scaled = nullptr;
    int scaledPitch = 0;
    if (!source.ScaleFor(placed, view, &scaled, &scaledPitch))
        return DDERR_GENERIC;
    {
        WindowPixels pixels(window);
        if (!pixels.Valid())
            return DDERR_NOHWND;
        // The store's origin in screen terms; the picture goes only where
        // the window shows, never over siblings above it.
        const RECT& area = pixels.Area();
        const POINT storeOrigin{origin.x - area.left, origin.y - area.top};
        for (RECT piece : pixels.Visible()) {
            OffsetRect(&piece, storeOrigin.x, storeOrigin.y);
            RECT cut{};
            if (IntersectRect(&cut, &visible, &piece))
                CopyVisible(scaled, scaledPitch, placed, cut, pixels.Buffer(), storeOrigin);
        }
    }
    RequestWindowPresentation(window);
    return DD_OK;
}
