#include "player/render/Renderer.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "platform/gdi/Gdi.h"
#include "platform/media/Desktop.h"
#include "platform/user/Geometry.h"
#include "platform/user/Painting.h"
#include "platform/user/Rects.h"
#include "player/render/HostPaintWatch.h"
#include "player/render/PaneLayout.h"

namespace {

template <typename T>
void ReleaseObject(T*& object) {
    if (object != nullptr)
        object->Release();
    object = nullptr;
}

// A YV12 surface lies over `memory` (pitch = width) when one is given.
IDirectDrawSurface* CreateOffscreen(IDirectDraw* draw, int width, int height, bool yv12,
                                    uint8_t* memory = nullptr) {
    DDSURFACEDESC desc;
    desc.dwSize = sizeof(DDSURFACEDESC);
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = DWORD(width);
    desc.dwHeight = DWORD(height);
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    if (memory != nullptr) {
        desc.dwFlags |= DDSD_LPSURFACE | DDSD_PITCH;
        desc.lpSurface = memory;
        desc.lPitch = width;
    }
    if (yv12) {
        desc.dwFlags |= DDSD_PIXELFORMAT;
        desc.ddpfPixelFormat.dwSize = sizeof(DDPIXELFORMAT);
        desc.ddpfPixelFormat.dwFlags = DDPF_FOURCC | DDPF_YUV;
        desc.ddpfPixelFormat.dwFourCC = FOURCC_YV12;
        desc.ddpfPixelFormat.dwRGBBitCount = 8;
    }
    IDirectDrawSurface* surface = nullptr;
    if (Failed(draw->CreateSurface(&desc, &surface, nullptr)))
        return nullptr;
    return surface;
}

void CopyRows(uint8_t* to, int toPitch, const uint8_t* from, int fromPitch, int width, int rows) {
    for (int y = 0; y < rows; ++y)
        std::memcpy(to + size_t(y) * toPitch, from + size_t(y) * fromPitch, size_t(width));
}

void FillRows(uint8_t* to, int toPitch, uint8_t value, int width, int rows) {
    for (int y = 0; y < rows; ++y)
        std::memset(to + size_t(y) * toPitch, value, size_t(width));
}

bool ClientRectOnScreen(HWND window, RECT* rect) {
    POINT origin{0, 0};
    if (!GetClientRect(window, rect) || !ClientToScreen(window, &origin))
        return false;
    OffsetRect(rect, origin.x, origin.y);
    return true;
}

}  // namespace

CRenderer::CRenderer() {
    // Not value-initialised: the pages are touched only by the decoders.
    for (PaneBuffers& pane : m_panes)
        for (auto& buffer : pane.buffers)
            buffer.reset(new uint8_t[kPictureBufferSize]);
}

CRenderer::~CRenderer() {
    ForgetHostPaint(this);
    Free(-1);
}

bool CRenderer::CreateSlot(Slot& slot, HWND window) {
    if (slot.draw != nullptr)
        return true;
    if (Failed(DirectDrawCreate(nullptr, &slot.draw, nullptr)))
        return false;
    DDSURFACEDESC desc;
    desc.dwSize = sizeof(DDSURFACEDESC);
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    const bool made = !Failed(slot.draw->SetCooperativeLevel(window, DDSCL_NORMAL)) &&
                      !Failed(slot.draw->CreateSurface(&desc, &slot.primary, nullptr)) &&
                      !Failed(slot.draw->CreateClipper(0, &slot.clipper, nullptr)) &&
                      !Failed(slot.clipper->SetHWnd(0, window)) &&
                      !Failed(slot.primary->SetClipper(slot.clipper));
    if (!made)
        FreeSlot(slot);
    return made;
}

void CRenderer::FreeSlot(Slot& slot) {
    ReleaseObject(slot.pane);
    slot.picture = nullptr;
    for (PictureSurface* surface : {&slot.own, &slot.over[0], &slot.over[1]}) {
        ReleaseObject(surface->surface);
        surface->width = surface->height = 0;
    }
    ReleaseObject(slot.clipper);
    ReleaseObject(slot.primary);
    ReleaseObject(slot.draw);
    slot.pictureWidth = slot.pictureHeight = 0;
    slot.paneWidth = slot.paneHeight = 0;
    slot.shownPaneCount = 0;
}

bool CRenderer::Init(HWND window, int slot) {
    if (window == nullptr || slot < -1 || slot >= kMaxChannels)
        return false;
    const int first = slot == -1 ? 0 : slot;
    const int last = slot == -1 ? kMaxChannels - 1 : slot;
    for (int s = first; s <= last; ++s) {
        bool made;
        {
            std::lock_guard lock(m_slots[s].mutex);
            made = CreateSlot(m_slots[s], window);
        }
        if (!made) {
            Free(-1);
            return false;
        }
    }
    if (slot == -1) {
        m_hWnd = window;
        WatchHostPaint(window, this);
    }
    return true;
}

