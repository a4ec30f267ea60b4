// The interface of the player library libTrevane.so: the code sets that cross
// it, the six callbacks the host registers in zInit, and the 40 exports.
// Hosts load the library at run time and bind each export by name; the
// *Proc types below are the pointer types to bind them to.
//
// Threads: every export runs on its caller's thread; only zPlayMSG hands work
// to the library's command thread, whose result arrives on the message
// callback. Callbacks run on the library's threads (see each type). Pointers
// passed to a callback belong to the library and are valid during the call.
#pragma once

#include <cstdint>

#include "platform/base/WinTypes.h"
#include "shared/GopRecords.h"
#include "shared/IndexRecords.h"
#include "shared/QuickIndexRecords.h"

// zPlayMSG commands.
enum zPlayCmd : int {
    PLAY_CMD_CLOSE = 0,
    PLAY_CMD_PLAY = 1,  // a = audio track 0 or 1
    PLAY_CMD_PAUSE = 2,
    PLAY_CMD_STEP_FORWARD = 3,   // while paused
    PLAY_CMD_STEP_BACKWARD = 4,  // while paused
    PLAY_CMD_FAST_FORWARD = 5,   // a = 1..7, speed 2^a
    PLAY_CMD_FAST_BACKWARD = 6,  // a = 1..7, speed 2^a
    PLAY_CMD_SEEK = 7,           // (hi:lo) = signed 64-bit data position
    PLAY_CMD_STOP = 8,           // a = 0 repaints the host window afterwards
    PLAY_CMD_CAPTURE = 9,        // a = RECT* in screen coordinates, lo = time stamp, text = path
    PLAY_CMD_NONE = 10,          // accepted; no effect and no result
    PLAY_CMD_JUMP = 11,          // a = 1: 20 GOPs back, 2: 20 GOPs forward
};

// First argument of the message callback. Pairs: even = refused or failed,
// odd = done.
enum zMsgCode : int {
    MSG_PLAY_END = 0,
    MSG_READ_ERROR = 2,
    MSG_CLOSE_FAILED = 4,
    MSG_CLOSE_DONE = 5,
    MSG_PLAY_FAILED = 6,
    MSG_PLAY_DONE = 7,
    MSG_PAUSE_REFUSED = 8,
    MSG_PAUSE_DONE = 9,
    MSG_STEP_FORWARD_REFUSED = 10,
    MSG_STEP_FORWARD_DONE = 11,
    MSG_STEP_BACKWARD_REFUSED = 12,
    MSG_STEP_BACKWARD_DONE = 13,
    MSG_FAST_FORWARD_REFUSED = 14,
    MSG_FAST_FORWARD_DONE = 15,
    MSG_FAST_BACKWARD_REFUSED = 16,
    MSG_FAST_BACKWARD_DONE = 17,
    MSG_SEEK_FAILED = 18,
    MSG_SEEK_DONE = 19,
    MSG_STOP_REFUSED = 20,
    MSG_STOP_DONE = 21,
    MSG_CAPTURE_FAILED = 22,
    MSG_CAPTURE_DONE = 23,
    MSG_FRAME_FAILED = 24,
    MSG_JUMP_STORED = 25,
    MSG_CLOSE_REFUSED = 27,
};

// The player state (zTellStatusType).
enum zStatusType : int {
    STATUS_IDLE = 0,
    STATUS_PLAYING = 1,
    STATUS_PAUSED = 2,
    STATUS_FAST_FORWARD = 3,
    STATUS_FAST_BACKWARD = 4,
    STATUS_STOPPED = 5,
};

// The source type (zOpen, zTellOpenedType, the source callback's kind).
enum zOpenedType : int {
    OPENED_NONE = -1,
    OPENED_FILE_PAIR = 0,
    OPENED_DISK = 1,
    OPENED_CARD = 2,
    OPENED_NETWORK = 3,          // no export can open it
    OPENED_REBUILD_REQUEST = 4,  // stored as OPENED_REBUILD
    OPENED_REBUILD = 5,
};

// Screen division for recordings of 8 or more channels.
enum zDivStatus : int {
    DIV_GROUP_1 = 1,  // channels 1-4
    DIV_GROUP_2 = 2,  // 5-8
    DIV_GROUP_3 = 3,  // 9-12
    DIV_GROUP_4 = 4,  // 13-16
    DIV_GRID_3X3 = 5,
    DIV_GRID_4X3 = 6,
    DIV_GRID_4X4 = 7,
};

// Third argument of the source callback: kinds 1 and 2 use the first three;
// kind 5 gives the rebuild's progress 0..10000 (hundredths of a percent),
// then exactly one of the negative values as its end. Every end but
// SOURCE_REBUILD_DONE leaves the disk's time index as it was.
enum zSourceStatus : int {
    SOURCE_OPEN_FAILED = 0,
    SOURCE_OPENED = 1,
    SOURCE_REMOVED = 2,
    SOURCE_REBUILD_DONE = -1,     // the new index is in place
    SOURCE_DISK_NOT_FOUND = -2,   // no recorder disk attached
    SOURCE_REBUILD_FAILED = -3,   // no minute found, a read or a write failed
    SOURCE_REBUILD_BUSY = -4,     // refused: another rebuild still runs
    SOURCE_REBUILD_STOPPED = -5,  // broken off by a close
};

