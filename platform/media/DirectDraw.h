// DirectDraw as the video renderer uses it: a drawing object per pane, a
// primary surface that stands for the screen and reaches a window through a
// clipper, off-screen surfaces in memory (planar YV12 with a pitch, or 32-bit
// pixels in the primary's format with a drawing context), and Blt, which
// converts YV12 and stretches (libswscale).
//
// The primary surface has no pixels of its own: a Blt into it takes its
// target rectangle in screen coordinates and writes the part that falls into
// the clipper window's client area straight into that window's backing store
// (platform/user WindowPixels), then asks for presentation. It never waits
// for the window's thread.
//
// Threads: any thread may create and use objects; one surface is used by one
// thread at a time, except that any number of threads may Blt into the same
// primary or into primaries bound to the same window at once (each write
// holds the window's backing-store lock only while it copies its rectangle).
// Sixteen display threads each using their own objects is the usual case.
//
// Ownership: every object starts with one reference; Release drops one and
// destroys the object at zero. A surface holds a reference to its clipper.
#pragma once

#include <cstdint>

#include "platform/base/WinTypes.h"
#include "platform/gdi/GdiTypes.h"

using HRESULT = int32_t;

inline constexpr HRESULT DD_OK = 0;
inline constexpr HRESULT DDERR_UNSUPPORTED = HRESULT(0x80004001);
inline constexpr HRESULT DDERR_GENERIC = HRESULT(0x80004005);
inline constexpr HRESULT DDERR_OUTOFMEMORY = HRESULT(0x8007000E);
inline constexpr HRESULT DDERR_INVALIDPARAMS = HRESULT(0x80070057);
inline constexpr HRESULT DDERR_INVALIDPIXELFORMAT = HRESULT(0x88760091);
inline constexpr HRESULT DDERR_INVALIDRECT = HRESULT(0x88760096);
inline constexpr HRESULT DDERR_SURFACEBUSY = HRESULT(0x887601AE);
inline constexpr HRESULT DDERR_NOCLIPPERATTACHED = HRESULT(0x88760205);
inline constexpr HRESULT DDERR_NOHWND = HRESULT(0x88760239);
inline constexpr HRESULT DDERR_NOTLOCKED = HRESULT(0x88760248);
inline constexpr HRESULT DDERR_DCALREADYCREATED = HRESULT(0x8876026C);

inline bool Failed(HRESULT result) {
    return result < 0;
}

inline constexpr DWORD DDSCL_NORMAL = 0x00000008;

inline constexpr DWORD DDSD_CAPS = 0x00000001;
inline constexpr DWORD DDSD_HEIGHT = 0x00000002;
inline constexpr DWORD DDSD_WIDTH = 0x00000004;
inline constexpr DWORD DDSD_PITCH = 0x00000008;
inline constexpr DWORD DDSD_PIXELFORMAT = 0x00001000;
inline constexpr DWORD DDSD_LPSURFACE = 0x00000800;

inline constexpr DWORD DDSCAPS_OFFSCREENPLAIN = 0x00000040;
inline constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x00000200;
inline constexpr DWORD DDSCAPS_SYSTEMMEMORY = 0x00000800;
inline constexpr DWORD DDSCAPS_VIDEOMEMORY = 0x00004000;

inline constexpr DWORD DDPF_FOURCC = 0x00000004;
inline constexpr DWORD DDPF_RGB = 0x00000040;
inline constexpr DWORD DDPF_YUV = 0x00000200;

inline constexpr DWORD DDLOCK_SURFACEMEMORYPTR = 0x00000000;
inline constexpr DWORD DDLOCK_WAIT = 0x00000001;

inline constexpr DWORD DDBLT_ASYNC = 0x00000200;
inline constexpr DWORD DDBLT_WAIT = 0x01000000;

constexpr DWORD MakeFourCc(char a, char b, char c, char d) {
    return DWORD(BYTE(a)) | DWORD(BYTE(b)) << 8 | DWORD(BYTE(c)) << 16 | DWORD(BYTE(d)) << 24;
}
inline constexpr DWORD FOURCC_YV12 = MakeFourCc('Y', 'V', '1', '2');  // 0x32315659

