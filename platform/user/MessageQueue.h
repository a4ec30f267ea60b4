// The message queue of one thread: posted messages, messages sent by other
// threads and waiting to be served, raw input waiting to be turned into
// messages, the quit request and the thread's timers. Made on the thread's
// first use of the window system and retired when the thread ends: senders
// still waiting on it are released with result 0.
//
// Every field is guarded by UserMutex(). `wake` is notified (under the mutex)
// whenever something arrives that the owner might be waiting for, including
// the reply to one of its own cross-thread sends.
#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <thread>

#include "platform/user/RawInput.h"
#include "platform/user/TimerList.h"
#include "platform/user/UserTypes.h"

class MessageQueue;

// A message sent across threads: the sender waits until `done`.
struct SentMessage {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
    bool done = false;
    std::shared_ptr<MessageQueue> sender;
};

class MessageQueue {
public:
    MessageQueue();

    // The calling thread's queue, made on first use.
    static std::shared_ptr<MessageQueue> Current();
    // The calling thread's queue if it has one.
    static MessageQueue* CurrentIfAny();

    DWORD ThreadId() const { return threadId_; }
    bool IsCurrentThread() const { return std::this_thread::get_id() == thread_; }

    // UserMutex() held for all below.
    // Something arrived: waits end and look again.
    void Wake() {
        ++arrivals;
        wake.notify_all();
    }
    void Retire();

    std::deque<MSG> posted;
    std::deque<std::shared_ptr<SentMessage>> sent;
    std::deque<RawInput> input;
    std::deque<MSG> cookedInput;  // input already turned into messages, not yet taken
    TimerList timers;
    bool quitPosted = false;
    int quitCode = 0;
    bool alive = true;
    int paintPending = 0;  // windows of this thread with something to paint
    HWND focus = nullptr;
    HWND active = nullptr;
    int sendDepth = 0;      // cross-thread sends being served right now
    uint64_t arrivals = 0;  // counts Wake(); a wait ends when it changes
    std::condition_variable wake;

private:
    std::thread::id thread_;
    DWORD threadId_;
};

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId);
// The window system's id of the calling thread, as GetWindowThreadProcessId
// reports the thread of a window.
DWORD GetCurrentThreadId();