// First argument of the extraction callback.
enum zExtractCode : int {
    EXTRACT_INDEX_RECORD = 0,  // the InxHd first, then the InxUnit entries
    EXTRACT_GOP = 1,
    EXTRACT_FINISHED = 2,
    EXTRACT_STOPPED = 3,
    EXTRACT_OPEN_FAILED = -1,
    EXTRACT_GOP_UNREADABLE = -2,  // that GOP is skipped
    EXTRACT_READ_FAILED = -3,     // range not found, or reading failed
};

// The error codes of the error callback, with their system error and value.
enum zErrorCode : int {
    ERR_AUDIO_FORMAT_NOT_SET = 40001,
    ERR_READ_THREAD_NOT_STARTED = 40004,  // system error = last error
    ERR_AUDIO_FORMAT_CHANGE = 40010,
    ERR_AUDIO_BAD_DEVICE_ID = 40013,  // value = the device's result code
    ERR_AUDIO_OPEN_FAILED = 40014,    // value = the device's result code
    ERR_CLOSE_NO_SOURCE = 40017,
    ERR_CLOSE_UNKNOWN_TYPE = 40018,
    ERR_CLOSE_FAILED = 40019,
    ERR_DATA_FILE_CLOSE = 40020,
    ERR_INDEX_FILE_CLOSE = 40021,
    ERR_PAUSE_NOT_PLAYING = 40024,
    ERR_STEP_FORWARD_TYPE = 40025,
    ERR_STEP_BACKWARD_TYPE = 40028,
    ERR_FAST_FORWARD_TYPE = 40031,
    ERR_FAST_FORWARD_SPEED = 40032,
    ERR_FAST_FORWARD_STATE = 40035,
    ERR_FAST_BACKWARD_TYPE = 40036,
    ERR_FAST_BACKWARD_SPEED = 40037,
    ERR_FAST_BACKWARD_STATE = 40038,
    ERR_SEEK_TYPE = 40039,
    ERR_SEEK_NO_DATA = 40040,
    ERR_SEEK_OUT_OF_RANGE = 40041,
    ERR_SEEK_IDLE_NO_SOURCE = 40042,
    ERR_SEEK_FAILED_NOT_PLAYING = 40043,
    ERR_SEEK_FAILED_PLAYING = 40044,
    ERR_SOURCE_SEEK_NO_SOURCE = 40048,
    ERR_SOURCE_SEEK_TYPE = 40049,
    ERR_FILE_SEEK_NOT_OPEN = 40050,
    ERR_FILE_SEEK_OUT_OF_RANGE = 40051,
    ERR_FILE_SEEK_FAILED = 40052,
    ERR_DISK_SEEK_FAILED = 40053,
    ERR_CARD_SEEK_FAILED = 40054,
    ERR_CAPTURE_NO_SOURCE = 40056,
    ERR_CAPTURE_CHANNELS_UNKNOWN = 40057,
    ERR_INDEX_OPEN_FAILED = 40100,  // system error = last error
    ERR_INDEX_UNREADABLE = 40101,   // system error = last error
    // An index rebuild passed unreadable sectors of the disk's ring and went
    // on; value = how many (sent before the rebuild's end report).
    ERR_REBUILD_UNREADABLE_SECTORS = 40102,
};

// Command results (code, result of the last source close: 0 or -1), on the
// command, end-of-playback, read or display threads.
typedef void (*zMsgCallback)(int code, int lastCloseResult);

// Once per GOP on the playback thread, before its frames are shown. Absent
// values: null pointers, -1.0 for voltage and speed, 255 for temperature,
// -1 for tyreCount.
typedef void (*zDataCallback)(unsigned time, const char* vehicleId, const GpsText* gps,
                              const int* gSensor, float voltage, float speed, int temperature,
                              const AlarmFlags* alarms, int tyreCount, const TpmsTyre* tyres,
                              int tractor, int zero1, int zero2, int axle1, int axle2, int axle3);

// Device and rebuild results (kind a zOpenedType, name the device's data path
// or null, status a zSourceStatus), on the storage threads.
typedef void (*zSourceCallback)(int kind, const char* name, int status);

// Stored and never called.
typedef void (*zReservedCallback)(int, int, int, int);

// Extraction results on the extraction thread. For EXTRACT_GOP, data/length
// are the GOP as read and info its parsed record; for every other code info
// is null.
typedef void (*zExtractCallback)(int code, int percent, const void* data, int length,
                                 const GopInfo* info);

// Errors (a zErrorCode, the system's last error where the code says so, a
// value), on whatever thread met them.
typedef void (*zErrorCallback)(int code, DWORD systemError, int value);

