// The scripted player library of the app's UI tests: the exports of the real
// one, bound by name as "FakeTrevane.dll" (BoundFakeTrevane.h binds it). It
// records every call, answers each command on the message callback from a
// thread of its own (the code a script names, or the usual success code),
// lets a test fire any callback from that thread, and serves the indexes
// and query values a test sets.
//
// Tests call it through the pointer FakeTrevaneInstance gives: its operations
// are virtual, so that a test binary needs none of its symbols.
//
// The library keeps one command slot the way the real one does: a command
// that arrives while an earlier one runs (until its answer is on its way) is
// recorded and lost, never answered. A command runs until its answer is
// delivered: at once, or when the test answers it (a -1 script or held
// answers). The thread runs from zInit to zRelease; before zInit commands
// are recorded and never answered. A callback given as null is not called.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/gdi/GdiTypes.h"
#include "shared/PlayerInterface.h"
#include "tests/app/ui/fake/FakeIndex.h"

struct FakePlayCommand {
    int cmd;
    intptr_t a;
    unsigned lo;
    int hi;
    std::string text;
    RECT rect;  // the rectangle behind `a` for a capture, read at the call

    uint64_t Position() const { return uint64_t(uint32_t(hi)) << 32 | lo; }
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

// Holds no out-of-line virtual function, so that every binary that uses the
// type has its type information: the test binary, which never links the
// library, needs it for the sanitizers' checks of each call's dynamic type.
class FakeTrevane {
public:
    virtual ~FakeTrevane() = default;

    // Back to the defaults: no script, nothing recorded or waiting, every
    // query value and index reset, callbacks kept. The calling thread
    // becomes the test's own, whose index reads are never held.
    virtual void Reset() = 0;

    // The next `cmd` is answered with `code` (once per call, in order); -1
    // keeps it running until the test answers it.
    virtual void Script(int cmd, int code) = 0;
    // While held, every command keeps running (and the slot busy) until
    // Answer; releasing delivers the held answer.
    virtual void HoldAnswers(bool hold) = 0;
    // Ends the running command with `code` (its usual or scripted answer
    // when -1); false when none runs.
    virtual bool Answer(int code = -1) = 0;
    // A command runs now: one sent meanwhile would be lost.
    virtual bool SlotBusy() const = 0;

    // Every call, one line each: "zPlayMSG 8 0", "zSetFullScreen 3", ...
    // Queries are not recorded.
    virtual std::vector<std::string> Log() const = 0;
    virtual void ClearLog() = 0;
    virtual std::vector<FakePlayCommand> Commands() const = 0;
    // The data positions (from, to) of every zStartExtract since Reset.
    virtual std::vector<std::pair<uint64_t, uint64_t>> ExtractRanges() const = 0;
    // Commands that arrived while another ran, and were lost.
    virtual int Lost() const = 0;
    // Nothing waits to be answered and no callback runs.
    virtual bool Idle() const = 0;

    // Callbacks from the fake's thread.
    virtual void Fire(int code) = 0;
    virtual void FireSource(int kind, int status) = 0;
    virtual void FireError(int code) = 0;
    // The data callback, as the playback thread calls it once per GOP.
    virtual void FireData(const FakeTelemetry& telemetry) = 0;
    // An end code of the running extraction on the extraction callback.
    virtual void FireExtract(int code) = 0;

    // While held, every index read of a thread other than the test's own
    // waits until the reads are let go, so a test can catch a worker in
    // the middle of its walk.
    virtual void HoldIndexReads(bool hold) = 0;
    // Waits (real time, bounded) until a read is held.
    virtual bool WaitForHeldIndexRead() const = 0;
    // Index reads of other threads under way now, and the most seen at once.
    virtual int IndexReadersInside() const = 0;
    virtual int MostIndexReadersInside() const = 0;

    // How many lines of the log are `line`.
    int Count(const std::string& line) const {
        const std::vector<std::string> log = Log();
        return int(std::count(log.begin(), log.end(), line));
    }

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
    std::function<void()> onStopExtract;  // runs inside zStopExtract; set before the test acts
    std::atomic<int> openedType{OPENED_NONE};
    std::atomic<int> screenNum{4};
    std::atomic<int> gopVersion{4};
    std::atomic<int> sampleRate{8000};
    std::atomic<int> sampleBits{16};
    std::atomic<int> fullScreenIdx{0};
    std::atomic<int> divStatus{0};
    std::atomic<int> begTime{0};
    std::atomic<int> endTime{0};
    std::atomic<int> voiceVolume{50};
    std::atomic<long long> position{0};
    std::atomic<long long> totalLength{0};
    std::atomic<bool> carIdKnown{true};
    std::string carId = "CAR-7";  // what zTellCarId copies; set before the test acts

    // The indexes; set before the test acts (or while no worker reads them).
    FakeTimeIndex timeIndex;
    FakeTimeIndex eventIndex;
    FakeQuickIndex quickIndex;
};

extern "C" __attribute__((visibility("default"))) FakeTrevane* FakeTrevaneInstance();
using FakeTrevaneInstanceProc = FakeTrevane* (*)();
