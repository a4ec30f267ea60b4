// The single pending command of the player: zPlayMSG writes it, the command
// thread copies it when the command starts. There is no queue: a command put
// while another is pending replaces it, and one put while another runs is
// lost (the host waits for each result before it sends the next command).
//
// Threads: Put on any host thread, Take on the command thread; both under
// the slot's lock, so a command is never read half written.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>

struct PlayCommand {
    int cmd = -1;
    intptr_t a = 0;
    int64_t position = 0;  // (hi:lo)
    bool hasText = false;
    std::string text;  // the library's copy of the text argument
};

class CCommandSlot {
public:
    void Put(PlayCommand command) {
        std::lock_guard lock(m_lock);
        m_command = std::move(command);
    }
    // A copy of the command in the slot; the slot keeps it.
    PlayCommand Take() const {
        std::lock_guard lock(m_lock);
        return m_command;
    }

private:
    mutable std::mutex m_lock;
    PlayCommand m_command;  // guarded by m_lock
};
