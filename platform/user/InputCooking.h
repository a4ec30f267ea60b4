// Inside the window system: turns the next raw input of a queue into window
// messages (into the queue's cookedInput). UserMutex() held on entry and
// exit; released meanwhile, as hit testing sends messages.
#pragma once

#include <mutex>

class MessageQueue;

void CookNextInput(std::unique_lock<std::mutex>& lock, MessageQueue* queue);
