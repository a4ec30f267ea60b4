// Internal helpers over the window tree. UserMutex() held by every caller.
#pragma once

#include <vector>

#include "platform/user/Window.h"

class MessageQueue;

Window* ParentOf(const Window* w);
Window* TopLevelOf(Window* w);
bool IsDescendant(const Window* ancestor, const Window* w);

// Inserts `child` among `parent`'s children after `insertAfter` (HWND_TOP,
// HWND_BOTTOM or a sibling) and removes it from its old place first.
void LinkChild(Window* parent, HWND child, HWND insertAfter);
void UnlinkFromParent(Window* w);

// Screen position of a window's top-left corner and of its client area.
POINT WindowOrigin(const Window* w);
POINT ClientOrigin(const Window* w);
// Position of a window's top-left corner inside its top-level window.
POINT OriginInTopLevel(const Window* w);
RECT ScreenRect(const Window* w);

// Visible itself and every ancestor visible.
bool IsShown(const Window* w);
// The screen point lies in the window's rectangle and its window region.
bool HitsWindow(const Window* w, POINT screen);

// `w` and all its descendants, parents before children, topmost child first.
std::vector<Window*> SubtreePreOrder(Window* w);

// Drops every window of a retired queue from the tree without any message.
void ForgetWindowsOf(const MessageQueue* queue);