void CRenderer::Free(int slot) {
    if (slot < -1 || slot >= kMaxChannels)
        return;
    const int first = slot == -1 ? 0 : slot;
    const int last = slot == -1 ? kMaxChannels - 1 : slot;
    for (int s = first; s <= last; ++s) {
        std::lock_guard lock(m_slots[s].mutex);
        FreeSlot(m_slots[s]);
    }
    if (slot == -1) {
        ForgetHostPaint(this);
        m_hWnd = nullptr;
    }
}

bool CRenderer::Refresh() {
    HWND window = m_hWnd;
    if (window == nullptr)
        return false;
    Forget(0, {});
    // No UpdateWindow: from a thread that does not own the window it would
    // wait for the owner to paint. The owner paints at its next message.
    return InvalidateRect(window, nullptr, TRUE) != FALSE;
}

bool CRenderer::RefreshAround(int paneCount, const std::vector<int>& panes) {
    HWND window = m_hWnd;
    RECT client{};
    if (window == nullptr || !GetClientRect(window, &client))
        return false;
    Forget(paneCount, panes);
    HRGN around = CreateRectRgnIndirect(&client);
    for (int pane : panes) {
        RECT drawn{};
        if (!PaneRect(client, paneCount, pane, &drawn))
            continue;
        HRGN cut = CreateRectRgnIndirect(&drawn);
        CombineRgn(around, around, cut, RGN_DIFF);
        DeleteObject(cut);
    }
    RECT box{};
    const bool left = GetRgnBox(around, &box) != NULLREGION;
    const bool done = !left || InvalidateRgn(window, around, TRUE) != FALSE;
    DeleteObject(around);
    return done;
}

// The slots of a `paneCount` layout's panes `kept` are shown again on
// repaints; every other slot no longer is.
void CRenderer::Forget(int paneCount, const std::vector<int>& kept) {
    for (int s = 0; s < kMaxChannels; ++s) {
        const bool keep = std::find(kept.begin(), kept.end(), s) != kept.end();
        std::lock_guard lock(m_slots[s].mutex);
        if (!keep || m_slots[s].shownPaneCount != paneCount)
            m_slots[s].shownPaneCount = 0;
    }
}

void CRenderer::Repaint() {
    if (m_hWnd == nullptr)
        return;
    for (int s = 0; s < kMaxChannels; ++s) {
        Slot& slot = m_slots[s];
        std::lock_guard lock(slot.mutex);
        if (slot.shownPaneCount != 0 && slot.picture != nullptr && DrawingPossible())
            Show(slot, slot.shownPaneCount, s);
    }
}

uint8_t* CRenderer::DecodeBuffer(int pane) {
    if (pane < 0 || pane >= kMaxChannels)
        return nullptr;
    const PaneBuffers& buffers = m_panes[pane];
    return buffers.buffers[1 - buffers.front.load(std::memory_order_relaxed)].get();
}

bool CRenderer::SetOsdText(int channel, const wchar_t* text, int, int) {
    if (channel < 0 || channel >= kMaxChannels || text == nullptr)
        return false;
    Channel& c = m_channels[channel];
    std::wcsncpy(c.osdText, text, kOsdTextLength - 1);
    c.osdText[kOsdTextLength - 1] = L'\0';
    return true;
}

bool CRenderer::Draw(int paneCount, int pane, int channel, const uint8_t* picture, int width,
                     int height) {
    if (pane < 0 || pane >= kMaxChannels || channel < 0 || channel >= kMaxChannels)
        return false;
    Slot& slot = m_slots[pane];
    std::lock_guard lock(slot.mutex);
    if (slot.draw == nullptr) {
        HWND window = m_hWnd;
        if (window == nullptr || !CreateSlot(slot, window))
            return false;
    }
    return DrawLocked(slot, paneCount, pane, channel, picture, width, height);
}

bool CRenderer::DrawLocked(Slot& slot, int paneCount, int pane, int channel, const uint8_t* picture,
                           int width, int height) {
    RECT target{};
    RECT client{};
    if (width < 1 || height < 1)
        return false;
    if (!ClientRectOnScreen(m_hWnd, &client) || !PaneRect(client, paneCount, pane, &target))
        return false;
    if (!DrawingPossible()) {
        FreeSlot(slot);
        return false;
    }
    slot.shownPaneCount = 0;
    if (!PreparePicture(slot, pane, picture, width, height))
        return false;
    std::wcsncpy(slot.shownText, m_channels[channel].osdText, kOsdTextLength);
    if (!Show(slot, paneCount, pane))
        return false;
    slot.shownPaneCount = paneCount;
    return true;
}

// The slot's picture stretched into its pane where the pane lies now, with
// the on-screen text it was drawn with when that is on.
bool CRenderer::Show(Slot& slot, int paneCount, int pane) {
    RECT target{};
    RECT client{};
    if (!ClientRectOnScreen(m_hWnd, &client) || !PaneRect(client, paneCount, pane, &target))
        return false;
    if (!EnsurePane(slot, int(target.right - target.left), int(target.bottom - target.top)))
        return false;
    const RECT source{0, 0, slot.pictureWidth, slot.pictureHeight};
    const wchar_t* text = slot.shownText;
    if (!m_bOsdOn || text[0] == L'\0') {
        slot.primary->Blt(&target, slot.picture, const_cast<RECT*>(&source), 0, nullptr);
        return true;
    }
    return DrawWithText(slot, target, source, text);
}

