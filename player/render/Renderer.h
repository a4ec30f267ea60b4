// CRenderer: draws decoded pictures into the panes of the host window through
// DirectDraw (platform/media): each picture is converted and stretched from
// an off-screen YV12 surface into its pane of the window, optionally through
// a pane-sized surface on which the channel's on-screen text is drawn. Each
// pane has two picture buffers: the display thread decodes into the one not
// shown (DecodeBuffer) and draws it, which makes it the shown one; the YV12
// surface lies over it, so a decoded picture is never copied before it is
// scaled, and the picture shown stays whole while the next is decoded. Any
// other picture is copied into a surface of the slot's own.
//
// Slots: 16, one per pane index of whatever layout is shown; each holds a
// drawing object, a primary surface clipped to the host window, the picture
// surfaces (its own and one over each of the pane's buffers) and the pane
// surface. Surfaces are re-created only when a picture or pane size changes.
//
// Repaints: the slots keep the last picture drawn in each pane, and a
// repaint of the host window (WM_PAINT, which erases it) shows them again,
// paused or not (HostPaintWatch.h). Refresh forgets them, so that what it
// erases stays erased; RefreshAround forgets the panes it erases.
//
// Threads and locks: Draw for pane p runs on the display thread drawing
// pane p (one at a time per pane); Init, Free and Refresh on the command or
// playback thread; Repaint on the host window's thread. Each slot has its
// own mutex, held by Draw for the whole draw, by Repaint while it shows the
// slot again, and by Init and Free per slot, so a slot is never freed under
// a draw. The window is an atomic. Channel c's on-screen text belongs to
// channel c's display thread (SetOsdText, Draw); the buffer DecodeBuffer
// gives for pane p belongs to the display thread drawing pane p until it
// draws it, and a repaint reads only the buffer shown.
//
// Buffers: the 32 picture buffers (12 MiB each, two per pane) are owned by
// the renderer for its whole life; the decoders write into them. Nothing of
// picture size is allocated per GOP or per frame.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/media/DirectDraw.h"
#include "shared/GopRecords.h"

class CRenderer {
public:
    static constexpr int kPictureBufferSize = 12 * 1024 * 1024;
    static constexpr int kOsdTextLength = 64;  // with the terminator
    static constexpr int kOsdTextHeight = 20;  // the text's strip at the pane's bottom

    CRenderer();
    ~CRenderer();
    CRenderer(const CRenderer&) = delete;
    CRenderer& operator=(const CRenderer&) = delete;

    // Creates the objects of `slot` (-1: all 16) that are missing, bound to
    // `window`; for -1 the window is then stored. Any failure frees every
    // slot and gives false; a null window gives false at once.
    bool Init(HWND window, int slot);
    // Releases the slot's objects (-1: all 16, and forgets the window).
    void Free(int slot);
    // Draws channel `channel`'s picture (YV12, pitch = width; null draws
    // black) into pane `pane` of a `paneCount` layout. False when the slot
    // cannot be made, for sizes below 1, a pane count other than 1, 4, 9, 12
    // or 16, a pane outside the layout, while drawing is not possible (the
    // slot is then freed), or when a surface cannot be made or locked.
    bool Draw(int paneCount, int pane, int channel, const uint8_t* picture, int width, int height);
    // Invalidates the whole host window, erasing; its thread repaints it at
    // its next message, so no caller ever waits for that thread. False
    // without a window.
    bool Refresh();
    // As Refresh, but for the host window less the given panes of a
    // `paneCount` layout, which the caller is about to draw: however late
    // the window's thread repaints, it never wipes a picture drawn there.
    bool RefreshAround(int paneCount, const std::vector<int>& panes);
    // Draws every pane's last picture again where its pane lies now. The
    // host window's thread, after the window painted itself.
    void Repaint();

    // Pane p's buffer that is not shown, for the next picture to be decoded
    // into (YV12, pitch = width); null for a pane outside 0 to 15.
    uint8_t* DecodeBuffer(int pane);
    void SetOsdOn(bool on) { m_bOsdOn = on; }
    bool IsOsdOn() const { return m_bOsdOn; }
    // Channels below 16: the text (at most 63 characters); the picture size
    // it was made for is not needed to draw it. False for other channels.
    bool SetOsdText(int channel, const wchar_t* text, int width, int height);
    HWND Window() const { return m_hWnd; }

private:
    struct PictureSurface {
        IDirectDrawSurface* surface = nullptr;
        int width = 0, height = 0;
    };
    struct Slot {
        std::mutex mutex;
        IDirectDraw* draw = nullptr;
        IDirectDrawSurface* primary = nullptr;
        IDirectDrawClipper* clipper = nullptr;
        PictureSurface own;                     // pictures drawn from elsewhere, and black
        PictureSurface over[2];                 // over the pane's two buffers
        IDirectDrawSurface* picture = nullptr;  // the one of the three shown last
        int pictureWidth = 0, pictureHeight = 0;
        IDirectDrawSurface* pane = nullptr;
        int paneWidth = 0, paneHeight = 0;
        // What the picture surface shows, to be shown again: the layout
        // (0: nothing) and the on-screen text it was drawn with.
        int shownPaneCount = 0;
        wchar_t shownText[kOsdTextLength] = {};
    };
    struct Channel {
        wchar_t osdText[kOsdTextLength] = {};
    };
    struct PaneBuffers {
        std::unique_ptr<uint8_t[]> buffers[2];
        std::atomic<int> front{0};  // the one shown, or last shown
    };

    // With the slot's mutex held.
    static bool CreateSlot(Slot& slot, HWND window);
    static void FreeSlot(Slot& slot);
    bool PreparePicture(Slot& slot, int pane, const uint8_t* picture, int width, int height);
    static bool EnsurePicture(Slot& slot, PictureSurface& picture, int width, int height,
                              uint8_t* memory);
    static void ShowSurface(Slot& slot, const PictureSurface& picture);
    static bool EnsurePane(Slot& slot, int width, int height);
    static bool CopyPicture(Slot& slot, const uint8_t* picture, int width, int height);
    bool DrawLocked(Slot& slot, int paneCount, int pane, int channel, const uint8_t* picture,
                    int width, int height);
    bool Show(Slot& slot, int paneCount, int pane);
    bool DrawWithText(Slot& slot, RECT target, RECT source, const wchar_t* text);
    void Forget(int paneCount, const std::vector<int>& kept);

    Slot m_slots[kMaxChannels];
    Channel m_channels[kMaxChannels];
    PaneBuffers m_panes[kMaxChannels];
    std::atomic<HWND> m_hWnd{nullptr};
    std::atomic<bool> m_bOsdOn{false};
};
