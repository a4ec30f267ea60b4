// The system-wide input state: where the cursor is, which keys and buttons
// are down, which window holds the mouse capture, which top-level window is in
// the foreground, the cursor shape, and the last click (for double clicks).
// UserMutex() held by every caller.
#pragma once

#include <array>
#include <memory>

#include "platform/user/UserTypes.h"

class MessageQueue;

struct InputState {
    POINT cursorPos{};
    std::array<bool, 256> keyDown{};       // as of the input turned into messages last
    std::array<bool, 256> asyncKeyDown{};  // as injected
    HWND capture = nullptr;
    HWND foreground = nullptr;
    HCURSOR cursor = nullptr;
    // The thread that got the last press: while a button is down the mouse
    // stays with it, even outside its windows (its capture may be on its way).
    std::shared_ptr<MessageQueue> pressQueue;

    // The last button press, for double-click detection.
    HWND lastClickWindow = nullptr;
    UINT lastClickMessage = 0;
    DWORD lastClickTime = 0;
    POINT lastClickPos{};
};

InputState& TheInputState();
POINT CursorPosLocked();
// A window going away takes its capture and foreground with it.
void ForgetInputStateOf(HWND hwnd);
