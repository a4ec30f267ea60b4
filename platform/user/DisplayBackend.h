// What the window system tells the display. The display (platform/backend:
// headless or a real one) implements this and installs itself; without one,
// nothing is presented and nothing is lost: the screen can still be composed
// on request (Screen.h).
//
// Calls come from any thread, often with window-system work in progress: an
// implementation must return at once, never block, and never call back into
// window procedures. It may call ComposeScreen or LockWindowPixels later from
// its own thread.
#pragma once

#include <string>

#include "platform/user/UserTypes.h"

class DisplayBackend {
public:
    virtual ~DisplayBackend() = default;

    // The pixels, place, shape, alpha or visibility of a top-level window changed.
    virtual void PresentationRequested(HWND topLevel) = 0;
    // The cursor shape set by SetCursor changed.
    virtual void CursorChanged(HCURSOR cursor) = 0;
    // The system clipboard's text. A display without a clipboard of its own
    // keeps nothing: what is copied is lost and nothing can be pasted.
    virtual void SetClipboardText(const std::wstring& /*text*/) {}
    virtual std::wstring ClipboardText() const { return {}; }
};

// Installs the display (null: none). Install before windows are made.
void SetDisplayBackend(DisplayBackend* display);
DisplayBackend* CurrentDisplayBackend();
