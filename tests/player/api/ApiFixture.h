// Test fixture of the player library: libTrevane.so loaded with dlopen from
// this program's directory, every export bound by name, zInit with a null
// window and callbacks that collect what the library reports. TearDown
// stops and closes what a test left open and calls zRelease.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "shared/PlayerInterface.h"
#include "tests/tools/recgen/TempDir.h"

// The 40 exports, bound by name.
struct Trevane {
    zInitProc zInit;
    zReleaseProc zRelease;
    TrevaneInfoProc TrevaneInfo;
    zOpenProc zOpen;
    zOpenRxProc zOpenRx;
    zOpenExProc zOpenEx;
    zDownloadProc zDownload;
    zStopDownloadProc zStopDownload;
    zPlayMSGProc zPlayMSG;
    zTellIntProc zTellOpenedType, zTellStatusType, zTellGopVersion, zTellScreenNum, zTellSampleRate,
        zTellSampleBits, zTellFullScreenIdx, zTellDivStatus, zTellBegTime, zTellEndTime;
    zTellPositionProc zTellp, zTellTotalLen;
    zTellCarIdProc zTellCarId;
    zSetIntProc zSetFullScreen, zSetDivStatus, zSetAudioType, zSetVoiceVolume;
    zDisplayOsdProc zDisplayOsd;
    zTellVoiceVolumeProc zTellVoiceVolume;
    zVoiceProc zOpenVoice, zCloseVoice;
    zSetRecordProc zSetRecord;
    zGetGPSDataProc zGetGPSData;
    zStartExtractProc zStartExtract;
    zStopExtractProc zStopExtract;
    zTellInxHdProc zTellTimeInxHd, zTellEvtInxHd;
    zTellInxUnitProc zTellTimeInxUnit, zTellEvtInxUnit;
    zTellQuickInxHdProc zTellQuickInxHd;
    zTellQuickInxUnitProc zTellQuickInxUnit;
};

// Loads the library once per process; null (with a test failure) when it
// or an export is missing.
const Trevane* LoadTrevane();

struct ErrorReport {
    int code;
    DWORD systemError;
    int value;
    bool operator==(const ErrorReport&) const = default;
};

struct DataReport {
    unsigned time;
    std::string vehicleId;
    std::string latitude;
    int gx, gy, gz;
    float voltage, speed;
    int temperature;
    int tyreCount;
    int alarmInput1;
};

struct ExtractReport {
    int code;
    int percent;
    int length;
    bool hasInfo;
    uint32_t time;  // of the GOP (code 1) or the index record (code 0)
    int channels;
    int width0;
    int speedCount;
    std::string carId;
    uint64_t offset;  // of an index entry
};

struct SourceStatus {
    int kind;
    std::string name;  // "(null)" for a null name
    int status;
    bool operator==(const SourceStatus&) const = default;
};

class ApiFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // zInit with the fixture's callbacks.
    bool Init();
    // Waits (bounded) for an extraction's end code and gives all reports.
    std::vector<ExtractReport> WaitForExtraction();
    // Makes the extraction callback call zStopExtract on the first GOP.
    void StopExtractionOnFirstGop();
    // Has the error callback, or the data callback, run `call` (with the
    // error code; 0 for data) after it has taken its report, on the
    // library's thread. Set before the commands that raise them.
    void OnErrorCall(std::function<void(int code)> call);
    void OnDataCall(std::function<void()> call);

    // Sends a command and waits (real time, bounded) for its result; -1 on
    // time-out.
    int Command(int cmd, intptr_t a = 0, int64_t position = 0);
    // Waits (bounded) for the next command result not taken yet; -1 on time-out.
    int NextResult();
    // Forgets every message so far, results not taken included.
    void ForgetMessages();
    // Waits for message `code` to have come `count` times (bounded); false
    // on time-out.
    bool WaitForMessage(int code, int timeoutMs = 30000, int count = 1);
    std::vector<int> Messages();
    // Waits (bounded) for a source callback with `status`; all of them.
    std::vector<SourceStatus> WaitForSource(int status, int timeoutMs = 10000);
    void ClearSources();
    std::vector<ErrorReport> Errors();
    std::vector<DataReport> Data();
    bool OpenPair(const std::string& base);

    const Trevane* t_ = nullptr;
    TempDir dir_;
};
