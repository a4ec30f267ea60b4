// What an extraction of the source manager delivered, code by code, with a
// bounded wait for its end.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

#include "format/FrameHeader.h"
#include "player/storage/SourceManager.h"

// What an extraction delivered, code by code, with a bounded wait for its end.
class ExtractLog {
public:
    ExtractCallback Sink() {
        return [this](int code, int percent, const void* data, int length) {
            std::lock_guard lock(m_mutex);
            m_codes.push_back(code);
            if (code == 1) {
                m_gopBytes.push_back(static_cast<const uint8_t*>(data)[40]);
                m_gopTimes.push_back(ReadFrameHeader(static_cast<const uint8_t*>(data)).time);
            }
            if (code == 1 && m_stopAfterFirstGop != nullptr)
                m_stopAfterFirstGop->StopExtract();
            (void)percent;
            (void)length;
            if (code >= 2 || code == -1 || code == -3)
                m_cv.notify_all();
        };
    }
    std::vector<int> WaitForEnd() {
        std::unique_lock lock(m_mutex);
        m_cv.wait_for(lock, std::chrono::seconds(10), [&] {
            return !m_codes.empty() &&
                   (m_codes.back() >= 2 || m_codes.back() == -1 || m_codes.back() == -3);
        });
        return m_codes;
    }
    std::vector<uint8_t> GopBytes() {
        std::lock_guard lock(m_mutex);
        return m_gopBytes;
    }
    std::vector<uint32_t> GopTimes() {
        std::lock_guard lock(m_mutex);
        return m_gopTimes;
    }
    void StopAfterFirstGop(CSourceManager* manager) { m_stopAfterFirstGop = manager; }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::vector<int> m_codes;         // guarded by m_mutex
    std::vector<uint8_t> m_gopBytes;  // first frame byte of each GOP: its number
    std::vector<uint32_t> m_gopTimes;
    CSourceManager* m_stopAfterFirstGop = nullptr;
};