// A picture in one of the pane's buffers, where its decoder wrote it, is
// drawn from in place (its chroma rows lie at half its pitch when the width
// is even), and that buffer is the one shown from now on. Any other picture,
// and black (null), is copied into a surface of the slot's own.
bool CRenderer::PreparePicture(Slot& slot, int pane, const uint8_t* picture, int width,
                               int height) {
    PaneBuffers& buffers = m_panes[pane];
    for (int k = 0; k < 2; ++k) {
        uint8_t* buffer = buffers.buffers[k].get();
        if (picture != buffer || width % 2 != 0)
            continue;
        if (!EnsurePicture(slot, slot.over[k], width, height, buffer))
            return false;
        ShowSurface(slot, slot.over[k]);
        buffers.front.store(k, std::memory_order_relaxed);
        return true;
    }
    if (!EnsurePicture(slot, slot.own, width, height, nullptr))
        return false;
    ShowSurface(slot, slot.own);
    if (!CopyPicture(slot, picture, width, height)) {
        FreeSlot(slot);
        return false;
    }
    return true;
}

// A surface re-made while shown is no longer shown, even if it cannot be made.
bool CRenderer::EnsurePicture(Slot& slot, PictureSurface& picture, int width, int height,
                              uint8_t* memory) {
    if (picture.surface != nullptr && picture.width == width && picture.height == height)
        return true;
    if (slot.picture == picture.surface)
        ShowSurface(slot, PictureSurface{});
    ReleaseObject(picture.surface);
    picture.width = picture.height = 0;
    picture.surface = CreateOffscreen(slot.draw, width, height, true, memory);
    if (picture.surface == nullptr)
        return false;
    picture.width = width;
    picture.height = height;
    return true;
}

void CRenderer::ShowSurface(Slot& slot, const PictureSurface& picture) {
    slot.picture = picture.surface;
    slot.pictureWidth = picture.width;
    slot.pictureHeight = picture.height;
}

bool CRenderer::EnsurePane(Slot& slot, int width, int height) {
    if (slot.pane != nullptr && slot.paneWidth == width && slot.paneHeight == height)
        return true;
    ReleaseObject(slot.pane);
    slot.paneWidth = slot.paneHeight = 0;
    if (width < 1 || height < 1)
        return false;
    slot.pane = CreateOffscreen(slot.draw, width, height, false);
    if (slot.pane == nullptr)
        return false;
    slot.paneWidth = width;
    slot.paneHeight = height;
    return true;
}

// The decoders' planes (Y, then V and U of (width + 1) / 2 by (height + 1)
// / 2, pitch = width) into the surface's (Y, V and U at its pitch and half).
bool CRenderer::CopyPicture(Slot& slot, const uint8_t* picture, int width, int height) {
    DDSURFACEDESC desc;
    desc.dwSize = sizeof(DDSURFACEDESC);
    if (Failed(slot.picture->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_SURFACEMEMORYPTR, nullptr)))
        return false;
    const int pitch = desc.lPitch, chromaPitch = pitch / 2;
    const int chromaWidth = (width + 1) / 2, chromaHeight = (height + 1) / 2;
    auto* y = static_cast<uint8_t*>(desc.lpSurface);
    uint8_t* v = y + size_t(pitch) * height;
    uint8_t* u = v + size_t(chromaPitch) * chromaHeight;
    if (picture != nullptr) {
        const uint8_t* fromV = picture + size_t(width) * height;
        const uint8_t* fromU = fromV + size_t(chromaWidth) * chromaHeight;
        CopyRows(y, pitch, picture, width, width, height);
        CopyRows(v, chromaPitch, fromV, chromaWidth, chromaWidth, chromaHeight);
        CopyRows(u, chromaPitch, fromU, chromaWidth, chromaWidth, chromaHeight);
    } else {
        // Black, not the green of all-zero planes: chroma at its midpoint.
        FillRows(y, pitch, 0, width, height);
        FillRows(v, chromaPitch, 128, chromaWidth, chromaHeight);
        FillRows(u, chromaPitch, 128, chromaWidth, chromaHeight);
    }
    slot.picture->Unlock(nullptr);
    return true;
}

bool CRenderer::DrawWithText(Slot& slot, RECT target, RECT source, const wchar_t* text) {
    if (Failed(slot.pane->Blt(nullptr, slot.picture, &source, DDBLT_WAIT, nullptr)))
        return false;
    HDC dc = nullptr;
    if (Failed(slot.pane->GetDC(&dc)))
        return false;
    RECT strip{0, slot.paneHeight - kOsdTextHeight, slot.paneWidth, slot.paneHeight};
    DrawShadowText(dc, text, UINT(std::wcslen(text)), &strip, DT_LEFT, RGB(255, 255, 255),
                   RGB(0, 0, 0), 1, 1);
    slot.pane->ReleaseDC(dc);
    slot.primary->Blt(&target, slot.pane, nullptr, 0, nullptr);
    return true;
}
