// The error codes the player reports to the host's error callback, with the
// system error and a value (both 0 unless a code says otherwise). The numbers
// cross the library boundary and never change.
#pragma once

enum class ErrorCode : int {
    AudioFormatNotSet = 40001,     // play from idle: the audio device is open
    ReadThreadNotStarted = 40004,  // system error = last error
    AudioFormatChangeRefused = 40010,
    AudioBadDeviceId = 40013,  // value = the device's result code
    AudioOpenFailed = 40014,   // value = the device's result code
    CloseNoSource = 40017,
    CloseUnknownType = 40018,
    CloseFailed = 40019,
    DataFileCloseFailed = 40020,
    IndexFileCloseFailed = 40021,
    PauseNotPlaying = 40024,
    StepForwardBadType = 40025,
    StepBackwardBadType = 40028,
    FastForwardBadType = 40031,
    FastForwardBadSpeed = 40032,
    FastForwardBadState = 40035,
    FastBackwardBadType = 40036,
    FastBackwardBadSpeed = 40037,
    FastBackwardBadState = 40038,
    SeekBadType = 40039,
    SeekNoData = 40040,
    SeekOutOfRange = 40041,
    SeekIdleNoSource = 40042,
    SeekFailedNotPlaying = 40043,
    SeekFailedPlaying = 40044,
    SourceSeekNoSource = 40048,
    SourceSeekBadType = 40049,
    FileSeekNotOpen = 40050,
    FileSeekOutOfRange = 40051,
    FileSeekFailed = 40052,
    DiskSeekFailed = 40053,
    CardSeekFailed = 40054,
    CaptureNoSource = 40056,
    CaptureChannelsUnknown = 40057,
    IndexOpenFailed = 40100,  // system error = last error
    IndexUnreadable = 40101,  // system error = last error
};