struct DDPIXELFORMAT {
    DWORD dwSize = 0;
    DWORD dwFlags = 0;
    DWORD dwFourCC = 0;
    DWORD dwRGBBitCount = 0;  // also the YUV bit count (8 for YV12)
    DWORD dwRBitMask = 0;
    DWORD dwGBitMask = 0;
    DWORD dwBBitMask = 0;
    DWORD dwRGBAlphaBitMask = 0;
};

struct DDSCAPS {
    DWORD dwCaps = 0;
};

struct DDSURFACEDESC {
    DWORD dwSize = 0;
    DWORD dwFlags = 0;
    DWORD dwHeight = 0;
    DWORD dwWidth = 0;
    LONG lPitch = 0;  // bytes per row of the first plane
    void* lpSurface = nullptr;
    DDPIXELFORMAT ddpfPixelFormat{};
    DDSCAPS ddsCaps{};
};

class IDirectDrawClipper {
public:
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    // Binds the clipper to a window: Blt into a primary surface with this
    // clipper draws into the window's client area. flags must be 0.
    virtual HRESULT SetHWnd(DWORD flags, HWND window) = 0;
    virtual HRESULT GetHWnd(HWND* window) = 0;

protected:
    virtual ~IDirectDrawClipper() = default;
};

class IDirectDrawSurface {
public:
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    // Off-screen surfaces only (the primary has no memory to lock): fills
    // desc's lpSurface, lPitch, size and format. A YV12 surface lies as Y
    // (height rows of lPitch), then V and U (each height/2 rows, rounded up,
    // of lPitch/2). rect must be null. DDERR_SURFACEBUSY while locked.
    virtual HRESULT Lock(RECT* rect, DDSURFACEDESC* desc, DWORD flags, void* event) = 0;
    virtual HRESULT Unlock(void* rect) = 0;
    // Copies source's srcRect (null: all of it) into this surface's dstRect
    // (null: all of it; for the primary, screen coordinates), converting YV12
    // to 32-bit pixels and stretching. Targets: the primary or a 32-bit
    // off-screen surface. Rectangles outside the source are refused
    // (DDERR_INVALIDRECT); a target rectangle is cut to the target.
    virtual HRESULT Blt(RECT* dstRect, IDirectDrawSurface* source, RECT* srcRect, DWORD flags,
                        void* fx) = 0;
    // A drawing context over a 32-bit off-screen surface, until ReleaseDC.
    virtual HRESULT GetDC(HDC* dc) = 0;
    virtual HRESULT ReleaseDC(HDC dc) = 0;
    virtual HRESULT SetClipper(IDirectDrawClipper* clipper) = 0;
    virtual HRESULT GetSurfaceDesc(DDSURFACEDESC* desc) = 0;

protected:
    virtual ~IDirectDrawSurface() = default;
};

class IDirectDraw {
public:
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    // DDSCL_NORMAL only; the window may be null.
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
    // desc with DDSCAPS_PRIMARYSURFACE: the screen. With
    // DDSCAPS_OFFSCREENPLAIN, width and height (1 to 8192): a YV12 surface
    // when DDSD_PIXELFORMAT names DDPF_FOURCC FOURCC_YV12, a 32-bit one in
    // the primary's format without a pixel format. A YV12 surface with
    // DDSD_LPSURFACE and DDSD_PITCH lies over the caller's memory (lpSurface,
    // laid out as Lock describes at an even lPitch of at least the width),
    // which stays the caller's: it must outlive the surface and is written
    // only while no Blt reads it. outer must be null.
    virtual HRESULT CreateSurface(DDSURFACEDESC* desc, IDirectDrawSurface** surface,
                                  void* outer) = 0;
    virtual HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** clipper, void* outer) = 0;

protected:
    virtual ~IDirectDraw() = default;
};

// driver must be null (the default display device); outer must be null.
HRESULT DirectDrawCreate(void* driver, IDirectDraw** drawing, void* outer);
