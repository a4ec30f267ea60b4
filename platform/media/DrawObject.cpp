#include "platform/media/DrawObject.h"

#include "platform/media/DrawClipper.h"
#include "platform/media/DrawSurface.h"

namespace {

// Off-screen surfaces: YV12 when the pixel format asks for it, the primary's
// 32-bit format when none is given; any other format is refused.
bool OffscreenKind(const DDSURFACEDESC& desc, DrawSurface::Kind* kind) {
    if ((desc.dwFlags & DDSD_PIXELFORMAT) == 0) {
        *kind = DrawSurface::Kind::kRgb32;
        return true;
    }
    const DDPIXELFORMAT& format = desc.ddpfPixelFormat;
    if ((format.dwFlags & DDPF_FOURCC) != 0 && format.dwFourCC == FOURCC_YV12) {
        *kind = DrawSurface::Kind::kYv12;
        return true;
    }
    if ((format.dwFlags & DDPF_RGB) != 0 && format.dwRGBBitCount == 32) {
        *kind = DrawSurface::Kind::kRgb32;
        return true;
    }
    return false;
}

}  // namespace

ULONG DrawObject::Release() {
    const ULONG left = --refs_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT DrawObject::SetCooperativeLevel(HWND, DWORD flags) {
    return flags == DDSCL_NORMAL ? DD_OK : DDERR_INVALIDPARAMS;
}

HRESULT DrawObject::CreateSurface(DDSURFACEDESC* desc, IDirectDrawSurface** surface, void* outer) {
    if (desc == nullptr || surface == nullptr || outer != nullptr ||
        (desc->dwFlags & DDSD_CAPS) == 0)
        return DDERR_INVALIDPARAMS;
    *surface = nullptr;
    if ((desc->ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE) != 0) {
        *surface = DrawSurface::Create(DrawSurface::Kind::kPrimary, 0, 0);
        return DD_OK;
    }
    const DWORD sized = DDSD_WIDTH | DDSD_HEIGHT;
    if ((desc->ddsCaps.dwCaps & DDSCAPS_OFFSCREENPLAIN) == 0 || (desc->dwFlags & sized) != sized)
        return DDERR_INVALIDPARAMS;
    DrawSurface::Kind kind{};
    if (!OffscreenKind(*desc, &kind))
        return DDERR_INVALIDPIXELFORMAT;
    const DWORD client = DDSD_LPSURFACE | DDSD_PITCH;
    if ((desc->dwFlags & client) == client) {
        if (kind != DrawSurface::Kind::kYv12)
            return DDERR_INVALIDPARAMS;
        *surface =
            DrawSurface::CreateOver(static_cast<uint8_t*>(desc->lpSurface), int(desc->lPitch),
                                    int(desc->dwWidth), int(desc->dwHeight));
    } else {
        *surface = DrawSurface::Create(kind, int(desc->dwWidth), int(desc->dwHeight));
    }
    return *surface != nullptr ? DD_OK : DDERR_INVALIDPARAMS;
}

HRESULT DrawObject::CreateClipper(DWORD flags, IDirectDrawClipper** clipper, void* outer) {
    if (clipper == nullptr || flags != 0 || outer != nullptr)
        return DDERR_INVALIDPARAMS;
    *clipper = new DrawClipper;
    return DD_OK;
}

HRESULT DirectDrawCreate(void* driver, IDirectDraw** drawing, void* outer) {
    if (drawing == nullptr || driver != nullptr || outer != nullptr)
        return DDERR_INVALIDPARAMS;
    *drawing = new DrawObject;
    return DD_OK;
}
