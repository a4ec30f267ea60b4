// Inside the window system: turns the next raw input of a queue into window
// messages (into the queue's cookedInput). UserMutex() held on entry and
// exit; released meanwhile, as hit testing sends messages.
#pragma once

#include <mutex>

#include "platform/user/UserTypes.h"

class MessageQueue;

void CookNextInput(std::unique_lock<std::mutex>& lock, MessageQueue* queue);

// Set in a key message's lParam (a bit the key data leaves unused) when the
// display delivers the key's characters itself, so TranslateMessage makes none.
inline constexpr LPARAM kTypedKeyFlag = LPARAM(1) << 25;