#define TREVANE_EXPORT extern "C" __attribute__((visibility("default")))

// Life cycle.
TREVANE_EXPORT bool zInit(HWND window, zMsgCallback msg, zDataCallback data, zSourceCallback source,
                          zReservedCallback reserved, zExtractCallback extract,
                          zErrorCallback error);
TREVANE_EXPORT bool zRelease();
TREVANE_EXPORT int TrevaneInfo(char* version, char* buildTime, char* buildDate);

// Opening.
TREVANE_EXPORT bool zOpen(int type, const char* dataPath, const char* indexPath, int, int);
TREVANE_EXPORT bool zOpenRx(const char* dataPath, const char* indexPath, int, int, int, int);
TREVANE_EXPORT bool zOpenEx(int type, int, int, int, int, int, int, int, int, int, int, int, int,
                            int, int, int, int, int, int);
TREVANE_EXPORT bool zDownload(int, int, int, int);
TREVANE_EXPORT void zStopDownload();

// Commands.
TREVANE_EXPORT bool zPlayMSG(int cmd, intptr_t a, unsigned lo, int hi, const char* text);

// Queries.
TREVANE_EXPORT int zTellOpenedType();
TREVANE_EXPORT int zTellStatusType();
TREVANE_EXPORT int zTellGopVersion();
TREVANE_EXPORT int zTellScreenNum();
TREVANE_EXPORT int zTellSampleRate();
TREVANE_EXPORT int zTellSampleBits();
TREVANE_EXPORT int zTellFullScreenIdx();
TREVANE_EXPORT int zTellDivStatus();
TREVANE_EXPORT int zTellBegTime();
TREVANE_EXPORT int zTellEndTime();
TREVANE_EXPORT long long zTellp();
TREVANE_EXPORT long long zTellTotalLen();
TREVANE_EXPORT int zTellCarId(char* buffer);

// Settings.
TREVANE_EXPORT bool zSetFullScreen(int channel);
TREVANE_EXPORT bool zSetDivStatus(int mode);
TREVANE_EXPORT bool zDisplayOsd(bool on);
TREVANE_EXPORT bool zSetAudioType(int track);
TREVANE_EXPORT bool zSetVoiceVolume(int volume);
TREVANE_EXPORT bool zTellVoiceVolume(int* volume);
TREVANE_EXPORT bool zOpenVoice();
TREVANE_EXPORT bool zCloseVoice();
TREVANE_EXPORT bool zSetRecord(const char* baseName, bool on);
TREVANE_EXPORT bool zGetGPSData(int, int, int, int);

// Extraction and indexes.
TREVANE_EXPORT int zStartExtract(unsigned fromLo, int fromHi, unsigned toLo, int toHi);
TREVANE_EXPORT int zStopExtract();
TREVANE_EXPORT bool zTellTimeInxHd(InxHd* header);
TREVANE_EXPORT bool zTellTimeInxUnit(int index, InxUnit* unit);
TREVANE_EXPORT bool zTellEvtInxHd(InxHd* header);
TREVANE_EXPORT bool zTellEvtInxUnit(int index, InxUnit* unit);
TREVANE_EXPORT bool zTellQuickInxHd(QuickInxHd* header);
TREVANE_EXPORT bool zTellQuickInxUnit(int index, QuickInxUnit* unit);

// Pointer types for binding the exports by name.
using zInitProc = decltype(&zInit);
using zReleaseProc = decltype(&zRelease);
using TrevaneInfoProc = decltype(&TrevaneInfo);
using zOpenProc = decltype(&zOpen);
using zOpenRxProc = decltype(&zOpenRx);
using zOpenExProc = decltype(&zOpenEx);
using zDownloadProc = decltype(&zDownload);
using zStopDownloadProc = decltype(&zStopDownload);
using zPlayMSGProc = decltype(&zPlayMSG);
using zTellIntProc = int (*)();             // zTellOpenedType ... zTellEndTime
using zTellPositionProc = long long (*)();  // zTellp, zTellTotalLen
using zTellCarIdProc = decltype(&zTellCarId);
using zSetIntProc = bool (*)(int);  // zSetFullScreen, zSetDivStatus, zSetAudioType, zSetVoiceVolume
using zDisplayOsdProc = decltype(&zDisplayOsd);
using zTellVoiceVolumeProc = decltype(&zTellVoiceVolume);
using zVoiceProc = bool (*)();  // zOpenVoice, zCloseVoice
using zSetRecordProc = decltype(&zSetRecord);
using zGetGPSDataProc = decltype(&zGetGPSData);
using zStartExtractProc = decltype(&zStartExtract);
using zStopExtractProc = decltype(&zStopExtract);
using zTellInxHdProc = decltype(&zTellTimeInxHd);      // time and event index
using zTellInxUnitProc = decltype(&zTellTimeInxUnit);  // time and event index
using zTellQuickInxHdProc = decltype(&zTellQuickInxHd);
using zTellQuickInxUnitProc = decltype(&zTellQuickInxUnit);
