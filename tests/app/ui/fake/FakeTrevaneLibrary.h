// The scripted player library behind FakeTrevane: its thread, its script and
// its record of calls. Only the library itself uses this class.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "tests/app/ui/fake/FakeTrevane.h"
#include "tests/app/ui/fake/IndexReadGate.h"

class FakeTrevaneLibrary final : public FakeTrevane {
public:
    void Reset() override;
    void Script(int cmd, int code) override;
    void HoldAnswers(bool hold) override;
    bool Answer(int code) override;
    bool SlotBusy() const override;
    std::vector<std::string> Log() const override;
    void ClearLog() override;
    std::vector<FakePlayCommand> Commands() const override;
    std::vector<std::pair<uint64_t, uint64_t>> ExtractRanges() const override;
    int Lost() const override { return lost_.load(); }
    bool Idle() const override;
    void Fire(int code) override;
    void FireSource(int kind, int status) override;
    void FireError(int code) override;
    void FireData(const FakeTelemetry& telemetry) override;
    void FireExtract(int code) override;
    void HoldIndexReads(bool hold) override;
    bool WaitForHeldIndexRead() const override { return gate_.WaitForHeld(); }
    int IndexReadersInside() const override { return gate_.Inside(); }
    int MostIndexReadersInside() const override { return gate_.MostInside(); }

    // Used by the exports.
    bool Init(HWND window, zMsgCallback msg, zDataCallback data, zSourceCallback source,
              zExtractCallback extract, zErrorCallback error);
    void Release();
    bool PlayMsg(int cmd, intptr_t a, unsigned lo, int hi, const char* text);
    void Record(std::string line);
    void RecordExtractRange(uint64_t from, uint64_t to);
    // An index read (`read` gives its result) past the gate.
    template <typename Read>
    bool ReadIndex(Read&& read) {
        return gate_.Pass(read);
    }

private:
    void Post(std::function<void()> event);
    void Run();
    int AnswerFor(int cmd);
    void Deliver(int code);  // with lock_ held

    mutable std::mutex lock_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> events_;  // guarded by lock_
    bool running_ = false;                      // guarded by lock_: an event runs
    bool stop_ = false;                         // guarded by lock_
    bool busy_ = false;                         // guarded by lock_: a command runs
    bool answerQueued_ = false;  // guarded by lock_: the running one's answer is on its way
    bool hold_ = false;          // guarded by lock_
    int heldCode_ = -1;          // guarded by lock_: the running one's answer
    std::map<int, std::deque<int>> script_;                     // guarded by lock_
    std::vector<std::string> log_;                              // guarded by lock_
    std::vector<FakePlayCommand> commands_;                     // guarded by lock_
    std::vector<std::pair<uint64_t, uint64_t>> extractRanges_;  // guarded by lock_
    std::atomic<int> lost_{0};
    std::thread thread_;
    std::atomic<bool> exited_{true};
    zMsgCallback msg_ = nullptr;
    zDataCallback data_ = nullptr;
    zSourceCallback source_ = nullptr;
    zErrorCallback error_ = nullptr;
    zExtractCallback extract_ = nullptr;
    IndexReadGate gate_;
};
