// CPictureCapture: saves a rectangle of the screen as a JPEG file, with an
// optional time stamp in its top-left corner (zPlayMSG command 9). The
// screen is the window system's composition of the top-level windows
// (platform/user ComposeScreen), so the file shows whatever the screen
// shows at that moment, the host's overlays included; encoding is GDI+'s
// JPEG encoder (platform/gdi, libjpeg-turbo).
//
// Life: the player constructs one when the library is loaded; it keeps
// GDI+ started until it is destroyed.
//
// Threads: Capture runs on the command thread while the display threads go
// on drawing; it reads each window's pixels under that window's lock.
#pragma once

#include <cstdint>
#include <string>

#include "platform/gdi/GdiPlus.h"
#include "platform/gdi/GdiTypes.h"

class CPictureCapture {
public:
    static constexpr int kStampHeight = 30;

    CPictureCapture();
    ~CPictureCapture();
    CPictureCapture(const CPictureCapture&) = delete;
    CPictureCapture& operator=(const CPictureCapture&) = delete;

    // Copies (left, top)-(right, bottom) of the screen, clipped to it (the
    // output size shrinks in proportion), writes `stamp` (seconds since
    // 1970, read without time-zone conversion; 0: none) as white text on
    // black at its top-left corner, scales it to width x height and saves it
    // as JPEG at `path` (UTF-8, not owned) with `quality` (held to 0..100).
    // True when the file was written; false for an empty rectangle or output
    // size, a rectangle wholly off the screen, a path that is not UTF-8, a
    // missing encoder or a failed save.
    bool Capture(HWND desktop, int left, int top, int right, int bottom, const char* path,
                 int64_t width, int64_t height, int quality, uint32_t stamp);

private:
    ULONG_PTR m_token = 0;
};

// The stamp's text: "%04d-%02d-%02d %02d:%02d:%02d" of the calendar time,
// without time-zone conversion.
std::string FormatCaptureStamp(uint32_t stamp);
