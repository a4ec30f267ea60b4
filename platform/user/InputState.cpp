#include "platform/user/InputState.h"

InputState& TheInputState() {
    static InputState* state = new InputState;
    return *state;
}

POINT CursorPosLocked() {
    return TheInputState().cursorPos;
}

void ForgetInputStateOf(HWND hwnd) {
    InputState& s = TheInputState();
    if (s.capture == hwnd)
        s.capture = nullptr;
    if (s.foreground == hwnd)
        s.foreground = nullptr;
    if (s.lastClickWindow == hwnd)
        s.lastClickWindow = nullptr;
}
