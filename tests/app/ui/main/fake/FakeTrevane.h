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
#include <cstdint>
#include <map>
#include <string>
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

// Holds no out-of-line virtual function, so that every binary that uses the
// type has its type information: the test binary, which never links the
// library, needs it for the sanitizers' checks of each call's dynamic type.
class FakeTrevane {
public:
    virtual ~FakeTrevane() = default;

    // Back to the defaults: no script, nothing recorded, every query value
    // reset, callbacks kept.
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
    virtual std::vector<std::string> Log() const = 0;
    virtual void ClearLog() = 0;
    virtual std::vector<FakePlayCommand> Commands() const = 0;
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
};

extern "C" __attribute__((visibility("default"))) FakeTrevane* FakeTrevaneInstance();
using FakeTrevaneInstanceProc = FakeTrevane* (*)();
