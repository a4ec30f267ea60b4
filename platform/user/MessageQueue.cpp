#include "platform/user/MessageQueue.h"

#include <atomic>

#include "platform/user/WindowTable.h"
#include "platform/user/WindowTree.h"

namespace {

std::atomic<DWORD> g_nextThreadId{1};

// Retires the thread's queue when the thread ends.
struct QueueHolder {
    std::shared_ptr<MessageQueue> queue;
    ~QueueHolder() {
        if (queue == nullptr)
            return;
        std::lock_guard lock(UserMutex());
        queue->Retire();
    }
};

thread_local QueueHolder t_holder;

}  // namespace

MessageQueue::MessageQueue()
    : thread_(std::this_thread::get_id()), threadId_(g_nextThreadId.fetch_add(1)) {}

std::shared_ptr<MessageQueue> MessageQueue::Current() {
    if (t_holder.queue == nullptr)
        t_holder.queue = std::make_shared<MessageQueue>();
    return t_holder.queue;
}

MessageQueue* MessageQueue::CurrentIfAny() {
    return t_holder.queue.get();
}

void MessageQueue::Retire() {
    alive = false;
    for (auto& s : sent) {
        s->done = true;
        s->sender->Wake();
    }
    sent.clear();
    posted.clear();
    input.clear();
    cookedInput.clear();
    // A thread's windows end with it; nothing of them is left to receive messages.
    ForgetWindowsOf(this);
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr)
        return 0;
    if (processId != nullptr)
        *processId = 1;
    return w->queue->ThreadId();
}

DWORD GetCurrentThreadId() {
    return MessageQueue::Current()->ThreadId();
}
