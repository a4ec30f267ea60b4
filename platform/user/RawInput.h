// Input as the display delivers it, before the window system has decided
// which window gets it: queued on the thread that owns the window under the
// cursor (or holding the capture, or the keyboard focus) and turned into
// window messages when that thread next asks for a message.
#pragma once

#include <string>

#include "platform/user/UserTypes.h"

enum class RawInputKind { MouseMove, MouseButton, Wheel, Key, Text, AppActivation, Moved, Resized };

enum class MouseButton { Left, Right, Middle };

struct RawInput {
    RawInputKind kind = RawInputKind::MouseMove;
    POINT pt{};  // screen coordinates of the cursor
    MouseButton button = MouseButton::Left;
    bool down = false;      // button or key pressed (or application activated)
    int wheelDelta = 0;     // multiples of WHEEL_DELTA
    UINT vk = 0;            // virtual-key code
    bool typed = false;     // a key whose characters the display delivers as Text
    std::wstring text;      // Text: the characters typed
    HWND window = nullptr;  // Moved, Resized: the top-level window the display placed
    RECT rect{};            // Resized: where the display put it, screen coordinates
    DWORD time = 0;         // timeGetTime() when it happened
    DWORD keyState = 0;     // MK_ flags after this event
};
