#include "platform/user/Input.h"

#include <set>

#include "platform/base/Clock.h"
#include "platform/user/DisplayBackend.h"
#include "platform/user/InputState.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/Messages.h"
#include "platform/user/Rects.h"
#include "platform/user/WindowTable.h"
#include "platform/user/WindowTree.h"

namespace {

UINT ButtonKey(MouseButton b) {
    return b == MouseButton::Left ? VK_LBUTTON : b == MouseButton::Right ? VK_RBUTTON : VK_MBUTTON;
}

DWORD MouseKeyFlags(const InputState& s) {
    DWORD flags = 0;
    if (s.asyncKeyDown[VK_LBUTTON])
        flags |= MK_LBUTTON;
    if (s.asyncKeyDown[VK_RBUTTON])
        flags |= MK_RBUTTON;
    if (s.asyncKeyDown[VK_MBUTTON])
        flags |= MK_MBUTTON;
    if (s.asyncKeyDown[VK_SHIFT])
        flags |= MK_SHIFT;
    if (s.asyncKeyDown[VK_CONTROL])
        flags |= MK_CONTROL;
    return flags;
}

bool AnyButtonDown(const InputState& s) {
    return s.asyncKeyDown[VK_LBUTTON] || s.asyncKeyDown[VK_RBUTTON] || s.asyncKeyDown[VK_MBUTTON];
}

// The queue that gets mouse input at `screen`. Lock held.
std::shared_ptr<MessageQueue> MouseTarget(POINT screen) {
    InputState& s = TheInputState();
    if (Window* c = FindWindowLocked(s.capture))
        return c->queue;
    if (AnyButtonDown(s) && s.pressQueue != nullptr && s.pressQueue->alive)
        return s.pressQueue;
    for (HWND h : WindowTable::Instance().TopLevels()) {
        Window* w = FindWindowLocked(h);
        if (w != nullptr && w->IsVisibleSelf() && HitsWindow(w, screen))
            return w->queue;
    }
    return nullptr;
}

void Queue(MessageQueue* q, RawInput in) {
    if (q == nullptr || !q->alive)
        return;
    in.time = timeGetTime();
    in.keyState = MouseKeyFlags(TheInputState());
    q->input.push_back(in);
    q->Wake();
}

void InjectMouse(RawInput in) {
    std::lock_guard lock(UserMutex());
    InputState& s = TheInputState();
    s.cursorPos = in.pt;
    const bool press = in.kind == RawInputKind::MouseButton && in.down;
    std::shared_ptr<MessageQueue> target = MouseTarget(in.pt);
    if (in.kind == RawInputKind::MouseButton)
        s.asyncKeyDown[ButtonKey(in.button)] = in.down;
    if (press)
        s.pressQueue = target;
    Queue(target.get(), in);
}

}  // namespace

void InjectMouseMove(POINT screen) {
    RawInput in;
    in.kind = RawInputKind::MouseMove;
    in.pt = screen;
    InjectMouse(in);
}

void InjectMouseButton(MouseButton button, bool down, POINT screen) {
    RawInput in;
    in.kind = RawInputKind::MouseButton;
    in.pt = screen;
    in.button = button;
    in.down = down;
    InjectMouse(in);
}

void InjectMouseWheel(int delta, POINT screen) {
    RawInput in;
    in.kind = RawInputKind::Wheel;
    in.pt = screen;
    in.wheelDelta = delta;
    InjectMouse(in);
}

namespace {

// Queues keyboard input on the foreground window's thread. Lock held.
void QueueKeyboard(RawInput in) {
    InputState& s = TheInputState();
    in.pt = s.cursorPos;
    Window* w = FindWindowLocked(s.foreground);
    Queue(w != nullptr ? w->queue.get() : nullptr, std::move(in));
}

}  // namespace

void InjectKey(UINT vk, bool down, bool typed) {
    std::lock_guard lock(UserMutex());
    TheInputState().asyncKeyDown[vk & 0xFF] = down;
    RawInput in;
    in.kind = RawInputKind::Key;
    in.vk = vk & 0xFF;
    in.down = down;
    in.typed = typed;
    QueueKeyboard(std::move(in));
}

void InjectText(const std::wstring& text) {
    if (text.empty())
        return;
    std::lock_guard lock(UserMutex());
    RawInput in;
    in.kind = RawInputKind::Text;
    in.text = text;
    QueueKeyboard(std::move(in));
}

void InjectTopLevelMoved(HWND topLevel, POINT screen) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(topLevel);
    if (w == nullptr || w->IsChild() || (w->style & WS_MINIMIZE) != 0)
        return;
    if (w->rect.left == screen.x && w->rect.top == screen.y)
        return;
    OffsetRect(&w->rect, screen.x - w->rect.left, screen.y - w->rect.top);
    RawInput in;
    in.kind = RawInputKind::Moved;
    in.window = topLevel;
    in.pt = screen;
    Queue(w->queue.get(), std::move(in));
}

void InjectTopLevelResized(HWND topLevel, const RECT& screen) {
    InjectTopLevelMoved(topLevel, POINT{screen.left, screen.top});
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(topLevel);
    if (w == nullptr || w->IsChild() || (w->style & WS_MINIMIZE) != 0)
        return;
    RawInput in;
    in.kind = RawInputKind::Resized;
    in.window = topLevel;
    in.rect = screen;
    Queue(w->queue.get(), std::move(in));
}

void InjectAppActivation(bool active) {
    std::lock_guard lock(UserMutex());
    std::set<MessageQueue*> queues;
    for (HWND h : WindowTable::Instance().TopLevels()) {
        if (Window* w = FindWindowLocked(h))
            queues.insert(w->queue.get());
    }
    RawInput in;
    in.kind = RawInputKind::AppActivation;
    in.down = active;
    for (MessageQueue* q : queues)
        Queue(q, in);
}

short GetKeyState(int vk) {
    std::lock_guard lock(UserMutex());
    return TheInputState().keyDown[size_t(vk) & 0xFF] ? short(0x8000) : 0;
}

short GetAsyncKeyState(int vk) {
    std::lock_guard lock(UserMutex());
    return TheInputState().asyncKeyDown[size_t(vk) & 0xFF] ? short(0x8000) : 0;
}

bool IsMouseButtonDown(UINT vk) {
    return (GetKeyState(int(vk)) & 0x8000) != 0;
}

BOOL GetCursorPos(POINT* point) {
    if (point == nullptr)
        return FALSE;
    std::lock_guard lock(UserMutex());
    *point = TheInputState().cursorPos;
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    InjectMouseMove(POINT{x, y});
    return TRUE;
}

UINT GetDoubleClickTime() {
    return 500;
}

HCURSOR LoadCursorW(HINSTANCE instance, const wchar_t* name) {
    const uintptr_t id = uintptr_t(name);
    const bool system = instance == nullptr && IS_INTRESOURCE(name) &&
                        ((id >= 32512 && id <= 32515) || (id >= 32642 && id <= 32649));
    // System cursors are fixed tokens the display knows by their id.
    return system ? reinterpret_cast<HCURSOR>(uintptr_t(0x7F000000) | id) : nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) {
    HCURSOR old = nullptr;
    {
        std::lock_guard lock(UserMutex());
        old = TheInputState().cursor;
        TheInputState().cursor = cursor;
    }
    if (old != cursor) {
        if (DisplayBackend* display = CurrentDisplayBackend())
            display->CursorChanged(cursor);
    }
    return old;
}

HCURSOR GetCursor() {
    std::lock_guard lock(UserMutex());
    return TheInputState().cursor;
}
