// DrawSurface: the surfaces of DirectDraw.h. Off-screen surfaces own their
// memory (planar YV12 or 32-bit pixels), or lie over the caller's (a YV12
// client-memory surface); the primary owns nothing and writes into its
// clipper's window (DirectDraw.h says how).
//
// Lock: mutex_ guards the lock and context flags and the clipper pointer.
// The memory itself belongs to whoever holds the surface's lock (Lock to
// Unlock, GetDC to ReleaseDC) or runs a Blt with it: one thread at a time
// per off-screen surface, as DirectDraw.h requires. The scaled pixels of a
// Blt into the primary are kept by the source surface, so several threads
// may draw through one primary, each from its own source.
#pragma once

#include <atomic>
#include <mutex>
#include <vector>

#include "platform/gdi/PixelBuffer.h"
#include "platform/media/DirectDraw.h"
#include "platform/media/SurfaceScaler.h"

class DrawClipper;

class DrawSurface final : public IDirectDrawSurface {
public:
    enum class Kind { kPrimary, kYv12, kRgb32 };

    static constexpr int kLargestSide = 8192;

    // Off-screen surfaces: null for a size outside 1 to kLargestSide.
    static DrawSurface* Create(Kind kind, int width, int height);
    // A YV12 surface over `memory` (rows `pitch` bytes apart, pitch even and
    // at least the width), which stays the caller's: null for a size outside
    // 1 to kLargestSide or an unusable pitch.
    static DrawSurface* CreateOver(uint8_t* memory, int pitch, int width, int height);

    ULONG AddRef() override { return ++refs_; }
    ULONG Release() override;
    HRESULT Lock(RECT* rect, DDSURFACEDESC* desc, DWORD flags, void* event) override;
    HRESULT Unlock(void* rect) override;
    HRESULT Blt(RECT* dstRect, IDirectDrawSurface* source, RECT* srcRect, DWORD flags,
                void* fx) override;
    HRESULT GetDC(HDC* dc) override;
    HRESULT ReleaseDC(HDC dc) override;
    HRESULT SetClipper(IDirectDrawClipper* clipper) override;
    HRESULT GetSurfaceDesc(DDSURFACEDESC* desc) override;

private:
    DrawSurface(Kind kind, int width, int height, int pitch, uint8_t* memory);
    ~DrawSurface() override;

    // This surface's srcRect as a scaler source; false when the rectangle
    // does not lie inside it (or, for YV12, starts on an odd row or column).
    bool SourceView(const RECT& rect, ScalerSource* view) const;
    PixelBuffer Pixels() const;
    bool ScaleFor(const RECT& placed, const ScalerSource& view, const uint8_t** pixels, int* pitch);
    HRESULT BltToMemory(const RECT* dstRect, DrawSurface& source, const ScalerSource& view);
    HRESULT BltToWindow(const RECT* dstRect, DrawSurface& source, const ScalerSource& view);
    HWND ClipperWindow() const;

    const Kind kind_;
    const int width_;
    const int height_;
    const int pitch_;  // bytes per row of the first plane
    std::atomic<ULONG> refs_{1};
    std::vector<uint8_t> memory_;  // off-screen surfaces' own memory
    uint8_t* const bits_;          // memory_'s or the caller's; null for the primary
    SurfaceScaler scaler_;         // for Blt from this surface
    std::vector<uint8_t> scaled_;  // a Blt's scaled pixels, kept for the next one

    mutable std::mutex mutex_;
    bool locked_ = false;             // guarded by mutex_
    HDC dc_ = nullptr;                // guarded by mutex_
    DrawClipper* clipper_ = nullptr;  // guarded by mutex_; one reference held
};
