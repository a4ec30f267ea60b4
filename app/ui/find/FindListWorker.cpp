#include "app/ui/find/FindListWorker.h"

#include <condition_variable>
#include <mutex>

struct CFindListWorker::Shared {
    std::mutex mutex;
    std::condition_variable room;  // the queue was emptied or the run stopped
    // Guarded by mutex:
    unsigned generation = 0;
    std::vector<FindListRow> rows;  // of the current generation
    bool finished = false;
    bool notified = false;  // a notify message is on its way
};

// The sink of one run: its rows count only while its generation is current.
class CFindListWorker::RunSink : public FindRowSink {
public:
    RunSink(std::shared_ptr<Shared> shared, unsigned generation, HWND notify, UINT message)
        : m_shared(std::move(shared)),
          m_generation(generation),
          m_notify(notify),
          m_message(message) {}

    bool Add(FindListRow row) override {
        std::unique_lock lock(m_shared->mutex);
        m_shared->room.wait(lock, [&] {
            return !IsCurrent() || m_shared->rows.size() < CFindListWorker::kBacklog;
        });
        if (!IsCurrent())
            return false;
        m_shared->rows.push_back(std::move(row));
        NotifyLocked(lock);
        return true;
    }

    void Finish() {
        std::unique_lock lock(m_shared->mutex);
        if (!IsCurrent())
            return;
        m_shared->finished = true;
        NotifyLocked(lock);
    }

private:
    bool IsCurrent() const { return m_shared->generation == m_generation; }

    // One message announces everything queued until the dialog collects.
    void NotifyLocked(std::unique_lock<std::mutex>& lock) {
        if (m_shared->notified)
            return;
        m_shared->notified = true;
        lock.unlock();
        ::PostMessage(m_notify, m_message, 0, 0);
    }

    std::shared_ptr<Shared> m_shared;
    const unsigned m_generation;
    const HWND m_notify;
    const UINT m_message;
};

CFindListWorker::CFindListWorker() : m_shared(std::make_shared<Shared>()) {}

CFindListWorker::~CFindListWorker() {
    Stop();
}

bool CFindListWorker::Start(HWND notify, UINT message, Job job) {
    Stop();
    unsigned generation = 0;
    {
        std::lock_guard lock(m_shared->mutex);
        generation = m_shared->generation;
    }
    auto sink = std::make_shared<RunSink>(m_shared, generation, notify, message);
    m_thread = CreateThread([sink, job = std::move(job)] {
        job(*sink);
        sink->Finish();
    });
    return m_thread != nullptr;
}

void CFindListWorker::Stop(DWORD waitMs) {
    {
        std::lock_guard lock(m_shared->mutex);
        ++m_shared->generation;
        m_shared->rows.clear();
        m_shared->finished = false;
        m_shared->notified = false;
    }
    m_shared->room.notify_all();
    if (m_thread == nullptr)
        return;
    WaitForSingleObject(m_thread, waitMs);
    CloseHandle(m_thread);
    m_thread = nullptr;
}

CFindListWorker::Delivery CFindListWorker::Collect() {
    Delivery delivery;
    {
        std::lock_guard lock(m_shared->mutex);
        delivery.rows.swap(m_shared->rows);
        delivery.finished = m_shared->finished;
        m_shared->finished = false;
        m_shared->notified = false;
    }
    m_shared->room.notify_all();
    return delivery;
}
