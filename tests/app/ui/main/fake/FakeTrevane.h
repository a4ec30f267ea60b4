// A scripted player library for the main window's tests: the exports of the
// real one, bound by name as "FakeTrevane.dll". It records every call, answers
// each command on the message callback from a thread of its own (the code a
// script names, or the usual success code), and lets a test fire any
// callback from that thread. The test reaches it through FakeTrevaneInstance.
//
// Tests call it through the pointer FakeTrevaneInstance gives: its operations
// are virtual, so that a test binary needs none of its symbols.
//
// The library keeps one command slot the way the real one does: a command
// that arrives while an earlier one runs (until its answer is on its way) is
// recorded and lost, never answered. A command runs until its answer is
// delivered: at once, or when the test answers it (a -1 script or held
// answers).
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/gdi/GdiTypes.h"
#include "shared/PlayerInterface.h"

struct FakePlayCommand {
    int cmd;
    intptr_t a;
    unsigned lo;
    int hi;
    std::string text;
    RECT rect;  // the rectangle behind `a` for a capture, read at the call
};

// What one call of the data callback carries.
struct FakeTelemetry {
    unsigned time = 0;
    std::string vehicleId;
    GpsText gps{};
    int gSensor[3] = {0, 0, 0};
    float voltage = -1.0f;
    float speed = -1.0f;
    int temperature = 0;
    AlarmFlags alarms{};
};

class FakeTrevane {
public:
    virtual ~FakeTrevane() = default;

    // Back to the defaults: no script, nothing recorded, every query value
    // reset, callbacks kept.
    virtual void Reset();

    // The next `cmd` is answered with `code` (once per call, in order); -1
    // keeps it running until the test answers it.
    virtual void Script(int cmd, int code);
    // While held, every command keeps running (and the slot busy) until
    // Answer; releasing delivers the held answer.
    virtual void HoldAnswers(bool hold);
    // Ends the running command with `code` (its usual or scripted answer
    // when -1); false when none runs.
    virtual bool Answer(int code = -1);
    // A command runs now: one sent meanwhile would be lost.
    virtual bool SlotBusy() const;

    // Every call, one line each: "zPlayMSG 8 0", "zSetFullScreen 3", ...
    virtual std::vector<std::string> Log() const;
    virtual void ClearLog();
    virtual std::vector<FakePlayCommand> Commands() const;
    // Commands that arrived while another ran, and were lost.
    virtual int Lost() const { return lost_.load(); }
    // Nothing waits to be answered and no callback runs.
    virtual bool Idle() const;

    // Callbacks from the fake's thread.
    virtual void Fire(int code);
    virtual void FireSource(int kind, int status);
    virtual void FireError(int code);
    // The data callback, as the playback thread calls it once per GOP.
    virtual void FireData(const FakeTelemetry& telemetry);
    // An end code of the running extraction on the extraction callback.
    virtual void FireExtract(int code);

    // What zInit was given.
    HWND window = nullptr;
    bool dataCallbackNull = false;
    bool extractCallbackNull = false;

    // Query and result values.
    std::atomic<bool> openResult{true};
    // What zStartExtract returns, and whether zStopExtract answers with
    // EXTRACT_STOPPED (as the real library does once the thread ends).
    std::atomic<int> startExtractResult{-1};
    std::atomic<bool> stopExtractAnswers{true};
    std::atomic<int> openedType{OPENED_NONE};
    std::atomic<int> screenNum{4};
    std::atomic<int> fullScreenIdx{0};
    std::atomic<int> divStatus{0};
    std::atomic<int> begTime{0};
    std::atomic<int> endTime{0};
    std::atomic<int> voiceVolume{50};
    std::atomic<long long> position{0};
    std::atomic<long long> totalLength{0};
    std::atomic<bool> carIdKnown{true};
    std::string carId = "CAR-7";  // what zTellCarId copies; set before the test acts
    std::atomic<bool> headerKnown{false};
    InxHd header{};
    std::map<int, InxUnit> units;  // set before the test acts

    // Used by the exports.
    bool Init(HWND window, zMsgCallback msg, zDataCallback data, zSourceCallback source,
              zExtractCallback extract, zErrorCallback error);
    virtual void Release();
    virtual bool PlayMsg(int cmd, intptr_t a, unsigned lo, int hi, const char* text);
    virtual void Record(std::string line);

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
    std::map<int, std::deque<int>> script_;  // guarded by lock_
    std::vector<std::string> log_;           // guarded by lock_
    std::vector<FakePlayCommand> commands_;  // guarded by lock_
    std::atomic<int> lost_{0};
    std::thread thread_;
    std::atomic<bool> exited_{true};
    zMsgCallback msg_ = nullptr;
    zDataCallback data_ = nullptr;
    zSourceCallback source_ = nullptr;
    zErrorCallback error_ = nullptr;
    zExtractCallback extract_ = nullptr;
};

extern "C" __attribute__((visibility("default"))) FakeTrevane* FakeTrevaneInstance();
using FakeTrevaneInstanceProc = FakeTrevane* (*)();
