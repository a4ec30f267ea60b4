// DrawObject: the drawing object of DirectDraw.h, which makes surfaces and
// clippers. It keeps no state but its cooperative level.
#pragma once

#include <atomic>

#include "platform/media/DirectDraw.h"

class DrawObject final : public IDirectDraw {
public:
    DrawObject() = default;

    ULONG AddRef() override { return ++refs_; }
    ULONG Release() override;
    HRESULT SetCooperativeLevel(HWND window, DWORD flags) override;
    HRESULT CreateSurface(DDSURFACEDESC* desc, IDirectDrawSurface** surface, void* outer) override;
    HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** clipper, void* outer) override;

private:
    ~DrawObject() override = default;

    std::atomic<ULONG> refs_{1};
};
